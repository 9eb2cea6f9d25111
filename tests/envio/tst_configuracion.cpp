// Parsing of the remote configuration text.
#include <QTest>

#include "comando/configuracionremota.h"
#include "plataforma/textocuerpo.h"

class tst_configuracion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sinLeerNoHayListas();
    void listas_data();
    void listas();
    void camposSimples_data();
    void camposSimples();
    void reemplazaTodo();
    void textoDeLaPagina_data();
    void textoDeLaPagina();
    void decodificaSegunLaPagina();
};

void tst_configuracion::sinLeerNoHayListas()
{
    const ConfiguracionRemota config;
    QVERIFY(!config.cargada);
    QVERIFY(config.nblo.isEmpty());
}

void tst_configuracion::listas_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("nblo");
    QTest::addColumn<QStringList>("psin");
    QTest::addColumn<QStringList>("pser");
    const QStringList vacia{QString(), QString()};
    QTest::newRow("texto vacio") << "" << vacia << vacia << vacia;
    QTest::newRow("ejemplo")
        << "colaVisite nuestro sitio;nblo0111555123;psinArgentina - Claro;pserArgentina - Personal$servidor2;perx400"
        << QStringList{"", "0111555123"} << QStringList{"", "Argentina - Claro"}
        << QStringList{"", "Argentina - Personal$servidor2"};
    QTest::newRow("clave en mayusculas") << "NBLOabc" << QStringList{"", "abc"} << vacia << vacia;
    QTest::newRow("blanco tras la clave se conserva") << "nblo abc" << QStringList{"", " abc"} << vacia << vacia;
    QTest::newRow("varias entradas en orden")
        << "nbloa;psinX;nblob;nbloc" << QStringList{"", "a", "b", "c"} << QStringList{"", "X"} << vacia;
    QTest::newRow("punto y coma final") << "nbloa;" << QStringList{"", "a"} << vacia << vacia;
    QTest::newRow("entradas cortas y ajenas") << "nbl;xxxxyy;;abc;nbloz" << QStringList{"", "z"} << vacia << vacia;
    QTest::newRow("entrada vacia no ocupa la primera") << "nblo;nblox" << QStringList{"", "x"} << vacia << vacia;
    QTest::newRow("basura") << "\x01\x02\x03\x04\x05" << vacia << vacia << vacia;
}

void tst_configuracion::listas()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, nblo);
    QFETCH(QStringList, psin);
    QFETCH(QStringList, pser);
    ConfiguracionRemota config;
    LeerConfiguracion(config, texto);
    QVERIFY(config.cargada);
    QCOMPARE(config.nblo, nblo);
    QCOMPARE(config.psin, psin);
    QCOMPARE(config.pser, pser);
    const QStringList vacia{QString(), QString()};
    QCOMPARE(config.pblo, vacia);
    QCOMPARE(config.rblo, vacia);
    QCOMPARE(config.mblo, vacia);
}

void tst_configuracion::camposSimples_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("cola");
    QTest::addColumn<QString>("perx");
    QTest::addColumn<QString>("pery");
    QTest::newRow("nada") << ""
                          << ""
                          << ""
                          << "";
    QTest::newRow("ultima cola gana") << "colaUno;colaDos"
                                      << "Dos"
                                      << ""
                                      << "";
    QTest::newRow("desplazamientos") << "perx400;PERY12;Colaa b "
                                     << "a b "
                                     << "400"
                                     << "12";
    QTest::newRow("cola vacia") << "cola"
                                << ""
                                << ""
                                << "";
}

void tst_configuracion::camposSimples()
{
    QFETCH(QString, texto);
    QFETCH(QString, cola);
    QFETCH(QString, perx);
    QFETCH(QString, pery);
    ConfiguracionRemota config;
    LeerConfiguracion(config, texto);
    QCOMPARE(config.cola, cola);
    QCOMPARE(config.perx, perx);
    QCOMPARE(config.pery, pery);
}

void tst_configuracion::reemplazaTodo()
{
    ConfiguracionRemota config;
    LeerConfiguracion(config, QStringLiteral("colaA;mbloferta;perx9"));
    QCOMPARE(config.mblo, (QStringList{"", "ferta"}));
    LeerConfiguracion(config, QStringLiteral("rblospam"));
    QCOMPARE(config.cola, QString());
    QCOMPARE(config.perx, QString());
    QCOMPARE(config.mblo, (QStringList{"", ""}));
    QCOMPARE(config.rblo, (QStringList{"", "spam"}));

    // A megabyte without separators is one long ignored entry.
    LeerConfiguracion(config, QString(1 << 20, QLatin1Char('x')));
    QCOMPARE(config.rblo, (QStringList{"", ""}));
}

// The configuration page is read without a browser: its body text must be what
// the browser's body text would be.
void tst_configuracion::textoDeLaPagina_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("texto");
    QTest::newRow("página del sitio")
        << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>conf</title></head>"
           "<body style=\"white-space:pre\">ntxconfweb1.2;colaHola &amp; chau;psinArgentina - Claro</body></html>"
        << "ntxconfweb1.2;colaHola & chau;psinArgentina - Claro";
    QTest::newRow("blancos conservados") << "<BODY STYLE='white-space: pre'>a  b\n c</BODY>"
                                         << "a  b\n c";
    QTest::newRow("blancos juntados") << "<html><body>\n  ntxconfweb1.2;cola  a\n\tb  </body></html>"
                                      << "ntxconfweb1.2;cola a b";
    QTest::newRow("etiquetas, guion y comentario")
        << "<body><script>var x = '<b>';</script><!-- nota --><b>ntx</b>conf<i>web</i></body>"
        << "ntxconfweb";
    QTest::newRow("salto de línea") << "<body>uno <br/> dos</body>"
                                    << "uno\ndos";
    QTest::newRow("entidades") << "<body>&lt;&#65;&#x42;&gt;&nbsp;&desconocida;</body>"
                               << QString::fromUtf8("<AB>\u00a0&desconocida;");
    QTest::newRow("sin cuerpo") << "texto suelto"
                                << "texto suelto";
    QTest::newRow("vacía") << ""
                           << "";
}

void tst_configuracion::textoDeLaPagina()
{
    QFETCH(QString, html);
    QFETCH(QString, texto);
    QCOMPARE(TextoCuerpo(html), texto);
}

void tst_configuracion::decodificaSegunLaPagina()
{
    const QString esperado = QString::fromUtf8("Móvil");
    const QByteArray utf8 = "<meta charset=\"utf-8\"><body>M\xc3\xb3vil</body>";
    QCOMPARE(TextoCuerpo(DecodificarPagina(utf8, "text/html")), esperado);
    const QByteArray latin1 = "<body>M\xf3vil</body>";
    QCOMPARE(TextoCuerpo(DecodificarPagina(latin1, "text/html; charset=ISO-8859-1")), esperado);
    QCOMPARE(TextoCuerpo(DecodificarPagina(latin1, "text/html; charset=\"windows-1252\"")), esperado);
}

QTEST_APPLESS_MAIN(tst_configuracion)
#include "tst_configuracion.moc"

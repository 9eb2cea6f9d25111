// Parsing of the remote configuration text.
#include <QTest>

#include "comando/configuracionremota.h"

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

QTEST_APPLESS_MAIN(tst_configuracion)
#include "tst_configuracion.moc"

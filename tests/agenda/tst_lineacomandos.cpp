// The "/c:" contact argument.
#include <QTest>

#include "agenda/lineacomandos.h"

using namespace Agenda;
Q_DECLARE_METATYPE(Agenda::ArgumentoContacto)

class TstLineaComandos : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void analiza_data();
    void analiza();
    void mensaje();
    void varios_data();
    void varios();
};

void TstLineaComandos::analiza_data()
{
    QTest::addColumn<QString>("linea");
    QTest::addColumn<ArgumentoContacto>("resultado");
    QTest::addColumn<QString>("nombre");
    const auto N = ArgumentoContacto::Nombre;
    const auto S = ArgumentoContacto::SintaxisInvalida;
    const auto X = ArgumentoContacto::Ninguno;
    const QString n64(64, QLatin1Char('a'));
    const QString n65(65, QLatin1Char('a'));
    QTest::newRow("vacia") << "" << X << "";
    QTest::newRow("sin argumento") << "/noejecutar otra" << X << "";
    QTest::newRow("simple") << "/c:\"Juan\"" << N << "Juan";
    QTest::newRow("mayusculas") << "/C:\"Juan\"" << N << "Juan";
    QTest::newRow("con blancos y acentos") << "/c:\"José María\"" << N << "José María";
    QTest::newRow("en medio") << "-x /c:\"Ana\" -y" << N << "Ana";
    QTest::newRow("solo la primera") << "/c:\"Ana\" /C:\"Luis\"" << N << "Ana";
    QTest::newRow("primera mala") << "/c:Ana /c:\"Luis\"" << S << "";
    QTest::newRow("sin comillas") << "/c:Juan" << S << "";
    QTest::newRow("nada tras /c:") << "/c:" << S << "";
    QTest::newRow("comilla sin cerrar") << "/c:\"Juan" << S << "";
    QTest::newRow("nombre vacio") << "/c:\"\"" << S << "";
    QTest::newRow("64 caracteres") << "/c:\"" + n64 + "\"" << N << n64;
    QTest::newRow("65 caracteres") << "/c:\"" + n65 + "\"" << S << "";
    QTest::newRow("64 sin cerrar") << "/c:\"" + n64 << S << "";
    QTest::newRow("comas") << "/c:\"Pérez, Juan\"" << N << "Pérez, Juan";
}

void TstLineaComandos::analiza()
{
    QFETCH(QString, linea);
    QFETCH(ArgumentoContacto, resultado);
    QFETCH(QString, nombre);
    QString obtenido;
    QCOMPARE(AnalizarLineaDeComandos(linea, &obtenido), resultado);
    QCOMPARE(obtenido, nombre);
}

void TstLineaComandos::mensaje()
{
    QCOMPARE(MensajeSintaxisLineaDeComandos(),
             QStringLiteral("El argumento c: de la línea de comandos tiene una sintaxis no válida. Use comillas "
                            "para encerrar el nombre del contacto."));
}

void TstLineaComandos::varios_data()
{
    QTest::addColumn<QString>("linea");
    QTest::addColumn<QStringList>("contactos");
    QTest::addColumn<QStringList>("grupos");
    QTest::addColumn<bool>("sintaxisInvalida");
    QTest::addColumn<bool>("varios");
    QTest::newRow("ninguno") << "-x" << QStringList{} << QStringList{} << false << false;
    QTest::newRow("uno solo: como siempre") << "/c:\"Ana\"" << QStringList{"Ana"} << QStringList{} << false << false;
    QTest::newRow("dos contactos") << "/c:\"Ana\" /C:\"Luis\"" << QStringList{"Ana", "Luis"} << QStringList{} << false
                                   << true;
    QTest::newRow("un grupo") << "/g:\"Familia y amigos\"" << QStringList{} << QStringList{"Familia y amigos"} << false
                              << true;
    QTest::newRow("mezcla") << "/G:\"Trabajo\" /c:\"Pérez, Juan\" /c:\"Ana\"" << QStringList{"Pérez, Juan", "Ana"}
                            << QStringList{"Trabajo"} << false << true;
    QTest::newRow("marca dentro de un nombre")
        << "/c:\"a /g:b\" /c:\"c\"" << QStringList{"a /g:b", "c"} << QStringList{} << false << true;
    QTest::newRow("grupo sin comillas") << "/c:\"Ana\" /g:Trabajo" << QStringList{} << QStringList{} << true << false;
    QTest::newRow("grupo vacio") << "/g:\"\"" << QStringList{} << QStringList{} << true << false;
    QTest::newRow("65 caracteres") << "/g:\"" + QString(65, u'a') + "\"" << QStringList{} << QStringList{} << true
                                   << false;
}

void TstLineaComandos::varios()
{
    QFETCH(QString, linea);
    const ArgumentosDestinatarios a = AnalizarDestinatariosLinea(linea);
    QTEST(a.contactos, "contactos");
    QTEST(a.grupos, "grupos");
    QTEST(a.sintaxisInvalida, "sintaxisInvalida");
    QTEST(a.varios(), "varios");
}

QTEST_APPLESS_MAIN(TstLineaComandos)
#include "tst_lineacomandos.moc"

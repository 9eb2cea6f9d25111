// The agenda file: what is written, what is read back, and what a damaged or
// foreign file gives.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "agenda/archivoagenda.h"
#include "agenda/registrocontacto.h"

using namespace Agenda;

Q_DECLARE_METATYPE(Agenda::ResultadoLecturaAgenda)

namespace {

QString Registro(const QString &nombre, const QString &proveedor, const QString &ca, const QString &nu)
{
    QString r;
    EscribirRegistro({nombre, proveedor, ca, nu}, &r, nullptr);
    return r;
}

QByteArray Leer(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Escribir(const QString &ruta, const QByteArray &bytes)
{
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

struct Lectura
{
    ResultadoLecturaAgenda resultado;
    Contactos contactos;
    FalloArchivoAgenda fallo;
    int cambiados = 0;
    bool preguntado = false;
};

Lectura LeerTodo(const QString &ruta, bool aceptar = true)
{
    Lectura l;
    l.resultado = LeerArchivoAgenda(
        ruta, &l.fallo,
        [&] {
            l.preguntado = true;
            return aceptar;
        },
        [&](const QString &n, const QString &r) {
            l.contactos.append({n, r});
        },
        &l.cambiados);
    return l;
}

} // namespace

class TstArchivoAgenda : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString ruta(const QString &nombre) const { return dir.filePath(nombre); }

private Q_SLOTS:
    void exportaTresContactos()
    {
        const Contactos contactos{
            {QStringLiteral("Juan"), QStringLiteral("$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU075551234")},
            {QStringLiteral("Ñandú"), Registro(QStringLiteral("Ñandú"), QStringLiteral("Argentina - Claro"),
                                               QStringLiteral("11"), QStringLiteral("44"))},
            {QStringLiteral("Pin"), QStringLiteral("$_NO03Pin$_PR20Venezuela - Movilnet$_CA05alias$_NU04AB12")}};
        FalloArchivoAgenda fallo;
        int pasos = 0;
        QVERIFY(EscribirArchivoAgenda(ruta("tres.ntxagenda"), contactos, &fallo, nullptr, [&] { ++pasos; }));
        QCOMPARE(pasos, 3);
        QCOMPARE(Leer(ruta("tres.ntxagenda")),
                 QByteArray("NTXAgenda1.0\r\n"
                            "\"Juan\",\"$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU075551234\"\r\n"
                            "\"\xD1"
                            "and\xFA\",\"$_NO05\xD1"
                            "and\xFA$_PR17Argentina - Claro$_CA0211$_NU0244\"\r\n"
                            "\"Pin\",\"$_NO03Pin$_PR20Venezuela - Movilnet$_CA05alias$_NU04AB12\"\r\n"));
    }

    void lineaExacta_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("registro");
        QTest::addColumn<QString>("linea");
        QTest::addColumn<bool>("comillasCambiadas");
        QTest::newRow("simple") << "Juan"
                                << "r"
                                << "\"Juan\",\"r\"" << false;
        QTest::newRow("comas") << "Pérez, Juan"
                               << "a,b"
                               << "\"Pérez, Juan\",\"a,b\"" << false;
        // Nothing is escaped in this format: a quote becomes an apostrophe.
        QTest::newRow("comillas en el nombre") << "Juan \"el Loco\""
                                               << "x"
                                               << "\"Juan 'el Loco'\",\"x\"" << true;
        QTest::newRow("comillas en el registro") << "a"
                                                 << "b\"\"c"
                                                 << "\"a\",\"b''c\"" << true;
        QTest::newRow("vacíos") << ""
                                << ""
                                << "\"\",\"\"" << false;
        QTest::newRow("blancos") << "  Ana "
                                 << " r "
                                 << "\"  Ana \",\" r \"" << false;
    }
    void lineaExacta()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, registro);
        QFETCH(QString, linea);
        QFETCH(bool, comillasCambiadas);
        bool cambiadas = !comillasCambiadas;
        QCOMPARE(LineaArchivoAgenda(nombre, registro, &cambiadas), linea);
        QCOMPARE(cambiadas, comillasCambiadas);
    }

    void idaYVuelta_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::newRow("acentos") << "José Núñez €";
        QTest::newRow("blancos delante") << "   Ana";
        QTest::newRow("solo blancos") << "  ";
        QTest::newRow("coma") << "Pérez, Juan";
        QTest::newRow("signos") << "a/b:c*d?e<f>g|h\\i";
        QTest::newRow("apostrofo y porcentaje") << "O'Brien 100% $HOME";
        QTest::newRow("60") << QString(60, u'z');
        QTest::newRow("99") << QString(99, u'z');
    }

    void idaYVuelta()
    {
        QFETCH(QString, nombre);
        const Contactos contactos{
            {nombre, Registro(nombre, QStringLiteral("Argentina - Personal"), QStringLiteral("351"),
                              QStringLiteral("5551234"))},
            {QStringLiteral("alias"), Registro(QStringLiteral("alias"), QStringLiteral("Venezuela - Movilnet"),
                                               QStringLiteral("alias"), QStringLiteral("PIN 7"))}};
        FalloArchivoAgenda fallo;
        ResumenExportacion resumen;
        QVERIFY(EscribirArchivoAgenda(ruta("ida.ntxagenda"), contactos, &fallo, &resumen));
        QCOMPARE(resumen.comillasCambiadas, 0);
        QCOMPARE(resumen.caracteresPerdidos, 0);
        const Lectura l = LeerTodo(ruta("ida.ntxagenda"));
        QCOMPARE(l.resultado, ResultadoLecturaAgenda::Leido);
        QCOMPARE(l.contactos.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(l.contactos.at(i).nombre, contactos.at(i).nombre);
            QCOMPARE(l.contactos.at(i).registro, contactos.at(i).registro);
        }
    }

    void comillaAntiguaComoApostrofo()
    {
        const QString nombre = QStringLiteral("Juan \"el Loco\"");
        const Contactos contactos{
            {nombre, Registro(nombre, QStringLiteral("Argentina - Claro"), QStringLiteral("1"), QStringLiteral("2"))}};
        FalloArchivoAgenda fallo;
        ResumenExportacion resumen;
        QVERIFY(EscribirArchivoAgenda(ruta("comillas.ntxagenda"), contactos, &fallo, &resumen));
        QCOMPARE(resumen.comillasCambiadas, 1);
        const Lectura l = LeerTodo(ruta("comillas.ntxagenda"));
        QCOMPARE(l.resultado, ResultadoLecturaAgenda::Leido);
        QCOMPARE(l.contactos.size(), 1);
        QCOMPARE(l.contactos.at(0).nombre, QStringLiteral("Juan 'el Loco'"));
        // The record still reads back whole: one character for another.
        CamposContacto campos;
        QVERIFY(LeerCampos(l.contactos.at(0).registro, &campos));
        QCOMPARE(campos.nombre, QStringLiteral("Juan 'el Loco'"));
        QVERIFY(ProblemaContactoImportado(l.contactos.at(0).nombre, l.contactos.at(0).registro).isEmpty());
    }

    void caracterFueraDeLaPagina()
    {
        const QString nombre = QStringLiteral("Łukasz");
        FalloArchivoAgenda fallo;
        ResumenExportacion resumen;
        QVERIFY(EscribirArchivoAgenda(ruta("pl.ntxagenda"), {{nombre, QStringLiteral("r")}}, &fallo, &resumen));
        QCOMPARE(resumen.caracteresPerdidos, 1);
        QVERIFY(Leer(ruta("pl.ntxagenda")).contains("\"?ukasz\""));
    }

    void archivoWindowsHechoAMano()
    {
        // As a Windows program writes it: code page 1252, CR LF, header in other case with text around it.
        const QByteArray bytes = "Archivo ntxagenda1.0 de prueba\r\n"
                                 "\"Jos\xE9\",\"$_NO04Jos\xE9$_PR20Argentina - Personal$_CA03351$_NU075551234\"\r\n"
                                 "\r\n"
                                 "\"Mu\xF1oz \x80\",\"$_NO07Mu\xF1oz \x80$_PR17Argentina - Claro$_CA0211$_NU0244\"\r\n";
        QVERIFY(Escribir(ruta("win.ntxagenda"), bytes));
        const Lectura l = LeerTodo(ruta("win.ntxagenda"));
        QCOMPARE(l.resultado, ResultadoLecturaAgenda::Leido);
        QVERIFY(l.preguntado);
        QCOMPARE(l.contactos.size(), 2);
        QCOMPARE(l.contactos.at(0).nombre, QStringLiteral("José"));
        QCOMPARE(l.contactos.at(0).registro,
                 QStringLiteral("$_NO04José$_PR20Argentina - Personal$_CA03351$_NU075551234"));
        QCOMPARE(l.contactos.at(1).nombre, QStringLiteral("Muñoz €"));
        CamposContacto campos;
        QVERIFY(LeerCampos(l.contactos.at(1).registro, &campos));
        QCOMPARE(campos.nombre, QStringLiteral("Muñoz €"));
    }

    void entradaMala_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Agenda::ResultadoLecturaAgenda>("resultado");
        QTest::addColumn<QStringList>("nombres");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("cambiados");
        const QByteArray juan = "\"Juan\",\"$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU075551234\"\r\n";
        QTest::newRow("vacio") << QByteArray() << ResultadoLecturaAgenda::CabeceraInvalida << QStringList() << "" << 0;
        QTest::newRow("binario") << QByteArray("\x89PNG\r\n\x1A\n", 8) + QByteArray(3, '\0') + "\rIHDR\xFF\xFE\"\""
                                 << ResultadoLecturaAgenda::CabeceraInvalida << QStringList() << "" << 0;
        QTest::newRow("empieza con un contacto")
            << juan << ResultadoLecturaAgenda::CabeceraInvalida << QStringList() << "" << 0;
        QTest::newRow("solo cabecera") << QByteArray("NTXAgenda1.0\r\n") << ResultadoLecturaAgenda::Leido
                                       << QStringList() << "" << 0;
        QTest::newRow("cabecera sin salto")
            << QByteArray("NTXAGENDA1.0") << ResultadoLecturaAgenda::Leido << QStringList() << "" << 0;
        QTest::newRow("un campo al final")
            << QByteArray("NTXAgenda1.0\r\n") + juan + "\"Pedro\"\r\n"
            << ResultadoLecturaAgenda::Fallo << QStringList{"Juan"} << "62: La entrada pasó del final del archivo" << 0;
        QTest::newRow("un campo en medio")
            << QByteArray("NTXAgenda1.0\r\n\"Pedro\"\r\n") + juan << ResultadoLecturaAgenda::Fallo << QStringList()
            << "62: La línea 2 del archivo no tiene los dos datos de un contacto" << 0;
        QTest::newRow("tres campos") << QByteArray("NTXAgenda1.0\r\n") + juan + "\"a\",\"b\",\"c\"\r\n" + juan
                                     << ResultadoLecturaAgenda::Fallo << QStringList{"Juan"}
                                     << "62: La línea 3 del archivo no tiene los dos datos de un contacto" << 0;
        QTest::newRow("comilla sin cerrar")
            << QByteArray("NTXAgenda1.0\r\n") + juan + "\"Ana\",\"$_NO03Ana$_PR" << ResultadoLecturaAgenda::Fallo
            << QStringList{"Juan"} << "62: La entrada pasó del final del archivo" << 0;
        QTest::newRow("utf8 con bom") << QByteArray("\xEF\xBB\xBFNTXAgenda1.0\r\n\"Jos\xC3\xA9\",\"r\"\r\n\"\xD0\x96"
                                                    "enya\",\"r\"\n")
                                      << ResultadoLecturaAgenda::Leido << QStringList{"José", "?enya"} << "" << 1;
        QTest::newRow("lf solo y ultima linea sin salto")
            << QByteArray("NTXAgenda1.0\n\"A\",\"1\"\n\"B\",\"2\"") << ResultadoLecturaAgenda::Leido
            << QStringList{"A", "B"} << "" << 0;
    }

    void entradaMala()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Agenda::ResultadoLecturaAgenda, resultado);
        QFETCH(QStringList, nombres);
        QFETCH(QString, error);
        QFETCH(int, cambiados);
        QVERIFY(Escribir(ruta("mala.ntxagenda"), bytes));
        const Lectura l = LeerTodo(ruta("mala.ntxagenda"));
        QCOMPARE(l.resultado, resultado);
        QCOMPARE(l.preguntado, resultado != ResultadoLecturaAgenda::CabeceraInvalida);
        QStringList leidos;
        for (const FilaContacto &f : l.contactos)
            leidos.append(f.nombre);
        QCOMPARE(leidos, nombres);
        if (!error.isEmpty()) {
            QVERIFY(!l.fallo.acceso);
            QCOMPARE(QString::number(l.fallo.numero) + QStringLiteral(": ") + l.fallo.descripcion, error);
        }
        QCOMPARE(l.cambiados, cambiados);
        // Closed on every path: the file can be replaced at once.
        QVERIFY(Escribir(ruta("mala.ntxagenda"), QByteArray("x")));
    }

    void canceladoNoLeeNada()
    {
        QVERIFY(Escribir(ruta("c.ntxagenda"), QByteArray("NTXAgenda1.0\r\n\"A\",\"1\"\r\n")));
        const Lectura l = LeerTodo(ruta("c.ntxagenda"), false);
        QCOMPARE(l.resultado, ResultadoLecturaAgenda::Cancelado);
        QVERIFY(l.contactos.isEmpty());
    }

    void archivosInaccesibles()
    {
        Lectura l = LeerTodo(ruta("no-existe.ntxagenda"));
        QCOMPARE(l.resultado, ResultadoLecturaAgenda::Fallo);
        QCOMPARE(l.fallo.numero, 53);
        l = LeerTodo(dir.path());
        QCOMPARE(l.resultado, ResultadoLecturaAgenda::Fallo);
        QVERIFY(l.fallo.acceso);
        FalloArchivoAgenda fallo;
        QVERIFY(!EscribirArchivoAgenda(dir.path(), {{QStringLiteral("A"), QStringLiteral("1")}}, &fallo));
        QVERIFY(fallo.acceso);
        QVERIFY(!EscribirArchivoAgenda(ruta("no/hay/carpeta.ntxagenda"), {{QStringLiteral("A"), QStringLiteral("1")}},
                                       &fallo));
        QVERIFY(fallo.acceso);
    }

    void cienMilContactos()
    {
        Contactos contactos;
        contactos.reserve(100000);
        for (int i = 0; i < 100000; ++i) {
            const QString n = QStringLiteral("Contacto %1").arg(i);
            contactos.append({n, Registro(n, QStringLiteral("Argentina - Claro"), QStringLiteral("11"),
                                          QString::number(4000000 + i))});
        }
        FalloArchivoAgenda fallo;
        QVERIFY(EscribirArchivoAgenda(ruta("cien.ntxagenda"), contactos, &fallo));
        const Lectura l = LeerTodo(ruta("cien.ntxagenda"));
        QCOMPARE(l.resultado, ResultadoLecturaAgenda::Leido);
        QCOMPARE(l.contactos.size(), contactos.size());
        QCOMPARE(l.contactos.last().registro, contactos.last().registro);
    }
};

QTEST_GUILESS_MAIN(TstArchivoAgenda)
#include "tst_archivoagenda.moc"

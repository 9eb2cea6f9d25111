// The ntxsimulador program as others use it: its command line, the NTX_
// lines it prints once listening (and writes with --entorno), and its exit
// codes.
#include "simulador/opcionessimulador.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr int kEspera = 30000;
const QString kPrograma = QStringLiteral(NTX_BIN_DIR "/ntxsimulador");
const QStringList kPuertosCero = {"--sitio", "0", "--personal", "0", "--claro", "0", "--movilnet", "0"};
} // namespace

class PruebaSimuladorPrograma : public QObject
{
    Q_OBJECT

private slots:
    void opciones_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<QString>("errorContiene");
        QTest::newRow("puertos") << QStringList{"--sitio", "8080", "--personal", "0",
                                                "--claro", "1",    "--movilnet", "65535"}
                                 << true << QString();
        QTest::newRow("sin movilnet, puerto libre")
            << QStringList{"--sitio", "0", "--personal", "0", "--claro", "0"} << true << QString();
        QTest::newRow("sin argumentos") << QStringList{} << true << QString();
        QTest::newRow("puerto no numerico")
            << QStringList{"--sitio", "ochenta", "--personal", "0", "--claro", "0", "--movilnet", "0"} << false
            << "--sitio";
        QTest::newRow("puerto fuera de rango")
            << QStringList{"--sitio", "70000", "--personal", "0", "--claro", "0", "--movilnet", "0"} << false
            << "70000";
        QTest::newRow("falla desconocida") << (kPuertosCero + QStringList{"--falla", "404"}) << false << "404";
        QTest::newRow("rol desconocido") << (kPuertosCero + QStringList{"--rol", "tigo"}) << false << "tigo";
        QTest::newRow("retraso negativo") << (kPuertosCero + QStringList{"--retraso", "-3"}) << false << "-3";
        QTest::newRow("actualizacion desconocida")
            << (kPuertosCero + QStringList{"--actualizacion", "ya"}) << false << "ya";
        QTest::newRow("config y archivo")
            << (kPuertosCero + QStringList{"--config", "a", "--config-archivo", "b"}) << false << "no los dos";
        QTest::newRow("archivo inexistente")
            << (kPuertosCero + QStringList{"--config-archivo", "/no/existe.txt"}) << false << "/no/existe.txt";
        QTest::newRow("opcion desconocida") << (kPuertosCero + QStringList{"--otra"}) << false << "otra";
        QTest::newRow("clave inexistente")
            << (kPuertosCero + QStringList{"--clave", "/no/existe.clave"}) << false << "/no/existe.clave";
        QTest::newRow("clave que no es una clave")
            << (kPuertosCero + QStringList{"--clave", QStringLiteral(NTX_BIN_DIR "/ntxsimulador")}) << false << "128";
        QTest::newRow("modos de firma") << (kPuertosCero + QStringList{"--actualizacion", "otraclave"}) << true
                                        << QString();
        QTest::newRow("argumento suelto") << (kPuertosCero + QStringList{"suelto"}) << false << "suelto";
        QTest::newRow("todo") << (kPuertosCero + QStringList{"--falla", "cortar", "--rol", "claro,movilnet",
                                                             "--retraso", "250", "--config", "colaX", "--actualizacion",
                                                             "obligar", "--semilla", "9"})
                              << true << QString();
    }
    void opciones()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(bool, valido);
        QFETCH(QString, errorContiene);
        OpcionesSimulador opciones;
        QString error;
        QCOMPARE(leerOpcionesSimulador(QStringList{"ntxsimulador"} + argumentos, &opciones, &error), valido);
        if (!valido)
            QVERIFY2(error.contains(errorContiene), qPrintable(error));
    }

    void opcionesLeidas()
    {
        OpcionesSimulador o;
        QString error;
        QVERIFY(leerOpcionesSimulador(
            QStringList{"ntxsimulador",   "--sitio",    "8080",      "--personal", "8081",   "--claro",
                        "8082",           "--movilnet", "8083",      "--falla",    "cortar", "--rol",
                        "claro,movilnet", "--retraso",  "250",       "--config",   "colaX",  "--actualizacion",
                        "obligar",        "--entorno",  "/tmp/e.txt"},
            &o, &error));
        QCOMPARE(o.ajustes.puertos, (std::array<quint16, 4>{8080, 8081, 8082, 8083}));
        QCOMPARE(o.ajustes.modo.falla, Simulador::Falla::Cortar);
        QCOMPARE(o.ajustes.modo.roles, (QSet<Simulador::Rol>{Simulador::Rol::Claro, Simulador::Rol::Movilnet}));
        QCOMPARE(o.ajustes.modo.retrasoMs, 250);
        QCOMPARE(o.ajustes.configuracion, QStringLiteral("colaX"));
        QCOMPARE(o.ajustes.actualizacion, Simulador::Actualizacion::Obligar);
        QCOMPARE(o.archivoEntorno, QStringLiteral("/tmp/e.txt"));

        OpcionesSimulador omision;
        QVERIFY(leerOpcionesSimulador(QStringList{"ntxsimulador"}, &omision, &error));
        QCOMPARE(omision.ajustes.puertos, (std::array<quint16, 4>{0, 0, 0, 0}));
        QCOMPARE(omision.ajustes.modo.falla, Simulador::Falla::Ninguna);
        QVERIFY(omision.ajustes.modo.roles.isEmpty());
        QCOMPARE(omision.ajustes.configuracion, QStringLiteral("colaNTXsimulador"));
        QCOMPARE(omision.ajustes.actualizacion, Simulador::Actualizacion::Ninguna);
        // The build's development key signs by default.
        QCOMPARE(omision.ajustes.claveSecreta, Simulador::leerClaveSecreta(Simulador::rutaClaveDesarrollo(), &error));
        QCOMPARE(omision.ajustes.claveSecreta.size(), 64);

        QTemporaryDir dir;
        QFile clave(dir.filePath(QStringLiteral("otra.clave")));
        QVERIFY(clave.open(QIODevice::WriteOnly));
        clave.write(QByteArray(64, '\x5a').toHex() + "\n");
        clave.close();
        OpcionesSimulador conClave;
        QVERIFY(leerOpcionesSimulador(QStringList{"ntxsimulador", "--clave", clave.fileName()}, &conClave, &error));
        QCOMPARE(conClave.ajustes.claveSecreta, QByteArray(64, '\x5a'));
    }

    void configDesdeArchivo()
    {
        QTemporaryDir dir;
        QFile archivo(dir.filePath(QStringLiteral("conf.txt")));
        QVERIFY(archivo.open(QIODevice::WriteOnly));
        archivo.write("colaVisite nuestro sitio;perx400\r\n");
        archivo.close();
        OpcionesSimulador o;
        QString error;
        QVERIFY(leerOpcionesSimulador(QStringList{"ntxsimulador"} + kPuertosCero +
                                          QStringList{"--config-archivo", archivo.fileName()},
                                      &o, &error));
        QCOMPARE(o.ajustes.configuracion, QStringLiteral("colaVisite nuestro sitio;perx400"));
    }

    void arrancaEImprimeLasDirecciones_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::newRow("puertos cero") << kPuertosCero;
        QTest::newRow("sin puertos: elige libres") << QStringList{};
    }
    void arrancaEImprimeLasDirecciones()
    {
        QFETCH(QStringList, argumentos);
        QTemporaryDir dir;
        const QString entorno = dir.filePath(QStringLiteral("entorno.txt"));
        QProcess programa;
        programa.start(kPrograma, argumentos + QStringList{"--entorno", entorno});
        QVERIFY2(programa.waitForStarted(kEspera), qPrintable(programa.errorString()));
        QByteArray salida;
        QVERIFY(QTest::qWaitFor(
            [&] {
                salida += programa.readAllStandardOutput();
                return salida.count('\n') >= 4 || programa.state() == QProcess::NotRunning;
            },
            kEspera));
        const QStringList lineas = QString::fromUtf8(salida).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lineas.size(), 4);
        const QStringList nombres = {"NTX_SITIO", "NTX_PERSONAL", "NTX_CLARO", "NTX_MOVILNET"};
        QSet<int> puertos;
        for (int i = 0; i < 4; ++i) {
            const QRegularExpression re(QStringLiteral("^%1=http://127\\.0\\.0\\.1:(\\d+)$").arg(nombres[i]));
            const QRegularExpressionMatch m = re.match(lineas[i]);
            QVERIFY2(m.hasMatch(), qPrintable(lineas[i]));
            const int puerto = m.captured(1).toInt();
            QVERIFY(puerto > 0 && puerto < 65536);
            puertos.insert(puerto);
            // Something really listens there, and it is that role.
            QTcpServer prueba;
            QVERIFY(!prueba.listen(QHostAddress::LocalHost, static_cast<quint16>(puerto)));
        }
        QCOMPARE(puertos.size(), 4);

        QFile archivo(entorno);
        QVERIFY(archivo.open(QIODevice::ReadOnly));
        QCOMPARE(archivo.readAll(), salida);

        programa.kill();
        programa.waitForFinished(kEspera);
    }

    void salidas_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("contiene");
        QTest::newRow("ayuda") << QStringList{"--help"} << 0 << "NO TIENE ACTUALMENTE HABILITADO";
        QTest::newRow("ayuda reglas movilnet") << QStringList{"--help"} << 0 << "termina en 0000";
        QTest::newRow("ayuda claro") << QStringList{"--help"} << 0 << "termina en 0001 -> NO TIENE SERVICIO";
        QTest::newRow("opcion invalida") << (kPuertosCero + QStringList{"--falla", "rara"}) << 2 << "Falla desconocida";
    }
    void salidas()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(int, codigo);
        QFETCH(QString, contiene);
        QProcess programa;
        programa.start(kPrograma, argumentos);
        QVERIFY(programa.waitForFinished(kEspera));
        QCOMPARE(programa.exitStatus(), QProcess::NormalExit);
        QCOMPARE(programa.exitCode(), codigo);
        const QString texto = QString::fromUtf8(programa.readAllStandardOutput() + programa.readAllStandardError());
        QVERIFY2(texto.contains(contiene), qPrintable(texto));
    }

    void puertoOcupadoTerminaConError()
    {
        QTcpServer ocupado;
        QVERIFY(ocupado.listen(QHostAddress::LocalHost, 0));
        QProcess programa;
        programa.start(kPrograma, QStringList{"--sitio", "0", "--personal", QString::number(ocupado.serverPort()),
                                              "--claro", "0", "--movilnet", "0"});
        QVERIFY(programa.waitForFinished(kEspera));
        QCOMPARE(programa.exitCode(), 1);
        QVERIFY(programa.readAllStandardOutput().isEmpty());
        QVERIFY(QString::fromUtf8(programa.readAllStandardError()).contains(QLatin1String("personal")));
    }
};

QTEST_GUILESS_MAIN(PruebaSimuladorPrograma)
#include "tst_simulador_programa.moc"

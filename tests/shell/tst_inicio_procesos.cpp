// Start-up with real processes: single instance, hand-over of the command line,
// the wizard holding the mutex, and the first-run key. Each test points the
// per-user folders at a temporary folder.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "plataforma/ajustessqlite.h"
#include "plataforma/instanciaunicareal.h"

namespace {

const QString Bin = QStringLiteral(NTX_BIN_DIR);

// waitForFinished answers false for a process that ended already.
bool Terminado(QProcess &p)
{
    return p.state() == QProcess::NotRunning || p.waitForFinished(30000);
}

} // namespace

class TstInicioProcesos : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;

    QString ruta(const QString &nombre) const { return dir->filePath(nombre); }

    QProcessEnvironment entorno() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), ruta(QStringLiteral("config")));
        e.insert(QStringLiteral("XDG_DATA_HOME"), ruta(QStringLiteral("datos")));
        e.insert(QStringLiteral("XDG_RUNTIME_DIR"), ruta(QStringLiteral("runtime")));
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.remove(QStringLiteral("NTX_SIN_CONEXION"));
        return e;
    }

    // A program folder of its own: a copy of one program, the local pages, and a
    // script in place of the other program that notes each start.
    QString carpetaConFalso(const QString &programa, const QString &falso)
    {
        const QString carpeta = ruta(QStringLiteral("programa-") + programa);
        QDir().mkpath(carpeta + QStringLiteral("/logica"));
        QFile::copy(Bin + QLatin1Char('/') + programa, carpeta + QLatin1Char('/') + programa);
        const QDir logica(Bin + QStringLiteral("/logica"));
        for (const QString &f : logica.entryList(QDir::Files))
            QFile::copy(logica.filePath(f), carpeta + QStringLiteral("/logica/") + f);
        QFile guion(carpeta + QLatin1Char('/') + falso);
        if (guion.open(QIODevice::WriteOnly)) {
            guion.write("#!/bin/sh\necho \"$@\" >> \"$(dirname \"$0\")/iniciados.txt\"\n");
            guion.close();
        }
        guion.setPermissions(guion.permissions() | QFileDevice::ExeOwner);
        return carpeta;
    }

    static QString leer(const QString &archivo)
    {
        QFile f(archivo);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    AjustesSqlite almacen() const { return AjustesSqlite(ruta(QStringLiteral("config")) + QStringLiteral("/NTX")); }

private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        for (const char *sub : {"config", "datos", "runtime"})
            QDir().mkpath(ruta(QString::fromLatin1(sub)));
        QFile::setPermissions(ruta(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // This process plays the running client in the same per-user folders.
        qputenv("XDG_RUNTIME_DIR", ruta(QStringLiteral("runtime")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", ruta(QStringLiteral("config")).toLocal8Bit());
    }
    void cleanup() { dir.reset(); }

    void segundoInicioEntregaYTermina_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("entregado");
        QTest::newRow("sin argumentos") << QStringList{} << "ejecucion";
        QTest::newRow("contacto") << QStringList{QStringLiteral("/c:\"Juan\"")} << "ejecucion,/c:\"Juan\"";
        QTest::newRow("comas y acentos") << QStringList{QStringLiteral("/C:\"Pérez, José\""), QStringLiteral("x,y")}
                                         << "ejecucion,/C:\"Pérez, José\" x,y";
    }
    void segundoInicioEntregaYTermina()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QString, entregado);
        InstanciaUnicaReal cliente;
        bool yaExistia = true;
        QVERIFY(cliente.crearMutex(InstanciaUnica::nombreMutex(), &yaExistia));
        QVERIFY(!yaExistia);
        QVERIFY(cliente.crearReceptora());
        QSignalSpy recibidos(&cliente, &InstanciaUnica::textoRecibido);

        QProcess segundo;
        segundo.setProcessEnvironment(entorno());
        segundo.start(Bin + QStringLiteral("/ntxmensajes"), argumentos);
        QVERIFY(segundo.waitForStarted(10000));
        QTRY_COMPARE_WITH_TIMEOUT(recibidos.size(), 1, 30000);
        QCOMPARE(recibidos.at(0).at(0).toString(), entregado);
        QVERIFY(Terminado(segundo));
        QCOMPARE(segundo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(segundo.exitCode(), 0);
        // Nothing written: no first-run key appeared.
        QCOMPARE(almacen().leer(QStringLiteral("Mensajes"), QStringLiteral("PrimeraVez2_5"), QStringLiteral("-")),
                 QStringLiteral("-"));
    }

    void asistenteAbiertoYClienteTerminaEnSilencio()
    {
        const QString delAsistente = carpetaConFalso(QStringLiteral("ntxasistente"), QStringLiteral("ntxmensajes"));
        // Should the client pass the mutex, this key would make it start the (fake) wizard.
        const QString delCliente = carpetaConFalso(QStringLiteral("ntxmensajes"), QStringLiteral("ntxasistente"));
        {
            AjustesSqlite a = almacen();
            a.escribir(QStringLiteral("Mensajes"), QStringLiteral("PrimeraVez2_5"), QStringLiteral("True"));
        }
        QProcess asistente;
        asistente.setProcessEnvironment(entorno());
        asistente.start(delAsistente + QStringLiteral("/ntxasistente"), {QStringLiteral("/noejecutar")});
        QVERIFY(asistente.waitForStarted(10000));
        InstanciaUnicaReal sonda;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                bool ya = false;
                sonda.crearMutex(InstanciaUnica::nombreMutex(), &ya);
                sonda.liberarMutex();
                return ya;
            }(),
            30000);

        QProcess cliente;
        cliente.setProcessEnvironment(entorno());
        cliente.start(delCliente + QStringLiteral("/ntxmensajes"), {QStringLiteral("/c:\"Juan\"")});
        QVERIFY(Terminado(cliente));
        QCOMPARE(cliente.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cliente.exitCode(), 0);
        QVERIFY(!QFile::exists(delCliente + QStringLiteral("/iniciados.txt")));
        QCOMPARE(asistente.state(), QProcess::Running);

        asistente.terminate();
        QVERIFY(Terminado(asistente));
        QVERIFY(!QFile::exists(delAsistente + QStringLiteral("/iniciados.txt")));
    }

    void candadoDeUnProcesoMatadoNoBloquea()
    {
        const QString delAsistente = carpetaConFalso(QStringLiteral("ntxasistente"), QStringLiteral("ntxmensajes"));
        const QString delCliente = carpetaConFalso(QStringLiteral("ntxmensajes"), QStringLiteral("ntxasistente"));
        QProcess asistente;
        asistente.setProcessEnvironment(entorno());
        asistente.start(delAsistente + QStringLiteral("/ntxasistente"), {QStringLiteral("/noejecutar")});
        QVERIFY(asistente.waitForStarted(10000));
        InstanciaUnicaReal sonda;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                bool ya = false;
                sonda.crearMutex(InstanciaUnica::nombreMutex(), &ya);
                sonda.liberarMutex();
                return ya;
            }(),
            30000);
        asistente.kill(); // no closing steps: the lock files stay behind
        QVERIFY(Terminado(asistente));

        // The first-run key is still true: a client that gets past the mutex starts the wizard.
        QProcess cliente;
        cliente.setProcessEnvironment(entorno());
        cliente.start(delCliente + QStringLiteral("/ntxmensajes"));
        QVERIFY(Terminado(cliente));
        QCOMPARE(cliente.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(delCliente + QStringLiteral("/iniciados.txt")), 30000);
    }

    void asistenteNoEjecutarGuardaYNoIniciaCliente()
    {
        const QString carpeta = carpetaConFalso(QStringLiteral("ntxasistente"), QStringLiteral("ntxmensajes"));
        {
            AjustesSqlite a = almacen();
            a.escribir(QStringLiteral("Mensajes"), QStringLiteral("Remitente0"), QStringLiteral("  Juan  "));
        }
        QProcess asistente;
        asistente.setProcessEnvironment(entorno());
        asistente.start(carpeta + QStringLiteral("/ntxasistente"), {QStringLiteral("/NoEjecutar")});
        QVERIFY(asistente.waitForStarted(10000));
        InstanciaUnicaReal sonda;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                bool ya = false;
                sonda.crearMutex(InstanciaUnica::nombreMutex(), &ya);
                sonda.liberarMutex();
                return ya;
            }(),
            30000);
        asistente.terminate(); // closing the window runs the wizard's closing steps
        QVERIFY(Terminado(asistente));
        QCOMPARE(asistente.exitStatus(), QProcess::NormalExit);
        QCOMPARE(asistente.exitCode(), 0);
        AjustesSqlite a = almacen();
        QCOMPARE(a.leer(QStringLiteral("Mensajes"), QStringLiteral("Remitente0")), QStringLiteral("Juan"));
        QCOMPARE(a.leer(QStringLiteral("Mensajes"), QStringLiteral("PrimeraVez2_5")), QStringLiteral("False"));
        QVERIFY(!QFile::exists(carpeta + QStringLiteral("/iniciados.txt")));
        // The mutex is free again.
        bool ya = true;
        QVERIFY(sonda.crearMutex(InstanciaUnica::nombreMutex(), &ya));
        QVERIFY(!ya);
    }

    void primeraVezDeUnaVersionNuevaIniciaElAsistente_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::newRow("solo la version anterior") << "PrimeraVez2_4"
                                                  << "False";
        QTest::newRow("valor que no es booleano") << "PrimeraVez2_5"
                                                  << "tal vez";
        QTest::newRow("verdadero") << "PrimeraVez2_5"
                                   << "True";
    }
    void primeraVezDeUnaVersionNuevaIniciaElAsistente()
    {
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        const QString carpeta = carpetaConFalso(QStringLiteral("ntxmensajes"), QStringLiteral("ntxasistente"));
        {
            AjustesSqlite a = almacen();
            a.escribir(QStringLiteral("Mensajes"), clave, valor);
        }
        QProcess cliente;
        cliente.setProcessEnvironment(entorno());
        cliente.start(carpeta + QStringLiteral("/ntxmensajes"));
        QVERIFY(Terminado(cliente));
        QCOMPARE(cliente.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(carpeta + QStringLiteral("/iniciados.txt")), 30000);
        AjustesSqlite a = almacen();
        if (clave == QLatin1String("PrimeraVez2_5") && valor == QLatin1String("tal vez"))
            QCOMPARE(a.leer(QStringLiteral("Mensajes"), clave, QStringLiteral("borrada")), QStringLiteral("borrada"));
        else
            QCOMPARE(a.leer(QStringLiteral("Mensajes"), clave), valor);
    }
};

QTEST_GUILESS_MAIN(TstInicioProcesos)
#include "tst_inicio_procesos.moc"

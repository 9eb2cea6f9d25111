// The system service on this machine: program search, special folders, command
// line, ending the process, the offline switch, the message pump and desktop
// notifications (on a session bus of the test's own).
#include "plataforma/sistemareal.h"
#include "plataforma/traduccionesqt.h"

#include <QApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#ifdef NTX_CON_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#endif

namespace {

const QString ayudante = QStringLiteral(NTX_BIN_DIR "/ayudante_instancia");

class Contador final : public QWidget
{
public:
    int pinturas = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++pinturas; }
};

bool crearEjecutable(const QString &ruta, const QByteArray &contenido, bool ejecutable = true)
{
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(contenido);
    f.close();
    if (ejecutable)
        return f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

#ifdef NTX_CON_DBUS
// A desktop's notification server as the freedesktop notification protocol has it:
// records what it is asked to show.
class ServidorNotificaciones final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Llamada
    {
        QString aplicacion, icono, titulo, texto;
        QVariantMap pistas;
        int msVisible = 0;
    };
    QList<Llamada> llamadas;

public Q_SLOTS:
    uint Notify(const QString &aplicacion, uint reemplaza, const QString &icono, const QString &titulo,
                const QString &texto, const QStringList &acciones, const QVariantMap &pistas, int msVisible)
    {
        Q_UNUSED(reemplaza);
        Q_UNUSED(acciones);
        llamadas.append({aplicacion, icono, titulo, texto, pistas, msVisible});
        return uint(llamadas.size());
    }
};
#endif

} // namespace

class PruebaSistema : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString dir(const char *nombre) const { return m_dir.path() + QLatin1Char('/') + QLatin1String(nombre); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const char *d : {"programa", "bin1", "bin2", "trabajo", "trabajo/rel"})
            QVERIFY(QDir().mkpath(dir(d)));
        const QByteArray guion = "#!/bin/sh\nexit 0\n";
        QVERIFY(crearEjecutable(dir("programa") + QStringLiteral("/ntxasistente"), guion));
        QVERIFY(crearEjecutable(dir("bin1") + QStringLiteral("/ntxasistente"), guion));
        QVERIFY(crearEjecutable(dir("bin1") + QStringLiteral("/solo-en-ruta"), guion));
        QVERIFY(crearEjecutable(dir("bin2") + QStringLiteral("/solo-en-ruta"), guion));
        QVERIFY(crearEjecutable(dir("bin1") + QStringLiteral("/no-ejecutable"), guion, false));
        QVERIFY(crearEjecutable(dir("trabajo") + QStringLiteral("/plantado"), guion));
        QVERIFY(crearEjecutable(dir("trabajo/rel") + QStringLiteral("/plantado2"), guion));
    }

    void buscarPrograma_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QString>("esperado"); // relative to the temporary folder; empty: not found
        const QString b1 = dir("bin1"), b2 = dir("bin2");
        QTest::newRow("carpeta-del-programa-primero") << "ntxasistente" << b1 << "programa/ntxasistente";
        QTest::newRow("sufijo-exe") << "ntxasistente.exe" << b1 << "programa/ntxasistente";
        QTest::newRow("ruta-en-orden") << "solo-en-ruta" << b2 + QLatin1Char(':') + b1 << "bin2/solo-en-ruta";
        QTest::newRow("entrada-vacia-saltada") << "solo-en-ruta" << QLatin1Char(':') + b1 << "bin1/solo-en-ruta";
        QTest::newRow("no-ejecutable") << "no-ejecutable" << b1 << "";
        QTest::newRow("punto-no-es-la-carpeta-de-trabajo") << "plantado"
                                                           << ".:" + b1 << "";
        QTest::newRow("vacia-no-es-la-carpeta-de-trabajo") << "plantado"
                                                           << "::" + b1 + ":"
                                                           << "";
        QTest::newRow("relativa-no") << "plantado2"
                                     << "rel:" + b1 << "";
        QTest::newRow("con-barra-no") << "rel/plantado2" << b1 << "";
        QTest::newRow("inexistente") << "nada" << b1 << "";
    }
    void buscarPrograma()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, ruta);
        QFETCH(QString, esperado);
        const QString anterior = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir("trabajo")));
        const QString hallado = SistemaReal::buscarPrograma(nombre, dir("programa"), ruta);
        QDir::setCurrent(anterior);
        QCOMPARE(hallado, esperado.isEmpty() ? QString() : m_dir.path() + QLatin1Char('/') + esperado);
    }

    void carpetaConArchivos_data()
    {
        QTest::addColumn<QStringList>("conLogica"); // folders (relative) given a logica/
        QTest::addColumn<QString>("esperada");
        QTest::newRow("compilacion: junto al ejecutable")
            << QStringList{"pre/bin", "pre/share/ntx-mensajes"} << "pre/bin";
        QTest::newRow("instalado: prefijo/share") << QStringList{"pre/share/ntx-mensajes"} << "pre/share/ntx-mensajes";
        QTest::newRow("ninguna: la del ejecutable") << QStringList{} << "pre/bin";
        QTest::newRow("share de otro programa no") << QStringList{"pre/share/otro"} << "pre/bin";
    }
    void carpetaConArchivos()
    {
        QFETCH(QStringList, conLogica);
        QFETCH(QString, esperada);
        QTemporaryDir base;
        QVERIFY(QDir().mkpath(base.filePath(QStringLiteral("pre/bin"))));
        for (const QString &c : std::as_const(conLogica))
            QVERIFY(QDir().mkpath(base.filePath(c + QStringLiteral("/logica"))));
        QCOMPARE(SistemaReal::carpetaConArchivos(base.filePath(QStringLiteral("pre/bin"))), base.filePath(esperada));
    }

    void iniciarProgramaLoArranca()
    {
        const QString marca = dir("bin2") + QStringLiteral("/marca.txt");
        QVERIFY(crearEjecutable(dir("bin2") + QStringLiteral("/escribe-marca"),
                                "#!/bin/sh\nprintf '%s|' \"$@\" > \"" + QFile::encodeName(marca) + ".tmp\"\nmv \"" +
                                    QFile::encodeName(marca) + ".tmp\" \"" + QFile::encodeName(marca) + "\"\n"));
        const QByteArray ruta = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir("bin2")) + ":" + ruta);
        SistemaReal sistema;
        const bool ok = sistema.iniciarPrograma(QStringLiteral("escribe-marca"),
                                                {QStringLiteral("/c:\"Juan Pérez\""), QStringLiteral("x y")});
        const bool faltante = sistema.iniciarPrograma(QStringLiteral("no-existe-en-ningun-lado"));
        qputenv("PATH", ruta);
        QVERIFY2(ok, qPrintable(sistema.ultimoError()));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(marca), 30000);
        QFile f(marca);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), QStringLiteral("/c:\"Juan Pérez\"|x y|"));
        QVERIFY(!faltante);
        QVERIFY(sistema.ultimoError().contains(QStringLiteral("no-existe-en-ningun-lado")));
    }

    // A file handed to the desktop's handler through the opener (here a script named by
    // NTX_ABRIR_CON, as the end-to-end tests do); true only when the opener took it.
    void abrirConManejador_data()
    {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QByteArray>("abridor"); // script body; empty: an opener that does not exist
        QTest::addColumn<bool>("abierto");
        const QString paquete = dir("bin2") + QStringLiteral("/ntxmensajes-Ab12Cd.deb");
        const QByteArray anota = "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/abierto\"\n";
        QTest::newRow("el manejador lo toma") << paquete << anota << true;
        QTest::newRow("no hay aplicación para el tipo") << paquete << anota + "exit 3\n" << false;
        QTest::newRow("sin programa que abra") << paquete << QByteArray() << false;
        QTest::newRow("archivo inexistente") << dir("bin2") + QStringLiteral("/no-esta.deb") << anota << false;
        QTest::newRow("ruta relativa") << QStringLiteral("bin2/ntxmensajes-Ab12Cd.deb") << anota << false;
        QTest::newRow("carpeta") << dir("bin2") << anota << false;
    }

    void abrirConManejador()
    {
        QFETCH(QString, ruta);
        QFETCH(QByteArray, abridor);
        QFETCH(bool, abierto);
        const QString marca = dir("bin1") + QStringLiteral("/abierto");
        QFile::remove(marca);
        QVERIFY(crearEjecutable(dir("bin2") + QStringLiteral("/ntxmensajes-Ab12Cd.deb"), "!<arch>\n", false));
        const QString programa = dir("bin1") + QStringLiteral("/abridor");
        QVERIFY(crearEjecutable(programa, abridor));
        const QByteArray antes = qgetenv("NTX_ABRIR_CON");
        qputenv("NTX_ABRIR_CON", QFile::encodeName(abridor.isEmpty() ? dir("bin1") + "/no-hay-abridor" : programa));
        SistemaReal sistema;
        const bool resultado = sistema.abrirConManejador(ruta);
        qputenv("NTX_ABRIR_CON", antes);
        QCOMPARE(resultado, abierto);
        if (!abierto) {
            QVERIFY(!sistema.ultimoError().isEmpty());
            QVERIFY(!QFileInfo::exists(marca) || abridor.contains("exit 3"));
            return;
        }
        QVERIFY(sistema.ultimoError().isEmpty());
        // The opener got the file's full path, as its only argument.
        QFile f(marca);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), ruta);
    }

    // The desktop's opener gets the address; one that finds no browser says so only by
    // its exit code, later: that failure is told with the address.
    void abrirEnNavegadorAvisaSiNoHayNavegador()
    {
        const QString bin = dir("abridor");
        QVERIFY(QDir().mkpath(bin));
        const QString recibido = bin + QStringLiteral("/recibido");
        const auto abridor = [&](int codigo) {
            QFile::remove(bin + QStringLiteral("/xdg-open"));
            return crearEjecutable(bin + QStringLiteral("/xdg-open"), "#!/bin/sh\nprintf '%s\\n' \"$1\" >>'" +
                                                                          QFile::encodeName(recibido) + "'\nexit " +
                                                                          QByteArray::number(codigo) + "\n");
        };
        const QByteArray rutaAntes = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin) + ':' + rutaAntes);
        const auto restaurar = qScopeGuard([&] { qputenv("PATH", rutaAntes); });
        const auto lineas = [&] {
            QFile f(recibido);
            return f.open(QIODevice::ReadOnly)
                       ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                       : QStringList();
        };

        SistemaReal sistema;
        QStringList fallidas, errores;
        sistema.alFallarNavegador = [&](const QString &direccion, const QString &error) {
            fallidas << direccion;
            errores << error;
        };
        QVERIFY(abridor(0));
        QVERIFY(sistema.abrirEnNavegador(QStringLiteral("http://sitio.prueba/ir/?id=10")));
        QTRY_COMPARE(lineas(), QStringList{QStringLiteral("http://sitio.prueba/ir/?id=10")});
        // xdg-open's code 3: no tool to open the address with.
        QVERIFY(abridor(3));
        QVERIFY(sistema.abrirEnNavegador(QStringLiteral("http://sitio.prueba/ir/?id=5")));
        QTRY_COMPARE(fallidas, QStringList{QStringLiteral("http://sitio.prueba/ir/?id=5")});
        QCOMPARE(lineas().size(), 2);
        QVERIFY2(errores[0].startsWith(QStringLiteral("El sistema no pudo iniciar un navegador")),
                 qPrintable(errores[0]));
        QCOMPARE(sistema.ultimoError(), errores[0]);
    }

    void carpetasEspeciales()
    {
        const QByteArray antes = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir("datos")));
        SistemaReal sistema;
        const QString datos = sistema.carpetaEspecial(Sistema::CarpetaDatosLocales);
        const QString escritorio = sistema.carpetaEspecial(Sistema::CarpetaEscritorio);
        qputenv("XDG_DATA_HOME", antes);
        QCOMPARE(datos, dir("datos") + QLatin1Char('/'));
        QVERIFY(escritorio.endsWith(QLatin1Char('/')));
        QVERIFY(!escritorio.endsWith(QLatin1String("//")));
        QCOMPARE(escritorio, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + QLatin1Char('/'));
        QCOMPARE(sistema.carpetaEspecial(5), QString());
    }

    void lineaDeComandosYCarpeta()
    {
        QProcess p;
        p.start(ayudante, {QStringLiteral("linea"), QStringLiteral("/c:\"Juan, Pérez\""), QStringLiteral("otro")});
        QVERIFY(p.waitForFinished(60000));
        const QList<QByteArray> lineas = p.readAllStandardOutput().split('\n');
        QVERIFY(lineas.size() >= 2);
        QCOMPARE(QString::fromUtf8(lineas.at(0)), QFileInfo(ayudante).absolutePath());
        QCOMPARE(QString::fromUtf8(lineas.at(1)), QStringLiteral("linea /c:\"Juan, Pérez\" otro"));
    }

    void terminarEsInmediato()
    {
        QProcess p;
        p.start(ayudante, {QStringLiteral("terminar"), QStringLiteral("7")});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 7);
        QVERIFY(!p.readAllStandardOutput().contains("destructor"));
    }

    void sinConexionPorEntorno_data()
    {
        QTest::addColumn<QByteArray>("valor");
        QTest::addColumn<bool>("forzado");
        QTest::newRow("uno") << QByteArray("1") << true;
        QTest::newRow("cero") << QByteArray("0") << false;
        QTest::newRow("otro-texto") << QByteArray("si") << false;
    }
    void sinConexionPorEntorno()
    {
        QFETCH(QByteArray, valor);
        QFETCH(bool, forzado);
        SistemaReal sistema;
        const QByteArray antes = qgetenv("NTX_SIN_CONEXION");
        qunsetenv("NTX_SIN_CONEXION");
        const bool delSistema = sistema.modoSinConexion();
        qputenv("NTX_SIN_CONEXION", valor);
        const bool resultado = sistema.modoSinConexion();
        qputenv("NTX_SIN_CONEXION", antes);
        QCOMPARE(resultado, forzado ? true : delSistema);
    }

    void versionYReloj()
    {
        SistemaReal sistema;
        QCOMPARE(sistema.versionMotorWeb(), 6);
        sistema.setVersionMotorWeb(9);
        QCOMPARE(sistema.versionMotorWeb(), 9);
        const QDateTime antes = QDateTime::currentDateTime();
        const QDateTime ahora = sistema.ahora();
        QVERIFY(ahora >= antes);
        QVERIFY(ahora <= QDateTime::currentDateTime());
        QCOMPARE(ahora.timeSpec(), Qt::LocalTime);
    }

    void bombeoDejaPintarYTemporizar()
    {
        Contador w;
        w.resize(200, 100);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(w.pinturas > 0);

        SistemaReal sistema;
        bool temporizador = false;
        QTimer::singleShot(0, &w, [&] { temporizador = true; });
        const int pinturasAntes = w.pinturas;
        w.update();
        QDeadlineTimer limite(30000);
        while ((!temporizador || w.pinturas == pinturasAntes) && !limite.hasExpired())
            sistema.dejarCorrerMensajes();
        QVERIFY(temporizador);
        QVERIFY(w.pinturas > pinturasAntes);
    }

    // Last: the translators and the default locale stay for the rest of the process.
    void traduccionesDeQtEnCastellano()
    {
        QTemporaryDir vacia;
        QVERIFY(instalarTraduccionesQt(*qApp, {QStringLiteral("qtbase")}, vacia.path()).isEmpty());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));

        const QStringList cargados = instalarTraduccionesQt(
            *qApp, {QStringLiteral("qtbase"), QStringLiteral("qtwebengine"), QStringLiteral("no_existe")});
        QCOMPARE(cargados, (QStringList{QStringLiteral("qtbase"), QStringLiteral("qtwebengine")}));
        // What the dialogs' buttons and a text box's context menu say.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Copy"), QStringLiteral("&Copiar"));
        QCOMPARE(QLocale().name(), QStringLiteral("es_AR"));
    }

    // Through the session bus (the test command gives this one a bus of its own,
    // dbus-run-session): no server, nothing taken; with one, the notice arrives
    // with the program's name, icon and menu entry.
    void notificacionesDelEscritorio()
    {
#ifndef NTX_CON_DBUS
        QSKIP("Qt sin D-Bus: el programa no envía notificaciones");
#else
        const QByteArray direccion = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        if (direccion.isEmpty())
            QSKIP("sin bus de sesión (prueba_sistema_notificaciones la corre con uno propio)");
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        const QString servicio = QStringLiteral("org.freedesktop.Notifications");
        QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        if (bus->isServiceRegistered(servicio).value())
            QSKIP("ya hay un servidor de notificaciones en este bus");

        SistemaReal sistema;
        if (!bus->activatableServiceNames().value().contains(servicio))
            QVERIFY(!sistema.notificar(QStringLiteral("t"), QStringLiteral("x"), 1000));

        QDBusConnection otra =
            QDBusConnection::connectToBus(QString::fromLatin1(direccion), QStringLiteral("servidor"));
        const auto desconectar = qScopeGuard([] { QDBusConnection::disconnectFromBus(QStringLiteral("servidor")); });
        ServidorNotificaciones servidor;
        QVERIFY(otra.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &servidor,
                                    QDBusConnection::ExportAllSlots));
        QVERIFY(otra.registerService(servicio));
        QVERIFY(
            sistema.notificar(QStringLiteral("NTX Mensajes ya está abierto"), QStringLiteral("Vuelva a él"), 10000));
        QTRY_COMPARE_WITH_TIMEOUT(servidor.llamadas.size(), 1, 20000);
        const ServidorNotificaciones::Llamada &l = servidor.llamadas.constFirst();
        QCOMPARE(l.aplicacion, QStringLiteral("NTX Mensajes"));
        QCOMPARE(l.icono, QStringLiteral("ntx-mensajes"));
        QCOMPARE(l.titulo, QStringLiteral("NTX Mensajes ya está abierto"));
        QCOMPARE(l.texto, QStringLiteral("Vuelva a él"));
        QCOMPARE(l.pistas.value(QStringLiteral("desktop-entry")).toString(),
                 QStringLiteral("ar.com.ntxvarel.mensajes"));
        QCOMPARE(l.msVisible, 10000);
#endif
    }
};

QTEST_MAIN(PruebaSistema)
#include "prueba_sistema.moc"

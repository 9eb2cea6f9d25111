// The single-instance mutex and the hand-over, with real processes.
#include "plataforma/instanciaunicareal.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const QString ayudante = QStringLiteral(NTX_BIN_DIR "/ayudante_instancia");
constexpr int espera = 60000;

// Next line of a helper's output, or a null array when it ended or took too long.
QByteArray siguienteLinea(QProcess &p)
{
    QDeadlineTimer limite(espera);
    while (!p.canReadLine()) {
        if (p.state() == QProcess::NotRunning || limite.hasExpired())
            return {};
        p.waitForReadyRead(200);
    }
    return p.readLine().trimmed();
}

bool esperarFin(QProcess &p)
{
    return p.state() == QProcess::NotRunning || p.waitForFinished(espera);
}

} // namespace

class PruebaInstancia : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_serie = 0;
    QString m_carpeta;

    std::unique_ptr<QProcess> lanzar(const QStringList &args)
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(ayudante, args);
        return p;
    }

    static void terminar(QProcess &p)
    {
        if (p.state() == QProcess::NotRunning)
            return;
        p.closeWriteChannel();
        if (!p.waitForFinished(espera))
            p.kill();
        p.waitForFinished(espera);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo(ayudante).isExecutable(), qPrintable(ayudante));
    }

    // Each test gets its own folder, so a process left by one cannot hold the next one's mutex.
    void init() { m_carpeta = m_dir.path() + QStringLiteral("/c") + QString::number(++m_serie); }

    void segundoArranqueDetectado()
    {
        auto a = lanzar({QStringLiteral("sostener"), m_carpeta});
        QCOMPARE(siguienteLinea(*a), QByteArray("primera"));
        InstanciaUnicaReal yo(m_carpeta);
        bool existia = false;
        QVERIFY(yo.crearMutex(InstanciaUnica::nombreMutex(), &existia));
        QVERIFY(existia);
        auto b = lanzar({QStringLiteral("sostener"), m_carpeta});
        QCOMPARE(siguienteLinea(*b), QByteArray("existia"));
        terminar(*a);
        terminar(*b);
    }

    // The client and the wizard hold it together; it exists until the last holder goes.
    void variosTenedores()
    {
        InstanciaUnicaReal cliente(m_carpeta);
        bool existia = true;
        QVERIFY(cliente.crearMutex(InstanciaUnica::nombreMutex(), &existia));
        QVERIFY(!existia);
        auto asistente = lanzar({QStringLiteral("sostener"), m_carpeta});
        QCOMPARE(siguienteLinea(*asistente), QByteArray("existia"));
        cliente.liberarMutex();
        InstanciaUnicaReal otro(m_carpeta);
        QVERIFY(otro.crearMutex(InstanciaUnica::nombreMutex(), &existia));
        QVERIFY(existia);
        otro.liberarMutex();
        terminar(*asistente);
        QVERIFY(otro.crearMutex(InstanciaUnica::nombreMutex(), &existia));
        QVERIFY(!existia);
    }

    void otroNombreEsOtroMutex()
    {
        InstanciaUnicaReal a(m_carpeta), b(m_carpeta);
        bool existia = true;
        QVERIFY(a.crearMutex(QStringLiteral("NTXMensajes"), &existia));
        QVERIFY(!existia);
        QVERIFY(b.crearMutex(QStringLiteral("OtroMutex/../x"), &existia));
        QVERIFY(!existia);
        QVERIFY(b.crearMutex(QStringLiteral("NTXMensajes"), &existia));
        QVERIFY(existia);
    }

    void cerrojoDeUnProcesoMatadoNoEstorba()
    {
        auto a = lanzar({QStringLiteral("sostener"), m_carpeta, QStringLiteral("receptora")});
        QCOMPARE(siguienteLinea(*a), QByteArray("primera"));
        QCOMPARE(siguienteLinea(*a), QByteArray("lista"));
        a->kill();
        QVERIFY(esperarFin(*a));
        InstanciaUnicaReal yo(m_carpeta);
        bool existia = true;
        QVERIFY(yo.crearMutex(InstanciaUnica::nombreMutex(), &existia));
        QVERIFY(!existia);
        // The socket file it left behind does not pass for a receiver, nor block a new one.
        QVERIFY(!yo.buscarVentanaReceptora());
        QVERIFY2(yo.crearReceptora(), qPrintable(yo.ultimoError()));
    }

    void dosArranquesALaVezNuncaAmbosPrimeros()
    {
        for (int ronda = 0; ronda < 3; ++ronda) {
            const QString carpeta = m_carpeta + QStringLiteral("-") + QString::number(ronda);
            std::vector<std::unique_ptr<QProcess>> procesos;
            for (int i = 0; i < 5; ++i)
                procesos.push_back(lanzar({QStringLiteral("sostener"), carpeta}));
            int primeros = 0, existentes = 0;
            for (auto &p : procesos) {
                const QByteArray linea = siguienteLinea(*p);
                primeros += linea == "primera";
                existentes += linea == "existia";
            }
            QCOMPARE(primeros, 1);
            QCOMPARE(existentes, 4);
            for (auto &p : procesos)
                terminar(*p);
        }
    }

    void textoEntregadoSinCambios_data()
    {
        QTest::addColumn<QString>("linea"); // null: a second start without arguments
        QTest::newRow("sin-argumentos") << QString();
        QTest::newRow("contacto") << QStringLiteral("/c:\"Juan Pérez\"");
        QTest::newRow("comas") << QStringLiteral("/c:\"a,b\",,c,");
        QTest::newRow("comillas") << QStringLiteral("\"dijo \"\"hola\"\"\" 'y' `x`");
        QTest::newRow("acentos-y-mas") << QStringLiteral("ñandú € \U0001F600 Да\r\nsegunda línea");
        QTest::newRow("un-mega") << QString(1024 * 1024, QLatin1Char('x')) + QStringLiteral("ñ,fin");
    }
    void textoEntregadoSinCambios()
    {
        QFETCH(QString, linea);
        auto receptora = lanzar({QStringLiteral("sostener"), m_carpeta, QStringLiteral("receptora")});
        QCOMPARE(siguienteLinea(*receptora), QByteArray("primera"));
        QCOMPARE(siguienteLinea(*receptora), QByteArray("lista"));

        QString archivo = QStringLiteral("-");
        QString esperado = QStringLiteral("ejecucion");
        if (!linea.isNull()) {
            archivo = m_carpeta + QStringLiteral("-linea.txt");
            QFile f(archivo);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(linea.toUtf8());
            esperado += QLatin1Char(',') + linea;
        }
        // A generous time-out: the helper may be slow to be scheduled on a busy machine.
        auto segunda = lanzar({QStringLiteral("segunda"), m_carpeta, QStringLiteral("20000"), archivo});
        QCOMPARE(siguienteLinea(*segunda), QByteArray("entregado"));
        QVERIFY(esperarFin(*segunda));
        QCOMPARE(segunda->exitCode(), 0);

        const QByteArray recibido = siguienteLinea(*receptora);
        QVERIFY(recibido.startsWith("recibido "));
        const QString texto = QString::fromUtf8(QByteArray::fromBase64(recibido.mid(9)));
        QCOMPARE(texto.size(), esperado.size());
        QCOMPARE(texto, esperado);
        terminar(*receptora);
    }

    // A folder somebody else could have made or can enter is refused, and nothing is put in it.
    void carpetaNoPrivadaRechazada_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("grupo") << QStringLiteral("grupo");
        QTest::newRow("todos") << QStringLiteral("todos");
        QTest::newRow("enlace") << QStringLiteral("enlace");
        QTest::newRow("archivo") << QStringLiteral("archivo");
        QTest::newRow("otro-usuario") << QStringLiteral("otro-usuario");
    }
    void carpetaNoPrivadaRechazada()
    {
        QFETCH(QString, caso);
        const QByteArray ruta = QFile::encodeName(m_carpeta);
        const QString destino = m_carpeta + QStringLiteral("-destino");
        QVERIFY(::mkdir(QFile::encodeName(destino).constData(), 0700) == 0);
        if (caso == QLatin1String("grupo") || caso == QLatin1String("todos")) {
            QVERIFY(::mkdir(ruta.constData(), 0700) == 0);
            QVERIFY(::chmod(ruta.constData(), caso == QLatin1String("grupo") ? 0750 : 0777) == 0);
        } else if (caso == QLatin1String("enlace")) {
            QVERIFY(::symlink(QFile::encodeName(destino).constData(), ruta.constData()) == 0);
        } else if (caso == QLatin1String("archivo")) {
            QFile f(m_carpeta);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            if (::getuid() != 0)
                QSKIP("only root can give a folder to another user");
            QVERIFY(::mkdir(ruta.constData(), 0700) == 0);
            QVERIFY(::chown(ruta.constData(), 65534, 65534) == 0);
        }
        auto p = lanzar({QStringLiteral("sostener"), m_carpeta, QStringLiteral("receptora")});
        const QByteArray linea = siguienteLinea(*p);
        QVERIFY2(linea.startsWith("error ") && linea.contains("no es privada"), linea.constData());
        QVERIFY(esperarFin(*p));
        InstanciaUnicaReal yo(m_carpeta);
        QVERIFY(!yo.crearReceptora());
        QVERIFY(yo.ultimoError().contains(QStringLiteral("no es privada")));
        QCOMPARE(QDir(destino).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), QStringList());
        if (QFileInfo(m_carpeta).isDir() && !QFileInfo(m_carpeta).isSymLink())
            QCOMPARE(QDir(m_carpeta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), QStringList());
    }

    void carpetaNuevaEsPrivada()
    {
        InstanciaUnicaReal yo(m_carpeta + QStringLiteral("/a/b"));
        bool existia = true;
        QVERIFY2(yo.crearMutex(InstanciaUnica::nombreMutex(), &existia), qPrintable(yo.ultimoError()));
        struct stat st
        {
        };
        QVERIFY(::lstat(QFile::encodeName(m_carpeta + QStringLiteral("/a/b")).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
    }

    // A lock file replaced by a link is not followed: the file it points at is neither made nor locked.
    void cerrojoEnlazadoNoSeSigue_data()
    {
        QTest::addColumn<QString>("archivo");
        QTest::newRow("puerta") << QStringLiteral("NTXMensajes.puerta");
        QTest::newRow("cerrojo") << QStringLiteral("NTXMensajes.cerrojo");
    }
    void cerrojoEnlazadoNoSeSigue()
    {
        QFETCH(QString, archivo);
        QVERIFY(::mkdir(QFile::encodeName(m_carpeta).constData(), 0700) == 0);
        const QString victima = m_carpeta + QStringLiteral("-victima");
        QVERIFY(QFile::link(victima, m_carpeta + QLatin1Char('/') + archivo));
        InstanciaUnicaReal yo(m_carpeta);
        bool existia = false;
        QVERIFY(!yo.crearMutex(InstanciaUnica::nombreMutex(), &existia));
        QVERIFY(!yo.ultimoError().isEmpty());
        QVERIFY(!QFileInfo::exists(victima));
    }

    // A process that keeps the gate costs the next start a time-out and a clear message, not a hang.
    void puertaRetenidaAgotaElTiempo()
    {
        InstanciaUnicaReal primero(m_carpeta);
        bool existia = true;
        QVERIFY(primero.crearMutex(InstanciaUnica::nombreMutex(), &existia));
        QProcess retenedor;
        retenedor.start(QStringLiteral("flock"), {m_carpeta + QStringLiteral("/NTXMensajes.puerta"),
                                                  QStringLiteral("-c"), QStringLiteral("echo tomada; read x")});
        QCOMPARE(siguienteLinea(retenedor), QByteArray("tomada"));
        auto p = lanzar({QStringLiteral("sostener"), m_carpeta});
        QElapsedTimer reloj;
        reloj.start();
        const QByteArray linea = siguienteLinea(*p);
        QVERIFY2(linea.startsWith("error ") && linea.contains("no lo suelta"), linea.constData());
        QVERIFY2(reloj.elapsed() < 30000, "the gate must be given up after its time-out");
        QVERIFY(esperarFin(*p));
        InstanciaUnicaReal yo(m_carpeta);
        yo.ponerEsperaPuerta(100);
        QVERIFY(!yo.crearMutex(InstanciaUnica::nombreMutex(), &existia));
        QVERIFY(yo.ultimoError().contains(QStringLiteral("no lo suelta")));
        terminar(retenedor);
        QVERIFY2(yo.crearMutex(InstanciaUnica::nombreMutex(), &existia), qPrintable(yo.ultimoError()));
        QVERIFY(existia);
    }

    void sinReceptoraNoSeEntrega()
    {
        InstanciaUnicaReal yo(m_carpeta);
        QVERIFY(!yo.buscarVentanaReceptora());
        QVERIFY(!yo.enviarAReceptora(QStringLiteral("ejecucion")));
        QVERIFY(!yo.ultimoError().isEmpty());
    }

    // A receiver that never answers costs the sender its time-out, not a hang.
    void receptoraMudaAgotaElTiempo()
    {
        InstanciaUnicaReal yo(m_carpeta);
        QVERIFY(QDir().mkpath(m_carpeta));
        QLocalServer muda;
        QVERIFY(muda.listen(yo.rutaReceptora()));
        QVERIFY(yo.buscarVentanaReceptora());
        QElapsedTimer reloj;
        reloj.start();
        QVERIFY(!yo.enviarAReceptora(QStringLiteral("ejecucion,/c:\"x\"")));
        QVERIFY2(reloj.elapsed() < 10000, "the sender must give up after its time-out");
    }

    void receptoraSoloDelUsuario()
    {
        InstanciaUnicaReal yo(m_carpeta);
        QVERIFY(yo.crearReceptora());
        const QFileInfo socket(yo.rutaReceptora());
        QVERIFY(socket.exists());
        const auto ajenos = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(socket.permissions() & ajenos, QFileDevice::Permissions());
        // A second receiver of the same user is refused while the first listens.
        InstanciaUnicaReal otro(m_carpeta);
        QVERIFY(!otro.crearReceptora());
        QVERIFY(!otro.ultimoError().isEmpty());
    }

    void mismoProcesoRecibe()
    {
        // The signal carries the text; here both ends live in one process, so the sender
        // runs in a helper and the receiver in the test.
        InstanciaUnicaReal yo(m_carpeta);
        bool existia = true;
        QVERIFY(yo.crearMutex(InstanciaUnica::nombreMutex(), &existia));
        QVERIFY(!existia);
        QVERIFY(yo.crearReceptora());
        QSignalSpy recibidos(&yo, &InstanciaUnica::textoRecibido);
        auto segunda = lanzar({QStringLiteral("segunda"), m_carpeta, QStringLiteral("20000"), QStringLiteral("-")});
        QTRY_COMPARE_WITH_TIMEOUT(recibidos.size(), 1, espera);
        QCOMPARE(recibidos.first().first().toString(), QStringLiteral("ejecucion"));
        QCOMPARE(siguienteLinea(*segunda), QByteArray("entregado"));
        QVERIFY(esperarFin(*segunda));
    }

    // A runtime folder too deep for the receiver's socket (120 characters): the client and
    // a second start meet in the private folder instead; if that does not fit either, the
    // message names the cause.
    void carpetaDeEjecucionLarga_data()
    {
        QTest::addColumn<bool>("temporalLarga");
        QTest::newRow("la carpeta privada cabe") << false;
        QTest::newRow("tampoco cabe la privada") << true;
    }
    void carpetaDeEjecucionLarga()
    {
        QFETCH(bool, temporalLarga);
        const auto carpetaDe = [this](const QString &nombre, int largo) {
            QString ruta = m_carpeta + QLatin1Char('/') + nombre;
            ruta += QString(largo - ruta.size(), QLatin1Char('x'));
            return ruta;
        };
        const QString runtime = carpetaDe(QStringLiteral("run"), 120);
        const QString temporal = temporalLarga ? carpetaDe(QStringLiteral("tmp"), 120) : m_carpeta + "/tmp";
        QCOMPARE(runtime.size(), 120);
        QVERIFY(QDir().mkpath(runtime) && QDir().mkpath(temporal));
        QVERIFY(
            QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        const QByteArray runtimeAntes = qgetenv("XDG_RUNTIME_DIR"), temporalAntes = qgetenv("TMPDIR");
        const bool habiaRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        const bool habiaTemporal = qEnvironmentVariableIsSet("TMPDIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        qputenv("TMPDIR", QFile::encodeName(temporal));
        const auto restaurar = qScopeGuard([&] {
            habiaRuntime ? qputenv("XDG_RUNTIME_DIR", runtimeAntes) : qunsetenv("XDG_RUNTIME_DIR");
            habiaTemporal ? qputenv("TMPDIR", temporalAntes) : qunsetenv("TMPDIR");
        });

        const QString privada = QDir(temporal).canonicalPath() + QStringLiteral("/ntx-") + QString::number(::getuid());
        QCOMPARE(InstanciaUnicaReal::carpetaPredeterminada(), privada);
        // The client: a process of its own with the same environment.
        auto cliente = lanzar({QStringLiteral("sostener"), QString(), QStringLiteral("receptora")});
        QCOMPARE(siguienteLinea(*cliente), QByteArray("primera"));
        const QByteArray linea = siguienteLinea(*cliente);
        if (temporalLarga) {
            QVERIFY2(linea.startsWith("error ") && linea.contains("107") && linea.contains("XDG_RUNTIME_DIR"),
                     linea.constData());
            QVERIFY(esperarFin(*cliente));
            return;
        }
        QCOMPARE(linea, QByteArray("lista"));
        struct stat st
        {
        };
        QVERIFY(::lstat(QFile::encodeName(privada).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
        // A second start finds it and hands its line over.
        InstanciaUnicaReal segunda;
        bool existia = false;
        QVERIFY2(segunda.crearMutex(InstanciaUnica::nombreMutex(), &existia), qPrintable(segunda.ultimoError()));
        QVERIFY(existia);
        QVERIFY(segunda.buscarVentanaReceptora());
        QVERIFY2(segunda.enviarAReceptora(QStringLiteral("ejecucion"), espera), qPrintable(segunda.ultimoError()));
        QCOMPARE(siguienteLinea(*cliente), "recibido " + QByteArray("ejecucion").toBase64());
        terminar(*cliente);
    }
};

QTEST_GUILESS_MAIN(PruebaInstancia)
#include "prueba_instancia.moc"

// Cold start of the client, as a whole process, to its main window with its three
// pages (home, advertising band, configuration) loaded from a running ntxsimulador.
// The time runs until each page's answer has been delivered whole (the client reaches
// the site through a relay in this program that notes it; the pages are drawn behind
// the splash); the memory of the process tree is read once the window is on screen.
// Side by side, the same for a bare program showing the three pages in three web
// views, with the engine's defaults and with the client's engine flags.
// Run headless with QT_QPA_PLATFORM=offscreen (QTWEBENGINE_DISABLE_SANDBOX=1 as root);
// QTWEBENGINE_CHROMIUM_FLAGS is not passed on.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUrl>
#include <benchmark/benchmark.h>

#include "memoriaprocesos.h"
#include <functional>

#include "plataforma/ajustessqlite.h"
#include "plataforma/vistawebperfil.h"

namespace {

QString gSitio; // the simulator's site, "http://127.0.0.1:port"

const char *const Paginas[] = {"/ntxbin/princ/princ", "/ntxbin/pub/pub", "/ntxbin/conf/"};

// When the memory is read, from the process's start: the client's splash stays three
// seconds before the main window shows.
constexpr qint64 MemoriaALos = 6000;

// Passes the client's connections on to the simulator and reads the answers'
// lengths to know when each watched page has been delivered.
class Relevo : public QObject
{
public:
    explicit Relevo(quint16 puertoSitio)
        : puertoSitio_(puertoSitio)
    {
        servidor_.listen(QHostAddress::LocalHost, 0);
        connect(&servidor_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *cliente = servidor_.nextPendingConnection())
                atender(cliente);
        });
    }
    quint16 puerto() const { return servidor_.serverPort(); }
    void reiniciar() { entregadas_ = 0; }
    bool todas() const { return entregadas_ == (1 << std::size(Paginas)) - 1; }

private:
    struct Conexion
    {
        QTcpSocket *cliente;
        QTcpSocket *sitio;
        QByteArray pedidos;    // what the client sent, not yet read as request lines
        QList<int> pendientes; // watched page of each request awaiting its answer (-1: other)
        QByteArray respuesta;  // head of the answer being read
        qint64 faltan = -1;    // body bytes still to come; -1 while reading the head
    };

    void atender(QTcpSocket *cliente)
    {
        auto *c = new Conexion{cliente, new QTcpSocket(cliente), {}, {}, {}, -1};
        c->sitio->connectToHost(QHostAddress::LocalHost, puertoSitio_);
        connect(cliente, &QTcpSocket::readyRead, this, [c] {
            const QByteArray datos = c->cliente->readAll();
            c->sitio->write(datos);
            c->pedidos += datos;
            for (qsizetype fin; (fin = c->pedidos.indexOf("\r\n\r\n")) >= 0;) {
                const QByteArray linea = c->pedidos.left(c->pedidos.indexOf("\r\n"));
                c->pedidos.remove(0, fin + 4); // the client's requests here carry no body
                const QList<QByteArray> partes = linea.split(' ');
                int pagina = -1;
                for (int i = 0; i < int(std::size(Paginas)); ++i) {
                    if (partes.size() > 1 && partes.at(1).startsWith(Paginas[i]))
                        pagina = i;
                }
                c->pendientes.append(pagina);
            }
        });
        connect(c->sitio, &QTcpSocket::readyRead, this, [this, c] {
            QByteArray datos = c->sitio->readAll();
            c->cliente->write(datos);
            while (!datos.isEmpty()) {
                if (c->faltan < 0) {
                    c->respuesta += datos;
                    datos.clear();
                    const qsizetype fin = c->respuesta.indexOf("\r\n\r\n");
                    if (fin < 0)
                        break;
                    c->faltan = 0;
                    for (const QByteArray &l : c->respuesta.left(fin).split('\n')) {
                        if (l.toLower().startsWith("content-length:"))
                            c->faltan = l.mid(15).trimmed().toLongLong();
                    }
                    datos = c->respuesta.mid(fin + 4);
                    c->respuesta.clear();
                }
                const qint64 tomados = std::min<qint64>(c->faltan, datos.size());
                c->faltan -= tomados;
                datos.remove(0, tomados);
                if (c->faltan == 0) {
                    c->faltan = -1;
                    const int pagina = c->pendientes.isEmpty() ? -1 : c->pendientes.takeFirst();
                    if (pagina >= 0)
                        entregadas_ |= 1 << pagina;
                }
            }
        });
        connect(c->sitio, &QTcpSocket::disconnected, c->cliente, &QTcpSocket::disconnectFromHost);
        connect(cliente, &QTcpSocket::disconnected, this, [c] {
            c->sitio->disconnectFromHost();
            c->cliente->deleteLater();
            delete c;
        });
    }

    QTcpServer servidor_;
    quint16 puertoSitio_;
    int entregadas_ = 0;
};

bool esperar(const std::function<bool()> &condicion, int milisegundos)
{
    QDeadlineTimer limite(milisegundos);
    while (!condicion()) {
        if (limite.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    return true;
}

// What a run starts: the client, or the bare baseline with the three pages'
// addresses and either the engine's defaults or the client's engine flags.
enum class Programa { Cliente, Desnudo, DesnudoConBanderas };

void medirArranque(benchmark::State &estado, Programa programa)
{
    Relevo relevo(QUrl(gSitio).port());
    const QString sitio = QStringLiteral("http://127.0.0.1:%1").arg(relevo.puerto());
    double pss = 0;
    int procesos = 0;
    for (auto _ : estado) {
        QTemporaryDir dir;
        for (const char *sub : {"config/NTX", "datos", "runtime"})
            QDir().mkpath(dir.filePath(QString::fromLatin1(sub)));
        // The client refuses a runtime folder others can enter, and says so instead of
        // showing its window.
        QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        {
            AjustesSqlite ajustes(dir.filePath(QStringLiteral("config/NTX")));
            ajustes.escribir(QStringLiteral("Mensajes"), QStringLiteral("PrimeraVez2_5"), QStringLiteral("False"));
        }
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        e.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("datos")));
        e.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        e.remove(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"));
        e.insert(QStringLiteral("NTX_SITIO"), sitio);
        // The gateways are not asked at start-up: a closed local port.
        for (const char *v : {"NTX_PERSONAL", "NTX_CLARO", "NTX_MOVILNET"})
            e.insert(QString::fromLatin1(v), QStringLiteral("http://127.0.0.1:9"));
        if (programa == Programa::DesnudoConBanderas)
            e.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QString::fromLatin1(BanderasMotor));

        relevo.reiniciar();
        QProcess proceso;
        proceso.setProcessEnvironment(e);
        QElapsedTimer reloj;
        reloj.start();
        if (programa == Programa::Cliente) {
            proceso.start(QStringLiteral(NTX_BIN_DIR "/ntxmensajes"));
        } else {
            QStringList paginas;
            for (const char *pagina : Paginas)
                paginas << sitio + QString::fromLatin1(pagina);
            proceso.start(QStringLiteral(NTX_BIN_DIR "/bench_motor_desnudo"), paginas);
        }
        const bool listo =
            esperar([&] { return relevo.todas() || proceso.state() == QProcess::NotRunning; }, 60000) && relevo.todas();
        const double segundos = static_cast<double>(reloj.nsecsElapsed()) / 1e9;
        if (listo) {
            // Memory once the window is on screen (the client's after its splash) and
            // the views have drawn their pages.
            esperar([&] { return reloj.hasExpired(MemoriaALos); }, MemoriaALos + 1000);
            procesos = 0;
            pss = static_cast<double>(pssArbolKb(proceso.processId(), -1, &procesos)) / 1024.0;
        }
        proceso.kill();
        proceso.waitForFinished(10000);
        if (!listo) {
            estado.SkipWithError("las tres páginas no se cargaron");
            return;
        }
        estado.SetIterationTime(segundos);
    }
    estado.counters["PSS_MB"] = pss;
    estado.counters["procesos"] = procesos;
}

void BM_InicioHastaTresPaginas(benchmark::State &estado)
{
    medirArranque(estado, Programa::Cliente);
}
BENCHMARK(BM_InicioHastaTresPaginas)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// Baselines, side by side: a bare program showing the same three pages.
void BM_DesnudoTresVistas(benchmark::State &estado)
{
    medirArranque(estado, Programa::Desnudo);
}
BENCHMARK(BM_DesnudoTresVistas)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_DesnudoTresVistasBanderasCliente(benchmark::State &estado)
{
    medirArranque(estado, Programa::DesnudoConBanderas);
}
BENCHMARK(BM_DesnudoTresVistasBanderasCliente)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QProcess simulador;
    simulador.setProgram(QStringLiteral(NTX_BIN_DIR "/ntxsimulador"));
    simulador.setArguments({"--sitio", "0", "--personal", "0", "--claro", "0", "--movilnet", "0"});
    simulador.start();
    QByteArray salida;
    if (!simulador.waitForStarted() ||
        !esperar([&] { return (salida += simulador.readAllStandardOutput()).count('\n') >= 4; }, 30000))
        return 1;
    for (const QByteArray &linea : salida.split('\n')) {
        if (linea.startsWith("NTX_SITIO="))
            gSitio = QString::fromLatin1(linea.mid(10)).trimmed();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    simulador.kill();
    simulador.waitForFinished();
    return 0;
}

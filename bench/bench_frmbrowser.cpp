// The client's main window with the real settings store and web views against
// ntxsimulador: from construction to the home page, the advertising band and
// the configuration page loaded (target: the window usable within seconds), and
// the proportional memory of the process and its web-engine helpers with the
// three pages loaded (target under 350 MB). Run headless with
// QT_QPA_PLATFORM=offscreen (and QTWEBENGINE_DISABLE_SANDBOX=1 as root); engine
// flags of one's own in QTWEBENGINE_CHROMIUM_FLAGS go after the client's.
#include "dobles/avisosguion.h"
#include "dobles/controlesventana.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "plataforma/ajustessqlite.h"
#include "plataforma/vistawebperfil.h"
#include "shell/frmbrowser.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "memoriaprocesos.h"
#include <memory>

namespace {

Direcciones gDirecciones;
qint64 gPidSimulador = -1;

bool esperar(const std::function<bool()> &condicion)
{
    QDeadlineTimer limite(120000);
    while (!condicion()) {
        if (limite.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

bool cargada(const VistaWeb *v, const QString &direccion)
{
    return v->estadoListo() == VistaWeb::Completo && v->direccion() == direccion;
}

void BM_VentanaPrincipalHastaTresPaginas(benchmark::State &estado)
{
    const QString inicio = gDirecciones.sitio + QStringLiteral("/ntxbin/princ/princ2_5");
    const QString publicidad = gDirecciones.sitio + QStringLiteral("/ntxbin/pub/pub2_5");
    qint64 pss = 0;
    int procesos = 0;
    for (auto _ : estado) {
        QTemporaryDir carpeta;
        AjustesSqlite ajustes(carpeta.path());
        DialogosGuion dialogos;
        SistemaFalso sistema;
        sistema.carpetaDelPrograma = QStringLiteral(NTX_BIN_DIR);
        InstanciaFalsa instancia;
        AvisosGuion avisos;
        Contexto ctx{ajustes, dialogos, sistema, instancia, avisos, fabricaVistaWebMotor(), gDirecciones};
        ctx.crearLectorPagina = fabricaVistaWebRed();
        auto ventana = std::make_unique<frmBrowser>(ctx);
        ventana->show();
        if (!ventana->Form_Load() || !esperar([&] {
                return cargada(controlesDe(*ventana).brwWebBrowser, inicio) &&
                       cargada(controlesDe(*ventana).brwPublicidad, publicidad) && ctx.ConfiguracionRemota.cargada;
            })) {
            estado.SkipWithError("las tres páginas no cargaron");
            break;
        }
        estado.PauseTiming();
        procesos = 0;
        pss = pssArbolKb(QCoreApplication::applicationPid(), gPidSimulador, &procesos);
        ventana.reset();
        // What the window's destruction handed to deleteLater() outside any event loop
        // waits for one; a benchmark that never runs exec() must deliver it itself,
        // or every repetition keeps the previous window's pages alive.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        estado.ResumeTiming();
    }
    estado.counters["PSS_MB"] = double(pss) / 1024.0;
    estado.counters["procesos"] = procesos;
}
BENCHMARK(BM_VentanaPrincipalHastaTresPaginas)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char *argv[])
{
    registrarEsquemaNtx();
    compartirProcesosMotor();
    QApplication aplicacion(argc, argv);
    QTemporaryDir perfil;
    fijarCarpetaPerfilCompartido(perfil.filePath(QStringLiteral("perfil")));

    QProcess simulador;
    simulador.setProgram(QStringLiteral(NTX_BIN_DIR "/ntxsimulador"));
    simulador.setArguments({"--sitio", "0", "--personal", "0", "--claro", "0", "--movilnet", "0"});
    simulador.start();
    QByteArray salida;
    if (!simulador.waitForStarted() ||
        !esperar([&] { return (salida += simulador.readAllStandardOutput()).count('\n') >= 4; }))
        return 1;
    gPidSimulador = simulador.processId();
    for (const QByteArray &linea : salida.split('\n')) {
        if (linea.startsWith("NTX_SITIO="))
            gDirecciones.sitio = QString::fromLatin1(linea.mid(10)).trimmed();
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    simulador.kill();
    simulador.waitForFinished();
    return 0;
}

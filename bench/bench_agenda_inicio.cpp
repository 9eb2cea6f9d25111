// Cold start of the client to its main window loaded (the splash's fixed three
// seconds are not counted): time from starting the process until its receiver of
// hand-overs listens, which the start-up creates right after the main window's load.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

#include "plataforma/ajustessqlite.h"
#include "plataforma/instanciaunicareal.h"

namespace {

void BM_InicioHastaVentanaPrincipal(benchmark::State &estado)
{
    for (auto _ : estado) {
        QTemporaryDir dir;
        for (const char *sub : {"config/NTX", "datos", "runtime"})
            QDir().mkpath(dir.filePath(QString::fromLatin1(sub)));
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
        e.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu"));
        // A closed local port: no name lookup, no waiting on the network.
        for (const char *v : {"NTX_SITIO", "NTX_PERSONAL", "NTX_CLARO", "NTX_MOVILNET"})
            e.insert(QString::fromLatin1(v), QStringLiteral("http://127.0.0.1:9"));
        qputenv("XDG_RUNTIME_DIR", dir.filePath(QStringLiteral("runtime")).toLocal8Bit());

        InstanciaUnicaReal sonda;
        QProcess cliente;
        cliente.setProcessEnvironment(e);
        QElapsedTimer reloj;
        reloj.start();
        cliente.start(QStringLiteral(NTX_BIN_DIR "/ntxmensajes"));
        bool listo = false;
        while (reloj.elapsed() < 60000 && cliente.state() != QProcess::NotRunning) {
            if (sonda.buscarVentanaReceptora()) {
                listo = true;
                break;
            }
            QThread::msleep(2);
        }
        const double segundos = static_cast<double>(reloj.nsecsElapsed()) / 1e9;
        cliente.kill();
        cliente.waitForFinished(10000);
        if (!listo) {
            estado.SkipWithError("la ventana principal no terminó de cargarse");
            return;
        }
        estado.SetIterationTime(segundos);
    }
}
BENCHMARK(BM_InicioHastaVentanaPrincipal)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

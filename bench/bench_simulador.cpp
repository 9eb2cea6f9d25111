// How fast ntxsimulador is ready, answers, and draws its images.
#include "simulador/imagencodigo.h"
#include "simulador/simulador.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace {
QCoreApplication &aplicacion()
{
    static int argc = 1;
    static char nombre[] = "bench_simulador";
    static char *argv[] = {nombre, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}
} // namespace

// From starting the program to its four NTX_ lines on stdout.
static void BM_ArranqueHastaLasDirecciones(benchmark::State &estado)
{
    aplicacion();
    for (auto _ : estado) {
        QProcess programa;
        programa.start(QStringLiteral(NTX_BIN_DIR "/ntxsimulador"),
                       {"--sitio", "0", "--personal", "0", "--claro", "0", "--movilnet", "0"});
        QByteArray salida;
        while (salida.count('\n') < 4 && programa.waitForReadyRead(30000))
            salida += programa.readAllStandardOutput();
        if (salida.count('\n') < 4) {
            estado.SkipWithError("ntxsimulador no imprimió sus direcciones");
            break;
        }
        estado.PauseTiming();
        programa.kill();
        programa.waitForFinished();
        estado.ResumeTiming();
    }
}
BENCHMARK(BM_ArranqueHastaLasDirecciones)->Unit(benchmark::kMillisecond);

// One GET of the Personal page (new session, cookie, image name) and its image.
static void BM_PaginaPersonalEImagen(benchmark::State &estado)
{
    aplicacion();
    Simulador simulador(Simulador::Ajustes{});
    QString error;
    if (!simulador.iniciar(&error)) {
        estado.SkipWithError(qPrintable(error));
        return;
    }
    QNetworkAccessManager red;
    auto pedir = [&red](const QString &url) {
        QNetworkReply *r = red.get(QNetworkRequest(QUrl(url)));
        QEventLoop espera;
        QObject::connect(r, &QNetworkReply::finished, &espera, &QEventLoop::quit);
        espera.exec();
        const QByteArray cuerpo = r->readAll();
        r->deleteLater();
        return cuerpo;
    };
    const QString base = simulador.base(Simulador::Rol::Personal);
    for (auto _ : estado) {
        const QByteArray html = pedir(base + QStringLiteral("/Mensajes/sms.php"));
        const qsizetype i = html.indexOf("tmp/");
        benchmark::DoNotOptimize(pedir(base + QStringLiteral("/Mensajes/") + QString::fromLatin1(html.mid(i, 24))));
    }
}
BENCHMARK(BM_PaginaPersonalEImagen)->Unit(benchmark::kMicrosecond);

static void BM_ImagenDelCodigo(benchmark::State &estado)
{
    for (auto _ : estado)
        benchmark::DoNotOptimize(pngDelCodigo(QStringLiteral("4821")));
}
BENCHMARK(BM_ImagenDelCodigo)->Unit(benchmark::kMicrosecond);

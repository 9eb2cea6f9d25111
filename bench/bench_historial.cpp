// The message store with 100,000 records (15 MB).
// Each read is shown beside a raw scan of the same file in the same run
// (counter x_crudo = read time / raw scan time). Targets: the history window's
// read (BM_LeerHistorial, indexed) at most 5 times the raw scan; one append under 5 ms (an append never rewrites);
// deleting one record under 500 ms.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "datosbanco.h"
#include "historial/almacenhistorial.h"

namespace ah = almacen_historial;

namespace {

constexpr int Registros = 100000;

// Writes the header and the records in one go (much faster than 100,000 appends).
QString crearAlmacen(const QTemporaryDir &carpeta)
{
    const QString ruta = carpeta.filePath(QStringLiteral("Historial.ntxhist"));
    const QByteArray todo = almacenDeEjemplo(Registros);
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(todo) != todo.size()) {
        return {};
    }
    return ruta;
}

// The floor for any read: the file into memory and its lines counted.
qsizetype recorrerCrudo(const QString &ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray datos = f.readAll();
    qsizetype lineas = 0;
    const char *p = datos.constData();
    const char *fin = p + datos.size();
    while ((p = static_cast<const char *>(std::memchr(p, '\n', size_t(fin - p))))) {
        ++lineas;
        ++p;
    }
    return lineas;
}

double mediana(QList<double> veces)
{
    std::nth_element(veces.begin(), veces.begin() + veces.size() / 2, veces.end());
    return veces.at(veces.size() / 2);
}

// Median of a few raw scans, in milliseconds.
double msCrudo(const QString &ruta)
{
    QList<double> veces;
    for (int i = 0; i < 9; ++i) {
        QElapsedTimer t;
        t.start();
        benchmark::DoNotOptimize(recorrerCrudo(ruta));
        veces.append(double(t.nsecsElapsed()) / 1e6);
    }
    return mediana(veces);
}

void BM_RecorridoCrudo(benchmark::State &estado)
{
    QTemporaryDir carpeta;
    const QString ruta = crearAlmacen(carpeta);
    for (auto _ : estado) {
        if (recorrerCrudo(ruta) != Registros + 1 + Registros / 7 + 1) {
            estado.SkipWithError("unexpected line count");
        }
    }
}
BENCHMARK(BM_RecorridoCrudo)->Unit(benchmark::kMillisecond)->Iterations(10);

// The read the history window does: the store indexed, then the rows a list
// shows at first decoded. Each repetition also scans the same file raw (not
// timed as the read), so the ratio compares reads made under the same load.
void BM_LeerHistorial(benchmark::State &estado)
{
    QTemporaryDir carpeta;
    const QString ruta = crearAlmacen(carpeta);
    QList<double> ms, crudos;
    for (auto _ : estado) {
        QElapsedTimer t;
        t.start();
        ah::HistorialIndexado historial;
        const auto resultado = historial.leer(ruta);
        for (qsizetype i = 0; i < std::min<qsizetype>(40, historial.size()); ++i) {
            benchmark::DoNotOptimize(historial.registro(historial.size() - 1 - i));
        }
        ms.append(double(t.nsecsElapsed()) / 1e6);
        estado.PauseTiming();
        if (resultado != HistorialLeido || historial.size() != Registros) {
            estado.SkipWithError("the store did not read back whole");
        }
        historial.clear();
        t.restart();
        benchmark::DoNotOptimize(recorrerCrudo(ruta));
        crudos.append(double(t.nsecsElapsed()) / 1e6);
        estado.ResumeTiming();
    }
    // Back-to-back scans reuse warm memory and come out faster than the ones
    // between reads; the ratio is taken against the faster of the two.
    const double msLectura = mediana(ms);
    const double intercalado = mediana(crudos);
    const double seguido = msCrudo(ruta);
    const double crudo = std::min(intercalado, seguido);
    estado.counters["lectura_ms"] = msLectura;
    estado.counters["MB"] = double(QFile(ruta).size()) / (1024 * 1024);
    estado.counters["crudo_intercalado_ms"] = intercalado;
    estado.counters["crudo_seguido_ms"] = seguido;
    estado.counters["crudo_ms"] = crudo;
    estado.counters["x_crudo"] = msLectura / crudo;
}
BENCHMARK(BM_LeerHistorial)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_AgregarAlHistorial(benchmark::State &estado)
{
    QTemporaryDir carpeta;
    const QString ruta = crearAlmacen(carpeta);
    const RegistroHistorial nuevo = registroDeEjemplo(7);
    int i = 0;
    for (auto _ : estado) {
        if (!ah::agregar(ruta, nuevo, QDateTime(QDate(2013, 1, 1), QTime(0, 0, i++ % 60)), nullptr)) {
            estado.SkipWithError("append failed");
        }
    }
}
BENCHMARK(BM_AgregarAlHistorial)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_BorrarRegistroHistorial(benchmark::State &estado)
{
    QTemporaryDir carpeta;
    const QString ruta = crearAlmacen(carpeta);
    int k = 1;
    for (auto _ : estado) {
        // A record in the middle, so that both halves are copied.
        if (!ah::borrarRegistro(ruta, Registros / 2 + (k++ % 100), nullptr)) {
            estado.SkipWithError("delete failed");
        }
    }
}
BENCHMARK(BM_BorrarRegistroHistorial)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

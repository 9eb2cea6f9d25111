// The message store with 100,000 records.
// Targets: read under 300 ms; one append under 5 ms (an append never rewrites);
// deleting one record under 500 ms.
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "historial/almacenhistorial.h"

namespace ah = almacen_historial;

namespace {

constexpr int Registros = 100000;

RegistroHistorial ejemplo(int i)
{
    RegistroHistorial r;
    r.fecha = QDateTime(QDate(2012, 11, 19), QTime(0, 0)).addSecs(i * 37);
    r.destinatario = QStringLiteral("Contacto número ") + QString::number(i % 500);
    r.destino = QStringLiteral("011 4") + QString::number(1000000 + i);
    r.remitente = QStringLiteral("Ana");
    r.mensaje = (i % 7 == 0) ? QStringLiteral("Hola, ¿cómo estás?\r\nNos vemos mañana a las 8 en la plaza.")
                             : QStringLiteral("te espero a las 9 en la esquina, no llegues tarde q hay q ir al banco");
    r.proveedor = QStringLiteral("Argentina - Personal");
    return r;
}

// Writes the header and the records in one go (much faster than 100,000 appends).
QString crearAlmacen(const QTemporaryDir &carpeta)
{
    const QString ruta = carpeta.filePath(QStringLiteral("Historial.ntxhist"));
    QByteArray todo = "NTXHistorial1.0\r\n";
    for (int i = 0; i < Registros; ++i) {
        todo += ah::lineaRegistro(ejemplo(i)) + "\r\n";
    }
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(todo) != todo.size()) {
        return {};
    }
    return ruta;
}

void BM_LeerHistorial(benchmark::State &estado)
{
    QTemporaryDir carpeta;
    const QString ruta = crearAlmacen(carpeta);
    for (auto _ : estado) {
        TablaHistorial tabla;
        const auto resultado = ah::leer(ruta, tabla);
        if (resultado != HistorialLeido || tabla.size() != Registros) {
            estado.SkipWithError("the store did not read back whole");
        }
        benchmark::DoNotOptimize(tabla.data());
    }
    estado.counters["MB"] = double(QFile(ruta).size()) / (1024 * 1024);
}
BENCHMARK(BM_LeerHistorial)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AgregarAlHistorial(benchmark::State &estado)
{
    QTemporaryDir carpeta;
    const QString ruta = crearAlmacen(carpeta);
    const RegistroHistorial nuevo = ejemplo(7);
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

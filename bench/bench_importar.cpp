// Targets: a 10,000-card vCard file read, its numbers split and the preview built
// under 1 s; those 10,000 contacts stored in the settings store under 1 s; the
// history list filtered at a keystroke over 100,000 records under 30 ms; those
// 100,000 records written as CSV under 1 s.
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "agenda/importacioncontactos.h"
#include "agenda/lectorcontactos.h"
#include "datosbanco.h"
#include "historial/busquedahistorial.h"
#include "historial/exportarhistorial.h"
#include "historial/modelohistorial.h"
#include "plataforma/ajustessqlite.h"

namespace {

constexpr int Tarjetas = 10000;
constexpr int Registros = 100000;

// A phone's export: 3.0 cards with two numbers each, every tenth with a photo.
QByteArray ArchivoVCard()
{
    QByteArray b;
    b.reserve(Tarjetas * 200);
    for (int i = 0; i < Tarjetas; ++i) {
        b += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Contacto N\xC3\xBAmero " + QByteArray::number(i) + "\r\n";
        b += "N:N\xC3\xBAmero " + QByteArray::number(i) + ";Contacto;;;\r\n";
        b += "TEL;TYPE=HOME:0351 422" + QByteArray::number(1000 + i % 9000) + "\r\n";
        b += "TEL;TYPE=CELL:+54 9 351 5" + QByteArray::number(100000 + i) + "\r\n";
        if (i % 10 == 0)
            b += "PHOTO;ENCODING=b;TYPE=JPEG:" + QByteArray(600, 'A') + "\r\n " + QByteArray(600, 'B') + "\r\n";
        b += "END:VCARD\r\n";
    }
    return b;
}

void BM_ImportarVCard(benchmark::State &estado)
{
    const QByteArray archivo = ArchivoVCard();
    for (auto _ : estado) {
        const Agenda::LecturaContactos l = Agenda::LeerContactosDeOtroPrograma(archivo);
        Agenda::VistaPreviaImportacion v;
        Agenda::PrepararImportacion(l.contactos, Agenda::RegionNumeros::Argentina, {}, &v);
        if (v.filas.size() != Tarjetas)
            estado.SkipWithError("faltan contactos en la vista previa");
        benchmark::DoNotOptimize(v);
    }
    estado.counters["tarjetas"] = Tarjetas;
}
BENCHMARK(BM_ImportarVCard)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GuardarContactos(benchmark::State &estado)
{
    const QByteArray archivo = ArchivoVCard();
    Agenda::VistaPreviaImportacion v;
    Agenda::PrepararImportacion(Agenda::LeerContactosDeOtroPrograma(archivo).contactos,
                                Agenda::RegionNumeros::Argentina, {}, &v);
    for (Agenda::FilaImportacion &f : v.filas)
        f.proveedor = Agenda::ProveedorPersonal;
    for (auto _ : estado) {
        estado.PauseTiming();
        QTemporaryDir carpeta;
        AjustesSqlite ajustes(carpeta.path());
        ajustes.escribir(SeccionMensajes, QStringLiteral("x"), QStringLiteral("y")); // the store exists
        estado.ResumeTiming();
        const Agenda::PlanGuardado plan = Agenda::PlanificarGuardado(v, {});
        if (!ajustes.escribirVarios(SeccionAgenda, plan.pares) || plan.pares.size() != Tarjetas)
            estado.SkipWithError("no se guardaron los contactos");
    }
    estado.counters["contactos"] = Tarjetas;
}
BENCHMARK(BM_GuardarContactos)->Unit(benchmark::kMillisecond)->UseRealTime();

almacen_historial::HistorialIndexado Historial()
{
    almacen_historial::HistorialIndexado h;
    h.leerDatos(almacenDeEjemplo(Registros));
    return h;
}

// The first search of a window: the folded texts are made then.
void BM_IndiceBusqueda(benchmark::State &estado)
{
    const almacen_historial::HistorialIndexado h = Historial();
    for (auto _ : estado) {
        busqueda_historial::IndiceBusqueda indice;
        indice.construir(h);
        benchmark::DoNotOptimize(indice);
    }
}
BENCHMARK(BM_IndiceBusqueda)->Unit(benchmark::kMillisecond)->UseRealTime();

// One keystroke: the list model filtered, as the window's search box does it. The
// argument picks the search: 0 a word in every record, 1 a rare one, 2 typed on
// (narrows the last search), 3 cleared.
void BM_FiltrarPorTecla(benchmark::State &estado)
{
    ModeloHistorial modelo;
    modelo.cargar(Historial());
    modelo.sort(ModeloHistorial::ColFecha, Qt::DescendingOrder);
    modelo.filtrar(QStringLiteral("x")); // the index, made once per window
    const int caso = int(estado.range(0));
    for (auto _ : estado) {
        estado.PauseTiming();
        modelo.filtrar(caso == 2 ? QStringLiteral("contacto numero 1") : QStringLiteral("zz"));
        estado.ResumeTiming();
        switch (caso) {
        case 0:
            modelo.filtrar(QStringLiteral("esquina"));
            break;
        case 1:
            modelo.filtrar(QStringLiteral("mañana plaza"));
            break;
        case 2:
            modelo.filtrar(QStringLiteral("contacto numero 12"));
            break;
        default:
            modelo.filtrar(QString());
            break;
        }
        benchmark::DoNotOptimize(modelo.rowCount());
    }
    estado.counters["mostrados"] = modelo.rowCount();
}
// A fixed count: the paused search before each keystroke costs more than the one measured.
BENCHMARK(BM_FiltrarPorTecla)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ExportarCsv(benchmark::State &estado)
{
    const almacen_historial::HistorialIndexado h = Historial();
    QList<int> todos(Registros);
    for (int i = 0; i < Registros; ++i)
        todos[i] = i;
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("historial.csv"));
    for (auto _ : estado) {
        QString error;
        if (!exportar_historial::EscribirCsv(ruta, h, todos, &error))
            estado.SkipWithError("no se pudo escribir el CSV");
    }
    estado.counters["registros"] = Registros;
}
BENCHMARK(BM_ExportarCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

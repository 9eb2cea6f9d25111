// The rules of the text-change pass and the abbreviation file, without windows.
// Targets: one pass on a 400-character message with LenguajeMate on and 1,000
// user abbreviations under 50 µs; export of 1,000 abbreviations under 200 ms;
// import of 1,000 into the real settings store under 30 ms.
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "dobles/dialogosguion.h"
#include "dobles/sistemafalso.h"
#include "mejoras/abreviaturas.h"
#include "mejoras/archivoabreviaturas.h"
#include "mejoras/pasadatexto.h"
#include "plataforma/ajustessqlite.h"

namespace {

ParesAbreviatura milAbreviaturas()
{
    ParesAbreviatura tabla;
    for (int i = 0; i < 1000; ++i)
        tabla.append({QStringLiteral("pal%1").arg(i), QStringLiteral("reemplazo número %1, con algo de texto").arg(i)});
    return tabla;
}

QString mensajeDe400()
{
    QString m;
    while (m.size() < 399)
        m += QStringLiteral("hola mundo ");
    m.truncate(399);
    return m + u' '; // ends in a delimiter: every pair is compared
}

void BM_PasadaSinCoincidencia(benchmark::State &estado)
{
    const ParesAbreviatura tabla = milAbreviaturas();
    const QString mensaje = mensajeDe400();
    OpcionesPasada op;
    op.lenguajeMate = true;
    op.abreviaturas = true;
    op.tabla = &tabla;
    for (auto _ : estado) {
        QString texto = mensaje;
        benchmark::DoNotOptimize(ProcesarTexto(texto, op));
    }
}
BENCHMARK(BM_PasadaSinCoincidencia)->Unit(benchmark::kMicrosecond);

void BM_PasadaConLaUltimaAbreviatura(benchmark::State &estado)
{
    const ParesAbreviatura tabla = milAbreviaturas();
    const QString mensaje = mensajeDe400().left(300) + QStringLiteral(" pal999 ");
    OpcionesPasada op;
    op.lenguajeMate = true;
    op.abreviaturas = true;
    op.tabla = &tabla;
    for (auto _ : estado) {
        QString texto = mensaje;
        if (ProcesarTexto(texto, op) != 1)
            estado.SkipWithError("la abreviatura no se aplicó");
    }
}
BENCHMARK(BM_PasadaConLaUltimaAbreviatura)->Unit(benchmark::kMicrosecond);

struct Archivos
{
    QTemporaryDir carpeta;
    AjustesSqlite ajustes{carpeta.path()};
    DialogosGuion dialogos;
    SistemaFalso sistema;
    QString ruta = carpeta.filePath(QStringLiteral("mil.ntxabrev"));
};

void BM_ExportarMil(benchmark::State &estado)
{
    Archivos a;
    for (const auto &par : milAbreviaturas())
        GuardarAbreviatura(a.ajustes, par.first, par.second);
    for (auto _ : estado) {
        a.dialogos.nombresDeArchivo << a.ruta;
        ExportarAbreviaturas(a.ajustes, a.dialogos, a.sistema);
    }
    if (a.dialogos.llamadas.last().texto != QStringLiteral("Las Abreviaturas se exportaron con exito"))
        estado.SkipWithError("la exportación falló");
}
BENCHMARK(BM_ExportarMil)->Unit(benchmark::kMillisecond);

void BM_ImportarMil(benchmark::State &estado)
{
    Archivos origen;
    for (const auto &par : milAbreviaturas())
        GuardarAbreviatura(origen.ajustes, par.first, par.second);
    origen.dialogos.nombresDeArchivo << origen.ruta;
    ExportarAbreviaturas(origen.ajustes, origen.dialogos, origen.sistema);
    for (auto _ : estado) {
        estado.PauseTiming();
        auto destino = std::make_unique<Archivos>();
        destino->dialogos.nombresDeArchivo << origen.ruta;
        // The client's store always exists by the time the user imports: its
        // creation is not part of the import.
        destino->ajustes.escribir(QStringLiteral("Mensajes"), QStringLiteral("Remitente0"), QStringLiteral("Ana"));
        estado.ResumeTiming();
        ImportarAbreviaturas(destino->ajustes, destino->dialogos, destino->sistema);
        estado.PauseTiming();
        if (LeerTablaAbreviaturas(destino->ajustes).size() != 1000)
            estado.SkipWithError("no se importaron las 1000");
        destino.reset();
        estado.ResumeTiming();
    }
}
BENCHMARK(BM_ImportarMil)->Unit(benchmark::kMillisecond);

} // namespace

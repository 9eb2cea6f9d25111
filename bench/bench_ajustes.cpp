// The settings store with 10,000 keys in one section: read one key, write one key,
// enumerate the section.
#include "plataforma/ajustessqlite.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int cantidadClaves = 10000;

struct AlmacenLleno
{
    QTemporaryDir carpeta;
    AjustesSqlite ajustes{carpeta.path()};

    AlmacenLleno()
    {
        for (int i = 0; i < cantidadClaves; ++i)
            ajustes.escribir(QStringLiteral("Agenda1.0"), QStringLiteral("Contacto número %1").arg(i),
                             QStringLiteral("$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU07555%1").arg(i, 4));
    }
};

AlmacenLleno &almacen()
{
    static AlmacenLleno a;
    return a;
}

void leerUnaClave(benchmark::State &estado)
{
    auto &a = almacen();
    int i = 0;
    for (auto _ : estado) {
        const QString valor =
            a.ajustes.leer(QStringLiteral("Agenda1.0"), QStringLiteral("CONTACTO NÚMERO %1").arg(i++ % cantidadClaves));
        benchmark::DoNotOptimize(valor);
    }
}

void escribirUnaClave(benchmark::State &estado)
{
    auto &a = almacen();
    int i = 0;
    for (auto _ : estado) {
        ++i;
        const bool ok = a.ajustes.escribir(QStringLiteral("Agenda1.0"),
                                           QStringLiteral("Contacto número %1").arg(i % cantidadClaves),
                                           QStringLiteral("valor %1").arg(i));
        if (!ok)
            estado.SkipWithError("la escritura falló");
    }
}

void enumerarSeccion(benchmark::State &estado)
{
    auto &a = almacen();
    for (auto _ : estado) {
        const ParesAjustes pares = a.ajustes.enumerar(QStringLiteral("Agenda1.0"));
        if (pares.size() != cantidadClaves)
            estado.SkipWithError("faltan claves");
        benchmark::DoNotOptimize(pares);
    }
}

} // namespace

BENCHMARK(leerUnaClave)->Unit(benchmark::kMicrosecond);
BENCHMARK(escribirUnaClave)->Unit(benchmark::kMicrosecond);
BENCHMARK(enumerarSeccion)->Unit(benchmark::kMillisecond);

// Refreshing the contact list and quick slots, and naming the recipient of the
// number being typed, with 10,000 contacts in the real settings store.
// Targets: ActualizarAgenda under 100 ms; one recipient lookup under 20 us.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "agenda/registrocontacto.h"
#include "datosbanco.h"
#include "dobles/avisosguion.h"
#include "dobles/controlesventana.h"
#include "dobles/vistawebguion.h"
#include "plataforma/ajustessqlite.h"
#include "plataforma/dialogosqt.h"
#include "plataforma/instanciaunicareal.h"
#include "plataforma/sistemareal.h"
#include "shell/frmbrowser.h"

namespace {

struct Escenario
{
    QTemporaryDir carpeta;
    AjustesSqlite ajustes{carpeta.path()};
    DialogosQt dialogos;
    SistemaReal sistema;
    InstanciaUnicaReal instancia;
    AvisosGuion avisos;
    Contexto ctx{ajustes,
                 dialogos,
                 sistema,
                 instancia,
                 avisos,
                 [](QWidget *p) { return new VistaWebGuion(p); },
                 Direcciones::desdeEntorno()};
    frmBrowser ventana{ctx};

    Escenario()
    {
        llenarAgenda(ajustes, 10000);
        for (int n = 1; n <= 10; ++n)
            ajustes.escribir(SeccionMensajes, ClaveRapida(n), QStringLiteral("Contacto %1").arg(n * 900));
    }
};

// Built after the application object and gone before it.
std::unique_ptr<Escenario> escenario;

Escenario &Compartido()
{
    if (!escenario)
        escenario = std::make_unique<Escenario>();
    return *escenario;
}

void BM_ActualizarAgenda(benchmark::State &estado)
{
    Escenario &e = Compartido();
    for (auto _ : estado)
        e.ventana.contactos().ActualizarAgenda();
    estado.counters["contactos"] = static_cast<double>(e.ctx.contactos.size());
}
BENCHMARK(BM_ActualizarAgenda)->Unit(benchmark::kMillisecond);

void BM_MostrarDestinatarioPorNumero(benchmark::State &estado)
{
    Escenario &e = Compartido();
    e.ventana.contactos().ActualizarAgenda();
    controlesDe(e.ventana).txtCodArea->blockSignals(true);
    controlesDe(e.ventana).txtNumero->blockSignals(true);
    controlesDe(e.ventana).txtCodArea->setText(QStringLiteral("351"));
    // The last contact: the walk crosses the whole list, as for a number nobody has.
    controlesDe(e.ventana).txtNumero->setText(QString::number(4000000 + 9999));
    for (auto _ : estado)
        e.ventana.contactos().MostrarDestinatario();
    if (controlesDe(e.ventana).lblNombreDestinatario->text() != QStringLiteral("Contacto 9999"))
        estado.SkipWithError("el destinatario no se encontró");
}
BENCHMARK(BM_MostrarDestinatarioPorNumero)->Unit(benchmark::kMicrosecond);

// The lookup alone, for the last contact and for a number being typed that nobody
// has: the walk over every record (kept as the reference) against the index.
const QString NumerosBuscados[] = {QString::number(4000000 + 9999), QStringLiteral("400999")};

void BM_BuscarPorNumeroRecorrido(benchmark::State &estado)
{
    Escenario &e = Compartido();
    e.ventana.contactos().ActualizarAgenda();
    const QString &numero = NumerosBuscados[estado.range(0)];
    for (auto _ : estado)
        benchmark::DoNotOptimize(Agenda::BuscarPorNumero(e.ctx.contactos, QStringLiteral("351"), numero));
}
BENCHMARK(BM_BuscarPorNumeroRecorrido)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_BuscarPorNumeroIndice(benchmark::State &estado)
{
    Escenario &e = Compartido();
    e.ventana.contactos().ActualizarAgenda();
    Agenda::IndiceContactos indice;
    indice.construir(e.ctx.contactos);
    const QString &numero = NumerosBuscados[estado.range(0)];
    const int esperado = Agenda::BuscarPorNumero(e.ctx.contactos, QStringLiteral("351"), numero);
    for (auto _ : estado)
        benchmark::DoNotOptimize(indice.buscarPorNumero(e.ctx.contactos, QStringLiteral("351"), numero));
    if (indice.buscarPorNumero(e.ctx.contactos, QStringLiteral("351"), numero) != esperado)
        estado.SkipWithError("el índice no da la fila del recorrido");
}
BENCHMARK(BM_BuscarPorNumeroIndice)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    escenario.reset();
    return 0;
}

// The agenda file and the address book window with 10,000 contacts in the real
// settings store. Targets: export under 1 s, import under 1 s, opening the
// address book under 300 ms.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "agenda/exportaragenda.h"
#include "agenda/frmagenda.h"
#include "agenda/principalagenda.h"
#include "agenda/registrocontacto.h"
#include "comun/contexto.h"
#include "datosbanco.h"
#include "dobles/avisosguion.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "plataforma/ajustessqlite.h"
#include "plataforma/sistemareal.h"

namespace {

class PrincipalQuieta final : public PrincipalAgenda
{
public:
    void NuevoContacto() override {}
    bool ModificarContacto(const QString &, const QString &, const QString &, const QString &) override { return true; }
    void EscribirAContacto(const QString &, const QString &, const QString &, const QString &) override {}
    void ActualizarAgenda() override {}
    void IniciarPanelContactos() override {}
    QWidget *ventana() override { return nullptr; }
};

struct Escenario
{
    QTemporaryDir carpeta;
    AjustesSqlite ajustes{carpeta.path()};
    DialogosGuion dialogos;
    SistemaReal sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos;
    Contexto ctx{ajustes, dialogos, sistema, instancia, avisos, FabricaVistaWeb(), Direcciones::desdeEntorno()};
    PrincipalQuieta principal;
    QString archivo = carpeta.filePath(QStringLiteral("agenda.ntxagenda"));

    Escenario() { llenarAgenda(ajustes, 10000); }
};

std::unique_ptr<Escenario> escenario;

Escenario &Compartido()
{
    if (!escenario)
        escenario = std::make_unique<Escenario>();
    return *escenario;
}

void BM_ExportarAgenda(benchmark::State &estado)
{
    Escenario &e = Compartido();
    for (auto _ : estado) {
        e.dialogos.nombresDeArchivo = {e.archivo};
        Agenda::ExportarAgenda(e.ctx);
    }
    if (e.dialogos.llamadas.last().texto != QStringLiteral("La Agenda se exportó con exito"))
        estado.SkipWithError("la Agenda no se exportó");
}
BENCHMARK(BM_ExportarAgenda)->Unit(benchmark::kMillisecond);

void BM_ImportarAgenda(benchmark::State &estado)
{
    Escenario &e = Compartido();
    e.dialogos.nombresDeArchivo = {e.archivo};
    Agenda::ExportarAgenda(e.ctx);
    for (auto _ : estado) {
        estado.PauseTiming();
        e.ajustes.borrarSeccion(SeccionAgenda);
        e.dialogos.nombresDeArchivo = {e.archivo};
        estado.ResumeTiming();
        Agenda::ImportarAgenda(e.ctx, e.principal);
    }
    if (e.dialogos.llamadas.last().texto != QStringLiteral("Se ha importado correctamente la Agenda") ||
        e.ajustes.enumerar(SeccionAgenda).size() != 10000)
        estado.SkipWithError("la Agenda no se importó entera");
}
BENCHMARK(BM_ImportarAgenda)->Unit(benchmark::kMillisecond);

void BM_AbrirFrmAgenda(benchmark::State &estado)
{
    Escenario &e = Compartido();
    int nodos = 0;
    for (auto _ : estado) {
        frmAgenda ventana(e.ctx, e.principal);
        nodos = ControlesFrmAgenda::buscar(ventana).tvwAgenda->topLevelItemCount();
        ventana.show();
        QCoreApplication::processEvents();
    }
    if (nodos != 10000)
        estado.SkipWithError("faltan contactos en el árbol");
}
BENCHMARK(BM_AbrirFrmAgenda)->Unit(benchmark::kMillisecond);

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

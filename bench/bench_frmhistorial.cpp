// The history window over a store of 100,000 records (offscreen).
// Targets: opening to a usable, painted list under 1 s (300 ms hoped for);
// sorting 100,000 rows by date under 200 ms; deleting one record, reload
// included, under 1 s.
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "datosbanco.h"
#include "dobles/contextoprueba.h"
#include "historial/frmhistorial.h"
#include "historial/historial.h"
#include "historial/principalhistorial.h"

namespace {

constexpr int Registros = 100000;

class PrincipalBanco final : public PrincipalHistorial
{
public:
    QWidget *ventana() override { return &principal; }
    bool escrituraVisible() const override { return true; }
    void reenviar(const QString &, const QString &) override {}
    void enfocarDestino() override {}
    QWidget principal;
};

struct Escenario
{
    QTemporaryDir carpeta;
    ContextoPrueba c;
    PrincipalBanco p;

    Escenario()
    {
        c.sistema.datosLocales = carpeta.path() + QLatin1Char('/');
        // As the real system does: paint and timers run, user input waits.
        c.sistema.alDejarCorrerMensajes = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
        p.principal.resize(400, 300);
        p.principal.show();
    }

    bool crearAlmacen()
    {
        const QString ruta = RutaHistorial(c.ctx);
        const QByteArray todo = almacenDeEjemplo(Registros);
        QDir().mkpath(QFileInfo(ruta).absolutePath());
        QFile f(ruta);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(todo) == todo.size();
    }
};

// Loads the window and lets it paint: the list is on screen and answers.
bool abrir(frmHistorial &ventana)
{
    const bool abierta = ventana.Abrir();
    QCoreApplication::processEvents();
    return abierta && ventana.isVisible();
}

// A click on a column's header, as the user gives it.
void clicEnCabecera(frmHistorial &ventana, int columna)
{
    QHeaderView *h = ControlesFrmHistorial::buscar(ventana).lvwHistorial->header();
    const QPointF punto(h->sectionViewportPosition(columna) + h->sectionSize(columna) / 2, h->height() / 2);
    for (const QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent clic(tipo, punto, h->viewport()->mapToGlobal(punto), Qt::LeftButton,
                         tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h->viewport(), &clic);
    }
}

void BM_AbrirHistorial(benchmark::State &estado)
{
    Escenario e;
    if (!e.crearAlmacen()) {
        estado.SkipWithError("no store");
        return;
    }
    for (auto _ : estado) {
        auto ventana = std::make_unique<frmHistorial>(e.c.ctx, e.p, &e.p.principal);
        if (!abrir(*ventana) || ventana->modelo()->rowCount() != Registros) {
            estado.SkipWithError("the list is not whole");
        }
        estado.PauseTiming();
        ControlesFrmHistorial::buscar(*ventana).cmdCerrar->click();
        ventana.reset();
        estado.ResumeTiming();
    }
}
BENCHMARK(BM_AbrirHistorial)->Unit(benchmark::kMillisecond)->Iterations(5);

// Each click reverses the order: ascending, descending, ...
void BM_OrdenarPorFecha(benchmark::State &estado)
{
    Escenario e;
    if (!e.crearAlmacen()) {
        estado.SkipWithError("no store");
        return;
    }
    frmHistorial ventana(e.c.ctx, e.p, &e.p.principal);
    abrir(ventana);
    for (auto _ : estado) {
        clicEnCabecera(ventana, ModeloHistorial::ColFecha);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OrdenarPorFecha)->Unit(benchmark::kMillisecond)->Iterations(10);

// The first sort by a text column, which builds that column's sort keys.
void BM_OrdenarPorDestinatario(benchmark::State &estado)
{
    Escenario e;
    if (!e.crearAlmacen()) {
        estado.SkipWithError("no store");
        return;
    }
    frmHistorial ventana(e.c.ctx, e.p, &e.p.principal);
    abrir(ventana);
    for (auto _ : estado) {
        estado.PauseTiming();
        almacen_historial::HistorialIndexado historial;
        LeerHistorial(e.c.ctx, historial);
        ventana.modelo()->cargar(std::move(historial));
        estado.ResumeTiming();
        clicEnCabecera(ventana, ModeloHistorial::ColDestinatario);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OrdenarPorDestinatario)->Unit(benchmark::kMillisecond)->Iterations(5);

// Delete the selected record after the scripted "Sí", then the reload.
void BM_EliminarUno(benchmark::State &estado)
{
    Escenario e;
    if (!e.crearAlmacen()) {
        estado.SkipWithError("no store");
        return;
    }
    frmHistorial ventana(e.c.ctx, e.p, &e.p.principal);
    abrir(ventana);
    int quedan = Registros;
    const ControlesFrmHistorial c = ControlesFrmHistorial::buscar(ventana);
    for (auto _ : estado) {
        c.lvwHistorial->setCurrentIndex(ventana.modelo()->index(quedan / 2, 0));
        c.cmdEliminar->click();
        QCoreApplication::processEvents();
        if (ventana.modelo()->rowCount() != --quedan) {
            estado.SkipWithError("the record was not deleted");
        }
    }
}
BENCHMARK(BM_EliminarUno)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

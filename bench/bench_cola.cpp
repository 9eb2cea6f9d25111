// A queue of 200 recipients from the address book. Targets: building the list
// from the contacts, the per-recipient checks (with directive lists of tens of
// entries) and the summary in the queue window, together under 50 ms; memory
// that does not grow with each delivered message (heap in use measured after
// whole queues of 200 deliveries, with the delivery windows stood in for).
#include <QApplication>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "agenda/grupos.h"
#include "agenda/registrocontacto.h"
#include "dobles/contextoprueba.h"
#include "envio/controladorcola.h"
#include "envio/controladorenvio.h"
#include "envio/proveedores.h"

namespace {

constexpr int Destinatarios = 200;

Contactos agenda()
{
    Contactos c;
    const QStringList proveedores{Proveedores::Claro, Proveedores::Personal, Proveedores::Movilnet};
    for (int i = 0; i < Destinatarios; ++i) {
        const QString nombre = QStringLiteral("Contacto %1").arg(i);
        const QString proveedor = proveedores.at(i % 3);
        const bool movilnet = proveedor == Proveedores::Movilnet;
        QString registro;
        Agenda::EscribirRegistro({nombre, proveedor, movilnet ? QStringLiteral("16") : QStringLiteral("351"),
                                  QStringLiteral("55%1").arg(i, 5, 10, QLatin1Char('0'))},
                                 &registro, nullptr);
        c.append({nombre, registro});
    }
    return c;
}

ConfiguracionRemota directivas()
{
    ConfiguracionRemota c;
    c.cargada = true;
    for (QStringList *l : {&c.nblo, &c.pblo, &c.psin, &c.pser})
        l->append(QString());
    for (int i = 0; i < 50; ++i) {
        c.nblo.append(QStringLiteral("0114%1").arg(i, 6, 10, QLatin1Char('0')));
        c.pser.append(QStringLiteral("Otro - %1$host").arg(i));
    }
    c.psin.append(Proveedores::Claro);
    return c;
}

MensajeSaliente base()
{
    MensajeSaliente m;
    m.remitente = QStringLiteral("Juan");
    m.texto = QStringLiteral("Nos vemos el sábado a las 9 en la plaza");
    m.cuenta = int(m.remitente.size() + m.texto.size());
    return m;
}

QStringList nombres(const Contactos &c)
{
    QStringList n;
    for (const FilaContacto &f : c)
        n.append(f.nombre);
    return n;
}

// List, checks, question and the summary in the window, as "Enviar Mensaje" and the end of a queue do.
void BM_Cola200ListaChequeosResumen(benchmark::State &estado)
{
    ContextoPrueba p;
    LimitesEnvio limites;
    const Contactos contactos = agenda();
    const QStringList miembros = nombres(contactos);
    const ConfiguracionRemota config = directivas();
    const bool conVentana = estado.range(0) != 0;
    for (auto _ : estado) {
        ColaEnvio cola(p.sistema, limites);
        const QList<DestinatarioCola> lista = Agenda::DestinatariosDeContactos(contactos, miembros);
        MensajeSaliente m = base();
        m.maximo = MenorMaximo(lista).maximo;
        cola.preparar(m, lista, config);
        benchmark::DoNotOptimize(cola.textoPregunta(config));
        if (conVentana) {
            // A queue window of its own each time, as a new queue fills it from empty.
            frmCola ventana;
            ventana.mostrarResumen(cola, true);
        }
        benchmark::DoNotOptimize(cola.textoTotales());
    }
    estado.counters["destinatarios"] = Destinatarios;
}
// Argument 0: the rules alone; 1: with the summary's rows in the queue window.
BENCHMARK(BM_Cola200ListaChequeosResumen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Whole queues of 200 through the controller; the heap in use after each queue.
void BM_MemoriaPorMensajeEntregado(benchmark::State &estado)
{
    ContextoPrueba p;
    QWidget raiz;
    ControladorEnvio envio(p.ctx, &raiz);
    ControladorCola controlador(p.ctx, envio);
    const Contactos contactos = agenda();
    const QList<DestinatarioCola> lista = Agenda::DestinatariosDeContactos(contactos, nombres(contactos));
    qint64 entregados = 0;
    controlador.entregar = [&](const MensajeSaliente &m) {
        ++entregados;
        // The rate windows are the subject of the unit tests; here they never fill.
        envio.ContadorCorto = 0;
        envio.ContadorLargo = 0;
        Q_EMIT envio.envioTerminado(m, ResultadoEnvio{true, QStringLiteral("enviado"), true});
    };
    MensajeSaliente m = base();
    m.maximo = 120;
    const auto unaCola = [&] {
        controlador.Iniciar(m, lista);
        while (controlador.activa())
            QCoreApplication::processEvents();
    };
    unaCola(); // first queue: the window and the list reach their size
    const size_t antes = mallinfo2().uordblks;
    const qint64 entregadosAntes = entregados;
    for (auto _ : estado)
        unaCola();
    const size_t despues = mallinfo2().uordblks;
    const double porMensaje =
        double(qint64(despues) - qint64(antes)) / double(qMax<qint64>(1, entregados - entregadosAntes));
    estado.counters["bytes_por_mensaje"] = porMensaje;
    estado.counters["entregados"] = double(entregados - entregadosAntes);
}
BENCHMARK(BM_MemoriaPorMensajeEntregado)->Unit(benchmark::kMillisecond)->Iterations(20);

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

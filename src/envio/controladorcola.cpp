#include "envio/controladorcola.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "comun/contexto.h"
#include "comun/imagenestado.h"
#include "envio/controladorenvio.h"

ControladorCola::ControladorCola(Contexto &contexto, ControladorEnvio &envio, QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , m_envio(envio)
    , m_cola(contexto.sistema, envio)
{
    entregar = [this](const MensajeSaliente &m) { m_envio.EnviarMensaje(m, Qt::WindowModal); };
    connect(&m_envio, &ControladorEnvio::envioTerminado, this, &ControladorCola::alTerminarEnvio);
}

ControladorCola::~ControladorCola() = default;

bool ControladorCola::Iniciar(const MensajeSaliente &base, const QList<DestinatarioCola> &destinatarios)
{
    if (m_activa) {
        ctx.dialogos.mensaje(QStringLiteral("Ya se está enviando un mensaje a varios destinatarios. Espere a que "
                                            "termine o presione Detener en la ventana del envío."),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return false;
    }
    MensajeSaliente comun = base;
    const MaximoCola menor = MenorMaximo(destinatarios);
    if (!menor.proveedor.isEmpty())
        comun.maximo = menor.maximo;
    if (!ValidarMensajeComun(comun, ctx.ConfiguracionRemota, ctx.dialogos))
        return false;
    m_cola.preparar(comun, destinatarios, ctx.ConfiguracionRemota);
    m_cola.sigueEnAgenda = sigueEnAgenda;
    if (m_cola.aEnviar() == 0) {
        QString motivos;
        for (const ColaEnvio::Elemento &e : m_cola.elementos())
            motivos += QStringLiteral("\r\n · ") + e.mensaje.DestinatarioNombre() + QStringLiteral(": ") + e.motivo;
        ctx.dialogos.mensaje(QStringLiteral("No se puede enviar el mensaje a ninguno de los destinatarios.") +
                                 (motivos.isEmpty() ? QString() : QStringLiteral("\r\n") + motivos),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return false;
    }
    if (ctx.dialogos.mensaje(m_cola.textoPregunta(ctx.ConfiguracionRemota), Dialogos::Botones::SiNo,
                             Dialogos::Icono::Pregunta,
                             QStringLiteral("Enviar a varios destinatarios")) != Dialogos::Respuesta::Si)
        return false;

    // A window of its own, not the main window's child: the delivery windows
    // block the main window only, and "Detener" stays within reach.
    if (!m_ventana) {
        m_ventana = std::make_unique<frmCola>();
        connect(m_ventana.get(), &frmCola::detener, this, &ControladorCola::Detener);
        connect(m_ventana.get(), &frmCola::reintentar, this, &ControladorCola::reintentar);
        connect(m_ventana.get(), &frmCola::esperaTic, this, &ControladorCola::esperaTic);
        // In the screen's top right corner: the delivery windows open in the middle.
        if (const QScreen *pantalla = QGuiApplication::primaryScreen()) {
            const QRect area = pantalla->availableGeometry();
            m_ventana->move(area.right() - m_ventana->frameGeometry().width() - 8, area.top() + 8);
        }
    }
    m_activa = true;
    m_ventana->mostrarResumen(m_cola, false);
    m_ventana->show();
    m_ventana->raise();
    programarAvance();
    return true;
}

void ControladorCola::programarAvance()
{
    // From the event loop, so the main window repaints and answers between deliveries.
    QTimer::singleShot(0, this, &ControladorCola::avanzar);
}

void ControladorCola::avanzar()
{
    if (!m_activa || m_entregando)
        return;
    int indice = -1;
    qint64 espera = 0;
    switch (m_cola.siguiente(&indice, &espera)) {
    case ColaEnvio::Paso::Terminada:
        terminar();
        return;
    case ColaEnvio::Paso::Esperar:
        m_ventana->mostrarEspera(ColaEnvio::textoEspera(espera));
        return;
    case ColaEnvio::Paso::Enviar:
        break;
    }
    m_ventana->mostrarEspera({});
    m_ventana->mostrarProgreso(m_cola.textoProgreso(indice));
    m_ventana->mostrarResumen(m_cola, false);
    // Above the main window, so "Detener" stays in sight beside the delivery window.
    m_ventana->raise();
    m_actual = indice;
    m_hayResultado = false;
    m_entregando = true;
    entregar(m_cola.elementos().at(indice).mensaje);
    m_entregando = false;
    // Closed without an answer: the user cancelled this one; the queue goes on.
    if (!m_hayResultado)
        m_cola.cancelar(indice);
    m_actual = -1;
    if (m_ventana)
        m_ventana->mostrarResumen(m_cola, false);
    programarAvance();
}

void ControladorCola::alTerminarEnvio(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado)
{
    Q_UNUSED(mensaje);
    if (!m_entregando || m_actual < 0)
        return;
    m_hayResultado = true;
    m_cola.terminar(m_actual, resultado);
}

void ControladorCola::esperaTic()
{
    if (!m_activa)
        return;
    if (m_envio.cabeOtro() || m_cola.detenida()) {
        m_ventana->mostrarEspera({});
        avanzar();
        return;
    }
    m_ventana->mostrarEspera(ColaEnvio::textoEspera(qMax<qint64>(1000, m_envio.esperaMs(ctx.sistema.ahora()))));
}

void ControladorCola::Detener()
{
    if (!m_activa)
        return;
    m_cola.detener();
    // Waiting: nothing is under way, the queue ends now.
    if (!m_entregando)
        avanzar();
}

void ControladorCola::reintentar()
{
    if (m_activa || m_cola.reintentar(ctx.ConfiguracionRemota) == 0) {
        if (m_ventana)
            m_ventana->mostrarResumen(m_cola, true);
        return;
    }
    m_activa = true;
    m_ventana->mostrarResumen(m_cola, false);
    programarAvance();
}

void ControladorCola::terminar()
{
    m_activa = false;
    m_ventana->mostrarResumen(m_cola, true);
    // The summary comes to the front, over the main window the last delivery left active.
    m_ventana->show();
    m_ventana->raise();
    m_ventana->activateWindow();
    const ColaEnvio::Totales t = m_cola.totales();
    Q_EMIT estado(t.enviados > 0 && t.noEnviados == 0 ? ImagenEnviado : ImagenNoEnviado, m_cola.textoTotales());
    Q_EMIT terminada();
}

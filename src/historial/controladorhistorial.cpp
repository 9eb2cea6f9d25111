#include "historial/controladorhistorial.h"
#include "comun/imagenestado.h"

#include <QAction>
#include <QCheckBox>
#include <QSignalBlocker>

#include "historial/frmhistorial.h"
#include "historial/historial.h"

ControladorHistorial::ControladorHistorial(Contexto &contexto, VentanaHistorial &ventana,
                                           const ControlesHistorial &controles, QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , ventana_(ventana)
    , c(controles)
{
    connect(c.chkHistorial, &QCheckBox::clicked, this, &ControladorHistorial::chkHistorial_Click);
    connect(c.mnuHistorial, &QAction::triggered, this, &ControladorHistorial::mnuHistorial_Click);
    connect(c.mnuHistorialMsjs, &QAction::triggered, this, &ControladorHistorial::mnuHistorialMsjs_Click);
}

void ControladorHistorial::mnuHistorialMsjs_Click()
{
    MostrarHistorial(ctx, ventana_);
}

void ControladorHistorial::chkHistorial_Click()
{
    // Saving is on or off: a click from clear never leaves this box grey.
    if (c.chkHistorial->checkState() == Qt::PartiallyChecked) {
        const QSignalBlocker bloqueo(c.chkHistorial);
        c.chkHistorial->setCheckState(Qt::Checked);
    }
    const bool guardar = historialMarcado();
    ventana_.ponerEstado(ImagenNormal, guardar ? QStringLiteral("Guardar mensajes durante esta sesión")
                                               : QStringLiteral("No guardar mensajes durante esta sesión"));
    c.mnuHistorial->setChecked(guardar);
    AvisarCambioHistorial(ctx, ventana_.ventana(), guardar, HistorialPermanente);
}

void ControladorHistorial::mnuHistorial_Click()
{
    // The handler runs exactly once whichever check-box signal the window listens to.
    {
        const QSignalBlocker bloqueo(c.chkHistorial);
        c.chkHistorial->setChecked(!c.chkHistorial->isChecked());
    }
    chkHistorial_Click();
}

bool ControladorHistorial::historialMarcado() const
{
    return c.chkHistorial->checkState() == Qt::Checked;
}

void ControladorHistorial::GuardarEnHistorial(const MensajeSaliente &mensaje)
{
    RegistroHistorial registro;
    registro.destinatario = mensaje.destinatario.nombre;
    registro.destino = mensaje.destinoHistorial();
    registro.remitente = mensaje.remitente;
    registro.mensaje = mensaje.texto;
    registro.proveedor = mensaje.ProveedorActual;
    ::GuardarEnHistorial(ctx, registro);
}

void ControladorHistorial::envioTerminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado)
{
    if (resultado.enviado && historialMarcado())
        GuardarEnHistorial(mensaje);
}

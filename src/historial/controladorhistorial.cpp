#include "historial/controladorhistorial.h"
#include "comun/imagenestado.h"

#include <QAction>

#include "historial/frmhistorial.h"
#include "historial/historial.h"

ControladorHistorial::ControladorHistorial(Contexto &contexto, VentanaHistorial &ventana,
                                           ReenvioComposicion &composicion, const ControlesHistorial &controles,
                                           QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , ventana_(ventana)
    , composicion_(composicion)
    , c(controles)
{
    connect(c.mnuHistorialMsjs, &QAction::triggered, this, &ControladorHistorial::mnuHistorialMsjs_Click);
}

void ControladorHistorial::mnuHistorialMsjs_Click()
{
    MostrarHistorial(ctx, *this);
}

void ControladorHistorial::cambioHistorial(bool guardar, bool permanente)
{
    ventana_.ponerEstado(ImagenNormal, guardar ? QStringLiteral("Guardar mensajes durante esta sesión")
                                               : QStringLiteral("No guardar mensajes durante esta sesión"));
    AvisarCambioHistorial(ctx, ventana_.ventana(), guardar, permanente);
}

void ControladorHistorial::ponerGuardar(bool guardar)
{
    guardar_ = guardar;
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
    if (resultado.enviado && guardar_)
        GuardarEnHistorial(mensaje);
}

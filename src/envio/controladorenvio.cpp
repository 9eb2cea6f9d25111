#include "envio/controladorenvio.h"

#include "envio/comandoenviar.h"
#include "envio/frmverificacion.h"
#include "envio/frmverificacionmovilnet.h"
#include "envio/frmverificacionpersonal.h"
#include "envio/peticiones.h"
#include "envio/proveedores.h"

ControladorEnvio::ControladorEnvio(Contexto &contexto, QWidget *dueno, QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , dueno_(dueno)
{
    // The one-minute tick starts with the main window.
    inicioMinuto = ctx.sistema.ahora();
}

void ControladorEnvio::Enviar(MensajeSaliente mensaje)
{
    switch (ValidarComandoEnviar(mensaje, ctx.ConfiguracionRemota, ContadorCorto, ContadorLargo, ctx.dialogos)) {
    case ResultadoComandoEnviar::Rechazado:
        return;
    case ResultadoComandoEnviar::RechazadoLimpiar:
        Q_EMIT limpiarComposicion();
        return;
    case ResultadoComandoEnviar::Enviar:
        break;
    }
    EnviarMensaje(mensaje);
}

void ControladorEnvio::timAnti_Timer()
{
    tic(ctx.sistema.ahora());
}

void ControladorEnvio::EnviarMensaje(const MensajeSaliente &mensaje, Qt::WindowModality modalidad)
{
    const QString cola = TextoCola(ctx.ConfiguracionRemota);
    const QString &proveedor = mensaje.ProveedorActual;
    const QString area = mensaje.codAreaPeticion();
    const QString numero = mensaje.numeroPeticion();

    if (proveedor.isEmpty()) {
        ctx.dialogos.mensaje(
            QStringLiteral("Lo sentimos pero NTX Mensajes ha generado un error crítico y deberá ser cerrado "
                           "ahora.\r\n\r\nError de diseño. Por favor, intente reproducir este error (siga los "
                           "mismos pasos) e informe a ntxVarel! del error desde el menú Ayuda, incluya el codigo de "
                           "error. Codigo de error: [cboAddress.Text = \" intentando Enviar]"),
            Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, QStringLiteral("Detección de Errores de ntxVarel!"));
        ctx.sistema.terminarProceso(0);
        return;
    }

    if (!DestinoValido(proveedor, area, numero)) {
        ctx.dialogos.mensaje(QStringLiteral("El número de teléfono ingresado no corresponde a un cliente de ") +
                                 proveedor,
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return;
    }

    if (proveedor == Proveedores::Personal) {
        frmVerificacionPersonal ventana(ctx, mensaje, cola, dueno_);
        connect(&ventana, &frmVerificacionPersonal::terminado, this, &ControladorEnvio::envioTerminado);
        ventana.setWindowModality(modalidad);
        ventana.exec();
    } else if (proveedor == Proveedores::Claro) {
        frmVerificacion ventana(ctx, mensaje, dueno_);
        connect(&ventana, &VerificacionPagina::terminado, this, &ControladorEnvio::envioTerminado);
        ventana.navegar(
            DireccionClaro(ctx.direcciones.claro, ConsultaClaro(area, numero, mensaje.remitente, mensaje.texto, cola)));
        ventana.setTextoArriba(QStringLiteral("Para poder enviar a este proveedor necesita escribir el "
                                              "código de verificación que ve más abajo"));
        ventana.setWindowModality(modalidad);
        ventana.exec();
    } else {
        frmVerificacionMovilnet ventana(ctx, mensaje, dueno_);
        connect(&ventana, &VerificacionPagina::terminado, this, &ControladorEnvio::envioTerminado);
        ventana.navegar(DireccionMovilnet(ctx.direcciones.movilnet,
                                          ConsultaMovilnet(area, numero, mensaje.remitente, mensaje.texto, cola)));
        ventana.setWindowModality(modalidad);
        ventana.exec();
    }
}

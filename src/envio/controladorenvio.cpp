#include "envio/controladorenvio.h"

#include <QPushButton>

#include "envio/comandoenviar.h"
#include "envio/frmverificacion.h"
#include "envio/frmverificacionmovilnet.h"
#include "envio/frmverificacionpersonal.h"
#include "envio/peticiones.h"
#include "envio/proveedores.h"

ControladorEnvio::ControladorEnvio(Contexto &contexto, VentanaEnvio &ventana, const ControlesEnvio &controles,
                                   QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , ventana_(ventana)
    , c(controles)
{
    connect(c.cmdEnviar, &QPushButton::clicked, this, &ControladorEnvio::cmdEnviar_Click);
}

void ControladorEnvio::cmdEnviar_Click()
{
    ventana_.ponerAlias(ventana_.alias().trimmed());

    DatosComandoEnviar datos;
    datos.modoAlias = ventana_.modoAlias();
    datos.alias = ventana_.alias();
    datos.codArea = ventana_.codArea();
    datos.numero = ventana_.numero();
    datos.remitente = ventana_.remitente();
    datos.mensaje = ventana_.mensaje();
    datos.proveedor = ventana_.proveedor();
    datos.carEscritos = ventana_.carEscritos();
    datos.maxCar = ventana_.maxCar();

    switch (
        ValidarComandoEnviar(datos, ctx.ConfiguracionRemota, ctx.envio, ContadorCorto, ContadorLargo, ctx.dialogos)) {
    case ResultadoComandoEnviar::Rechazado:
        return;
    case ResultadoComandoEnviar::RechazadoLimpiar:
        ventana_.limpiarComposicion();
        return;
    case ResultadoComandoEnviar::Enviar:
        break;
    }

    if (datos.modoAlias)
        EnviarMensaje(QString(), datos.alias, datos.remitente, datos.mensaje, datos.proveedor);
    else
        EnviarMensaje(datos.codArea, datos.numero, datos.remitente, datos.mensaje, datos.proveedor);
}

void ControladorEnvio::timAnti_Timer()
{
    ++minutosCorto;
    ++minutosLargo;
    if (minutosCorto >= 2) {
        ContadorCorto = 0;
        minutosCorto = 0;
    }
    if (minutosLargo > 60) {
        ContadorLargo = 0;
        minutosLargo = 0;
    }
}

void ControladorEnvio::EnviarMensaje(const QString &area, const QString &numero, const QString &remitente,
                                     const QString &mensaje, const QString &proveedor)
{
    const QString cola = TextoCola(ctx.ConfiguracionRemota);

    ctx.envio.ProveedorActual = proveedor;
    ctx.envio.DestinatarioAlias = ventana_.alias();
    ctx.envio.DestinatarioNumero = ventana_.codArea() + QLatin1Char(' ') + ventana_.numero();
    ctx.envio.DestinatarioNombre =
        ventana_.destinatarioSinAgendar() ? ctx.envio.DestinatarioNumero : ventana_.nombreDestinatario();

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
                                 ctx.envio.ProveedorActual,
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return;
    }

    QWidget *dueno = ventana_.ventana();
    if (proveedor == Proveedores::Personal) {
        frmVerificacionPersonal ventana(ctx, ventana_, cola, dueno);
        ventana.exec();
    } else if (proveedor == Proveedores::Claro) {
        frmVerificacion ventana(ctx, ventana_, dueno);
        ventana.brwVerificacion->navegar(
            DireccionClaro(ctx.direcciones.claro, ConsultaClaro(area, numero, remitente, mensaje, cola)));
        ventana.lblTextoArriba->setText(QStringLiteral("Para poder enviar a este proveedor necesita escribir el "
                                                       "código de verificación que ve más abajo"));
        ventana.exec();
    } else {
        frmVerificacionMovilnet ventana(ctx, ventana_, dueno);
        ventana.brwVerificacion->navegar(
            DireccionMovilnet(ctx.direcciones.movilnet, ConsultaMovilnet(area, numero, remitente, mensaje, cola)));
        ventana.exec();
    }
}

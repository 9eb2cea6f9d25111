#include "envio/frmverificacionmovilnet.h"

#include "comun/contexto.h"

frmVerificacionMovilnet::frmVerificacionMovilnet(Contexto &ctx, const MensajeSaliente &mensaje, QWidget *padre)
    : VerificacionPagina(ctx, mensaje, padre)
{
    ui.lblTextoArriba->setText(QStringLiteral("Escriba el código de verificación para enviar:"));
    Form_Load();
}

void frmVerificacionMovilnet::Form_Load()
{
    ui.brwVerificacion->setSilencioso(true);
}

void frmVerificacionMovilnet::brwVerificacion_DownloadComplete()
{
    const QString html = ui.brwVerificacion->htmlCuerpo();
    if (html.contains(QLatin1String("mensaje fue enviado"), Qt::CaseInsensitive)) {
        informarEnviado(QStringLiteral("Movilnet: Mensaje ha sido enviado al destinatario"),
                        QStringLiteral("Mensaje enviado: El mensaje fue enviado a ") + mensaje_.DestinatarioNombre());
    } else if (html.contains(QLatin1String("mensaje no fue enviado"), Qt::CaseInsensitive)) {
        informarNoEnviado(QStringLiteral("Movilnet: Mensaje no enviado"),
                          QStringLiteral("Movilnet reporta que el mensaje no ha sido enviado.\r"
                                         "El código de verificación es incorrecto, inténtelo nuevamente. Si el "
                                         "problema persiste es posible que el número 04") +
                              mensaje_.DestinatarioNumero() +
                              QStringLiteral(" no sea un cliente activo de esta empresa."),
                          mensaje_.ProveedorActual + QStringLiteral(": Mensaje No Enviado"));
    } else {
        mostrarFormulario();
    }
}

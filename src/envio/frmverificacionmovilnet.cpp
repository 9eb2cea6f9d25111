#include "envio/frmverificacionmovilnet.h"

#include "comun/contexto.h"
#include "envio/principalenvio.h"

frmVerificacionMovilnet::frmVerificacionMovilnet(Contexto &ctx, PrincipalEnvio &principal, QWidget *padre)
    : VerificacionPagina(ctx, principal, padre)
{
    lblTextoArriba->setText(QStringLiteral("Escriba el código de verificación para enviar:"));
    setWindowTitle(ctx_.envio.ProveedorActual);
    Form_Load();
}

void frmVerificacionMovilnet::Form_Load()
{
    brwVerificacion->setSilencioso(true);
}

void frmVerificacionMovilnet::brwVerificacion_DownloadComplete()
{
    const QString html = brwVerificacion->htmlCuerpo();
    if (html.contains(QLatin1String("mensaje fue enviado"), Qt::CaseInsensitive)) {
        informarEnviado(QStringLiteral("Movilnet: Mensaje ha sido enviado al destinatario"),
                        QStringLiteral("Mensaje enviado: El mensaje fue enviado a ") + ctx_.envio.DestinatarioNombre);
    } else if (html.contains(QLatin1String("mensaje no fue enviado"), Qt::CaseInsensitive)) {
        informarNoEnviado(QStringLiteral("Movilnet: Mensaje no enviado"),
                          QStringLiteral("Movilnet reporta que el mensaje no ha sido enviado.\r"
                                         "El código de verificación es incorrecto, inténtelo nuevamente. Si el "
                                         "problema persiste es posible que el número 04") +
                              ctx_.envio.DestinatarioNumero +
                              QStringLiteral(" no sea un cliente activo de esta empresa."),
                          ctx_.envio.ProveedorActual + QStringLiteral(": Mensaje No Enviado"));
    } else {
        fraVerificacion->hide();
    }
}

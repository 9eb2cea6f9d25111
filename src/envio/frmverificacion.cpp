#include "envio/frmverificacion.h"

#include "comun/contexto.h"

frmVerificacion::frmVerificacion(Contexto &ctx, const MensajeSaliente &mensaje, QWidget *padre)
    : VerificacionPagina(ctx, mensaje, padre)
{}

void frmVerificacion::brwVerificacion_DownloadComplete()
{
    ui.brwVerificacion->setAtributoCuerpo(QStringLiteral("scroll"), QStringLiteral("no"));
    const QString html = ui.brwVerificacion->htmlCuerpo();
    const auto hay = [&html](const char *marcador) {
        return html.contains(QLatin1String(marcador), Qt::CaseInsensitive);
    };
    const QString tituloNoEnviado = mensaje_.ProveedorActual + QStringLiteral(": Mensaje No Enviado");
    const QString numero = mensaje_.DestinatarioNumero();

    if (hay("Mensaje Enviado")) {
        informarEnviado(QStringLiteral("Claro: Mensaje ha sido enviado al destinatario"),
                        QStringLiteral("Mensaje enviado: El mensaje fue enviado a ") + mensaje_.DestinatarioNombre());
    } else if (hay("NO TIENE SERVICIO")) {
        informarNoEnviado(QStringLiteral("Claro: Mensaje no enviado. El cliente no tiene servicio de mensajes"),
                          QStringLiteral("Claro reporta que el número ") + numero +
                              QStringLiteral(" no tiene el servicio de mensajes de texto activo."),
                          tituloNoEnviado);
    } else if (hay("NO EXISTE")) {
        informarNoEnviado(QStringLiteral("Claro: Mensaje no enviado. El número no es cliente de Claro"),
                          QStringLiteral("Claro reporta que el número ") + numero +
                              QStringLiteral(" no es un cliente de esta empresa."),
                          tituloNoEnviado);
    } else if (hay("NO TIENE ACTUALMENTE HABILITADO")) {
        informarNoEnviado(QStringLiteral("Claro: Mensaje no enviado. Use otro servidor de este proveedor"),
                          QStringLiteral("Claro reporta que momentáneamente no se pueden enviar mensajes al número ") +
                              numero +
                              QStringLiteral(" usando este servidor. Por favor elija otro servidor de este "
                                             "proveedor para enviar mensajes a este número."),
                          tituloNoEnviado);
    } else if (hay("Ingreso incorrecto")) {
        ui.brwVerificacion->detener();
        ctx_.dialogos.mensaje(QStringLiteral("El código de verificación ingresado no es el correcto.\r\n"
                                             " · Ingrese nuevamente el código, si no lo ve claramente presione F5 "
                                             "para mostrar otro"),
                              Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, mensaje_.ProveedorActual);
        if (cerrada())
            return;
        ui.brwVerificacion->detener();
        ui.brwVerificacion->atras();
    } else {
        mostrarFormulario();
    }
}

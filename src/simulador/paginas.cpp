#include "simulador/paginas.h"

namespace {
QString versionCorta()
{
    return QString::number(NTX_VERSION_MAYOR) + QLatin1Char('_') + QString::number(NTX_VERSION_MENOR);
}

QByteArray documento(const QString &titulo, const QString &cuerpo, const QString &estilo = QString())
{
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                          "<body style=\"%2\">%3</body></html>\n")
        .arg(titulo.toHtmlEscaped(), estilo, cuerpo)
        .toUtf8();
}

// Answer pages are taller than the client's tiny answer view scrolls.
const QString kEstiloRespuesta = QStringLiteral("margin:0;min-height:600px;font-family:sans-serif");
} // namespace

QString rutaInicio()
{
    return QStringLiteral("/ntxbin/princ/princ") + versionCorta();
}

QString rutaPublicidad()
{
    return QStringLiteral("/ntxbin/pub/pub") + versionCorta();
}

QString rutaConfiguracion()
{
    return QStringLiteral("/ntxbin/conf/") + versionCorta();
}

QString rutaVersion()
{
    return QStringLiteral("/ntxbin/act_ver_") + versionCorta() + QLatin1Char('_') +
           QString::number(NTX_VERSION_REVISION) + QStringLiteral(".htm");
}

QString rutaAvisos()
{
    return QStringLiteral("/ntxbin/mensajes.htm");
}

QString rutaDescarga()
{
    // No "/1", "/2" or "/F" inside: the path travels inside an ntx:// link.
    return QStringLiteral("/ntxbin/descarga/ntxmensajes.exe");
}

QString rutaDescargaCorta()
{
    return QStringLiteral("/ntxbin/descarga/corta/ntxmensajes.exe");
}

QString rutaDescargaAlterada()
{
    return QStringLiteral("/ntxbin/descarga/alterada/ntxmensajes.exe");
}

QString rutaDescargaSinFirma()
{
    return QStringLiteral("/ntxbin/descarga/sinfirma/ntxmensajes.exe");
}

QString rutaDescargaOtraClave()
{
    return QStringLiteral("/ntxbin/descarga/otraclave/ntxmensajes.exe");
}

QString rutaComandos()
{
    return QStringLiteral("/ntxbin/comandos.htm");
}

QString rutaComandosAjena()
{
    return QStringLiteral("/otro/comandos");
}

QString rutaMarco()
{
    return QStringLiteral("/ntxbin/marco.htm");
}

QByteArray paginaInicio(const QString &baseOtroSitio)
{
    const QString cuerpo =
        QStringLiteral(
            "<h1>NTX Mensajes</h1>"
            "<div id=\"noticias\"><h2>Novedades</h2>"
            "<p>Ya está disponible la agenda con contactos rápidos. Envíe mensajes gratis a Claro, Personal y "
            "Movilnet.</p>"
            "<p>Recuerde que puede guardar una copia de cada mensaje en el historial.</p></div>"
            "<ul>"
            "<li><a id=\"enlaceAvisos\" href=\"%1\">Avisos del sitio</a></li>"
            "<li><a id=\"enlaceRedireccion\" href=\"/ir/?id=25\">Buscar la empresa de un número</a></li>"
            "<li><a id=\"enlacePublicidad\" href=\"%2\">Publicidad</a></li>"
            "<li><a id=\"enlaceOtroSitio\" href=\"%3/otro\">Un sitio ajeno</a></li>"
            "<li><a id=\"enlaceExterno\" href=\"http://www.ejemplo-ajeno.com.ar/\">Otro sitio externo</a></li>"
            "<li><a id=\"comandoMnsje\" href=\"ntx://mnsje/1Aviso/2Hay_novedades/F\">Ver aviso</a></li>"
            "<li><a id=\"comandoPrinc\" href=\"ntx://princ\">Volver al inicio</a></li>"
            "<li><a id=\"comandoNotic\" href=\"ntx://notic/F\">Avisos en el programa</a></li>"
            "<li><a id=\"comandoActua\" href=\"ntx://actua/F\">Buscar una nueva versión</a></li>"
            "<li><a id=\"comandoPanel\" href=\"ntx://panel/F\">Escribir un mensaje</a></li>"
            "<li><a id=\"comandoCusar\" href=\"ntx://cusar/F\">Cómo usar NTX Mensajes</a></li>"
            "</ul>")
            .arg(rutaAvisos(), rutaPublicidad(), baseOtroSitio);
    return documento(QStringLiteral("NTX Mensajes - Inicio"), cuerpo, QStringLiteral("font-family:sans-serif"));
}

QByteArray paginaPublicidad(const QString &baseSitio)
{
    const QString cuerpo = QStringLiteral("<div id=\"banda\">Publicidad: <a id=\"anuncioGoogle\" href=\"%1/google/"
                                          "anuncio\">Anuncio de ejemplo</a> - <a id=\"anuncioSitio\" "
                                          "href=\"%2\">Novedades de NTX</a></div>")
                               .arg(baseSitio, rutaInicio());
    return documento(QStringLiteral("Publicidad"), cuerpo,
                     QStringLiteral("margin:0;background:#fff8d0;color:#222;font-family:sans-serif"));
}

QByteArray paginaConfiguracion(const QString &texto)
{
    // white-space:pre keeps the configuration text as it is in the body text.
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>conf</title></head>"
                          "<body style=\"white-space:pre\">ntxconfweb1.2;%1</body></html>")
        .arg(texto.toHtmlEscaped())
        .toUtf8();
}

QByteArray paginaVersionActual()
{
    return documento(QStringLiteral("Versión"),
                     QStringLiteral("<p id=\"estado\">Usted tiene la versión más reciente de NTX Mensajes (%1).</p>")
                         .arg(QStringLiteral(NTX_VERSION_TEXTO)),
                     QStringLiteral("font-family:sans-serif"));
}

QByteArray paginaVersionNueva(const QString &enlace, bool automatica)
{
    QString cuerpo = QStringLiteral("<p>Hay una nueva versión de NTX Mensajes.</p>"
                                    "<p><a id=\"enlaceDescarga\" href=\"%1\">Descargar la nueva versión</a></p>")
                         .arg(enlace.toHtmlEscaped());
    if (automatica) {
        cuerpo += QStringLiteral("<script>window.addEventListener('load', function () {"
                                 " window.location.href = document.getElementById('enlaceDescarga').href; });"
                                 "</script>");
    }
    return documento(QStringLiteral("Nueva versión"), cuerpo, QStringLiteral("font-family:sans-serif"));
}

QByteArray paginaAvisos()
{
    return documento(QStringLiteral("Avisos"),
                     QStringLiteral("<h1>Avisos</h1><p id=\"aviso\">No hay avisos nuevos.</p>"
                                    "<p><a id=\"comandoPrinc\" href=\"ntx://princ/F\">Volver al inicio</a></p>"),
                     QStringLiteral("font-family:sans-serif"));
}

QByteArray paginaRedireccion(int id)
{
    return documento(QStringLiteral("Enlace %1").arg(id),
                     QStringLiteral("<p id=\"destino\">Página de destino del enlace %1.</p>").arg(id),
                     QStringLiteral("font-family:sans-serif"));
}

QByteArray paginaOtroSitio()
{
    return documento(QStringLiteral("Otro sitio"), QStringLiteral("<p id=\"ajeno\">Un sitio que no es de NTX.</p>"));
}

QByteArray paginaAnuncio()
{
    return documento(QStringLiteral("Anuncio"), QStringLiteral("<p id=\"anuncio\">Página del anunciante.</p>"));
}

QByteArray paginaComandos(const QString &enlaceActdw, const QString &seguir, bool arriba)
{
    QString cuerpo = QStringLiteral("<h1>Órdenes</h1><ul>"
                                    "<li><a id=\"comandoActdw\" href=\"%1\">Descargar una versión</a></li>"
                                    "<li><a id=\"comandoSales\" href=\"ntx://sales\">Cerrar el programa</a></li>"
                                    "<li><a id=\"comandoSalem\" href=\"ntx://salem/1Cien%20por_ciento_ñandú/F\">"
                                    "Despedirse</a></li>"
                                    "</ul>")
                         .arg(enlaceActdw.toHtmlEscaped());
    if (!seguir.isEmpty()) {
        const QString id =
            seguir == QLatin1String("sales") ? QStringLiteral("comandoSales") : QStringLiteral("comandoActdw");
        cuerpo += QStringLiteral("<script>window.addEventListener('load', function () {"
                                 " var enlace = document.getElementById('%1').href;"
                                 " %2.location.href = enlace; });</script>")
                      .arg(id, arriba ? QStringLiteral("window.top") : QStringLiteral("window"));
    }
    return documento(QStringLiteral("Órdenes"), cuerpo, QStringLiteral("font-family:sans-serif"));
}

QByteArray paginaConMarco(const QString &fuente)
{
    return documento(QStringLiteral("NTX Mensajes - Con marco"),
                     QStringLiteral("<h1>NTX Mensajes</h1><iframe id=\"marco\" name=\"marco\" src=\"%1\" "
                                    "width=\"500\" height=\"200\"></iframe>")
                         .arg(fuente.toHtmlEscaped()),
                     QStringLiteral("font-family:sans-serif"));
}

namespace {
QString cuerpoPersonal(const QString &nombreImagen, const QString &aviso)
{
    // The client scrolls to 425 down and 18 across and shows a view of about
    // 100 x 40: the image sits exactly there. Nothing before it says "tmp/".
    return QStringLiteral("<div style=\"position:absolute;top:0;left:0;width:900px;height:60px;background:#00a0df;"
                          "color:white;font-size:28px\">Personal - Mensajes</div>"
                          "%2"
                          "<div style=\"position:absolute;top:120px;left:18px;width:600px\">"
                          "<p>Escriba su mensaje y el número de destino. Para enviarlo escriba el código de la "
                          "imagen.</p></div>"
                          "<div style=\"position:absolute;top:395px;left:18px\">Código de verificación:</div>"
                          "<img id=\"imagenCodigo\" src=\"tmp/%1\" width=\"100\" height=\"40\" alt=\"\" "
                          "style=\"position:absolute;top:425px;left:18px;display:block\">"
                          "<form id=\"formulario\" method=\"post\" action=\"sms.php\" "
                          "style=\"position:absolute;top:480px;left:18px\">"
                          "<input type=\"hidden\" name=\"Filename\" value=\"tmp/%1\">"
                          "<input name=\"codigo\" maxlength=\"4\"> <input type=\"submit\" value=\"Enviar\"></form>")
        .arg(nombreImagen, aviso);
}

const QString kEstiloPersonal =
    QStringLiteral("margin:0;position:relative;width:1400px;height:1600px;font-family:sans-serif");
} // namespace

QByteArray paginaPersonal(const QString &nombreImagen)
{
    return documento(QStringLiteral("Personal - Mensajes"), cuerpoPersonal(nombreImagen, QString()), kEstiloPersonal);
}

QByteArray paginaPersonalIncorrecto(const QString &nombreImagen)
{
    const QString aviso = QStringLiteral("<div id=\"aviso\" style=\"position:absolute;top:70px;left:18px;"
                                         "color:#c00000\">El código ingresado es incorrecto</div>");
    return documento(QStringLiteral("Personal - Mensajes"), cuerpoPersonal(nombreImagen, aviso), kEstiloPersonal);
}

QByteArray paginaPersonalEnviado(const QString &destino)
{
    return documento(QStringLiteral("Personal - Mensajes"),
                     QStringLiteral("<h1>Personal</h1><p id=\"resultado\">El mensaje al número %1 fue enviado "
                                    "correctamente.</p><p>Gracias por usar el servicio.</p>")
                         .arg(destino.toHtmlEscaped()),
                     kEstiloRespuesta);
}

QByteArray paginaClaroFormulario(const QString &sesion, const QString &numero)
{
    // Neither the text nor the sender is echoed: a message could carry one of
    // the answer sentences and fool the client.
    const QString cuerpo =
        QStringLiteral("<h1 style=\"color:#d52b1e\">Claro</h1>"
                       "<p>Envío de mensajes de texto al número <span id=\"numero\">%2</span>.</p>"
                       "<p><img id=\"imagenCodigo\" src=\"/sms/imagen.aspx?sesion=%1\" width=\"100\" "
                       "height=\"40\" alt=\"\"></p>"
                       "<form id=\"formulario\" method=\"post\" action=\"/sms/default.aspx\">"
                       "<input type=\"hidden\" name=\"sesion\" value=\"%1\">"
                       "<label>Escriba los números de la imagen: <input id=\"codigo\" name=\"codigo\" "
                       "maxlength=\"4\"></label> <input id=\"enviar\" type=\"submit\" value=\"Enviar\">"
                       "</form>")
            .arg(sesion, numero.toHtmlEscaped());
    return documento(QStringLiteral("Claro - Mensajes"), cuerpo, kEstiloRespuesta);
}

QByteArray paginaClaroRespuesta(ResultadoClaro resultado, const QString &numero)
{
    const QString n = numero.toHtmlEscaped();
    QString texto;
    switch (resultado) {
    case ResultadoClaro::Enviado:
        texto = QStringLiteral("Mensaje Enviado. El mensaje al número %1 fue entregado a la red.").arg(n);
        break;
    case ResultadoClaro::SinServicio:
        texto = QStringLiteral("El número %1 NO TIENE SERVICIO de mensajes de texto.").arg(n);
        break;
    case ResultadoClaro::NoExiste:
        texto = QStringLiteral("El número %1 NO EXISTE entre los clientes de la empresa.").arg(n);
        break;
    case ResultadoClaro::NoHabilitado:
        texto = QStringLiteral("El número %1 NO TIENE ACTUALMENTE HABILITADO el envío desde este servidor.").arg(n);
        break;
    case ResultadoClaro::Incorrecto:
        texto = QStringLiteral("Ingreso incorrecto. Los números escritos no son los de la imagen.");
        break;
    }
    return documento(QStringLiteral("Claro - Mensajes"),
                     QStringLiteral("<h1 style=\"color:#d52b1e\">Claro</h1><p id=\"resultado\">%1</p>").arg(texto),
                     kEstiloRespuesta);
}

QByteArray paginaMovilnetFormulario(const QString &sesion, const QString &numero)
{
    const QString cuerpo =
        QStringLiteral("<h1 style=\"color:#f39200\">Movilnet</h1>"
                       "<p>Mensajería por Internet al número <span id=\"numero\">%2</span>.</p>"
                       "<p><img id=\"imagenCodigo\" src=\"/smsinternet/imagen.jsp?sesion=%1\" width=\"100\" "
                       "height=\"40\" alt=\"\"></p>"
                       "<form id=\"formulario\" method=\"post\" action=\"/smsinternet/enviarMensaje.jsp\">"
                       "<input type=\"hidden\" name=\"sesion\" value=\"%1\">"
                       "<label>Escriba el código de la imagen: <input id=\"clave\" name=\"clave\" "
                       "maxlength=\"4\"></label> <input id=\"enviar\" type=\"submit\" value=\"Enviar\">"
                       "</form>")
            .arg(sesion, numero.toHtmlEscaped());
    return documento(QStringLiteral("Movilnet - Mensajería"), cuerpo, kEstiloRespuesta);
}

QByteArray paginaMovilnetRespuesta(bool enviado, const QString &motivo)
{
    const QString texto = enviado ? QStringLiteral("Su mensaje fue enviado.")
                                  : QStringLiteral("Su mensaje no fue enviado. %1").arg(motivo.toHtmlEscaped());
    return documento(QStringLiteral("Movilnet - Mensajería"),
                     QStringLiteral("<h1 style=\"color:#f39200\">Movilnet</h1><p id=\"resultado\">%1</p>").arg(texto),
                     kEstiloRespuesta);
}

QByteArray paginaError(int estado, const QString &detalle)
{
    return documento(
        QStringLiteral("Error %1").arg(estado),
        QStringLiteral("<h1>Error %1</h1><p id=\"detalle\">%2</p>").arg(estado).arg(detalle.toHtmlEscaped()),
        kEstiloRespuesta);
}

QByteArray paginaDesconocida()
{
    return documento(QStringLiteral("Sitio en mantenimiento"),
                     QStringLiteral("<h1>Sitio en mantenimiento</h1><p id=\"detalle\">Estamos realizando tareas "
                                    "de mantenimiento. Vuelva a intentarlo más tarde.</p>"),
                     kEstiloRespuesta);
}

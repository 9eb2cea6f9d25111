// The main window's web panels: what the home area and the advertising band may
// open, the offline notice, the fallbacks to the local pages and the retry of the
// advertising band; and the silent reading of the configuration page.
#include "comando/configuracionremota.h"
#include "shell/frmbrowser.h"

#include <QUrl>

namespace {

bool contiene(const QString &direccion, const char *palabra)
{
    return direccion.contains(QLatin1String(palabra), Qt::CaseInsensitive);
}

bool esComando(const QString &direccion)
{
    return direccion.left(6).toLower() == QLatin1String("ntx://");
}

// Linux paths hold no drive letter: a local file is an address with the file scheme.
bool esArchivoLocal(const QString &direccion)
{
    return direccion.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

bool esPaginaVacia(const QString &direccion)
{
    return contiene(direccion, "about:blank");
}

bool esPublicidad(const QString &direccion)
{
    return contiene(direccion, "google");
}

bool esApoyoPublicidad(const QString &direccion)
{
    return contiene(direccion, "iframes_api_loader") || contiene(direccion, "ipv6-exp") ||
           contiene(direccion, "pagead/drt");
}

// Advertising links leave the panels, except requests made inside an advertising frame
// and the support requests the advertisement needs to run.
bool abrirAparte(const QString &direccion, const QString &marco)
{
    return esPublicidad(direccion) && !esPublicidad(marco) && !esApoyoPublicidad(direccion);
}

const QString TextoSinConexion = QStringLiteral(
    "NTX Mensajes ha detectado que Windows está configurado para trabajar sin conexión.\r\nModifique esta "
    "configuración desde Internet Explorer. Si usa Internet Explorer 6 podrá cambiar la configuración de "
    "'Trabajar sin conexión' desde el menú Archivo, si usa una versión posterior desde el botón Herramientas.");

} // namespace

bool frmBrowser::esSitio(const QString &direccion) const
{
    if (esArchivoLocal(direccion))
        return false;
    if (contiene(direccion, "varel") || contiene(direccion, "ntx"))
        return true;
    const QUrl url(direccion);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString propio = Direcciones::hostYPuerto(ctx.direcciones.sitio);
    QString otro = url.host();
    if (url.port() > 0)
        otro += QLatin1Char(':') + QString::number(url.port());
    return otro.compare(propio, Qt::CaseInsensitive) == 0;
}

void frmBrowser::brwWebBrowser_BeforeNavigate2(const QString &url, const QString &marco, const QByteArray &post,
                                               const QString &cabeceras, bool &cancelar)
{
    Q_UNUSED(post);
    Q_UNUSED(cabeceras);
    if (esComando(url)) {
        // The command engine runs these; until it exists they are only kept from loading.
        cancelar = true;
        return;
    }
    const bool local = esArchivoLocal(url);
    if (!local && !esPaginaVacia(url) && ctx.sistema.modoSinConexion()) {
        brwWebBrowser->hide();
        ctx.avisos.mostrar(this, TextoSinConexion);
        brwWebBrowser->show();
        cancelar = true;
        bool ignorado = false;
        brwWebBrowser_NavigateError(url, marco, 0, ignorado);
        return;
    }
    if (!esPaginaVacia(url) && !esSitio(url) && !local && !esPublicidad(url)) {
        cancelar = true;
        return;
    }
    if (!local)
        timTimer.start();
    if (abrirAparte(url, marco)) {
        // Post data cannot be handed to the user's browser; the address is what matters.
        cancelar = true;
        ctx.sistema.abrirEnNavegador(url);
    }
}

void frmBrowser::brwWebBrowser_NavigateComplete2(const QString &url)
{
    Q_UNUSED(url);
    timTimer.stop();
    ponerEstado(5, QStringLiteral("Listo"));
}

void frmBrowser::brwWebBrowser_NavigateError(const QString &url, const QString &marco, int codigo, bool &cancelar)
{
    Q_UNUSED(marco);
    Q_UNUSED(codigo);
    Q_UNUSED(cancelar);
    timTimer.stop();
    picEscritura->hide();
    brwWebBrowser->hide();
    const bool sitio = esSitio(url);
    const bool actualizacion = sitio && contiene(url, "ntxbin/act");
    if (actualizacion) {
        ctx.dialogos.mensaje(QStringLiteral("No se puede comprobar si existe una nueva versión de NTX Mensajes\r\n"
                                            "\r\nPuede que el sitio web de ntxVarel! no esté disponible "
                                            "momentáneamente.\r\n · Compruebe que Windows esté conectado a Internet"),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
    } else if (sitio && !contiene(url, "ntxbin/princ")) {
        ctx.dialogos.mensaje(QStringLiteral("No se pudo conectar con el sitio web de ntxVarel!\r\rPuede que el "
                                            "sitio web no esté disponible momentáneamente.\r\n · Compruebe que "
                                            "Windows esté conectado a Internet"),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
    }
    brwWebBrowser->show();
    brwWebBrowser->detener();
    if (actualizacion) {
        brwWebBrowser->navegar(paginaSitio(QStringLiteral("/ntxbin/princ/princ")));
        return;
    }
    // The local home page failing too must not send the view round in circles.
    const QString inicioLocal = paginaLocal(QStringLiteral("index.htm"));
    if (QUrl(url).adjusted(QUrl::NormalizePathSegments) == QUrl(inicioLocal).adjusted(QUrl::NormalizePathSegments))
        return;
    brwWebBrowser->navegar(inicioLocal);
}

void frmBrowser::brwPublicidad_BeforeNavigate2(const QString &url, const QString &marco, const QByteArray &post,
                                               const QString &cabeceras, bool &cancelar)
{
    Q_UNUSED(post);
    Q_UNUSED(cabeceras);
    if (esComando(url)) {
        cancelar = true;
        return;
    }
    if (!esArchivoLocal(url) && ctx.sistema.modoSinConexion()) {
        cancelar = true;
        brwPublicidad->navegar(paginaLocal(QStringLiteral("pub.htm")));
        publicidadRespaldo = true;
        timPublicidad.start();
        return;
    }
    if (abrirAparte(url, marco)) {
        cancelar = true;
        ctx.sistema.abrirEnNavegador(url);
    }
}

void frmBrowser::brwPublicidad_DocumentComplete(const QString &url)
{
    brwPublicidad->setAtributoCuerpo(QStringLiteral("scroll"), QStringLiteral("no"));
    if (esSitio(url) && !publicidadRespaldo)
        timPublicidad.stop();
}

void frmBrowser::brwPublicidad_NavigateError(const QString &url, const QString &marco, int codigo, bool &cancelar)
{
    Q_UNUSED(marco);
    Q_UNUSED(codigo);
    Q_UNUSED(cancelar);
    publicidadRespaldo = true;
    timPublicidad.start();
    // A failing local page is left alone: loading it again would fail again at once.
    const QString publicidadLocal = paginaLocal(QStringLiteral("pub.htm"));
    if (QUrl(url).adjusted(QUrl::NormalizePathSegments) == QUrl(publicidadLocal).adjusted(QUrl::NormalizePathSegments))
        return;
    brwPublicidad->navegar(publicidadLocal);
}

void frmBrowser::timPublicidad_Timer()
{
    publicidadRespaldo = false;
    brwPublicidad->navegar(paginaSitio(QStringLiteral("/ntxbin/pub/pub")));
}

void frmBrowser::brwConfWeb_DocumentComplete(const QString &url)
{
    if (!contiene(url, "ntxbin/conf"))
        return;
    const QString texto = brwConfWeb->textoCuerpo();
    if (!contiene(texto, "ntxconfweb1.2"))
        return;
    // The marker and its separator take the first 14 characters of the body.
    LeerConfiguracion(ctx.ConfiguracionRemota, texto.mid(14));
}

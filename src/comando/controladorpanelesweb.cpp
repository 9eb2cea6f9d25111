#include "comando/controladorpanelesweb.h"
#include "comun/imagenestado.h"
#include "comun/textosconexion.h"

#include <QTimer>
#include <QUrl>

#include "comando/configuracionremota.h"
#include "comando/paginas.h"
#include "plataforma/vistaweb.h"

namespace {

bool contiene(const QString &direccion, const char *palabra)
{
    return direccion.contains(QLatin1String(palabra), Qt::CaseInsensitive);
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

const QString TextoSinConexion = QStringLiteral("NTX Mensajes ha detectado que ") +
                                 TextosConexion::trabajaSinConexion() + QStringLiteral(".\r\n") +
                                 TextosConexion::comoConectarse();

} // namespace

ControladorPanelesWeb::ControladorPanelesWeb(Contexto &contexto, VentanaPanelesWeb &ventana,
                                             const ControlesPanelesWeb &controles, QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , ventana_(ventana)
    , c(controles)
    , comandos_(contexto, ventana, this)
{
    connect(c.brwWebBrowser, &VistaWeb::antesDeNavegar, this, &ControladorPanelesWeb::brwWebBrowser_BeforeNavigate2);
    connect(c.brwWebBrowser, &VistaWeb::errorDeNavegacion, this, &ControladorPanelesWeb::brwWebBrowser_NavigateError);
    connect(c.brwWebBrowser, &VistaWeb::navegacionCompleta, this,
            &ControladorPanelesWeb::brwWebBrowser_NavigateComplete2);
    connect(c.brwPublicidad, &VistaWeb::antesDeNavegar, this, &ControladorPanelesWeb::brwPublicidad_BeforeNavigate2);
    connect(c.brwPublicidad, &VistaWeb::errorDeNavegacion, this, &ControladorPanelesWeb::brwPublicidad_NavigateError);
    connect(c.brwPublicidad, &VistaWeb::documentoCompleto, this,
            &ControladorPanelesWeb::brwPublicidad_DocumentComplete);
    connect(c.brwWebBrowser, &VistaWeb::nuevaVentana, this, &ControladorPanelesWeb::brwWebBrowser_NewWindow2);
    connect(c.brwPublicidad, &VistaWeb::nuevaVentana, this, &ControladorPanelesWeb::brwWebBrowser_NewWindow2);
    connect(c.brwConfWeb, &VistaWeb::documentoCompleto, this, &ControladorPanelesWeb::brwConfWeb_DocumentComplete);
    connect(c.timPublicidad, &QTimer::timeout, this, &ControladorPanelesWeb::timPublicidad_Timer);
    connect(c.timTimer, &QTimer::timeout, this, &ControladorPanelesWeb::timTimer_Timer);
    // An update question or download is what happens now, not a page loading.
    connect(&comandos_, &EjecutorComandos::estado, this, [this](int imagen, const QString &texto) {
        c.timTimer->stop();
        ventana_.ponerEstado(imagen, texto);
    });
}

QString ControladorPanelesWeb::paginaLocal(const QString &nombre) const
{
    return PaginaLocal(ctx.sistema, nombre);
}

QString ControladorPanelesWeb::paginaSitio(const QString &ruta) const
{
    return PaginaSitio(ctx.direcciones, ruta);
}

void ControladorPanelesWeb::Cargar()
{
    c.brwWebBrowser->setSilencioso(true);
    c.brwPublicidad->setSilencioso(true);
    c.brwConfWeb->setSilencioso(true);
    c.brwWebBrowser->navegar(paginaSitio(QStringLiteral("/ntxbin/princ/princ")));
    c.brwPublicidad->navegar(paginaSitio(QStringLiteral("/ntxbin/pub/pub")));
    c.brwConfWeb->navegar(paginaSitio(QStringLiteral("/ntxbin/conf/")));
}

void ControladorPanelesWeb::MostrarInicio()
{
    c.brwWebBrowser->show();
    c.brwWebBrowser->navegar(paginaSitio(QStringLiteral("/ntxbin/princ/princ")));
}

void ControladorPanelesWeb::MostrarComposicion()
{
    c.brwWebBrowser->hide();
    c.brwWebBrowser->navegar(paginaLocal(QStringLiteral("enviar.htm")));
}

void ControladorPanelesWeb::MostrarInicioLocal()
{
    c.brwWebBrowser->navegar(paginaLocal(QStringLiteral("index.htm")));
    c.brwWebBrowser->show();
}

void ControladorPanelesWeb::timTimer_Timer()
{
    if (!c.brwWebBrowser->ocupado()) {
        c.timTimer->stop();
        return;
    }
    ventana_.ponerEstado(ImagenConectando, QStringLiteral("Conectando..."));
}

void ControladorPanelesWeb::brwWebBrowser_BeforeNavigate2(const QString &url, const QString &marco,
                                                          const QByteArray &post, const QString &cabeceras,
                                                          bool &cancelar, bool marcoPrincipal)
{
    Q_UNUSED(post);
    Q_UNUSED(cabeceras);
    // Command links never load; only the maker's own top-level page may give them.
    if (comandos_.atenderNavegacion(url, c.brwWebBrowser->origenNavegacion(), marcoPrincipal)) {
        cancelar = true;
        return;
    }
    const bool local = EsArchivoLocal(url);
    if (!local && !esPaginaVacia(url) && ctx.sistema.modoSinConexion()) {
        c.brwWebBrowser->hide();
        ctx.avisos.mostrar(ventana_.ventana(), TextoSinConexion);
        c.brwWebBrowser->show();
        cancelar = true;
        bool ignorado = false;
        brwWebBrowser_NavigateError(url, marco, 0, ignorado);
        return;
    }
    if (!esPaginaVacia(url) && !EsSitio(ctx.direcciones, url) && !local && !esPublicidad(url)) {
        cancelar = true;
        return;
    }
    if (!local)
        c.timTimer->start();
    if (abrirAparte(url, marco)) {
        // Post data cannot be handed to the user's browser; the address is what matters.
        cancelar = true;
        ctx.sistema.abrirEnNavegador(url);
    }
}

void ControladorPanelesWeb::brwWebBrowser_NewWindow2(const QString &url)
{
    // The panels never open windows of their own: a page's new window is the user's browser.
    // Only web addresses leave; a script's blank or javascript: window has nothing to show there.
    const QUrl direccion(url);
    const QString esquema = direccion.scheme().toLower();
    if (esquema == QLatin1String("http") || esquema == QLatin1String("https"))
        ctx.sistema.abrirEnNavegador(url);
}

void ControladorPanelesWeb::brwWebBrowser_NavigateComplete2(const QString &url)
{
    Q_UNUSED(url);
    c.timTimer->stop();
    ventana_.ponerEstado(ImagenListo, QStringLiteral("Listo"));
}

void ControladorPanelesWeb::brwWebBrowser_NavigateError(const QString &url, const QString &marco, int codigo,
                                                        bool &cancelar)
{
    Q_UNUSED(marco);
    Q_UNUSED(codigo);
    Q_UNUSED(cancelar);
    c.timTimer->stop();
    ventana_.ocultarEscritura();
    c.brwWebBrowser->hide();
    const bool sitio = EsSitio(ctx.direcciones, url);
    const bool actualizacion = sitio && contiene(url, "ntxbin/act");
    if (actualizacion) {
        ctx.dialogos.mensaje(QStringLiteral("No se puede comprobar si existe una nueva versión de NTX Mensajes\r\n"
                                            "\r\nPuede que el sitio web de ntxVarel! no esté disponible "
                                            "momentáneamente.\r\n") +
                                 TextosConexion::comprobarConexion(),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
    } else if (sitio && !contiene(url, "ntxbin/princ")) {
        ctx.dialogos.mensaje(QStringLiteral("No se pudo conectar con el sitio web de ntxVarel!\r\rPuede que el "
                                            "sitio web no esté disponible momentáneamente.\r\n") +
                                 TextosConexion::comprobarConexion(),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
    }
    c.brwWebBrowser->show();
    c.brwWebBrowser->detener();
    if (actualizacion) {
        c.brwWebBrowser->navegar(paginaSitio(QStringLiteral("/ntxbin/princ/princ")));
        return;
    }
    // The local home page failing too must not send the view round in circles.
    const QString inicioLocal = paginaLocal(QStringLiteral("index.htm"));
    if (MismaPagina(url, inicioLocal))
        return;
    c.brwWebBrowser->navegar(inicioLocal);
}

void ControladorPanelesWeb::brwPublicidad_BeforeNavigate2(const QString &url, const QString &marco,
                                                          const QByteArray &post, const QString &cabeceras,
                                                          bool &cancelar, bool marcoPrincipal)
{
    Q_UNUSED(post);
    Q_UNUSED(cabeceras);
    // Command links never load; only the maker's own top-level page may give them.
    if (comandos_.atenderNavegacion(url, c.brwPublicidad->origenNavegacion(), marcoPrincipal)) {
        cancelar = true;
        return;
    }
    if (!EsArchivoLocal(url) && ctx.sistema.modoSinConexion()) {
        cancelar = true;
        c.brwPublicidad->navegar(paginaLocal(QStringLiteral("pub.htm")));
        publicidadRespaldo = true;
        c.timPublicidad->start();
        return;
    }
    if (abrirAparte(url, marco)) {
        cancelar = true;
        ctx.sistema.abrirEnNavegador(url);
    }
}

void ControladorPanelesWeb::brwPublicidad_DocumentComplete(const QString &url)
{
    c.brwPublicidad->setAtributoCuerpo(QStringLiteral("scroll"), QStringLiteral("no"));
    if (EsSitio(ctx.direcciones, url) && !publicidadRespaldo)
        c.timPublicidad->stop();
}

void ControladorPanelesWeb::brwPublicidad_NavigateError(const QString &url, const QString &marco, int codigo,
                                                        bool &cancelar)
{
    Q_UNUSED(marco);
    Q_UNUSED(codigo);
    Q_UNUSED(cancelar);
    publicidadRespaldo = true;
    c.timPublicidad->start();
    // A failing local page is left alone: loading it again would fail again at once.
    const QString publicidadLocal = paginaLocal(QStringLiteral("pub.htm"));
    if (MismaPagina(url, publicidadLocal))
        return;
    c.brwPublicidad->navegar(publicidadLocal);
}

void ControladorPanelesWeb::timPublicidad_Timer()
{
    publicidadRespaldo = false;
    c.brwPublicidad->navegar(paginaSitio(QStringLiteral("/ntxbin/pub/pub")));
}

void ControladorPanelesWeb::brwConfWeb_DocumentComplete(const QString &url)
{
    if (!contiene(url, "ntxbin/conf"))
        return;
    const QString texto = c.brwConfWeb->textoCuerpo();
    if (!contiene(texto, "ntxconfweb1.2"))
        return;
    // The marker and its separator take the first 14 characters of the body.
    LeerConfiguracion(ctx.ConfiguracionRemota, texto.mid(14));
}

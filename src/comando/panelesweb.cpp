#include "comando/panelesweb.h"
#include "comun/imagenestado.h"
#include "comun/textosconexion.h"

#include <QTimer>
#include <QUrl>

#include "comando/configuracionremota.h"
#include "comando/paginas.h"
#include "plataforma/colocacion.h"
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

PanelesWeb::PanelesWeb(Contexto &contexto, VentanaPanelesWeb &ventana, QWidget *area, QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , ventana_(ventana)
    , comandos_(contexto, ventana, *this, this)
{
    using colocacion::twips;
    brwPublicidad = ctx.crearVistaWeb(area);
    brwPublicidad->setGeometry(twips(0, 720, 11020, 1455));
    brwWebBrowser = ctx.crearVistaWeb(area);
    brwWebBrowser->setGeometry(twips(0, 2280, 11020, 4635));
    // Only read, never shown: no renderer of its own where a plain reader is given.
    brwConfWeb = ctx.crearLectorPagina ? ctx.crearLectorPagina(area) : ctx.crearVistaWeb(area);
    brwConfWeb->setGeometry(twips(6600, 480, 30, 30));
    brwPublicidad->setAccessibleName(QStringLiteral("Publicidad"));
    brwWebBrowser->setAccessibleName(QStringLiteral("Página de inicio"));
    timPublicidad = new QTimer(this);
    timPublicidad->setInterval(64000);
    timTimer = new QTimer(this);
    timTimer->setInterval(15);
    NTX_CONTROLES_PANELESWEB(NTX_CONTROLES_NOMBRE)

    connect(brwWebBrowser, &VistaWeb::antesDeNavegar, this, &PanelesWeb::brwWebBrowser_BeforeNavigate2);
    connect(brwWebBrowser, &VistaWeb::errorDeNavegacion, this, &PanelesWeb::brwWebBrowser_NavigateError);
    connect(brwWebBrowser, &VistaWeb::navegacionCompleta, this, &PanelesWeb::brwWebBrowser_NavigateComplete2);
    connect(brwPublicidad, &VistaWeb::antesDeNavegar, this, &PanelesWeb::brwPublicidad_BeforeNavigate2);
    connect(brwPublicidad, &VistaWeb::errorDeNavegacion, this, &PanelesWeb::brwPublicidad_NavigateError);
    connect(brwPublicidad, &VistaWeb::documentoCompleto, this, &PanelesWeb::brwPublicidad_DocumentComplete);
    connect(brwWebBrowser, &VistaWeb::nuevaVentana, this, &PanelesWeb::brwWebBrowser_NewWindow2);
    connect(brwPublicidad, &VistaWeb::nuevaVentana, this, &PanelesWeb::brwWebBrowser_NewWindow2);
    connect(brwConfWeb, &VistaWeb::documentoCompleto, this, &PanelesWeb::brwConfWeb_DocumentComplete);
    connect(timPublicidad, &QTimer::timeout, this, &PanelesWeb::timPublicidad_Timer);
    connect(timTimer, &QTimer::timeout, this, &PanelesWeb::timTimer_Timer);
    // An update question or download is what happens now, not a page loading.
    connect(&comandos_, &EjecutorComandos::estado, this, [this](int imagen, const QString &texto) {
        timTimer->stop();
        ventana_.ponerEstado(imagen, texto);
    });
}

void PanelesWeb::encenderIndicador()
{
    timTimer->start();
}

bool PanelesWeb::navegadorVisible() const
{
    return !brwWebBrowser->isHidden();
}

void PanelesWeb::mostrarNavegador(bool visible)
{
    brwWebBrowser->setVisible(visible);
}

void PanelesWeb::navegarNavegador(const QString &direccion)
{
    brwWebBrowser->navegar(direccion);
}

QString PanelesWeb::paginaLocal(const QString &nombre) const
{
    return PaginaLocal(ctx.sistema, nombre);
}

QString PanelesWeb::paginaSitio(const QString &ruta) const
{
    return PaginaSitio(ctx.direcciones, ruta);
}

void PanelesWeb::Cargar()
{
    brwWebBrowser->setSilencioso(true);
    brwPublicidad->setSilencioso(true);
    brwConfWeb->setSilencioso(true);
    brwWebBrowser->navegar(paginaSitio(QStringLiteral("/ntxbin/princ/princ")));
    brwPublicidad->navegar(paginaSitio(QStringLiteral("/ntxbin/pub/pub")));
    brwConfWeb->navegar(paginaSitio(QStringLiteral("/ntxbin/conf/")));
}

void PanelesWeb::MostrarInicio()
{
    brwWebBrowser->show();
    brwWebBrowser->navegar(paginaSitio(QStringLiteral("/ntxbin/princ/princ")));
}

void PanelesWeb::MostrarComposicion()
{
    brwWebBrowser->hide();
    brwWebBrowser->navegar(paginaLocal(QStringLiteral("enviar.htm")));
}

void PanelesWeb::MostrarInicioLocal()
{
    brwWebBrowser->navegar(paginaLocal(QStringLiteral("index.htm")));
    brwWebBrowser->show();
}

void PanelesWeb::timTimer_Timer()
{
    if (!brwWebBrowser->ocupado()) {
        timTimer->stop();
        return;
    }
    ventana_.ponerEstado(ImagenConectando, QStringLiteral("Conectando..."));
}

void PanelesWeb::brwWebBrowser_BeforeNavigate2(const QString &url, const QString &marco, const QByteArray &post,
                                               const QString &cabeceras, bool &cancelar, bool marcoPrincipal)
{
    Q_UNUSED(post);
    Q_UNUSED(cabeceras);
    // Command links never load; only the maker's own top-level page may give them.
    if (comandos_.atenderNavegacion(url, brwWebBrowser->origenNavegacion(), marcoPrincipal)) {
        cancelar = true;
        return;
    }
    const bool local = EsArchivoLocal(url);
    if (!local && !esPaginaVacia(url) && ctx.sistema.modoSinConexion()) {
        brwWebBrowser->hide();
        ctx.avisos.mostrar(ventana_.ventana(), TextoSinConexion);
        brwWebBrowser->show();
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
        timTimer->start();
    if (abrirAparte(url, marco)) {
        // Post data cannot be handed to the user's browser; the address is what matters.
        cancelar = true;
        ctx.sistema.abrirEnNavegador(url);
    }
}

void PanelesWeb::brwWebBrowser_NewWindow2(const QString &url)
{
    // The panels never open windows of their own: a page's new window is the user's browser.
    // Only web addresses leave; a script's blank or javascript: window has nothing to show there.
    const QUrl direccion(url);
    const QString esquema = direccion.scheme().toLower();
    if (esquema == QLatin1String("http") || esquema == QLatin1String("https"))
        ctx.sistema.abrirEnNavegador(url);
}

void PanelesWeb::brwWebBrowser_NavigateComplete2(const QString &url)
{
    Q_UNUSED(url);
    timTimer->stop();
    ventana_.ponerEstado(ImagenListo, QStringLiteral("Listo"));
}

void PanelesWeb::brwWebBrowser_NavigateError(const QString &url, const QString &marco, int codigo, bool &cancelar)
{
    Q_UNUSED(marco);
    Q_UNUSED(codigo);
    Q_UNUSED(cancelar);
    timTimer->stop();
    Q_EMIT ocultarEscritura();
    brwWebBrowser->hide();
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
    brwWebBrowser->show();
    brwWebBrowser->detener();
    if (actualizacion) {
        brwWebBrowser->navegar(paginaSitio(QStringLiteral("/ntxbin/princ/princ")));
        return;
    }
    // The local home page failing too must not send the view round in circles.
    const QString inicioLocal = paginaLocal(QStringLiteral("index.htm"));
    if (MismaPagina(url, inicioLocal))
        return;
    brwWebBrowser->navegar(inicioLocal);
}

void PanelesWeb::brwPublicidad_BeforeNavigate2(const QString &url, const QString &marco, const QByteArray &post,
                                               const QString &cabeceras, bool &cancelar, bool marcoPrincipal)
{
    Q_UNUSED(post);
    Q_UNUSED(cabeceras);
    // Command links never load; only the maker's own top-level page may give them.
    if (comandos_.atenderNavegacion(url, brwPublicidad->origenNavegacion(), marcoPrincipal)) {
        cancelar = true;
        return;
    }
    if (!EsArchivoLocal(url) && ctx.sistema.modoSinConexion()) {
        cancelar = true;
        brwPublicidad->navegar(paginaLocal(QStringLiteral("pub.htm")));
        publicidadRespaldo = true;
        timPublicidad->start();
        return;
    }
    if (abrirAparte(url, marco)) {
        cancelar = true;
        ctx.sistema.abrirEnNavegador(url);
    }
}

void PanelesWeb::brwPublicidad_DocumentComplete(const QString &url)
{
    brwPublicidad->setAtributoCuerpo(QStringLiteral("scroll"), QStringLiteral("no"));
    if (EsSitio(ctx.direcciones, url) && !publicidadRespaldo)
        timPublicidad->stop();
}

void PanelesWeb::brwPublicidad_NavigateError(const QString &url, const QString &marco, int codigo, bool &cancelar)
{
    Q_UNUSED(marco);
    Q_UNUSED(codigo);
    Q_UNUSED(cancelar);
    publicidadRespaldo = true;
    timPublicidad->start();
    // A failing local page is left alone: loading it again would fail again at once.
    const QString publicidadLocal = paginaLocal(QStringLiteral("pub.htm"));
    if (MismaPagina(url, publicidadLocal))
        return;
    brwPublicidad->navegar(publicidadLocal);
}

void PanelesWeb::timPublicidad_Timer()
{
    publicidadRespaldo = false;
    brwPublicidad->navegar(paginaSitio(QStringLiteral("/ntxbin/pub/pub")));
}

void PanelesWeb::brwConfWeb_DocumentComplete(const QString &url)
{
    if (!contiene(url, "ntxbin/conf"))
        return;
    const QString texto = brwConfWeb->textoCuerpo();
    if (!contiene(texto, "ntxconfweb1.2"))
        return;
    // The marker and its separator take the first 14 characters of the body.
    LeerConfiguracion(ctx.ConfiguracionRemota, texto.mid(14));
}

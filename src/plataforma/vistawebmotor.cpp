// VistaWeb over QtWebEngine: navigation filter, POST with its header lines,
// silent mode, document snapshot.
#include "plataforma/vistawebmotor.h"

#include "plataforma/vistawebperfil.h"

#include <QApplication>
#include <QNetworkCookie>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineCertificateError>
#include <QWebEngineCookieStore>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace {

// Chromium's net::ERR_ABORTED: a navigation the program cancelled, stopped or replaced.
constexpr int ErrorAbortado = -3;

// Runs in its own script world, so a page that redefines globals cannot spoil the reading.
const QString ScriptInstantanea = QStringLiteral(R"JS(
(function () {
    var d = document, b = d.body, r = d.documentElement;
    var s = d.scrollingElement || r;
    var atributos = {};
    if (b) {
        for (var i = 0; i < b.attributes.length; i++)
            atributos[b.attributes[i].name.toLowerCase()] = b.attributes[i].value;
    }
    var marcos = [];
    var lista = d.querySelectorAll('iframe, frame');
    for (var j = 0; j < lista.length; j++) {
        var dir = lista[j].src || '';
        try { dir = lista[j].contentWindow.location.href; } catch (e) {}
        marcos.push([lista[j].name || lista[j].id || '', dir]);
    }
    var cookie = '';
    try { cookie = d.cookie; } catch (e) {}
    return {
        textoCuerpo: b ? b.innerText : '',
        htmlCuerpo: b ? b.innerHTML : '',
        htmlRaiz: r ? r.outerHTML : '',
        cookies: cookie,
        desbordeRaiz: r ? r.style.overflow : '',
        scrollArriba: s ? Math.round(s.scrollTop) : 0,
        scrollIzquierda: s ? Math.round(s.scrollLeft) : 0,
        atributos: atributos,
        marcos: marcos
    };
})()
)JS");

// Quotes a text as a JavaScript string literal.
QString literalJs(const QString &texto)
{
    QString r = QStringLiteral("\"");
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            r += u'\\';
            r += c;
        } else if (u < 0x20 || u == 0x2028 || u == 0x2029 || u == u'<') {
            r += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        } else {
            r += c;
        }
    }
    r += u'"';
    return r;
}

struct LineaCabecera
{
    QByteArray nombre;
    QByteArray valor;
};

// Header lines separated by line feeds; a stray carriage return is tolerated.
QList<LineaCabecera> partirCabeceras(const QString &cabeceras)
{
    QList<LineaCabecera> lineas;
    const QStringList partes = cabeceras.split(u'\n');
    for (QString linea : partes) {
        if (linea.endsWith(u'\r')) {
            linea.chop(1);
        }
        const qsizetype dosPuntos = linea.indexOf(u':');
        if (dosPuntos <= 0) {
            continue;
        }
        const QString nombre = linea.left(dosPuntos).trimmed();
        if (nombre.isEmpty()) {
            continue;
        }
        lineas.append({nombre.toLatin1(), linea.mid(dosPuntos + 1).trimmed().toLatin1()});
    }
    return lineas;
}

bool esNtx(const QUrl &url)
{
    return url.scheme().compare(QLatin1String("ntx"), Qt::CaseInsensitive) == 0;
}

} // namespace

// Adds the Referer of a pending POST to its own request: the engine drops one
// given on the request itself. A POST the program starts has no page behind it,
// and the engine would send "Origin: null", which gateways refuse: it carries the
// origin of the page it goes to, as the gateway's own form would.
class InterceptorVistaWeb final : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void esperar(const QUrl &destino, const QByteArray &referer)
    {
        destino_ = destino;
        referer_ = referer;
        pendiente_ = true;
    }

    static QByteArray origenDe(const QUrl &url)
    {
        QByteArray origen = url.scheme().toLatin1() + "://" + url.host().toLatin1();
        if (url.port() != -1) {
            origen += ':' + QByteArray::number(url.port());
        }
        return origen;
    }

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (!pendiente_ || info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame) {
            return;
        }
        if (info.requestUrl().adjusted(QUrl::RemoveFragment) != destino_.adjusted(QUrl::RemoveFragment)) {
            return;
        }
        if (!referer_.isEmpty()) {
            info.setHttpHeader("Referer", referer_);
        }
        info.setHttpHeader("Origin", origenDe(destino_));
        pendiente_ = false;
        referer_.clear();
    }

private:
    QUrl destino_;
    QByteArray referer_;
    bool pendiente_ = false;
};

class PaginaVistaWeb final : public QWebEnginePage
{
public:
    PaginaVistaWeb(QWebEngineProfile *perfil, VistaWebMotor *dueno)
        : QWebEnginePage(perfil, dueno)
        , dueno_(dueno)
    {}

    bool silencioso = false;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType tipo, bool marcoPrincipal) override
    {
        return dueno_->filtrarNavegacion(url, int(tipo), marcoPrincipal);
    }

    void javaScriptAlert(const QUrl &origen, const QString &texto) override
    {
        if (!silencioso) {
            QWebEnginePage::javaScriptAlert(origen, texto);
        }
    }

    bool javaScriptConfirm(const QUrl &origen, const QString &texto) override
    {
        return silencioso ? false : QWebEnginePage::javaScriptConfirm(origen, texto);
    }

    bool javaScriptPrompt(const QUrl &origen, const QString &texto, const QString &predeterminado,
                          QString *resultado) override
    {
        return silencioso ? false : QWebEnginePage::javaScriptPrompt(origen, texto, predeterminado, resultado);
    }

    QStringList chooseFiles(FileSelectionMode modo, const QStringList &anteriores, const QStringList &tipos) override
    {
        return silencioso ? QStringList() : QWebEnginePage::chooseFiles(modo, anteriores, tipos);
    }

    // Script errors go to the console; the view never shows them.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) override {}

private:
    VistaWebMotor *dueno_;
};

VistaWebMotor::VistaWebMotor(QWidget *padre, QWebEngineProfile *perfil)
    : VistaWeb(padre)
    , vista_(new QWebEngineView(this))
    , pagina_(new PaginaVistaWeb(perfil ? perfil : perfilCompartido(), this))
    , interceptor_(new InterceptorVistaWeb(this))
{
    auto *capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista_);
    setFocusProxy(vista_);

    QWebEngineSettings *ajustes = pagina_->settings();
    // window.open from a script must reach nuevaVentana instead of being blocked.
    ajustes->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    ajustes->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    ajustes->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);

    pagina_->setUrlRequestInterceptor(interceptor_);
    vista_->setPage(pagina_);

    connect(pagina_, &QWebEnginePage::loadingChanged, this, &VistaWebMotor::alCambiarCarga);
    connect(pagina_, &QWebEnginePage::windowCloseRequested, this, [this] {
        bool cancelar = false;
        Q_EMIT cierreDeVentana(cancelar);
        if (!cancelar) {
            hide();
        }
    });
    connect(pagina_, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest &pedido) { Q_EMIT nuevaVentana(pedido.requestedUrl().toString()); });
    // Certificate problems are refused without asking, as a silent browser control would.
    connect(pagina_, &QWebEnginePage::certificateError, this,
            [](const QWebEngineCertificateError &error) { QWebEngineCertificateError(error).rejectCertificate(); });
    connect(qApp, &QApplication::focusChanged, this, &VistaWebMotor::alCambiarFoco);
}

VistaWebMotor::~VistaWebMotor()
{
    // The page must go before the view that shows it.
    vista_->setPage(nullptr);
    delete pagina_;
    pagina_ = nullptr;
}

void VistaWebMotor::navegar(const QString &direccion)
{
    hayPost_ = false;
    pagina_->load(QUrl::fromUserInput(direccion));
}

void VistaWebMotor::navegarPost(const QString &direccion, const QByteArray &cuerpo, const QString &cabeceras)
{
    const QUrl url = QUrl::fromUserInput(direccion);
    QWebEngineHttpRequest pedido(url, QWebEngineHttpRequest::Post);
    pedido.setPostData(cuerpo);
    QByteArray referer;
    for (const LineaCabecera &linea : partirCabeceras(cabeceras)) {
        if (linea.nombre.compare("Referer", Qt::CaseInsensitive) == 0) {
            referer = linea.valor;
        } else if (linea.nombre.compare("Cookie", Qt::CaseInsensitive) == 0) {
            // The engine sends its own jar instead of a Cookie header: put the pairs there first.
            for (const QByteArray &par : linea.valor.split(';')) {
                const qsizetype igual = par.indexOf('=');
                const QByteArray nombre = (igual < 0 ? par : par.left(igual)).trimmed();
                if (nombre.isEmpty()) {
                    continue;
                }
                QNetworkCookie cookie(nombre, igual < 0 ? QByteArray() : par.mid(igual + 1).trimmed());
                cookie.setPath(QStringLiteral("/"));
                pagina_->profile()->cookieStore()->setCookie(cookie, url);
            }
        } else {
            pedido.setHeader(linea.nombre, linea.valor);
        }
    }
    interceptor_->esperar(url, referer);
    hayPost_ = true;
    post_ = {url, cuerpo, cabeceras};
    pagina_->load(pedido);
}

void VistaWebMotor::detener()
{
    vista_->stop();
}

void VistaWebMotor::atras()
{
    vista_->back();
}

void VistaWebMotor::recargar()
{
    hayPost_ = false;
    pagina_->triggerAction(QWebEnginePage::Reload);
}

void VistaWebMotor::setSilencioso(bool silencioso)
{
    pagina_->silencioso = silencioso;
}

bool VistaWebMotor::silencioso() const
{
    return pagina_->silencioso;
}

QString VistaWebMotor::direccion() const
{
    return pagina_->url().toString();
}

QString VistaWebMotor::atributoCuerpo(const QString &nombre) const
{
    return foto_.atributos.value(nombre.toLower());
}

void VistaWebMotor::setDesbordeRaiz(const QString &valor)
{
    ejecutarYRefrescar(QStringLiteral("document.documentElement.style.overflow = %1;").arg(literalJs(valor)));
}

void VistaWebMotor::setScroll(int arriba, int izquierda)
{
    ejecutarYRefrescar(QStringLiteral("(function () { var s = document.scrollingElement || document.documentElement;"
                                      " s.scrollTop = %1; s.scrollLeft = %2; })();")
                           .arg(arriba)
                           .arg(izquierda));
}

void VistaWebMotor::setAtributoCuerpo(const QString &nombre, const QString &valor)
{
    // The engine ignores a body "scroll" attribute: "no" hides the page's scroll bars by a style
    // rule, which leaves programmatic scrolling and the root's own inline style alone.
    ejecutarYRefrescar(QStringLiteral(R"JS((function () {
    var b = document.body; if (!b) return;
    var n = %1, v = %2;
    b.setAttribute(n, v);
    if (n.toLowerCase() !== 'scroll') return;
    var e = document.getElementById('ntx-scroll-no');
    if (v.toLowerCase() === 'no') {
        if (!e) {
            e = document.createElement('style');
            e.id = 'ntx-scroll-no';
            e.textContent = 'html { overflow: hidden; }';
            (document.head || document.documentElement).appendChild(e);
        }
    } else if (e) {
        e.remove();
    }
})();)JS")
                           .arg(literalJs(nombre), literalJs(valor)));
}

void VistaWebMotor::ejecutarScript(const QString &codigo)
{
    ejecutarYRefrescar(codigo);
}

void VistaWebMotor::ejecutarYRefrescar(const QString &codigo)
{
    QPointer<VistaWebMotor> yo(this);
    pagina_->runJavaScript(codigo, QWebEngineScript::MainWorld, [yo](const QVariant &) {
        if (yo) {
            yo->tomarInstantanea(FinDeCarga::Ninguno);
        }
    });
}

bool VistaWebMotor::filtrarNavegacion(const QUrl &url, int tipo, bool marcoPrincipal)
{
    QByteArray datosPost;
    QString cabeceras;
    if (hayPost_ && marcoPrincipal && tipo == QWebEnginePage::NavigationTypeTyped && url == post_.url) {
        datosPost = post_.cuerpo;
        cabeceras = post_.cabeceras;
        hayPost_ = false;
    }
    // A command link keeps its "%20" as written: its text is shown without any decoding.
    const QString direccion = esNtx(url) ? url.toString(QUrl::EncodeSpaces) : url.toString();
    const bool redireccion = marcoPrincipal && tipo == QWebEnginePage::NavigationTypeRedirect;
    origen_ = redireccion ? enCurso_ : this->direccion();
    bool cancelar = false;
    Q_EMIT antesDeNavegar(direccion, marcoPrincipal ? QString() : marcoDe(url), datosPost, cabeceras, cancelar,
                          marcoPrincipal);
    // Nothing serves ntx: it is a command for the owner, never a request.
    const bool aceptar = !cancelar && !esNtx(url);
    if (!aceptar && marcoPrincipal) {
        rechazada_ = url;
    }
    if (aceptar && marcoPrincipal) {
        enCurso_ = direccion;
    }
    return aceptar;
}

QString VistaWebMotor::marcoDe(const QUrl &url) const
{
    const QString texto = url.toString();
    for (const auto &marco : foto_.marcos) {
        if (marco.second == texto) {
            return marco.first;
        }
    }
    // A frame that moved since the last snapshot: the page's only frame is the one.
    return foto_.marcos.size() == 1 ? foto_.marcos.first().first : QString();
}

void VistaWebMotor::alCambiarCarga(const QWebEngineLoadingInfo &info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        ++generacion_;
        estado_ = 1;
        ocupado_ = true;
        cargando_ = true;
        urlCarga_ = info.url();
        return;
    }
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
        cargando_ = false;
        tomarInstantanea(FinDeCarga::Completa);
        return;
    }
    const bool abortada =
        info.status() == QWebEngineLoadingInfo::LoadStoppedStatus ||
        (info.errorDomain() == QWebEngineLoadingInfo::InternalErrorDomain && info.errorCode() == ErrorAbortado);
    if (abortada && !rechazada_.isEmpty() && info.url() == rechazada_) {
        // A navigation the filter refused raises no event of its own. When a page still
        // loading started it (a script on the load event), the engine ends that page's load
        // with it: the page is there and complete.
        rechazada_.clear();
        const bool paginaTragada = cargando_ && urlCarga_ != info.url() && pagina_->url() == urlCarga_;
        cargando_ = false;
        tomarInstantanea(paginaTragada ? FinDeCarga::Completa : FinDeCarga::SinEventos);
        return;
    }
    cargando_ = false;
    if (!abortada && !esNtx(info.url())) {
        bool cancelar = false;
        Q_EMIT errorDeNavegacion(info.url().toString(), QString(), info.errorCode(), cancelar);
    }
    tomarInstantanea(FinDeCarga::Fallida);
}

void VistaWebMotor::tomarInstantanea(FinDeCarga fin)
{
    const quint64 generacion = generacion_;
    QPointer<VistaWebMotor> yo(this);
    pagina_->runJavaScript(ScriptInstantanea, QWebEngineScript::ApplicationWorld,
                           [yo, generacion, fin](const QVariant &resultado) {
                               if (!yo || yo->generacion_ != generacion) {
                                   return;
                               }
                               const QVariantMap m = resultado.toMap();
                               Instantanea &f = yo->foto_;
                               f.textoCuerpo = m.value(QStringLiteral("textoCuerpo")).toString();
                               f.htmlCuerpo = m.value(QStringLiteral("htmlCuerpo")).toString();
                               f.htmlRaiz = m.value(QStringLiteral("htmlRaiz")).toString();
                               f.cookies = m.value(QStringLiteral("cookies")).toString();
                               f.desbordeRaiz = m.value(QStringLiteral("desbordeRaiz")).toString();
                               f.scrollArriba = m.value(QStringLiteral("scrollArriba")).toInt();
                               f.scrollIzquierda = m.value(QStringLiteral("scrollIzquierda")).toInt();
                               const QVariantMap atributos = m.value(QStringLiteral("atributos")).toMap();
                               f.atributos.clear();
                               for (auto it = atributos.cbegin(); it != atributos.cend(); ++it) {
                                   f.atributos.insert(it.key(), it.value().toString());
                               }
                               f.marcos.clear();
                               const QVariantList marcos = m.value(QStringLiteral("marcos")).toList();
                               for (const QVariant &marco : marcos) {
                                   const QVariantList par = marco.toList();
                                   if (par.size() == 2) {
                                       f.marcos.append({par.at(0).toString(), par.at(1).toString()});
                                   }
                               }
                               if (fin != FinDeCarga::Ninguno) {
                                   yo->estado_ = Completo;
                                   yo->ocupado_ = false;
                               }
                               Q_EMIT yo->instantaneaActualizada();
                               if (!yo || fin == FinDeCarga::Ninguno || fin == FinDeCarga::SinEventos) {
                                   return;
                               }
                               const QString direccion = yo->direccion();
                               if (fin == FinDeCarga::Completa) {
                                   Q_EMIT yo->navegacionCompleta(direccion);
                               }
                               if (yo && yo->generacion_ == generacion) {
                                   Q_EMIT yo->descargaCompleta();
                               }
                               if (yo && yo->generacion_ == generacion && fin == FinDeCarga::Completa) {
                                   Q_EMIT yo->documentoCompleto(direccion);
                               }
                           });
}

void VistaWebMotor::alCambiarFoco(QWidget *, QWidget *ahora)
{
    if (ahora && (ahora == this || isAncestorOf(ahora))) {
        Q_EMIT focoRecibido();
    }
}

// The ntx scheme, the shared persistent profile and the factory of real views.
#include "plataforma/vistawebperfil.h"
#include "plataforma/vistawebred.h"

#include "plataforma/vistawebmotor.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace {

const QByteArray EsquemaNtx = QByteArrayLiteral("ntx");

// ntx links are cancelled in the navigation filter; the engine still needs a
// handler for the scheme to hand those links to the filter at all. A request
// that gets here anyway (an image or a frame with an ntx address) is refused.
class ManejadorNtx final : public QWebEngineUrlSchemeHandler
{
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob *trabajo) override
    {
        trabajo->fail(QWebEngineUrlRequestJob::RequestDenied);
    }
};

struct EstadoPerfil
{
    QString carpeta;
    QPointer<QWebEngineProfile> perfil;
    bool creado = false;
};

EstadoPerfil &estado()
{
    static EstadoPerfil e;
    return e;
}

QString carpetaPredeterminada()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/NTX/Navegador");
}

} // namespace

void registrarEsquemaNtx()
{
    if (!QWebEngineUrlScheme::schemeByName(EsquemaNtx).name().isEmpty()) {
        return;
    }
    QWebEngineUrlScheme esquema(EsquemaNtx);
    // Path syntax keeps the link text as written (no host rules applied to the command).
    esquema.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(esquema);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

bool fijarCarpetaPerfilCompartido(const QString &carpeta)
{
    if (estado().creado) {
        return false;
    }
    estado().carpeta = carpeta;
    return true;
}

QString carpetaPerfilCompartido()
{
    return estado().carpeta.isEmpty() ? carpetaPredeterminada() : estado().carpeta;
}

QWebEngineProfile *perfilCompartido()
{
    EstadoPerfil &e = estado();
    if (e.perfil) {
        return e.perfil;
    }
    const QString carpeta = carpetaPerfilCompartido();
    QDir().mkpath(carpeta);
    auto *perfil = new QWebEngineProfile(QStringLiteral("NTX"), qApp);
    perfil->setPersistentStoragePath(carpeta);
    perfil->setCachePath(carpeta + QStringLiteral("/cache"));
    // Pages of the maker's site change under the same address; a run starts with a fresh cache.
    perfil->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    perfil->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    // The engine would announce the system's language (English on a bare system);
    // the program and the sites it talks to speak Spanish.
    perfil->setHttpAcceptLanguage(QStringLiteral("es-AR,es"));
    perfil->installUrlSchemeHandler(EsquemaNtx, new ManejadorNtx(perfil));
    e.perfil = perfil;
    e.creado = true;
    return perfil;
}

void compartirProcesosMotor()
{
    // The user's own flags go after the client's, so a value the user gives wins.
    const QByteArray propias = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").trimmed();
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            propias.isEmpty() ? QByteArray(BanderasMotor) : QByteArray(BanderasMotor) + ' ' + propias);
}

FabricaVistaWeb fabricaVistaWebRed()
{
    return [](QWidget *padre) -> VistaWeb * {
        QWebEngineProfile *perfil = perfilCompartido();
        return new VistaWebRed(perfil->httpUserAgent().toUtf8(), perfil->httpAcceptLanguage().toUtf8(), padre);
    };
}

FabricaVistaWeb fabricaVistaWebMotor()
{
    return [](QWidget *padre) -> VistaWeb * { return new VistaWebMotor(padre); };
}

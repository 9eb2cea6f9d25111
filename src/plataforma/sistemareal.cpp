#include "plataforma/sistemareal.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

#ifdef NTX_CON_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#endif

void SistemaReal::pitido()
{
    QApplication::beep();
}

bool SistemaReal::fallaNavegador(const QString &direccion, const QString &error)
{
    m_error = error;
    if (alFallarNavegador)
        alFallarNavegador(direccion, error);
    return false;
}

bool SistemaReal::abrirEnNavegador(const QString &direccion)
{
    const QUrl url = QUrl::fromUserInput(direccion, QDir::currentPath(), QUrl::AssumeLocalFile);
    if (!url.isValid())
        return fallaNavegador(direccion,
                              QStringLiteral("La dirección «") + direccion + QStringLiteral("» no es válida."));
    const QString noAbrio = QStringLiteral("El sistema no pudo iniciar un navegador: puede que no haya ninguno "
                                           "instalado o elegido como predeterminado.");
    // The desktop's opener tells a failure only by its exit code, once it has looked
    // for a browser; QDesktopServices starts it detached and never hears it, so it
    // is started and watched here (its output goes where the program's goes).
    const QString abridor = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (abridor.isEmpty()) {
        if (!QDesktopServices::openUrl(url))
            return fallaNavegador(direccion, noAbrio);
        m_error.clear();
        return true;
    }
    auto *proceso = new QProcess(&m_abridores);
    proceso->setProcessChannelMode(QProcess::ForwardedChannels);
    proceso->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(proceso, &QProcess::finished, proceso,
                     [this, proceso, direccion, noAbrio](int codigo, QProcess::ExitStatus estado) {
                         proceso->deleteLater();
                         if (estado != QProcess::NormalExit || codigo != 0)
                             fallaNavegador(direccion, noAbrio);
                     });
    proceso->start(abridor, {url.toString(QUrl::FullyEncoded)});
    if (!proceso->waitForStarted()) {
        delete proceso;
        return fallaNavegador(direccion, noAbrio);
    }
    m_error.clear();
    return true;
}

QString SistemaReal::buscarPrograma(const QString &nombre, const QString &carpetaPrograma, const QString &rutaBusqueda)
{
    if (nombre.isEmpty() || nombre.contains(QLatin1Char('/')))
        return {};
    // Names written for the other platform ("ntxasistente.exe") find the program without the suffix too.
    QStringList nombres{nombre};
    if (nombre.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        nombres << nombre.chopped(4);
    QStringList carpetas{carpetaPrograma};
    for (const QString &entrada : rutaBusqueda.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // "" and "." and any relative entry would mean the working folder or below it.
        if (QDir::isAbsolutePath(entrada))
            carpetas << entrada;
    }
    for (const QString &carpeta : std::as_const(carpetas)) {
        if (!QDir::isAbsolutePath(carpeta))
            continue;
        for (const QString &n : std::as_const(nombres)) {
            const QString encontrado = QStandardPaths::findExecutable(n, {carpeta});
            if (!encontrado.isEmpty())
                return encontrado;
        }
    }
    return {};
}

bool SistemaReal::iniciarPrograma(const QString &nombre, const QStringList &argumentos)
{
    // The other program sits next to this executable, wherever the program's files are.
    const QString ruta = buscarPrograma(nombre, QCoreApplication::applicationDirPath(), qEnvironmentVariable("PATH"));
    if (ruta.isEmpty()) {
        m_error = QStringLiteral("No se encontró el programa «") + nombre +
                  QStringLiteral("» en la carpeta del programa ni en la ruta de búsqueda.");
        return false;
    }
    if (!QProcess::startDetached(ruta, argumentos)) {
        m_error = QStringLiteral("El sistema no pudo iniciar «") + ruta + QStringLiteral("».");
        return false;
    }
    m_error.clear();
    return true;
}

bool SistemaReal::abrirConManejador(const QString &ruta)
{
    return AbrirConManejador(ruta, &m_error);
}

void SistemaReal::terminarProceso(int codigo)
{
    // At once: no window closes, no destructor runs. Settings are already on disk.
    std::fflush(nullptr);
    std::_Exit(codigo);
}

QString SistemaReal::carpetaEspecial(int identificador) const
{
    QString carpeta;
    if (identificador == CarpetaDatosLocales)
        carpeta = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    else if (identificador == CarpetaEscritorio)
        carpeta = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (carpeta.isEmpty())
        return {};
    return carpeta.endsWith(QLatin1Char('/')) ? carpeta : carpeta + QLatin1Char('/');
}

QString SistemaReal::carpetaConArchivos(const QString &carpetaEjecutable)
{
    const QString instalada = QDir::cleanPath(carpetaEjecutable + QStringLiteral("/../share/ntx-mensajes"));
    for (const QString &carpeta : {carpetaEjecutable, instalada}) {
        if (QFileInfo(carpeta + QStringLiteral("/logica")).isDir())
            return carpeta;
    }
    return carpetaEjecutable;
}

QString SistemaReal::carpetaPrograma() const
{
    return carpetaConArchivos(QCoreApplication::applicationDirPath());
}

QString SistemaReal::lineaDeComandos() const
{
    return QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
}

bool SistemaReal::modoSinConexion() const
{
    if (qEnvironmentVariable("NTX_SIN_CONEXION") == QLatin1String("1"))
        return true;
#ifdef NTX_CON_DBUS
    // Only a network manager that says networking is switched off counts; no manager,
    // no bus or any error means online.
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage pregunta = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.NetworkManager"), QStringLiteral("/org/freedesktop/NetworkManager"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    pregunta << QStringLiteral("org.freedesktop.NetworkManager") << QStringLiteral("NetworkingEnabled");
    const QDBusMessage respuesta = bus.call(pregunta, QDBus::Block, 1000);
    if (respuesta.type() != QDBusMessage::ReplyMessage || respuesta.arguments().isEmpty())
        return false;
    const QVariant valor = respuesta.arguments().constFirst().value<QDBusVariant>().variant();
    return valor.typeId() == QMetaType::Bool && !valor.toBool();
#else
    return false;
#endif
}

bool SistemaReal::notificar(const QString &titulo, const QString &texto, int msVisible)
{
#ifdef NTX_CON_DBUS
    // No session bus announced: asking for one would have D-Bus start a bus of its own
    // (autolaunch), left running after the program.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        !QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")))
        return false;
    const QString servicio = QStringLiteral("org.freedesktop.Notifications");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    // A server that runs, or one the bus starts on the first call (most desktops).
    const bool hay = bus.interface()->isServiceRegistered(servicio).value() ||
                     bus.interface()->activatableServiceNames().value().contains(servicio);
    if (!hay)
        return false;
    QDBusMessage llamada = QDBusMessage::createMethodCall(servicio, QStringLiteral("/org/freedesktop/Notifications"),
                                                          servicio, QStringLiteral("Notify"));
    QVariantMap pistas;
    // The desktop groups the notice with the program's menu entry and its icon.
    pistas.insert(QStringLiteral("desktop-entry"), QStringLiteral("ar.com.ntxvarel.mensajes"));
    llamada << QStringLiteral("NTX Mensajes") << 0u << QStringLiteral("ntx-mensajes") << titulo << texto
            << QStringList() << pistas << qint32(msVisible);
    // Not waited for: the notice must not hold the window up while the server starts.
    return bus.send(llamada);
#else
    Q_UNUSED(titulo);
    Q_UNUSED(texto);
    Q_UNUSED(msVisible);
    return false;
#endif
}

QDateTime SistemaReal::ahora() const
{
    return QDateTime::currentDateTime();
}

void SistemaReal::dejarCorrerMensajes(bool permitirEntrada)
{
    QCoreApplication::processEvents(permitirEntrada ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

#include "plataforma/instanciaunicareal.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char acuse = '\x06';
// A hand-over is a command line; anything near this size is no hand-over.
constexpr quint32 tamanoMaximo = 64u * 1024u * 1024u;

QString uid()
{
    return QString::number(::getuid());
}

// A local socket's path holds at most 107 bytes (the kernel's 108 less the closing zero).
constexpr qsizetype LargoMaximoSocket = 107;

QString rutaReceptoraEn(const QString &carpeta)
{
    return carpeta + QLatin1Char('/') + InstanciaUnica::nombreReceptora() + QLatin1Char('-') + uid();
}

qsizetype largoRuta(const QString &ruta)
{
    return QFile::encodeName(ruta).size();
}

int abrirArchivo(const QString &ruta)
{
    int fd;
    do {
        // A link planted in the folder must not lead the lock to another file.
        fd = ::open(QFile::encodeName(ruta).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int bloquear(int fd, int operacion)
{
    int r;
    do {
        r = ::flock(fd, operacion);
    } while (r != 0 && errno == EINTR);
    return r;
}

QString nombreSeguro(const QString &nombre)
{
    QString s = nombre;
    for (QChar &c : s) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != QLatin1Char('_') && c != QLatin1Char('-') &&
            c != QLatin1Char('.'))
            c = QLatin1Char('_');
    }
    return s.isEmpty() ? QStringLiteral("_") : s;
}

// Waits for the gate in short steps, so a holder that never lets go costs a time-out, not a hang.
bool bloquearPuerta(int fd, int msEspera)
{
    const QDeadlineTimer limite(qMax(0, msEspera));
    for (;;) {
        if (bloquear(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK || limite.hasExpired())
            return false;
        ::usleep(10000);
    }
}

// The folder must be this user's own and closed to everybody else: in a shared temporary
// folder anyone could have made it first, or put a link there.
bool asegurarCarpeta(const QString &carpeta, QString *error)
{
    const QByteArray ruta = QFile::encodeName(carpeta);
    struct stat st
    {
    };
    if (::lstat(ruta.constData(), &st) != 0) {
        if (errno != ENOENT || !QDir().mkpath(QFileInfo(carpeta).absolutePath()) ||
            (::mkdir(ruta.constData(), 0700) != 0 && errno != EEXIST) || ::lstat(ruta.constData(), &st) != 0) {
            *error = QStringLiteral("No se pudo crear la carpeta ") + carpeta + QStringLiteral(": ") +
                     QString::fromLocal8Bit(::strerror(errno));
            return false;
        }
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 0077) != 0) {
        *error = QStringLiteral("La carpeta ") + carpeta +
                 QStringLiteral(" no es privada de este usuario (debe ser suya y sin permisos para otros). "
                                "Bórrela o corrija sus permisos y vuelva a abrir el programa.");
        return false;
    }
    return true;
}

} // namespace

InstanciaUnicaReal::InstanciaUnicaReal(const QString &carpeta, QObject *padre)
    : InstanciaUnica(padre)
    , m_carpeta(carpeta.isEmpty() ? carpetaPredeterminada() : carpeta)
{}

InstanciaUnicaReal::~InstanciaUnicaReal()
{
    liberarMutex();
}

QString InstanciaUnicaReal::carpetaPredeterminada()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    // A folder too deep for the receiver's socket gives way to the private one: the
    // client and the wizard decide alike, so they still meet in the same folder.
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && largoRuta(rutaReceptoraEn(runtime)) <= LargoMaximoSocket)
        return runtime;
    return QDir::tempPath() + QStringLiteral("/ntx-") + uid();
}

QString InstanciaUnicaReal::rutaReceptora() const
{
    return rutaReceptoraEn(m_carpeta);
}

bool InstanciaUnicaReal::crearMutex(const QString &nombre, bool *yaExistia)
{
    if (!asegurarCarpeta(m_carpeta, &m_error))
        return false;
    const QString base = m_carpeta + QLatin1Char('/') + nombreSeguro(nombre);
    const int puerta = abrirArchivo(base + QStringLiteral(".puerta"));
    if (puerta < 0 || !bloquearPuerta(puerta, m_esperaPuerta)) {
        if (puerta >= 0 && errno == EWOULDBLOCK)
            m_error = QStringLiteral("Otro proceso retiene el cerrojo ") + base +
                      QStringLiteral(".puerta y no lo suelta. Cierre las demás copias del programa y vuelva a "
                                     "intentarlo.");
        else
            m_error = QStringLiteral("No se pudo tomar el cerrojo ") + base + QStringLiteral(".puerta: ") +
                      QString::fromLocal8Bit(::strerror(errno));
        if (puerta >= 0)
            ::close(puerta);
        return false;
    }
    const int cerrojo = abrirArchivo(base + QStringLiteral(".cerrojo"));
    bool existia = false;
    bool ok = cerrojo >= 0;
    if (ok) {
        if (bloquear(cerrojo, LOCK_EX | LOCK_NB) == 0) {
            existia = false;
        } else if (errno == EWOULDBLOCK) {
            existia = true;
        } else {
            ok = false;
        }
        // Holders share the lock; nobody else can test in between, the gate is ours.
        ok = ok && bloquear(cerrojo, LOCK_SH) == 0;
    }
    if (!ok) {
        m_error = QStringLiteral("No se pudo tomar el cerrojo ") + base + QStringLiteral(".cerrojo: ") +
                  QString::fromLocal8Bit(::strerror(errno));
        if (cerrojo >= 0)
            ::close(cerrojo);
        ::close(puerta);
        return false;
    }
    ::close(puerta);
    liberarMutex();
    m_cerrojo = cerrojo;
    if (yaExistia)
        *yaExistia = existia;
    m_error.clear();
    return true;
}

void InstanciaUnicaReal::liberarMutex()
{
    if (m_cerrojo >= 0) {
        ::close(m_cerrojo);
        m_cerrojo = -1;
    }
}

bool InstanciaUnicaReal::buscarVentanaReceptora()
{
    QLocalSocket socket;
    socket.connectToServer(rutaReceptora());
    if (!socket.waitForConnected(100))
        return false;
    socket.disconnectFromServer();
    return true;
}

bool InstanciaUnicaReal::enviarAReceptora(const QString &texto, int msEspera)
{
    const QDeadlineTimer limite(qMax(0, msEspera));
    const auto restante = [&] { return static_cast<int>(qMax<qint64>(0, limite.remainingTime())); };
    QLocalSocket socket;
    socket.connectToServer(rutaReceptora());
    if (!socket.waitForConnected(restante())) {
        m_error = QStringLiteral("No hay receptora: ") + socket.errorString();
        return false;
    }
    const QByteArray cuerpo = texto.toUtf8();
    QByteArray trama(4, '\0');
    qToBigEndian(static_cast<quint32>(cuerpo.size()), trama.data());
    trama += cuerpo;
    socket.write(trama);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(restante())) {
            m_error = QStringLiteral("La receptora no aceptó el texto a tiempo.");
            return false;
        }
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(restante())) {
            m_error = QStringLiteral("La receptora no respondió a tiempo.");
            return false;
        }
    }
    char respuesta = 0;
    const bool ok = socket.getChar(&respuesta) && respuesta == acuse;
    if (!ok)
        m_error = QStringLiteral("La receptora respondió otra cosa.");
    return ok;
}

bool InstanciaUnicaReal::crearReceptora()
{
    if (m_servidor && m_servidor->isListening())
        return true;
    if (!asegurarCarpeta(m_carpeta, &m_error))
        return false;
    const QString ruta = rutaReceptora();
    if (largoRuta(ruta) > LargoMaximoSocket) {
        m_error = QStringLiteral("La ruta del canal que recibe los pedidos (") + ruta + QStringLiteral(") tiene ") +
                  QString::number(largoRuta(ruta)) + QStringLiteral(" bytes y el sistema admite como máximo ") +
                  QString::number(LargoMaximoSocket) +
                  QStringLiteral(". Use una carpeta temporal de ruta más corta (variables XDG_RUNTIME_DIR o "
                                 "TMPDIR).");
        return false;
    }
    // A socket file left by a dead process is removed; a live receiver is not ours to take.
    if (buscarVentanaReceptora()) {
        m_error = QStringLiteral("Otro proceso ya recibe en ") + ruta + QLatin1Char('.');
        return false;
    }
    QLocalServer::removeServer(ruta);
    if (!m_servidor) {
        m_servidor = new QLocalServer(this);
        m_servidor->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_servidor, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *socket = m_servidor->nextPendingConnection()) {
                m_pendientes.insert(socket, {});
                connect(socket, &QLocalSocket::readyRead, this, [this, socket] { leerDe(socket); });
                connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                    m_pendientes.remove(socket);
                    socket->deleteLater();
                });
            }
        });
    }
    if (!m_servidor->listen(ruta)) {
        m_error =
            QStringLiteral("No se pudo crear la receptora ") + ruta + QStringLiteral(": ") + m_servidor->errorString();
        return false;
    }
    m_error.clear();
    return true;
}

void InstanciaUnicaReal::leerDe(QLocalSocket *socket)
{
    auto it = m_pendientes.find(socket);
    if (it == m_pendientes.end())
        return;
    it->append(socket->readAll());
    while (it->size() >= 4) {
        const quint32 largo = qFromBigEndian<quint32>(it->constData());
        if (largo > tamanoMaximo) {
            m_pendientes.erase(it);
            socket->abort();
            return;
        }
        if (static_cast<quint64>(it->size()) < 4u + largo)
            return;
        const QString texto = QString::fromUtf8(it->constData() + 4, static_cast<qsizetype>(largo));
        it->remove(0, 4 + static_cast<qsizetype>(largo));
        socket->putChar(acuse);
        socket->flush();
        // The handler may open windows and run its own loops; the sender is answered first.
        Q_EMIT textoRecibido(texto);
        it = m_pendientes.find(socket);
        if (it == m_pendientes.end())
            return;
    }
}

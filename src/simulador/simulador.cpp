#include "simulador/simulador.h"

#include "simulador/imagencodigo.h"
#include "simulador/paginas.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

#include <sodium.h>

namespace {
QByteArray razon(int estado)
{
    switch (estado) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 410:
        return "Gone";
    case 411:
        return "Length Required";
    case 413:
        return "Payload Too Large";
    case 415:
        return "Unsupported Media Type";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    default:
        return "Estado";
    }
}

Simulador::Respuesta error(int estado, const QString &detalle)
{
    Simulador::Respuesta r;
    r.estado = estado;
    r.cuerpo = paginaError(estado, detalle);
    return r;
}

Simulador::Respuesta pagina(const QByteArray &html)
{
    Simulador::Respuesta r;
    r.cuerpo = html;
    r.cabeceras.append(qMakePair(QByteArray("Cache-Control"), QByteArray("no-store")));
    return r;
}

Simulador::Respuesta json(const QJsonDocument &documento)
{
    Simulador::Respuesta r;
    r.tipo = "application/json";
    r.cuerpo = documento.toJson(QJsonDocument::Indented);
    return r;
}

Simulador::Respuesta png(const QString &codigo)
{
    Simulador::Respuesta r;
    r.tipo = "image/png";
    r.cuerpo = pngDelCodigo(codigo);
    r.cabeceras.append(qMakePair(QByteArray("Cache-Control"), QByteArray("no-store")));
    return r;
}

QByteArray cookieNueva(const QByteArray &nombre, const QString &valor)
{
    return nombre + '=' + valor.toLatin1() + "; path=/";
}

// The last four digits of a number decide the gateway's answer.
bool terminaEn(const QString &numero, const QString &final)
{
    return numero.trimmed().endsWith(final);
}

QString valorDe(const QList<CampoFormulario> &campos, const QString &nombre)
{
    QString valor;
    buscarCampo(campos, nombre, &valor);
    return valor;
}

// "?seguir=actdw" or "?seguir=sales": the command page follows that link as soon as it loads.
QString seguirDe(const Simulador::Peticion &peticion)
{
    const QString seguir = valorDe(camposDeFormulario(peticion.consulta), QStringLiteral("seguir"));
    return seguir == QLatin1String("actdw") || seguir == QLatin1String("sales") ? seguir : QString();
}

// "&arriba=1": it follows the link in the top-level page rather than in its own frame.
bool arribaDe(const Simulador::Peticion &peticion)
{
    return valorDe(camposDeFormulario(peticion.consulta), QStringLiteral("arriba")) == QLatin1String("1");
}

QJsonObject camposComoObjeto(const QList<CampoFormulario> &campos)
{
    QJsonObject objeto;
    for (const CampoFormulario &campo : campos) {
        if (!objeto.contains(campo.nombre))
            objeto.insert(campo.nombre, campo.valor);
    }
    return objeto;
}
} // namespace

QByteArray Simulador::Peticion::cabecera(const QByteArray &nombre) const
{
    for (const auto &par : cabeceras) {
        if (par.first.compare(nombre, Qt::CaseInsensitive) == 0)
            return par.second;
    }
    return {};
}

Simulador::Simulador(const Ajustes &ajustes, QObject *parent)
    : QObject(parent)
    , m_ajustes(ajustes)
    , m_modo(ajustes.modo)
    , m_configuracion(ajustes.configuracion)
    , m_actualizacion(ajustes.actualizacion)
    , m_azar(ajustes.semilla != 0 ? ajustes.semilla : QRandomGenerator::global()->generate64())
{
    unsigned char publica[crypto_sign_PUBLICKEYBYTES];
    m_otraClave.resize(crypto_sign_SECRETKEYBYTES);
    if (sodium_init() >= 0)
        crypto_sign_keypair(publica, reinterpret_cast<unsigned char *>(m_otraClave.data()));
}

Simulador::~Simulador()
{
    // Sockets and servers must not call back into a half-destroyed object.
    for (QTcpSocket *socket : m_conexiones.keys())
        QObject::disconnect(socket, nullptr, this, nullptr);
    m_conexiones.clear();
    for (QTcpServer *servidor : m_servidores) {
        if (servidor)
            QObject::disconnect(servidor, nullptr, this, nullptr);
        delete servidor;
    }
}

bool Simulador::iniciar(QString *error)
{
    for (int i = 0; i < kCantidadRoles; ++i) {
        const Rol rol = static_cast<Rol>(i);
        auto *servidor = new QTcpServer(this);
        if (!servidor->listen(QHostAddress::LocalHost, m_ajustes.puertos[i])) {
            if (error) {
                *error = QStringLiteral("No se pudo abrir el puerto %1 para %2: %3")
                             .arg(m_ajustes.puertos[i])
                             .arg(nombreRol(rol), servidor->errorString());
            }
            delete servidor;
            return false;
        }
        m_servidores[i] = servidor;
        connect(servidor, &QTcpServer::newConnection, this, [this, rol] { aceptarConexion(rol); });
    }
    return true;
}

quint16 Simulador::puerto(Rol rol) const
{
    const QTcpServer *servidor = m_servidores[static_cast<int>(rol)];
    return servidor ? servidor->serverPort() : 0;
}

QString Simulador::base(Rol rol) const
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(puerto(rol));
}

QString Simulador::lineasEntorno() const
{
    return QStringLiteral("NTX_SITIO=") + base(Rol::Sitio) + QStringLiteral("\nNTX_PERSONAL=") + base(Rol::Personal) +
           QStringLiteral("\nNTX_CLARO=") + base(Rol::Claro) + QStringLiteral("\nNTX_MOVILNET=") + base(Rol::Movilnet) +
           QLatin1Char('\n');
}

void Simulador::fijarModo(const Modo &modo)
{
    m_modo = modo;
}

QString Simulador::nombreRol(Rol rol)
{
    switch (rol) {
    case Rol::Sitio:
        return QStringLiteral("sitio");
    case Rol::Personal:
        return QStringLiteral("personal");
    case Rol::Claro:
        return QStringLiteral("claro");
    case Rol::Movilnet:
        return QStringLiteral("movilnet");
    }
    return {};
}

bool Simulador::rolDesdeNombre(const QString &nombre, Rol *rol)
{
    for (int i = 0; i < kCantidadRoles; ++i) {
        if (nombre.trimmed().compare(nombreRol(static_cast<Rol>(i)), Qt::CaseInsensitive) == 0) {
            *rol = static_cast<Rol>(i);
            return true;
        }
    }
    return false;
}

bool Simulador::rolesDesdeTexto(const QString &texto, QSet<Rol> *roles)
{
    QSet<Rol> resultado;
    if (texto.trimmed().compare(QLatin1String("todos"), Qt::CaseInsensitive) != 0) {
        for (const QString &parte : texto.split(QLatin1Char(','))) {
            Rol rol;
            if (!rolDesdeNombre(parte, &rol))
                return false;
            resultado.insert(rol);
        }
    }
    *roles = resultado;
    return true;
}

bool Simulador::fallaDesdeNombre(const QString &nombre, Falla *falla)
{
    const QString n = nombre.trimmed().toLower();
    if (n == QLatin1String("ninguna"))
        *falla = Falla::Ninguna;
    else if (n == QLatin1String("500"))
        *falla = Falla::Error500;
    else if (n == QLatin1String("cortar"))
        *falla = Falla::Cortar;
    else if (n == QLatin1String("desconocida"))
        *falla = Falla::Desconocida;
    else
        return false;
    return true;
}

QString Simulador::nombreFalla(Falla falla)
{
    switch (falla) {
    case Falla::Ninguna:
        return QStringLiteral("ninguna");
    case Falla::Error500:
        return QStringLiteral("500");
    case Falla::Cortar:
        return QStringLiteral("cortar");
    case Falla::Desconocida:
        return QStringLiteral("desconocida");
    }
    return {};
}

bool Simulador::actualizacionDesdeNombre(const QString &nombre, Actualizacion *actualizacion)
{
    const QString n = nombre.trimmed().toLower();
    if (n == QLatin1String("ninguna"))
        *actualizacion = Actualizacion::Ninguna;
    else if (n == QLatin1String("ofrecer"))
        *actualizacion = Actualizacion::Ofrecer;
    else if (n == QLatin1String("obligar"))
        *actualizacion = Actualizacion::Obligar;
    else if (n == QLatin1String("corta"))
        *actualizacion = Actualizacion::Corta;
    else if (n == QLatin1String("alterada"))
        *actualizacion = Actualizacion::Alterada;
    else if (n == QLatin1String("sinfirma"))
        *actualizacion = Actualizacion::SinFirma;
    else if (n == QLatin1String("otraclave"))
        *actualizacion = Actualizacion::OtraClave;
    else
        return false;
    return true;
}

QString Simulador::nombreActualizacion(Actualizacion actualizacion)
{
    switch (actualizacion) {
    case Actualizacion::Ninguna:
        return QStringLiteral("ninguna");
    case Actualizacion::Ofrecer:
        return QStringLiteral("ofrecer");
    case Actualizacion::Obligar:
        return QStringLiteral("obligar");
    case Actualizacion::Corta:
        return QStringLiteral("corta");
    case Actualizacion::Alterada:
        return QStringLiteral("alterada");
    case Actualizacion::SinFirma:
        return QStringLiteral("sinfirma");
    case Actualizacion::OtraClave:
        return QStringLiteral("otraclave");
    }
    return {};
}

QByteArray Simulador::contenidoDescarga()
{
    // A real program file for the client to start: a script that marks that it ran,
    // padded with comment lines up to the announced size.
    QByteArray bytes = "#!/bin/sh\n"
                       "# Instalador de prueba del simulador de NTX Mensajes.\n"
                       ": > \"$(dirname \"$0\")/" +
                       nombreMarcaInstalador().toLatin1() +
                       "\"\n"
                       "exit 0\n";
    quint32 x = 12345;
    while (bytes.size() < kTamanoDescarga) {
        QByteArray linea = "# ";
        for (int i = 0; i < 60; ++i) {
            x = x * 1664525u + 1013904223u;
            linea.append(static_cast<char>('a' + (x >> 24) % 26));
        }
        linea.append('\n');
        bytes.append(linea);
    }
    bytes.truncate(kTamanoDescarga - 1);
    bytes.append('\n');
    return bytes;
}

QByteArray Simulador::contenidoAlterado()
{
    QByteArray bytes = contenidoDescarga();
    // Inside the padding: the file still runs, only its bytes differ.
    bytes[kTamanoDescarga / 2] = char(bytes.at(kTamanoDescarga / 2) ^ 0x01);
    return bytes;
}

QString Simulador::enlaceDescarga(Actualizacion actualizacion) const
{
    QString ruta = rutaDescarga();
    if (actualizacion == Actualizacion::Corta)
        ruta = rutaDescargaCorta();
    else if (actualizacion == Actualizacion::Alterada)
        ruta = rutaDescargaAlterada();
    else if (actualizacion == Actualizacion::SinFirma)
        ruta = rutaDescargaSinFirma();
    else if (actualizacion == Actualizacion::OtraClave)
        ruta = rutaDescargaOtraClave();
    const bool obligar = actualizacion == Actualizacion::Obligar;
    return (obligar ? QStringLiteral("ntx://actdf/1") : QStringLiteral("ntx://actdw/1")) +
           QStringLiteral("127.0.0.1:") + QString::number(puerto(Rol::Sitio)) + ruta + QStringLiteral("/2") +
           QString::number(kTamanoDescarga) + QStringLiteral("/F");
}

QByteArray Simulador::firmar(const QByteArray &datos, const QByteArray &claveSecreta)
{
    if (claveSecreta.size() != crypto_sign_SECRETKEYBYTES || sodium_init() < 0)
        return {};
    QByteArray firma(crypto_sign_BYTES, '\0');
    crypto_sign_detached(reinterpret_cast<unsigned char *>(firma.data()), nullptr,
                         reinterpret_cast<const unsigned char *>(datos.constData()),
                         static_cast<unsigned long long>(datos.size()),
                         reinterpret_cast<const unsigned char *>(claveSecreta.constData()));
    return firma;
}

QByteArray Simulador::leerClaveSecreta(const QString &ruta, QString *error)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("No se pudo leer la clave ") + ruta + QStringLiteral(": ") + archivo.errorString();
        return {};
    }
    const QByteArray texto = archivo.read(1024).trimmed();
    const QByteArray clave = QByteArray::fromHex(texto);
    if (texto.size() != 2 * crypto_sign_SECRETKEYBYTES || clave.size() != crypto_sign_SECRETKEYBYTES ||
        clave.toHex() != texto.toLower()) {
        *error = QStringLiteral("La clave ") + ruta + QStringLiteral(" no tiene 128 dígitos hexadecimales.");
        return {};
    }
    return clave;
}

QString Simulador::rutaClaveDesarrollo()
{
#ifdef NTX_CLAVE_SECRETA_DESARROLLO
    return QStringLiteral(NTX_CLAVE_SECRETA_DESARROLLO);
#else
    return {};
#endif
}

// ---- Transport ----

void Simulador::aceptarConexion(Rol rol)
{
    QTcpServer *servidor = m_servidores[static_cast<int>(rol)];
    while (QTcpSocket *socket = servidor->nextPendingConnection()) {
        Conexion conexion;
        conexion.rol = rol;
        m_conexiones.insert(socket, conexion);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { leer(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { m_conexiones.remove(socket); });
    }
}

void Simulador::leer(QTcpSocket *socket)
{
    auto it = m_conexiones.find(socket);
    if (it == m_conexiones.end())
        return;
    it->entrada += socket->readAll();

    while (true) {
        it = m_conexiones.find(socket);
        if (it == m_conexiones.end() || it->ocupada)
            return;
        QByteArray &entrada = it->entrada;
        const Rol rol = it->rol;

        const qsizetype fin = entrada.indexOf("\r\n\r\n");
        if (fin < 0) {
            if (entrada.size() > kLimiteCabecera)
                rechazarYCerrar(socket, 431, QStringLiteral("Cabecera demasiado larga."));
            return;
        }
        if (fin > kLimiteCabecera) {
            rechazarYCerrar(socket, 431, QStringLiteral("Cabecera demasiado larga."));
            return;
        }

        Peticion peticion;
        peticion.rol = rol;
        const QList<QByteArray> lineas = entrada.left(fin).split('\n');
        const QList<QByteArray> partes = lineas.value(0).trimmed().split(' ');
        if (partes.size() != 3 || partes[0].isEmpty() || !partes[1].startsWith('/') || !partes[2].startsWith("HTTP/")) {
            rechazarYCerrar(socket, 400, QStringLiteral("Línea de petición inválida."));
            return;
        }
        peticion.metodo = partes[0];
        peticion.destino = partes[1];
        peticion.version = partes[2];
        const qsizetype interrogacion = peticion.destino.indexOf('?');
        peticion.ruta = interrogacion < 0 ? peticion.destino : peticion.destino.left(interrogacion);
        peticion.consulta = interrogacion < 0 ? QByteArray() : peticion.destino.mid(interrogacion + 1);

        qsizetype largo = 0;
        for (qsizetype i = 1; i < lineas.size(); ++i) {
            QByteArray linea = lineas[i];
            if (linea.endsWith('\r'))
                linea.chop(1);
            const qsizetype dosPuntos = linea.indexOf(':');
            if (dosPuntos <= 0) {
                rechazarYCerrar(socket, 400, QStringLiteral("Cabecera inválida."));
                return;
            }
            const QByteArray nombre = linea.left(dosPuntos);
            const QByteArray valor = linea.mid(dosPuntos + 1).trimmed();
            peticion.cabeceras.append({nombre, valor});
            if (nombre.compare("Content-Length", Qt::CaseInsensitive) == 0) {
                bool ok = false;
                largo = valor.toLongLong(&ok);
                if (!ok || largo < 0) {
                    rechazarYCerrar(socket, 400, QStringLiteral("Content-Length inválido."));
                    return;
                }
                if (largo > kLimiteCuerpo) {
                    rechazarYCerrar(socket, 413, QStringLiteral("El cuerpo de la petición es demasiado grande."));
                    return;
                }
            } else if (nombre.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0) {
                rechazarYCerrar(socket, 411, QStringLiteral("Se necesita Content-Length."));
                return;
            }
        }

        const qsizetype total = fin + 4 + largo;
        if (entrada.size() < total)
            return;
        peticion.cuerpo = entrada.mid(fin + 4, largo);
        entrada.remove(0, total);

        const bool cerrar = peticion.cabecera("Connection").compare("close", Qt::CaseInsensitive) == 0 ||
                            peticion.version == "HTTP/1.0";

        if (peticion.ruta.startsWith("/_sim/")) {
            enviar(socket, inspeccion(peticion), cerrar);
        } else if (peticion.ruta == "/favicon.ico") {
            // Browsers ask for it on their own; it would only clutter the record.
            enviar(socket, error(404, QStringLiteral("Sin ícono.")), cerrar);
        } else {
            const bool conFalla = fallaAplica(rol);
            const Respuesta respuesta =
                conFalla && m_modo.falla != Falla::Ninguna ? respuestaFalla() : atender(peticion);
            m_peticiones.append(peticion);
            const int retraso = conFalla ? m_modo.retrasoMs : 0;
            if (retraso > 0) {
                it = m_conexiones.find(socket);
                if (it != m_conexiones.end())
                    it->ocupada = true;
                QPointer<QTcpSocket> guardado(socket);
                QTimer::singleShot(retraso, this, [this, guardado, respuesta, cerrar] {
                    if (!guardado)
                        return;
                    auto pendiente = m_conexiones.find(guardado.data());
                    if (pendiente == m_conexiones.end())
                        return;
                    pendiente->ocupada = false;
                    enviar(guardado.data(), respuesta, cerrar);
                    if (!cerrar && !respuesta.cortar)
                        leer(guardado.data());
                });
                emit peticionRegistrada();
                return;
            }
            enviar(socket, respuesta, cerrar);
            emit peticionRegistrada();
            if (respuesta.cortar)
                return;
        }
        if (cerrar)
            return;
    }
}

void Simulador::enviar(QTcpSocket *socket, const Respuesta &respuesta, bool cerrar)
{
    if (socket->state() != QAbstractSocket::ConnectedState)
        return;
    QByteArray salida = "HTTP/1.1 " + QByteArray::number(respuesta.estado) + ' ' + razon(respuesta.estado) + "\r\n";
    salida += "Content-Type: " + respuesta.tipo + "\r\n";
    salida += "Content-Length: " + QByteArray::number(respuesta.cuerpo.size()) + "\r\n";
    for (const auto &par : respuesta.cabeceras)
        salida += par.first + ": " + par.second + "\r\n";
    salida += (cerrar || respuesta.cortar) ? "Connection: close\r\n" : "Connection: keep-alive\r\n";
    salida += "\r\n";
    salida += respuesta.cortar ? respuesta.cuerpo.left(respuesta.cuerpo.size() / 2) : respuesta.cuerpo;
    socket->write(salida);
    if (cerrar || respuesta.cortar)
        socket->disconnectFromHost();
}

void Simulador::rechazarYCerrar(QTcpSocket *socket, int estado, const QString &detalle)
{
    auto it = m_conexiones.find(socket);
    if (it != m_conexiones.end()) {
        // Whatever else arrives on this connection is not read.
        it->entrada.clear();
        it->ocupada = true;
    }
    enviar(socket, error(estado, detalle), true);
}

bool Simulador::fallaAplica(Rol rol) const
{
    return m_modo.roles.isEmpty() || m_modo.roles.contains(rol);
}

Simulador::Respuesta Simulador::respuestaFalla() const
{
    switch (m_modo.falla) {
    case Falla::Error500:
        return error(500, QStringLiteral("Error interno del servidor."));
    case Falla::Cortar: {
        Respuesta r = pagina(paginaDesconocida() + QByteArray(4096, ' '));
        r.cortar = true;
        return r;
    }
    case Falla::Desconocida:
    case Falla::Ninguna:
        break;
    }
    return pagina(paginaDesconocida());
}

// ---- Pages ----

Simulador::Respuesta Simulador::atender(const Peticion &peticion)
{
    if (peticion.ruta == "/otro")
        return pagina(paginaOtroSitio());
    if (peticion.ruta == rutaComandosAjena().toLatin1())
        return pagina(paginaComandos(enlaceDescarga(Actualizacion::Ofrecer), seguirDe(peticion), arribaDe(peticion)));
    switch (peticion.rol) {
    case Rol::Sitio:
        return sitio(peticion);
    case Rol::Personal:
        return personal(peticion);
    case Rol::Claro:
        return claro(peticion);
    case Rol::Movilnet:
        return movilnet(peticion);
    }
    return error(404, QStringLiteral("Página inexistente."));
}

Simulador::Respuesta Simulador::sitio(const Peticion &peticion)
{
    const QString ruta = QString::fromLatin1(peticion.ruta);
    if (peticion.metodo != "GET")
        return error(405, QStringLiteral("Método no permitido."));
    if (ruta == rutaInicio())
        return pagina(paginaInicio(base(Rol::Personal)));
    if (ruta == rutaPublicidad())
        return pagina(paginaPublicidad(base(Rol::Sitio)));
    if (ruta == rutaConfiguracion())
        return pagina(paginaConfiguracion(m_configuracion));
    if (ruta == rutaAvisos())
        return pagina(paginaAvisos());
    if (ruta == QLatin1String("/google/anuncio"))
        return pagina(paginaAnuncio());
    if (ruta == rutaVersion()) {
        if (m_actualizacion == Actualizacion::Ninguna)
            return pagina(paginaVersionActual());
        const bool obligar = m_actualizacion == Actualizacion::Obligar;
        return pagina(paginaVersionNueva(enlaceDescarga(m_actualizacion), obligar));
    }
    if (ruta.startsWith(QLatin1String("/ntxbin/descarga/")))
        return descarga(ruta);
    if (ruta == rutaComandos())
        return pagina(paginaComandos(enlaceDescarga(Actualizacion::Ofrecer), seguirDe(peticion), arribaDe(peticion)));
    if (ruta == rutaMarco()) {
        const bool ajeno =
            valorDe(camposDeFormulario(peticion.consulta), QStringLiteral("ajeno")) == QLatin1String("1");
        const QString fuente = (ajeno ? base(Rol::Personal) + rutaComandosAjena() : rutaComandos()) +
                               QStringLiteral("?seguir=") + seguirDe(peticion) +
                               (arribaDe(peticion) ? QStringLiteral("&arriba=1") : QString());
        return pagina(paginaConMarco(fuente));
    }
    if (ruta == QLatin1String("/ir/") || ruta == QLatin1String("/ir")) {
        QString texto;
        bool ok = false;
        const int id =
            buscarCampo(camposDeFormulario(peticion.consulta), QStringLiteral("id"), &texto) ? texto.toInt(&ok) : 0;
        if (!ok || id < 0)
            return error(400, QStringLiteral("Falta el número de enlace."));
        return pagina(paginaRedireccion(id));
    }
    return error(404, QStringLiteral("Página inexistente."));
}

Simulador::Respuesta Simulador::descarga(const QString &ruta) const
{
    const bool esFirma = ruta.endsWith(QLatin1String(".sig"));
    const QString archivo = esFirma ? ruta.chopped(4) : ruta;
    const QStringList rutas = {rutaDescarga(), rutaDescargaCorta(), rutaDescargaAlterada(), rutaDescargaSinFirma(),
                               rutaDescargaOtraClave()};
    if (!rutas.contains(archivo))
        return error(404, QStringLiteral("Página inexistente."));
    Respuesta r;
    r.tipo = "application/octet-stream";
    if (esFirma) {
        // Every signature is of the true file: the altered one travels with it unchanged.
        const QByteArray &clave = archivo == rutaDescargaOtraClave() ? m_otraClave : m_ajustes.claveSecreta;
        r.cuerpo = archivo == rutaDescargaSinFirma() ? QByteArray() : firmar(contenidoDescarga(), clave);
        if (r.cuerpo.isEmpty())
            return error(404, QStringLiteral("Sin firma."));
        return r;
    }
    r.cuerpo = archivo == rutaDescargaAlterada() ? contenidoAlterado() : contenidoDescarga();
    // A whole answer, only shorter than the site announced.
    if (archivo == rutaDescargaCorta())
        r.cuerpo.truncate(kTamanoDescarga / 2);
    return r;
}

QString Simulador::sesionDeCookie(const Peticion &peticion, const QByteArray &nombreCookie) const
{
    for (const auto &par : peticion.cabeceras) {
        if (par.first.compare("Cookie", Qt::CaseInsensitive) != 0)
            continue;
        for (const QByteArray &galleta : par.second.split(';')) {
            const QByteArray limpia = galleta.trimmed();
            if (limpia.startsWith(QByteArray(nombreCookie + '=')))
                return QString::fromLatin1(limpia.mid(nombreCookie.size() + 1));
        }
    }
    return {};
}

QString Simulador::nuevoCodigo()
{
    return QStringLiteral("%1").arg(m_azar.bounded(10000), 4, 10, QLatin1Char('0'));
}

QString Simulador::nuevoIdentificador(int largo)
{
    static const char kLetras[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString id;
    for (int i = 0; i < largo; ++i)
        id.append(QLatin1Char(kLetras[m_azar.bounded(36)]));
    return id;
}

QString Simulador::nuevaSesion(Rol rol, const QList<CampoFormulario> &campos)
{
    QString id;
    do {
        id = nuevoIdentificador(24);
    } while (m_sesiones.contains(id));
    SesionCodigo sesion;
    sesion.rol = rol;
    sesion.codigo = nuevoCodigo();
    sesion.campos = campos;
    m_sesiones.insert(id, sesion);
    m_ultimaSesion[static_cast<int>(rol)] = id;
    return id;
}

void Simulador::nuevaImagenPersonal(const QString &sesion)
{
    auto it = m_sesiones.find(sesion);
    if (it == m_sesiones.end())
        return;
    QString nombre;
    do {
        nombre = nuevoIdentificador(16) + QStringLiteral(".png");
    } while (m_imagenes.contains(nombre));
    it->codigo = nuevoCodigo();
    it->imagen = nombre;
    m_imagenes.insert(nombre, it->codigo);
    m_ultimaSesion[static_cast<int>(Rol::Personal)] = sesion;
}

void Simulador::registrarMensaje(const QString &proveedor, const QString &destino, const QString &remitente,
                                 const QString &texto, const QList<CampoFormulario> &campos)
{
    Rol rol = Rol::Personal;
    if (proveedor.contains(QLatin1String("Claro")))
        rol = Rol::Claro;
    else if (proveedor.contains(QLatin1String("Movilnet")))
        rol = Rol::Movilnet;
    m_mensajes.append(QJsonObject{{QStringLiteral("rol"), nombreRol(rol)},
                                  {QStringLiteral("proveedor"), proveedor},
                                  {QStringLiteral("destino"), destino},
                                  {QStringLiteral("remitente"), remitente},
                                  {QStringLiteral("texto"), texto},
                                  {QStringLiteral("campos"), camposComoObjeto(campos)}});
}

Simulador::Respuesta Simulador::personal(const Peticion &peticion)
{
    static const QByteArray kCookie = "PHPSESSID";
    const QString ruta = QString::fromLatin1(peticion.ruta);

    if (ruta.startsWith(QLatin1String("/Mensajes/tmp/")) && peticion.metodo == "GET") {
        const QString nombre = ruta.mid(14);
        if (!m_imagenes.contains(nombre))
            return error(404, QStringLiteral("Imagen inexistente."));
        return png(m_imagenes.value(nombre));
    }
    if (ruta != QLatin1String("/Mensajes/sms.php"))
        return error(404, QStringLiteral("Página inexistente."));

    QString sesion = sesionDeCookie(peticion, kCookie);
    const bool sesionValida = m_sesiones.contains(sesion) && m_sesiones.value(sesion).rol == Rol::Personal;

    if (peticion.metodo == "GET") {
        Respuesta r;
        if (!sesionValida) {
            sesion = nuevaSesion(Rol::Personal, {});
            nuevaImagenPersonal(sesion);
            r = pagina(paginaPersonal(m_sesiones.value(sesion).imagen));
            r.cabeceras.append(qMakePair(QByteArray("Set-Cookie"), QByteArray(cookieNueva(kCookie, sesion))));
            return r;
        }
        nuevaImagenPersonal(sesion);
        return pagina(paginaPersonal(m_sesiones.value(sesion).imagen));
    }
    if (peticion.metodo != "POST")
        return error(405, QStringLiteral("Método no permitido."));

    if (!sesionValida)
        return error(403, QStringLiteral("Sesión inexistente o vencida."));
    if (!peticion.cabecera("Content-Type").startsWith("application/x-www-form-urlencoded"))
        return error(415, QStringLiteral("Se esperaba un formulario."));

    const QList<CampoFormulario> campos = camposDeFormulario(peticion.cuerpo);
    static const QStringList kOrden = {QStringLiteral("pantalla"),    QStringLiteral("DE_MESG_TXT"),
                                       QStringLiteral("sig"),         QStringLiteral("msgtext"),
                                       QStringLiteral("Snb"),         QStringLiteral("Filename"),
                                       QStringLiteral("FormValidar"), QStringLiteral("codigo"),
                                       QStringLiteral("Image30.x"),   QStringLiteral("Image30.y")};
    // Like the real form handler, pieces it does not know are skipped (an "&"
    // typed into an unencoded message cuts it there); the known fields must
    // all be there, once each, in the form's order.
    QStringList nombres;
    for (const CampoFormulario &campo : campos) {
        if (kOrden.contains(campo.nombre))
            nombres.append(campo.nombre);
    }
    if (nombres != kOrden)
        return error(400, QStringLiteral("Campos del formulario incompletos o fuera de orden: ") +
                              nombres.join(QLatin1Char(',')));

    SesionCodigo &datos = m_sesiones[sesion];
    const bool imagenCorrecta = valorDe(campos, QStringLiteral("Filename")) == QStringLiteral("tmp/") + datos.imagen;
    const bool codigoCorrecto = valorDe(campos, QStringLiteral("codigo")) == datos.codigo;
    if (!imagenCorrecta || !codigoCorrecto) {
        nuevaImagenPersonal(sesion);
        return pagina(paginaPersonalIncorrecto(m_sesiones.value(sesion).imagen));
    }

    const QString destino = valorDe(campos, QStringLiteral("Snb"));
    const QString texto = valorDe(campos, QStringLiteral("msgtext"));
    const qsizetype separador = texto.indexOf(QLatin1String(": "));
    registrarMensaje(QStringLiteral("Argentina - Personal"), destino, separador < 0 ? QString() : texto.left(separador),
                     separador < 0 ? texto : texto.mid(separador + 2), campos);
    // A code is good for one message.
    nuevaImagenPersonal(sesion);
    return pagina(paginaPersonalEnviado(destino));
}

Simulador::Respuesta Simulador::claro(const Peticion &peticion)
{
    static const QByteArray kCookie = "ASP.NET_SessionId";
    const QString ruta = QString::fromLatin1(peticion.ruta);
    const QList<CampoFormulario> consulta = camposDeFormulario(peticion.consulta);

    if (ruta == QLatin1String("/sms/imagen.aspx") && peticion.metodo == "GET") {
        const QString sesion = valorDe(consulta, QStringLiteral("sesion"));
        if (!m_sesiones.contains(sesion) || m_sesiones.value(sesion).rol != Rol::Claro)
            return error(404, QStringLiteral("Imagen inexistente."));
        return png(m_sesiones.value(sesion).codigo);
    }
    if (ruta != QLatin1String("/sms/default.aspx"))
        return error(404, QStringLiteral("Página inexistente."));

    if (peticion.metodo == "GET") {
        QString numero;
        if (!buscarCampo(consulta, QStringLiteral("mensajito"), nullptr) ||
            !buscarCampo(consulta, QStringLiteral("dequien"), nullptr) ||
            !buscarCampo(consulta, QStringLiteral("numerito"), &numero) || numero.trimmed().isEmpty())
            return error(400, QStringLiteral("Faltan datos del mensaje (mensajito, dequien, numerito)."));
        const QString sesion = nuevaSesion(Rol::Claro, consulta);
        Respuesta r = pagina(paginaClaroFormulario(sesion, numero));
        r.cabeceras.append(qMakePair(QByteArray("Set-Cookie"), QByteArray(cookieNueva(kCookie, sesion))));
        return r;
    }
    if (peticion.metodo != "POST")
        return error(405, QStringLiteral("Método no permitido."));

    const QList<CampoFormulario> campos = camposDeFormulario(peticion.cuerpo);
    QString sesion;
    QString codigo;
    if (!buscarCampo(campos, QStringLiteral("sesion"), &sesion))
        sesion = sesionDeCookie(peticion, kCookie);
    if (sesion.isEmpty() || !buscarCampo(campos, QStringLiteral("codigo"), &codigo))
        return error(400, QStringLiteral("Faltan la sesión o el código."));
    if (!m_sesiones.contains(sesion) || m_sesiones.value(sesion).rol != Rol::Claro)
        return error(403, QStringLiteral("Sesión inexistente."));
    SesionCodigo &datos = m_sesiones[sesion];
    if (datos.cerrada)
        return error(410, QStringLiteral("Este mensaje ya fue procesado."));
    if (codigo.trimmed() != datos.codigo)
        return pagina(paginaClaroRespuesta(ResultadoClaro::Incorrecto, QString()));

    datos.cerrada = true;
    const QString numero = valorDe(datos.campos, QStringLiteral("numerito"));
    ResultadoClaro resultado = ResultadoClaro::Enviado;
    if (terminaEn(numero, QStringLiteral("0001")))
        resultado = ResultadoClaro::SinServicio;
    else if (terminaEn(numero, QStringLiteral("0002")))
        resultado = ResultadoClaro::NoExiste;
    else if (terminaEn(numero, QStringLiteral("0003")))
        resultado = ResultadoClaro::NoHabilitado;
    if (resultado == ResultadoClaro::Enviado) {
        registrarMensaje(QStringLiteral("Argentina - Claro"), numero, valorDe(datos.campos, QStringLiteral("dequien")),
                         valorDe(datos.campos, QStringLiteral("mensajito")), datos.campos);
    }
    return pagina(paginaClaroRespuesta(resultado, numero));
}

Simulador::Respuesta Simulador::movilnet(const Peticion &peticion)
{
    static const QByteArray kCookie = "JSESSIONID";
    const QString ruta = QString::fromLatin1(peticion.ruta);
    const QList<CampoFormulario> consulta = camposDeFormulario(peticion.consulta);

    if (ruta == QLatin1String("/smsinternet/imagen.jsp") && peticion.metodo == "GET") {
        const QString sesion = valorDe(consulta, QStringLiteral("sesion"));
        if (!m_sesiones.contains(sesion) || m_sesiones.value(sesion).rol != Rol::Movilnet)
            return error(404, QStringLiteral("Imagen inexistente."));
        return png(m_sesiones.value(sesion).codigo);
    }
    if (ruta == QLatin1String("/smsinternet/validarCliente.jsp")) {
        if (peticion.metodo != "GET")
            return error(405, QStringLiteral("Método no permitido."));
        static const QStringList kCampos = {QStringLiteral("codigo"), QStringLiteral("numero"),
                                            QStringLiteral("mensaje"), QStringLiteral("servicio"),
                                            QStringLiteral("tipomensaje")};
        for (const QString &nombre : kCampos) {
            if (!buscarCampo(consulta, nombre, nullptr))
                return error(400, QStringLiteral("Falta el campo ") + nombre + QLatin1Char('.'));
        }
        const QString numero = valorDe(consulta, QStringLiteral("numero"));
        const QString sesion = nuevaSesion(Rol::Movilnet, consulta);
        Respuesta r = pagina(
            paginaMovilnetFormulario(sesion, valorDe(consulta, QStringLiteral("codigo")) + QLatin1Char(' ') + numero));
        r.cabeceras.append(qMakePair(QByteArray("Set-Cookie"), QByteArray(cookieNueva(kCookie, sesion))));
        return r;
    }
    if (ruta != QLatin1String("/smsinternet/enviarMensaje.jsp"))
        return error(404, QStringLiteral("Página inexistente."));
    if (peticion.metodo != "POST")
        return error(405, QStringLiteral("Método no permitido."));

    const QList<CampoFormulario> campos = camposDeFormulario(peticion.cuerpo);
    QString sesion;
    QString clave;
    if (!buscarCampo(campos, QStringLiteral("sesion"), &sesion))
        sesion = sesionDeCookie(peticion, kCookie);
    if (sesion.isEmpty() || !buscarCampo(campos, QStringLiteral("clave"), &clave))
        return error(400, QStringLiteral("Faltan la sesión o el código."));
    if (!m_sesiones.contains(sesion) || m_sesiones.value(sesion).rol != Rol::Movilnet)
        return error(403, QStringLiteral("Sesión inexistente."));
    SesionCodigo &datos = m_sesiones[sesion];
    if (datos.cerrada)
        return error(410, QStringLiteral("Este mensaje ya fue procesado."));
    // One try per message: the client offers no retry either.
    datos.cerrada = true;
    if (clave.trimmed() != datos.codigo)
        return pagina(paginaMovilnetRespuesta(false, QStringLiteral("El código de verificación es incorrecto.")));
    const QString numero = valorDe(datos.campos, QStringLiteral("numero"));
    if (terminaEn(numero, QStringLiteral("0000")))
        return pagina(paginaMovilnetRespuesta(false, QStringLiteral("El número no es un cliente activo.")));

    const QString mensaje = valorDe(datos.campos, QStringLiteral("mensaje"));
    QString remitente;
    if (mensaje.startsWith(QLatin1String("De ")) && mensaje.contains(QLatin1String(": ")))
        remitente = mensaje.mid(3, mensaje.indexOf(QLatin1String(": ")) - 3);
    registrarMensaje(QStringLiteral("Venezuela - Movilnet"), numero, remitente, mensaje, datos.campos);
    return pagina(paginaMovilnetRespuesta(true, QString()));
}

// ---- Inspection ----

Simulador::Respuesta Simulador::inspeccion(const Peticion &peticion)
{
    const QUrlQuery consulta(QString::fromLatin1(peticion.consulta));
    auto parametro = [&consulta](const QString &nombre) { return consulta.queryItemValue(nombre, QUrl::FullyDecoded); };
    const QString ruta = QString::fromLatin1(peticion.ruta);

    QSet<Rol> roles{peticion.rol};
    if (consulta.hasQueryItem(QStringLiteral("rol")) && !rolesDesdeTexto(parametro(QStringLiteral("rol")), &roles))
        return error(400, QStringLiteral("Rol desconocido."));
    auto incluido = [&roles](Rol rol) { return roles.isEmpty() || roles.contains(rol); };

    if (ruta == QLatin1String("/_sim/peticiones")) {
        QJsonArray lista;
        for (const Peticion &p : std::as_const(m_peticiones)) {
            if (!incluido(p.rol))
                continue;
            QJsonArray cabeceras;
            for (const auto &par : p.cabeceras)
                cabeceras.append(QJsonArray{QString::fromLatin1(par.first), QString::fromLatin1(par.second)});
            lista.append(QJsonObject{{QStringLiteral("rol"), nombreRol(p.rol)},
                                     {QStringLiteral("metodo"), QString::fromLatin1(p.metodo)},
                                     {QStringLiteral("destino"), QString::fromLatin1(p.destino)},
                                     {QStringLiteral("ruta"), QString::fromLatin1(p.ruta)},
                                     {QStringLiteral("consulta"), QString::fromLatin1(p.consulta)},
                                     {QStringLiteral("version"), QString::fromLatin1(p.version)},
                                     {QStringLiteral("cabeceras"), cabeceras},
                                     {QStringLiteral("cuerpoBase64"), QString::fromLatin1(p.cuerpo.toBase64())},
                                     {QStringLiteral("cuerpoLatin1"), QString::fromLatin1(p.cuerpo)}});
        }
        return json(QJsonDocument(lista));
    }
    if (ruta == QLatin1String("/_sim/mensajes")) {
        QJsonArray lista;
        for (const QJsonValue &m : std::as_const(m_mensajes)) {
            Rol rol;
            if (rolDesdeNombre(m.toObject().value(QStringLiteral("rol")).toString(), &rol) && incluido(rol))
                lista.append(m);
        }
        return json(QJsonDocument(lista));
    }
    if (ruta == QLatin1String("/_sim/codigo")) {
        QString sesion = parametro(QStringLiteral("sesion"));
        if (sesion.isEmpty())
            sesion = m_ultimaSesion[static_cast<int>(peticion.rol)];
        if (!m_sesiones.contains(sesion))
            return error(404, QStringLiteral("No hay una sesión con código."));
        Respuesta r;
        r.tipo = "text/plain; charset=utf-8";
        r.cuerpo = m_sesiones.value(sesion).codigo.toLatin1();
        return r;
    }
    if (ruta == QLatin1String("/_sim/limpiar")) {
        m_peticiones.clear();
        m_mensajes = QJsonArray();
        m_sesiones.clear();
        m_imagenes.clear();
        m_ultimaSesion = {};
        m_modo = m_ajustes.modo;
        m_configuracion = m_ajustes.configuracion;
        m_actualizacion = m_ajustes.actualizacion;
        return json(QJsonDocument(QJsonObject{{QStringLiteral("limpio"), true}}));
    }
    if (ruta == QLatin1String("/_sim/config")) {
        if (peticion.metodo == "POST")
            m_configuracion = QString::fromUtf8(peticion.cuerpo);
        Respuesta r;
        r.tipo = "text/plain; charset=utf-8";
        r.cuerpo = m_configuracion.toUtf8();
        return r;
    }
    if (ruta == QLatin1String("/_sim/modo")) {
        Modo nuevo = m_modo;
        Actualizacion actualizacion = m_actualizacion;
        if (consulta.hasQueryItem(QStringLiteral("falla")) &&
            !fallaDesdeNombre(parametro(QStringLiteral("falla")), &nuevo.falla))
            return error(400, QStringLiteral("Falla desconocida."));
        if (consulta.hasQueryItem(QStringLiteral("rol")))
            nuevo.roles = roles;
        if (consulta.hasQueryItem(QStringLiteral("retraso"))) {
            bool ok = false;
            nuevo.retrasoMs = parametro(QStringLiteral("retraso")).toInt(&ok);
            if (!ok || nuevo.retrasoMs < 0)
                return error(400, QStringLiteral("Retraso inválido."));
        }
        if (consulta.hasQueryItem(QStringLiteral("actualizacion")) &&
            !actualizacionDesdeNombre(parametro(QStringLiteral("actualizacion")), &actualizacion))
            return error(400, QStringLiteral("Modo de actualización desconocido."));
        m_modo = nuevo;
        m_actualizacion = actualizacion;
        if (consulta.hasQueryItem(QStringLiteral("config")))
            m_configuracion = parametro(QStringLiteral("config"));
        QJsonArray listaRoles;
        for (int i = 0; i < kCantidadRoles; ++i) {
            if (m_modo.roles.isEmpty() || m_modo.roles.contains(static_cast<Rol>(i)))
                listaRoles.append(nombreRol(static_cast<Rol>(i)));
        }
        return json(QJsonDocument(QJsonObject{{QStringLiteral("falla"), nombreFalla(m_modo.falla)},
                                              {QStringLiteral("roles"), listaRoles},
                                              {QStringLiteral("retraso"), m_modo.retrasoMs},
                                              {QStringLiteral("actualizacion"), nombreActualizacion(m_actualizacion)},
                                              {QStringLiteral("config"), m_configuracion}}));
    }
    return error(404, QStringLiteral("Ruta de inspección desconocida."));
}

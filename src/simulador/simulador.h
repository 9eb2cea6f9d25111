// ntxsimulador's server: the maker's site and the Personal, Claro and
// Movilnet gateways, each on its own loopback port, with the inspection
// paths under "/_sim/" on every port.
//
// HTTP is read straight off the sockets (request line, header lines in
// order, body by Content-Length) so the inspection paths can show what was
// received byte for byte, and the fault modes can delay, fail or cut an
// answer in the middle.
//
// Outcome rules of the gateways (by the destination number):
//  - Personal: a wrong code or a wrong image name answers "El código
//    ingresado es incorrecto" with a new image; otherwise the message is sent.
//  - Claro ("numerito"): ends in 0001 -> "NO TIENE SERVICIO", 0002 ->
//    "NO EXISTE", 0003 -> "NO TIENE ACTUALMENTE HABILITADO", anything else ->
//    "Mensaje Enviado". A wrong code answers "Ingreso incorrecto" first and
//    keeps the same code, so the form can be tried again.
//  - Movilnet ("numero"): ends in 0000 -> "Su mensaje no fue enviado"
//    (not an active customer); a wrong code -> "Su mensaje no fue enviado";
//    anything else -> "Su mensaje fue enviado".
//
// Pages a test can drive by script: the Claro and Movilnet forms are
// <form id="formulario"> with the code box id="codigo" (Claro) or id="clave"
// (Movilnet) and the button id="enviar"; every verification image has
// id="imagenCodigo". Session ids for "/_sim/codigo?sesion=": the PHPSESSID
// cookie (Personal), the hidden "sesion" field (Claro, Movilnet).
//
// Inspection JSON: "/_sim/peticiones" lists {rol, metodo, destino, ruta,
// consulta, version, cabeceras: [[nombre, valor], ...] in arrival order,
// cuerpoBase64, cuerpoLatin1}; "/_sim/mensajes" lists {rol, proveedor,
// destino, remitente, texto, campos}. Both show the port's own role unless
// "?rol=" names others or "todos". "/favicon.ico" is answered 404 and not
// recorded.
#pragma once

#include "simulador/decodificacion.h"

#include <QHash>
#include <QJsonArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRandomGenerator>
#include <QSet>

#include <array>

class QTcpServer;
class QTcpSocket;

class Simulador final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Simulador)

public:
    enum class Rol { Sitio, Personal, Claro, Movilnet };
    enum class Falla { Ninguna, Error500, Cortar, Desconocida };
    // Offers of a new version (Obligar demands it). Corta: the download serves only
    // half of the announced size. Alterada: one byte changed, same size, the true
    // signature. SinFirma: no signature beside the file. OtraClave: signed with a
    // key that is not the maker's.
    enum class Actualizacion { Ninguna, Ofrecer, Obligar, Corta, Alterada, SinFirma, OtraClave };

    static constexpr int kCantidadRoles = 4;
    static constexpr qsizetype kLimiteCabecera = 32 * 1024;
    static constexpr qsizetype kLimiteCuerpo = 256 * 1024;

    struct Modo
    {
        int retrasoMs = 0;
        Falla falla = Falla::Ninguna;
        QSet<Rol> roles; // roles the delay and the fault apply to; empty = all
    };

    struct Ajustes
    {
        std::array<quint16, kCantidadRoles> puertos{};
        Modo modo;
        QString configuracion = QStringLiteral("colaNTXsimulador");
        Actualizacion actualizacion = Actualizacion::Ninguna;
        quint64 semilla = 0; // 0: a different sequence of codes every run
        // Ed25519 secret key (64 raw bytes) that signs the installers; empty: no
        // signature is served.
        QByteArray claveSecreta;
    };

    explicit Simulador(const Ajustes &ajustes, QObject *parent = nullptr);
    ~Simulador() override;

    // Opens the four ports on 127.0.0.1.
    bool iniciar(QString *error);

    quint16 puerto(Rol rol) const;
    QString base(Rol rol) const; // "http://127.0.0.1:P"
    // "NTX_SITIO=...\nNTX_PERSONAL=...\nNTX_CLARO=...\nNTX_MOVILNET=...\n"
    QString lineasEntorno() const;

    void fijarModo(const Modo &modo);
    Modo modo() const { return m_modo; }

    static QString nombreRol(Rol rol);
    static bool rolDesdeNombre(const QString &nombre, Rol *rol);
    static bool rolesDesdeTexto(const QString &texto, QSet<Rol> *roles); // "claro,personal" or "todos"
    static bool fallaDesdeNombre(const QString &nombre, Falla *falla);
    static QString nombreFalla(Falla falla);
    static bool actualizacionDesdeNombre(const QString &nombre, Actualizacion *actualizacion);
    static QString nombreActualizacion(Actualizacion actualizacion);

    // Size of the file served as the new version: a shell script that, when run,
    // leaves the file nombreMarcaInstalador() next to itself and ends.
    static constexpr qsizetype kTamanoDescarga = 41123;
    static QByteArray contenidoDescarga();
    static QString nombreMarcaInstalador() { return QStringLiteral("ntx-instalador-ejecutado"); }
    // The same file with one byte changed.
    static QByteArray contenidoAlterado();
    // The whole "ntx://actdw/..." link to the download the mode serves ("ntx://actdf/..." for Obligar).
    QString enlaceDescarga(Actualizacion actualizacion) const;

    // Detached Ed25519 signature (64 bytes) of `datos`, served at the file's address + ".sig".
    static QByteArray firmar(const QByteArray &datos, const QByteArray &claveSecreta);
    // A secret key written as 128 hex digits; empty with `error` filled when it cannot be read.
    static QByteArray leerClaveSecreta(const QString &ruta, QString *error);
    // The development key of the build folder (may not exist).
    static QString rutaClaveDesarrollo();

signals:
    // After each request outside "/_sim/" has been recorded.
    void peticionRegistrada();

public:
    struct Peticion
    {
        Rol rol = Rol::Sitio;
        QByteArray metodo;
        QByteArray destino;  // request target as sent
        QByteArray ruta;     // before "?"
        QByteArray consulta; // after "?", raw
        QByteArray version;
        QList<QPair<QByteArray, QByteArray>> cabeceras;
        QByteArray cuerpo;

        QByteArray cabecera(const QByteArray &nombre) const;
    };

    struct Respuesta
    {
        int estado = 200;
        QByteArray tipo = "text/html; charset=utf-8";
        QByteArray cuerpo;
        QList<QPair<QByteArray, QByteArray>> cabeceras;
        bool cortar = false; // send half of the body, then close
    };

private:
    struct Conexion
    {
        Rol rol = Rol::Sitio;
        QByteArray entrada;
        bool ocupada = false; // an answer is still due (delay)
    };

    struct SesionCodigo
    {
        Rol rol = Rol::Personal;
        QString codigo;
        QString imagen;                // Personal: name after "tmp/"
        QList<CampoFormulario> campos; // Claro, Movilnet: the fields of the first request
        bool cerrada = false;
    };

    void aceptarConexion(Rol rol);
    void leer(QTcpSocket *socket);
    void enviar(QTcpSocket *socket, const Respuesta &respuesta, bool cerrar);
    void rechazarYCerrar(QTcpSocket *socket, int estado, const QString &detalle);
    bool fallaAplica(Rol rol) const;

    Respuesta atender(const Peticion &peticion);
    Respuesta inspeccion(const Peticion &peticion);
    Respuesta sitio(const Peticion &peticion);
    Respuesta personal(const Peticion &peticion);
    Respuesta claro(const Peticion &peticion);
    Respuesta movilnet(const Peticion &peticion);
    Respuesta respuestaFalla() const;
    Respuesta descarga(const QString &ruta) const;

    QString nuevoCodigo();
    QString nuevoIdentificador(int largo);
    QString nuevaSesion(Rol rol, const QList<CampoFormulario> &campos);
    void nuevaImagenPersonal(const QString &sesion);
    QString sesionDeCookie(const Peticion &peticion, const QByteArray &nombreCookie) const;
    void registrarMensaje(const QString &proveedor, const QString &destino, const QString &remitente,
                          const QString &texto, const QList<CampoFormulario> &campos);

    Ajustes m_ajustes;
    Modo m_modo;
    QString m_configuracion;
    Actualizacion m_actualizacion;
    QRandomGenerator m_azar;
    QByteArray m_otraClave; // secret key of a pair made for this run: not the maker's
    std::array<QTcpServer *, kCantidadRoles> m_servidores{};
    QHash<QTcpSocket *, Conexion> m_conexiones;
    QList<Peticion> m_peticiones;
    QJsonArray m_mensajes;
    QHash<QString, SesionCodigo> m_sesiones;
    QHash<QString, QString> m_imagenes; // Personal image name -> code
    std::array<QString, kCantidadRoles> m_ultimaSesion;
};

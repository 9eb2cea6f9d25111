// The gateways' requests: addresses, query strings, the Personal POST body and
// header block, the tail text and the reading of the Personal page.
#pragma once

#include <QString>

struct ConfiguracionRemota;

inline const QString kRutaPersonal = QStringLiteral("/Mensajes/sms.php");
inline const QString kRutaClaro = QStringLiteral("/sms/default.aspx?");
inline const QString kRutaMovilnet = QStringLiteral("/smsinternet/validarCliente.jsp?");

// The maker's site name, used when the remote configuration brings no tail.
QString ColaPredeterminada();
QString TextoCola(const ConfiguracionRemota &config);

// "De+" + sender + "%3A+" + message, both already encoded with CodificarURL.
QString TextoFirmadoMovilnet(const QString &remitente, const QString &mensaje);

// Query strings as the gateways read them (characters, not yet bytes).
QString ConsultaClaro(const QString &area, const QString &numero, const QString &remitente, const QString &mensaje,
                      const QString &cola);
QString ConsultaMovilnet(const QString &area, const QString &numero, const QString &remitente, const QString &mensaje,
                         const QString &cola);
// Full GET addresses from a base such as "http://host:port", in Windows-1252 bytes written as %XX.
QString DireccionClaro(const QString &base, const QString &consulta);
QString DireccionMovilnet(const QString &base, const QString &consulta);

// "host" or "host:port" of the Personal gateway in use: the alternative server when set.
QString HostPersonal(const QString &basePersonal, const QString &servidorAlternativo);
QString DireccionPersonal(const QString &basePersonal, const QString &servidorAlternativo);
// Three lines joined by bare line feeds.
QString CabecerasPersonal(const QString &host, const QString &cookie);
// Sender and message are each form-encoded before being joined with ":+", so
// "&", "=", "%" and "+" typed in them reach the gateway as typed.
QString CuerpoPersonal(const QString &cola, const QString &remitente, const QString &mensaje, const QString &area,
                       const QString &numero, const QString &archivoImagen, const QString &codigo);
// True when `direccion` holds the configured gateway's host (or the alternative
// server in use) followed by the page path, case ignored.
bool EsPaginaPersonal(const QString &direccion, const QString &basePersonal, const QString &servidorAlternativo);
// "tmp%2F" + the 20 characters after the first "tmp/" (case ignored); without
// one, the first 20 characters of the page.
QString ArchivoImagenDe(const QString &html);

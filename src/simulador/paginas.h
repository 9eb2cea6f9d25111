// The HTML pages of the simulated maker's site and gateways: plain Spanish
// pages written for this project, UTF-8. The gateway pages carry exactly the
// sentences the client looks for, and only on the answer they belong to.
#pragma once

#include <QByteArray>
#include <QString>

// Paths of the maker's site for the version being built.
QString rutaInicio();
QString rutaPublicidad();
QString rutaConfiguracion();
QString rutaVersion();
QString rutaAvisos();
QString rutaDescarga();
// The same file cut to half its size.
QString rutaDescargaCorta();
// The same file with one byte changed, with the true signature.
QString rutaDescargaAlterada();
// The same file without a signature beside it.
QString rutaDescargaSinFirma();
// The same file signed with a key that is not the maker's.
QString rutaDescargaOtraClave();
// A page of command links ("ntx://actdw/..." id comandoActdw, "ntx://sales" id
// comandoSales, "ntx://salem/1Cien%20por_ciento_ñandú/F" id comandoSalem): on the maker's site, and under
// rutaComandosAjena() on every other port.
QString rutaComandos();
QString rutaComandosAjena();
// A page of the maker's site with one frame, id and name "marco", showing a command page.
QString rutaMarco();

QByteArray paginaInicio(const QString &baseOtroSitio);
QByteArray paginaPublicidad(const QString &baseSitio);
// Body text "ntxconfweb1.2;" + texto, with nothing before it in the body.
QByteArray paginaConfiguracion(const QString &texto);
QByteArray paginaVersionActual();
// enlace is the whole "ntx://..." link; automatica makes the page follow it
// as soon as it loads.
QByteArray paginaVersionNueva(const QString &enlace, bool automatica);
QByteArray paginaAvisos();
QByteArray paginaRedireccion(int id);
QByteArray paginaOtroSitio();
QByteArray paginaAnuncio();
// seguir: "actdw" or "sales" to follow that link on load (in the top-level page when arriba).
QByteArray paginaComandos(const QString &enlaceActdw, const QString &seguir, bool arriba);
QByteArray paginaConMarco(const QString &fuente);

// Personal: the SMS page with its image "tmp/<nombre>" at 425 down and 18
// across; the wrong-code page (same layout, new image); the delivered page.
QByteArray paginaPersonal(const QString &nombreImagen);
QByteArray paginaPersonalIncorrecto(const QString &nombreImagen);
QByteArray paginaPersonalEnviado(const QString &destino);

enum class ResultadoClaro { Enviado, SinServicio, NoExiste, NoHabilitado, Incorrecto };
QByteArray paginaClaroFormulario(const QString &sesion, const QString &numero);
QByteArray paginaClaroRespuesta(ResultadoClaro resultado, const QString &numero);

QByteArray paginaMovilnetFormulario(const QString &sesion, const QString &numero);
QByteArray paginaMovilnetRespuesta(bool enviado, const QString &motivo);

QByteArray paginaError(int estado, const QString &detalle);
QByteArray paginaDesconocida();

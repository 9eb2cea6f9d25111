// The language of the "ntx://" links that the maker's pages use to drive the
// client: a five-letter command and up to two parameters between the markers
// "/1", "/2" and the closing "/F". Toolkit-free; the window-level executor acts
// on what this reads.
#pragma once

#include <QString>

struct Direcciones;

// Titles of the engine's boxes.
inline const QString TituloMotorComandos = QStringLiteral("Mensaje de secuencia de comandos de NTX");
inline const QString TituloErrorMotorComandos = QStringLiteral("Error en el motor de secuencia de comandos NTX");
// The maker's site as the messages name it.
inline const QString NombreSitioFabricante = QStringLiteral("ntxVarel!");

struct OrdenComando
{
    enum class Tipo {
        NoEsComando, // does not start with "ntx://": an internal error of the caller
        Desconocido, // any other five letters: ignored
        Cusar,
        Sales,
        Salem,
        Mnsje,
        Princ,
        Notic,
        Naveg,
        Actua,
        Actdw,
        Actdf,
        Panel,
    };

    Tipo tipo = Tipo::NoEsComando;
    // The five letters at positions 7 to 11, lower-cased.
    QString comando;
    // Not empty when the markers a parameter command needs are missing or out of
    // order: the message to show, and the command does nothing more.
    QString errorSintaxis;
    // Parameters as cut from the link; "_" is already a blank for "salem" and "mnsje".
    QString primero;
    QString segundo;
};

// True when the first six characters, lower-cased, are "ntx://".
bool EsEnlaceComando(const QString &direccion);

OrdenComando AnalizarComando(const QString &enlace);

// The announced size of an update: leading blanks, an optional sign, digits and an
// optional decimal part, rounded to whole bytes; 0 when there is no number or it
// does not fit in 32 bits.
qint64 TamanoAnunciado(const QString &texto);

// Commands are obeyed only when the link comes from the top-level page itself
// (never from a frame inside it, whoever's page that is) and that page is on the
// maker's site: same scheme family (http/https), same host, same port.
bool ComandoPermitido(const QString &direccionPagina, bool marcoPrincipal, const Direcciones &direcciones);

// An address a link gives without its scheme ("host:port/path"), with the scheme
// of the maker's site: https when the site uses it, http otherwise.
QString DireccionConEsquemaDelSitio(const Direcciones &direcciones, const QString &sinEsquema);

// The name a downloaded installer is saved under: "ntxmensajes" with the
// extension of the address's file name (so the desktop opens a ".deb" in the
// package installer), "ntxmensajes.exe" when it has none that is plain.
QString NombreArchivoInstalador(const QString &direccion);

// The maker's site pages the engine opens.
QString PaginaComprobarVersion(const Direcciones &direcciones, int mayor = NTX_VERSION_MAYOR,
                               int menor = NTX_VERSION_MENOR, int revision = NTX_VERSION_REVISION);
QString PaginaAvisos(const Direcciones &direcciones);
QString PaginaInicio(const Direcciones &direcciones, int mayor = NTX_VERSION_MAYOR, int menor = NTX_VERSION_MENOR);

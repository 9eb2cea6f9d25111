// The client's start-up checks, run before any window is shown: single instance
// and hand-over, first run of this version, engine version, installation files.
// Toolkit-free: every effect goes through the services.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Ajustes;
class Dialogos;
class InstanciaUnica;
class Sistema;

namespace Arranque {

// "Versión 2.5 - Tavrin".
QString TextoVersion();
QString NombreClave();

// "ejecucion", or "ejecucion," + the command line when there is one.
QString TextoEntrega(const QString &lineaDeComandos);
// What a received hand-over carries after its first comma; false when it has none.
bool LineaEntregada(const QString &texto, QString *linea);

// The five local pages the client cannot run without, in the order they are checked.
QStringList ArchivosRequeridos();
// Name of the first file missing under `carpetaPrograma`/logica; empty when all are there.
QString PrimerArchivoFaltante(const QString &carpetaPrograma);

enum class Resultado {
    Continuar, // every check passed: show the splash
    Entregado, // another client (or the wizard) runs: command line handed over
    Asistente, // first run of this version: the wizard was started
    SinAsistente,
    MotorAntiguo,
    NoInstalado
};

// A notice dialog: text, link caption, link address (empty: no link). Shown modally.
using MostrarAviso = std::function<void(const QString &texto, const QString &enlace, const QString &direccion)>;

struct Servicios
{
    Ajustes &ajustes;
    Sistema &sistema;
    InstanciaUnica &instancia;
    Dialogos &dialogos;
    MostrarAviso aviso;
    QString sitio; // base address of the maker's site
};

// Runs the checks in order. Any result other than Continuar has already asked the
// system to end the process.
Resultado Verificar(Servicios &s);

QString TextoAvisoMotorAntiguo();
QString TextoAvisoSinConexion();
QString TextoNoInstalado();
QString TextoFalloAlMostrar(const QString &sitio);
// The settings store was damaged: set aside as `apartado`, `rescatados` values taken from it.
QString TextoAlmacenRecuperado(const QString &apartado, int rescatados);

} // namespace Arranque

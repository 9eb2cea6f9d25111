// The web engine's process-wide pieces: the ntx:// scheme, which must be known
// before the application object exists, and the one profile every view of the
// process shares, so the page that shows a verification image and the view that
// posts the form send the same cookies.
#pragma once

#include "plataforma/vistaweb.h"

#include <QString>

class QWebEngineProfile;

// Call in main() before the QApplication is created. Registers the "ntx" scheme
// (so its links reach the navigation filter) and asks for shared GL contexts,
// which the engine needs. Safe to call more than once.
void registrarEsquemaNtx();

// The engine's flags for the client: views share renderer processes by site
// instead of starting one each, and no unsandboxed zygote is kept (the GPU and the
// network run inside the client; a helper that would need one is started
// directly). Start-up time and memory.
inline constexpr char BanderasMotor[] = "--process-per-site --no-unsandboxed-zygote";

// Call in main() before the QApplication is created: puts BanderasMotor before
// any flags the user set for the engine.
void compartirProcesosMotor();

// Folder of the shared profile (cookies, local storage). Defaults to
// "NTX/Navegador" under the user's local data folder; tests point it at a
// temporary folder. Takes effect only before the first perfilCompartido() call;
// returns false (and changes nothing) once the profile exists.
bool fijarCarpetaPerfilCompartido(const QString &carpeta);
QString carpetaPerfilCompartido();

// The persistent profile shared by all views of the process, created on first
// use and owned by the application object. Requires a QApplication.
QWebEngineProfile *perfilCompartido();

// Factory for Contexto: real views on the shared profile.
FabricaVistaWeb fabricaVistaWebMotor();
// Factory for Contexto::crearLectorPagina: views that read over plain network
// requests, with the shared profile's user agent and languages.
FabricaVistaWeb fabricaVistaWebRed();

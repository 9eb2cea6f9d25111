// The client's start, from the first check to the main window: the order of the
// steps lives here so that main() only builds the services.
#pragma once

#include <QObject>
#include <memory>

#include "shell/arranque.h"

struct Contexto;
class frmBrowser;
class frmSplash;
class frmWindowMessage;

class Inicio final
{
    Q_DISABLE_COPY_MOVE(Inicio)
public:
    explicit Inicio(Contexto &ctx);
    ~Inicio();

    // Runs the checks and, when they pass, shows the splash with its timers running.
    // False when the process was told to end.
    bool Iniciar();

    // Loads the main window hidden and its receiver; null when its load ended the process.
    frmBrowser *CargarPrincipal();

    Arranque::Resultado resultado = Arranque::Resultado::Continuar;
    std::unique_ptr<frmSplash> splash;
    std::unique_ptr<frmBrowser> principal;
    std::unique_ptr<frmWindowMessage> receptora;

private:
    void MostrarAviso(const QString &texto, const QString &enlace, const QString &direccion);
    Contexto &ctx;
};

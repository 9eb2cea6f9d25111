// Runs the "ntx://" links of the home view and the advertising band on the main
// window and its home view (PrincipalComando, NavegadorComando), and decides
// which links may run at all.
#pragma once

#include "comando/frmactualizar.h"

#include <QObject>
#include <QPointer>

class NavegadorComando;
class PrincipalComando;
struct Contexto;

class EjecutorComandos final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EjecutorComandos)
public:
    EjecutorComandos(Contexto &ctx, PrincipalComando &principal, NavegadorComando &navegador, QObject *padre = nullptr);

    // For the before-navigate handlers of brwWebBrowser and brwPublicidad. True when
    // `direccion` is a command link: the caller cancels the navigation. The link runs
    // only when it comes from the top-level page of the maker's site (`paginaActual`
    // is the address the view shows); any other is dropped without a word.
    bool atenderNavegacion(const QString &direccion, const QString &paginaActual, bool marcoPrincipal);

    // Runs one link, trusted: the caller has checked where it came from.
    void EjecutarComando(const QString &enlace);

    // The menu item "Buscar una nueva versión": the update check, run as the link
    // "ntx://actua/F". It runs here directly: a navigation the program starts would
    // be judged by whatever page the view shows at that moment.
    void mnuBuscarActualizacion_Click();

    // The update window while one is open.
    frmActualizar *ventanaActualizacion() const { return actualizacion_; }

    // Status texts of an update: the compulsory question open, then the download.
    static inline const QString TextoEstadoPregunta =
        QStringLiteral("Se necesita una nueva versión de NTX Mensajes: responda la pregunta");
    static inline const QString TextoEstadoDescarga = QStringLiteral("Descargando la nueva versión de NTX Mensajes...");

Q_SIGNALS:
    // What the status bar of the main window should show now (a picture of the
    // status bar and a text); the page-loading indicator has nothing more to say.
    void estado(int imagen, const QString &texto);
    // The guided tips start over from their first step (timToolTips on, timDestroyToolTips off).
    void guiasReiniciadas();

private:
    void actualizar(const QString &direccion, const QString &tamano, const QString &modo);
    void reiniciarGuias();

    Contexto &ctx;
    PrincipalComando &principal;
    NavegadorComando &navegador;
    QPointer<frmActualizar> actualizacion_;
};

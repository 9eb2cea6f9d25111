// The main window's web panels: what the home area and the advertising band may
// open, the command links they carry, the offline notice, the fallbacks to the
// local pages, the retry of the advertising band, the page-loading indicator,
// and the silent reading of the remote configuration page.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "comando/ejecutorcomandos.h"
#include "comando/principalcomando.h"
#include "comun/contexto.h"

class QTimer;
class VistaWeb;

struct ControlesPanelesWeb
{
    VistaWeb *brwWebBrowser = nullptr;
    VistaWeb *brwPublicidad = nullptr;
    VistaWeb *brwConfWeb = nullptr;
    QTimer *timPublicidad = nullptr; // retries the advertising band
    QTimer *timTimer = nullptr;      // page-loading indicator
};

// What the panels and the commands of their pages need of the main window.
class VentanaPanelesWeb : public PrincipalComando
{
public:
    virtual void ponerEstado(int imagen, const QString &texto) = 0;
    // The composer gives way to the home area.
    virtual void ocultarEscritura() = 0;
};

class ControladorPanelesWeb final : public QObject
{
    Q_OBJECT
public:
    ControladorPanelesWeb(Contexto &ctx, VentanaPanelesWeb &ventana, const ControlesPanelesWeb &controles,
                          QObject *padre = nullptr);

    // The load's step: the three views silent, at the home page, the advertising
    // page and the configuration page.
    void Cargar();
    // The home area shows the maker's home page.
    void MostrarInicio();
    // The home area gives way to the composer ("enviar.htm" behind it).
    void MostrarComposicion();
    // The local home page, shown again after a provider this version cannot serve.
    void MostrarInicioLocal();

    void brwWebBrowser_BeforeNavigate2(const QString &url, const QString &marco, const QByteArray &post,
                                       const QString &cabeceras, bool &cancelar, bool marcoPrincipal = true);
    void brwWebBrowser_NavigateError(const QString &url, const QString &marco, int codigo, bool &cancelar);
    void brwWebBrowser_NavigateComplete2(const QString &url);
    // A page of the home panel or the advertising band asked for a new window.
    void brwWebBrowser_NewWindow2(const QString &url);
    void brwPublicidad_BeforeNavigate2(const QString &url, const QString &marco, const QByteArray &post,
                                       const QString &cabeceras, bool &cancelar, bool marcoPrincipal = true);
    void brwPublicidad_NavigateError(const QString &url, const QString &marco, int codigo, bool &cancelar);
    void brwPublicidad_DocumentComplete(const QString &url);
    void brwConfWeb_DocumentComplete(const QString &url);
    void timPublicidad_Timer();
    void timTimer_Timer();

    // The update command of the tools menu, as the command engine runs it.
    void mnuBuscarActualizacion_Click() { comandos_.mnuBuscarActualizacion_Click(); }
    EjecutorComandos &comandos() { return comandos_; }

    bool publicidadRespaldo = false; // the band shows the local advertising page

private:
    QString paginaLocal(const QString &nombre) const;
    QString paginaSitio(const QString &ruta) const;

    Contexto &ctx;
    VentanaPanelesWeb &ventana_;
    ControlesPanelesWeb c;
    EjecutorComandos comandos_;
};

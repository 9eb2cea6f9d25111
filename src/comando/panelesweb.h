// The main window's web panels: the home area brwWebBrowser, the advertising band
// brwPublicidad and the hidden reader of the configuration page brwConfWeb, with
// their timers. They stand apart in the window (the band above the provider row's
// end, the home area below it): the panel creates each view at its own place in
// the window's client area and owns them, as it owns the command engine their
// pages drive. It decides what they may open, runs the command links, shows the
// offline notice, falls back to the local pages, retries the band, runs the
// page-loading indicator and reads the remote configuration.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "comando/ejecutorcomandos.h"
#include "comando/principalcomando.h"
#include "comun/contexto.h"
#include "comun/controles.h"

class QTimer;
class VistaWeb;

// timPublicidad retries the advertising band; timTimer is the page-loading indicator.
// clang-format off
#define NTX_CONTROLES_PANELESWEB(X) \
    X(VistaWeb, brwPublicidad) X(VistaWeb, brwWebBrowser) X(VistaWeb, brwConfWeb) X(QTimer, timPublicidad) \
    X(QTimer, timTimer)
// clang-format on

// What the panels and the commands of their pages need of the main window.
class VentanaPanelesWeb : public PrincipalComando
{
public:
    virtual void ponerEstado(int imagen, const QString &texto) = 0;
};

class PanelesWeb final : public QObject, public NavegadorComando
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelesWeb)
public:
    // The views go into `area` (the window's client area) at their places.
    PanelesWeb(Contexto &ctx, VentanaPanelesWeb &ventana, QWidget *area, QObject *padre = nullptr);

    // The home view, as the command engine drives it.
    void encenderIndicador() override;
    bool navegadorVisible() const override;
    void mostrarNavegador(bool visible) override;
    void navegarNavegador(const QString &direccion) override;

    EjecutorComandos &comandos() { return comandos_; }

    // Timer handlers, also called directly by tests.
    void timPublicidad_Timer();
    void timTimer_Timer();

    bool publicidadRespaldo = false; // the band shows the local advertising page

public Q_SLOTS:
    // The load's step: the three views silent, at the home page, the advertising
    // page and the configuration page.
    void Cargar();
    // The home area shows the maker's home page.
    void MostrarInicio();
    // The home area gives way to the composer ("enviar.htm" behind it).
    void MostrarComposicion();
    // The local home page, shown again after a provider this version cannot serve.
    void MostrarInicioLocal();
    // The update command of the tools menu, as the command engine runs it.
    void mnuBuscarActualizacion_Click() { comandos_.mnuBuscarActualizacion_Click(); }

Q_SIGNALS:
    // The home area could not load: the composer gives way to it.
    void ocultarEscritura();

private Q_SLOTS:
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

private:
    QString paginaLocal(const QString &nombre) const;
    QString paginaSitio(const QString &ruta) const;

    Contexto &ctx;
    VentanaPanelesWeb &ventana_;
    NTX_CONTROLES_PANELESWEB(NTX_CONTROLES_CAMPO)
    EjecutorComandos comandos_;
};

// What the command engine needs of the main window: the home view and the
// composer panel, the loading indicator, the provider selection, the window
// itself and the two timers of the guided tips.
#pragma once

#include <QString>

class QWidget;

class PrincipalComando
{
public:
    virtual ~PrincipalComando() = default;

    // Owner of the engine's boxes and of the update window.
    virtual QWidget *ventana() = 0;
    // Main window hidden while an update downloads, shown again when its window closes.
    virtual void ocultarVentana() = 0;
    virtual void mostrarVentana() = 0;

    // timTimer on: the page-loading indicator.
    virtual void encenderIndicador() = 0;
    // cboAddress: a provider chosen (list index other than -1); clearing sets index -1.
    virtual bool hayProveedor() const = 0;
    virtual void limpiarProveedor() = 0;

    // picEscritura (the composer) and brwWebBrowser (the home view).
    virtual bool escrituraVisible() const = 0;
    virtual void mostrarEscritura(bool visible) = 0;
    virtual bool navegadorVisible() const = 0;
    virtual void mostrarNavegador(bool visible) = 0;
    // Navigates brwWebBrowser.
    virtual void navegarNavegador(const QString &direccion) = 0;

    // Guided tips: timToolTips on, timDestroyToolTips off.
    virtual void encenderTimToolTips() = 0;
    virtual void apagarTimDestroyToolTips() = 0;
};

// What the command engine needs of the main window (the window itself, the
// composer panel, the provider selection) and of the web panels (the home view
// and its loading indicator). The guided tips start over through its signal.
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

    // cboAddress: a provider chosen (list index other than -1); clearing sets index -1.
    virtual bool hayProveedor() const = 0;
    virtual void limpiarProveedor() = 0;

    // picEscritura (the composer).
    virtual bool escrituraVisible() const = 0;
    virtual void mostrarEscritura(bool visible) = 0;
};

class NavegadorComando
{
public:
    virtual ~NavegadorComando() = default;

    // timTimer on: the page-loading indicator.
    virtual void encenderIndicador() = 0;
    // brwWebBrowser (the home view).
    virtual bool navegadorVisible() const = 0;
    virtual void mostrarNavegador(bool visible) = 0;
    virtual void navegarNavegador(const QString &direccion) = 0;
};

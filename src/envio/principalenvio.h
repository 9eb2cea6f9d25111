// What a delivery window needs of the main window: its status bar, the
// composer panel, the history switch and the texts of the composer.
#pragma once

#include <QString>

class QWidget;

class PrincipalEnvio
{
public:
    virtual ~PrincipalEnvio() = default;

    virtual void ponerEstado(int imagen, const QString &texto) = 0;
    virtual void mostrarEscritura() = 0;
    virtual bool historialMarcado() const = 0;
    virtual void guardarEnHistorial() = 0;
    virtual QString remitente() const = 0;
    virtual QString mensaje() const = 0;
    virtual QString codArea() const = 0;
    virtual QString numero() const = 0;
    virtual QWidget *ventana() = 0;
};

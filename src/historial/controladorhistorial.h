// The history of the main window: the switches ("Guardar una copia de este
// mensaje" and its menu item), the append of the message just sent, and the
// history window opened from the menu and the toolbar.
#pragma once

#include <QObject>
#include <QString>

#include "comun/contexto.h"
#include "envio/mensajesaliente.h"
#include "historial/principalhistorial.h"

class QAction;
class QCheckBox;

struct ControlesHistorial
{
    QCheckBox *chkHistorial = nullptr;
    QAction *mnuHistorial = nullptr;
    QAction *mnuHistorialMsjs = nullptr; // "Abrir Mensajes enviados"
};

// What the history needs of the main window: the status bar, beyond what the history window sees.
class VentanaHistorial : public PrincipalHistorial
{
public:
    virtual void ponerEstado(int imagen, const QString &texto) = 0;
};

class ControladorHistorial final : public QObject
{
    Q_OBJECT
public:
    ControladorHistorial(Contexto &ctx, VentanaHistorial &ventana, const ControlesHistorial &controles,
                         QObject *padre = nullptr);

    void chkHistorial_Click();
    void mnuHistorial_Click();
    void mnuHistorialMsjs_Click();
    bool historialMarcado() const;
    // Appends the message just sent, as it was captured at the press.
    void GuardarEnHistorial(const MensajeSaliente &mensaje);
    // A delivery window ended: a delivered message is kept while saving is on.
    void envioTerminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado);

    // The "Historial" setting read at load: saving is permanent unless switched off.
    bool HistorialPermanente = true;

private:
    Contexto &ctx;
    VentanaHistorial &ventana_;
    ControlesHistorial c;
};

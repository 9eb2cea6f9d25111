// The history of the main window: what the saving switch ("Guardar una copia de
// este mensaje", in the improvements panel) means, the append of the message
// just sent, and the history window opened from the menu and the toolbar.
#pragma once

#include <QObject>
#include <QString>

#include "comun/contexto.h"
#include "envio/mensajesaliente.h"
#include "historial/principalhistorial.h"

class QAction;

struct ControlesHistorial
{
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

    void mnuHistorialMsjs_Click();
    // The saving switch was turned on or off by the user: the status bar says so, and a
    // notice tells when this differs from the permanent setting.
    void cambioHistorial(bool guardar, bool permanente);
    // What the saving switch shows, whoever changed it.
    void ponerGuardar(bool guardar);
    // Appends the message just sent, as it was captured at the press.
    void GuardarEnHistorial(const MensajeSaliente &mensaje);
    // A delivery window ended: a delivered message is kept while saving is on.
    void envioTerminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado);

private:
    Contexto &ctx;
    VentanaHistorial &ventana_;
    ControlesHistorial c;
    bool guardar_ = false;
};

// The history of the main window: the switches ("Guardar una copia de este
// mensaje" and its menu item), the append of the message just sent, and the
// history window opened from the menu and the toolbar.
#pragma once

#include <QObject>
#include <QString>

#include "comun/contexto.h"
#include "historial/principalhistorial.h"

class QAction;
class QCheckBox;

struct ControlesHistorial
{
    QCheckBox *chkHistorial = nullptr;
    QAction *mnuHistorial = nullptr;
    QAction *mnuHistorialMsjs = nullptr; // "Abrir Mensajes enviados"
};

// What the history needs of the main window: the status bar and the fields of
// the message that was sent.
class VentanaHistorial : public PrincipalHistorial
{
public:
    virtual void ponerEstado(int imagen, const QString &texto) = 0;
    // The recipient frame's label: a contact's name, "(No agendado)" or "(Ninguno)".
    virtual QString nombreDestinatario() const = 0;
    // Area code + " " + number, or the alias when that box is shown.
    virtual QString destino() const = 0;
    virtual QString remitente() const = 0;
    virtual QString mensaje() const = 0;
    virtual QString proveedor() const = 0;
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
    // Appends the message just sent, from the main window's fields.
    void GuardarEnHistorial();

    // The "Historial" setting read at load: saving is permanent unless switched off.
    bool HistorialPermanente = true;

private:
    Contexto &ctx;
    VentanaHistorial &ventana_;
    ControlesHistorial c;
};

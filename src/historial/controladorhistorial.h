// The history switches of the main window ("Guardar una copia de este mensaje"
// and its menu item) and the append of the message just sent.
#pragma once

#include <QObject>
#include <QString>

#include "comun/contexto.h"

class QAction;
class QCheckBox;

struct ControlesHistorial
{
    QCheckBox *chkHistorial = nullptr;
    QAction *mnuHistorial = nullptr;
};

// What the history needs of the main window: the status bar and the fields of
// the message that was sent.
class VentanaHistorial
{
public:
    virtual ~VentanaHistorial() = default;

    virtual void ponerEstado(int imagen, const QString &texto) = 0;
    // The recipient frame's label: a contact's name, "(No agendado)" or "(Ninguno)".
    virtual QString nombreDestinatario() const = 0;
    // Area code + " " + number, or the alias when that box is shown.
    virtual QString destino() const = 0;
    virtual QString remitente() const = 0;
    virtual QString mensaje() const = 0;
    virtual QString proveedor() const = 0;
    virtual QWidget *ventana() = 0;
};

class ControladorHistorial final : public QObject
{
    Q_OBJECT
public:
    ControladorHistorial(Contexto &ctx, VentanaHistorial &ventana, const ControlesHistorial &controles,
                         QObject *padre = nullptr);

    void chkHistorial_Click();
    void mnuHistorial_Click();
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

// The guided tips of the main window: four balloons that lead a first-time user
// through choosing a provider, writing, adding the recipient to the address book
// and putting it on the desktop. Progress lives in "TTMostrado"; timToolTips shows
// the next tip and timDestroyToolTips removes it 14 seconds later and advances.
#pragma once

#include <QObject>

#include "plataforma/cballoontooltip.h"

class QComboBox;
class QPushButton;
class QTimer;
class QWidget;
struct Contexto;

struct ControlesTips
{
    QTimer *timToolTips = nullptr;          // 10000 ms, on at load
    QTimer *timDestroyToolTips = nullptr;   // 14000 ms, off at load
    QComboBox *cboAddress = nullptr;        // step 0, and the height every tip is placed by
    QWidget *txtmsj = nullptr;              // step 1
    QPushButton *cmdAgendar = nullptr;      // step 2
    QPushButton *cmdAlEscritorio = nullptr; // step 3
};

// What the tips need of the rest of the main window.
class VentanaTips
{
public:
    virtual ~VentanaTips() = default;

    // The window is on the screen: not hidden in the notification area, not minimised.
    virtual bool ventanaALaVista() const = 0;
    // The composer picEscritura is shown.
    virtual bool escrituraVisible() const = 0;
};

class ControladorTips final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ControladorTips)
public:
    ControladorTips(Contexto &ctx, VentanaTips &ventana, const ControlesTips &controles, QObject *padre = nullptr);

    // Shows the tip of the current step when its condition holds.
    void timToolTips_Timer();
    // Removes the tip and moves "TTMostrado" on.
    void timDestroyToolTips_Timer();

    // The tip part of other handlers of the main window; each closes a balloon
    // that is up. Call them first in those handlers.
    void cboAddress_Click() { CerrarGlobo(); }
    void cboAddress_DropDown() { CerrarGlobo(); }
    void cmdAgendar_Click() { CerrarGlobo(); }
    void cmdAlEscritorio_Click() { CerrarGlobo(); }
    void CerrarGlobo();

    // The "cusar" command: the tour starts again from the welcome tip.
    void ReiniciarTips();

    // The step the value of "TTMostrado" leads to: 0 to 3, or -1 for none.
    static int PasoDe(const QString &valor);

    CBalloonToolTip &globo() { return globo_; }

private:
    bool condicionDelPaso(int paso) const;
    int valorActual() const;

    Contexto &ctx;
    VentanaTips &ventana;
    ControlesTips c;
    CBalloonToolTip globo_;
};

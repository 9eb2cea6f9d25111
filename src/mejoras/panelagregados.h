// The improvements panel of the main window ("Ver Contactos", beside the
// composer): the "Agregue al mensaje..." buttons with the emoticon, picture and
// greeting/signature menus behind them, and the switches "Guardar una copia de
// este mensaje", "Activar LenguajeMate" and "Activar Abreviaturas Personalizadas"
// with their items of the "Mejoras" menu. It owns its controls and menus; the
// window places it, puts its entries in the menu bar and connects its signals.
#pragma once

#include <QList>
#include <QPoint>
#include <QWidget>

#include "comun/composicion.h"
#include "comun/controles.h"
#include "mejoras/frmpreferencias.h"

struct Contexto;
class QAction;
class QCheckBox;
class QGroupBox;
class QMenu;
class QPushButton;

// The emoticon items ("mnuCaraFeliz", ...), "mnuImagenes0".."10", "mnuSaludos0".."9" and
// "mnuFirmas0".."9" are named as well.
// clang-format off
#define NTX_CONTROLES_AGREGADOS(X) \
    X(QPushButton, cmdAlternarMejoras) X(QGroupBox, fraAgreguealMensaje) X(QPushButton, cmdEmoticon) \
    X(QPushButton, cmdImagenes) X(QPushButton, cmdFirmas) X(QGroupBox, fraMejorasEscritura) \
    X(QCheckBox, chkHistorial) X(QCheckBox, chkLMate) X(QCheckBox, chkAbreviaturas) \
    X(QAction, mnuMejorasLenguajeMate) X(QAction, mnuMejorasAbreviaturas) X(QAction, mnuHistorial) \
    X(QMenu, mnuIconosGestuales) X(QMenu, mnuCaras) X(QMenu, mnuCaritas) X(QMenu, mnuCosas) \
    X(QMenu, mnuSaludosyFirmas) X(QMenu, mnuSubSaludos) X(QMenu, mnuSubFirmas) \
    X(QAction, mnuSaludosyFirmasPersonalizar) X(QMenu, mnuPOPImagenes)
// clang-format on

class PanelAgregados final : public QWidget, public VentanaPreferencias
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelAgregados)
public:
    // The menus' texts go to the end of `composicion`'s message.
    PanelAgregados(Contexto &ctx, MensajeComposicion &composicion, QWidget *padre = nullptr);

    // Puts the panel's entries in the window's "Mejoras" menu: the three switches, a
    // separator, then the emoticon, greeting/signature and picture menus.
    void ponerEnMenu(QMenu *mejoras);
    // Where a button's pop-up opens, in screen coordinates.
    static QPoint posicionMenu(const QPushButton *boton);

    // The abbreviation switch: ticked, clear or grey (closing writes it back unless grey).
    Qt::CheckState estadoAbreviaturas() const;

    // The "Historial" setting read at load: saving is permanent unless switched off.
    bool HistorialPermanente = true;
    bool historialPermanente() const override { return HistorialPermanente; }
    // From the preferences: the setting, and the switch ticked or cleared to match.
    void ponerHistorialPermanente(bool valor) override;

public Q_SLOTS:
    // The saved switches at load: ticked, as a click would leave them.
    void activarLenguajeMate();
    void activarAbreviaturas();
    void activarHistorial();
    // The composer kept or dropped the abbreviations: the switch and its menu item follow.
    void marcarAbreviaturas(bool marcada);
    // The "Mejoras" menu opens: its marks follow the switches (grey leaves them), and the
    // three insert menus are available only while a provider is chosen.
    void ActualizarMenu(bool hayProveedor);
    // A slide brought the panel in: its switch is back and focused.
    void terminarDeslizamiento();

Q_SIGNALS:
    // "Ver Contactos": the contacts panel slides in.
    void verContactos();
    // "Personalizar...": the preferences on tab `pestana`.
    void preferencias(int pestana);
    // A click (or its menu item) switched LenguajeMate or the abbreviations on or off.
    void lenguajeMate(bool activo);
    void abreviaturas(bool marcada);
    // The abbreviation switch shows ticked, or not (grey or clear), whoever changed it.
    void abreviaturasMarcadas(bool marcada);
    // A click (or its menu item) switched saving on or off.
    void historial(bool guardar, bool permanente);
    // The history switch shows ticked, or not, whoever changed it.
    void historialMarcado(bool marcado);

private Q_SLOTS:
    void cmdAlternarMejoras_Click();
    // Each opens its pop-up menu just below the button, at its left edge.
    void cmdEmoticon_Click();
    void cmdImagenes_Click();
    void cmdFirmas_Click();
    void chkHistorial_Click();
    void chkLMate_Click();
    void chkAbreviaturas_Click();
    void mnuHistorial_Click();
    void mnuMejorasLenguajeMate_Click();
    void mnuMejorasAbreviaturas_Click();
    // The emoticon items, in the order of EmoticonesAgregados().
    void mnuEmoticon_Click(int indice);
    void mnuImagenes_Click(int Index);
    void mnuSaludos_Click(int Index);
    void mnuFirmas_Click(int Index);
    // Rebuilds the greeting and signature entries from the settings; runs each
    // time the menu opens.
    void mnuSaludosyFirmas_Click();
    void mnuSaludosyFirmasPersonalizar_Click();

private:
    void crearControles();
    void crearMenus();
    void agregar(const QString &nuevo);

    Contexto &ctx_;
    MensajeComposicion &composicion_;
    NTX_CONTROLES_AGREGADOS(NTX_CONTROLES_CAMPO)
    QList<QAction *> mnuEmoticones;
    QList<QAction *> mnuImagenes;
    QList<QAction *> mnuSaludos;
    QList<QAction *> mnuFirmas;
};

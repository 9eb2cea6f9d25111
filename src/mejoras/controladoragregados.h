// The "Agregue al mensaje..." buttons and the menus behind them: emoticons,
// text pictures, greetings and signatures appended to the end of the message.
#pragma once

#include <QList>
#include <QObject>
#include <QPoint>

#include "comun/composicion.h"

struct Contexto;
class QAction;
class QMenu;
class QPushButton;
class QWidget;

// What the controller needs of the main window.
class VentanaAgregados
{
public:
    virtual ~VentanaAgregados() = default;

    // The preferences dialog, modal, on tab `pestana` (0 to 3).
    virtual void abrirPreferencias(int pestana) = 0;
    // Owner of the notices.
    virtual QWidget *ventana() = 0;
};

// Created by the main window; the controller fills the menus.
struct ControlesAgregados
{
    QPushButton *cmdEmoticon = nullptr;
    QPushButton *cmdImagenes = nullptr;
    QPushButton *cmdFirmas = nullptr;
    QMenu *mnuIconosGestuales = nullptr;
    QMenu *mnuCaras = nullptr;
    QMenu *mnuCaritas = nullptr;
    QMenu *mnuCosas = nullptr;
    QMenu *mnuSaludosyFirmas = nullptr;
    QMenu *mnuSubSaludos = nullptr;
    QMenu *mnuSubFirmas = nullptr;
    QAction *mnuSaludosyFirmasPersonalizar = nullptr;
    QMenu *mnuPOPImagenes = nullptr;
};

class ControladorAgregados final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ControladorAgregados)
public:
    ControladorAgregados(Contexto &ctx, VentanaAgregados &ventana, MensajeComposicion &composicion,
                         const ControlesAgregados &controles, QObject *padre = nullptr);

    // Each opens its pop-up menu just below the button, at its left edge.
    void cmdEmoticon_Click();
    void cmdImagenes_Click();
    void cmdFirmas_Click();

    // The emoticon items, in the order of EmoticonesAgregados(); each one's
    // object name is the item's name ("mnuCaraFeliz", ...).
    void mnuEmoticon_Click(int indice);
    void mnuImagenes_Click(int Index);
    void mnuSaludos_Click(int Index);
    void mnuFirmas_Click(int Index);
    // Rebuilds the greeting and signature entries from the settings; runs each
    // time the menu opens.
    void mnuSaludosyFirmas_Click();
    void mnuSaludosyFirmasPersonalizar_Click();

    // Where a button's pop-up opens, in screen coordinates.
    static QPoint posicionMenu(const QPushButton *boton);

    QList<QAction *> mnuEmoticones;
    QList<QAction *> mnuImagenes;
    QList<QAction *> mnuSaludos;
    QList<QAction *> mnuFirmas;

private:
    void agregar(const QString &nuevo);

    Contexto &ctx_;
    VentanaAgregados &ventana_;
    MensajeComposicion &composicion_;
    ControlesAgregados c_;
};

// frmDialog: the general notice. The caller sets the text, optionally a link
// (caption and address in lblURLTag) and a "do not show again" box bound to a
// key of the settings table (chkNoMasTag, see comun/claves.h), then shows it modally.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "comun/contexto.h"

class frmDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmDialog)
public:
    explicit frmDialog(Contexto &ctx, QWidget *parent = nullptr);

    Contexto &ctx;

    QLabel *lblTexto = nullptr;
    QLabel *lblURL = nullptr;      // shown only when lblURLTag is not empty
    QCheckBox *chkNoMas = nullptr; // shown only when chkNoMasTag is not empty
    QPushButton *cmdAceptar = nullptr;

    QString lblURLTag;   // address opened by a click on the link
    QString chkNoMasTag; // name of the settings key that gets True when the box is ticked

    void Form_Activate();
    void lblURL_Click();
    void cmdAceptar_Click();
    void Form_Unload();

    // Loads the dialog, sets what the caller gives and shows it modally.
    static void Mostrar(Contexto &ctx, QWidget *dueno, const QString &texto, const QString &claveNoMas = {},
                        const QString &textoEnlace = {}, const QString &direccionEnlace = {});

    // Every way of closing passes here: the dialog is cleared for the next caller.
    void done(int resultado) override;
    // Showing runs Form_Activate first, so the window is sized with the parts it shows.
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;
};

// The notice as the subsystems reach it: through the Avisos service of the context.
class AvisosVentana final : public Avisos
{
public:
    // The context that holds this service; set once it exists.
    Contexto *ctx = nullptr;

    void mostrar(QWidget *dueno, const QString &texto, const QString &claveNoMas, const QString &textoEnlace,
                 const QString &direccionEnlace) override
    {
        frmDialog::Mostrar(*ctx, dueno, texto, claveNoMas, textoEnlace, direccionEnlace);
    }
};

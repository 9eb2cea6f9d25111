// frmAbreviaturas ("Configurar Abreviaturas"): the list of the user's
// abbreviations with add, modify and delete; every change goes to the store at
// once and the list is refilled from it.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <functional>

struct Contexto;

class frmAbreviaturas final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAbreviaturas)
public:
    // `recargar` reloads the main window's list; cmdCerrar calls it.
    frmAbreviaturas(Contexto &ctx, std::function<void()> recargar, QWidget *parent = nullptr);

    Contexto &ctx;

    QTreeWidget *tvwAbreviaturas = nullptr; // item text: the word; Qt::UserRole: the replacement
    QLabel *lblAbreviaturas = nullptr;
    QPlainTextEdit *txtConvertirA = nullptr;
    QLabel *lblConvertirA = nullptr;
    QPushButton *cmdAgregar = nullptr;
    QPushButton *cmdModificar = nullptr;
    QPushButton *cmdEliminar = nullptr;
    QPushButton *cmdCerrar = nullptr;
    QStatusBar *stbAbreviaturas = nullptr;

    QString textoEstado() const { return estado_->text(); }

    void Form_Load();
    void LlenarLista();
    void tvwAbreviaturas_NodeClick();
    void tvwAbreviaturas_DblClick();
    void tvwAbreviaturas_KeyDown(int codigo);
    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdCerrar_Click();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    std::function<void()> recargar_;
    QLabel *estado_ = nullptr;
    void ponerEstado(const QString &texto);
};

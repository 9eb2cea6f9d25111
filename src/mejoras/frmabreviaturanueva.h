// frmAbreviaturaNueva: the entry dialog of one abbreviation, new or modified.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

struct Contexto;

class frmAbreviaturaNueva final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAbreviaturaNueva)
public:
    explicit frmAbreviaturaNueva(Contexto &ctx, QWidget *parent = nullptr);

    Contexto &ctx;
    // "nuevo", or "modificar_" followed by the word being modified; set before Form_Load.
    QString modo = QStringLiteral("nuevo");

    QLabel *lblAlEscribir = nullptr;
    QLineEdit *txtAlEscribir = nullptr;
    QLabel *lblConvertirA = nullptr;
    QPlainTextEdit *txtConvertirA = nullptr;
    QPushButton *cmdGuardar = nullptr;
    QPushButton *cmdCancelar = nullptr;

    // Caption after the mode.
    void Form_Load();
    void cmdGuardar_Click();
    void cmdCancelar_Click();
    void txtConvertirA_Change();

private:
    QString textoAnterior_;
    // Stores the pair; a failure is told and leaves the dialog as it is.
    bool guardar(const QString &palabra, const QString &reemplazo);
};

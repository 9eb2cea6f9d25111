// frmContacto: adds or modifies one contact. Opened (filled and given its mode)
// only by the Agenda procedures; `Accion` says how "Guardar" saves.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

struct Contexto;

class frmContacto final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmContacto)
public:
    // `refrescarPanel` refills the main window's contacts panel after a save.
    frmContacto(Contexto &ctx, std::function<void()> refrescarPanel, QWidget *parent = nullptr);

    Contexto &ctx;

    // "Agregar", or "Modificar_" + the name the save replaces. Emptied when the dialog closes.
    QString Accion;

    QLabel *lblNombre = nullptr;
    QLineEdit *txtNombre = nullptr;
    QLabel *lblProveedor = nullptr;
    QComboBox *cboProveedor = nullptr;
    QLabel *lblBuscarEmpresa = nullptr;
    QLabel *lblNumTitulo = nullptr;
    QLabel *lblCodArea = nullptr;
    QLineEdit *txtCodArea = nullptr;
    QLabel *lblNumero = nullptr;
    QLineEdit *txtNumero = nullptr;
    QPushButton *cmdAceptar = nullptr;
    QPushButton *cmdCancelar = nullptr;

    // Key filters of the two number boxes: "numeros" admits digits only, "letras" everything.
    QString txtCodAreaTag = QStringLiteral("numeros");
    QString txtNumeroTag = QStringLiteral("numeros");

    // Selects `proveedor` as a click would; false when it is not an item of the list.
    bool SeleccionarProveedor(const QString &proveedor);

    void cboProveedor_Click();
    void txtCodArea_KeyPress(int &tecla);
    void txtNumero_KeyPress(int &tecla);
    void lblBuscarEmpresa_Click();
    void cmdAceptar_Click();
    void cmdCancelar_Click();

    void done(int resultado) override;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void filtrarTecla(const QString &tag, int &tecla);
    void avisar(const QString &texto);
    bool guardar(const QString &nombre, const QString &registro, const QString &nombreAnterior);
    // The "ya está en la Agenda" question; true for Yes.
    bool preguntarReemplazo(const QString &nombre);

    std::function<void()> m_refrescarPanel;
};

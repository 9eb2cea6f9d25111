// frmContacto: adds or modifies one contact. Opened (filled and given its mode)
// only by the Agenda procedures; `Accion` says how "Guardar" saves.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "comun/controles.h"

struct Contexto;

// clang-format off
#define NTX_CONTROLES_CONTACTO(X) \
    X(QLabel, lblNombre) X(QLineEdit, txtNombre) X(QLabel, lblProveedor) X(QComboBox, cboProveedor) \
    X(QLabel, lblBuscarEmpresa) X(QLabel, lblNumTitulo) X(QLabel, lblCodArea) X(QLineEdit, txtCodArea) \
    X(QLabel, lblNumero) X(QLineEdit, txtNumero) X(QPushButton, cmdAceptar) X(QPushButton, cmdCancelar)
// clang-format on

struct ControlesFrmContacto
{
    NTX_CONTROLES(NTX_CONTROLES_CONTACTO, ControlesFrmContacto)
};

class frmContacto final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmContacto)
public:
    // `refrescarPanel` refills the main window's contacts panel after a save.
    frmContacto(Contexto &ctx, std::function<void()> refrescarPanel, QWidget *parent = nullptr);

    // The providers the list offers, none chosen.
    void ponerProveedores(const QStringList &proveedores);
    // Selects `proveedor` as a click would; false when it is not an item of the list.
    bool SeleccionarProveedor(const QString &proveedor);
    // The contact's name, area code (or the alias mark) and number (or alias) in their boxes.
    void ponerDatos(const QString &nombre, const QString &codArea, const QString &numero);
    // "Guardar" adds a new contact: title "Agenda - Nuevo Contacto".
    void prepararAgregar();
    // "Guardar" replaces the contact `nombre`: title "Agenda - " + nombre.
    void prepararModificar(const QString &nombre);
    // "Agregar", or "Modificar_" + the name the save replaces. Emptied when the dialog closes.
    const QString &accion() const { return Accion; }

    void done(int resultado) override;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private Q_SLOTS:
    void cboProveedor_Click();
    void lblBuscarEmpresa_Click();
    void cmdAceptar_Click();
    void cmdCancelar_Click();

private:
    void txtCodArea_KeyPress(int &tecla);
    void txtNumero_KeyPress(int &tecla);
    void filtrarTecla(const QString &tag, int &tecla);
    void avisar(const QString &texto);
    bool guardar(const QString &nombre, const QString &registro, const QString &nombreAnterior);
    // The "ya está en la Agenda" question; true for Yes.
    bool preguntarReemplazo(const QString &nombre);

    Contexto &ctx;
    ControlesFrmContacto ui;
    QString Accion;
    // Key filters of the two number boxes: "numeros" admits digits only, "letras" everything.
    QString txtCodAreaTag = QStringLiteral("numeros");
    QString txtNumeroTag = QStringLiteral("numeros");
    std::function<void()> m_refrescarPanel;
};

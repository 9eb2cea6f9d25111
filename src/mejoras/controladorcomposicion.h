// The composer of the main window: the text-change pass of the message box, the
// counter and its limit check, the LenguajeMate and abbreviation switches, the
// key filters and focus order of the destination fields, the sender box, the
// clear button and the abbreviation menu items.
#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include "comun/contexto.h"
#include "envio/mensajesaliente.h"

class QAction;
class QCheckBox;
class ComboDesplegable;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct Proveedor;

// The controls the composer owns; the main window creates and places them.
struct ControlesComposicion
{
    QLabel *lblCodArea = nullptr;
    QLineEdit *txtCodArea = nullptr;
    QLabel *lblNumero = nullptr;
    QLineEdit *txtNumero = nullptr;
    QLabel *lblalias = nullptr;
    QLineEdit *txtalias = nullptr;
    QLabel *lblremitente = nullptr;
    ComboDesplegable *cboRemitente = nullptr;
    QPlainTextEdit *txtmsj = nullptr;
    QLineEdit *txtcarescritos = nullptr;
    QLabel *lblcarescritos = nullptr;
    QLineEdit *txtmaxcar = nullptr;
    QLabel *lblmaxcar = nullptr;
    QPushButton *cmdlimpiar = nullptr;
    QCheckBox *chkLMate = nullptr;        // tristate: clear, ticked, grey
    QCheckBox *chkAbreviaturas = nullptr; // tristate
    QAction *mnuMejorasLenguajeMate = nullptr;
    QAction *mnuMejorasAbreviaturas = nullptr;
    QAction *mnuAbreviaturas = nullptr;
    QAction *mnuExportarAbreviaturas = nullptr;
    QAction *mnuImportarAbreviaturas = nullptr;
};

// What the composer needs of the rest of the main window.
class VentanaComposicion
{
public:
    virtual ~VentanaComposicion() = default;

    // Panel 1 of the status bar: picture and text.
    virtual void ponerEstado(int imagen, const QString &texto) = 0;
    virtual int imagenEstado() const = 0;
    virtual QString textoEstado() const = 0;
    // Panel 2 ("L-Mate") is enabled only while LenguajeMate is on.
    virtual void habilitarPanelLMate(bool habilitado) = 0;
    // The destination boxes changed: the recipient frame looks the contact up.
    virtual void destinoCambiado() = 0;
    virtual QWidget *ventana() = 0;
};

class ControladorComposicion final : public QObject
{
    Q_OBJECT
public:
    ControladorComposicion(Contexto &ctx, VentanaComposicion &ventana, const ControlesComposicion &controles,
                           QObject *padre = nullptr);

    // The message with CR LF at each line break, whatever the widget keeps inside.
    QString textoMensaje() const;
    // Writes the message box; its change handler runs as after a user's edit.
    void ponerTextoMensaje(const QString &texto);
    QString codArea() const;
    QString numero() const;
    QString alias() const;
    QString remitente() const;
    // The alias box is shown instead of the area code and number.
    bool modoAlias() const;
    // The press of "Enviar Mensaje": trims the alias box, then takes the composer's
    // part of the message (destination boxes, sender, text, count, limit) once.
    MensajeSaliente capturar();

    // The fields, labels and limit of a provider (null: the defaults shown before one is known).
    void PonerProveedor(const Proveedor *proveedor);

    void txtmsj_Change();
    void txtcarescritos_Change();
    void ActualizarContador();
    void chkLMate_Click();
    void chkAbreviaturas_Click();
    void mnuMejorasLenguajeMate_Click();
    void mnuMejorasAbreviaturas_Click();
    void CargarAbreviaturas();
    void MostrarAbreviaturas();
    void txtCodArea_KeyPress(int &tecla);
    void txtNumero_KeyPress(int &tecla);
    void txtalias_KeyPress(int &tecla);
    void txtCodArea_GotFocus();
    void txtNumero_GotFocus();
    void txtalias_GotFocus();
    void txtCodArea_Change();
    void txtNumero_Change();
    void txtalias_Change();
    void cmdlimpiar_Click();
    void cboRemitente_DropDown();
    void cboRemitente_Change();
    void cboRemitente_Click();
    void cboRemitente_GotFocus();
    void cboRemitente_KeyPress(int &tecla);

    bool LenguajeMateActivo = false;                  // the LMate switch, written back on close
    int CaracteresEscritos = 0;                       // shown in txtcarescritos
    int MaximoCaracteres = 140;                       // the provider's limit, shown in txtmaxcar
    QList<QPair<QString, QString>> TablaAbreviaturas; // (word, replacement)

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    bool teclaEnControl(QObject *control, QKeyEvent *evento);
    void ponerEstadoSiCambia(int imagen, const QString &texto);
    void escribirContador(const QString &mensajeCrLf);
    void filtroNumerico(int &tecla, QWidget *siguiente, const QString &aviso);

    Contexto &ctx;
    VentanaComposicion &ventana_;
    ControlesComposicion c;
};

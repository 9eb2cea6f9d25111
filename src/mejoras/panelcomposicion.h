// The composer panel of the main window ("Número destinatario"): the destination
// boxes, the sender box, the message box with its text-change pass, the counter
// and its limit check, the clear and send buttons. It owns its controls; the
// window places it and listens to its signals. The LenguajeMate and abbreviation
// switches belong to the improvements panel, which tells it when they change.
#pragma once

#include <QGroupBox>
#include <QList>
#include <QPair>
#include <QString>

#include "comun/composicion.h"
#include "comun/contexto.h"
#include "envio/mensajesaliente.h"

class ComboDesplegable;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct Proveedor;

// The panel's controls: the list gives each control's object name, so tests find them by name.
// clang-format off
#define NTX_CONTROLES_COMPOSICION(X) \
    X(QLabel, lblremitente) X(ComboDesplegable, cboRemitente) X(QLabel, lblCodArea) X(QLineEdit, txtCodArea) \
    X(QLabel, lblNumero) X(QLineEdit, txtNumero) X(QLabel, lblalias) X(QLineEdit, txtalias) \
    X(QPlainTextEdit, txtmsj) X(QLabel, lblcarescritos) X(QLineEdit, txtcarescritos) X(QLabel, lblmaxcar) \
    X(QLineEdit, txtmaxcar) X(QPushButton, cmdlimpiar) X(QPushButton, cmdEnviar)
// clang-format on

class PanelComposicion final : public QGroupBox,
                               public MensajeComposicion,
                               public DestinoComposicion,
                               public ReenvioComposicion
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelComposicion)
public:
    explicit PanelComposicion(Contexto &ctx, QWidget *padre = nullptr);

    // The message with CR LF at each line break, whatever the widget keeps inside.
    QString textoMensaje() const override;
    QString codArea() const override;
    QString numero() const override;
    QString alias() const override;
    QString remitente() const;
    // The alias box is shown instead of the area code and number.
    bool modoAlias() const override;
    // The area code and number boxes are shown.
    bool modoNumero() const override;
    // How the counter reads aloud: "57 de 140 caracteres".
    static QString TextoContador(int escritos, int maximo);
    // The message box, where the guided tips point.
    QWidget *campoMensaje() const;

    bool LenguajeMateActivo = false;                  // the LMate switch, written back on close
    QList<QPair<QString, QString>> TablaAbreviaturas; // (word, replacement)
    int CaracteresEscritos = 0;                       // shown in txtcarescritos
    int MaximoCaracteres = 140;                       // the provider's limit, shown in txtmaxcar

public Q_SLOTS:
    // The fields, labels and limit of a provider (null: the defaults shown before one is known).
    void PonerProveedor(const Proveedor *proveedor);
    // Several recipients: the counter checks against the smallest maximum among their
    // providers, and the frame names the provider that sets it.
    void ponerLimiteVarios(int maximo, const QString &proveedor);
    // Writes the message box; its change handler runs as after a user's edit.
    void ponerTextoMensaje(const QString &texto) override;
    void ponerNumero(const QString &codArea, const QString &numero) override;
    void ponerAlias(const QString &alias) override;
    // The sender box's text.
    void ponerRemitente(const QString &remitente);
    // A message taken back from the history: text and sender.
    void reenviar(const QString &mensaje, const QString &remitente) override;
    void habilitarEnvio(bool habilitado);
    void enfocarRemitente() override;
    void enfocarMensaje() override;
    // The alias box when shown, else the area code.
    void enfocarDestino() override;
    // Empties the boxes as "Limpiar" does.
    void limpiar();
    // The counter and its limit check, as after a change of provider.
    void ActualizarContador();
    // The LenguajeMate switch was turned on or off.
    void ponerLenguajeMate(bool activo);
    // The abbreviation switch was ticked (the list is loaded; none defined: the user is
    // offered to define some) or cleared.
    void ponerAbreviaturas(bool marcada);
    // What the abbreviation switch shows, whoever changed it: the text pass follows it.
    void casillaAbreviaturas(bool marcada);
    void CargarAbreviaturas();
    void MostrarAbreviaturas();
    void ExportarAbreviaturas();
    void ImportarAbreviaturas();

Q_SIGNALS:
    // Panel 1 of the status bar: picture and text. Written on every key: the bar skips repeats.
    void estado(int imagen, const QString &texto);
    // Panel 2 ("L-Mate") is enabled only while LenguajeMate is on.
    void panelLMate(bool habilitado);
    // The destination boxes changed: the recipient frame looks the contact up.
    void destinoCambiado();
    // "Enviar Mensaje": the composer's part of the message, captured once.
    void enviar(const MensajeSaliente &mensaje);
    // The abbreviation switch must show ticked or clear: the list was loaded, or found empty.
    void marcarAbreviaturas(bool marcada);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private Q_SLOTS:
    void txtmsj_Change();
    void txtcarescritos_Change();
    void txtCodArea_Change();
    void txtNumero_Change();
    void txtalias_Change();
    void cmdlimpiar_Click();
    void cmdEnviar_Click();
    void cboRemitente_DropDown();
    void cboRemitente_Change();
    void cboRemitente_Click();

private:
    void crearControles();
    void nombrarControles();
    void describirContador();
    void txtCodArea_KeyPress(int &tecla);
    void txtNumero_KeyPress(int &tecla);
    void txtalias_KeyPress(int &tecla);
    void txtCodArea_GotFocus();
    void txtNumero_GotFocus();
    void txtalias_GotFocus();
    void cboRemitente_GotFocus();
    void cboRemitente_KeyPress(int &tecla);
    // The press of "Enviar Mensaje": trims the alias box, then takes the composer's part of the message.
    MensajeSaliente capturar();
    bool teclaEnControl(QObject *control, QKeyEvent *evento);
    void escribirContador(const QString &mensajeCrLf);
    void filtroNumerico(int &tecla, QWidget *siguiente, const QString &aviso);

    Contexto &ctx;
    bool AbreviaturasMarcadas = false; // the abbreviation switch is ticked
#define NTX_CAMPO(tipo, nombre) tipo *nombre = nullptr;
    NTX_CONTROLES_COMPOSICION(NTX_CAMPO)
#undef NTX_CAMPO
};

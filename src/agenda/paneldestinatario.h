// The recipient row of the main window ("Nombre destinatario"): whom the
// destination boxes name, with "Agendar" for a destination not in the address
// book and "Al escritorio" for a contact. It owns its controls; the window
// places it, hands it the recipient to show and listens to its buttons.
#pragma once

#include <QGroupBox>

#include "comun/controles.h"
#include "envio/mensajesaliente.h"

struct Contexto;
class QLabel;
class QPushButton;

// clang-format off
#define NTX_CONTROLES_DESTINATARIO(X) \
    X(QLabel, lblNombreDestinatario) X(QPushButton, cmdAgendar) X(QPushButton, cmdAlEscritorio)
// clang-format on

class PanelDestinatario final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelDestinatario)
public:
    explicit PanelDestinatario(Contexto &ctx, QWidget *padre = nullptr);

    // The label: a contact's name, "(No agendado)" or "(Ninguno)".
    QString nombre() const;
    // The recipient is a contact of the address book ("Agendar" is not available).
    bool agendado() const;
    // The buttons the guided tips point at.
    QPushButton *botonAgendar() const { return cmdAgendar; }
    QPushButton *botonAlEscritorio() const { return cmdAlEscritorio; }

public Q_SLOTS:
    // Shows a recipient: `agendado` with the contact's name, else "(No agendado)", or
    // "(Ninguno)" when the destination boxes shown are empty.
    void MostrarDestinatario(const DestinatarioSaliente &destinatario);

Q_SIGNALS:
    // Either button was pressed, before it acts: the guided tip pointing at them gives way.
    void pulsado();
    // "Agendar": the address book adds the recipient shown.
    void agendar();

private Q_SLOTS:
    void cmdAgendar_Click();
    void cmdAlEscritorio_Click();

private:
    void sinDestinatario(const QString &texto, bool agendarHabilitado);
    void conDestinatario(const QString &nombre);

    Contexto &ctx;
    NTX_CONTROLES_DESTINATARIO(NTX_CONTROLES_CAMPO)
};

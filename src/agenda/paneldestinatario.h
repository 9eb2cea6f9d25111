// The recipient row of the main window ("Nombre destinatario"): whom the
// destination boxes name, with "Agendar" for a destination not in the address
// book and "Al escritorio" for a contact. It owns its controls; the window
// places it, hands it the recipient to show and listens to its buttons.
#pragma once

#include <QGroupBox>

#include <QStringList>

#include "comun/controles.h"
#include "envio/mensajesaliente.h"

struct Contexto;
class QLabel;
class QMenu;
class QPushButton;

// clang-format off
#define NTX_CONTROLES_DESTINATARIO(X) \
    X(QLabel, lblNombreDestinatario) X(QPushButton, cmdAgendar) X(QPushButton, cmdAlEscritorio) \
    X(QPushButton, cmdDestinatarios) X(QMenu, mnuDestinatarios)
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
    // Several recipients ("Para: ..."): their names; empty with one recipient.
    const QStringList &varios() const { return m_varios; }
    // The group they came from, empty when picked one by one.
    const QString &grupo() const { return m_grupo; }

public Q_SLOTS:
    // Shows a recipient: `agendado` with the contact's name, else "(No agendado)", or
    // "(Ninguno)" when the destination boxes shown are empty.
    // With several recipients shown, empty destination boxes leave them; a typed one ends them.
    void MostrarDestinatario(const DestinatarioSaliente &destinatario);
    // Several recipients: "Para: Juan, Ana y 3 más", all of them in the tool tip and in
    // the list of the button beside it, where one can be removed.
    void MostrarVarios(const QStringList &nombres, const QString &grupo);

Q_SIGNALS:
    // Either button was pressed, before it acts: the guided tip pointing at them gives way.
    void pulsado();
    // "Agendar": the address book adds the recipient shown.
    void agendar();
    // The list of several recipients changed (a removal, or it ended): empty when it ended.
    void variosCambiados(const QStringList &nombres);
    // Removals left one recipient: the composer takes that contact the single way.
    void quedaUno(const QString &nombre);

private Q_SLOTS:
    void cmdAgendar_Click();
    void cmdAlEscritorio_Click();
    void cmdDestinatarios_Click();
    void mnuQuitar_Click(const QString &nombre);

private:
    void sinDestinatario(const QString &texto, bool agendarHabilitado);
    void conDestinatario(const QString &nombre);

    void terminarVarios();

    Contexto &ctx;
    NTX_CONTROLES_DESTINATARIO(NTX_CONTROLES_CAMPO)
    QStringList m_varios;
    QString m_grupo;
};

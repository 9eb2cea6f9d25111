// frmCola ("Envío a varios destinatarios"): the small window beside the
// delivery windows of a queue: which message goes out now, the countdown while
// the send-rate windows are full, "Detener", and at the end the summary with
// "Reintentar los no enviados".
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "comun/controles.h"
#include "envio/colaenvio.h"

// clang-format off
#define NTX_CONTROLES_COLA(X) \
    X(QLabel, lblProgreso) X(QLabel, lblEspera) X(QTreeWidget, lvwResumen) X(QPushButton, cmdDetener) \
    X(QPushButton, cmdReintentar) X(QPushButton, cmdCerrar) X(QTimer, timEspera)
// clang-format on

struct ControlesFrmCola
{
    NTX_CONTROLES(NTX_CONTROLES_COLA, ControlesFrmCola)
};

class frmCola final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmCola)
public:
    explicit frmCola(QWidget *padre = nullptr);

    // The message that goes out now.
    void mostrarProgreso(const QString &texto);
    // The countdown; an empty text hides it.
    void mostrarEspera(const QString &texto);
    // Every recipient with its result; the retry is offered while some were not sent.
    void mostrarResumen(const ColaEnvio &cola, bool terminada);

Q_SIGNALS:
    void detener();
    void reintentar();
    void esperaTic();

private Q_SLOTS:
    void cmdDetener_Click();
    void cmdReintentar_Click();
    void cmdCerrar_Click();
    void timEspera_Timer();

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    ControlesFrmCola ui;
    bool m_terminada = false;

    friend class ControladorCola;
};

// The send command of the main window: the send button, the anti-flood
// counters and the hand-over of an accepted message to its provider's delivery
// window.
#pragma once

#include <QObject>
#include <QString>

#include "comun/contexto.h"
#include "envio/principalenvio.h"

class QPushButton;

struct ControlesEnvio
{
    QPushButton *cmdEnviar = nullptr;
};

// What the send command needs of the main window beyond what the delivery
// windows see: the rest of the composer and the recipient frame.
class VentanaEnvio : public PrincipalEnvio
{
public:
    virtual QString alias() const = 0;
    virtual void ponerAlias(const QString &alias) = 0;
    // The alias box is shown instead of the area code and number.
    virtual bool modoAlias() const = 0;
    virtual QString proveedor() const = 0;
    virtual QString carEscritos() const = 0;
    virtual QString maxCar() const = 0;
    virtual QString nombreDestinatario() const = 0;
    // The destination is not in the address book yet ("Agendar" is available).
    virtual bool destinatarioSinAgendar() const = 0;
    virtual void limpiarComposicion() = 0;
};

class ControladorEnvio final : public QObject
{
    Q_OBJECT
public:
    ControladorEnvio(Contexto &ctx, VentanaEnvio &ventana, const ControlesEnvio &controles, QObject *padre = nullptr);

    void cmdEnviar_Click();
    // One minute passed: closes the 2-minute and the 61-minute windows when due.
    void timAnti_Timer();

    // Checks the destination's shape, records who the message goes to, builds the
    // provider's request and shows the provider's delivery window modally.
    void EnviarMensaje(const QString &area, const QString &numero, const QString &remitente, const QString &mensaje,
                       const QString &proveedor);

    qint16 ContadorCorto = 0, ContadorLargo = 0;
    qint16 minutosCorto = 0, minutosLargo = 0;

private:
    Contexto &ctx;
    VentanaEnvio &ventana_;
    ControlesEnvio c;
};

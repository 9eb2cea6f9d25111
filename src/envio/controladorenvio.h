// The send command of the main window: the checks of a message captured at the
// press, the anti-flood counters and the hand-over of an accepted message to its
// provider's delivery window, whose outcome it passes on.
#pragma once

#include <QObject>
#include <QString>

#include "comun/contexto.h"
#include "envio/comandoenviar.h"
#include "envio/mensajesaliente.h"

class QWidget;

// The rate-limit windows it keeps are shared by single sends and queues.
class ControladorEnvio final : public QObject, public LimitesEnvio
{
    Q_OBJECT
public:
    // `dueno` owns the modal delivery windows.
    ControladorEnvio(Contexto &ctx, QWidget *dueno, QObject *padre = nullptr);

    // Runs the checks on the message "Enviar Mensaje" captured and sends it when they pass.
    void Enviar(MensajeSaliente mensaje);
    // One minute passed: closes the 2-minute and the 61-minute windows when due.
    void timAnti_Timer();

    // Checks the destination's shape and shows the provider's delivery window modally.
    // A queue's windows block only the main window, so its own window stays usable.
    void EnviarMensaje(const MensajeSaliente &mensaje, Qt::WindowModality modalidad = Qt::ApplicationModal);

Q_SIGNALS:
    // A rate window refused the message: the composer is cleared.
    void limpiarComposicion();
    // A delivery window ended: delivered or not, with its status text.
    void envioTerminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado);

private:
    Contexto &ctx;
    QWidget *dueno_;
};

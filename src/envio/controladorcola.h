// A message to several recipients: the checks they share run once, a question
// says what will happen, then each recipient's delivery window opens in turn
// (the provider's own window, as for one recipient), waiting where the send-rate
// windows are full. The composer is never cleared; each delivered message reaches
// the history through the send controller's outcome, as a single send does.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

#include "envio/colaenvio.h"
#include "envio/frmcola.h"

struct Contexto;
class ControladorEnvio;
class QWidget;

class ControladorCola final : public QObject
{
    Q_OBJECT
public:
    ControladorCola(Contexto &ctx, ControladorEnvio &envio, QObject *padre = nullptr);
    ~ControladorCola() override;

    // The shared checks, the question, then the first delivery. False when
    // nothing started (a check refused, nobody can receive it, the user said no).
    bool Iniciar(const MensajeSaliente &base, const QList<DestinatarioCola> &destinatarios);
    // Between Iniciar and the summary.
    bool activa() const { return m_activa; }
    // "Detener": the message under way still ends, nothing after it goes out.
    void Detener();

    const ColaEnvio &cola() const { return m_cola; }
    frmCola *ventana() const { return m_ventana.get(); }

    // Opens the delivery window of one message and returns when it closed. Tests
    // stand in for the windows here; the program uses the send controller's.
    std::function<void(const MensajeSaliente &)> entregar;
    // Told before each delivery whether the recipient is still in the address book.
    std::function<bool(const QString &nombre)> sigueEnAgenda;

Q_SIGNALS:
    // Panel 1 of the status bar: the totals at the end.
    void estado(int imagen, const QString &texto);
    // The queue ended (summary shown); a contact handed over meanwhile may go on.
    void terminada();

private:
    void avanzar();
    void programarAvance();
    void esperaTic();
    void reintentar();
    void alTerminarEnvio(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado);
    void terminar();

    Contexto &ctx;
    ControladorEnvio &m_envio;
    ColaEnvio m_cola;
    std::unique_ptr<frmCola> m_ventana;
    bool m_activa = false;
    bool m_entregando = false;
    int m_actual = -1;
    bool m_hayResultado = false;
};

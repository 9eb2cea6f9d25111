// One message to several recipients, delivered one after another: the list, the
// per-recipient checks with the reason a recipient is skipped, the same number
// sent once, the send-rate windows turned into a wait, "Detener", the retry of
// the not-sent and the summary.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "comun/configuracionremota.h"
#include "envio/comandoenviar.h"
#include "envio/mensajesaliente.h"

class Sistema;

// A recipient as the address book gives it. `motivo` set: the contact itself
// cannot be sent to (damaged record, letters in the number...).
struct DestinatarioCola
{
    QString nombre;
    QString proveedor;
    DestinatarioSaliente destino;
    QString motivo;
};

// The smallest maximum among the recipients' known providers and the provider
// that sets it (the first in list order on a tie); 0 and empty when none is known.
struct MaximoCola
{
    int maximo = 0;
    QString proveedor;
};
MaximoCola MenorMaximo(const QList<DestinatarioCola> &destinatarios);

class ColaEnvio
{
public:
    enum class Estado { Pendiente, Enviado, NoEnviado, Cancelado };
    struct Elemento
    {
        MensajeSaliente mensaje;
        Estado estado = Estado::Pendiente;
        QString motivo;       // why not sent: the check, the gateway's answer
        int repetidoDe = -1;  // the element with the same number that is sent instead
        bool enRonda = false; // pending when this round (the first, or a retry) began
    };
    enum class Paso { Enviar, Esperar, Terminada };
    struct Totales
    {
        int enviados = 0, noEnviados = 0, cancelados = 0, pendientes = 0;
    };

    // `reloj` tells the time for the waits; `limites` are the windows single sends count in too.
    ColaEnvio(const Sistema &reloj, LimitesEnvio &limites);

    // One element per recipient, in order, each a copy of `base` (sender, text,
    // count) with its own provider, destination, maximum and alternative server.
    // Runs the recipient checks; a recipient that fails one is not sent, with the reason.
    void preparar(const MensajeSaliente &base, const QList<DestinatarioCola> &destinatarios,
                  const ConfiguracionRemota &config);

    const QList<Elemento> &elementos() const { return m_elementos; }
    // Messages that will go out, and to how many providers.
    int aEnviar() const;
    int proveedores() const;
    // The providers of those messages that the directives report out of service.
    QStringList fueraDeServicio(const ConfiguracionRemota &config) const;
    // The question before the first delivery window.
    QString textoPregunta(const ConfiguracionRemota &config) const;

    // Told before each delivery: false when the recipient is gone from the address book.
    std::function<bool(const QString &nombre)> sigueEnAgenda;

    // The next step. Enviar: `indice` is counted in the rate windows and goes
    // out now. Esperar: nothing fits before `esperaMs` have passed. Terminada:
    // nothing is pending (or the queue was stopped: the rest is cancelled).
    Paso siguiente(int *indice, qint64 *esperaMs = nullptr);
    // The delivery window of `indice` ended with `resultado`.
    void terminar(int indice, const ResultadoEnvio &resultado);
    // Its delivery window was closed without an answer.
    void cancelar(int indice);
    // "Detener": what is still pending is cancelled at the next step.
    void detener() { m_detenida = true; }
    bool detenida() const { return m_detenida; }
    // "Reintentar los no enviados": those whose checks now pass are pending
    // again (a repeated number stays sent once). How many went back.
    int reintentar(const ConfiguracionRemota &config);

    Totales totales() const;
    // "Enviado", "No enviado: <reason>" or "Cancelado".
    static QString textoEstado(const Elemento &elemento);
    // For the status bar.
    QString textoTotales() const;
    // "Mensaje 2 de 5 — Ana (Argentina - Claro)": the position among those that go out.
    QString textoProgreso(int indice) const;
    static QString textoEspera(qint64 esperaMs);

private:
    QString revisar(int indice, const ConfiguracionRemota &config);

    const Sistema &m_reloj;
    LimitesEnvio &m_limites;
    QList<Elemento> m_elementos;
    bool m_detenida = false;
};

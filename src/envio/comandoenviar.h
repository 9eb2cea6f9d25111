// The checks of the send command before a message leaves: the fields, the
// provider's limit, the security directives and the send-rate windows.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "comun/configuracionremota.h"
#include "envio/mensajesaliente.h"
#include "plataforma/dialogos.h"

enum class ResultadoComandoEnviar {
    Enviar,
    Rechazado,        // a message was shown; the composer stays as it was
    RechazadoLimpiar, // refused by a rate window: the composer must be cleared
};

// Runs every check in order, showing each message through `dialogos`.
// Sets mensaje.ServidorAlternativo (empty unless a "pser" entry matches) and
// counts the attempt in `corto` and `largo` once the directives passed.
ResultadoComandoEnviar ValidarComandoEnviar(MensajeSaliente &mensaje, const ConfiguracionRemota &config, qint16 &corto,
                                            qint16 &largo, Dialogos &dialogos);

// Directive matching. Empty positions never match.
bool CoincideNblo(const QStringList &nblo, bool modoAlias, const QString &alias, const QString &codArea,
                  const QString &numero);
// The host of the last matching entry; `encontrado` tells a match with an empty host from none.
QString ServidorDePser(const QStringList &pser, const QString &proveedor, bool *encontrado = nullptr);
bool CoincideProveedor(const QStringList &lista, const QString &proveedor);
int CoincidenciasProveedor(const QStringList &lista, const QString &proveedor);
bool CoincideRemitente(const QStringList &rblo, const QString &remitente);
bool CoincideMensaje(const QStringList &mblo, const QString &mensaje);

enum class LimiteEnvio { Permitido, VentanaCorta, VentanaLarga };
// Counts one attempt: the short window allows 8, the long one 40. The long
// counter is not touched when the short window refuses.
LimiteEnvio ContarEnvio(qint16 &corto, qint16 &largo);

// The two send-rate windows: fixed intervals of 2 and 61 minutes counted by a
// one-minute tick from the main window's start. A queue asks how long until a
// send fits instead of being refused.
struct LimitesEnvio
{
    static constexpr qint16 MaximoCorto = 8;
    static constexpr qint16 MaximoLargo = 40;
    static constexpr qint64 MsMinuto = 60000;

    qint16 ContadorCorto = 0, ContadorLargo = 0;
    qint16 minutosCorto = 0, minutosLargo = 0;
    // When the minute under way began (the last tick, or the start).
    QDateTime inicioMinuto;

    // One minute passed: closes the 2-minute and the 61-minute windows when due.
    void tic(const QDateTime &ahora);
    // One more send fits in both windows now.
    bool cabeOtro() const { return ContadorCorto < MaximoCorto && ContadorLargo < MaximoLargo; }
    // Milliseconds until the window that is full closes again; 0 when one more fits.
    qint64 esperaMs(const QDateTime &ahora) const;
};

// Why one recipient of several cannot be sent to (a blocked recipient or
// provider, a destination of the wrong shape); empty when it can. The texts
// name the check for the summary.
QString MotivoDestinatario(const MensajeSaliente &mensaje, const ConfiguracionRemota &config);

// The checks several recipients share, run once before a queue: sender, text,
// the smallest maximum among their providers (mensaje.maximo), the blocked
// senders and words. Shows the same messages a single send shows.
bool ValidarMensajeComun(const MensajeSaliente &mensaje, const ConfiguracionRemota &config, Dialogos &dialogos);

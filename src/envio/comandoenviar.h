// The checks of the send command before a message leaves: the fields, the
// provider's limit, the security directives and the send-rate windows.
#pragma once

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

// One outgoing message, captured from the composer once when "Enviar Mensaje" is
// pressed and carried unchanged through the checks, the request, the delivery
// window and the history append. A queue of several recipients is a list of these.
#pragma once

#include <QMetaType>
#include <QString>

struct DestinatarioSaliente
{
    // The recipient frame's label: a contact's name, "(No agendado)" or "(Ninguno)".
    QString nombre;
    // A contact of the address book ("Agendar" was not available).
    bool agendado = false;
    // The number boxes as they were, also when the alias box was shown instead.
    QString codArea;
    QString numero;
    QString alias; // already trimmed
    bool modoAlias = false;
};

struct MensajeSaliente
{
    QString ProveedorActual;
    DestinatarioSaliente destinatario;
    QString remitente;
    QString texto;  // CR LF at each line break
    int cuenta = 0; // characters the provider counts, sender included
    int maximo = 0; // the provider's limit
    // The host of a matching "pser" directive, set by the checks; empty: the configured one.
    QString ServidorAlternativo;

    // Area code, blank, number: how the delivery windows quote the destination.
    QString DestinatarioNumero() const { return destinatario.codArea + QLatin1Char(' ') + destinatario.numero; }
    QString DestinatarioAlias() const { return destinatario.alias; }
    // The contact's name; the number when it is not in the address book.
    QString DestinatarioNombre() const { return destinatario.agendado ? destinatario.nombre : DestinatarioNumero(); }
    // The destination the gateway request carries: no area code in alias mode.
    QString codAreaPeticion() const { return destinatario.modoAlias ? QString() : destinatario.codArea; }
    QString numeroPeticion() const { return destinatario.modoAlias ? destinatario.alias : destinatario.numero; }
    // The destination the history records: the alias, or area code and number.
    QString destinoHistorial() const { return destinatario.modoAlias ? destinatario.alias : DestinatarioNumero(); }
};

// How a delivery window ended, for the status bar, the composer and the history.
struct ResultadoEnvio
{
    bool enviado = false;
    QString estado; // panel 1 of the status bar
    // The composer comes back into view (a navigation error leaves it as it is).
    bool mostrarEscritura = true;
};

Q_DECLARE_METATYPE(MensajeSaliente)
Q_DECLARE_METATYPE(ResultadoEnvio)

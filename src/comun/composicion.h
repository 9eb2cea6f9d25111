// What other parts of the main window may ask of the composer, declared below the
// subsystems so that Agenda, Mejoras and Historial reach it without knowing the
// panel. The composer panel implements them; the window hands it to the others.
#pragma once

#include <QString>

// The message box.
class MensajeComposicion
{
public:
    virtual ~MensajeComposicion() = default;
    // The message with CR LF breaks.
    virtual QString textoMensaje() const = 0;
    // Replaces the message and runs its text-change pass (rewrites, counter, limit warning).
    virtual void ponerTextoMensaje(const QString &texto) = 0;
    // Focus to the message box.
    virtual void enfocarMensaje() = 0;
};

// The destination boxes and the sender box.
class DestinoComposicion
{
public:
    virtual ~DestinoComposicion() = default;
    virtual QString codArea() const = 0;
    virtual QString numero() const = 0;
    virtual QString alias() const = 0;
    // The alias box is shown instead of the area code and number.
    virtual bool modoAlias() const = 0;
    // The area code and number boxes are shown.
    virtual bool modoNumero() const = 0;
    virtual void ponerNumero(const QString &codArea, const QString &numero) = 0;
    virtual void ponerAlias(const QString &alias) = 0;
    virtual void enfocarRemitente() = 0;
    virtual void enfocarMensaje() = 0;
};

// A message taken back from the history into the composer.
class ReenvioComposicion
{
public:
    virtual ~ReenvioComposicion() = default;
    // The message box gets the text (CR LF line breaks) and the sender box the sender.
    virtual void reenviar(const QString &mensaje, const QString &remitente) = 0;
    // Focus to the alias box when shown, else the area code.
    virtual void enfocarDestino() = 0;
};

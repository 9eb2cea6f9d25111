// What the history window needs of the main window: to hide and show it and
// own the modal window, whether the composer is up, and the resend into it.
#pragma once

#include <QString>

class QWidget;

class PrincipalHistorial
{
public:
    virtual ~PrincipalHistorial() = default;

    // The main window: owner of the history window, hidden while the store is read or rewritten.
    virtual QWidget *ventana() = 0;
    // The composer panel picEscritura is shown (a provider is chosen).
    virtual bool escrituraVisible() const = 0;
    // txtmsj gets the message (CR LF line breaks) and cboRemitente the sender.
    virtual void reenviar(const QString &mensaje, const QString &remitente) = 0;
    // Focus to txtCodArea, then to txtalias; whichever can take it keeps it. Never fails.
    virtual void enfocarDestino() = 0;
};

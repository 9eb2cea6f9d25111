// The sending module's procedure that hands an accepted message to its
// provider's delivery window.
#pragma once

#include <QString>

class frmBrowser;

// Checks the destination's shape, records who the message goes to, builds the
// provider's request and shows the provider's delivery window modally.
void EnviarMensaje(frmBrowser &principal, const QString &area, const QString &numero, const QString &remitente,
                   const QString &mensaje, const QString &proveedor);

// The main window's history switches and the append from its current state.
#include "historial/historial.h"
#include "shell/frmbrowser.h"

void frmBrowser::chkHistorial_Click()
{
    // Saving is on or off: a click from clear never leaves this box grey.
    if (chkHistorial->checkState() == Qt::PartiallyChecked) {
        const QSignalBlocker bloqueo(chkHistorial);
        chkHistorial->setCheckState(Qt::Checked);
    }
    const bool guardar = chkHistorial->checkState() == Qt::Checked;
    ponerEstado(4, guardar ? QStringLiteral("Guardar mensajes durante esta sesión")
                           : QStringLiteral("No guardar mensajes durante esta sesión"));
    mnuHistorial->setChecked(guardar);
    AvisarCambioHistorial(ctx, this, guardar, HistorialPermanente);
}

void frmBrowser::mnuHistorial_Click()
{
    // The handler runs exactly once whichever check-box signal the window listens to.
    {
        const QSignalBlocker bloqueo(chkHistorial);
        chkHistorial->setChecked(!chkHistorial->isChecked());
    }
    chkHistorial_Click();
}

void GuardarEnHistorial(Contexto &ctx, frmBrowser &principal)
{
    RegistroHistorial registro;
    registro.destinatario = principal.lblNombreDestinatario->text();
    registro.destino = principal.txtalias->isHidden()
                           ? principal.txtCodArea->text() + QLatin1Char(' ') + principal.txtNumero->text()
                           : principal.txtalias->text();
    registro.remitente = principal.cboRemitente->currentText();
    registro.mensaje = principal.textoMensaje();
    registro.proveedor = principal.cboAddress->currentText();
    GuardarEnHistorial(ctx, registro);
}

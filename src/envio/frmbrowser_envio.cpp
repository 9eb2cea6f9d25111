// The send command of the main window and the hand-over to the delivery windows.
#include "envio/comandoenviar.h"
#include "envio/envio.h"
#include "envio/frmverificacion.h"
#include "envio/frmverificacionmovilnet.h"
#include "envio/frmverificacionpersonal.h"
#include "envio/peticiones.h"
#include "envio/principalenvio.h"
#include "envio/proveedores.h"
#include "historial/historial.h"
#include "shell/frmbrowser.h"

namespace {

// The main window as the delivery windows see it.
class PrincipalDeBrowser final : public PrincipalEnvio
{
public:
    explicit PrincipalDeBrowser(frmBrowser &b)
        : b_(b)
    {}
    void ponerEstado(int imagen, const QString &texto) override { b_.ponerEstado(imagen, texto); }
    void mostrarEscritura() override { b_.picEscritura->show(); }
    bool historialMarcado() const override { return b_.chkHistorial->checkState() == Qt::Checked; }
    void guardarEnHistorial() override { GuardarEnHistorial(b_.ctx, b_); }
    QString remitente() const override { return b_.cboRemitente->currentText(); }
    QString mensaje() const override { return b_.textoMensaje(); }
    QString codArea() const override { return b_.txtCodArea->text(); }
    QString numero() const override { return b_.txtNumero->text(); }
    QWidget *ventana() override { return &b_; }

private:
    frmBrowser &b_;
};

} // namespace

void EnviarMensaje(frmBrowser &principal, const QString &area, const QString &numero, const QString &remitente,
                   const QString &mensaje, const QString &proveedor)
{
    Contexto &ctx = principal.ctx;
    const QString cola = TextoCola(ctx.ConfiguracionRemota);

    ctx.envio.ProveedorActual = proveedor;
    ctx.envio.DestinatarioAlias = principal.txtalias->text();
    ctx.envio.DestinatarioNumero = principal.txtCodArea->text() + QLatin1Char(' ') + principal.txtNumero->text();
    ctx.envio.DestinatarioNombre =
        principal.cmdAgendar->isEnabled() ? ctx.envio.DestinatarioNumero : principal.lblNombreDestinatario->text();

    if (proveedor.isEmpty()) {
        ctx.dialogos.mensaje(
            QStringLiteral("Lo sentimos pero NTX Mensajes ha generado un error crítico y deberá ser cerrado "
                           "ahora.\r\n\r\nError de diseño. Por favor, intente reproducir este error (siga los "
                           "mismos pasos) e informe a ntxVarel! del error desde el menú Ayuda, incluya el codigo de "
                           "error. Codigo de error: [cboAddress.Text = \" intentando Enviar]"),
            Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, QStringLiteral("Detección de Errores de ntxVarel!"));
        ctx.sistema.terminarProceso(0);
        return;
    }

    if (!DestinoValido(proveedor, area, numero)) {
        ctx.dialogos.mensaje(QStringLiteral("El número de teléfono ingresado no corresponde a un cliente de ") +
                                 ctx.envio.ProveedorActual,
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return;
    }

    PrincipalDeBrowser vista(principal);
    if (proveedor == Proveedores::Personal) {
        frmVerificacionPersonal ventana(ctx, vista, cola, &principal);
        ventana.exec();
    } else if (proveedor == Proveedores::Claro) {
        frmVerificacion ventana(ctx, vista, &principal);
        ventana.brwVerificacion->navegar(
            DireccionClaro(ctx.direcciones.claro, ConsultaClaro(area, numero, remitente, mensaje, cola)));
        ventana.lblTextoArriba->setText(QStringLiteral("Para poder enviar a este proveedor necesita escribir el "
                                                       "código de verificación que ve más abajo"));
        ventana.exec();
    } else {
        frmVerificacionMovilnet ventana(ctx, vista, &principal);
        ventana.brwVerificacion->navegar(
            DireccionMovilnet(ctx.direcciones.movilnet, ConsultaMovilnet(area, numero, remitente, mensaje, cola)));
        ventana.exec();
    }
}

void frmBrowser::cmdEnviar_Click()
{
    txtalias->setText(txtalias->text().trimmed());

    DatosComandoEnviar datos;
    datos.modoAlias = !txtalias->isHidden();
    datos.alias = txtalias->text();
    datos.codArea = txtCodArea->text();
    datos.numero = txtNumero->text();
    datos.remitente = cboRemitente->currentText();
    datos.mensaje = textoMensaje();
    datos.proveedor = cboAddress->currentText();
    datos.carEscritos = txtcarescritos->text();
    datos.maxCar = txtmaxcar->text();

    switch (
        ValidarComandoEnviar(datos, ctx.ConfiguracionRemota, ctx.envio, ContadorCorto, ContadorLargo, ctx.dialogos)) {
    case ResultadoComandoEnviar::Rechazado:
        return;
    case ResultadoComandoEnviar::RechazadoLimpiar:
        cmdlimpiar_Click();
        return;
    case ResultadoComandoEnviar::Enviar:
        break;
    }

    if (datos.modoAlias)
        EnviarMensaje(*this, QString(), datos.alias, datos.remitente, datos.mensaje, datos.proveedor);
    else
        EnviarMensaje(*this, datos.codArea, datos.numero, datos.remitente, datos.mensaje, datos.proveedor);
}

#include "envio/frmverificacionpersonal.h"

#include <QShortcut>

#include <QKeyEvent>

#include "comun/contexto.h"
#include "comun/valornumerico.h"
#include "envio/codificacion.h"
#include "envio/peticiones.h"
#include "envio/textosverificacion.h"

using namespace TextosVerificacion;

namespace {

const QString kScriptAlerta = QStringLiteral("window.alert=function(alertMsg) {window.status=alertMsg;}");
const QString kMuyLento =
    QStringLiteral("El servidor está respondiendo muy lentamente, por favor espere o intente más tarde...");
const QString kTituloEspera = QStringLiteral("NTX Mensajes: Mensaje en espera");

void sumar(qint16 &contador)
{
    if (contador < 32767)
        ++contador;
}

int desplazamiento(const QString &valor, int defecto)
{
    return valor.isEmpty() ? defecto : static_cast<int>(ValorNumerico(valor));
}

} // namespace

frmVerificacionPersonal::frmVerificacionPersonal(Contexto &ctx, const MensajeSaliente &mensaje,
                                                 const QString &colaTexto, QWidget *padre)
    : QDialog(padre)
    , cola(colaTexto)
    , ctx_(ctx)
    , mensaje_(mensaje)
{
    setModal(true);
    setFixedSize(320, 170);

    ui.lblTextoArriba = new QLabel(QStringLiteral("Escriba el código de verificación para enviar:"), this);
    ui.lblTextoArriba->setGeometry(12, 8, 296, 20);

    // Only the verification image of the gateway page shows through this view.
    ui.brwVerificacion = ctx_.crearVistaWeb(this);
    ui.brwVerificacion->setGeometry(110, 32, 100, 40);

    ui.fraVerificacion = new QFrame(this);
    ui.fraVerificacion->setFrameShape(QFrame::StyledPanel);
    ui.fraVerificacion->setAutoFillBackground(true);
    ui.fraVerificacion->setGeometry(12, 30, 296, 46);
    ui.lblTrabajando = new QLabel(kConectando, ui.fraVerificacion);
    ui.lblTrabajando->setWordWrap(true);
    ui.lblTrabajando->setAlignment(Qt::AlignCenter);
    ui.lblTrabajando->setGeometry(4, 2, 288, 42);
    ui.fraVerificacion->raise();

    ui.lblEscribaaqui = new QLabel(QStringLiteral("Escriba aquí el código que ve arriba:"), this);
    ui.lblEscribaaqui->setGeometry(12, 88, 220, 22);
    ui.txtVerificacion = new QLineEdit(this);
    ui.txtVerificacion->setGeometry(236, 86, 72, 24);
    ui.txtVerificacion->installEventFilter(this);

    ui.cmdEnviar = new QPushButton(QStringLiteral("Enviar"), this);
    ui.cmdEnviar->setGeometry(122, 128, 90, 28);
    ui.cmdEnviar->setEnabled(false);
    ui.cmdEnviar->setAutoDefault(false);
    ui.cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    ui.cmdCancelar->setGeometry(218, 128, 90, 28);
    ui.cmdCancelar->setAutoDefault(false);

    // 30 x 30 twips: present but practically invisible.
    ui.brwEnviaPersonal = ctx_.crearVistaWeb(this);
    ui.brwEnviaPersonal->setGeometry(0, 0, 2, 2);

    ui.timReadyState = new QTimer(this);
    ui.timReadyState->setInterval(500);
    ui.timReadyStateEnvio = new QTimer(this);
    ui.timReadyStateEnvio->setInterval(150);
    ui.nombrar();
    // A screen reader says what to do with the picture; the code itself is only in the picture.
    ui.brwVerificacion->setAccessibleName(QStringLiteral("Imagen del código de verificación"));
    ui.brwVerificacion->setAccessibleDescription(
        QStringLiteral("Escriba en el cuadro de abajo los números que muestra la imagen"));
    ui.lblEscribaaqui->setBuddy(ui.txtVerificacion);
    ui.txtVerificacion->setAccessibleName(QStringLiteral("Código de verificación"));
    ui.txtVerificacion->setAccessibleDescription(ui.lblEscribaaqui->text());
    ui.cmdEnviar->setText(QStringLiteral("&Enviar"));
    ui.cmdCancelar->setText(QStringLiteral("&Cancelar"));

    connect(ui.timReadyState, &QTimer::timeout, this, &frmVerificacionPersonal::timReadyState_Timer);
    connect(ui.timReadyStateEnvio, &QTimer::timeout, this, &frmVerificacionPersonal::timReadyStateEnvio_Timer);
    connect(ui.cmdEnviar, &QPushButton::clicked, this, &frmVerificacionPersonal::cmdEnviar_Click);
    connect(ui.cmdCancelar, &QPushButton::clicked, this, &frmVerificacionPersonal::cmdCancelar_Click);
    connect(ui.brwVerificacion, &VistaWeb::focoRecibido, this, &frmVerificacionPersonal::brwVerificacion_GotFocus);
    connect(ui.brwVerificacion, &VistaWeb::cierreDeVentana, this,
            &frmVerificacionPersonal::brwVerificacion_WindowClosing);
    connect(ui.brwEnviaPersonal, &VistaWeb::documentoCompleto, this,
            &frmVerificacionPersonal::brwEnviaPersonal_DocumentComplete);
    for (VistaWeb *vista : {ui.brwVerificacion, ui.brwEnviaPersonal}) {
        connect(vista, &VistaWeb::errorDeNavegacion, this,
                [this](const QString &direccion, const QString &, int, bool &cancelar) {
                    brw_NavigateError(direccion, cancelar);
                });
    }

    // F5 brings another image, as it would in a browser.
    auto *recargar = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(recargar, &QShortcut::activated, this, &frmVerificacionPersonal::recargarImagen);
    // Nothing leaves the verification page: a new window it asks for is not opened anywhere.
    connect(ui.brwVerificacion, &VistaWeb::nuevaVentana, this, [](const QString &) {});

    Form_Load();
}

void frmVerificacionPersonal::Form_Load()
{
    ui.brwVerificacion->setSilencioso(true);
    ui.brwEnviaPersonal->setSilencioso(true);
    TicksCarga = 0;
    TicksEnvio = 0;
    setWindowTitle(mensaje_.ProveedorActual);
    ui.brwVerificacion->navegar(direccionPasarela());
    ui.timReadyState->start();
}

QString frmVerificacionPersonal::direccionPasarela() const
{
    return DireccionPersonal(ctx_.direcciones.personal, mensaje_.ServidorAlternativo);
}

bool frmVerificacionPersonal::esPasarela(const QString &direccion) const
{
    return EsPaginaPersonal(direccion, ctx_.direcciones.personal, mensaje_.ServidorAlternativo);
}

QString frmVerificacionPersonal::textoServidorLento()
{
    return QStringLiteral(
        "El servidor está respondiendo muy lentamente. \r\r"
        " · Si dispone de una conexión de baja velocidad, como un módem 3G o un módem de marcado, por favor espere "
        "hasta que se complete la carga\r\n"
        " · Envíe el mensaje usando otro servidor de este proveedor (si está disponible)\r\n"
        " · Compruebe si los servicios están funcionando desde el menú Ayuda » Estado de los Servicios\r\n"
        " · Si el error persiste, puede que el servidor esté muy ocupado temporalmente, intente más tarde");
}

void frmVerificacionPersonal::timReadyState_Timer()
{
    ui.brwVerificacion->setSilencioso(true);
    ui.timReadyState->stop();
    sumar(TicksCarga);
    if (TicksCarga == 20)
        ui.lblTrabajando->setText(
            QStringLiteral("La carga está demorando más de lo normal, espere unos instantes más por favor..."));
    if (TicksCarga == 180)
        ctx_.dialogos.mensaje(textoServidorLento(), Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion,
                              kTituloEspera);
    if (cerrada_)
        return;
    if (TicksCarga > 180)
        ui.lblTrabajando->setText(kMuyLento);
    if (ui.brwVerificacion->estadoListo() < 3) {
        ui.timReadyState->start();
        return;
    }
    // Any other page (an error page, a redirect elsewhere) leaves the panel up until the user cancels.
    if (!esPasarela(ui.brwVerificacion->direccion()))
        return;

    CookiePagina = ui.brwVerificacion->cookies();
    ArchivoImagen = ArchivoImagenDe(ui.brwVerificacion->htmlRaiz());
    ui.txtVerificacion->clear();
    const int arriba = desplazamiento(ctx_.ConfiguracionRemota.perx, 425);
    const int izquierda = desplazamiento(ctx_.ConfiguracionRemota.pery, 18);
    ui.brwVerificacion->setDesbordeRaiz(QStringLiteral("hidden"));
    ui.brwVerificacion->setAtributoCuerpo(QStringLiteral("scroll"), QStringLiteral("no"));
    ui.brwVerificacion->setAtributoCuerpo(QStringLiteral("leftMargin"), QStringLiteral("0"));
    ui.brwVerificacion->setAtributoCuerpo(QStringLiteral("topMargin"), QStringLiteral("0"));
    ui.brwVerificacion->setScroll(arriba, izquierda);
    if (ui.brwVerificacion->scrollArriba() == arriba) {
        ui.cmdEnviar->setEnabled(true);
        ui.fraVerificacion->hide();
        ui.txtVerificacion->setFocus();
    } else {
        ui.timReadyState->start(); // not laid out yet
    }
}

void frmVerificacionPersonal::cmdEnviar_Click()
{
    if (ui.txtVerificacion->text().size() != 4) {
        ui.lblEscribaaqui->setText(QStringLiteral("Escriba correctamente el código aquí:"));
        ctx_.sistema.pitido();
        return;
    }
    ui.cmdEnviar->setEnabled(false);
    ui.fraVerificacion->show();
    ui.lblTrabajando->setText(QStringLiteral("Enviando el mensaje, espere por favor..."));
    CuerpoPost = CuerpoPersonal(cola, mensaje_.remitente, mensaje_.texto, mensaje_.destinatario.codArea,
                                mensaje_.destinatario.numero, ArchivoImagen, ui.txtVerificacion->text());
    const QString cabeceras =
        CabecerasPersonal(HostPersonal(ctx_.direcciones.personal, mensaje_.ServidorAlternativo), CookiePagina);
    scrollEnvioAnterior_ = -1;
    ui.brwEnviaPersonal->navegarPost(direccionPasarela(), TextoABytes(CuerpoPost), cabeceras);
    ui.timReadyStateEnvio->start();
}

void frmVerificacionPersonal::timReadyStateEnvio_Timer()
{
    ui.brwEnviaPersonal->setSilencioso(true);
    ui.timReadyStateEnvio->stop();
    sumar(TicksEnvio);
    if (TicksEnvio == 60)
        ui.lblTrabajando->setText(
            QStringLiteral("El envío está demorando más de lo normal, espere unos instantes más por favor..."));
    if (TicksEnvio == 600)
        ctx_.dialogos.mensaje(textoServidorLento(), Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion,
                              kTituloEspera);
    if (cerrada_)
        return;
    if (TicksEnvio > 600)
        ui.lblTrabajando->setText(kMuyLento);
    if (ui.brwEnviaPersonal->estadoListo() < 3) {
        ui.timReadyStateEnvio->start();
        return;
    }
    if (!esPasarela(ui.brwEnviaPersonal->direccion()))
        return;

    const QString html = ui.brwEnviaPersonal->htmlRaiz();
    ui.brwEnviaPersonal->ejecutarScript(kScriptAlerta);
    ui.brwEnviaPersonal->setScroll(100, ui.brwEnviaPersonal->scrollIzquierda());
    const int leido = ui.brwEnviaPersonal->scrollArriba();
    // The answer is laid out when the offset reads back; a page too short to
    // reach it is laid out once the offset stops moving between two polls.
    if (leido != 100 && leido != scrollEnvioAnterior_) {
        scrollEnvioAnterior_ = leido;
        ui.timReadyStateEnvio->start();
        return;
    }

    if (html.contains(QLatin1String("ingresado es incorrecto"), Qt::CaseInsensitive)) {
        ui.brwEnviaPersonal->detener();
        ctx_.dialogos.mensaje(QStringLiteral("El código de verificación ingresado no es el correcto.\r\n"
                                             " · Escriba nuevamente el código de verificación"),
                              Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, mensaje_.ProveedorActual);
        if (cerrada_)
            return;
        ui.fraVerificacion->show();
        ui.lblTrabajando->setText(QStringLiteral("Cambiando imagen de verificación..."));
        ui.cmdEnviar->setEnabled(false);
        ui.brwVerificacion->navegar(direccionPasarela());
        TicksCarga = 0;
        TicksEnvio = 0;
        ui.timReadyState->start();
        return;
    }

    // No success sentence is known: any other answer counts as delivered.
    ui.brwEnviaPersonal->detener();
    cerrar();
    ctx_.dialogos.mensaje(QStringLiteral("Mensaje enviado: El mensaje para ") + mensaje_.DestinatarioNombre() +
                              QStringLiteral(" fue enviado correctamente a la red de Personal"),
                          Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion,
                          mensaje_.ProveedorActual + QStringLiteral(": Mensaje enviado"));
    Q_EMIT terminado(mensaje_,
                     ResultadoEnvio{true, QStringLiteral("Personal: Mensaje ha sido enviado a la red"), true});
}

void frmVerificacionPersonal::recargarImagen()
{
    // While a code is on its way the image stays: the answer decides what comes next.
    if (cerrada_ || ui.timReadyStateEnvio->isActive())
        return;
    ui.fraVerificacion->show();
    ui.lblTrabajando->setText(QStringLiteral("Cambiando imagen de verificación..."));
    ui.cmdEnviar->setEnabled(false);
    ui.brwVerificacion->navegar(direccionPasarela());
    TicksCarga = 0;
    ui.timReadyState->start();
}

void frmVerificacionPersonal::cmdCancelar_Click()
{
    cerrar();
}

void frmVerificacionPersonal::txtVerificacion_KeyPress(int &tecla)
{
    if ((tecla >= '0' && tecla <= '9') || tecla == 8)
        return;
    if (tecla == 13 || tecla == 10) {
        tecla = 0;
        // While the image loads or a code is on its way the button is off: Enter must not post
        // twice, but a short code is still pointed out (that check posts nothing).
        if (ui.cmdEnviar->isEnabled() || ui.txtVerificacion->text().size() != 4)
            cmdEnviar_Click();
        return;
    }
    tecla = 0;
    ui.lblEscribaaqui->setText(QStringLiteral("Escriba solo números aquí:"));
    ctx_.sistema.pitido();
}

void frmVerificacionPersonal::brwVerificacion_GotFocus()
{
    ui.txtVerificacion->setFocus();
}

void frmVerificacionPersonal::brwVerificacion_WindowClosing(bool &cancelar)
{
    cancelar = true;
}

void frmVerificacionPersonal::brwEnviaPersonal_DocumentComplete()
{
    ui.brwEnviaPersonal->ejecutarScript(kScriptAlerta);
}

void frmVerificacionPersonal::brw_NavigateError(const QString &direccion, bool &)
{
    if (cerrada_ || !esPasarela(direccion))
        return;
    cerrar();
    Q_EMIT terminado(mensaje_, ResultadoEnvio{false, kNoEncontrado, false});
    ctx_.dialogos.mensaje(servicioNoEncontrado(mensaje_.ProveedorActual, kPersisteOcupado), Dialogos::Botones::Aceptar,
                          Dialogos::Icono::Critico, kTituloNoEnviado);
}

void frmVerificacionPersonal::cerrar()
{
    cerrada_ = true;
    ui.timReadyState->stop();
    ui.timReadyStateEnvio->stop();
    reject();
}

bool frmVerificacionPersonal::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == ui.txtVerificacion && evento->type() == QEvent::KeyPress) {
        auto *tecla = static_cast<QKeyEvent *>(evento);
        int codigo = 0;
        if (tecla->key() == Qt::Key_Backspace)
            codigo = 8;
        else if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)
            codigo = 13;
        else if (!tecla->text().isEmpty() && tecla->text()[0].isPrint())
            codigo = tecla->text()[0].unicode();
        if (codigo != 0) {
            txtVerificacion_KeyPress(codigo);
            if (codigo == 0)
                return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

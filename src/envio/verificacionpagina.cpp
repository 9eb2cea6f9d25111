#include "envio/verificacionpagina.h"

#include "comun/contexto.h"
#include "envio/textosverificacion.h"

#include <QShortcut>

using namespace TextosVerificacion;

VerificacionPagina::VerificacionPagina(Contexto &ctx, const MensajeSaliente &mensaje, QWidget *padre)
    : QDialog(padre)
    , ctx_(ctx)
    , mensaje_(mensaje)
{
    setWindowTitle(mensaje_.ProveedorActual);
    setModal(true);
    resize(660, 520);

    ui.lblTextoArriba = new QLabel(this);
    ui.lblTextoArriba->setGeometry(12, 8, 636, 22);
    ui.brwVerificacion = ctx_.crearVistaWeb(this);
    ui.brwVerificacion->setGeometry(12, 34, 636, 432);

    ui.fraVerificacion = new QFrame(this);
    ui.fraVerificacion->setFrameShape(QFrame::StyledPanel);
    ui.fraVerificacion->setAutoFillBackground(true);
    ui.fraVerificacion->setGeometry(180, 200, 300, 80);
    ui.lblTrabajando = new QLabel(kConectando, ui.fraVerificacion);
    ui.lblTrabajando->setWordWrap(true);
    ui.lblTrabajando->setAlignment(Qt::AlignCenter);
    ui.lblTrabajando->setGeometry(8, 8, 284, 64);
    ui.fraVerificacion->raise();

    ui.cmdAceptar = new QPushButton(QStringLiteral("Cancelar"), this);
    ui.cmdAceptar->setGeometry(548, 478, 100, 30);
    ui.cmdAceptar->setAutoDefault(false);
    ui.cmdAceptar->setText(QStringLiteral("&Cancelar"));
    ui.nombrar();
    ui.brwVerificacion->setAccessibleName(QStringLiteral("Página de verificación"));
    ui.brwVerificacion->setAccessibleDescription(
        QStringLiteral("Escriba en el cuadro de la página los números que muestra la imagen y presione Enter"));

    connect(ui.cmdAceptar, &QPushButton::clicked, this, &VerificacionPagina::cmdAceptar_Click);
    // A frame of the page navigating later gets no completion of its own: only the page
    // itself puts the panel up, so that a completion always takes it down.
    connect(ui.brwVerificacion, &VistaWeb::antesDeNavegar, this,
            [this](const QString &, const QString &, const QByteArray &, const QString &, bool &, bool marcoPrincipal) {
                if (marcoPrincipal)
                    brwVerificacion_BeforeNavigate2();
            });
    // Nothing leaves the verification page: a new window it asks for is not opened anywhere.
    connect(ui.brwVerificacion, &VistaWeb::nuevaVentana, this, [](const QString &) {});
    // The gateway's wrong-code page tells the user to press F5 for another code.
    auto *recargar = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(recargar, &QShortcut::activated, this, [this] {
        if (!cerrada_)
            ui.brwVerificacion->recargar();
    });
    connect(ui.brwVerificacion, &VistaWeb::errorDeNavegacion, this,
            [this](const QString &, const QString &, int, bool &cancelar) { brwVerificacion_NavigateError(cancelar); });
    connect(ui.brwVerificacion, &VistaWeb::cierreDeVentana, this, &VerificacionPagina::brwVerificacion_WindowClosing);
    connect(ui.brwVerificacion, &VistaWeb::descargaCompleta, this, [this] {
        if (!cerrada_)
            brwVerificacion_DownloadComplete();
    });
}

void VerificacionPagina::navegar(const QString &direccion)
{
    ui.brwVerificacion->navegar(direccion);
}

void VerificacionPagina::setTextoArriba(const QString &texto)
{
    ui.lblTextoArriba->setText(texto);
}

void VerificacionPagina::brwVerificacion_BeforeNavigate2()
{
    if (!cerrada_)
        ui.fraVerificacion->show();
}

void VerificacionPagina::brwVerificacion_NavigateError(bool &)
{
    if (cerrada_)
        return;
    cerrar();
    Q_EMIT terminado(mensaje_, ResultadoEnvio{false, kNoEncontrado, false});
    ctx_.dialogos.mensaje(servicioNoEncontrado(mensaje_.ProveedorActual, kPersisteVersion), Dialogos::Botones::Aceptar,
                          Dialogos::Icono::Critico, kTituloNoEnviado);
}

void VerificacionPagina::brwVerificacion_WindowClosing(bool &cancelar)
{
    cancelar = true;
    cerrar();
}

void VerificacionPagina::cmdAceptar_Click()
{
    cerrar();
}

void VerificacionPagina::mostrarFormulario()
{
    ui.fraVerificacion->hide();
    ui.brwVerificacion->setFocus();
    ui.brwVerificacion->ejecutarScript(
        QStringLiteral("(function () { var c = document.querySelector('form input[type=text], form input:not([type])');"
                       " if (c) c.focus(); })()"));
}

void VerificacionPagina::cerrar()
{
    if (cerrada_)
        return;
    cerrada_ = true;
    ui.brwVerificacion->detener();
    reject();
}

void VerificacionPagina::informarNoEnviado(const QString &estado, const QString &texto, const QString &titulo)
{
    cerrar();
    Q_EMIT terminado(mensaje_, ResultadoEnvio{false, estado, true});
    ctx_.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, titulo);
}

void VerificacionPagina::informarEnviado(const QString &estado, const QString &texto)
{
    cerrar();
    ctx_.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion,
                          mensaje_.ProveedorActual + QStringLiteral(": Mensaje enviado"));
    Q_EMIT terminado(mensaje_, ResultadoEnvio{true, estado, true});
}

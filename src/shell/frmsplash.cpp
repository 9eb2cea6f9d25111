#include "shell/frmsplash.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include "comun/contexto.h"
#include "plataforma/colores.h"
#include "plataforma/imagenes.h"

void VentanaSiempreVisible(QWidget *ventana)
{
    if (!ventana)
        return;
    const QRect lugar = ventana->geometry();
    const bool visible = ventana->isVisible();
    ventana->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // Changing the flags hides a window: put it back where it was, without activating it.
    ventana->setGeometry(lugar);
    if (visible) {
        ventana->setAttribute(Qt::WA_ShowWithoutActivating, true);
        ventana->show();
        ventana->setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

frmSplash::frmSplash(Contexto &contexto, Arranque::MostrarAviso aviso, std::function<QWidget *()> cargarPrincipal,
                     QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , ctx(contexto)
    , m_aviso(std::move(aviso))
    , m_cargarPrincipal(std::move(cargarPrincipal))
{
    setWindowTitle(QStringLiteral("NTX Mensajes"));
    setFixedSize(420, 260);
    setFont(QFont(QStringLiteral("Verdana"), 9));
    // White with its own dark letters under any theme.
    ColoresClarosPropios(this, Qt::white);

    imgLogo = new QLabel(this);
    imgLogo->setGeometry(36, 40, 96, 96);
    imgLogo->setPixmap(ImagenNitida(QStringLiteral(":/iconos/ntx.svg"), QSize(96, 96), this));
    Image1 = new QLabel(this);
    Image1->setGeometry(36, 200, 348, 4);
    Image1->setStyleSheet(QStringLiteral("background-color: rgb(0, 102, 204);"));

    lblCompanyProduct = new QLabel(QStringLiteral("ntx"), this);
    lblCompanyProduct->setGeometry(150, 50, 240, 30);
    QFont empresa(QStringLiteral("Verdana"), 16);
    lblCompanyProduct->setFont(empresa);
    QPalette gris = lblCompanyProduct->palette();
    gris.setColor(QPalette::WindowText, QColor(128, 128, 128));
    lblCompanyProduct->setPalette(gris);

    lblProductName = new QLabel(QStringLiteral("Mensajes"), this);
    lblProductName->setGeometry(150, 80, 240, 44);
    QFont producto(QStringLiteral("Verdana"), 24, QFont::Bold);
    lblProductName->setFont(producto);

    lblVersion = new QLabel(this);
    lblVersion->setGeometry(150, 140, 240, 24);

    timPrecarga.setInterval(10);
    timPrecarga.setSingleShot(true);
    Timer1.setInterval(3000);
    Timer1.setSingleShot(true);
    connect(&timPrecarga, &QTimer::timeout, this, &frmSplash::timPrecarga_Timer);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

bool frmSplash::Form_Load()
{
    lblVersion->setText(Arranque::TextoVersion());
    ctx.sistema.dejarCorrerMensajes();

    if (ctx.sistema.modoSinConexion()) {
        if (m_aviso)
            m_aviso(Arranque::TextoAvisoSinConexion(), QString(), QString());
        ctx.sistema.terminarProceso(0);
        return false;
    }

    darForma(RecortaConRegion(QGuiApplication::platformName()));

    show();
    timPrecarga.start();
    Timer1.start();
    return true;
}

bool frmSplash::RecortaConRegion(const QString &plataforma)
{
    return !plataforma.startsWith(QLatin1String("wayland"));
}

QPainterPath frmSplash::forma() const
{
    QPainterPath camino;
    camino.addRoundedRect(QRectF(0, 0, width(), height()), 30, 30);
    return camino;
}

void frmSplash::darForma(bool porRegion)
{
    // The region keeps clicks off the corners everywhere; only X11 also clips the drawing to it.
    setMask(QRegion(forma().toFillPolygon().toPolygon()));
    esquinasTransparentes = !porRegion;
    if (esquinasTransparentes) {
        // A Wayland compositor always composes: the corners stay transparent and the
        // white is painted rounded (paintEvent).
        setAttribute(Qt::WA_TranslucentBackground);
        setAutoFillBackground(false);
    }
}

void frmSplash::paintEvent(QPaintEvent *evento)
{
    if (esquinasTransparentes) {
        QPainter pintor(this);
        pintor.setRenderHint(QPainter::Antialiasing);
        pintor.fillPath(forma(), palette().color(QPalette::Window));
    }
    QWidget::paintEvent(evento);
}

void frmSplash::timPrecarga_Timer()
{
    timPrecarga.stop();
    if (m_cargarPrincipal)
        principal = m_cargarPrincipal();
    ctx.sistema.dejarCorrerMensajes();
}

void frmSplash::Timer1_Timer()
{
    Timer1.stop();
    ctx.sistema.dejarCorrerMensajes();
    // A modal window (a message of the load) keeps the main window from showing: wait for it.
    if (QApplication::activeModalWidget()) {
        Timer1.start();
        return;
    }
    if (!principal) {
        ++Reintentos;
        if (Reintentos <= 10) {
            Timer1.start();
            return;
        }
        ctx.dialogos.mensaje(Arranque::TextoFalloAlMostrar(ctx.direcciones.sitio), Dialogos::Botones::Aceptar,
                             Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        ctx.sistema.terminarProceso(0);
        return;
    }
    hide();
    principal->show();
    ctx.sistema.dejarCorrerMensajes();
    close();
}

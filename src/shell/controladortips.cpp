#include "shell/controladortips.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include "comun/claves.h"
#include "comun/contexto.h"
#include "comun/valornumerico.h"

namespace {

struct Consejo
{
    const char16_t *titulo;
    const char16_t *texto;
};

constexpr Consejo Consejos[] = {
    {u"Bienvenido a NTX Mensajes", u"Para enviar un mensaje elija un proveedor de esta lista"},
    {u"Escriba el mensaje", u"Ingrese el número de teléfono, su nombre,\r\nescriba el mensaje y presione Enviar"},
    {u"Agende al contacto", u"Haga clic aquí para agendar a este contacto"},
    {u"¡Envíelo al escritorio!", u"Puede guardar este contacto en el escritorio con este botón.\r\n"
                                 u"Haga doble clic en el contacto en el escritorio para enviarle un mensaje."},
};

} // namespace

ControladorTips::ControladorTips(Contexto &contexto, VentanaTips &v, const ControlesTips &controles, QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , ventana(v)
    , c(controles)
{
    Q_ASSERT(c.timToolTips && c.timDestroyToolTips && c.cboAddress && c.txtmsj && c.cmdAgendar && c.cmdAlEscritorio);
    connect(c.timToolTips, &QTimer::timeout, this, &ControladorTips::timToolTips_Timer);
    connect(c.timDestroyToolTips, &QTimer::timeout, this, &ControladorTips::timDestroyToolTips_Timer);
}

int ControladorTips::PasoDe(const QString &valor)
{
    const qint64 n = ValorNumerico(valor);
    if (n < 1)
        return 0;
    if (n <= 3)
        return int(n);
    return -1;
}

int ControladorTips::valorActual() const
{
    return int(qBound(qint64(-1), ValorNumerico(LeerClave(ctx.ajustes, Clave::TTMostrado)), qint64(99)));
}

bool ControladorTips::condicionDelPaso(int paso) const
{
    const bool hayProveedor = !c.cboAddress->currentText().isEmpty();
    switch (paso) {
    case 0:
        return !hayProveedor;
    case 1:
        return hayProveedor && ventana.escrituraVisible();
    case 2:
        return hayProveedor && ventana.escrituraVisible() && c.cmdAgendar->isVisible() && c.cmdAgendar->isEnabled();
    case 3:
        return hayProveedor && ventana.escrituraVisible() && c.cmdAlEscritorio->isVisible() &&
               c.cmdAlEscritorio->isEnabled();
    default:
        return false;
    }
}

void ControladorTips::timToolTips_Timer()
{
    c.timToolTips->stop();
    globo_.Destroy();
    const int paso = PasoDe(LeerClave(ctx.ajustes, Clave::TTMostrado));
    if (paso < 0)
        return;
    // A balloon over a window in the notification area would float alone on the
    // desktop: wait until the window is back, whatever the step.
    if (!ventana.ventanaALaVista()) {
        c.timToolTips->start();
        return;
    }
    if (!condicionDelPaso(paso)) {
        // The welcome tip waits for a restart of the tour; the others try again later.
        if (paso > 0)
            c.timToolTips->start();
        return;
    }
    QWidget *destino = paso == 0   ? static_cast<QWidget *>(c.cboAddress)
                       : paso == 1 ? c.txtmsj
                       : paso == 2 ? static_cast<QWidget *>(c.cmdAgendar)
                                   : static_cast<QWidget *>(c.cmdAlEscritorio);
    const Consejo &consejo = Consejos[paso];
    globo_.setTipText(QString::fromUtf16(consejo.texto));
    globo_.setTitle(QString::fromUtf16(consejo.titulo));
    globo_.setStyle(1);
    globo_.setIcon(1);
    globo_.setPopupOnDemand(true);
    if (globo_.CreateToolTip(destino))
        globo_.Show(0, c.cboAddress->height() - 1, destino);
    c.timDestroyToolTips->start();
}

void ControladorTips::timDestroyToolTips_Timer()
{
    c.timDestroyToolTips->stop();
    const int valor = valorActual();
    // A value that is no step (changed while the tip was up) stops the tour, and
    // the tip goes too: nothing else would ever remove it.
    globo_.Destroy();
    if (valor < 1) {
        EscribirClave(ctx.ajustes, Clave::TTMostrado, QStringLiteral("1"));
        c.timToolTips->start();
    } else if (valor == 1 || valor == 2) {
        EscribirClave(ctx.ajustes, Clave::TTMostrado, QString::number(valor + 1));
        c.timToolTips->start();
    } else if (valor == 3) {
        EscribirClave(ctx.ajustes, Clave::TTMostrado, QStringLiteral("4"));
        c.timToolTips->stop();
    } else if (valor == 4) {
        c.timToolTips->stop();
    } else {
        EscribirClave(ctx.ajustes, Clave::TTMostrado, QStringLiteral("0"));
        c.timToolTips->stop();
    }
}

void ControladorTips::CerrarGlobo()
{
    globo_.Destroy();
}

void ControladorTips::ReiniciarTips()
{
    // A tip still up belongs to the tour that is being restarted.
    globo_.Destroy();
    BorrarClaveSiExiste(ctx.ajustes, Clave::TTMostrado);
    c.timToolTips->start();
    c.timDestroyToolTips->stop();
}

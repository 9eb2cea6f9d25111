#include "shell/iconobandeja.h"

#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>

#include "plataforma/sistema.h"

namespace {

constexpr int PasoEspera = 50;

bool IconoUbicado(const QSystemTrayIcon &icono)
{
    const QRect lugar = icono.geometry();
    return lugar.isValid() && !lugar.topLeft().isNull();
}

} // namespace

void QuitarIconoBandejaDespues(QSystemTrayIcon *icono)
{
    if (!icono)
        return;
    QPointer<QSystemTrayIcon> p(icono);
    QMetaObject::invokeMethod(
        icono,
        [p] {
            if (!p)
                return;
            p->hide();
            p->deleteLater();
        },
        Qt::QueuedConnection);
}

void MostrarGloboBandeja(QSystemTrayIcon *icono, const QString &titulo, const QString &texto, int msVisible,
                         int msEspera)
{
    if (!icono || !icono->isVisible())
        return;
    if (msEspera <= 0 || IconoUbicado(*icono)) {
        icono->showMessage(titulo, texto, QSystemTrayIcon::Information, msVisible);
        return;
    }
    // Bound to the icon: an icon removed meanwhile shows nothing.
    QTimer::singleShot(PasoEspera, icono, [icono, titulo, texto, msVisible, msEspera] {
        MostrarGloboBandeja(icono, titulo, texto, msVisible, msEspera - PasoEspera);
    });
}

void AvisarSinBandeja(Sistema &sistema, bool *avisado)
{
    if (*avisado)
        return;
    *avisado = true;
    sistema.notificar(QStringLiteral("NTX Mensajes"),
                      QStringLiteral("Este escritorio no tiene área de notificación: NTX Mensajes quedó minimizado "
                                     "en la barra de tareas."),
                      10000);
}

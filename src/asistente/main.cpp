// ntxasistente: the first-run wizard. Links the nucleus and the widget services only.
#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "asistente/frmasistente1.h"
#include "plataforma/ajustessqlite.h"
#include "plataforma/dialogosqt.h"
#include "plataforma/fuentes.h"
#include "plataforma/instanciaunicareal.h"
#include "plataforma/sistemareal.h"
#include "plataforma/teclado.h"
#include "plataforma/traduccionesqt.h"

namespace {

int tuberiaSenal[2] = {-1, -1};

void AlRecibirSenal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto escrito = ::write(tuberiaSenal[0], &c, 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("NTX"));
    app.setWindowIcon(QIcon(QStringLiteral(":/iconos/ntx.svg")));
    // The Wayland application id: a dock groups the window with this desktop entry.
    app.setDesktopFileName(QStringLiteral("ar.com.ntxvarel.mensajes.asistente"));
    instalarTraduccionesQt(app, {QStringLiteral("qtbase")});
    PrepararFuentes();
    // Whatever style the desktop or -style chose, the focus shows from the first moment.
    app.setStyle(new EstiloFocoVisible(app.style()->name()));

    AjustesSqlite ajustes;
    DialogosQt dialogos;
    SistemaReal sistema;
    InstanciaUnicaReal instancia;

    frmAsistente1 ventana({ajustes, dialogos, sistema, instancia});

    // A request to end (logout, kill) closes the window the way its close box does.
    // Installed before the mutex is taken, so no such request can end the wizard half-way.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, tuberiaSenal) == 0) {
        auto *aviso = new QSocketNotifier(tuberiaSenal[1], QSocketNotifier::Read, &app);
        QObject::connect(aviso, &QSocketNotifier::activated, &ventana, [&ventana, aviso] {
            char c = 0;
            [[maybe_unused]] const auto leido = ::read(tuberiaSenal[1], &c, 1);
            aviso->setEnabled(false);
            ventana.close();
        });
        struct sigaction accion = {};
        accion.sa_handler = AlRecibirSenal;
        sigemptyset(&accion.sa_mask);
        accion.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &accion, nullptr);
        sigaction(SIGINT, &accion, nullptr);
    }

    ventana.Form_Load();
    ventana.show();
    return app.exec();
}

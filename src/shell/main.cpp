// The client: builds the services and the module state, then runs the start-up
// (single instance, first run, installation checks, splash, main window).
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QtWebEngineCore/qtwebenginecoreversion.h>

#include "comun/contexto.h"
#include "plataforma/ajustessqlite.h"
#include "plataforma/dialogosqt.h"
#include "plataforma/fuentes.h"
#include "plataforma/instanciaunicareal.h"
#include "plataforma/sistemareal.h"
#include "plataforma/teclado.h"
#include "plataforma/traduccionesqt.h"
#include "plataforma/vistawebperfil.h"
#include "shell/arranque.h"
#include "shell/frmdialog.h"
#include "shell/inicio.h"

int main(int argc, char *argv[])
{
    // The ntx:// scheme must be known before the application object exists.
    registrarEsquemaNtx();
    compartirProcesosMotor();
    QApplication aplicacion(argc, argv);
    aplicacion.setQuitOnLastWindowClosed(false);
    // Every window, message boxes included, shows the program's icon.
    aplicacion.setWindowIcon(QIcon(QStringLiteral(":/iconos/ntx.svg")));
    // The Wayland application id: a dock groups the windows with this desktop entry.
    aplicacion.setDesktopFileName(QStringLiteral("ar.com.ntxvarel.mensajes"));
    instalarTraduccionesQt(aplicacion, {QStringLiteral("qtbase"), QStringLiteral("qtwebengine")});
    PrepararFuentes();
    // Whatever style the desktop or -style chose, the focus shows from the first moment.
    aplicacion.setStyle(new EstiloFocoVisible(aplicacion.style()->name()));

    AjustesSqlite ajustes;
    DialogosQt dialogos;
    // Told once the event loop runs, never in the middle of the read or write that found it.
    ajustes.alRecuperar = [&ajustes, &dialogos] {
        QTimer::singleShot(0, qApp, [&ajustes, &dialogos] {
            dialogos.mensaje(Arranque::TextoAlmacenRecuperado(ajustes.archivoApartado(), ajustes.valoresRescatados()),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        });
    };
    SistemaReal sistema;
    sistema.setVersionMotorWeb(QTWEBENGINECORE_VERSION >> 16);
    InstanciaUnicaReal instancia;
    AvisosVentana avisos;
    Contexto ctx{ajustes, dialogos, sistema, instancia, avisos, fabricaVistaWebMotor()};
    ctx.crearLectorPagina = fabricaVistaWebRed();
    avisos.ctx = &ctx;

    Inicio inicio(ctx);
    if (!inicio.Iniciar())
        return 0;
    return aplicacion.exec();
}

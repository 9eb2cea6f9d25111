#include "shell/inicio.h"

#include "historial/historial.h"
#include "shell/frmbrowser.h"
#include "shell/frmdialog.h"
#include "shell/frmsplash.h"
#include "shell/frmwindowmessage.h"

Inicio::Inicio(Contexto &contexto)
    : ctx(contexto)
{}

Inicio::~Inicio()
{
    // The receiver refers to the main window: it goes first.
    receptora.reset();
    principal.reset();
    splash.reset();
}

void Inicio::MostrarAviso(const QString &texto, const QString &enlace, const QString &direccion)
{
    frmDialog::Mostrar(ctx, nullptr, texto, QString(), enlace, direccion);
}

bool Inicio::Iniciar()
{
    const auto aviso = [this](const QString &texto, const QString &enlace, const QString &direccion) {
        MostrarAviso(texto, enlace, direccion);
    };
    Arranque::Servicios servicios{ctx.ajustes, ctx.sistema, ctx.instancia, ctx.dialogos, aviso, ctx.direcciones.sitio};
    resultado = Arranque::Verificar(servicios);
    if (resultado != Arranque::Resultado::Continuar)
        return false;
    // No other client runs now: whatever a killed one left half written is stale.
    QuitarTemporalesHistorial(ctx);
    splash = std::make_unique<frmSplash>(ctx, aviso, [this]() -> QWidget * { return CargarPrincipal(); });
    return splash->Form_Load();
}

frmBrowser *Inicio::CargarPrincipal()
{
    principal = std::make_unique<frmBrowser>(ctx);
    frmSplash *presentacion = splash.get();
    principal->ocultarPresentacion = [presentacion] {
        if (presentacion)
            presentacion->hide();
    };
    if (!principal->Form_Load())
        return nullptr;
    receptora = std::make_unique<frmWindowMessage>(ctx, *principal);
    if (!receptora->escuchando) {
        QString texto = QStringLiteral("No se pudo crear la ventana que recibe los pedidos de otras ejecuciones "
                                       "del programa.");
        const QString causa = ctx.instancia.ultimoError();
        if (!causa.isEmpty())
            texto += QLatin1Char(' ') + causa;
        principal->ErrorAlInicializar(texto);
        return nullptr;
    }
    return principal.get();
}

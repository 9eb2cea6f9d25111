#include "shell/controladorayuda.h"
#include "comun/imagenestado.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>

#include "comun/contexto.h"
#include "plataforma/teclado.h"
#include "shell/frmacercadentx.h"

QString DireccionRedireccion(const Direcciones &direcciones, int id)
{
    return direcciones.sitio + QStringLiteral("/ir/?id=") + QString::number(id);
}

QString SitioFabricante(const Direcciones &direcciones)
{
    return direcciones.sitio + QLatin1Char('/');
}

QString SitioAutor(const Direcciones &direcciones)
{
    return direcciones.sitio + QStringLiteral("/autor/");
}

ControladorAyuda::ControladorAyuda(Contexto &contexto, VentanaAyuda &v, const ControlesAyuda &controles, QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , ventana(v)
    , c(controles)
{
    const struct
    {
        QAction *accion;
        void (ControladorAyuda::*manejador)();
    } acciones[] = {
        {c.mnuAyudaWeb, &ControladorAyuda::mnuAyudaWeb_Click},
        {c.mnuAyudaHistoria, &ControladorAyuda::mnuAyudaHistoria_Click},
        {c.mnuEstadoServicios, &ControladorAyuda::mnuEstadoServicios_Click},
        {c.mnuntxvarelcomar, &ControladorAyuda::mnuntxvarelcomar_Click},
        {c.MnuAyudantxVarelAutor, &ControladorAyuda::MnuAyudantxVarelAutor_Click},
        {c.mnuforosdentx, &ControladorAyuda::mnuforosdentx_Click},
        {c.mnuAyudaComentarios, &ControladorAyuda::mnuAyudaComentarios_Click},
        {c.mnuAcercade, &ControladorAyuda::mnuAcercade_Click},
        {c.mnuntxGeo, &ControladorAyuda::mnuntxGeo_Click},
        {c.mnuAsistenteConfiguracion, &ControladorAyuda::mnuAsistenteConfiguracion_Click},
    };
    for (const auto &a : acciones) {
        if (!a.accion)
            continue;
        a.accion->setEnabled(true);
        connect(a.accion, &QAction::triggered, this, a.manejador);
    }
    if (c.lblBuscarEmpresa) {
        c.lblBuscarEmpresa->setEnabled(true);
        c.lblBuscarEmpresa->setCursor(Qt::PointingHandCursor);
        c.lblBuscarEmpresa->installEventFilter(this);
        HacerEnlaceDeTeclado(c.lblBuscarEmpresa, QStringLiteral("Busca el proveedor del número escrito"));
    }
}

void ControladorAyuda::abrir(const QString &direccion)
{
    // The browser is started and not watched: a failure is not reported.
    ctx.sistema.abrirEnNavegador(direccion);
}

void ControladorAyuda::mnuAyudaWeb_Click()
{
    abrir(DireccionRedireccion(ctx.direcciones, Redireccion::Ayuda));
}

void ControladorAyuda::mnuAyudaHistoria_Click()
{
    ventana.mostrarEscritura(false);
    Q_EMIT navegarAreaPrincipal(QStringLiteral("file://") + ctx.sistema.carpetaPrograma() +
                                QStringLiteral("/logica/historia.htm"));
    ventana.limpiarProveedor();
    Q_EMIT mostrarAreaPrincipal(true);
}

void ControladorAyuda::mnuEstadoServicios_Click()
{
    ventana.ponerEstado(ImagenListo, QStringLiteral("Listo"));
    ventana.limpiarProveedor();
    ventana.mostrarEscritura(false);
    Q_EMIT navegarAreaPrincipal(DireccionRedireccion(ctx.direcciones, Redireccion::EstadoServicios));
    // With the composer hidden the main area must show, or the window would show neither.
    Q_EMIT mostrarAreaPrincipal(true);
}

void ControladorAyuda::mnuntxvarelcomar_Click()
{
    abrir(SitioFabricante(ctx.direcciones));
}

void ControladorAyuda::MnuAyudantxVarelAutor_Click()
{
    abrir(SitioAutor(ctx.direcciones));
}

void ControladorAyuda::mnuforosdentx_Click()
{
    abrir(DireccionRedireccion(ctx.direcciones, Redireccion::Foros));
}

void ControladorAyuda::mnuAyudaComentarios_Click()
{
    ctx.avisos.mostrar(ventana.ventana(),
                       QStringLiteral("Si necesita ayuda, enviar una sugerencia o reportar un error, por favor vaya "
                                      "a los foros de ntxVarel! desde el menú Ayuda."),
                       QString(), QStringLiteral("Haga clic aquí para enviar un comentario a ntxVarel!"),
                       DireccionRedireccion(ctx.direcciones, Redireccion::Comentarios));
}

void ControladorAyuda::mnuAcercade_Click()
{
    frmacercadentx acerca(ctx, ventana.ventana());
    acerca.exec();
}

void ControladorAyuda::lblBuscarEmpresa_Click()
{
    abrir(DireccionRedireccion(ctx.direcciones, Redireccion::DetectarProveedor));
}

void ControladorAyuda::mnuntxGeo_Click()
{
    lblBuscarEmpresa_Click();
}

void ControladorAyuda::mnuAsistenteConfiguracion_Click()
{
    const QString titulo = QStringLiteral("NTX Mensajes - Asistente");
    const Dialogos::Respuesta respuesta = ctx.dialogos.mensaje(
        QStringLiteral("NTX Mensajes debe cerrarse un momento mientras se ejecuta el Asistente para la "
                       "configuración.\r\n\r\n¿Continuar ejecutando el Asistente para la configuración de NTX "
                       "Mensajes?"),
        Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, titulo);
    if (respuesta != Dialogos::Respuesta::Si)
        return;
    // No arguments: the wizard starts the client again when it closes.
    if (ctx.sistema.iniciarPrograma(QStringLiteral("ntxasistente"))) {
        ctx.sistema.terminarProceso(0);
        return;
    }
    QString error = ctx.sistema.ultimoError();
    if (error.isEmpty())
        error = QStringLiteral("No se encontró el programa ntxasistente o no se lo pudo ejecutar.");
    ctx.dialogos.mensaje(QStringLiteral("No se pudo iniciar el Asistente para la configuración, debe reinstalar NTX "
                                        "Mensajes.\r\n\r\nError: ") +
                             error,
                         Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, titulo);
}

bool ControladorAyuda::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == c.lblBuscarEmpresa && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton) {
        lblBuscarEmpresa_Click();
        return true;
    }
    if (objeto == c.lblBuscarEmpresa && EsActivarPorTeclado(evento)) {
        lblBuscarEmpresa_Click();
        return true;
    }
    return QObject::eventFilter(objeto, evento);
}

#include "comando/ejecutorcomandos.h"

#include "comando/comandos.h"
#include "comando/principalcomando.h"
#include "comun/claves.h"
#include "comun/contexto.h"
#include "comun/imagenestado.h"

#include <QDir>

EjecutorComandos::EjecutorComandos(Contexto &ctx_, PrincipalComando &principal_, NavegadorComando &navegador_,
                                   QObject *padre)
    : QObject(padre)
    , ctx(ctx_)
    , principal(principal_)
    , navegador(navegador_)
{}

bool EjecutorComandos::atenderNavegacion(const QString &direccion, const QString &paginaActual, bool marcoPrincipal)
{
    if (!EsEnlaceComando(direccion))
        return false;
    if (ComandoPermitido(paginaActual, marcoPrincipal, ctx.direcciones))
        EjecutarComando(direccion);
    return true;
}

void EjecutorComandos::mnuBuscarActualizacion_Click()
{
    EjecutarComando(QStringLiteral("ntx://actua/F"));
}

void EjecutorComandos::EjecutarComando(const QString &enlace)
{
    using Tipo = OrdenComando::Tipo;
    const OrdenComando orden = AnalizarComando(enlace);
    const auto informar = [this](const QString &texto, const QString &titulo) {
        ctx.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, titulo);
    };
    if (!orden.errorSintaxis.isEmpty()) {
        ctx.dialogos.mensaje(orden.errorSintaxis, Dialogos::Botones::Aceptar, Dialogos::Icono::Critico,
                             TituloMotorComandos);
        return;
    }
    switch (orden.tipo) {
    case Tipo::NoEsComando:
        ctx.dialogos.mensaje(QStringLiteral("Error interno. NTX Mensajes ha mal interpretado una orden de comando "
                                            "interno. Por favor, informe a ") +
                                 NombreSitioFabricante +
                                 QStringLiteral(" de este error desde el menú Ayuda, indicando los pasos necesarios "
                                                "para repetirlo.\r\nNTX Mensajes no puede continuar y se cerrará "
                                                "ahora."),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, TituloErrorMotorComandos);
        ctx.sistema.terminarProceso(0);
        return;
    case Tipo::Desconocido:
        return;
    case Tipo::Cusar:
        reiniciarGuias();
        return;
    case Tipo::Sales:
        ctx.dialogos.mensaje(QStringLiteral("NTX Mensajes ha recibido la orden de cerrarse"),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, TituloMotorComandos);
        ctx.sistema.terminarProceso(0);
        return;
    case Tipo::Salem:
        informar(orden.primero, TituloMotorComandos);
        ctx.sistema.terminarProceso(0);
        return;
    case Tipo::Mnsje:
        informar(orden.primero + QStringLiteral("\r\n") + orden.segundo, TituloMotorComandos);
        return;
    case Tipo::Princ:
    case Tipo::Notic:
        navegador.encenderIndicador();
        principal.limpiarProveedor();
        principal.mostrarEscritura(false);
        navegador.mostrarNavegador(true);
        navegador.navegarNavegador(orden.tipo == Tipo::Princ ? PaginaInicio(ctx.direcciones)
                                                             : PaginaAvisos(ctx.direcciones));
        return;
    case Tipo::Actua:
        navegador.encenderIndicador();
        principal.mostrarEscritura(false);
        navegador.mostrarNavegador(true);
        navegador.navegarNavegador(PaginaComprobarVersion(ctx.direcciones));
        return;
    case Tipo::Naveg:
        navegador.navegarNavegador(DireccionConEsquemaDelSitio(ctx.direcciones, orden.primero));
        return;
    case Tipo::Panel:
        if (navegador.navegadorVisible() && !principal.escrituraVisible() && principal.hayProveedor()) {
            navegador.mostrarNavegador(false);
            principal.mostrarEscritura(true);
        }
        return;
    case Tipo::Actdw:
        actualizar(orden.primero, orden.segundo, frmActualizar::ModoNormal);
        return;
    case Tipo::Actdf: {
        // The page that brought the link has done its part: the status tells what is asked now.
        Q_EMIT estado(ImagenAviso, TextoEstadoPregunta);
        const Dialogos::Respuesta r = ctx.dialogos.mensaje(
            QStringLiteral("Debe actualizar su versión de NTX Mensajes para poder continuar\r\n\r\n¿Desea descargar la "
                           "nueva versión de NTX Mensajes ahora?"),
            Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, Dialogos::tituloPrograma());
        if (r != Dialogos::Respuesta::Si) {
            informar(QStringLiteral("Ha decidido no actualizar NTX Mensajes ahora. Deberá actualizar NTX Mensajes para "
                                    "poder enviar mensajes.\r\nPodrá actualizar NTX Mensajes iniciando el programa de "
                                    "nuevo o visitando el sitio web de ntxVarel! (") +
                         ctx.direcciones.sitio +
                         QStringLiteral(") y descargar la última versión.\r\n\r\nNTX Mensajes se cerrará ahora."),
                     Dialogos::tituloPrograma());
            ctx.sistema.terminarProceso(0);
            return;
        }
        actualizar(orden.primero, orden.segundo, frmActualizar::ModoForzar);
        return;
    }
    }
}

void EjecutorComandos::reiniciarGuias()
{
    ctx.dialogos.mensaje(QStringLiteral("NTX Mensajes le mostrará a continuación los sencillos pasos que debe seguir "
                                        "para usar enviar un mensaje.\r\n\r\nPor favor preste atención a los globos de "
                                        "texto que aparecerán a continuación, éstos le indicarán dónde y cómo seguir."),
                         Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, Dialogos::tituloPrograma());
    BorrarClaveSiExiste(ctx.ajustes, Clave::TTMostrado);
    Q_EMIT guiasReiniciadas();
}

void EjecutorComandos::actualizar(const QString &direccion, const QString &tamano, const QString &modo)
{
    // One download at a time: a second offer while one runs would fight over the same file.
    if (actualizacion_ && actualizacion_->descargando())
        return;
    QString carpeta = ctx.sistema.carpetaEspecial(Sistema::CarpetaDatosLocales);
    if (!carpeta.isEmpty() && !carpeta.endsWith(QLatin1Char('/')))
        carpeta += QLatin1Char('/');
    QDir().mkpath(carpeta);
    principal.ocultarVentana();
    if (actualizacion_)
        actualizacion_->deleteLater();
    auto *ventana = new frmActualizar(ctx);
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    actualizacion_ = ventana;
    connect(ventana, &frmActualizar::cerrado, this, [this] {
        Q_EMIT estado(ImagenListo, QStringLiteral("Listo"));
        principal.mostrarVentana();
    });
    ventana->setModo(modo);
    Q_EMIT estado(ImagenConectando, TextoEstadoDescarga);
    ventana->show();
    const QString url = DireccionConEsquemaDelSitio(ctx.direcciones, direccion);
    ventana->descargar(url, carpeta + NombreArchivoInstalador(url), TamanoAnunciado(tamano));
}

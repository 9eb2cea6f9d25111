// The message store operations as the windows use them: paths from the special
// folders, failures turned into the program's message boxes.
#include "historial/historial.h"

#include <QFile>
#include <QFileInfo>

#include "comun/claves.h"
#include "comun/contexto.h"

namespace {

void critico(Contexto &ctx, const QString &texto)
{
    ctx.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
}

} // namespace

QString CarpetaEspecial(const Sistema &sistema, qint16 identificador)
{
    QString carpeta = sistema.carpetaEspecial(identificador);
    const qsizetype cero = carpeta.indexOf(QChar(0));
    if (cero >= 0) {
        carpeta.truncate(cero);
    }
    while (carpeta.endsWith(QLatin1Char('/'))) {
        carpeta.chop(1);
    }
    return carpeta + QLatin1Char('/');
}

QString RutaHistorial(const Sistema &sistema)
{
    QString base = CarpetaEspecial(sistema, Sistema::CarpetaDatosLocales);
    if (base.trimmed().size() < 4) {
        base = sistema.carpetaPrograma() + QLatin1Char('/');
    }
    return base + QStringLiteral("NTX/Mensajes/Historial.ntxhist");
}

QString RutaHistorial(const Contexto &ctx)
{
    return RutaHistorial(ctx.sistema);
}

void QuitarTemporalesHistorial(const Contexto &ctx)
{
    const QFileInfo temporal(almacen_historial::nombreTemporal(RutaHistorial(ctx)));
    // Only a plain file of ours: a link there is not followed.
    if (temporal.isFile() && !temporal.isSymLink())
        QFile::remove(temporal.filePath());
}

void GuardarEnHistorial(Contexto &ctx, const RegistroHistorial &registro)
{
    RegistroHistorial conFecha = registro;
    conFecha.fecha = ctx.sistema.ahora();
    ErrorHistorial error;
    if (almacen_historial::agregar(RutaHistorial(ctx), conFecha, conFecha.fecha, &error)) {
        return;
    }
    const QString cabecera = QStringLiteral("Error al intentar guardar el mensaje en el almacén de mensajes enviados");
    if (error.numero == 75) {
        critico(ctx,
                cabecera + QStringLiteral("\r\n\r\nOcurrió un error al acceder al almacén. Compruebe que tenga los "
                                          "permisos suficientes para ejecutar programas. Para no mostrar más este "
                                          "mensaje de error, desactive el almacén de mensajes enviados dentro de las "
                                          "Preferencias del menú Archivo."));
    } else {
        critico(ctx, cabecera + QStringLiteral("\r\n\r\nError ") + QString::number(error.numero) +
                         QStringLiteral(": ") + error.descripcion +
                         QStringLiteral("\r\n\r\nPara no mostar más este mensaje de error, desactive el almacén de "
                                        "mensajes enviados dentro de las Preferencias del menú Archivo."));
    }
}

qint16 LeerHistorial(Contexto &ctx, almacen_historial::HistorialIndexado &historial)
{
    // 100,000 records index in a few milliseconds: no need to stop for events
    // while reading, only after.
    const EstadoHistorial estado = historial.leer(RutaHistorial(ctx));
    ctx.sistema.dejarCorrerMensajes();
    return estado;
}

bool BorrarRegistroHistorial(Contexto &ctx, int k)
{
    if (almacen_historial::borrarRegistro(RutaHistorial(ctx), k, nullptr)) {
        return true;
    }
    critico(ctx, QStringLiteral("Error al tener acceso al almacén. Imposible eliminar elemento."));
    return false;
}

bool BorrarHistorial(Contexto &ctx)
{
    ErrorHistorial error;
    if (almacen_historial::borrarTodo(RutaHistorial(ctx), &error)) {
        return true;
    }
    critico(ctx, QStringLiteral("Error al elimar los mensajes. La operación no se pudo completar.\r\n\r\nError: ") +
                     QLatin1Char(' ') + QString::number(error.numero) + QLatin1Char(' ') + error.descripcion);
    return false;
}

void RepararHistorial(Contexto &ctx)
{
    const auto respuesta = ctx.dialogos.mensaje(
        QStringLiteral("El proceso de reparación del almacén de mensajes borrará todos los mensajes guardados en él. "
                       "Sólo debería intentar reparar el almacén si recibe un error al intentar guardar o leer los "
                       "mensajes del historial.\r\n\r\n¿Está seguro de querer proceder?"),
        Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, Dialogos::tituloPrograma(), Dialogos::Respuesta::No);
    if (respuesta == Dialogos::Respuesta::No) {
        return;
    }
    if (almacen_historial::borrarTodo(RutaHistorial(ctx), nullptr)) {
        ctx.dialogos.mensaje(
            QStringLiteral("El almacén ha sido reparado satisfactoriamente. Intente acceder al mismo nuevamente."),
            Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, Dialogos::tituloPrograma());
    } else {
        critico(ctx, QStringLiteral("Error reparando el almacén. La operación no se pudo completar con éxito. Puede "
                                    "que el almacén esté vacío."));
    }
}

void AvisarCambioHistorial(Contexto &ctx, QWidget *dueno, bool guardar, bool historialPermanente)
{
    if (guardar == historialPermanente) {
        return;
    }
    if (LeerClaveBooleana(ctx.ajustes, Clave::TipHistorialNoMas)) {
        return;
    }
    const QString texto =
        guardar ? QStringLiteral("NTX Mensajes guardará los mensajes que escriba a partir de ahora. Esta opción será "
                                 "recordada solo hasta que cierre el programa.\r\nSi quiere activar el guardado de "
                                 "mensajes enviados en forma permanente vaya a las Preferencias dentro del menú "
                                 "Archivo y active la opción de Guardar siempre los mensajes enviados.")
                : QStringLiteral("NTX Mensajes no guardará los mensajes que escriba a partir de ahora. Esta opción "
                                 "será recordada solo hasta que cierre el programa.\r\nSi quiere desactivar el "
                                 "guardado de mensajes enviados en forma permanente vaya a las Preferencias dentro "
                                 "del menú Archivo y desactive la opción de Guardar siempre los mensajes enviados.");
    ctx.avisos.mostrar(dueno, texto, NombreClave(Clave::TipHistorialNoMas));
}

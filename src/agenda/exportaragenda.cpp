#include "agenda/exportaragenda.h"

#include <QStringList>

#include "agenda/archivoagenda.h"
#include "agenda/principalagenda.h"
#include "agenda/registrocontacto.h"
#include "comun/contexto.h"

namespace Agenda {

namespace {

// Refused contacts named in the closing message; the rest are counted.
constexpr int RechazadosNombrados = 10;
constexpr qsizetype ContactosPorEscritura = 500;

QString NumeroConBlanco(qint64 numero)
{
    return numero < 0 ? QString::number(numero) : QLatin1Char(' ') + QString::number(numero);
}

QString RazonDeFallo(const FalloArchivoAgenda &f)
{
    if (f.acceso)
        return QStringLiteral("Ocurrió un error al acceder al archivo, compruebe que tenga los permisos necesarios "
                              "para acceder al archivo y que esté en este equipo y no en otro de la red");
    return QStringLiteral("Error ") + NumeroConBlanco(f.numero) + QStringLiteral(": ") + f.descripcion;
}

void Informar(Contexto &ctx, const QString &texto, Dialogos::Icono icono)
{
    ctx.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, icono, Dialogos::tituloPrograma());
}

struct NotasImportacion
{
    int guardados = 0;
    int rechazados = 0;
    QStringList detalles;
    int caracteresCambiados = 0;

    void rechazar(const QString &nombre, const QString &motivo)
    {
        if (++rechazados <= RechazadosNombrados)
            detalles.append(QStringLiteral("\r\n · «") + nombre + QStringLiteral("»: ") + motivo + QLatin1Char('.'));
    }

    QString texto() const
    {
        QString t;
        if (rechazados > 0) {
            t += QStringLiteral("\r\n\r\nNo se importaron") + NumeroConBlanco(rechazados) +
                 QStringLiteral(" contacto(s) que la Agenda no puede guardar:") + detalles.join(QString());
            if (rechazados > RechazadosNombrados)
                t += QStringLiteral("\r\n · y") + NumeroConBlanco(rechazados - RechazadosNombrados) +
                     QStringLiteral(" más.");
        }
        if (caracteresCambiados > 0)
            t += QStringLiteral("\r\n\r\n · ") + QString::number(caracteresCambiados) +
                 QStringLiteral(" carácter(es) del archivo no existen en la página de códigos de Windows y se "
                                "importaron como «?».");
        return t;
    }
};

} // namespace

void ExportarAgenda(Contexto &ctx)
{
    const QString ruta = ctx.dialogos.guardarArchivo(QStringLiteral("Exportar Agenda a un archivo"),
                                                     FiltroArchivoAgenda, QString(), true);
    if (ruta.isEmpty())
        return;
    ParesAjustes pares;
    if (!ctx.ajustes.enumerarConEstado(SeccionAgenda, &pares)) {
        Informar(ctx,
                 QStringLiteral("No se pudo exportar la Agenda\r\n\r\nNo se pudieron leer los contactos guardados; no "
                                "se escribió ningún archivo."),
                 Dialogos::Icono::Critico);
        return;
    }
    if (pares.isEmpty()) {
        Informar(ctx,
                 QStringLiteral("No se puede exportar la Agenda\r\n\r\nLa Agenda está vacía, agregue algunos contactos "
                                "antes de intentar exportar de nuevo"),
                 Dialogos::Icono::Critico);
        return;
    }
    Contactos contactos;
    contactos.reserve(pares.size());
    for (const auto &par : std::as_const(pares))
        contactos.append({par.first, par.second});

    FalloArchivoAgenda fallo;
    ResumenExportacion resumen;
    if (!EscribirArchivoAgenda(ruta, contactos, &fallo, &resumen, [&ctx] { ctx.sistema.dejarCorrerMensajes(); })) {
        const QString primera = fallo.acceso ? QStringLiteral("No se puede exportar la Agenda")
                                             : QStringLiteral("No se pudo exportar la Agenda");
        Informar(ctx, primera + QStringLiteral("\r\n\r\n") + RazonDeFallo(fallo), Dialogos::Icono::Ninguno);
        return;
    }
    QString texto = QStringLiteral("La Agenda se exportó con exito");
    if (resumen.comillasCambiadas > 0)
        texto += QStringLiteral("\r\n\r\n · Las comillas dobles de") + NumeroConBlanco(resumen.comillasCambiadas) +
                 QStringLiteral(" contacto(s) se escribieron como apóstrofos, porque el archivo no puede guardarlas.");
    if (resumen.caracteresPerdidos > 0)
        texto += QStringLiteral("\r\n\r\n · ") + QString::number(resumen.caracteresPerdidos) +
                 QStringLiteral(" contacto(s) tienen caracteres que no existen en la página de códigos de Windows y "
                                "se escribieron como «?».");
    Informar(ctx, texto, Dialogos::Icono::Informacion);
}

void ImportarAgenda(Contexto &ctx, PrincipalAgenda &principal)
{
    const QString ruta =
        ctx.dialogos.abrirArchivo(QStringLiteral("Importar Agenda de un archivo"), FiltroArchivoAgenda, QString());
    if (ruta.isEmpty())
        return;
    const auto confirmar = [&ctx] {
        return ctx.dialogos.mensaje(QStringLiteral("Haga clic en Aceptar para importar este archivo de Agenda ahora, "
                                                   "si no desea hacerlo haga clic en Cancelar."),
                                    Dialogos::Botones::AceptarCancelar, Dialogos::Icono::Pregunta,
                                    Dialogos::tituloPrograma()) == Dialogos::Respuesta::Aceptar;
    };
    NotasImportacion notas;
    // Written in groups: one commit per contact would make a large file slow to bring in.
    ParesAjustes pendientes;
    const auto escribirPendientes = [&] {
        if (ctx.ajustes.escribirVarios(SeccionAgenda, pendientes)) {
            notas.guardados += static_cast<int>(pendientes.size());
        } else {
            for (const auto &par : std::as_const(pendientes)) {
                if (ctx.ajustes.escribir(SeccionAgenda, par.first, par.second))
                    ++notas.guardados;
                else
                    notas.rechazar(par.first, QStringLiteral("no se pudo guardar en la Agenda"));
            }
        }
        pendientes.clear();
    };
    const auto guardar = [&](const QString &nombre, const QString &registro) {
        const QString problema = ProblemaContactoImportado(nombre, registro);
        if (!problema.isEmpty())
            notas.rechazar(nombre, problema);
        else
            pendientes.append({nombre, registro});
        if (pendientes.size() >= ContactosPorEscritura)
            escribirPendientes();
        ctx.sistema.dejarCorrerMensajes();
    };
    FalloArchivoAgenda fallo;
    const auto resultado = LeerArchivoAgenda(ruta, &fallo, confirmar, guardar, &notas.caracteresCambiados);
    // The contacts read before an error stay imported.
    escribirPendientes();
    if (notas.guardados > 0) {
        principal.IniciarPanelContactos();
        principal.ActualizarAgenda();
    }
    switch (resultado) {
    case ResultadoLecturaAgenda::Cancelado:
        return;
    case ResultadoLecturaAgenda::CabeceraInvalida:
        Informar(ctx,
                 QStringLiteral("No se puede importar de este archivo de Agenda\r\n\r\nEste archivo de agenda está "
                                "dañado o no es compatible con esta version de NTX Mensajes"),
                 Dialogos::Icono::Critico);
        return;
    case ResultadoLecturaAgenda::Fallo:
        Informar(ctx, QStringLiteral("No se puede importar la Agenda\r\n\r\n") + RazonDeFallo(fallo) + notas.texto(),
                 Dialogos::Icono::Ninguno);
        return;
    case ResultadoLecturaAgenda::Leido:
        break;
    }
    Informar(ctx, QStringLiteral("Se ha importado correctamente la Agenda") + notas.texto(),
             Dialogos::Icono::Informacion);
}

} // namespace Agenda

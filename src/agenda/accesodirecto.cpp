#include "agenda/accesodirecto.h"

#include <QFile>
#include <QSaveFile>

#include "agenda/lineacomandos.h"
#include "plataforma/dialogos.h"
#include "plataforma/sistema.h"

namespace Agenda {

QString NombreArchivoAccesoDirecto(const QString &nombre, const QString &extension)
{
    static const QString prohibidos = QStringLiteral("\\/><?:*\"|");
    QString archivo = nombre;
    for (QChar &c : archivo) {
        if (prohibidos.contains(c) || c.unicode() < 32 || c.unicode() == 127)
            c = QLatin1Char('_');
    }
    if (archivo.startsWith(QLatin1Char('.')))
        archivo[0] = QLatin1Char('_');
    return archivo + extension;
}

QString ArgumentoAccesoDirecto(const QString &nombre, TipoAcceso tipo)
{
    return (tipo == TipoAcceso::Grupo ? QStringLiteral("/g:\"") : QStringLiteral("/c:\"")) + nombre + QLatin1Char('"');
}

QString ArchivoAcceso(const QString &nombre, TipoAcceso tipo)
{
    return NombreArchivoAccesoDirecto(tipo == TipoAcceso::Grupo ? QStringLiteral("Grupo ") + nombre : nombre);
}

QString ProblemaAccesoDirecto(const QString &nombre)
{
    if (nombre.contains(QLatin1Char('"')))
        return QStringLiteral("el nombre del contacto contiene comillas dobles, que no pueden pasar al programa. "
                              "Cambie el nombre del contacto e intente de nuevo.");
    if (nombre.size() > LargoMaximoNombreLinea)
        return QStringLiteral("el nombre del contacto tiene más de ") + QString::number(LargoMaximoNombreLinea) +
               QStringLiteral(" caracteres. Cambie el nombre del contacto e intente de nuevo.");
    return {};
}

QString ArgumentoExec(const QString &argumento)
{
    // Inside double quotes these four need a backslash; "%" opens a field code.
    QString resultado = QStringLiteral("\"");
    for (const QChar c : argumento) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            resultado += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            resultado += QLatin1Char('%');
        resultado += c;
    }
    return resultado + QLatin1Char('"');
}

QString ValorEscapado(const QString &valor)
{
    // Blanks at either end would be taken for the blanks around "=" or at the end of the line.
    qsizetype primero = 0, ultimo = valor.size() - 1;
    while (primero < valor.size() && valor.at(primero) == QLatin1Char(' '))
        ++primero;
    while (ultimo >= primero && valor.at(ultimo) == QLatin1Char(' '))
        --ultimo;
    QString resultado;
    resultado.reserve(valor.size() + 8);
    for (qsizetype i = 0; i < valor.size(); ++i) {
        const QChar c = valor.at(i);
        if (c == QLatin1Char('\\'))
            resultado += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            resultado += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            resultado += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            resultado += QStringLiteral("\\r");
        else if (c == QLatin1Char(' ') && (i < primero || i > ultimo))
            resultado += QStringLiteral("\\s");
        else
            resultado += c;
    }
    return resultado;
}

QString ContenidoAccesoDirecto(const QString &nombre, const QString &ejecutable, const QString &icono,
                               const QString &carpetaTrabajo, TipoAcceso tipo)
{
    const QString descripcion = ValorEscapado((tipo == TipoAcceso::Grupo ? QStringLiteral("Enviar un mensaje al grupo ")
                                                                         : QStringLiteral("Enviar un mensaje a ")) +
                                              nombre);
    // The string escapes apply after the Exec quoting: a backslash ends up as four.
    const QString exec = ValorEscapado(ArgumentoExec(ejecutable) + QLatin1Char(' ') +
                                       ArgumentoExec(ArgumentoAccesoDirecto(nombre, tipo)));
    return QStringLiteral("[Desktop Entry]\n"
                          "Version=1.0\n"
                          "Type=Application\n"
                          "Name=") +
           descripcion + QStringLiteral("\nExec=") + exec + QStringLiteral("\nPath=") + ValorEscapado(carpetaTrabajo) +
           QStringLiteral("\nIcon=") + ValorEscapado(icono) + QStringLiteral("\nTerminal=false\n");
}

bool GuardarAccesoDirecto(const QString &ruta, const QString &contenido, QString *error)
{
    QSaveFile archivo(ruta);
    const QByteArray bytes = contenido.toUtf8();
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(bytes) != bytes.size() || !archivo.commit()) {
        if (error)
            *error =
                QStringLiteral("No se pudo escribir el archivo ") + ruta + QStringLiteral(": ") + archivo.errorString();
        return false;
    }
    // Desktops only start a launcher that may be executed.
    const auto permisos = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                          QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser |
                          QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                          QFileDevice::ExeOther;
    if (!QFile::setPermissions(ruta, permisos)) {
        if (error)
            *error = QStringLiteral("No se pudo marcar como ejecutable el archivo ") + ruta + QLatin1Char('.');
        return false;
    }
    return true;
}

void CrearAccesoDirecto(Dialogos &dialogos, Sistema &sistema, const QString &nombre, TipoAcceso tipo)
{
    const bool grupo = tipo == TipoAcceso::Grupo;
    // A group's name was checked when it was given.
    const QString problema = grupo ? QString() : ProblemaAccesoDirecto(nombre);
    if (!problema.isEmpty()) {
        dialogos.mensaje(QStringLiteral("No se puede guardar el contacto rápido en el escritorio: ") + problema,
                         Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return;
    }
    QString programa = sistema.carpetaPrograma();
    if (!programa.endsWith(QLatin1Char('/')))
        programa += QLatin1Char('/');
    const QString escritorio = sistema.carpetaEspecial(Sistema::CarpetaEscritorio);
    const QString ruta = escritorio + ArchivoAcceso(nombre, tipo);
    QString error;
    if (escritorio.isEmpty()) {
        error = QStringLiteral("No se encontró la carpeta del escritorio.");
    } else if (GuardarAccesoDirecto(ruta,
                                    ContenidoAccesoDirecto(nombre, programa + QStringLiteral("ntxmensajes"),
                                                           programa + QStringLiteral("icocrapido.png"), programa, tipo),
                                    &error)) {
        // Some desktops start a launcher only once it is marked trusted; without gio it still works elsewhere.
        sistema.iniciarPrograma(QStringLiteral("gio"), {QStringLiteral("set"), ruta,
                                                        QStringLiteral("metadata::trusted"), QStringLiteral("true")});
        dialogos.mensaje((grupo ? QStringLiteral("El grupo ha sido guardado en el escritorio.")
                                : QStringLiteral("El contacto rápido ha sido guardado en el escritorio.")) +
                             QStringLiteral("\r\n\r\nHaga doble clic en el ícono del escritorio para enviar un "
                                            "mensaje."),
                         Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, Dialogos::tituloPrograma());
        return;
    }
    dialogos.mensaje(QStringLiteral("Error guardando el contacto rápido en el escritorio\r\n\r\n · "
                                    "Compruebe que tenga permisos para escribir archivos en el escritorio\r\n\r\n") +
                         error,
                     Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
}

} // namespace Agenda

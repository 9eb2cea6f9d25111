// A contact's desktop launcher: a Desktop Entry file on the user's desktop that
// starts the client with "/c:" and the contact's name in double quotes; a
// group's launcher carries "/g:" and the group's name the same way.
#pragma once

#include <QString>

class Dialogos;
class Sistema;

namespace Agenda {

enum class TipoAcceso { Contacto, Grupo };

// The contact's name with \ / > < ? : * " | (and control characters) as "_",
// plus `extension`. A leading dot would hide the file, so it becomes "_" too.
QString NombreArchivoAccesoDirecto(const QString &nombre, const QString &extension = QStringLiteral(".desktop"));

// The argument the launcher hands to the client: "/c:" + the name in double quotes.
QString ArgumentoAccesoDirecto(const QString &nombre, TipoAcceso tipo = TipoAcceso::Contacto);

// Why no launcher can carry this name to the command line (a double quote, more
// characters than the command line collects); empty when it can.
QString ProblemaAccesoDirecto(const QString &nombre);

// One argument of an Exec line: quoted and escaped so that a desktop hands it
// over unchanged (blanks, quotes, "$", "`", "\" and "%" included).
QString ArgumentoExec(const QString &argumento);
// A value of a Desktop Entry key with the string escapes (\\, \n, \t, \r; \s for blanks at either end).
QString ValorEscapado(const QString &valor);

// The whole Desktop Entry file for a contact.
QString ContenidoAccesoDirecto(const QString &nombre, const QString &ejecutable, const QString &icono,
                               const QString &carpetaTrabajo, TipoAcceso tipo = TipoAcceso::Contacto);

// Writes the file whole (or leaves what was there) and marks it executable.
// False with a Spanish reason in `error`.
bool GuardarAccesoDirecto(const QString &ruta, const QString &contenido, QString *error);

// Creates or replaces the launcher of `nombre` on the desktop and tells the user.
void CrearAccesoDirecto(Dialogos &dialogos, Sistema &sistema, const QString &nombre,
                        TipoAcceso tipo = TipoAcceso::Contacto);
// The launcher's file name on the desktop: a group's starts with "Grupo ", so it
// does not replace the launcher of a contact with the same name.
QString ArchivoAcceso(const QString &nombre, TipoAcceso tipo);

} // namespace Agenda

// The ".ntxagenda" file: a header line, then one line per contact with the name
// and the record, each in double quotes. Windows-1252, CR LF.
#pragma once

#include <QString>
#include <functional>

#include "agenda/contactos.h"

namespace Agenda {

inline const QString CabeceraArchivoAgenda = QStringLiteral("NTXAgenda1.0");
inline const QString FiltroArchivoAgenda =
    QStringLiteral("Archivos de Agenda de NTX (*.ntxagenda)|*.ntxagenda|Todos los archivos (*.*)|*.*");

// Why a file operation failed: a path or access problem, or another error with its
// number and description as the messages show them.
struct FalloArchivoAgenda
{
    bool acceso = false;
    int numero = 0;
    QString descripcion;
};

struct ResumenExportacion
{
    // Contacts whose double quotes were written as apostrophes: nothing is escaped
    // in this file, so a quote would end the field early.
    int comillasCambiadas = 0;
    // Contacts with characters the code page lacks, written as "?".
    int caracteresPerdidos = 0;
};

// One line of the file for a contact, quotes already replaced.
QString LineaArchivoAgenda(const QString &nombre, const QString &registro, bool *comillasCambiadas = nullptr);

// Writes the header and one line per contact; `entreContactos` runs after each line.
// The file on disk changes only when everything was written.
bool EscribirArchivoAgenda(const QString &ruta, const Contactos &contactos, FalloArchivoAgenda *fallo,
                           ResumenExportacion *resumen = nullptr, const std::function<void()> &entreContactos = {});

enum class ResultadoLecturaAgenda { Leido, CabeceraInvalida, Fallo, Cancelado };

// Reads the file: the header first, then `confirmar` decides whether to go on
// (false: Cancelado), then each contact goes to `alLeerContacto` at once, so the
// contacts read before an error are kept by the caller. A file that starts with a
// UTF-8 byte-order mark is read as UTF-8; `caracteresCambiados` counts the
// characters of such a file that the code page lacks and that were read as "?".
// The file is closed before this returns, on every path.
ResultadoLecturaAgenda LeerArchivoAgenda(const QString &ruta, FalloArchivoAgenda *fallo,
                                         const std::function<bool()> &confirmar,
                                         const std::function<void(const QString &, const QString &)> &alLeerContacto,
                                         int *caracteresCambiados = nullptr);

} // namespace Agenda

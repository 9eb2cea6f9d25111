// The history records shown, written for a spreadsheet: CSV as RFC 4180 gives it
// (CR LF rows, fields with a comma, a quote or a line break in double quotes,
// quotes doubled), UTF-8 with a byte-order mark so spreadsheet programs read the
// accents, the date and time in ISO 8601.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "historial/almacenhistorial.h"

namespace exportar_historial {

inline const QString FiltroCsv = QStringLiteral("Archivos CSV (*.csv)|*.csv|Todos los archivos (*.*)|*.*");

// The header row and one row per record of `registros` (0-based, in that order).
QByteArray Csv(const almacen_historial::HistorialIndexado &historial, const QList<int> &registros);

// One field as the file writes it.
QString CampoCsv(const QString &texto);

// Writes the file in one piece: the file on disk changes only when all was written.
bool EscribirCsv(const QString &ruta, const almacen_historial::HistorialIndexado &historial,
                 const QList<int> &registros, QString *error);

} // namespace exportar_historial

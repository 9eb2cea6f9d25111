// The ".ntxabrev" file: export of the stored abbreviations and import into the
// store, with the file dialogs and messages of both commands.
#pragma once

#include <QString>
#include <functional>

#include "mejoras/pasadatexto.h"

class Ajustes;
class Dialogos;
class Sistema;

inline const QString CabeceraArchivoAbreviaturas = QStringLiteral("NTXAbreviaturas1.0");
inline const QString FiltroArchivoAbreviaturas =
    QStringLiteral("Archivos de Abreviaturas de NTX (*.ntxabrev)|*.ntxabrev|Todos los archivos (*.*)|*.*");

// Why a file operation failed: a path or access problem, or another error with
// its number and description as the messages show them.
struct FalloArchivo
{
    bool acceso = false;
    int numero = 0;
    QString descripcion;
};

// Writes the header and one line per pair. A double quote cannot be carried by
// the format and is written as an apostrophe; `comillasCambiadas` counts the
// pairs where that happened. `entrePares` runs after each pair.
bool EscribirArchivoAbreviaturas(const QString &ruta, const ParesAbreviatura &pares, FalloArchivo *fallo,
                                 int *comillasCambiadas = nullptr, const std::function<void()> &entrePares = {});

enum class ResultadoLectura { Leido, CabeceraInvalida, Fallo, Cancelado };

// Reads the file: the header is checked first, then `confirmar` decides whether
// to go on (false stops with Cancelado), then every pair goes to `alLeerPar`
// at once, so pairs read before an error are kept by the caller.
ResultadoLectura LeerArchivoAbreviaturas(const QString &ruta, FalloArchivo *fallo,
                                         const std::function<bool()> &confirmar,
                                         const std::function<void(const QString &, const QString &)> &alLeerPar);

// Whether an imported pair can be stored: the same rules as the entry dialog,
// and no control characters.
bool ParImportable(const QString &palabra, const QString &reemplazo);

// The two menu commands.
void ExportarAbreviaturas(Ajustes &ajustes, Dialogos &dialogos, Sistema &sistema);
void ImportarAbreviaturas(Ajustes &ajustes, Dialogos &dialogos, Sistema &sistema);

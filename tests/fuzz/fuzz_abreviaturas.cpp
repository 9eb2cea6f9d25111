// The abbreviation import on any file: what it stores is exported, imported again and
// stored the same.
#include "comun.h"
#include "dobles/ajustesmemoria.h"
#include "mejoras/abreviaturas.h"
#include "mejoras/archivoabreviaturas.h"

namespace {

// The import as the menu command does it, without the dialogs.
ParesAbreviatura importar(const QString &ruta, Ajustes &ajustes)
{
    ParesAbreviatura leidas;
    FalloArchivo fallo;
    LeerArchivoAbreviaturas(
        ruta, &fallo, [] { return true; },
        [&](const QString &palabra, const QString &reemplazo) {
            if (ParImportable(palabra, reemplazo))
                leidas.append({palabra, reemplazo});
        });
    GuardarAbreviaturas(ajustes, leidas);
    return LeerTablaAbreviaturas(ajustes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    static const QString ruta = fuzz::archivo("entrada.ntxabrev");
    static const QString exportado = fuzz::archivo("exportado.ntxabrev");
    fuzz::escribir(ruta, fuzz::bytes(datos, tamano));
    AjustesMemoria ajustes;
    const ParesAbreviatura guardadas = importar(ruta, ajustes);
    if (guardadas.isEmpty())
        return 0;
    FalloArchivo fallo;
    int cambiadas = 0;
    if (!EscribirArchivoAbreviaturas(exportado, guardadas, &fallo, &cambiadas))
        fuzz::fallar("no se pudo exportar lo importado", fallo.descripcion);
    if (cambiadas != 0)
        fuzz::fallar("se guardó un par con comillas que la exportación cambia");
    AjustesMemoria otros;
    const ParesAbreviatura denuevo = importar(exportado, otros);
    if (denuevo != guardadas) {
        QString detalle;
        for (const auto &par : guardadas)
            detalle += QStringLiteral("[") + par.first + QStringLiteral("] -> [") + par.second + QStringLiteral("]\n");
        fuzz::fallar("un par importado no vuelve igual tras exportarlo", detalle);
    }
    return 0;
}

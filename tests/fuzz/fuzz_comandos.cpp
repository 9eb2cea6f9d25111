// Command links on any text: no crash, and the kind agrees with the link's start.
#include "comando/comandos.h"
#include "comun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    const QString enlace = fuzz::texto(fuzz::bytes(datos, tamano));
    const OrdenComando orden = AnalizarComando(enlace);
    if ((orden.tipo == OrdenComando::Tipo::NoEsComando) == EsEnlaceComando(enlace))
        fuzz::fallar("el tipo no coincide con el comienzo del enlace", enlace);
    for (const char *prefijo : {"ntx://", "ntx://salem", "ntx://mnsje", "ntx://naveg"})
        AnalizarComando(QLatin1String(prefijo) + enlace);
    return 0;
}

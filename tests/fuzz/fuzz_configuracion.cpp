// The remote configuration on any text: no crash, and the lists keep their shape
// (position 0 empty, at least one entry).
#include "comando/configuracionremota.h"
#include "comun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    ConfiguracionRemota config;
    LeerConfiguracion(config, fuzz::texto(fuzz::bytes(datos, tamano)));
    if (!config.cargada)
        fuzz::fallar("la configuración no quedó cargada");
    for (const QStringList *lista :
         {&config.nblo, &config.pblo, &config.psin, &config.rblo, &config.mblo, &config.pser}) {
        if (lista->size() < 2 || !lista->at(0).isEmpty())
            fuzz::fallar("una lista perdió su forma", lista->join(QLatin1Char('|')));
    }
    return 0;
}

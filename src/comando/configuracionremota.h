// Reading the remote configuration page into the context's ConfiguracionRemota.
#pragma once

#include "comun/configuracionremota.h"

// Replaces `config` whole with what `texto` holds.
void LeerConfiguracion(ConfiguracionRemota &config, const QString &texto);

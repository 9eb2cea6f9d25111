// Send state of the sending module: who the message under way goes to.
#pragma once

#include <QString>

struct EstadoEnvio
{
    QString ProveedorActual;
    QString DestinatarioNombre;
    QString DestinatarioNumero;
    QString DestinatarioAlias;
    QString ServidorAlternativo;
};

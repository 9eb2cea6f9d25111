// What the messages about this computer's connection to Internet say, in one place:
// the failures of the site, the gateways and the update, and the offline notices.
#pragma once

#include <QString>

namespace TextosConexion {

// The hint line of every failure to reach a site.
inline QString comprobarConexion()
{
    return QStringLiteral(" · Compruebe que el equipo esté conectado a Internet");
}

// The state the offline notices tell of.
inline QString trabajaSinConexion()
{
    return QStringLiteral("el equipo está configurado para trabajar sin conexión");
}

// How the user leaves that state on a Linux desktop.
inline QString comoConectarse()
{
    return QStringLiteral("Active la conexión de red desde la configuración del sistema o desde el ícono de red "
                          "del panel.");
}

} // namespace TextosConexion

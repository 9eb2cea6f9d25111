// Phone numbers from other programs (a phone's or a webmail's contacts) split into
// the fields the providers take: area code and local number for Argentina,
// operator code and number for Venezuela. libphonenumber reads the many ways a
// number is written (+54 9, 0 and 15, blanks and hyphens); the rules here only
// decide which of its answers the client can send to.
#pragma once

#include <QString>

#include "agenda/registrocontacto.h"

namespace Agenda {

// Country assumed for numbers written without a country code.
enum class RegionNumeros { Argentina, Venezuela };

// "AR" or "VE", as libphonenumber names the regions; the reverse gives Argentina for anything else.
QString CodigoRegion(RegionNumeros region);
RegionNumeros RegionDeCodigo(const QString &codigo);

inline const QString ProveedorClaro = QStringLiteral("Argentina - Claro");
inline const QString ProveedorPersonal = QStringLiteral("Argentina - Personal");
inline const QString ProveedorMovilnet = QStringLiteral("Venezuela - Movilnet");

struct NumeroPartido
{
    bool valido = false;
    bool argentino = false; // else Venezuelan
    QString codArea;        // Argentina: area code without "0"; Venezuela: "16" or "26" (after the fixed "04")
    QString numero;         // Argentina: local number without "15"; Venezuela: the seven digits
    QString e164;           // "+5493511234567"
    // The provider when the number tells it (Venezuela); empty for Argentina,
    // where numbers move between operators and the user chooses.
    QString proveedorSugerido;
    QString motivo; // why it was refused, as the end of a Spanish sentence ("no es un número de celular")
};

NumeroPartido PartirNumero(const QString &texto, RegionNumeros region);

// The contact's number in international form for a phone ("+5493511234567"),
// empty when its provider and fields do not make one (an alias, another provider,
// fields the client would not send to).
QString NumeroInternacional(const CamposContacto &campos);

} // namespace Agenda

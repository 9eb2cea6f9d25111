#include "agenda/numerosimportados.h"

#include <phonenumbers/phonenumber.pb.h>
#include <phonenumbers/phonenumberutil.h>

#include <QStringList>

namespace Agenda {

namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

constexpr int CodigoArgentina = 54;
constexpr int CodigoVenezuela = 58;
// Longer texts are no phone number; libphonenumber refuses them too, but later.
constexpr qsizetype LargoMaximoTexto = 60;

NumeroPartido Rechazo(const QString &motivo)
{
    NumeroPartido r;
    r.motivo = motivo;
    return r;
}

bool SoloDigitos(const QString &texto)
{
    for (const QChar c : texto) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !texto.isEmpty();
}

// The area code as libphonenumber groups the number internationally
// ("+54 9 351 123-4567" → "351"); it knows every Argentine area code's length.
QString CodigoDeAreaArgentino(const PhoneNumberUtil &util, const QString &diezDigitos)
{
    PhoneNumber movil;
    movil.set_country_code(CodigoArgentina);
    movil.set_national_number(QString(QStringLiteral("9") + diezDigitos).toULongLong());
    std::string formateado;
    util.Format(movil, PhoneNumberUtil::INTERNATIONAL, &formateado);
    const QStringList grupos = QString::fromStdString(formateado).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // "+54", "9", area code, the rest.
    if (grupos.size() < 4 || grupos.at(1) != QLatin1String("9"))
        return {};
    return grupos.at(2);
}

NumeroPartido Argentino(const PhoneNumberUtil &util, const PhoneNumber &leido, const QString &nacional)
{
    // "9" after +54 (and "15" after the area code, which the library turns into it) marks a mobile.
    const bool conNueve = nacional.size() == 11 && nacional.startsWith(QLatin1Char('9'));
    const QString diez = conNueve ? nacional.mid(1) : nacional;
    if (diez.size() != 10)
        return Rechazo(QStringLiteral("no tiene los 10 dígitos de un número argentino (código de área y número)"));
    // Area codes start with 11, 2 or 3; 0800, 0810 and 0600 numbers are no phones.
    const QChar primero = diez.at(0);
    if (primero != QLatin1Char('1') && primero != QLatin1Char('2') && primero != QLatin1Char('3'))
        return Rechazo(QStringLiteral("no es un número de celular"));
    if (util.IsValidNumber(leido)) {
        switch (util.GetNumberType(leido)) {
        case PhoneNumberUtil::MOBILE:
        case PhoneNumberUtil::FIXED_LINE:
        case PhoneNumberUtil::FIXED_LINE_OR_MOBILE:
            // Without the 9 or the 15 a mobile reads like a line of the same area:
            // Argentine contact lists often keep them so.
            break;
        default:
            return Rechazo(QStringLiteral("no es un número de celular"));
        }
    }
    const QString area = CodigoDeAreaArgentino(util, diez);
    if (area.size() < 2 || area.size() > 4 || !diez.startsWith(area) ||
        (area.startsWith(QLatin1Char('1')) && area != QLatin1String("11")))
        return Rechazo(QStringLiteral("no se puede separar en código de área y número (¿falta el código de área?)"));
    NumeroPartido r;
    r.valido = true;
    r.argentino = true;
    r.codArea = area;
    r.numero = diez.mid(area.size());
    r.e164 = QStringLiteral("+549") + diez;
    return r;
}

NumeroPartido Venezolano(const PhoneNumberUtil &util, const PhoneNumber &leido, const QString &nacional)
{
    if (nacional.size() != 10)
        return Rechazo(QStringLiteral("no tiene los 10 dígitos de un número venezolano (código y número)"));
    if (!nacional.startsWith(QLatin1Char('4')) ||
        (util.IsValidNumber(leido) && util.GetNumberType(leido) != PhoneNumberUtil::MOBILE))
        return Rechazo(QStringLiteral("no es un número de celular"));
    const QString operadora = nacional.mid(1, 2);
    if (operadora != QLatin1String("16") && operadora != QLatin1String("26"))
        return Rechazo(QStringLiteral("el código 04") + operadora +
                       QStringLiteral(" es de otra operadora; en Venezuela sólo se envía a Movilnet (0416 y 0426)"));
    NumeroPartido r;
    r.valido = true;
    r.codArea = operadora;
    r.numero = nacional.mid(3);
    r.e164 = QStringLiteral("+58") + nacional;
    r.proveedorSugerido = ProveedorMovilnet;
    return r;
}

} // namespace

QString CodigoRegion(RegionNumeros region)
{
    return region == RegionNumeros::Venezuela ? QStringLiteral("VE") : QStringLiteral("AR");
}

RegionNumeros RegionDeCodigo(const QString &codigo)
{
    return codigo.trimmed().compare(QLatin1String("VE"), Qt::CaseInsensitive) == 0 ? RegionNumeros::Venezuela
                                                                                   : RegionNumeros::Argentina;
}

NumeroPartido PartirNumero(const QString &texto, RegionNumeros region)
{
    QString limpio = texto.trimmed();
    // "tel:" addresses of vCard 4.0.
    if (limpio.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
        limpio = limpio.mid(4);
    bool hayDigitos = false;
    for (const QChar c : std::as_const(limpio)) {
        if (c.isDigit()) {
            hayDigitos = true;
            break;
        }
    }
    if (!hayDigitos)
        return Rechazo(QStringLiteral("no tiene un número de teléfono"));
    if (limpio.size() > LargoMaximoTexto)
        return Rechazo(QStringLiteral("el número es demasiado largo"));

    const PhoneNumberUtil &util = *PhoneNumberUtil::GetInstance();
    PhoneNumber leido;
    if (util.Parse(limpio.toStdString(), CodigoRegion(region).toStdString(), &leido) !=
        PhoneNumberUtil::NO_PARSING_ERROR)
        return Rechazo(QStringLiteral("no se puede leer como número de teléfono"));
    std::string nsn;
    util.GetNationalSignificantNumber(leido, &nsn);
    const QString nacional = QString::fromStdString(nsn);
    if (!SoloDigitos(nacional))
        return Rechazo(QStringLiteral("no se puede leer como número de teléfono"));
    switch (leido.country_code()) {
    case CodigoArgentina:
        return Argentino(util, leido, nacional);
    case CodigoVenezuela:
        return Venezolano(util, leido, nacional);
    default:
        return Rechazo(QStringLiteral("es de otro país (+") + QString::number(leido.country_code()) +
                       QStringLiteral("), al que NTX Mensajes no envía"));
    }
}

QString NumeroInternacional(const CamposContacto &campos)
{
    if (!SoloDigitos(campos.codArea) || !SoloDigitos(campos.numero))
        return {};
    if (campos.proveedor == ProveedorClaro || campos.proveedor == ProveedorPersonal) {
        const QString diez = campos.codArea + campos.numero;
        return diez.size() == 10 ? QStringLiteral("+549") + diez : QString();
    }
    if (campos.proveedor == ProveedorMovilnet) {
        if ((campos.codArea != QLatin1String("16") && campos.codArea != QLatin1String("26")) ||
            campos.numero.size() != 7)
            return {};
        return QStringLiteral("+584") + campos.codArea + campos.numero;
    }
    return {};
}

} // namespace Agenda

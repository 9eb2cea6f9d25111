#include "envio/proveedores.h"

const QList<Proveedor> &TablaProveedores()
{
    static const QList<Proveedor> tabla{
        {Proveedores::Claro, 138, QStringLiteral("0"), QStringLiteral("15")},
        {Proveedores::Personal, 140, QStringLiteral("0"), QStringLiteral("15")},
        {Proveedores::Movilnet, 120, QStringLiteral("04"), QStringLiteral("-")},
    };
    return tabla;
}

const Proveedor *BuscarProveedor(const QString &nombre)
{
    for (const Proveedor &p : TablaProveedores()) {
        if (p.nombre == nombre)
            return &p;
    }
    return nullptr;
}

QString CodigoOperadorMovilnet(const QString &area)
{
    if (area == QLatin1String("16"))
        return QStringLiteral("158");
    if (area == QLatin1String("26"))
        return QStringLiteral("199");
    return {};
}

bool DestinoValido(const QString &proveedor, const QString &area, const QString &numero)
{
    if (proveedor == Proveedores::Personal || proveedor == Proveedores::Claro)
        return area.size() + numero.size() == 10;
    if (proveedor == Proveedores::Movilnet)
        return numero.size() == 7 && !CodigoOperadorMovilnet(area).isEmpty();
    return false;
}

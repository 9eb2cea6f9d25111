// The provider table: names the user picks, message maxima, the captions of the
// destination boxes and the shape each gateway expects of a destination.
#pragma once

#include <QList>
#include <QString>

namespace Proveedores {
inline const QString Claro = QStringLiteral("Argentina - Claro");
inline const QString Personal = QStringLiteral("Argentina - Personal");
inline const QString Movilnet = QStringLiteral("Venezuela - Movilnet");
} // namespace Proveedores

struct Proveedor
{
    QString nombre;
    int maximo;
    QString rotuloCodArea;
    QString rotuloNumero;
};

// In list order (0 Claro, 1 Personal, 2 Movilnet).
const QList<Proveedor> &TablaProveedores();
// Exact, case-sensitive lookup; nullptr for a name that is not in the table.
const Proveedor *BuscarProveedor(const QString &nombre);

// Personal and Claro: area code and number together are exactly 10 characters.
// Movilnet: a 7-character number and operator code "16" or "26".
bool DestinoValido(const QString &proveedor, const QString &area, const QString &numero);
// The gateway's own code for a Movilnet operator code: "158" for "16", "199" for "26", else empty.
QString CodigoOperadorMovilnet(const QString &area);

// The controls of a built main window, found once by their names and kept with
// the window, so a test reaches `txtmsj` or `timPublicidad` as the program names them.
#pragma once

#include "shell/controlesbrowser.h"

namespace detalle_controles {
class Cache final : public QObject
{
public:
    using QObject::QObject;
    ControlesBrowser c;
};
} // namespace detalle_controles

inline ControlesBrowser &controlesDe(QObject &ventana)
{
    using detalle_controles::Cache;
    const QString nombre = QStringLiteral("ntxControlesPrueba");
    auto *cache = static_cast<Cache *>(ventana.findChild<QObject *>(nombre, Qt::FindDirectChildrenOnly));
    if (!cache) {
        const ControlesBrowser encontrados = ControlesBrowser::buscar(ventana);
        cache = new Cache(&ventana);
        cache->setObjectName(nombre);
        cache->c = encontrados;
    }
    return cache->c;
}

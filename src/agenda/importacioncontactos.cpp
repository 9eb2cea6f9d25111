#include "agenda/importacioncontactos.h"

#include <QHash>
#include <QSet>

#include "agenda/registrocontacto.h"

namespace Agenda {

namespace {

constexpr int ContactosPorAvance = 250;

// The reason a name cannot be stored, in the words of the preview.
QString ProblemaNombre(const QString &nombre)
{
    if (nombre.trimmed().isEmpty())
        return QStringLiteral("no tiene nombre");
    return ProblemaCampo(nombre, QStringLiteral("el nombre"));
}

// The number to take and its fields; the reason of the best candidate when none serves.
NumeroPartido ElegirNumero(const ContactoLeido &c, RegionNumeros region)
{
    if (c.telefonos.isEmpty()) {
        NumeroPartido r;
        r.motivo = QStringLiteral("no tiene un número de teléfono");
        return r;
    }
    NumeroPartido primero;
    bool hayPrimero = false;
    for (const int i : OrdenTelefonos(c.telefonos)) {
        NumeroPartido p = PartirNumero(c.telefonos.at(i).texto, region);
        if (p.valido)
            return p;
        if (!hayPrimero) {
            primero = p;
            hayPrimero = true;
        }
    }
    return primero;
}

} // namespace

QString NombreLibre(const QString &nombre, const QSet<QString> &ocupados)
{
    for (int n = 2;; ++n) {
        const QString candidato = nombre + QStringLiteral(" (") + QString::number(n) + QLatin1Char(')');
        if (candidato.size() > LargoMaximoCampo)
            return {};
        if (!ocupados.contains(Ajustes::plegar(candidato)))
            return candidato;
    }
}

bool PrepararImportacion(const QList<ContactoLeido> &leidos, RegionNumeros region, const Contactos &existentes,
                         VistaPreviaImportacion *vista, const std::function<bool(int)> &avance)
{
    VistaPreviaImportacion resultado;
    QSet<QString> ocupados;
    ocupados.reserve(existentes.size() + leidos.size());
    for (const FilaContacto &f : existentes)
        ocupados.insert(Ajustes::plegar(f.nombre));
    int hechos = 0;
    for (const ContactoLeido &c : leidos) {
        if (avance && ++hechos % ContactosPorAvance == 0 && !avance(hechos)) {
            *vista = {};
            return false;
        }
        const QString problema = ProblemaNombre(c.nombre);
        if (!problema.isEmpty()) {
            resultado.rechazados.append({c.nombre, c.linea, problema});
            continue;
        }
        const NumeroPartido numero = ElegirNumero(c, region);
        if (!numero.valido) {
            resultado.rechazados.append({c.nombre, c.linea, numero.motivo});
            continue;
        }
        FilaImportacion fila;
        fila.nombre = c.nombre;
        fila.codArea = numero.codArea;
        fila.numero = numero.numero;
        fila.e164 = numero.e164;
        fila.argentino = numero.argentino;
        fila.linea = c.linea;
        // The split this program wrote, when it is a split of the same digits.
        if (numero.argentino && c.codArea.size() >= 2 && c.codArea.size() <= 4 && c.codArea != numero.codArea &&
            QString(numero.codArea + numero.numero).startsWith(c.codArea)) {
            const QString diez = numero.codArea + numero.numero;
            fila.codArea = c.codArea;
            fila.numero = diez.mid(c.codArea.size());
        }
        if (!numero.proveedorSugerido.isEmpty())
            fila.proveedor = numero.proveedorSugerido;
        else if (numero.argentino && (c.proveedor == ProveedorClaro || c.proveedor == ProveedorPersonal))
            fila.proveedor = c.proveedor;
        const QString problemaCampos = ProblemaCampos(
            {fila.nombre, fila.proveedor.isEmpty() ? ProveedorClaro : fila.proveedor, fila.codArea, fila.numero});
        if (!problemaCampos.isEmpty()) {
            resultado.rechazados.append({c.nombre, c.linea, problemaCampos});
            continue;
        }
        const QString plegado = Ajustes::plegar(fila.nombre);
        fila.existe = ocupados.contains(plegado);
        ocupados.insert(plegado);
        resultado.filas.append(fila);
    }
    *vista = std::move(resultado);
    return true;
}

PlanGuardado PlanificarGuardado(const VistaPreviaImportacion &vista, const Contactos &existentes)
{
    PlanGuardado plan;
    QSet<QString> ocupados;
    for (const FilaContacto &f : existentes)
        ocupados.insert(Ajustes::plegar(f.nombre));
    // Names this import writes (folded, to their pair): a later row of the same name is a conflict with it.
    QSet<QString> escritos;
    QHash<QString, qsizetype> parDe;
    for (const FilaImportacion &fila : vista.filas) {
        if (fila.incluir && fila.proveedor.isEmpty())
            ++plan.sinProveedor;
    }
    if (plan.sinProveedor > 0)
        return plan;
    for (const FilaImportacion &fila : vista.filas) {
        if (!fila.incluir) {
            ++plan.omitidos;
            continue;
        }
        QString nombre = fila.nombre;
        const QString plegado = Ajustes::plegar(nombre);
        const bool tomado = ocupados.contains(plegado) || escritos.contains(plegado);
        if (tomado) {
            if (fila.accion == AccionConflicto::Omitir) {
                ++plan.omitidos;
                continue;
            }
            if (fila.accion == AccionConflicto::Renombrar) {
                QSet<QString> todos = ocupados;
                todos.unite(escritos);
                nombre = NombreLibre(fila.nombre, todos);
                if (nombre.isEmpty()) {
                    ++plan.omitidos;
                    continue;
                }
            }
        }
        QString registro;
        if (!EscribirRegistro({nombre, fila.proveedor, fila.codArea, fila.numero}, &registro, nullptr)) {
            ++plan.omitidos;
            continue;
        }
        const QString clave = Ajustes::plegar(nombre);
        const auto anterior = parDe.constFind(clave);
        if (anterior != parDe.constEnd()) {
            // An earlier row of this file replaced: one contact, not two.
            plan.pares[*anterior] = {nombre, registro};
            ++plan.omitidos;
            continue;
        }
        escritos.insert(clave);
        parDe.insert(clave, plan.pares.size());
        plan.pares.append({nombre, registro});
        ++plan.importados;
    }
    return plan;
}

} // namespace Agenda

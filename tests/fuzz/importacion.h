// Shared by the vCard and CSV harnesses: whatever a file holds, the values an
// import would store change only the contacts the file names, each under the
// name its record carries.
#pragma once

#include "agenda/importacioncontactos.h"
#include "agenda/registrocontacto.h"
#include "comun.h"

#include <QSet>

namespace fuzz {

inline Contactos agendaExistente()
{
    Contactos c;
    for (const char *n : {"Ana", "Beto", "Ana (2)"}) {
        QString r;
        Agenda::EscribirRegistro(
            {QString::fromLatin1(n), Agenda::ProveedorClaro, QStringLiteral("351"), QStringLiteral("5551234")}, &r,
            nullptr);
        c.append({QString::fromLatin1(n), r});
    }
    return c;
}

inline void comprobarImportacion(const QList<Agenda::ContactoLeido> &leidos, Agenda::RegionNumeros region)
{
    const Contactos existentes = agendaExistente();
    Agenda::VistaPreviaImportacion vista;
    if (!Agenda::PrepararImportacion(leidos, region, existentes, &vista))
        fallar("la vista previa se canceló sola");
    if (vista.filas.size() + vista.rechazados.size() != leidos.size())
        fallar("un contacto del archivo no está ni en la vista previa ni entre los rechazados");
    QSet<QString> nombresDelArchivo;
    for (const Agenda::ContactoLeido &c : leidos)
        nombresDelArchivo.insert(Ajustes::plegar(c.nombre));
    QSet<QString> ocupados;
    for (const FilaContacto &f : existentes)
        ocupados.insert(Ajustes::plegar(f.nombre));
    int i = 0;
    for (Agenda::FilaImportacion &f : vista.filas) {
        if (f.proveedor.isEmpty())
            f.proveedor = i % 2 ? Agenda::ProveedorPersonal : Agenda::ProveedorClaro;
        f.accion = static_cast<Agenda::AccionConflicto>(i % 3);
        ++i;
    }
    const Agenda::PlanGuardado plan = Agenda::PlanificarGuardado(vista, existentes);
    QSet<QString> escritos;
    for (const auto &par : plan.pares) {
        const QString clave = Ajustes::plegar(par.first);
        Agenda::CamposContacto campos;
        if (!Agenda::LeerCampos(par.second, &campos) || campos.nombre != par.first)
            fallar("un contacto se guardaría con los datos de otro nombre", par.first + QLatin1Char('\n') + par.second);
        if (!Agenda::ProblemaCampos(campos).isEmpty())
            fallar("se guardaría un contacto que la Agenda no puede describir", par.second);
        if (escritos.contains(clave))
            fallar("dos valores para el mismo nombre", par.first);
        escritos.insert(clave);
        // A name the address book has is written only when the file names that contact.
        if (ocupados.contains(clave) && !nombresDelArchivo.contains(clave))
            fallar("se cambiaría un contacto que el archivo no nombra", par.first);
    }
}

} // namespace fuzz

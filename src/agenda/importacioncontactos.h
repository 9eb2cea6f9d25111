// From the contacts read in another program's file to the values written into
// section "Agenda1.0": each contact's number split, its provider guessed, the
// lines the address book cannot take refused with the reason, names already in
// the address book marked, and, once the user has chosen, the pairs to store.
#pragma once

#include <QList>
#include <QSet>
#include <QString>

#include <functional>

#include "agenda/contactos.h"
#include "agenda/lectorcontactos.h"
#include "agenda/numerosimportados.h"
#include "plataforma/ajustes.h"

namespace Agenda {

// What to do with a contact whose name is in the address book already (or earlier in the file).
enum class AccionConflicto { Omitir, Reemplazar, Renombrar };

struct FilaImportacion
{
    QString nombre;
    QString codArea;
    QString numero;
    QString e164;
    bool argentino = true;
    // The provider chosen; empty while an Argentine contact waits for the user's choice.
    QString proveedor;
    // The name is taken, by the address book or an earlier contact of the file.
    bool existe = false;
    AccionConflicto accion = AccionConflicto::Omitir;
    bool incluir = true; // ticked in the preview
    int linea = 0;
};

struct RechazoImportacion
{
    QString nombre; // as read, possibly empty
    int linea = 0;
    QString motivo; // the end of a sentence: "no tiene nombre"
};

struct VistaPreviaImportacion
{
    QList<FilaImportacion> filas;
    QList<RechazoImportacion> rechazados;
};

// Builds the preview. `avance(hechos)` runs every so many contacts; false stops
// the work, and the preview is then empty (the user cancelled).
bool PrepararImportacion(const QList<ContactoLeido> &leidos, RegionNumeros region, const Contactos &existentes,
                         VistaPreviaImportacion *vista, const std::function<bool(int)> &avance = {});

// "Ana (2)", "Ana (3)"...: the first that is neither in `ocupados` (folded names) nor too long.
QString NombreLibre(const QString &nombre, const QSet<QString> &ocupados);

struct PlanGuardado
{
    ParesAjustes pares; // in the file's order
    int importados = 0;
    int omitidos = 0;     // unticked rows and conflicts left as they were
    int sinProveedor = 0; // ticked Argentine rows whose provider is still to choose
};

// The values to write. Nothing is planned while a ticked row has no provider.
PlanGuardado PlanificarGuardado(const VistaPreviaImportacion &vista, const Contactos &existentes);

} // namespace Agenda

// The Agenda module: the procedures that open the contact dialog and that put a
// stored contact into the composer of the main window.
#pragma once

#include <QString>

#include "agenda/contactos.h"

class Ajustes;

class frmBrowser;

namespace Agenda {

void NuevoContacto(frmBrowser &principal);
void AgendarDestinatario(frmBrowser &principal);
// False (nothing shown) when `proveedor` is not an item of the provider list.
bool ModificarContacto(frmBrowser &principal, const QString &nombre, const QString &proveedor, const QString &codArea,
                       const QString &numero);
// Checks the contact and fills the composer; the focus goes to the sender box.
void EscribirAContacto(frmBrowser &principal, const QString &nombre, const QString &proveedor, const QString &codArea,
                       const QString &numero);
// Finds the contact by name; the focus goes to the message box. Silent when there is none.
void EscribirAContactoPorNombre(frmBrowser &principal, const QString &nombre);

// Every value of section "Agenda1.0" as contact rows; false when the store could not be read.
bool LeerContactos(const Ajustes &ajustes, Contactos *contactos);

} // namespace Agenda

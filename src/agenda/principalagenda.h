// What the address book window needs of the rest of the program: the Agenda
// procedures that open the contact dialog or fill the composer, the refreshes
// of the quick-contact drop-down and of the contacts panel, and the window
// that owns it. The contacts controller implements it.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

class PrincipalAgenda
{
public:
    virtual ~PrincipalAgenda() = default;

    // The contact dialog empty, to add a contact.
    virtual void NuevoContacto() = 0;
    // The contact dialog filled, to modify it. False, with nothing shown, when
    // `proveedor` is not an item of the provider list.
    virtual bool ModificarContacto(const QString &nombre, const QString &proveedor, const QString &codArea,
                                   const QString &numero) = 0;
    // Checks the contact and puts it into the composer.
    virtual void EscribirAContacto(const QString &nombre, const QString &proveedor, const QString &codArea,
                                   const QString &numero) = 0;
    // Several contacts, or the members of the group `grupo`, as the composer's
    // recipients. The main window overrides it once its recipient row takes a list.
    virtual void EscribirAVarios(const QStringList &nombres, const QString &grupo)
    {
        Q_UNUSED(nombres);
        Q_UNUSED(grupo);
    }
    // Reloads the contact list, the recipient label and the quick-contact drop-down.
    virtual void ActualizarAgenda() = 0;
    // Refills the contacts panel beside the composer.
    virtual void IniciarPanelContactos() = 0;
    // Owner of the address book window and of its boxes.
    virtual QWidget *ventana() = 0;
};

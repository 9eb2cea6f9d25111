#include "agenda/agenda.h"

#include "agenda/frmcontacto.h"
#include "agenda/registrocontacto.h"
#include "shell/frmbrowser.h"

namespace Agenda {

namespace {

const QString TituloInvalido = QStringLiteral("NTX Mensajes - Contacto Inválido");

void CopiarProveedores(frmBrowser &principal, frmContacto &dialogo)
{
    for (int i = 0; i < principal.cboAddress->count(); ++i)
        dialogo.cboProveedor->addItem(principal.cboAddress->itemText(i));
    dialogo.cboProveedor->setCurrentIndex(-1);
}

std::function<void()> RefrescoPanel(frmBrowser &principal)
{
    return [&principal] { principal.IniciarPanelContactos(); };
}

void EliminarContacto(frmBrowser &principal, const QString &nombre)
{
    principal.ctx.ajustes.borrarClave(SeccionAgenda, nombre);
    principal.ActualizarAgenda();
    // The panel would otherwise still list a contact that is gone.
    principal.IniciarPanelContactos();
}

void PreguntarProveedorNoDisponible(frmBrowser &principal, const QString &nombre, bool conGuion)
{
    const QString texto =
        QStringLiteral("Este contacto tiene asignado un proveedor al que esta versión de NTX Mensajes no puede enviar "
                       "mensajes.") +
        (conGuion ? QStringLiteral("\r\n\r\n · ") : QStringLiteral("\r\n")) +
        QStringLiteral("Elimine este contacto y vuelva a crearlo asignándole un proveedor disponible en esta "
                       "versión\r\n\r\n¿Desea eliminar este contacto ahora?");
    if (principal.ctx.dialogos.mensaje(texto, Dialogos::Botones::SiNo, Dialogos::Icono::Critico, TituloInvalido) ==
        Dialogos::Respuesta::Si)
        EliminarContacto(principal, nombre);
}

void PreguntarModificar(frmBrowser &principal, const QString &nombre, const QString &proveedor, const QString &codArea,
                        const QString &numero)
{
    const QString texto = QStringLiteral("La información guardada para este contacto no es correcta.\r\nCompruebe "
                                         "que el número de teléfono sea el correcto y que contenga sólo "
                                         "números\r\n\r\n¿Desea modificar ahora los datos para este contacto?");
    if (principal.ctx.dialogos.mensaje(texto, Dialogos::Botones::SiNo, Dialogos::Icono::Critico, TituloInvalido) !=
        Dialogos::Respuesta::Si)
        return;
    if (!ModificarContacto(principal, nombre, proveedor, codArea, numero))
        PreguntarProveedorNoDisponible(principal, nombre, false);
}

// Steps shared by both ways of writing to a contact; true when the composer was filled.
bool PonerEnComposicion(frmBrowser &principal, const QString &nombre, const QString &proveedor, const QString &codArea,
                        const QString &numero)
{
    if (!DatosNumericosValidos(codArea, numero)) {
        PreguntarModificar(principal, nombre, proveedor, codArea, numero);
        return false;
    }
    const int indice = principal.cboAddress->findText(proveedor, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (indice < 0) {
        PreguntarProveedorNoDisponible(principal, nombre, true);
        return false;
    }
    principal.cboAddress->setCurrentIndex(indice);
    principal.cboAddress_Click();
    if (codArea == CodAreaAlias) {
        if (principal.txtalias->isHidden()) {
            PreguntarModificar(principal, nombre, proveedor, codArea, numero);
            return false;
        }
        principal.txtalias->setText(numero);
    } else {
        if (principal.txtCodArea->isHidden()) {
            PreguntarModificar(principal, nombre, proveedor, codArea, numero);
            return false;
        }
        principal.txtCodArea->setText(codArea);
        principal.txtNumero->setText(numero);
    }
    return true;
}

} // namespace

bool LeerContactos(const Ajustes &ajustes, Contactos *contactos)
{
    ParesAjustes pares;
    const bool leido = ajustes.enumerarConEstado(SeccionAgenda, &pares);
    Contactos filas;
    filas.reserve(pares.size());
    for (const auto &par : std::as_const(pares))
        filas.append({par.first, par.second});
    if (contactos)
        *contactos = filas;
    return leido;
}

void NuevoContacto(frmBrowser &principal)
{
    frmContacto dialogo(principal.ctx, RefrescoPanel(principal), &principal);
    CopiarProveedores(principal, dialogo);
    dialogo.txtNombre->clear();
    dialogo.txtCodArea->clear();
    dialogo.txtNumero->clear();
    dialogo.setWindowTitle(QStringLiteral("Agenda - Nuevo Contacto"));
    dialogo.Accion = QStringLiteral("Agregar");
    dialogo.exec();
    principal.ActualizarAgenda();
}

void AgendarDestinatario(frmBrowser &principal)
{
    frmContacto dialogo(principal.ctx, RefrescoPanel(principal), &principal);
    CopiarProveedores(principal, dialogo);
    dialogo.SeleccionarProveedor(principal.cboAddress->currentText());
    dialogo.txtNombre->clear();
    if (principal.txtalias->isHidden()) {
        dialogo.txtCodArea->setText(principal.txtCodArea->text());
        dialogo.txtNumero->setText(principal.txtNumero->text());
    } else {
        dialogo.txtCodArea->setText(CodAreaAlias);
        dialogo.txtNumero->setText(principal.txtalias->text());
    }
    dialogo.setWindowTitle(QStringLiteral("Agenda - Nuevo Contacto"));
    dialogo.Accion = QStringLiteral("Agregar");
    dialogo.exec();
    principal.ActualizarAgenda();
}

bool ModificarContacto(frmBrowser &principal, const QString &nombre, const QString &proveedor, const QString &codArea,
                       const QString &numero)
{
    frmContacto dialogo(principal.ctx, RefrescoPanel(principal), &principal);
    CopiarProveedores(principal, dialogo);
    if (!dialogo.SeleccionarProveedor(proveedor))
        return false;
    dialogo.txtNombre->setText(nombre);
    dialogo.txtCodArea->setText(codArea);
    dialogo.txtNumero->setText(numero);
    dialogo.setWindowTitle(QStringLiteral("Agenda - ") + nombre);
    dialogo.Accion = QStringLiteral("Modificar_") + nombre;
    dialogo.exec();
    principal.ActualizarAgenda();
    return true;
}

void EscribirAContacto(frmBrowser &principal, const QString &nombre, const QString &proveedor, const QString &codArea,
                       const QString &numero)
{
    if (PonerEnComposicion(principal, nombre, proveedor, codArea, numero))
        principal.cboRemitente->setFocus();
}

void EscribirAContactoPorNombre(frmBrowser &principal, const QString &nombre)
{
    const int fila = BuscarPorNombre(principal.ctx.contactos, nombre);
    if (fila < 0)
        return;
    CamposContacto campos;
    // A field that does not read back whole is used as read: the checks below decide.
    LeerCampos(principal.ctx.contactos.at(fila).registro, &campos);
    if (PonerEnComposicion(principal, campos.nombre, campos.proveedor, campos.codArea, campos.numero))
        principal.txtmsj->setFocus();
}

} // namespace Agenda

// The contacts of the main window: the recipient frame, the contacts panel, the
// quick-contact drop-down and the "/c:" command line, and the Agenda procedures
// that open the contact dialog or put a stored contact into the composer.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "agenda/principalagenda.h"
#include "agenda/registrocontacto.h"
#include "comun/composicion.h"
#include "comun/contexto.h"

class QAction;
class QLabel;
class QPushButton;
class QTreeWidget;

// The controls the contacts controller owns; the main window creates and places them.
struct ControlesContactos
{
    QLabel *lblNombreDestinatario = nullptr;
    QPushButton *cmdAgendar = nullptr;
    QPushButton *cmdAlEscritorio = nullptr;
    QTreeWidget *tvwContactos = nullptr; // node text: name; Qt::UserRole: the contact's record
    QPushButton *cmdEscribirA = nullptr;
    QPushButton *cmdAbrirAgenda = nullptr;
    QAction *accionesRapidas[10] = {}; // "rap1".."rap10" of the toolbar drop-down
    QAction *accionPersonalizar = nullptr;
    QAction *mnuAbrirAgenda = nullptr;
    QAction *mnuArchivoNuevoContacto = nullptr;
    QAction *mnuImportarAgenda = nullptr;
    QAction *mnuExportarAgenda = nullptr;
};

// What the contacts need of the rest of the main window beyond the composer's
// destination boxes: the provider list, the window and its guided tips.
class VentanaContactos
{
public:
    virtual ~VentanaContactos() = default;

    virtual QStringList proveedores() const = 0;
    virtual QString proveedorActual() const = 0;
    // Chooses the provider as a click in the list does; false when it is not listed.
    virtual bool elegirProveedor(const QString &proveedor) = 0;
    // A contact given on the command line brings the window up at once.
    virtual void mostrarVentana() = 0;
    // The guided tip that points at the recipient buttons goes before they act.
    virtual void cerrarGlobo() = 0;
    virtual QWidget *ventana() = 0;
};

class ControladorContactos final : public QObject, public PrincipalAgenda
{
    Q_OBJECT
public:
    ControladorContactos(Contexto &ctx, VentanaContactos &ventana, DestinoComposicion &composicion,
                         const ControlesContactos &controles, QObject *padre = nullptr);

    void ActualizarAgenda() override;
    void IniciarPanelContactos() override;
    void ProcesarLineaDeComandos(const QString &linea);
    void MostrarDestinatarioPorNumero();
    void MostrarDestinatarioPorAlias();
    // The recipient frame for whichever destination boxes are shown.
    void MostrarDestinatario();
    // The recipient frame's label, and whether it names a contact of the address book.
    QString nombreDestinatario() const;
    bool destinatarioAgendado() const;
    void cmdAgendar_Click();
    void cmdAlEscritorio_Click();
    // Also a double click on the tree and Enter in it.
    void cmdEscribirA_Click();
    void cmdAbrirAgenda_Click();
    // Entries "rap1".."rap10" of the quick-contact drop-down (`numero` 1 to 10).
    void Rapida_Click(int numero);
    void mnuExportarAgenda_Click();
    void mnuImportarAgenda_Click();

    // The Agenda procedures.
    void NuevoContacto() override;
    void AgendarDestinatario();
    // False (nothing shown) when `proveedor` is not an item of the provider list.
    bool ModificarContacto(const QString &nombre, const QString &proveedor, const QString &codArea,
                           const QString &numero) override;
    // Checks the contact and fills the composer; the focus goes to the sender box.
    void EscribirAContacto(const QString &nombre, const QString &proveedor, const QString &codArea,
                           const QString &numero) override;
    // Finds the contact by name; the focus goes to the message box. Silent when there is none.
    void EscribirAContactoPorNombre(const QString &nombre);

    QWidget *ventana() override { return ventana_.ventana(); }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    // Writes to the contact stored under `nombre`, as the panel and the quick entries do.
    void escribirAGuardado(const QString &nombre);
    void sinDestinatario(const QString &texto, bool agendarHabilitado);
    void conDestinatario(const QString &nombre);
    void eliminarContacto(const QString &nombre);
    void preguntarProveedorNoDisponible(const QString &nombre, bool conGuion);
    void preguntarModificar(const QString &nombre, const QString &proveedor, const QString &codArea,
                            const QString &numero);
    bool ponerEnComposicion(const QString &nombre, const QString &proveedor, const QString &codArea,
                            const QString &numero);

    Contexto &ctx;
    VentanaContactos &ventana_;
    DestinoComposicion &composicion_;
    ControlesContactos c;
    // Recipient lookups at every keystroke; rebuilt when ctx.contactos changes.
    Agenda::IndiceContactos indice;
};

// The contacts panel of the main window ("Contactos", beside the composer): the
// tree of contacts with "Escribir" and "Abrir Agenda", the switch to the
// improvements panel, the quick-contact drop-down of the toolbar, the "/c:"
// command line, and the Agenda procedures that open the contact dialog or put a
// stored contact into the composer. It owns its controls; the window places it,
// gives it orders through its slots and listens to its signals.
#pragma once

#include <QStringList>
#include <QWidget>

#include "agenda/principalagenda.h"
#include "agenda/registrocontacto.h"
#include "comun/composicion.h"
#include "comun/contexto.h"
#include "comun/controles.h"
#include "envio/mensajesaliente.h"

class QAction;
class QGroupBox;
class QMenu;
class QPushButton;
class QTreeWidget;

// The panel's controls; tvwContactos: node text the name, Qt::UserRole the contact's record.
// The quick-contact entries "rap1".."rap10" are named by their keys.
// clang-format off
#define NTX_CONTROLES_CONTACTOS(X) \
    X(QGroupBox, fraContactos) X(QTreeWidget, tvwContactos) X(QPushButton, cmdAlternarContactos) \
    X(QPushButton, cmdEscribirA) X(QPushButton, cmdAbrirAgenda) X(QMenu, menuAgendaRapida) \
    X(QAction, accionPersonalizar)
// clang-format on

// What the contacts need of the rest of the main window beyond the composer's
// destination boxes: the provider list and the window.
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
    virtual QWidget *ventana() = 0;
};

class PanelContactos final : public QWidget, public PrincipalAgenda
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelContactos)
public:
    PanelContactos(Contexto &ctx, VentanaContactos &ventana, DestinoComposicion &composicion, QWidget *padre = nullptr);

    // The quick-contact drop-down, which the window hangs on the toolbar's "agenda" button.
    QMenu *agendaRapida() const { return menuAgendaRapida; }

    // The Agenda procedures.
    // False (nothing shown) when `proveedor` is not an item of the provider list.
    bool ModificarContacto(const QString &nombre, const QString &proveedor, const QString &codArea,
                           const QString &numero) override;
    // Checks the contact and fills the composer; the focus goes to the sender box.
    void EscribirAContacto(const QString &nombre, const QString &proveedor, const QString &codArea,
                           const QString &numero) override;
    // Several contacts, or a group's members: the composer gets them as its recipients.
    void EscribirAVarios(const QStringList &nombres, const QString &grupo) override;
    QWidget *ventana() override { return ventana_.ventana(); }

public Q_SLOTS:
    // Reloads the contacts, the quick-contact entries and the recipient shown.
    void ActualizarAgenda() override;
    void IniciarPanelContactos() override;
    void ProcesarLineaDeComandos(const QString &linea);
    // Looks up whom the composer's destination boxes name; tells it by `destinatario`.
    void MostrarDestinatario();
    void NuevoContacto() override;
    // The contact dialog filled with the composer's destination.
    void AgendarDestinatario();
    // The address book window, modal.
    void AbrirAgenda();
    void ExportarAgenda();
    void ImportarAgenda();
    // A slide brought the panel in: its switch is back, focused, and the tree repainted.
    void terminarDeslizamiento();

Q_SIGNALS:
    // The recipient the destination boxes name, looked up in the address book.
    void destinatario(const DestinatarioSaliente &destinatario);
    // "Ver Mejoras": the improvements panel slides in.
    void verMejoras();
    // Several recipients chosen (contacts of the address book, each once); `grupo`
    // names the group they came from, empty when picked one by one.
    void varios(const QStringList &nombres, const QString &grupo);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private Q_SLOTS:
    // Also Enter in the tree.
    void cmdEscribirA_Click();
    void tvwContactos_DblClick();
    void cmdAbrirAgenda_Click();
    void cmdAlternarContactos_Click();
    // Entries "rap1".."rap10" of the quick-contact drop-down (`numero` 1 to 10).
    void Rapida_Click(int numero);

private:
    void crearControles();
    // Writes to the contact stored under `nombre`, as the panel and the quick entries do.
    void escribirAGuardado(const QString &nombre);
    // Contacts and groups expanded into one list of recipients; one contact alone goes the single way.
    void escribirAVariosGuardados(const QStringList &nombres, const QStringList &grupos);
    // Finds the contact by name; the focus goes to the message box. Silent when there is none.
    void EscribirAContactoPorNombre(const QString &nombre);
    void eliminarContacto(const QString &nombre);
    void preguntarProveedorNoDisponible(const QString &nombre, bool conGuion);
    void preguntarModificar(const QString &nombre, const QString &proveedor, const QString &codArea,
                            const QString &numero);
    bool ponerEnComposicion(const QString &nombre, const QString &proveedor, const QString &codArea,
                            const QString &numero);

    Contexto &ctx;
    VentanaContactos &ventana_;
    DestinoComposicion &composicion_;
    NTX_CONTROLES_CONTACTOS(NTX_CONTROLES_CAMPO)
    QAction *accionesRapidas[10] = {}; // "rap1".."rap10"
    // Recipient lookups at every keystroke; rebuilt when ctx.contactos changes.
    Agenda::IndiceContactos indice;
};

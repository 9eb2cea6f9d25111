// frmAgenda ("Agenda"): every contact of the store in a tree, with add, modify,
// delete and write-to, and the ten quick-contact slots. Shown modally; the
// procedures that open the contact dialog close it first and show it again,
// freshly loaded, afterwards (Mostrar / CerrarAbierta).
#pragma once

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include "agenda/contactos.h"
#include "comun/controles.h"

struct Contexto;
class PrincipalAgenda;

// clang-format off
#define NTX_CONTROLES_AGENDA(X) \
    X(QGroupBox, fraAgenda) X(QWidget, picAgenda) X(QTreeWidget, tvwAgenda) X(QPushButton, cmdAgregar) \
    X(QPushButton, cmdModificar) X(QPushButton, cmdEliminar) X(QPushButton, cmdEscribir) \
    X(QGroupBox, fraAgendaRapida) X(QWidget, picAgendaRapida) X(QPushButton, cmdAgregarRapida) \
    X(QPushButton, cmdEliminarRapida) X(QPushButton, cmdCerrar) X(QMenu, mnuPopAgregarRapida) \
    X(QMenu, mnuPopEliminarRapida) X(QStatusBar, StatusBar) X(QLabel, StatusBarPanel1) X(QLabel, StatusBarPanel2) \
    X(QPushButton, cmdImportarOtro) X(QPushButton, cmdExportarVCard) \
    X(QGroupBox, fraGrupos) X(QTreeWidget, tvwGrupos) X(QPushButton, cmdNuevoGrupo) \
    X(QPushButton, cmdRenombrarGrupo) X(QPushButton, cmdEliminarGrupo) X(QPushButton, cmdAgregarAGrupo) \
    X(QPushButton, cmdQuitarDeGrupo) X(QPushButton, cmdEscribirAGrupo) X(QPushButton, cmdAlEscritorioGrupo)
// clang-format on

// tvwAgenda's node text is the name, Qt::UserRole the record; several nodes may
// be selected. tvwGrupos holds a node per group with its members below it. The
// quick-slot menus hold their ten entries in order (mnuAgregar(1) .. (10)).
struct ControlesFrmAgenda
{
    NTX_CONTROLES(NTX_CONTROLES_AGENDA, ControlesFrmAgenda)
};

class frmAgenda final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAgenda)
public:
    frmAgenda(Contexto &ctx, PrincipalAgenda &principal, QWidget *parent = nullptr);
    ~frmAgenda() override;

    // Creates the window owned by the main window, loads it and shows it modally.
    static void Mostrar(Contexto &ctx, PrincipalAgenda &principal);
    // Closes the address book window that is shown, if any.
    static void CerrarAbierta();
    // The address book window that is shown now, or null.
    static frmAgenda *Abierta();

    // The window's own copy of section "Agenda1.0", as loaded.
    const Contactos &contactos() const { return m_contactos; }

    void done(int resultado) override;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private Q_SLOTS:
    void Form_Load();
    void tvwAgenda_NodeClick();
    void tvwAgenda_DblClick();
    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdEscribir_Click();
    void cmdCerrar_Click();
    void cmdAgregarRapida_Click();
    void cmdEliminarRapida_Click();
    void mnuAgregar_Click(int n);
    void mnuEliminar_Click(int n);
    void cmdImportarOtro_Click();
    void cmdExportarVCard_Click();
    void cmdNuevoGrupo_Click();
    void cmdRenombrarGrupo_Click();
    void cmdEliminarGrupo_Click();
    void cmdAgregarAGrupo_Click();
    void cmdQuitarDeGrupo_Click();
    void cmdEscribirAGrupo_Click();
    void cmdAlEscritorioGrupo_Click();

private:
    void tvwAgenda_KeyDown(int codigo);
    void llenarMenuRapidas(QAction *const *items, bool deshabilitarVacias);
    void mostrarDebajo(QMenu *menu, QPushButton *boton);
    void avisar(const QString &texto);
    void eliminarContacto(const QString &nombre);
    // Fills tvwGrupos and selects `elegir` when given.
    void cargarGrupos(const QString &elegir = {});
    // The group of the selected node (a group or one of its members); empty after a message.
    QString grupoElegido();
    void avisarGrupos(const QString &texto);

    Contexto &ctx;
    ControlesFrmAgenda ui;
    QAction *mnuAgregar[11] = {}; // indices 1 to 10
    QAction *mnuEliminar[11] = {};
    PrincipalAgenda &m_principal;
    Contactos m_contactos;
    // The contact of each quick slot as the menus were last built; empty: the slot is empty.
    QString m_rapidas[11];
};

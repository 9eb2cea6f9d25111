// frmImportarContactos ("Importar contactos de otro programa"): the contacts found
// in a phone's or a webmail's file before anything is stored, each with the
// number as it will be stored and its provider, the names already in the address
// book with what to do about them, and the lines refused with their reason.
// "Importar" stores them all in one transaction of the settings store.
#pragma once

#include <QDialog>

#include "agenda/controlesimportar.h"
#include "agenda/importacioncontactos.h"

struct Contexto;
class PrincipalAgenda;

namespace Agenda {
// "Exportar a vCard...": every contact a phone can call, in a vCard 4.0 file.
void ExportarVCard(Contexto &ctx);
} // namespace Agenda

class frmImportarContactos final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmImportarContactos)
public:
    frmImportarContactos(Contexto &ctx, PrincipalAgenda &principal, Agenda::LecturaContactos lectura,
                         const QString &nombreArchivo, QWidget *parent = nullptr);
    ~frmImportarContactos() override;

    // The whole command: the file dialog, reading the file, the preview shown
    // modally, the store and the summary. True when contacts were stored.
    static bool Importar(Contexto &ctx, PrincipalAgenda &principal, QWidget *padre);

    // Shows the window and builds the preview, with the progress bar and Cancel at
    // work; false when the user cancelled it (the window is then closed).
    bool Cargar();

    const Agenda::VistaPreviaImportacion &vista() const { return m_vista; }
    // Contacts stored by the last "Importar" (0 before).
    int importados() const { return m_importados; }

    // Closing while the preview is built cancels it.
    void reject() override;

private Q_SLOTS:
    void cboRegion_Click();
    void cboProveedor_Click();
    void cmdProveedorTodos_Click();
    void cboConflicto_Click();
    void cmdConflictoTodos_Click();
    void lvwContactos_ItemChanged(QTreeWidgetItem *item, int columna);
    void lvwContactos_SelectionChanged();
    void cmdImportar_Click();
    void cmdCancelar_Click();

private:
    void llenarListas();
    void mostrarFila(int i);
    void mostrarResumen();
    QList<int> filasElegidas() const;
    void avisar(const QString &texto, int icono);

    Contexto &ctx;
    PrincipalAgenda &m_principal;
    ControlesImportar c;
    Agenda::LecturaContactos m_lectura;
    Contactos m_existentes;
    Agenda::VistaPreviaImportacion m_vista;
    bool m_cargando = false;
    bool m_cancelado = false;
    bool m_llenando = false;
    int m_importados = 0;
};

// frmHistorial ("Mensajes enviados"): the stored messages in a list, the
// selected one in a preview pane, delete one or all, and resend into the main
// window's composer. Opened modally from the main window with MostrarHistorial.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QTreeView>

#include <memory>

#include "historial/modelohistorial.h"

struct Contexto;
class frmEspere;
class PrincipalHistorial;

class frmHistorial final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmHistorial)
public:
    frmHistorial(Contexto &ctx, PrincipalHistorial &principal, QWidget *parent = nullptr);
    ~frmHistorial() override;

    Contexto &ctx;

    QTreeView *lvwHistorial = nullptr; // report list over modelo()
    QGroupBox *fraVistaPrevia = nullptr;
    QWidget *picVistaPrevia = nullptr;
    QLabel *lblLabelFecha = nullptr, *lblLabelDe = nullptr, *lblLabelPara = nullptr, *lblLabelProveedor = nullptr;
    QLabel *lblFecha = nullptr, *lblDe = nullptr, *lblPara = nullptr, *lblProveedor = nullptr;
    QTextEdit *txtMensaje = nullptr;
    QPushButton *cmdReenviar = nullptr;
    QPushButton *cmdEliminar = nullptr;
    QPushButton *cmdEliminarTodos = nullptr;
    QPushButton *cmdCerrar = nullptr;
    QStatusBar *sbrHistorial = nullptr;

    ModeloHistorial *modelo() const { return modelo_; }
    // Panel 1 (count or state) and 2 (hint) of sbrHistorial.
    QString textoPanel(int panel) const;
    // The wait window while it exists (loading, deleting); null otherwise.
    frmEspere *espere() const { return espere_.get(); }

    // Loads and, unless a read error closed the window, keeps it open modally
    // until the user closes it.
    void Mostrar();

    // Reads the store and fills the window, then shows it (modal, owned by the
    // main window). False when a read error closed it instead.
    bool Form_Load();
    void lvwHistorial_ItemClick();
    void lvwHistorial_ColumnClick(int columna);
    void lvwHistorial_KeyDown(int codigo);
    void cmdReenviar_Click();
    void cmdEliminar_Click();
    void cmdEliminarTodos_Click();
    void cmdCerrar_Click();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    struct Huella
    {
        bool existe = false;
        qint64 tamano = 0;
        QDateTime modificado;
        bool operator==(const Huella &) const = default;
    };
    Huella huellaAlmacen() const;

    void mostrarEspere(const QString &titulo, const QString &texto);
    void cerrarEspere();
    void ponerAncho(int columna, int twips);
    void anchoParaTextos(int columna, const QStringList &textos);
    void ponerPanel(int panel, const QString &texto);
    void ponerMensaje(const QString &texto, Qt::Alignment alineacion);
    void almacenVacio(const QString &fila, const QString &mensaje, const QString &panel);
    void cerrarPorError(const QString &texto);
    int filaSeleccionada() const;

    PrincipalHistorial &principal_;
    ModeloHistorial *modelo_ = nullptr;
    QLabel *panel1_ = nullptr;
    QLabel *panel2_ = nullptr;
    std::unique_ptr<frmEspere> espere_;
    Huella huella_; // the store as it was when the list was read
    bool llenando_ = false;
};

// The menu item mnuHistorialMsjs and the toolbar button "historial": opens the
// history window modally, then shows the main window again.
void MostrarHistorial(Contexto &ctx, PrincipalHistorial &principal);

// frmHistorial ("Mensajes enviados"): the stored messages in a list, the
// selected one in a preview pane, delete one or all, and resend into the main
// window's composer. Opened modally from the main window with MostrarHistorial.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QStatusBar>
#include <QTextEdit>
#include <QTreeView>

#include <memory>

#include "comun/controles.h"
#include "historial/modelohistorial.h"

struct Contexto;
class frmEspere;
class PrincipalHistorial;

// clang-format off
#define NTX_CONTROLES_HISTORIAL(X) \
    X(QTreeView, lvwHistorial) X(QGroupBox, fraVistaPrevia) X(QWidget, picVistaPrevia) \
    X(QLabel, lblLabelFecha) X(QLabel, lblLabelDe) X(QLabel, lblLabelPara) X(QLabel, lblLabelProveedor) \
    X(QLabel, lblFecha) X(QLabel, lblDe) X(QLabel, lblPara) X(QLabel, lblProveedor) X(QTextEdit, txtMensaje) \
    X(QPushButton, cmdReenviar) X(QPushButton, cmdEliminar) X(QPushButton, cmdEliminarTodos) \
    X(QPushButton, cmdCerrar) X(QStatusBar, sbrHistorial) \
    X(QLineEdit, txtBuscar) X(QLabel, lblCuenta) X(QPushButton, cmdExportar)
// clang-format on

// lvwHistorial is a report list over the window's ModeloHistorial; txtBuscar filters
// it as the user types and lblCuenta says "12 de 3.456 mensajes".
struct ControlesFrmHistorial
{
    NTX_CONTROLES(NTX_CONTROLES_HISTORIAL, ControlesFrmHistorial)
};

class frmHistorial final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmHistorial)
public:
    frmHistorial(Contexto &ctx, PrincipalHistorial &principal, QWidget *parent = nullptr);
    ~frmHistorial() override;

    ModeloHistorial *modelo() const { return modelo_; }
    // Panel 1 (count or state) and 2 (hint) of sbrHistorial.
    QString textoPanel(int panel) const;
    // The wait window while it exists (loading, deleting); null otherwise.
    frmEspere *espere() const { return espere_.get(); }

    // Loads and, unless a read error closed the window, keeps it open modally
    // until the user closes it.
    void Mostrar();
    // Loads and shows the window (modal, owned by the main window) and returns
    // at once. False when a read error closed it instead.
    bool Abrir();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private Q_SLOTS:
    // Reads the store and fills the window, then shows it. False when a read error closed it.
    bool Form_Load();
    void lvwHistorial_ItemClick();
    void lvwHistorial_ColumnClick(int columna);
    void lvwHistorial_KeyDown(int codigo);
    void cmdReenviar_Click();
    void cmdEliminar_Click();
    void cmdEliminarTodos_Click();
    void cmdCerrar_Click();
    void txtBuscar_Change();
    void cmdExportar_Click();

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
    // The search of txtBuscar applied to the list just read or filtered again.
    void mostrarBusqueda();

    Contexto &ctx;
    PrincipalHistorial &principal_;
    ControlesFrmHistorial ui;
    ModeloHistorial *modelo_ = nullptr;
    QLabel *panel1_ = nullptr;
    QLabel *panel2_ = nullptr;
    std::unique_ptr<frmEspere> espere_;
    Huella huella_;     // the store as it was when the list was read
    QRect geometria_;   // where the window was before a reload hid it
    double escala_ = 1; // the font's letters against those the twips were chosen for
    bool llenando_ = false;
};

// The menu item mnuHistorialMsjs and the toolbar button "historial": opens the
// history window modally, then shows the main window again.
void MostrarHistorial(Contexto &ctx, PrincipalHistorial &principal);

// The controls of the main window, as a form-designer class would hold them: one
// list gives the struct's fields and each control's object name. The window holds
// only its own (ControlesVentana); the panels hold theirs. Tests find any control
// of a built window, its own or a panel's, by name (ControlesBrowser::buscar).
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "agenda/panelcontactos.h"
#include "agenda/paneldestinatario.h"
#include "comando/panelesweb.h"
#include "mejoras/panelagregados.h"
#include "mejoras/panelcomposicion.h"
#include "plataforma/combodesplegable.h"
#include "plataforma/vistaweb.h"
#include "shell/barraestado.h"

// clang-format off
#define NTX_CONTROLES_BROWSER(X) \
    X(QFrame, fraBarra) X(QToolBar, tbToolBar) X(QToolButton, botonAgenda) \
    X(QAction, accionInicio) X(QAction, accionHistorial) \
    X(QLabel, lblAddress) X(ComboDesplegable, cboAddress) X(QLabel, lblBuscarEmpresa) \
    X(QWidget, picEscritura) X(PanelComposicion, fraDatos) \
    X(PanelDestinatario, fraDestinatario) X(PanelContactos, picContactos) \
    X(PanelAgregados, picMejoras) \
    X(BarraEstado, StatusBar1) \
    X(QMenu, mnuArchivo) X(QAction, mnuAbrirAgenda) X(QAction, mnuArchivoNuevoContacto) \
    X(QAction, mnuHistorialMsjs) X(QMenu, mnuSubImportar) X(QMenu, mnuSubExportar) \
    X(QAction, mnuImportarAgenda) X(QAction, mnuImportarAbreviaturas) X(QAction, mnuExportarAgenda) \
    X(QAction, mnuExportarAbreviaturas) X(QAction, mnuPreferencias) X(QAction, mnuArchivoSalir) \
    X(QMenu, mnuMejoras) \
    X(QMenu, mnuHerramientas) X(QAction, mnuAsistenteConfiguracion) X(QAction, mnuAbreviaturas) \
    X(QAction, mnuntxGeo) X(QAction, mnuAutoVersion) X(QAction, mnuBuscarActualizacion) \
    X(QMenu, MnuAyuda) X(QAction, mnuAyudaWeb) X(QAction, mnuAyudaHistoria) X(QAction, mnuEstadoServicios) \
    X(QAction, mnuntxvarelcomar) X(QAction, MnuAyudantxVarelAutor) X(QAction, mnuforosdentx) \
    X(QAction, mnuAyudaComentarios) X(QAction, mnuAcercade) X(QMenu, mnuNotificacion) X(QAction, mnuNotifAbrir) X(QAction, mnuNotifSalir) \
    X(QTimer, timToolTips) X(QTimer, timDestroyToolTips) \
    X(QTimer, timAnti) X(QTimer, timAlternarContactos) X(QTimer, timAlternarMejoras)
// clang-format on

struct ControlesVentana
{
#define NTX_CAMPO(tipo, nombre) tipo *nombre = nullptr;
    NTX_CONTROLES_BROWSER(NTX_CAMPO)
#undef NTX_CAMPO

    // Gives every control its own name as object name.
    void nombrar()
    {
#define NTX_NOMBRE(tipo, nombre) nombre->setObjectName(QStringLiteral(#nombre));
        NTX_CONTROLES_BROWSER(NTX_NOMBRE)
#undef NTX_NOMBRE
    }
};

// For tests: every control of a built window, the window's and its panels'.
struct ControlesBrowser : ControlesVentana
{
#define NTX_CAMPO(tipo, nombre) tipo *nombre = nullptr;
    NTX_CONTROLES_COMPOSICION(NTX_CAMPO)
    NTX_CONTROLES_CONTACTOS(NTX_CAMPO)
    NTX_CONTROLES_DESTINATARIO(NTX_CAMPO)
    NTX_CONTROLES_AGREGADOS(NTX_CAMPO)
    NTX_CONTROLES_PANELESWEB(NTX_CAMPO)
#undef NTX_CAMPO
    QAction *accionesRapidas[10] = {}; // "rap1".."rap10"

    // The controls of a built window, found by their names.
    static ControlesBrowser buscar(const QObject &ventana)
    {
        ControlesBrowser c;
#define NTX_BUSCAR(tipo, nombre) c.nombre = ventana.findChild<tipo *>(QStringLiteral(#nombre));
        NTX_CONTROLES_BROWSER(NTX_BUSCAR)
        NTX_CONTROLES_COMPOSICION(NTX_BUSCAR)
        NTX_CONTROLES_CONTACTOS(NTX_BUSCAR)
        NTX_CONTROLES_DESTINATARIO(NTX_BUSCAR)
        NTX_CONTROLES_AGREGADOS(NTX_BUSCAR)
        NTX_CONTROLES_PANELESWEB(NTX_BUSCAR)
#undef NTX_BUSCAR
        for (int i = 0; i < 10; ++i)
            c.accionesRapidas[i] = ventana.findChild<QAction *>(QStringLiteral("rap") + QString::number(i + 1));
        return c;
    }
};

// frmBrowser: the client's main window. It places the panels (composer, contacts,
// recipient row, improvements, web views), each owning its controls, connects
// them in one place (conectar), and writes out the chains that cross them (load,
// close, provider change). Its own controls and handlers are those of the window:
// tray, side-panel slide, menus that gather several subsystems, toolbar.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "agenda/panelcontactos.h"
#include "agenda/paneldestinatario.h"
#include "comando/panelesweb.h"
#include "comun/contexto.h"
#include "envio/controladorcola.h"
#include "envio/controladorenvio.h"
#include "historial/controladorhistorial.h"
#include "mejoras/frmpreferencias.h"
#include "mejoras/panelagregados.h"
#include "mejoras/panelcomposicion.h"
#include "shell/controladorayuda.h"
#include "shell/controladortips.h"
#include "shell/controlesbrowser.h"

class QKeyEvent;
class QSystemTrayIcon;

class frmBrowser final : public QMainWindow,
                         private VentanaContactos,
                         private VentanaHistorial,
                         private VentanaPanelesWeb,
                         private VentanaTips,
                         private VentanaAyuda
{
    Q_OBJECT
public:
    explicit frmBrowser(Contexto &ctx, QWidget *parent = nullptr);
    ~frmBrowser() override;

    Contexto &ctx;

    // Runs the load sequence; false when the process was told to end.
    bool Form_Load();
    void Form_Unload();
    // A load step failed: the critical box with the system's description, then the process ends.
    void ErrorAlInicializar(const QString &descripcion);

    PanelComposicion &composicion() { return *composicion_; }
    // The contacts panel: the receiver window hands it a second start's command line.
    PanelContactos &contactos() { return *ui.picContactos; }
    ControladorEnvio &envio() { return *envio_; }
    // The messages to several recipients, one delivery window after another.
    ControladorCola &cola() { return *cola_; }
    ControladorHistorial &historial() { return *historial_; }
    PanelesWeb &panelesWeb() { return *paneles_; }
    ControladorTips &tips() { return *tips_; }
    ControladorAyuda &ayuda() { return *ayuda_; }

    // ---- The window's own handlers ----
    void cboAddress_Click();
    void SeleccionarProveedor(const QString &nombre);
    void tbToolBar_ButtonClick(const QString &clave);
    void mnuMejoras_Click();
    void mnuHerramientas_Click();
    void mnuArchivoSalir_Click();
    void mnuNotifAbrir_Click();
    void mnuNotifSalir_Click();
    void Form_Resize();
    // Hides the window behind a new tray icon.
    void ponerEnBandeja();
    void Form_MouseMove(int botones, int shift, double x, double y);
    void frmBrowserMinimizado(double x);
    void timAlternarContactos_Timer();
    void timAlternarMejoras_Timer();

    // Panel 1 of the status bar: picture (1 delivered, 2 not delivered, 3 connecting,
    // 4 normal, 5 ready, 6 warning) and text.
    void ponerEstado(int imagen, const QString &texto) override;

    // Set by the start-up while the splash shows: a contact given on the command line
    // brings the main window up at once.
    std::function<void()> ocultarPresentacion;

    // Left edge of a side panel in twips (single precision), as the slide moves it.
    float izquierdaPanel(const QWidget *panel) const;
    // The tray icon, present only while the window sits in the notification area.
    QSystemTrayIcon *iconoBandeja() const { return bandeja; }

    // ---- Window state ----
    bool LMateAjuste = false;
    bool AbreviaturasAjuste = false;
    QString PanelVisible;
    bool bandejaGlobo = false;    // balloon already shown this run
    bool avisoSinBandeja = false; // told this run that there is no notification area
    bool enBandeja = false;       // hidden in the notification area
    bool bandejaOcupada = false;
    int bandejaMensaje = 0;
    qint16 velocidadSale = 0, velocidadEntra = 0;

    // Shown again after a hide (tray, update, history), the window asks for the place it had.
    void setVisible(bool visible) override;

protected:
    void changeEvent(QEvent *evento) override;
    void moveEvent(QMoveEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    bool focusNextPrevChild(bool siguiente) override;

private:
    // What the subsystems see of the window.
    QWidget *ventana() override { return this; }
    QStringList proveedores() const override;
    QString proveedorActual() const override;
    bool elegirProveedor(const QString &proveedor) override;
    void mostrarVentana() override;
    bool escrituraVisible() const override;
    void ocultarVentana() override;
    bool hayProveedor() const override;
    void limpiarProveedor() override;
    void mostrarEscritura(bool visible) override;
    bool ventanaALaVista() const override;

    // "Ver Mejoras" was pressed: the improvements panel slides in.
    void deslizarAMejoras();
    // "Ver Contactos" was pressed: the contacts panel slides in.
    void deslizarAContactos();
    // The preferences dialog, modal, on tab `pestana` (0 to 3).
    void abrirPreferencias(int pestana);
    // The load's steps after the settings are read; a failure throws.
    void CargarPasos();
    void crearControles();
    void crearMenus();
    void prepararTeclado();
    void crearControladores();
    void conectar();
    // The composer captured a message: the provider and the recipient frame complete it once.
    void enviarMensaje(MensajeSaliente mensaje);
    // A delivery window ended: status bar, composer and history, in that order.
    void envioTerminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado);
    // Several recipients were chosen: the composer's boxes give way to the list.
    void escribirAVarios(const QStringList &nombres, const QString &grupo);
    // The list changed (empty: back to one recipient): the counter's limit follows it.
    void variosCambiados(const QStringList &nombres);
    void borrarIconoBandeja();
    void ponerIzquierdaPanel(QWidget *panel, float twips);
    // One tick of a side-panel slide; true when the incoming panel has arrived.
    bool pasoDeslizamiento(QWidget *sale, QWidget *entra);

    ControlesVentana ui;
    PanelComposicion *composicion_ = nullptr;
    std::unique_ptr<ControladorEnvio> envio_;
    std::unique_ptr<ControladorHistorial> historial_;
    std::unique_ptr<ControladorCola> cola_;
    PanelesWeb *paneles_ = nullptr;
    std::unique_ptr<ControladorTips> tips_;
    std::unique_ptr<ControladorAyuda> ayuda_;
    QSystemTrayIcon *bandeja = nullptr;
    QRect lugarAlOcultarse;        // client-area geometry when last hidden; null before
    bool recuperandoLugar = false; // shown again, not yet exposed: a placement by the window manager is undone
};

// frmBrowser: the client's main window. Its controls are members named as the
// program names them; each handler reads controls, calls the nucleus and writes
// controls. The handlers of the composer, the send command and the contacts are
// implemented next to the rules they bind (see the file named on each group).
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

#include "comun/contexto.h"
#include "shell/barraestado.h"

class QKeyEvent;
class QSystemTrayIcon;

class frmBrowser final : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmBrowser(Contexto &ctx, QWidget *parent = nullptr);
    ~frmBrowser() override;

    Contexto &ctx;

    // Runs the load sequence; false when the process was told to end.
    bool Form_Load();

    // ---- Areas and controls (shell/frmbrowser.cpp creates them) ----
    QFrame *fraBarra = nullptr;
    QToolBar *tbToolBar = nullptr;
    QToolButton *botonAgenda = nullptr; // toolbar button "agenda" with the quick-contact drop-down
    QMenu *menuAgendaRapida = nullptr;  // entries "rap1".."rap10" and "personalizar"
    QAction *accionesRapidas[10] = {};  // index 0 is "rap1"
    QAction *accionPersonalizar = nullptr;

    QLabel *lblAddress = nullptr;
    QComboBox *cboAddress = nullptr;
    QLabel *lblBuscarEmpresa = nullptr;

    VistaWeb *brwPublicidad = nullptr;
    VistaWeb *brwWebBrowser = nullptr;
    VistaWeb *brwConfWeb = nullptr;

    QWidget *picEscritura = nullptr;
    QGroupBox *fraDatos = nullptr;
    QLabel *lblCodArea = nullptr;
    QLineEdit *txtCodArea = nullptr;
    QLabel *lblNumero = nullptr;
    QLineEdit *txtNumero = nullptr;
    QLabel *lblalias = nullptr;
    QLineEdit *txtalias = nullptr;
    QLabel *lblremitente = nullptr;
    QComboBox *cboRemitente = nullptr;
    QPlainTextEdit *txtmsj = nullptr;
    QLineEdit *txtcarescritos = nullptr;
    QLabel *lblcarescritos = nullptr;
    QLineEdit *txtmaxcar = nullptr;
    QLabel *lblmaxcar = nullptr;
    QPushButton *cmdlimpiar = nullptr;
    QPushButton *cmdEnviar = nullptr;

    QGroupBox *fraDestinatario = nullptr;
    QLabel *lblNombreDestinatario = nullptr;
    QPushButton *cmdAgendar = nullptr;
    QPushButton *cmdAlEscritorio = nullptr;

    QWidget *picContactos = nullptr;
    QPushButton *cmdAlternarContactos = nullptr;
    QPushButton *cmdEscribirA = nullptr;
    QPushButton *cmdAbrirAgenda = nullptr;
    QGroupBox *fraContactos = nullptr;
    QTreeWidget *tvwContactos = nullptr; // node text: name; Qt::UserRole: the contact's record

    QWidget *picMejoras = nullptr;
    QPushButton *cmdAlternarMejoras = nullptr;
    QGroupBox *fraAgreguealMensaje = nullptr;
    QPushButton *cmdEmoticon = nullptr;
    QPushButton *cmdImagenes = nullptr;
    QPushButton *cmdFirmas = nullptr;
    QGroupBox *fraMejorasEscritura = nullptr;
    QCheckBox *chkHistorial = nullptr;
    QCheckBox *chkLMate = nullptr;        // tristate: 0 clear, 1 ticked, 2 grey
    QCheckBox *chkAbreviaturas = nullptr; // tristate

    BarraEstado *StatusBar1 = nullptr;

    // Menus (the names of the menu bar)
    QMenu *mnuArchivo = nullptr;
    QAction *mnuAbrirAgenda = nullptr, *mnuArchivoNuevoContacto = nullptr, *mnuHistorialMsjs = nullptr;
    QMenu *mnuSubImportar = nullptr, *mnuSubExportar = nullptr;
    QAction *mnuImportarAgenda = nullptr, *mnuImportarAbreviaturas = nullptr;
    QAction *mnuExportarAgenda = nullptr, *mnuExportarAbreviaturas = nullptr;
    QAction *mnuPreferencias = nullptr, *mnuArchivoSalir = nullptr;
    QMenu *mnuMejoras = nullptr;
    QAction *mnuMejorasLenguajeMate = nullptr, *mnuMejorasAbreviaturas = nullptr, *mnuHistorial = nullptr;
    QMenu *mnuIconosGestuales = nullptr, *mnuCaras = nullptr, *mnuCaritas = nullptr, *mnuCosas = nullptr;
    QMenu *mnuSaludosyFirmas = nullptr, *mnuSubSaludos = nullptr, *mnuSubFirmas = nullptr;
    QAction *mnuSaludosyFirmasPersonalizar = nullptr, *mnuPOPImagenes = nullptr;
    QMenu *mnuHerramientas = nullptr;
    QAction *mnuAsistenteConfiguracion = nullptr, *mnuAbreviaturas = nullptr, *mnuntxGeo = nullptr;
    QAction *mnuAutoVersion = nullptr, *mnuBuscarActualizacion = nullptr;
    QMenu *MnuAyuda = nullptr;
    QMenu *mnuNotificacion = nullptr;
    QAction *mnuNotifAbrir = nullptr, *mnuNotifSalir = nullptr;

    // Timers
    QTimer timToolTips, timDestroyToolTips, timPublicidad, timTimer, timAnti, timAlternarContactos, timAlternarMejoras;

    // ---- Window state ----
    bool LMateAjuste = false;
    bool AbreviaturasAjuste = false;
    bool LenguajeMateActivo = false; // the LMate switch, written back on close
    QString PanelVisible;
    bool HistorialPermanente = true;
    bool bandejaGlobo = false; // balloon already shown this run
    bool enBandeja = false;    // hidden in the notification area
    bool bandejaOcupada = false;
    int bandejaMensaje = 0;
    qint16 velocidadSale = 0, velocidadEntra = 0;
    qint16 ContadorCorto = 0, ContadorLargo = 0;
    qint16 minutosCorto = 0, minutosLargo = 0;
    QList<QPair<QString, QString>> TablaAbreviaturas; // (word, replacement)
    bool publicidadRespaldo = false;                  // the band shows the local advertising page
    // Emoticons, pictures, greetings and signatures are wired: the "Mejoras" menu may offer them.
    bool agregadosDisponibles = false;

    // Panel 1 of the status bar: picture (1 delivered, 2 not delivered, 3 connecting,
    // 4 normal, 5 ready, 6 warning) and text.
    void ponerEstado(int imagen, const QString &texto) { StatusBar1->ponerPanel1(imagen, texto); }

    // ---- Main window (shell/frmbrowser.cpp) ----
    void cboAddress_Click();
    void cboAddress_DropDown();
    void SeleccionarProveedor(const QString &nombre);
    void tbToolBar_ButtonClick(const QString &clave);
    void mnuMejoras_Click();
    void mnuHerramientas_Click();
    void mnuMejorasLenguajeMate_Click();
    void mnuMejorasAbreviaturas_Click();
    void mnuArchivoSalir_Click();
    void mnuNotifAbrir_Click();
    void mnuNotifSalir_Click();
    void Form_Resize();
    void Form_Unload();
    void Form_MouseMove(int botones, int shift, double x, double y);
    void frmBrowserMinimizado(double x);
    void cmdAlternarContactos_Click();
    void cmdAlternarMejoras_Click();
    void timAlternarContactos_Timer();
    void timAlternarMejoras_Timer();
    void timTimer_Timer();
    void timAnti_Timer();
    void timPublicidad_Timer();
    void mnuBuscarActualizacion_Click();

    // Web panels and remote configuration (comando/frmbrowser_paneles.cpp)
    void brwWebBrowser_BeforeNavigate2(const QString &url, const QString &marco, const QByteArray &post,
                                       const QString &cabeceras, bool &cancelar);
    void brwWebBrowser_NavigateError(const QString &url, const QString &marco, int codigo, bool &cancelar);
    void brwPublicidad_BeforeNavigate2(const QString &url, const QString &marco, const QByteArray &post,
                                       const QString &cabeceras, bool &cancelar);
    void brwPublicidad_NavigateError(const QString &url, const QString &marco, int codigo, bool &cancelar);
    void brwConfWeb_DocumentComplete(const QString &url);
    void brwWebBrowser_NavigateComplete2(const QString &url);
    void brwPublicidad_DocumentComplete(const QString &url);

    // History switches (historial/frmbrowser_historial.cpp)
    void chkHistorial_Click();
    void mnuHistorial_Click();

    // Composer (mejoras/frmbrowser_composicion.cpp)
    void txtmsj_Change();
    void txtcarescritos_Change();
    void ActualizarContador();
    void chkLMate_Click();
    void chkAbreviaturas_Click();
    void CargarAbreviaturas();
    void txtCodArea_KeyPress(int &tecla);
    void txtNumero_KeyPress(int &tecla);
    void txtalias_KeyPress(int &tecla);
    void txtCodArea_GotFocus();
    void txtNumero_GotFocus();
    void txtalias_GotFocus();
    void txtCodArea_Change();
    void txtNumero_Change();
    void txtalias_Change();
    void cmdlimpiar_Click();
    void cboRemitente_DropDown();
    void cboRemitente_Change();
    void cboRemitente_Click();
    void cboRemitente_GotFocus();
    void cboRemitente_KeyPress(int &tecla);
    // The message with CR LF at each line break, whatever the widget keeps inside.
    QString textoMensaje() const;
    void ponerTextoMensaje(const QString &texto);

    // Send command (envio/frmbrowser_envio.cpp)
    void cmdEnviar_Click();

    // Contacts (agenda/frmbrowser_agenda.cpp)
    void ActualizarAgenda();
    void IniciarPanelContactos();
    void ProcesarLineaDeComandos(const QString &linea);
    void MostrarDestinatarioPorNumero();
    void MostrarDestinatarioPorAlias();
    void cmdAgendar_Click();
    // Set by the start-up while the splash shows: a contact given on the command line
    // brings the main window up at once.
    std::function<void()> ocultarPresentacion;

    // Left edge of a side panel in twips (single precision), as the slide moves it.
    float izquierdaPanel(const QWidget *panel) const;
    void ponerIzquierdaPanel(QWidget *panel, float twips);
    // The tray icon, present only while the window sits in the notification area.
    QSystemTrayIcon *iconoBandeja() const { return bandeja; }
    // Local page of the program folder's "logica" folder, as a file address.
    QString paginaLocal(const QString &nombre) const;
    // A page of the maker's site: "/ntxbin/princ/princ2_5" and so on.
    QString paginaSitio(const QString &ruta) const;
    // On the host and port of the maker's site, or naming it; a local file never is.
    bool esSitio(const QString &direccion) const;

private:
    QSystemTrayIcon *bandeja = nullptr;
    QAction *accionInicio = nullptr, *accionHistorial = nullptr;
    void crearControles();
    void crearMenus();
    void conectar();
    void borrarIconoBandeja();
    bool teclaEnControl(QObject *control, QKeyEvent *evento);
    // One tick of a side-panel slide; true when the incoming panel has arrived.
    bool pasoDeslizamiento(QWidget *sale, QWidget *entra);

protected:
    void changeEvent(QEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;
};

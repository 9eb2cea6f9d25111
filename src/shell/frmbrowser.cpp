// frmBrowser: creation of the main window's controls at their fixed places, its
// menus, timers and controllers, the chains that cross subsystems (load, close,
// provider change) and the window's own handlers (tray, side-panel slide, menus,
// toolbar).
#include "shell/frmbrowser.h"
#include "comun/imagenestado.h"

#include "agenda/grupos.h"
#include "comun/claves.h"
#include "envio/proveedores.h"
#include "plataforma/colocacion.h"
#include "plataforma/colores.h"
#include "plataforma/teclado.h"
#include "shell/iconobandeja.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <cmath>

using namespace colocacion;

namespace {

// Assigning a fractional value to a 16-bit integer rounds halves to the even integer.
qint16 frenar(qint16 velocidad)
{
    return qint16(std::nearbyint(velocidad - velocidad / 70.0));
}

} // namespace

frmBrowser::frmBrowser(Contexto &contexto, QWidget *parent)
    : QMainWindow(parent)
    , ctx(contexto)
{
    // The pictures live in the static library's resources.
    Q_INIT_RESOURCE(recursos);
    setWindowTitle(QStringLiteral("NTX Mensajes"));
    setWindowIcon(QIcon(QStringLiteral(":/iconos/ntx.svg")));
    QFont fuente(QStringLiteral("Tahoma"));
    fuente.setPointSize(8);
    setFont(fuente);
    crearControles();
    crearMenus();
    // The controls stand at fixed places: the window keeps their size, without a maximise
    // button, and ends where the status bar does.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui.nombrar();
    crearControladores();
    conectar();
    prepararTeclado();
    ui.cboAddress->setFocus(); // the first thing to do; a keyboard user starts there
}

// Reached and read without a mouse: the provider list named by its label, the toolbar's
// buttons stops of Tab, the quick contacts opened by Down on "Agenda".
void frmBrowser::prepararTeclado()
{
    // Alt+P reaches the provider list from anywhere in the window.
    ui.lblAddress->setText(QStringLiteral("Elija un &proveedor para escribir el mensaje:"));
    ui.lblAddress->setBuddy(ui.cboAddress);
    ui.cboAddress->setAccessibleName(QStringLiteral("Proveedor"));
    ui.cboAddress->setAccessibleDescription(QStringLiteral("Elija un proveedor para escribir el mensaje"));
    for (QAction *accion : {ui.accionInicio, ui.accionHistorial}) {
        if (QWidget *boton = ui.tbToolBar->widgetForAction(accion))
            boton->setFocusPolicy(Qt::TabFocus);
    }
    ui.botonAgenda->setFocusPolicy(Qt::TabFocus);
    ui.botonAgenda->setAccessibleDescription(ui.botonAgenda->toolTip() +
                                             QStringLiteral("; flecha abajo: Agenda Rápida"));
    ui.botonAgenda->installEventFilter(this);
}

bool frmBrowser::focusNextPrevChild(bool siguiente)
{
    // The order of the screen, panel by panel: the web views' own order of creation
    // would send Tab back to the toolbar from the advertising band for ever.
    return EnfocarEnOrden(centralWidget(), siguiente) || QMainWindow::focusNextPrevChild(siguiente);
}

frmBrowser::~frmBrowser()
{
    borrarIconoBandeja();
}

void frmBrowser::crearControles()
{
    auto *cliente = new QWidget(this);
    cliente->setObjectName(QStringLiteral("areaCliente"));
    cliente->setFixedSize(twips(0, 0, 11010, 7245).size());
    setCentralWidget(cliente);

    // Toolbar
    ui.fraBarra = new QFrame(cliente);
    ui.fraBarra->setGeometry(twips(0, 15, 3375, 795));
    ui.tbToolBar = new QToolBar(ui.fraBarra);
    ui.tbToolBar->setGeometry(twips(120, 0, 2970, 690));
    ui.tbToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ui.tbToolBar->setIconSize(QSize(24, 24));
    ui.tbToolBar->setMovable(false);
    ui.tbToolBar->setFloatable(false);
    ui.accionInicio = ui.tbToolBar->addAction(QIcon(QStringLiteral(":/barra/inicio.svg")), QStringLiteral("Inicio"));
    ui.accionInicio->setData(QStringLiteral("Home"));
    ui.accionInicio->setToolTip(QStringLiteral("Vuelve a la presentación"));
    ui.tbToolBar->addSeparator()->setData(QStringLiteral("sep1"));
    ui.accionHistorial =
        ui.tbToolBar->addAction(QIcon(QStringLiteral(":/barra/enviados.svg")), QStringLiteral("Enviados"));
    ui.accionHistorial->setData(QStringLiteral("historial"));
    ui.accionHistorial->setToolTip(QStringLiteral("Muestra los mensajes enviados"));
    ui.tbToolBar->addSeparator()->setData(QStringLiteral("sep2"));

    ui.botonAgenda = new QToolButton(ui.tbToolBar);
    ui.botonAgenda->setText(QStringLiteral("Agenda"));
    ui.botonAgenda->setToolTip(QStringLiteral("Abre la Agenda"));
    ui.botonAgenda->setIcon(QIcon(QStringLiteral(":/barra/agenda.svg")));
    ui.botonAgenda->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ui.tbToolBar->addWidget(ui.botonAgenda);

    // Provider choice
    ui.lblAddress =
        etiqueta(QStringLiteral("Elija un proveedor para escribir el mensaje:"), cliente, twips(3480, 120, 5715, 240));
    ui.cboAddress = new ComboDesplegable(cliente);
    ui.cboAddress->setGeometry(twips(3480, 360, 5715, 315));
    for (const Proveedor &p : TablaProveedores())
        ui.cboAddress->addItem(p.nombre);
    ui.cboAddress->setCurrentIndex(-1);
    ui.lblBuscarEmpresa = etiqueta(QStringLiteral("<span style=\"color:%1\">Detectar proveedor</span>")
                                       .arg(ColorLegible(Qt::blue, palette().color(QPalette::Window)).name()),
                                   cliente, twips(9360, 405, 1500, 240));
    ui.lblBuscarEmpresa->setCursor(Qt::PointingHandCursor);

    // Web views: the advertising band, the home area and the configuration reader.
    paneles_ = new PanelesWeb(ctx, static_cast<VentanaPanelesWeb &>(*this), cliente, this);

    // Composer
    ui.picEscritura = new QWidget(cliente);
    ui.picEscritura->setGeometry(twips(0, 2280, 11020, 4635));
    ui.picEscritura->hide();

    // Composer: its controls are its own; the switches it drives are handed over once they exist.
    composicion_ = new PanelComposicion(ctx, ui.picEscritura);
    ui.fraDatos = composicion_;

    ui.fraDestinatario = new PanelDestinatario(ctx, ui.picEscritura);

    // Side panels: both at the same place; the slide moves them in twips.
    ui.picContactos = new PanelContactos(ctx, static_cast<VentanaContactos &>(*this),
                                         static_cast<DestinoComposicion &>(*composicion_), ui.picEscritura);
    ponerIzquierdaPanel(ui.picContactos, 6840);
    ui.botonAgenda->setMenu(ui.picContactos->agendaRapida());
    // A press opens the address book; its arrow, the quick contacts.
    ui.botonAgenda->setPopupMode(QToolButton::MenuButtonPopup);
    // The three buttons stay in sight: with the desktop's fonts the bar may need more
    // than its place, up to the provider list across and the advertising band down
    // (the captions' descenders are cut otherwise).
    const QSize pideBarra = ui.tbToolBar->sizeHint();
    const int anchoBarra = std::min(pideBarra.width(), twips(0, 0, 3480 - 120, 0).width());
    const int altoBarra = std::min(pideBarra.height(), ui.fraBarra->height());
    if (anchoBarra > ui.tbToolBar->width() || altoBarra > ui.tbToolBar->height()) {
        ui.tbToolBar->resize(std::max(anchoBarra, ui.tbToolBar->width()), std::max(altoBarra, ui.tbToolBar->height()));
        ui.fraBarra->resize(std::max(ui.fraBarra->width(), ui.tbToolBar->x() + ui.tbToolBar->width()),
                            ui.fraBarra->height());
    }

    ui.picMejoras = new PanelAgregados(ctx, static_cast<MensajeComposicion &>(*composicion_), ui.picEscritura);
    ponerIzquierdaPanel(ui.picMejoras, 6840);
    ui.picMejoras->hide();

    // Status bar
    ui.StatusBar1 = new BarraEstado(cliente);
    ui.StatusBar1->setGeometry(twips(0, 6945, 11010, 300));

    // Timers
    const struct
    {
        QTimer **temporizador;
        int intervalo;
    } tiempos[] = {{&ui.timToolTips, 10000},
                   {&ui.timDestroyToolTips, 14000},
                   {&ui.timAnti, 60000},
                   {&ui.timAlternarContactos, 6},
                   {&ui.timAlternarMejoras, 6}};
    for (const auto &t : tiempos) {
        *t.temporizador = new QTimer(this);
        (*t.temporizador)->setInterval(t.intervalo);
    }
}

void frmBrowser::crearMenus()
{
    auto accion = [this](QMenu *menu, const QString &texto, const QKeySequence &atajo = {}) {
        QAction *a = menu->addAction(texto);
        if (!atajo.isEmpty())
            a->setShortcut(atajo);
        return a;
    };
    auto ctrl = [](char letra) { return QKeySequence(Qt::CTRL | Qt::Key(letra)); };

    QMenuBar *barra = menuBar();
    ui.mnuArchivo = barra->addMenu(QStringLiteral("&Archivo"));
    ui.mnuAbrirAgenda = accion(ui.mnuArchivo, QStringLiteral("Abrir Agenda"), ctrl('G'));
    ui.mnuArchivoNuevoContacto = accion(ui.mnuArchivo, QStringLiteral("Nuevo Contacto"));
    // The quick contacts of the toolbar's "Agenda", reached from the menu bar as well.
    ui.mnuArchivo->addMenu(ui.picContactos->agendaRapida());
    ui.mnuArchivo->addSeparator();
    ui.mnuHistorialMsjs = accion(ui.mnuArchivo, QStringLiteral("Abrir Mensajes enviados"));
    ui.mnuArchivo->addSeparator();
    ui.mnuSubImportar = ui.mnuArchivo->addMenu(QStringLiteral("Importar"));
    ui.mnuImportarAgenda = accion(ui.mnuSubImportar, QStringLiteral("Agenda de un archivo..."));
    ui.mnuImportarAbreviaturas = accion(ui.mnuSubImportar, QStringLiteral("Abreviaturas de un archivo..."));
    ui.mnuSubExportar = ui.mnuArchivo->addMenu(QStringLiteral("Exportar"));
    ui.mnuExportarAgenda = accion(ui.mnuSubExportar, QStringLiteral("Agenda a un archivo..."));
    ui.mnuExportarAbreviaturas = accion(ui.mnuSubExportar, QStringLiteral("Abreviaturas a un archivo..."));
    ui.mnuArchivo->addSeparator();
    ui.mnuPreferencias = accion(ui.mnuArchivo, QStringLiteral("Preferencias..."), ctrl('P'));
    ui.mnuArchivo->addSeparator();
    ui.mnuArchivoSalir = accion(ui.mnuArchivo, QStringLiteral("Salir"));

    ui.mnuMejoras = barra->addMenu(QStringLiteral("&Mejoras"));
    ui.picMejoras->ponerEnMenu(ui.mnuMejoras);

    ui.mnuHerramientas = barra->addMenu(QStringLiteral("&Herramientas"));
    ui.mnuAsistenteConfiguracion = accion(ui.mnuHerramientas, QStringLiteral("Asistente para la configuración"));
    ui.mnuAbreviaturas = accion(ui.mnuHerramientas, QStringLiteral("Configurar Abreviaturas..."), ctrl('R'));
    ui.mnuntxGeo = accion(ui.mnuHerramientas, QStringLiteral("Detectar proveedor"));
    ui.mnuHerramientas->addSeparator();
    ui.mnuAutoVersion = accion(ui.mnuHerramientas, QString());
    ui.mnuAutoVersion->setEnabled(false);
    ui.mnuBuscarActualizacion = accion(ui.mnuHerramientas, QStringLiteral("Buscar una nueva versión"), ctrl('B'));

    ui.MnuAyuda = barra->addMenu(QStringLiteral("A&yuda"));
    ui.mnuAyudaWeb = accion(ui.MnuAyuda, QStringLiteral("Ayuda de NTX Mensajes"));
    ui.mnuAyudaHistoria = accion(ui.MnuAyuda, QStringLiteral("Historia de las versiones"));
    ui.MnuAyuda->addSeparator();
    ui.mnuEstadoServicios = accion(ui.MnuAyuda, QStringLiteral("Estado de los servicios"), ctrl('E'));
    QMenu *enLinea = ui.MnuAyuda->addMenu(QStringLiteral("ntxVarel! en línea"));
    ui.mnuntxvarelcomar = accion(enLinea, QStringLiteral("Sitio web de ntxVarel!"));
    ui.MnuAyudantxVarelAutor = accion(enLinea, QStringLiteral("Sitio web del autor"));
    ui.mnuforosdentx = accion(enLinea, QStringLiteral("Foros de ntxVarel!"));
    enLinea->addSeparator();
    ui.mnuAyudaComentarios = accion(enLinea, QStringLiteral("Enviar un comentario"));
    ui.MnuAyuda->addSeparator();
    ui.mnuAcercade = accion(ui.MnuAyuda, QStringLiteral("Acerca de NTX Mensajes..."));

    ui.mnuNotificacion = new QMenu(QStringLiteral("MenuIconoNotificacion"), this);
    ui.mnuNotifAbrir = ui.mnuNotificacion->addAction(QStringLiteral("Abrir NTX Mensajes"));
    QFont negrita = ui.mnuNotifAbrir->font();
    negrita.setBold(true);
    ui.mnuNotifAbrir->setFont(negrita);
    ui.mnuNotificacion->setDefaultAction(ui.mnuNotifAbrir);
    ui.mnuNotificacion->addSeparator();
    ui.mnuNotifSalir = ui.mnuNotificacion->addAction(QStringLiteral("Salir"));
}

void frmBrowser::crearControladores()
{
    envio_ = std::make_unique<ControladorEnvio>(ctx, this);
    cola_ = std::make_unique<ControladorCola>(ctx, *envio_);
    // A recipient deleted while the queue waits is not sent to.
    cola_->sigueEnAgenda = [this](const QString &nombre) { return !ctx.ajustes.leer(SeccionAgenda, nombre).isEmpty(); };
    historial_ = std::make_unique<ControladorHistorial>(ctx, static_cast<VentanaHistorial &>(*this),
                                                        static_cast<ReenvioComposicion &>(*composicion_),
                                                        ControlesHistorial{ui.mnuHistorialMsjs});

    tips_ = std::make_unique<ControladorTips>(
        ctx, static_cast<VentanaTips &>(*this),
        ControlesTips{ui.timToolTips, ui.timDestroyToolTips, ui.cboAddress, composicion_->campoMensaje(),
                      ui.fraDestinatario->botonAgendar(), ui.fraDestinatario->botonAlEscritorio()});

    ControlesAyuda ayuda;
    ayuda.mnuAyudaWeb = ui.mnuAyudaWeb;
    ayuda.mnuAyudaHistoria = ui.mnuAyudaHistoria;
    ayuda.mnuEstadoServicios = ui.mnuEstadoServicios;
    ayuda.mnuntxvarelcomar = ui.mnuntxvarelcomar;
    ayuda.MnuAyudantxVarelAutor = ui.MnuAyudantxVarelAutor;
    ayuda.mnuforosdentx = ui.mnuforosdentx;
    ayuda.mnuAyudaComentarios = ui.mnuAyudaComentarios;
    ayuda.mnuAcercade = ui.mnuAcercade;
    ayuda.lblBuscarEmpresa = ui.lblBuscarEmpresa;
    ayuda.mnuntxGeo = ui.mnuntxGeo;
    ayuda.mnuAsistenteConfiguracion = ui.mnuAsistenteConfiguracion;
    ayuda_ = std::make_unique<ControladorAyuda>(ctx, static_cast<VentanaAyuda &>(*this), ayuda);
}

void frmBrowser::conectar()
{
    // A provider chosen (with the keyboard too) leads on to the number; the web panels are no stop between.
    // Later, not now: the key that chose it is not done yet and would act on the number as well.
    connect(ui.cboAddress, &QComboBox::activated, this, [this] {
        cboAddress_Click();
        QTimer::singleShot(0, this, [this] {
            if (escrituraVisible())
                composicion_->enfocarDestino();
        });
    });
    connect(ui.tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction *a) { tbToolBar_ButtonClick(a->data().toString()); });
    connect(ui.mnuMejoras, &QMenu::aboutToShow, this, &frmBrowser::mnuMejoras_Click);
    connect(ui.mnuHerramientas, &QMenu::aboutToShow, this, &frmBrowser::mnuHerramientas_Click);
    connect(ui.mnuArchivoSalir, &QAction::triggered, this, &frmBrowser::mnuArchivoSalir_Click);
    connect(ui.mnuNotifAbrir, &QAction::triggered, this, &frmBrowser::mnuNotifAbrir_Click);
    connect(ui.mnuNotifSalir, &QAction::triggered, this, &frmBrowser::mnuNotifSalir_Click);
    connect(ui.timAlternarContactos, &QTimer::timeout, this, &frmBrowser::timAlternarContactos_Timer);
    connect(ui.timAlternarMejoras, &QTimer::timeout, this, &frmBrowser::timAlternarMejoras_Timer);
    connect(ui.timAnti, &QTimer::timeout, envio_.get(), &ControladorEnvio::timAnti_Timer);

    // The composer: status bar, recipient frame, the send.
    connect(composicion_, &PanelComposicion::estado, ui.StatusBar1, &BarraEstado::ponerPanel1);
    connect(composicion_, &PanelComposicion::panelLMate, ui.StatusBar1, &BarraEstado::habilitarPanel2);
    connect(composicion_, &PanelComposicion::destinoCambiado, ui.picContactos, &PanelContactos::MostrarDestinatario);
    connect(composicion_, &PanelComposicion::enviar, this, &frmBrowser::enviarMensaje);
    // The sending: a refusal by the rate windows clears the composer; an outcome goes to
    // the status bar, the composer and the history.
    connect(envio_.get(), &ControladorEnvio::limpiarComposicion, composicion_, &PanelComposicion::limpiar);
    connect(envio_.get(), &ControladorEnvio::envioTerminado, this, &frmBrowser::envioTerminado);
    connect(cola_.get(), &ControladorCola::estado, this, &frmBrowser::ponerEstado);
    connect(ui.picContactos, &PanelContactos::varios, this, &frmBrowser::escribirAVarios);
    connect(ui.fraDestinatario, &PanelDestinatario::variosCambiados, this, &frmBrowser::variosCambiados);
    connect(ui.fraDestinatario, &PanelDestinatario::quedaUno, ui.picContactos,
            [this](const QString &nombre) { ui.picContactos->EscribirAVarios({nombre}, {}); });
    connect(ui.botonAgenda, &QToolButton::clicked, this, [this] { tbToolBar_ButtonClick(QStringLiteral("agenda")); });
    connect(ui.cboAddress, &ComboDesplegable::desplegando, tips_.get(), &ControladorTips::cboAddress_DropDown);
    connect(ui.mnuPreferencias, &QAction::triggered, this,
            [this] { abrirPreferencias(frmPreferencias::PestanaGeneral); });

    // The improvements panel: its switches tell the composer and the history; the composer
    // may clear the abbreviation switch again; its menus add to the composer's message.
    connect(ui.picMejoras, &PanelAgregados::verContactos, this, &frmBrowser::deslizarAContactos);
    connect(ui.picMejoras, &PanelAgregados::preferencias, this, &frmBrowser::abrirPreferencias);
    connect(ui.picMejoras, &PanelAgregados::lenguajeMate, composicion_, &PanelComposicion::ponerLenguajeMate);
    connect(ui.picMejoras, &PanelAgregados::abreviaturasMarcadas, composicion_, &PanelComposicion::casillaAbreviaturas);
    connect(ui.picMejoras, &PanelAgregados::abreviaturas, composicion_, &PanelComposicion::ponerAbreviaturas);
    connect(composicion_, &PanelComposicion::marcarAbreviaturas, ui.picMejoras, &PanelAgregados::marcarAbreviaturas);
    connect(ui.picMejoras, &PanelAgregados::historialMarcado, historial_.get(), &ControladorHistorial::ponerGuardar);
    connect(ui.picMejoras, &PanelAgregados::historial, historial_.get(), &ControladorHistorial::cambioHistorial);
    connect(ui.mnuAbreviaturas, &QAction::triggered, composicion_, &PanelComposicion::MostrarAbreviaturas);
    connect(ui.mnuExportarAbreviaturas, &QAction::triggered, composicion_, &PanelComposicion::ExportarAbreviaturas);
    connect(ui.mnuImportarAbreviaturas, &QAction::triggered, composicion_, &PanelComposicion::ImportarAbreviaturas);

    // The contacts: the recipient row shows whom the boxes name; its buttons first close
    // the guided tip that points at them; the menu bar's agenda items.
    connect(ui.picContactos, &PanelContactos::destinatario, ui.fraDestinatario,
            &PanelDestinatario::MostrarDestinatario);
    connect(ui.picContactos, &PanelContactos::verMejoras, this, &frmBrowser::deslizarAMejoras);
    connect(ui.fraDestinatario, &PanelDestinatario::pulsado, tips_.get(), &ControladorTips::CerrarGlobo);
    connect(ui.fraDestinatario, &PanelDestinatario::agendar, ui.picContactos, &PanelContactos::AgendarDestinatario);
    connect(ui.mnuAbrirAgenda, &QAction::triggered, ui.picContactos, &PanelContactos::AbrirAgenda);
    connect(ui.mnuArchivoNuevoContacto, &QAction::triggered, ui.picContactos, &PanelContactos::NuevoContacto);
    connect(ui.mnuExportarAgenda, &QAction::triggered, ui.picContactos, &PanelContactos::ExportarAgenda);
    connect(ui.mnuImportarAgenda, &QAction::triggered, ui.picContactos, &PanelContactos::ImportarAgenda);

    // The web panels: the home area's failure hides the composer; the command links may start
    // the guided tips over; the help menus show pages in the home area.
    connect(paneles_, &PanelesWeb::ocultarEscritura, ui.picEscritura, &QWidget::hide);
    connect(&paneles_->comandos(), &EjecutorComandos::guiasReiniciadas, tips_.get(), &ControladorTips::ReiniciarTips);
    connect(ayuda_.get(), &ControladorAyuda::navegarAreaPrincipal, paneles_, &PanelesWeb::navegarNavegador);
    connect(ayuda_.get(), &ControladorAyuda::mostrarAreaPrincipal, paneles_, &PanelesWeb::mostrarNavegador);
    connect(ui.mnuBuscarActualizacion, &QAction::triggered, paneles_, &PanelesWeb::mnuBuscarActualizacion_Click);
}

// ---- What the subsystems see of the window ----

void frmBrowser::ponerEstado(int imagen, const QString &texto)
{
    ui.StatusBar1->ponerPanel1(imagen, texto);
}

QStringList frmBrowser::proveedores() const
{
    QStringList lista;
    for (int i = 0; i < ui.cboAddress->count(); ++i)
        lista << ui.cboAddress->itemText(i);
    return lista;
}

QString frmBrowser::proveedorActual() const
{
    return ui.cboAddress->currentText();
}

bool frmBrowser::elegirProveedor(const QString &nombre)
{
    const int indice = ui.cboAddress->findText(nombre, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (indice < 0)
        return false;
    ui.cboAddress->setCurrentIndex(indice);
    cboAddress_Click();
    return true;
}

void frmBrowser::mostrarVentana()
{
    if (ocultarPresentacion)
        ocultarPresentacion();
    show();
}

void frmBrowser::enviarMensaje(MensajeSaliente mensaje)
{
    // Several recipients: each one's provider is the one in their contact record.
    if (!ui.fraDestinatario->varios().isEmpty()) {
        Contactos contactos;
        Agenda::LeerContactos(ctx.ajustes, &contactos);
        cola_->Iniciar(mensaje, Agenda::DestinatariosDeContactos(contactos, ui.fraDestinatario->varios()));
        return;
    }
    mensaje.ProveedorActual = ui.cboAddress->currentText();
    mensaje.destinatario.nombre = ui.fraDestinatario->nombre();
    mensaje.destinatario.agendado = ui.fraDestinatario->agendado();
    envio_->Enviar(mensaje);
}

void frmBrowser::envioTerminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado)
{
    ponerEstado(resultado.enviado ? ImagenEnviado : ImagenNoEnviado, resultado.estado);
    if (resultado.mostrarEscritura)
        ui.picEscritura->show();
    historial_->envioTerminado(mensaje, resultado);
}

void frmBrowser::escribirAVarios(const QStringList &nombres, const QString &grupo)
{
    // The boxes are emptied first: their change would otherwise end the list.
    composicion_->ponerNumero(QString(), QString());
    ui.fraDestinatario->MostrarVarios(nombres, grupo);
    if (composicion_->remitente().isEmpty())
        composicion_->ponerRemitente(ctx.ajustes.leer(SeccionMensajes, ClaveRemitente(0)));
    composicion_->habilitarEnvio(true);
    paneles_->MostrarComposicion();
    ui.picEscritura->show();
    variosCambiados(ui.fraDestinatario->varios());
    composicion_->enfocarMensaje();
}

void frmBrowser::variosCambiados(const QStringList &nombres)
{
    if (nombres.isEmpty()) {
        composicion_->PonerProveedor(BuscarProveedor(ui.cboAddress->currentText()));
        composicion_->ActualizarContador();
        return;
    }
    Contactos contactos;
    Agenda::LeerContactos(ctx.ajustes, &contactos);
    const MaximoCola menor = MenorMaximo(Agenda::DestinatariosDeContactos(contactos, nombres));
    if (!menor.proveedor.isEmpty())
        composicion_->ponerLimiteVarios(menor.maximo, menor.proveedor);
}

bool frmBrowser::escrituraVisible() const
{
    // While the window itself is hidden (the history loading) the composer still counts as shown.
    return !ui.picEscritura->isHidden();
}

void frmBrowser::setVisible(bool visible)
{
    if (visible == isVisible()) {
        QMainWindow::setVisible(visible);
        return;
    }
    if (!visible) {
        lugarAlOcultarse = geometry();
        recuperandoLugar = false;
    } else if (!lugarAlOcultarse.isNull()) {
        // A window mapped again is placed anew by some window managers (next to the update
        // window, or centred): it asks for its place and moves back there if placed elsewhere.
        setGeometry(lugarAlOcultarse);
        if (QWindow *nativa = windowHandle()) {
            nativa->setGeometry(lugarAlOcultarse);
            nativa->removeEventFilter(this);
            nativa->installEventFilter(this);
            recuperandoLugar = true;
        }
    }
    QMainWindow::setVisible(visible);
}

void frmBrowser::moveEvent(QMoveEvent *evento)
{
    QMainWindow::moveEvent(evento);
    if (recuperandoLugar && isVisible() && geometry().topLeft() != lugarAlOcultarse.topLeft()) {
        recuperandoLugar = false;
        setGeometry(lugarAlOcultarse);
    }
}

bool frmBrowser::eventFilter(QObject *objeto, QEvent *evento)
{
    // Down (or Alt+Down) on "Agenda" opens the quick contacts, as on a drop-down button.
    if (objeto == ui.botonAgenda && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Down &&
        !(static_cast<QKeyEvent *>(evento)->modifiers() & ~(Qt::AltModifier | Qt::KeypadModifier))) {
        ui.botonAgenda->showMenu();
        return true;
    }
    // The window manager places a window before it is exposed: later moves are the user's.
    if (objeto == windowHandle() && evento->type() == QEvent::Expose && windowHandle()->isExposed())
        recuperandoLugar = false;
    return QMainWindow::eventFilter(objeto, evento);
}

void frmBrowser::ocultarVentana()
{
    hide();
}

bool frmBrowser::hayProveedor() const
{
    return ui.cboAddress->currentIndex() != -1;
}

void frmBrowser::limpiarProveedor()
{
    ui.cboAddress->setCurrentIndex(-1);
}

void frmBrowser::mostrarEscritura(bool visible)
{
    ui.picEscritura->setVisible(visible);
}

void frmBrowser::abrirPreferencias(int pestana)
{
    MostrarPreferencias(ctx, *ui.picMejoras, this, pestana);
}

bool frmBrowser::ventanaALaVista() const
{
    return isVisible() && !isMinimized() && !enBandeja;
}

// ---- Side panels ----

float frmBrowser::izquierdaPanel(const QWidget *panel) const
{
    return panel->property("izquierdaTwips").toFloat();
}

void frmBrowser::ponerIzquierdaPanel(QWidget *panel, float twips)
{
    panel->setProperty("izquierdaTwips", twips);
    panel->move(qRound(twips / TwipsPorPixel), panel->y());
}

void frmBrowser::borrarIconoBandeja()
{
    if (!bandeja)
        return;
    // Form_MouseMove runs inside the icon's own click: the icon goes after it.
    if (bandejaOcupada) {
        bandeja = nullptr;
        return;
    }
    bandeja->hide();
    bandeja->deleteLater();
    bandeja = nullptr;
}

// ---- Load and close ----

bool frmBrowser::Form_Load()
{
    bool okLMate = true, okAbreviaturas = true, okHistorial = true;
    LMateAjuste = LeerClaveBooleana(ctx.ajustes, Clave::LMate, &okLMate);
    AbreviaturasAjuste = LeerClaveBooleana(ctx.ajustes, Clave::Abreviaturas, &okAbreviaturas);
    PanelVisible = LeerClave(ctx.ajustes, Clave::PanelVisible);
    const bool historialPermanente = LeerClaveBooleana(ctx.ajustes, Clave::Historial, &okHistorial);
    ui.picMejoras->HistorialPermanente = historialPermanente;
    if (!okLMate || !okAbreviaturas || !okHistorial) {
        // Only these four options go back to their defaults: the section also keeps
        // sender names, greetings, signatures and quick contacts, which must survive.
        for (Clave clave : {Clave::LMate, Clave::Abreviaturas, Clave::PanelVisible, Clave::Historial})
            EscribirClave(ctx.ajustes, clave, ValorPorDefecto(clave));
        ctx.dialogos.mensaje(
            QStringLiteral("La información de configuración está dañada.\r\n\r\nTodas las configuraciones han sido "
                           "establecidas a sus valores de fábrica.\r\nNTX Mensajes intentará solucionar "
                           "automáticamente el problema la próxima vez que se inicie y deberá cerrarse ahora, "
                           "por favor reinicie el programa."),
            Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, QStringLiteral("Error interno"));
        ctx.sistema.terminarProceso(0);
        return false;
    }

    try {
        CargarPasos();
    } catch (const std::exception &error) {
        ErrorAlInicializar(QString::fromLocal8Bit(error.what()));
        return false;
    }
    return true;
}

void frmBrowser::ErrorAlInicializar(const QString &descripcion)
{
    ctx.dialogos.mensaje(
        QStringLiteral("NTX Mensajes no pudo iniciarse correctamente. Si el problema persiste, "
                       "descargue nuevamente el programa desde el sitio web de ntxVarel! (") +
            ctx.direcciones.sitio + QStringLiteral(") y reinstale el programa.\r\n\r\nError: ") + descripcion,
        Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, QStringLiteral("Error interno al inicializar"));
    ctx.sistema.terminarProceso(0);
}

void frmBrowser::CargarPasos()
{
    paneles_->Cargar();

    // The contact list must be there before the command line names a contact.
    ui.picContactos->ActualizarAgenda();
    ui.picContactos->IniciarPanelContactos();

    if (LMateAjuste)
        ui.picMejoras->activarLenguajeMate();
    if (AbreviaturasAjuste)
        ui.picMejoras->activarAbreviaturas();
    if (ui.picMejoras->HistorialPermanente)
        ui.picMejoras->activarHistorial();

    const bool contactos = PanelVisible.toLower() == QLatin1String("contactos");
    ui.picContactos->setVisible(contactos);
    ui.picMejoras->setVisible(!contactos);

    ponerEstado(ImagenListo, QStringLiteral("Listo. Para empezar, elija un proveedor de la lista."));

    ui.picContactos->ProcesarLineaDeComandos(QString());

    ui.timToolTips->start();
    ui.timAnti->start();
}

void frmBrowser::Form_Unload()
{
    const Qt::CheckState abreviaturas = ui.picMejoras->estadoAbreviaturas();
    if (abreviaturas == Qt::Checked)
        EscribirClaveBooleana(ctx.ajustes, Clave::Abreviaturas, true);
    else if (abreviaturas == Qt::Unchecked)
        EscribirClaveBooleana(ctx.ajustes, Clave::Abreviaturas, false);
    EscribirClaveBooleana(ctx.ajustes, Clave::LMate, composicion_->LenguajeMateActivo);
    // Mid-slide both panels show and the contacts win.
    if (ui.picMejoras->isVisibleTo(ui.picEscritura))
        EscribirClave(ctx.ajustes, Clave::PanelVisible, QStringLiteral("Mejoras"));
    if (ui.picContactos->isVisibleTo(ui.picEscritura))
        EscribirClave(ctx.ajustes, Clave::PanelVisible, QStringLiteral("Contactos"));
    borrarIconoBandeja();
    ctx.sistema.terminarProceso(0);
}

void frmBrowser::closeEvent(QCloseEvent *evento)
{
    if (cola_->activa()) {
        if (ctx.dialogos.mensaje(QStringLiteral("NTX Mensajes está enviando un mensaje a varios destinatarios.\r\n\r\n"
                                                "¿Desea detener el envío y cerrar NTX Mensajes?"),
                                 Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, Dialogos::tituloPrograma(),
                                 Dialogos::Respuesta::No) != Dialogos::Respuesta::Si) {
            evento->ignore();
            return;
        }
        cola_->Detener();
    }
    Form_Unload();
    evento->accept();
}

void frmBrowser::mnuArchivoSalir_Click()
{
    ctx.sistema.terminarProceso(0);
}

// ---- Notification area ----

void frmBrowser::changeEvent(QEvent *evento)
{
    QMainWindow::changeEvent(evento);
    if (evento->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmBrowser::Form_Resize()
{
    if (!(windowState() & Qt::WindowMinimized))
        return;
    bool ok = true;
    bool usarBandeja = LeerClaveBooleana(ctx.ajustes, Clave::IconoNotificacion, &ok);
    if (!ok) {
        EscribirClaveBooleana(ctx.ajustes, Clave::IconoNotificacion, true);
        usarBandeja = true;
    }
    if (!usarBandeja)
        return;
    // Without a notification area the window stays minimised on the task bar.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        AvisarSinBandeja(ctx.sistema, &avisoSinBandeja);
        return;
    }

    ponerEnBandeja();
}

void frmBrowser::ponerEnBandeja()
{
    borrarIconoBandeja();
    bandeja = new QSystemTrayIcon(windowIcon(), this);
    bandeja->setToolTip(QStringLiteral("NTX Mensajes"));
    connect(bandeja, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason razon) {
        if (razon == QSystemTrayIcon::Trigger)
            Form_MouseMove(0, 0, 514.0 * TwipsPorPixel, 0);
        else if (razon == QSystemTrayIcon::Context)
            Form_MouseMove(0, 0, 517.0 * TwipsPorPixel, 0);
    });
    bandeja->show();
    if (!bandejaGlobo) {
        MostrarGloboBandeja(bandeja, QStringLiteral("NTX Mensajes"),
                            QStringLiteral("\r\nPara volver a NTX Mensajes haga clic en este ícono"), 10000);
        bandejaGlobo = true;
    }
    // Hidden windows have no task-bar button. The state stays minimised while hidden: changing it
    // now would map the window again on X11 and leave an empty frame; it is restored on the way back.
    enBandeja = true;
    hide();
}

void frmBrowser::Form_MouseMove(int botones, int shift, double x, double y)
{
    Q_UNUSED(botones);
    Q_UNUSED(shift);
    Q_UNUSED(y);
    bandejaMensaje = qRound(x / TwipsPorPixel);
    if (!enBandeja || bandejaOcupada)
        return;
    const QPointer<QSystemTrayIcon> icono = bandeja;
    bandejaOcupada = true;
    if (bandejaMensaje == 514) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        activateWindow();
        borrarIconoBandeja();
        enBandeja = false;
    } else if (bandejaMensaje == 517) {
        activateWindow();
        ui.mnuNotificacion->setActiveAction(ui.mnuNotifAbrir);
        ui.mnuNotificacion->exec(QCursor::pos());
    }
    bandejaOcupada = false;
    // Let go of above ("Abrir", a left click): still inside the icon's click.
    if (icono && icono != bandeja)
        QuitarIconoBandejaDespues(icono);
}

void frmBrowser::frmBrowserMinimizado(double x)
{
    Form_MouseMove(0, 0, x, 0);
}

void frmBrowser::mnuNotifAbrir_Click()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    activateWindow();
    borrarIconoBandeja();
    enBandeja = false;
}

void frmBrowser::mnuNotifSalir_Click()
{
    borrarIconoBandeja();
    enBandeja = false;
    close();
}

// ---- Side-panel slide ----

void frmBrowser::deslizarAContactos()
{
    // The incoming panel waits shown beyond the visible part: both count as shown while sliding.
    ponerIzquierdaPanel(ui.picContactos, 11000);
    ui.picContactos->show();
    velocidadSale = 3800;
    velocidadEntra = 3800;
    ui.timAlternarMejoras->start();
}

void frmBrowser::deslizarAMejoras()
{
    ponerIzquierdaPanel(ui.picMejoras, 11000);
    ui.picMejoras->show();
    velocidadSale = 3800;
    velocidadEntra = 3800;
    ui.timAlternarContactos->start();
}

bool frmBrowser::pasoDeslizamiento(QWidget *sale, QWidget *entra)
{
    if (izquierdaPanel(sale) <= 11000) {
        ponerIzquierdaPanel(sale, float(double(izquierdaPanel(sale)) + velocidadSale / 50.0));
        velocidadSale = frenar(velocidadSale);
    }
    if (izquierdaPanel(sale) >= 11000) {
        entra->raise();
        entra->show();
        sale->hide();
        ponerIzquierdaPanel(entra, float(double(izquierdaPanel(entra)) - velocidadEntra / 50.0));
        velocidadEntra = frenar(velocidadEntra);
    }
    return izquierdaPanel(entra) <= 6840;
}

void frmBrowser::timAlternarMejoras_Timer()
{
    if (!pasoDeslizamiento(ui.picMejoras, ui.picContactos))
        return;
    ui.timAlternarMejoras->stop();
    ponerIzquierdaPanel(ui.picContactos, 6841);
    ui.picContactos->terminarDeslizamiento();
}

void frmBrowser::timAlternarContactos_Timer()
{
    if (!pasoDeslizamiento(ui.picContactos, ui.picMejoras))
        return;
    ui.timAlternarContactos->stop();
    ponerIzquierdaPanel(ui.picMejoras, 6841);
    ui.picMejoras->terminarDeslizamiento();
}

// ---- Menus and toolbar ----

void frmBrowser::mnuMejoras_Click()
{
    ui.picMejoras->ActualizarMenu(ui.cboAddress->currentIndex() >= 0);
}

void frmBrowser::mnuHerramientas_Click()
{
    ui.mnuAutoVersion->setText(QStringLiteral("    Versión Instalada: ") + QString::number(NTX_VERSION_MAYOR) +
                               QLatin1Char('.') + QString::number(NTX_VERSION_MENOR) + QLatin1Char('.') +
                               QString::number(NTX_VERSION_REVISION) + QLatin1Char(' '));
}

void frmBrowser::tbToolBar_ButtonClick(const QString &clave)
{
    if (clave == QLatin1String("Home")) {
        ponerEstado(ImagenListo, QStringLiteral("Listo"));
        ui.cboAddress->setCurrentIndex(-1);
        ui.picEscritura->hide();
        paneles_->MostrarInicio();
    } else if (clave == QLatin1String("historial")) {
        if (ui.mnuHistorialMsjs->isEnabled())
            ui.mnuHistorialMsjs->trigger();
    } else if (clave == QLatin1String("agenda")) {
        if (ui.mnuAbrirAgenda->isEnabled())
            ui.mnuAbrirAgenda->trigger();
    }
}

// ---- Provider choice ----

void frmBrowser::cboAddress_Click()
{
    tips_->cboAddress_Click();
    if (ui.cboAddress->currentIndex() < 0)
        return;
    if (composicion_->remitente().isEmpty()) {
        const QString remitente = ctx.ajustes.leer(SeccionMensajes, ClaveRemitente(0));
        if (!remitente.isEmpty())
            composicion_->ponerRemitente(remitente);
    }
    ponerEstado(ImagenNormal, QStringLiteral("Rellene los datos y escriba el mensaje, luego presione Enviar Mensaje"));
    SeleccionarProveedor(ui.cboAddress->currentText());
    composicion_->ActualizarContador();
    ui.picContactos->ActualizarAgenda();
    // The provider list does not choose the providers of several recipients.
    if (!ui.fraDestinatario->varios().isEmpty())
        variosCambiados(ui.fraDestinatario->varios());
}

void frmBrowser::SeleccionarProveedor(const QString &nombre)
{
    composicion_->habilitarEnvio(true);
    paneles_->MostrarComposicion();
    ui.picEscritura->show();
    composicion_->PonerProveedor(nullptr);
    if (nombre.isEmpty())
        return;
    const Proveedor *proveedor = BuscarProveedor(nombre);
    if (!proveedor) {
        ctx.dialogos.mensaje(
            QStringLiteral("No se pueden enviar Mensajes a este proveedor con esta versión de NTX Mensajes."),
            Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        ui.picEscritura->hide();
        ui.cboAddress->setCurrentIndex(-1);
        paneles_->MostrarInicioLocal();
        return;
    }
    composicion_->PonerProveedor(proveedor);
}

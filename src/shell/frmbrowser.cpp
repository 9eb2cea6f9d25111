// frmBrowser: creation of the main window's controls at their fixed places, its
// menus and timers, and the handlers of the window itself (load, close, tray,
// side-panel slide, menus, toolbar, page-loading indicator, anti-flood ticks).
#include "shell/frmbrowser.h"

#include "envio/proveedores.h"
#include "mejoras/composicion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QWindowStateChangeEvent>
#include <cmath>

namespace {

constexpr int TwipsPorPixel = 15;

QRect twips(int x, int y, int ancho, int alto)
{
    return QRect(qRound(x / double(TwipsPorPixel)), qRound(y / double(TwipsPorPixel)),
                 qRound(ancho / double(TwipsPorPixel)), qRound(alto / double(TwipsPorPixel)));
}

QString versionMayorMenor()
{
    return QString::number(NTX_VERSION_MAYOR) + QLatin1Char('_') + QString::number(NTX_VERSION_MENOR);
}

QPushButton *boton(const QString &texto, QWidget *padre, const QRect &lugar)
{
    auto *b = new QPushButton(texto, padre);
    b->setGeometry(lugar);
    return b;
}

QLabel *etiqueta(const QString &texto, QWidget *padre, const QRect &lugar)
{
    auto *l = new QLabel(texto, padre);
    l->setGeometry(lugar);
    return l;
}

QLineEdit *caja(const QString &texto, int maximo, QWidget *padre, const QRect &lugar)
{
    auto *t = new QLineEdit(texto, padre);
    if (maximo > 0)
        t->setMaxLength(maximo);
    t->setGeometry(lugar);
    return t;
}

// The program may set the grey state; a click of the user never leads to it.
class CasillaConGris final : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};

QCheckBox *casilla(const QString &texto, QWidget *padre, const QRect &lugar)
{
    auto *c = new CasillaConGris(texto, padre);
    c->setTristate(true);
    c->setGeometry(lugar);
    return c;
}

} // namespace

frmBrowser::frmBrowser(Contexto &contexto, QWidget *parent)
    : QMainWindow(parent)
    , ctx(contexto)
{
    // The pictures live in the static library's resources.
    Q_INIT_RESOURCE(recursos);
    setWindowTitle(QStringLiteral("NTX Mensajes"));
    setWindowIcon(QIcon(QStringLiteral(":/iconos/ntx.png")));
    QFont fuente(QStringLiteral("Tahoma"));
    fuente.setPointSize(8);
    setFont(fuente);
    crearControles();
    crearMenus();
    conectar();
    conectarComposicion(*this);
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
    fraBarra = new QFrame(cliente);
    fraBarra->setGeometry(twips(0, 15, 3375, 795));
    tbToolBar = new QToolBar(fraBarra);
    tbToolBar->setGeometry(twips(120, 0, 2970, 690));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tbToolBar->setIconSize(QSize(24, 24));
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    accionInicio = tbToolBar->addAction(QIcon(QStringLiteral(":/barra/inicio.png")), QStringLiteral("Inicio"));
    accionInicio->setData(QStringLiteral("Home"));
    accionInicio->setToolTip(QStringLiteral("Vuelve a la presentación"));
    tbToolBar->addSeparator()->setData(QStringLiteral("sep1"));
    accionHistorial = tbToolBar->addAction(QIcon(QStringLiteral(":/barra/enviados.png")), QStringLiteral("Enviados"));
    accionHistorial->setData(QStringLiteral("historial"));
    accionHistorial->setToolTip(QStringLiteral("Muestra los mensajes enviados"));
    // The history window comes later.
    accionHistorial->setEnabled(false);
    tbToolBar->addSeparator()->setData(QStringLiteral("sep2"));

    menuAgendaRapida = new QMenu(this);
    QAction *titulo = menuAgendaRapida->addAction(QStringLiteral("Agenda Rápida"));
    titulo->setEnabled(false);
    menuAgendaRapida->addSeparator();
    for (int i = 0; i < 10; ++i) {
        accionesRapidas[i] = menuAgendaRapida->addAction(QString());
        accionesRapidas[i]->setData(QStringLiteral("rap%1").arg(i + 1));
        accionesRapidas[i]->setEnabled(false);
    }
    menuAgendaRapida->addSeparator();
    accionPersonalizar = menuAgendaRapida->addAction(QStringLiteral("Personalizar..."));
    accionPersonalizar->setData(QStringLiteral("personalizar"));
    botonAgenda = new QToolButton(tbToolBar);
    botonAgenda->setObjectName(QStringLiteral("agenda"));
    botonAgenda->setText(QStringLiteral("Agenda"));
    botonAgenda->setToolTip(QStringLiteral("Abre la Agenda"));
    botonAgenda->setIcon(QIcon(QStringLiteral(":/barra/agenda.png")));
    botonAgenda->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    botonAgenda->setMenu(menuAgendaRapida);
    // The address book window comes later: until then a press opens the quick contacts.
    botonAgenda->setPopupMode(QToolButton::InstantPopup);
    tbToolBar->addWidget(botonAgenda);

    // Provider choice
    lblAddress =
        etiqueta(QStringLiteral("Elija un proveedor para escribir el mensaje:"), cliente, twips(3480, 120, 5715, 240));
    cboAddress = new QComboBox(cliente);
    cboAddress->setGeometry(twips(3480, 360, 5715, 315));
    for (const Proveedor &p : TablaProveedores())
        cboAddress->addItem(p.nombre);
    cboAddress->setCurrentIndex(-1);
    lblBuscarEmpresa = etiqueta(QStringLiteral("<span style=\"color:#0000ff\">Detectar proveedor</span>"), cliente,
                                twips(9360, 405, 1500, 240));
    lblBuscarEmpresa->setCursor(Qt::PointingHandCursor);
    // Provider detection comes with the help links.
    lblBuscarEmpresa->setEnabled(false);

    // Web views
    brwPublicidad = ctx.crearVistaWeb(cliente);
    brwPublicidad->setObjectName(QStringLiteral("brwPublicidad"));
    brwPublicidad->setGeometry(twips(0, 720, 11020, 1455));
    brwWebBrowser = ctx.crearVistaWeb(cliente);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    brwWebBrowser->setGeometry(twips(0, 2280, 11020, 4635));
    brwConfWeb = ctx.crearVistaWeb(cliente);
    brwConfWeb->setObjectName(QStringLiteral("brwConfWeb"));
    brwConfWeb->setGeometry(twips(6600, 480, 30, 30));

    // Composer
    picEscritura = new QWidget(cliente);
    picEscritura->setObjectName(QStringLiteral("picEscritura"));
    picEscritura->setGeometry(twips(0, 2280, 11020, 4635));
    picEscritura->hide();

    fraDatos = new QGroupBox(QStringLiteral("Número destinatario"), picEscritura);
    fraDatos->setGeometry(twips(360, 0, 5415, 4455));
    lblremitente = etiqueta(QStringLiteral("De:"), fraDatos, QRect(10, 22, 30, 20));
    cboRemitente = new QComboBox(fraDatos);
    cboRemitente->setEditable(true);
    cboRemitente->setInsertPolicy(QComboBox::NoInsert);
    cboRemitente->setGeometry(QRect(42, 20, 200, 22));
    lblCodArea = etiqueta(QStringLiteral("0"), fraDatos, QRect(10, 52, 22, 20));
    lblCodArea->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtCodArea = caja(QStringLiteral("[Cod]"), 6, fraDatos, QRect(34, 50, 56, 22));
    lblNumero = etiqueta(QStringLiteral("15"), fraDatos, QRect(92, 52, 22, 20));
    lblNumero->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtNumero = caja(QStringLiteral("[Núm]"), 25, fraDatos, QRect(116, 50, 126, 22));
    lblalias = etiqueta(QStringLiteral("Alias:"), fraDatos, QRect(248, 52, 34, 20));
    txtalias = caja(QString(), 25, fraDatos, QRect(284, 50, 70, 22));
    lblalias->hide();
    txtalias->hide();
    txtmsj = new QPlainTextEdit(fraDatos);
    txtmsj->setGeometry(QRect(10, 80, 344, 150));
    txtmsj->setTabChangesFocus(true);
    lblcarescritos = etiqueta(QStringLiteral("Caracteres escritos"), fraDatos, QRect(10, 238, 100, 20));
    txtcarescritos = caja(QStringLiteral("0"), 0, fraDatos, QRect(112, 236, 34, 22));
    txtcarescritos->setReadOnly(true);
    lblmaxcar = etiqueta(QStringLiteral("(Máximo            )"), fraDatos, QRect(152, 238, 90, 20));
    txtmaxcar = caja(QStringLiteral("140"), 0, fraDatos, QRect(198, 236, 30, 22));
    txtmaxcar->setReadOnly(true);
    txtmaxcar->setFrame(false);
    cmdlimpiar = boton(QStringLiteral("Limpiar"), fraDatos, QRect(10, 264, 90, 26));
    cmdEnviar = boton(QStringLiteral("Enviar Mensaje"), fraDatos, QRect(244, 264, 110, 26));

    fraDestinatario = new QGroupBox(QStringLiteral("Nombre destinatario"), picEscritura);
    fraDestinatario->setGeometry(twips(6840, 0, 3735, 735));
    lblNombreDestinatario = etiqueta(QStringLiteral("(Ninguno)"), fraDestinatario, QRect(8, 20, 110, 22));
    cmdAgendar = boton(QStringLiteral("Agendar"), fraDestinatario, QRect(120, 18, 58, 24));
    cmdAlEscritorio = boton(QStringLiteral("Al escritorio"), fraDestinatario, QRect(180, 18, 66, 24));
    // Desktop launchers come with the address book.
    cmdAlEscritorio->setEnabled(false);

    // Side panels: both at the same place; the slide moves them in twips.
    picContactos = new QWidget(picEscritura);
    picContactos->setObjectName(QStringLiteral("picContactos"));
    picContactos->setGeometry(twips(6840, 840, 3735, 3615));
    ponerIzquierdaPanel(picContactos, 6840);
    fraContactos = new QGroupBox(QStringLiteral("Contactos"), picContactos);
    fraContactos->setGeometry(QRect(0, 0, 249, 208));
    tvwContactos = new QTreeWidget(fraContactos);
    tvwContactos->setGeometry(QRect(6, 18, 237, 184));
    tvwContactos->setHeaderHidden(true);
    tvwContactos->setRootIsDecorated(false);
    cmdAlternarContactos = boton(QStringLiteral("Ver Mejoras"), picContactos, QRect(0, 212, 81, 28));
    cmdEscribirA = boton(QStringLiteral("Escribir"), picContactos, QRect(84, 212, 80, 28));
    cmdAbrirAgenda = boton(QStringLiteral("Abrir Agenda"), picContactos, QRect(168, 212, 81, 28));
    // The address book window comes later.
    cmdAbrirAgenda->setEnabled(false);

    picMejoras = new QWidget(picEscritura);
    picMejoras->setObjectName(QStringLiteral("picMejoras"));
    picMejoras->setGeometry(twips(6840, 840, 3735, 3615));
    ponerIzquierdaPanel(picMejoras, 6840);
    fraAgreguealMensaje = new QGroupBox(QStringLiteral("Agregue al mensaje..."), picMejoras);
    fraAgreguealMensaje->setGeometry(QRect(0, 0, 249, 86));
    cmdEmoticon = boton(QStringLiteral("Iconos gestuales"), fraAgreguealMensaje, QRect(6, 20, 116, 26));
    cmdImagenes = boton(QStringLiteral("Imágenes"), fraAgreguealMensaje, QRect(127, 20, 116, 26));
    cmdFirmas = boton(QStringLiteral("Saludos y Firmas"), fraAgreguealMensaje, QRect(6, 52, 237, 26));
    // Emoticons, pictures, greetings and signatures come later.
    cmdEmoticon->setEnabled(false);
    cmdImagenes->setEnabled(false);
    cmdFirmas->setEnabled(false);
    fraMejorasEscritura = new QGroupBox(QStringLiteral("Mejoras"), picMejoras);
    fraMejorasEscritura->setGeometry(QRect(0, 90, 249, 118));
    chkHistorial =
        casilla(QStringLiteral("Guardar una copia de este mensaje"), fraMejorasEscritura, QRect(8, 22, 235, 24));
    chkLMate = casilla(QStringLiteral("Activar LenguajeMate"), fraMejorasEscritura, QRect(8, 52, 235, 24));
    chkAbreviaturas =
        casilla(QStringLiteral("Activar Abreviaturas Personalizadas"), fraMejorasEscritura, QRect(8, 82, 235, 24));
    cmdAlternarMejoras = boton(QStringLiteral("Ver Contactos"), picMejoras, QRect(0, 212, 120, 28));
    picMejoras->hide();

    // Status bar
    StatusBar1 = new BarraEstado(cliente);
    StatusBar1->setGeometry(twips(0, 6945, 11010, 300));

    // Timers
    const struct
    {
        QTimer *temporizador;
        int intervalo;
    } tiempos[] = {{&timToolTips, 10000}, {&timDestroyToolTips, 14000}, {&timPublicidad, 64000}, {&timTimer, 15},
                   {&timAnti, 60000},     {&timAlternarContactos, 6},   {&timAlternarMejoras, 6}};
    for (const auto &t : tiempos)
        t.temporizador->setInterval(t.intervalo);
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
    mnuArchivo = barra->addMenu(QStringLiteral("Archivo"));
    mnuAbrirAgenda = accion(mnuArchivo, QStringLiteral("Abrir Agenda"), ctrl('G'));
    mnuArchivoNuevoContacto = accion(mnuArchivo, QStringLiteral("Nuevo Contacto"));
    mnuArchivo->addSeparator();
    mnuHistorialMsjs = accion(mnuArchivo, QStringLiteral("Abrir Mensajes enviados"));
    mnuArchivo->addSeparator();
    mnuSubImportar = mnuArchivo->addMenu(QStringLiteral("Importar"));
    mnuImportarAgenda = accion(mnuSubImportar, QStringLiteral("Agenda de un archivo..."));
    mnuImportarAbreviaturas = accion(mnuSubImportar, QStringLiteral("Abreviaturas de un archivo..."));
    mnuSubExportar = mnuArchivo->addMenu(QStringLiteral("Exportar"));
    mnuExportarAgenda = accion(mnuSubExportar, QStringLiteral("Agenda a un archivo..."));
    mnuExportarAbreviaturas = accion(mnuSubExportar, QStringLiteral("Abreviaturas a un archivo..."));
    mnuArchivo->addSeparator();
    mnuPreferencias = accion(mnuArchivo, QStringLiteral("Preferencias..."), ctrl('P'));
    mnuArchivo->addSeparator();
    mnuArchivoSalir = accion(mnuArchivo, QStringLiteral("Salir"));

    mnuMejoras = barra->addMenu(QStringLiteral("Mejoras"));
    mnuMejorasLenguajeMate = accion(mnuMejoras, QStringLiteral("Activar LenguajeMate"), ctrl('L'));
    mnuMejorasLenguajeMate->setCheckable(true);
    mnuMejorasAbreviaturas = accion(mnuMejoras, QStringLiteral("Activar Abreviaturas"), ctrl('A'));
    mnuMejorasAbreviaturas->setCheckable(true);
    mnuHistorial = accion(mnuMejoras, QStringLiteral("Guardar copia de mensaje"), ctrl('H'));
    mnuHistorial->setCheckable(true);
    mnuMejoras->addSeparator();
    mnuIconosGestuales = mnuMejoras->addMenu(QStringLiteral("Iconos Gestuales"));
    mnuCaras = mnuIconosGestuales->addMenu(QStringLiteral("Caras"));
    mnuCaritas = mnuIconosGestuales->addMenu(QStringLiteral("Caritas"));
    mnuCosas = mnuIconosGestuales->addMenu(QStringLiteral("Cosas"));
    mnuSaludosyFirmas = mnuMejoras->addMenu(QStringLiteral("Saludos y Firmas"));
    mnuSubSaludos = mnuSaludosyFirmas->addMenu(QStringLiteral("Saludos"));
    mnuSubFirmas = mnuSaludosyFirmas->addMenu(QStringLiteral("Firmas"));
    mnuSaludosyFirmas->addSeparator();
    mnuSaludosyFirmasPersonalizar = accion(mnuSaludosyFirmas, QStringLiteral("Personalizar..."));
    mnuPOPImagenes = accion(mnuMejoras, QStringLiteral("Imagenes"));

    mnuHerramientas = barra->addMenu(QStringLiteral("Herramientas"));
    mnuAsistenteConfiguracion = accion(mnuHerramientas, QStringLiteral("Asistente para la configuración"));
    mnuAbreviaturas = accion(mnuHerramientas, QStringLiteral("Configurar Abreviaturas..."), ctrl('R'));
    mnuntxGeo = accion(mnuHerramientas, QStringLiteral("Detectar proveedor"));
    mnuHerramientas->addSeparator();
    mnuAutoVersion = accion(mnuHerramientas, QString());
    mnuAutoVersion->setEnabled(false);
    mnuBuscarActualizacion = accion(mnuHerramientas, QStringLiteral("Buscar una nueva versión"), ctrl('B'));

    MnuAyuda = barra->addMenu(QStringLiteral("Ayuda"));
    accion(MnuAyuda, QStringLiteral("Ayuda de NTX Mensajes"));
    accion(MnuAyuda, QStringLiteral("Historia de las versiones"));
    MnuAyuda->addSeparator();
    accion(MnuAyuda, QStringLiteral("Estado de los servicios"), ctrl('E'));
    QMenu *enLinea = MnuAyuda->addMenu(QStringLiteral("ntxVarel! en línea"));
    accion(enLinea, QStringLiteral("Sitio web de ntxVarel!"));
    accion(enLinea, QStringLiteral("Sitio web del autor"));
    accion(enLinea, QStringLiteral("Foros de ntxVarel!"));
    enLinea->addSeparator();
    accion(enLinea, QStringLiteral("Enviar un comentario"));
    MnuAyuda->addSeparator();
    accion(MnuAyuda, QStringLiteral("Acerca de NTX Mensajes..."));

    // Actions of windows that come later stay visible but unavailable.
    for (QAction *a : MnuAyuda->actions())
        a->setEnabled(false);
    for (QAction *a :
         {mnuAbrirAgenda, mnuArchivoNuevoContacto, mnuHistorialMsjs, mnuImportarAgenda, mnuImportarAbreviaturas,
          mnuExportarAgenda, mnuExportarAbreviaturas, mnuPreferencias, mnuSaludosyFirmasPersonalizar, mnuPOPImagenes,
          mnuAsistenteConfiguracion, mnuAbreviaturas, mnuntxGeo, mnuBuscarActualizacion})
        a->setEnabled(false);
    mnuIconosGestuales->setEnabled(false);
    mnuSaludosyFirmas->setEnabled(false);

    mnuNotificacion = new QMenu(QStringLiteral("MenuIconoNotificacion"), this);
    mnuNotifAbrir = mnuNotificacion->addAction(QStringLiteral("Abrir NTX Mensajes"));
    QFont negrita = mnuNotifAbrir->font();
    negrita.setBold(true);
    mnuNotifAbrir->setFont(negrita);
    mnuNotificacion->setDefaultAction(mnuNotifAbrir);
    mnuNotificacion->addSeparator();
    mnuNotifSalir = mnuNotificacion->addAction(QStringLiteral("Salir"));
}

void frmBrowser::conectar()
{
    // Window and menus
    connect(cboAddress, &QComboBox::activated, this, [this] { cboAddress_Click(); });
    connect(tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction *a) { tbToolBar_ButtonClick(a->data().toString()); });
    connect(mnuMejoras, &QMenu::aboutToShow, this, &frmBrowser::mnuMejoras_Click);
    connect(mnuHerramientas, &QMenu::aboutToShow, this, &frmBrowser::mnuHerramientas_Click);
    connect(mnuMejorasLenguajeMate, &QAction::triggered, this, &frmBrowser::mnuMejorasLenguajeMate_Click);
    connect(mnuMejorasAbreviaturas, &QAction::triggered, this, &frmBrowser::mnuMejorasAbreviaturas_Click);
    connect(mnuHistorial, &QAction::triggered, this, &frmBrowser::mnuHistorial_Click);
    connect(mnuArchivoSalir, &QAction::triggered, this, &frmBrowser::mnuArchivoSalir_Click);
    connect(mnuNotifAbrir, &QAction::triggered, this, &frmBrowser::mnuNotifAbrir_Click);
    connect(mnuNotifSalir, &QAction::triggered, this, &frmBrowser::mnuNotifSalir_Click);
    connect(cmdAlternarContactos, &QPushButton::clicked, this, &frmBrowser::cmdAlternarContactos_Click);
    connect(cmdAlternarMejoras, &QPushButton::clicked, this, &frmBrowser::cmdAlternarMejoras_Click);

    // Timers
    connect(&timAlternarContactos, &QTimer::timeout, this, &frmBrowser::timAlternarContactos_Timer);
    connect(&timAlternarMejoras, &QTimer::timeout, this, &frmBrowser::timAlternarMejoras_Timer);
    connect(&timTimer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);
    connect(&timAnti, &QTimer::timeout, this, &frmBrowser::timAnti_Timer);
    connect(&timPublicidad, &QTimer::timeout, this, &frmBrowser::timPublicidad_Timer);

    // Web views
    connect(brwWebBrowser, &VistaWeb::antesDeNavegar, this, &frmBrowser::brwWebBrowser_BeforeNavigate2);
    connect(brwWebBrowser, &VistaWeb::errorDeNavegacion, this, &frmBrowser::brwWebBrowser_NavigateError);
    connect(brwPublicidad, &VistaWeb::antesDeNavegar, this, &frmBrowser::brwPublicidad_BeforeNavigate2);
    connect(brwPublicidad, &VistaWeb::errorDeNavegacion, this, &frmBrowser::brwPublicidad_NavigateError);
    connect(brwWebBrowser, &VistaWeb::navegacionCompleta, this, &frmBrowser::brwWebBrowser_NavigateComplete2);
    connect(brwPublicidad, &VistaWeb::documentoCompleto, this, &frmBrowser::brwPublicidad_DocumentComplete);
    connect(brwConfWeb, &VistaWeb::documentoCompleto, this, &frmBrowser::brwConfWeb_DocumentComplete);

    // History switch
    connect(chkHistorial, &QCheckBox::clicked, this, &frmBrowser::chkHistorial_Click);

    // Composer
    connect(txtmsj, &QPlainTextEdit::textChanged, this, &frmBrowser::txtmsj_Change);
    connect(txtcarescritos, &QLineEdit::textChanged, this, &frmBrowser::txtcarescritos_Change);
    connect(chkLMate, &QCheckBox::clicked, this, &frmBrowser::chkLMate_Click);
    connect(chkAbreviaturas, &QCheckBox::clicked, this, &frmBrowser::chkAbreviaturas_Click);
    connect(txtCodArea, &QLineEdit::textChanged, this, &frmBrowser::txtCodArea_Change);
    connect(txtNumero, &QLineEdit::textChanged, this, &frmBrowser::txtNumero_Change);
    connect(txtalias, &QLineEdit::textChanged, this, &frmBrowser::txtalias_Change);
    connect(cmdlimpiar, &QPushButton::clicked, this, &frmBrowser::cmdlimpiar_Click);
    connect(cboRemitente, &QComboBox::editTextChanged, this, &frmBrowser::cboRemitente_Change);
    connect(cboRemitente, &QComboBox::activated, this, &frmBrowser::cboRemitente_Click);
    for (QObject *control :
         {static_cast<QObject *>(txtCodArea), static_cast<QObject *>(txtNumero), static_cast<QObject *>(txtalias),
          static_cast<QObject *>(cboRemitente), static_cast<QObject *>(cboRemitente->lineEdit())})
        control->installEventFilter(this);

    // Send command
    connect(cmdEnviar, &QPushButton::clicked, this, &frmBrowser::cmdEnviar_Click);

    // Contacts
    connect(cmdAgendar, &QPushButton::clicked, this, &frmBrowser::cmdAgendar_Click);
}

bool frmBrowser::teclaEnControl(QObject *control, QKeyEvent *evento)
{
    // The handlers see the character as a code and may change it or cancel it (0).
    int tecla = 0;
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter)
        tecla = 13;
    else if (evento->key() == Qt::Key_Backspace)
        tecla = 8;
    else if (evento->key() == Qt::Key_Escape)
        tecla = 27;
    else if (!evento->text().isEmpty() && evento->text().at(0).isPrint())
        tecla = evento->text().at(0).unicode();
    else if (!evento->text().isEmpty() && evento->text().at(0).unicode() < 32)
        tecla = evento->text().at(0).unicode();
    if (tecla == 0)
        return false;
    const int original = tecla;
    QLineEdit *caja = nullptr;
    if (control == txtCodArea) {
        txtCodArea_KeyPress(tecla);
        caja = txtCodArea;
    } else if (control == txtNumero) {
        txtNumero_KeyPress(tecla);
        caja = txtNumero;
    } else if (control == txtalias) {
        txtalias_KeyPress(tecla);
        caja = txtalias;
    } else {
        cboRemitente_KeyPress(tecla);
        caja = cboRemitente->lineEdit();
    }
    if (tecla == 0)
        return true;
    if (tecla != original && caja && tecla >= 32) {
        caja->insert(QString(QChar(tecla)));
        return true;
    }
    return false;
}

bool frmBrowser::eventFilter(QObject *objeto, QEvent *evento)
{
    const bool esCombo = objeto == cboRemitente || (cboRemitente && objeto == cboRemitente->lineEdit());
    if (objeto == txtCodArea || objeto == txtNumero || objeto == txtalias || esCombo) {
        if (evento->type() == QEvent::KeyPress) {
            // A key reaches either the combo or its line edit, never both.
            return teclaEnControl(objeto, static_cast<QKeyEvent *>(evento));
        }
        if (evento->type() == QEvent::FocusIn) {
            if (objeto == txtCodArea)
                txtCodArea_GotFocus();
            else if (objeto == txtNumero)
                txtNumero_GotFocus();
            else if (objeto == txtalias)
                txtalias_GotFocus();
            else
                cboRemitente_GotFocus();
        }
        if (objeto == cboRemitente && evento->type() == QEvent::MouseButtonPress)
            cboRemitente_DropDown();
    }
    return QMainWindow::eventFilter(objeto, evento);
}

float frmBrowser::izquierdaPanel(const QWidget *panel) const
{
    return panel->property("izquierdaTwips").toFloat();
}

void frmBrowser::ponerIzquierdaPanel(QWidget *panel, float twips)
{
    panel->setProperty("izquierdaTwips", twips);
    panel->move(qRound(twips / TwipsPorPixel), panel->y());
}

QString frmBrowser::paginaLocal(const QString &nombre) const
{
    return QStringLiteral("file://") + ctx.sistema.carpetaPrograma() + QStringLiteral("/logica/") + nombre;
}

QString frmBrowser::paginaSitio(const QString &ruta) const
{
    return ctx.direcciones.sitio + ruta + versionMayorMenor();
}

void frmBrowser::borrarIconoBandeja()
{
    if (!bandeja)
        return;
    bandeja->hide();
    delete bandeja;
    bandeja = nullptr;
}

// ---- Load and close ----

bool frmBrowser::Form_Load()
{
    const QString seccion = QStringLiteral("Mensajes");
    bool okLMate = true, okAbreviaturas = true, okHistorial = true;
    LMateAjuste = ctx.ajustes.leerBooleano(seccion, QStringLiteral("LMate"), false, &okLMate);
    AbreviaturasAjuste = ctx.ajustes.leerBooleano(seccion, QStringLiteral("Abreviaturas"), false, &okAbreviaturas);
    PanelVisible = ctx.ajustes.leer(seccion, QStringLiteral("PanelVisible"), QStringLiteral("Contactos"));
    HistorialPermanente = ctx.ajustes.leerBooleano(seccion, QStringLiteral("Historial"), true, &okHistorial);
    if (!okLMate || !okAbreviaturas || !okHistorial) {
        // Only these four options go back to their defaults: the section also keeps
        // sender names, greetings, signatures and quick contacts, which must survive.
        ctx.ajustes.escribirBooleano(seccion, QStringLiteral("LMate"), false);
        ctx.ajustes.escribirBooleano(seccion, QStringLiteral("Abreviaturas"), false);
        ctx.ajustes.escribir(seccion, QStringLiteral("PanelVisible"), QStringLiteral("Contactos"));
        ctx.ajustes.escribirBooleano(seccion, QStringLiteral("Historial"), true);
        ctx.dialogos.mensaje(
            QStringLiteral("La información de configuración está dañada.\r\n\r\nTodas las configuraciones han sido "
                           "establecidas a sus valores de fábrica.\r\nNTX Mensajes intentará solucionar "
                           "automáticamente el problema la próxima vez que se inicie y deberá cerrarse ahora, "
                           "por favor reinicie el programa."),
            Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, QStringLiteral("Error interno"));
        ctx.sistema.terminarProceso(0);
        return false;
    }

    brwWebBrowser->setSilencioso(true);
    brwPublicidad->setSilencioso(true);
    brwConfWeb->setSilencioso(true);

    brwWebBrowser->navegar(paginaSitio(QStringLiteral("/ntxbin/princ/princ")));
    brwPublicidad->navegar(paginaSitio(QStringLiteral("/ntxbin/pub/pub")));
    brwConfWeb->navegar(paginaSitio(QStringLiteral("/ntxbin/conf/")));

    // The contact list must be there before the command line names a contact.
    ActualizarAgenda();
    IniciarPanelContactos();

    if (LMateAjuste) {
        chkLMate->setCheckState(Qt::Checked);
        chkLMate_Click();
    }
    if (AbreviaturasAjuste) {
        chkAbreviaturas->setCheckState(Qt::Checked);
        chkAbreviaturas_Click();
    }
    if (HistorialPermanente) {
        chkHistorial->setCheckState(Qt::Checked);
        chkHistorial_Click();
    }

    const bool contactos = PanelVisible.toLower() == QLatin1String("contactos");
    picContactos->setVisible(contactos);
    picMejoras->setVisible(!contactos);

    ponerEstado(5, QStringLiteral("Listo. Para empezar, elija un proveedor de la lista."));

    ProcesarLineaDeComandos(QString());

    timToolTips.start();
    timAnti.start();
    return true;
}

void frmBrowser::Form_Unload()
{
    const QString seccion = QStringLiteral("Mensajes");
    if (chkAbreviaturas->checkState() == Qt::Checked)
        ctx.ajustes.escribirBooleano(seccion, QStringLiteral("Abreviaturas"), true);
    else if (chkAbreviaturas->checkState() == Qt::Unchecked)
        ctx.ajustes.escribirBooleano(seccion, QStringLiteral("Abreviaturas"), false);
    ctx.ajustes.escribirBooleano(seccion, QStringLiteral("LMate"), LenguajeMateActivo);
    // Mid-slide both panels show and the contacts win.
    if (picMejoras->isVisibleTo(picEscritura))
        ctx.ajustes.escribir(seccion, QStringLiteral("PanelVisible"), QStringLiteral("Mejoras"));
    if (picContactos->isVisibleTo(picEscritura))
        ctx.ajustes.escribir(seccion, QStringLiteral("PanelVisible"), QStringLiteral("Contactos"));
    borrarIconoBandeja();
    ctx.sistema.terminarProceso(0);
}

void frmBrowser::closeEvent(QCloseEvent *evento)
{
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
    const QString seccion = QStringLiteral("Mensajes");
    bool ok = true;
    bool usarBandeja = ctx.ajustes.leerBooleano(seccion, QStringLiteral("IconoNotificacion"), true, &ok);
    if (!ok) {
        ctx.ajustes.escribirBooleano(seccion, QStringLiteral("IconoNotificacion"), true);
        usarBandeja = true;
    }
    // Without a notification area the window just stays minimised on the task bar.
    if (!usarBandeja || !QSystemTrayIcon::isSystemTrayAvailable())
        return;

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
        bandeja->showMessage(QStringLiteral("NTX Mensajes"),
                             QStringLiteral("\r\nPara volver a NTX Mensajes haga clic en este ícono"),
                             QSystemTrayIcon::Information, 10000);
        bandejaGlobo = true;
    }
    // Hidden windows have no task-bar button; the flag keeps "in the tray" once the state is normal again.
    enBandeja = true;
    hide();
    setWindowState(windowState() & ~Qt::WindowMinimized);
}

void frmBrowser::Form_MouseMove(int botones, int shift, double x, double y)
{
    Q_UNUSED(botones);
    Q_UNUSED(shift);
    Q_UNUSED(y);
    bandejaMensaje = qRound(x / TwipsPorPixel);
    if (!enBandeja || bandejaOcupada)
        return;
    bandejaOcupada = true;
    if (bandejaMensaje == 514) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        borrarIconoBandeja();
        enBandeja = false;
    } else if (bandejaMensaje == 517) {
        activateWindow();
        mnuNotificacion->setActiveAction(mnuNotifAbrir);
        mnuNotificacion->exec(QCursor::pos());
    }
    bandejaOcupada = false;
}

void frmBrowser::frmBrowserMinimizado(double x)
{
    Form_MouseMove(0, 0, x, 0);
}

void frmBrowser::mnuNotifAbrir_Click()
{
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
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

namespace {

// Assigning a fractional value to a 16-bit integer rounds halves to the even integer.
qint16 frenar(qint16 velocidad)
{
    return qint16(std::nearbyint(velocidad - velocidad / 70.0));
}

} // namespace

void frmBrowser::cmdAlternarMejoras_Click()
{
    cmdAlternarMejoras->setEnabled(false);
    // The incoming panel waits shown beyond the visible part: both count as shown while sliding.
    ponerIzquierdaPanel(picContactos, 11000);
    picContactos->show();
    velocidadSale = 3800;
    velocidadEntra = 3800;
    timAlternarMejoras.start();
}

void frmBrowser::cmdAlternarContactos_Click()
{
    cmdAlternarContactos->setEnabled(false);
    ponerIzquierdaPanel(picMejoras, 11000);
    picMejoras->show();
    velocidadSale = 3800;
    velocidadEntra = 3800;
    timAlternarContactos.start();
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
    if (!pasoDeslizamiento(picMejoras, picContactos))
        return;
    timAlternarMejoras.stop();
    ponerIzquierdaPanel(picContactos, 6841);
    cmdAlternarContactos->setEnabled(true);
    tvwContactos->hide();
    tvwContactos->show();
    cmdAlternarContactos->setFocus();
}

void frmBrowser::timAlternarContactos_Timer()
{
    if (!pasoDeslizamiento(picContactos, picMejoras))
        return;
    timAlternarContactos.stop();
    ponerIzquierdaPanel(picMejoras, 6841);
    cmdAlternarMejoras->setEnabled(true);
    cmdAlternarMejoras->setFocus();
}

// ---- Menus and toolbar ----

namespace {

void marcaSegunCasilla(QAction *accion, const QCheckBox *casilla)
{
    if (casilla->checkState() == Qt::Checked)
        accion->setChecked(true);
    else if (casilla->checkState() == Qt::Unchecked)
        accion->setChecked(false);
}

// A menu item toggles its check box between ticked and clear; the grey state stays.
bool alternarCasilla(QCheckBox *casilla)
{
    if (casilla->checkState() == Qt::Checked)
        casilla->setCheckState(Qt::Unchecked);
    else if (casilla->checkState() == Qt::Unchecked)
        casilla->setCheckState(Qt::Checked);
    else
        return false;
    return true;
}

} // namespace

void frmBrowser::mnuMejoras_Click()
{
    marcaSegunCasilla(mnuMejorasLenguajeMate, chkLMate);
    marcaSegunCasilla(mnuMejorasAbreviaturas, chkAbreviaturas);
    const bool habilitar = agregadosDisponibles && cboAddress->currentIndex() >= 0;
    mnuSaludosyFirmas->setEnabled(habilitar);
    mnuPOPImagenes->setEnabled(habilitar);
    mnuIconosGestuales->setEnabled(habilitar);
}

void frmBrowser::mnuMejorasLenguajeMate_Click()
{
    if (alternarCasilla(chkLMate))
        chkLMate_Click();
}

void frmBrowser::mnuMejorasAbreviaturas_Click()
{
    if (alternarCasilla(chkAbreviaturas))
        chkAbreviaturas_Click();
}

void frmBrowser::mnuHerramientas_Click()
{
    mnuAutoVersion->setText(QStringLiteral("    Versión Instalada: ") + QString::number(NTX_VERSION_MAYOR) +
                            QLatin1Char('.') + QString::number(NTX_VERSION_MENOR) + QLatin1Char('.') +
                            QString::number(NTX_VERSION_REVISION) + QLatin1Char(' '));
}

void frmBrowser::tbToolBar_ButtonClick(const QString &clave)
{
    if (clave == QLatin1String("Home")) {
        ponerEstado(5, QStringLiteral("Listo"));
        cboAddress->setCurrentIndex(-1);
        picEscritura->hide();
        brwWebBrowser->show();
        brwWebBrowser->navegar(paginaSitio(QStringLiteral("/ntxbin/princ/princ")));
    } else if (clave == QLatin1String("historial")) {
        if (mnuHistorialMsjs->isEnabled())
            mnuHistorialMsjs->trigger();
    } else if (clave == QLatin1String("agenda")) {
        if (mnuAbrirAgenda->isEnabled())
            mnuAbrirAgenda->trigger();
    }
}

// ---- Page-loading indicator and anti-flood windows ----

void frmBrowser::timTimer_Timer()
{
    if (!brwWebBrowser->ocupado()) {
        timTimer.stop();
        return;
    }
    ponerEstado(3, QStringLiteral("Conectando..."));
}

void frmBrowser::timAnti_Timer()
{
    ++minutosCorto;
    ++minutosLargo;
    if (minutosCorto >= 2) {
        ContadorCorto = 0;
        minutosCorto = 0;
    }
    if (minutosLargo > 60) {
        ContadorLargo = 0;
        minutosLargo = 0;
    }
}

// ---- Provider choice ----

void frmBrowser::cboAddress_Click()
{
    if (cboAddress->currentIndex() < 0)
        return;
    if (cboRemitente->currentText().isEmpty()) {
        const QString remitente = ctx.ajustes.leer(QStringLiteral("Mensajes"), QStringLiteral("Remitente0"));
        if (!remitente.isEmpty())
            cboRemitente->setEditText(remitente);
    }
    ponerEstado(4, QStringLiteral("Rellene los datos y escriba el mensaje, luego presione Enviar Mensaje"));
    SeleccionarProveedor(cboAddress->currentText());
    txtcarescritos_Change();
    ActualizarAgenda();
}

void frmBrowser::SeleccionarProveedor(const QString &nombre)
{
    cmdEnviar->setEnabled(true);
    brwWebBrowser->hide();
    brwWebBrowser->navegar(paginaLocal(QStringLiteral("enviar.htm")));
    picEscritura->show();
    txtmaxcar->setText(QStringLiteral("138"));
    lblCodArea->setText(QStringLiteral("0"));
    lblNumero->setText(QStringLiteral("15"));
    cboRemitente->show();
    lblremitente->show();
    ctx.envio.ProveedorActual = nombre;
    if (nombre.isEmpty())
        return;
    const Proveedor *proveedor = BuscarProveedor(nombre);
    if (!proveedor) {
        ctx.dialogos.mensaje(
            QStringLiteral("No se pueden enviar Mensajes a este proveedor con esta versión de NTX Mensajes."),
            Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        picEscritura->hide();
        cboAddress->setCurrentIndex(-1);
        brwWebBrowser->navegar(paginaLocal(QStringLiteral("index.htm")));
        brwWebBrowser->show();
        return;
    }
    lblCodArea->setText(proveedor->rotuloCodArea);
    lblNumero->setText(proveedor->rotuloNumero);
    txtalias->hide();
    lblalias->hide();
    txtmaxcar->setText(QString::number(proveedor->maximo));
    for (QWidget *w : {static_cast<QWidget *>(txtCodArea), static_cast<QWidget *>(txtNumero),
                       static_cast<QWidget *>(lblCodArea), static_cast<QWidget *>(lblNumero)})
        w->show();
}

#include "agenda/frmagenda.h"

#include <QKeyEvent>

#include "agenda/accesodirecto.h"
#include "agenda/frmimportarcontactos.h"
#include "agenda/grupos.h"
#include "agenda/principalagenda.h"
#include "agenda/registrocontacto.h"
#include "comun/contexto.h"

namespace {

// The address book window that is shown: the Agenda procedures close it before
// the contact dialog and show a fresh one after it.
frmAgenda *abierta = nullptr;

QRect Twips(int x, int y, int ancho, int alto)
{
    return QRect(x / 15, y / 15, ancho / 15, alto / 15);
}

// The four fields of a node; the name is always the node's text, the value name
// the store knows, even when the record's own name field is damaged.
Agenda::CamposContacto CamposDeNodo(const QTreeWidgetItem *nodo)
{
    Agenda::CamposContacto campos;
    Agenda::LeerCampos(nodo->data(0, Qt::UserRole).toString(), &campos);
    campos.nombre = nodo->text(0);
    return campos;
}

QString TextoRanura(int n, const QString &contacto)
{
    return QLatin1Char(' ') + QString::number(n) + QStringLiteral(" - ") +
           (contacto.isEmpty() ? QStringLiteral("(Vacío)") : contacto);
}

} // namespace

frmAgenda::frmAgenda(Contexto &contexto, PrincipalAgenda &principal, QWidget *parent)
    : QDialog(parent)
    , ctx(contexto)
    , m_principal(principal)
{
    setWindowTitle(QStringLiteral("Agenda"));
    // The groups take a column of their own at the right.
    setFixedSize(Twips(0, 0, 10560, 5520).size());

    ui.fraAgenda = new QGroupBox(QStringLiteral("Agenda"), this);
    ui.fraAgenda->setGeometry(Twips(120, 60, 6360, 3300));
    ui.picAgenda = new QWidget(ui.fraAgenda);
    ui.picAgenda->setGeometry(Twips(60, 240, 6240, 3000));
    ui.tvwAgenda = new QTreeWidget(ui.picAgenda);
    ui.tvwAgenda->setGeometry(Twips(60, 0, 4200, 2940));
    ui.tvwAgenda->setHeaderHidden(true);
    ui.tvwAgenda->setRootIsDecorated(false);
    ui.tvwAgenda->setUniformRowHeights(true);
    ui.tvwAgenda->setColumnCount(1);
    // Ctrl-click, Shift-click and Ctrl+A pick several contacts to write to or to put in a group.
    ui.tvwAgenda->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui.cmdAgregar = new QPushButton(QStringLiteral("Nuevo Contacto"), ui.picAgenda);
    ui.cmdAgregar->setGeometry(Twips(4380, 0, 1800, 420));
    ui.cmdModificar = new QPushButton(QStringLiteral("Modificar"), ui.picAgenda);
    ui.cmdModificar->setGeometry(Twips(4380, 480, 1800, 420));
    ui.cmdEliminar = new QPushButton(QStringLiteral("Eliminar"), ui.picAgenda);
    ui.cmdEliminar->setGeometry(Twips(4380, 960, 1800, 420));
    ui.cmdEscribir = new QPushButton(QStringLiteral("Escribir Mensaje"), ui.picAgenda);
    ui.cmdEscribir->setGeometry(Twips(4380, 2520, 1800, 420));

    ui.fraAgendaRapida = new QGroupBox(QStringLiteral("Agenda Rápida"), this);
    ui.fraAgendaRapida->setGeometry(Twips(120, 3420, 4500, 1080));
    ui.picAgendaRapida = new QWidget(ui.fraAgendaRapida);
    ui.picAgendaRapida->setGeometry(Twips(60, 300, 4380, 660));
    ui.cmdAgregarRapida = new QPushButton(QStringLiteral("Agregar este contacto"), ui.picAgendaRapida);
    ui.cmdAgregarRapida->setGeometry(Twips(60, 60, 2100, 420));
    ui.cmdEliminarRapida = new QPushButton(QStringLiteral("Eliminar un contacto"), ui.picAgendaRapida);
    ui.cmdEliminarRapida->setGeometry(Twips(2220, 60, 2100, 420));

    ui.cmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    ui.cmdCerrar->setGeometry(Twips(4740, 3960, 1740, 420));

    ui.StatusBar = new QStatusBar(this);
    ui.StatusBar->setSizeGripEnabled(false);
    // A row for contacts from other programs, between the quick contacts and the status bar.
    ui.cmdImportarOtro = new QPushButton(QStringLiteral("Importar contactos de otro programa..."), this);
    ui.cmdImportarOtro->setGeometry(Twips(120, 4560, 3900, 420));
    ui.cmdExportarVCard = new QPushButton(QStringLiteral("Exportar a vCard..."), this);
    ui.cmdExportarVCard->setGeometry(Twips(4140, 4560, 2340, 420));
    ui.StatusBar->setGeometry(Twips(0, 5160, 10560, 360));

    ui.fraGrupos = new QGroupBox(QStringLiteral("Grupos"), this);
    ui.fraGrupos->setGeometry(Twips(6600, 60, 3840, 4920));
    ui.tvwGrupos = new QTreeWidget(ui.fraGrupos);
    ui.tvwGrupos->setGeometry(Twips(120, 300, 3600, 2820));
    ui.tvwGrupos->setHeaderHidden(true);
    ui.tvwGrupos->setColumnCount(1);
    ui.tvwGrupos->setUniformRowHeights(true);
    ui.tvwGrupos->setAccessibleName(QStringLiteral("Grupos"));
    const auto botonGrupo = [this](const QString &texto, int x, int y) {
        auto *b = new QPushButton(texto, ui.fraGrupos);
        b->setGeometry(Twips(x, y, 1740, 360));
        return b;
    };
    ui.cmdNuevoGrupo = botonGrupo(QStringLiteral("Nuevo Grupo"), 120, 3240);
    ui.cmdRenombrarGrupo = botonGrupo(QStringLiteral("Renombrar"), 1980, 3240);
    ui.cmdAgregarAGrupo = botonGrupo(QStringLiteral("Agregar al grupo"), 120, 3660);
    ui.cmdQuitarDeGrupo = botonGrupo(QStringLiteral("Quitar del grupo"), 1980, 3660);
    ui.cmdEscribirAGrupo = botonGrupo(QStringLiteral("Escribir a"), 120, 4080);
    ui.cmdEliminarGrupo = botonGrupo(QStringLiteral("Eliminar Grupo"), 1980, 4080);
    ui.cmdAlEscritorioGrupo = botonGrupo(QStringLiteral("Al escritorio"), 120, 4500);
    ui.StatusBarPanel1 = new QLabel(ui.StatusBar);
    ui.StatusBarPanel1->setMinimumWidth(110);
    ui.StatusBarPanel2 = new QLabel(ui.StatusBar);
    ui.StatusBar->addWidget(ui.StatusBarPanel1);
    ui.StatusBar->addWidget(ui.StatusBarPanel2, 1);

    ui.mnuPopAgregarRapida = new QMenu(this);
    ui.mnuPopEliminarRapida = new QMenu(this);
    for (int n = 1; n <= 10; ++n) {
        mnuAgregar[n] = ui.mnuPopAgregarRapida->addAction(TextoRanura(n, {}));
        mnuEliminar[n] = ui.mnuPopEliminarRapida->addAction(TextoRanura(n, {}));
        connect(mnuAgregar[n], &QAction::triggered, this, [this, n] { mnuAgregar_Click(n); });
        connect(mnuEliminar[n], &QAction::triggered, this, [this, n] { mnuEliminar_Click(n); });
    }

    ui.nombrar();
    for (int n = 1; n <= 10; ++n) {
        mnuAgregar[n]->setObjectName(QStringLiteral("mnuAgregar") + QString::number(n));
        mnuEliminar[n]->setObjectName(QStringLiteral("mnuEliminar") + QString::number(n));
    }

    connect(ui.cmdAgregar, &QPushButton::clicked, this, &frmAgenda::cmdAgregar_Click);
    connect(ui.cmdModificar, &QPushButton::clicked, this, &frmAgenda::cmdModificar_Click);
    connect(ui.cmdEliminar, &QPushButton::clicked, this, &frmAgenda::cmdEliminar_Click);
    connect(ui.cmdEscribir, &QPushButton::clicked, this, &frmAgenda::cmdEscribir_Click);
    connect(ui.cmdCerrar, &QPushButton::clicked, this, &frmAgenda::cmdCerrar_Click);
    connect(ui.cmdAgregarRapida, &QPushButton::clicked, this, &frmAgenda::cmdAgregarRapida_Click);
    connect(ui.cmdEliminarRapida, &QPushButton::clicked, this, &frmAgenda::cmdEliminarRapida_Click);
    connect(ui.cmdImportarOtro, &QPushButton::clicked, this, &frmAgenda::cmdImportarOtro_Click);
    connect(ui.cmdExportarVCard, &QPushButton::clicked, this, &frmAgenda::cmdExportarVCard_Click);
    connect(ui.cmdNuevoGrupo, &QPushButton::clicked, this, &frmAgenda::cmdNuevoGrupo_Click);
    connect(ui.cmdRenombrarGrupo, &QPushButton::clicked, this, &frmAgenda::cmdRenombrarGrupo_Click);
    connect(ui.cmdEliminarGrupo, &QPushButton::clicked, this, &frmAgenda::cmdEliminarGrupo_Click);
    connect(ui.cmdAgregarAGrupo, &QPushButton::clicked, this, &frmAgenda::cmdAgregarAGrupo_Click);
    connect(ui.cmdQuitarDeGrupo, &QPushButton::clicked, this, &frmAgenda::cmdQuitarDeGrupo_Click);
    connect(ui.cmdEscribirAGrupo, &QPushButton::clicked, this, &frmAgenda::cmdEscribirAGrupo_Click);
    connect(ui.cmdAlEscritorioGrupo, &QPushButton::clicked, this, &frmAgenda::cmdAlEscritorioGrupo_Click);
    connect(ui.tvwAgenda, &QTreeWidget::currentItemChanged, this, [this] { tvwAgenda_NodeClick(); });
    connect(ui.tvwAgenda, &QTreeWidget::itemClicked, this, [this] { tvwAgenda_NodeClick(); });
    connect(ui.tvwAgenda, &QTreeWidget::itemDoubleClicked, this, [this] { tvwAgenda_DblClick(); });
    ui.tvwAgenda->installEventFilter(this);
    ui.tvwAgenda->setAccessibleName(QStringLiteral("Contactos"));
    ui.tvwAgenda->setAccessibleDescription(QStringLiteral("Enter escribe un mensaje al contacto elegido"));

    Form_Load();
}

frmAgenda::~frmAgenda()
{
    if (abierta == this)
        abierta = nullptr;
}

void frmAgenda::done(int resultado)
{
    // Closed windows are no longer the address book that is shown.
    if (abierta == this)
        abierta = nullptr;
    QDialog::done(resultado);
}

void frmAgenda::Mostrar(Contexto &ctx, PrincipalAgenda &principal)
{
    frmAgenda ventana(ctx, principal, principal.ventana());
    abierta = &ventana;
    ventana.exec();
}

void frmAgenda::CerrarAbierta()
{
    if (abierta)
        abierta->close();
}

frmAgenda *frmAgenda::Abierta()
{
    return abierta;
}

void frmAgenda::Form_Load()
{
    cargarGrupos();
    ParesAjustes pares;
    const bool leidos = ctx.ajustes.enumerarConEstado(SeccionAgenda, &pares);
    m_contactos.clear();
    m_contactos.reserve(pares.size());
    for (const auto &par : std::as_const(pares))
        m_contactos.append({par.first, par.second});

    const QSignalBlocker bloqueo(ui.tvwAgenda);
    ui.tvwAgenda->clear();
    ui.StatusBarPanel2->setText(QStringLiteral("Recuperando datos de la agenda...  "));
    const QIcon icono(QStringLiteral(":/iconos/contacto.svg"));
    QList<QTreeWidgetItem *> nodos;
    nodos.reserve(m_contactos.size());
    for (const FilaContacto &fila : std::as_const(m_contactos)) {
        auto *nodo = new QTreeWidgetItem(QStringList{fila.nombre});
        nodo->setIcon(0, icono);
        nodo->setData(0, Qt::UserRole, fila.registro);
        nodos.append(nodo);
    }
    ui.tvwAgenda->addTopLevelItems(nodos);

    const bool hay = !m_contactos.isEmpty();
    for (QPushButton *b : {ui.cmdEscribir, ui.cmdEliminar, ui.cmdModificar, ui.cmdAgregarRapida})
        b->setEnabled(hay);
    if (!hay) {
        ui.StatusBarPanel1->clear();
        // The hint is long: with no count to show it takes the whole bar.
        ui.StatusBarPanel1->hide();
        ui.StatusBarPanel2->setText(leidos
                                        ? QStringLiteral("Haga clic en Nuevo Contacto para agregar un contacto a la "
                                                         "Agenda.")
                                        : QStringLiteral("No se pudieron leer los contactos guardados en la Agenda."));
        return;
    }
    ui.StatusBarPanel1->show();
    ui.StatusBarPanel1->setText(QLatin1Char(' ') + QString::number(m_contactos.size()) +
                                QStringLiteral(" contactos  "));
    ui.StatusBarPanel2->setText(QStringLiteral("Haga doble clic en un contacto para enviarle un mensaje"));
    ui.tvwAgenda->setCurrentItem(ui.tvwAgenda->topLevelItem(0));
}

void frmAgenda::tvwAgenda_NodeClick()
{
    const QTreeWidgetItem *nodo = ui.tvwAgenda->currentItem();
    if (!nodo)
        return;
    const Agenda::CamposContacto campos = CamposDeNodo(nodo);
    if (campos.codArea == Agenda::CodAreaAlias)
        ui.StatusBarPanel2->setText(QStringLiteral("Alias: ") + campos.numero);
    else
        ui.StatusBarPanel2->setText(QStringLiteral("Móvil: ") + campos.codArea + QLatin1Char(' ') + campos.numero);
}

void frmAgenda::tvwAgenda_DblClick()
{
    cmdEscribir_Click();
}

void frmAgenda::tvwAgenda_KeyDown(int codigo)
{
    if (codigo == 46)
        cmdEliminar_Click();
}

bool frmAgenda::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == ui.tvwAgenda && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Delete) {
        tvwAgenda_KeyDown(46);
        return true;
    }
    // Enter on a contact writes to it, as a double click does, not the dialog's first button.
    if (objeto == ui.tvwAgenda && evento->type() == QEvent::KeyPress && ui.tvwAgenda->currentItem() &&
        (static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Return ||
         static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Enter)) {
        tvwAgenda_DblClick();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void frmAgenda::avisar(const QString &texto)
{
    ctx.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
}

void frmAgenda::cmdAgregar_Click()
{
    m_principal.NuevoContacto();
}

void frmAgenda::cmdEscribir_Click()
{
    QStringList varios;
    for (const QTreeWidgetItem *n : ui.tvwAgenda->selectedItems()) {
        if (n->data(0, Qt::UserRole).isValid())
            varios.append(n->text(0));
    }
    if (varios.size() > 1) {
        close();
        m_principal.EscribirAVarios(varios, {});
        return;
    }
    const QTreeWidgetItem *nodo = ui.tvwAgenda->currentItem();
    if (!nodo || !nodo->data(0, Qt::UserRole).isValid()) {
        avisar(QStringLiteral("Debe elegir primero un contacto al cual escribir el mensaje"));
        return;
    }
    if (nodo->text(0).isEmpty())
        return;
    const Agenda::CamposContacto campos = CamposDeNodo(nodo);
    close();
    m_principal.EscribirAContacto(campos.nombre, campos.proveedor, campos.codArea, campos.numero);
}

void frmAgenda::cmdModificar_Click()
{
    const QTreeWidgetItem *nodo = ui.tvwAgenda->currentItem();
    if (!nodo) {
        avisar(QStringLiteral("Debe elegir un contacto al cual modificar los datos"));
        return;
    }
    const Agenda::CamposContacto campos = CamposDeNodo(nodo);
    if (m_principal.ModificarContacto(campos.nombre, campos.proveedor, campos.codArea, campos.numero))
        return;
    const QString texto =
        QStringLiteral("Este contacto tiene asignado un proveedor al que esta versión de NTX Mensajes no puede enviar "
                       "mensajes.\r\nElimine este contacto y vuelva a crearlo asignándole un proveedor disponible en "
                       "esta versión\r\n\r\n¿Desea eliminar este contacto ahora?");
    if (ctx.dialogos.mensaje(texto, Dialogos::Botones::SiNo, Dialogos::Icono::Critico,
                             QStringLiteral("NTX Mensajes - Contacto Inválido"),
                             Dialogos::Respuesta::No) == Dialogos::Respuesta::Si)
        eliminarContacto(campos.nombre);
}

void frmAgenda::eliminarContacto(const QString &nombre)
{
    ctx.ajustes.borrarClave(SeccionAgenda, nombre);
    Agenda::Grupos(ctx.ajustes).contactoEliminado(nombre);
    Form_Load();
    // The quick slots that named the contact are emptied by this refresh.
    m_principal.ActualizarAgenda();
    m_principal.IniciarPanelContactos();
}

void frmAgenda::cmdEliminar_Click()
{
    const QTreeWidgetItem *nodo = ui.tvwAgenda->currentItem();
    if (!nodo) {
        avisar(QStringLiteral("Debe elegir un contacto antes de poder eliminar"));
        return;
    }
    const QString nombre = nodo->text(0);
    if (nombre.isEmpty())
        return;
    if (ctx.dialogos.mensaje(QStringLiteral("¿Está seguro que desea eliminar permanentemente a ") + nombre +
                                 QStringLiteral(" de la agenda?"),
                             Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, QStringLiteral("Eliminar contacto"),
                             Dialogos::Respuesta::No) != Dialogos::Respuesta::Si)
        return;
    eliminarContacto(nombre);
}

void frmAgenda::cmdCerrar_Click()
{
    close();
}

void frmAgenda::llenarMenuRapidas(QAction *const *items, bool deshabilitarVacias)
{
    std::array<QString, 10> guardadas;
    for (int n = 1; n <= 10; ++n)
        guardadas[static_cast<size_t>(n - 1)] = ctx.ajustes.leer(SeccionMensajes, ClaveRapida(n));
    // A slot naming a contact that is gone shows as empty, as the drop-down does.
    const auto entradas = Agenda::CalcularRapidas(m_contactos, true, guardadas);
    for (int n = 1; n <= 10; ++n) {
        const Agenda::EntradaRapida &e = entradas[static_cast<size_t>(n - 1)];
        m_rapidas[n] = e.habilitada ? e.texto : QString();
        items[n]->setText(TextoRanura(n, m_rapidas[n]));
        if (deshabilitarVacias)
            items[n]->setEnabled(e.habilitada);
    }
}

void frmAgenda::mostrarDebajo(QMenu *menu, QPushButton *boton)
{
    menu->popup(boton->mapToGlobal(QPoint(0, boton->height())));
}

void frmAgenda::cmdAgregarRapida_Click()
{
    llenarMenuRapidas(mnuAgregar, false);
    mostrarDebajo(ui.mnuPopAgregarRapida, ui.cmdAgregarRapida);
}

void frmAgenda::cmdEliminarRapida_Click()
{
    llenarMenuRapidas(mnuEliminar, true);
    mostrarDebajo(ui.mnuPopEliminarRapida, ui.cmdEliminarRapida);
}

void frmAgenda::mnuAgregar_Click(int n)
{
    if (n < 1 || n > 10)
        return;
    const QTreeWidgetItem *nodo = ui.tvwAgenda->currentItem();
    if (!nodo || !nodo->data(0, Qt::UserRole).isValid()) {
        avisar(QStringLiteral("Seleccione un contacto de la Agenda antes de agregarlo a la Agenda Rápida"));
        return;
    }
    const QString nombre = nodo->text(0);
    const QString actual = m_rapidas[n];
    bool poner = actual.isEmpty();
    if (!poner)
        poner =
            ctx.dialogos.mensaje(QStringLiteral("¿Desea reemplazar a ") + actual + QStringLiteral(" por ") + nombre +
                                     QStringLiteral(" en la Agenda Rápida?\r\n\r\nEsta acción sólo afectará a "
                                                    "la Agenda Rápida."),
                                 Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta,
                                 QStringLiteral("Agenda Rápida - Reemplazar Contacto"),
                                 Dialogos::Respuesta::No) == Dialogos::Respuesta::Si;
    if (poner) {
        if (!ctx.ajustes.escribir(SeccionMensajes, ClaveRapida(n), nombre)) {
            ctx.dialogos.mensaje(QStringLiteral("No se pudo guardar el contacto en la Agenda Rápida."),
                                 Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        } else if (actual.isEmpty()) {
            ctx.dialogos.mensaje(QStringLiteral("Se agregó a ") + nombre + QStringLiteral(" a la Agenda Rápida"),
                                 Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, Dialogos::tituloPrograma());
        }
    }
    m_principal.ActualizarAgenda();
}

void frmAgenda::mnuEliminar_Click(int n)
{
    if (n < 1 || n > 10 || m_rapidas[n].isEmpty())
        return;
    if (ctx.dialogos.mensaje(QStringLiteral("¿Seguro desea eliminar a ") + m_rapidas[n] +
                                 QStringLiteral(" de la Agenda Rápida?\r\n\r\nEsta acción sólo afectará a la Agenda "
                                                "Rápida."),
                             Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta,
                             QStringLiteral("Agenda Rápida - Eliminar"),
                             Dialogos::Respuesta::No) == Dialogos::Respuesta::Si)
        ctx.ajustes.borrarClave(SeccionMensajes, ClaveRapida(n));
    m_principal.ActualizarAgenda();
}

void frmAgenda::cmdImportarOtro_Click()
{
    if (frmImportarContactos::Importar(ctx, m_principal, this))
        Form_Load();
}

void frmAgenda::cmdExportarVCard_Click()
{
    Agenda::ExportarVCard(ctx);
}

// ---- Groups ----

void frmAgenda::cargarGrupos(const QString &elegir)
{
    const QSignalBlocker bloqueo(ui.tvwGrupos);
    ui.tvwGrupos->clear();
    const QIcon icono(QStringLiteral(":/iconos/contacto.png"));
    QTreeWidgetItem *elegido = nullptr;
    for (const Agenda::Grupo &g : Agenda::Grupos(ctx.ajustes).todos()) {
        auto *nodo = new QTreeWidgetItem(QStringList{g.nombre});
        nodo->setData(0, Qt::UserRole, g.nombre);
        for (const QString &m : g.miembros) {
            auto *miembro = new QTreeWidgetItem(nodo, QStringList{m});
            miembro->setIcon(0, icono);
        }
        ui.tvwGrupos->addTopLevelItem(nodo);
        nodo->setExpanded(true);
        if (!elegir.isEmpty() && Ajustes::plegar(g.nombre) == Ajustes::plegar(elegir))
            elegido = nodo;
    }
    if (elegido)
        ui.tvwGrupos->setCurrentItem(elegido);
    const bool hay = ui.tvwGrupos->topLevelItemCount() > 0;
    for (QPushButton *b : {ui.cmdRenombrarGrupo, ui.cmdEliminarGrupo, ui.cmdAgregarAGrupo, ui.cmdQuitarDeGrupo,
                           ui.cmdEscribirAGrupo, ui.cmdAlEscritorioGrupo})
        b->setEnabled(hay);
}

void frmAgenda::avisarGrupos(const QString &texto)
{
    ctx.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion,
                         QStringLiteral("NTX Mensajes - Grupos"));
}

QString frmAgenda::grupoElegido()
{
    const QTreeWidgetItem *nodo = ui.tvwGrupos->currentItem();
    if (nodo && nodo->parent())
        nodo = nodo->parent();
    if (!nodo) {
        avisarGrupos(QStringLiteral("Debe elegir primero un grupo"));
        return {};
    }
    return nodo->text(0);
}

void frmAgenda::cmdNuevoGrupo_Click()
{
    const QString nombre =
        ctx.dialogos.pedirTexto(QStringLiteral("Nuevo grupo"), QStringLiteral("Nombre del grupo:"), QString());
    if (nombre.isEmpty())
        return;
    QString error;
    if (!Agenda::Grupos(ctx.ajustes).crear(nombre, &error)) {
        avisarGrupos(error);
        return;
    }
    cargarGrupos(nombre);
    m_principal.IniciarPanelContactos();
}

void frmAgenda::cmdRenombrarGrupo_Click()
{
    const QString viejo = grupoElegido();
    if (viejo.isEmpty())
        return;
    const QString nuevo =
        ctx.dialogos.pedirTexto(QStringLiteral("Renombrar grupo"), QStringLiteral("Nuevo nombre del grupo:"), viejo);
    if (nuevo.isEmpty() || nuevo == viejo)
        return;
    QString error;
    if (!Agenda::Grupos(ctx.ajustes).renombrar(viejo, nuevo, &error)) {
        avisarGrupos(error);
        return;
    }
    cargarGrupos(nuevo);
    m_principal.IniciarPanelContactos();
}

void frmAgenda::cmdEliminarGrupo_Click()
{
    const QString nombre = grupoElegido();
    if (nombre.isEmpty())
        return;
    if (ctx.dialogos.mensaje(QStringLiteral("¿Está seguro que desea eliminar el grupo ") + nombre +
                                 QStringLiteral("?\r\n\r\nLos contactos del grupo seguirán en la Agenda."),
                             Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, QStringLiteral("Eliminar grupo"),
                             Dialogos::Respuesta::No) != Dialogos::Respuesta::Si)
        return;
    QString error;
    if (!Agenda::Grupos(ctx.ajustes).eliminar(nombre, &error))
        avisarGrupos(error);
    cargarGrupos();
    m_principal.IniciarPanelContactos();
}

void frmAgenda::cmdAgregarAGrupo_Click()
{
    const QString grupo = grupoElegido();
    if (grupo.isEmpty())
        return;
    QStringList nombres;
    for (const QTreeWidgetItem *n : ui.tvwAgenda->selectedItems()) {
        if (n->data(0, Qt::UserRole).isValid())
            nombres.append(n->text(0));
    }
    if (nombres.isEmpty()) {
        avisarGrupos(QStringLiteral("Elija en la Agenda los contactos que desea agregar al grupo ") + grupo);
        return;
    }
    QString error;
    if (!Agenda::Grupos(ctx.ajustes).agregar(grupo, nombres, &error))
        avisarGrupos(error);
    cargarGrupos(grupo);
    m_principal.IniciarPanelContactos();
}

void frmAgenda::cmdQuitarDeGrupo_Click()
{
    const QTreeWidgetItem *nodo = ui.tvwGrupos->currentItem();
    if (!nodo || !nodo->parent()) {
        avisarGrupos(QStringLiteral("Elija en el grupo el contacto que desea quitar"));
        return;
    }
    const QString grupo = nodo->parent()->text(0);
    QString error;
    if (!Agenda::Grupos(ctx.ajustes).quitar(grupo, nodo->text(0), &error))
        avisarGrupos(error);
    cargarGrupos(grupo);
    m_principal.IniciarPanelContactos();
}

void frmAgenda::cmdEscribirAGrupo_Click()
{
    const QString grupo = grupoElegido();
    if (grupo.isEmpty())
        return;
    const QStringList miembros = Agenda::Grupos(ctx.ajustes).miembros(grupo);
    if (miembros.isEmpty()) {
        avisarGrupos(QStringLiteral("El grupo ") + grupo +
                     QStringLiteral(" no tiene contactos. Agregue contactos al grupo antes de escribirle."));
        return;
    }
    close();
    m_principal.EscribirAVarios(miembros, grupo);
}

void frmAgenda::cmdAlEscritorioGrupo_Click()
{
    const QString grupo = grupoElegido();
    if (!grupo.isEmpty())
        Agenda::CrearAccesoDirecto(ctx.dialogos, ctx.sistema, grupo, Agenda::TipoAcceso::Grupo);
}

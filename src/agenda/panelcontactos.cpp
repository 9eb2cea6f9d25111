#include "agenda/panelcontactos.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include "agenda/exportaragenda.h"
#include "agenda/frmagenda.h"
#include "agenda/frmcontacto.h"
#include "agenda/grupos.h"
#include "agenda/lineacomandos.h"
#include "plataforma/colocacion.h"

using namespace Agenda;
using namespace colocacion;

namespace {
// A group node of the tree carries the group's name here (a contact node has none).
constexpr int RolGrupo = Qt::UserRole + 1;
} // namespace

namespace {

const QString TituloInvalido = QStringLiteral("NTX Mensajes - Contacto Inválido");

} // namespace

PanelContactos::PanelContactos(Contexto &contexto, VentanaContactos &ventana, DestinoComposicion &composicion,
                               QWidget *padre)
    : QWidget(padre)
    , ctx(contexto)
    , ventana_(ventana)
    , composicion_(composicion)
{
    crearControles();
    connect(cmdEscribirA, &QPushButton::clicked, this, &PanelContactos::cmdEscribirA_Click);
    connect(tvwContactos, &QTreeWidget::itemDoubleClicked, this, &PanelContactos::tvwContactos_DblClick);
    tvwContactos->installEventFilter(this);
    connect(cmdAbrirAgenda, &QPushButton::clicked, this, &PanelContactos::cmdAbrirAgenda_Click);
    connect(accionPersonalizar, &QAction::triggered, this, &PanelContactos::AbrirAgenda);
    for (int n = 1; n <= 10; ++n)
        connect(accionesRapidas[n - 1], &QAction::triggered, this, [this, n] { Rapida_Click(n); });
    connect(cmdAlternarContactos, &QPushButton::clicked, this, &PanelContactos::cmdAlternarContactos_Click);
}

void PanelContactos::crearControles()
{
    setObjectName(QStringLiteral("picContactos"));
    setGeometry(twips(6840, 840, 3735, 3615));
    fraContactos = new QGroupBox(QStringLiteral("Contactos"), this);
    fraContactos->setGeometry(QRect(0, 0, 249, 208));
    tvwContactos = new QTreeWidget(fraContactos);
    tvwContactos->setGeometry(QRect(6, 18, 237, 184));
    tvwContactos->setHeaderHidden(true);
    tvwContactos->setRootIsDecorated(false);
    tvwContactos->setAccessibleName(QStringLiteral("Contactos"));
    tvwContactos->setAccessibleDescription(QStringLiteral("Enter escribe un mensaje al contacto elegido"));
    // Ctrl-click, Shift-click and Ctrl+A pick several contacts for one message.
    tvwContactos->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdAlternarContactos = boton(QStringLiteral("&Ver Mejoras"), this, QRect(0, 212, 81, 28));
    cmdEscribirA = boton(QStringLiteral("Escri&bir"), this, QRect(84, 212, 80, 28));
    cmdAbrirAgenda = boton(QStringLiteral("Abrir Age&nda"), this, QRect(168, 212, 81, 28));

    // The toolbar's drop-down: a caption, the ten quick slots, "Personalizar...".
    menuAgendaRapida = new QMenu(this);
    // Its title shows where the menu bar offers it too.
    menuAgendaRapida->setTitle(QStringLiteral("Agenda &Rápida"));
    QAction *titulo = menuAgendaRapida->addAction(QStringLiteral("Agenda Rápida"));
    titulo->setEnabled(false);
    menuAgendaRapida->addSeparator();
    for (int i = 0; i < 10; ++i) {
        accionesRapidas[i] = menuAgendaRapida->addAction(QString());
        accionesRapidas[i]->setData(QStringLiteral("rap%1").arg(i + 1));
        accionesRapidas[i]->setObjectName(QStringLiteral("rap%1").arg(i + 1));
        accionesRapidas[i]->setEnabled(false);
    }
    menuAgendaRapida->addSeparator();
    accionPersonalizar = menuAgendaRapida->addAction(QStringLiteral("Personalizar..."));
    accionPersonalizar->setData(QStringLiteral("personalizar"));
    NTX_CONTROLES_CONTACTOS(NTX_CONTROLES_NOMBRE)
}

bool PanelContactos::eventFilter(QObject *objeto, QEvent *evento)
{
    // Ctrl+A in the tree selects every contact, before the menu shortcut of the same keys.
    if (objeto == tvwContactos && evento->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent *>(evento)->matches(QKeySequence::SelectAll)) {
        evento->accept();
        return true;
    }
    if (objeto == tvwContactos && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            cmdEscribirA_Click();
            return true;
        }
    }
    // The menu key (or a right click) offers what the buttons below the list do.
    if (objeto == tvwContactos && evento->type() == QEvent::ContextMenu) {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("mnuContactos"));
        QAction *escribir = menu.addAction(QStringLiteral("&Escribir"));
        escribir->setEnabled(cmdEscribirA->isEnabled());
        QAction *agenda = menu.addAction(QStringLiteral("Abrir &Agenda"));
        const auto *pedido = static_cast<QContextMenuEvent *>(evento);
        const QTreeWidgetItem *actual = tvwContactos->currentItem();
        const QPoint lugar =
            pedido->reason() == QContextMenuEvent::Keyboard && actual
                ? tvwContactos->viewport()->mapToGlobal(tvwContactos->visualItemRect(actual).bottomLeft())
                : pedido->globalPos();
        QAction *elegida = menu.exec(lugar);
        if (elegida == escribir)
            cmdEscribirA_Click();
        else if (elegida == agenda)
            cmdAbrirAgenda_Click();
        return true;
    }
    return QWidget::eventFilter(objeto, evento);
}

// ---- Contact list, quick slots and recipient ----

void PanelContactos::ActualizarAgenda()
{
    const bool leidos = LeerContactos(ctx.ajustes, &ctx.contactos);
    indice.construir(ctx.contactos);
    MostrarDestinatario();

    std::array<QString, 10> guardadas;
    for (int n = 1; n <= 10; ++n)
        guardadas[static_cast<size_t>(n - 1)] = ctx.ajustes.leer(SeccionMensajes, ClaveRapida(n));
    const auto entradas = CalcularRapidas(ctx.contactos, leidos, guardadas);
    for (int n = 1; n <= 10; ++n) {
        const EntradaRapida &e = entradas[static_cast<size_t>(n - 1)];
        accionesRapidas[n - 1]->setText(e.texto);
        accionesRapidas[n - 1]->setEnabled(e.habilitada);
        if (e.borrarValor)
            ctx.ajustes.borrarClave(SeccionMensajes, ClaveRapida(n));
    }
}

void PanelContactos::MostrarDestinatario()
{
    DestinatarioSaliente d;
    d.modoAlias = composicion_.modoAlias();
    d.codArea = composicion_.codArea();
    d.numero = composicion_.numero();
    d.alias = composicion_.alias();
    int fila = -1;
    if (d.modoAlias) {
        if (!d.alias.isEmpty())
            fila = indice.buscarPorAlias(ctx.contactos, d.alias);
    } else if (!d.codArea.isEmpty() || !d.numero.isEmpty()) {
        fila = indice.buscarPorNumero(ctx.contactos, d.codArea, d.numero);
    }
    if (fila >= 0) {
        d.agendado = true;
        d.nombre = ctx.contactos.at(fila).nombre;
    }
    Q_EMIT destinatario(d);
}

void PanelContactos::IniciarPanelContactos()
{
    ParesAjustes pares;
    ctx.ajustes.enumerarConEstado(SeccionAgenda, &pares);
    tvwContactos->clear();
    if (pares.isEmpty()) {
        new QTreeWidgetItem(tvwContactos, {QStringLiteral("No hay contactos en la Agenda")});
        cmdEscribirA->setEnabled(false);
        return;
    }
    const QIcon icono(QStringLiteral(":/iconos/contacto.svg"));
    for (const auto &par : std::as_const(pares)) {
        auto *nodo = new QTreeWidgetItem(tvwContactos, {par.first});
        nodo->setIcon(0, icono);
        nodo->setData(0, Qt::UserRole, par.second);
    }
    // The groups after the contacts; a group node carries its name in RolGrupo.
    for (const Grupo &g : Grupos(ctx.ajustes).todos()) {
        auto *nodo = new QTreeWidgetItem(tvwContactos, {QStringLiteral("Grupo: ") + g.nombre});
        nodo->setData(0, RolGrupo, g.nombre);
        nodo->setToolTip(0, g.miembros.isEmpty() ? QStringLiteral("(sin contactos)") : g.miembros.join(u'\n'));
    }
    tvwContactos->setCurrentItem(tvwContactos->topLevelItem(0));
    cmdEscribirA->setEnabled(true);
}

void PanelContactos::ProcesarLineaDeComandos(const QString &linea)
{
    const QString texto = linea.isEmpty() ? ctx.sistema.lineaDeComandos() : linea;
    // Several "/c:" or a "/g:": the composer gets the list; one "/c:" alone goes on as always.
    const ArgumentosDestinatarios argumentos = AnalizarDestinatariosLinea(texto);
    if (argumentos.varios()) {
        ventana_.mostrarVentana();
        escribirAVariosGuardados(argumentos.contactos, argumentos.grupos);
        return;
    }
    if (argumentos.sintaxisInvalida && texto.contains(QStringLiteral("/g:"), Qt::CaseInsensitive)) {
        ctx.dialogos.mensaje(MensajeSintaxisGrupoLineaDeComandos(), Dialogos::Botones::Aceptar,
                             Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return;
    }
    QString nombre;
    switch (AnalizarLineaDeComandos(texto, &nombre)) {
    case ArgumentoContacto::Ninguno:
        return;
    case ArgumentoContacto::SintaxisInvalida:
        ctx.dialogos.mensaje(MensajeSintaxisLineaDeComandos(), Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion,
                             Dialogos::tituloPrograma());
        return;
    case ArgumentoContacto::Nombre:
        ventana_.mostrarVentana();
        EscribirAContactoPorNombre(nombre);
        return;
    }
}

void PanelContactos::escribirAGuardado(const QString &nombre)
{
    const QString registro = ctx.ajustes.leer(SeccionAgenda, nombre);
    if (registro.isEmpty()) {
        ctx.dialogos.mensaje(QStringLiteral("Ocurrió un error grave intentando leer datos del Registro, informe de "
                                            "este error a NTX, indicando los pasos necesarios para reproducirlo."),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, QStringLiteral("Error Grave"));
        return;
    }
    CamposContacto campos;
    // A field that does not read back whole is used as read: the checks decide.
    LeerCampos(registro, &campos);
    EscribirAContacto(campos.nombre, campos.proveedor, campos.codArea, campos.numero);
}

void PanelContactos::cmdEscribirA_Click()
{
    // No contact selected (or the "no contacts" line): nothing to write to.
    const QTreeWidgetItem *nodo = tvwContactos->currentItem();
    if (!nodo || !cmdEscribirA->isEnabled())
        return;
    QStringList nombres, grupos;
    for (const QTreeWidgetItem *n : tvwContactos->selectedItems()) {
        if (n->data(0, RolGrupo).isValid())
            grupos.append(n->data(0, RolGrupo).toString());
        else if (n->data(0, Qt::UserRole).isValid())
            nombres.append(n->text(0));
    }
    if (nombres.size() + grupos.size() > 1 || !grupos.isEmpty()) {
        escribirAVariosGuardados(nombres, grupos);
        return;
    }
    escribirAGuardado(nodo->text(0));
}

void PanelContactos::EscribirAVarios(const QStringList &nombres, const QString &grupo)
{
    // A group's members come from its name: a contact deleted meanwhile is left out.
    escribirAVariosGuardados(grupo.isEmpty() ? nombres : QStringList{},
                             grupo.isEmpty() ? QStringList{} : QStringList{grupo});
}

void PanelContactos::escribirAVariosGuardados(const QStringList &nombres, const QStringList &grupos)
{
    // The book as stored now: another program, or a second start, may have changed it.
    ActualizarAgenda();
    IniciarPanelContactos();
    const Contactos &contactos = ctx.contactos;
    QString problema;
    const QStringList todos = ExpandirDestinatarios(contactos, Grupos(ctx.ajustes), nombres, grupos, &problema);
    if (!problema.isEmpty() || todos.isEmpty()) {
        ctx.dialogos.mensaje(problema.isEmpty() ? QStringLiteral("Ninguno de los contactos elegidos está en la Agenda.")
                                                : problema,
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        if (todos.isEmpty())
            return;
    }
    // One contact after all is the single way, exactly as before.
    if (todos.size() == 1) {
        escribirAGuardado(todos.first());
        return;
    }
    Q_EMIT varios(todos, grupos.size() == 1 && nombres.isEmpty() ? grupos.first() : QString());
}

void PanelContactos::tvwContactos_DblClick()
{
    cmdEscribirA_Click();
}

void PanelContactos::cmdAbrirAgenda_Click()
{
    AbrirAgenda();
}

void PanelContactos::AbrirAgenda()
{
    frmAgenda::Mostrar(ctx, *this);
}

void PanelContactos::cmdAlternarContactos_Click()
{
    cmdAlternarContactos->setEnabled(false);
    Q_EMIT verMejoras();
}

void PanelContactos::terminarDeslizamiento()
{
    cmdAlternarContactos->setEnabled(true);
    tvwContactos->hide();
    tvwContactos->show();
    cmdAlternarContactos->setFocus();
}

void PanelContactos::Rapida_Click(int numero)
{
    QAction *entrada = accionesRapidas[numero - 1];
    if (entrada->isEnabled())
        escribirAGuardado(entrada->text());
}

void PanelContactos::ExportarAgenda()
{
    ::ExportarAgenda(ctx);
}

void PanelContactos::ImportarAgenda()
{
    ::ImportarAgenda(ctx, *this);
}

// ---- Agenda procedures ----

namespace {

void CopiarProveedores(const QStringList &proveedores, frmContacto &dialogo)
{
    dialogo.ponerProveedores(proveedores);
}

} // namespace

void PanelContactos::eliminarContacto(const QString &nombre)
{
    ctx.ajustes.borrarClave(SeccionAgenda, nombre);
    Grupos(ctx.ajustes).contactoEliminado(nombre);
    ActualizarAgenda();
    // The panel would otherwise still list a contact that is gone.
    IniciarPanelContactos();
}

void PanelContactos::preguntarProveedorNoDisponible(const QString &nombre, bool conGuion)
{
    const QString texto =
        QStringLiteral("Este contacto tiene asignado un proveedor al que esta versión de NTX Mensajes no puede enviar "
                       "mensajes.") +
        (conGuion ? QStringLiteral("\r\n\r\n · ") : QStringLiteral("\r\n")) +
        QStringLiteral("Elimine este contacto y vuelva a crearlo asignándole un proveedor disponible en esta "
                       "versión\r\n\r\n¿Desea eliminar este contacto ahora?");
    if (ctx.dialogos.mensaje(texto, Dialogos::Botones::SiNo, Dialogos::Icono::Critico, TituloInvalido,
                             Dialogos::Respuesta::No) == Dialogos::Respuesta::Si)
        eliminarContacto(nombre);
}

void PanelContactos::preguntarModificar(const QString &nombre, const QString &proveedor, const QString &codArea,
                                        const QString &numero)
{
    const QString texto = QStringLiteral("La información guardada para este contacto no es correcta.\r\nCompruebe "
                                         "que el número de teléfono sea el correcto y que contenga sólo "
                                         "números\r\n\r\n¿Desea modificar ahora los datos para este contacto?");
    if (ctx.dialogos.mensaje(texto, Dialogos::Botones::SiNo, Dialogos::Icono::Critico, TituloInvalido) !=
        Dialogos::Respuesta::Si)
        return;
    if (!ModificarContacto(nombre, proveedor, codArea, numero))
        preguntarProveedorNoDisponible(nombre, false);
}

// Steps shared by both ways of writing to a contact; true when the composer was filled.
bool PanelContactos::ponerEnComposicion(const QString &nombre, const QString &proveedor, const QString &codArea,
                                        const QString &numero)
{
    if (!DatosNumericosValidos(codArea, numero)) {
        preguntarModificar(nombre, proveedor, codArea, numero);
        return false;
    }
    if (!ventana_.elegirProveedor(proveedor)) {
        preguntarProveedorNoDisponible(nombre, true);
        return false;
    }
    if (codArea == CodAreaAlias) {
        if (!composicion_.modoAlias()) {
            preguntarModificar(nombre, proveedor, codArea, numero);
            return false;
        }
        composicion_.ponerAlias(numero);
    } else {
        if (!composicion_.modoNumero()) {
            preguntarModificar(nombre, proveedor, codArea, numero);
            return false;
        }
        composicion_.ponerNumero(codArea, numero);
    }
    return true;
}

void PanelContactos::NuevoContacto()
{
    frmContacto dialogo(
        ctx, [this] { IniciarPanelContactos(); }, ventana_.ventana());
    CopiarProveedores(ventana_.proveedores(), dialogo);
    dialogo.ponerDatos(QString(), QString(), QString());
    dialogo.prepararAgregar();
    frmAgenda::CerrarAbierta();
    dialogo.exec();
    frmAgenda::Mostrar(ctx, *this);
    ActualizarAgenda();
}

void PanelContactos::AgendarDestinatario()
{
    frmContacto dialogo(
        ctx, [this] { IniciarPanelContactos(); }, ventana_.ventana());
    CopiarProveedores(ventana_.proveedores(), dialogo);
    dialogo.SeleccionarProveedor(ventana_.proveedorActual());
    if (composicion_.modoAlias())
        dialogo.ponerDatos(QString(), CodAreaAlias, composicion_.alias());
    else
        dialogo.ponerDatos(QString(), composicion_.codArea(), composicion_.numero());
    dialogo.prepararAgregar();
    dialogo.exec();
    ActualizarAgenda();
}

bool PanelContactos::ModificarContacto(const QString &nombre, const QString &proveedor, const QString &codArea,
                                       const QString &numero)
{
    frmContacto dialogo(
        ctx, [this] { IniciarPanelContactos(); }, ventana_.ventana());
    CopiarProveedores(ventana_.proveedores(), dialogo);
    if (!dialogo.SeleccionarProveedor(proveedor))
        return false;
    dialogo.ponerDatos(nombre, codArea, numero);
    dialogo.prepararModificar(nombre);
    frmAgenda::CerrarAbierta();
    dialogo.exec();
    ActualizarAgenda();
    frmAgenda::Mostrar(ctx, *this);
    return true;
}

void PanelContactos::EscribirAContacto(const QString &nombre, const QString &proveedor, const QString &codArea,
                                       const QString &numero)
{
    if (ponerEnComposicion(nombre, proveedor, codArea, numero))
        composicion_.enfocarRemitente();
}

void PanelContactos::EscribirAContactoPorNombre(const QString &nombre)
{
    const int fila = indice.buscarPorNombre(ctx.contactos, nombre);
    if (fila < 0)
        return;
    CamposContacto campos;
    // A field that does not read back whole is used as read: the checks below decide.
    LeerCampos(ctx.contactos.at(fila).registro, &campos);
    if (ponerEnComposicion(campos.nombre, campos.proveedor, campos.codArea, campos.numero))
        composicion_.enfocarMensaje();
}

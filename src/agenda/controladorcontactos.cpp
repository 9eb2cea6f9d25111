#include "agenda/controladorcontactos.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "agenda/accesodirecto.h"
#include "agenda/exportaragenda.h"
#include "agenda/frmagenda.h"
#include "agenda/frmcontacto.h"
#include "agenda/lineacomandos.h"
#include "agenda/registrocontacto.h"

using namespace Agenda;

namespace {

const QString TituloInvalido = QStringLiteral("NTX Mensajes - Contacto Inválido");

} // namespace

ControladorContactos::ControladorContactos(Contexto &contexto, VentanaContactos &ventana,
                                           DestinoComposicion &composicion, const ControlesContactos &controles,
                                           QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , ventana_(ventana)
    , composicion_(composicion)
    , c(controles)
{
    connect(c.cmdAgendar, &QPushButton::clicked, this, &ControladorContactos::cmdAgendar_Click);
    connect(c.cmdAlEscritorio, &QPushButton::clicked, this, &ControladorContactos::cmdAlEscritorio_Click);
    connect(c.cmdEscribirA, &QPushButton::clicked, this, &ControladorContactos::cmdEscribirA_Click);
    connect(c.tvwContactos, &QTreeWidget::itemDoubleClicked, this, &ControladorContactos::cmdEscribirA_Click);
    c.tvwContactos->installEventFilter(this);
    for (QObject *abrir : {static_cast<QObject *>(c.cmdAbrirAgenda), static_cast<QObject *>(c.mnuAbrirAgenda),
                           static_cast<QObject *>(c.accionPersonalizar)}) {
        if (auto *boton = qobject_cast<QPushButton *>(abrir))
            connect(boton, &QPushButton::clicked, this, &ControladorContactos::cmdAbrirAgenda_Click);
        else
            connect(static_cast<QAction *>(abrir), &QAction::triggered, this,
                    &ControladorContactos::cmdAbrirAgenda_Click);
    }
    for (int n = 1; n <= 10; ++n)
        connect(c.accionesRapidas[n - 1], &QAction::triggered, this, [this, n] { Rapida_Click(n); });
    connect(c.mnuArchivoNuevoContacto, &QAction::triggered, this, &ControladorContactos::NuevoContacto);
    connect(c.mnuExportarAgenda, &QAction::triggered, this, &ControladorContactos::mnuExportarAgenda_Click);
    connect(c.mnuImportarAgenda, &QAction::triggered, this, &ControladorContactos::mnuImportarAgenda_Click);
}

bool ControladorContactos::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == c.tvwContactos && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            cmdEscribirA_Click();
            return true;
        }
    }
    return QObject::eventFilter(objeto, evento);
}

// ---- Contact list, quick slots and recipient frame ----

void ControladorContactos::ActualizarAgenda()
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
        c.accionesRapidas[n - 1]->setText(e.texto);
        c.accionesRapidas[n - 1]->setEnabled(e.habilitada);
        if (e.borrarValor)
            ctx.ajustes.borrarClave(SeccionMensajes, ClaveRapida(n));
    }
}

void ControladorContactos::sinDestinatario(const QString &texto, bool agendarHabilitado)
{
    c.lblNombreDestinatario->setText(texto);
    c.cmdAlEscritorio->hide();
    c.cmdAlEscritorio->setEnabled(false);
    c.cmdAgendar->show();
    c.cmdAgendar->setEnabled(agendarHabilitado);
}

void ControladorContactos::conDestinatario(const QString &nombre)
{
    c.lblNombreDestinatario->setText(nombre);
    c.cmdAlEscritorio->show();
    c.cmdAlEscritorio->setEnabled(true);
    c.cmdAgendar->hide();
    c.cmdAgendar->setEnabled(false);
}

void ControladorContactos::MostrarDestinatario()
{
    if (composicion_.modoAlias())
        MostrarDestinatarioPorAlias();
    else
        MostrarDestinatarioPorNumero();
}

QString ControladorContactos::nombreDestinatario() const
{
    return c.lblNombreDestinatario->text();
}

bool ControladorContactos::destinatarioAgendado() const
{
    // "Agendar" is available only for a destination that is not in the book.
    return !c.cmdAgendar->isEnabled();
}

void ControladorContactos::MostrarDestinatarioPorNumero()
{
    const QString codArea = composicion_.codArea(), numero = composicion_.numero();
    if (codArea.isEmpty() && numero.isEmpty()) {
        sinDestinatario(QStringLiteral("(Ninguno)"), false);
        return;
    }
    const int fila = indice.buscarPorNumero(ctx.contactos, codArea, numero);
    if (fila < 0)
        sinDestinatario(QStringLiteral("(No agendado)"), true);
    else
        conDestinatario(ctx.contactos.at(fila).nombre);
}

void ControladorContactos::MostrarDestinatarioPorAlias()
{
    const QString alias = composicion_.alias();
    if (alias.isEmpty()) {
        sinDestinatario(QStringLiteral("(Ninguno)"), false);
        return;
    }
    const int fila = indice.buscarPorAlias(ctx.contactos, alias);
    if (fila < 0)
        sinDestinatario(QStringLiteral("(No agendado)"), true);
    else
        conDestinatario(ctx.contactos.at(fila).nombre);
}

void ControladorContactos::IniciarPanelContactos()
{
    ParesAjustes pares;
    ctx.ajustes.enumerarConEstado(SeccionAgenda, &pares);
    c.tvwContactos->clear();
    if (pares.isEmpty()) {
        new QTreeWidgetItem(c.tvwContactos, {QStringLiteral("No hay contactos en la Agenda")});
        c.cmdEscribirA->setEnabled(false);
        return;
    }
    const QIcon icono(QStringLiteral(":/iconos/contacto.svg"));
    for (const auto &par : std::as_const(pares)) {
        auto *nodo = new QTreeWidgetItem(c.tvwContactos, {par.first});
        nodo->setIcon(0, icono);
        nodo->setData(0, Qt::UserRole, par.second);
    }
    c.tvwContactos->setCurrentItem(c.tvwContactos->topLevelItem(0));
    c.cmdEscribirA->setEnabled(true);
}

void ControladorContactos::ProcesarLineaDeComandos(const QString &linea)
{
    const QString texto = linea.isEmpty() ? ctx.sistema.lineaDeComandos() : linea;
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

void ControladorContactos::cmdAgendar_Click()
{
    ventana_.cerrarGlobo();
    AgendarDestinatario();
}

void ControladorContactos::cmdAlEscritorio_Click()
{
    ventana_.cerrarGlobo();
    CrearAccesoDirecto(ctx.dialogos, ctx.sistema, c.lblNombreDestinatario->text());
}

void ControladorContactos::escribirAGuardado(const QString &nombre)
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

void ControladorContactos::cmdEscribirA_Click()
{
    // No contact selected (or the "no contacts" line): nothing to write to.
    const QTreeWidgetItem *nodo = c.tvwContactos->currentItem();
    if (!nodo || !c.cmdEscribirA->isEnabled())
        return;
    escribirAGuardado(nodo->text(0));
}

void ControladorContactos::cmdAbrirAgenda_Click()
{
    frmAgenda::Mostrar(ctx, *this);
}

void ControladorContactos::Rapida_Click(int numero)
{
    QAction *entrada = c.accionesRapidas[numero - 1];
    if (entrada->isEnabled())
        escribirAGuardado(entrada->text());
}

void ControladorContactos::mnuExportarAgenda_Click()
{
    ExportarAgenda(ctx);
}

void ControladorContactos::mnuImportarAgenda_Click()
{
    ImportarAgenda(ctx, *this);
}

// ---- Agenda procedures ----

namespace {

void CopiarProveedores(const QStringList &proveedores, frmContacto &dialogo)
{
    dialogo.ponerProveedores(proveedores);
}

} // namespace

void ControladorContactos::eliminarContacto(const QString &nombre)
{
    ctx.ajustes.borrarClave(SeccionAgenda, nombre);
    ActualizarAgenda();
    // The panel would otherwise still list a contact that is gone.
    IniciarPanelContactos();
}

void ControladorContactos::preguntarProveedorNoDisponible(const QString &nombre, bool conGuion)
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

void ControladorContactos::preguntarModificar(const QString &nombre, const QString &proveedor, const QString &codArea,
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
bool ControladorContactos::ponerEnComposicion(const QString &nombre, const QString &proveedor, const QString &codArea,
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

void ControladorContactos::NuevoContacto()
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

void ControladorContactos::AgendarDestinatario()
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

bool ControladorContactos::ModificarContacto(const QString &nombre, const QString &proveedor, const QString &codArea,
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

void ControladorContactos::EscribirAContacto(const QString &nombre, const QString &proveedor, const QString &codArea,
                                             const QString &numero)
{
    if (ponerEnComposicion(nombre, proveedor, codArea, numero))
        composicion_.enfocarRemitente();
}

void ControladorContactos::EscribirAContactoPorNombre(const QString &nombre)
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

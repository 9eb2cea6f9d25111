#include "mejoras/frmpreferencias.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>

#include "comun/claves.h"
#include "comun/contexto.h"
#include "historial/historial.h"
#include "mejoras/agregados.h"

namespace {

constexpr int EntradasPorLista = 10;
constexpr int AnchoLineaCasilla = 64;

// A check box does not wrap its text: long captions get line breaks at blanks.
QString enLineas(const QString &texto, int ancho)
{
    QString r, linea;
    for (const QString &palabra : texto.split(u' ')) {
        if (!linea.isEmpty() && linea.size() + 1 + palabra.size() > ancho) {
            r += linea + u'\n';
            linea.clear();
        }
        linea += (linea.isEmpty() ? QString() : QStringLiteral(" ")) + palabra;
    }
    return r + linea;
}

QLabel *titulo(const QString &texto, QWidget *padre)
{
    auto *l = new QLabel(texto, padre);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLabel *nota(const QString &texto, QWidget *padre)
{
    auto *l = new QLabel(texto, padre);
    l->setWordWrap(true);
    return l;
}

QTreeWidget *lista(QWidget *padre)
{
    auto *t = new QTreeWidget(padre);
    t->setHeaderHidden(true);
    t->setRootIsDecorated(false);
    t->setColumnCount(1);
    t->setUniformRowHeights(true);
    return t;
}

// Read-only with the button-face background until an entry is chosen.
void cajaBloqueada(QLineEdit *caja, bool bloqueada)
{
    caja->setReadOnly(bloqueada);
    QPalette p = caja->palette();
    const QPalette base = caja->parentWidget()->palette();
    p.setColor(QPalette::Base, bloqueada ? base.color(QPalette::Button) : base.color(QPalette::Base));
    caja->setPalette(p);
}

} // namespace

frmPreferencias::frmPreferencias(Contexto &contexto, VentanaPreferencias &principal, QWidget *parent)
    : QDialog(parent)
    , ctx(contexto)
    , principal_(principal)
{
    setWindowTitle(QStringLiteral("Preferencias"));

    ui.TabStrip1 = new QTabBar(this);
    ui.TabStrip1->setExpanding(false);
    const struct
    {
        const char16_t *titulo, *clave;
    } pestanas[] = {{u"&General", u"General"},
                    {u"&Remitentes", u"Remitentes"},
                    {u"&Saludos y Firmas", u"Saludos"},
                    {u"A&vanzado", u"Avanzado"}};
    for (const auto &p : pestanas) {
        const int i = ui.TabStrip1->addTab(QString::fromUtf16(p.titulo));
        ui.TabStrip1->setTabData(i, QString::fromUtf16(p.clave));
    }

    auto *paneles = new QWidget(this);
    auto *pila = new QGridLayout(paneles);
    pila->setContentsMargins(8, 8, 8, 8);

    // General
    ui.picGeneral = new QWidget(paneles);
    {
        auto *v = new QVBoxLayout(ui.picGeneral);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(titulo(QStringLiteral("Mensajes enviados"), ui.picGeneral));
        ui.chkHistorial =
            new QCheckBox(enLineas(QStringLiteral("Guardar siempre una copia de los mensajes enviados. Esta "
                                                  "opción puede ser cambiada individualmente por cada "
                                                  "mensaje escrito."),
                                   AnchoLineaCasilla),
                          ui.picGeneral);
        v->addWidget(ui.chkHistorial);
        v->addSpacing(12);
        v->addWidget(titulo(QStringLiteral("Icono del área de Notificación"), ui.picGeneral));
        ui.chkIconoNotificacion = new QCheckBox(enLineas(QStringLiteral("Minimizar NTX Mensajes en el área de "
                                                                        "notificación (al lado del reloj)"),
                                                         AnchoLineaCasilla),
                                                ui.picGeneral);
        v->addWidget(ui.chkIconoNotificacion);
        v->addStretch();
    }

    // One list with its edit box and buttons.
    const auto bloqueLista = [](QWidget *padre, QVBoxLayout *v, QTreeWidget *&tvw, QLineEdit *&txt,
                                QPushButton *&agregar, QPushButton *&eliminarBoton, int largo) {
        tvw = lista(padre);
        v->addWidget(tvw, 1);
        txt = new QLineEdit(padre);
        txt->setMaxLength(largo);
        v->addWidget(txt);
        auto *h = new QHBoxLayout;
        agregar = new QPushButton(QStringLiteral("Agregar/Cambiar"), padre);
        eliminarBoton = new QPushButton(QStringLiteral("Eliminar"), padre);
        h->addWidget(agregar);
        h->addWidget(eliminarBoton);
        h->addStretch();
        v->addLayout(h);
    };

    // Remitentes
    ui.picRemitentes = new QWidget(paneles);
    {
        auto *v = new QVBoxLayout(ui.picRemitentes);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(titulo(QStringLiteral("Lista de Remitentes"), ui.picRemitentes));
        v->addWidget(nota(QStringLiteral("El primer nombre de esta lista aparecerá seleccionado automáticamente al "
                                         "escribir un mensaje"),
                          ui.picRemitentes));
        bloqueLista(ui.picRemitentes, v, ui.tvwRemitentes, ui.txtRemitentes, ui.cmdAgregarRemitente,
                    ui.cmdEliminarRemitente, int(LargoMaximoRemitente));
    }

    // Saludos y Firmas
    ui.picSaludos = new QWidget(paneles);
    {
        auto *h = new QHBoxLayout(ui.picSaludos);
        h->setContentsMargins(0, 0, 0, 0);
        // Each list a panel of its own: Tab goes through the greetings, then the signatures.
        auto *colSaludos = new QWidget(ui.picSaludos);
        auto *izquierda = new QVBoxLayout(colSaludos);
        izquierda->setContentsMargins(0, 0, 0, 0);
        izquierda->addWidget(titulo(QStringLiteral("Saludos"), colSaludos));
        izquierda->addWidget(nota(QStringLiteral("Agregue a esta lista los saludos más frecuentes"), colSaludos));
        bloqueLista(colSaludos, izquierda, ui.tvwSaludos, ui.txtSaludos, ui.cmdAgregarSaludo, ui.cmdEliminarSaludo,
                    int(LargoMaximoSaludo));
        auto *colFirmas = new QWidget(ui.picSaludos);
        auto *derecha = new QVBoxLayout(colFirmas);
        derecha->setContentsMargins(0, 0, 0, 0);
        derecha->addWidget(titulo(QStringLiteral("Firmas"), colFirmas));
        derecha->addWidget(nota(QStringLiteral("Agregue a esta lista las firmas más fecuentes"), colFirmas));
        bloqueLista(colFirmas, derecha, ui.tvwFirmas, ui.txtFirmas, ui.cmdAgregarFirma, ui.cmdEliminarFirma,
                    int(LargoMaximoSaludo));
        h->addWidget(colSaludos);
        h->addSpacing(8);
        h->addWidget(colFirmas);
    }

    // Avanzado
    ui.picAvanzado = new QWidget(paneles);
    {
        auto *v = new QVBoxLayout(ui.picAvanzado);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(titulo(QStringLiteral("Opciones de Reparación"), ui.picAvanzado));
        ui.cmdRepararHistorial =
            new QPushButton(QStringLiteral("Reparar almacén de mensajes enviados"), ui.picAvanzado);
        ui.cmdRepararHistorial->setToolTip(QStringLiteral("Intenta realizar un proceso de reparación en el Historial. "
                                                          "Utilice esta opción si recibe errores en el Historial de "
                                                          "mensajes."));
        ui.cmdRestablecer = new QPushButton(QStringLiteral("Restablecer todos los avisos"), ui.picAvanzado);
        ui.cmdRestablecer->setToolTip(
            QStringLiteral("Muestra de nuevo todos los avisos que configuró para que no se muestren más"));
        for (QPushButton *b : {ui.cmdRepararHistorial, ui.cmdRestablecer}) {
            auto *h = new QHBoxLayout;
            h->addWidget(b);
            h->addStretch();
            v->addLayout(h);
        }
        v->addSpacing(12);
        v->addWidget(titulo(QStringLiteral("Proveedores no gratuitos"), ui.picAvanzado));
        ui.chkConfirmaCobro = new QCheckBox(enLineas(QStringLiteral("Pedir confirmación antes de enviar a un proveedor "
                                                                    "que podría cobrar los mensajes enviados desde "
                                                                    "Internet"),
                                                     AnchoLineaCasilla),
                                            ui.picAvanzado);
        v->addWidget(ui.chkConfirmaCobro);
        v->addStretch();
    }

    for (QWidget *panel : {ui.picGeneral, ui.picRemitentes, ui.picSaludos, ui.picAvanzado})
        pila->addWidget(panel, 0, 0);

    ui.cmdAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    ui.cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    ui.cmdAyuda = new QPushButton(QStringLiteral("Ayuda"), this);
    ui.cmdAceptar->setDefault(true);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(ui.cmdAceptar);
    botones->addWidget(ui.cmdCancelar);
    botones->addWidget(ui.cmdAyuda);

    auto *principalLayout = new QVBoxLayout(this);
    principalLayout->addWidget(ui.TabStrip1);
    principalLayout->addWidget(paneles, 1);
    principalLayout->addLayout(botones);
    resize(560, 400);
    ui.nombrar();

    remitentes_ = {ui.tvwRemitentes, ui.txtRemitentes, ui.cmdAgregarRemitente, ui.cmdEliminarRemitente,
                   LargoMostradoRemitente};
    saludos_ = {ui.tvwSaludos, ui.txtSaludos, ui.cmdAgregarSaludo, ui.cmdEliminarSaludo, LargoMostradoSaludo};
    firmas_ = {ui.tvwFirmas, ui.txtFirmas, ui.cmdAgregarFirma, ui.cmdEliminarFirma, LargoMostradoSaludo};
    for (const Lista *l : {&remitentes_, &saludos_, &firmas_}) {
        cajaBloqueada(l->caja, true);
        l->agregar->setEnabled(false);
        l->eliminar->setEnabled(false);
        l->lista->installEventFilter(this);
    }
    nombrarControles();

    connect(ui.TabStrip1, &QTabBar::currentChanged, this, &frmPreferencias::TabStrip1_Click);
    connect(ui.tvwRemitentes, &QTreeWidget::currentItemChanged, this, &frmPreferencias::tvwRemitentes_NodeClick);
    connect(ui.tvwSaludos, &QTreeWidget::currentItemChanged, this, &frmPreferencias::tvwSaludos_NodeClick);
    connect(ui.tvwFirmas, &QTreeWidget::currentItemChanged, this, &frmPreferencias::tvwFirmas_NodeClick);
    // Space on the current entry selects it without making it current.
    connect(ui.tvwRemitentes, &QTreeWidget::itemSelectionChanged, this, &frmPreferencias::tvwRemitentes_NodeClick);
    connect(ui.tvwSaludos, &QTreeWidget::itemSelectionChanged, this, &frmPreferencias::tvwSaludos_NodeClick);
    connect(ui.tvwFirmas, &QTreeWidget::itemSelectionChanged, this, &frmPreferencias::tvwFirmas_NodeClick);
    // A click on the entry already selected puts its stored text back in the box.
    connect(ui.tvwRemitentes, &QTreeWidget::itemClicked, this, &frmPreferencias::tvwRemitentes_NodeClick);
    connect(ui.tvwSaludos, &QTreeWidget::itemClicked, this, &frmPreferencias::tvwSaludos_NodeClick);
    connect(ui.tvwFirmas, &QTreeWidget::itemClicked, this, &frmPreferencias::tvwFirmas_NodeClick);
    connect(ui.cmdAgregarRemitente, &QPushButton::clicked, this, &frmPreferencias::cmdAgregarRemitente_Click);
    connect(ui.cmdEliminarRemitente, &QPushButton::clicked, this, &frmPreferencias::cmdEliminarRemitente_Click);
    connect(ui.cmdAgregarSaludo, &QPushButton::clicked, this, &frmPreferencias::cmdAgregarSaludo_Click);
    connect(ui.cmdEliminarSaludo, &QPushButton::clicked, this, &frmPreferencias::cmdEliminarSaludo_Click);
    connect(ui.cmdAgregarFirma, &QPushButton::clicked, this, &frmPreferencias::cmdAgregarFirma_Click);
    connect(ui.cmdEliminarFirma, &QPushButton::clicked, this, &frmPreferencias::cmdEliminarFirma_Click);
    // Only the user's click asks; the program sets the box without a question.
    connect(ui.chkConfirmaCobro, &QCheckBox::clicked, this, &frmPreferencias::chkConfirmaCobro_Click);
    connect(ui.cmdAceptar, &QPushButton::clicked, this, &frmPreferencias::cmdAceptar_Click);
    connect(ui.cmdCancelar, &QPushButton::clicked, this, &frmPreferencias::cmdCancelar_Click);
    connect(ui.cmdAyuda, &QPushButton::clicked, this, &frmPreferencias::cmdAyuda_Click);
    connect(ui.cmdRestablecer, &QPushButton::clicked, this, &frmPreferencias::cmdRestablecer_Click);
    connect(ui.cmdRepararHistorial, &QPushButton::clicked, this, &frmPreferencias::cmdRepararHistorial_Click);

    TabStrip1_Click();
    Form_Load();
}

// Each list, box and button its own name for screen readers (two lists share a tab), and
// Alt and a letter for each button of a tab.
void frmPreferencias::nombrarControles()
{
    const struct
    {
        const Lista &l;
        const char16_t *lista, *caja, *agregar, *eliminar, *textoAgregar, *textoEliminar;
    } nombres[] = {
        {remitentes_, u"Lista de remitentes", u"Remitente elegido", u"Agregar o cambiar remitente",
         u"Eliminar remitente", u"Agregar/Ca&mbiar", u"&Eliminar"},
        {saludos_, u"Lista de saludos", u"Saludo elegido", u"Agregar o cambiar saludo", u"Eliminar saludo",
         u"Agregar/Ca&mbiar", u"&Eliminar"},
        {firmas_, u"Lista de firmas", u"Firma elegida", u"Agregar o cambiar firma", u"Eliminar firma",
         u"Agregar/Cam&biar", u"E&liminar"},
    };
    for (const auto &n : nombres) {
        n.l.lista->setAccessibleName(QString::fromUtf16(n.lista));
        n.l.lista->setAccessibleDescription(
            QStringLiteral("Suprimir elimina la entrada elegida; la tecla de menú muestra sus acciones"));
        n.l.caja->setAccessibleName(QString::fromUtf16(n.caja));
        n.l.agregar->setAccessibleName(QString::fromUtf16(n.agregar));
        n.l.eliminar->setAccessibleName(QString::fromUtf16(n.eliminar));
        n.l.agregar->setText(QString::fromUtf16(n.textoAgregar));
        n.l.eliminar->setText(QString::fromUtf16(n.textoEliminar));
    }
    ui.cmdAceptar->setText(QStringLiteral("&Aceptar"));
    ui.cmdCancelar->setText(QStringLiteral("&Cancelar"));
    ui.cmdAyuda->setText(QStringLiteral("Ay&uda"));
}

const frmPreferencias::Lista *frmPreferencias::listaDe(const QObject *objeto) const
{
    for (const Lista *l : {&remitentes_, &saludos_, &firmas_}) {
        if (l->lista == objeto)
            return l;
    }
    return nullptr;
}

// Delete empties the chosen entry as "Eliminar" does; the menu key (or a right click)
// offers what the buttons do.
bool frmPreferencias::eventFilter(QObject *objeto, QEvent *evento)
{
    const Lista *l = listaDe(objeto);
    if (l && evento->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Delete) {
        if (l->eliminar->isEnabled())
            eliminar(*l);
        return true;
    }
    if (l && evento->type() == QEvent::ContextMenu) {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("mnuLista"));
        QAction *cambiar = menu.addAction(QStringLiteral("&Cambiar"));
        cambiar->setEnabled(l->lista->currentItem() != nullptr);
        QAction *quitar = menu.addAction(QStringLiteral("&Eliminar"));
        quitar->setEnabled(l->eliminar->isEnabled());
        const QPoint lugar =
            static_cast<QContextMenuEvent *>(evento)->reason() == QContextMenuEvent::Keyboard && l->lista->currentItem()
                ? l->lista->viewport()->mapToGlobal(l->lista->visualItemRect(l->lista->currentItem()).bottomLeft())
                : static_cast<QContextMenuEvent *>(evento)->globalPos();
        QAction *elegida = menu.exec(lugar);
        if (elegida == cambiar)
            l->caja->setFocus(Qt::OtherFocusReason);
        else if (elegida == quitar)
            eliminar(*l);
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void frmPreferencias::seleccionarPestana(int indice)
{
    if (indice < 0 || indice >= ui.TabStrip1->count())
        return;
    if (ui.TabStrip1->currentIndex() == indice)
        TabStrip1_Click();
    else
        ui.TabStrip1->setCurrentIndex(indice); // raises TabStrip1_Click
}

void frmPreferencias::TabStrip1_Click()
{
    const QString clave = ui.TabStrip1->tabData(ui.TabStrip1->currentIndex()).toString();
    QWidget *elegido = nullptr;
    if (clave == QLatin1String("General"))
        elegido = ui.picGeneral;
    else if (clave == QLatin1String("Remitentes"))
        elegido = ui.picRemitentes;
    else if (clave == QLatin1String("Saludos"))
        elegido = ui.picSaludos;
    else if (clave == QLatin1String("Avanzado"))
        elegido = ui.picAvanzado;
    if (!elegido)
        return;
    for (QWidget *panel : {ui.picGeneral, ui.picRemitentes, ui.picSaludos, ui.picAvanzado})
        panel->setVisible(panel == elegido);
}

void frmPreferencias::ponerEntrada(const Lista &l, QTreeWidgetItem *entrada, const QString &texto)
{
    entrada->setData(0, Qt::UserRole, texto);
    entrada->setText(0, TextoDeUnaLinea(TextoMostradoRanura(texto, l.largoMostrado)));
    const QPalette p = l.lista->palette();
    entrada->setForeground(0, texto.isEmpty() ? p.color(QPalette::Disabled, QPalette::Text)
                                              : p.color(QPalette::Active, QPalette::Text));
}

void frmPreferencias::llenarLista(const Lista &l, QString (*clave)(int))
{
    l.lista->clear();
    for (int i = 0; i < EntradasPorLista; ++i) {
        auto *entrada = new QTreeWidgetItem(l.lista);
        ponerEntrada(l, entrada, ctx.ajustes.leer(SeccionMensajes, clave(i)));
    }
}

void frmPreferencias::Form_Load()
{
    llenarLista(saludos_, &ClaveSaludo);
    llenarLista(firmas_, &ClaveFirma);
    llenarLista(remitentes_, &ClaveRemitente);

    bool cobroLegible = true, iconoLegible = true;
    bool cobro = LeerClaveBooleana(ctx.ajustes, Clave::ConfirmaCobro, &cobroLegible);
    bool icono = LeerClaveBooleana(ctx.ajustes, Clave::IconoNotificacion, &iconoLegible);
    if (!cobroLegible || !iconoLegible) {
        ctx.dialogos.mensaje(QStringLiteral("La información de la configuración está dañada.\r\n\r\nNTX Mensajes ha "
                                            "restablecido todas las opciones a sus valores de fábrica."),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico,
                             QStringLiteral("Error en el registro"));
        EscribirClaveBooleana(ctx.ajustes, Clave::ConfirmaCobro, true);
        EscribirClaveBooleana(ctx.ajustes, Clave::IconoNotificacion, true);
        // Read again: still unreadable (the store refused the repair) gives the default, True.
        cobro = LeerClaveBooleana(ctx.ajustes, Clave::ConfirmaCobro);
        icono = LeerClaveBooleana(ctx.ajustes, Clave::IconoNotificacion);
    }
    ui.chkConfirmaCobro->setChecked(cobro);
    ui.chkIconoNotificacion->setChecked(icono);
    ui.chkHistorial->setChecked(principal_.historialPermanente());
}

void frmPreferencias::seleccionar(const Lista &l)
{
    // A list that gets the focus makes its first entry current without
    // selecting it: only the user's choice fills the box.
    const QTreeWidgetItem *entrada = l.lista->currentItem();
    if (!entrada || !entrada->isSelected())
        return;
    cajaBloqueada(l.caja, false);
    l.agregar->setEnabled(true);
    const QString texto = entrada->data(0, Qt::UserRole).toString();
    l.caja->setText(texto);
    l.eliminar->setEnabled(!texto.isEmpty());
}

void frmPreferencias::agregarOCambiar(const Lista &l)
{
    QTreeWidgetItem *entrada = l.lista->currentItem();
    if (!entrada || l.caja->text().isEmpty())
        return;
    ponerEntrada(l, entrada, l.caja->text());
    l.eliminar->setEnabled(true);
}

void frmPreferencias::eliminar(const Lista &l)
{
    QTreeWidgetItem *entrada = l.lista->currentItem();
    if (!entrada)
        return;
    ponerEntrada(l, entrada, QString());
    l.caja->clear();
    // The button goes grey under the focus: the focus stays with this list
    // rather than passing on to the next one.
    if (l.eliminar->hasFocus())
        l.lista->setFocus(Qt::OtherFocusReason);
    l.eliminar->setEnabled(false);
}

void frmPreferencias::tvwRemitentes_NodeClick()
{
    seleccionar(remitentes_);
}

void frmPreferencias::tvwSaludos_NodeClick()
{
    seleccionar(saludos_);
}

void frmPreferencias::tvwFirmas_NodeClick()
{
    seleccionar(firmas_);
}

void frmPreferencias::cmdAgregarRemitente_Click()
{
    agregarOCambiar(remitentes_);
}

void frmPreferencias::cmdEliminarRemitente_Click()
{
    eliminar(remitentes_);
}

void frmPreferencias::cmdAgregarSaludo_Click()
{
    agregarOCambiar(saludos_);
}

void frmPreferencias::cmdEliminarSaludo_Click()
{
    eliminar(saludos_);
}

void frmPreferencias::cmdAgregarFirma_Click()
{
    agregarOCambiar(firmas_);
}

void frmPreferencias::cmdEliminarFirma_Click()
{
    eliminar(firmas_);
}

void frmPreferencias::chkConfirmaCobro_Click()
{
    if (ui.chkConfirmaCobro->isChecked())
        return;
    const auto respuesta = ctx.dialogos.mensaje(
        QStringLiteral("Desactivando esta opción NTX Mensajes no le pedirá que confirme el envío de los mensajes que "
                       "pueden ser cobrados al destinatario.\r\n\r\n¿Está seguro que desea desactivar esta "
                       "confirmación?"),
        Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, QStringLiteral("Preferencias"));
    if (respuesta != Dialogos::Respuesta::Si)
        ui.chkConfirmaCobro->setChecked(true);
}

void frmPreferencias::cmdAceptar_Click()
{
    const bool historial = ui.chkHistorial->isChecked();
    ParesAjustes pares{
        {NombreClave(Clave::ConfirmaCobro), Ajustes::booleanoATexto(ui.chkConfirmaCobro->isChecked())},
        {NombreClave(Clave::IconoNotificacion), Ajustes::booleanoATexto(ui.chkIconoNotificacion->isChecked())},
        {NombreClave(Clave::Historial), Ajustes::booleanoATexto(historial)},
    };
    const auto ranuras = [&pares](const QTreeWidget *tvw, QString (*clave)(int)) {
        for (int i = 0; i < EntradasPorLista; ++i)
            pares.append({clave(i), tvw->topLevelItem(i)->data(0, Qt::UserRole).toString()});
    };
    ranuras(ui.tvwSaludos, &ClaveSaludo);
    ranuras(ui.tvwFirmas, &ClaveFirma);
    ranuras(ui.tvwRemitentes, &ClaveRemitente);
    // All or nothing: half the options saved would leave the user guessing which.
    if (!ctx.ajustes.escribirVarios(SeccionMensajes, pares)) {
        ctx.dialogos.mensaje(QStringLiteral("No se pudieron guardar las preferencias; no se cambió ninguna opción."
                                            "\r\n\r\n · Compruebe que haya espacio libre en el disco y presione "
                                            "Aceptar de nuevo, o presione Cancelar para descartar los cambios."),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        return;
    }
    principal_.ponerHistorialPermanente(historial);
    accept();
}

void frmPreferencias::cmdCancelar_Click()
{
    reject();
}

void frmPreferencias::cmdAyuda_Click()
{
    // A failure is shown by the service, with the address.
    ctx.sistema.abrirEnNavegador(ctx.direcciones.sitio + QStringLiteral("/ir/?id=11"));
}

void frmPreferencias::cmdRestablecer_Click()
{
    ui.cmdRestablecer->setEnabled(false);
    BorrarClaveSiExiste(ctx.ajustes, Clave::TTMostrado);
    BorrarClaveSiExiste(ctx.ajustes, Clave::TipImagenesNoMas);
    BorrarClaveSiExiste(ctx.ajustes, Clave::TipHistorialNoMas);
}

void frmPreferencias::cmdRepararHistorial_Click()
{
    RepararHistorial(ctx);
}

void MostrarPreferencias(Contexto &ctx, VentanaPreferencias &principal, QWidget *dueno, int pestana)
{
    frmPreferencias preferencias(ctx, principal, dueno);
    preferencias.seleccionarPestana(pestana);
    preferencias.exec();
}

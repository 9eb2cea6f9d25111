#include "mejoras/frmpreferencias.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
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

    TabStrip1 = new QTabBar(this);
    TabStrip1->setExpanding(false);
    const struct
    {
        const char16_t *titulo, *clave;
    } pestanas[] = {{u"General", u"General"},
                    {u"Remitentes", u"Remitentes"},
                    {u"Saludos y Firmas", u"Saludos"},
                    {u"Avanzado", u"Avanzado"}};
    for (const auto &p : pestanas) {
        const int i = TabStrip1->addTab(QString::fromUtf16(p.titulo));
        TabStrip1->setTabData(i, QString::fromUtf16(p.clave));
    }

    auto *paneles = new QWidget(this);
    auto *pila = new QGridLayout(paneles);
    pila->setContentsMargins(8, 8, 8, 8);

    // General
    picGeneral = new QWidget(paneles);
    {
        auto *v = new QVBoxLayout(picGeneral);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(titulo(QStringLiteral("Mensajes enviados"), picGeneral));
        chkHistorial = new QCheckBox(enLineas(QStringLiteral("Guardar siempre una copia de los mensajes enviados. Esta "
                                                             "opción puede ser cambiada individualmente por cada "
                                                             "mensaje escrito."),
                                              AnchoLineaCasilla),
                                     picGeneral);
        v->addWidget(chkHistorial);
        v->addSpacing(12);
        v->addWidget(titulo(QStringLiteral("Icono del área de Notificación"), picGeneral));
        chkIconoNotificacion = new QCheckBox(enLineas(QStringLiteral("Minimizar NTX Mensajes en el área de "
                                                                     "notificación (al lado del reloj)"),
                                                      AnchoLineaCasilla),
                                             picGeneral);
        v->addWidget(chkIconoNotificacion);
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
    picRemitentes = new QWidget(paneles);
    {
        auto *v = new QVBoxLayout(picRemitentes);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(titulo(QStringLiteral("Lista de Remitentes"), picRemitentes));
        v->addWidget(nota(QStringLiteral("El primer nombre de esta lista aparecerá seleccionado automáticamente al "
                                         "escribir un mensaje"),
                          picRemitentes));
        bloqueLista(picRemitentes, v, tvwRemitentes, txtRemitentes, cmdAgregarRemitente, cmdEliminarRemitente,
                    int(LargoMaximoRemitente));
    }

    // Saludos y Firmas
    picSaludos = new QWidget(paneles);
    {
        auto *h = new QHBoxLayout(picSaludos);
        h->setContentsMargins(0, 0, 0, 0);
        auto *izquierda = new QVBoxLayout;
        izquierda->addWidget(titulo(QStringLiteral("Saludos"), picSaludos));
        izquierda->addWidget(nota(QStringLiteral("Agregue a esta lista los saludos más frecuentes"), picSaludos));
        bloqueLista(picSaludos, izquierda, tvwSaludos, txtSaludos, cmdAgregarSaludo, cmdEliminarSaludo,
                    int(LargoMaximoSaludo));
        auto *derecha = new QVBoxLayout;
        derecha->addWidget(titulo(QStringLiteral("Firmas"), picSaludos));
        derecha->addWidget(nota(QStringLiteral("Agregue a esta lista las firmas más fecuentes"), picSaludos));
        bloqueLista(picSaludos, derecha, tvwFirmas, txtFirmas, cmdAgregarFirma, cmdEliminarFirma,
                    int(LargoMaximoSaludo));
        h->addLayout(izquierda);
        h->addSpacing(8);
        h->addLayout(derecha);
    }

    // Avanzado
    picAvanzado = new QWidget(paneles);
    {
        auto *v = new QVBoxLayout(picAvanzado);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(titulo(QStringLiteral("Opciones de Reparación"), picAvanzado));
        cmdRepararHistorial = new QPushButton(QStringLiteral("Reparar almacén de mensajes enviados"), picAvanzado);
        cmdRepararHistorial->setToolTip(QStringLiteral("Intenta realizar un proceso de reparación en el Historial. "
                                                       "Utilice esta opción si recibe errores en el Historial de "
                                                       "mensajes."));
        cmdRestablecer = new QPushButton(QStringLiteral("Restablecer todos los avisos"), picAvanzado);
        cmdRestablecer->setToolTip(
            QStringLiteral("Muestra de nuevo todos los avisos que configuró para que no se muestren más"));
        for (QPushButton *b : {cmdRepararHistorial, cmdRestablecer}) {
            auto *h = new QHBoxLayout;
            h->addWidget(b);
            h->addStretch();
            v->addLayout(h);
        }
        v->addSpacing(12);
        v->addWidget(titulo(QStringLiteral("Proveedores no gratuitos"), picAvanzado));
        chkConfirmaCobro = new QCheckBox(enLineas(QStringLiteral("Pedir confirmación antes de enviar a un proveedor "
                                                                 "que podría cobrar los mensajes enviados desde "
                                                                 "Internet"),
                                                  AnchoLineaCasilla),
                                         picAvanzado);
        v->addWidget(chkConfirmaCobro);
        v->addStretch();
    }

    for (QWidget *panel : {picGeneral, picRemitentes, picSaludos, picAvanzado})
        pila->addWidget(panel, 0, 0);

    cmdAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdAyuda = new QPushButton(QStringLiteral("Ayuda"), this);
    cmdAceptar->setDefault(true);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    botones->addWidget(cmdAyuda);

    auto *principalLayout = new QVBoxLayout(this);
    principalLayout->addWidget(TabStrip1);
    principalLayout->addWidget(paneles, 1);
    principalLayout->addLayout(botones);
    resize(560, 400);

    remitentes_ = {tvwRemitentes, txtRemitentes, cmdAgregarRemitente, cmdEliminarRemitente, LargoMostradoRemitente};
    saludos_ = {tvwSaludos, txtSaludos, cmdAgregarSaludo, cmdEliminarSaludo, LargoMostradoSaludo};
    firmas_ = {tvwFirmas, txtFirmas, cmdAgregarFirma, cmdEliminarFirma, LargoMostradoSaludo};
    for (const Lista *l : {&remitentes_, &saludos_, &firmas_}) {
        cajaBloqueada(l->caja, true);
        l->agregar->setEnabled(false);
        l->eliminar->setEnabled(false);
    }

    connect(TabStrip1, &QTabBar::currentChanged, this, &frmPreferencias::TabStrip1_Click);
    connect(tvwRemitentes, &QTreeWidget::currentItemChanged, this, &frmPreferencias::tvwRemitentes_NodeClick);
    connect(tvwSaludos, &QTreeWidget::currentItemChanged, this, &frmPreferencias::tvwSaludos_NodeClick);
    connect(tvwFirmas, &QTreeWidget::currentItemChanged, this, &frmPreferencias::tvwFirmas_NodeClick);
    // A click on the entry already selected puts its stored text back in the box.
    connect(tvwRemitentes, &QTreeWidget::itemClicked, this, &frmPreferencias::tvwRemitentes_NodeClick);
    connect(tvwSaludos, &QTreeWidget::itemClicked, this, &frmPreferencias::tvwSaludos_NodeClick);
    connect(tvwFirmas, &QTreeWidget::itemClicked, this, &frmPreferencias::tvwFirmas_NodeClick);
    connect(cmdAgregarRemitente, &QPushButton::clicked, this, &frmPreferencias::cmdAgregarRemitente_Click);
    connect(cmdEliminarRemitente, &QPushButton::clicked, this, &frmPreferencias::cmdEliminarRemitente_Click);
    connect(cmdAgregarSaludo, &QPushButton::clicked, this, &frmPreferencias::cmdAgregarSaludo_Click);
    connect(cmdEliminarSaludo, &QPushButton::clicked, this, &frmPreferencias::cmdEliminarSaludo_Click);
    connect(cmdAgregarFirma, &QPushButton::clicked, this, &frmPreferencias::cmdAgregarFirma_Click);
    connect(cmdEliminarFirma, &QPushButton::clicked, this, &frmPreferencias::cmdEliminarFirma_Click);
    // Only the user's click asks; the program sets the box without a question.
    connect(chkConfirmaCobro, &QCheckBox::clicked, this, &frmPreferencias::chkConfirmaCobro_Click);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmPreferencias::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmPreferencias::cmdCancelar_Click);
    connect(cmdAyuda, &QPushButton::clicked, this, &frmPreferencias::cmdAyuda_Click);
    connect(cmdRestablecer, &QPushButton::clicked, this, &frmPreferencias::cmdRestablecer_Click);
    connect(cmdRepararHistorial, &QPushButton::clicked, this, &frmPreferencias::cmdRepararHistorial_Click);

    TabStrip1_Click();
    Form_Load();
}

void frmPreferencias::seleccionarPestana(int indice)
{
    if (indice < 0 || indice >= TabStrip1->count())
        return;
    if (TabStrip1->currentIndex() == indice)
        TabStrip1_Click();
    else
        TabStrip1->setCurrentIndex(indice); // raises TabStrip1_Click
}

void frmPreferencias::TabStrip1_Click()
{
    const QString clave = TabStrip1->tabData(TabStrip1->currentIndex()).toString();
    QWidget *elegido = nullptr;
    if (clave == QLatin1String("General"))
        elegido = picGeneral;
    else if (clave == QLatin1String("Remitentes"))
        elegido = picRemitentes;
    else if (clave == QLatin1String("Saludos"))
        elegido = picSaludos;
    else if (clave == QLatin1String("Avanzado"))
        elegido = picAvanzado;
    if (!elegido)
        return;
    for (QWidget *panel : {picGeneral, picRemitentes, picSaludos, picAvanzado})
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
    chkConfirmaCobro->setChecked(cobro);
    chkIconoNotificacion->setChecked(icono);
    chkHistorial->setChecked(principal_.historialPermanente());
}

void frmPreferencias::seleccionar(const Lista &l)
{
    const QTreeWidgetItem *entrada = l.lista->currentItem();
    if (!entrada)
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
    if (chkConfirmaCobro->isChecked())
        return;
    const auto respuesta = ctx.dialogos.mensaje(
        QStringLiteral("Desactivando esta opción NTX Mensajes no le pedirá que confirme el envío de los mensajes que "
                       "pueden ser cobrados al destinatario.\r\n\r\n¿Está seguro que desea desactivar esta "
                       "confirmación?"),
        Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, QStringLiteral("Preferencias"));
    if (respuesta != Dialogos::Respuesta::Si)
        chkConfirmaCobro->setChecked(true);
}

void frmPreferencias::cmdAceptar_Click()
{
    const bool historial = chkHistorial->isChecked();
    ParesAjustes pares{
        {NombreClave(Clave::ConfirmaCobro), Ajustes::booleanoATexto(chkConfirmaCobro->isChecked())},
        {NombreClave(Clave::IconoNotificacion), Ajustes::booleanoATexto(chkIconoNotificacion->isChecked())},
        {NombreClave(Clave::Historial), Ajustes::booleanoATexto(historial)},
    };
    const auto ranuras = [&pares](const QTreeWidget *tvw, QString (*clave)(int)) {
        for (int i = 0; i < EntradasPorLista; ++i)
            pares.append({clave(i), tvw->topLevelItem(i)->data(0, Qt::UserRole).toString()});
    };
    ranuras(tvwSaludos, &ClaveSaludo);
    ranuras(tvwFirmas, &ClaveFirma);
    ranuras(tvwRemitentes, &ClaveRemitente);
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
    cmdRestablecer->setEnabled(false);
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

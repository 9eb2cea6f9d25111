#include "historial/frmhistorial.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTextOption>
#include <QVBoxLayout>

#include "comun/contexto.h"
#include "historial/frmespere.h"
#include "historial/historial.h"
#include "historial/principalhistorial.h"

namespace {

constexpr int TwipsPorPixel = 15;

const QString Titulo = QStringLiteral("Confirmar eliminación");
const QString PieAcceso = QStringLiteral("\r\n\r\n · Compruebe que tenga los permisos necesarios para ejecutar este "
                                         "programa\r\n");

QLabel *etiqueta(const QString &texto, QWidget *padre)
{
    auto *l = new QLabel(texto, padre);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// The text box keeps LF line breaks; the store keeps CR LF.
QString conSaltosLf(QString texto)
{
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texto;
}

} // namespace

frmHistorial::frmHistorial(Contexto &contexto, PrincipalHistorial &principal, QWidget *parent)
    : QDialog(parent)
    , ctx(contexto)
    , principal_(principal)
{
    setWindowTitle(QStringLiteral("Mensajes enviados"));
    setModal(true);
    // The main window's font: the column widths are measured for it.
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    modelo_ = new ModeloHistorial(this);
    lvwHistorial = new QTreeView(this);
    lvwHistorial->setObjectName(QStringLiteral("lvwHistorial"));
    lvwHistorial->setModel(modelo_);
    lvwHistorial->setRootIsDecorated(false);
    lvwHistorial->setItemsExpandable(false);
    // Every row one line high: the view then lays out 100,000 rows without measuring them.
    lvwHistorial->setUniformRowHeights(true);
    lvwHistorial->setAllColumnsShowFocus(true);
    lvwHistorial->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwHistorial->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwHistorial->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwHistorial->setTextElideMode(Qt::ElideRight);
    lvwHistorial->setSortingEnabled(false); // the column click decides the order itself
    QHeaderView *cabecera = lvwHistorial->header();
    cabecera->setStretchLastSection(false);
    cabecera->setSectionsMovable(false);
    cabecera->setSectionsClickable(true);
    cabecera->setSortIndicatorShown(true);
    cabecera->setSectionResizeMode(QHeaderView::Interactive);

    fraVistaPrevia = new QGroupBox(QStringLiteral("Vista previa del mensaje"), this);
    picVistaPrevia = new QWidget(fraVistaPrevia);
    lblLabelFecha = etiqueta(QStringLiteral("Fecha y Hora:"), picVistaPrevia);
    lblLabelDe = etiqueta(QStringLiteral("De:"), picVistaPrevia);
    lblLabelPara = etiqueta(QStringLiteral("Para:"), picVistaPrevia);
    lblLabelProveedor = etiqueta(QStringLiteral("Proveedor:"), picVistaPrevia);
    for (QLabel *l : {lblLabelFecha, lblLabelDe, lblLabelPara, lblLabelProveedor}) {
        QFont negrita = l->font();
        negrita.setBold(true);
        l->setFont(negrita);
    }
    lblFecha = etiqueta(QString(), picVistaPrevia);
    lblDe = etiqueta(QString(), picVistaPrevia);
    lblPara = etiqueta(QString(), picVistaPrevia);
    lblProveedor = etiqueta(QString(), picVistaPrevia);
    txtMensaje = new QTextEdit(picVistaPrevia);
    txtMensaje->setReadOnly(true);
    txtMensaje->setAcceptRichText(false);
    txtMensaje->setPlainText(QStringLiteral("(Ningún mensaje seleccionado)"));

    cmdReenviar = new QPushButton(QStringLiteral("Reenviar"), this);
    cmdEliminar = new QPushButton(QStringLiteral("Eliminar"), this);
    cmdEliminarTodos = new QPushButton(QStringLiteral("Eliminar Todos"), this);
    cmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    for (QPushButton *b : {cmdReenviar, cmdEliminar, cmdEliminarTodos, cmdCerrar}) {
        b->setAutoDefault(false);
    }

    sbrHistorial = new QStatusBar(this);
    sbrHistorial->setSizeGripEnabled(false);
    panel1_ = new QLabel(sbrHistorial);
    panel2_ = new QLabel(sbrHistorial);
    panel1_->setTextFormat(Qt::PlainText);
    panel2_->setTextFormat(Qt::PlainText);
    sbrHistorial->addWidget(panel1_, 2);
    sbrHistorial->addWidget(panel2_, 5);

    auto *datos = new QGridLayout;
    datos->setContentsMargins(0, 0, 0, 0);
    datos->addWidget(lblLabelFecha, 0, 0);
    datos->addWidget(lblFecha, 0, 1);
    datos->addWidget(lblLabelProveedor, 0, 2);
    datos->addWidget(lblProveedor, 0, 3);
    datos->addWidget(lblLabelDe, 1, 0);
    datos->addWidget(lblDe, 1, 1);
    datos->addWidget(lblLabelPara, 1, 2);
    datos->addWidget(lblPara, 1, 3);
    datos->setColumnStretch(1, 2);
    datos->setColumnStretch(3, 3);
    auto *pic = new QVBoxLayout(picVistaPrevia);
    pic->setContentsMargins(0, 0, 0, 0);
    pic->addLayout(datos);
    pic->addWidget(txtMensaje, 1);
    auto *fra = new QVBoxLayout(fraVistaPrevia);
    fra->addWidget(picVistaPrevia);

    auto *botones = new QVBoxLayout;
    botones->addWidget(cmdReenviar);
    botones->addWidget(cmdEliminar);
    botones->addWidget(cmdEliminarTodos);
    botones->addStretch(1);
    botones->addWidget(cmdCerrar);
    auto *abajo = new QHBoxLayout;
    abajo->addWidget(fraVistaPrevia, 1);
    abajo->addLayout(botones);

    auto *cuerpo = new QVBoxLayout;
    cuerpo->addWidget(lvwHistorial, 3);
    cuerpo->addLayout(abajo, 2);
    auto *todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->setSpacing(0);
    auto *margen = new QWidget(this);
    margen->setLayout(cuerpo);
    todo->addWidget(margen, 1);
    todo->addWidget(sbrHistorial);
    resize(9600 / TwipsPorPixel, 7200 / TwipsPorPixel);

    connect(cmdReenviar, &QPushButton::clicked, this, &frmHistorial::cmdReenviar_Click);
    connect(cmdEliminar, &QPushButton::clicked, this, &frmHistorial::cmdEliminar_Click);
    connect(cmdEliminarTodos, &QPushButton::clicked, this, &frmHistorial::cmdEliminarTodos_Click);
    connect(cmdCerrar, &QPushButton::clicked, this, &frmHistorial::cmdCerrar_Click);
    connect(lvwHistorial, &QTreeView::clicked, this, &frmHistorial::lvwHistorial_ItemClick);
    connect(lvwHistorial->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &frmHistorial::lvwHistorial_ItemClick);
    connect(cabecera, &QHeaderView::sectionClicked, this, &frmHistorial::lvwHistorial_ColumnClick);
    // Closing releases the records.
    connect(this, &QDialog::finished, modelo_, &ModeloHistorial::vaciar);
    lvwHistorial->installEventFilter(this);
}

frmHistorial::~frmHistorial() = default;

QString frmHistorial::textoPanel(int panel) const
{
    return panel == 1 ? panel1_->text() : panel2_->text();
}

void frmHistorial::Mostrar()
{
    if (!Form_Load()) {
        return;
    }
    // A loop of its own rather than exec(): reloading hides the window, and
    // hiding would end exec().
    QEventLoop bucle;
    connect(this, &QDialog::finished, &bucle, &QEventLoop::quit);
    if (isVisible()) {
        bucle.exec(QEventLoop::DialogExec);
    }
}

frmHistorial::Huella frmHistorial::huellaAlmacen() const
{
    const QFileInfo info(RutaHistorial(ctx));
    if (!info.exists()) {
        return {};
    }
    return {true, info.size(), info.lastModified()};
}

void frmHistorial::mostrarEspere(const QString &titulo, const QString &texto)
{
    if (!espere_) {
        espere_ = std::make_unique<frmEspere>();
    }
    espere_->lblCompletado->clear();
    principal_.ventana()->hide();
    espere_->Mostrar(titulo, texto);
    ctx.sistema.dejarCorrerMensajes();
}

void frmHistorial::cerrarEspere()
{
    espere_.reset();
}

void frmHistorial::ponerAncho(int columna, int twips)
{
    const int pixeles = qRound(twips / double(TwipsPorPixel));
    lvwHistorial->setColumnHidden(columna, pixeles == 0);
    if (pixeles > 0) {
        lvwHistorial->setColumnWidth(columna, pixeles);
    }
}

void frmHistorial::anchoParaTextos(int columna, const QStringList &textos)
{
    // The widths were measured for Tahoma; with a wider font the column grows
    // so that these texts are not cut.
    const QFontMetrics medida(lvwHistorial->font());
    int necesario = 0;
    for (const QString &t : textos) {
        necesario = qMax(necesario, medida.horizontalAdvance(t));
    }
    necesario += 2 * (lvwHistorial->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lvwHistorial) + 1) + 4;
    if (lvwHistorial->columnWidth(columna) < necesario) {
        lvwHistorial->setColumnWidth(columna, necesario);
    }
}

void frmHistorial::ponerPanel(int panel, const QString &texto)
{
    (panel == 1 ? panel1_ : panel2_)->setText(texto);
}

void frmHistorial::ponerMensaje(const QString &texto, Qt::Alignment alineacion)
{
    txtMensaje->document()->setDefaultTextOption(QTextOption(alineacion));
    txtMensaje->setPlainText(conSaltosLf(texto));
}

int frmHistorial::filaSeleccionada() const
{
    const QModelIndex actual = lvwHistorial->currentIndex();
    return actual.isValid() ? actual.row() : -1;
}

bool frmHistorial::Form_Load()
{
    // Out of sight while it (re)loads; the wait window in its place.
    hide();
    mostrarEspere(QStringLiteral("Espere por favor..."),
                  QStringLiteral("NTX Mensajes está abriendo el almacén de mensajes..."));

    // Empty pane and list; the columns at their widths.
    lblPara->clear();
    lblDe->clear();
    lblFecha->clear();
    lblProveedor->clear();
    modelo_->vaciar();
    ponerAncho(ModeloHistorial::ColFecha, 2000);
    ponerAncho(ModeloHistorial::ColDestinatario, 1900);
    ponerAncho(ModeloHistorial::ColMensaje, 1650);
    ponerAncho(ModeloHistorial::ColRemitente, 1000);
    ponerAncho(ModeloHistorial::ColProveedor, 1800);
    ponerAncho(ModeloHistorial::ColIndice, 0);
    lvwHistorial->header()->setSortIndicator(-1, Qt::AscendingOrder);

    // Taken before reading: a later change of the store is then noticed.
    huella_ = huellaAlmacen();
    almacen_historial::HistorialIndexado historial;
    const qint16 estado = LeerHistorial(ctx, historial);

    switch (estado) {
    case HistorialLeido: {
        const int n = int(historial.size());
        int mostrado = -1;
        modelo_->cargar(std::move(historial), [this, n, &mostrado](int i) {
            const int porcentaje = qRound(i * 100.0 / n);
            // The label changes at most a hundred times, however long the store.
            if (porcentaje != mostrado) {
                mostrado = porcentaje;
                espere_->lblCompletado->setText(QStringLiteral("Completado  ") + QString::number(porcentaje) +
                                                QLatin1Char('%'));
                ctx.sistema.dejarCorrerMensajes();
            }
        });
        if (n > 15) {
            ponerAncho(ModeloHistorial::ColDestinatario, 1600);
        }
        // Every weekday, with a two-digit hour: the longest date texts.
        QStringList fechas;
        for (int dia = 0; dia < 7; ++dia) {
            fechas.append(
                lista_historial::textoFecha(QDateTime(QDate(2012, 11, 19).addDays(dia), QTime(23, 59)), QLocale()));
        }
        anchoParaTextos(ModeloHistorial::ColFecha, fechas);
        // Newest first.
        modelo_->sort(ModeloHistorial::ColFecha, Qt::DescendingOrder);
        lvwHistorial->header()->setSortIndicator(ModeloHistorial::ColFecha, Qt::DescendingOrder);
        ponerMensaje(QStringLiteral("(Seleccione un mensaje)"), Qt::AlignHCenter);
        ponerPanel(1, QString::number(n) + QStringLiteral(" mensajes guardados"));
        ponerPanel(2, QStringLiteral("Seleccione un mensaje para ver más detalles, reenviar o eliminar"));
        cmdReenviar->setEnabled(true);
        cmdEliminar->setEnabled(true);
        cmdEliminarTodos->setEnabled(true);
        // The first row is selected, but the pane waits for the user's choice.
        llenando_ = true;
        lvwHistorial->setCurrentIndex(modelo_->index(0, 0));
        lvwHistorial->scrollToTop();
        llenando_ = false;
        break;
    }
    case HistorialErrorAcceso:
        cerrarPorError(QStringLiteral("NTX Mensajes no puede tener acceso al almacén de mensajes") + PieAcceso +
                       QStringLiteral(" · Descargue una nueva versión de NTX Mensajes e instalela"));
        return false;
    case HistorialErrorLectura:
        cerrarPorError(QStringLiteral("Ha ocurrido un error al intentar tener acceso al almacén de mensajes") +
                       PieAcceso +
                       QStringLiteral(" · Si el problema continúa repare el almacén de mensajes dentro de las "
                                      "Preferencias avanzadas del menú Archivo"));
        return false;
    case HistorialSinAlmacen:
        almacenVacio(QStringLiteral("(No hay mensajes guardados)"), QStringLiteral("(No hay mensajes guardados)"),
                     QStringLiteral("El almacén de mensajes enviados está vacío"));
        break;
    default:
        almacenVacio(QStringLiteral("(El Historial está vacío)"), QStringLiteral("(No hay mensajes en el historial)"),
                     QStringLiteral("No hay mensajes en el historial"));
        break;
    }

    // The main window first: it owns this one.
    cerrarEspere();
    principal_.ventana()->show();
    show();
    raise();
    activateWindow();
    return true;
}

void frmHistorial::almacenVacio(const QString &fila, const QString &mensaje, const QString &panel)
{
    ponerAncho(ModeloHistorial::ColFecha, 2500);
    ponerAncho(ModeloHistorial::ColDestinatario, 0);
    modelo_->ponerMarcador(fila);
    anchoParaTextos(ModeloHistorial::ColFecha, {fila});
    ponerMensaje(mensaje, Qt::AlignHCenter);
    cmdReenviar->setEnabled(false);
    cmdEliminar->setEnabled(false);
    cmdEliminarTodos->setEnabled(false);
    ponerPanel(1, panel);
    ponerPanel(2, QString());
}

void frmHistorial::cerrarPorError(const QString &texto)
{
    cerrarEspere();
    principal_.ventana()->show();
    ctx.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
    done(QDialog::Rejected);
}

void frmHistorial::lvwHistorial_ItemClick()
{
    if (llenando_ || !cmdEliminar->isEnabled()) {
        return;
    }
    const int fila = filaSeleccionada();
    if (modelo_->posicion(fila) <= 0) {
        return;
    }
    QString mensaje, fecha;
    lista_historial::partirEtiqueta(modelo_->etiquetaFila(fila), &mensaje, &fecha);
    ponerMensaje(mensaje, Qt::AlignLeft);
    lblFecha->setText(fecha);
    lblPara->setText(modelo_->texto(fila, ModeloHistorial::ColDestinatario));
    lblDe->setText(modelo_->texto(fila, ModeloHistorial::ColRemitente));
    lblProveedor->setText(modelo_->texto(fila, ModeloHistorial::ColProveedor));
}

void frmHistorial::lvwHistorial_ColumnClick(int columna)
{
    const Qt::SortOrder orden = modelo_->columnaOrden() != columna       ? Qt::AscendingOrder
                                : modelo_->orden() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                         : Qt::AscendingOrder;
    modelo_->sort(columna, orden);
    lvwHistorial->header()->setSortIndicator(columna, orden);
    if (lvwHistorial->currentIndex().isValid()) {
        lvwHistorial->scrollTo(lvwHistorial->currentIndex());
    }
}

void frmHistorial::lvwHistorial_KeyDown(int codigo)
{
    if (codigo == 46) {
        cmdEliminar_Click();
    }
}

bool frmHistorial::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == lvwHistorial && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Delete) {
        lvwHistorial_KeyDown(46);
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void frmHistorial::cmdReenviar_Click()
{
    const int fila = filaSeleccionada();
    if (!cmdReenviar->isEnabled() || modelo_->posicion(fila) <= 0) {
        return;
    }
    if (!principal_.escrituraVisible()) {
        done(QDialog::Rejected);
        ctx.dialogos.mensaje(QStringLiteral("El panel de escritura de mensajes debe estar visible antes de poder "
                                            "reenviar este mensaje\r\n\r\n · Elija un proveedor de la lista para "
                                            "hacer visible el panel de escritura de mensajes"),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return;
    }
    QString mensaje, fecha;
    lista_historial::partirEtiqueta(modelo_->etiquetaFila(fila), &mensaje, &fecha);
    const QString remitente = modelo_->texto(fila, ModeloHistorial::ColRemitente);
    principal_.reenviar(mensaje, remitente);
    done(QDialog::Accepted);
    principal_.enfocarDestino();
}

void frmHistorial::cmdEliminar_Click()
{
    // The Delete key reaches here too, also on the placeholder row of an empty store.
    const int fila = filaSeleccionada();
    const int k = modelo_->posicion(fila);
    if (!cmdEliminar->isEnabled() || k <= 0) {
        return;
    }
    if (ctx.dialogos.mensaje(QStringLiteral("¿Está seguro que desea borrar este mensaje permanentemente?"),
                             Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, Titulo) != Dialogos::Respuesta::Si) {
        return;
    }
    // Records are known by their position only: if the store was rewritten
    // since it was read, position k may now be another message.
    const Huella ahora = huellaAlmacen();
    if (ahora.existe && !(ahora == huella_)) {
        ctx.dialogos.mensaje(QStringLiteral("El almacén de mensajes cambió después de abrir esta ventana. No se "
                                            "eliminó ningún mensaje.\r\n\r\n · Elija el mensaje de nuevo en la "
                                            "lista actualizada"),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        Form_Load();
        return;
    }
    mostrarEspere(QStringLiteral("Espere por favor"), QStringLiteral("Eliminando el mensaje seleccionado..."));
    // The box of a failure is not to appear under the topmost wait window.
    ErrorHistorial error;
    if (!almacen_historial::borrarRegistro(RutaHistorial(ctx), k, &error)) {
        cerrarEspere();
        principal_.ventana()->show();
        ctx.dialogos.mensaje(QStringLiteral("Error al tener acceso al almacén. Imposible eliminar elemento."),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        done(QDialog::Rejected);
        return;
    }
    Form_Load();
}

void frmHistorial::cmdEliminarTodos_Click()
{
    if (!cmdEliminarTodos->isEnabled()) {
        return;
    }
    if (ctx.dialogos.mensaje(QStringLiteral("¿Está seguro que desea borrar todos los mensajes enviados?\r\n\r\nEsta "
                                            "operación no se puede deshacer"),
                             Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, Titulo) != Dialogos::Respuesta::Si) {
        return;
    }
    mostrarEspere(QStringLiteral("Espere por favor"), QStringLiteral("Eliminando todos los mensajes..."));
    ErrorHistorial error;
    if (!almacen_historial::borrarTodo(RutaHistorial(ctx), &error)) {
        cerrarEspere();
        principal_.ventana()->show();
        ctx.dialogos.mensaje(
            QStringLiteral("Error al elimar los mensajes. La operación no se pudo completar.\r\n\r\nError:  ") +
                QString::number(error.numero) + QLatin1Char(' ') + error.descripcion,
            Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
    }
    // Also after a failure: the list shows what the store holds now.
    Form_Load();
}

void frmHistorial::cmdCerrar_Click()
{
    done(QDialog::Rejected);
}

void MostrarHistorial(Contexto &ctx, PrincipalHistorial &principal)
{
    frmHistorial ventana(ctx, principal, principal.ventana());
    ventana.Mostrar();
    principal.ventana()->show();
}

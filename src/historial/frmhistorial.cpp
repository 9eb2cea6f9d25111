#include "historial/frmhistorial.h"

#include <QContextMenuEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QTextOption>
#include <QVBoxLayout>

#include "comun/contexto.h"
#include "historial/exportarhistorial.h"
#include "historial/frmespere.h"
#include "historial/historial.h"
#include "historial/principalhistorial.h"

namespace {

constexpr int TwipsPorPixel = 15;

const QString Titulo = QStringLiteral("Confirmar eliminación");
const QString PieAcceso = QStringLiteral("\r\n\r\n · Compruebe que tenga los permisos necesarios para ejecutar este "
                                         "programa\r\n");

// The twips of the columns and the form were chosen for Tahoma 8 at 96 dots
// per inch, whose letters average about 5.3 pixels. They are scaled by the
// letters of the font in use, so the columns keep their proportions and show
// what they were made to show: a whole date, a whole preview.
constexpr double LetraMediaOriginal = 5.3;

double escalaDeFuente(const QFont &fuente)
{
    static const QString letras = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return QFontMetricsF(fuente).horizontalAdvance(letras) / letras.size() / LetraMediaOriginal;
}

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
    ui.lvwHistorial = new QTreeView(this);
    ui.lvwHistorial->setModel(modelo_);
    ui.lvwHistorial->setRootIsDecorated(false);
    ui.lvwHistorial->setItemsExpandable(false);
    // Every row one line high: the view then lays out 100,000 rows without measuring them.
    ui.lvwHistorial->setUniformRowHeights(true);
    ui.lvwHistorial->setAllColumnsShowFocus(true);
    ui.lvwHistorial->setSelectionMode(QAbstractItemView::SingleSelection);
    ui.lvwHistorial->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.lvwHistorial->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.lvwHistorial->setTextElideMode(Qt::ElideRight);
    ui.lvwHistorial->setSortingEnabled(false); // the column click decides the order itself
    QHeaderView *cabecera = ui.lvwHistorial->header();
    // The last column shown takes the rest of the list's width.
    cabecera->setStretchLastSection(true);
    cabecera->setSectionsMovable(false);
    cabecera->setSectionsClickable(true);
    cabecera->setSortIndicatorShown(true);
    cabecera->setSectionResizeMode(QHeaderView::Interactive);

    ui.fraVistaPrevia = new QGroupBox(QStringLiteral("Vista previa del mensaje"), this);
    ui.picVistaPrevia = new QWidget(ui.fraVistaPrevia);
    ui.lblLabelFecha = etiqueta(QStringLiteral("Fecha y Hora:"), ui.picVistaPrevia);
    ui.lblLabelDe = etiqueta(QStringLiteral("De:"), ui.picVistaPrevia);
    ui.lblLabelPara = etiqueta(QStringLiteral("Para:"), ui.picVistaPrevia);
    ui.lblLabelProveedor = etiqueta(QStringLiteral("Proveedor:"), ui.picVistaPrevia);
    for (QLabel *l : {ui.lblLabelFecha, ui.lblLabelDe, ui.lblLabelPara, ui.lblLabelProveedor}) {
        QFont negrita = l->font();
        negrita.setBold(true);
        l->setFont(negrita);
    }
    ui.lblFecha = etiqueta(QString(), ui.picVistaPrevia);
    ui.lblDe = etiqueta(QString(), ui.picVistaPrevia);
    ui.lblPara = etiqueta(QString(), ui.picVistaPrevia);
    ui.lblProveedor = etiqueta(QString(), ui.picVistaPrevia);
    ui.txtMensaje = new QTextEdit(ui.picVistaPrevia);
    ui.txtMensaje->setReadOnly(true);
    ui.txtMensaje->setAcceptRichText(false);
    ui.txtMensaje->setPlainText(QStringLiteral("(Ningún mensaje seleccionado)"));

    ui.cmdReenviar = new QPushButton(QStringLiteral("Reenviar"), this);
    ui.cmdEliminar = new QPushButton(QStringLiteral("Eliminar"), this);
    ui.cmdEliminarTodos = new QPushButton(QStringLiteral("Eliminar Todos"), this);
    ui.cmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    ui.cmdExportar = new QPushButton(QStringLiteral("Exportar..."), this);
    ui.txtBuscar = new QLineEdit(this);
    ui.txtBuscar->setPlaceholderText(QStringLiteral("Buscar por destinatario, número, texto, remitente o proveedor"));
    ui.txtBuscar->setClearButtonEnabled(true);
    ui.lblCuenta = etiqueta(QString(), this);
    for (QPushButton *b : {ui.cmdReenviar, ui.cmdEliminar, ui.cmdEliminarTodos, ui.cmdCerrar, ui.cmdExportar}) {
        b->setAutoDefault(false);
    }

    ui.sbrHistorial = new QStatusBar(this);
    ui.sbrHistorial->setSizeGripEnabled(false);
    panel1_ = new QLabel(ui.sbrHistorial);
    panel2_ = new QLabel(ui.sbrHistorial);
    panel1_->setTextFormat(Qt::PlainText);
    panel2_->setTextFormat(Qt::PlainText);
    ui.sbrHistorial->addWidget(panel1_, 2);
    ui.sbrHistorial->addWidget(panel2_, 5);

    auto *datos = new QGridLayout;
    datos->setContentsMargins(0, 0, 0, 0);
    datos->addWidget(ui.lblLabelFecha, 0, 0);
    datos->addWidget(ui.lblFecha, 0, 1);
    datos->addWidget(ui.lblLabelProveedor, 0, 2);
    datos->addWidget(ui.lblProveedor, 0, 3);
    datos->addWidget(ui.lblLabelDe, 1, 0);
    datos->addWidget(ui.lblDe, 1, 1);
    datos->addWidget(ui.lblLabelPara, 1, 2);
    datos->addWidget(ui.lblPara, 1, 3);
    datos->setColumnStretch(1, 2);
    datos->setColumnStretch(3, 3);
    auto *pic = new QVBoxLayout(ui.picVistaPrevia);
    pic->setContentsMargins(0, 0, 0, 0);
    pic->addLayout(datos);
    pic->addWidget(ui.txtMensaje, 1);
    auto *fra = new QVBoxLayout(ui.fraVistaPrevia);
    fra->addWidget(ui.picVistaPrevia);

    auto *botones = new QVBoxLayout;
    botones->addWidget(ui.cmdReenviar);
    botones->addWidget(ui.cmdEliminar);
    botones->addWidget(ui.cmdEliminarTodos);
    botones->addWidget(ui.cmdExportar);
    botones->addStretch(1);
    botones->addWidget(ui.cmdCerrar);
    auto *abajo = new QHBoxLayout;
    abajo->addWidget(ui.fraVistaPrevia, 1);
    abajo->addLayout(botones);

    auto *busqueda = new QHBoxLayout;
    busqueda->addWidget(ui.txtBuscar, 1);
    busqueda->addWidget(ui.lblCuenta);
    auto *cuerpo = new QVBoxLayout;
    cuerpo->addLayout(busqueda);
    cuerpo->addWidget(ui.lvwHistorial, 3);
    cuerpo->addLayout(abajo, 2);
    auto *todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->setSpacing(0);
    auto *margen = new QWidget(this);
    margen->setLayout(cuerpo);
    todo->addWidget(margen, 1);
    todo->addWidget(ui.sbrHistorial);
    ui.nombrar();
    // The form's size is in twips too: it grows with the columns.
    escala_ = escalaDeFuente(ui.lvwHistorial->font());
    resize(qRound(9600 / TwipsPorPixel * escala_), qRound(7200 / TwipsPorPixel * escala_));

    connect(ui.cmdReenviar, &QPushButton::clicked, this, &frmHistorial::cmdReenviar_Click);
    connect(ui.cmdEliminar, &QPushButton::clicked, this, &frmHistorial::cmdEliminar_Click);
    connect(ui.cmdEliminarTodos, &QPushButton::clicked, this, &frmHistorial::cmdEliminarTodos_Click);
    connect(ui.cmdCerrar, &QPushButton::clicked, this, &frmHistorial::cmdCerrar_Click);
    connect(ui.cmdExportar, &QPushButton::clicked, this, &frmHistorial::cmdExportar_Click);
    connect(ui.txtBuscar, &QLineEdit::textChanged, this, &frmHistorial::txtBuscar_Change);
    connect(ui.lvwHistorial, &QTreeView::clicked, this, &frmHistorial::lvwHistorial_ItemClick);
    connect(ui.lvwHistorial->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &frmHistorial::lvwHistorial_ItemClick);
    connect(cabecera, &QHeaderView::sectionClicked, this, &frmHistorial::lvwHistorial_ColumnClick);
    // Closing releases the records.
    connect(this, &QDialog::finished, modelo_, &ModeloHistorial::vaciar);
    ui.lvwHistorial->installEventFilter(this);

    // Read aloud with their purpose; reached by Alt and a letter; Tab from top to bottom.
    ui.txtBuscar->setAccessibleName(QStringLiteral("Buscar"));
    ui.txtBuscar->setAccessibleDescription(ui.txtBuscar->placeholderText());
    ui.lvwHistorial->setAccessibleName(QStringLiteral("Mensajes enviados"));
    ui.lvwHistorial->setAccessibleDescription(QStringLiteral("Flechas para ver un mensaje, Suprimir para eliminarlo"));
    ui.txtMensaje->setAccessibleName(QStringLiteral("Vista previa del mensaje"));
    ui.cmdReenviar->setText(QStringLiteral("&Reenviar"));
    ui.cmdEliminar->setText(QStringLiteral("&Eliminar"));
    ui.cmdEliminarTodos->setText(QStringLiteral("Eliminar &Todos"));
    ui.cmdExportar->setText(QStringLiteral("E&xportar..."));
    ui.cmdCerrar->setText(QStringLiteral("&Cerrar"));
    setTabOrder(ui.txtBuscar, ui.lvwHistorial);
    setTabOrder(ui.lvwHistorial, ui.txtMensaje);
    setTabOrder(ui.txtMensaje, ui.cmdReenviar);
    setTabOrder(ui.cmdReenviar, ui.cmdEliminar);
    setTabOrder(ui.cmdEliminar, ui.cmdEliminarTodos);
    setTabOrder(ui.cmdEliminarTodos, ui.cmdExportar);
    setTabOrder(ui.cmdExportar, ui.cmdCerrar);
}

frmHistorial::~frmHistorial() = default;

QString frmHistorial::textoPanel(int panel) const
{
    return panel == 1 ? panel1_->text() : panel2_->text();
}

bool frmHistorial::Abrir()
{
    return Form_Load();
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
    const int pixeles = qRound(twips / double(TwipsPorPixel) * escala_);
    ui.lvwHistorial->setColumnHidden(columna, pixeles == 0);
    if (pixeles > 0) {
        ui.lvwHistorial->setColumnWidth(columna, pixeles);
    }
}

void frmHistorial::anchoParaTextos(int columna, const QStringList &textos)
{
    // Should the scaled width still be short for these texts, the column grows.
    const QFontMetrics medida(ui.lvwHistorial->font());
    int necesario = 0;
    for (const QString &t : textos) {
        necesario = qMax(necesario, medida.horizontalAdvance(t));
    }
    necesario +=
        2 * (ui.lvwHistorial->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ui.lvwHistorial) + 1) + 4;
    if (ui.lvwHistorial->columnWidth(columna) < necesario) {
        ui.lvwHistorial->setColumnWidth(columna, necesario);
    }
}

void frmHistorial::ponerPanel(int panel, const QString &texto)
{
    (panel == 1 ? panel1_ : panel2_)->setText(texto);
}

void frmHistorial::ponerMensaje(const QString &texto, Qt::Alignment alineacion)
{
    ui.txtMensaje->document()->setDefaultTextOption(QTextOption(alineacion));
    ui.txtMensaje->setPlainText(conSaltosLf(texto));
}

int frmHistorial::filaSeleccionada() const
{
    const QModelIndex actual = ui.lvwHistorial->currentIndex();
    return actual.isValid() ? actual.row() : -1;
}

bool frmHistorial::Form_Load()
{
    // Out of sight while it (re)loads; the wait window in its place. Shown
    // again, it comes back where it was rather than centred anew.
    if (isVisible()) {
        geometria_ = geometry();
    }
    hide();
    mostrarEspere(QStringLiteral("Espere por favor..."),
                  QStringLiteral("NTX Mensajes está abriendo el almacén de mensajes..."));

    // Empty pane and list; the columns at their widths.
    ui.lblPara->clear();
    ui.lblDe->clear();
    ui.lblFecha->clear();
    ui.lblProveedor->clear();
    modelo_->vaciar();
    ponerAncho(ModeloHistorial::ColFecha, 2000);
    ponerAncho(ModeloHistorial::ColDestinatario, 1900);
    ponerAncho(ModeloHistorial::ColMensaje, 1650);
    ponerAncho(ModeloHistorial::ColRemitente, 1000);
    ponerAncho(ModeloHistorial::ColProveedor, 1800);
    ponerAncho(ModeloHistorial::ColIndice, 0);
    ui.lvwHistorial->header()->setSortIndicator(-1, Qt::AscendingOrder);

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
        ui.lvwHistorial->header()->setSortIndicator(ModeloHistorial::ColFecha, Qt::DescendingOrder);
        ponerMensaje(QStringLiteral("(Seleccione un mensaje)"), Qt::AlignHCenter);
        ponerPanel(1, QString::number(n) + QStringLiteral(" mensajes guardados"));
        ponerPanel(2, QStringLiteral("Seleccione un mensaje para ver más detalles, reenviar o eliminar"));
        ui.cmdReenviar->setEnabled(true);
        ui.cmdEliminar->setEnabled(true);
        ui.cmdEliminarTodos->setEnabled(true);
        // The first row is selected, but the pane waits for the user's choice.
        llenando_ = true;
        ui.lvwHistorial->setCurrentIndex(modelo_->index(0, 0));
        ui.lvwHistorial->scrollToTop();
        llenando_ = false;
        // The keyboard starts on that row: an arrow or Space shows it.
        ui.lvwHistorial->setFocus();
        // A reload (after a deletion) keeps the search typed.
        ui.txtBuscar->setEnabled(true);
        ui.cmdExportar->setEnabled(true);
        mostrarBusqueda();
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
    if (geometria_.isValid()) {
        setGeometry(geometria_);
    }
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
    ui.cmdReenviar->setEnabled(false);
    ui.cmdEliminar->setEnabled(false);
    ui.cmdEliminarTodos->setEnabled(false);
    ui.txtBuscar->setEnabled(false);
    ui.cmdExportar->setEnabled(false);
    ui.lblCuenta->clear();
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
    if (llenando_ || !ui.cmdEliminar->isEnabled()) {
        return;
    }
    const int fila = filaSeleccionada();
    if (modelo_->posicion(fila) <= 0) {
        return;
    }
    QString mensaje, fecha;
    lista_historial::partirEtiqueta(modelo_->etiquetaFila(fila), &mensaje, &fecha);
    ponerMensaje(mensaje, Qt::AlignLeft);
    ui.lblFecha->setText(fecha);
    ui.lblPara->setText(modelo_->texto(fila, ModeloHistorial::ColDestinatario));
    ui.lblDe->setText(modelo_->texto(fila, ModeloHistorial::ColRemitente));
    ui.lblProveedor->setText(modelo_->texto(fila, ModeloHistorial::ColProveedor));
}

void frmHistorial::lvwHistorial_ColumnClick(int columna)
{
    const Qt::SortOrder orden = modelo_->columnaOrden() != columna       ? Qt::AscendingOrder
                                : modelo_->orden() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                         : Qt::AscendingOrder;
    modelo_->sort(columna, orden);
    ui.lvwHistorial->header()->setSortIndicator(columna, orden);
    if (ui.lvwHistorial->currentIndex().isValid()) {
        ui.lvwHistorial->scrollTo(ui.lvwHistorial->currentIndex());
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
    if (objeto == ui.lvwHistorial && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Delete) {
        lvwHistorial_KeyDown(46);
        return true;
    }
    // The menu key (or a right click) offers what the buttons beside the list do.
    if (objeto == ui.lvwHistorial && evento->type() == QEvent::ContextMenu) {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("mnuHistorial"));
        QAction *reenviar = menu.addAction(QStringLiteral("&Reenviar"));
        reenviar->setEnabled(ui.cmdReenviar->isEnabled());
        QAction *eliminar = menu.addAction(QStringLiteral("&Eliminar"));
        eliminar->setEnabled(ui.cmdEliminar->isEnabled());
        const auto *pedido = static_cast<QContextMenuEvent *>(evento);
        const QModelIndex actual = ui.lvwHistorial->currentIndex();
        const QPoint lugar =
            pedido->reason() == QContextMenuEvent::Keyboard && actual.isValid()
                ? ui.lvwHistorial->viewport()->mapToGlobal(ui.lvwHistorial->visualRect(actual).bottomLeft())
                : pedido->globalPos();
        QAction *elegida = menu.exec(lugar);
        if (elegida == reenviar)
            cmdReenviar_Click();
        else if (elegida == eliminar)
            cmdEliminar_Click();
        return true;
    }
    // A key that moves in the list or picks a row shows the row it leaves current, also
    // when the row did not change (the preselected first one, the only one).
    if (objeto == ui.lvwHistorial && evento->type() == QEvent::KeyRelease) {
        switch (static_cast<QKeyEvent *>(evento)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Space:
            lvwHistorial_ItemClick();
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void frmHistorial::cmdReenviar_Click()
{
    const int fila = filaSeleccionada();
    if (!ui.cmdReenviar->isEnabled() || modelo_->posicion(fila) <= 0) {
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
    if (!ui.cmdEliminar->isEnabled() || k <= 0) {
        return;
    }
    if (ctx.dialogos.mensaje(QStringLiteral("¿Está seguro que desea borrar este mensaje permanentemente?"),
                             Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, Titulo,
                             Dialogos::Respuesta::No) != Dialogos::Respuesta::Si) {
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
    if (!ui.cmdEliminarTodos->isEnabled()) {
        return;
    }
    if (ctx.dialogos.mensaje(QStringLiteral("¿Está seguro que desea borrar todos los mensajes enviados?\r\n\r\nEsta "
                                            "operación no se puede deshacer"),
                             Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, Titulo,
                             Dialogos::Respuesta::No) != Dialogos::Respuesta::Si) {
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

void frmHistorial::mostrarBusqueda()
{
    modelo_->filtrar(ui.txtBuscar->text());
    ui.lblCuenta->setText(lista_historial::textoCuenta(modelo_->rowCount(), modelo_->totalRegistros()));
    // The first record shown is selected; the pane waits for the user's choice.
    llenando_ = true;
    ui.lvwHistorial->setCurrentIndex(modelo_->index(0, 0));
    ui.lvwHistorial->scrollToTop();
    llenando_ = false;
    ponerMensaje(QStringLiteral("(Seleccione un mensaje)"), Qt::AlignHCenter);
    ui.lblPara->clear();
    ui.lblDe->clear();
    ui.lblFecha->clear();
    ui.lblProveedor->clear();
}

void frmHistorial::txtBuscar_Change()
{
    if (!modelo_->hayRegistros()) {
        return;
    }
    mostrarBusqueda();
}

void frmHistorial::cmdExportar_Click()
{
    if (!modelo_->hayRegistros()) {
        return;
    }
    const QString ruta = ctx.dialogos.guardarArchivo(QStringLiteral("Exportar mensajes"), exportar_historial::FiltroCsv,
                                                     QStringLiteral("Mensajes enviados.csv"), true);
    if (ruta.isEmpty()) {
        return;
    }
    // The records shown, in the list's order.
    QString error;
    if (!exportar_historial::EscribirCsv(ruta, modelo_->historial(), modelo_->registrosMostrados(), &error)) {
        ctx.dialogos.mensaje(QStringLiteral("No se pudieron exportar los mensajes\r\n\r\n") + error,
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        return;
    }
    ctx.dialogos.mensaje(QStringLiteral("Se exportaron ") + QString::number(modelo_->registrosMostrados().size()) +
                             QStringLiteral(" mensajes."),
                         Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, Dialogos::tituloPrograma());
}

void MostrarHistorial(Contexto &ctx, PrincipalHistorial &principal)
{
    frmHistorial ventana(ctx, principal, principal.ventana());
    ventana.Mostrar();
    principal.ventana()->show();
}

#include "envio/frmcola.h"

#include <QCloseEvent>
#include <QHeaderView>

frmCola::frmCola(QWidget *padre)
    : QDialog(padre)
{
    setWindowTitle(QStringLiteral("Envío a varios destinatarios"));
    setFixedSize(440, 300);
    ui.lblProgreso = new QLabel(this);
    ui.lblProgreso->setGeometry(12, 6, 308, 32);
    ui.lblProgreso->setWordWrap(true);
    ui.lblEspera = new QLabel(this);
    ui.lblEspera->setGeometry(12, 38, 416, 20);
    ui.lblEspera->hide();
    ui.lvwResumen = new QTreeWidget(this);
    ui.lvwResumen->setGeometry(12, 60, 416, 190);
    ui.lvwResumen->setRootIsDecorated(false);
    ui.lvwResumen->setUniformRowHeights(true);
    ui.lvwResumen->setHeaderLabels(
        {QStringLiteral("Destinatario"), QStringLiteral("Proveedor"), QStringLiteral("Resultado")});
    ui.lvwResumen->header()->resizeSection(0, 110);
    ui.lvwResumen->header()->resizeSection(1, 130);
    // At the top right: the delivery windows open in the middle of the screen and
    // would cover a button at the bottom left of this window.
    ui.cmdDetener = new QPushButton(QStringLiteral("Detener"), this);
    ui.cmdDetener->setGeometry(328, 8, 100, 28);
    ui.cmdReintentar = new QPushButton(QStringLiteral("Reintentar los no enviados"), this);
    ui.cmdReintentar->setGeometry(12, 260, 200, 28);
    ui.cmdReintentar->hide();
    ui.cmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    ui.cmdCerrar->setGeometry(328, 260, 100, 28);
    ui.cmdCerrar->setEnabled(false);
    ui.timEspera = new QTimer(this);
    ui.timEspera->setInterval(1000);
    ui.nombrar();

    connect(ui.cmdDetener, &QPushButton::clicked, this, &frmCola::cmdDetener_Click);
    connect(ui.cmdReintentar, &QPushButton::clicked, this, &frmCola::cmdReintentar_Click);
    connect(ui.cmdCerrar, &QPushButton::clicked, this, &frmCola::cmdCerrar_Click);
    connect(ui.timEspera, &QTimer::timeout, this, &frmCola::timEspera_Timer);
}

void frmCola::mostrarProgreso(const QString &texto)
{
    ui.lblProgreso->setText(texto);
}

void frmCola::mostrarEspera(const QString &texto)
{
    ui.lblEspera->setText(texto);
    ui.lblEspera->setVisible(!texto.isEmpty());
    if (texto.isEmpty())
        ui.timEspera->stop();
    else if (!ui.timEspera->isActive())
        ui.timEspera->start();
}

void frmCola::mostrarResumen(const ColaEnvio &cola, bool terminada)
{
    m_terminada = terminada;
    const QSignalBlocker bloqueo(ui.lvwResumen);
    const auto &elementos = cola.elementos();
    // During a queue only results change: the rows are rewritten in place, so a
    // delivery costs one pass over the texts, not a new list.
    if (ui.lvwResumen->topLevelItemCount() != elementos.size()) {
        ui.lvwResumen->clear();
        QList<QTreeWidgetItem *> filas;
        filas.reserve(elementos.size());
        for (qsizetype i = 0; i < elementos.size(); ++i)
            filas.append(new QTreeWidgetItem());
        ui.lvwResumen->addTopLevelItems(filas);
    }
    for (int i = 0; i < elementos.size(); ++i) {
        const ColaEnvio::Elemento &e = elementos.at(i);
        QTreeWidgetItem *fila = ui.lvwResumen->topLevelItem(i);
        const QString estado = ColaEnvio::textoEstado(e);
        if (fila->text(2) == estado && fila->text(0) == e.mensaje.DestinatarioNombre())
            continue;
        fila->setText(0, e.mensaje.DestinatarioNombre());
        fila->setText(1, e.mensaje.ProveedorActual);
        fila->setText(2, estado);
        fila->setToolTip(2, estado);
    }
    ui.cmdDetener->setEnabled(!terminada);
    ui.cmdCerrar->setEnabled(terminada);
    ui.cmdReintentar->setVisible(terminada && cola.totales().noEnviados > 0);
    if (terminada) {
        mostrarEspera({});
        ui.lblProgreso->setText(cola.textoTotales());
    }
}

void frmCola::cmdDetener_Click()
{
    ui.cmdDetener->setEnabled(false);
    Q_EMIT detener();
}

void frmCola::cmdReintentar_Click()
{
    Q_EMIT reintentar();
}

void frmCola::cmdCerrar_Click()
{
    close();
}

void frmCola::timEspera_Timer()
{
    Q_EMIT esperaTic();
}

void frmCola::closeEvent(QCloseEvent *evento)
{
    // While the queue runs, closing is "Detener": nothing is left half done.
    if (!m_terminada) {
        evento->ignore();
        cmdDetener_Click();
        return;
    }
    QDialog::closeEvent(evento);
}

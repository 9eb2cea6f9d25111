#include "mejoras/frmabreviaturas.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "comun/contexto.h"
#include "mejoras/abreviaturas.h"
#include "mejoras/frmabreviaturanueva.h"

frmAbreviaturas::frmAbreviaturas(Contexto &contexto, std::function<void()> recargar, QWidget *parent)
    : QDialog(parent)
    , ctx(contexto)
    , recargar_(std::move(recargar))
{
    setWindowTitle(QStringLiteral("Configurar Abreviaturas"));
    lblAbreviaturas = new QLabel(QStringLiteral("Al escribir lo siguiente:"), this);
    tvwAbreviaturas = new QTreeWidget(this);
    tvwAbreviaturas->setHeaderHidden(true);
    tvwAbreviaturas->setRootIsDecorated(false);
    tvwAbreviaturas->setColumnCount(1);
    lblConvertirA = new QLabel(QStringLiteral("Convertir a:"), this);
    txtConvertirA = new QPlainTextEdit(this);
    txtConvertirA->setReadOnly(true);
    txtConvertirA->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    cmdAgregar = new QPushButton(QStringLiteral("Agregar"), this);
    cmdModificar = new QPushButton(QStringLiteral("Modificar"), this);
    cmdEliminar = new QPushButton(QStringLiteral("Eliminar"), this);
    cmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    stbAbreviaturas = new QStatusBar(this);
    stbAbreviaturas->setSizeGripEnabled(false);
    estado_ = new QLabel(stbAbreviaturas);
    stbAbreviaturas->addWidget(estado_, 1);

    auto *rejilla = new QGridLayout;
    rejilla->addWidget(lblAbreviaturas, 0, 0);
    rejilla->addWidget(lblConvertirA, 0, 1);
    rejilla->addWidget(tvwAbreviaturas, 1, 0);
    rejilla->addWidget(txtConvertirA, 1, 1);
    auto *botones = new QVBoxLayout;
    for (QPushButton *b : {cmdAgregar, cmdModificar, cmdEliminar})
        botones->addWidget(b);
    botones->addStretch();
    botones->addWidget(cmdCerrar);
    rejilla->addLayout(botones, 1, 2);
    auto *principal = new QVBoxLayout(this);
    principal->setContentsMargins(0, 0, 0, 0);
    auto *arriba = new QWidget(this);
    arriba->setLayout(rejilla);
    principal->addWidget(arriba, 1);
    principal->addWidget(stbAbreviaturas);
    resize(480, 280);

    connect(cmdAgregar, &QPushButton::clicked, this, &frmAbreviaturas::cmdAgregar_Click);
    connect(cmdModificar, &QPushButton::clicked, this, &frmAbreviaturas::cmdModificar_Click);
    connect(cmdEliminar, &QPushButton::clicked, this, &frmAbreviaturas::cmdEliminar_Click);
    connect(cmdCerrar, &QPushButton::clicked, this, &frmAbreviaturas::cmdCerrar_Click);
    connect(tvwAbreviaturas, &QTreeWidget::currentItemChanged, this, &frmAbreviaturas::tvwAbreviaturas_NodeClick);
    connect(tvwAbreviaturas, &QTreeWidget::itemDoubleClicked, this, &frmAbreviaturas::tvwAbreviaturas_DblClick);
    tvwAbreviaturas->installEventFilter(this);
    // Alt and a letter reach each control; each label names its box for screen readers.
    lblAbreviaturas->setText(QStringLiteral("&Al escribir lo siguiente:"));
    lblAbreviaturas->setBuddy(tvwAbreviaturas);
    tvwAbreviaturas->setAccessibleName(QStringLiteral("Abreviaturas"));
    tvwAbreviaturas->setAccessibleDescription(QStringLiteral("Lo que se escribe; a la derecha, en qué se convierte"));
    lblConvertirA->setText(QStringLiteral("C&onvertir a:"));
    lblConvertirA->setBuddy(txtConvertirA);
    cmdAgregar->setText(QStringLiteral("A&gregar"));
    cmdModificar->setText(QStringLiteral("&Modificar"));
    cmdEliminar->setText(QStringLiteral("&Eliminar"));
    cmdCerrar->setText(QStringLiteral("&Cerrar"));

    Form_Load();
}

void frmAbreviaturas::ponerEstado(const QString &texto)
{
    estado_->setText(texto);
}

void frmAbreviaturas::Form_Load()
{
    LlenarLista();
}

void frmAbreviaturas::LlenarLista()
{
    const ParesAbreviatura pares = LeerTablaAbreviaturas(ctx.ajustes);
    tvwAbreviaturas->clear();
    txtConvertirA->clear();
    ponerEstado(QStringLiteral("Trabajando...  "));
    for (const auto &par : pares) {
        auto *item = new QTreeWidgetItem(tvwAbreviaturas, QStringList{par.first});
        item->setData(0, Qt::UserRole, par.second);
    }
    if (pares.isEmpty()) {
        cmdModificar->setEnabled(false);
        cmdEliminar->setEnabled(false);
        ponerEstado(QStringLiteral("Haga clic en Agregar para configurar una nueva abreviatura"));
        return;
    }
    ponerEstado(NumeroConSigno(pares.size()) + QStringLiteral(" abreviaturas configuradas  "));
    tvwAbreviaturas->setCurrentItem(tvwAbreviaturas->topLevelItem(0));
    tvwAbreviaturas_NodeClick();
    cmdModificar->setEnabled(true);
    cmdEliminar->setEnabled(true);
}

void frmAbreviaturas::tvwAbreviaturas_NodeClick()
{
    const QTreeWidgetItem *item = tvwAbreviaturas->currentItem();
    txtConvertirA->setPlainText(item ? ConSaltosLf(item->data(0, Qt::UserRole).toString()) : QString());
}

void frmAbreviaturas::tvwAbreviaturas_DblClick()
{
    cmdModificar_Click();
}

void frmAbreviaturas::tvwAbreviaturas_KeyDown(int codigo)
{
    if (codigo == 46)
        cmdEliminar_Click();
}

bool frmAbreviaturas::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == tvwAbreviaturas && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Delete) {
        tvwAbreviaturas_KeyDown(46);
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void frmAbreviaturas::cmdAgregar_Click()
{
    frmAbreviaturaNueva nueva(ctx, this);
    nueva.modo = QStringLiteral("nuevo");
    nueva.Form_Load();
    nueva.exec();
    LlenarLista();
}

void frmAbreviaturas::cmdModificar_Click()
{
    const QTreeWidgetItem *item = tvwAbreviaturas->currentItem();
    if (!item) {
        ctx.dialogos.mensaje(QStringLiteral("Debe seleccionar la abreviatura que desea modificar"),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return;
    }
    const QString palabra = item->text(0);
    frmAbreviaturaNueva nueva(ctx, this);
    nueva.modo = QStringLiteral("modificar_") + palabra;
    nueva.txtAlEscribir->setText(palabra);
    nueva.txtConvertirA->setPlainText(ConSaltosLf(item->data(0, Qt::UserRole).toString()));
    nueva.Form_Load();
    nueva.exec();
    LlenarLista();
}

void frmAbreviaturas::cmdEliminar_Click()
{
    const QTreeWidgetItem *item = tvwAbreviaturas->currentItem();
    if (!item) {
        ctx.dialogos.mensaje(QStringLiteral("Debe seleccionar la abreviatura que desea eliminar"),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return;
    }
    const QString palabra = item->text(0);
    const auto respuesta = ctx.dialogos.mensaje(
        QStringLiteral("¿Está seguro que desea eliminar la abreviatura ") + palabra + QStringLiteral(" ?"),
        Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, Dialogos::tituloPrograma());
    if (respuesta != Dialogos::Respuesta::Si)
        return;
    ctx.ajustes.borrarClave(SeccionAbreviaturas, palabra);
    LlenarLista();
}

void frmAbreviaturas::cmdCerrar_Click()
{
    if (recargar_)
        recargar_();
    accept();
}

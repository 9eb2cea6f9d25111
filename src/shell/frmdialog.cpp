// The general notice dialog; it knows no texts of its own besides its controls'.
#include "shell/frmdialog.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "comun/claves.h"
#include "comun/contexto.h"
#include "plataforma/colores.h"
#include "plataforma/imagenes.h"

frmDialog::frmDialog(Contexto &contexto, QWidget *parent)
    : QDialog(parent)
    , ctx(contexto)
{
    setWindowTitle(QStringLiteral("NTX Mensajes"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    auto *icono = new QLabel(this);
    // The program's own picture: the style's is a 32-pixel bitmap, blurred on a scaled screen.
    icono->setPixmap(ImagenNitida(QStringLiteral(":/iconos/informacion.svg"), QSize(32, 32), this));
    icono->setAlignment(Qt::AlignTop);

    lblTexto = new QLabel(this);
    lblTexto->setObjectName(QStringLiteral("lblTexto"));
    lblTexto->setTextFormat(Qt::PlainText);
    lblTexto->setWordWrap(true);
    lblTexto->setMinimumWidth(420);
    lblTexto->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblURL = new QLabel(this);
    lblURL->setObjectName(QStringLiteral("lblURL"));
    lblURL->setTextFormat(Qt::PlainText);
    lblURL->setCursor(Qt::PointingHandCursor);
    QPalette paleta = lblURL->palette();
    paleta.setColor(QPalette::WindowText, ColorLegible(QColor(0, 0, 128), paleta.color(QPalette::Window)));
    lblURL->setPalette(paleta);
    QFont subrayada = lblURL->font();
    subrayada.setUnderline(true);
    lblURL->setFont(subrayada);
    lblURL->installEventFilter(this);
    lblURL->hide();

    chkNoMas = new QCheckBox(QStringLiteral("No mostrar de nuevo este mensaje"), this);
    chkNoMas->setObjectName(QStringLiteral("chkNoMas"));
    chkNoMas->hide();

    cmdAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setDefault(true);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmDialog::cmdAceptar_Click);

    auto *textos = new QVBoxLayout;
    textos->addWidget(lblTexto);
    textos->addWidget(lblURL);
    textos->addStretch(1);
    auto *arriba = new QHBoxLayout;
    arriba->addWidget(icono, 0, Qt::AlignTop);
    arriba->addLayout(textos, 1);
    auto *abajo = new QHBoxLayout;
    abajo->addWidget(chkNoMas);
    abajo->addStretch(1);
    abajo->addWidget(cmdAceptar);
    auto *todo = new QVBoxLayout(this);
    todo->addLayout(arriba, 1);
    todo->addLayout(abajo);
}

void frmDialog::Form_Activate()
{
    lblURL->setVisible(!lblURLTag.isEmpty());
    chkNoMas->setVisible(!chkNoMasTag.isEmpty());
}

void frmDialog::lblURL_Click()
{
    if (!lblURLTag.isEmpty()) {
        ctx.sistema.abrirEnNavegador(lblURLTag);
    }
}

void frmDialog::cmdAceptar_Click()
{
    // Only a key of the settings table: the box never writes a stray name.
    const std::optional<Clave> clave = ClavePorNombre(chkNoMasTag);
    if (chkNoMas->isChecked() && clave) {
        EscribirClaveBooleana(ctx.ajustes, *clave, true);
    }
    accept();
}

void frmDialog::Form_Unload()
{
    // The next caller starts from a clean dialog.
    lblURLTag.clear();
    chkNoMasTag.clear();
    chkNoMas->setChecked(false);
}

void frmDialog::Mostrar(Contexto &ctx, QWidget *dueno, const QString &texto, const QString &claveNoMas,
                        const QString &textoEnlace, const QString &direccionEnlace)
{
    frmDialog dialogo(ctx, dueno);
    dialogo.lblTexto->setText(texto);
    dialogo.lblURL->setText(textoEnlace);
    dialogo.lblURLTag = direccionEnlace;
    dialogo.chkNoMasTag = claveNoMas;
    dialogo.exec();
}

void frmDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        Form_Activate();
        layout()->activate();
        adjustSize();
    }
    QDialog::setVisible(visible);
}

bool frmDialog::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == lblURL && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton) {
        lblURL_Click();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void frmDialog::done(int resultado)
{
    Form_Unload();
    QDialog::done(resultado);
}

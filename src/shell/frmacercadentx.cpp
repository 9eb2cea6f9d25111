#include "shell/frmacercadentx.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "comun/contexto.h"
#include "plataforma/colores.h"
#include "plataforma/imagenes.h"
#include "shell/arranque.h"
#include "shell/controladorayuda.h"

// Outside any namespace: the macro declares the resource's initialiser.
static void iniciarRecursos()
{
    // The program's icon lives in the static library's resources.
    Q_INIT_RESOURCE(recursos);
}

namespace {

// An address as the user reads it: without the scheme and the closing slash.
QString sinEsquema(QString direccion)
{
    const qsizetype esquema = direccion.indexOf(QLatin1String("://"));
    if (esquema >= 0)
        direccion.remove(0, esquema + 3);
    while (direccion.endsWith(QLatin1Char('/')))
        direccion.chop(1);
    return direccion;
}

QLabel *enlace(const QString &texto, QWidget *padre)
{
    auto *l = new QLabel(texto, padre);
    l->setTextFormat(Qt::PlainText);
    QPalette paleta = l->palette();
    paleta.setColor(QPalette::WindowText, ColorLegible(QColor(0, 0, 255), paleta.color(QPalette::Window)));
    l->setPalette(paleta);
    QFont subrayada = l->font();
    subrayada.setUnderline(true);
    l->setFont(subrayada);
    return l;
}

// The picture of the licence link: a small badge drawn here, so it needs no file;
// drawn in the screen's own pixels, so it is sharp on a scaled screen too.
QPixmap insignia(qreal proporcion)
{
    QPixmap imagen(QSize(88, 31) * proporcion);
    imagen.setDevicePixelRatio(proporcion);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath borde;
    borde.addRoundedRect(QRectF(0.5, 0.5, 87, 30), 3, 3);
    p.fillPath(borde, QColor(171, 177, 170));
    p.setPen(QColor(60, 60, 60));
    p.drawPath(borde);
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QRectF(4, 3.5, 24, 24));
    QFont letra(QStringLiteral("Verdana"));
    letra.setPixelSize(11);
    letra.setBold(true);
    p.setFont(letra);
    p.drawText(QRectF(4, 3.5, 24, 24), Qt::AlignCenter, QStringLiteral("cc"));
    p.setPen(Qt::black);
    letra.setPixelSize(10);
    p.setFont(letra);
    p.drawText(QRectF(30, 0, 56, 31), Qt::AlignCenter, QStringLiteral("Licencia"));
    return imagen;
}

} // namespace

frmacercadentx::frmacercadentx(Contexto &contexto, QWidget *parent)
    : QDialog(parent)
    , ctx(contexto)
{
    iniciarRecursos();
    setWindowTitle(QStringLiteral("Acerca de NTX Mensajes"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ImagenNitida(QStringLiteral(":/iconos/ntx.svg"), QSize(64, 64), this));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblTitulo = new QLabel(QStringLiteral("NTX Mensajes"), this);
    QFont verdana(QStringLiteral("Verdana"));
    verdana.setPointSize(16);
    verdana.setBold(true);
    lblTitulo->setFont(verdana);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblNombreClave = new QLabel(this);
    lblNombreClave->setObjectName(QStringLiteral("lblNombreClave"));
    QFont cursiva = lblNombreClave->font();
    cursiva.setItalic(true);
    lblNombreClave->setFont(cursiva);

    Label4 = enlace(sinEsquema(SitioFabricante(ctx.direcciones)), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label5 = enlace(sinEsquema(SitioAutor(ctx.direcciones)), this);
    Label5->setObjectName(QStringLiteral("Label5"));

    imgCC = new QLabel(this);
    imgCC->setObjectName(QStringLiteral("imgCC"));
    imgCC->setPixmap(insignia(devicePixelRatioF()));
    imgCC->setCursor(Qt::PointingHandCursor);

    lblAviso = new QLabel(
        QStringLiteral("NTX Mensajes se ofrece tal como está, sin garantías de ningún tipo. Los mensajes se envían "
                       "a través de los sitios web de las operadoras, que pueden cambiarlos o interrumpirlos en "
                       "cualquier momento; ntxVarel! no responde por los mensajes que no lleguen a destino. "
                       "NTX Mensajes no está vinculado con ninguna operadora de telefonía."),
        this);
    lblAviso->setObjectName(QStringLiteral("lblAviso"));
    lblAviso->setWordWrap(true);
    QPalette gris = lblAviso->palette();
    gris.setColor(QPalette::WindowText, ColorLegible(QColor(90, 90, 90), gris.color(QPalette::Window)));
    lblAviso->setPalette(gris);

    Command1 = new QPushButton(QStringLiteral("&Aceptar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmacercadentx::Command1_Click);

    for (QLabel *l : {Label4, Label5, imgCC})
        l->installEventFilter(this);

    auto *textos = new QVBoxLayout;
    textos->setSpacing(2);
    textos->addWidget(lblTitulo);
    textos->addWidget(lblVersion);
    textos->addWidget(lblNombreClave);
    textos->addSpacing(12);
    textos->addWidget(Label4);
    textos->addWidget(Label5);
    textos->addSpacing(12);
    textos->addWidget(lblAviso);
    auto *arriba = new QHBoxLayout;
    arriba->setSpacing(16);
    arriba->addWidget(Image1, 0, Qt::AlignTop);
    arriba->addLayout(textos, 1);
    auto *abajo = new QHBoxLayout;
    abajo->addWidget(imgCC, 0, Qt::AlignBottom);
    abajo->addStretch(1);
    abajo->addWidget(Command1, 0, Qt::AlignBottom);
    auto *todo = new QVBoxLayout(this);
    todo->setContentsMargins(16, 16, 16, 12);
    todo->addLayout(arriba, 1);
    todo->addSpacing(8);
    todo->addLayout(abajo);
    lblAviso->setFixedWidth(330);
    todo->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
}

QString frmacercadentx::TextoVersion()
{
    return QStringLiteral("Versión ") + QString::number(NTX_VERSION_MAYOR) + QLatin1Char('.') +
           QString::number(NTX_VERSION_MENOR) + QLatin1Char('.') + QString::number(NTX_VERSION_REVISION);
}

void frmacercadentx::Form_Load()
{
    lblVersion->setText(TextoVersion());
    lblNombreClave->setText(Arranque::NombreClave());
    Label4->setCursor(imgCC->cursor());
    Label5->setCursor(imgCC->cursor());
}

void frmacercadentx::Label4_Click()
{
    ctx.sistema.abrirEnNavegador(SitioFabricante(ctx.direcciones));
}

void frmacercadentx::Label5_Click()
{
    ctx.sistema.abrirEnNavegador(SitioAutor(ctx.direcciones));
}

void frmacercadentx::imgCC_Click()
{
    ctx.sistema.abrirEnNavegador(DireccionRedireccion(ctx.direcciones, Redireccion::ImagenAcercaDe));
}

void frmacercadentx::Command1_Click()
{
    accept();
}

bool frmacercadentx::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton) {
        if (objeto == Label4) {
            Label4_Click();
            return true;
        }
        if (objeto == Label5) {
            Label5_Click();
            return true;
        }
        if (objeto == imgCC) {
            imgCC_Click();
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

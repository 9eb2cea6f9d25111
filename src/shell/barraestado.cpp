#include "shell/barraestado.h"

#include <QHash>
#include <QPixmap>

#include "plataforma/imagenes.h"

BarraEstado::BarraEstado(QWidget *parent)
    : QStatusBar(parent)
    , icono_(new QLabel(this))
    , texto_(new QLabel(this))
    , panel2_(new QLabel(QStringLiteral("L-Mate"), this))
{
    setSizeGripEnabled(false);
    icono_->setFixedSize(16, 16);
    addWidget(icono_);
    addWidget(texto_, 1);
    panel2_->setEnabled(false);
    panel2_->setToolTip(QStringLiteral("Indica si el procesador LenguajeMate está activo"));
    panel2_->setFrameShape(QFrame::StyledPanel);
    addPermanentWidget(panel2_);
}

void BarraEstado::ponerPanel1(int imagen, const QString &texto)
{
    // The composer writes the panel on every key: an unchanged picture and text are left alone.
    if (imagen == imagen_ && texto == texto_->text() && imagen_ != 0)
        return;
    imagen_ = imagen;
    // Drawn once for each screen ratio: the composer writes the panel on every key.
    static QHash<QPair<int, qreal>, QPixmap> cache;
    const QPair<int, qreal> clave(imagen, icono_->devicePixelRatioF());
    auto it = cache.find(clave);
    if (it == cache.end())
        it = cache.insert(clave, ImagenNitida(QStringLiteral(":/estado/%1.svg").arg(imagen), QSize(16, 16), icono_));
    icono_->setPixmap(*it);
    // The label tells screen readers of its new text itself (a name change on the bus, as a
    // live region's): an event of our own would have it read twice.
    texto_->setText(texto);
}

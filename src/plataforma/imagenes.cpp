#include "plataforma/imagenes.h"

#include <QGuiApplication>
#include <QIcon>
#include <QWidget>

QPixmap ImagenNitida(const QString &ruta, const QSize &tamano, const QWidget *ventana)
{
    const qreal proporcion = ventana ? ventana->devicePixelRatioF() : qApp->devicePixelRatio();
    // The SVG icon engine draws at tamano × proporcion; a bitmap would only be enlarged.
    return QIcon(ruta).pixmap(tamano, proporcion);
}

// The program's pictures (recursos/) are drawn as SVG: Qt renders them at the
// screen's device-pixel ratio, so they stay sharp at 125, 150 and 200 %.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

class QWidget;

// The picture at `ruta` drawn at `tamano` logical pixels for the screen `ventana` is
// on: its device pixels are `tamano` times that screen's ratio, never a bitmap enlarged.
QPixmap ImagenNitida(const QString &ruta, const QSize &tamano, const QWidget *ventana);

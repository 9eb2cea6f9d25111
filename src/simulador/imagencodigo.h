// The verification image of the simulated gateways: four digits drawn as
// seven-segment figures with some noise, so no font is needed to draw them.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

constexpr int kAnchoImagenCodigo = 100;
constexpr int kAltoImagenCodigo = 40;

QImage dibujarCodigo(const QString &digitos);

// PNG bytes of dibujarCodigo.
QByteArray pngDelCodigo(const QString &digitos);

#include "simulador/imagencodigo.h"

#include <QBuffer>
#include <QPainter>

namespace {
// Segments a..g of each digit, as bits 0..6.
constexpr int kSegmentos[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void dibujarDigito(QPainter &p, int x, int y, int ancho, int alto, int digito)
{
    const int medio = y + alto / 2;
    const int abajo = y + alto;
    const int derecha = x + ancho;
    const QLine lineas[7] = {
        {x, y, derecha, y},               // a
        {derecha, y, derecha, medio},     // b
        {derecha, medio, derecha, abajo}, // c
        {x, abajo, derecha, abajo},       // d
        {x, medio, x, abajo},             // e
        {x, y, x, medio},                 // f
        {x, medio, derecha, medio},       // g
    };
    for (int s = 0; s < 7; ++s) {
        if (kSegmentos[digito] & (1 << s))
            p.drawLine(lineas[s]);
    }
}
} // namespace

QImage dibujarCodigo(const QString &digitos)
{
    QImage imagen(kAnchoImagenCodigo, kAltoImagenCodigo, QImage::Format_RGB32);
    imagen.fill(QColor(0xF2, 0xF0, 0xE6));
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Light noise derived from the digits, so the same code draws the same picture.
    uint semilla = 7;
    for (const QChar c : digitos)
        semilla = semilla * 31 + c.unicode();
    p.setPen(QPen(QColor(0xC8, 0xC0, 0xB0), 1));
    for (int i = 0; i < 6; ++i) {
        semilla = semilla * 1103515245u + 12345u;
        const int y1 = static_cast<int>((semilla >> 8) % kAltoImagenCodigo);
        semilla = semilla * 1103515245u + 12345u;
        const int y2 = static_cast<int>((semilla >> 8) % kAltoImagenCodigo);
        p.drawLine(0, y1, kAnchoImagenCodigo - 1, y2);
    }

    p.setPen(QPen(QColor(0x1A, 0x2A, 0x6C), 3, Qt::SolidLine, Qt::SquareCap));
    int x = 9;
    for (const QChar c : digitos.left(4)) {
        if (c.isDigit())
            dibujarDigito(p, x, 7, 13, 25, c.digitValue());
        x += 23;
    }
    p.end();
    return imagen;
}

QByteArray pngDelCodigo(const QString &digitos)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    dibujarCodigo(digitos).save(&buffer, "PNG");
    return bytes;
}

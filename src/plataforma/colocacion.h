// Controls placed at fixed positions, as the main window and its panels lay
// them out: positions given in twips (15 to a pixel, rounded) or in pixels.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>

namespace colocacion {

constexpr int TwipsPorPixel = 15;

inline QRect twips(int x, int y, int ancho, int alto)
{
    return QRect(qRound(x / double(TwipsPorPixel)), qRound(y / double(TwipsPorPixel)),
                 qRound(ancho / double(TwipsPorPixel)), qRound(alto / double(TwipsPorPixel)));
}

inline QLabel *etiqueta(const QString &texto, QWidget *padre, const QRect &lugar)
{
    auto *l = new QLabel(texto, padre);
    l->setGeometry(lugar);
    return l;
}

// `maximo` 0: no limit of its own.
inline QLineEdit *caja(const QString &texto, int maximo, QWidget *padre, const QRect &lugar)
{
    auto *t = new QLineEdit(texto, padre);
    if (maximo > 0)
        t->setMaxLength(maximo);
    t->setGeometry(lugar);
    return t;
}

inline QPushButton *boton(const QString &texto, QWidget *padre, const QRect &lugar)
{
    auto *b = new QPushButton(texto, padre);
    b->setGeometry(lugar);
    return b;
}

} // namespace colocacion

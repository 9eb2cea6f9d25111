#include "plataforma/colores.h"

#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

double Luminancia(const QColor &c)
{
    const auto canal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
}

// Lightness from which a colour reads on the darkest backgrounds of dark themes.
constexpr int LuzSobreOscuro = 200;

} // namespace

double Contraste(const QColor &a, const QColor &b)
{
    const double la = Luminancia(a);
    const double lb = Luminancia(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ColorLegible(const QColor &color, const QColor &fondo)
{
    if (fondo.lightness() >= 128 || color.lightness() >= LuzSobreOscuro)
        return color;
    return QColor::fromHsl(color.hslHue(), color.hslSaturation(), LuzSobreOscuro, color.alpha());
}

void ColoresClarosPropios(QWidget *parte, const QColor &fondo)
{
    QPalette paleta = parte->palette();
    paleta.setColor(QPalette::Window, fondo);
    paleta.setColor(QPalette::WindowText, Qt::black);
    paleta.setColor(QPalette::Text, Qt::black);
    paleta.setColor(QPalette::Base, Qt::white);
    paleta.setColor(QPalette::ButtonText, Qt::black);
    parte->setPalette(paleta);
    parte->setAutoFillBackground(true);
}

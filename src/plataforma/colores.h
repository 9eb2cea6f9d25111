// Colours that stay readable under the desktop's theme, light or dark.
#pragma once

#include <QColor>

class QWidget;

// Contrast ratio of two colours as the accessibility guidelines measure it:
// 1 (the same) to 21 (black on white).
double Contraste(const QColor &a, const QColor &b);

// The colour a window chose for a light background (a link's blue, a grey
// note), kept as it is on a light `fondo` and lightened on a dark one, its hue kept.
QColor ColorLegible(const QColor &color, const QColor &fondo);

// A part that keeps its own light colours (a white band, a splash): black text on
// `fondo` for the part and its children, whatever the desktop's palette.
void ColoresClarosPropios(QWidget *parte, const QColor &fondo);

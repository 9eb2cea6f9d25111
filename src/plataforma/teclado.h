// What keyboard and screen-reader users need from any window: a label that acts
// as a link reached by Tab, and a focus mark that shows however the focus came.
#pragma once

#include <QProxyStyle>
#include <QString>

class QEvent;
class QLabel;

// A label that opens something on a click also takes the focus by Tab, opens it
// with Enter or Space (EsActivarPorTeclado), shows the focus and tells its purpose.
void HacerEnlaceDeTeclado(QLabel *etiqueta, const QString &descripcion);
// Enter, Return or Space without modifiers: what presses a link or a button.
bool EsActivarPorTeclado(const QEvent *evento);

// Styles draw the focus mark only after a Tab; a window that opens with the focus in a
// list or a button, or a click, must show it too. Wraps the style named (or the default).
class EstiloFocoVisible final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement elemento, const QStyleOption *opcion, QPainter *pintor,
                       const QWidget *control = nullptr) const override;
    void drawControl(ControlElement elemento, const QStyleOption *opcion, QPainter *pintor,
                     const QWidget *control = nullptr) const override;
    void drawComplexControl(ComplexControl elemento, const QStyleOptionComplex *opcion, QPainter *pintor,
                            const QWidget *control = nullptr) const override;
};

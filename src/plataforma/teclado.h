// What keyboard and screen-reader users need from any window: a label that acts
// as a link reached by Tab, and a focus mark that shows however the focus came.
#pragma once

#include <QList>
#include <QProxyStyle>
#include <QString>

class QEvent;
class QLabel;

// A label that opens something on a click also takes the focus by Tab, opens it
// with Enter or Space (EsActivarPorTeclado), shows the focus and tells its purpose.
void HacerEnlaceDeTeclado(QLabel *etiqueta, const QString &descripcion);
// Enter, Return or Space without modifiers: what presses a link or a button.
bool EsActivarPorTeclado(const QEvent *evento);

// The controls Tab reaches under `raiz`, as the screen reads: panel by panel, each top
// to bottom and left to right (a control's own parts, a web view's page, count as one).
QList<QWidget *> OrdenDeLectura(QWidget *raiz);
// Moves the focus to the next (or previous) of them from the one that has or holds it,
// round from the last to the first. False when the focus is elsewhere or none can take it.
bool EnfocarEnOrden(QWidget *raiz, bool adelante);

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

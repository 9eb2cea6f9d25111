#include "plataforma/teclado.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStyleOption>

void HacerEnlaceDeTeclado(QLabel *etiqueta, const QString &descripcion)
{
    etiqueta->setFocusPolicy(Qt::StrongFocus);
    etiqueta->setAccessibleDescription(descripcion);
    // A label draws no focus frame of its own: its colours turn to the selection's.
    QString propio = etiqueta->styleSheet();
    if (!propio.contains(QLatin1Char('{')))
        propio = QStringLiteral("QLabel { %1 }").arg(propio);
    etiqueta->setStyleSheet(
        propio +
        QStringLiteral(" QLabel:focus { background-color: palette(highlight); color: palette(highlighted-text); }"));
}

bool EsActivarPorTeclado(const QEvent *evento)
{
    if (evento->type() != QEvent::KeyPress)
        return false;
    const auto *tecla = static_cast<const QKeyEvent *>(evento);
    if (tecla->modifiers() & ~Qt::KeypadModifier)
        return false;
    return tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter || tecla->key() == Qt::Key_Space;
}

namespace {

// The option the style is handed, marked as after a Tab while it draws: options are
// the caller's temporaries, and the mark is taken off again before returning.
template <typename Dibujar> void ComoTrasTab(const QStyleOption *opcion, Dibujar dibujar)
{
    auto *marcable = const_cast<QStyleOption *>(opcion);
    const bool marcar = marcable && !(marcable->state & QStyle::State_KeyboardFocusChange);
    if (marcar)
        marcable->state |= QStyle::State_KeyboardFocusChange;
    dibujar();
    if (marcar)
        marcable->state &= ~QStyle::State_KeyboardFocusChange;
}

} // namespace

void EstiloFocoVisible::drawPrimitive(PrimitiveElement elemento, const QStyleOption *opcion, QPainter *pintor,
                                      const QWidget *control) const
{
    ComoTrasTab(opcion, [&] { QProxyStyle::drawPrimitive(elemento, opcion, pintor, control); });
}

void EstiloFocoVisible::drawControl(ControlElement elemento, const QStyleOption *opcion, QPainter *pintor,
                                    const QWidget *control) const
{
    ComoTrasTab(opcion, [&] { QProxyStyle::drawControl(elemento, opcion, pintor, control); });
}

void EstiloFocoVisible::drawComplexControl(ComplexControl elemento, const QStyleOptionComplex *opcion, QPainter *pintor,
                                           const QWidget *control) const
{
    ComoTrasTab(opcion, [&] { QProxyStyle::drawComplexControl(elemento, opcion, pintor, control); });
}

#include "plataforma/teclado.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStyleOption>
#include <algorithm>
#include <cstdlib>

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

bool RecibeTab(const QWidget *w)
{
    while (w->focusProxy())
        w = w->focusProxy();
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled();
}

// Rows within a few pixels read as one row, left to right.
bool AntesAlLeer(const QWidget *a, const QWidget *b)
{
    constexpr int MismaFila = 6;
    const QRect ra = a->geometry();
    const QRect rb = b->geometry();
    if (std::abs(ra.top() - rb.top()) > MismaFila)
        return ra.top() < rb.top();
    return ra.left() < rb.left();
}

void Juntar(QWidget *padre, QList<QWidget *> &orden)
{
    QList<QWidget *> hijos;
    for (QObject *objeto : padre->children()) {
        auto *w = qobject_cast<QWidget *>(objeto);
        if (w && !w->isWindow() && w->isVisible())
            hijos << w;
    }
    std::stable_sort(hijos.begin(), hijos.end(), AntesAlLeer);
    for (QWidget *w : hijos) {
        if (RecibeTab(w))
            orden << w;
        else
            Juntar(w, orden);
    }
}

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

QList<QWidget *> OrdenDeLectura(QWidget *raiz)
{
    QList<QWidget *> orden;
    Juntar(raiz, orden);
    return orden;
}

bool EnfocarEnOrden(QWidget *raiz, bool adelante)
{
    const QList<QWidget *> orden = OrdenDeLectura(raiz);
    QWidget *actual = QApplication::focusWidget();
    if (orden.isEmpty() || (actual && actual != raiz && !raiz->isAncestorOf(actual)))
        return false;
    const qsizetype n = orden.size();
    qsizetype i = -1;
    for (qsizetype k = 0; k < n && actual; ++k) {
        if (orden.at(k) == actual || orden.at(k)->isAncestorOf(actual)) {
            i = k;
            break;
        }
    }
    const qsizetype siguiente = i < 0 ? (adelante ? 0 : n - 1) : (i + (adelante ? 1 : n - 1)) % n;
    orden.at(siguiente)->setFocus(adelante ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

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
    // A toolbar's buttons show the focus only as a faint raised face: a frame around them too.
    if (elemento == CC_ToolButton && opcion && (opcion->state & State_HasFocus)) {
        QStyleOptionFocusRect marco;
        marco.QStyleOption::operator=(*opcion);
        marco.rect = opcion->rect.adjusted(1, 1, -1, -1);
        marco.state |= State_KeyboardFocusChange;
        QProxyStyle::drawPrimitive(PE_FrameFocusRect, &marco, pintor, control);
    }
}

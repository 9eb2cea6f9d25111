#include "plataforma/fuentes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>

namespace {

// Metric-compatible families first: Liberation Sans keeps Arial's widths, close to
// Tahoma at 8 points; DejaVu Sans was drawn on Verdana's widths.
const QStringList SustitutosTahoma = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                      QStringLiteral("DejaVu Sans")};
const QStringList SustitutosVerdana = {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")};

QString sinMnemonico(QString texto)
{
    texto.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    texto.remove(QLatin1Char('&'));
    texto.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return texto;
}

int anchoDeLineas(const QFontMetrics &medidas, const QString &texto)
{
    int ancho = 0;
    const QStringList lineas = texto.split(QLatin1Char('\n'));
    for (const QString &linea : lineas)
        ancho = qMax(ancho, medidas.horizontalAdvance(linea));
    return ancho;
}

// Width the control gives its text.
int anchoVisible(const QWidget *control)
{
    if (const auto *etiqueta = qobject_cast<const QLabel *>(control)) {
        int ancho = etiqueta->contentsRect().width() - 2 * etiqueta->margin();
        if (etiqueta->indent() > 0)
            ancho -= etiqueta->indent();
        return ancho;
    }
    const auto *boton = qobject_cast<const QAbstractButton *>(control);
    QStyleOptionButton opcion;
    opcion.initFrom(boton);
    opcion.text = boton->text();
    opcion.icon = boton->icon();
    opcion.iconSize = boton->iconSize();
    const int icono = boton->icon().isNull() ? 0 : boton->iconSize().width() + 4;
    QStyle *estilo = boton->style();
    if (qobject_cast<const QCheckBox *>(boton))
        return estilo->subElementRect(QStyle::SE_CheckBoxContents, &opcion, boton).width() - icono;
    if (qobject_cast<const QRadioButton *>(boton))
        return estilo->subElementRect(QStyle::SE_RadioButtonContents, &opcion, boton).width() - icono;
    // A push button draws its text centred in the contents less the style's margin.
    const int margen = estilo->pixelMetric(QStyle::PM_ButtonMargin, &opcion, boton);
    return estilo->subElementRect(QStyle::SE_PushButtonContents, &opcion, boton).width() - margen - icono;
}

// Free pixels beside `control` in its parent: towards the right, or towards the left
// for a right-aligned label.
int espacioLibre(const QWidget *control, bool haciaIzquierda)
{
    const QWidget *padre = control->parentWidget();
    if (!padre)
        return 0;
    const QRect propio = control->geometry();
    int libre = haciaIzquierda ? propio.left() : padre->width() - propio.right() - 1;
    const QObjectList hermanos = padre->children();
    for (const QObject *objeto : hermanos) {
        const auto *otro = qobject_cast<const QWidget *>(objeto);
        if (!otro || otro == control || otro->isWindow())
            continue;
        const QRect g = otro->geometry();
        if (g.bottom() < propio.top() || g.top() > propio.bottom() || g.isEmpty())
            continue;
        // A panel laid over the control (a frame holding it visually) is not a neighbour.
        if (g.contains(propio))
            continue;
        if (haciaIzquierda && g.right() < propio.left())
            libre = qMin(libre, propio.left() - g.right() - 1);
        else if (!haciaIzquierda && g.left() > propio.right())
            libre = qMin(libre, g.left() - propio.right() - 1);
    }
    return qMax(0, libre);
}

class AjusteAlMostrar final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (!objeto->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(objeto);
        // A caption changed on a shown window asks its parent for a new layout.
        // A page of a tab strip is laid out only when it is first shown.
        const bool pagina = widget->parentWidget() && widget->parentWidget()->inherits("QStackedWidget");
        if ((evento->type() == QEvent::Show && (widget->isWindow() || pagina)) ||
            (evento->type() == QEvent::LayoutRequest && widget->isVisible()))
            AjustarTextos(widget);
        return false;
    }
};

} // namespace

int DesbordeDeTexto(const QWidget *control)
{
    QString texto;
    if (const auto *etiqueta = qobject_cast<const QLabel *>(control)) {
        if (etiqueta->wordWrap() || etiqueta->text().isEmpty())
            return 0;
        texto = etiqueta->text();
        if (etiqueta->textFormat() == Qt::RichText ||
            (etiqueta->textFormat() == Qt::AutoText && Qt::mightBeRichText(texto))) {
            // Coloured or underlined link captions: the letters are what must fit.
            QTextDocument documento;
            documento.setHtml(texto);
            texto = documento.toPlainText();
        }
        if (etiqueta->buddy())
            texto = sinMnemonico(texto);
    } else if (const auto *boton = qobject_cast<const QAbstractButton *>(control)) {
        if (!qobject_cast<const QPushButton *>(boton) && !qobject_cast<const QCheckBox *>(boton) &&
            !qobject_cast<const QRadioButton *>(boton))
            return 0;
        texto = sinMnemonico(boton->text());
        if (texto.isEmpty())
            return 0;
    } else {
        return 0;
    }
    const int necesario = anchoDeLineas(control->fontMetrics(), texto);
    return qMax(0, necesario - anchoVisible(control));
}

void AjustarTextos(QWidget *ventana)
{
    const QList<QWidget *> controles = ventana->findChildren<QWidget *>();
    for (QWidget *control : controles) {
        const int falta = DesbordeDeTexto(control);
        if (falta <= 0)
            continue;
        const auto *etiqueta = qobject_cast<const QLabel *>(control);
        const bool haciaIzquierda = etiqueta && (etiqueta->alignment() & Qt::AlignRight);
        const int crece = qMin(falta, espacioLibre(control, haciaIzquierda));
        if (crece <= 0)
            continue;
        QRect g = control->geometry();
        if (haciaIzquierda)
            g.setLeft(g.left() - crece);
        else
            g.setRight(g.right() + crece);
        control->setGeometry(g);
    }
}

void PrepararFuentes()
{
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), SustitutosTahoma);
    QFont::insertSubstitutions(QStringLiteral("Verdana"), SustitutosVerdana);
    QApplication::setFont(QFont(QStringLiteral("Tahoma"), 8));
    static AjusteAlMostrar *ajuste = nullptr;
    if (!ajuste) {
        ajuste = new AjusteAlMostrar(qApp);
        qApp->installEventFilter(ajuste);
    }
}

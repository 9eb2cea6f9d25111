#include "plataforma/cballoontooltip.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <QWidget>
#include <QWindow>
#include <functional>

#if defined(NTX_CON_XCB)
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace {

constexpr int AlturaPico = 14;
constexpr int AnchoPico = 16;
constexpr int DesplazamientoPico = 20; // the stem's foot this far from the body's left edge
constexpr int Radio = 8;
constexpr int Relleno = 9;
constexpr int MargenSombra = 7;
constexpr int AnchoMaximoTexto = 420;
constexpr int LadoIcono = 16;

// A translucent window only looks right where a compositing manager draws it;
// elsewhere its transparent parts come out black, so the balloon is cut out
// with a mask instead and goes without a shadow.
bool escritorioCompone()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
#if defined(NTX_CON_XCB) && QT_CONFIG(xcb)
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t *conexion = x11->connection();
    static const char nombre[] = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t *atomo =
        xcb_intern_atom_reply(conexion, xcb_intern_atom(conexion, 1, sizeof(nombre) - 1, nombre), nullptr);
    if (!atomo)
        return false;
    const xcb_atom_t seleccion = atomo->atom;
    std::free(atomo);
    if (seleccion == XCB_NONE)
        return false;
    xcb_get_selection_owner_reply_t *dueno =
        xcb_get_selection_owner_reply(conexion, xcb_get_selection_owner(conexion, seleccion), nullptr);
    const bool compone = dueno && dueno->owner != XCB_NONE;
    std::free(dueno);
    return compone;
#else
    return false;
#endif
}

QString sinRetornos(QString texto)
{
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texto;
}

} // namespace

ColocacionGlobo ColocarGlobo(QSize tamano, QPoint punto, const QRect &pantalla, bool centrado, int alturaPico)
{
    ColocacionGlobo c;
    c.punta = punto;
    const int ancho = tamano.width();
    const int alto = tamano.height();
    int izquierda = centrado ? punto.x() - ancho / 2 : punto.x() - (alturaPico > 0 ? DesplazamientoPico : 0);
    int arriba = punto.y() + alturaPico;
    if (arriba + alto > pantalla.bottom() + 1 && punto.y() - alturaPico - alto >= pantalla.top()) {
        c.picoArriba = false;
        arriba = punto.y() - alturaPico - alto;
    }
    izquierda = qMax(pantalla.left(), qMin(izquierda, pantalla.right() + 1 - ancho));
    arriba = qMax(pantalla.top(), qMin(arriba, pantalla.bottom() + 1 - alto));
    c.cuerpo = QRect(izquierda, arriba, ancho, alto);
    const int margen = Radio + 2;
    c.basePico = qBound(margen, punto.x() - izquierda, qMax(margen, ancho - margen));
    return c;
}

// The tip window: draws the body, the stem, the title with its icon and the text.
class GloboVentana final : public QWidget
{
public:
    GloboVentana()
        : QWidget(nullptr,
                  Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint)
    {
        setObjectName(QStringLiteral("CBalloonToolTip"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_X11DoNotAcceptFocus);
        setFocusPolicy(Qt::NoFocus);
        compone_ = escritorioCompone();
        if (compone_)
            setAttribute(Qt::WA_TranslucentBackground);
        setFont(QToolTip::font());
        setPalette(QToolTip::palette());
    }

    // Taken when the window is created; later changes wait for the next one.
    int estilo = 0;
    bool centrado = false;
    bool aDemanda = false;
    int icono = 0;
    QString titulo;
    QString texto;
    QColor colorTexto;
    QColor colorFondo;
    // Set when clicked: the balloon goes away as a clicked tip does.
    std::function<void()> alPulsar;

    bool conPico() const { return estilo == 1; }
    bool compone() const { return compone_; }

    QSize tamanoCuerpo() const
    {
        const QSize cabecera = tamanoTitulo();
        const QSize cuerpo = tamanoTexto();
        int ancho = qMax(cabecera.width(), cuerpo.width());
        int alto = cabecera.height() + cuerpo.height();
        if (!cabecera.isEmpty() && !cuerpo.isEmpty())
            alto += 4;
        return QSize(ancho + 2 * Relleno, alto + 2 * Relleno);
    }

    void colocar(const ColocacionGlobo &c)
    {
        colocacion_ = c;
        QRect todo = c.cuerpo;
        if (conPico())
            todo = todo.united(QRect(c.punta, QSize(1, 1)));
        const int margen = compone_ ? MargenSombra : 0;
        todo.adjust(-margen, -margen, margen, margen);
        origen_ = todo.topLeft();
        setGeometry(todo);
        if (!compone_) {
            // The mask is the outline exactly as painted, border included.
            QBitmap recorte(size());
            recorte.fill(Qt::color0);
            QPainter p(&recorte);
            p.setPen(QPen(Qt::color1, 1));
            p.setBrush(Qt::color1);
            p.drawPath(forma());
            p.end();
            setMask(recorte);
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, compone_);
        const QPainterPath camino = forma();
        if (compone_) {
            // A soft shadow below and to the right, in a few widening strokes.
            const QPainterPath sombra = camino.translated(2, 3);
            for (int i = MargenSombra; i > 0; i -= 2) {
                p.setPen(QPen(QColor(0, 0, 0, 10), i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.setBrush(Qt::NoBrush);
                p.drawPath(sombra);
            }
            p.fillPath(sombra, QColor(0, 0, 0, 40));
        }
        p.fillPath(camino, fondo());
        p.setPen(QPen(QColor(118, 118, 118), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(camino);

        const QRect cuerpo = colocacion_.cuerpo.translated(-origen_);
        int y = cuerpo.top() + Relleno;
        const int x = cuerpo.left() + Relleno;
        p.setPen(colorTexto.isValid() ? colorTexto : palette().color(QPalette::ToolTipText));
        const QSize tTitulo = tamanoTitulo();
        if (!tTitulo.isEmpty()) {
            int xTitulo = x;
            const QIcon ico = iconoTitulo();
            if (!ico.isNull()) {
                ico.paint(&p, QRect(x, y + (tTitulo.height() - LadoIcono) / 2, LadoIcono, LadoIcono));
                xTitulo += LadoIcono + 6;
            }
            p.setFont(fuenteTitulo());
            p.drawText(QRect(xTitulo, y, tTitulo.width(), tTitulo.height()), Qt::AlignLeft | Qt::AlignVCenter, titulo);
            y += tTitulo.height() + 4;
        }
        p.setFont(font());
        const QSize tTexto = tamanoTexto();
        p.drawText(QRect(x, y, tTexto.width(), tTexto.height()), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                   sinRetornos(texto));
    }

    void mousePressEvent(QMouseEvent *evento) override
    {
        evento->accept();
        if (alPulsar)
            alPulsar();
    }

private:
    bool compone_ = false;
    ColocacionGlobo colocacion_;
    QPoint origen_; // screen position of the window's top-left corner

    QColor fondo() const { return colorFondo.isValid() ? colorFondo : palette().color(QPalette::ToolTipBase); }

    QFont fuenteTitulo() const
    {
        QFont f = font();
        f.setBold(true);
        return f;
    }

    QIcon iconoTitulo() const
    {
        switch (icono) {
        case 1:
            return style()->standardIcon(QStyle::SP_MessageBoxInformation);
        case 2:
            return style()->standardIcon(QStyle::SP_MessageBoxWarning);
        case 3:
            return style()->standardIcon(QStyle::SP_MessageBoxCritical);
        default:
            return {};
        }
    }

    QSize tamanoTitulo() const
    {
        const bool hayIcono = !iconoTitulo().isNull();
        if (titulo.isEmpty() && !hayIcono)
            return {};
        const QFontMetrics m(fuenteTitulo());
        int ancho = titulo.isEmpty() ? 0 : m.horizontalAdvance(titulo);
        if (hayIcono)
            ancho += LadoIcono + (titulo.isEmpty() ? 0 : 6);
        return QSize(ancho, qMax(m.height(), hayIcono ? LadoIcono : 0));
    }

    QSize tamanoTexto() const
    {
        if (texto.isEmpty())
            return {};
        const QFontMetrics m(font());
        return m.boundingRect(QRect(0, 0, AnchoMaximoTexto, 100000), Qt::TextWordWrap, sinRetornos(texto)).size();
    }

    // Body and stem as one outline, in window coordinates.
    QPainterPath forma() const
    {
        const QRectF cuerpo = QRectF(colocacion_.cuerpo.translated(-origen_)).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath camino;
        camino.addRoundedRect(cuerpo, conPico() ? Radio : 0, conPico() ? Radio : 0);
        if (!conPico())
            return camino;
        const QPointF punta = QPointF(colocacion_.punta - origen_) + QPointF(0.5, 0.5);
        const qreal borde = colocacion_.picoArriba ? cuerpo.top() : cuerpo.bottom();
        // The stem's straight side faces the nearer end of the body, so it flips with the body.
        const qreal base = cuerpo.left() + colocacion_.basePico;
        const bool haciaDerecha = colocacion_.basePico <= cuerpo.width() / 2;
        const qreal a = haciaDerecha ? base : base - AnchoPico;
        const qreal b = haciaDerecha ? base + AnchoPico : base;
        const qreal dentro = colocacion_.picoArriba ? 1.5 : -1.5; // overlap so the seam does not show
        QPainterPath pico;
        pico.moveTo(a, borde + dentro);
        pico.lineTo(punta);
        pico.lineTo(b, borde + dentro);
        pico.closeSubpath();
        return camino.united(pico).simplified();
    }
};

CBalloonToolTip::CBalloonToolTip(QObject *padre)
    : QObject(padre)
{
    // Children by name, so a test can see whether a delay is running.
    demora_.setParent(this);
    demora_.setObjectName(QStringLiteral("demora"));
    demora_.setSingleShot(true);
    duracion_.setParent(this);
    duracion_.setObjectName(QStringLiteral("duracion"));
    duracion_.setSingleShot(true);
    connect(&demora_, &QTimer::timeout, this, [this] {
        if (!globo_ || !dueno_ || globo_->aDemanda)
            return;
        duenoPunto_ = dueno_;
        punto_ = globo_->centrado ? QPoint(dueno_->width() / 2, dueno_->height())
                                  : dueno_->mapFromGlobal(QCursor::pos()) + QPoint(0, 20);
        activo_ = true;
        porRaton_ = true;
        actualizar();
        duracion_.start(visibleTime_);
    });
    connect(&duracion_, &QTimer::timeout, this, [this] {
        if (porRaton_) {
            activo_ = false;
            porRaton_ = false;
            actualizar();
        }
    });
}

CBalloonToolTip::~CBalloonToolTip()
{
    Destroy();
}

void CBalloonToolTip::setIcon(int icono)
{
    icon_ = icono;
    if (globo_ && !title_.isEmpty() && icon_ != 0)
        cargarContenido();
}

void CBalloonToolTip::setTitle(const QString &titulo)
{
    title_ = titulo;
    if (globo_ && !title_.isEmpty() && icon_ != 0)
        cargarContenido();
}

void CBalloonToolTip::setForeColor(const QColor &color)
{
    foreColor_ = color;
    if (globo_)
        cargarContenido();
}

void CBalloonToolTip::setBackColor(const QColor &color)
{
    backColor_ = color;
    if (globo_)
        cargarContenido();
}

void CBalloonToolTip::setTipText(const QString &texto)
{
    tipText_ = texto;
    if (globo_)
        cargarContenido();
}

void CBalloonToolTip::cargarContenido()
{
    globo_->titulo = title_;
    globo_->icono = icon_;
    globo_->texto = tipText_;
    globo_->colorTexto = foreColor_;
    globo_->colorFondo = backColor_;
    // A screen reader reads what the balloon paints: the title as its name, the text below.
    QString plano = tipText_;
    plano.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    globo_->setAccessibleName(title_.isEmpty() ? plano : title_);
    globo_->setAccessibleDescription(title_.isEmpty() ? QString() : plano);
    if (globo_->isVisible())
        colocar();
    globo_->update();
}

bool CBalloonToolTip::CreateToolTip(QWidget *dueno)
{
    Destroy();
    if (!dueno)
        return false;
    globo_ = new GloboVentana;
    globo_->estilo = style_;
    globo_->centrado = centered_;
    globo_->aDemanda = popupOnDemand_;
    cargarContenido();
    globo_->alPulsar = [this] {
        activo_ = false;
        porRaton_ = false;
        actualizar();
    };
    dueno_ = dueno;
    vigilar(dueno);
    return true;
}

void CBalloonToolTip::Show(int x, int y, QWidget *dueno)
{
    if (!globo_)
        return;
    if (!dueno)
        dueno = dueno_;
    if (!dueno)
        return;
    if (dueno != dueno_.data())
        vigilar(dueno);
    duenoPunto_ = dueno;
    punto_ = QPoint(x, y);
    demora_.stop();
    duracion_.stop();
    porRaton_ = false;
    activo_ = true;
    actualizar();
}

void CBalloonToolTip::Destroy()
{
    demora_.stop();
    duracion_.stop();
    activo_ = false;
    porRaton_ = false;
    dejarDeVigilar();
    dueno_.clear();
    duenoPunto_.clear();
    if (globo_) {
        globo_->hide();
        delete globo_.data();
    }
}

bool CBalloonToolTip::tieneVentana() const
{
    return !globo_.isNull();
}

bool CBalloonToolTip::visible() const
{
    return globo_ && globo_->isVisible();
}

QWidget *CBalloonToolTip::ventana() const
{
    return globo_.data();
}

void CBalloonToolTip::vigilar(QWidget *dueno)
{
    // The tool, its parents (a move or a hide of any of them moves or hides the
    // tool) and its window (activation, minimising).
    for (QWidget *w = dueno; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        bool ya = false;
        for (const QPointer<QWidget> &v : std::as_const(vigilados_))
            ya = ya || v.data() == w;
        if (ya)
            continue;
        w->installEventFilter(this);
        vigilados_.append(w);
    }
    connect(dueno, &QObject::destroyed, this, &CBalloonToolTip::Destroy, Qt::UniqueConnection);
}

void CBalloonToolTip::dejarDeVigilar()
{
    for (const QPointer<QWidget> &w : std::as_const(vigilados_)) {
        if (w) {
            w->removeEventFilter(this);
            disconnect(w, nullptr, this, nullptr);
        }
    }
    vigilados_.clear();
}

bool CBalloonToolTip::puedeVerse() const
{
    if (!dueno_ || !dueno_->isVisible())
        return false;
    if (duenoPunto_ && !duenoPunto_->isVisible())
        return false;
    const QWidget *ventana = dueno_->window();
    // An inactive window lies under another program (or behind a dialog): the
    // tip, which stays above everything, must not float over it.
    return !ventana->isMinimized() && ventana->isActiveWindow();
}

void CBalloonToolTip::actualizar()
{
    if (!globo_)
        return;
    if (activo_ && puedeVerse()) {
        colocar();
        // Mapped anew it comes on top: the window was just active again.
        if (!globo_->isVisible()) {
            // On Wayland a tool-tip surface must know its parent window.
            globo_->winId();
            if (QWindow *propia = globo_->windowHandle())
                propia->setTransientParent(dueno_->window()->windowHandle());
            globo_->show();
        }
    } else if (globo_->isVisible()) {
        globo_->hide();
    }
}

void CBalloonToolTip::colocar()
{
    QWidget *referencia = duenoPunto_ ? duenoPunto_.data() : dueno_.data();
    if (!globo_ || !referencia)
        return;
    const QPoint punto = referencia->mapToGlobal(punto_);
    QScreen *pantalla = QGuiApplication::screenAt(punto);
    if (!pantalla)
        pantalla = referencia->screen();
    const QRect area = pantalla ? pantalla->availableGeometry() : QRect(punto - QPoint(400, 300), QSize(800, 600));
    colocacion_ =
        ColocarGlobo(globo_->tamanoCuerpo(), punto, area, globo_->centrado, globo_->conPico() ? AlturaPico : 0);
    globo_->colocar(colocacion_);
}

bool CBalloonToolTip::eventFilter(QObject *objeto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        actualizar();
        break;
    case QEvent::Enter:
        if (objeto == dueno_ && globo_ && !globo_->aDemanda)
            demora_.start(delayTime_);
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
        if (objeto == dueno_ && globo_ && !globo_->aDemanda) {
            demora_.stop();
            duracion_.stop();
            if (porRaton_) {
                activo_ = false;
                porRaton_ = false;
                actualizar();
            }
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(objeto, evento);
}

// CBalloonToolTip: a balloon tool tip of the program's own, a small frameless
// window with a stem that points at a control, a bold title with an icon and a
// body text. Either shown by itself when the mouse rests on the control (after
// DelayTime, for VisibleTime) or only on demand at a given point, where it stays
// until destroyed. It never takes the focus, hides while its control or its
// window is hidden, minimised or not the active window (so it never floats over
// another program) and follows the control when the window moves.
#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>

class QWidget;
class GloboVentana;

// Where a balloon goes on the screen: the body, the point the stem touches, and
// whether the stem leaves the body's top edge (body below the point) or its
// bottom edge (body above the point, near the screen's bottom).
struct ColocacionGlobo
{
    QRect cuerpo;
    QPoint punta;
    bool picoArriba = true;
    int basePico = 0; // x of the stem's foot on the body's edge, from the body's left
};

// Puts a body of `tamano` next to `punto`, inside `pantalla`; `alturaPico` is the
// stem's length. Centred: the body is centred on the point, otherwise it extends
// to the right of it. Near an edge the body moves inside and the stem flips.
ColocacionGlobo ColocarGlobo(QSize tamano, QPoint punto, const QRect &pantalla, bool centrado, int alturaPico);

class CBalloonToolTip final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CBalloonToolTip)
public:
    explicit CBalloonToolTip(QObject *padre = nullptr);
    ~CBalloonToolTip() override;

    // Milliseconds the tip stays up when shown by the mouse resting on the tool.
    int VisibleTime() const { return visibleTime_; }
    void setVisibleTime(int ms) { visibleTime_ = ms; }
    // Milliseconds the mouse rests on the tool before the tip shows.
    int DelayTime() const { return delayTime_; }
    void setDelayTime(int ms) { delayTime_ = ms; }
    // Title icon: 0 none, 1 information, 2 warning, 3 error.
    int Icon() const { return icon_; }
    void setIcon(int icono);
    // Text and background colours; an invalid colour means the desktop's tool-tip colours.
    QColor ForeColor() const { return foreColor_; }
    void setForeColor(const QColor &color);
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor &color);
    QString Title() const { return title_; }
    void setTitle(const QString &titulo);
    // Line breaks (CR LF or LF) in the text are kept.
    QString TipText() const { return tipText_; }
    void setTipText(const QString &texto);
    // 1: balloon with a stem; anything else: rectangular tip.
    int Style() const { return style_; }
    void setStyle(int estilo) { style_ = estilo; }
    // The stem points at the centre of the tool (hover) or the body is centred on the point (on demand).
    bool Centered() const { return centered_; }
    void setCentered(bool centrado) { centered_ = centrado; }
    // True: shown only by Show; false: shown when the mouse rests on the tool.
    bool PopupOnDemand() const { return popupOnDemand_; }
    void setPopupOnDemand(bool aDemanda) { popupOnDemand_ = aDemanda; }

    // Destroys any tip window this instance has, then creates one for `dueno` with
    // the current properties. False, and no window, when there is no owner.
    bool CreateToolTip(QWidget *dueno);
    // Shows the on-demand tip with its stem at (x, y) of `dueno`'s client area; it
    // stays until Destroy. Nothing happens without a tip window.
    void Show(int x, int y, QWidget *dueno);
    // Removes the tip window, if any.
    void Destroy();

    // A tip window exists (created and not destroyed).
    bool tieneVentana() const;
    // The tip is on the screen right now.
    bool visible() const;
    // The tip window, for placement checks and pictures; null when none.
    QWidget *ventana() const;
    // Where the stem touches, in screen coordinates, and how the body lies.
    ColocacionGlobo colocacion() const { return colocacion_; }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void vigilar(QWidget *dueno);
    void dejarDeVigilar();
    void actualizar();
    void colocar();
    bool puedeVerse() const;
    void cargarContenido();

    int visibleTime_ = 5000;
    int delayTime_ = 500;
    int icon_ = 0;
    QColor foreColor_;
    QColor backColor_;
    QString title_;
    QString tipText_;
    int style_ = 0;
    bool centered_ = false;
    bool popupOnDemand_ = false;

    QPointer<GloboVentana> globo_;
    QPointer<QWidget> dueno_;      // the tool
    QPointer<QWidget> duenoPunto_; // the widget Show's point is relative to
    QList<QPointer<QWidget>> vigilados_;
    QPoint punto_;          // Show's point, relative to duenoPunto_
    bool activo_ = false;   // the tip is up (it may be hidden for a while)
    bool porRaton_ = false; // shown by the mouse rather than by Show
    ColocacionGlobo colocacion_;
    QTimer demora_;
    QTimer duracion_;
};

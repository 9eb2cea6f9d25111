// Every window of the program, built with the fonts it asks for: no caption of a
// label, button or check box may be wider than what its control shows (the test
// command runs this again at the scales of laptop screens, QT_SCALE_FACTOR), and
// under a dark palette every caption stays readable on what lies behind it. Every
// picture they show is drawn for the screen's ratio, not a smaller bitmap enlarged.
#include "agenda/frmagenda.h"
#include "agenda/frmcontacto.h"
#include "agenda/principalagenda.h"
#include "agenda/registrocontacto.h"
#include "asistente/frmasistente1.h"
#include "comando/controlesactualizar.h"
#include "comando/frmactualizar.h"
#include "comun/claves.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "dobles/vistawebguion.h"
#include "envio/frmverificacion.h"
#include "envio/frmverificacionmovilnet.h"
#include "envio/frmverificacionpersonal.h"
#include "envio/mensajesaliente.h"
#include "historial/frmhistorial.h"
#include "historial/principalhistorial.h"
#include "mejoras/frmabreviaturanueva.h"
#include "mejoras/frmabreviaturas.h"
#include "mejoras/frmpreferencias.h"
#include "plataforma/colores.h"
#include "plataforma/fuentes.h"
#include "plataforma/imagenes.h"
#include "plataforma/teclado.h"
#include "shell/frmacercadentx.h"
#include "shell/frmbrowser.h"
#include "shell/frmdialog.h"
#include "shell/frmsplash.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <memory>

namespace {

class Principal final : public PrincipalAgenda, public PrincipalHistorial, public VentanaPreferencias
{
public:
    void NuevoContacto() override {}
    bool ModificarContacto(const QString &, const QString &, const QString &, const QString &) override
    {
        return false;
    }
    void EscribirAContacto(const QString &, const QString &, const QString &, const QString &) override {}
    void ActualizarAgenda() override {}
    void IniciarPanelContactos() override {}
    QWidget *ventana() override { return nullptr; }
    bool escrituraVisible() const override { return true; }
    void reenviar(const QString &, const QString &) override {}
    void enfocarDestino() override {}
    bool historialPermanente() const override { return false; }
    void ponerHistorialPermanente(bool) override {}
};

struct Entorno
{
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos;
    Principal principal;
    Contexto ctx{ajustes,      dialogos,
                 sistema,      instancia,
                 avisos,       [](QWidget *padre) { return static_cast<VistaWeb *>(new VistaWebGuion(padre)); },
                 Direcciones{}};
    MensajeSaliente mensaje;
    Entorno()
    {
        mensaje.ProveedorActual = QStringLiteral("Argentina - Claro");
        mensaje.destinatario.nombre = QStringLiteral("Juan");
        mensaje.destinatario.agendado = true;
    }
};

using Fabrica = std::function<QWidget *(Entorno &)>;

// The window `fabrica` builds, shown and exposed; null when it never shows.
std::unique_ptr<QWidget> Mostrada(const Fabrica &fabrica, Entorno &e)
{
    std::unique_ptr<QWidget> ventana(fabrica(e));
    ventana->show();
    if (!QTest::qWaitForWindowExposed(ventana.get()))
        return nullptr;
    QCoreApplication::processEvents();
    return ventana;
}

// A dark theme as desktops give it: Fusion's roles with light letters on dark grey.
QPalette PaletaOscura()
{
    QPalette p;
    const QColor oscuro(53, 53, 53);
    p.setColor(QPalette::Window, oscuro);
    p.setColor(QPalette::WindowText, QColor(235, 235, 235));
    p.setColor(QPalette::Base, QColor(35, 35, 35));
    p.setColor(QPalette::AlternateBase, oscuro);
    p.setColor(QPalette::Text, QColor(235, 235, 235));
    p.setColor(QPalette::Button, oscuro);
    p.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    p.setColor(QPalette::ToolTipBase, QColor(25, 25, 25));
    p.setColor(QPalette::ToolTipText, QColor(235, 235, 235));
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    // Dark themes give the hint of an empty box a light grey too.
    p.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(127, 127, 127));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
    return p;
}

// What lies behind a control: the first of it and its parents that paints its own background.
QColor FondoDe(const QWidget *control)
{
    for (const QWidget *w = control; w; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    }
    return control->palette().color(QPalette::Window);
}

// The letters' colour: a colour written into a rich-text caption, or the palette's.
QColor LetrasDe(const QWidget *control)
{
    static const QRegularExpression enTexto(QStringLiteral("color:\\s*(#[0-9a-fA-F]{6})"));
    if (const auto *etiqueta = qobject_cast<const QLabel *>(control)) {
        const QRegularExpressionMatch m = enTexto.match(etiqueta->text());
        if (m.hasMatch())
            return QColor(m.captured(1));
    }
    return control->palette().color(control->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                    control->foregroundRole());
}

// A picture of `proporcion` device pixels per logical pixel that holds no more than
// a picture 1/proporcion its size: either blocks of equal pixels (enlarged without
// smoothing), or so smooth that halving and doubling it changes almost nothing (a
// picture drawn for its size has edges that this blurs). Compared premultiplied, so
// the colour of transparent pixels does not count.
bool PareceAmpliada(const QImage &imagen, qreal proporcion)
{
    const int n = qRound(proporcion);
    if (n < 2 || imagen.isNull())
        return false;
    const QImage a = imagen.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    bool enBloques = true;
    for (int y = 0; y < a.height() && enBloques; ++y)
        for (int x = 0; x < a.width() && enBloques; ++x)
            enBloques = a.pixel(x, y) == a.pixel(x - x % n, y - y % n);
    if (enBloques)
        return true;
    const QImage ida = a.scaled(a.size() / n, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .scaled(a.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int distintos = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = ida.pixel(x, y);
            const int d = qMax(qMax(qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q))),
                               qMax(qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q))));
            if (d > 48)
                ++distintos;
        }
    }
    return distintos * 100 < a.width() * a.height();
}

// Words of Qt's own English captions: a control named with them was left unnamed.
bool EnIngles(const QString &nombre)
{
    static const QStringList ingles = {
        QStringLiteral("ok"),     QStringLiteral("cancel"), QStringLiteral("close"),  QStringLiteral("apply"),
        QStringLiteral("yes"),    QStringLiteral("open"),   QStringLiteral("save"),   QStringLiteral("help"),
        QStringLiteral("scroll"), QStringLiteral("page"),   QStringLiteral("line"),   QStringLiteral("back"),
        QStringLiteral("select"), QStringLiteral("menu"),   QStringLiteral("file"),   QStringLiteral("edit"),
        QStringLiteral("delete"), QStringLiteral("search"), QStringLiteral("clear"),  QStringLiteral("new"),
        QStringLiteral("next"),   QStringLiteral("text"),   QStringLiteral("list"),   QStringLiteral("tree"),
        QStringLiteral("button"), QStringLiteral("name"),   QStringLiteral("number"), QStringLiteral("message")};
    static const QRegularExpression palabra(QStringLiteral("[A-Za-z]+"));
    static const QRegularExpression identificador(
        QStringLiteral("^(cmd|txt|lbl|cbo|chk|lst|lvw|opt|fra|img)[A-Z0-9_]"));
    if (identificador.match(nombre).hasMatch())
        return true;
    int palabras = 0, deIngles = 0;
    for (auto it = palabra.globalMatch(nombre); it.hasNext();) {
        ++palabras;
        deIngles += ingles.contains(it.next().captured().toLower()) ? 1 : 0;
    }
    return deIngles > 0 && deIngles * 2 >= palabras;
}

// The controls a Tab reaches, in the window's focus chain.
QList<QWidget *> CadenaDeTabulacion(QWidget *ventana)
{
    QList<QWidget *> cadena;
    for (QWidget *w = ventana->nextInFocusChain(); w && w != ventana; w = w->nextInFocusChain()) {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && w->window() == ventana &&
            !w->focusProxy())
            cadena << w;
    }
    return cadena;
}

// The letter after a single "&", lowered; none for "&&" or no mnemonic.
QChar Atajo(const QString &texto)
{
    for (qsizetype i = 0; i + 1 < texto.size(); ++i) {
        if (texto.at(i) != QLatin1Char('&'))
            continue;
        if (texto.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return texto.at(i + 1).toLower();
    }
    return {};
}

// Whether `b` comes after `a` reading the screen: below it, or beside it to the right.
bool DespuesAlLeer(const QRect &a, const QRect &b)
{
    constexpr int Holgura = 4;
    if (b.top() >= a.bottom() - Holgura)
        return true;
    if (b.bottom() <= a.top() + Holgura)
        return false;
    return b.left() >= a.left() - Holgura;
}

// The child of `comun` that holds `w`, and its place in the window.
QRect LugarBajo(const QWidget *w, const QWidget *comun)
{
    while (w->parentWidget() && w->parentWidget() != comun)
        w = w->parentWidget();
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

const QWidget *AncestroComun(const QWidget *a, const QWidget *b)
{
    for (const QWidget *x = a; x; x = x->parentWidget()) {
        if (x == b || x->isAncestorOf(b))
            return x;
    }
    return nullptr;
}

// Runs a check on the window as shown, then on every page of every tab strip.
void EnCadaPestana(QWidget *ventana, const std::function<void()> &revisar)
{
    revisar();
    const QList<QTabBar *> pestanas = ventana->findChildren<QTabBar *>();
    for (QTabBar *barra : pestanas) {
        for (int i = 0; i < barra->count(); ++i) {
            barra->setCurrentIndex(i);
            QCoreApplication::processEvents();
            revisar();
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(Fabrica)

class tst_textosvisibles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { PrepararFuentes(); }

    void textosEnteros_data()
    {
        QTest::addColumn<Fabrica>("fabrica");
        QTest::newRow("frmBrowser") << Fabrica([](Entorno &e) -> QWidget * {
            auto *v = new frmBrowser(e.ctx);
            // The composer's panels are shown once a provider is chosen.
            const QList<QWidget *> hijos = v->findChildren<QWidget *>();
            for (QWidget *w : hijos)
                w->setVisible(true);
            return v;
        });
        QTest::newRow("frmContacto") << Fabrica([](Entorno &e) -> QWidget * { return new frmContacto(e.ctx, [] {}); });
        QTest::newRow("frmAgenda") << Fabrica([](Entorno &e) -> QWidget * {
            // Two contacts, so the tree shows their names and picture.
            for (const QString &nombre : {QStringLiteral("Juan Pérez"), QStringLiteral("Ana")}) {
                QString registro;
                Agenda::EscribirRegistro(
                    {nombre, QStringLiteral("Argentina - Personal"), QStringLiteral("351"), QStringLiteral("5551234")},
                    &registro, nullptr);
                e.ajustes.escribir(SeccionAgenda, nombre, registro);
            }
            return new frmAgenda(e.ctx, e.principal);
        });
        QTest::newRow("frmHistorial") << Fabrica(
            [](Entorno &e) -> QWidget * { return new frmHistorial(e.ctx, e.principal); });
        QTest::newRow("frmPreferencias") << Fabrica(
            [](Entorno &e) -> QWidget * { return new frmPreferencias(e.ctx, e.principal); });
        QTest::newRow("frmAbreviaturas") << Fabrica(
            [](Entorno &e) -> QWidget * { return new frmAbreviaturas(e.ctx, [] {}); });
        QTest::newRow("frmAbreviaturaNueva")
            << Fabrica([](Entorno &e) -> QWidget * { return new frmAbreviaturaNueva(e.ctx); });
        QTest::newRow("frmVerificacion") << Fabrica(
            [](Entorno &e) -> QWidget * { return new frmVerificacion(e.ctx, e.mensaje); });
        QTest::newRow("frmVerificacionMovilnet")
            << Fabrica([](Entorno &e) -> QWidget * { return new frmVerificacionMovilnet(e.ctx, e.mensaje); });
        QTest::newRow("frmVerificacionPersonal") << Fabrica([](Entorno &e) -> QWidget * {
            auto *v = new frmVerificacionPersonal(e.ctx, e.mensaje, QStringLiteral("ntx"));
            // Enter on an empty code puts up the longer caption once the window is on screen.
            QTimer::singleShot(0, v, [v] {
                QTest::keyClick(ControlesFrmVerificacionPersonal::buscar(*v).txtVerificacion, Qt::Key_Return);
            });
            return v;
        });
        QTest::newRow("frmDialog") << Fabrica([](Entorno &e) -> QWidget * { return new frmDialog(e.ctx); });
        QTest::newRow("frmacercadentx") << Fabrica([](Entorno &e) -> QWidget * { return new frmacercadentx(e.ctx); });
        QTest::newRow("frmActualizar") << Fabrica([](Entorno &e) -> QWidget * { return new frmActualizar(e.ctx); });
        QTest::newRow("frmAsistente1") << Fabrica([](Entorno &e) -> QWidget * {
            return new frmAsistente1({e.ajustes, e.dialogos, e.sistema, e.instancia});
        });
        QTest::newRow("frmSplash") << Fabrica([](Entorno &e) -> QWidget * { return new frmSplash(e.ctx, {}, {}); });
    }

    void textosEnteros()
    {
        QFETCH(Fabrica, fabrica);
        Entorno e;
        const std::unique_ptr<QWidget> ventana = Mostrada(fabrica, e);
        QVERIFY(ventana);
        // At the scale asked for, or the run would prove nothing about it.
        const QByteArray escala = qgetenv("QT_SCALE_FACTOR");
        if (!escala.isEmpty())
            QCOMPARE(ventana->devicePixelRatioF(), escala.toDouble());
        QStringList cortados, deOtroSistema;
        const auto revisar = [&] {
            const QList<QWidget *> controles = ventana->findChildren<QWidget *>();
            for (const QWidget *control : controles) {
                if (!control->isVisible() ||
                    (!qobject_cast<const QLabel *>(control) && !qobject_cast<const QAbstractButton *>(control)))
                    continue;
                const auto *conTexto = qobject_cast<const QLabel *>(control);
                const QString texto =
                    conTexto ? conTexto->text() : qobject_cast<const QAbstractButton *>(control)->text();
                // The desktop is not named after another system ("área de notificación de Windows").
                if (texto.contains(QLatin1String("Windows")))
                    deOtroSistema << control->objectName() + QStringLiteral(" \"") + texto + QLatin1Char('"');
                const int falta = DesbordeDeTexto(control);
                if (falta > 0) {
                    const auto *etiqueta = qobject_cast<const QLabel *>(control);
                    const auto *boton = qobject_cast<const QAbstractButton *>(control);
                    cortados << QStringLiteral("%1 \"%2\" (%3 px)")
                                    .arg(control->objectName(), etiqueta ? etiqueta->text() : boton->text())
                                    .arg(falta);
                }
            }
        };
        revisar();
        // Every page of every tab strip, as the user would open them.
        const QList<QTabBar *> pestanas = ventana->findChildren<QTabBar *>();
        for (QTabBar *barra : pestanas) {
            for (int i = 0; i < barra->count(); ++i) {
                barra->setCurrentIndex(i);
                QCoreApplication::processEvents();
                revisar();
            }
        }
        cortados.removeDuplicates();
        QVERIFY2(cortados.isEmpty(), qPrintable(cortados.join(QStringLiteral("; "))));
        deOtroSistema.removeDuplicates();
        QVERIFY2(deOtroSistema.isEmpty(), qPrintable(deOtroSistema.join(QStringLiteral("; "))));
    }

    void textosLegibles_data() { textosEnteros_data(); }

    // Under a dark palette: no fixed light background under palette letters, no fixed
    // dark letters on the palette's background. NTX_CAPTURAS=<carpeta> keeps pictures.
    void textosLegibles()
    {
        QFETCH(Fabrica, fabrica);
        const QPalette antes = QApplication::palette();
        QApplication::setPalette(PaletaOscura());
        const auto restaurar = qScopeGuard([&antes] { QApplication::setPalette(antes); });
        Entorno e;
        const std::unique_ptr<QWidget> ventana = Mostrada(fabrica, e);
        QVERIFY(ventana);
        QStringList ilegibles;
        const QList<QWidget *> controles = ventana->findChildren<QWidget *>();
        for (const QWidget *control : controles) {
            const auto *etiqueta = qobject_cast<const QLabel *>(control);
            const auto *boton = qobject_cast<const QAbstractButton *>(control);
            if (!control->isVisible() || (!etiqueta && !boton))
                continue;
            const QString texto = etiqueta ? etiqueta->text() : boton->text();
            if (texto.isEmpty() || (etiqueta && !etiqueta->pixmap().isNull()))
                continue;
            // A push button paints its own face from the palette; its caption is on that.
            const QColor fondo = qobject_cast<const QPushButton *>(control) ? control->palette().color(QPalette::Button)
                                                                            : FondoDe(control);
            const double contraste = Contraste(LetrasDe(control), fondo);
            // Disabled captions are meant to be faint; the rest must read.
            if (contraste < (control->isEnabled() ? 3.0 : 1.5))
                ilegibles << QStringLiteral("%1 \"%2\" (%3 sobre %4)")
                                 .arg(control->objectName(), texto, LetrasDe(control).name(), fondo.name());
        }
        const QString carpeta = qEnvironmentVariable("NTX_CAPTURAS");
        if (!carpeta.isEmpty() && QDir().mkpath(carpeta))
            ventana->grab().save(carpeta + QLatin1Char('/') + QLatin1String(QTest::currentDataTag()) +
                                 QStringLiteral("-oscuro.png"));
        QVERIFY2(ilegibles.isEmpty(), qPrintable(ilegibles.join(QStringLiteral("; "))));
    }

    void imagenesNitidas_data() { textosEnteros_data(); }

    // The pictures of labels (drawn by the window for its screen) at the window's ratio;
    // the icons of buttons and tool buttons, and the window's own, at ratio 2 in any
    // run: each with the device pixels of its size, drawn for them.
    void imagenesNitidas()
    {
        QFETCH(Fabrica, fabrica);
        Entorno e;
        const std::unique_ptr<QWidget> ventana = Mostrada(fabrica, e);
        QVERIFY(ventana);
        const qreal proporcion = ventana->devicePixelRatioF();
        QStringList borrosas;
        int vistas = 0;
        const auto revisar = [&](const QString &cual, const QPixmap &imagen, const QSize &tamano, qreal r) {
            ++vistas;
            if (imagen.size() != tamano * r || !qFuzzyCompare(imagen.devicePixelRatio(), r) ||
                PareceAmpliada(imagen.toImage(), r))
                borrosas << QStringLiteral("%1 (%2x%3 a %4)")
                                .arg(cual)
                                .arg(imagen.width())
                                .arg(imagen.height())
                                .arg(imagen.devicePixelRatio());
        };
        const QList<QLabel *> etiquetas = ventana->findChildren<QLabel *>();
        for (const QLabel *etiqueta : etiquetas) {
            if (!etiqueta->isVisible() || etiqueta->pixmap().isNull())
                continue;
            const QPixmap imagen = etiqueta->pixmap();
            revisar(QLatin1String(etiqueta->metaObject()->className()) + QLatin1Char(' ') + etiqueta->objectName(),
                    imagen, imagen.deviceIndependentSize().toSize(), proporcion);
        }
        const QList<QAbstractButton *> botones = ventana->findChildren<QAbstractButton *>();
        for (const QAbstractButton *boton : botones) {
            // Qt's own buttons (a search box's clear button, a bar's overflow arrow) show
            // the style's pictures, not the program's.
            if (!boton->isVisible() || boton->icon().isNull() || boton->objectName().startsWith(QLatin1String("qt_")) ||
                boton->inherits("QLineEditIconButton"))
                continue;
            revisar(QLatin1String(boton->metaObject()->className()) + QLatin1Char(' ') + boton->objectName() +
                        QLatin1Char(' ') + boton->text(),
                    boton->icon().pixmap(boton->iconSize(), 2.0), boton->iconSize(), 2.0);
        }
        // The pictures of the items of a tree (the contacts).
        const QList<QTreeWidget *> arboles = ventana->findChildren<QTreeWidget *>();
        for (const QTreeWidget *arbol : arboles) {
            const QSize lado = arbol->iconSize().isValid() ? arbol->iconSize() : QSize(16, 16);
            for (int i = 0; arbol->isVisible() && i < arbol->topLevelItemCount(); ++i) {
                const QIcon icono = arbol->topLevelItem(i)->icon(0);
                if (!icono.isNull())
                    revisar(arbol->objectName() + QLatin1Char(' ') + arbol->topLevelItem(i)->text(0),
                            icono.pixmap(lado, 2.0), lado, 2.0);
            }
        }
        if (!ventana->windowIcon().isNull() && ventana->windowIcon().cacheKey() != QIcon().cacheKey()) {
            revisar(QStringLiteral("icono de la ventana"), ventana->windowIcon().pixmap(QSize(32, 32), 2.0),
                    QSize(32, 32), 2.0);
        }
        const QString carpeta = qEnvironmentVariable("NTX_CAPTURAS");
        if (!carpeta.isEmpty() && QDir().mkpath(carpeta))
            ventana->grab().save(carpeta + QLatin1Char('/') + QLatin1String(QTest::currentDataTag()) +
                                 QStringLiteral("-escala%1.png").arg(proporcion));
        borrosas.removeDuplicates();
        QVERIFY2(borrosas.isEmpty(), qPrintable(borrosas.join(QStringLiteral("; "))));
        // The windows that show pictures of the program: none of them went unchecked.
        static const QStringList conImagenes = {QStringLiteral("frmBrowser"),    QStringLiteral("frmSplash"),
                                                QStringLiteral("frmAsistente1"), QStringLiteral("frmacercadentx"),
                                                QStringLiteral("frmDialog"),     QStringLiteral("frmAgenda")};
        if (conImagenes.contains(QLatin1String(QTest::currentDataTag())))
            QVERIFY(vistas > 0);
    }

    // The check itself: the program's picture enlarged from its half size, smoothly or
    // not, is caught; drawn for ratio 2 it is not.
    void detectaUnaImagenAmpliada()
    {
        const QString ruta = QStringLiteral(":/iconos/ntx.svg");
        const QImage chica = QIcon(ruta).pixmap(QSize(32, 32), 1.0).toImage();
        QCOMPARE(chica.size(), QSize(32, 32));
        QVERIFY(PareceAmpliada(chica.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), 2.0));
        QVERIFY(PareceAmpliada(chica.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation), 2.0));
        const QPixmap nitida = QIcon(ruta).pixmap(QSize(32, 32), 2.0);
        QCOMPARE(nitida.size(), QSize(64, 64));
        QVERIFY(!PareceAmpliada(nitida.toImage(), 2.0));
        // The helper the windows use draws for the ratio of the window's screen.
        QWidget ventana;
        const QPixmap dePrograma = ImagenNitida(ruta, QSize(96, 96), &ventana);
        QCOMPARE(dePrograma.deviceIndependentSize().toSize(), QSize(96, 96));
        QCOMPARE(dePrograma.devicePixelRatio(), ventana.devicePixelRatioF());
        // Every picture of the program is there and draws.
        for (const QString &imagen :
             {QStringLiteral(":/barra/inicio.svg"), QStringLiteral(":/barra/enviados.svg"),
              QStringLiteral(":/barra/agenda.svg"), QStringLiteral(":/iconos/contacto.svg"),
              QStringLiteral(":/iconos/informacion.svg"), QStringLiteral(":/estado/1.svg"),
              QStringLiteral(":/estado/2.svg"), QStringLiteral(":/estado/3.svg"), QStringLiteral(":/estado/4.svg"),
              QStringLiteral(":/estado/5.svg"), QStringLiteral(":/estado/6.svg")}) {
            const QPixmap p = QIcon(imagen).pixmap(QSize(16, 16), 2.0);
            QVERIFY2(p.size() == QSize(32, 32), qPrintable(imagen));
            QVERIFY2(!PareceAmpliada(p.toImage(), 2.0), qPrintable(imagen));
        }
    }

    void nombresAccesibles_data() { textosEnteros_data(); }

    // What a screen reader says for each control Tab reaches: a Spanish name, its own in the window.
    void nombresAccesibles()
    {
        QFETCH(Fabrica, fabrica);
        Entorno e;
        const std::unique_ptr<QWidget> ventana = Mostrada(fabrica, e);
        QVERIFY(ventana);
        if (qobject_cast<frmSplash *>(ventana.get()))
            QSKIP("la presentación no tiene controles");
        QStringList fallas;
        const auto revisar = [&] {
            QHash<QString, QString> vistos;
            const QList<QWidget *> cadena = CadenaDeTabulacion(ventana.get());
            if (cadena.isEmpty())
                fallas << QStringLiteral("nada alcanzable con Tab");
            for (QWidget *control : cadena) {
                QAccessibleInterface *ia = QAccessible::queryAccessibleInterface(control);
                const QString nombre = ia ? ia->text(QAccessible::Name).trimmed() : QString();
                if (nombre.isEmpty())
                    fallas << control->objectName() + QStringLiteral(" sin nombre");
                else if (EnIngles(nombre))
                    fallas << control->objectName() + QStringLiteral(" en inglés: ") + nombre;
                else if (vistos.contains(nombre))
                    fallas << control->objectName() + QStringLiteral(" repite «") + nombre + QStringLiteral("» de ") +
                                  vistos.value(nombre);
                vistos.insert(nombre, control->objectName());
            }
        };
        EnCadaPestana(ventana.get(), revisar);
        fallas.removeDuplicates();
        QVERIFY2(fallas.isEmpty(), qPrintable(fallas.join(QStringLiteral("; "))));
    }

    void atajosDistintos_data() { textosEnteros_data(); }

    // Alt and a letter reaches one control of the window, and one menu of its bar.
    void atajosDistintos()
    {
        QFETCH(Fabrica, fabrica);
        Entorno e;
        const std::unique_ptr<QWidget> ventana = Mostrada(fabrica, e);
        QVERIFY(ventana);
        QHash<QChar, QString> usados;
        QStringList repetidos;
        const auto anotar = [&](const QString &texto, const QString &quien) {
            const QChar letra = Atajo(texto);
            if (letra.isNull())
                return;
            if (usados.contains(letra))
                repetidos << QStringLiteral("%1: «%2» y «%3»").arg(letra, usados.value(letra), quien);
            usados.insert(letra, quien);
        };
        const auto revisar = [&] {
            usados.clear();
            const QList<QWidget *> controles = ventana->findChildren<QWidget *>();
            for (const QWidget *control : controles) {
                if (!control->isVisible())
                    continue;
                if (const auto *boton = qobject_cast<const QAbstractButton *>(control))
                    anotar(boton->text(), boton->text());
                else if (const auto *etiqueta = qobject_cast<const QLabel *>(control); etiqueta && etiqueta->buddy())
                    anotar(etiqueta->text(), etiqueta->text());
                else if (const auto *grupo = qobject_cast<const QGroupBox *>(control); grupo && grupo->isCheckable())
                    anotar(grupo->title(), grupo->title());
                else if (const auto *barra = qobject_cast<const QTabBar *>(control)) {
                    for (int i = 0; i < barra->count(); ++i)
                        anotar(barra->tabText(i), barra->tabText(i));
                }
            }
            if (const auto *barraMenus = ventana->findChild<QMenuBar *>()) {
                const QList<QAction *> menus = barraMenus->actions();
                for (const QAction *menu : menus)
                    anotar(menu->text(), menu->text());
            }
        };
        EnCadaPestana(ventana.get(), revisar);
        repetidos.removeDuplicates();
        QVERIFY2(repetidos.isEmpty(), qPrintable(repetidos.join(QStringLiteral("; "))));
    }

    void escapeCancela_data() { textosEnteros_data(); }

    // Escape does what the window's cancel or close button does: the dialog goes away.
    void escapeCancela()
    {
        QFETCH(Fabrica, fabrica);
        Entorno e;
        std::unique_ptr<QWidget> ventana(fabrica(e));
        if (qobject_cast<frmSplash *>(ventana.get()))
            QSKIP("la presentación se cierra sola");
        if (qobject_cast<frmBrowser *>(ventana.get()))
            QSKIP("la ventana principal no se cierra con Escape");
        ventana->show();
        QApplication::setActiveWindow(ventana.get());
        QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
        QWidget *foco = QApplication::focusWidget() ? QApplication::focusWidget() : ventana.get();
        if (auto *actualizar = qobject_cast<frmActualizar *>(ventana.get())) {
            // Its cancel button asks the download to stop; Escape presses it.
            QSignalSpy pulsado(ControlesActualizar::buscar(*actualizar).cmdCancelar, &QPushButton::clicked);
            QTest::keyClick(foco, Qt::Key_Escape);
            QTRY_COMPARE(pulsado.size(), 1);
            return;
        }
        if (qobject_cast<frmAsistente1 *>(ventana.get())) {
            // Its one button, "Cerrar", saves and ends the wizard.
            QTest::keyClick(foco, Qt::Key_Escape);
            QTRY_COMPARE(e.sistema.terminaciones.size(), 1);
            return;
        }
        QTest::keyClick(foco, Qt::Key_Escape);
        QTRY_VERIFY2(!ventana->isVisible(), qPrintable(foco->objectName()));
    }

    void ordenDeTabulacion_data() { textosEnteros_data(); }

    // Tab follows the screen: left to right, top to bottom, a panel before the next one.
    void ordenDeTabulacion()
    {
        QFETCH(Fabrica, fabrica);
        Entorno e;
        const std::unique_ptr<QWidget> ventana = Mostrada(fabrica, e);
        QVERIFY(ventana);
        QStringList fuera;
        EnCadaPestana(ventana.get(), [&] {
            // A cycle: one step goes back to the top (from the last control to the first).
            const QList<QWidget *> cadena = CadenaDeTabulacion(ventana.get());
            QStringList atras;
            for (qsizetype i = 0; i < cadena.size(); ++i) {
                const QWidget *a = cadena.at(i);
                const QWidget *b = cadena.at((i + 1) % cadena.size());
                const QWidget *comun = AncestroComun(a, b);
                if (!DespuesAlLeer(LugarBajo(a, comun), LugarBajo(b, comun)))
                    atras << a->objectName() + QStringLiteral(" → ") + b->objectName();
            }
            if (atras.size() > 1)
                fuera << atras;
        });
        fuera.removeDuplicates();
        QVERIFY2(fuera.isEmpty(), qPrintable(fuera.join(QStringLiteral("; "))));
    }

    void focoVisible_data()
    {
        QTest::addColumn<QString>("estilo");
        QTest::addColumn<QString>("control");
        const QStringList estilos = QStyleFactory::keys();
        for (const QString &estilo : estilos) {
            for (const char *control : {"lista", "botón", "casilla", "caja", "enlace", "botón de barra"})
                QTest::addRow("%s, %s", qPrintable(estilo), control) << estilo << QString::fromUtf8(control);
        }
    }

    // The focus shows however it came (a window opening, a click), in every style Qt offers.
    void focoVisible()
    {
        QFETCH(QString, estilo);
        QFETCH(QString, control);
        const QString antes = QApplication::style()->name();
        QApplication::setStyle(new EstiloFocoVisible(estilo));
        const auto restaurar = qScopeGuard([&antes] { QApplication::setStyle(QStyleFactory::create(antes)); });
        QWidget ventana;
        QWidget *probado = nullptr;
        if (control == QLatin1String("lista")) {
            auto *lista = new QTreeWidget(&ventana);
            lista->setHeaderHidden(true);
            for (const char *texto : {"Ana", "Beto"})
                new QTreeWidgetItem(lista, {QString::fromUtf8(texto)});
            lista->setCurrentItem(lista->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
            probado = lista;
        } else if (control == QLatin1String("botón")) {
            probado = new QPushButton(QStringLiteral("&Limpiar"), &ventana);
        } else if (control == QLatin1String("casilla")) {
            probado = new QCheckBox(QStringLiteral("Activar LenguajeMate"), &ventana);
        } else if (control == QLatin1String("botón de barra")) {
            auto *boton = new QToolButton(&ventana);
            boton->setText(QStringLiteral("Inicio"));
            boton->setAutoRaise(true);
            boton->setFocusPolicy(Qt::TabFocus);
            probado = boton;
        } else if (control == QLatin1String("caja")) {
            probado = new QLineEdit(QStringLiteral("351"), &ventana);
        } else {
            auto *enlace = new QLabel(QStringLiteral("Detectar proveedor"), &ventana);
            HacerEnlaceDeTeclado(enlace, QStringLiteral("Busca el proveedor"));
            probado = enlace;
        }
        probado->setGeometry(10, 10, 160, 60);
        auto *otro = new QLineEdit(&ventana);
        otro->setGeometry(10, 80, 160, 24);
        ventana.resize(180, 110);
        ventana.show();
        QApplication::setActiveWindow(&ventana);
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        otro->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(otro->hasFocus());
        const QImage sinFoco = probado->grab().toImage();
        probado->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(probado->hasFocus());
        QVERIFY2(probado->grab().toImage() != sinFoco, "el foco no se ve");
        // After a click too, which styles leave unmarked.
        otro->setFocus(Qt::OtherFocusReason);
        QTest::mouseClick(probado, Qt::LeftButton, {}, QPoint(probado->width() - 4, probado->height() - 4));
        if (probado->hasFocus())
            QVERIFY2(probado->grab().toImage() != sinFoco, "el foco no se ve tras un clic");
    }

    void colorLegible_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QColor>("fondo");
        QTest::addColumn<bool>("igual");
        QTest::newRow("azul sobre blanco") << QColor(0, 0, 255) << QColor(Qt::white) << true;
        QTest::newRow("azul marino sobre gris claro") << QColor(0, 0, 128) << QColor(240, 240, 240) << true;
        QTest::newRow("azul sobre gris oscuro") << QColor(0, 0, 255) << QColor(53, 53, 53) << false;
        QTest::newRow("azul marino sobre negro") << QColor(0, 0, 128) << QColor(Qt::black) << false;
        QTest::newRow("gris sobre gris oscuro") << QColor(90, 90, 90) << QColor(53, 53, 53) << false;
        QTest::newRow("claro sobre oscuro ya legible") << QColor(200, 200, 255) << QColor(53, 53, 53) << true;
    }

    // Kept on light backgrounds; on dark ones lightened to a readable contrast, same hue.
    void colorLegible()
    {
        QFETCH(QColor, color);
        QFETCH(QColor, fondo);
        QFETCH(bool, igual);
        const QColor legible = ColorLegible(color, fondo);
        QCOMPARE(legible == color, igual);
        QVERIFY2(Contraste(legible, fondo) >= 3.0, qPrintable(legible.name()));
        if (!igual && color.hslHue() >= 0)
            QCOMPARE(legible.hslHue(), color.hslHue());
    }

    // The check itself: a caption one letter too long for its label is caught.
    void detectaUnTextoCortado()
    {
        QWidget padre;
        auto *etiqueta = new QLabel(QStringLiteral("Detectar proveedor"), &padre);
        etiqueta->resize(etiqueta->fontMetrics().horizontalAdvance(etiqueta->text()) - 1, 20);
        auto *vecino = new QLabel(QStringLiteral("x"), &padre);
        vecino->setGeometry(etiqueta->width(), 0, 20, 20);
        QCOMPARE(DesbordeDeTexto(etiqueta), 1);
        // With a neighbour right beside it there is no room to grow; without one it grows.
        AjustarTextos(&padre);
        QCOMPARE(DesbordeDeTexto(etiqueta), 1);
        delete vecino;
        AjustarTextos(&padre);
        QCOMPARE(DesbordeDeTexto(etiqueta), 0);
        etiqueta->setWordWrap(true);
        etiqueta->resize(10, 20);
        QCOMPARE(DesbordeDeTexto(etiqueta), 0);
    }
};

QTEST_MAIN(tst_textosvisibles)
#include "tst_textosvisibles.moc"

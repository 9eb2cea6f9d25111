// The balloon tool tip: where it goes near the screen's edges, that it never takes
// the focus, and that it hides with its control or window and follows the window.
#include "plataforma/cballoontooltip.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A window with a text box (where the user types) and a button the tip points at.
struct Ventana
{
    QWidget w;
    QLineEdit *caja;
    QPushButton *boton;

    Ventana()
    {
        w.setWindowTitle(QStringLiteral("prueba"));
        auto *l = new QVBoxLayout(&w);
        caja = new QLineEdit(&w);
        boton = new QPushButton(QStringLiteral("Agendar"), &w);
        l->addWidget(caja);
        l->addWidget(boton);
        w.setGeometry(100, 100, 240, 120);
    }

    bool mostrar()
    {
        w.show();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            return false;
        // The offscreen platform keeps its focus window through a hide, so the
        // widgets never hear of the activation again: tell them, as a desktop would.
        if (QApplication::activeWindow() != &w)
            QApplication::setActiveWindow(&w);
        caja->setFocus();
        return QTest::qWaitFor([this] { return caja->hasFocus() && QApplication::activeWindow() == &w; });
    }
};

void prepararGlobo(CBalloonToolTip &globo)
{
    globo.setStyle(1);
    globo.setIcon(1);
    globo.setPopupOnDemand(true);
    globo.setTitle(QStringLiteral("Agende al contacto"));
    globo.setTipText(QStringLiteral("Haga clic aquí para agendar a este contacto"));
}

} // namespace

class tst_CBalloonToolTip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colocacion_data()
    {
        QTest::addColumn<QPoint>("punto");
        QTest::addColumn<QSize>("tamano");
        QTest::addColumn<bool>("centrado");
        QTest::addColumn<int>("pico");
        QTest::addColumn<bool>("picoArriba");
        QTest::addColumn<QRect>("cuerpo");
        QTest::addColumn<int>("basePico");

        const QSize t(200, 60);
        // Screen 0,0 800x600. Stem 14 long; its foot sits 20 px right of the body's
        // left edge, and never closer than 10 px to either end (the rounded corners).
        QTest::newRow("en medio: debajo y a la derecha")
            << QPoint(300, 200) << t << false << 14 << true << QRect(280, 214, 200, 60) << 20;
        QTest::newRow("borde inferior: encima")
            << QPoint(300, 560) << t << false << 14 << false << QRect(280, 486, 200, 60) << 20;
        // Pushed left by the right edge, the foot moves to the body's right part.
        QTest::newRow("borde derecho: corrido a la izquierda")
            << QPoint(790, 200) << t << false << 14 << true << QRect(600, 214, 200, 60) << 190;
        QTest::newRow("borde izquierdo") << QPoint(5, 200) << t << false << 14 << true << QRect(0, 214, 200, 60) << 10;
        QTest::newRow("esquina inferior derecha")
            << QPoint(799, 599) << t << false << 14 << false << QRect(600, 525, 200, 60) << 190;
        QTest::newRow("centrado") << QPoint(400, 100) << t << true << 14 << true << QRect(300, 114, 200, 60) << 100;
        QTest::newRow("rectangular: arriba a la izquierda en el punto")
            << QPoint(300, 200) << t << false << 0 << true << QRect(300, 200, 200, 60) << 10;
        // Neither above nor below fits: kept inside from the top.
        QTest::newRow("más alto que la pantalla")
            << QPoint(300, 300) << QSize(200, 700) << false << 14 << true << QRect(280, 0, 200, 700) << 20;
        QTest::newRow("punto fuera de la pantalla")
            << QPoint(-50, -40) << t << false << 14 << true << QRect(0, 0, 200, 60) << 10;
    }

    void colocacion()
    {
        QFETCH(QPoint, punto);
        QFETCH(QSize, tamano);
        QFETCH(bool, centrado);
        QFETCH(int, pico);
        QFETCH(bool, picoArriba);
        QFETCH(QRect, cuerpo);
        QFETCH(int, basePico);
        const ColocacionGlobo c = ColocarGlobo(tamano, punto, QRect(0, 0, 800, 600), centrado, pico);
        QCOMPARE(c.cuerpo, cuerpo);
        QCOMPARE(c.picoArriba, picoArriba);
        QCOMPARE(c.punta, punto);
        QCOMPARE(c.basePico, basePico);
    }

    void sinDuenoNoHayVentana()
    {
        CBalloonToolTip globo;
        QVERIFY(!globo.CreateToolTip(nullptr));
        QVERIFY(!globo.tieneVentana());
        globo.Show(0, 0, nullptr);
        QVERIFY(!globo.visible());
        globo.Destroy();
        globo.Destroy();
        QVERIFY(!globo.tieneVentana());
    }

    void aDemandaSinRobarElFoco()
    {
        Ventana v;
        QVERIFY(v.mostrar());
        CBalloonToolTip globo;
        prepararGlobo(globo);
        QVERIFY(globo.CreateToolTip(v.boton));
        QVERIFY(!globo.visible()); // on demand: nothing until Show
        globo.Show(0, v.boton->height() - 1, v.boton);
        QVERIFY(globo.visible());
        QVERIFY(globo.ventana()->windowFlags().testFlag(Qt::ToolTip));
        QVERIFY(globo.ventana()->testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(globo.ventana()->focusPolicy(), Qt::NoFocus);
        QCoreApplication::processEvents();
        QVERIFY(v.caja->hasFocus());
        QCOMPARE(QApplication::activeWindow(), &v.w);
        // The stem touches the point given, and the window covers it.
        const QPoint punto = v.boton->mapToGlobal(QPoint(0, v.boton->height() - 1));
        QCOMPARE(globo.colocacion().punta, punto);
        QVERIFY(globo.ventana()->geometry().contains(punto));
        QVERIFY(globo.colocacion().cuerpo.top() > punto.y());
        // Typing goes on in the text box.
        QTest::keyClicks(v.caja, QStringLiteral("hola"));
        QCOMPARE(v.caja->text(), QStringLiteral("hola"));
        QVERIFY(globo.visible());
        globo.Destroy();
        QVERIFY(!globo.tieneVentana());
    }

    void propiedadesAlVuelo()
    {
        Ventana v;
        QVERIFY(v.mostrar());
        CBalloonToolTip globo;
        prepararGlobo(globo);
        QVERIFY(globo.CreateToolTip(v.boton));
        globo.Show(0, 0, v.boton);
        const int ancho = globo.ventana()->width();
        const int alto = globo.ventana()->height();
        // The text is sent at once and the balloon grows with it.
        globo.setTipText(QStringLiteral("Un texto bastante más largo que el anterior, en una línea\r\ny otra"));
        QVERIFY(globo.ventana()->width() > ancho);
        QVERIFY(globo.ventana()->height() > alto);
        // A screen reader reads the same: the title as the name, the text as the description.
        QAccessibleInterface *leido = QAccessible::queryAccessibleInterface(globo.ventana());
        QCOMPARE(leido->text(QAccessible::Name), QStringLiteral("Agende al contacto"));
        QCOMPARE(leido->text(QAccessible::Description),
                 QStringLiteral("Un texto bastante más largo que el anterior, en una línea\ny otra"));
        QVERIFY(!leido->state().focusable);
        globo.setTitle(QString());
        globo.setTipText(QStringLiteral("Sólo texto"));
        QCOMPARE(leido->text(QAccessible::Name), QStringLiteral("Sólo texto"));
        // The shape takes effect at the next creation only.
        globo.setStyle(0);
        QCOMPARE(globo.colocacion().cuerpo.top(), globo.colocacion().punta.y() + 14);
        QVERIFY(globo.CreateToolTip(v.boton));
        globo.Show(0, 0, v.boton);
        QCOMPARE(globo.colocacion().cuerpo.topLeft(), globo.colocacion().punta);
    }

    void seOcultaConSuControl()
    {
        Ventana v;
        QVERIFY(v.mostrar());
        CBalloonToolTip globo;
        prepararGlobo(globo);
        QVERIFY(globo.CreateToolTip(v.boton));
        globo.Show(0, 10, v.boton);
        QVERIFY(globo.visible());
        v.boton->hide();
        QVERIFY(!globo.visible());
        QVERIFY(globo.tieneVentana());
        v.boton->show();
        QVERIFY(globo.visible());
    }

    void seOcultaConLaVentana()
    {
        Ventana v;
        QVERIFY(v.mostrar());
        CBalloonToolTip globo;
        prepararGlobo(globo);
        QVERIFY(globo.CreateToolTip(v.boton));
        globo.Show(0, 10, v.boton);
        QVERIFY(globo.visible());

        // Hidden in the notification area.
        v.w.hide();
        QVERIFY(!globo.visible());
        QVERIFY(v.mostrar());
        QTRY_VERIFY(globo.visible());

        // Minimised.
        v.w.showMinimized();
        QTRY_VERIFY(!globo.visible());
        v.w.showNormal();
        QVERIFY(v.mostrar());
        QTRY_VERIFY(globo.visible());

        // Another window (another program, or a dialog) comes to the front.
        QWidget otra;
        otra.setGeometry(400, 300, 100, 100);
        otra.show();
        otra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&otra));
        QTRY_VERIFY(!globo.visible());
        otra.hide();
        QVERIFY(v.mostrar());
        QTRY_VERIFY(globo.visible());
    }

    void sigueALaVentanaQueSeMueve()
    {
        Ventana v;
        QVERIFY(v.mostrar());
        CBalloonToolTip globo;
        prepararGlobo(globo);
        QVERIFY(globo.CreateToolTip(v.boton));
        globo.Show(0, 10, v.boton);
        const QPoint antes = globo.ventana()->pos();
        v.w.move(v.w.pos() + QPoint(30, 20));
        QTRY_COMPARE(globo.ventana()->pos(), antes + QPoint(30, 20));
        QCOMPARE(globo.colocacion().punta, v.boton->mapToGlobal(QPoint(0, 10)));
        QVERIFY(globo.visible());
    }

    void duenoDestruido()
    {
        auto *v = new Ventana;
        QVERIFY(v->mostrar());
        CBalloonToolTip globo;
        prepararGlobo(globo);
        QVERIFY(globo.CreateToolTip(v->boton));
        globo.Show(0, 10, v->boton);
        delete v;
        QVERIFY(!globo.tieneVentana());
        globo.Show(0, 10, nullptr);
        globo.Destroy();
    }

    void unClicLoCierra()
    {
        Ventana v;
        QVERIFY(v.mostrar());
        CBalloonToolTip globo;
        prepararGlobo(globo);
        QVERIFY(globo.CreateToolTip(v.boton));
        globo.Show(0, 10, v.boton);
        QTest::mouseClick(globo.ventana(), Qt::LeftButton, {},
                          QPoint(globo.ventana()->width() / 2, globo.ventana()->height() / 2));
        QVERIFY(!globo.visible());
        QVERIFY(v.caja->hasFocus());
    }

    void alPosarElRaton()
    {
        Ventana v;
        QVERIFY(v.mostrar());
        CBalloonToolTip globo;
        globo.setTitle(QStringLiteral("Título"));
        globo.setTipText(QStringLiteral("Texto"));
        globo.setDelayTime(1);
        globo.setVisibleTime(150);
        QVERIFY(globo.CreateToolTip(v.boton));
        QEvent entra(QEvent::Enter);
        QCoreApplication::sendEvent(v.boton, &entra);
        QTRY_VERIFY(globo.visible());
        // VisibleTime later it goes by itself.
        QTRY_VERIFY(!globo.visible());

        // Leaving the tool before the delay shows nothing.
        globo.setDelayTime(200);
        QVERIFY(globo.CreateToolTip(v.boton));
        QCoreApplication::sendEvent(v.boton, &entra);
        QEvent sale(QEvent::Leave);
        QCoreApplication::sendEvent(v.boton, &sale);
        QVERIFY(!globo.findChild<QTimer *>(QStringLiteral("demora"))->isActive());
        QVERIFY(!globo.visible());
    }

    void captura()
    {
        // Set NTX_CAPTURA to a folder, under a real X display, to look at a balloon
        // whose control sits in the screen's bottom-right corner: body above, stem flipped.
        const QString carpeta = qEnvironmentVariable("NTX_CAPTURA");
        if (carpeta.isEmpty())
            QSKIP("NTX_CAPTURA not set");
        Ventana v;
        const QRect pantalla = QGuiApplication::primaryScreen()->availableGeometry();
        v.w.move(pantalla.right() - 260, pantalla.bottom() - 150);
        QVERIFY(v.mostrar());
        CBalloonToolTip globo;
        prepararGlobo(globo);
        QVERIFY(globo.CreateToolTip(v.boton));
        globo.Show(v.boton->width() - 10, v.boton->height() - 1, v.boton);
        QVERIFY(globo.visible());
        QVERIFY(!globo.colocacion().picoArriba);
        QVERIFY(pantalla.contains(globo.colocacion().cuerpo));
        QVERIFY(QTest::qWaitForWindowExposed(globo.ventana()));
        const QRect zona = v.w.frameGeometry().united(globo.ventana()->geometry()).adjusted(-10, -10, 10, 10);
        QVERIFY(QGuiApplication::primaryScreen()
                    ->grabWindow(0, zona.x(), zona.y(), zona.width(), zona.height())
                    .save(carpeta + QStringLiteral("/globo_esquina.png")));
    }
};

QTEST_MAIN(tst_CBalloonToolTip)
#include "tst_cballoontooltip.moc"

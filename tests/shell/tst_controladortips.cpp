// The guided tips over a small window with the controls they point at: the steps
// "TTMostrado" leads to, the condition of each step, the removal that moves the
// tour on, a restart, and the tip never left floating.
#include "shell/controladortips.h"

#include "comun/claves.h"
#include "dobles/contextoprueba.h"
#include "envio/proveedores.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

const QString Ausente = QStringLiteral("<ausente>");

// The main window's part that the tips see, at the main window's places.
struct Ventana final : public VentanaTips
{
    QWidget w;
    QComboBox *cboAddress;
    QWidget *picEscritura;
    QPlainTextEdit *txtmsj;
    QPushButton *cmdAgendar;
    QPushButton *cmdAlEscritorio;
    QTimer timToolTips, timDestroyToolTips;

    Ventana()
    {
        w.setWindowTitle(QStringLiteral("NTX Mensajes"));
        w.setGeometry(40, 40, 734, 483);
        cboAddress = new QComboBox(&w);
        cboAddress->setGeometry(232, 24, 381, 21);
        for (const Proveedor &p : TablaProveedores())
            cboAddress->addItem(p.nombre);
        cboAddress->setCurrentIndex(-1);
        picEscritura = new QWidget(&w);
        picEscritura->setGeometry(0, 152, 734, 309);
        txtmsj = new QPlainTextEdit(picEscritura);
        txtmsj->setGeometry(34, 80, 344, 150);
        cmdAgendar = new QPushButton(QStringLiteral("Agendar"), picEscritura);
        cmdAgendar->setGeometry(576, 18, 58, 24);
        cmdAlEscritorio = new QPushButton(QStringLiteral("Al escritorio"), picEscritura);
        cmdAlEscritorio->setGeometry(636, 18, 66, 24);
        picEscritura->hide();
        timToolTips.setInterval(10000);
        timDestroyToolTips.setInterval(14000);
    }

    ControlesTips controles()
    {
        return {&timToolTips, &timDestroyToolTips, cboAddress, txtmsj, cmdAgendar, cmdAlEscritorio};
    }

    bool ventanaALaVista() const override { return w.isVisible() && !w.isMinimized(); }
    bool escrituraVisible() const override { return picEscritura->isVisible(); }

    bool mostrar()
    {
        w.show();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            return false;
        // The offscreen platform keeps its focus window through a hide: tell the widgets.
        if (QApplication::activeWindow() != &w)
            QApplication::setActiveWindow(&w);
        return QTest::qWaitFor([this] { return QApplication::activeWindow() == &w; });
    }

    void elegirProveedor()
    {
        cboAddress->setCurrentIndex(1);
        picEscritura->show();
    }
};

struct Banco
{
    ContextoPrueba p;
    Ventana v;
    ControladorTips tips{p.ctx, v, v.controles()};

    void ponerValor(const QString &valor)
    {
        if (valor == Ausente)
            BorrarClaveSiExiste(p.ajustes, Clave::TTMostrado);
        else
            EscribirClave(p.ajustes, Clave::TTMostrado, valor);
    }
    QString valor() const { return p.ajustes.leer(SeccionMensajes, NombreClave(Clave::TTMostrado), Ausente); }
    // The control the balloon points at, or null when none is up.
    QWidget *destino()
    {
        if (!tips.globo().visible())
            return nullptr;
        const QPoint punta = tips.globo().colocacion().punta;
        for (QWidget *w : {static_cast<QWidget *>(v.cboAddress), static_cast<QWidget *>(v.txtmsj),
                           static_cast<QWidget *>(v.cmdAgendar), static_cast<QWidget *>(v.cmdAlEscritorio)}) {
            if (w->mapToGlobal(QPoint(0, v.cboAddress->height() - 1)) == punta)
                return w;
        }
        return &v.w; // up, but pointing at none of them
    }
};

} // namespace

class tst_ControladorTips : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mostrarSiguiente_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<bool>("proveedor");
        QTest::addColumn<bool>("escritura");
        QTest::addColumn<bool>("agendar");      // cmdAgendar enabled
        QTest::addColumn<bool>("alEscritorio"); // cmdAlEscritorio shown and enabled
        QTest::addColumn<QString>("destino");   // objectName-like: which control, empty for none
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<bool>("reintenta"); // timToolTips on again

        const QString bienvenida = QStringLiteral("Bienvenido a NTX Mensajes");
        QTest::newRow("sin clave, sin proveedor")
            << Ausente << false << false << true << false << "cboAddress" << bienvenida << false;
        QTest::newRow("0") << "0" << false << false << true << false << "cboAddress" << bienvenida << false;
        QTest::newRow("vacío") << "" << false << false << true << false << "cboAddress" << bienvenida << false;
        QTest::newRow("texto") << "hola" << false << false << true << false << "cboAddress" << bienvenida << false;
        QTest::newRow("-1") << "-1" << false << false << true << false << "cboAddress" << bienvenida << false;
        QTest::newRow("bienvenida con proveedor ya elegido: espera un reinicio")
            << Ausente << true << true << true << false << ""
            << "" << false;
        QTest::newRow("1") << "1" << true << true << true << false << "txtmsj"
                           << "Escriba el mensaje" << false;
        QTest::newRow("1 sin proveedor") << "1" << false << false << true << false << ""
                                         << "" << true;
        QTest::newRow("1 con proveedor y sin compositor") << "1" << true << false << true << false << ""
                                                          << "" << true;
        QTest::newRow("2") << "2" << true << true << true << false << "cmdAgendar"
                           << "Agende al contacto" << false;
        QTest::newRow("2 con texto detrás") << "2abc" << true << true << true << false << "cmdAgendar"
                                            << "Agende al contacto" << false;
        QTest::newRow("2 con Agendar deshabilitado") << "2" << true << true << false << false << ""
                                                     << "" << true;
        QTest::newRow("3") << "3" << true << true << true << true << "cmdAlEscritorio"
                           << "¡Envíelo al escritorio!" << false;
        QTest::newRow("3 sin Al escritorio") << "3" << true << true << true << false << ""
                                             << "" << true;
        QTest::newRow("3 sin proveedor") << "3" << false << false << true << true << ""
                                         << "" << true;
        QTest::newRow("4: terminado") << "4" << false << false << true << true << ""
                                      << "" << false;
        QTest::newRow("7") << "7" << true << true << true << true << ""
                           << "" << false;
        QTest::newRow("99") << "99" << false << false << true << true << ""
                            << "" << false;
    }

    void mostrarSiguiente()
    {
        QFETCH(QString, valor);
        QFETCH(bool, proveedor);
        QFETCH(bool, escritura);
        QFETCH(bool, agendar);
        QFETCH(bool, alEscritorio);
        QFETCH(QString, destino);
        QFETCH(QString, titulo);
        QFETCH(bool, reintenta);

        Banco b;
        b.ponerValor(valor);
        QVERIFY(b.v.mostrar());
        if (proveedor)
            b.v.cboAddress->setCurrentIndex(0);
        b.v.picEscritura->setVisible(escritura);
        b.v.cmdAgendar->setEnabled(agendar);
        b.v.cmdAlEscritorio->setVisible(alEscritorio);
        b.v.cmdAlEscritorio->setEnabled(alEscritorio);
        b.v.timToolTips.start();

        b.tips.timToolTips_Timer();

        const QMap<QString, QWidget *> controles{{QStringLiteral("cboAddress"), b.v.cboAddress},
                                                 {QStringLiteral("txtmsj"), b.v.txtmsj},
                                                 {QStringLiteral("cmdAgendar"), b.v.cmdAgendar},
                                                 {QStringLiteral("cmdAlEscritorio"), b.v.cmdAlEscritorio}};
        QCOMPARE(b.destino(), controles.value(destino, nullptr));
        QCOMPARE(b.v.timDestroyToolTips.isActive(), !destino.isEmpty());
        QCOMPARE(b.v.timToolTips.isActive(), reintenta);
        // Showing never moves the tour on: that is the removal's job.
        QCOMPARE(b.valor(), valor);
        if (!destino.isEmpty()) {
            QCOMPARE(b.tips.globo().Title(), titulo);
            QCOMPARE(b.tips.globo().Icon(), 1);
            QCOMPARE(b.tips.globo().Style(), 1);
            QVERIFY(b.tips.globo().PopupOnDemand());
        }
    }

    void textosDeLosPasos()
    {
        Banco b;
        QVERIFY(b.v.mostrar());
        b.tips.timToolTips_Timer();
        QCOMPARE(b.tips.globo().TipText(), QStringLiteral("Para enviar un mensaje elija un proveedor de esta lista"));
        b.v.elegirProveedor();
        b.ponerValor(QStringLiteral("1"));
        b.tips.timToolTips_Timer();
        QCOMPARE(b.tips.globo().TipText(),
                 QStringLiteral("Ingrese el número de teléfono, su nombre,\r\nescriba el mensaje y presione Enviar"));
        b.ponerValor(QStringLiteral("2"));
        b.tips.timToolTips_Timer();
        QCOMPARE(b.tips.globo().TipText(), QStringLiteral("Haga clic aquí para agendar a este contacto"));
        b.ponerValor(QStringLiteral("3"));
        b.tips.timToolTips_Timer();
        QCOMPARE(b.tips.globo().TipText(),
                 QStringLiteral("Puede guardar este contacto en el escritorio con este botón.\r\nHaga "
                                "doble clic en el contacto en el escritorio para enviarle un mensaje."));
    }

    void quitarYAvanzar_data()
    {
        QTest::addColumn<QString>("antes");
        QTest::addColumn<QString>("despues");
        QTest::addColumn<bool>("siguiente"); // timToolTips on for the next step

        QTest::newRow("sin clave") << Ausente << "1" << true;
        QTest::newRow("0") << "0"
                           << "1" << true;
        QTest::newRow("texto") << "hola"
                               << "1" << true;
        QTest::newRow("-1") << "-1"
                            << "1" << true;
        QTest::newRow("1") << "1"
                           << "2" << true;
        QTest::newRow("2") << "2"
                           << "3" << true;
        QTest::newRow("3") << "3"
                           << "4" << false;
        QTest::newRow("4") << "4"
                           << "4" << false;
        QTest::newRow("7") << "7"
                           << "0" << false;
        QTest::newRow("99") << "99"
                            << "0" << false;
    }

    void quitarYAvanzar()
    {
        QFETCH(QString, antes);
        QFETCH(QString, despues);
        QFETCH(bool, siguiente);

        Banco b;
        QVERIFY(b.v.mostrar());
        // A tip is up (the welcome one); the key then says anything at all, as when
        // it is changed (or the notices reset) while the tip is up.
        b.tips.timToolTips_Timer();
        QVERIFY(b.tips.globo().visible());
        b.ponerValor(antes);

        b.tips.timDestroyToolTips_Timer();

        QCOMPARE(b.valor(), despues);
        QCOMPARE(b.v.timToolTips.isActive(), siguiente);
        QVERIFY(!b.v.timDestroyToolTips.isActive());
        // Whatever the value, no balloon is left behind.
        QVERIFY(!b.tips.globo().tieneVentana());
    }

    void recorridoCompleto()
    {
        Banco b;
        QVERIFY(b.v.mostrar());
        b.v.cmdAlEscritorio->hide();
        b.v.timToolTips.start();

        b.tips.timToolTips_Timer();
        QCOMPARE(b.destino(), b.v.cboAddress);
        b.tips.timDestroyToolTips_Timer();
        QCOMPARE(b.valor(), QStringLiteral("1"));
        QVERIFY(b.v.timToolTips.isActive());

        // Still no provider: step 1 tries again every 10 s without moving on.
        b.tips.timToolTips_Timer();
        QCOMPARE(b.destino(), nullptr);
        QVERIFY(b.v.timToolTips.isActive());
        b.v.elegirProveedor();
        b.tips.timToolTips_Timer();
        QCOMPARE(b.destino(), b.v.txtmsj);
        b.tips.timDestroyToolTips_Timer();

        b.tips.timToolTips_Timer();
        QCOMPARE(b.destino(), b.v.cmdAgendar);
        b.tips.timDestroyToolTips_Timer();
        QCOMPARE(b.valor(), QStringLiteral("3"));

        // "Al escritorio" shows only for a contact.
        b.tips.timToolTips_Timer();
        QCOMPARE(b.destino(), nullptr);
        b.v.cmdAlEscritorio->show();
        b.v.cmdAlEscritorio->setEnabled(true);
        b.tips.timToolTips_Timer();
        QCOMPARE(b.destino(), b.v.cmdAlEscritorio);
        b.tips.timDestroyToolTips_Timer();
        QCOMPARE(b.valor(), QStringLiteral("4"));
        QVERIFY(!b.v.timToolTips.isActive());
        QVERIFY(!b.tips.globo().tieneVentana());
    }

    void ventanaEnLaBandeja()
    {
        Banco b;
        // Hidden in the notification area when the timer fires: no tip, try again later, no progress.
        b.tips.timToolTips_Timer();
        QVERIFY(!b.tips.globo().tieneVentana());
        QVERIFY(b.v.timToolTips.isActive());
        QVERIFY(!b.v.timDestroyToolTips.isActive());
        QCOMPARE(b.valor(), Ausente);
        QVERIFY(b.v.mostrar());
        b.tips.timToolTips_Timer();
        QCOMPARE(b.destino(), b.v.cboAddress);

        // Sent to the notification area while the tip is up: it goes with the window...
        b.v.w.hide();
        QVERIFY(!b.tips.globo().visible());
        // ...and comes back with it while its time lasts.
        QVERIFY(b.v.mostrar());
        QTRY_COMPARE(b.destino(), b.v.cboAddress);
        b.v.w.showMinimized();
        QTRY_VERIFY(!b.tips.globo().visible());
        b.tips.timDestroyToolTips_Timer();
        QVERIFY(!b.tips.globo().tieneVentana());
        QCOMPARE(b.valor(), QStringLiteral("1"));
        // Still minimised at the next step: wait.
        b.v.elegirProveedor();
        b.tips.timToolTips_Timer();
        QVERIFY(!b.tips.globo().tieneVentana());
        QVERIFY(b.v.timToolTips.isActive());
    }

    void controlOcultoConElGloboArriba()
    {
        Banco b;
        QVERIFY(b.v.mostrar());
        b.v.elegirProveedor();
        b.ponerValor(QStringLiteral("1"));
        b.tips.timToolTips_Timer();
        QCOMPARE(b.destino(), b.v.txtmsj);
        // "Inicio" hides the composer.
        b.v.picEscritura->hide();
        QVERIFY(!b.tips.globo().visible());
        b.tips.timDestroyToolTips_Timer();
        QVERIFY(!b.tips.globo().tieneVentana());
        QCOMPARE(b.valor(), QStringLiteral("2"));
    }

    void cierresDeOtrosManejadores_data()
    {
        QTest::addColumn<int>("manejador");
        QTest::newRow("cboAddress_Click") << 0;
        QTest::newRow("cboAddress_DropDown") << 1;
        QTest::newRow("cmdAgendar_Click") << 2;
        QTest::newRow("cmdAlEscritorio_Click") << 3;
    }

    void cierresDeOtrosManejadores()
    {
        QFETCH(int, manejador);
        Banco b;
        QVERIFY(b.v.mostrar());
        b.tips.timToolTips_Timer();
        QVERIFY(b.tips.globo().visible());
        switch (manejador) {
        case 0:
            b.tips.cboAddress_Click();
            break;
        case 1:
            b.tips.cboAddress_DropDown();
            break;
        case 2:
            b.tips.cmdAgendar_Click();
            break;
        default:
            b.tips.cmdAlEscritorio_Click();
            break;
        }
        QVERIFY(!b.tips.globo().tieneVentana());
        // The removal still comes and moves the tour on.
        QVERIFY(b.v.timDestroyToolTips.isActive());
        b.tips.timDestroyToolTips_Timer();
        QCOMPARE(b.valor(), QStringLiteral("1"));
        // Closing with nothing up does nothing.
        b.tips.CerrarGlobo();
        QVERIFY(!b.tips.globo().tieneVentana());
    }

    void reiniciar_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<bool>("globoArriba");
        QTest::newRow("terminado") << "4" << false;
        QTest::newRow("detenido con 7") << "7" << false;
        QTest::newRow("con un globo arriba") << "0" << true;
    }

    void reiniciar()
    {
        QFETCH(QString, valor);
        QFETCH(bool, globoArriba);
        Banco b;
        QVERIFY(b.v.mostrar());
        b.ponerValor(valor);
        if (globoArriba) {
            b.tips.timToolTips_Timer();
            QVERIFY(b.tips.globo().visible());
        }
        b.tips.ReiniciarTips();
        QCOMPARE(b.valor(), Ausente);
        QVERIFY(b.v.timToolTips.isActive());
        QVERIFY(!b.v.timDestroyToolTips.isActive());
        QVERIFY(!b.tips.globo().tieneVentana());
        b.tips.timToolTips_Timer();
        QCOMPARE(b.destino(), b.v.cboAddress);
    }

    void temporizadoresConectados()
    {
        Banco b;
        QVERIFY(b.v.mostrar());
        // The controller answers its timers itself.
        b.v.timToolTips.setInterval(1);
        b.v.timToolTips.start();
        QTRY_COMPARE(b.destino(), b.v.cboAddress);
        b.v.timDestroyToolTips.setInterval(1);
        b.v.timDestroyToolTips.start();
        QTRY_COMPARE(b.valor(), QStringLiteral("1"));
    }

    void captura()
    {
        // Set NTX_CAPTURA to a folder, under a real X display, to look at the welcome tip.
        const QString carpeta = qEnvironmentVariable("NTX_CAPTURA");
        if (carpeta.isEmpty())
            QSKIP("NTX_CAPTURA not set");
        Banco b;
        b.v.w.resize(734, 200);
        b.v.w.move(60, 60);
        QVERIFY(b.v.mostrar());
        b.tips.timToolTips_Timer();
        QVERIFY(b.tips.globo().visible());
        QVERIFY(QTest::qWaitForWindowExposed(b.tips.globo().ventana()));
        const QRect zona =
            b.v.w.frameGeometry().united(b.tips.globo().ventana()->geometry()).adjusted(-10, -10, 10, 10);
        QVERIFY(QGuiApplication::primaryScreen()
                    ->grabWindow(0, zona.x(), zona.y(), zona.width(), zona.height())
                    .save(carpeta + QStringLiteral("/globo_bienvenida.png")));
    }
};

QTEST_MAIN(tst_ControladorTips)
#include "tst_controladortips.moc"

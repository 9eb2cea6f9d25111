// The "Agregue al mensaje..." buttons and menus against a small window of
// their own, and once against the real main window for the counter.
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "comun/claves.h"
#include "dobles/contextoprueba.h"
#include "dobles/controlesventana.h"
#include "mejoras/agregados.h"
#include "mejoras/panelagregados.h"
#include "mejoras/pasadatexto.h"
#include "shell/frmbrowser.h"

namespace {

const QString Sobrepasado = QStringLiteral("Ha sobrepasado el máximo de caracteres, reduzca el mensaje");

// The composer's message box, as the panel appends to it.
class ComposicionFalsa final : public MensajeComposicion
{
public:
    QWidget raiz;
    QPlainTextEdit *txtmsj = new QPlainTextEdit(&raiz);
    int pasadas = 0;

    QString textoMensaje() const override { return ConSaltosCrLf(txtmsj->toPlainText()); }
    void ponerTextoMensaje(const QString &texto) override
    {
        ++pasadas;
        txtmsj->setPlainText(ConSaltosLf(texto));
    }
    void enfocarMensaje() override
    {
        txtmsj->setFocus();
        txtmsj->moveCursor(QTextCursor::End);
    }
};

// The real panel in a small window of its own; its controls found by name.
struct Escenario
{
    ContextoPrueba p;
    ComposicionFalsa v;
    PanelAgregados *panel = new PanelAgregados(p.ctx, v, &v.raiz);
    QList<int> pestanas;

    Escenario()
    {
        QObject::connect(panel, &PanelAgregados::preferencias, &v.raiz,
                         [this](int pestana) { pestanas.append(pestana); });
        v.raiz.resize(400, 300);
        panel->move(0, 0);
        v.txtmsj->setGeometry(0, 250, 400, 50);
        v.raiz.show();
        v.raiz.activateWindow();
    }
    template <typename T = QAction> T *control(const QString &nombre) const { return panel->findChild<T *>(nombre); }
    QAction *emoticon(const QString &nombre) const { return control(nombre); }
    QAction *imagen(int i) const { return control(QStringLiteral("mnuImagenes") + QString::number(i)); }
    QAction *saludo(int i) const { return control(QStringLiteral("mnuSaludos") + QString::number(i)); }
    QAction *firma(int i) const { return control(QStringLiteral("mnuFirmas") + QString::number(i)); }
    QMenu *menu(const char *nombre) const { return control<QMenu>(QString::fromLatin1(nombre)); }
    QPushButton *boton(const char *nombre) const { return control<QPushButton>(QString::fromLatin1(nombre)); }
    int caret() const { return v.txtmsj->textCursor().position(); }
};

QStringList titulos(const QMenu *menu)
{
    QStringList r;
    for (const QAction *a : menu->actions())
        r << a->text();
    return r;
}

} // namespace

class PruebaPanelAgregados : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emoticonAlFinal_data()
    {
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("vacío") << QString() << QStringLiteral("mnuCaraFeliz") << QStringLiteral(" :-) ");
        QTest::newRow("Hola") << QStringLiteral("Hola") << QStringLiteral("mnuCaraFeliz")
                              << QStringLiteral("Hola :-) ");
        QTest::newRow("llorando") << QStringLiteral("Hola") << QStringLiteral("mnuLlorando")
                                  << QStringLiteral("Hola :_( ");
        QTest::newRow("dos líneas") << QStringLiteral("a\r\nb") << QStringLiteral("mnuPez")
                                    << QStringLiteral("a\r\nb <')))>< ");
        QTest::newRow("boquiabierta") << QString() << QStringLiteral("mnuBoquiAbierta") << QStringLiteral(" :O ");
    }
    void emoticonAlFinal()
    {
        QFETCH(QString, mensaje);
        QFETCH(QString, item);
        QFETCH(QString, esperado);
        Escenario e;
        e.v.txtmsj->setPlainText(ConSaltosLf(mensaje));
        // The caret somewhere else: the text still goes to the end.
        QTextCursor c = e.v.txtmsj->textCursor();
        c.setPosition(0);
        e.v.txtmsj->setTextCursor(c);
        QAction *a = e.emoticon(item);
        QVERIFY(a);
        a->trigger();
        QCOMPARE(e.v.textoMensaje(), esperado);
        QCOMPARE(e.v.pasadas, 1);
        QCOMPARE(e.caret(), int(ConSaltosLf(esperado).size()));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(e.v.txtmsj));
    }

    void menusDeEmoticones()
    {
        Escenario e;
        QCOMPARE(e.menu("mnuCaras")->actions().size(), 12);
        QCOMPARE(e.menu("mnuCaritas")->actions().size(), 11);
        QCOMPARE(titulos(e.menu("mnuCosas")),
                 (QStringList{QStringLiteral("<3  (Corazón)"), QStringLiteral("-,--'-@  (Una rosa)"),
                              QStringLiteral("--,-@  (Una rosita)"), QStringLiteral("[TNT]---.',-  (¡Bomba!)"),
                              QStringLiteral("<')))><  (Pez)")}));
        QCOMPARE(e.menu("mnuCaras")->actions().first()->text(), QStringLiteral(" :-)  (Cara feliz)"));
        QCOMPARE(e.menu("mnuCaras")->actions().first()->objectName(), QStringLiteral("mnuCaraFeliz"));
        QCOMPARE(e.menu("mnuPOPImagenes")->actions().size(), 11);
        QCOMPARE(e.menu("mnuPOPImagenes")->actions().at(8)->text(), QStringLiteral("Corazón Flechado"));
    }

    void menusDebajoDelBoton_data()
    {
        QTest::addColumn<int>("boton");
        QTest::newRow("emoticones") << 0;
        QTest::newRow("imágenes") << 1;
        QTest::newRow("saludos") << 2;
    }
    void menusDebajoDelBoton()
    {
        QFETCH(int, boton);
        Escenario e;
        QPushButton *b =
            QList<QPushButton *>{e.boton("cmdEmoticon"), e.boton("cmdImagenes"), e.boton("cmdFirmas")}.at(boton);
        QMenu *menu =
            QList<QMenu *>{e.menu("mnuIconosGestuales"), e.menu("mnuPOPImagenes"), e.menu("mnuSaludosyFirmas")}.at(
                boton);
        b->click();
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), b->mapToGlobal(QPoint(0, b->height())));
        menu->hide();
    }

    void saludosDesdeLosAjustes()
    {
        Escenario e;
        const QString de31 = QStringLiteral("Hola, ¿cómo estás? Te escribo!!");
        QCOMPARE(de31.size(), 31);
        e.p.ajustes.escribir(SeccionMensajes, ClaveSaludo(0), QStringLiteral("Hola!"));
        e.p.ajustes.escribir(SeccionMensajes, ClaveSaludo(1), de31);
        e.p.ajustes.escribir(SeccionMensajes, ClaveSaludo(2), QStringLiteral("\"Ana\" & \"Luis\"\r\n\tchau"));
        e.p.ajustes.escribir(SeccionMensajes, ClaveSaludo(4), QString(200, u'x'));
        e.p.ajustes.escribir(SeccionMensajes, ClaveSaludo(5), QStringLiteral("\x01ilegible\x01"));
        e.p.ajustes.escribir(SeccionMensajes, ClaveFirma(0), QStringLiteral("Juan"));
        e.p.ajustes.escribir(SeccionMensajes, ClaveFirma(9), QStringLiteral("a"));

        // Opening the menu from its button rebuilds the entries.
        e.boton("cmdFirmas")->click();
        QTRY_VERIFY(e.menu("mnuSaludosyFirmas")->isVisible());
        e.menu("mnuSaludosyFirmas")->hide();

        QCOMPARE(e.menu("mnuSubSaludos")->actions().size(), 10);
        QCOMPARE(e.menu("mnuSubFirmas")->actions().size(), 10);
        QCOMPARE(e.saludo(0)->text(), QStringLiteral("Hola!"));
        QCOMPARE(e.saludo(1)->text(), de31.left(30) + QStringLiteral("..."));
        QCOMPARE(e.saludo(2)->text(), QStringLiteral("\"Ana\" && \"Luis\"   chau"));
        QCOMPARE(e.saludo(3)->text(), QStringLiteral("(Vacío)"));
        QVERIFY(!e.saludo(3)->isEnabled());
        QVERIFY(e.saludo(4)->isEnabled());
        QCOMPARE(e.saludo(5)->text(), QStringLiteral(" ilegible "));
        QCOMPARE(e.firma(9)->text(), QStringLiteral("a"));
        QVERIFY(!e.firma(1)->isEnabled());

        e.saludo(0)->trigger();
        QCOMPARE(e.v.textoMensaje(), QStringLiteral("Hola! "));
        e.v.txtmsj->setPlainText(QString());
        e.saludo(1)->trigger();
        QCOMPARE(e.v.textoMensaje(), de31 + u' ');
        e.v.txtmsj->setPlainText(QStringLiteral("Nos vemos"));
        e.firma(0)->trigger();
        QCOMPARE(e.v.textoMensaje(), QStringLiteral("Nos vemos Juan"));
        e.v.txtmsj->setPlainText(QString());
        e.saludo(2)->trigger();
        QCOMPARE(e.v.textoMensaje(), QStringLiteral("\"Ana\" & \"Luis\"\r\n\tchau "));
        // An empty slot cannot be chosen.
        const int pasadas = e.v.pasadas;
        e.saludo(3)->trigger();
        e.firma(1)->trigger();
        QCOMPARE(e.v.pasadas, pasadas);

        // Changes in the settings show at the next opening, from the menu bar too.
        e.p.ajustes.escribir(SeccionMensajes, ClaveSaludo(0), QString());
        e.p.ajustes.escribir(SeccionMensajes, ClaveSaludo(3), QStringLiteral("Buen día"));
        e.menu("mnuSaludosyFirmas")->popup(QPoint(0, 0));
        QTRY_VERIFY(e.menu("mnuSaludosyFirmas")->isVisible());
        e.menu("mnuSaludosyFirmas")->hide();
        QVERIFY(!e.saludo(0)->isEnabled());
        QCOMPARE(e.saludo(0)->text(), QStringLiteral("(Vacío)"));
        QCOMPARE(e.saludo(3)->text(), QStringLiteral("Buen día"));
        QVERIFY(e.saludo(3)->isEnabled());
    }

    void personalizarAbreLasPreferencias()
    {
        Escenario e;
        e.control(QStringLiteral("mnuSaludosyFirmasPersonalizar"))->trigger();
        QCOMPARE(e.pestanas, QList<int>{2});
    }

    // The notice until the user asks not to see it again; never with the key True.
    void avisoDeImagen()
    {
        Escenario e;
        e.imagen(0)->trigger();
        QCOMPARE(e.p.avisos.mostrados.size(), 1);
        const auto aviso = e.p.avisos.mostrados.first();
        QCOMPARE(aviso.texto, TextoAvisoImagen());
        QCOMPARE(aviso.claveNoMas, QStringLiteral("TipImagenesNoMas"));
        QCOMPARE(aviso.dueno, &e.v.raiz); // the window the panel is in
        QCOMPARE(e.v.textoMensaje(), QStringLiteral("\r\n\r\n\r\n\r\n") + ImagenesAgregadas().at(0).codigo);
        // The text was in place before the notice.
        e.p.avisos.marcarNoMas = true;
        e.imagen(3)->trigger();
        QCOMPARE(e.p.avisos.mostrados.size(), 2);
        e.imagen(4)->trigger();
        e.imagen(10)->trigger();
        QCOMPARE(e.p.avisos.mostrados.size(), 2);
        QVERIFY(LeerClaveBooleana(e.p.ajustes, Clave::TipImagenesNoMas));
        // The last picture is the eleventh: there is no other.
        QVERIFY(!e.imagen(11));
    }

    void avisoSegunLaClave_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<bool>("mostrado");
        QTest::newRow("True") << QStringLiteral("True") << false;
        QTest::newRow("False") << QStringLiteral("False") << true;
        QTest::newRow("no es booleano") << QStringLiteral("quizá") << true;
    }
    void avisoSegunLaClave()
    {
        QFETCH(QString, valor);
        QFETCH(bool, mostrado);
        Escenario e;
        EscribirClave(e.p.ajustes, Clave::TipImagenesNoMas, valor);
        e.imagen(2)->trigger();
        QCOMPARE(e.p.avisos.mostrados.size(), mostrado ? 1 : 0);
        QVERIFY(e.v.textoMensaje().endsWith(ImagenesAgregadas().at(2).codigo));
    }

    // Against the main window: the insertion runs the text-change pass, so the
    // counter and the limit warning follow; at 400 characters nothing breaks.
    void contadorTrasInsertar_data()
    {
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("imagen");
        QTest::addColumn<bool>("excedido");
        QTest::newRow("bajo el límite") << QString(50, u'a') << 3 << false;
        QTest::newRow("al máximo") << QString(135, u'a') << 3 << true;
        QTest::newRow("en 400") << QString(400, u'a') << 8 << true;
        QTest::newRow("en 399") << QString(399, u'a') << 0 << true;
    }
    void contadorTrasInsertar()
    {
        QFETCH(QString, mensaje);
        QFETCH(int, imagen);
        QFETCH(bool, excedido);
        ContextoPrueba p;
        p.avisos.marcarNoMas = true;
        frmBrowser f(p.ctx);
        ControlesBrowser &c = controlesDe(f);
        c.picEscritura->show();
        f.show();
        f.composicion().PonerProveedor(nullptr); // the limit before a provider is known: 138
        c.cboRemitente->setEditText(QStringLiteral("Ana"));
        f.composicion().ponerTextoMensaje(mensaje);
        QVERIFY(f.composicion().textoMensaje().size() <= LargoMaximoMensaje);
        c.mnuCaras->actions().first()->trigger();
        f.findChild<QAction *>(QStringLiteral("mnuImagenes") + QString::number(imagen))->trigger();
        const QString texto = f.composicion().textoMensaje();
        QVERIFY(texto.size() <= LargoMaximoMensaje);
        QCOMPARE(c.txtcarescritos->text(), QStringLiteral(" ") + QString::number(3 + texto.size()));
        QCOMPARE(c.StatusBar1->textoPanel1() == Sobrepasado, excedido);
        if (!excedido)
            QCOMPARE(texto, mensaje + QStringLiteral(" :-) \r\n\r\n\r\n\r\n") + ImagenesAgregadas().at(imagen).codigo);
    }
};

QTEST_MAIN(PruebaPanelAgregados)
#include "prueba_panelagregados.moc"

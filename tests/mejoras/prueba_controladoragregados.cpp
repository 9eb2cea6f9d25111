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
#include "mejoras/controladoragregados.h"
#include "mejoras/pasadatexto.h"
#include "shell/frmbrowser.h"

namespace {

const QString Sobrepasado = QStringLiteral("Ha sobrepasado el máximo de caracteres, reduzca el mensaje");

// Buttons and menus as the main window makes them.
struct ControlesPropios
{
    QMenu mnuIconosGestuales{QStringLiteral("Iconos Gestuales")};
    QMenu mnuSaludosyFirmas{QStringLiteral("Saludos y Firmas")};
    QMenu mnuPOPImagenes{QStringLiteral("Imagenes")};
    ControlesAgregados c;

    explicit ControlesPropios(QWidget *padre)
    {
        c.cmdEmoticon = new QPushButton(QStringLiteral("Iconos gestuales"), padre);
        c.cmdImagenes = new QPushButton(QStringLiteral("Imágenes"), padre);
        c.cmdFirmas = new QPushButton(QStringLiteral("Saludos y Firmas"), padre);
        c.mnuIconosGestuales = &mnuIconosGestuales;
        c.mnuCaras = mnuIconosGestuales.addMenu(QStringLiteral("Caras"));
        c.mnuCaritas = mnuIconosGestuales.addMenu(QStringLiteral("Caritas"));
        c.mnuCosas = mnuIconosGestuales.addMenu(QStringLiteral("Cosas"));
        c.mnuSaludosyFirmas = &mnuSaludosyFirmas;
        c.mnuSubSaludos = mnuSaludosyFirmas.addMenu(QStringLiteral("Saludos"));
        c.mnuSubFirmas = mnuSaludosyFirmas.addMenu(QStringLiteral("Firmas"));
        mnuSaludosyFirmas.addSeparator();
        c.mnuSaludosyFirmasPersonalizar = mnuSaludosyFirmas.addAction(QStringLiteral("Personalizar..."));
        c.mnuPOPImagenes = &mnuPOPImagenes;
    }
};

class VentanaFalsa final : public VentanaAgregados, public MensajeComposicion
{
public:
    QWidget raiz;
    QPlainTextEdit *txtmsj = new QPlainTextEdit(&raiz);
    QList<int> pestanas;
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
    void abrirPreferencias(int pestana) override { pestanas.append(pestana); }
    QWidget *ventana() override { return &raiz; }
};

struct Escenario
{
    ContextoPrueba p;
    VentanaFalsa v;
    ControlesPropios controles{&v.raiz};
    ControladorAgregados ctl{p.ctx, v, v, controles.c};

    Escenario()
    {
        v.raiz.resize(400, 300);
        v.txtmsj->setGeometry(0, 100, 400, 200);
        controles.c.cmdEmoticon->setGeometry(10, 20, 116, 26);
        controles.c.cmdImagenes->setGeometry(130, 20, 116, 26);
        controles.c.cmdFirmas->setGeometry(10, 52, 237, 26);
        v.raiz.show();
        v.raiz.activateWindow();
    }
    QAction *emoticon(const QString &nombre) const
    {
        for (QAction *a : ctl.mnuEmoticones) {
            if (a->objectName() == nombre)
                return a;
        }
        return nullptr;
    }
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

class PruebaControladorAgregados : public QObject
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
        QCOMPARE(e.controles.c.mnuCaras->actions().size(), 12);
        QCOMPARE(e.controles.c.mnuCaritas->actions().size(), 11);
        QCOMPARE(titulos(e.controles.c.mnuCosas),
                 (QStringList{QStringLiteral("<3  (Corazón)"), QStringLiteral("-,--'-@  (Una rosa)"),
                              QStringLiteral("--,-@  (Una rosita)"), QStringLiteral("[TNT]---.',-  (¡Bomba!)"),
                              QStringLiteral("<')))><  (Pez)")}));
        QCOMPARE(e.controles.c.mnuCaras->actions().first()->text(), QStringLiteral(" :-)  (Cara feliz)"));
        QCOMPARE(e.controles.c.mnuCaras->actions().first()->objectName(), QStringLiteral("mnuCaraFeliz"));
        QCOMPARE(e.controles.mnuPOPImagenes.actions().size(), 11);
        QCOMPARE(e.controles.mnuPOPImagenes.actions().at(8)->text(), QStringLiteral("Corazón Flechado"));
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
        const ControlesAgregados &c = e.controles.c;
        QPushButton *b = QList<QPushButton *>{c.cmdEmoticon, c.cmdImagenes, c.cmdFirmas}.at(boton);
        QMenu *menu = QList<QMenu *>{c.mnuIconosGestuales, c.mnuPOPImagenes, c.mnuSaludosyFirmas}.at(boton);
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
        e.controles.c.cmdFirmas->click();
        QTRY_VERIFY(e.controles.mnuSaludosyFirmas.isVisible());
        e.controles.mnuSaludosyFirmas.hide();

        QCOMPARE(e.ctl.mnuSaludos.size(), 10);
        QCOMPARE(e.ctl.mnuSaludos.at(0)->text(), QStringLiteral("Hola!"));
        QCOMPARE(e.ctl.mnuSaludos.at(1)->text(), de31.left(30) + QStringLiteral("..."));
        QCOMPARE(e.ctl.mnuSaludos.at(2)->text(), QStringLiteral("\"Ana\" && \"Luis\"   chau"));
        QCOMPARE(e.ctl.mnuSaludos.at(3)->text(), QStringLiteral("(Vacío)"));
        QVERIFY(!e.ctl.mnuSaludos.at(3)->isEnabled());
        QVERIFY(e.ctl.mnuSaludos.at(4)->isEnabled());
        QCOMPARE(e.ctl.mnuSaludos.at(5)->text(), QStringLiteral(" ilegible "));
        QCOMPARE(e.ctl.mnuFirmas.at(9)->text(), QStringLiteral("a"));
        QVERIFY(!e.ctl.mnuFirmas.at(1)->isEnabled());

        e.ctl.mnuSaludos.at(0)->trigger();
        QCOMPARE(e.v.textoMensaje(), QStringLiteral("Hola! "));
        e.v.txtmsj->setPlainText(QString());
        e.ctl.mnuSaludos.at(1)->trigger();
        QCOMPARE(e.v.textoMensaje(), de31 + u' ');
        e.v.txtmsj->setPlainText(QStringLiteral("Nos vemos"));
        e.ctl.mnuFirmas.at(0)->trigger();
        QCOMPARE(e.v.textoMensaje(), QStringLiteral("Nos vemos Juan"));
        e.v.txtmsj->setPlainText(QString());
        e.ctl.mnuSaludos.at(2)->trigger();
        QCOMPARE(e.v.textoMensaje(), QStringLiteral("\"Ana\" & \"Luis\"\r\n\tchau "));
        // An empty slot cannot be chosen, not even by calling its handler.
        const int pasadas = e.v.pasadas;
        e.ctl.mnuSaludos_Click(3);
        e.ctl.mnuSaludos_Click(10);
        e.ctl.mnuFirmas_Click(-1);
        QCOMPARE(e.v.pasadas, pasadas);

        // Changes in the settings show at the next opening, from the menu bar too.
        e.p.ajustes.escribir(SeccionMensajes, ClaveSaludo(0), QString());
        e.p.ajustes.escribir(SeccionMensajes, ClaveSaludo(3), QStringLiteral("Buen día"));
        e.controles.mnuSaludosyFirmas.popup(QPoint(0, 0));
        QTRY_VERIFY(e.controles.mnuSaludosyFirmas.isVisible());
        e.controles.mnuSaludosyFirmas.hide();
        QVERIFY(!e.ctl.mnuSaludos.at(0)->isEnabled());
        QCOMPARE(e.ctl.mnuSaludos.at(0)->text(), QStringLiteral("(Vacío)"));
        QCOMPARE(e.ctl.mnuSaludos.at(3)->text(), QStringLiteral("Buen día"));
        QVERIFY(e.ctl.mnuSaludos.at(3)->isEnabled());
    }

    void personalizarAbreLasPreferencias()
    {
        Escenario e;
        e.controles.c.mnuSaludosyFirmasPersonalizar->trigger();
        QCOMPARE(e.v.pestanas, QList<int>{2});
    }

    // The notice until the user asks not to see it again; never with the key True.
    void avisoDeImagen()
    {
        Escenario e;
        e.ctl.mnuImagenes.at(0)->trigger();
        QCOMPARE(e.p.avisos.mostrados.size(), 1);
        const auto aviso = e.p.avisos.mostrados.first();
        QCOMPARE(aviso.texto, TextoAvisoImagen());
        QCOMPARE(aviso.claveNoMas, QStringLiteral("TipImagenesNoMas"));
        QCOMPARE(aviso.dueno, &e.v.raiz);
        QCOMPARE(e.v.textoMensaje(), QStringLiteral("\r\n\r\n\r\n\r\n") + ImagenesAgregadas().at(0).codigo);
        // The text was in place before the notice.
        e.p.avisos.marcarNoMas = true;
        e.ctl.mnuImagenes_Click(3);
        QCOMPARE(e.p.avisos.mostrados.size(), 2);
        e.ctl.mnuImagenes_Click(4);
        e.ctl.mnuImagenes_Click(10);
        QCOMPARE(e.p.avisos.mostrados.size(), 2);
        QVERIFY(LeerClaveBooleana(e.p.ajustes, Clave::TipImagenesNoMas));
        // Out of range: nothing.
        const QString antes = e.v.textoMensaje();
        e.ctl.mnuImagenes_Click(11);
        QCOMPARE(e.v.textoMensaje(), antes);
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
        e.ctl.mnuImagenes_Click(2);
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
        ControladorAgregados &ctl = f.agregados();
        c.picEscritura->show();
        f.show();
        f.composicion().PonerProveedor(nullptr); // the limit before a provider is known: 138
        c.cboRemitente->setEditText(QStringLiteral("Ana"));
        f.composicion().ponerTextoMensaje(mensaje);
        QVERIFY(f.composicion().textoMensaje().size() <= LargoMaximoMensaje);
        ctl.mnuEmoticon_Click(0);
        ctl.mnuImagenes_Click(imagen);
        const QString texto = f.composicion().textoMensaje();
        QVERIFY(texto.size() <= LargoMaximoMensaje);
        QCOMPARE(c.txtcarescritos->text(), QStringLiteral(" ") + QString::number(3 + texto.size()));
        QCOMPARE(c.StatusBar1->textoPanel1() == Sobrepasado, excedido);
        if (!excedido)
            QCOMPARE(texto, mensaje + QStringLiteral(" :-) \r\n\r\n\r\n\r\n") + ImagenesAgregadas().at(imagen).codigo);
    }
};

QTEST_MAIN(PruebaControladorAgregados)
#include "prueba_controladoragregados.moc"

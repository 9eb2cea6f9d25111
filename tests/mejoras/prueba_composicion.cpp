// The composer panel offscreen, built as the window builds it, in a small stand-in
// for the main window: typing into the message box, the status texts of the two
// switches, the counter with its beep and red labels, the key filters and Enter
// focus order, the sender box and the clear button.
#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "dobles/contextoprueba.h"
#include "envio/proveedores.h"
#include "mejoras/abreviaturas.h"
#include "mejoras/frmabreviaturas.h"
#include "mejoras/panelagregados.h"
#include "mejoras/panelcomposicion.h"
#include "plataforma/combodesplegable.h"

namespace {

const QString Rellene = QStringLiteral("Rellene los datos y escriba el mensaje, luego presione Enviar Mensaje");
const QString Sobrepasado = QStringLiteral("Ha sobrepasado el máximo de caracteres, reduzca el mensaje");

// Types like a user: ASCII through key clicks, other characters as key events
// carrying only their text, a line feed as Enter.
void teclear(QWidget *w, const QString &texto)
{
    for (QChar c : texto) {
        if (c == u'\n')
            QTest::keyClick(w, Qt::Key_Return);
        else if (c.unicode() < 128)
            QTest::keyClicks(w, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), {});
    }
}

// Panel 1 and panel 2 of the status bar as the composer writes them.
struct EstadoFalso
{
    int imagen = 0;
    QString texto;
    bool panel2 = false;
    int imagenPanel1() const { return imagen; }
    QString textoPanel1() const { return texto; }
    bool panel2Habilitado() const { return panel2; }
};

// The composer as the window shows it: the real panel in a small window of its
// own, with the two switches and the menu items the main window hands it, and a
// status bar that keeps what the panel's signals write.
class FalsaPrincipal final
{
public:
    explicit FalsaPrincipal(Contexto &ctx)
    {
        panel = new PanelComposicion(ctx, &raiz);
        panel->move(0, 0);
        // The improvements panel below it, with its switches, connected as the window connects it.
        mejoras = new PanelAgregados(ctx, *panel, &raiz);
        mejoras->move(0, panel->height());
        chkLMate = mejoras->findChild<QCheckBox *>(QStringLiteral("chkLMate"));
        chkAbreviaturas = mejoras->findChild<QCheckBox *>(QStringLiteral("chkAbreviaturas"));
        mnuMejorasLenguajeMate = mejoras->findChild<QAction *>(QStringLiteral("mnuMejorasLenguajeMate"));
        mnuMejorasAbreviaturas = mejoras->findChild<QAction *>(QStringLiteral("mnuMejorasAbreviaturas"));
        QObject::connect(mejoras, &PanelAgregados::lenguajeMate, panel, &PanelComposicion::ponerLenguajeMate);
        QObject::connect(mejoras, &PanelAgregados::abreviaturasMarcadas, panel, &PanelComposicion::casillaAbreviaturas);
        QObject::connect(mejoras, &PanelAgregados::abreviaturas, panel, &PanelComposicion::ponerAbreviaturas);
        QObject::connect(panel, &PanelComposicion::marcarAbreviaturas, mejoras, &PanelAgregados::marcarAbreviaturas);
        // The window's menu items of the abbreviations.
        for (QAction **a : {&mnuAbreviaturas, &mnuExportarAbreviaturas, &mnuImportarAbreviaturas})
            *a = new QAction(&raiz);
        QObject::connect(mnuAbreviaturas, &QAction::triggered, panel, &PanelComposicion::MostrarAbreviaturas);
        QObject::connect(mnuExportarAbreviaturas, &QAction::triggered, panel, &PanelComposicion::ExportarAbreviaturas);
        QObject::connect(mnuImportarAbreviaturas, &QAction::triggered, panel, &PanelComposicion::ImportarAbreviaturas);
        raiz.resize(std::max(mejoras->width(), panel->width()), panel->height() + mejoras->height());
        QObject::connect(panel, &PanelComposicion::estado, &raiz,
                         [this](int imagen, const QString &texto) { ponerEstado(imagen, texto); });
        QObject::connect(panel, &PanelComposicion::panelLMate, &raiz,
                         [this](bool habilitado) { estado.panel2 = habilitado; });
        QObject::connect(panel, &PanelComposicion::destinoCambiado, &raiz, [this] { ++destinosCambiados; });
        txtmsj = buscar<QPlainTextEdit>("txtmsj");
        txtCodArea = buscar<QLineEdit>("txtCodArea");
        txtNumero = buscar<QLineEdit>("txtNumero");
        txtalias = buscar<QLineEdit>("txtalias");
        cboRemitente = buscar<ComboDesplegable>("cboRemitente");
        txtcarescritos = buscar<QLineEdit>("txtcarescritos");
        txtmaxcar = buscar<QLineEdit>("txtmaxcar");
        lblcarescritos = buscar<QLabel>("lblcarescritos");
        lblmaxcar = buscar<QLabel>("lblmaxcar");
        cmdlimpiar = buscar<QPushButton>("cmdlimpiar");
        cmdEnviar = buscar<QPushButton>("cmdEnviar");
    }

    PanelComposicion &composicion() { return *panel; }
    void show() { raiz.show(); }
    void activateWindow() { raiz.activateWindow(); }
    void ponerEstado(int imagen, const QString &texto)
    {
        estado.imagen = imagen;
        estado.texto = texto;
    }

    QWidget raiz;
    EstadoFalso estado;
    EstadoFalso *StatusBar1 = &estado;
    int destinosCambiados = 0;
    QPlainTextEdit *txtmsj;
    QLineEdit *txtCodArea, *txtNumero, *txtalias, *txtcarescritos, *txtmaxcar;
    ComboDesplegable *cboRemitente;
    QLabel *lblcarescritos, *lblmaxcar;
    QPushButton *cmdlimpiar, *cmdEnviar;
    QCheckBox *chkLMate, *chkAbreviaturas;
    QAction *mnuMejorasLenguajeMate, *mnuMejorasAbreviaturas, *mnuAbreviaturas, *mnuExportarAbreviaturas,
        *mnuImportarAbreviaturas;

private:
    template <typename T> T *buscar(const char *nombre) const
    {
        return panel->findChild<T *>(QString::fromLatin1(nombre));
    }
    PanelComposicion *panel;

public:
    PanelAgregados *mejoras;
};

// A user's click on a switch, where its box is.
void clic(QCheckBox *casilla)
{
    QTest::mouseClick(casilla, Qt::LeftButton, {}, QPoint(6, casilla->height() / 2));
}

struct Ventana
{
    ContextoPrueba p;
    FalsaPrincipal f{p.ctx};

    Ventana()
    {
        f.show();
        f.activateWindow();
    }
    void activarLenguajeMate() { f.mejoras->activarLenguajeMate(); }
    void activarAbreviaturas(const ParesAbreviatura &pares)
    {
        for (const auto &par : pares)
            GuardarAbreviatura(p.ajustes, par.first, par.second);
        f.mejoras->activarAbreviaturas();
    }
    int caret() const { return f.txtmsj->textCursor().position(); }
};

bool esRojo(const QLabel *l)
{
    return l->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
}

} // namespace

class PruebaComposicion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tecleoConLenguajeMate_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("te quiero mucho") << "te quiero mucho"
                                         << "TQM";
        QTest::newRow("también") << QString::fromUtf8("también") << "tb";
        QTest::newRow("TAMBIÉN") << QString::fromUtf8("TAMBIÉN") << "tb";
        QTest::newRow("algún") << QString::fromUtf8("algún ") << "alg1 ";
        QTest::newRow("dos líneas") << "hola\nsiete"
                                    << "hola\r\n7";
        QTest::newRow("porque") << "porque"
                                << "xq";
    }
    void tecleoConLenguajeMate()
    {
        QFETCH(QString, entrada);
        QFETCH(QString, esperado);
        Ventana v;
        v.activarLenguajeMate();
        v.f.txtmsj->setFocus();
        teclear(v.f.txtmsj, entrada);
        QCOMPARE(v.f.composicion().textoMensaje(), esperado);
        QCOMPARE(v.caret(), int(ConSaltosLf(esperado).size()));
        QVERIFY(!v.f.txtmsj->textCursor().hasSelection());
        QCOMPARE(v.f.txtcarescritos->text(), NumeroConSigno(esperado.size()));
    }

    void tecleoConAbreviaturas()
    {
        Ventana v;
        v.activarAbreviaturas({{QStringLiteral("hola"), QStringLiteral("hl")},
                               {QStringLiteral("firma"), QStringLiteral("Saludos\r\nAna")}});
        QVERIFY(v.f.chkAbreviaturas->checkState() == Qt::Checked);
        v.f.txtmsj->setFocus();
        teclear(v.f.txtmsj, QStringLiteral("hola, (hola Hola firma."));
        QCOMPARE(v.f.composicion().textoMensaje(), QStringLiteral("hl, (hola Hola Saludos\r\nAna."));
        QCOMPARE(v.f.txtmsj->toPlainText(), QStringLiteral("hl, (hola Hola Saludos\nAna."));
        QCOMPARE(v.caret(), int(v.f.txtmsj->toPlainText().size()));
        // The line break counts two.
        QCOMPARE(v.f.txtcarescritos->text(), QStringLiteral(" 28"));
    }

    // A message that ends in a word of the list, typed while the feature was
    // off, is rewritten by the next edit anywhere, and the caret goes to the end.
    void edicionEnMedioReescribeElFinal()
    {
        Ventana v;
        v.f.txtmsj->setFocus();
        teclear(v.f.txtmsj, QStringLiteral("y hola "));
        QCOMPARE(v.f.composicion().textoMensaje(), QStringLiteral("y hola "));
        v.activarAbreviaturas({{QStringLiteral("hola"), QStringLiteral("hl")}});
        QTextCursor c = v.f.txtmsj->textCursor();
        c.setPosition(0);
        v.f.txtmsj->setTextCursor(c);
        teclear(v.f.txtmsj, QStringLiteral("a"));
        QCOMPARE(v.f.composicion().textoMensaje(), QStringLiteral("ay hl "));
        QCOMPARE(v.caret(), 6);
    }

    void estadoSegunInterruptores_data()
    {
        QTest::addColumn<bool>("abreviaturas");
        QTest::addColumn<bool>("lenguajeMate");
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("ambos") << true << true
                               << "Abreviaturas y LenguajeMate están procesando el texto mientras lo escribe"
                               << "d hl ";
        QTest::newRow("solo abreviaturas") << true << false << "Se está abreviando el texto mientras lo escribe"
                                           << "de hl ";
        QTest::newRow("solo LenguajeMate")
            << false << true << "LenguajeMate está procesando el texto mientras lo escribe"
            << "d hola ";
        QTest::newRow("ninguno") << false << false << Rellene << "de hola ";
    }
    void estadoSegunInterruptores()
    {
        QFETCH(bool, abreviaturas);
        QFETCH(bool, lenguajeMate);
        QFETCH(QString, estado);
        QFETCH(QString, resultado);
        Ventana v;
        if (lenguajeMate)
            v.activarLenguajeMate();
        if (abreviaturas)
            v.activarAbreviaturas({{QStringLiteral("hola"), QStringLiteral("hl")}});
        v.f.txtmsj->setFocus();
        teclear(v.f.txtmsj, QStringLiteral("de hola "));
        QCOMPARE(v.f.StatusBar1->textoPanel1(), estado);
        QCOMPARE(v.f.StatusBar1->imagenPanel1(), 4);
        QCOMPARE(v.f.composicion().textoMensaje(), resultado);
    }

    void interruptorLenguajeMate()
    {
        Ventana v;
        QVERIFY(!v.f.composicion().LenguajeMateActivo);
        v.activarLenguajeMate();
        QVERIFY(v.f.composicion().LenguajeMateActivo);
        QVERIFY(v.f.StatusBar1->panel2Habilitado());
        QVERIFY(v.f.mnuMejorasLenguajeMate->isChecked());
        QCOMPARE(v.f.StatusBar1->textoPanel1(), QStringLiteral("LenguajeMate está activo"));
        QCOMPARE(v.f.StatusBar1->imagenPanel1(), 4);
        clic(v.f.chkLMate);
        QVERIFY(!v.f.composicion().LenguajeMateActivo);
        QVERIFY(!v.f.StatusBar1->panel2Habilitado());
        QVERIFY(!v.f.mnuMejorasLenguajeMate->isChecked());
        QCOMPARE(v.f.StatusBar1->textoPanel1(), QStringLiteral("LenguajeMate está inactivo"));
        // With the switch off the text is never rewritten.
        v.f.composicion().ponerTextoMensaje(QStringLiteral("te quiero"));
        QCOMPARE(v.f.composicion().textoMensaje(), QStringLiteral("te quiero"));
    }

    // A click by the user never leaves the switch grey.
    void clicNoDejaGris()
    {
        Ventana v;
        QTest::mouseClick(v.f.chkLMate, Qt::LeftButton, {}, QPoint(6, v.f.chkLMate->height() / 2));
        QCOMPARE(v.f.chkLMate->checkState(), Qt::Checked);
        QVERIFY(v.f.composicion().LenguajeMateActivo);
        QTest::mouseClick(v.f.chkLMate, Qt::LeftButton, {}, QPoint(6, v.f.chkLMate->height() / 2));
        QCOMPARE(v.f.chkLMate->checkState(), Qt::Unchecked);
        QVERIFY(!v.f.composicion().LenguajeMateActivo);
    }

    void abreviaturasSinNingunaYNo()
    {
        Ventana v;
        v.p.dialogos.respuestas << Dialogos::Respuesta::No;
        clic(v.f.chkAbreviaturas);
        QCOMPARE(v.p.dialogos.llamadas.size(), 1);
        const auto m = v.p.dialogos.llamadas.first();
        QCOMPARE(
            m.texto,
            QStringLiteral("No hay ninguna abreviatura definida\r\n\r\n¿Desea configurar algunas abreviaturas ahora?"));
        QCOMPARE(m.botones, Dialogos::Botones::SiNo);
        QCOMPARE(m.icono, Dialogos::Icono::Pregunta);
        QCOMPARE(m.titulo, QStringLiteral("NTX Mensajes"));
        QCOMPARE(v.f.chkAbreviaturas->checkState(), Qt::Unchecked);
        QVERIFY(!v.f.mnuMejorasAbreviaturas->isChecked());
        QCOMPARE(v.f.StatusBar1->textoPanel1(), QStringLiteral("Abreviaturas Personalizadas está inactivo"));
    }

    void abreviaturasSinNingunaYSi_data()
    {
        QTest::addColumn<bool>("agregar");
        QTest::newRow("agrega una") << true;
        QTest::newRow("cierra sin agregar") << false;
    }
    void abreviaturasSinNingunaYSi()
    {
        QFETCH(bool, agregar);
        Ventana v;
        v.p.dialogos.respuestas << Dialogos::Respuesta::Si;
        bool visto = false;
        QTimer::singleShot(0, qApp, [&] {
            auto *w = qobject_cast<frmAbreviaturas *>(QApplication::activeModalWidget());
            if (!w)
                return;
            visto = true;
            if (agregar)
                GuardarAbreviatura(v.p.ajustes, QStringLiteral("hola"), QStringLiteral("hl"));
            w->cmdCerrar_Click();
        });
        clic(v.f.chkAbreviaturas);
        QVERIFY(visto);
        QCOMPARE(v.f.chkAbreviaturas->checkState(), agregar ? Qt::Checked : Qt::Unchecked);
        QCOMPARE(v.f.mnuMejorasAbreviaturas->isChecked(), agregar);
        QCOMPARE(v.f.StatusBar1->textoPanel1(), agregar ? QStringLiteral("Abreviaturas Personalizadas está activo")
                                                        : QStringLiteral("Abreviaturas Personalizadas está inactivo"));
        QCOMPARE(v.f.composicion().TablaAbreviaturas.size(), agregar ? 1 : 0);
    }

    void apagarAbreviaturasConservaLaLista()
    {
        Ventana v;
        v.activarAbreviaturas({{QStringLiteral("hola"), QStringLiteral("hl")}});
        QCOMPARE(v.f.StatusBar1->textoPanel1(), QStringLiteral("Abreviaturas Personalizadas está activo"));
        QVERIFY(v.f.mnuMejorasAbreviaturas->isChecked());
        clic(v.f.chkAbreviaturas);
        QCOMPARE(v.f.StatusBar1->textoPanel1(), QStringLiteral("Abreviaturas Personalizadas está inactivo"));
        QVERIFY(!v.f.mnuMejorasAbreviaturas->isChecked());
        QCOMPARE(v.f.composicion().TablaAbreviaturas.size(), 1);
        v.f.composicion().ponerTextoMensaje(QStringLiteral("hola "));
        QCOMPARE(v.f.composicion().textoMensaje(), QStringLiteral("hola "));
    }

    // The store emptied elsewhere: a reload while the box is on switches it off.
    void cargarSinNingunaApaga()
    {
        Ventana v;
        v.activarAbreviaturas({{QStringLiteral("hola"), QStringLiteral("hl")}});
        v.p.ajustes.borrarSeccion(SeccionAbreviaturas);
        v.f.composicion().CargarAbreviaturas();
        QVERIFY(v.f.composicion().TablaAbreviaturas.isEmpty());
        QCOMPARE(v.f.chkAbreviaturas->checkState(), Qt::Unchecked);
        QVERIFY(!v.f.mnuMejorasAbreviaturas->isChecked());
        QCOMPARE(v.f.StatusBar1->textoPanel1(), QStringLiteral("Abreviaturas Personalizadas está inactivo"));
    }

    void paresQueNoTerminanNoCuelgan()
    {
        Ventana v;
        v.activarLenguajeMate();
        v.activarAbreviaturas({{QStringLiteral("aa"), QStringLiteral("bb")},
                               {QStringLiteral("bb"), QStringLiteral("aa")},
                               {QStringLiteral("ok"), QStringLiteral("ok")},
                               {QStringLiteral("ja"), QStringLiteral("ja ja")}});
        v.f.txtmsj->setFocus();
        teclear(v.f.txtmsj, QStringLiteral("x aa ok ja "));
        const QString t = v.f.composicion().textoMensaje();
        QVERIFY(t.startsWith(QStringLiteral("x ")));
        QVERIFY(t.size() <= 400);
        QVERIFY(t.contains(QStringLiteral(" ok ja ja")));
        QCOMPARE(v.caret(), int(v.f.txtmsj->toPlainText().size()));
    }

    void contadorYPitido()
    {
        Ventana v;
        v.f.composicion().PonerProveedor(nullptr); // the limit before a provider is known: 138
        v.f.cboRemitente->setEditText(QStringLiteral("Ana"));
        v.f.composicion().ponerTextoMensaje(QString(135, u'a'));
        QCOMPARE(v.f.txtcarescritos->text(), QStringLiteral(" 138"));
        QCOMPARE(v.p.sistema.pitidos, 0);
        QVERIFY(!esRojo(v.f.lblcarescritos));

        v.f.txtmsj->setFocus();
        QTest::keyClick(v.f.txtmsj, Qt::Key_B);
        QCOMPARE(v.f.txtcarescritos->text(), QStringLiteral(" 139"));
        QCOMPARE(v.p.sistema.pitidos, 1);
        QVERIFY(esRojo(v.f.lblcarescritos) && esRojo(v.f.lblmaxcar));
        QCOMPARE(v.f.StatusBar1->textoPanel1(), Sobrepasado);
        QCOMPARE(v.f.StatusBar1->imagenPanel1(), 6);

        // Each key in a destination field runs the check again at that count.
        v.f.txtCodArea->setFocus();
        QTest::keyClicks(v.f.txtCodArea, QStringLiteral("3"));
        QCOMPARE(v.p.sistema.pitidos, 2);
        QCOMPARE(v.f.txtCodArea->text(), QStringLiteral("3"));
        v.f.txtmsj->setFocus();
        QTest::keyClick(v.f.txtmsj, Qt::Key_C);
        QCOMPARE(v.f.txtcarescritos->text(), QStringLiteral(" 140"));
        QCOMPARE(v.p.sistema.pitidos, 2);
        QVERIFY(esRojo(v.f.lblcarescritos));
        // Every key while over the limit puts the warning back.
        QCOMPARE(v.f.StatusBar1->textoPanel1(), Sobrepasado);

        QTest::keyClick(v.f.txtmsj, Qt::Key_Backspace);
        QCOMPARE(v.f.txtcarescritos->text(), QStringLiteral(" 139"));
        QCOMPARE(v.p.sistema.pitidos, 3);
        QTest::keyClick(v.f.txtmsj, Qt::Key_Backspace);
        QCOMPARE(v.f.txtcarescritos->text(), QStringLiteral(" 138"));
        QCOMPARE(v.p.sistema.pitidos, 3);
        QVERIFY(!esRojo(v.f.lblcarescritos) && !esRojo(v.f.lblmaxcar));
        QCOMPARE(v.f.StatusBar1->textoPanel1(), Rellene);

        // A paste that jumps past max + 1 does not beep.
        v.f.composicion().ponerTextoMensaje(QString(150, u'z'));
        QCOMPARE(v.p.sistema.pitidos, 3);
        QVERIFY(esRojo(v.f.lblcarescritos));
    }

    void cuentaConSaltosYRemitente()
    {
        Ventana v;
        v.f.txtmsj->setFocus();
        teclear(v.f.txtmsj, QStringLiteral("0123456789\n0123456789"));
        QCOMPARE(v.f.composicion().textoMensaje(), QStringLiteral("0123456789\r\n0123456789"));
        QCOMPARE(v.f.txtcarescritos->text(), QStringLiteral(" 22"));
        // Changing only the sender changes the count.
        v.f.cboRemitente->setEditText(QStringLiteral("Ana"));
        QCOMPARE(v.f.txtcarescritos->text(), QStringLiteral(" 25"));
    }

    void ponerTextoConSaltos()
    {
        Ventana v;
        v.f.composicion().ponerTextoMensaje(QStringLiteral("uno\r\ndos\r\n\r\ntres"));
        QCOMPARE(v.f.txtmsj->toPlainText(), QStringLiteral("uno\ndos\n\ntres"));
        QCOMPARE(v.f.composicion().textoMensaje(), QStringLiteral("uno\r\ndos\r\n\r\ntres"));
        QCOMPARE(v.caret(), int(v.f.txtmsj->toPlainText().size()));
    }

    void limiteDeCuatrocientos()
    {
        Ventana v;
        v.f.composicion().ponerTextoMensaje(QString(500, u'x'));
        QCOMPARE(v.f.composicion().textoMensaje().size(), 400);
        // A key in the middle of a full box is refused; the text stays whole.
        QTextCursor c = v.f.txtmsj->textCursor();
        c.setPosition(10);
        v.f.txtmsj->setTextCursor(c);
        v.f.txtmsj->setFocus();
        QTest::keyClick(v.f.txtmsj, Qt::Key_Y);
        QCOMPARE(v.f.composicion().textoMensaje(), QString(400, u'x'));
        QCOMPARE(v.caret(), 10);
        // A line break near the limit counts two.
        v.f.composicion().ponerTextoMensaje(QString(399, u'x'));
        QTest::keyClick(v.f.txtmsj, Qt::Key_Return);
        QCOMPARE(v.f.composicion().textoMensaje(), QString(399, u'x'));
    }

    void filtroNumerico_data()
    {
        QTest::addColumn<bool>("codigoDeArea");
        QTest::addColumn<QString>("aviso");
        QTest::newRow("código de área") << true << "¡Sólo puede introducir números en el Código de Área!";
        QTest::newRow("número") << false << "¡Sólo puede introducir números como Número de Celular!";
    }
    void filtroNumerico()
    {
        QFETCH(bool, codigoDeArea);
        QFETCH(QString, aviso);
        Ventana v;
        QVERIFY(QTest::qWaitForWindowActive(&v.f.raiz));
        QLineEdit *caja = codigoDeArea ? v.f.txtCodArea : v.f.txtNumero;
        caja->setFocus();
        QTest::keyClick(caja, Qt::Key_A);
        QCOMPARE(caja->text(), QString());
        QCOMPARE(v.f.StatusBar1->textoPanel1(), aviso);
        QCOMPARE(v.f.StatusBar1->imagenPanel1(), 6);
        QCOMPARE(v.p.sistema.pitidos, 1);
        QTest::sendKeyEvent(QTest::Click, caja, Qt::Key_unknown, QStringLiteral("ñ"), {});
        QCOMPARE(caja->text(), QString());
        QCOMPARE(v.p.sistema.pitidos, 2);
        QTest::keyClicks(caja, QStringLiteral("5"));
        QCOMPARE(caja->text(), QStringLiteral("5"));
        QCOMPARE(v.f.StatusBar1->textoPanel1(), Rellene);
        QCOMPARE(v.f.StatusBar1->imagenPanel1(), 4);
        QTest::keyClicks(caja, QStringLiteral("67"));
        QTest::keyClick(caja, Qt::Key_Backspace);
        QCOMPARE(caja->text(), QStringLiteral("56"));
        QCOMPARE(v.p.sistema.pitidos, 2);
        // Keys that type nothing keep their meaning: a shortcut edits, Tab and Shift+Tab move on.
        QTest::keyClick(caja, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(caja->selectedText(), QStringLiteral("56"));
        QTest::keyClick(caja, Qt::Key_Tab);
        QVERIFY(!caja->hasFocus());
        caja->setFocus();
        QTest::keyClick(caja, Qt::Key_Backtab);
        QVERIFY(!caja->hasFocus());
        QCOMPARE(v.p.sistema.pitidos, 2);
        QCOMPARE(v.f.StatusBar1->imagenPanel1(), 4);
    }

    void ordenDeFocoConEnter()
    {
        Ventana v;
        QVERIFY(QTest::qWaitForWindowActive(&v.f.raiz));
        v.f.txtCodArea->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), v.f.txtCodArea);
        QTest::keyClick(v.f.txtCodArea, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), v.f.txtNumero);
        QTest::keyClick(v.f.txtNumero, Qt::Key_Return);
        QTRY_VERIFY(QApplication::focusWidget() == v.f.cboRemitente ||
                    QApplication::focusWidget() == v.f.cboRemitente->lineEdit());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), v.f.txtmsj);
        // The alias box leads to the sender box as well.
        v.f.txtalias->show();
        v.f.txtalias->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), v.f.txtalias);
        QTest::keyClicks(v.f.txtalias, QStringLiteral("ab c"));
        QCOMPARE(v.f.txtalias->text(), QStringLiteral("ab c"));
        QTest::keyClick(v.f.txtalias, Qt::Key_Return);
        QTRY_VERIFY(QApplication::focusWidget() == v.f.cboRemitente ||
                    QApplication::focusWidget() == v.f.cboRemitente->lineEdit());
        QCOMPARE(v.p.sistema.pitidos, 0);
    }

    // From the message Tab reaches "Limpiar" and "Enviar Mensaje": the read-only counters are no stops.
    void tabSaltaLosContadores()
    {
        Ventana v;
        QVERIFY(QTest::qWaitForWindowActive(&v.f.raiz));
        v.f.txtmsj->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), v.f.txtmsj);
        QTest::keyClick(v.f.txtmsj, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), v.f.cmdlimpiar);
        QTest::keyClick(v.f.cmdlimpiar, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), v.f.cmdEnviar);
        QTest::keyClick(v.f.cmdEnviar, Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTRY_COMPARE(QApplication::focusWidget(), v.f.txtmsj);
    }

    void contadorEnVozAlta_data()
    {
        QTest::addColumn<QString>("proveedor");
        QTest::addColumn<int>("largo");
        QTest::addColumn<QString>("leido");
        QTest::newRow("sin proveedor") << QString() << 57 << "57 de 138 caracteres";
        QTest::newRow("Claro") << QStringLiteral("Argentina - Claro") << 57 << "57 de 138 caracteres";
        QTest::newRow("Personal vacío") << QStringLiteral("Argentina - Personal") << 0 << "0 de 140 caracteres";
        QTest::newRow("Movilnet pasado") << QStringLiteral("Venezuela - Movilnet") << 150 << "150 de 120 caracteres";
    }

    // What a screen reader says of the counters and of the message box: the count against the limit.
    void contadorEnVozAlta()
    {
        QFETCH(QString, proveedor);
        QFETCH(int, largo);
        QFETCH(QString, leido);
        Ventana v;
        v.f.composicion().PonerProveedor(proveedor.isEmpty() ? nullptr : BuscarProveedor(proveedor));
        v.f.composicion().ponerTextoMensaje(QString(largo, u'a'));
        QCOMPARE(v.f.txtcarescritos->accessibleDescription(), leido);
        QCOMPARE(v.f.txtmaxcar->accessibleDescription(), leido);
        QCOMPARE(v.f.txtmsj->accessibleDescription(), leido);
        // Each box its own name, not the frame's title.
        QStringList nombres;
        for (QWidget *w : {static_cast<QWidget *>(v.f.cboRemitente), static_cast<QWidget *>(v.f.txtCodArea),
                           static_cast<QWidget *>(v.f.txtNumero), static_cast<QWidget *>(v.f.txtmsj),
                           static_cast<QWidget *>(v.f.txtcarescritos), static_cast<QWidget *>(v.f.txtmaxcar)})
            nombres << QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        QCOMPARE(nombres, QStringList({"De: remitente", "Código de área", "Número", "Mensaje", "Caracteres escritos",
                                       "Máximo de caracteres"}));
    }

    void marcadoresYSeleccionAlEntrar()
    {
        Ventana v;
        QVERIFY(QTest::qWaitForWindowActive(&v.f.raiz));
        QCOMPARE(v.f.txtCodArea->text(), QString());
        QCOMPARE(v.f.txtCodArea->placeholderText(), QStringLiteral("[Cod]"));
        QCOMPARE(v.f.txtNumero->text(), QString());
        QCOMPARE(v.f.txtNumero->placeholderText(), QStringLiteral("[Núm]"));
        v.f.txtNumero->setText(QStringLiteral("4567"));
        v.f.txtNumero->setFocus();
        QTRY_COMPARE(v.f.txtNumero->selectedText(), QStringLiteral("4567"));
        QTest::keyClicks(v.f.txtNumero, QStringLiteral("9"));
        QCOMPARE(v.f.txtNumero->text(), QStringLiteral("9"));
    }

    void remitente()
    {
        Ventana v;
        QVERIFY(QTest::qWaitForWindowActive(&v.f.raiz));
        v.p.ajustes.escribir(QStringLiteral("Mensajes"), QStringLiteral("Remitente0"), QStringLiteral("Ana"));
        v.p.ajustes.escribir(QStringLiteral("Mensajes"), QStringLiteral("Remitente3"), QStringLiteral("Beto"));
        v.p.ajustes.escribir(QStringLiteral("Mensajes"), QStringLiteral("Remitente9"), QStringLiteral("Caro"));
        v.f.cboRemitente->setEditText(QStringLiteral("Yo"));
        v.f.cboRemitente->showPopup();
        v.f.cboRemitente->hidePopup();
        QCOMPARE(v.f.cboRemitente->count(), 3);
        QCOMPARE(v.f.cboRemitente->itemText(0), QStringLiteral("Ana"));
        QCOMPARE(v.f.cboRemitente->itemText(2), QStringLiteral("Caro"));
        QCOMPARE(v.f.cboRemitente->currentText(), QStringLiteral("Yo"));
        // A second drop-down does not pile up entries.
        v.f.cboRemitente->showPopup();
        v.f.cboRemitente->hidePopup();
        QCOMPARE(v.f.cboRemitente->count(), 3);
        // Opened from the keyboard the list is refilled too.
        v.p.ajustes.escribir(QStringLiteral("Mensajes"), QStringLiteral("Remitente5"), QStringLiteral("Dani"));
        v.f.cboRemitente->setFocus();
        QTest::keyClick(v.f.cboRemitente, Qt::Key_F4);
        QCOMPARE(v.f.cboRemitente->count(), 4);
        v.f.cboRemitente->hidePopup();
        QCOMPARE(v.f.cboRemitente->currentText(), QStringLiteral("Yo"));

        v.f.cboRemitente->setEditText(QString());
        v.f.cboRemitente->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QString(23, u'n'));
        QCOMPARE(v.f.cboRemitente->currentText(), QString(22, u'n'));
        QCOMPARE(v.p.sistema.pitidos, 1);
        QCOMPARE(v.f.txtcarescritos->text(), QStringLiteral(" 22"));
        QCOMPARE(v.f.StatusBar1->textoPanel1(), Rellene);
    }

    void limpiar()
    {
        Ventana v;
        v.activarLenguajeMate();
        v.f.txtCodArea->setText(QStringLiteral("11"));
        v.f.txtNumero->setText(QStringLiteral("4567"));
        v.f.txtalias->setText(QStringLiteral("pepe"));
        v.f.cboRemitente->setEditText(QStringLiteral("Ana"));
        v.f.composicion().ponerTextoMensaje(QStringLiteral("hola"));
        v.f.ponerEstado(1, QStringLiteral("otro"));
        QTest::mouseClick(v.f.cmdlimpiar, Qt::LeftButton);
        QCOMPARE(v.f.txtCodArea->text(), QString());
        QCOMPARE(v.f.txtNumero->text(), QString());
        QCOMPARE(v.f.txtalias->text(), QString());
        QCOMPARE(v.f.cboRemitente->currentText(), QString());
        QCOMPARE(v.f.composicion().textoMensaje(), QString());
        QCOMPARE(v.f.txtcarescritos->text(), QStringLiteral(" 0"));
        QCOMPARE(v.f.StatusBar1->textoPanel1(),
                 QStringLiteral("LenguajeMate está procesando el texto mientras lo escribe"));
        // An already empty message still gets its pass.
        v.f.ponerEstado(1, QStringLiteral("otro"));
        QTest::mouseClick(v.f.cmdlimpiar, Qt::LeftButton);
        QCOMPARE(v.f.StatusBar1->imagenPanel1(), 4);
    }

    void menuDeAbreviaturas()
    {
        Ventana v;
        QVERIFY(v.f.mnuAbreviaturas->isEnabled());
        QVERIFY(v.f.mnuExportarAbreviaturas->isEnabled());
        QVERIFY(v.f.mnuImportarAbreviaturas->isEnabled());
        GuardarAbreviatura(v.p.ajustes, QStringLiteral("hola"), QStringLiteral("hl"));
        bool visto = false;
        QTimer::singleShot(0, qApp, [&visto] {
            if (auto *w = qobject_cast<frmAbreviaturas *>(QApplication::activeModalWidget())) {
                visto = true;
                w->cmdCerrar_Click();
            }
        });
        v.f.mnuAbreviaturas->trigger();
        QVERIFY(visto);
        // Closing with its button reloaded the main window's list.
        QCOMPARE(v.f.composicion().TablaAbreviaturas.size(), 1);
        v.f.mnuExportarAbreviaturas->trigger();
        QCOMPARE(v.p.dialogos.archivos.last().at(0), QStringLiteral("Exportar Abreviaturas a un archivo"));
        v.f.mnuImportarAbreviaturas->trigger();
        QCOMPARE(v.p.dialogos.archivos.last().at(0), QStringLiteral("Importar Abreviaturas de un archivo"));
    }

    // "Enviar Mensaje" captures the message once: the alias box trimmed first, then
    // every field, the count as a number and the provider's limit.
    void enviarCapturaElMensaje_data()
    {
        QTest::addColumn<bool>("conAlias");
        QTest::newRow("código y número") << false;
        QTest::newRow("alias") << true;
    }
    void enviarCapturaElMensaje()
    {
        QFETCH(bool, conAlias);
        Ventana v;
        v.f.txtCodArea->setText(QStringLiteral("351"));
        v.f.txtNumero->setText(QStringLiteral("1234567"));
        if (conAlias) {
            v.f.txtCodArea->hide();
            v.f.txtalias->show();
            v.f.txtalias->setText(QStringLiteral("  ju an  "));
        }
        v.f.cboRemitente->setEditText(QStringLiteral("Ana"));
        v.f.composicion().ponerTextoMensaje(QStringLiteral("hola\r\nchau"));
        QSignalSpy enviados(&v.f.composicion(), &PanelComposicion::enviar);
        const int destinosAntes = v.f.destinosCambiados;
        QTest::mouseClick(v.f.cmdEnviar, Qt::LeftButton);
        QCOMPARE(enviados.size(), 1);
        const auto m = enviados.at(0).at(0).value<MensajeSaliente>();
        QCOMPARE(m.destinatario.codArea, QStringLiteral("351"));
        QCOMPARE(m.destinatario.numero, QStringLiteral("1234567"));
        QCOMPARE(m.destinatario.modoAlias, conAlias);
        QCOMPARE(m.destinatario.alias, conAlias ? QStringLiteral("ju an") : QString());
        QCOMPARE(v.f.txtalias->text(), m.destinatario.alias);
        // The trimmed alias is a change of destination: the recipient frame looks again before the capture.
        QCOMPARE(v.f.destinosCambiados > destinosAntes, conAlias);
        QCOMPARE(m.remitente, QStringLiteral("Ana"));
        QCOMPARE(m.texto, QStringLiteral("hola\r\nchau"));
        QCOMPARE(m.cuenta, 3 + 10);
        QCOMPARE(m.maximo, 140);
    }
};

QTEST_MAIN(PruebaComposicion)
#include "prueba_composicion.moc"

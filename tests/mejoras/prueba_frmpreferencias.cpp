// The preferences dialog offscreen with scripted message boxes, driven by
// clicks and keys: loading, the three lists, the questions, saving all or
// nothing, the notices reset.
// With NTX_CAPTURAS set to a folder, capturas() saves a picture of each tab.
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include "comun/claves.h"
#include "dobles/contextoprueba.h"
#include "mejoras/frmpreferencias.h"

namespace {

class PrincipalFalsa final : public VentanaPreferencias
{
public:
    bool historialPermanente() const override { return historial; }
    void ponerHistorialPermanente(bool valor) override
    {
        historial = valor;
        ++puestas;
    }
    bool historial = true;
    int puestas = 0;
};

// A store that refuses one write (the `falla`-th, 1-based), as a moment of full disk would.
class AjustesQueFallanUnaVez final : public Ajustes
{
public:
    QString leer(const QString &s, const QString &c, const QString &d = {}) const override { return m.leer(s, c, d); }
    bool escribir(const QString &s, const QString &c, const QString &v) override
    {
        return ++escrituras != falla && m.escribir(s, c, v);
    }
    bool borrarClave(const QString &s, const QString &c, QString *e = nullptr) override
    {
        return m.borrarClave(s, c, e);
    }
    bool borrarSeccion(const QString &s) override { return m.borrarSeccion(s); }
    ParesAjustes enumerar(const QString &s) const override { return m.enumerar(s); }

    AjustesMemoria m;
    int falla = 0;
    int escrituras = 0;
};

QString etiqueta(const QTreeWidget *t, int i)
{
    return t->topLevelItem(i)->text(0);
}
QString etiquetaCompleta(const QTreeWidget *t, int i)
{
    return t->topLevelItem(i)->data(0, Qt::UserRole).toString();
}
bool gris(const QTreeWidget *t, int i)
{
    return t->topLevelItem(i)->foreground(0).color() == t->palette().color(QPalette::Disabled, QPalette::Text);
}
QString leer(const Ajustes &a, const QString &clave)
{
    return a.leer(SeccionMensajes, clave, QStringLiteral("<ausente>"));
}

ControlesFrmPreferencias controles(const frmPreferencias &f)
{
    return ControlesFrmPreferencias::buscar(f);
}

// The user's click on a button, or on a check box's square.
void pulsar(QAbstractButton *boton)
{
    QPoint punto = boton->rect().center();
    if (auto *casilla = qobject_cast<QCheckBox *>(boton)) {
        QStyleOptionButton opcion;
        opcion.initFrom(casilla);
        punto = casilla->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opcion, casilla).center();
    }
    QTest::mouseClick(boton, Qt::LeftButton, {}, punto);
}

// The dialog on screen and active, on tab `pestana`, as the user sees it.
void mostrar(frmPreferencias &f, int pestana)
{
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTabBar *tabs = controles(f).TabStrip1;
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(pestana).center());
    QCOMPARE(tabs->currentIndex(), pestana);
}

// The user's click on entry `i` of a list.
void elegir(QTreeWidget *t, int i)
{
    QTreeWidgetItem *entrada = t->topLevelItem(i);
    t->scrollToItem(entrada);
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(entrada).center());
}

// Typing into a box, as the user does: click into it, select all, type over.
void escribir(QLineEdit *caja, const QString &texto)
{
    QTest::mouseClick(caja, Qt::LeftButton, {}, caja->rect().center());
    QTest::keyClick(caja, Qt::Key_A, Qt::ControlModifier);
    if (texto.isEmpty())
        QTest::keyClick(caja, Qt::Key_Delete);
    else
        QTest::keyClicks(caja, texto);
}

} // namespace

class PruebaFrmPreferencias : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cargaYTextosMostrados()
    {
        ContextoPrueba p;
        PrincipalFalsa principal;
        const QString de26 = QStringLiteral("Buenos días a todos, hola!");
        QCOMPARE(de26.size(), 26);
        p.ajustes.escribir(SeccionMensajes, ClaveSaludo(0), de26);
        p.ajustes.escribir(SeccionMensajes, ClaveSaludo(2), QStringLiteral("\"Hola\"\r\n\tque tal"));
        p.ajustes.escribir(SeccionMensajes, ClaveFirma(9), QString(200, u'f'));
        p.ajustes.escribir(SeccionMensajes, ClaveRemitente(0), QStringLiteral("Juan"));
        p.ajustes.escribir(SeccionMensajes, ClaveRemitente(1), QString(23, u'r'));
        frmPreferencias f(p.ctx, principal);
        const ControlesFrmPreferencias c = controles(f);
        QCOMPARE(f.windowTitle(), QStringLiteral("Preferencias"));
        for (const QTreeWidget *t : {c.tvwSaludos, c.tvwFirmas, c.tvwRemitentes})
            QCOMPARE(t->topLevelItemCount(), 10);
        QCOMPARE(etiqueta(c.tvwSaludos, 0), de26.left(25) + QStringLiteral("..."));
        QCOMPARE(etiquetaCompleta(c.tvwSaludos, 0), de26);
        QVERIFY(!gris(c.tvwSaludos, 0));
        QCOMPARE(etiqueta(c.tvwSaludos, 1), QStringLiteral("(Vacío)"));
        QVERIFY(gris(c.tvwSaludos, 1));
        QCOMPARE(etiqueta(c.tvwSaludos, 2), QStringLiteral("\"Hola\"   que tal"));
        QCOMPARE(etiquetaCompleta(c.tvwSaludos, 2), QStringLiteral("\"Hola\"\r\n\tque tal"));
        QCOMPARE(etiqueta(c.tvwFirmas, 9), QString(25, u'f') + QStringLiteral("..."));
        QCOMPARE(etiqueta(c.tvwRemitentes, 0), QStringLiteral("Juan"));
        QCOMPARE(etiqueta(c.tvwRemitentes, 1), QString(22, u'r') + QStringLiteral("..."));
        QVERIFY(gris(c.tvwRemitentes, 2));
        for (const QLineEdit *caja : {c.txtSaludos, c.txtFirmas, c.txtRemitentes})
            QVERIFY(caja->isReadOnly());
        for (const QPushButton *b : {c.cmdAgregarSaludo, c.cmdEliminarSaludo, c.cmdAgregarFirma, c.cmdEliminarFirma,
                                     c.cmdAgregarRemitente, c.cmdEliminarRemitente})
            QVERIFY(!b->isEnabled());
        QCOMPARE(c.txtSaludos->maxLength(), 100);
        QCOMPARE(c.txtRemitentes->maxLength(), 22);
        QVERIFY(c.chkConfirmaCobro->isChecked() && c.chkIconoNotificacion->isChecked() && c.chkHistorial->isChecked());
        QVERIFY(p.dialogos.llamadas.isEmpty());
        // Nothing was written by opening.
        QCOMPARE(leer(p.ajustes, QStringLiteral("ConfirmaCobro")), QStringLiteral("<ausente>"));
    }

    void pestanas()
    {
        ContextoPrueba p;
        PrincipalFalsa principal;
        frmPreferencias f(p.ctx, principal);
        const ControlesFrmPreferencias c = controles(f);
        QStringList titulos;
        for (int i = 0; i < c.TabStrip1->count(); ++i)
            titulos << c.TabStrip1->tabText(i) + u'/' + c.TabStrip1->tabData(i).toString();
        QCOMPARE(titulos,
                 (QStringList{QStringLiteral("&General/General"), QStringLiteral("&Remitentes/Remitentes"),
                              QStringLiteral("&Saludos y Firmas/Saludos"), QStringLiteral("A&vanzado/Avanzado")}));
        const QList<QWidget *> paneles{c.picGeneral, c.picRemitentes, c.picSaludos, c.picAvanzado};
        const auto visible = [&] {
            int n = -1;
            for (int i = 0; i < paneles.size(); ++i) {
                if (!paneles.at(i)->isHidden())
                    n = n == -1 ? i : -2;
            }
            return n;
        };
        QCOMPARE(visible(), 0);
        // Opened on a tab, then the user's clicks on the tabs.
        f.seleccionarPestana(3);
        QCOMPARE(visible(), 3);
        for (int i : {2, 3, 1, 0, 2}) {
            mostrar(f, i);
            QCOMPARE(visible(), i);
        }
        // A key that is none of the four changes nothing.
        c.TabStrip1->setTabData(3, QStringLiteral("Otra"));
        mostrar(f, 3);
        QCOMPARE(visible(), 2);
        f.seleccionarPestana(7);
        QCOMPARE(visible(), 2);
    }

    void agregarCambiarYAceptar()
    {
        ContextoPrueba p;
        PrincipalFalsa principal;
        p.ajustes.escribir(SeccionMensajes, ClaveFirma(0), QStringLiteral("Juan"));
        frmPreferencias f(p.ctx, principal);
        const ControlesFrmPreferencias c = controles(f);
        mostrar(f, frmPreferencias::PestanaSaludos);
        elegir(c.tvwSaludos, 3);
        QVERIFY(!c.txtSaludos->isReadOnly());
        QVERIFY(c.cmdAgregarSaludo->isEnabled());
        QVERIFY(!c.cmdEliminarSaludo->isEnabled()); // the slot is empty
        QCOMPARE(c.txtSaludos->text(), QString());
        // An empty box adds nothing.
        pulsar(c.cmdAgregarSaludo);
        QCOMPARE(etiqueta(c.tvwSaludos, 3), QStringLiteral("(Vacío)"));
        const QString de26 = QString(26, u's');
        escribir(c.txtSaludos, de26);
        pulsar(c.cmdAgregarSaludo);
        QCOMPARE(etiqueta(c.tvwSaludos, 3), QString(25, u's') + QStringLiteral("..."));
        QVERIFY(!gris(c.tvwSaludos, 3));
        QVERIFY(c.cmdEliminarSaludo->isEnabled());
        // Typing is limited to 100 characters.
        elegir(c.tvwSaludos, 0);
        escribir(c.txtSaludos, QString(200, u'x'));
        pulsar(c.cmdAgregarSaludo);
        QCOMPARE(etiquetaCompleta(c.tvwSaludos, 0), QString(100, u'x'));
        // Clicking the selected entry again gives back its text, dropping what was typed.
        escribir(c.txtSaludos, QStringLiteral("sin agregar"));
        elegir(c.tvwSaludos, 0);
        QCOMPARE(c.txtSaludos->text(), QString(100, u'x'));
        // The signatures' box got the tag of the selected entry.
        elegir(c.tvwFirmas, 0);
        QCOMPARE(c.txtFirmas->text(), QStringLiteral("Juan"));
        QVERIFY(c.cmdEliminarFirma->isEnabled());
        mostrar(f, frmPreferencias::PestanaRemitentes);
        elegir(c.tvwRemitentes, 0);
        escribir(c.txtRemitentes, QStringLiteral("Ana"));
        pulsar(c.cmdAgregarRemitente);
        // Nothing saved before Aceptar.
        QCOMPARE(leer(p.ajustes, ClaveSaludo(3)), QStringLiteral("<ausente>"));
        pulsar(c.cmdAceptar);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(leer(p.ajustes, ClaveSaludo(3)), de26);
        QCOMPARE(leer(p.ajustes, ClaveSaludo(0)), QString(100, u'x'));
        QCOMPARE(leer(p.ajustes, ClaveSaludo(9)), QString());
        QCOMPARE(leer(p.ajustes, ClaveFirma(0)), QStringLiteral("Juan"));
        QCOMPARE(leer(p.ajustes, ClaveRemitente(0)), QStringLiteral("Ana"));
        QCOMPARE(leer(p.ajustes, QStringLiteral("ConfirmaCobro")), QStringLiteral("True"));
        QCOMPARE(leer(p.ajustes, QStringLiteral("IconoNotificacion")), QStringLiteral("True"));
        QCOMPARE(leer(p.ajustes, QStringLiteral("Historial")), QStringLiteral("True"));
        QCOMPARE(principal.puestas, 1);
    }

    void eliminarCancelarOAceptar_data()
    {
        QTest::addColumn<bool>("aceptar");
        QTest::newRow("Cancelar") << false;
        QTest::newRow("Aceptar") << true;
    }
    void eliminarCancelarOAceptar()
    {
        QFETCH(bool, aceptar);
        ContextoPrueba p;
        PrincipalFalsa principal;
        p.ajustes.escribir(SeccionMensajes, ClaveSaludo(4), QStringLiteral("Hola"));
        frmPreferencias f(p.ctx, principal);
        const ControlesFrmPreferencias c = controles(f);
        mostrar(f, frmPreferencias::PestanaSaludos);
        elegir(c.tvwSaludos, 4);
        QVERIFY(c.cmdEliminarSaludo->isEnabled());
        pulsar(c.cmdEliminarSaludo);
        QCOMPARE(etiqueta(c.tvwSaludos, 4), QStringLiteral("(Vacío)"));
        QVERIFY(gris(c.tvwSaludos, 4));
        QCOMPARE(c.txtSaludos->text(), QString());
        QVERIFY(!c.cmdEliminarSaludo->isEnabled());
        pulsar(aceptar ? c.cmdAceptar : c.cmdCancelar);
        QVERIFY(!f.isVisible());
        QCOMPARE(leer(p.ajustes, ClaveSaludo(4)), aceptar ? QString() : QStringLiteral("Hola"));
        QCOMPARE(principal.puestas, aceptar ? 1 : 0);
    }

    // "Eliminar" goes grey under the focus: the focus stays with its own list,
    // and the next list gets no entry chosen for the user.
    void eliminarNoEligeEnOtraLista_data()
    {
        QTest::addColumn<int>("pestana");
        QTest::addColumn<int>("lista");  // 0 greetings, 1 signatures, 2 senders
        QTest::addColumn<int>("manera"); // 0 the button, 1 Delete in the list, 2 the list's menu by its key
        QTest::newRow("saludo") << frmPreferencias::PestanaSaludos << 0 << 0;
        QTest::newRow("firma") << frmPreferencias::PestanaSaludos << 1 << 0;
        QTest::newRow("remitente") << frmPreferencias::PestanaRemitentes << 2 << 0;
        QTest::newRow("saludo con Suprimir") << frmPreferencias::PestanaSaludos << 0 << 1;
        QTest::newRow("firma con Suprimir") << frmPreferencias::PestanaSaludos << 1 << 1;
        QTest::newRow("remitente con Suprimir") << frmPreferencias::PestanaRemitentes << 2 << 1;
        QTest::newRow("firma con la tecla de menú") << frmPreferencias::PestanaSaludos << 1 << 2;
        QTest::newRow("remitente con la tecla de menú") << frmPreferencias::PestanaRemitentes << 2 << 2;
    }
    void eliminarNoEligeEnOtraLista()
    {
        QFETCH(int, pestana);
        QFETCH(int, lista);
        QFETCH(int, manera);
        ContextoPrueba p;
        PrincipalFalsa principal;
        p.ajustes.escribir(SeccionMensajes, ClaveSaludo(1), QStringLiteral("Hola"));
        p.ajustes.escribir(SeccionMensajes, ClaveFirma(0), QStringLiteral("Juan"));
        p.ajustes.escribir(SeccionMensajes, ClaveFirma(1), QStringLiteral("Luis"));
        p.ajustes.escribir(SeccionMensajes, ClaveRemitente(1), QStringLiteral("Ana"));
        frmPreferencias f(p.ctx, principal);
        const ControlesFrmPreferencias c = controles(f);
        QTreeWidget *listas[] = {c.tvwSaludos, c.tvwFirmas, c.tvwRemitentes};
        QLineEdit *cajas[] = {c.txtSaludos, c.txtFirmas, c.txtRemitentes};
        QPushButton *eliminarBotones[] = {c.cmdEliminarSaludo, c.cmdEliminarFirma, c.cmdEliminarRemitente};
        QPushButton *agregarBotones[] = {c.cmdAgregarSaludo, c.cmdAgregarFirma, c.cmdAgregarRemitente};
        mostrar(f, pestana);
        elegir(listas[lista], 1);
        if (manera == 0) {
            pulsar(eliminarBotones[lista]);
        } else if (manera == 1) {
            listas[lista]->setFocus();
            QTest::keyClick(listas[lista], Qt::Key_Delete);
        } else {
            // The menu key: the list's own menu, "Eliminar" chosen with its letter.
            listas[lista]->setFocus();
            QTimer::singleShot(0, this, [] {
                QWidget *menu = QApplication::activePopupWidget();
                QVERIFY(menu);
                QCOMPARE(menu->objectName(), QStringLiteral("mnuLista"));
                QTest::keyClick(menu, Qt::Key_E);
            });
            QContextMenuEvent tecla(QContextMenuEvent::Keyboard, QPoint(4, 4),
                                    listas[lista]->mapToGlobal(QPoint(4, 4)));
            QApplication::sendEvent(listas[lista], &tecla);
        }
        QCOMPARE(etiqueta(listas[lista], 1), QStringLiteral("(Vacío)"));
        // The window's focus stays with the list (a popup may leave no window active offscreen).
        QCOMPARE(manera == 2 ? f.focusWidget() : QApplication::focusWidget(), listas[lista]);
        for (int otra = 0; otra < 3; ++otra) {
            if (otra == lista)
                continue;
            QVERIFY(listas[otra]->selectedItems().isEmpty());
            QCOMPARE(cajas[otra]->text(), QString());
            QVERIFY(cajas[otra]->isReadOnly());
            QVERIFY(!agregarBotones[otra]->isEnabled());
            QVERIFY(!eliminarBotones[otra]->isEnabled());
        }
        if (lista != 0)
            return;
        // Tabbing on into the signatures chooses nothing either; Space then chooses the entry shown.
        for (int i = 0; i < 10 && QApplication::focusWidget() != c.tvwFirmas; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), c.tvwFirmas);
        QCOMPARE(c.txtFirmas->text(), QString());
        QVERIFY(!c.cmdAgregarFirma->isEnabled());
        QTest::keyClick(c.tvwFirmas, Qt::Key_Space);
        QCOMPARE(c.txtFirmas->text(), QStringLiteral("Juan"));
        QVERIFY(c.cmdEliminarFirma->isEnabled());
    }

    void confirmaCobro_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("marcada");
        QTest::newRow("No") << int(Dialogos::Respuesta::No) << true;
        QTest::newRow("Sí") << int(Dialogos::Respuesta::Si) << false;
    }
    void confirmaCobro()
    {
        QFETCH(int, respuesta);
        QFETCH(bool, marcada);
        ContextoPrueba p;
        PrincipalFalsa principal;
        frmPreferencias f(p.ctx, principal);
        const ControlesFrmPreferencias c = controles(f);
        mostrar(f, frmPreferencias::PestanaAvanzado);
        p.dialogos.respuestas << Dialogos::Respuesta(respuesta);
        pulsar(c.chkConfirmaCobro);
        QCOMPARE(p.dialogos.llamadas.size(), 1);
        const auto l = p.dialogos.llamadas.first();
        QCOMPARE(l.texto, QStringLiteral("Desactivando esta opción NTX Mensajes no le pedirá que confirme el envío de "
                                         "los mensajes que pueden ser cobrados al destinatario.\r\n\r\n¿Está seguro "
                                         "que desea desactivar esta confirmación?"));
        QCOMPARE(l.titulo, QStringLiteral("Preferencias"));
        QCOMPARE(l.icono, Dialogos::Icono::Pregunta);
        QCOMPARE(l.botones, Dialogos::Botones::SiNo);
        QCOMPARE(c.chkConfirmaCobro->isChecked(), marcada);
        pulsar(c.cmdAceptar);
        QCOMPARE(leer(p.ajustes, QStringLiteral("ConfirmaCobro")), Ajustes::booleanoATexto(marcada));
        // Ticking asks nothing; a stored False shows the box cleared without a question.
        frmPreferencias otra(p.ctx, principal);
        const ControlesFrmPreferencias co = controles(otra);
        QCOMPARE(co.chkConfirmaCobro->isChecked(), marcada);
        mostrar(otra, frmPreferencias::PestanaAvanzado);
        if (!marcada)
            pulsar(co.chkConfirmaCobro);
        QVERIFY(co.chkConfirmaCobro->isChecked());
        QCOMPARE(p.dialogos.llamadas.size(), 1);
    }

    void errorEnElRegistro_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::newRow("IconoNotificacion") << QStringLiteral("IconoNotificacion");
        QTest::newRow("ConfirmaCobro") << QStringLiteral("ConfirmaCobro");
    }
    void errorEnElRegistro()
    {
        QFETCH(QString, clave);
        ContextoPrueba p;
        PrincipalFalsa principal;
        p.ajustes.escribir(SeccionMensajes, QStringLiteral("IconoNotificacion"), QStringLiteral("False"));
        p.ajustes.escribir(SeccionMensajes, QStringLiteral("ConfirmaCobro"), QStringLiteral("False"));
        p.ajustes.escribir(SeccionMensajes, clave, QStringLiteral("quizá"));
        frmPreferencias f(p.ctx, principal);
        QCOMPARE(p.dialogos.llamadas.size(), 1);
        const auto l = p.dialogos.llamadas.first();
        QCOMPARE(l.titulo, QStringLiteral("Error en el registro"));
        QCOMPARE(l.icono, Dialogos::Icono::Critico);
        QCOMPARE(l.texto, QStringLiteral("La información de la configuración está dañada.\r\n\r\nNTX Mensajes ha "
                                         "restablecido todas las opciones a sus valores de fábrica."));
        QVERIFY(controles(f).chkConfirmaCobro->isChecked() && controles(f).chkIconoNotificacion->isChecked());
        QCOMPARE(leer(p.ajustes, QStringLiteral("IconoNotificacion")), QStringLiteral("True"));
        QCOMPARE(leer(p.ajustes, QStringLiteral("ConfirmaCobro")), QStringLiteral("True"));
        frmPreferencias otra(p.ctx, principal);
        QCOMPARE(p.dialogos.llamadas.size(), 1);
    }

    void restablecerAvisos_data()
    {
        QTest::addColumn<bool>("guardados");
        QTest::newRow("ninguno guardado") << false;
        QTest::newRow("los tres guardados") << true;
    }
    void restablecerAvisos()
    {
        QFETCH(bool, guardados);
        ContextoPrueba p;
        PrincipalFalsa principal;
        if (guardados) {
            for (Clave c : {Clave::TTMostrado, Clave::TipImagenesNoMas, Clave::TipHistorialNoMas})
                EscribirClave(p.ajustes, c, QStringLiteral("True"));
        }
        p.ajustes.escribir(SeccionMensajes, ClaveSaludo(0), QStringLiteral("se queda"));
        frmPreferencias f(p.ctx, principal);
        const ControlesFrmPreferencias c = controles(f);
        mostrar(f, frmPreferencias::PestanaAvanzado);
        pulsar(c.cmdRestablecer);
        QVERIFY(!c.cmdRestablecer->isEnabled());
        QVERIFY(p.dialogos.llamadas.isEmpty());
        for (const char *k : {"TTMostrado", "TipImagenesNoMas", "TipHistorialNoMas"})
            QCOMPARE(leer(p.ajustes, QString::fromLatin1(k)), QStringLiteral("<ausente>"));
        QCOMPARE(leer(p.ajustes, ClaveSaludo(0)), QStringLiteral("se queda"));
    }

    void historialDeLaVentana()
    {
        ContextoPrueba p;
        PrincipalFalsa principal;
        principal.historial = false;
        frmPreferencias f(p.ctx, principal);
        const ControlesFrmPreferencias c = controles(f);
        QVERIFY(!c.chkHistorial->isChecked());
        mostrar(f, frmPreferencias::PestanaGeneral);
        pulsar(c.chkHistorial);
        QVERIFY(c.chkHistorial->isChecked());
        pulsar(c.cmdAceptar);
        QVERIFY(principal.historial);
        QCOMPARE(leer(p.ajustes, QStringLiteral("Historial")), QStringLiteral("True"));
    }

    void ayudaYReparacion()
    {
        ContextoPrueba p;
        PrincipalFalsa principal;
        frmPreferencias f(p.ctx, principal);
        const ControlesFrmPreferencias c = controles(f);
        mostrar(f, frmPreferencias::PestanaAvanzado);
        pulsar(c.cmdAyuda);
        QCOMPARE(p.sistema.direccionesAbiertas, QStringList{p.ctx.direcciones.sitio + QStringLiteral("/ir/?id=11")});
        p.dialogos.respuestas << Dialogos::Respuesta::No;
        pulsar(c.cmdRepararHistorial);
        QCOMPARE(p.dialogos.llamadas.size(), 1);
        QVERIFY(p.dialogos.llamadas.first().texto.startsWith(QStringLiteral("El proceso de reparación")));
        // Repairing empties the store: a stray Enter must not do it.
        QCOMPARE(p.dialogos.llamadas.first().predeterminada, Dialogos::Respuesta::No);
        QVERIFY(f.result() != QDialog::Accepted);
    }

    // A store that fails part way through "Aceptar" is left as it was, the user
    // is told, and the dialog stays open with the edits.
    void aceptarTodoONada_data()
    {
        QTest::addColumn<int>("desde");
        QTest::newRow("primera escritura") << 1;
        QTest::newRow("segunda") << 2;
        QTest::newRow("a mitad de los saludos") << 8;
        QTest::newRow("última") << 33;
    }
    void aceptarTodoONada()
    {
        QFETCH(int, desde);
        AjustesQueFallanUnaVez a;
        a.m.escribir(SeccionMensajes, QStringLiteral("ConfirmaCobro"), QStringLiteral("True"));
        a.m.escribir(SeccionMensajes, ClaveSaludo(0), QStringLiteral("Hola"));
        a.m.escribir(SeccionMensajes, ClaveRemitente(9), QStringLiteral("Zoe"));
        const ParesAjustes antes = a.m.enumerar(SeccionMensajes);
        ContextoPrueba p(&a);
        PrincipalFalsa principal;
        frmPreferencias f(p.ctx, principal);
        const ControlesFrmPreferencias c = controles(f);
        mostrar(f, frmPreferencias::PestanaGeneral);
        pulsar(c.chkIconoNotificacion);
        pulsar(c.chkHistorial);
        mostrar(f, frmPreferencias::PestanaSaludos);
        elegir(c.tvwSaludos, 0);
        pulsar(c.cmdEliminarSaludo);
        elegir(c.tvwFirmas, 5);
        escribir(c.txtFirmas, QStringLiteral("Luis"));
        pulsar(c.cmdAgregarFirma);
        a.falla = a.escrituras + desde;
        pulsar(c.cmdAceptar);
        QCOMPARE(a.m.enumerar(SeccionMensajes), antes);
        QVERIFY(f.isVisible());
        QVERIFY(f.result() != QDialog::Accepted);
        QCOMPARE(principal.puestas, 0);
        QVERIFY(principal.historial);
        QCOMPARE(p.dialogos.llamadas.size(), 1);
        QVERIFY(p.dialogos.llamadas.first().texto.startsWith(
            QStringLiteral("No se pudieron guardar las preferencias; no se cambió ninguna opción.")));
        QCOMPARE(p.dialogos.llamadas.first().icono, Dialogos::Icono::Critico);
        // The edits are still there: once the store works, the same click saves them.
        QCOMPARE(etiquetaCompleta(c.tvwFirmas, 5), QStringLiteral("Luis"));
        a.falla = 0;
        pulsar(c.cmdAceptar);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(leer(a, ClaveFirma(5)), QStringLiteral("Luis"));
        QCOMPARE(leer(a, ClaveSaludo(0)), QString());
        QCOMPARE(leer(a, QStringLiteral("IconoNotificacion")), QStringLiteral("False"));
        QVERIFY(!principal.historial);
    }

    // Texts the dialog never edited are stored back as they were read.
    void idaYVueltaSinCambios()
    {
        ContextoPrueba p;
        PrincipalFalsa principal;
        const QStringList textos{QString(),
                                 QStringLiteral("a"),
                                 QString(30, u'b'),
                                 QString(31, u'c'),
                                 QString(200, u'd'),
                                 QStringLiteral("\"entre comillas\""),
                                 QStringLiteral("línea 1\r\nlínea 2"),
                                 QStringLiteral("con\ttabulador"),
                                 QStringLiteral("\x01ilegible\x01")};
        for (int i = 0; i < textos.size(); ++i) {
            p.ajustes.escribir(SeccionMensajes, ClaveSaludo(i), textos.at(i));
            p.ajustes.escribir(SeccionMensajes, ClaveFirma(i), textos.at(i));
        }
        frmPreferencias f(p.ctx, principal);
        mostrar(f, frmPreferencias::PestanaGeneral);
        pulsar(controles(f).cmdAceptar);
        for (int i = 0; i < textos.size(); ++i) {
            QCOMPARE(leer(p.ajustes, ClaveSaludo(i)), textos.at(i));
            QCOMPARE(leer(p.ajustes, ClaveFirma(i)), textos.at(i));
        }
    }

    void capturas()
    {
        const QString carpeta = qEnvironmentVariable("NTX_CAPTURAS");
        if (carpeta.isEmpty())
            QSKIP("NTX_CAPTURAS no está puesta");
        ContextoPrueba p;
        PrincipalFalsa principal;
        p.ajustes.escribir(SeccionMensajes, ClaveSaludo(0), QStringLiteral("¡Hola! ¿Cómo andás?"));
        p.ajustes.escribir(SeccionMensajes, ClaveSaludo(1), QStringLiteral("Buenos días a todos los de la oficina"));
        p.ajustes.escribir(SeccionMensajes, ClaveFirma(0), QStringLiteral("Juan"));
        p.ajustes.escribir(SeccionMensajes, ClaveRemitente(0), QStringLiteral("Juan Pérez"));
        frmPreferencias f(p.ctx, principal);
        f.move(40, 40);
        QDir().mkpath(carpeta);
        for (int i = 0; i < 4; ++i) {
            mostrar(f, i);
            if (i == 2)
                elegir(controles(f).tvwSaludos, 1);
            f.repaint();
            QCoreApplication::processEvents();
            const QPixmap foto = f.screen()->grabWindow(0);
            QVERIFY(foto.save(carpeta + QStringLiteral("/preferencias%1.png").arg(i)));
        }
    }
};

QTEST_MAIN(PruebaFrmPreferencias)
#include "prueba_frmpreferencias.moc"

// The preferences dialog offscreen with scripted message boxes: loading, the
// three lists, the questions, saving all or nothing, the notices reset.
// With NTX_CAPTURAS set to a folder, capturas() saves a picture of each tab.
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

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
        QCOMPARE(f.windowTitle(), QStringLiteral("Preferencias"));
        for (const QTreeWidget *t : {f.tvwSaludos, f.tvwFirmas, f.tvwRemitentes})
            QCOMPARE(t->topLevelItemCount(), 10);
        QCOMPARE(etiqueta(f.tvwSaludos, 0), de26.left(25) + QStringLiteral("..."));
        QCOMPARE(etiquetaCompleta(f.tvwSaludos, 0), de26);
        QVERIFY(!gris(f.tvwSaludos, 0));
        QCOMPARE(etiqueta(f.tvwSaludos, 1), QStringLiteral("(Vacío)"));
        QVERIFY(gris(f.tvwSaludos, 1));
        QCOMPARE(etiqueta(f.tvwSaludos, 2), QStringLiteral("\"Hola\"   que tal"));
        QCOMPARE(etiquetaCompleta(f.tvwSaludos, 2), QStringLiteral("\"Hola\"\r\n\tque tal"));
        QCOMPARE(etiqueta(f.tvwFirmas, 9), QString(25, u'f') + QStringLiteral("..."));
        QCOMPARE(etiqueta(f.tvwRemitentes, 0), QStringLiteral("Juan"));
        QCOMPARE(etiqueta(f.tvwRemitentes, 1), QString(22, u'r') + QStringLiteral("..."));
        QVERIFY(gris(f.tvwRemitentes, 2));
        for (const QLineEdit *caja : {f.txtSaludos, f.txtFirmas, f.txtRemitentes})
            QVERIFY(caja->isReadOnly());
        for (const QPushButton *b : {f.cmdAgregarSaludo, f.cmdEliminarSaludo, f.cmdAgregarFirma, f.cmdEliminarFirma,
                                     f.cmdAgregarRemitente, f.cmdEliminarRemitente})
            QVERIFY(!b->isEnabled());
        QCOMPARE(f.txtSaludos->maxLength(), 100);
        QCOMPARE(f.txtRemitentes->maxLength(), 22);
        QVERIFY(f.chkConfirmaCobro->isChecked() && f.chkIconoNotificacion->isChecked() && f.chkHistorial->isChecked());
        QVERIFY(p.dialogos.llamadas.isEmpty());
        // Nothing was written by opening.
        QCOMPARE(leer(p.ajustes, QStringLiteral("ConfirmaCobro")), QStringLiteral("<ausente>"));
    }

    void pestanas()
    {
        ContextoPrueba p;
        PrincipalFalsa principal;
        frmPreferencias f(p.ctx, principal);
        QStringList titulos;
        for (int i = 0; i < f.TabStrip1->count(); ++i)
            titulos << f.TabStrip1->tabText(i) + u'/' + f.TabStrip1->tabData(i).toString();
        QCOMPARE(titulos,
                 (QStringList{QStringLiteral("General/General"), QStringLiteral("Remitentes/Remitentes"),
                              QStringLiteral("Saludos y Firmas/Saludos"), QStringLiteral("Avanzado/Avanzado")}));
        const QList<QWidget *> paneles{f.picGeneral, f.picRemitentes, f.picSaludos, f.picAvanzado};
        const auto visible = [&] {
            int n = -1;
            for (int i = 0; i < paneles.size(); ++i) {
                if (!paneles.at(i)->isHidden())
                    n = n == -1 ? i : -2;
            }
            return n;
        };
        QCOMPARE(visible(), 0);
        for (int i : {2, 3, 1, 0, 2}) {
            f.seleccionarPestana(i);
            QCOMPARE(visible(), i);
        }
        // A key that is none of the four changes nothing.
        f.TabStrip1->setTabData(3, QStringLiteral("Otra"));
        f.seleccionarPestana(3);
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
        f.seleccionarPestana(frmPreferencias::PestanaSaludos);
        f.tvwSaludos->setCurrentItem(f.tvwSaludos->topLevelItem(3));
        QVERIFY(!f.txtSaludos->isReadOnly());
        QVERIFY(f.cmdAgregarSaludo->isEnabled());
        QVERIFY(!f.cmdEliminarSaludo->isEnabled()); // the slot is empty
        QCOMPARE(f.txtSaludos->text(), QString());
        // An empty box adds nothing.
        f.cmdAgregarSaludo_Click();
        QCOMPARE(etiqueta(f.tvwSaludos, 3), QStringLiteral("(Vacío)"));
        const QString de26 = QString(26, u's');
        f.txtSaludos->setText(de26);
        f.cmdAgregarSaludo_Click();
        QCOMPARE(etiqueta(f.tvwSaludos, 3), QString(25, u's') + QStringLiteral("..."));
        QVERIFY(!gris(f.tvwSaludos, 3));
        QVERIFY(f.cmdEliminarSaludo->isEnabled());
        // Typing is limited to 100 characters.
        f.tvwSaludos->setCurrentItem(f.tvwSaludos->topLevelItem(0));
        f.txtSaludos->clear();
        f.txtSaludos->setFocus();
        QTest::keyClicks(f.txtSaludos, QString(200, u'x'));
        f.cmdAgregarSaludo_Click();
        QCOMPARE(etiquetaCompleta(f.tvwSaludos, 0), QString(100, u'x'));
        // Clicking the selected entry again gives back its text, dropping what was typed.
        f.show();
        f.seleccionarPestana(frmPreferencias::PestanaSaludos);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.txtSaludos->setText(QStringLiteral("sin agregar"));
        const QRect zona = f.tvwSaludos->visualItemRect(f.tvwSaludos->topLevelItem(0));
        QTest::mouseClick(f.tvwSaludos->viewport(), Qt::LeftButton, {}, zona.center());
        QCOMPARE(f.txtSaludos->text(), QString(100, u'x'));
        // The signatures' box got the tag of the selected entry.
        f.tvwFirmas->setCurrentItem(f.tvwFirmas->topLevelItem(0));
        QCOMPARE(f.txtFirmas->text(), QStringLiteral("Juan"));
        QVERIFY(f.cmdEliminarFirma->isEnabled());
        f.tvwRemitentes->setCurrentItem(f.tvwRemitentes->topLevelItem(0));
        f.txtRemitentes->setText(QStringLiteral("Ana"));
        f.cmdAgregarRemitente_Click();
        // Nothing saved before Aceptar.
        QCOMPARE(leer(p.ajustes, ClaveSaludo(3)), QStringLiteral("<ausente>"));
        f.cmdAceptar_Click();
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
        f.tvwSaludos->setCurrentItem(f.tvwSaludos->topLevelItem(4));
        QVERIFY(f.cmdEliminarSaludo->isEnabled());
        f.cmdEliminarSaludo_Click();
        QCOMPARE(etiqueta(f.tvwSaludos, 4), QStringLiteral("(Vacío)"));
        QVERIFY(gris(f.tvwSaludos, 4));
        QCOMPARE(f.txtSaludos->text(), QString());
        QVERIFY(!f.cmdEliminarSaludo->isEnabled());
        if (aceptar)
            f.cmdAceptar_Click();
        else
            f.cmdCancelar_Click();
        QCOMPARE(leer(p.ajustes, ClaveSaludo(4)), aceptar ? QString() : QStringLiteral("Hola"));
        QCOMPARE(principal.puestas, aceptar ? 1 : 0);
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
        f.show();
        p.dialogos.respuestas << Dialogos::Respuesta(respuesta);
        f.chkConfirmaCobro->click();
        QCOMPARE(p.dialogos.llamadas.size(), 1);
        const auto l = p.dialogos.llamadas.first();
        QCOMPARE(l.texto, QStringLiteral("Desactivando esta opción NTX Mensajes no le pedirá que confirme el envío de "
                                         "los mensajes que pueden ser cobrados al destinatario.\r\n\r\n¿Está seguro "
                                         "que desea desactivar esta confirmación?"));
        QCOMPARE(l.titulo, QStringLiteral("Preferencias"));
        QCOMPARE(l.icono, Dialogos::Icono::Pregunta);
        QCOMPARE(l.botones, Dialogos::Botones::SiNo);
        QCOMPARE(f.chkConfirmaCobro->isChecked(), marcada);
        f.cmdAceptar_Click();
        QCOMPARE(leer(p.ajustes, QStringLiteral("ConfirmaCobro")), Ajustes::booleanoATexto(marcada));
        // Ticking asks nothing; a stored False shows the box cleared without a question.
        frmPreferencias otra(p.ctx, principal);
        QCOMPARE(otra.chkConfirmaCobro->isChecked(), marcada);
        otra.show();
        if (!marcada)
            otra.chkConfirmaCobro->click();
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
        QVERIFY(f.chkConfirmaCobro->isChecked() && f.chkIconoNotificacion->isChecked());
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
        f.cmdRestablecer->click();
        QVERIFY(!f.cmdRestablecer->isEnabled());
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
        QVERIFY(!f.chkHistorial->isChecked());
        f.chkHistorial->setChecked(true);
        f.cmdAceptar_Click();
        QVERIFY(principal.historial);
        QCOMPARE(leer(p.ajustes, QStringLiteral("Historial")), QStringLiteral("True"));
    }

    void ayudaYReparacion()
    {
        ContextoPrueba p;
        PrincipalFalsa principal;
        frmPreferencias f(p.ctx, principal);
        f.cmdAyuda->click();
        QCOMPARE(p.sistema.direccionesAbiertas, QStringList{p.ctx.direcciones.sitio + QStringLiteral("/ir/?id=11")});
        p.dialogos.respuestas << Dialogos::Respuesta::No;
        f.cmdRepararHistorial->click();
        QCOMPARE(p.dialogos.llamadas.size(), 1);
        QVERIFY(p.dialogos.llamadas.first().texto.startsWith(QStringLiteral("El proceso de reparación")));
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
        f.show();
        f.chkIconoNotificacion->setChecked(false);
        f.chkHistorial->setChecked(false);
        f.tvwSaludos->setCurrentItem(f.tvwSaludos->topLevelItem(0));
        f.cmdEliminarSaludo_Click();
        f.tvwFirmas->setCurrentItem(f.tvwFirmas->topLevelItem(5));
        f.txtFirmas->setText(QStringLiteral("Luis"));
        f.cmdAgregarFirma_Click();
        a.falla = a.escrituras + desde;
        f.cmdAceptar_Click();
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
        QCOMPARE(etiquetaCompleta(f.tvwFirmas, 5), QStringLiteral("Luis"));
        a.falla = 0;
        f.cmdAceptar_Click();
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
        f.cmdAceptar_Click();
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
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QDir().mkpath(carpeta);
        for (int i = 0; i < 4; ++i) {
            f.seleccionarPestana(i);
            if (i == 2)
                f.tvwSaludos->setCurrentItem(f.tvwSaludos->topLevelItem(1));
            f.repaint();
            QCoreApplication::processEvents();
            const QPixmap foto = f.screen()->grabWindow(0);
            QVERIFY(foto.save(carpeta + QStringLiteral("/preferencias%1.png").arg(i)));
        }
    }
};

QTEST_MAIN(PruebaFrmPreferencias)
#include "prueba_frmpreferencias.moc"

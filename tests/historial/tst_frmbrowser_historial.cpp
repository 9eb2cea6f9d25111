// The main window's history switches (check box and menu item, with their
// notice) and the append of a delivered message when its delivery window ends.
#include "bancohistorial.h"
#include "dobles/controlesventana.h"
#include "historial/frmhistorial.h"
#include "historial/historial.h"
#include "historial/modelohistorial.h"
#include "shell/frmbrowser.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace {

// Acts on the history window once it is up with its records.
void AlAbrirseElHistorial(const std::function<void(frmHistorial *)> &accion)
{
    QTimer::singleShot(0, qApp, [accion] {
        auto *v = qobject_cast<frmHistorial *>(QApplication::activeModalWidget());
        if (!v || !v->isVisible() || v->modelo()->rowCount() == 0) {
            AlAbrirseElHistorial(accion);
            return;
        }
        accion(v);
    });
}

} // namespace

class tst_frmBrowserHistorial : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chkHistorial_data()
    {
        QTest::addColumn<bool>("permanente");
        QTest::addColumn<bool>("marcar");
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QString>("aviso");
        QTest::newRow("desmarcar, permanente")
            << true << false << "No guardar mensajes durante esta sesión" << AvisoNoGuarda;
        QTest::newRow("marcar, permanente") << true << true << "Guardar mensajes durante esta sesión" << QString();
        QTest::newRow("marcar, no permanente")
            << false << true << "Guardar mensajes durante esta sesión" << AvisoGuarda;
        QTest::newRow("desmarcar, no permanente")
            << false << false << "No guardar mensajes durante esta sesión" << QString();
    }
    void chkHistorial()
    {
        QFETCH(bool, permanente);
        QFETCH(bool, marcar);
        QFETCH(QString, estado);
        QFETCH(QString, aviso);
        Banco b;
        frmBrowser ventana(*b.ctx);
        controlesDe(ventana).picMejoras->HistorialPermanente = permanente;
        controlesDe(ventana).chkHistorial->setChecked(!marcar);
        controlesDe(ventana).mnuHistorial->setChecked(!marcar);
        auto &avisos = b.avisos;
        // The user's click: the box changes, then its click handler runs.
        QTest::mouseClick(controlesDe(ventana).chkHistorial, Qt::LeftButton, {},
                          controlesDe(ventana).chkHistorial->rect().center());
        QCOMPARE(controlesDe(ventana).chkHistorial->checkState(), marcar ? Qt::Checked : Qt::Unchecked);
        QCOMPARE(controlesDe(ventana).mnuHistorial->isChecked(), marcar);
        QCOMPARE(controlesDe(ventana).StatusBar1->textoPanel1(), estado);
        QCOMPARE(controlesDe(ventana).StatusBar1->imagenPanel1(), 4);
        QCOMPARE(avisos.mostrados.size(), aviso.isEmpty() ? 0 : 1);
        if (!aviso.isEmpty()) {
            QCOMPARE(avisos.mostrados[0].texto, aviso);
            QVERIFY(avisos.mostrados[0].dueno);
        }
    }

    void mnuHistorialInvierteLaCasilla()
    {
        Banco b;
        frmBrowser ventana(*b.ctx);
        controlesDe(ventana).picMejoras->HistorialPermanente = true;
        controlesDe(ventana).chkHistorial->setChecked(true);
        controlesDe(ventana).mnuHistorial->setChecked(true);
        auto &avisos = b.avisos;
        controlesDe(ventana).mnuHistorial->trigger();
        QVERIFY(!controlesDe(ventana).chkHistorial->isChecked());
        QVERIFY(!controlesDe(ventana).mnuHistorial->isChecked());
        QCOMPARE(controlesDe(ventana).StatusBar1->textoPanel1(),
                 QStringLiteral("No guardar mensajes durante esta sesión"));
        // The handler ran once: one notice, not two.
        QCOMPARE(avisos.mostrados.size(), 1);
        controlesDe(ventana).mnuHistorial->trigger();
        QVERIFY(controlesDe(ventana).chkHistorial->isChecked());
        QVERIFY(controlesDe(ventana).mnuHistorial->isChecked());
        QCOMPARE(controlesDe(ventana).StatusBar1->textoPanel1(),
                 QStringLiteral("Guardar mensajes durante esta sesión"));
        QCOMPARE(avisos.mostrados.size(), 1);
    }

    // "Reenviar" in the history window puts the message and its sender into the main
    // window's composer, and the focus goes to the destination.
    void reenviarLlegaALaComposicion()
    {
        Banco b;
        GuardarEnHistorial(*b.ctx, registro(QStringLiteral("hola\r\nchau")));
        frmBrowser ventana(*b.ctx);
        ControlesBrowser &c = controlesDe(ventana);
        ventana.show();
        c.cboAddress->setCurrentIndex(c.cboAddress->findText(QStringLiteral("Argentina - Personal")));
        ventana.cboAddress_Click();
        bool pulsado = false;
        AlAbrirseElHistorial([&pulsado](frmHistorial *v) {
            const ControlesFrmHistorial h = ControlesFrmHistorial::buscar(*v);
            const QModelIndex indice = v->modelo()->index(0, ModeloHistorial::ColMensaje);
            QTest::mouseClick(h.lvwHistorial->viewport(), Qt::LeftButton, {},
                              h.lvwHistorial->visualRect(indice).center());
            QTest::mouseClick(h.cmdReenviar, Qt::LeftButton, {}, h.cmdReenviar->rect().center());
            pulsado = true;
        });
        c.mnuHistorialMsjs->trigger();
        QVERIFY(pulsado);
        QVERIFY(b.dialogos.llamadas.isEmpty());
        QCOMPARE(c.txtmsj->toPlainText(), QStringLiteral("hola\nchau"));
        QCOMPARE(c.cboRemitente->currentText(), QStringLiteral("Ana"));
        // The window's own focus child: offscreen, the window shown again need not be the active one.
        QTRY_COMPARE(ventana.focusWidget(), static_cast<QWidget *>(c.txtCodArea));
    }

    // A delivery window's outcome reaches the history: the message as captured at the press
    // is appended when it was delivered and saving is on.
    void guardarAlTerminarElEnvio_data()
    {
        QTest::addColumn<bool>("conAlias");
        QTest::addColumn<bool>("enviado");
        QTest::addColumn<bool>("marcado");
        QTest::addColumn<QByteArray>("destino"); // empty: nothing appended
        QTest::newRow("código y número") << false << true << true << QByteArray("011 45678901");
        QTest::newRow("alias") << true << true << true << QByteArray("pepito 'el grande'");
        QTest::newRow("no enviado") << false << false << true << QByteArray();
        QTest::newRow("sin historial") << false << true << false << QByteArray();
    }
    void guardarAlTerminarElEnvio()
    {
        QFETCH(bool, conAlias);
        QFETCH(bool, enviado);
        QFETCH(bool, marcado);
        QFETCH(QByteArray, destino);
        Banco b;
        frmBrowser ventana(*b.ctx);
        controlesDe(ventana).chkHistorial->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
        MensajeSaliente m;
        m.ProveedorActual = QStringLiteral("Argentina - Personal");
        m.destinatario.codArea = QStringLiteral("011");
        m.destinatario.numero = QStringLiteral("45678901");
        m.destinatario.alias = QStringLiteral("pepito \"el grande\"");
        m.destinatario.modoAlias = conAlias;
        m.destinatario.nombre = QStringLiteral("Juan \"Pérez\"");
        m.destinatario.agendado = true;
        m.remitente = QStringLiteral("Ana");
        m.texto = QStringLiteral("hola\r\nchau");
        ventana.historial().envioTerminado(m, ResultadoEnvio{enviado, QStringLiteral("x"), true});
        QVERIFY(b.dialogos.llamadas.isEmpty());
        if (destino.isEmpty()) {
            QVERIFY(!QFile::exists(b.ruta()));
            return;
        }
        QCOMPARE(leerBytes(b.ruta()), QByteArray(Cab + "#2012-11-19 19:07:05#,\"Juan 'P\xE9rez'\",\"" + destino +
                                                 "\",\"Ana\",\"hola\r\nchau\",\"Argentina - Personal\"\r\n"));
    }
};

QTEST_MAIN(tst_frmBrowserHistorial)
#include "tst_frmbrowser_historial.moc"

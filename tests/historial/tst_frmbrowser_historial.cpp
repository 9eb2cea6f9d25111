// The main window's history switches (check box and menu item, with their
// notice) and the append built from the main window's controls.
#include "bancohistorial.h"
#include "dobles/controlesventana.h"
#include "shell/frmbrowser.h"

#include <QTest>

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
        ventana.historial().HistorialPermanente = permanente;
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
        ventana.historial().HistorialPermanente = true;
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
        ventana.historial().mnuHistorial_Click();
        QVERIFY(controlesDe(ventana).chkHistorial->isChecked());
        QVERIFY(controlesDe(ventana).mnuHistorial->isChecked());
        QCOMPARE(controlesDe(ventana).StatusBar1->textoPanel1(),
                 QStringLiteral("Guardar mensajes durante esta sesión"));
        QCOMPARE(avisos.mostrados.size(), 1);
    }

    void guardarDesdeLaVentana_data()
    {
        QTest::addColumn<bool>("conAlias");
        QTest::addColumn<QByteArray>("destino");
        QTest::newRow("código y número") << false << QByteArray("011 45678901");
        QTest::newRow("alias") << true << QByteArray("pepito 'el grande'");
    }
    void guardarDesdeLaVentana()
    {
        QFETCH(bool, conAlias);
        QFETCH(QByteArray, destino);
        Banco b;
        frmBrowser ventana(*b.ctx);
        controlesDe(ventana).txtCodArea->setText(QStringLiteral("011"));
        controlesDe(ventana).txtNumero->setText(QStringLiteral("45678901"));
        controlesDe(ventana).txtalias->setText(QStringLiteral("pepito \"el grande\""));
        controlesDe(ventana).txtalias->setVisible(conAlias);
        controlesDe(ventana).cboRemitente->setEditText(QStringLiteral("Ana"));
        ventana.composicion().ponerTextoMensaje(QStringLiteral("hola\r\nchau"));
        controlesDe(ventana).cboAddress->setCurrentText(QStringLiteral("Argentina - Personal"));
        // Typing the number names the recipient; the label is set last, as a contact match would leave it.
        controlesDe(ventana).lblNombreDestinatario->setText(QStringLiteral("Juan \"Pérez\""));
        const QString proveedor = controlesDe(ventana).cboAddress->currentText();
        QCOMPARE(proveedor, QStringLiteral("Argentina - Personal"));
        ventana.historial().GuardarEnHistorial();
        QVERIFY(b.dialogos.llamadas.isEmpty());
        QCOMPARE(leerBytes(b.ruta()), QByteArray(Cab + "#2012-11-19 19:07:05#,\"Juan 'P\xE9rez'\",\"" + destino +
                                                 "\",\"Ana\",\"hola\r\nchau\",\"" + proveedor.toLatin1() + "\"\r\n"));
    }
};

QTEST_MAIN(tst_frmBrowserHistorial)
#include "tst_frmbrowser_historial.moc"

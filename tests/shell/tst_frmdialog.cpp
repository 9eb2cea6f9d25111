// The notice dialog offscreen: which parts show, the link, the "do not show
// again" box writing its key, and a clean dialog for the next caller.
#include "comun/contexto.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "dobles/vistawebguion.h"
#include "shell/frmdialog.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

struct Banco
{
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos;
    std::unique_ptr<Contexto> ctx;

    Banco()
    {
        ctx.reset(new Contexto{ajustes, dialogos, sistema, instancia, avisos,
                               [](QWidget *padre) { return static_cast<VistaWeb *>(new VistaWebGuion(padre)); },
                               Direcciones::desdeEntorno()});
    }
};

} // namespace

class tst_frmDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controles()
    {
        Banco b;
        frmDialog dialogo(*b.ctx);
        QCOMPARE(dialogo.windowTitle(), QStringLiteral("NTX Mensajes"));
        QCOMPARE(dialogo.chkNoMas->text(), QStringLiteral("No mostrar de nuevo este mensaje"));
        QCOMPARE(dialogo.cmdAceptar->text(), QStringLiteral("Aceptar"));
        QCOMPARE(dialogo.lblURL->cursor().shape(), Qt::PointingHandCursor);
        const QColor azul = dialogo.lblURL->palette().color(QPalette::WindowText);
        QVERIFY(azul.blue() > 100 && azul.red() < 60 && azul.green() < 60);
        // Texts are shown as given, never as markup.
        QCOMPARE(dialogo.lblTexto->textFormat(), Qt::PlainText);
    }

    void captura()
    {
        // Set NTX_CAPTURA to a folder to look at the dialog.
        const QString carpeta = qEnvironmentVariable("NTX_CAPTURA");
        if (carpeta.isEmpty()) {
            QSKIP("NTX_CAPTURA not set");
        }
        Banco b;
        frmDialog dialogo(*b.ctx);
        dialogo.lblTexto->setText(QStringLiteral("NTX Mensajes no guardará los mensajes que escriba a partir de ahora. "
                                                 "Esta opción será recordada solo hasta que cierre el programa.\r\nSi "
                                                 "quiere desactivar el guardado vaya a las Preferencias."));
        dialogo.lblURL->setText(QStringLiteral("Haga clic aquí para enviar un comentario a ntxVarel!"));
        dialogo.lblURLTag = QStringLiteral("http://ntx.example/ir/?id=6");
        dialogo.chkNoMasTag = QStringLiteral("TipHistorialNoMas");
        dialogo.show();
        QVERIFY(dialogo.grab().save(carpeta + QStringLiteral("/frmdialog.png")));
    }

    void partesVisibles_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<bool>("enlace");
        QTest::addColumn<bool>("casilla");
        QTest::newRow("solo texto") << QString() << QString() << false << false;
        QTest::newRow("con enlace") << "http://ntx.example/ir/?id=6" << QString() << true << false;
        QTest::newRow("con casilla") << QString() << "TipImagenesNoMas" << false << true;
        QTest::newRow("con ambos") << "http://ntx.example/ir/?id=13"
                                   << "TipHistorialNoMas" << true << true;
    }
    void partesVisibles()
    {
        QFETCH(QString, direccion);
        QFETCH(QString, clave);
        QFETCH(bool, enlace);
        QFETCH(bool, casilla);
        Banco b;
        frmDialog dialogo(*b.ctx);
        dialogo.lblTexto->setText(QStringLiteral("Aviso"));
        dialogo.lblURL->setText(QStringLiteral("Haga clic aquí"));
        dialogo.lblURLTag = direccion;
        dialogo.chkNoMasTag = clave;
        dialogo.show();
        QVERIFY(dialogo.isVisible());
        QCOMPARE(dialogo.lblURL->isVisible(), enlace);
        QCOMPARE(dialogo.chkNoMas->isVisible(), casilla);
        dialogo.cmdAceptar->click();
        QVERIFY(!dialogo.isVisible());
    }

    void enlaceAbreElNavegador()
    {
        Banco b;
        frmDialog dialogo(*b.ctx);
        dialogo.lblURL->setText(QStringLiteral("Haga clic aquí para enviar un comentario a ntxVarel!"));
        dialogo.lblURLTag = QStringLiteral("http://ntx.example/ir/?id=6");
        dialogo.show();
        QTest::mouseClick(dialogo.lblURL, Qt::LeftButton);
        QCOMPARE(b.sistema.direccionesAbiertas, QStringList{"http://ntx.example/ir/?id=6"});
        // The link does not close the notice.
        QVERIFY(dialogo.isVisible());
        dialogo.lblURLTag.clear();
        dialogo.lblURL_Click();
        QCOMPARE(b.sistema.direccionesAbiertas.size(), 1);
    }

    void aceptar_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<bool>("tildada");
        QTest::addColumn<int>("escrituras");
        QTest::newRow("tildada") << "TipHistorialNoMas" << true << 1;
        QTest::newRow("sin tildar") << "TipHistorialNoMas" << false << 0;
        QTest::newRow("sin clave") << QString() << true << 0;
        QTest::newRow("clave fuera de la tabla") << "TipX" << true << 0;
    }
    void aceptar()
    {
        QFETCH(QString, clave);
        QFETCH(bool, tildada);
        QFETCH(int, escrituras);
        Banco b;
        frmDialog dialogo(*b.ctx);
        dialogo.chkNoMasTag = clave;
        dialogo.show();
        dialogo.chkNoMas->setChecked(tildada);
        dialogo.cmdAceptar->click();
        QVERIFY(!dialogo.isVisible());
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QCOMPARE(b.ajustes.escrituras, escrituras);
        if (escrituras) {
            QCOMPARE(b.ajustes.leer(QStringLiteral("Mensajes"), clave), QStringLiteral("True"));
        }
    }

    void siguienteAvisoEmpiezaLimpio()
    {
        Banco b;
        frmDialog dialogo(*b.ctx);
        dialogo.lblURL->setText(QStringLiteral("enlace"));
        dialogo.lblURLTag = QStringLiteral("http://ntx.example/ir/?id=13");
        dialogo.chkNoMasTag = QStringLiteral("TipX");
        dialogo.show();
        dialogo.chkNoMas->setChecked(true);
        // Closed with the close box: nothing is written, but the dialog is cleared.
        dialogo.reject();
        QCOMPARE(b.ajustes.escrituras, 0);
        QVERIFY(dialogo.lblURLTag.isEmpty());
        QVERIFY(dialogo.chkNoMasTag.isEmpty());
        QVERIFY(!dialogo.chkNoMas->isChecked());
        // A second notice without a link shows none.
        dialogo.lblTexto->setText(QStringLiteral("Otro aviso"));
        dialogo.show();
        QVERIFY(!dialogo.lblURL->isVisible());
        QVERIFY(!dialogo.chkNoMas->isVisible());
        dialogo.cmdAceptar->click();
        QCOMPARE(b.ajustes.escrituras, 0);
    }

    void mostrarEsModal()
    {
        Banco b;
        QWidget dueno;
        dueno.show();
        struct Visto
        {
            bool modal = false;
            QWidget *padre = nullptr;
            QString texto, enlace;
            bool enlaceVisible = false, casillaVisible = false;
        } visto;
        int vistos = 0;
        QTimer vigia;
        vigia.setInterval(5);
        connect(&vigia, &QTimer::timeout, &vigia, [&] {
            auto *d = qobject_cast<frmDialog *>(QApplication::activeModalWidget());
            if (!d || !d->isVisible()) {
                return;
            }
            ++vistos;
            visto = {d->isModal(),      d->parentWidget(),      d->lblTexto->text(),
                     d->lblURL->text(), d->lblURL->isVisible(), d->chkNoMas->isVisible()};
            d->chkNoMas->setChecked(true);
            d->cmdAceptar->click();
        });
        vigia.start();
        frmDialog::Mostrar(*b.ctx, &dueno, QStringLiteral("Línea uno\r\nLínea dos"), QStringLiteral("TipImagenesNoMas"),
                           QStringLiteral("Más información"), QStringLiteral("http://ntx.example/ir/?id=13"));
        vigia.stop();
        QCOMPARE(vistos, 1);
        QVERIFY(visto.modal);
        QCOMPARE(visto.padre, &dueno);
        QCOMPARE(visto.texto, QStringLiteral("Línea uno\r\nLínea dos"));
        QCOMPARE(visto.enlace, QStringLiteral("Más información"));
        QVERIFY(visto.enlaceVisible);
        QVERIFY(visto.casillaVisible);
        QCOMPARE(b.ajustes.leer(QStringLiteral("Mensajes"), QStringLiteral("TipImagenesNoMas")),
                 QStringLiteral("True"));
    }
};

QTEST_MAIN(tst_frmDialog)
#include "tst_frmdialog.moc"

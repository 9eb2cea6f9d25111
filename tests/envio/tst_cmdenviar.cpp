// The send button of the main window: what it reads from the composer, the
// number-shape refusals of the hand-over and the composer cleared by the rate window.
#include <QTest>

#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "dobles/vistawebguion.h"
#include "shell/frmbrowser.h"

class tst_cmdenviar : public QObject
{
    Q_OBJECT

    struct Prueba
    {
        AjustesMemoria ajustes;
        DialogosGuion dialogos;
        SistemaFalso sistema;
        InstanciaFalsa instancia;
        AvisosGuion avisos;
        Contexto ctx{ajustes,
                     dialogos,
                     sistema,
                     instancia,
                     avisos,
                     [](QWidget *padre) { return new VistaWebGuion(padre); },
                     Direcciones::predeterminadas()};
        frmBrowser b{ctx};
        void componer(const QString &proveedor, const QString &area, const QString &numero)
        {
            b.cboAddress->setCurrentIndex(b.cboAddress->findText(proveedor));
            b.cboAddress_Click();
            b.txtCodArea->setText(area);
            b.txtNumero->setText(numero);
            b.cboRemitente->setEditText(QStringLiteral("Ana"));
            b.ponerTextoMensaje(QStringLiteral("Hola"));
            b.txtcarescritos_Change();
        }
    };

private Q_SLOTS:
    void numeroDeFormaEquivocada_data();
    void numeroDeFormaEquivocada();
    void ventanaCortaLimpiaElComposer();
    void aliasRecortado();
};

void tst_cmdenviar::numeroDeFormaEquivocada_data()
{
    QTest::addColumn<QString>("proveedor");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("numero");
    QTest::newRow("claro 3+6") << "Argentina - Claro"
                               << "351"
                               << "123456";
    QTest::newRow("personal 2+7") << "Argentina - Personal"
                                  << "11"
                                  << "1234567";
    QTest::newRow("movilnet operador 14") << "Venezuela - Movilnet"
                                          << "14"
                                          << "1234567";
    QTest::newRow("movilnet 8 cifras") << "Venezuela - Movilnet"
                                       << "26"
                                       << "12345678";
}

void tst_cmdenviar::numeroDeFormaEquivocada()
{
    QFETCH(QString, proveedor);
    QFETCH(QString, area);
    QFETCH(QString, numero);
    Prueba p;
    p.componer(proveedor, area, numero);
    p.b.cmdEnviar_Click();
    QCOMPARE(p.dialogos.llamadas.size(), 1);
    QCOMPARE(p.dialogos.llamadas[0].texto,
             QStringLiteral("El número de teléfono ingresado no corresponde a un cliente de ") + proveedor);
    QCOMPARE(p.dialogos.llamadas[0].icono, Dialogos::Icono::Exclamacion);
    QCOMPARE(p.dialogos.llamadas[0].titulo, QStringLiteral("NTX Mensajes"));
    QCOMPARE(p.ctx.envio.ProveedorActual, proveedor);
    QCOMPARE(p.ctx.envio.DestinatarioNumero, area + QLatin1Char(' ') + numero);
    QCOMPARE(p.b.ContadorCorto, qint16(1));  // the attempt counts even though nothing left
    QCOMPARE(p.b.txtNumero->text(), numero); // the composer stays as it was
}

void tst_cmdenviar::ventanaCortaLimpiaElComposer()
{
    Prueba p;
    p.componer(QStringLiteral("Argentina - Claro"), QStringLiteral("351"), QStringLiteral("123456"));
    p.b.ContadorCorto = 8;
    p.b.cmdEnviar_Click();
    QCOMPARE(p.dialogos.llamadas.size(), 1);
    QVERIFY(p.dialogos.llamadas[0].texto.startsWith(
        QStringLiteral("No puede enviar tantos mensajes de texto seguidos, por favor espere unos instantes")));
    QVERIFY(p.b.txtCodArea->text().isEmpty());
    QVERIFY(p.b.txtNumero->text().isEmpty());
    QVERIFY(p.b.cboRemitente->currentText().isEmpty());
    QVERIFY(p.b.textoMensaje().isEmpty());
    QCOMPARE(p.b.ContadorCorto, qint16(9));
}

void tst_cmdenviar::aliasRecortado()
{
    Prueba p;
    p.componer(QStringLiteral("Argentina - Claro"), QString(), QString());
    p.b.txtalias->show();
    p.b.txtalias->setText(QStringLiteral("  ju an  "));
    p.b.cmdEnviar_Click();
    QCOMPARE(p.b.txtalias->text(), QStringLiteral("ju an"));
    QCOMPARE(p.dialogos.llamadas.size(), 1);
    QCOMPARE(p.dialogos.llamadas[0].texto, QStringLiteral("El Alias no puede contener espacios en blanco"));
}

QTEST_MAIN(tst_cmdenviar)
#include "tst_cmdenviar.moc"

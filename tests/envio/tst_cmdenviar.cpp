// The send command against a stand-in for the main window: what it reads from
// the composer, the number-shape refusals of the hand-over and the composer
// cleared by the rate window.
#include <QPushButton>
#include <QTest>

#include "dobles/contextoprueba.h"
#include "envio/controladorenvio.h"

class tst_cmdenviar : public QObject
{
    Q_OBJECT

    // The composer's fields as plain values; "Agendar" is available, as for a number not in the book.
    struct FalsaPrincipal final : VentanaEnvio
    {
        QString codArea_, numero_, alias_, remitente_, mensaje_, proveedor_;
        QString carEscritos_ = QStringLiteral(" 7"), maxCar_ = QStringLiteral("140");
        bool modoAlias_ = false;
        int limpiezas = 0;
        QWidget raiz;

        void ponerEstado(int, const QString &) override {}
        void mostrarEscritura() override {}
        bool historialMarcado() const override { return false; }
        void guardarEnHistorial() override {}
        QString remitente() const override { return remitente_; }
        QString mensaje() const override { return mensaje_; }
        QString codArea() const override { return codArea_; }
        QString numero() const override { return numero_; }
        QWidget *ventana() override { return &raiz; }
        QString alias() const override { return alias_; }
        void ponerAlias(const QString &alias) override { alias_ = alias; }
        bool modoAlias() const override { return modoAlias_; }
        QString proveedor() const override { return proveedor_; }
        QString carEscritos() const override { return carEscritos_; }
        QString maxCar() const override { return maxCar_; }
        QString nombreDestinatario() const override { return QStringLiteral("(No agendado)"); }
        bool destinatarioSinAgendar() const override { return true; }
        void limpiarComposicion() override
        {
            ++limpiezas;
            codArea_.clear();
            numero_.clear();
            alias_.clear();
            remitente_.clear();
            mensaje_.clear();
        }
    };

    struct Prueba
    {
        ContextoPrueba p;
        AjustesMemoria &ajustes = p.ajustes;
        DialogosGuion &dialogos = p.dialogos;
        Contexto &ctx = p.ctx;
        FalsaPrincipal f;
        QPushButton cmdEnviar;
        ControladorEnvio b{ctx, f, ControlesEnvio{&cmdEnviar}};
        void componer(const QString &proveedor, const QString &area, const QString &numero)
        {
            f.proveedor_ = proveedor;
            f.codArea_ = area;
            f.numero_ = numero;
            f.remitente_ = QStringLiteral("Ana");
            f.mensaje_ = QStringLiteral("Hola");
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
    QCOMPARE(p.b.ContadorCorto, qint16(1)); // the attempt counts even though nothing left
    QCOMPARE(p.f.numero_, numero);          // the composer stays as it was
}

void tst_cmdenviar::ventanaCortaLimpiaElComposer()
{
    Prueba p;
    p.componer(QStringLiteral("Argentina - Claro"), QStringLiteral("351"), QStringLiteral("123456"));
    p.b.ContadorCorto = 8;
    p.b.cmdEnviar_Click();
    QCOMPARE(p.f.limpiezas, 1);
    QCOMPARE(p.dialogos.llamadas.size(), 1);
    QVERIFY(p.dialogos.llamadas[0].texto.startsWith(
        QStringLiteral("No puede enviar tantos mensajes de texto seguidos, por favor espere unos instantes")));
    QVERIFY(p.f.codArea_.isEmpty());
    QVERIFY(p.f.numero_.isEmpty());
    QVERIFY(p.f.remitente_.isEmpty());
    QVERIFY(p.f.mensaje_.isEmpty());
    QCOMPARE(p.b.ContadorCorto, qint16(9));
}

void tst_cmdenviar::aliasRecortado()
{
    Prueba p;
    p.componer(QStringLiteral("Argentina - Claro"), QString(), QString());
    p.f.modoAlias_ = true;
    p.f.alias_ = QStringLiteral("  ju an  ");
    p.b.cmdEnviar_Click();
    QCOMPARE(p.f.alias_, QStringLiteral("ju an"));
    QCOMPARE(p.dialogos.llamadas.size(), 1);
    QCOMPARE(p.dialogos.llamadas[0].texto, QStringLiteral("El Alias no puede contener espacios en blanco"));
}

QTEST_MAIN(tst_cmdenviar)
#include "tst_cmdenviar.moc"

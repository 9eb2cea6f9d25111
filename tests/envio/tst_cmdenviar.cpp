// The send command on a captured message: the number-shape refusals of the
// hand-over and the composer cleared by the rate window.
#include <QSignalSpy>
#include <QTest>

#include "dobles/contextoprueba.h"
#include "envio/controladorenvio.h"

class tst_cmdenviar : public QObject
{
    Q_OBJECT

    struct Prueba
    {
        ContextoPrueba p;
        DialogosGuion &dialogos = p.dialogos;
        QWidget raiz;
        ControladorEnvio b{p.ctx, &raiz};
        // A number not in the book, as the press captures it.
        MensajeSaliente componer(const QString &proveedor, const QString &area, const QString &numero)
        {
            MensajeSaliente m;
            m.ProveedorActual = proveedor;
            m.destinatario.codArea = area;
            m.destinatario.numero = numero;
            m.destinatario.nombre = QStringLiteral("(No agendado)");
            m.remitente = QStringLiteral("Ana");
            m.texto = QStringLiteral("Hola");
            m.cuenta = 7;
            m.maximo = 140;
            return m;
        }
    };

private Q_SLOTS:
    void numeroDeFormaEquivocada_data();
    void numeroDeFormaEquivocada();
    void ventanaCortaLimpiaElComposer();
    void aliasConBlanco();
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
    QSignalSpy limpiezas(&p.b, &ControladorEnvio::limpiarComposicion);
    p.b.Enviar(p.componer(proveedor, area, numero));
    QCOMPARE(p.dialogos.llamadas.size(), 1);
    QCOMPARE(p.dialogos.llamadas[0].texto,
             QStringLiteral("El número de teléfono ingresado no corresponde a un cliente de ") + proveedor);
    QCOMPARE(p.dialogos.llamadas[0].icono, Dialogos::Icono::Exclamacion);
    QCOMPARE(p.dialogos.llamadas[0].titulo, QStringLiteral("NTX Mensajes"));
    QCOMPARE(p.b.ContadorCorto, qint16(1)); // the attempt counts even though nothing left
    QCOMPARE(limpiezas.size(), 0);          // the composer stays as it was
}

void tst_cmdenviar::ventanaCortaLimpiaElComposer()
{
    Prueba p;
    QSignalSpy limpiezas(&p.b, &ControladorEnvio::limpiarComposicion);
    p.b.ContadorCorto = 8;
    p.b.Enviar(p.componer(QStringLiteral("Argentina - Claro"), QStringLiteral("351"), QStringLiteral("123456")));
    QCOMPARE(limpiezas.size(), 1);
    QCOMPARE(p.dialogos.llamadas.size(), 1);
    QVERIFY(p.dialogos.llamadas[0].texto.startsWith(
        QStringLiteral("No puede enviar tantos mensajes de texto seguidos, por favor espere unos instantes")));
    QCOMPARE(p.b.ContadorCorto, qint16(9));
}

void tst_cmdenviar::aliasConBlanco()
{
    Prueba p;
    MensajeSaliente m = p.componer(QStringLiteral("Argentina - Claro"), QString(), QString());
    m.destinatario.modoAlias = true;
    m.destinatario.alias = QStringLiteral("ju an"); // trimmed by the press
    p.b.Enviar(m);
    QCOMPARE(p.dialogos.llamadas.size(), 1);
    QCOMPARE(p.dialogos.llamadas[0].texto, QStringLiteral("El Alias no puede contener espacios en blanco"));
}

QTEST_MAIN(tst_cmdenviar)
#include "tst_cmdenviar.moc"

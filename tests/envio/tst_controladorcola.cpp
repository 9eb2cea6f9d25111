// The queue's controller and window: the question before the first delivery,
// each outcome in the summary, cancelling one, waiting for the send-rate window
// with a countdown that can be stopped, the retry, the composer left alone.
#include <QSignalSpy>
#include <QTest>

#include "dobles/contextoprueba.h"
#include "envio/controladorcola.h"
#include "envio/controladorenvio.h"
#include "envio/proveedores.h"

namespace {

struct Prueba
{
    ContextoPrueba p;
    QWidget raiz;
    ControladorEnvio envio{p.ctx, &raiz};
    ControladorCola cola{p.ctx, envio};
    QStringList guion; // per delivery: "E" delivered, "N<reason>" not delivered, "C" closed
    QStringList entregados;

    Prueba()
    {
        cola.entregar = [this](const MensajeSaliente &m) {
            entregados.append(m.DestinatarioNombre() + u'@' + m.ProveedorActual);
            const QString paso = guion.isEmpty() ? QStringLiteral("E") : guion.takeFirst();
            if (paso.startsWith(u'E'))
                Q_EMIT envio.envioTerminado(m, ResultadoEnvio{true, QStringLiteral("enviado"), true});
            else if (paso.startsWith(u'N'))
                Q_EMIT envio.envioTerminado(m, ResultadoEnvio{false, paso.mid(1), true});
        };
    }
    static QList<DestinatarioCola> destinatarios(int n)
    {
        QList<DestinatarioCola> lista;
        for (int i = 0; i < n; ++i) {
            DestinatarioCola d;
            d.nombre = QStringLiteral("C%1").arg(i);
            d.proveedor = i % 2 ? Proveedores::Personal : Proveedores::Claro;
            d.destino.codArea = QStringLiteral("351");
            d.destino.numero = QStringLiteral("55512%1").arg(i, 2, 10, QLatin1Char('0'));
            lista.append(d);
        }
        return lista;
    }
    static MensajeSaliente base()
    {
        MensajeSaliente m;
        m.remitente = QStringLiteral("Juan");
        m.texto = QStringLiteral("Hola");
        m.cuenta = 8;
        m.maximo = 140;
        return m;
    }
    ControlesFrmCola ui() const { return ControlesFrmCola::buscar(*cola.ventana()); }
    QString resumen() const
    {
        QStringList t;
        const auto u = ui();
        for (int i = 0; i < u.lvwResumen->topLevelItemCount(); ++i)
            t.append(u.lvwResumen->topLevelItem(i)->text(0) + u'=' + u.lvwResumen->topLevelItem(i)->text(2));
        return t.join(QStringLiteral("; "));
    }
};

} // namespace

class tst_controladorcola : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resultados_data();
    void resultados();
    void preguntaYRechazos();
    void esperaLaVentanaYSeDetiene();
};

void tst_controladorcola::resultados_data()
{
    QTest::addColumn<int>("destinatarios");
    QTest::addColumn<QStringList>("guion");
    QTest::addColumn<QString>("resumen");
    QTest::addColumn<QString>("totales");
    QTest::newRow("todos") << 3 << QStringList{} << "C0=Enviado; C1=Enviado; C2=Enviado"
                           << "Envío a varios destinatarios: 3 enviados, 0 no enviados, 0 cancelados";
    QTest::newRow("pasarela caida y uno cancelado")
        << 3 << QStringList{"E", "NMensaje no enviado: no se encontró el servicio.", "C"}
        << "C0=Enviado; C1=No enviado: Mensaje no enviado: no se encontró el servicio.; C2=Cancelado"
        << "Envío a varios destinatarios: 1 enviado, 1 no enviado, 1 cancelado";
}

void tst_controladorcola::resultados()
{
    Prueba t;
    QFETCH(QStringList, guion);
    QFETCH(int, destinatarios);
    t.guion = guion;
    QSignalSpy estado(&t.cola, &ControladorCola::estado);
    QSignalSpy limpiar(&t.envio, &ControladorEnvio::limpiarComposicion);
    QVERIFY(t.cola.Iniciar(Prueba::base(), Prueba::destinatarios(destinatarios)));
    QVERIFY(t.cola.activa());
    QTRY_VERIFY(!t.cola.activa());
    QCOMPARE(t.entregados.size(), destinatarios);
    QCOMPARE(t.entregados.at(1), "C1@Argentina - Personal");
    QTEST(t.resumen(), "resumen");
    QCOMPARE(estado.size(), 1);
    QTEST(estado.at(0).at(1).toString(), "totales");
    QCOMPARE(limpiar.size(), 0);
    const bool hayNoEnviados = t.resumen().contains("No enviado");
    QCOMPARE(t.ui().cmdReintentar->isVisibleTo(t.cola.ventana()), hayNoEnviados);
    QVERIFY(t.ui().cmdCerrar->isEnabled());

    // The retry sends only the not-sent again.
    if (hayNoEnviados) {
        t.entregados.clear();
        QTest::mouseClick(t.ui().cmdReintentar, Qt::LeftButton);
        QTRY_VERIFY(!t.cola.activa());
        QCOMPARE(t.entregados, QStringList{"C1@Argentina - Personal"});
        QCOMPARE(t.resumen(), "C0=Enviado; C1=Enviado; C2=Cancelado");
    }
}

void tst_controladorcola::preguntaYRechazos()
{
    Prueba t;
    // The question names the messages, the providers and who is skipped.
    QList<DestinatarioCola> d = Prueba::destinatarios(3);
    d[2].destino.numero = QStringLiteral("5551");
    t.p.dialogos.respuestas = {Dialogos::Respuesta::No};
    QVERIFY(!t.cola.Iniciar(Prueba::base(), d));
    QCOMPARE(t.p.dialogos.llamadas.size(), 1);
    QCOMPARE(t.p.dialogos.llamadas.at(0).botones, Dialogos::Botones::SiNo);
    QVERIFY(t.p.dialogos.llamadas.at(0).texto.startsWith("Se enviarán 2 mensajes a 2 proveedores."));
    QVERIFY(t.p.dialogos.llamadas.at(0).texto.contains(" · C2: El número de teléfono ingresado no corresponde"));
    QVERIFY(t.entregados.isEmpty());

    // The shared checks run once, against the smallest maximum (Claro's 138).
    MensajeSaliente largo = Prueba::base();
    largo.cuenta = 139;
    QVERIFY(!t.cola.Iniciar(largo, Prueba::destinatarios(2)));
    QVERIFY(t.p.dialogos.llamadas.last().texto.startsWith("Excedió el número máximo de caracteres"));
    largo.cuenta = 138;
    QVERIFY(t.cola.Iniciar(largo, Prueba::destinatarios(1)));
    QTRY_VERIFY(!t.cola.activa());

    // Nobody can receive it: said, and nothing opens.
    t.entregados.clear();
    QVERIFY(!t.cola.Iniciar(Prueba::base(), d.mid(2)));
    QVERIFY(
        t.p.dialogos.llamadas.last().texto.startsWith("No se puede enviar el mensaje a ninguno de los destinatarios."));
    QVERIFY(t.entregados.isEmpty());
}

void tst_controladorcola::esperaLaVentanaYSeDetiene()
{
    Prueba t;
    t.envio.ContadorCorto = 6;
    QVERIFY(t.cola.Iniciar(Prueba::base(), Prueba::destinatarios(5)));
    QTRY_VERIFY(t.ui().lblEspera->isVisibleTo(t.cola.ventana()));
    // A second queue is refused while this one runs, and says why.
    QVERIFY(!t.cola.Iniciar(Prueba::base(), Prueba::destinatarios(2)));
    QVERIFY(t.p.dialogos.llamadas.last().texto.startsWith("Ya se está enviando un mensaje a varios destinatarios."));
    QCOMPARE(t.entregados.size(), 2);
    QCOMPARE(t.ui().lblEspera->text(), "Esperando 120 s para no superar el límite de envíos");
    QVERIFY(t.ui().timEspera->isActive());
    QCOMPARE(t.ui().lblProgreso->text(), "Mensaje 2 de 5 — C1 (Argentina - Personal)");

    // The countdown follows the clock; the tick of the main window opens the window.
    t.p.sistema.avanzar(60000);
    t.envio.timAnti_Timer();
    t.p.sistema.avanzar(13000);
    QMetaObject::invokeMethod(t.cola.ventana(), "timEspera_Timer");
    QCOMPARE(t.ui().lblEspera->text(), "Esperando 47 s para no superar el límite de envíos");
    QCOMPARE(t.entregados.size(), 2);
    t.p.sistema.avanzar(47000);
    t.envio.timAnti_Timer();
    QMetaObject::invokeMethod(t.cola.ventana(), "timEspera_Timer");
    QTRY_COMPARE(t.entregados.size(), 5);
    QTRY_VERIFY(!t.cola.activa());

    // Stopped while waiting: the rest is cancelled at once.
    Prueba s;
    s.envio.ContadorCorto = 7;
    QVERIFY(s.cola.Iniciar(Prueba::base(), Prueba::destinatarios(3)));
    QTRY_VERIFY(s.ui().lblEspera->isVisibleTo(s.cola.ventana()));
    QTest::mouseClick(s.ui().cmdDetener, Qt::LeftButton);
    QVERIFY(!s.cola.activa());
    QCOMPARE(s.resumen(), "C0=Enviado; C1=Cancelado; C2=Cancelado");
    QVERIFY(!s.ui().timEspera->isActive());
    QCOMPARE(s.envio.ContadorCorto, qint16(8));
}

QTEST_MAIN(tst_controladorcola)
#include "tst_controladorcola.moc"

// The rules of a message to several recipients: checks per recipient, the same
// number once, waiting for the send-rate windows, "Detener", retry and summary.
#include <QTest>

#include "dobles/sistemafalso.h"
#include "envio/colaenvio.h"
#include "envio/proveedores.h"

using Estado = ColaEnvio::Estado;
using Paso = ColaEnvio::Paso;
Q_DECLARE_METATYPE(ColaEnvio::Paso)
Q_DECLARE_METATYPE(ConfiguracionRemota)

namespace {

// "nombre|proveedor|area|numero" per recipient, "C"/"P"/"M" for the providers.
QList<DestinatarioCola> destinatarios(const QStringList &filas)
{
    QList<DestinatarioCola> lista;
    for (const QString &fila : filas) {
        const QStringList c = fila.split(QLatin1Char('|'));
        DestinatarioCola d;
        d.nombre = c.at(0);
        d.proveedor = c.at(1) == "C"   ? Proveedores::Claro
                      : c.at(1) == "P" ? Proveedores::Personal
                      : c.at(1) == "M" ? Proveedores::Movilnet
                                       : c.at(1);
        d.destino.codArea = c.at(2);
        d.destino.numero = c.at(3);
        if (c.size() > 4)
            d.motivo = c.at(4);
        lista.append(d);
    }
    return lista;
}

MensajeSaliente base()
{
    MensajeSaliente m;
    m.remitente = QStringLiteral("Juan");
    m.texto = QStringLiteral("Hola");
    m.cuenta = 8;
    return m;
}

ConfiguracionRemota configuracion(const QString &nblo = {}, const QString &pblo = {}, const QString &psin = {})
{
    ConfiguracionRemota c;
    c.cargada = true;
    c.nblo = QStringList{{}, nblo};
    c.pblo = QStringList{{}, pblo};
    c.psin = QStringList{{}, psin};
    c.pser = QStringList{{}, QStringLiteral("Argentina - Personal$otro")};
    return c;
}

// Each element as "Enviado", "No enviado: ..." and so on, joined by "; ".
QString estados(const ColaEnvio &cola)
{
    QStringList t;
    for (const auto &e : cola.elementos())
        t.append(ColaEnvio::textoEstado(e));
    return t.join(QStringLiteral("; "));
}

// Sends everything that fits now, each delivered; the indices sent.
QList<int> enviarLoQueCabe(ColaEnvio &cola, Paso *final, qint64 *espera)
{
    QList<int> enviados;
    int i = -1;
    while ((* final = cola.siguiente(&i, espera)) == Paso::Enviar) {
        enviados.append(i);
        cola.terminar(i, ResultadoEnvio{true, QStringLiteral("ok"), true});
    }
    return enviados;
}

} // namespace

class tst_colaenvio : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void preparar_data();
    void preparar();
    void menorMaximo_data();
    void menorMaximo();
    void espera_data();
    void espera();
    void colaEsperaLaVentanaYSigue_data();
    void colaEsperaLaVentanaYSigue();
    void resultadosDetenerYReintentar();
    void contactoEliminadoMientrasEspera();
    void textos();
};

void tst_colaenvio::preparar_data()
{
    QTest::addColumn<QStringList>("filas");
    QTest::addColumn<ConfiguracionRemota>("config");
    QTest::addColumn<QString>("esperado");
    QTest::addColumn<int>("aEnviar");
    QTest::addColumn<int>("proveedores");
    const QString pend = QStringLiteral("Pendiente");
    QTest::newRow("todos") << QStringList{"Ana|C|351|5551234", "Luis|P|011|5551234", "Eva|M|16|1234567"}
                           << ConfiguracionRemota{} << "Pendiente; Pendiente; Pendiente" << 3 << 3;
    QTest::newRow("nblo") << QStringList{"Ana|C|351|5551234", "Luis|P|011|5551234"}
                          << configuracion(QStringLiteral("0115551234"))
                          << "Pendiente; No enviado: Las directivas de seguridad no permiten enviar mensajes a este "
                             "destinatario"
                          << 1 << 1;
    QTest::newRow("pblo") << QStringList{"Ana|C|351|5551234", "Luis|P|011|5551234"}
                          << configuracion({}, QStringLiteral("argentina - claro"))
                          << "No enviado: Las directivas de seguridad no permiten enviar mensajes a este proveedor; "
                             "Pendiente"
                          << 1 << 1;
    QTest::newRow("psin no omite") << QStringList{"Ana|C|351|5551234"}
                                   << configuracion({}, {}, QStringLiteral("Argentina - Claro")) << pend << 1 << 1;
    QTest::newRow("forma del numero")
        << QStringList{"Ana|C|351|555123", "Eva|M|17|1234567"} << ConfiguracionRemota{}
        << "No enviado: El número de teléfono ingresado no corresponde a un cliente de Argentina - Claro; No enviado: "
           "El número de teléfono ingresado no corresponde a un cliente de Venezuela - Movilnet"
        << 0 << 0;
    QTest::newRow("mismo numero una vez")
        << QStringList{"Ana|C|351|5551234", "Luis|P|3515|551234", "Eva|C|351|5551234"} << ConfiguracionRemota{}
        << "Pendiente; No enviado: Mismo número que Ana: el mensaje se envía una sola vez; No enviado: Mismo número "
           "que Ana: el mensaje se envía una sola vez"
        << 1 << 1;
    QTest::newRow("omitido no cuenta como repetido")
        << QStringList{"Ana|C|351|5551234|El contacto tiene letras en el número", "Eva|C|351|5551234"}
        << ConfiguracionRemota{} << "No enviado: El contacto tiene letras en el número; Pendiente" << 1 << 1;
    QTest::newRow("proveedor desconocido")
        << QStringList{"Ana|Chile - Entel|351|5551234", "Eva|C||5551234"} << ConfiguracionRemota{}
        << "No enviado: NTX Mensajes no puede enviar mensajes al proveedor de este contacto; No enviado: Falta el "
           "código de área o el número de teléfono"
        << 0 << 0;
}

void tst_colaenvio::preparar()
{
    QFETCH(QStringList, filas);
    QFETCH(ConfiguracionRemota, config);
    SistemaFalso reloj;
    LimitesEnvio limites;
    ColaEnvio cola(reloj, limites);
    cola.preparar(base(), destinatarios(filas), config);
    QTEST(estados(cola), "esperado");
    QTEST(cola.aEnviar(), "aEnviar");
    QTEST(cola.proveedores(), "proveedores");
    // Each element is the base message with its own provider, maximum and server.
    const auto &e = cola.elementos().constFirst();
    QCOMPARE(e.mensaje.texto, QStringLiteral("Hola"));
    QCOMPARE(e.mensaje.destinatario.nombre, filas.first().section(QLatin1Char('|'), 0, 0));
    const Proveedor *p = BuscarProveedor(e.mensaje.ProveedorActual);
    QCOMPARE(e.mensaje.maximo, p ? p->maximo : 0);
    QCOMPARE(e.mensaje.ServidorAlternativo,
             config.cargada && e.mensaje.ProveedorActual == Proveedores::Personal ? "otro" : "");
}

void tst_colaenvio::menorMaximo_data()
{
    QTest::addColumn<QStringList>("filas");
    QTest::addColumn<int>("maximo");
    QTest::addColumn<QString>("proveedor");
    QTest::newRow("ninguno") << QStringList{} << 0 << "";
    QTest::newRow("uno") << QStringList{"Ana|P|351|5551234"} << 140 << "Argentina - Personal";
    QTest::newRow("claro manda") << QStringList{"Ana|P|351|5551234", "Luis|C|351|5551235"} << 138
                                 << "Argentina - Claro";
    QTest::newRow("movilnet manda") << QStringList{"Ana|P|351|5551234", "Eva|M|16|1234567", "Luis|C|351|5551235"} << 120
                                    << "Venezuela - Movilnet";
    QTest::newRow("desconocido no cuenta")
        << QStringList{"Ana|X|351|5551234", "Luis|C|351|5551235"} << 138 << "Argentina - Claro";
}

void tst_colaenvio::menorMaximo()
{
    QFETCH(QStringList, filas);
    const MaximoCola m = MenorMaximo(destinatarios(filas));
    QTEST(m.maximo, "maximo");
    QTEST(m.proveedor, "proveedor");
}

void tst_colaenvio::espera_data()
{
    QTest::addColumn<int>("corto");
    QTest::addColumn<int>("largo");
    QTest::addColumn<int>("minutosCorto");
    QTest::addColumn<int>("minutosLargo");
    QTest::addColumn<int>("msDesdeTic");
    QTest::addColumn<qint64>("espera");
    QTest::newRow("cabe") << 7 << 39 << 0 << 0 << 0 << qint64(0);
    QTest::newRow("corta llena, primer minuto") << 8 << 8 << 0 << 0 << 13000 << qint64(107000);
    QTest::newRow("corta llena, segundo minuto") << 8 << 8 << 1 << 1 << 13000 << qint64(47000);
    QTest::newRow("tic atrasado") << 8 << 8 << 1 << 1 << 65000 << qint64(0);
    QTest::newRow("larga llena") << 3 << 40 << 1 << 59 << 30000 << qint64(90000);
    QTest::newRow("las dos, manda la larga") << 8 << 40 << 0 << 60 << 0 << qint64(120000);
}

void tst_colaenvio::espera()
{
    QFETCH(int, msDesdeTic);
    SistemaFalso reloj;
    LimitesEnvio l;
    QFETCH(int, corto);
    QFETCH(int, largo);
    QFETCH(int, minutosCorto);
    QFETCH(int, minutosLargo);
    l.ContadorCorto = qint16(corto);
    l.ContadorLargo = qint16(largo);
    l.minutosCorto = qint16(minutosCorto);
    l.minutosLargo = qint16(minutosLargo);
    l.inicioMinuto = reloj.reloj;
    reloj.avanzar(msDesdeTic);
    QTEST(l.esperaMs(reloj.ahora()), "espera");
}

void tst_colaenvio::colaEsperaLaVentanaYSigue_data()
{
    QTest::addColumn<int>("destinatarios");
    QTest::addColumn<int>("cortoAntes");
    QTest::addColumn<int>("largoAntes");
    QTest::addColumn<int>("primeraTanda");
    QTest::addColumn<int>("minutosHastaSeguir");
    QTest::newRow("nueve: ocho y espera") << 9 << 0 << 0 << 8 << 2;
    QTest::newRow("envio suelto antes") << 9 << 3 << 3 << 5 << 2;
    QTest::newRow("ventana larga casi llena") << 5 << 0 << 38 << 2 << 61;
    QTest::newRow("todo cabe") << 4 << 0 << 0 << 4 << 0;
}

void tst_colaenvio::colaEsperaLaVentanaYSigue()
{
    QFETCH(int, primeraTanda);
    QFETCH(int, minutosHastaSeguir);
    QFETCH(int, destinatarios);
    SistemaFalso reloj;
    LimitesEnvio limites;
    QFETCH(int, cortoAntes);
    QFETCH(int, largoAntes);
    limites.ContadorCorto = qint16(cortoAntes);
    limites.ContadorLargo = qint16(largoAntes);
    limites.inicioMinuto = reloj.reloj;
    QStringList filas;
    for (int i = 0; i < destinatarios; ++i)
        filas.append(QStringLiteral("C%1|C|351|55512%2").arg(i).arg(i, 2, 10, QLatin1Char('0')));
    ColaEnvio cola(reloj, limites);
    cola.preparar(base(), ::destinatarios(filas), {});

    Paso paso;
    qint64 espera = 0;
    QCOMPARE(enviarLoQueCabe(cola, &paso, &espera).size(), primeraTanda);
    if (primeraTanda == destinatarios) {
        QCOMPARE(paso, Paso::Terminada);
        return;
    }
    QCOMPARE(paso, Paso::Esperar);
    // Never beyond the limits, and the wait ends when the full window closes.
    QVERIFY(limites.ContadorCorto <= 8 && limites.ContadorLargo <= 40);
    reloj.avanzar(20000);
    QCOMPARE(cola.siguiente(nullptr, &espera), Paso::Esperar);
    QCOMPARE(espera, qint64(minutosHastaSeguir) * 60000 - 20000);
    for (int m = 0; m < minutosHastaSeguir; ++m) {
        reloj.avanzar(m == 0 ? 40000 : 60000);
        limites.tic(reloj.ahora());
    }
    QCOMPARE(enviarLoQueCabe(cola, &paso, &espera).size(), destinatarios - primeraTanda);
    QCOMPARE(paso, Paso::Terminada);
    QCOMPARE(cola.totales().enviados, destinatarios);
}

void tst_colaenvio::resultadosDetenerYReintentar()
{
    SistemaFalso reloj;
    LimitesEnvio limites;
    ColaEnvio cola(reloj, limites);
    cola.preparar(base(),
                  destinatarios({"Ana|C|351|5551234", "Luis|P|011|5551234", "Eva|C|351|5551235", "Ana2|C|351|5551234",
                                 "Pia|C|351|5551236", "Sol|C|351|5551237"}),
                  {});
    int i = -1;
    QCOMPARE(cola.siguiente(&i), Paso::Enviar);
    cola.terminar(i, ResultadoEnvio{true, QStringLiteral("Claro: Mensaje ha sido enviado al destinatario"), true});
    QCOMPARE(cola.siguiente(&i), Paso::Enviar);
    cola.terminar(i, ResultadoEnvio{false, QStringLiteral("Mensaje no enviado: no se encontró el servicio."), false});
    QCOMPARE(cola.siguiente(&i), Paso::Enviar);
    cola.cancelar(i);
    QCOMPARE(cola.siguiente(&i), Paso::Enviar);
    QCOMPARE(i, 4); // the repeated number is skipped
    cola.detener();
    cola.terminar(i, ResultadoEnvio{true, {}, true}); // the current message still ends
    QCOMPARE(cola.siguiente(&i), Paso::Terminada);
    QCOMPARE(estados(cola), "Enviado; No enviado: Mensaje no enviado: no se encontró el servicio.; Cancelado; No "
                            "enviado: Mismo número que Ana: el mensaje se envía una sola vez; Enviado; Cancelado");
    QCOMPARE(cola.textoTotales(), "Envío a varios destinatarios: 2 enviados, 2 no enviados, 2 cancelados");
    QCOMPARE(limites.ContadorCorto, qint16(4));

    // Only the gateway's failure goes back; the repeated number stays sent once.
    QCOMPARE(cola.reintentar({}), 1);
    QCOMPARE(cola.textoProgreso(1), "Mensaje 1 de 1 — Luis (Argentina - Personal)");
    QCOMPARE(cola.siguiente(&i), Paso::Enviar);
    QCOMPARE(i, 1);
    cola.terminar(i, ResultadoEnvio{true, {}, true});
    QCOMPARE(cola.siguiente(&i), Paso::Terminada);
    QCOMPARE(cola.totales().enviados, 3);
    // A retry whose check now fails keeps it not sent, with the new reason.
    cola.terminar(1, ResultadoEnvio{false, QStringLiteral("x"), true});
    QCOMPARE(cola.reintentar(configuracion(QStringLiteral("0115551234"))), 0);
    QVERIFY(ColaEnvio::textoEstado(cola.elementos().at(1)).contains("destinatario"));
}

void tst_colaenvio::contactoEliminadoMientrasEspera()
{
    SistemaFalso reloj;
    LimitesEnvio limites;
    ColaEnvio cola(reloj, limites);
    QStringList agenda{"Ana", "Luis"};
    cola.sigueEnAgenda = [&agenda](const QString &n) { return agenda.contains(n); };
    cola.preparar(base(), destinatarios({"Ana|C|351|5551234", "Luis|C|351|5551235"}), {});
    agenda.removeAll("Ana");
    int i = -1;
    QCOMPARE(cola.siguiente(&i), Paso::Enviar);
    QCOMPARE(i, 1);
    QCOMPARE(ColaEnvio::textoEstado(cola.elementos().at(0)), "No enviado: El contacto fue eliminado de la Agenda");
    QCOMPARE(limites.ContadorCorto, qint16(1));
}

void tst_colaenvio::textos()
{
    SistemaFalso reloj;
    LimitesEnvio limites;
    ColaEnvio cola(reloj, limites);
    cola.preparar(base(),
                  destinatarios({"Juan|C|351|5551234", "Ana|C|351|555123", "Luis|P|011|5551234", "Eva|C|351|5551236"}),
                  configuracion({}, {}, QStringLiteral("Argentina - Claro")));
    QCOMPARE(cola.textoProgreso(3), "Mensaje 3 de 3 — Eva (Argentina - Claro)");
    QCOMPARE(cola.textoPregunta(configuracion({}, {}, QStringLiteral("Argentina - Claro"))),
             "Se enviarán 3 mensajes a 2 proveedores. Se abrirá la ventana de envío de cada destinatario, una tras "
             "otra.\r\n\r\nNo se enviará a:\r\n · Ana: El número de teléfono ingresado no corresponde a un cliente de "
             "Argentina - Claro\r\n\r\nPuede que los servidores de Argentina - Claro estén fuera de servicio. NTX "
             "Mensajes intentará enviar el mensaje de todos modos.\r\n\r\n¿Desea continuar?");
    QCOMPARE(ColaEnvio::textoEspera(46001), "Esperando 47 s para no superar el límite de envíos");
    QCOMPARE(ColaEnvio::textoEspera(47000), "Esperando 47 s para no superar el límite de envíos");
}

QTEST_APPLESS_MAIN(tst_colaenvio)
#include "tst_colaenvio.moc"

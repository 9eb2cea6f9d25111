// Checks of the send command: fields, limit, directives and send-rate windows.
#include <QTest>

#include "comando/configuracionremota.h"
#include "dobles/dialogosguion.h"
#include "envio/comandoenviar.h"

using Icono = Dialogos::Icono;
using R = ResultadoComandoEnviar;
Q_DECLARE_METATYPE(ResultadoComandoEnviar)
Q_DECLARE_METATYPE(Dialogos::Icono)

namespace {
MensajeSaliente datosBuenos()
{
    MensajeSaliente d;
    d.destinatario.codArea = QStringLiteral("351");
    d.destinatario.numero = QStringLiteral("1234567");
    d.remitente = QStringLiteral("Ana");
    d.texto = QStringLiteral("Hola");
    d.ProveedorActual = QStringLiteral("Argentina - Personal");
    d.cuenta = 7;
    d.maximo = 140;
    return d;
}
const QString kAyudan = QStringLiteral(
    "Las directivas de seguridad ayudan a reducir el número de mensajes enviados con fines publicitarios y molestos");
const QString kSiError = QStringLiteral(
    " · Si cree que este mensaje aparece por error, por favor, pónganse en contacto con ntxVarel! desde el menú Ayuda");
} // namespace

class tst_comandoenviar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void campos_data();
    void campos();
    void directivas_data();
    void directivas();
    void psinAvisaPorCadaEntradaYSigue();
    void sinConfiguracionNoSeMiranListas();
    void pser_data();
    void pser();
    void ventanaCorta();
    void ventanaLarga();
    void rechazoNoCuentaEnvio();
};

void tst_comandoenviar::campos_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<Dialogos::Icono>("icono");
    QTest::addColumn<ResultadoComandoEnviar>("resultado");
    QTest::newRow("sin area") << "codArea"
                              << ""
                              << "Ingrese el código de área y número de teléfono de destino" << Icono::Informacion
                              << R::Rechazado;
    QTest::newRow("sin numero") << "numero"
                                << ""
                                << "Ingrese el código de área y número de teléfono de destino" << Icono::Informacion
                                << R::Rechazado;
    QTest::newRow("alias vacio") << "alias"
                                 << ""
                                 << "Ingrese el Alias, PIN o clave del destinatario del mensaje\r\rEsta clave o "
                                    "alias la conocerá el destinatario del mensaje. Las compañías usan el alias o "
                                    "clave para determinar que usted recibio autorización para mandarle mensajes "
                                    "al cliente."
                                 << Icono::Informacion << R::Rechazado;
    QTest::newRow("alias con blanco") << "alias"
                                      << "ju an"
                                      << "El Alias no puede contener espacios en blanco" << Icono::Informacion
                                      << R::Rechazado;
    QTest::newRow("sin remitente") << "remitente"
                                   << ""
                                   << "Ingrese su nombre en el recuadro 'De:'" << Icono::Informacion << R::Rechazado;
    QTest::newRow("sin mensaje") << "mensaje"
                                 << ""
                                 << "Escriba el mensaje que desee enviar" << Icono::Informacion << R::Rechazado;
    QTest::newRow("uno de mas") << "cuenta"
                                << "141"
                                << "Excedió el número máximo de caracteres que puede enviar este proveedor\r\r"
                                   "Reduzca su mensaje en unos cuantos caracteres e intente nuevamente."
                                << Icono::Exclamacion << R::Rechazado;
    QTest::newRow("justo el maximo") << "cuenta"
                                     << "140"
                                     << "" << Icono::Ninguno << R::Enviar;
    QTest::newRow("alias valido") << "alias"
                                  << "juan"
                                  << "" << Icono::Ninguno << R::Enviar;
}

void tst_comandoenviar::campos()
{
    QFETCH(QString, campo);
    QFETCH(QString, valor);
    QFETCH(QString, texto);
    QFETCH(Dialogos::Icono, icono);
    QFETCH(ResultadoComandoEnviar, resultado);
    MensajeSaliente d = datosBuenos();
    if (campo == QLatin1String("codArea"))
        d.destinatario.codArea = valor;
    else if (campo == QLatin1String("numero"))
        d.destinatario.numero = valor;
    else if (campo == QLatin1String("alias")) {
        d.destinatario.modoAlias = true;
        d.destinatario.alias = valor;
        d.destinatario.codArea.clear(); // the number boxes do not matter in alias mode
    } else if (campo == QLatin1String("remitente"))
        d.remitente = valor;
    else if (campo == QLatin1String("mensaje"))
        d.texto = valor;
    else if (campo == QLatin1String("cuenta"))
        d.cuenta = valor.toInt();
    ConfiguracionRemota config;
    d.ServidorAlternativo = QStringLiteral("viejo");
    qint16 corto = 0, largo = 0;
    DialogosGuion dialogos;
    QCOMPARE(ValidarComandoEnviar(d, config, corto, largo, dialogos), resultado);
    QVERIFY(d.ServidorAlternativo.isEmpty());
    if (texto.isEmpty()) {
        QVERIFY(dialogos.llamadas.isEmpty());
        QCOMPARE(corto, qint16(1));
        QCOMPARE(largo, qint16(1));
    } else {
        QCOMPARE(dialogos.llamadas.size(), 1);
        QCOMPARE(dialogos.llamadas[0].texto, texto);
        QCOMPARE(dialogos.llamadas[0].icono, icono);
        QCOMPARE(dialogos.llamadas[0].titulo, QStringLiteral("NTX Mensajes"));
        QCOMPARE(corto, qint16(0));
    }
}

void tst_comandoenviar::directivas_data()
{
    QTest::addColumn<QString>("configuracion");
    QTest::addColumn<bool>("modoAlias");
    QTest::addColumn<QString>("comienzo"); // start of the one refusal, empty when sent
    QTest::newRow("nblo numero") << "nblo3511234567" << false
                                 << "Las directivas de seguridad de NTX Mensajes no permiten enviar mensajes al "
                                    "destinatario actual.\r\n\r\n" +
                                        kAyudan +
                                        ". Los usuarios que optan por no recibir mensajes de este programa son "
                                        "incluidos dentro de las directivas de seguridad.\r\n\r\n" +
                                        kSiError;
    QTest::newRow("nblo numero distingue") << "nblo351123456" << false << "";
    QTest::newRow("nblo alias sin mayusculas") << "nbloJUAN" << true
                                               << "Las directivas de seguridad de NTX Mensajes no permiten enviar "
                                                  "mensajes al destinatario actual.";
    QTest::newRow("nblo vacio no bloquea") << "nblo" << false << "";
    QTest::newRow("pblo") << "pbloargentina - PERSONAL" << false
                          << "Las directivas de seguridad de NTX Mensajes no permiten enviar mensajes al proveedor "
                             "actual\r\n\r\n" +
                                 kAyudan + "\r\n\r\n" + kSiError +
                                 "\r\n · Puede intentar actualizar su versión de NTX Mensajes, quizá esto "
                                 "solucione el problema";
    QTest::newRow("pblo de otro") << "pbloArgentina - Claro" << false << "";
    QTest::newRow("rblo") << "rbloana" << false
                          << "Las directivas de seguridad de NTX Mensajes no le permiten enviar mensajes\r\n\r\n" +
                                 kAyudan + "\r\n\r\n" + kSiError +
                                 "\r\n · Intente usar otro nombre como remitente del mensaje";
    QTest::newRow("mblo en cualquier caso y lugar")
        << "mbloOFERTA" << false
        << "NTX Mensajes ha detectado que parte del texto del mensaje que intenta enviar ha sido restringido por "
           "una directiva de seguridad. El mensaje no podrá ser enviado.\r\n\r\n" +
               kAyudan + "\r\n\r\n" + kSiError +
               "\r\n · Intente no usar palabras vulgares, lenguaje ofensivo o palabras que puedan ser usadas en "
               "una publicidad";
    QTest::newRow("mblo vacio no bloquea") << "mblo;mblo" << false << "";
    QTest::newRow("nblo antes que pblo") << "pbloArgentina - Personal;nblo3511234567" << false
                                         << "Las directivas de seguridad de NTX Mensajes no permiten enviar "
                                            "mensajes al destinatario actual.";
    QTest::newRow("rblo antes que mblo") << "mblooferta;rbloAna" << false
                                         << "Las directivas de seguridad de NTX Mensajes no le permiten";
}

void tst_comandoenviar::directivas()
{
    QFETCH(QString, configuracion);
    QFETCH(bool, modoAlias);
    QFETCH(QString, comienzo);
    MensajeSaliente d = datosBuenos();
    d.texto = QStringLiteral("Gran oferta hoy");
    d.cuenta = 18;
    d.remitente = QStringLiteral(" Ana ");
    if (modoAlias) {
        d.destinatario.modoAlias = true;
        d.destinatario.alias = QStringLiteral("juan");
    }
    ConfiguracionRemota config;
    LeerConfiguracion(config, configuracion);
    qint16 corto = 0, largo = 0;
    DialogosGuion dialogos;
    const R r = ValidarComandoEnviar(d, config, corto, largo, dialogos);
    if (comienzo.isEmpty()) {
        QCOMPARE(r, R::Enviar);
        QVERIFY(dialogos.llamadas.isEmpty());
        QCOMPARE(corto, qint16(1));
        return;
    }
    QCOMPARE(r, R::Rechazado);
    QCOMPARE(dialogos.llamadas.size(), 1);
    QVERIFY2(dialogos.llamadas[0].texto.startsWith(comienzo), qPrintable(dialogos.llamadas[0].texto));
    QCOMPARE(dialogos.llamadas[0].icono, Icono::Exclamacion);
    QCOMPARE(corto, qint16(0));
    QCOMPARE(largo, qint16(0));
}

void tst_comandoenviar::psinAvisaPorCadaEntradaYSigue()
{
    ConfiguracionRemota config;
    LeerConfiguracion(config,
                      QStringLiteral("psinArgentina - Personal;psinArgentina - Claro;psinARGENTINA - personal"));
    qint16 corto = 0, largo = 0;
    DialogosGuion dialogos;
    MensajeSaliente bueno = datosBuenos();
    QCOMPARE(ValidarComandoEnviar(bueno, config, corto, largo, dialogos), R::Enviar);
    QCOMPARE(dialogos.llamadas.size(), 2);
    const QString texto =
        QStringLiteral("NTX Mensajes ha detectado que el proveedor al cuál está enviando este mensaje puede que "
                       "tenga sus servidores fuera de servicio. Sin embargo, NTX Mensajes intentará enviar el "
                       "mensaje. Si el servidor de este proveedor no está funcionando correctamente su mensaje no "
                       "llegará al destinatario\r\n\r\n · Para más información sobre el estado de los proveedores "
                       "puede consultar la página de Estado de los servicios de ntxVarel! dentro del menú "
                       "Ayuda\r\n") +
        kSiError +
        QStringLiteral("\r\n · Puede intentar actualizar su versión de NTX Mensajes, quizá esto solucione el "
                       "problema");
    QCOMPARE(dialogos.llamadas[0].texto, texto);
    QCOMPARE(dialogos.llamadas[0].icono, Icono::Informacion);
    QCOMPARE(corto, qint16(1));
}

void tst_comandoenviar::sinConfiguracionNoSeMiranListas()
{
    ConfiguracionRemota config; // never parsed
    config.nblo = QStringList{QString(), QStringLiteral("3511234567")};
    qint16 corto = 0, largo = 0;
    DialogosGuion dialogos;
    MensajeSaliente bueno = datosBuenos();
    QCOMPARE(ValidarComandoEnviar(bueno, config, corto, largo, dialogos), R::Enviar);
}

void tst_comandoenviar::pser_data()
{
    QTest::addColumn<QString>("configuracion");
    QTest::addColumn<QString>("proveedor");
    QTest::addColumn<QString>("servidor");
    QTest::newRow("personal") << "pserArgentina - Personal$servidor1$x"
                              << "Argentina - Personal"
                              << "servidor1";
    QTest::newRow("sin segundo signo") << "pserargentina - personal$sms3.ej:81"
                                       << "Argentina - Personal"
                                       << "sms3.ej:81";
    QTest::newRow("nombre mas largo no") << "pserArgentina - Personal2$servidor2"
                                         << "Argentina - Personal"
                                         << "";
    QTest::newRow("otro proveedor") << "pserArgentina - Claro$c1"
                                    << "Argentina - Personal"
                                    << "";
    QTest::newRow("la ultima gana") << "pserArgentina - Personal$a;pserArgentina - Personal$b"
                                    << "Argentina - Personal"
                                    << "b";
    QTest::newRow("host vacio") << "pserArgentina - Personal$"
                                << "Argentina - Personal"
                                << "";
}

void tst_comandoenviar::pser()
{
    QFETCH(QString, configuracion);
    QFETCH(QString, proveedor);
    QFETCH(QString, servidor);
    ConfiguracionRemota config;
    LeerConfiguracion(config, configuracion);
    MensajeSaliente d = datosBuenos();
    d.ProveedorActual = proveedor;
    qint16 corto = 0, largo = 0;
    DialogosGuion dialogos;
    QCOMPARE(ValidarComandoEnviar(d, config, corto, largo, dialogos), R::Enviar);
    QCOMPARE(d.ServidorAlternativo, servidor);
}

void tst_comandoenviar::ventanaCorta()
{
    ConfiguracionRemota config;
    qint16 corto = 0, largo = 0;
    DialogosGuion dialogos;
    MensajeSaliente bueno = datosBuenos();
    for (int i = 1; i <= 8; ++i)
        QCOMPARE(ValidarComandoEnviar(bueno, config, corto, largo, dialogos), R::Enviar);
    QVERIFY(dialogos.llamadas.isEmpty());
    QCOMPARE(ValidarComandoEnviar(bueno, config, corto, largo, dialogos), R::RechazadoLimpiar);
    QCOMPARE(dialogos.llamadas.size(), 1);
    QCOMPARE(dialogos.llamadas[0].texto,
             QStringLiteral("No puede enviar tantos mensajes de texto seguidos, por favor espere unos instantes "
                            "antes de intentar enviar de nuevo.\r\n\r\n") +
                 kAyudan + QLatin1Char('.'));
    QCOMPARE(dialogos.llamadas[0].icono, Icono::Exclamacion);
    QCOMPARE(corto, qint16(9));
    QCOMPARE(largo, qint16(8)); // the long window is not counted when the short one refuses
    corto = 0;                  // the timer closed the short window
    QCOMPARE(ValidarComandoEnviar(bueno, config, corto, largo, dialogos), R::Enviar);
}

void tst_comandoenviar::ventanaLarga()
{
    ConfiguracionRemota config;
    qint16 corto = 0, largo = 0;
    DialogosGuion dialogos;
    MensajeSaliente bueno = datosBuenos();
    for (int i = 1; i <= 40; ++i) {
        corto = 0;
        QCOMPARE(ValidarComandoEnviar(bueno, config, corto, largo, dialogos), R::Enviar);
    }
    corto = 0;
    QCOMPARE(ValidarComandoEnviar(bueno, config, corto, largo, dialogos), R::RechazadoLimpiar);
    QCOMPARE(dialogos.llamadas.size(), 1);
    QVERIFY(dialogos.llamadas[0].texto.startsWith(
        QStringLiteral("No puede enviar tantos mensajes de texto seguidos, por favor espere antes de intentar "
                       "enviar de nuevo.\r\n\r\n")));
    QCOMPARE(largo, qint16(41));
    QCOMPARE(corto, qint16(1));
}

void tst_comandoenviar::rechazoNoCuentaEnvio()
{
    qint16 corto = 32767, largo = 0;
    QCOMPARE(ContarEnvio(corto, largo), LimiteEnvio::VentanaCorta);
    QCOMPARE(corto, qint16(32767)); // saturates instead of wrapping to a negative count
}

QTEST_APPLESS_MAIN(tst_comandoenviar)
#include "tst_comandoenviar.moc"

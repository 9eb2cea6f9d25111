// The three gateway requests, the destination rules and the Personal page helpers.
#include <QTest>

#include "comando/configuracionremota.h"
#include "envio/codificacion.h"
#include "envio/peticiones.h"
#include "envio/proveedores.h"

class tst_peticiones : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tablaDeProveedores();
    void destino_data();
    void destino();
    void cola();
    void claro_data();
    void claro();
    void direccionClaroEnBytes();
    void movilnet_data();
    void movilnet();
    void direccionMovilnetEnBytes();
    void cuerpoPersonal_data();
    void cuerpoPersonal();
    void cuerpoPersonalEnBytes();
    void cabecerasPersonal();
    void direccionPersonal_data();
    void direccionPersonal();
    void paginaPersonal_data();
    void paginaPersonal();
    void archivoImagen_data();
    void archivoImagen();
};

void tst_peticiones::tablaDeProveedores()
{
    const QList<Proveedor> &t = TablaProveedores();
    QCOMPARE(t.size(), 3);
    QCOMPARE(t[0].nombre, QStringLiteral("Argentina - Claro"));
    QCOMPARE(t[0].maximo, 138);
    QCOMPARE(t[1].nombre, QStringLiteral("Argentina - Personal"));
    QCOMPARE(t[1].maximo, 140);
    QCOMPARE(t[1].rotuloCodArea, QStringLiteral("0"));
    QCOMPARE(t[1].rotuloNumero, QStringLiteral("15"));
    QCOMPARE(t[2].nombre, QStringLiteral("Venezuela - Movilnet"));
    QCOMPARE(t[2].maximo, 120);
    QCOMPARE(t[2].rotuloCodArea, QStringLiteral("04"));
    QCOMPARE(t[2].rotuloNumero, QStringLiteral("-"));
    QVERIFY(BuscarProveedor(QStringLiteral("argentina - claro")) == nullptr);
    QCOMPARE(BuscarProveedor(QStringLiteral("Venezuela - Movilnet"))->maximo, 120);
}

void tst_peticiones::destino_data()
{
    QTest::addColumn<QString>("proveedor");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<bool>("valido");
    QTest::newRow("claro 3+7") << "Argentina - Claro"
                               << "351"
                               << "1234567" << true;
    QTest::newRow("claro 3+6") << "Argentina - Claro"
                               << "351"
                               << "123456" << false;
    QTest::newRow("claro 2+8") << "Argentina - Claro"
                               << "11"
                               << "12345678" << true;
    QTest::newRow("personal 4+6") << "Argentina - Personal"
                                  << "2966"
                                  << "123456" << true;
    QTest::newRow("personal 4+7") << "Argentina - Personal"
                                  << "2966"
                                  << "1234567" << false;
    QTest::newRow("personal alias") << "Argentina - Personal"
                                    << ""
                                    << "juan" << false;
    QTest::newRow("movilnet 16") << "Venezuela - Movilnet"
                                 << "16"
                                 << "1234567" << true;
    QTest::newRow("movilnet 26") << "Venezuela - Movilnet"
                                 << "26"
                                 << "1234567" << true;
    QTest::newRow("movilnet 14") << "Venezuela - Movilnet"
                                 << "14"
                                 << "1234567" << false;
    QTest::newRow("movilnet 6 cifras") << "Venezuela - Movilnet"
                                       << "16"
                                       << "123456" << false;
    QTest::newRow("movilnet 8 cifras") << "Venezuela - Movilnet"
                                       << "26"
                                       << "12345678" << false;
    QTest::newRow("proveedor ajeno") << "Chile - Entel"
                                     << "351"
                                     << "1234567" << false;
}

void tst_peticiones::destino()
{
    QFETCH(QString, proveedor);
    QFETCH(QString, area);
    QFETCH(QString, numero);
    QFETCH(bool, valido);
    QCOMPARE(DestinoValido(proveedor, area, numero), valido);
}

void tst_peticiones::cola()
{
    ConfiguracionRemota config;
    QCOMPARE(TextoCola(config), QStringLiteral("ntxvarel.com.ar"));
    QVERIFY(!ColaPredeterminada().contains(QLatin1Char(' ')));
    LeerConfiguracion(config, QStringLiteral("cola;perx1"));
    QCOMPARE(TextoCola(config), QStringLiteral("ntxvarel.com.ar"));
    LeerConfiguracion(config, QStringLiteral("colaVisite nuestro sitio"));
    QCOMPARE(TextoCola(config), QStringLiteral("Visite nuestro sitio"));
}

void tst_peticiones::claro_data()
{
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("remitente");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QString>("cola");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("simple") << "351"
                            << "1234567"
                            << "Ana"
                            << "Hola"
                            << "ntx"
                            << "mensajito=Hola-+ntx&dequien=Ana&numerito=3511234567";
    QTest::newRow("acentos y pregunta de apertura")
        << "11"
        << "55551234"
        << "José Pérez"
        << "¿Cómo estás? Ñandú & más"
        << "ntxvarel.com.ar"
        << "mensajito=%3FComo+estas%3F+Ñandu+%3F+mas-+ntxvarel.com.ar&dequien=Jose+Perez&numerito=1155551234";
    QTest::newRow("cola sin codificar") << "351"
                                        << "1234567"
                                        << "A"
                                        << "b"
                                        << "Visite & vea"
                                        << "mensajito=b-+Visite & vea&dequien=A&numerito=3511234567";
    QTest::newRow("salto de linea y punto y coma") << "351"
                                                   << "1234567"
                                                   << "A"
                                                   << "x;\r\ny"
                                                   << "t"
                                                   << "mensajito=x%2C%0D%0Ay-+t&dequien=A&numerito=3511234567";
}

void tst_peticiones::claro()
{
    QFETCH(QString, area);
    QFETCH(QString, numero);
    QFETCH(QString, remitente);
    QFETCH(QString, mensaje);
    QFETCH(QString, cola);
    QFETCH(QString, esperado);
    QCOMPARE(ConsultaClaro(area, numero, remitente, mensaje, cola), esperado);
}

void tst_peticiones::direccionClaroEnBytes()
{
    const QString consulta = ConsultaClaro(QStringLiteral("11"), QStringLiteral("55551234"), QStringLiteral("Ñoño"),
                                           QStringLiteral("año"), QStringLiteral("t"));
    QCOMPARE(DireccionClaro(QStringLiteral("http://127.0.0.1:4001"), consulta),
             QStringLiteral("http://127.0.0.1:4001/sms/default.aspx?mensajito=a%F1o-+t&dequien=%D1o%F1o&"
                            "numerito=1155551234"));
}

void tst_peticiones::movilnet_data()
{
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("remitente");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("operador 16 es 158")
        << "16"
        << "1234567"
        << "Ana"
        << "Hola"
        << "codigo=158&numero=1234567&mensaje=De+Ana%3A+Hola+-ntx&servicio=movilnet&tipomensaje=SMS";
    QTest::newRow("operador 26 es 199 y acentos conservados")
        << "26"
        << "7654321"
        << "José"
        << "¿Qué tal? & ñ"
        << "codigo=199&numero=7654321&mensaje=De+Jos%E9%3A+%BFQu%E9+tal%3F+%26+ñ+-ntx&servicio=movilnet&"
           "tipomensaje=SMS";
}

void tst_peticiones::movilnet()
{
    QFETCH(QString, area);
    QFETCH(QString, numero);
    QFETCH(QString, remitente);
    QFETCH(QString, mensaje);
    QFETCH(QString, esperado);
    QCOMPARE(ConsultaMovilnet(area, numero, remitente, mensaje, QStringLiteral("ntx")), esperado);
}

void tst_peticiones::direccionMovilnetEnBytes()
{
    const QString consulta = ConsultaMovilnet(QStringLiteral("16"), QStringLiteral("1234567"), QStringLiteral("Iñaki"),
                                              QStringLiteral("mañana"), ColaPredeterminada());
    QCOMPARE(DireccionMovilnet(QStringLiteral("http://127.0.0.1:4002"), consulta),
             QStringLiteral("http://127.0.0.1:4002/smsinternet/validarCliente.jsp?codigo=158&numero=1234567&"
                            "mensaje=De+I%F1aki%3A+ma%F1ana+-ntxvarel.com.ar&servicio=movilnet&tipomensaje=SMS"));
}

void tst_peticiones::cuerpoPersonal_data()
{
    QTest::addColumn<QString>("remitente");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QString>("esperado");
    const QString antes = QStringLiteral("pantalla=&DE_MESG_TXT=ntx&sig=ntx&msgtext=");
    const QString despues = QStringLiteral("&Snb=2966123456&Filename=tmp%2Fabcdefghij0123456789"
                                           "&FormValidar=validar&codigo=4711&Image30.x=13&Image30.y=19");
    QTest::newRow("simple") << "Ana"
                            << "Hola" << antes + "Ana:+Hola" + despues;
    QTest::newRow("separadores de formulario protegidos")
        << "A&B"
        << "1+1=2 & 50% listo" << antes + "A%26B:+1%2B1%3D2+%26+50%25+listo" + despues;
    QTest::newRow("acentos a codigos y dos puntos del remitente")
        << "Jo:sé"
        << "¿Vamos?" << antes + "Jo%3As%E9:+%BFVamos%3F" + despues;
}

void tst_peticiones::cuerpoPersonal()
{
    QFETCH(QString, remitente);
    QFETCH(QString, mensaje);
    QFETCH(QString, esperado);
    QCOMPARE(CuerpoPersonal(QStringLiteral("ntx"), remitente, mensaje, QStringLiteral("2966"), QStringLiteral("123456"),
                            QStringLiteral("tmp%2Fabcdefghij0123456789"), QStringLiteral("4711")),
             esperado);
}

void tst_peticiones::cuerpoPersonalEnBytes()
{
    // Characters the encoder leaves alone travel as their single bytes.
    const QByteArray cuerpo = TextoABytes(
        CuerpoPersonal(QStringLiteral("t"), QStringLiteral("Ñ"), QStringLiteral("año"), QStringLiteral("11"),
                       QStringLiteral("12345678"), QStringLiteral("tmp%2Fx"), QStringLiteral("0000")));
    QVERIFY(cuerpo.contains(QByteArray("&msgtext=\xD1:+a\xF1o&Snb=1112345678&")));
}

void tst_peticiones::cabecerasPersonal()
{
    const QString cabeceras = CabecerasPersonal(QStringLiteral("127.0.0.1:4000"), QStringLiteral("PHPSESSID=abc"));
    QCOMPARE(cabeceras, QStringLiteral("Referer: http://127.0.0.1:4000/Mensajes/sms.php\n"
                                       "Content-Type: application/x-www-form-urlencoded\n"
                                       "Cookie: PHPSESSID=abc"));
    QVERIFY(!cabeceras.contains(QLatin1Char('\r')));
    QVERIFY(!cabeceras.endsWith(QLatin1Char('\n')));
}

void tst_peticiones::direccionPersonal_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("alternativo");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("direccion");
    QTest::newRow("con puerto") << "http://127.0.0.1:4000"
                                << ""
                                << "127.0.0.1:4000"
                                << "http://127.0.0.1:4000/Mensajes/sms.php";
    QTest::newRow("sin puerto") << "http://sms2.personal.com.ar"
                                << ""
                                << "sms2.personal.com.ar"
                                << "http://sms2.personal.com.ar/Mensajes/sms.php";
    QTest::newRow("servidor alternativo") << "http://sms2.personal.com.ar"
                                          << "sms3.personal.com.ar"
                                          << "sms3.personal.com.ar"
                                          << "http://sms3.personal.com.ar/Mensajes/sms.php";
}

void tst_peticiones::direccionPersonal()
{
    QFETCH(QString, base);
    QFETCH(QString, alternativo);
    QFETCH(QString, host);
    QFETCH(QString, direccion);
    QCOMPARE(HostPersonal(base, alternativo), host);
    QCOMPARE(DireccionPersonal(base, alternativo), direccion);
}

void tst_peticiones::paginaPersonal_data()
{
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<QString>("alternativo");
    QTest::addColumn<bool>("esPagina");
    QTest::newRow("exacta") << "http://127.0.0.1:4000/Mensajes/sms.php"
                            << "" << true;
    QTest::newRow("mayusculas") << "HTTP://127.0.0.1:4000/MENSAJES/SMS.PHP?x=1"
                                << "" << true;
    QTest::newRow("otro puerto") << "http://127.0.0.1:4001/Mensajes/sms.php"
                                 << "" << false;
    QTest::newRow("otra ruta") << "http://127.0.0.1:4000/Mensajes/otra.php"
                               << "" << false;
    QTest::newRow("alternativo en uso") << "http://sms3.ejemplo/Mensajes/sms.php"
                                        << "sms3.ejemplo" << true;
    QTest::newRow("alternativo sin usar") << "http://sms3.ejemplo/Mensajes/sms.php"
                                          << "" << false;
}

void tst_peticiones::paginaPersonal()
{
    QFETCH(QString, direccion);
    QFETCH(QString, alternativo);
    QFETCH(bool, esPagina);
    QCOMPARE(EsPaginaPersonal(direccion, QStringLiteral("http://127.0.0.1:4000"), alternativo), esPagina);
}

void tst_peticiones::archivoImagen_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("normal") << "<img src=\"tmp/a1b2c3d4e5f6g7h8i9j0.png\">"
                            << "tmp%2Fa1b2c3d4e5f6g7h8i9j0";
    QTest::newRow("mayusculas") << "<IMG SRC=\"TMP/A1B2C3D4E5F6G7H8I9J0.png\">"
                                << "tmp%2FA1B2C3D4E5F6G7H8I9J0";
    QTest::newRow("la primera") << "x tmp/11111111111111111111 tmp/22222222222222222222"
                                << "tmp%2F11111111111111111111";
    QTest::newRow("sin tmp") << "<html><body>nada de imagen aqui</body></html>"
                             << "tmp%2F<html><body>nada de ";
    QTest::newRow("corta") << "tmp/abc"
                           << "tmp%2Fabc";
}

void tst_peticiones::archivoImagen()
{
    QFETCH(QString, html);
    QFETCH(QString, esperado);
    QCOMPARE(ArchivoImagenDe(html), esperado);
}

QTEST_APPLESS_MAIN(tst_peticiones)
#include "tst_peticiones.moc"

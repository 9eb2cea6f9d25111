// The simulator over real HTTP, in-process: every gateway outcome, the
// session and cookie checks, the inspection paths, every fault mode and the
// bad requests. Expected bytes are written out literally here.
#include "clientehttp.h"

#include "simulador/imagencodigo.h"
#include "simulador/simulador.h"

#include <QElapsedTimer>
#include <QImage>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <QUrlQuery>

#include <memory>
#include <sodium.h>

using Rol = Simulador::Rol;

namespace {
const QStringList kMarcadoresClaro = {QStringLiteral("Mensaje Enviado"), QStringLiteral("NO TIENE SERVICIO"),
                                      QStringLiteral("NO EXISTE"), QStringLiteral("NO TIENE ACTUALMENTE HABILITADO"),
                                      QStringLiteral("Ingreso incorrecto")};
const QStringList kMarcadoresMovilnet = {QStringLiteral("mensaje fue enviado"),
                                         QStringLiteral("mensaje no fue enviado")};

// The first marker found, in the client's order and without regard to case.
QString primerMarcador(const QString &html, const QStringList &marcadores)
{
    for (const QString &m : marcadores) {
        if (html.contains(m, Qt::CaseInsensitive))
            return m;
    }
    return {};
}

QByteArray galleta(const RespuestaHttp &r)
{
    const QByteArray valor = r.cabecera("Set-Cookie");
    return valor.left(valor.indexOf(';'));
}

// The 20 characters after the first "tmp/", as the client takes them.
QString imagenDe(const QString &html)
{
    const qsizetype i = html.indexOf(QLatin1String("tmp/"), 0, Qt::CaseInsensitive);
    return i < 0 ? QString() : html.mid(i + 4, 20);
}

QString sesionDelFormulario(const QString &html)
{
    const QRegularExpression re(QStringLiteral("name=\"sesion\" value=\"([a-z0-9]+)\""));
    return re.match(html).captured(1);
}

QByteArray cuerpoPersonal(const QString &imagen, const QString &codigo, const QByteArray &msgtext = "Juan:+Hola",
                          const QByteArray &snb = "1151234567")
{
    return "pantalla=&DE_MESG_TXT=NTXsim&sig=NTXsim&msgtext=" + msgtext + "&Snb=" + snb + "&Filename=tmp%2F" +
           imagen.toLatin1() + "&FormValidar=validar&codigo=" + codigo.toLatin1() + "&Image30.x=13&Image30.y=19";
}

const QList<QPair<QByteArray, QByteArray>> kFormulario = {{"Content-Type", "application/x-www-form-urlencoded"}};
// A fixed key pair for the signatures the simulator serves: tests check them with libsodium itself.
struct ParPrueba
{
    QByteArray publica = QByteArray(crypto_sign_PUBLICKEYBYTES, '\0');
    QByteArray secreta = QByteArray(crypto_sign_SECRETKEYBYTES, '\0');
    ParPrueba()
    {
        const QByteArray semilla(crypto_sign_SEEDBYTES, 's');
        if (sodium_init() >= 0)
            crypto_sign_seed_keypair(reinterpret_cast<unsigned char *>(publica.data()),
                                     reinterpret_cast<unsigned char *>(secreta.data()),
                                     reinterpret_cast<const unsigned char *>(semilla.constData()));
    }
    bool verifica(const QByteArray &datos, const QByteArray &firma) const
    {
        return firma.size() == crypto_sign_BYTES &&
               crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(firma.constData()),
                                           reinterpret_cast<const unsigned char *>(datos.constData()),
                                           static_cast<unsigned long long>(datos.size()),
                                           reinterpret_cast<const unsigned char *>(publica.constData())) == 0;
    }
};
const ParPrueba kPar;
} // namespace

class PruebaSimulador : public QObject
{
    Q_OBJECT

    std::unique_ptr<Simulador> m_sim;
    ClienteHttp m_cliente;

    QString url(Rol rol, const QString &ruta) const { return m_sim->base(rol) + ruta; }
    RespuestaHttp get(Rol rol, const QString &ruta, const QByteArray &cookie = {})
    {
        QList<QPair<QByteArray, QByteArray>> cabeceras;
        if (!cookie.isEmpty())
            cabeceras.append({"Cookie", cookie});
        return m_cliente.get(url(rol, ruta), cabeceras);
    }
    RespuestaHttp post(Rol rol, const QString &ruta, const QByteArray &cuerpo, const QByteArray &cookie = {},
                       const QByteArray &tipo = "application/x-www-form-urlencoded")
    {
        QList<QPair<QByteArray, QByteArray>> cabeceras;
        if (!tipo.isEmpty())
            cabeceras.append({"Content-Type", tipo});
        if (!cookie.isEmpty())
            cabeceras.append({"Cookie", cookie});
        return m_cliente.post(url(rol, ruta), cuerpo, cabeceras);
    }
    QString codigo(Rol rol, const QString &sesion = {})
    {
        const RespuestaHttp r = get(rol, sesion.isEmpty() ? QStringLiteral("/_sim/codigo")
                                                          : QStringLiteral("/_sim/codigo?sesion=") + sesion);
        return r.estado == 200 ? r.texto() : QString();
    }
    QJsonArray mensajes(Rol rol) { return get(rol, QStringLiteral("/_sim/mensajes")).lista(); }
    QJsonArray peticiones(Rol rol, const QString &filtro = {})
    {
        return get(rol, QStringLiteral("/_sim/peticiones") + filtro).lista();
    }
    void modo(const QString &consulta)
    {
        const RespuestaHttp r = get(Rol::Sitio, QStringLiteral("/_sim/modo?") + consulta);
        QCOMPARE(r.estado, 200);
    }

    // A Claro or Movilnet form, opened with the given query.
    QString abrirFormulario(Rol rol, const QString &rutaYConsulta)
    {
        const RespuestaHttp r = get(rol, rutaYConsulta);
        if (r.estado != 200)
            return {};
        return sesionDelFormulario(r.texto());
    }

private slots:
    void initTestCase()
    {
        Simulador::Ajustes ajustes;
        ajustes.semilla = 20250101;
        ajustes.claveSecreta = kPar.secreta;
        m_sim = std::make_unique<Simulador>(ajustes);
        QString error;
        QVERIFY2(m_sim->iniciar(&error), qPrintable(error));
        QSet<quint16> puertos;
        for (int i = 0; i < Simulador::kCantidadRoles; ++i)
            puertos.insert(m_sim->puerto(static_cast<Rol>(i)));
        QCOMPARE(puertos.size(), 4);
        QVERIFY(!puertos.contains(0));
    }

    void init() { QCOMPARE(get(Rol::Sitio, QStringLiteral("/_sim/limpiar")).estado, 200); }

    // ---- The maker's site ----

    void sitio_data()
    {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<int>("estado");
        QTest::addColumn<QString>("contiene");
        QTest::newRow("inicio con noticias") << "/ntxbin/princ/princ2_5" << 200 << "Novedades";
        QTest::newRow("inicio con mnsje")
            << "/ntxbin/princ/princ2_5" << 200 << "href=\"ntx://mnsje/1Aviso/2Hay_novedades/F\"";
        QTest::newRow("inicio con princ") << "/ntxbin/princ/princ2_5" << 200 << "href=\"ntx://princ\"";
        QTest::newRow("inicio con pagina del sitio")
            << "/ntxbin/princ/princ2_5" << 200 << "href=\"/ntxbin/mensajes.htm\"";
        QTest::newRow("publicidad") << "/ntxbin/pub/pub2_5" << 200 << "Publicidad";
        QTest::newRow("avisos") << "/ntxbin/mensajes.htm" << 200 << "Avisos";
        QTest::newRow("redireccion") << "/ir/?id=25" << 200 << "enlace 25";
        QTest::newRow("redireccion otra") << "/ir/?id=13" << 200 << "enlace 13";
        QTest::newRow("redireccion sin id") << "/ir/" << 400 << "Falta";
        QTest::newRow("redireccion id no numerico") << "/ir/?id=abc" << 400 << "Falta";
        QTest::newRow("version de otro numero") << "/ntxbin/act_ver_2_4_0.htm" << 404 << "Error 404";
        QTest::newRow("inexistente") << "/no/existe" << 404 << "Error 404";
        QTest::newRow("otro sitio") << "/otro" << 200 << "no es de NTX";
        QTest::newRow("órdenes") << "/ntxbin/comandos.htm" << 200 << "href=\"ntx://sales\"";
        QTest::newRow("órdenes sin seguir") << "/ntxbin/comandos.htm?seguir=otra" << 200 << "</ul></body>";
        QTest::newRow("órdenes que siguen sales")
            << "/ntxbin/comandos.htm?seguir=sales" << 200 << "getElementById('comandoSales').href; window.location";
        QTest::newRow("órdenes que mueven la de arriba") << "/ntxbin/comandos.htm?seguir=actdw&arriba=1" << 200
                                                         << "getElementById('comandoActdw').href; window.top.location";
        QTest::newRow("marco propio") << "/ntxbin/marco.htm?seguir=actdw" << 200
                                      << "src=\"/ntxbin/comandos.htm?seguir=actdw\"";
        QTest::newRow("descarga corta") << "/ntxbin/descarga/corta/ntxmensajes.exe" << 200 << "#!/bin/sh";
    }
    void sitio()
    {
        QFETCH(QString, ruta);
        QFETCH(int, estado);
        QFETCH(QString, contiene);
        const RespuestaHttp r = get(Rol::Sitio, ruta);
        QCOMPARE(r.estado, estado);
        QVERIFY2(r.texto().contains(contiene), qPrintable(r.texto()));
    }

    void inicioEnlazaSitioAjenoEnOtroPuerto()
    {
        const RespuestaHttp r = get(Rol::Sitio, QStringLiteral("/ntxbin/princ/princ2_5"));
        QVERIFY(r.texto().contains(QStringLiteral("href=\"") + m_sim->base(Rol::Personal) + QStringLiteral("/otro\"")));
        QCOMPARE(get(Rol::Personal, QStringLiteral("/otro")).estado, 200);
    }

    void ordenesEnOtroPuertoYMarcoAjeno()
    {
        const RespuestaHttp ajena = get(Rol::Personal, QStringLiteral("/otro/comandos?seguir=actdw"));
        QCOMPARE(ajena.estado, 200);
        // The download it offers is the maker's, whatever port shows the page.
        QVERIFY(ajena.texto().contains(
            QStringLiteral("href=\"ntx://actdw/1127.0.0.1:%1/ntxbin/descarga/ntxmensajes.exe/241123/F\"")
                .arg(m_sim->puerto(Rol::Sitio))));
        const RespuestaHttp marco = get(Rol::Sitio, QStringLiteral("/ntxbin/marco.htm?seguir=sales&ajeno=1"));
        QVERIFY2(marco.texto().contains(QStringLiteral("src=\"") + m_sim->base(Rol::Personal) +
                                        QStringLiteral("/otro/comandos?seguir=sales\"")),
                 qPrintable(marco.texto()));
    }

    void descargaCortaYGuion()
    {
        this->modo(QStringLiteral("actualizacion=corta"));
        const QString html = get(Rol::Sitio, QStringLiteral("/ntxbin/act_ver_2_5_0.htm")).texto();
        QVERIFY(html.contains(QStringLiteral("ntx://actdw/1127.0.0.1:%1/ntxbin/descarga/corta/ntxmensajes.exe/241123/F")
                                  .arg(m_sim->puerto(Rol::Sitio))));
        const RespuestaHttp corta = get(Rol::Sitio, QStringLiteral("/ntxbin/descarga/corta/ntxmensajes.exe"));
        QCOMPARE(corta.cuerpo, Simulador::contenidoDescarga().left(Simulador::kTamanoDescarga / 2));
        // The whole file is a script that ends before its padding.
        const QByteArray guion = Simulador::contenidoDescarga();
        QCOMPARE(guion.size(), Simulador::kTamanoDescarga);
        QVERIFY(guion.startsWith("#!/bin/sh\n"));
        QVERIFY(guion.contains("/ntx-instalador-ejecutado\"\nexit 0\n"));
    }

    void sitioSoloGet() { QCOMPARE(post(Rol::Sitio, QStringLiteral("/ntxbin/princ/princ2_5"), "x=1").estado, 405); }

    void configuracion_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("cuerpo");
        QTest::newRow("por omision") << QString()
                                     << QByteArray("<body style=\"white-space:pre\">ntxconfweb1.2;"
                                                   "colaNTXsimulador</body>");
        QTest::newRow("directivas") << QStringLiteral("colaHola;psinArgentina - Claro;perx400")
                                    << QByteArray("<body style=\"white-space:pre\">ntxconfweb1.2;colaHola;psinArgentina"
                                                  " - Claro;perx400</body>");
        QTest::newRow("marcado escapado")
            << QStringLiteral("mbloa<b&c") << QByteArray("ntxconfweb1.2;mbloa&lt;b&amp;c</body>");
        QTest::newRow("vacio") << QStringLiteral("") << QByteArray(">ntxconfweb1.2;</body>");
    }
    void configuracion()
    {
        QFETCH(QString, texto);
        QFETCH(QByteArray, cuerpo);
        if (!texto.isNull()) {
            QUrlQuery q;
            q.addQueryItem(QStringLiteral("config"), QString(texto).replace(QLatin1Char('&'), QStringLiteral("%26")));
            modo(q.toString(QUrl::FullyEncoded));
        }
        const RespuestaHttp r = get(Rol::Sitio, QStringLiteral("/ntxbin/conf/2_5"));
        QCOMPARE(r.estado, 200);
        QVERIFY2(r.cuerpo.contains(cuerpo), r.cuerpo.constData());
    }

    void configuracionPorPost()
    {
        const RespuestaHttp r =
            post(Rol::Sitio, QStringLiteral("/_sim/config"), "colaÑandú;nblo0111", {}, "text/plain; charset=utf-8");
        QCOMPARE(r.estado, 200);
        QCOMPARE(get(Rol::Sitio, QStringLiteral("/_sim/config")).texto(), QStringLiteral("colaÑandú;nblo0111"));
        QVERIFY(get(Rol::Sitio, QStringLiteral("/ntxbin/conf/2_5"))
                    .texto()
                    .contains(QStringLiteral("ntxconfweb1.2;colaÑandú;nblo0111<")));
        // Cleaning goes back to the text given at start.
        init();
        QCOMPARE(get(Rol::Sitio, QStringLiteral("/_sim/config")).texto(), QStringLiteral("colaNTXsimulador"));
    }

    void actualizacion_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<QString>("comando");
        QTest::addColumn<bool>("automatica");
        QTest::addColumn<QString>("carpeta"); // under /ntxbin/descarga/
        QTest::newRow("ninguna") << "ninguna" << QString() << false << QString();
        QTest::newRow("ofrecer") << "ofrecer"
                                 << "actdw" << false << QString();
        QTest::newRow("obligar") << "obligar"
                                 << "actdf" << true << QString();
        QTest::newRow("alterada") << "alterada"
                                  << "actdw" << false << "alterada/";
        QTest::newRow("sin firma") << "sinfirma"
                                   << "actdw" << false << "sinfirma/";
        QTest::newRow("otra clave") << "otraclave"
                                    << "actdw" << false << "otraclave/";
    }
    void actualizacion()
    {
        QFETCH(QString, modo);
        QFETCH(QString, comando);
        QFETCH(bool, automatica);
        QFETCH(QString, carpeta);
        this->modo(QStringLiteral("actualizacion=") + modo);
        const RespuestaHttp r = get(Rol::Sitio, QStringLiteral("/ntxbin/act_ver_2_5_0.htm"));
        QCOMPARE(r.estado, 200);
        const QString html = r.texto();
        QCOMPARE(html.contains(QLatin1String("<script>")), automatica);
        if (comando.isEmpty()) {
            QVERIFY(html.contains(QStringLiteral("versión más reciente")));
            QVERIFY(!html.contains(QLatin1String("ntx://")));
            return;
        }
        const QRegularExpression re(QStringLiteral("href=\"(ntx://[^\"]+)\""));
        const QString enlace = re.match(html).captured(1);
        QCOMPARE(enlace.left(11), QStringLiteral("ntx://") + comando);
        // Cut it the way the client does: first "/1", first "/2", the last two characters "/F".
        const qsizetype uno = enlace.indexOf(QLatin1String("/1"), 0, Qt::CaseInsensitive);
        const qsizetype dos = enlace.indexOf(QLatin1String("/2"), 0, Qt::CaseInsensitive);
        QVERIFY(uno > 0 && dos > uno);
        QVERIFY(enlace.endsWith(QLatin1String("/F")));
        const QString direccion = enlace.mid(uno + 2, dos - uno - 2);
        const QString tamano = enlace.mid(dos + 2, enlace.size() - dos - 4);
        QCOMPARE(direccion, QStringLiteral("127.0.0.1:%1/ntxbin/descarga/%2ntxmensajes.exe")
                                .arg(m_sim->puerto(Rol::Sitio))
                                .arg(carpeta));
        QCOMPARE(tamano, QStringLiteral("41123"));
        const RespuestaHttp archivo = m_cliente.get(QStringLiteral("http://") + direccion);
        QCOMPARE(archivo.estado, 200);
        QCOMPARE(archivo.cuerpo.size(), tamano.toLongLong());
        QCOMPARE(archivo.cabecera("Content-Type"), QByteArray("application/octet-stream"));
        // The signature beside it, at the same address plus ".sig".
        const RespuestaHttp firma = m_cliente.get(QStringLiteral("http://") + direccion + QStringLiteral(".sig"));
        if (modo == QLatin1String("alterada")) {
            // One byte changed, the same size, and the true file's signature.
            QCOMPARE(archivo.cuerpo, Simulador::contenidoAlterado());
            qsizetype distintos = 0;
            for (qsizetype i = 0; i < archivo.cuerpo.size(); ++i)
                distintos += archivo.cuerpo.at(i) != Simulador::contenidoDescarga().at(i);
            QCOMPARE(distintos, 1);
            QVERIFY(kPar.verifica(Simulador::contenidoDescarga(), firma.cuerpo));
            QVERIFY(!kPar.verifica(archivo.cuerpo, firma.cuerpo));
            return;
        }
        QCOMPARE(archivo.cuerpo, Simulador::contenidoDescarga());
        if (modo == QLatin1String("sinfirma")) {
            QCOMPARE(firma.estado, 404);
            return;
        }
        QCOMPARE(firma.estado, 200);
        QCOMPARE(firma.cuerpo.size(), 64);
        // Signed with the simulator's key, or, for "otraclave", with one that is not it.
        QCOMPARE(kPar.verifica(archivo.cuerpo, firma.cuerpo), modo != QLatin1String("otraclave"));
    }

    // Without a secret key nothing is signed: every signature is missing.
    void sinClaveNoHayFirmas()
    {
        Simulador::Ajustes ajustes;
        Simulador sim(ajustes);
        QString error;
        QVERIFY2(sim.iniciar(&error), qPrintable(error));
        const RespuestaHttp firma =
            m_cliente.get(sim.base(Rol::Sitio) + QStringLiteral("/ntxbin/descarga/ntxmensajes.exe.sig"));
        QCOMPARE(firma.estado, 404);
        QCOMPARE(m_cliente.get(sim.base(Rol::Sitio) + QStringLiteral("/ntxbin/descarga/otra.exe.sig")).estado, 404);
    }

    // ---- Personal ----

    void personalPaginaEImagen()
    {
        const RespuestaHttp r = get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"));
        QCOMPARE(r.estado, 200);
        const QByteArray cookie = galleta(r);
        QVERIFY2(QRegularExpression(QStringLiteral("^PHPSESSID=[a-z0-9]{24}$"))
                     .match(QString::fromLatin1(cookie))
                     .hasMatch(),
                 cookie.constData());
        const QString html = r.texto();
        const QString imagen = imagenDe(html);
        QVERIFY2(QRegularExpression(QStringLiteral("^[a-z0-9]{16}\\.png$")).match(imagen).hasMatch(),
                 qPrintable(imagen));
        // The image sits where the client scrolls to: 425 down, 18 across.
        QVERIFY(html.contains(QStringLiteral("src=\"tmp/") + imagen +
                              QStringLiteral("\" width=\"100\" height=\"40\" alt=\"\" "
                                             "style=\"position:absolute;top:425px;left:18px")));
        QVERIFY(html.contains(QLatin1String("<!DOCTYPE html>")));
        QVERIFY(!html.contains(QLatin1String("ingresado es incorrecto"), Qt::CaseInsensitive));

        const RespuestaHttp png = get(Rol::Personal, QStringLiteral("/Mensajes/tmp/") + imagen);
        QCOMPARE(png.estado, 200);
        QCOMPARE(png.cabecera("Content-Type"), QByteArray("image/png"));
        const QImage dibujo = QImage::fromData(png.cuerpo, "PNG");
        QCOMPARE(dibujo.size(), QSize(100, 40));
        // The PNG holds the session's current code.
        const QString sesion = QString::fromLatin1(cookie.mid(10));
        QCOMPARE(png.cuerpo, pngDelCodigo(codigo(Rol::Personal, sesion)));
        QCOMPARE(codigo(Rol::Personal), codigo(Rol::Personal, sesion));
        QCOMPARE(get(Rol::Personal, QStringLiteral("/Mensajes/tmp/noexiste0000000a.png")).estado, 404);
    }

    void personalMismaSesionNuevaImagen()
    {
        const RespuestaHttp primera = get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"));
        const QByteArray cookie = galleta(primera);
        const RespuestaHttp segunda = get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"), cookie);
        QCOMPARE(segunda.estado, 200);
        QVERIFY(segunda.cabecera("Set-Cookie").isEmpty());
        QVERIFY(imagenDe(segunda.texto()) != imagenDe(primera.texto()));
        // A cookie the gateway never gave starts a new session.
        const RespuestaHttp ajena = get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"), "PHPSESSID=inventada");
        QVERIFY(ajena.cabecera("Set-Cookie").startsWith("PHPSESSID="));
        QVERIFY(galleta(ajena) != "PHPSESSID=inventada");
    }

    void personalEnvio_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<int>("estado");
        QTest::addColumn<QString>("contiene");
        QTest::addColumn<bool>("guardado");
        QTest::newRow("codigo correcto") << "correcto" << 200 << "fue enviado correctamente" << true;
        QTest::newRow("codigo equivocado") << "codigo" << 200 << "El código ingresado es incorrecto" << false;
        QTest::newRow("imagen equivocada") << "imagen" << 200 << "El código ingresado es incorrecto" << false;
        QTest::newRow("sin cookie") << "sincookie" << 403 << "Sesión inexistente" << false;
        QTest::newRow("cookie desconocida") << "otracookie" << 403 << "Sesión inexistente" << false;
        QTest::newRow("campos fuera de orden") << "orden" << 400 << "fuera de orden" << false;
        QTest::newRow("falta un campo") << "falta" << 400 << "incompletos" << false;
        QTest::newRow("campo desconocido se ignora") << "demas" << 200 << "fue enviado correctamente" << true;
        QTest::newRow("campo repetido") << "repetido" << 400 << "incompletos" << false;
        QTest::newRow("sin tipo de contenido") << "tipo" << 415 << "formulario" << false;
    }
    void personalEnvio()
    {
        QFETCH(QString, caso);
        QFETCH(int, estado);
        QFETCH(QString, contiene);
        QFETCH(bool, guardado);
        const RespuestaHttp pagina = get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"));
        QByteArray cookie = galleta(pagina);
        QString imagen = imagenDe(pagina.texto());
        QString clave = codigo(Rol::Personal);
        QCOMPARE(clave.size(), 4);
        QByteArray tipo = "application/x-www-form-urlencoded";
        QByteArray cuerpo = cuerpoPersonal(imagen, clave);
        if (caso == QLatin1String("codigo"))
            cuerpo = cuerpoPersonal(imagen,
                                    clave == QLatin1String("0000") ? QStringLiteral("0001") : QStringLiteral("0000"));
        else if (caso == QLatin1String("imagen"))
            cuerpo = cuerpoPersonal(QStringLiteral("aaaaaaaaaaaaaaaa.png"), clave);
        else if (caso == QLatin1String("sincookie"))
            cookie.clear();
        else if (caso == QLatin1String("otracookie"))
            cookie = "PHPSESSID=inventada";
        else if (caso == QLatin1String("orden"))
            cuerpo = "DE_MESG_TXT=x&pantalla=&sig=x&msgtext=a&Snb=1&Filename=tmp%2F" + imagen.toLatin1() +
                     "&FormValidar=validar&codigo=" + clave.toLatin1() + "&Image30.x=13&Image30.y=19";
        else if (caso == QLatin1String("falta"))
            cuerpo.replace("&Image30.y=19", "");
        else if (caso == QLatin1String("demas"))
            cuerpo += "&extra=1";
        else if (caso == QLatin1String("repetido"))
            cuerpo += "&codigo=" + clave.toLatin1();
        else if (caso == QLatin1String("tipo"))
            tipo.clear();

        const RespuestaHttp r = post(Rol::Personal, QStringLiteral("/Mensajes/sms.php"), cuerpo, cookie, tipo);
        QCOMPARE(r.estado, estado);
        QVERIFY2(r.texto().contains(contiene), qPrintable(r.texto()));
        QCOMPARE(mensajes(Rol::Personal).size(), guardado ? 1 : 0);
        if (estado == 200 && !guardado) {
            // A wrong answer brings a new image, and the old one is no longer the one to answer.
            const QString nueva = imagenDe(r.texto());
            QVERIFY(!nueva.isEmpty());
            QVERIFY(nueva != imagen);
            QCOMPARE(get(Rol::Personal, QStringLiteral("/Mensajes/tmp/") + nueva).estado, 200);
            // Answering the new image now works.
            const RespuestaHttp bien = post(Rol::Personal, QStringLiteral("/Mensajes/sms.php"),
                                            cuerpoPersonal(nueva, codigo(Rol::Personal)), cookie);
            QVERIFY(bien.texto().contains(QLatin1String("fue enviado correctamente")));
        }
        if (guardado) {
            // The answer page is taller than the client's answer view scrolls.
            QVERIFY(r.texto().contains(QLatin1String("min-height:600px")));
            QVERIFY(!r.texto().contains(QLatin1String("ingresado es incorrecto"), Qt::CaseInsensitive));
        }
    }

    void personalCodigoSirveUnaVez()
    {
        const RespuestaHttp pagina = get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"));
        const QByteArray cookie = galleta(pagina);
        const QByteArray cuerpo = cuerpoPersonal(imagenDe(pagina.texto()), codigo(Rol::Personal));
        QVERIFY(post(Rol::Personal, QStringLiteral("/Mensajes/sms.php"), cuerpo, cookie)
                    .texto()
                    .contains(QLatin1String("fue enviado")));
        const RespuestaHttp repetido = post(Rol::Personal, QStringLiteral("/Mensajes/sms.php"), cuerpo, cookie);
        QVERIFY2(repetido.texto().contains(QStringLiteral("El código ingresado es incorrecto")),
                 qPrintable(QStringLiteral("%1 %2 %3").arg(repetido.estado).arg(repetido.error).arg(repetido.texto())));
        QCOMPARE(mensajes(Rol::Personal).size(), 1);
    }

    void personalAmpersandSinCodificarCortaElMensaje()
    {
        const RespuestaHttp pagina = get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"));
        const QByteArray cuerpo =
            cuerpoPersonal(imagenDe(pagina.texto()), codigo(Rol::Personal), "Ana:+Pan & queso", "3515550000");
        QCOMPARE(post(Rol::Personal, QStringLiteral("/Mensajes/sms.php"), cuerpo, galleta(pagina)).estado, 200);
        const QJsonArray lista = mensajes(Rol::Personal);
        QCOMPARE(lista.size(), 1);
        QCOMPARE(lista[0].toObject().value("texto").toString(), QStringLiteral("Pan "));
    }

    void personalMensajeDecodificado()
    {
        const RespuestaHttp pagina = get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"));
        const QByteArray cookie = galleta(pagina);
        const QByteArray cuerpo = cuerpoPersonal(imagenDe(pagina.texto()), codigo(Rol::Personal),
                                                 "Jos%E9:+%BFQu%E9+tal%3F+Ma%F1ana", "3515550000");
        QCOMPARE(post(Rol::Personal, QStringLiteral("/Mensajes/sms.php"), cuerpo, cookie).estado, 200);
        const QJsonArray lista = mensajes(Rol::Personal);
        QCOMPARE(lista.size(), 1);
        const QJsonObject m = lista[0].toObject();
        QCOMPARE(m.value("proveedor").toString(), QStringLiteral("Argentina - Personal"));
        QCOMPARE(m.value("destino").toString(), QStringLiteral("3515550000"));
        QCOMPARE(m.value("remitente").toString(), QStringLiteral("José"));
        QCOMPARE(m.value("texto").toString(), QStringLiteral("¿Qué tal? Mañana"));
        QCOMPARE(m.value("campos").toObject().value("DE_MESG_TXT").toString(), QStringLiteral("NTXsim"));
        QCOMPARE(m.value("campos").toObject().value("Filename").toString().left(4), QStringLiteral("tmp/"));
    }

    // ---- Claro ----

    void claro_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<bool>("codigoCorrecto");
        QTest::addColumn<QString>("marcador");
        QTest::newRow("enviado") << "3511234567" << true << "Mensaje Enviado";
        QTest::newRow("sin servicio") << "3511230001" << true << "NO TIENE SERVICIO";
        QTest::newRow("no existe") << "3511230002" << true << "NO EXISTE";
        QTest::newRow("no habilitado") << "3511230003" << true << "NO TIENE ACTUALMENTE HABILITADO";
        QTest::newRow("0004 se envia") << "3511230004" << true << "Mensaje Enviado";
        QTest::newRow("codigo equivocado") << "3511234567" << false << "Ingreso incorrecto";
        QTest::newRow("codigo antes que el numero") << "3511230001" << false << "Ingreso incorrecto";
    }
    void claro()
    {
        QFETCH(QString, numero);
        QFETCH(bool, codigoCorrecto);
        QFETCH(QString, marcador);
        const RespuestaHttp formulario =
            get(Rol::Claro,
                QStringLiteral("/sms/default.aspx?mensajito=Hola+%F1o%F1o-+NTXsim&dequien=Jos%E9&numerito=") + numero);
        QCOMPARE(formulario.estado, 200);
        QVERIFY(formulario.cabecera("Set-Cookie").startsWith("ASP.NET_SessionId="));
        // The form itself carries none of the answers.
        QCOMPARE(primerMarcador(formulario.texto(), kMarcadoresClaro), QString());
        const QString sesion = sesionDelFormulario(formulario.texto());
        QVERIFY(!sesion.isEmpty());
        QVERIFY(formulario.texto().contains(QStringLiteral("src=\"/sms/imagen.aspx?sesion=") + sesion));
        QString clave = codigo(Rol::Claro, sesion);
        if (!codigoCorrecto)
            clave = clave == QLatin1String("9999") ? QStringLiteral("1111") : QStringLiteral("9999");
        const RespuestaHttp r = post(Rol::Claro, QStringLiteral("/sms/default.aspx"),
                                     "sesion=" + sesion.toLatin1() + "&codigo=" + clave.toLatin1());
        QCOMPARE(r.estado, 200);
        QCOMPARE(primerMarcador(r.texto(), kMarcadoresClaro), marcador);
        QVERIFY(r.texto().contains(QLatin1String("min-height:600px")));
        const QJsonArray lista = mensajes(Rol::Claro);
        QCOMPARE(lista.size(), marcador == QLatin1String("Mensaje Enviado") ? 1 : 0);
        if (!lista.isEmpty()) {
            const QJsonObject m = lista[0].toObject();
            QCOMPARE(m.value("proveedor").toString(), QStringLiteral("Argentina - Claro"));
            QCOMPARE(m.value("destino").toString(), numero);
            QCOMPARE(m.value("remitente").toString(), QStringLiteral("José"));
            QCOMPARE(m.value("texto").toString(), QStringLiteral("Hola ñoño- NTXsim"));
        }
    }

    void claroReintentoTrasCodigoEquivocado()
    {
        const QString sesion =
            abrirFormulario(Rol::Claro, QStringLiteral("/sms/default.aspx?mensajito=a&dequien=b&numerito=3511234567"));
        const QString clave = codigo(Rol::Claro, sesion);
        const QString mala = clave == QLatin1String("0000") ? QStringLiteral("0001") : QStringLiteral("0000");
        const QByteArray prefijo = "sesion=" + sesion.toLatin1() + "&codigo=";
        QVERIFY(post(Rol::Claro, QStringLiteral("/sms/default.aspx"), prefijo + mala.toLatin1())
                    .texto()
                    .contains(QLatin1String("Ingreso incorrecto")));
        QCOMPARE(codigo(Rol::Claro, sesion), clave);
        QVERIFY(post(Rol::Claro, QStringLiteral("/sms/default.aspx"), prefijo + clave.toLatin1())
                    .texto()
                    .contains(QLatin1String("Mensaje Enviado")));
        // Once answered, the same form is not taken again.
        QCOMPARE(post(Rol::Claro, QStringLiteral("/sms/default.aspx"), prefijo + clave.toLatin1()).estado, 410);
        QCOMPARE(mensajes(Rol::Claro).size(), 1);
    }

    void claroSesionPorCookie()
    {
        const RespuestaHttp formulario =
            get(Rol::Claro, QStringLiteral("/sms/default.aspx?mensajito=a&dequien=b&numerito=3511234567"));
        const QString sesion = sesionDelFormulario(formulario.texto());
        const RespuestaHttp r = post(Rol::Claro, QStringLiteral("/sms/default.aspx"),
                                     "codigo=" + codigo(Rol::Claro, sesion).toLatin1(), galleta(formulario));
        QVERIFY(r.texto().contains(QLatin1String("Mensaje Enviado")));
    }

    void claroImagen()
    {
        const QString sesion =
            abrirFormulario(Rol::Claro, QStringLiteral("/sms/default.aspx?mensajito=a&dequien=b&numerito=1"));
        const RespuestaHttp png = get(Rol::Claro, QStringLiteral("/sms/imagen.aspx?sesion=") + sesion);
        QCOMPARE(png.estado, 200);
        QCOMPARE(png.cuerpo, pngDelCodigo(codigo(Rol::Claro, sesion)));
        QCOMPARE(get(Rol::Claro, QStringLiteral("/sms/imagen.aspx?sesion=nada")).estado, 404);
    }

    // ---- Movilnet ----

    void movilnet_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<bool>("codigoCorrecto");
        QTest::addColumn<QString>("marcador");
        QTest::newRow("enviado") << "1234567" << true << "mensaje fue enviado";
        QTest::newRow("cliente inactivo") << "1230000" << true << "mensaje no fue enviado";
        QTest::newRow("codigo equivocado") << "1234567" << false << "mensaje no fue enviado";
    }
    void movilnet()
    {
        QFETCH(QString, numero);
        QFETCH(bool, codigoCorrecto);
        QFETCH(QString, marcador);
        const RespuestaHttp formulario =
            get(Rol::Movilnet,
                QStringLiteral("/smsinternet/validarCliente.jsp?codigo=158&numero=") + numero +
                    QStringLiteral("&mensaje=De+Ana%3A+Hola+Jos%E9+-NTXsim&servicio=movilnet&tipomensaje=SMS"));
        QCOMPARE(formulario.estado, 200);
        QVERIFY(formulario.cabecera("Set-Cookie").startsWith("JSESSIONID="));
        QVERIFY(formulario.texto().contains(QStringLiteral("<span id=\"numero\">158 ") + numero +
                                            QStringLiteral("</span>")));
        QCOMPARE(primerMarcador(formulario.texto(), kMarcadoresMovilnet), QString());
        const QString sesion = sesionDelFormulario(formulario.texto());
        QString clave = codigo(Rol::Movilnet, sesion);
        QCOMPARE(clave, codigo(Rol::Movilnet));
        if (!codigoCorrecto)
            clave = clave == QLatin1String("9999") ? QStringLiteral("1111") : QStringLiteral("9999");
        const RespuestaHttp r = post(Rol::Movilnet, QStringLiteral("/smsinternet/enviarMensaje.jsp"),
                                     "sesion=" + sesion.toLatin1() + "&clave=" + clave.toLatin1());
        QCOMPARE(r.estado, 200);
        QCOMPARE(primerMarcador(r.texto(), kMarcadoresMovilnet), marcador);
        const QJsonArray lista = mensajes(Rol::Movilnet);
        QCOMPARE(lista.size(), marcador == QLatin1String("mensaje fue enviado") ? 1 : 0);
        if (!lista.isEmpty()) {
            const QJsonObject m = lista[0].toObject();
            QCOMPARE(m.value("proveedor").toString(), QStringLiteral("Venezuela - Movilnet"));
            QCOMPARE(m.value("destino").toString(), numero);
            QCOMPARE(m.value("remitente").toString(), QStringLiteral("Ana"));
            QCOMPARE(m.value("texto").toString(), QStringLiteral("De Ana: Hola José -NTXsim"));
            QCOMPARE(m.value("campos").toObject().value("codigo").toString(), QStringLiteral("158"));
        }
        // One try per message.
        QCOMPARE(post(Rol::Movilnet, QStringLiteral("/smsinternet/enviarMensaje.jsp"),
                      "sesion=" + sesion.toLatin1() + "&clave=" + clave.toLatin1())
                     .estado,
                 410);
    }

    // ---- Bad requests at the gateways ----

    void peticionesIncompletas_data()
    {
        QTest::addColumn<int>("rol");
        QTest::addColumn<QByteArray>("metodo");
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QByteArray>("cuerpo");
        QTest::addColumn<int>("estado");
        QTest::newRow("claro sin numerito")
            << int(Rol::Claro) << QByteArray("GET") << "/sms/default.aspx?mensajito=a&dequien=b" << QByteArray() << 400;
        QTest::newRow("claro numerito vacio")
            << int(Rol::Claro) << QByteArray("GET")
            << "/sms/default.aspx?mensajito=a&dequien=b&numerito=" << QByteArray() << 400;
        QTest::newRow("claro sin mensajito")
            << int(Rol::Claro) << QByteArray("GET") << "/sms/default.aspx?dequien=b&numerito=1" << QByteArray() << 400;
        QTest::newRow("claro sin dequien") << int(Rol::Claro) << QByteArray("GET")
                                           << "/sms/default.aspx?mensajito=a&numerito=1" << QByteArray() << 400;
        QTest::newRow("claro post sin codigo")
            << int(Rol::Claro) << QByteArray("POST") << "/sms/default.aspx" << QByteArray("sesion=abc") << 400;
        QTest::newRow("claro post sin sesion")
            << int(Rol::Claro) << QByteArray("POST") << "/sms/default.aspx" << QByteArray("codigo=1234") << 400;
        QTest::newRow("claro sesion desconocida") << int(Rol::Claro) << QByteArray("POST") << "/sms/default.aspx"
                                                  << QByteArray("sesion=abc&codigo=1234") << 403;
        QTest::newRow("claro ruta desconocida")
            << int(Rol::Claro) << QByteArray("GET") << "/sms/otra.aspx" << QByteArray() << 404;
        QTest::newRow("claro metodo") << int(Rol::Claro) << QByteArray("PUT") << "/sms/default.aspx" << QByteArray()
                                      << 405;
        const QString movilnet = QStringLiteral("/smsinternet/validarCliente.jsp?");
        const QStringList campos = {"codigo=158", "numero=1234567", "mensaje=De+a%3A+b", "servicio=movilnet",
                                    "tipomensaje=SMS"};
        for (int i = 0; i < campos.size(); ++i) {
            QStringList sinUno = campos;
            const QString quitado = sinUno.takeAt(i);
            QTest::addRow("movilnet sin %s", qPrintable(quitado.section(QLatin1Char('='), 0, 0)))
                << int(Rol::Movilnet) << QByteArray("GET") << movilnet + sinUno.join(QLatin1Char('&')) << QByteArray()
                << 400;
        }
        QTest::newRow("movilnet post sin clave") << int(Rol::Movilnet) << QByteArray("POST")
                                                 << "/smsinternet/enviarMensaje.jsp" << QByteArray("sesion=abc") << 400;
        QTest::newRow("movilnet sesion desconocida")
            << int(Rol::Movilnet) << QByteArray("POST") << "/smsinternet/enviarMensaje.jsp"
            << QByteArray("sesion=x&clave=1") << 403;
        QTest::newRow("movilnet validar por post") << int(Rol::Movilnet) << QByteArray("POST")
                                                   << "/smsinternet/validarCliente.jsp" << QByteArray("a=1") << 405;
        QTest::newRow("personal metodo") << int(Rol::Personal) << QByteArray("DELETE") << "/Mensajes/sms.php"
                                         << QByteArray() << 405;
        QTest::newRow("personal ruta desconocida")
            << int(Rol::Personal) << QByteArray("GET") << "/Mensajes/otra.php" << QByteArray() << 404;
    }
    void peticionesIncompletas()
    {
        QFETCH(int, rol);
        QFETCH(QByteArray, metodo);
        QFETCH(QString, ruta);
        QFETCH(QByteArray, cuerpo);
        QFETCH(int, estado);
        const RespuestaHttp r = m_cliente.pedir(metodo, url(static_cast<Rol>(rol), ruta), cuerpo, kFormulario);
        QCOMPARE(r.estado, estado);
        QCOMPARE(mensajes(static_cast<Rol>(rol)).size(), 0);
    }

    void transporteInvalido_data()
    {
        QTest::addColumn<QList<QByteArray>>("piezas");
        QTest::addColumn<QByteArray>("estado");
        QTest::newRow("linea de peticion invalida")
            << QList<QByteArray>{"BASURA\r\n\r\n"} << QByteArray("HTTP/1.1 400 ");
        QTest::newRow("destino sin barra")
            << QList<QByteArray>{"GET nada HTTP/1.1\r\n\r\n"} << QByteArray("HTTP/1.1 400 ");
        QTest::newRow("version ausente") << QList<QByteArray>{"GET / FTP\r\n\r\n"} << QByteArray("HTTP/1.1 400 ");
        QTest::newRow("cabecera sin dos puntos")
            << QList<QByteArray>{"GET / HTTP/1.1\r\nHost x\r\n\r\n"} << QByteArray("HTTP/1.1 400 ");
        QTest::newRow("largo invalido") << QList<QByteArray>{"POST /x HTTP/1.1\r\nContent-Length: diez\r\n\r\n"}
                                        << QByteArray("HTTP/1.1 400 ");
        QTest::newRow("largo negativo") << QList<QByteArray>{"POST /x HTTP/1.1\r\nContent-Length: -5\r\n\r\n"}
                                        << QByteArray("HTTP/1.1 400 ");
        QTest::newRow("cuerpo demasiado grande")
            << QList<QByteArray>{"POST /Mensajes/sms.php HTTP/1.1\r\nContent-Length: 100000000\r\n\r\nabc"}
            << QByteArray("HTTP/1.1 413 ");
        QTest::newRow("cuerpo en trozos")
            << QList<QByteArray>{"POST /x HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n"}
            << QByteArray("HTTP/1.1 411 ");
        QTest::newRow("cabecera interminable")
            << QList<QByteArray>{"GET / HTTP/1.1\r\nX-Larga: " + QByteArray(40000, 'a')} << QByteArray("HTTP/1.1 431 ");
        QTest::newRow("peticion en pedazos")
            << QList<QByteArray>{"GET /ot", "ro HTTP/1.1\r\nHo", "st: x\r\n", "\r\n"} << QByteArray("HTTP/1.1 200 OK");
        QTest::newRow("cuerpo en pedazos")
            << QList<QByteArray>{"POST /sms/default.aspx HTTP/1.1\r\nContent-Length: 20\r\n\r\nsesion=",
                                 "nada&codigo=1"}
            << QByteArray("HTTP/1.1 403 ");
    }
    void transporteInvalido()
    {
        QFETCH(QList<QByteArray>, piezas);
        QFETCH(QByteArray, estado);
        const QByteArray respuesta = intercambioCrudo(m_sim->puerto(Rol::Claro), piezas);
        QVERIFY2(respuesta.startsWith(estado), respuesta.left(200).constData());
        // The server is still there for the next one.
        QCOMPARE(get(Rol::Claro, QStringLiteral("/_sim/peticiones")).estado, 200);
    }

    void dosPeticionesEnUnaConexion()
    {
        const QByteArray respuesta =
            intercambioCrudo(m_sim->puerto(Rol::Sitio),
                             {"GET /ir/?id=1 HTTP/1.1\r\nHost: x\r\n\r\nGET /ir/?id=2 HTTP/1.1\r\nHost: x\r\n\r\n"}, 2);
        QCOMPARE(respuesta.count("HTTP/1.1 200 OK"), 2);
        QVERIFY(respuesta.indexOf("enlace 1") < respuesta.indexOf("enlace 2"));
        QCOMPARE(respuesta.count("Connection: keep-alive"), 2);
    }

    void cierreAPedido()
    {
        const QByteArray respuesta =
            intercambioCrudo(m_sim->puerto(Rol::Sitio), {"GET /ir/?id=1 HTTP/1.1\r\nConnection: close\r\n\r\n"});
        QVERIFY(respuesta.startsWith("HTTP/1.1 200 OK"));
        QVERIFY(respuesta.contains("Connection: close\r\n"));
    }

    // ---- Inspection ----

    void registroByteABytes()
    {
        const QByteArray cuerpo("a=\xF1\0\xFF+%", 7);
        const QByteArray peticion = "POST /Mensajes/sms.php?x=%F1+y HTTP/1.1\r\n"
                                    "Host: 127.0.0.1\r\n"
                                    "Referer: http://127.0.0.1/Mensajes/sms.php\r\n"
                                    "Content-Type: application/x-www-form-urlencoded\r\n"
                                    "Cookie: PHPSESSID=abc\r\n"
                                    "Content-Length: 7\r\n\r\n" +
                                    cuerpo;
        const QByteArray respuesta = intercambioCrudo(m_sim->puerto(Rol::Personal), {peticion});
        QVERIFY(respuesta.startsWith("HTTP/1.1 403 "));
        const QJsonArray lista = peticiones(Rol::Personal);
        QCOMPARE(lista.size(), 1);
        const QJsonObject p = lista[0].toObject();
        QCOMPARE(p.value("rol").toString(), QStringLiteral("personal"));
        QCOMPARE(p.value("metodo").toString(), QStringLiteral("POST"));
        QCOMPARE(p.value("ruta").toString(), QStringLiteral("/Mensajes/sms.php"));
        QCOMPARE(p.value("consulta").toString(), QStringLiteral("x=%F1+y"));
        QCOMPARE(p.value("destino").toString(), QStringLiteral("/Mensajes/sms.php?x=%F1+y"));
        QCOMPARE(QByteArray::fromBase64(p.value("cuerpoBase64").toString().toLatin1()), cuerpo);
        QCOMPARE(p.value("cuerpoLatin1").toString(), QString::fromLatin1(cuerpo));
        QCOMPARE(p.value("cuerpoBase64").toString(), QStringLiteral("YT3xAP8rJQ=="));
        const QJsonArray cabeceras = p.value("cabeceras").toArray();
        QStringList nombres;
        for (const QJsonValue &c : cabeceras)
            nombres << c.toArray().at(0).toString();
        QCOMPARE(nombres, (QStringList{"Host", "Referer", "Content-Type", "Cookie", "Content-Length"}));
        QCOMPARE(cabeceras.at(1).toArray().at(1).toString(), QStringLiteral("http://127.0.0.1/Mensajes/sms.php"));
        QCOMPARE(cabeceras.at(3).toArray().at(1).toString(), QStringLiteral("PHPSESSID=abc"));
    }

    void registroPorRol()
    {
        QSignalSpy registradas(m_sim.get(), &Simulador::peticionRegistrada);
        get(Rol::Claro, QStringLiteral("/sms/default.aspx?mensajito=a&dequien=b&numerito=1"));
        get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"));
        get(Rol::Personal, QStringLiteral("/favicon.ico"));
        QCOMPARE(registradas.size(), 2);
        QCOMPARE(peticiones(Rol::Personal).size(), 1);
        QCOMPARE(peticiones(Rol::Claro).size(), 1);
        QCOMPARE(peticiones(Rol::Sitio).size(), 0);
        QCOMPARE(peticiones(Rol::Sitio, QStringLiteral("?rol=todos")).size(), 2);
        const QJsonArray soloClaro = peticiones(Rol::Personal, QStringLiteral("?rol=claro"));
        QCOMPARE(soloClaro.size(), 1);
        QCOMPARE(soloClaro[0].toObject().value("consulta").toString(),
                 QStringLiteral("mensajito=a&dequien=b&numerito=1"));
        QCOMPARE(peticiones(Rol::Sitio, QStringLiteral("?rol=claro,personal")).size(), 2);
        QCOMPARE(get(Rol::Sitio, QStringLiteral("/_sim/peticiones?rol=telefonica")).estado, 400);
        QCOMPARE(get(Rol::Sitio, QStringLiteral("/_sim/otra")).estado, 404);
    }

    void codigoDeLaUltimaSesion()
    {
        QCOMPARE(get(Rol::Claro, QStringLiteral("/_sim/codigo")).estado, 404);
        QCOMPARE(get(Rol::Sitio, QStringLiteral("/_sim/codigo")).estado, 404);
        const QString primera =
            abrirFormulario(Rol::Claro, QStringLiteral("/sms/default.aspx?mensajito=a&dequien=b&numerito=1"));
        const QString segunda =
            abrirFormulario(Rol::Claro, QStringLiteral("/sms/default.aspx?mensajito=a&dequien=b&numerito=2"));
        QVERIFY(primera != segunda);
        QCOMPARE(codigo(Rol::Claro), codigo(Rol::Claro, segunda));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}$")).match(codigo(Rol::Claro, primera)).hasMatch());
        QCOMPARE(get(Rol::Claro, QStringLiteral("/_sim/codigo?sesion=nada")).estado, 404);
        // Each role answers with its own latest session.
        QCOMPARE(get(Rol::Personal, QStringLiteral("/_sim/codigo")).estado, 404);
    }

    void limpiarBorraTodo()
    {
        const RespuestaHttp pagina = get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"));
        const QByteArray cookie = galleta(pagina);
        post(Rol::Personal, QStringLiteral("/Mensajes/sms.php"),
             cuerpoPersonal(imagenDe(pagina.texto()), codigo(Rol::Personal)), cookie);
        modo(QStringLiteral("falla=500&rol=claro&retraso=5&actualizacion=obligar"));
        QCOMPARE(mensajes(Rol::Personal).size(), 1);
        QCOMPARE(get(Rol::Sitio, QStringLiteral("/_sim/limpiar")).estado, 200);
        QCOMPARE(mensajes(Rol::Personal).size(), 0);
        QCOMPARE(peticiones(Rol::Personal).size(), 0);
        QCOMPARE(get(Rol::Personal, QStringLiteral("/_sim/codigo")).estado, 404);
        // The session is gone too.
        QCOMPARE(post(Rol::Personal, QStringLiteral("/Mensajes/sms.php"),
                      cuerpoPersonal(QStringLiteral("x"), QStringLiteral("1")), cookie)
                     .estado,
                 403);
        QCOMPARE(m_sim->modo().falla, Simulador::Falla::Ninguna);
        QCOMPARE(m_sim->modo().retrasoMs, 0);
        QVERIFY(get(Rol::Sitio, QStringLiteral("/ntxbin/act_ver_2_5_0.htm"))
                    .texto()
                    .contains(QStringLiteral("versión más reciente")));
    }

    // ---- Faults ----

    void fallas_data()
    {
        QTest::addColumn<QString>("falla");
        QTest::addColumn<int>("estado");
        QTest::addColumn<bool>("errorDeRed");
        QTest::addColumn<QString>("contiene");
        QTest::newRow("500") << "500" << 500 << true << "Error 500";
        QTest::newRow("desconocida") << "desconocida" << 200 << false << "mantenimiento";
        QTest::newRow("cortar") << "cortar" << 200 << true << QString();
    }
    void fallas()
    {
        QFETCH(QString, falla);
        QFETCH(int, estado);
        QFETCH(bool, errorDeRed);
        QFETCH(QString, contiene);
        modo(QStringLiteral("falla=") + falla + QStringLiteral("&rol=personal"));
        const RespuestaHttp r = get(Rol::Personal, QStringLiteral("/Mensajes/sms.php"));
        QCOMPARE(r.estado, estado);
        QCOMPARE(r.error != QNetworkReply::NoError, errorDeRed);
        QVERIFY(!r.texto().contains(QLatin1String("tmp/")));
        QVERIFY(r.cabecera("Set-Cookie").isEmpty());
        if (!contiene.isEmpty())
            QVERIFY2(r.texto().contains(contiene), qPrintable(r.texto()));
        // The faulty request is still recorded, no session was opened, and other roles are untouched.
        QCOMPARE(peticiones(Rol::Personal).size(), 1);
        QCOMPARE(get(Rol::Personal, QStringLiteral("/_sim/codigo")).estado, 404);
        const RespuestaHttp claro =
            get(Rol::Claro, QStringLiteral("/sms/default.aspx?mensajito=a&dequien=b&numerito=1"));
        QCOMPARE(claro.estado, 200);
        QCOMPARE(claro.error, QNetworkReply::NoError);
        modo(QStringLiteral("falla=ninguna"));
        QVERIFY(
            imagenDe(get(Rol::Personal, QStringLiteral("/Mensajes/sms.php")).texto()).endsWith(QLatin1String(".png")));
    }

    void cortarDejaLaRespuestaIncompleta()
    {
        modo(QStringLiteral("falla=cortar&rol=sitio"));
        const QByteArray crudo =
            intercambioCrudo(m_sim->puerto(Rol::Sitio), {"GET /ntxbin/princ/princ2_5 HTTP/1.1\r\nHost: x\r\n\r\n"});
        const qsizetype fin = crudo.indexOf("\r\n\r\n");
        QVERIFY(fin > 0);
        const QRegularExpression re(QStringLiteral("Content-Length: (\\d+)"));
        const qsizetype anunciado = re.match(QString::fromLatin1(crudo.left(fin))).captured(1).toLongLong();
        const qsizetype recibido = crudo.size() - fin - 4;
        QVERIFY(anunciado > 0);
        QVERIFY2(recibido < anunciado, qPrintable(QStringLiteral("%1 de %2").arg(recibido).arg(anunciado)));
    }

    void fallaEnTodosLosRoles()
    {
        modo(QStringLiteral("falla=500&rol=todos"));
        for (int i = 0; i < Simulador::kCantidadRoles; ++i)
            QCOMPARE(get(static_cast<Rol>(i), QStringLiteral("/otro")).estado, 500);
        // The inspection paths never fail.
        QCOMPARE(get(Rol::Claro, QStringLiteral("/_sim/peticiones")).estado, 200);
    }

    void retraso()
    {
        modo(QStringLiteral("retraso=400&rol=movilnet"));
        QElapsedTimer reloj;
        reloj.start();
        const RespuestaHttp r = get(Rol::Movilnet, QStringLiteral("/otro"));
        QVERIFY(reloj.elapsed() >= 400);
        QCOMPARE(r.estado, 200);
        QVERIFY(r.texto().contains(QLatin1String("no es de NTX")));
        // Recorded on arrival, before the answer left.
        QCOMPARE(peticiones(Rol::Movilnet).size(), 1);
    }

    void retrasoNoMezclaRespuestas()
    {
        modo(QStringLiteral("retraso=200&rol=sitio"));
        const QByteArray respuesta =
            intercambioCrudo(m_sim->puerto(Rol::Sitio),
                             {"GET /ir/?id=7 HTTP/1.1\r\nHost: x\r\n\r\nGET /ir/?id=8 HTTP/1.1\r\nHost: x\r\n\r\n"}, 2);
        QCOMPARE(respuesta.count("HTTP/1.1 200 OK"), 2);
        QVERIFY(respuesta.indexOf("enlace 7") >= 0);
        QVERIFY(respuesta.indexOf("enlace 7") < respuesta.indexOf("enlace 8"));
    }

    void modoInvalido_data()
    {
        QTest::addColumn<QString>("consulta");
        QTest::newRow("falla") << "falla=tal";
        QTest::newRow("rol") << "falla=500&rol=telefonica";
        QTest::newRow("retraso") << "retraso=-1";
        QTest::newRow("retraso texto") << "retraso=mucho";
        QTest::newRow("actualizacion") << "actualizacion=quizas";
    }
    void modoInvalido()
    {
        QFETCH(QString, consulta);
        QCOMPARE(get(Rol::Sitio, QStringLiteral("/_sim/modo?") + consulta).estado, 400);
        QCOMPARE(m_sim->modo().falla, Simulador::Falla::Ninguna);
        QCOMPARE(m_sim->modo().retrasoMs, 0);
        QCOMPARE(get(Rol::Personal, QStringLiteral("/otro")).estado, 200);
    }

    void modoSeLee()
    {
        const RespuestaHttp r = get(Rol::Claro, QStringLiteral("/_sim/modo?falla=cortar&rol=claro,movilnet&retraso=3"));
        const QJsonObject estado = QJsonDocument::fromJson(r.cuerpo).object();
        QCOMPARE(estado.value("falla").toString(), QStringLiteral("cortar"));
        QCOMPARE(estado.value("retraso").toInt(), 3);
        QCOMPARE(estado.value("roles").toArray(), (QJsonArray{"claro", "movilnet"}));
        // Without parameters it only reports.
        QCOMPARE(QJsonDocument::fromJson(get(Rol::Sitio, QStringLiteral("/_sim/modo")).cuerpo).object(), estado);
    }

    // ---- The image ----

    void imagenDibujaLosDigitos()
    {
        auto oscuros = [](const QImage &img) {
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    n += qGray(img.pixel(x, y)) < 100 ? 1 : 0;
            return n;
        };
        const QImage ochos = dibujarCodigo(QStringLiteral("8888"));
        const QImage unos = dibujarCodigo(QStringLiteral("1111"));
        QCOMPARE(ochos.size(), QSize(100, 40));
        QVERIFY(oscuros(unos) > 0);
        QVERIFY(oscuros(ochos) > 2 * oscuros(unos));
        QVERIFY(pngDelCodigo(QStringLiteral("1234")) != pngDelCodigo(QStringLiteral("1235")));
        QCOMPARE(pngDelCodigo(QStringLiteral("1234")), pngDelCodigo(QStringLiteral("1234")));
    }

    // ---- Life cycle ----

    void cerrarConRespuestaPendiente()
    {
        Simulador::Ajustes ajustes;
        ajustes.modo.retrasoMs = 60000;
        auto otro = std::make_unique<Simulador>(ajustes);
        QString error;
        QVERIFY(otro->iniciar(&error));
        QNetworkAccessManager red;
        QSignalSpy registrada(otro.get(), &Simulador::peticionRegistrada);
        QNetworkReply *respuesta = red.get(QNetworkRequest(QUrl(otro->base(Rol::Sitio) + QStringLiteral("/otro"))));
        QVERIFY(registrada.wait(ClienteHttp::kEspera));
        QSignalSpy terminada(respuesta, &QNetworkReply::finished);
        otro.reset();
        QVERIFY(terminada.wait(ClienteHttp::kEspera));
        QVERIFY(respuesta->error() != QNetworkReply::NoError);
        delete respuesta;
    }

    void puertoOcupado()
    {
        Simulador::Ajustes ajustes;
        ajustes.puertos[2] = m_sim->puerto(Rol::Claro);
        Simulador otro(ajustes);
        QString error;
        QVERIFY(!otro.iniciar(&error));
        QVERIFY2(error.contains(QLatin1String("claro")), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(PruebaSimulador)
#include "tst_simulador.moc"

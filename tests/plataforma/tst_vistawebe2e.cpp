// The real web view against ntxsimulador: what the gateways receive is read
// back from the simulator's inspection paths, and the expected bytes are
// written here literally.
#include "plataforma/vistawebmotor.h"
#include "vistawebprincipal.h"

#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace {

constexpr int Espera = 30000;

struct Cancelable
{
    QStringList antes;
    QList<QPair<QString, int>> errores;
    QString prefijoCancelado;

    void escuchar(VistaWeb &v)
    {
        QObject::connect(&v, &VistaWeb::antesDeNavegar, &v,
                         [this](const QString &d, const QString &, const QByteArray &, const QString &, bool &c) {
                             antes.append(d);
                             if (!prefijoCancelado.isEmpty() && d.startsWith(prefijoCancelado)) {
                                 c = true;
                             }
                         });
        QObject::connect(&v, &VistaWeb::errorDeNavegacion, &v,
                         [this](const QString &d, const QString &, int codigo, bool &) {
                             errores.append({d, codigo});
                         });
    }
};

bool cargar(VistaWeb &v, const QString &direccion)
{
    QSignalSpy listo(&v, &VistaWeb::documentoCompleto);
    v.navegar(direccion);
    return listo.wait(Espera);
}

QVariant evaluar(VistaWebMotor &v, const QString &script)
{
    QVariant resultado;
    bool hecho = false;
    v.motor()->page()->runJavaScript(script, [&](const QVariant &r) {
        resultado = r;
        hecho = true;
    });
    if (!QTest::qWaitFor([&] { return hecho; }, Espera)) {
        return {};
    }
    return resultado;
}

// Distinct colours in an image: a blank or unpainted view has one.
int colores(const QImage &imagen)
{
    QSet<QRgb> vistos;
    for (int y = 0; y < imagen.height(); y += 2) {
        for (int x = 0; x < imagen.width(); x += 2) {
            vistos.insert(imagen.pixel(x, y));
        }
    }
    return int(vistos.size());
}

} // namespace

class PruebaVistaWebE2E : public QObject
{
    Q_OBJECT

private:
    QProcess simulador_;
    QNetworkAccessManager red_;
    QString sitio_;
    QString personal_;

    QByteArray pedir(const QString &direccion, const QByteArray &cuerpo = {})
    {
        QNetworkRequest pedido{QUrl(direccion)};
        QNetworkReply *r = cuerpo.isNull() ? red_.get(pedido) : red_.post(pedido, cuerpo);
        QSignalSpy fin(r, &QNetworkReply::finished);
        if (!r->isFinished() && !fin.wait(Espera)) {
            r->deleteLater();
            return {};
        }
        r->deleteLater();
        return r->readAll();
    }

    QJsonArray peticiones(const QString &base)
    {
        return QJsonDocument::fromJson(pedir(base + QStringLiteral("/_sim/peticiones"))).array();
    }

    static QByteArray cabecera(const QJsonObject &peticion, const QByteArray &nombre)
    {
        const QJsonArray cabeceras = peticion.value(QStringLiteral("cabeceras")).toArray();
        for (const QJsonValue &c : cabeceras) {
            if (c.toArray().at(0).toString().compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0) {
                return c.toArray().at(1).toString().toLatin1();
            }
        }
        return {};
    }

    // Image name as the Personal window takes it: the 20 characters after "tmp/".
    static QString imagenDe(const QString &html)
    {
        const qsizetype i = html.indexOf(QLatin1String("tmp/"), 0, Qt::CaseInsensitive);
        return i < 0 ? QString() : html.mid(i + 4, 20);
    }

    QString paginaPersonal() const { return personal_ + QStringLiteral("/Mensajes/sms.php"); }

private Q_SLOTS:
    void initTestCase()
    {
        const QString programa = QStringLiteral(NTX_BIN_DIR "/ntxsimulador");
        QVERIFY2(QFile::exists(programa), qPrintable(programa));
        simulador_.setProgram(programa);
        simulador_.setArguments({QStringLiteral("--sitio"), QStringLiteral("0"), QStringLiteral("--personal"),
                                 QStringLiteral("0"), QStringLiteral("--claro"), QStringLiteral("0"),
                                 QStringLiteral("--movilnet"), QStringLiteral("0")});
        simulador_.start();
        QVERIFY(simulador_.waitForStarted(Espera));
        QByteArray salida;
        QTRY_VERIFY_WITH_TIMEOUT((salida += simulador_.readAllStandardOutput()).contains("NTX_MOVILNET="), Espera);
        for (const QByteArray &linea : salida.split('\n')) {
            if (linea.startsWith("NTX_SITIO=")) {
                sitio_ = QString::fromLatin1(linea.mid(10).trimmed());
            } else if (linea.startsWith("NTX_PERSONAL=")) {
                personal_ = QString::fromLatin1(linea.mid(13).trimmed());
            }
        }
        QVERIFY(sitio_.startsWith(QLatin1String("http://127.0.0.1:")));
        QVERIFY(personal_.startsWith(QLatin1String("http://127.0.0.1:")));
    }

    void init() { pedir(sitio_ + QStringLiteral("/_sim/limpiar")); }

    void cleanupTestCase()
    {
        simulador_.kill();
        simulador_.waitForFinished(Espera);
    }

    void get_textoDeLaConfiguracion()
    {
        VistaWebMotor v;
        QVERIFY(cargar(v, sitio_ + QStringLiteral("/ntxbin/conf/2_5")));
        QVERIFY2(v.textoCuerpo().startsWith(QLatin1String("ntxconfweb1.2")), qPrintable(v.textoCuerpo()));
        QCOMPARE(v.textoCuerpo().mid(14), QStringLiteral("colaNTXsimulador"));
        QCOMPARE(v.estadoListo(), int(VistaWeb::Completo));
        const QJsonArray lista = peticiones(sitio_);
        QVERIFY(!lista.isEmpty());
        const QJsonObject p = lista.first().toObject();
        QCOMPARE(p.value(QStringLiteral("metodo")).toString(), QStringLiteral("GET"));
        QCOMPARE(p.value(QStringLiteral("destino")).toString(), QStringLiteral("/ntxbin/conf/2_5"));
    }

    void post_personal_bytesYCabecerasRecibidos()
    {
        VistaWebMotor verificacion;
        verificacion.setSilencioso(true);
        QVERIFY(cargar(verificacion, paginaPersonal()));
        const QString cookie = verificacion.cookies();
        QVERIFY2(cookie.startsWith(QLatin1String("PHPSESSID=")), qPrintable(cookie));
        const QString imagen = imagenDe(verificacion.htmlRaiz());
        QCOMPARE(imagen.size(), 20);
        const QByteArray codigo = pedir(personal_ + QStringLiteral("/_sim/codigo"));
        QCOMPARE(codigo.size(), 4);

        // A second view sends the form, as the delivery window does.
        VistaWebMotor envio;
        envio.setSilencioso(true);
        const QByteArray cuerpo = "pantalla=&DE_MESG_TXT=NTXsimulador&sig=NTXsimulador&msgtext=Jos\xE9"
                                  ":+Hola+qu\xE9+tal&Snb=1155551234&Filename=tmp%2F" +
                                  imagen.toLatin1() + "&FormValidar=validar&codigo=" + codigo +
                                  "&Image30.x=13&Image30.y=19";
        const QString referer = paginaPersonal();
        const QString cabeceras = QStringLiteral("Referer: ") + referer +
                                  QStringLiteral("\nContent-Type: application/x-www-form-urlencoded\nCookie: ") +
                                  cookie;
        QSignalSpy listo(&envio, &VistaWeb::documentoCompleto);
        envio.navegarPost(paginaPersonal(), cuerpo, cabeceras);
        QVERIFY(listo.wait(Espera));
        QVERIFY2(envio.textoCuerpo().contains(QLatin1String("fue enviado correctamente")),
                 qPrintable(envio.textoCuerpo()));

        const QJsonArray lista = peticiones(personal_);
        QJsonObject post;
        for (const QJsonValue &p : lista) {
            if (p.toObject().value(QStringLiteral("metodo")).toString() == QLatin1String("POST")) {
                post = p.toObject();
            }
        }
        QVERIFY(!post.isEmpty());
        QCOMPARE(QByteArray::fromBase64(post.value(QStringLiteral("cuerpoBase64")).toString().toLatin1()), cuerpo);
        QCOMPARE(cabecera(post, "Referer"), referer.toLatin1());
        // Never "null": the gateway takes it for a forged request. Absent or the page's own origin.
        const QUrl pagina(paginaPersonal());
        const QByteArray origen = cabecera(post, "Origin");
        QVERIFY2(origen.isEmpty() ||
                     origen == QStringLiteral("http://%1:%2").arg(pagina.host()).arg(pagina.port()).toLatin1(),
                 origen.constData());
        QCOMPARE(cabecera(post, "Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        QVERIFY2(cabecera(post, "Cookie").contains(cookie.toLatin1()), cabecera(post, "Cookie").constData());
        const QJsonArray mensajes =
            QJsonDocument::fromJson(pedir(personal_ + QStringLiteral("/_sim/mensajes"))).array();
        QCOMPARE(mensajes.size(), 1);
        QCOMPARE(mensajes.first().toObject().value(QStringLiteral("destino")).toString(), QStringLiteral("1155551234"));
    }

    void dosVistas_compartenLaSesionDePersonal()
    {
        VistaWebMotor a;
        QVERIFY(cargar(a, paginaPersonal()));
        const QString cookieA = a.cookies();
        QVERIFY(cookieA.startsWith(QLatin1String("PHPSESSID=")));
        // The other view never saw the page, yet it carries the same session.
        VistaWebMotor b;
        QVERIFY(cargar(b, paginaPersonal()));
        QCOMPARE(b.cookies(), cookieA);
        const QJsonArray lista = peticiones(personal_);
        int conSesion = 0;
        for (const QJsonValue &p : lista) {
            if (p.toObject().value(QStringLiteral("destino")).toString() == QLatin1String("/Mensajes/sms.php") &&
                cabecera(p.toObject(), "Cookie").contains(cookieA.toLatin1())) {
                ++conSesion;
            }
        }
        QCOMPARE(conSesion, 1); // b's request; a's first one had no cookie yet
        // A POST from b without a Cookie line is still inside the session.
        const QByteArray codigo = pedir(personal_ + QStringLiteral("/_sim/codigo"));
        const QByteArray cuerpo = "pantalla=&DE_MESG_TXT=x&sig=x&msgtext=Ana:+hola&Snb=1155550000&Filename=tmp%2F" +
                                  imagenDe(b.htmlRaiz()).toLatin1() + "&FormValidar=validar&codigo=" + codigo +
                                  "&Image30.x=13&Image30.y=19";
        QSignalSpy listo(&b, &VistaWeb::documentoCompleto);
        b.navegarPost(paginaPersonal(), cuerpo, QStringLiteral("Content-Type: application/x-www-form-urlencoded"));
        QVERIFY(listo.wait(Espera));
        QVERIFY2(b.textoCuerpo().contains(QLatin1String("fue enviado correctamente")), qPrintable(b.textoCuerpo()));
    }

    void ntx_enlacePulsado_cancelado()
    {
        VistaWebMotor v;
        v.resize(800, 600);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        v.setSilencioso(true);
        Cancelable r;
        r.prefijoCancelado = QStringLiteral("ntx://");
        r.escuchar(v);
        QVERIFY(cargar(v, sitio_ + QStringLiteral("/ntxbin/princ/princ2_5")));
        const QVariantList caja =
            evaluar(v, QStringLiteral("(function(){ var e = document.getElementById('comandoMnsje');"
                                      " e.scrollIntoView(); var r = e.getBoundingClientRect();"
                                      " return [r.left + r.width / 2, r.top + r.height / 2]; })()"))
                .toList();
        QCOMPARE(caja.size(), 2);
        const QPoint punto(int(caja.at(0).toDouble()), int(caja.at(1).toDouble()));
        QWidget *destino = v.motor()->focusProxy();
        QVERIFY(destino);
        r.antes.clear();
        // A real click, not a script: the user's gesture.
        QTest::mouseClick(destino, Qt::LeftButton, {}, punto);
        QTRY_VERIFY_WITH_TIMEOUT(!r.antes.isEmpty(), Espera);
        QCOMPARE(r.antes, QStringList{QStringLiteral("ntx://mnsje/1Aviso/2Hay_novedades/F")});
        QTRY_COMPARE_WITH_TIMEOUT(v.estadoListo(), int(VistaWeb::Completo), Espera);
        QCOMPARE(v.direccion(), sitio_ + QStringLiteral("/ntxbin/princ/princ2_5"));
        QVERIFY(r.errores.isEmpty());
    }

    void ntx_cargadoPorLaPagina_cancelado()
    {
        pedir(sitio_ + QStringLiteral("/_sim/modo?actualizacion=obligar"));
        VistaWebMotor v;
        v.setSilencioso(true);
        Cancelable r;
        r.prefijoCancelado = QStringLiteral("ntx://");
        r.escuchar(v);
        const QString pagina = sitio_ + QStringLiteral("/ntxbin/act_ver_2_5_0.htm");
        QVERIFY(cargar(v, pagina));
        const QString esperado = QStringLiteral("ntx://actdf/1127.0.0.1:") + QString::number(QUrl(sitio_).port()) +
                                 QStringLiteral("/ntxbin/descarga/ntxmensajes.exe/241123/F");
        QTRY_VERIFY_WITH_TIMEOUT(r.antes.contains(esperado), Espera);
        QCOMPARE(r.antes.last(), esperado);
        QTRY_COMPARE_WITH_TIMEOUT(v.estadoListo(), int(VistaWeb::Completo), Espera);
        QCOMPARE(v.direccion(), pagina);
        QVERIFY(r.errores.isEmpty());
        // The download never left: nothing but the version page reached the site.
        for (const QJsonValue &p : peticiones(sitio_)) {
            QVERIFY(!p.toObject().value(QStringLiteral("ruta")).toString().contains(QLatin1String("descarga")));
        }
    }

    void errores_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<int>("codigo");
        QTest::newRow("http 500") << QStringLiteral("/_sim/modo?falla=500&rol=sitio") << 500;
        QTest::newRow("puerto rechazado") << QString() << -102;
    }

    void errores()
    {
        QFETCH(QString, modo);
        QFETCH(int, codigo);
        QString direccion = sitio_ + QStringLiteral("/ntxbin/princ/princ2_5");
        if (!modo.isEmpty()) {
            pedir(sitio_ + modo);
        } else {
            QTcpServer cerrado;
            QVERIFY(cerrado.listen(QHostAddress::LocalHost, 0));
            direccion = QStringLiteral("http://127.0.0.1:%1/ntxbin/princ/princ2_5").arg(cerrado.serverPort());
        }
        VistaWebMotor v;
        v.setSilencioso(true);
        Cancelable r;
        r.escuchar(v);
        QSignalSpy documento(&v, &VistaWeb::documentoCompleto);
        v.navegar(direccion);
        QTRY_COMPARE_WITH_TIMEOUT(r.errores.size(), 1, Espera);
        QCOMPARE(r.errores.first().first, direccion);
        QCOMPARE(r.errores.first().second, codigo);
        QTRY_COMPARE_WITH_TIMEOUT(v.estadoListo(), int(VistaWeb::Completo), Espera);
        QVERIFY(documento.isEmpty());
    }

    void silencioso_tragaLaAlerta()
    {
        VistaWebMotor v;
        v.show();
        v.setSilencioso(true);
        QVERIFY(cargar(v, paginaPersonal()));
        QSignalSpy foto(&v, &VistaWebMotor::instantaneaActualizada);
        v.ejecutarScript(
            QStringLiteral("alert('El código ingresado es incorrecto');"
                           " document.body.setAttribute('data-despues', confirm('¿seguro?') ? 'si' : 'no');"));
        QTRY_COMPARE_WITH_TIMEOUT(v.atributoCuerpo(QStringLiteral("data-despues")), QStringLiteral("no"), Espera);
        for (QWidget *w : QApplication::topLevelWidgets()) {
            QVERIFY2(!(w->isVisible() && qobject_cast<QDialog *>(w)), "a dialog showed");
        }
    }

    void scroll_fijadoYLeido_yCaptura()
    {
        // Full page first, to look at.
        VistaWebMotor grande;
        grande.resize(640, 700);
        grande.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grande));
        QVERIFY(cargar(grande, paginaPersonal()));
        QImage captura;
        QTRY_VERIFY_WITH_TIMEOUT(colores(captura = grande.grab().toImage()) > 8, Espera);
        QVERIFY(captura.save(QStringLiteral("/tmp/ntx_vistaweb_personal.png")));

        // The tiny verification view fitted on the image.
        VistaWebMotor v;
        v.resize(120, 60);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QVERIFY(cargar(v, paginaPersonal()));
        v.setDesbordeRaiz(QStringLiteral("hidden"));
        v.setAtributoCuerpo(QStringLiteral("scroll"), QStringLiteral("no"));
        v.setAtributoCuerpo(QStringLiteral("leftMargin"), QStringLiteral("0"));
        v.setAtributoCuerpo(QStringLiteral("topMargin"), QStringLiteral("0"));
        v.setScroll(425, 18);
        QTRY_COMPARE_WITH_TIMEOUT(v.scrollArriba(), 425, Espera);
        QCOMPARE(v.scrollIzquierda(), 18);
        QCOMPARE(v.desbordeRaiz(), QStringLiteral("hidden"));
        QTRY_VERIFY_WITH_TIMEOUT(colores(captura = v.grab().toImage()) > 2, Espera);
        QVERIFY(captura.save(QStringLiteral("/tmp/ntx_vistaweb_personal_ajustada.png")));
    }
};

NTX_PRINCIPAL_VISTAWEB(PruebaVistaWebE2E)
#include "tst_vistawebe2e.moc"

// The real web view against a loopback server of the test: the navigation
// filter for every kind of navigation, redirects, frames, POST bytes and
// header lines, errors, silent mode, writes read back, window requests.
#include "plataforma/vistawebmotor.h"
#include "plataforma/vistawebperfil.h"
#include "vistawebprincipal.h"
#include "vistawebservidor.h"

#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTcpServer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QtTest>

namespace {

constexpr int Espera = 30000;

struct AntesDeNavegar
{
    QString direccion;
    QString marco;
    QByteArray datosPost;
    QString cabeceras;
};

struct ErrorNav
{
    QString direccion;
    int codigo;
};

// Records the events with a cancel flag, which QSignalSpy cannot take.
struct Registro
{
    QList<AntesDeNavegar> antes;
    QList<ErrorNav> errores;
    QStringList cancelar; // addresses (substrings) to cancel
    int cierres = 0;
    bool cancelarCierre = true;

    void escuchar(VistaWeb &v)
    {
        QObject::connect(&v, &VistaWeb::antesDeNavegar, &v,
                         [this](const QString &d, const QString &m, const QByteArray &p, const QString &c, bool &x) {
                             antes.append({d, m, p, c});
                             for (const QString &s : std::as_const(cancelar)) {
                                 if (d.contains(s)) {
                                     x = true;
                                 }
                             }
                         });
        QObject::connect(&v, &VistaWeb::errorDeNavegacion, &v,
                         [this](const QString &d, const QString &, int codigo, bool &) {
                             errores.append({d, codigo});
                         });
        QObject::connect(&v, &VistaWeb::cierreDeVentana, &v, [this](bool &x) {
            ++cierres;
            x = cancelarCierre;
        });
    }
    QStringList direcciones() const
    {
        QStringList r;
        for (const auto &a : antes) {
            r.append(a.direccion);
        }
        return r;
    }
};

bool cargar(VistaWebMotor &v, const QString &direccion)
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
        return QStringLiteral("<sin respuesta>");
    }
    return resultado;
}

bool hayDialogoVisible()
{
    const auto ventanas = QApplication::topLevelWidgets();
    for (QWidget *w : ventanas) {
        if (w->isVisible() && qobject_cast<QDialog *>(w)) {
            return true;
        }
    }
    return false;
}

} // namespace

class PruebaVistaWebMotor : public QObject
{
    Q_OBJECT

private:
    VistaWebServidor servidor_;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(servidor_.puerto() != 0);
        servidor_.poner(QStringLiteral("/texto"),
                        "<html><head><title>t</title></head><body leftmargin=\"7\">Hola <b>mundo</b> "
                        "\xC3\xB1"
                        "and\xC3\xBA</body></html>",
                        200, {{"Set-Cookie", "sesion=abc123; Path=/"}});
        servidor_.poner(QStringLiteral("/enlaces"),
                        "<html><body>"
                        "<a id=\"ntx\" href=\"ntx://salem/1Hola_mundo/F\">orden</a>"
                        "<a id=\"otro\" href=\"/texto\">otro</a>"
                        "<form id=\"f\" method=\"post\" action=\"/recibe\"><input name=\"a\" value=\"1 2\"></form>"
                        "<a id=\"nueva\" href=\"/texto\" target=\"_blank\">nueva</a>"
                        "</body></html>");
        servidor_.poner(QStringLiteral("/recibe"), "<html><body>recibido</body></html>");
        servidor_.poner(QStringLiteral("/redirige"), "", 302, {{"Location", "/texto"}});
        servidor_.poner(QStringLiteral("/redirigentx"), "", 302, {{"Location", "ntx://princ/F"}});
        servidor_.poner(QStringLiteral("/falla"), "<html><body>Error interno del servidor</body></html>", 500);
        servidor_.poner(QStringLiteral("/alerta"),
                        "<html><body><script>var r = confirm('seguro?'); alert('hola'); "
                        "document.body.setAttribute('data-fin', r ? 'si' : 'no');</script>fin</body></html>");
        QByteArray alto = "<html><body style=\"margin:0\"><div style=\"width:3000px;height:3000px\">alto</div>";
        alto += "</body></html>";
        servidor_.poner(QStringLiteral("/alto"), alto);
        servidor_.colgar(QStringLiteral("/colgada"));
        servidor_.poner(QStringLiteral("/no-existe"), "<html><body>No existe</body></html>", 404);
        servidor_.poner(QStringLiteral("/altodoctype"), "<!DOCTYPE html>" + alto);
        servidor_.poner(QStringLiteral("/cerrar"), "<html><body>cerrar</body></html>");
        servidor_.poner(QStringLiteral("/marcos"),
                        "<html><body><iframe name=\"google_ads_marco\" src=\"/texto\"></iframe></body></html>");
    }

    void perfilCompartido_persistenteEnLaCarpetaDada()
    {
        QWebEngineProfile *p = perfilCompartido();
        QVERIFY(p);
        QCOMPARE(perfilCompartido(), p);
        QVERIFY(!p->isOffTheRecord());
        QCOMPARE(p->persistentStoragePath(), carpetaPerfilCompartido());
        QVERIFY(p->persistentCookiesPolicy() != QWebEngineProfile::NoPersistentCookies);
        // Once the profile exists its folder cannot move under the views.
        QVERIFY(!fijarCarpetaPerfilCompartido(QStringLiteral("/tmp/otra")));
        QVERIFY(carpetaPerfilCompartido() != QLatin1String("/tmp/otra"));

        VistaWebMotor a;
        VistaWebMotor b;
        QCOMPARE(a.motor()->page()->profile(), p);
        QCOMPARE(b.motor()->page()->profile(), p);
        std::unique_ptr<VistaWeb> deFabrica(fabricaVistaWebMotor()(nullptr));
        QVERIFY(qobject_cast<VistaWebMotor *>(deFabrica.get()));
    }

    void get_instantaneaDelDocumento()
    {
        VistaWebMotor v;
        QCOMPARE(v.estadoListo(), 0);
        QList<int> estadosDuranteCarga;
        connect(v.motor()->page(), &QWebEnginePage::loadProgress, &v, [&](int progreso) {
            if (progreso < 100) {
                estadosDuranteCarga.append(v.estadoListo());
            }
        });
        QSignalSpy navegacion(&v, &VistaWeb::navegacionCompleta);
        QSignalSpy descarga(&v, &VistaWeb::descargaCompleta);
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/texto"))));

        QCOMPARE(v.estadoListo(), int(VistaWeb::Completo));
        QVERIFY(!v.ocupado());
        QCOMPARE(v.direccion(), servidor_.url(QStringLiteral("/texto")));
        QCOMPARE(v.textoCuerpo(), QStringLiteral("Hola mundo ñandú"));
        QCOMPARE(v.htmlCuerpo(), QStringLiteral("Hola <b>mundo</b> ñandú"));
        QVERIFY(v.htmlRaiz().startsWith(QLatin1String("<html><head><title>t</title></head><body")));
        QCOMPARE(v.cookies(), QStringLiteral("sesion=abc123"));
        QCOMPARE(v.atributoCuerpo(QStringLiteral("leftMargin")), QStringLiteral("7"));
        QCOMPARE(v.atributoCuerpo(QStringLiteral("topMargin")), QString());
        QCOMPARE(navegacion.count(), 1);
        QCOMPARE(navegacion.at(0).at(0).toString(), servidor_.url(QStringLiteral("/texto")));
        // Spanish first, whatever the system's language.
        QCOMPARE(servidor_.pedidosA(QStringLiteral("/texto")).constLast().cabecera("Accept-Language"),
                 QByteArray("es-AR,es"));
        QCOMPARE(descarga.count(), 1);
        for (int e : std::as_const(estadosDuranteCarga)) {
            QVERIFY2(e < 3, qPrintable(QString::number(e)));
        }
    }

    void post_bytesExactosYCabeceras()
    {
        VistaWebMotor v;
        Registro r;
        r.escuchar(v);
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/texto"))));
        servidor_.pedidos.clear();

        const QByteArray cuerpo("pantalla=&msgtext=Jos\xE9"
                                ":+hola+%26+chau&codigo=1234&x=%2B+");
        const QString referer = servidor_.url(QStringLiteral("/texto"));
        const QString cabeceras = QStringLiteral("Referer: ") + referer +
                                  QStringLiteral("\nContent-Type: application/x-www-form-urlencoded\n"
                                                 "Cookie: sesion=abc123; extra=xyz");
        QSignalSpy listo(&v, &VistaWeb::documentoCompleto);
        v.navegarPost(servidor_.url(QStringLiteral("/recibe")), cuerpo, cabeceras);
        QVERIFY(listo.wait(Espera));

        const auto pedidos = servidor_.pedidosA(QStringLiteral("/recibe"));
        QCOMPARE(pedidos.size(), 1);
        const auto &p = pedidos.first();
        QCOMPARE(p.metodo, QByteArray("POST"));
        QCOMPARE(p.cuerpo, cuerpo);
        QCOMPARE(p.cabecera("Referer"), referer.toLatin1());
        QCOMPARE(p.cabecera("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        const QByteArray cookie = p.cabecera("Cookie");
        QVERIFY2(cookie.contains("sesion=abc123") && cookie.contains("extra=xyz"), cookie.constData());
        QCOMPARE(v.textoCuerpo(), QStringLiteral("recibido"));

        // The owner sees the body and the header block of its own POST.
        QVERIFY(!r.antes.isEmpty());
        QCOMPARE(r.antes.last().direccion, servidor_.url(QStringLiteral("/recibe")));
        QCOMPARE(r.antes.last().datosPost, cuerpo);
        QCOMPARE(r.antes.last().cabeceras, cabeceras);
        QVERIFY(r.errores.isEmpty());
    }

    void filtro_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("esperada");
        QTest::addColumn<bool>("cancelar");

        const QString texto = servidor_.url(QStringLiteral("/texto"));
        QTest::newRow("enlace ntx") << "document.getElementById('ntx').click()"
                                    << "ntx://salem/1Hola_mundo/F" << false;
        QTest::newRow("enlace cancelado") << "document.getElementById('otro').click()" << texto << true;
        QTest::newRow("enlace seguido") << "document.getElementById('otro').click()" << texto << false;
        QTest::newRow("formulario cancelado")
            << "document.getElementById('f').submit()" << servidor_.url(QStringLiteral("/recibe")) << true;
        QTest::newRow("script cancelado")
            << "location.href = '/alto'" << servidor_.url(QStringLiteral("/alto")) << true;
        QTest::newRow("redireccion cancelada") << "location.href = '/redirige'" << texto << true;
        QTest::newRow("redireccion a ntx") << "location.href = '/redirigentx'"
                                           << "ntx://princ/F" << false;
    }

    void filtro()
    {
        QFETCH(QString, script);
        QFETCH(QString, esperada);
        QFETCH(bool, cancelar);

        VistaWebMotor v;
        v.setSilencioso(true);
        Registro r;
        r.escuchar(v);
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/enlaces"))));
        if (cancelar) {
            r.cancelar.append(esperada);
        }
        r.antes.clear();
        servidor_.pedidos.clear();
        QSignalSpy descarga(&v, &VistaWeb::descargaCompleta);
        QSignalSpy documento(&v, &VistaWeb::documentoCompleto);
        v.ejecutarScript(script);

        QTRY_VERIFY_WITH_TIMEOUT(r.direcciones().contains(esperada), Espera);
        const bool seQueda = cancelar || esperada.startsWith(QLatin1String("ntx:"));
        if (seQueda) {
            // The filter answered; let the engine finish whatever it does with the refusal.
            QTRY_VERIFY_WITH_TIMEOUT(descarga.count() > 0 || v.estadoListo() == VistaWeb::Completo, Espera);
            QTRY_COMPARE_WITH_TIMEOUT(v.estadoListo(), int(VistaWeb::Completo), Espera);
            QCOMPARE(v.direccion(), servidor_.url(QStringLiteral("/enlaces")));
            QVERIFY(documento.isEmpty());
            const QString ruta = QUrl(esperada).path();
            if (!esperada.startsWith(QLatin1String("ntx:")) && !script.contains(QLatin1String("redirige"))) {
                QVERIFY(servidor_.pedidosA(ruta).isEmpty());
            }
        } else {
            QVERIFY(documento.wait(Espera));
            QCOMPARE(v.direccion(), esperada);
        }
        QVERIFY2(r.errores.isEmpty(), r.errores.isEmpty() ? "" : qPrintable(r.errores.first().direccion));
    }

    void ntxCargadoPorElPrograma_noSaleNiFalla()
    {
        VistaWebMotor v;
        Registro r;
        r.escuchar(v);
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/texto"))));
        r.antes.clear();
        const int pedidos = servidor_.pedidos.size();
        v.navegar(QStringLiteral("ntx://naveg/1www.ejemplo.com/pagina.htm/F"));
        QTRY_COMPARE_WITH_TIMEOUT(r.antes.size(), 1, Espera);
        QCOMPARE(r.antes.first().direccion, QStringLiteral("ntx://naveg/1www.ejemplo.com/pagina.htm/F"));
        QCOMPARE(r.antes.first().marco, QString());
        QTRY_COMPARE_WITH_TIMEOUT(v.estadoListo(), int(VistaWeb::Completo), Espera);
        QCOMPARE(v.direccion(), servidor_.url(QStringLiteral("/texto")));
        QCOMPARE(v.textoCuerpo(), QStringLiteral("Hola mundo ñandú"));
        QCOMPARE(servidor_.pedidos.size(), pedidos);
        QVERIFY(r.errores.isEmpty());
    }

    void marco_nombreDelMarcoEnAntesDeNavegar()
    {
        VistaWebMotor v;
        Registro r;
        r.escuchar(v);
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/marcos"))));
        r.antes.clear();
        // The frame navigates again once its name is known from the snapshot.
        v.ejecutarScript(QStringLiteral("document.getElementsByName('google_ads_marco')[0].src = '/alto'"));
        QTRY_VERIFY_WITH_TIMEOUT(r.direcciones().contains(servidor_.url(QStringLiteral("/alto"))), Espera);
        const auto &a = r.antes.last();
        QCOMPARE(a.marco, QStringLiteral("google_ads_marco"));
    }

    void errores_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("texto");

        QTest::newRow("http 500") << servidor_.url(QStringLiteral("/falla")) << 500
                                  << QStringLiteral("Error interno del servidor");
        QTest::newRow("http 404") << servidor_.url(QStringLiteral("/no-existe")) << 404 << QStringLiteral("No existe");
        // A port nobody listens on: the one of a server that was closed.
        quint16 puerto = 0;
        {
            QTcpServer s;
            QVERIFY(s.listen(QHostAddress::LocalHost, 0));
            puerto = s.serverPort();
        }
        QTest::newRow("puerto cerrado") << QStringLiteral("http://127.0.0.1:%1/").arg(puerto) << -102 << QString();
    }

    void errores()
    {
        QFETCH(QString, direccion);
        QFETCH(int, codigo);
        QFETCH(QString, texto);

        VistaWebMotor v;
        v.setSilencioso(true);
        Registro r;
        r.escuchar(v);
        QSignalSpy documento(&v, &VistaWeb::documentoCompleto);
        QSignalSpy descarga(&v, &VistaWeb::descargaCompleta);
        v.navegar(direccion);
        QTRY_COMPARE_WITH_TIMEOUT(r.errores.size(), 1, Espera);
        QCOMPARE(r.errores.first().direccion, direccion);
        QCOMPARE(r.errores.first().codigo, codigo);
        QVERIFY(descarga.wait(Espera) || descarga.count() > 0);
        QCOMPARE(v.estadoListo(), int(VistaWeb::Completo));
        QVERIFY(!v.ocupado());
        QVERIFY(documento.isEmpty());
        if (!texto.isEmpty()) {
            QCOMPARE(v.textoCuerpo(), texto);
        }
    }

    void detener_noEsError()
    {
        VistaWebMotor v;
        Registro r;
        r.escuchar(v);
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/texto"))));
        // A request the server answers only after the test is over.
        servidor_.pedidos.clear();
        v.navegar(servidor_.url(QStringLiteral("/colgada")));
        QTRY_VERIFY_WITH_TIMEOUT(v.ocupado(), Espera);
        QVERIFY(v.estadoListo() < 3);
        v.detener();
        QTRY_VERIFY_WITH_TIMEOUT(!v.ocupado(), Espera);
        QCOMPARE(v.estadoListo(), int(VistaWeb::Completo));
        QVERIFY(r.errores.isEmpty());
    }

    void navegarDuranteOtraCarga_completaLaUltima()
    {
        VistaWebMotor v;
        Registro r;
        r.escuchar(v);
        QSignalSpy documento(&v, &VistaWeb::documentoCompleto);
        v.navegar(servidor_.url(QStringLiteral("/texto")));
        v.navegar(servidor_.url(QStringLiteral("/recibe")));
        QTRY_VERIFY_WITH_TIMEOUT(!documento.isEmpty(), Espera);
        QTRY_COMPARE_WITH_TIMEOUT(v.textoCuerpo(), QStringLiteral("recibido"), Espera);
        QCOMPARE(documento.last().at(0).toString(), servidor_.url(QStringLiteral("/recibe")));
        QCOMPARE(v.estadoListo(), int(VistaWeb::Completo));
        QVERIFY(r.errores.isEmpty());
    }

    void atras_vuelveALaPaginaAnterior()
    {
        VistaWebMotor v;
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/texto"))));
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/recibe"))));
        QSignalSpy documento(&v, &VistaWeb::documentoCompleto);
        v.atras();
        QVERIFY(documento.wait(Espera));
        QCOMPARE(v.direccion(), servidor_.url(QStringLiteral("/texto")));
        QCOMPARE(v.textoCuerpo(), QStringLiteral("Hola mundo ñandú"));
    }

    void silencioso_data()
    {
        QTest::addColumn<bool>("silencioso");
        QTest::newRow("silencioso") << true;
        QTest::newRow("con dialogos") << false;
    }

    void silencioso()
    {
        QFETCH(bool, silencioso);
        VistaWebMotor v;
        v.resize(300, 200);
        v.show();
        v.setSilencioso(silencioso);
        QCOMPARE(v.silencioso(), silencioso);
        bool vioDialogo = false;
        // A shown dialog blocks the page script: close every one that appears.
        QTimer vigia;
        connect(&vigia, &QTimer::timeout, &v, [&] {
            const auto ventanas = QApplication::topLevelWidgets();
            for (QWidget *w : ventanas) {
                if (w->isVisible() && qobject_cast<QDialog *>(w)) {
                    vioDialogo = true;
                    qobject_cast<QDialog *>(w)->reject();
                }
            }
        });
        vigia.start(20);
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/alerta"))));
        QTRY_COMPARE_WITH_TIMEOUT(evaluar(v, QStringLiteral("document.body.getAttribute('data-fin')")).toString(),
                                  QStringLiteral("no"), Espera);
        QCOMPARE(vioDialogo, !silencioso);
        QVERIFY(!hayDialogoVisible());
    }

    void escrituras_seLeenTrasLaInstantanea_data()
    {
        QTest::addColumn<QString>("ruta");
        QTest::newRow("sin doctype") << QStringLiteral("/alto");
        QTest::newRow("con doctype") << QStringLiteral("/altodoctype");
    }

    void escrituras_seLeenTrasLaInstantanea()
    {
        QFETCH(QString, ruta);
        VistaWebMotor v;
        v.resize(200, 150);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QVERIFY(cargar(v, servidor_.url(ruta)));
        QCOMPARE(v.scrollArriba(), 0);

        QSignalSpy foto(&v, &VistaWebMotor::instantaneaActualizada);
        v.setDesbordeRaiz(QStringLiteral("hidden"));
        v.setAtributoCuerpo(QStringLiteral("scroll"), QStringLiteral("no"));
        v.setAtributoCuerpo(QStringLiteral("leftMargin"), QStringLiteral("0"));
        v.setAtributoCuerpo(QStringLiteral("topMargin"), QStringLiteral("0"));
        v.setScroll(425, 18);
        QTRY_COMPARE_WITH_TIMEOUT(foto.count(), 5, Espera);
        QCOMPARE(v.desbordeRaiz(), QStringLiteral("hidden"));
        QCOMPARE(v.atributoCuerpo(QStringLiteral("scroll")), QStringLiteral("no"));
        QCOMPARE(v.atributoCuerpo(QStringLiteral("LEFTMARGIN")), QStringLiteral("0"));
        QCOMPARE(v.atributoCuerpo(QStringLiteral("topmargin")), QStringLiteral("0"));
        QCOMPARE(v.scrollArriba(), 425);
        QCOMPARE(v.scrollIzquierda(), 18);
        // The page's own view of it.
        QCOMPARE(evaluar(v, QStringLiteral("document.scrollingElement.scrollTop")).toInt(), 425);

        // A script's effect is read back too; a text with quotes reaches the page intact.
        v.ejecutarScript(QStringLiteral("document.body.innerHTML = '<p>dijo \"sí\"</p>'"));
        QTRY_COMPARE_WITH_TIMEOUT(v.textoCuerpo(), QStringLiteral("dijo \"sí\""), Espera);
        v.setAtributoCuerpo(QStringLiteral("data-x"), QStringLiteral("a\"b'c\\d</script>"));
        QTRY_COMPARE_WITH_TIMEOUT(v.atributoCuerpo(QStringLiteral("data-x")), QStringLiteral("a\"b'c\\d</script>"),
                                  Espera);
    }

    void cierreDeVentana_data()
    {
        QTest::addColumn<bool>("cancelar");
        QTest::newRow("cancelado") << true;
        QTest::newRow("aceptado") << false;
    }

    void cierreDeVentana()
    {
        QFETCH(bool, cancelar);
        VistaWebMotor v;
        v.show();
        Registro r;
        r.cancelarCierre = cancelar;
        r.escuchar(v);
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/cerrar"))));
        v.ejecutarScript(QStringLiteral("window.close()"));
        QTRY_COMPARE_WITH_TIMEOUT(r.cierres, 1, Espera);
        QCOMPARE(v.isVisible(), cancelar);
    }

    void nuevaVentana_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("enlace _blank") << "document.getElementById('nueva').click()";
        QTest::newRow("window.open") << "window.open('/texto')";
    }

    void nuevaVentana()
    {
        QFETCH(QString, script);
        VistaWebMotor v;
        v.setSilencioso(true);
        QVERIFY(cargar(v, servidor_.url(QStringLiteral("/enlaces"))));
        QSignalSpy nueva(&v, &VistaWeb::nuevaVentana);
        v.ejecutarScript(script);
        QVERIFY(nueva.wait(Espera));
        QCOMPARE(nueva.first().at(0).toString(), servidor_.url(QStringLiteral("/texto")));
        QCOMPARE(v.direccion(), servidor_.url(QStringLiteral("/enlaces")));
    }

    void foco_recibido()
    {
        QWidget ventana;
        auto *otro = new QLineEdit(&ventana);
        auto *v = new VistaWebMotor(&ventana);
        auto *capa = new QVBoxLayout(&ventana);
        capa->addWidget(otro);
        capa->addWidget(v);
        ventana.resize(300, 300);
        ventana.show();
        QVERIFY(cargar(*v, servidor_.url(QStringLiteral("/texto"))));
        ventana.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        otro->setFocus();
        QTRY_VERIFY(otro->hasFocus());
        QSignalSpy foco(v, &VistaWeb::focoRecibido);
        v->motor()->setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(foco.count() >= 1, Espera);
        // Focus moving elsewhere is not reported.
        const int antes = foco.count();
        otro->setFocus();
        QTRY_VERIFY(otro->hasFocus());
        QCOMPARE(foco.count(), antes);
    }
};

NTX_PRINCIPAL_VISTAWEB(PruebaVistaWebMotor)
#include "tst_vistawebmotor.moc"

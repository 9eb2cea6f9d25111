// The scripted web view that window tests use: what it records, the events it
// fires and their order, deferred writes; and a polling window logic driven
// through it the way the delivery windows are tested.
#include "dobles/vistawebguion.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A small polling reader in the style of the delivery windows: every tick it
// waits for the page, captures cookie and image name, fits the page and is
// ready once the scroll reads back what it wrote.
class LectorDePagina : public QObject
{
public:
    explicit LectorDePagina(VistaWeb &v)
        : vista_(v)
    {}

    void tick()
    {
        ++ticks;
        if (vista_.estadoListo() < 3) {
            return;
        }
        cookie = vista_.cookies();
        const QString html = vista_.htmlRaiz();
        const qsizetype i = html.indexOf(QLatin1String("tmp/"), 0, Qt::CaseInsensitive);
        imagen = QStringLiteral("tmp%2F") + (i < 0 ? html.left(20) : html.mid(i + 4, 20));
        vista_.setDesbordeRaiz(QStringLiteral("hidden"));
        vista_.setScroll(425, 18);
        listo = vista_.scrollArriba() == 425;
    }

    int ticks = 0;
    bool listo = false;
    QString cookie;
    QString imagen;

private:
    VistaWeb &vista_;
};

} // namespace

class PruebaVistaWebGuion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void navegar_registraYQuedaCargando()
    {
        VistaWebGuion v;
        QStringList antes;
        connect(&v, &VistaWeb::antesDeNavegar, this,
                [&](const QString &d, const QString &, const QByteArray &, const QString &, bool &) { antes << d; });
        v.navegar(QStringLiteral("http://a/1"));
        QCOMPARE(v.navegaciones.size(), 1);
        QCOMPARE(v.navegaciones.first().direccion, QStringLiteral("http://a/1"));
        QVERIFY(!v.navegaciones.first().post);
        QCOMPARE(antes, QStringList{QStringLiteral("http://a/1")});
        QVERIFY(v.estadoListo() < 3);
        QVERIFY(v.ocupado());
        QCOMPARE(v.pendiente(), QStringLiteral("http://a/1"));
    }

    void completarCarga_ordenDeEventosYDocumento()
    {
        VistaWebGuion v;
        v.ponerPaginaHtml(QStringLiteral("http://a/1"), QStringLiteral("<p>Hola</p>"), QStringLiteral("s=1"));
        QStringList orden;
        connect(&v, &VistaWeb::navegacionCompleta, this, [&](const QString &d) {
            orden << QStringLiteral("navegacion ") + d + QStringLiteral(" ") + QString::number(v.estadoListo());
        });
        connect(&v, &VistaWeb::descargaCompleta, this, [&] { orden << QStringLiteral("descarga"); });
        connect(&v, &VistaWeb::documentoCompleto, this, [&](const QString &d) {
            orden << QStringLiteral("documento ") + d + QStringLiteral(" ") + v.textoCuerpo();
        });
        v.navegar(QStringLiteral("http://a/1"));
        QVERIFY(orden.isEmpty());
        v.completarCarga();
        QCOMPARE(orden, (QStringList{QStringLiteral("navegacion http://a/1 4"), QStringLiteral("descarga"),
                                     QStringLiteral("documento http://a/1 Hola")}));
        QCOMPARE(v.direccion(), QStringLiteral("http://a/1"));
        QCOMPARE(v.htmlCuerpo(), QStringLiteral("<p>Hola</p>"));
        QCOMPARE(v.htmlRaiz(), QStringLiteral("<html><body><p>Hola</p></body></html>"));
        QCOMPARE(v.cookies(), QStringLiteral("s=1"));
        QVERIFY(!v.ocupado());
        QCOMPARE(v.pendiente(), QString());
    }

    void antesDeNavegar_cancelado_noCarga()
    {
        VistaWebGuion v;
        v.setCompletarAlNavegar(true);
        v.ponerPaginaHtml(QStringLiteral("http://a/1"), QStringLiteral("uno"));
        v.navegar(QStringLiteral("http://a/1"));
        connect(&v, &VistaWeb::antesDeNavegar, this,
                [](const QString &d, const QString &, const QByteArray &, const QString &, bool &cancelar) {
                    cancelar = d.startsWith(QLatin1String("ntx://"));
                });
        QSignalSpy documento(&v, &VistaWeb::documentoCompleto);
        v.navegar(QStringLiteral("ntx://salem/1Hola/F"));
        QCOMPARE(v.canceladas, QStringList{QStringLiteral("ntx://salem/1Hola/F")});
        QCOMPARE(v.estadoListo(), int(VistaWeb::Completo));
        QCOMPARE(v.direccion(), QStringLiteral("http://a/1"));
        QVERIFY(documento.isEmpty());
        QVERIFY(v.dispararAntesDeNavegar(QStringLiteral("ntx://princ/F"), QStringLiteral("principal")));
        QVERIFY(!v.dispararAntesDeNavegar(QStringLiteral("http://b/")));
    }

    void navegarPost_registraBytesYCabeceras()
    {
        VistaWebGuion v;
        QByteArray visto;
        QString cabecerasVistas;
        connect(&v, &VistaWeb::antesDeNavegar, this,
                [&](const QString &, const QString &, const QByteArray &p, const QString &c, bool &) {
                    visto = p;
                    cabecerasVistas = c;
                });
        const QByteArray cuerpo("a=\xE1&b=+", 7);
        const QString cabeceras = QStringLiteral("Referer: http://h/x\nCookie: s=1");
        v.navegarPost(QStringLiteral("http://h/x"), cuerpo, cabeceras);
        QCOMPARE(v.navegaciones.size(), 1);
        QVERIFY(v.navegaciones.first().post);
        QCOMPARE(v.navegaciones.first().cuerpo, cuerpo);
        QCOMPARE(v.navegaciones.first().cabeceras, cabeceras);
        QCOMPARE(visto, cuerpo);
        QCOMPARE(cabecerasVistas, cabeceras);
    }

    void fallarCarga_data()
    {
        QTest::addColumn<bool>("cancelar");
        QTest::newRow("sin cancelar") << false;
        QTest::newRow("cancelado") << true;
    }

    void fallarCarga()
    {
        QFETCH(bool, cancelar);
        VistaWebGuion v;
        QList<int> codigos;
        connect(&v, &VistaWeb::errorDeNavegacion, this, [&](const QString &d, const QString &, int c, bool &x) {
            QCOMPARE(d, QStringLiteral("http://a/1"));
            codigos << c;
            x = cancelar;
        });
        QSignalSpy documento(&v, &VistaWeb::documentoCompleto);
        QSignalSpy descarga(&v, &VistaWeb::descargaCompleta);
        v.navegar(QStringLiteral("http://a/1"));
        QCOMPARE(v.fallarCarga(500), cancelar);
        QCOMPARE(codigos, QList<int>{500});
        QVERIFY(documento.isEmpty());
        QCOMPARE(descarga.count(), 1);
        QVERIFY(!v.ocupado());
        // Nothing pending: a second failure reports nothing.
        QVERIFY(!v.fallarCarga(404));
        QCOMPARE(codigos.size(), 1);
    }

    void escrituras_diferidasYLimitadas()
    {
        VistaWebGuion v;
        v.setCompletarAlNavegar(true);
        v.navegar(QStringLiteral("http://a/1"));
        v.setEscriturasDiferidas(true);
        v.setScrollMaximo(300, 10);
        v.setScroll(425, 18);
        v.setDesbordeRaiz(QStringLiteral("hidden"));
        v.setAtributoCuerpo(QStringLiteral("leftMargin"), QStringLiteral("0"));
        QCOMPARE(v.scrollArriba(), 0);
        QCOMPARE(v.desbordeRaiz(), QString());
        QCOMPARE(v.atributoCuerpo(QStringLiteral("leftmargin")), QString());
        v.refrescar();
        QCOMPARE(v.scrollArriba(), 300);
        QCOMPARE(v.scrollIzquierda(), 10);
        QCOMPARE(v.desbordeRaiz(), QStringLiteral("hidden"));
        QCOMPARE(v.atributoCuerpo(QStringLiteral("LeftMargin")), QStringLiteral("0"));
        QCOMPARE(v.escriturasScroll, (QList<VistaWebGuion::EscrituraScroll>{{425, 18}}));
        QCOMPARE(v.escriturasAtributo.first(),
                 (QPair<QString, QString>{QStringLiteral("leftMargin"), QStringLiteral("0")}));
        // A new page drops writes that had not landed.
        v.setScroll(5, 5);
        v.navegar(QStringLiteral("http://a/2"));
        v.refrescar();
        QCOMPARE(v.scrollArriba(), 0);
    }

    void atrasYDetener()
    {
        VistaWebGuion v;
        v.setCompletarAlNavegar(true);
        v.ponerPaginaHtml(QStringLiteral("http://a/form"), QStringLiteral("form"));
        v.ponerPaginaHtml(QStringLiteral("http://a/resp"), QStringLiteral("resp"));
        v.navegar(QStringLiteral("http://a/form"));
        v.navegar(QStringLiteral("http://a/resp"));
        v.atras();
        QCOMPARE(v.atrases, 1);
        QCOMPARE(v.direccion(), QStringLiteral("http://a/form"));
        QCOMPARE(v.textoCuerpo(), QStringLiteral("form"));

        v.setCompletarAlNavegar(false);
        v.navegar(QStringLiteral("http://a/resp"));
        QVERIFY(v.ocupado());
        v.detener();
        QCOMPARE(v.detenciones, 1);
        QVERIFY(!v.ocupado());
        QCOMPARE(v.pendiente(), QString());
        v.completarCarga();
        QCOMPARE(v.direccion(), QStringLiteral("http://a/form"));
    }

    void eventosAMano()
    {
        VistaWebGuion v;
        connect(&v, &VistaWeb::cierreDeVentana, this, [](bool &c) { c = true; });
        QVERIFY(v.dispararCierreDeVentana());
        QSignalSpy foco(&v, &VistaWeb::focoRecibido);
        QSignalSpy nueva(&v, &VistaWeb::nuevaVentana);
        v.dispararFoco();
        v.dispararNuevaVentana(QStringLiteral("http://google/x"));
        QCOMPARE(foco.count(), 1);
        QCOMPARE(nueva.first().at(0).toString(), QStringLiteral("http://google/x"));
        v.setSilencioso(true);
        v.setSilencioso(false);
        QCOMPARE(v.silencios, (QList<bool>{true, false}));
        QVERIFY(!v.esSilencioso());
        int scripts = 0;
        v.setAlEjecutarScript([&](VistaWebGuion &yo, const QString &codigo) {
            ++scripts;
            yo.documento().htmlCuerpo = codigo;
        });
        v.ejecutarScript(QStringLiteral("window.alert=function(alertMsg) {window.status=alertMsg;}"));
        QCOMPARE(scripts, 1);
        QCOMPARE(v.scripts.size(), 1);
        QCOMPARE(v.htmlCuerpo(), v.scripts.first());
    }

    // The window-logic style: a poller driven through the double, tick by tick.
    void logicaDeVentana_esperaLecturaDelScroll_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("imagen");
        QTest::newRow("con tmp/") << QStringLiteral("<img src=\"TMP/abcdefghij0123456789.png\">")
                                  << QStringLiteral("tmp%2Fabcdefghij0123456789");
        QTest::newRow("sin tmp/") << QStringLiteral("<p>sin imagen de verificacion</p>")
                                  << QStringLiteral("tmp%2F<html><body><p>sin i");
    }

    void logicaDeVentana_esperaLecturaDelScroll()
    {
        QFETCH(QString, html);
        QFETCH(QString, imagen);
        VistaWebGuion v;
        v.ponerPaginaHtml(QStringLiteral("http://personal/Mensajes/sms.php"), html, QStringLiteral("PHPSESSID=9"));
        v.setEscriturasDiferidas(true);
        LectorDePagina lector(v);

        v.navegar(QStringLiteral("http://personal/Mensajes/sms.php"));
        lector.tick();
        QVERIFY(!lector.listo);
        QVERIFY(v.escriturasScroll.isEmpty()); // nothing read or written while loading

        v.completarCarga();
        lector.tick();
        QCOMPARE(lector.cookie, QStringLiteral("PHPSESSID=9"));
        QCOMPARE(lector.imagen, imagen);
        QVERIFY(!lector.listo); // the write has not landed yet
        v.refrescar();
        lector.tick();
        QVERIFY(lector.listo);
        QCOMPARE(lector.ticks, 3);
        QCOMPARE(v.escriturasScroll.size(), 2);
        QCOMPARE(v.escriturasDesborde, (QStringList{QStringLiteral("hidden"), QStringLiteral("hidden")}));
    }
};

QTEST_MAIN(PruebaVistaWebGuion)
#include "tst_vistawebguion.moc"

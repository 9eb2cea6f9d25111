// The reader of pages that are never shown: one plain request with the engine's
// user agent and languages, the body text as the browser gives it, and the
// load reported through the view's signals.
#include <QSignalSpy>
#include <QTest>

#include "plataforma/vistawebred.h"
#include "vistawebservidor.h"

class TstVistaWebRed : public QObject
{
    Q_OBJECT
private slots:
    void leePagina_data();
    void leePagina();
};

void TstVistaWebRed::leePagina_data()
{
    QTest::addColumn<int>("estado");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("completo");
    QTest::newRow("página") << 200 << "ntxconfweb1.2;colaHola & chau;psinArgentina - Claro" << true;
    QTest::newRow("no existe") << 404 << "" << false;
    QTest::newRow("falla del servidor") << 500 << "" << false;
}

void TstVistaWebRed::leePagina()
{
    QFETCH(int, estado);
    QFETCH(QString, texto);
    QFETCH(bool, completo);
    VistaWebServidor servidor;
    servidor.poner(QStringLiteral("/ntxbin/conf/2_5"),
                   "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>conf</title></head>"
                   "<body style=\"white-space:pre\">ntxconfweb1.2;colaHola &amp; chau;psinArgentina - Claro</body>"
                   "</html>",
                   estado);
    VistaWebRed vista("Agente/1.0", "es-AR,es");
    QSignalSpy documentos(&vista, &VistaWeb::documentoCompleto);
    QSignalSpy errores(&vista, &VistaWeb::errorDeNavegacion);
    const QString direccion = servidor.url(QStringLiteral("/ntxbin/conf/2_5"));
    vista.navegar(direccion);
    QVERIFY(vista.ocupado());
    QTRY_VERIFY_WITH_TIMEOUT(documentos.size() + errores.size() > 0, 20000);
    QCOMPARE(documentos.size(), completo ? 1 : 0);
    if (completo)
        QCOMPARE(documentos.at(0).at(0).toString(), direccion);
    else
        QCOMPARE(errores.at(0).at(2).toInt(), estado);
    QCOMPARE(vista.textoCuerpo(), texto);
    QCOMPARE(vista.direccion(), direccion);
    QCOMPARE(vista.estadoListo(), int(VistaWeb::Completo));
    QVERIFY(!vista.ocupado());
    const auto pedidos = servidor.pedidosA(QStringLiteral("/ntxbin/conf/2_5"));
    QCOMPARE(pedidos.size(), 1);
    QCOMPARE(pedidos.at(0).metodo, QByteArray("GET"));
    QCOMPARE(pedidos.at(0).cabecera("User-Agent"), QByteArray("Agente/1.0"));
    QCOMPARE(pedidos.at(0).cabecera("Accept-Language"), QByteArray("es-AR,es"));
}

QTEST_MAIN(TstVistaWebRed)
#include "tst_vistawebred.moc"

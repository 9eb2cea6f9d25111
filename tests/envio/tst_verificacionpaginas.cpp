// The Claro and Movilnet delivery windows driven with a scripted view: answer
// markers in order, their messages, the wrong-code step back, errors and closing.
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "entornoenvio.h"
#include "envio/frmverificacion.h"
#include "envio/frmverificacionmovilnet.h"

namespace {
const QString kPagina = QStringLiteral("http://127.0.0.1:4002/sms/default.aspx?x=1");
const QString kConectando = QStringLiteral("Conectando al servidor, espere por favor...");
} // namespace

class tst_verificacionpaginas : public QObject
{
    Q_OBJECT

    template <typename Ventana> struct Prueba
    {
        EntornoEnvio e;
        Ventana *w = nullptr;
        ControlesVerificacionPagina c;
        VistaWebGuion *v = nullptr;
        explicit Prueba(const QString &proveedor, const std::function<void(MensajeSaliente &)> &preparar = {})
        {
            e.mensaje.ProveedorActual = proveedor;
            if (preparar)
                preparar(e.mensaje);
            w = new Ventana(e.ctx, e.mensaje);
            e.principal.escuchar(static_cast<VerificacionPagina *>(w));
            c = ControlesVerificacionPagina::buscar(*w);
            v = e.vistas.at(0);
        }
        ~Prueba() { delete w; }
        void responder(const QString &html)
        {
            v->navegar(kPagina);
            v->ponerPaginaHtml(kPagina, html);
            v->completarCarga();
        }
    };

private Q_SLOTS:
    void claroRespuestas_data();
    void claroRespuestas();
    void claroCodigoIncorrectoVuelveAtras();
    void claroErrorDeNavegacion();
    void movilnetRespuestas_data();
    void movilnetRespuestas();
    void movilnetCargaYError();
    void cierrePedidoPorLaPagina();
    void panelAntesDeNavegar_data();
    void panelAntesDeNavegar();
    void f5Recarga_data();
    void f5Recarga();
    void formularioTomaElFoco_data();
    void formularioTomaElFoco();
};

void tst_verificacionpaginas::claroRespuestas_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<int>("imagen"); // 0: nothing reported
    QTest::addColumn<QString>("estado");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("texto");
    const QString noEnviado = QStringLiteral("Argentina - Claro: Mensaje No Enviado");
    QTest::newRow("enviado") << "<b>Mensaje Enviado</b>" << 1 << "Claro: Mensaje ha sido enviado al destinatario"
                             << "Argentina - Claro: Mensaje enviado"
                             << "Mensaje enviado: El mensaje fue enviado a Juan";
    QTest::newRow("enviado en minusculas") << "mensaje enviado" << 1 << "Claro: Mensaje ha sido enviado al destinatario"
                                           << "Argentina - Claro: Mensaje enviado"
                                           << "Mensaje enviado: El mensaje fue enviado a Juan";
    QTest::newRow("enviado gana a no existe")
        << "EL NUMERO NO EXISTE ... Mensaje Enviado" << 1 << "Claro: Mensaje ha sido enviado al destinatario"
        << "Argentina - Claro: Mensaje enviado"
        << "Mensaje enviado: El mensaje fue enviado a Juan";
    QTest::newRow("sin servicio") << "El numero NO TIENE SERVICIO de SMS" << 2
                                  << "Claro: Mensaje no enviado. El cliente no tiene servicio de mensajes" << noEnviado
                                  << "Claro reporta que el número 2966 123456 no tiene el servicio de mensajes de "
                                     "texto activo.";
    QTest::newRow("sin servicio gana a no existe")
        << "no existe / no tiene servicio" << 2 << "Claro: Mensaje no enviado. El cliente no tiene servicio de mensajes"
        << noEnviado << "Claro reporta que el número 2966 123456 no tiene el servicio de mensajes de texto activo.";
    QTest::newRow("no existe") << "El numero NO EXISTE" << 2
                               << "Claro: Mensaje no enviado. El número no es cliente de Claro" << noEnviado
                               << "Claro reporta que el número 2966 123456 no es un cliente de esta empresa.";
    QTest::newRow("no habilitado")
        << "NO TIENE ACTUALMENTE HABILITADO el envio" << 2
        << "Claro: Mensaje no enviado. Use otro servidor de este proveedor" << noEnviado
        << "Claro reporta que momentáneamente no se pueden enviar mensajes al número 2966 123456 usando este "
           "servidor. Por favor elija otro servidor de este proveedor para enviar mensajes a este número.";
    QTest::newRow("ninguna") << "<form>Codigo: <input name=c></form>" << 0 << ""
                             << ""
                             << "";
}

void tst_verificacionpaginas::claroRespuestas()
{
    QFETCH(QString, html);
    QFETCH(int, imagen);
    QFETCH(QString, estado);
    QFETCH(QString, titulo);
    QFETCH(QString, texto);
    Prueba<frmVerificacion> p(QStringLiteral("Argentina - Claro"));
    QSignalSpy rechazos(p.w, &QDialog::rejected);
    p.responder(html);
    QCOMPARE(p.v->atributoCuerpo(QStringLiteral("scroll")), QStringLiteral("no"));
    if (imagen == 0) {
        QCOMPARE(rechazos.size(), 0);
        QVERIFY(p.c.fraVerificacion->isHidden());
        QVERIFY(p.e.dialogos.llamadas.isEmpty());
        QVERIFY(p.e.principal.estados.isEmpty());
        return;
    }
    QCOMPARE(rechazos.size(), 1);
    QCOMPARE(p.e.principal.estados.size(), 1);
    QCOMPARE(p.e.principal.estados[0], qMakePair(imagen, estado));
    QCOMPARE(p.e.dialogos.llamadas.size(), 1);
    QCOMPARE(p.e.dialogos.llamadas[0].titulo, titulo);
    QCOMPARE(p.e.dialogos.llamadas[0].texto, texto);
    QCOMPARE(p.e.dialogos.llamadas[0].icono, imagen == 1 ? Dialogos::Icono::Informacion : Dialogos::Icono::Critico);
    QCOMPARE(p.e.principal.escrituraMostrada, 1);
    QCOMPARE(p.e.principal.guardados, imagen == 1 ? 1 : 0);

    // Later events of the closed window change nothing.
    p.v->dispararDescargaCompleta();
    QCOMPARE(p.e.dialogos.llamadas.size(), 1);
}

void tst_verificacionpaginas::claroCodigoIncorrectoVuelveAtras()
{
    Prueba<frmVerificacion> p(QStringLiteral("Argentina - Claro"));
    QSignalSpy rechazos(p.w, &QDialog::rejected);
    p.v->setCompletarAlNavegar(true);
    p.v->ponerPaginaHtml(QStringLiteral("http://127.0.0.1:4002/sms/default.aspx?m=1"),
                         QStringLiteral("<form>codigo</form>"));
    p.v->ponerPaginaHtml(QStringLiteral("http://127.0.0.1:4002/sms/enviar.aspx"),
                         QStringLiteral("Ingreso INCORRECTO del codigo"));
    p.v->navegar(QStringLiteral("http://127.0.0.1:4002/sms/default.aspx?m=1"));
    QVERIFY(p.c.fraVerificacion->isHidden());
    p.v->navegar(QStringLiteral("http://127.0.0.1:4002/sms/enviar.aspx"));
    QCOMPARE(rechazos.size(), 0);
    QCOMPARE(p.e.dialogos.llamadas.size(), 1);
    QCOMPARE(p.e.dialogos.llamadas[0].titulo, QStringLiteral("Argentina - Claro"));
    QCOMPARE(p.e.dialogos.llamadas[0].icono, Dialogos::Icono::Exclamacion);
    QCOMPARE(p.e.dialogos.llamadas[0].texto,
             QStringLiteral("El código de verificación ingresado no es el correcto.\r\n · Ingrese nuevamente el "
                            "código, si no lo ve claramente presione F5 para mostrar otro"));
    QCOMPARE(p.v->detenciones, 2);
    QCOMPARE(p.v->atrases, 1);
    QCOMPARE(p.v->direccion(), QStringLiteral("http://127.0.0.1:4002/sms/default.aspx?m=1"));
    QVERIFY(p.c.fraVerificacion->isHidden()); // the form is back on screen
    QVERIFY(p.e.principal.estados.isEmpty());
    QCOMPARE(p.e.principal.guardados, 0);
}

void tst_verificacionpaginas::claroErrorDeNavegacion()
{
    Prueba<frmVerificacion> p(QStringLiteral("Argentina - Claro"));
    QSignalSpy rechazos(p.w, &QDialog::rejected);
    p.v->navegar(kPagina);
    p.v->fallarCarga(500);
    QCOMPARE(rechazos.size(), 1);
    QCOMPARE(p.e.principal.estados.size(), 1);
    QCOMPARE(p.e.principal.estados[0], qMakePair(2, QStringLiteral("Mensaje no enviado: no se encontró el servicio.")));
    QCOMPARE(p.e.dialogos.llamadas.size(), 1); // the download-complete that follows adds nothing
    QCOMPARE(p.e.dialogos.llamadas[0].titulo, QStringLiteral("NTX Mensajes: Mensaje no enviado"));
    QCOMPARE(p.e.dialogos.llamadas[0].icono, Dialogos::Icono::Critico);
    QCOMPARE(p.e.dialogos.llamadas[0].texto,
             QStringLiteral("No se encontró el servicio. El mensaje no ha sido enviado a Argentina - Claro\r\r"
                            "Puede que el servidor de este proveedor no esté disponible.\r\n"
                            " · Compruebe que el equipo esté conectado a Internet\r\n"
                            " · Envíe el mensaje usando otro servidor de este proveedor (si está disponible)\r\n"
                            " · Compruebe si los servicios están funcionando desde el menú Ayuda » Estado de los "
                            "Servicios\r\n"
                            " · Si el error persiste, busque una versión más actual del programa desde el menú "
                            "Herramientas"));
    QCOMPARE(p.e.principal.guardados, 0);
}

void tst_verificacionpaginas::movilnetRespuestas_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<int>("imagen");
    QTest::addColumn<QString>("estado");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("texto");
    QTest::newRow("enviado") << "Su mensaje fue enviado" << 1 << "Movilnet: Mensaje ha sido enviado al destinatario"
                             << "Venezuela - Movilnet: Mensaje enviado"
                             << "Mensaje enviado: El mensaje fue enviado a Juan";
    QTest::newRow("enviado en otro caso")
        << "Mensaje Fue Enviado" << 1 << "Movilnet: Mensaje ha sido enviado al destinatario"
        << "Venezuela - Movilnet: Mensaje enviado"
        << "Mensaje enviado: El mensaje fue enviado a Juan";
    QTest::newRow("no enviado") << "El MENSAJE NO FUE ENVIADO" << 2 << "Movilnet: Mensaje no enviado"
                                << "Venezuela - Movilnet: Mensaje No Enviado"
                                << "Movilnet reporta que el mensaje no ha sido enviado.\rEl código de verificación "
                                   "es incorrecto, inténtelo nuevamente. Si el problema persiste es posible que el "
                                   "número 0416 1234567 no sea un cliente activo de esta empresa.";
    QTest::newRow("ninguna") << "<form>Ingrese el codigo</form>" << 0 << ""
                             << ""
                             << "";
}

void tst_verificacionpaginas::movilnetRespuestas()
{
    QFETCH(QString, html);
    QFETCH(int, imagen);
    QFETCH(QString, estado);
    QFETCH(QString, titulo);
    QFETCH(QString, texto);
    // The number quoted is the one captured at the press: area code, blank, number.
    Prueba<frmVerificacionMovilnet> p(QStringLiteral("Venezuela - Movilnet"), [](MensajeSaliente &m) {
        m.destinatario.codArea = QStringLiteral("16");
        m.destinatario.numero = QStringLiteral("1234567");
    });
    QSignalSpy rechazos(p.w, &QDialog::rejected);
    p.responder(html);
    if (imagen == 0) {
        QCOMPARE(rechazos.size(), 0);
        QVERIFY(p.c.fraVerificacion->isHidden());
        QVERIFY(p.e.dialogos.llamadas.isEmpty());
        return;
    }
    QCOMPARE(rechazos.size(), 1);
    QCOMPARE(p.e.principal.estados.size(), 1);
    QCOMPARE(p.e.principal.estados[0], qMakePair(imagen, estado));
    QCOMPARE(p.e.dialogos.llamadas.size(), 1);
    QCOMPARE(p.e.dialogos.llamadas[0].titulo, titulo);
    QCOMPARE(p.e.dialogos.llamadas[0].texto, texto);
    QCOMPARE(p.e.principal.escrituraMostrada, 1);
    QCOMPARE(p.e.principal.guardados, imagen == 1 ? 1 : 0);
}

void tst_verificacionpaginas::movilnetCargaYError()
{
    Prueba<frmVerificacionMovilnet> p(QStringLiteral("Venezuela - Movilnet"));
    QVERIFY(p.v->esSilencioso());
    QCOMPARE(p.w->windowTitle(), QStringLiteral("Venezuela - Movilnet"));
    QCOMPARE(p.c.lblTextoArriba->text(), QStringLiteral("Escriba el código de verificación para enviar:"));
    QCOMPARE(p.c.cmdAceptar->text(), QStringLiteral("&Cancelar"));
    QCOMPARE(p.c.lblTrabajando->text(), kConectando);
    p.v->navegar(QStringLiteral("http://127.0.0.1:4003/smsinternet/validarCliente.jsp?x"));
    p.v->fallarCarga(-105);
    QCOMPARE(p.e.dialogos.llamadas.size(), 1);
    QVERIFY(p.e.dialogos.llamadas[0].texto.endsWith(
        QStringLiteral("\r\n · Si el error persiste, busque una versión más actual del programa desde el menú "
                       "Herramientas")));
    QVERIFY(p.e.dialogos.llamadas[0].texto.startsWith(
        QStringLiteral("No se encontró el servicio. El mensaje no ha sido enviado a Venezuela - Movilnet\r\r")));
}

void tst_verificacionpaginas::cierrePedidoPorLaPagina()
{
    Prueba<frmVerificacionMovilnet> m(QStringLiteral("Venezuela - Movilnet"));
    QSignalSpy rm(m.w, &QDialog::rejected);
    QVERIFY(m.v->dispararCierreDeVentana());
    QCOMPARE(rm.size(), 1);

    Prueba<frmVerificacion> c(QStringLiteral("Argentina - Claro"));
    QSignalSpy rc(c.w, &QDialog::rejected);
    QVERIFY(c.v->dispararCierreDeVentana());
    QCOMPARE(rc.size(), 1);
    QVERIFY(c.e.dialogos.llamadas.isEmpty());

    Prueba<frmVerificacion> b(QStringLiteral("Argentina - Claro"));
    QSignalSpy rb(b.w, &QDialog::rejected);
    QTest::mouseClick(b.c.cmdAceptar, Qt::LeftButton);
    QCOMPARE(rb.size(), 1);
    QCOMPARE(b.e.principal.guardados, 0);
}

void tst_verificacionpaginas::panelAntesDeNavegar_data()
{
    QTest::addColumn<bool>("movilnet");
    QTest::addColumn<bool>("marcoPrincipal");
    QTest::newRow("Claro, la página") << false << true;
    QTest::newRow("Claro, un marco después de completar") << false << false;
    QTest::newRow("Movilnet, la página") << true << true;
    QTest::newRow("Movilnet, un marco después de completar") << true << false;
}

void tst_verificacionpaginas::panelAntesDeNavegar()
{
    QFETCH(bool, movilnet);
    QFETCH(bool, marcoPrincipal);
    auto comprobar = [marcoPrincipal](auto &p) {
        p.responder(QStringLiteral("<form></form>"));
        QVERIFY(p.c.fraVerificacion->isHidden());
        // A frame's navigation never completes the page: the panel would stay up for good.
        p.v->dispararAntesDeNavegar(QStringLiteral("http://127.0.0.1:4002/sms/enviar.aspx"),
                                    marcoPrincipal ? QString() : QStringLiteral("publicidad"), {}, {}, marcoPrincipal);
        QCOMPARE(p.c.fraVerificacion->isHidden(), !marcoPrincipal);
        // A new window asked for by the page goes nowhere.
        p.v->dispararNuevaVentana(QStringLiteral("http://example.org/promo"));
        QVERIFY(p.e.sistema.direccionesAbiertas.isEmpty());
        QCOMPARE(p.c.fraVerificacion->isHidden(), !marcoPrincipal);
        QVERIFY(p.w->isVisible());
    };
    if (movilnet) {
        Prueba<frmVerificacionMovilnet> p(QStringLiteral("Venezuela - Movilnet"));
        p.w->show();
        comprobar(p);
    } else {
        Prueba<frmVerificacion> p(QStringLiteral("Argentina - Claro"));
        p.w->show();
        comprobar(p);
    }
}

void tst_verificacionpaginas::f5Recarga_data()
{
    QTest::addColumn<bool>("movilnet");
    QTest::newRow("Claro") << false;
    QTest::newRow("Movilnet") << true;
}

void tst_verificacionpaginas::f5Recarga()
{
    QFETCH(bool, movilnet);
    auto comprobar = [](auto &p) {
        p.w->show();
        p.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.w));
        p.responder(QStringLiteral("<form></form>"));
        QCOMPARE(p.v->recargas, 0);
        QTest::keyClick(p.w, Qt::Key_F5);
        QCOMPARE(p.v->recargas, 1);
    };
    if (movilnet) {
        Prueba<frmVerificacionMovilnet> p(QStringLiteral("Venezuela - Movilnet"));
        comprobar(p);
    } else {
        Prueba<frmVerificacion> p(QStringLiteral("Argentina - Claro"));
        comprobar(p);
    }
}

void tst_verificacionpaginas::formularioTomaElFoco_data()
{
    QTest::addColumn<bool>("movilnet");
    QTest::newRow("Claro") << false;
    QTest::newRow("Movilnet") << true;
}

// The window opens with the keyboard in the gateway's code box: the code is typed at once.
void tst_verificacionpaginas::formularioTomaElFoco()
{
    QFETCH(bool, movilnet);
    const auto probar = [](auto &p) {
        p.w->show();
        QVERIFY(QTest::qWaitForWindowActive(p.w));
        QVERIFY(!p.v->hasFocus());
        p.responder(QStringLiteral("<form>Escriba los números: <input name=codigo></form>"));
        QVERIFY(p.c.fraVerificacion->isHidden());
        QTRY_VERIFY(p.v->hasFocus());
        QVERIFY(!p.v->scripts.isEmpty());
        QVERIFY(p.v->scripts.last().contains(QStringLiteral("form input[type=text], form input:not([type])")));
        QVERIFY(p.v->scripts.last().contains(QStringLiteral(".focus()")));
        // The picture and the page are named by what to do, never by the code they show.
        QVERIFY(!p.v->accessibleName().isEmpty());
    };
    if (movilnet) {
        Prueba<frmVerificacionMovilnet> p(QStringLiteral("Venezuela - Movilnet"));
        probar(p);
    } else {
        Prueba<frmVerificacion> p(QStringLiteral("Argentina - Claro"));
        probar(p);
    }
}

QTEST_MAIN(tst_verificacionpaginas)
#include "tst_verificacionpaginas.moc"

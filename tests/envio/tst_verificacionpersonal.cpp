// The Personal delivery window driven with scripted views: polling ticks and
// their texts, page fitting, the code box, the POST, the answer reading.
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "comando/configuracionremota.h"
#include "entornoenvio.h"
#include "envio/codificacion.h"
#include "envio/frmverificacionpersonal.h"

namespace {
const QString kPasarela = QStringLiteral("http://127.0.0.1:4001/Mensajes/sms.php");
const QString kConectando = QStringLiteral("Conectando al servidor, espere por favor...");
const QString kMuyLento =
    QStringLiteral("El servidor está respondiendo muy lentamente, por favor espere o intente más tarde...");
const QString kPaginaCodigo =
    QStringLiteral("<form><img src=\"tmp/ab12cd34ef56gh78ij90.png\"><input name=codigo></form>");

// A tick of a polling timer, without waiting for it.
void disparar(QTimer *temporizador)
{
    if (!QMetaObject::invokeMethod(temporizador, "timeout"))
        qFatal("timeout no disparado");
}
} // namespace

class tst_verificacionpersonal : public QObject
{
    Q_OBJECT

    struct Prueba
    {
        EntornoEnvio e;
        frmVerificacionPersonal *w = nullptr;
        ControlesFrmVerificacionPersonal c;
        VistaWebGuion *verificacion = nullptr;
        VistaWebGuion *envia = nullptr;
        explicit Prueba(const std::function<void(MensajeSaliente &)> &preparar = {})
        {
            e.mensaje.ProveedorActual = QStringLiteral("Argentina - Personal");
            if (preparar)
                preparar(e.mensaje);
            w = new frmVerificacionPersonal(e.ctx, e.mensaje, QStringLiteral("ntx"));
            e.principal.escuchar(w);
            c = ControlesFrmVerificacionPersonal::buscar(*w);
            verificacion = e.vistas.at(0);
            envia = e.vistas.at(1);
        }
        ~Prueba() { delete w; }
        // The gateway page arrives and the next tick fits it.
        void paginaLista()
        {
            verificacion->ponerPaginaHtml(kPasarela, kPaginaCodigo, QStringLiteral("PHPSESSID=s1"));
            verificacion->completarCarga();
            tick();
        }
        void tick() { disparar(c.timReadyState); }
        void tickEnvio() { disparar(c.timReadyStateEnvio); }
        void escribirCodigo(const QString &codigo)
        {
            c.txtVerificacion->clear();
            QTest::keyClicks(c.txtVerificacion, codigo);
        }
        void enviar() { QTest::mouseClick(c.cmdEnviar, Qt::LeftButton); }
    };

private Q_SLOTS:
    void carga();
    void ticksDeCarga_data();
    void ticksDeCarga();
    void avisoDeCargaUnaSolaVez();
    void paginaListaSeAjusta_data();
    void paginaListaSeAjusta();
    void ajusteEsperaAlDibujo();
    void otraPaginaDejaElPanel();
    void codigoDeTresCifras();
    void filtroDelCodigo_data();
    void filtroDelCodigo();
    void teclasReales();
    void enterEnviaSoloConBotonActivo();
    void enterConCodigoCortoAvisaSiempre_data();
    void enterConCodigoCortoAvisaSiempre();
    void f5TraeOtraImagen();
    void envioPost();
    void servidorAlternativo();
    void codigoIncorrecto();
    void entregado();
    void respuestaCortaNoQuedaEsperando();
    void ticksDeEnvio();
    void errorDeNavegacion_data();
    void errorDeNavegacion();
    void focoYCierre();
    void alertasDeLaRespuesta();
};

void tst_verificacionpersonal::carga()
{
    Prueba p;
    QCOMPARE(p.w->windowTitle(), QStringLiteral("Argentina - Personal"));
    QCOMPARE(p.verificacion->navegaciones.size(), 1);
    QCOMPARE(p.verificacion->navegaciones[0].direccion, kPasarela);
    QVERIFY(!p.verificacion->navegaciones[0].post);
    QVERIFY(p.verificacion->esSilencioso());
    QVERIFY(p.envia->esSilencioso());
    QVERIFY(p.c.timReadyState->isActive());
    QCOMPARE(p.c.timReadyState->interval(), 500);
    QVERIFY(!p.c.timReadyStateEnvio->isActive());
    QCOMPARE(p.c.timReadyStateEnvio->interval(), 150);
    QVERIFY(!p.c.cmdEnviar->isEnabled());
    QVERIFY(!p.c.fraVerificacion->isHidden());
    QCOMPARE(p.c.lblTrabajando->text(), kConectando);
    QCOMPARE(p.w->ticksCarga(), qint16(0));
    QVERIFY(p.envia->width() <= 2 && p.envia->height() <= 2);
    // A screen reader is told what to do with the picture, never the code it shows.
    p.paginaLista();
    QCOMPARE(p.verificacion->accessibleName(), QStringLiteral("Imagen del código de verificación"));
    QCOMPARE(p.verificacion->accessibleDescription(),
             QStringLiteral("Escriba en el cuadro de abajo los números que muestra la imagen"));
    static const QRegularExpression cifra(QStringLiteral("[0-9]"));
    QVERIFY(!p.verificacion->accessibleName().contains(cifra));
    QCOMPARE(p.c.txtVerificacion->accessibleName(), QStringLiteral("Código de verificación"));
}

void tst_verificacionpersonal::ticksDeCarga_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("avisos");
    QTest::newRow("19") << 19 << kConectando << 0;
    QTest::newRow("20") << 20 << "La carga está demorando más de lo normal, espere unos instantes más por favor..."
                        << 0;
    QTest::newRow("179") << 179 << "La carga está demorando más de lo normal, espere unos instantes más por favor..."
                         << 0;
    QTest::newRow("180") << 180 << "La carga está demorando más de lo normal, espere unos instantes más por favor..."
                         << 1;
    QTest::newRow("181") << 181 << kMuyLento << 1;
}

void tst_verificacionpersonal::ticksDeCarga()
{
    QFETCH(int, ticks);
    QFETCH(QString, texto);
    QFETCH(int, avisos);
    Prueba p;
    for (int i = 0; i < ticks; ++i) {
        p.tick();
        QVERIFY(p.c.timReadyState->isActive()); // still loading: polling goes on
    }
    QCOMPARE(p.w->ticksCarga(), qint16(ticks));
    QCOMPARE(p.c.lblTrabajando->text(), texto);
    QCOMPARE(p.e.dialogos.llamadas.size(), avisos);
    if (avisos) {
        QCOMPARE(p.e.dialogos.llamadas[0].titulo, QStringLiteral("NTX Mensajes: Mensaje en espera"));
        QCOMPARE(p.e.dialogos.llamadas[0].icono, Dialogos::Icono::Informacion);
        QCOMPARE(p.e.dialogos.llamadas[0].texto, frmVerificacionPersonal::textoServidorLento());
        QVERIFY(p.e.dialogos.llamadas[0].texto.startsWith(
            QStringLiteral("El servidor está respondiendo muy lentamente. \r\r · Si dispone de una conexión")));
        QVERIFY(p.e.dialogos.llamadas[0].texto.endsWith(
            QStringLiteral("(si está disponible)\r\n · Compruebe si los servicios están funcionando desde el menú "
                           "Ayuda » Estado de los Servicios\r\n · Si el error persiste, puede que el servidor esté "
                           "muy ocupado temporalmente, intente más tarde")));
    }
}

void tst_verificacionpersonal::avisoDeCargaUnaSolaVez()
{
    Prueba p;
    for (int i = 0; i < 700; ++i)
        p.tick();
    QCOMPARE(p.e.dialogos.llamadas.size(), 1);
    QCOMPARE(p.c.lblTrabajando->text(), kMuyLento);
}

void tst_verificacionpersonal::paginaListaSeAjusta_data()
{
    QTest::addColumn<QString>("configuracion");
    QTest::addColumn<int>("arriba");
    QTest::addColumn<int>("izquierda");
    QTest::newRow("valores por defecto") << "" << 425 << 18;
    QTest::newRow("configurados") << "perx400;pery12" << 400 << 12;
    QTest::newRow("numero con texto detras") << "perx300px" << 300 << 18;
}

void tst_verificacionpersonal::paginaListaSeAjusta()
{
    QFETCH(QString, configuracion);
    QFETCH(int, arriba);
    QFETCH(int, izquierda);
    Prueba p;
    LeerConfiguracion(p.e.ctx.ConfiguracionRemota, configuracion);
    p.c.txtVerificacion->setText(QStringLiteral("99"));
    p.paginaLista();
    QCOMPARE(p.w->cookiePagina(), QStringLiteral("PHPSESSID=s1"));
    QCOMPARE(p.w->archivoImagen(), QStringLiteral("tmp%2Fab12cd34ef56gh78ij90"));
    QVERIFY(p.c.txtVerificacion->text().isEmpty());
    QCOMPARE(p.verificacion->escriturasDesborde, QStringList{QStringLiteral("hidden")});
    QCOMPARE(p.verificacion->atributoCuerpo(QStringLiteral("scroll")), QStringLiteral("no"));
    QCOMPARE(p.verificacion->atributoCuerpo(QStringLiteral("leftMargin")), QStringLiteral("0"));
    QCOMPARE(p.verificacion->atributoCuerpo(QStringLiteral("topMargin")), QStringLiteral("0"));
    QCOMPARE(p.verificacion->escriturasScroll.size(), 1);
    QCOMPARE(p.verificacion->escriturasScroll[0], (VistaWebGuion::EscrituraScroll{arriba, izquierda}));
    QVERIFY(p.c.cmdEnviar->isEnabled());
    QVERIFY(p.c.fraVerificacion->isHidden());
    QVERIFY(!p.c.timReadyState->isActive());
}

void tst_verificacionpersonal::ajusteEsperaAlDibujo()
{
    Prueba p;
    p.verificacion->setEscriturasDiferidas(true);
    p.paginaLista();
    QVERIFY(!p.c.cmdEnviar->isEnabled());
    QVERIFY(!p.c.fraVerificacion->isHidden());
    QVERIFY(p.c.timReadyState->isActive()); // asks again at the next tick
    p.verificacion->refrescar();
    p.tick();
    QVERIFY(p.c.cmdEnviar->isEnabled());
    QVERIFY(p.c.fraVerificacion->isHidden());
    QCOMPARE(p.w->ticksCarga(), qint16(2));
}

void tst_verificacionpersonal::otraPaginaDejaElPanel()
{
    Prueba p;
    p.verificacion->ponerPaginaHtml(kPasarela, kPaginaCodigo);
    p.verificacion->completarCarga();
    p.verificacion->navegar(QStringLiteral("http://127.0.0.1:4001/Mensajes/mantenimiento.php"));
    p.verificacion->completarCarga();
    p.tick();
    QVERIFY(!p.c.timReadyState->isActive());
    QVERIFY(!p.c.fraVerificacion->isHidden());
    QVERIFY(!p.c.cmdEnviar->isEnabled());
    QVERIFY(p.verificacion->escriturasScroll.isEmpty());
}

void tst_verificacionpersonal::codigoDeTresCifras()
{
    Prueba p;
    p.paginaLista();
    p.escribirCodigo(QStringLiteral("123"));
    p.enviar();
    QCOMPARE(p.c.lblEscribaaqui->text(), QStringLiteral("Escriba correctamente el código aquí:"));
    QCOMPARE(p.e.sistema.pitidos, 1);
    QVERIFY(p.envia->navegaciones.isEmpty());
    QVERIFY(p.c.cmdEnviar->isEnabled());
}

void tst_verificacionpersonal::filtroDelCodigo_data()
{
    QTest::addColumn<int>("tecla");
    QTest::addColumn<QString>("texto"); // after "12"
    QTest::addColumn<bool>("pasa");
    QTest::newRow("cero") << int(Qt::Key_0) << "120" << true;
    QTest::newRow("nueve") << int(Qt::Key_9) << "129" << true;
    QTest::newRow("retroceso") << int(Qt::Key_Backspace) << "1" << true;
    QTest::newRow("letra") << int(Qt::Key_A) << "12" << false;
    QTest::newRow("blanco") << int(Qt::Key_Space) << "12" << false;
    QTest::newRow("signo") << int(Qt::Key_Minus) << "12" << false;
}

void tst_verificacionpersonal::filtroDelCodigo()
{
    QFETCH(int, tecla);
    QFETCH(QString, texto);
    QFETCH(bool, pasa);
    Prueba p;
    p.escribirCodigo(QStringLiteral("12"));
    QTest::keyClick(p.c.txtVerificacion, Qt::Key(tecla));
    QCOMPARE(p.c.txtVerificacion->text(), texto);
    QCOMPARE(p.e.sistema.pitidos, pasa ? 0 : 1);
    QCOMPARE(p.c.lblEscribaaqui->text(), pasa ? QStringLiteral("Escriba aquí el código que ve arriba:")
                                              : QStringLiteral("Escriba solo números aquí:"));
}

void tst_verificacionpersonal::teclasReales()
{
    Prueba p;
    QTest::keyClicks(p.c.txtVerificacion, QStringLiteral("12a3x4"));
    QCOMPARE(p.c.txtVerificacion->text(), QStringLiteral("1234"));
    QCOMPARE(p.e.sistema.pitidos, 2);
    QTest::keyClick(p.c.txtVerificacion, Qt::Key_Backspace);
    QCOMPARE(p.c.txtVerificacion->text(), QStringLiteral("123"));
}

void tst_verificacionpersonal::enterEnviaSoloConBotonActivo()
{
    Prueba p;
    p.escribirCodigo(QStringLiteral("1234"));
    QTest::keyClick(p.c.txtVerificacion, Qt::Key_Return);
    QVERIFY(p.envia->navegaciones.isEmpty()); // image not ready yet
    p.paginaLista();
    p.escribirCodigo(QStringLiteral("1234"));
    QTest::keyClick(p.c.txtVerificacion, Qt::Key_Return);
    QCOMPARE(p.envia->navegaciones.size(), 1);
    QTest::keyClick(p.c.txtVerificacion, Qt::Key_Enter);
    QCOMPARE(p.envia->navegaciones.size(), 1); // a second Enter while sending posts nothing
}

void tst_verificacionpersonal::enterConCodigoCortoAvisaSiempre_data()
{
    QTest::addColumn<bool>("imagenLista");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<int>("pitidos");
    QTest::newRow("cargando, 3 cifras") << false << "123" << 1;
    QTest::newRow("cargando, vacío") << false << "" << 1;
    QTest::newRow("cargando, 4 cifras") << false << "1234" << 0;
    QTest::newRow("lista, 2 cifras") << true << "12" << 1;
}

void tst_verificacionpersonal::enterConCodigoCortoAvisaSiempre()
{
    QFETCH(bool, imagenLista);
    QFETCH(QString, codigo);
    QFETCH(int, pitidos);
    Prueba p;
    if (imagenLista)
        p.paginaLista();
    p.escribirCodigo(codigo);
    QTest::keyClick(p.c.txtVerificacion, Qt::Key_Return);
    QCOMPARE(p.e.sistema.pitidos, pitidos);
    QCOMPARE(p.c.lblEscribaaqui->text(), pitidos ? QStringLiteral("Escriba correctamente el código aquí:")
                                                 : QStringLiteral("Escriba aquí el código que ve arriba:"));
    QVERIFY(p.envia->navegaciones.isEmpty());
}

void tst_verificacionpersonal::f5TraeOtraImagen()
{
    Prueba p;
    p.w->show();
    p.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    p.paginaLista();
    QVERIFY(p.c.fraVerificacion->isHidden());
    const qsizetype antes = p.verificacion->navegaciones.size();
    QTest::keyClick(p.c.txtVerificacion, Qt::Key_F5);
    QCOMPARE(p.verificacion->navegaciones.size(), antes + 1);
    QCOMPARE(p.verificacion->navegaciones.last().direccion, kPasarela);
    QVERIFY(!p.c.cmdEnviar->isEnabled());
    QVERIFY(!p.c.fraVerificacion->isHidden());
    QVERIFY(p.c.timReadyState->isActive());
    p.paginaLista();
    QVERIFY(p.c.cmdEnviar->isEnabled());
    // While a code is on its way F5 changes nothing.
    p.escribirCodigo(QStringLiteral("1234"));
    p.enviar();
    const qsizetype enviando = p.verificacion->navegaciones.size();
    QTest::keyClick(p.c.txtVerificacion, Qt::Key_F5);
    QCOMPARE(p.verificacion->navegaciones.size(), enviando);
    QCOMPARE(p.envia->navegaciones.size(), 1);
}

void tst_verificacionpersonal::envioPost()
{
    Prueba p([](MensajeSaliente &m) {
        m.remitente = QStringLiteral("Iñaki & Co");
        m.texto = QStringLiteral("¿50% + 1 = más?");
    });
    p.paginaLista();
    p.escribirCodigo(QStringLiteral("0427"));
    p.enviar();
    QCOMPARE(p.envia->navegaciones.size(), 1);
    const VistaWebGuion::Navegacion &n = p.envia->navegaciones[0];
    QCOMPARE(n.direccion, kPasarela);
    QVERIFY(n.post);
    QCOMPARE(n.cuerpo, QByteArray("pantalla=&DE_MESG_TXT=ntx&sig=ntx&msgtext=I\xF1"
                                  "aki+%26+Co:+%BF50%25+%2B+1+%3D+m%E1s%3F&Snb=2966123456"
                                  "&Filename=tmp%2Fab12cd34ef56gh78ij90&FormValidar=validar&codigo=0427"
                                  "&Image30.x=13&Image30.y=19"));
    QCOMPARE(n.cabeceras, QStringLiteral("Referer: http://127.0.0.1:4001/Mensajes/sms.php\n"
                                         "Content-Type: application/x-www-form-urlencoded\n"
                                         "Cookie: PHPSESSID=s1"));
    QVERIFY(!p.c.cmdEnviar->isEnabled());
    QVERIFY(!p.c.fraVerificacion->isHidden());
    QCOMPARE(p.c.lblTrabajando->text(), QStringLiteral("Enviando el mensaje, espere por favor..."));
    QVERIFY(p.c.timReadyStateEnvio->isActive());
    QCOMPARE(QString::fromLatin1(n.cuerpo), QString::fromLatin1(TextoABytes(p.w->cuerpoPost())));
}

void tst_verificacionpersonal::servidorAlternativo()
{
    EntornoEnvio e;
    e.mensaje.ServidorAlternativo = QStringLiteral("127.0.0.1:4999");
    frmVerificacionPersonal w(e.ctx, e.mensaje, QStringLiteral("t"));
    const auto c = ControlesFrmVerificacionPersonal::buscar(w);
    VistaWebGuion *v = e.vistas.at(0);
    QCOMPARE(v->navegaciones[0].direccion, QStringLiteral("http://127.0.0.1:4999/Mensajes/sms.php"));
    v->ponerPaginaHtml(QStringLiteral("http://127.0.0.1:4999/Mensajes/sms.php"), kPaginaCodigo);
    v->completarCarga();
    disparar(c.timReadyState);
    QVERIFY(c.cmdEnviar->isEnabled());
    QTest::keyClicks(c.txtVerificacion, QStringLiteral("1111"));
    QTest::mouseClick(c.cmdEnviar, Qt::LeftButton);
    QCOMPARE(e.vistas.at(1)->navegaciones[0].direccion, QStringLiteral("http://127.0.0.1:4999/Mensajes/sms.php"));
    QVERIFY(e.vistas.at(1)->navegaciones[0].cabeceras.startsWith(
        QStringLiteral("Referer: http://127.0.0.1:4999/Mensajes/sms.php\n")));
}

void tst_verificacionpersonal::codigoIncorrecto()
{
    Prueba p;
    QSignalSpy rechazos(p.w, &QDialog::rejected);
    for (int i = 0; i < 6; ++i)
        p.tick();
    p.paginaLista();
    QCOMPARE(p.w->ticksCarga(), qint16(7));
    p.escribirCodigo(QStringLiteral("9999"));
    p.enviar();
    p.tickEnvio(); // still loading
    p.envia->ponerPaginaHtml(kPasarela, QStringLiteral("<p>El código INGRESADO ES INCORRECTO</p>"));
    p.envia->completarCarga();
    p.tickEnvio();
    QCOMPARE(p.w->ticksEnvio(), qint16(0));
    QCOMPARE(p.w->ticksCarga(), qint16(0));
    QCOMPARE(p.e.dialogos.llamadas.size(), 1);
    QCOMPARE(p.e.dialogos.llamadas[0].texto, QStringLiteral("El código de verificación ingresado no es el "
                                                            "correcto.\r\n · Escriba nuevamente el código de "
                                                            "verificación"));
    QCOMPARE(p.e.dialogos.llamadas[0].titulo, QStringLiteral("Argentina - Personal"));
    QCOMPARE(p.e.dialogos.llamadas[0].icono, Dialogos::Icono::Exclamacion);
    QVERIFY(p.envia->detenciones >= 1);
    QCOMPARE(p.verificacion->navegaciones.size(), 2); // a new image
    QCOMPARE(p.verificacion->navegaciones[1].direccion, kPasarela);
    QVERIFY(p.c.timReadyState->isActive());
    QVERIFY(!p.c.cmdEnviar->isEnabled());
    QVERIFY(!p.c.fraVerificacion->isHidden());
    QCOMPARE(p.c.lblTrabajando->text(), QStringLiteral("Cambiando imagen de verificación..."));
    QVERIFY(p.e.principal.estados.isEmpty());
    QCOMPARE(p.e.principal.guardados, 0);
    QCOMPARE(rechazos.size(), 0); // the window stays for another try

    // The new image comes and the loop starts over.
    p.verificacion->ponerPaginaHtml(kPasarela, QStringLiteral("<img src=\"tmp/zzzzzzzzzzzzzzzzzzzz.png\">"));
    p.verificacion->completarCarga();
    p.tick();
    QCOMPARE(p.w->archivoImagen(), QStringLiteral("tmp%2Fzzzzzzzzzzzzzzzzzzzz"));
    QVERIFY(p.c.cmdEnviar->isEnabled());
}

void tst_verificacionpersonal::entregado()
{
    Prueba p;
    QSignalSpy rechazos(p.w, &QDialog::rejected);
    p.paginaLista();
    p.escribirCodigo(QStringLiteral("1234"));
    p.enviar();
    p.envia->ponerPaginaHtml(kPasarela, QStringLiteral("<p>Su mensaje fue procesado</p>"));
    p.envia->completarCarga();
    p.tickEnvio();
    QCOMPARE(rechazos.size(), 1); // closed
    QCOMPARE(p.e.dialogos.llamadas.size(), 1);
    QCOMPARE(p.e.dialogos.llamadas[0].texto,
             QStringLiteral("Mensaje enviado: El mensaje para Juan fue enviado correctamente a la red de Personal"));
    QCOMPARE(p.e.dialogos.llamadas[0].titulo, QStringLiteral("Argentina - Personal: Mensaje enviado"));
    QCOMPARE(p.e.dialogos.llamadas[0].icono, Dialogos::Icono::Informacion);
    QCOMPARE(p.e.principal.estados.size(), 1);
    QCOMPARE(p.e.principal.estados[0], qMakePair(1, QStringLiteral("Personal: Mensaje ha sido enviado a la red")));
    QCOMPARE(p.e.principal.escrituraMostrada, 1);
    QCOMPARE(p.e.principal.guardados, 1);
    // The outcome carries the message as it was handed over.
    QCOMPARE(p.e.principal.mensajes[0].DestinatarioNombre(), QStringLiteral("Juan"));
    QCOMPARE(p.e.principal.mensajes[0].texto, QStringLiteral("Hola"));
    QVERIFY(!p.c.timReadyState->isActive());
    QVERIFY(!p.c.timReadyStateEnvio->isActive());
    QCOMPARE(p.envia->scripts.count(QStringLiteral("window.alert=function(alertMsg) {window.status=alertMsg;}")) >= 1,
             true);
}

void tst_verificacionpersonal::respuestaCortaNoQuedaEsperando()
{
    Prueba p;
    p.paginaLista();
    p.escribirCodigo(QStringLiteral("1234"));
    p.enviar();
    p.envia->setScrollMaximo(40, 0);
    p.envia->ponerPaginaHtml(kPasarela, QStringLiteral("ok"));
    p.envia->completarCarga();
    p.tickEnvio();
    QVERIFY(p.c.timReadyStateEnvio->isActive()); // first read-back differs: poll again
    QVERIFY(p.e.dialogos.llamadas.isEmpty());
    p.tickEnvio();
    QCOMPARE(p.e.dialogos.llamadas.size(), 1); // the offset stopped moving: the answer is read
    QCOMPARE(p.e.principal.guardados, 1);
}

void tst_verificacionpersonal::ticksDeEnvio()
{
    Prueba p;
    p.paginaLista();
    p.escribirCodigo(QStringLiteral("1234"));
    p.enviar();
    for (int i = 1; i <= 700; ++i) {
        p.tickEnvio();
        QVERIFY(p.c.timReadyStateEnvio->isActive());
        if (i == 59)
            QCOMPARE(p.c.lblTrabajando->text(), QStringLiteral("Enviando el mensaje, espere por favor..."));
        if (i == 60 || i == 600)
            QCOMPARE(p.c.lblTrabajando->text(),
                     QStringLiteral("El envío está demorando más de lo normal, espere unos instantes más por "
                                    "favor..."));
        if (i == 599)
            QVERIFY(p.e.dialogos.llamadas.isEmpty());
        if (i == 600)
            QCOMPARE(p.e.dialogos.llamadas.size(), 1);
        if (i == 601)
            QCOMPARE(p.c.lblTrabajando->text(), kMuyLento);
    }
    QCOMPARE(p.e.dialogos.llamadas.size(), 1);
    QCOMPARE(p.e.dialogos.llamadas[0].titulo, QStringLiteral("NTX Mensajes: Mensaje en espera"));
    QCOMPARE(p.w->ticksEnvio(), qint16(700));
}

void tst_verificacionpersonal::errorDeNavegacion_data()
{
    QTest::addColumn<bool>("enEnvio");
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<bool>("cierra");
    QTest::newRow("pagina de verificacion") << false << kPasarela << true;
    QTest::newRow("envio") << true << kPasarela << true;
    QTest::newRow("otro sitio se ignora") << false << "http://anuncios.ejemplo/marco.htm" << false;
}

void tst_verificacionpersonal::errorDeNavegacion()
{
    QFETCH(bool, enEnvio);
    QFETCH(QString, direccion);
    QFETCH(bool, cierra);
    Prueba p;
    QSignalSpy rechazos(p.w, &QDialog::rejected);
    VistaWebGuion *vista = p.verificacion;
    if (enEnvio) {
        p.paginaLista();
        p.escribirCodigo(QStringLiteral("1234"));
        p.enviar();
        vista = p.envia;
    }
    vista->dispararErrorDeNavegacion(direccion, -7);
    QCOMPARE(rechazos.size(), cierra ? 1 : 0);
    if (!cierra) {
        QVERIFY(p.e.dialogos.llamadas.isEmpty());
        QVERIFY(p.e.principal.estados.isEmpty());
        return;
    }
    QCOMPARE(p.e.principal.estados.size(), 1);
    QCOMPARE(p.e.principal.estados[0], qMakePair(2, QStringLiteral("Mensaje no enviado: no se encontró el servicio.")));
    QCOMPARE(p.e.dialogos.llamadas.size(), 1);
    QCOMPARE(p.e.dialogos.llamadas[0].titulo, QStringLiteral("NTX Mensajes: Mensaje no enviado"));
    QCOMPARE(p.e.dialogos.llamadas[0].icono, Dialogos::Icono::Critico);
    QCOMPARE(p.e.dialogos.llamadas[0].texto,
             QStringLiteral("No se encontró el servicio. El mensaje no ha sido enviado a Argentina - Personal\r\r"
                            "Puede que el servidor de este proveedor no esté disponible.\r\n"
                            " · Compruebe que el equipo esté conectado a Internet\r\n"
                            " · Envíe el mensaje usando otro servidor de este proveedor (si está disponible)\r\n"
                            " · Compruebe si los servicios están funcionando desde el menú Ayuda » Estado de los "
                            "Servicios\r\n"
                            " · Si el error persiste, puede que el servidor esté muy ocupado temporalmente, intente "
                            "más tarde"));
    QCOMPARE(p.e.principal.guardados, 0);
    QVERIFY(!p.c.timReadyState->isActive());
    QVERIFY(!p.c.timReadyStateEnvio->isActive());
}

void tst_verificacionpersonal::focoYCierre()
{
    Prueba p;
    p.verificacion->dispararFoco();
    QCOMPARE(p.w->focusWidget(), p.c.txtVerificacion);
    QSignalSpy rechazos(p.w, &QDialog::rejected);
    QVERIFY(p.verificacion->dispararCierreDeVentana());
    QCOMPARE(rechazos.size(), 0);
    QTest::mouseClick(p.c.cmdCancelar, Qt::LeftButton);
    QCOMPARE(rechazos.size(), 1);
    QVERIFY(p.envia->navegaciones.isEmpty());
    QCOMPARE(p.e.principal.guardados, 0);
}

void tst_verificacionpersonal::alertasDeLaRespuesta()
{
    Prueba p;
    p.envia->dispararDocumentoCompleto(kPasarela);
    QCOMPARE(p.envia->scripts,
             QStringList{QStringLiteral("window.alert=function(alertMsg) {window.status=alertMsg;}")});
}

QTEST_MAIN(tst_verificacionpersonal)
#include "tst_verificacionpersonal.moc"

// One message to several recipients end to end: a group chosen in the real main
// window, "Enviar Mensaje", the real delivery windows and web views against
// ntxsimulador on loopback, the history file on disk. Each delivery window is
// answered as a user does it, in turn; the composer is never cleared.
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "agenda/grupos.h"
#include "agenda/panelcontactos.h"
#include "agenda/registrocontacto.h"
#include "clientee2e.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/controlesventana.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/simuladorproceso.h"
#include "dobles/sistemafalso.h"
#include "envio/controladorcola.h"
#include "envio/controladorenvio.h"
#include "envio/frmverificacion.h"
#include "envio/frmverificacionpersonal.h"
#include "envio/proveedores.h"
#include "plataforma/archivotexto.h"
#include "plataforma/vistawebmotor.h"
#include "plataforma/vistawebperfil.h"
#include "shell/frmbrowser.h"
#include "teclearpagina.h"
#include <QWebEngineView>

namespace {

const QString kMensaje = QStringLiteral("Mañana & café ¿sí?");
const QString kRemitente = QStringLiteral("José");
constexpr int kEspera = 60000;

} // namespace

class tst_cola_e2e : public QObject
{
    Q_OBJECT

    QTemporaryDir carpeta;
    QProcess simulador;
    Direcciones direcciones;
    ConsultasSimulador sim;

    struct Cliente : ClienteE2e
    {
        ControladorCola *cola = nullptr;
        Cliente(const QString &datos, const Direcciones &d)
            : ClienteE2e(datos, d)
        {
            controlesDe(*b).chkHistorial->setCheckState(Qt::Checked);
            cola = &b->cola();
        }
        void agendar(const QString &nombre, const QString &proveedor, const QString &numero)
        {
            QString registro;
            Agenda::EscribirRegistro({nombre, proveedor, QStringLiteral("351"), numero}, &registro, nullptr);
            ajustes.escribir(SeccionAgenda, nombre, registro);
        }
        // A group of the address book handed over on the command line, the message
        // typed, "Enviar Mensaje" pressed; the question is answered "Sí".
        bool enviarAGrupo(const QStringList &miembros)
        {
            Agenda::Grupos grupos(ajustes);
            grupos.crear(QStringLiteral("Amigos"), nullptr);
            grupos.agregar(QStringLiteral("Amigos"), miembros, nullptr);
            controlesDe(*b).picContactos->ProcesarLineaDeComandos(QStringLiteral("/g:\"Amigos\""));
            escribir(controlesDe(*b).cboRemitente->lineEdit(), kRemitente);
            escribir(controlesDe(*b).txtmsj, kMensaje);
            if (b->composicion().textoMensaje() != kMensaje)
                return false;
            QTest::mouseClick(controlesDe(*b).cmdEnviar, Qt::LeftButton);
            return cola->activa();
        }
        static void escribir(QWidget *w, const QString &texto)
        {
            for (const QChar c : texto) {
                if (c.unicode() < 128)
                    QTest::keyClicks(w, QString(c));
                else
                    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), {});
            }
        }
        QStringList historial() const
        {
            QFile f(sistema.datosLocales + QStringLiteral("NTX/Mensajes/Historial.ntxhist"));
            if (!f.open(QIODevice::ReadOnly))
                return {};
            return Windows1252::decodificar(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        }
        QString resumen() const
        {
            const auto u = ControlesFrmCola::buscar(*cola->ventana());
            QStringList t;
            for (int i = 0; i < u.lvwResumen->topLevelItemCount(); ++i)
                t.append(u.lvwResumen->topLevelItem(i)->text(0) + u'=' + u.lvwResumen->topLevelItem(i)->text(2));
            return t.join(QStringLiteral("; "));
        }
    };

    // Answers each delivery window once, as it comes up: the code typed each time.
    // `claves` gets the Personal image file and code of each Personal window.
    void conducirVentanas(Cliente &c, QStringList *claves)
    {
        QPointer<QWidget> ultima;
        bool ocupado = false;
        QTimer conductor;
        connect(&conductor, &QTimer::timeout, this, [&] {
            QWidget *m = QApplication::activeModalWidget();
            if (ocupado || !m || m == ultima.data())
                return;
            ocupado = true;
            ultima = m;
            // A window that closes by itself (a gateway that is down) is left alone.
            const QPointer<QWidget> ventana(m);
            if (auto *p = qobject_cast<frmVerificacionPersonal *>(m)) {
                const auto u = ControlesFrmVerificacionPersonal::buscar(*p);
                const bool lista = QTest::qWaitFor([&] { return !ventana || u.cmdEnviar->isEnabled(); }, kEspera);
                if (lista && ventana) {
                    const QString clave = sim.codigo(direcciones.personal);
                    claves->append(p->archivoImagen() + u'|' + clave);
                    QTest::keyClicks(u.txtVerificacion, clave);
                    QTest::keyClick(u.txtVerificacion, Qt::Key_Return);
                }
            } else if (auto *v = qobject_cast<frmVerificacion *>(m)) {
                const auto u = ControlesVerificacionPagina::buscar(*v);
                const bool lista = QTest::qWaitFor([&] { return !ventana || u.fraVerificacion->isHidden(); }, kEspera);
                if (lista && ventana)
                    teclear(u.brwVerificacion, QStringLiteral("codigo"), sim.codigo(direcciones.claro));
            }
            ocupado = false;
        });
        conductor.start(100);
        QTRY_VERIFY_WITH_TIMEOUT(!c.cola->activa(), 4 * kEspera);
        conductor.stop();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(carpeta.isValid());
        fijarCarpetaPerfilCompartido(carpeta.filePath(QStringLiteral("perfil")));
        QVERIFY2(iniciarSimulador(simulador, direcciones, kEspera), qPrintable(simulador.errorString()));
    }
    void cleanupTestCase()
    {
        simulador.kill();
        simulador.waitForFinished(kEspera);
    }
    void init() { sim.obtener(direcciones.claro + "/_sim/limpiar"); }

    void tresDestinatariosDosProveedores();
    void directivaYPasarelaCaida();
};

void tst_cola_e2e::tresDestinatariosDosProveedores()
{
    Cliente c(carpeta.filePath(QStringLiteral("tres")), direcciones);
    c.agendar(QStringLiteral("Ana"), Proveedores::Claro, QStringLiteral("1234561"));
    c.agendar(QStringLiteral("Luis"), Proveedores::Personal, QStringLiteral("1234562"));
    c.agendar(QStringLiteral("Eva"), Proveedores::Claro, QStringLiteral("1234563"));
    QVERIFY(c.enviarAGrupo({"Ana", "Luis", "Eva"}));
    QCOMPARE(c.dialogos.llamadas.at(0).texto,
             "Se enviarán 3 mensajes a 2 proveedores. Se abrirá la ventana de envío de cada destinatario, una tras "
             "otra.\r\n\r\n¿Desea continuar?");
    QStringList claves;
    conducirVentanas(c, &claves);

    // What the gateways received, byte for byte: two Claro requests and one Personal POST.
    QStringList claro;
    for (const QJsonValue &v : sim.peticiones(direcciones.claro)) {
        const QString destino = v[QStringLiteral("destino")].toString();
        if (destino.startsWith(QLatin1String("/sms/default.aspx?mensajito")))
            claro.append(destino);
    }
    QCOMPARE(claro, (QStringList{"/sms/default.aspx?mensajito=Ma%F1ana+%3F+cafe+%3Fsi%3F-+ntxvarel.com.ar&dequien="
                                 "Jose&numerito=3511234561",
                                 "/sms/default.aspx?mensajito=Ma%F1ana+%3F+cafe+%3Fsi%3F-+ntxvarel.com.ar&dequien="
                                 "Jose&numerito=3511234563"}));
    QList<QByteArray> posts;
    for (const QJsonValue &v : sim.peticiones(direcciones.personal)) {
        if (v[QStringLiteral("metodo")].toString() == QLatin1String("POST"))
            posts.append(QByteArray::fromBase64(v[QStringLiteral("cuerpoBase64")].toString().toLatin1()));
    }
    QCOMPARE(claves.size(), 1);
    QCOMPARE(posts, QList<QByteArray>{
                        QByteArray("pantalla=&DE_MESG_TXT=ntxvarel.com.ar&sig=ntxvarel.com.ar&msgtext=Jos%E9:+Ma\xF1"
                                   "ana+%26+caf%E9+%BFs%ED%3F&Snb=3511234562&Filename=") +
                        claves.at(0).section(u'|', 0, 0).toLatin1() + "&FormValidar=validar&codigo=" +
                        claves.at(0).section(u'|', 1).toLatin1() + "&Image30.x=13&Image30.y=19"});

    // Three records in today's format, in the order of delivery.
    const QStringList h = c.historial();
    QCOMPARE(h.size(), 4);
    QCOMPARE(h.at(0), "NTXHistorial1.0");
    const QStringList destinos{"351 1234561", "351 1234562", "351 1234563"};
    const QStringList proveedores{"Argentina - Claro", "Argentina - Personal", "Argentina - Claro"};
    for (int i = 0; i < 3; ++i)
        QVERIFY2(h.at(i + 1).contains("\"" + destinos.at(i) + "\",\"José\",\"Mañana & café ¿sí?\",\"" +
                                      proveedores.at(i) + "\""),
                 qPrintable(h.at(i + 1)));

    QCOMPARE(c.resumen(), "Ana=Enviado; Luis=Enviado; Eva=Enviado");
    QCOMPARE(c.b->envio().ContadorCorto, qint16(3));
    QCOMPARE(controlesDe(*c.b).StatusBar1->textoPanel1(),
             "Envío a varios destinatarios: 3 enviados, 0 no enviados, 0 cancelados");
    QCOMPARE(c.b->composicion().textoMensaje(), kMensaje);
    QCOMPARE(controlesDe(*c.b).lblNombreDestinatario->text(), "Para: Ana, Luis y Eva");
}

void tst_cola_e2e::directivaYPasarelaCaida()
{
    // Personal's gateway is down (nothing listens on port 9); Claro's answers.
    Direcciones mitad = direcciones;
    mitad.personal = QStringLiteral("http://127.0.0.1:9");
    Cliente c(carpeta.filePath(QStringLiteral("caida")), mitad);
    c.ctx.ConfiguracionRemota.cargada = true;
    c.ctx.ConfiguracionRemota.nblo = {QString(), QStringLiteral("3511234572")};
    c.agendar(QStringLiteral("Ana"), Proveedores::Claro, QStringLiteral("1234571"));
    c.agendar(QStringLiteral("Bloqueado"), Proveedores::Claro, QStringLiteral("1234572"));
    c.agendar(QStringLiteral("Luis"), Proveedores::Personal, QStringLiteral("1234573"));
    QVERIFY(c.enviarAGrupo({"Luis", "Bloqueado", "Ana"}));
    QVERIFY(c.dialogos.llamadas.at(0).texto.contains("No se enviará a:\r\n · Bloqueado: Las directivas de seguridad no "
                                                     "permiten enviar mensajes a este destinatario"));
    QStringList claves;
    conducirVentanas(c, &claves);

    QCOMPARE(c.resumen(), "Luis=No enviado: Mensaje no enviado: no se encontró el servicio.; Bloqueado=No enviado: Las "
                          "directivas de seguridad no permiten enviar mensajes a este destinatario; Ana=Enviado");
    // The history holds exactly the one the summary calls sent.
    const QStringList h = c.historial();
    QCOMPARE(h.size(), 2);
    QVERIFY(h.at(1).contains("\"351 1234571\",\"José\""));
    QCOMPARE(controlesDe(*c.b).StatusBar1->textoPanel1(),
             "Envío a varios destinatarios: 1 enviado, 2 no enviados, 0 cancelados");
    const auto u = ControlesFrmCola::buscar(*c.cola->ventana());
    QVERIFY(u.cmdReintentar->isVisibleTo(c.cola->ventana()));
    QCOMPARE(u.lblProgreso->text(), "Envío a varios destinatarios: 1 enviado, 2 no enviados, 0 cancelados");
}

int main(int argc, char *argv[])
{
    registrarEsquemaNtx();
    compartirProcesosMotor();
    QApplication aplicacion(argc, argv);
    tst_cola_e2e prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "tst_cola_e2e.moc"

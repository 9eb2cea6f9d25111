// The main window with the real web views against ntxsimulador: the home page,
// the advertising band and the configuration page at load, an unrelated link
// kept out, and the local pages while the site fails, with the band's retry.
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/controlesventana.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/simuladorproceso.h"
#include "dobles/sistemafalso.h"
#include "plataforma/vistawebperfil.h"
#include "shell/frmbrowser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kEspera = 60000;

} // namespace

class tst_frmBrowser_e2e : public QObject
{
    Q_OBJECT
    QTemporaryDir carpeta;
    QProcess simulador;
    Direcciones direcciones;
    QNetworkAccessManager red;

    QByteArray pedir(const QString &direccion, bool post = false)
    {
        QNetworkRequest peticion{QUrl(direccion)};
        QNetworkReply *r = post ? red.post(peticion, QByteArray()) : red.get(peticion);
        QSignalSpy fin(r, &QNetworkReply::finished);
        if (!r->isFinished())
            fin.wait(kEspera);
        const QByteArray cuerpo = r->readAll();
        r->deleteLater();
        return cuerpo;
    }

    struct Cliente
    {
        AjustesMemoria ajustes;
        DialogosGuion dialogos;
        SistemaFalso sistema;
        InstanciaFalsa instancia;
        AvisosGuion avisos;
        Contexto ctx;
        std::unique_ptr<frmBrowser> b;

        explicit Cliente(const Direcciones &d)
            : ctx{ajustes, dialogos, sistema, instancia, avisos, fabricaVistaWebMotor(), d}
        {
            // The configuration page is read as the program reads it: without a renderer.
            ctx.crearLectorPagina = fabricaVistaWebRed();
            sistema.carpetaDelPrograma = QStringLiteral(NTX_BIN_DIR);
            b.reset(new frmBrowser(ctx));
            b->show();
        }
        static bool cargada(const VistaWeb *v, const QString &direccion)
        {
            return v->estadoListo() == VistaWeb::Completo && v->direccion() == direccion;
        }
    };

    QString inicio() const { return direcciones.sitio + QStringLiteral("/ntxbin/princ/princ2_5"); }
    QString publicidad() const { return direcciones.sitio + QStringLiteral("/ntxbin/pub/pub2_5"); }
    static QString local(const QString &nombre) { return QStringLiteral("file://" NTX_BIN_DIR "/logica/") + nombre; }
    // Saves a picture of the window when NTX_CAPTURAS names a folder.
    static void capturar(QWidget *w, const QString &nombre)
    {
        const QString destino = qEnvironmentVariable("NTX_CAPTURAS");
        if (!destino.isEmpty())
            QVERIFY(w->grab().save(destino + QLatin1Char('/') + nombre));
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void inicioPublicidadYConfiguracion();
    void enlaceAjenoNoSeSigue();
    void sitioCaidoMuestraPaginasLocalesYReintenta();
};

void tst_frmBrowser_e2e::initTestCase()
{
    QVERIFY(carpeta.isValid());
    fijarCarpetaPerfilCompartido(carpeta.filePath(QStringLiteral("perfil")));
    QVERIFY2(iniciarSimulador(simulador, direcciones, kEspera), qPrintable(simulador.errorString()));
    QVERIFY(direcciones.sitio.startsWith(QLatin1String("http://127.0.0.1:")));
    QVERIFY(!direcciones.personal.isEmpty());
}

void tst_frmBrowser_e2e::cleanupTestCase()
{
    simulador.kill();
    simulador.waitForFinished(kEspera);
}

void tst_frmBrowser_e2e::inicioPublicidadYConfiguracion()
{
    Cliente c(direcciones);
    QElapsedTimer reloj;
    reloj.start();
    QVERIFY(c.b->Form_Load());
    QTRY_VERIFY_WITH_TIMEOUT(Cliente::cargada(controlesDe(*c.b).brwWebBrowser, inicio()), kEspera);
    QTRY_VERIFY_WITH_TIMEOUT(Cliente::cargada(controlesDe(*c.b).brwPublicidad, publicidad()), kEspera);
    QTRY_VERIFY_WITH_TIMEOUT(c.ctx.ConfiguracionRemota.cargada, kEspera);
    qInfo("three pages loaded %lld ms after the load began", static_cast<long long>(reloj.elapsed()));

    QVERIFY(controlesDe(*c.b).brwWebBrowser->textoCuerpo().contains(QStringLiteral("Un sitio ajeno")));
    QVERIFY(controlesDe(*c.b).brwPublicidad->textoCuerpo().contains(QStringLiteral("Publicidad")));
    // The write reaches the snapshot after the script has run.
    QTRY_COMPARE_WITH_TIMEOUT(controlesDe(*c.b).brwPublicidad->atributoCuerpo(QStringLiteral("scroll")),
                              QStringLiteral("no"), kEspera);
    QVERIFY(!controlesDe(*c.b).timPublicidad->isActive());
    QVERIFY(!c.b->panelesWeb().publicidadRespaldo);
    QCOMPARE(c.ctx.ConfiguracionRemota.cola, QStringLiteral("NTXsimulador"));
    QTRY_VERIFY_WITH_TIMEOUT(!controlesDe(*c.b).timTimer->isActive(), kEspera);
    QCOMPARE(controlesDe(*c.b).StatusBar1->textoPanel1(), QStringLiteral("Listo"));
    QVERIFY(c.dialogos.llamadas.isEmpty());
    capturar(c.b.get(), QStringLiteral("principal_inicio.png"));

    // The composer replaces the home view when a provider is picked.
    controlesDe(*c.b).cboAddress->setCurrentIndex(1);
    c.b->cboAddress_Click();
    QTRY_VERIFY_WITH_TIMEOUT(Cliente::cargada(controlesDe(*c.b).brwWebBrowser, local(QStringLiteral("enviar.htm"))),
                             kEspera);
    QVERIFY(controlesDe(*c.b).picEscritura->isVisible());
    QVERIFY(!controlesDe(*c.b).brwWebBrowser->isVisible());
    capturar(c.b.get(), QStringLiteral("principal_compositor.png"));
}

void tst_frmBrowser_e2e::enlaceAjenoNoSeSigue()
{
    pedir(direcciones.personal + QStringLiteral("/_sim/limpiar"), true);
    Cliente c(direcciones);
    QVERIFY(c.b->Form_Load());
    QTRY_VERIFY_WITH_TIMEOUT(Cliente::cargada(controlesDe(*c.b).brwWebBrowser, inicio()), kEspera);

    QSignalSpy pedidas(controlesDe(*c.b).brwWebBrowser, &VistaWeb::antesDeNavegar);
    controlesDe(*c.b).brwWebBrowser->ejecutarScript(
        QStringLiteral("document.getElementById('enlaceOtroSitio').click();"));
    QTRY_VERIFY_WITH_TIMEOUT(!pedidas.isEmpty(), kEspera);
    QVERIFY(pedidas.first().first().toString().endsWith(QLatin1String("/otro")));

    // A page of the site loaded afterwards proves the view went on with the site only.
    controlesDe(*c.b).brwWebBrowser->navegar(direcciones.sitio + QStringLiteral("/ntxbin/mensajes.htm"));
    QTRY_VERIFY_WITH_TIMEOUT(
        Cliente::cargada(controlesDe(*c.b).brwWebBrowser, direcciones.sitio + QStringLiteral("/ntxbin/mensajes.htm")),
        kEspera);
    const QJsonArray recibidas =
        QJsonDocument::fromJson(pedir(direcciones.personal + QStringLiteral("/_sim/peticiones"))).array();
    for (const QJsonValue &p : recibidas)
        QVERIFY(!p.toObject().value(QStringLiteral("ruta")).toString().contains(QStringLiteral("/otro")));
    QVERIFY(c.sistema.direccionesAbiertas.isEmpty());
}

void tst_frmBrowser_e2e::sitioCaidoMuestraPaginasLocalesYReintenta()
{
    pedir(direcciones.sitio + QStringLiteral("/_sim/modo?falla=cortar&rol=sitio"), true);
    Cliente c(direcciones);
    QVERIFY(c.b->Form_Load());
    QTRY_VERIFY_WITH_TIMEOUT(Cliente::cargada(controlesDe(*c.b).brwWebBrowser, local(QStringLiteral("index.htm"))),
                             kEspera);
    QTRY_VERIFY_WITH_TIMEOUT(Cliente::cargada(controlesDe(*c.b).brwPublicidad, local(QStringLiteral("pub.htm"))),
                             kEspera);
    QVERIFY(controlesDe(*c.b).brwWebBrowser->isVisible());
    QVERIFY(c.b->panelesWeb().publicidadRespaldo);
    QVERIFY(controlesDe(*c.b).timPublicidad->isActive());
    QVERIFY(!c.ctx.ConfiguracionRemota.cargada);
    // The home page failing shows no message.
    QVERIFY(c.dialogos.llamadas.isEmpty());

    // A retry while the site still fails stays on the local page and keeps retrying.
    c.b->panelesWeb().timPublicidad_Timer();
    QTRY_VERIFY_WITH_TIMEOUT(c.b->panelesWeb().publicidadRespaldo, kEspera);
    QTRY_VERIFY_WITH_TIMEOUT(Cliente::cargada(controlesDe(*c.b).brwPublicidad, local(QStringLiteral("pub.htm"))),
                             kEspera);
    QVERIFY(controlesDe(*c.b).timPublicidad->isActive());

    // Once the site answers again the next retry brings the band back and stops the timer.
    pedir(direcciones.sitio + QStringLiteral("/_sim/modo?falla=ninguna&rol=sitio"), true);
    c.b->panelesWeb().timPublicidad_Timer();
    QTRY_VERIFY_WITH_TIMEOUT(Cliente::cargada(controlesDe(*c.b).brwPublicidad, publicidad()), kEspera);
    QTRY_VERIFY_WITH_TIMEOUT(!controlesDe(*c.b).timPublicidad->isActive(), kEspera);
    QVERIFY(!c.b->panelesWeb().publicidadRespaldo);
}

int main(int argc, char *argv[])
{
    // The ntx:// scheme must be known before the application object exists.
    registrarEsquemaNtx();
    compartirProcesosMotor();
    QApplication aplicacion(argc, argv);
    tst_frmBrowser_e2e prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "tst_frmbrowser_e2e.moc"

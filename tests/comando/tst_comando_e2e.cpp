// Command links in the real web view against ntxsimulador: the update offered
// by the version page downloaded, its signature checked with the key built into
// the program and handed to the desktop's handler (a script named by
// NTX_ABRIR_CON stands in for xdg-open); altered, unsigned and foreign-signed
// ones refused; a short download refused, a cancelled one, the compulsory
// update's questions; and links that must not run because they come from
// another site or from a frame.
#include <QDir>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "comando/comandos.h"
#include "comando/ejecutorcomandos.h"
#include "dobles/contextoprueba.h"
#include "dobles/simuladorproceso.h"
#include "plataforma/vistawebmotor.h"
#include "plataforma/vistawebprincipal.h"
#include "plataforma/vistawebservidor.h"
#include "principalfalsa.h"

using Respuesta = Dialogos::Respuesta;

namespace {
constexpr int kEspera = 30000;
constexpr qint64 kTamano = 41123;
const QString kNoFirmado =
    QStringLiteral("Ha ocurrido un error al intentar actualizar NTX Mensajes. La actualización ha sido cancelada."
                   "\r\n\r\nEl archivo de instalación descargado no está firmado por el fabricante. Pudo haber sido "
                   "cambiado en el camino, y no se abrirá.\r\n\r\n · Intente actualizar nuevamente\r\n · Compruebe "
                   "que el equipo siga conectado a Internet\r\n · Descargue NTX Mensajes desde el sitio web de "
                   "ntxVarel!");
// The desktop's handler for these tests: it notes each file it is handed.
QTemporaryDir &carpetaManejador()
{
    static QTemporaryDir carpeta;
    return carpeta;
}
QString notaManejador()
{
    return carpetaManejador().path() + QStringLiteral("/entregados");
}
QStringList entregados()
{
    QFile f(notaManejador());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
} // namespace

class tst_comando_e2e : public QObject
{
    Q_OBJECT

    // One client as the main window would wire it: the view's command links go to
    // the executor with the page the view shows and whether they are top-level.
    struct Cliente
    {
        ContextoPrueba c;
        QTemporaryDir datos;
        PrincipalFalsa principal;
        EjecutorComandos motor{c.ctx, principal, principal};
        VistaWebMotor vista;
        QStringList ordenes;

        explicit Cliente(const Direcciones &direcciones)
        {
            c.ctx.direcciones = direcciones;
            c.sistema.datosLocales = datos.path() + QStringLiteral("/");
            c.sistema.abrirArchivosDeVerdad = true;
            QFile::remove(notaManejador());
            vista.setSilencioso(true);
            principal.alNavegar = [this](const QString &d) { vista.navegar(d); };
            QObject::connect(&vista, &VistaWeb::antesDeNavegar, &vista,
                             [this](const QString &d, const QString &, const QByteArray &, const QString &,
                                    bool &cancelar, bool marcoPrincipal) {
                                 if (!EsEnlaceComando(d))
                                     return;
                                 ordenes << d;
                                 cancelar = motor.atenderNavegacion(d, vista.origenNavegacion(), marcoPrincipal);
                             });
        }
        QStringList archivos() const { return QDir(datos.path()).entryList(QDir::Files | QDir::Hidden); }
        // The handler got the one file downloaded, whole.
        bool entregado() const
        {
            const QStringList e = entregados();
            return e.size() == 1 && QFileInfo(e.first()).absolutePath() == QFileInfo(datos.path()).absoluteFilePath() &&
                   QFileInfo(e.first()).size() == kTamano;
        }
        bool cargar(const QString &direccion)
        {
            QSignalSpy listo(&vista, &VistaWeb::documentoCompleto);
            vista.navegar(direccion);
            return listo.wait(kEspera);
        }
        bool pulsar(const QString &id)
        {
            vista.ejecutarScript(QStringLiteral("document.getElementById('%1').click();").arg(id));
            return QTest::qWaitFor([&] { return !ordenes.isEmpty(); }, kEspera);
        }
        QString progreso() const
        {
            frmActualizar *v = motor.ventanaActualizacion();
            return v ? ControlesActualizar::buscar(*v).lblProgreso->text() : QString();
        }
    };

    QProcess simulador_;
    Direcciones dir_;
    QNetworkAccessManager red_;

    QByteArray pedir(const QString &direccion)
    {
        QNetworkReply *r = red_.get(QNetworkRequest(QUrl(direccion)));
        QSignalSpy fin(r, &QNetworkReply::finished);
        if (!r->isFinished())
            fin.wait(kEspera);
        r->deleteLater();
        return r->readAll();
    }

    void modo(const QString &actualizacion)
    {
        pedir(dir_.sitio + QStringLiteral("/_sim/modo?actualizacion=") + actualizacion);
    }

    int descargasPedidas()
    {
        const QByteArray lista = pedir(dir_.sitio + QStringLiteral("/_sim/peticiones"));
        return int(lista.count("/ntxbin/descarga/"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(carpetaManejador().isValid());
        const QString manejador = carpetaManejador().path() + QStringLiteral("/manejador");
        QFile guion(manejador);
        QVERIFY(guion.open(QIODevice::WriteOnly));
        guion.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/entregados\"\n");
        guion.close();
        QVERIFY(guion.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        qputenv("NTX_ABRIR_CON", QFile::encodeName(manejador));
        QVERIFY(iniciarSimulador(simulador_, dir_, kEspera));
    }

    void init() { pedir(dir_.sitio + QStringLiteral("/_sim/limpiar")); }

    void cleanupTestCase()
    {
        simulador_.kill();
        simulador_.waitForFinished(kEspera);
    }

    // The menu item shows the version page; its offer is downloaded with progress and handed over.
    void oferta_firmadaEntregada()
    {
        modo(QStringLiteral("ofrecer"));
        Cliente k(dir_);
        QSignalSpy listo(&k.vista, &VistaWeb::documentoCompleto);
        k.motor.mnuBuscarActualizacion_Click();
        QVERIFY(listo.wait(kEspera));
        QCOMPARE(k.vista.direccion(), dir_.sitio + QStringLiteral("/ntxbin/act_ver_2_5_0.htm"));
        QVERIFY(k.pulsar(QStringLiteral("enlaceDescarga")));
        QVERIFY(k.motor.ventanaActualizacion());
        QTRY_VERIFY_WITH_TIMEOUT(!k.c.sistema.terminaciones.isEmpty(), kEspera);
        QCOMPARE(k.c.dialogos.llamadas.size(), 0);
        QCOMPARE(k.progreso(), QStringLiteral("100 %"));
        QCOMPARE(k.archivos().size(), 1);
        QCOMPARE(k.c.sistema.archivosAbiertos, QStringList{k.datos.path() + QLatin1Char('/') + k.archivos().first()});
        QVERIFY(k.principal.llamadas.contains(QStringLiteral("ocultarVentana")));
        // The handler really got it, before the client was told to end.
        QVERIFY(k.entregado());
        QCOMPARE(entregados(), k.c.sistema.archivosAbiertos);
    }

    void ofertaRechazada_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::newRow("alterada en el camino") << "alterada";
        QTest::newRow("sin firma") << "sinfirma";
        QTest::newRow("firmada con otra clave") << "otraclave";
    }

    // Changed, unsigned or signed by someone else: refused, the file gone, nothing handed over.
    void ofertaRechazada()
    {
        QFETCH(QString, modo);
        this->modo(modo);
        Cliente k(dir_);
        QVERIFY(k.cargar(dir_.sitio + QStringLiteral("/ntxbin/act_ver_2_5_0.htm")));
        QVERIFY(k.pulsar(QStringLiteral("enlaceDescarga")));
        QTRY_VERIFY_WITH_TIMEOUT(k.principal.llamadas.contains(QStringLiteral("mostrarVentana")), kEspera);
        QCOMPARE(k.c.dialogos.llamadas.size(), 1);
        QCOMPARE(k.c.dialogos.llamadas.first().texto, kNoFirmado);
        QCOMPARE(k.c.dialogos.llamadas.first().icono, Dialogos::Icono::Critico);
        // The file came whole and its signature was asked for beside it.
        QVERIFY(pedir(dir_.sitio + QStringLiteral("/_sim/peticiones")).contains("/ntxmensajes.exe.sig"));
        QCOMPARE(k.archivos(), QStringList());
        QVERIFY(k.c.sistema.archivosAbiertos.isEmpty());
        QVERIFY(entregados().isEmpty());
        QVERIFY(k.c.sistema.terminaciones.isEmpty());
    }

    void corta_rechazadaYBorrada()
    {
        modo(QStringLiteral("corta"));
        Cliente k(dir_);
        QVERIFY(k.cargar(dir_.sitio + QStringLiteral("/ntxbin/act_ver_2_5_0.htm")));
        QVERIFY(k.pulsar(QStringLiteral("enlaceDescarga")));
        QTRY_COMPARE_WITH_TIMEOUT(k.c.dialogos.llamadas.size(), 1, kEspera);
        QVERIFY(k.c.dialogos.llamadas.first().texto.contains(
            QStringLiteral("El archivo de instalación descargado del servidor no era el esperado")));
        QTRY_VERIFY_WITH_TIMEOUT(k.principal.llamadas.contains(QStringLiteral("mostrarVentana")), kEspera);
        QCOMPARE(k.archivos(), QStringList());
        QVERIFY(k.c.sistema.archivosAbiertos.isEmpty());
        QVERIFY(k.c.sistema.terminaciones.isEmpty());
    }

    void cancelada_archivoBorrado()
    {
        modo(QStringLiteral("ofrecer"));
        Cliente k(dir_);
        QVERIFY(k.cargar(dir_.sitio + QStringLiteral("/ntxbin/act_ver_2_5_0.htm")));
        k.c.dialogos.respuestas = {Respuesta::Si};
        bool pulsado = false;
        k.c.sistema.alDejarCorrerMensajes = [&] {
            if (!pulsado && k.progreso() == QLatin1String("12 %")) {
                pulsado = true;
                QTest::mouseClick(ControlesActualizar::buscar(*k.motor.ventanaActualizacion()).cmdCancelar,
                                  Qt::LeftButton);
            }
        };
        QVERIFY(k.pulsar(QStringLiteral("enlaceDescarga")));
        QTRY_VERIFY_WITH_TIMEOUT(k.principal.llamadas.contains(QStringLiteral("mostrarVentana")), kEspera);
        QVERIFY(pulsado);
        QCOMPARE(k.c.dialogos.llamadas.size(), 1);
        QCOMPARE(k.c.dialogos.llamadas.first().texto,
                 QStringLiteral("¿Está seguro que desea cancelar la actualización de NTX Mensajes?"));
        QCOMPARE(k.archivos(), QStringList());
        QVERIFY(k.c.sistema.archivosAbiertos.isEmpty());
        QVERIFY(k.c.sistema.terminaciones.isEmpty());
    }

    void obligatoria_data()
    {
        QTest::addColumn<bool>("acepta");
        QTest::newRow("no: se cierra sin descargar") << false;
        QTest::newRow("sí: descarga y ejecuta") << true;
    }

    // The version page follows its compulsory link by itself as it loads.
    void obligatoria()
    {
        QFETCH(bool, acepta);
        modo(QStringLiteral("obligar"));
        Cliente k(dir_);
        k.c.dialogos.respuestas = {acepta ? Respuesta::Si : Respuesta::No};
        k.vista.navegar(dir_.sitio + QStringLiteral("/ntxbin/act_ver_2_5_0.htm"));
        QTRY_VERIFY_WITH_TIMEOUT(!k.c.sistema.terminaciones.isEmpty(), kEspera);
        QVERIFY(k.c.dialogos.llamadas.first().texto.startsWith(
            QStringLiteral("Debe actualizar su versión de NTX Mensajes para poder continuar")));
        if (!acepta) {
            QCOMPARE(k.c.dialogos.llamadas.size(), 2);
            QVERIFY(k.c.dialogos.llamadas.at(1).texto.startsWith(
                QStringLiteral("Ha decidido no actualizar NTX Mensajes ahora.")));
            QVERIFY(!k.motor.ventanaActualizacion());
            QCOMPARE(descargasPedidas(), 0);
            return;
        }
        QCOMPARE(k.c.dialogos.llamadas.size(), 1);
        QCOMPARE(k.motor.ventanaActualizacion()->Modo(), QStringLiteral("forzar"));
        QVERIFY(k.entregado());
    }

    // The link's text reaches the message as the page wrote it: "%20" is not a blank.
    void salem_textoSinDecodificar()
    {
        Cliente k(dir_);
        QVERIFY(k.cargar(dir_.sitio + QStringLiteral("/ntxbin/comandos.htm")));
        QVERIFY(k.pulsar(QStringLiteral("comandoSalem")));
        QCOMPARE(k.c.dialogos.llamadas.size(), 1);
        QCOMPARE(k.c.dialogos.llamadas.first().texto, QStringLiteral("Cien%20por ciento ñandú"));
        QCOMPARE(k.c.sistema.terminaciones, QList<int>{0});
    }

    void procedencia_data()
    {
        QTest::addColumn<QString>("pagina"); // on the site unless it starts with "ajeno:"
        QTest::addColumn<bool>("obedece");
        QTest::newRow("actdw de una página ajena") << "ajeno:/otro/comandos?seguir=actdw" << false;
        QTest::newRow("sales de una página ajena") << "ajeno:/otro/comandos?seguir=sales" << false;
        QTest::newRow("actdw de un marco propio") << "/ntxbin/marco.htm?seguir=actdw" << false;
        QTest::newRow("sales de un marco propio") << "/ntxbin/marco.htm?seguir=sales" << false;
        QTest::newRow("actdw de un marco ajeno") << "/ntxbin/marco.htm?seguir=actdw&ajeno=1" << false;
        QTest::newRow("marco ajeno que mueve la página de arriba")
            << "/ntxbin/marco.htm?seguir=actdw&ajeno=1&arriba=1" << false;
        QTest::newRow("actdw de la página propia") << "/ntxbin/comandos.htm?seguir=actdw" << true;
        QTest::newRow("sales de la página propia") << "/ntxbin/comandos.htm?seguir=sales" << true;
    }

    // A server that answers with a redirect to a command link: the link is that server's,
    // also when the maker's page was the one shown before.
    void redireccion_data()
    {
        QTest::addColumn<bool>("desdePaginaPropia");
        QTest::addColumn<bool>("servidorPropio");
        QTest::newRow("ajeno, en una vista vacía") << false << false;
        QTest::newRow("ajeno, con la página propia a la vista") << true << false;
        QTest::newRow("del sitio propio") << false << true;
    }

    void redireccion()
    {
        QFETCH(bool, desdePaginaPropia);
        QFETCH(bool, servidorPropio);
        VistaWebServidor servidor;
        servidor.poner(QStringLiteral("/salto"), QByteArray(), 302,
                       {{QByteArray("Location"), QByteArray("ntx://mnsje/1Aviso/2Hay_novedades/F")}});
        Cliente k(dir_);
        if (desdePaginaPropia)
            QVERIFY(k.cargar(dir_.sitio + QStringLiteral("/ntxbin/comandos.htm")));
        if (servidorPropio)
            k.c.ctx.direcciones.sitio = servidor.url(QString());
        k.vista.navegar(servidor.url(QStringLiteral("/salto")));
        QVERIFY(QTest::qWaitFor([&] { return !k.ordenes.isEmpty(); }, kEspera));
        QCOMPARE(k.ordenes.first(), QStringLiteral("ntx://mnsje/1Aviso/2Hay_novedades/F"));
        QCOMPARE(k.c.dialogos.llamadas.size(), servidorPropio ? 1 : 0);
        QVERIFY(k.c.sistema.terminaciones.isEmpty());
    }

    void procedencia()
    {
        QFETCH(QString, pagina);
        QFETCH(bool, obedece);
        Cliente k(dir_);
        const QString direccion =
            pagina.startsWith(QLatin1String("ajeno:")) ? dir_.personal + pagina.mid(6) : dir_.sitio + pagina;
        const bool sales = pagina.contains(QLatin1String("sales"));
        k.vista.navegar(direccion);
        if (!obedece) {
            // The link reached the view and was dropped there.
            const bool vista = QTest::qWaitFor([&] { return !k.ordenes.isEmpty(); }, 15000);
            if (vista) {
                QCOMPARE(k.ordenes.first().left(11),
                         sales ? QStringLiteral("ntx://sales") : QStringLiteral("ntx://actdw"));
            } else {
                // The engine itself refused to let the frame move the page: just as safe.
                QVERIFY(pagina.contains(QLatin1String("arriba")));
            }
            QVERIFY(k.c.dialogos.llamadas.isEmpty());
            QVERIFY(k.c.sistema.terminaciones.isEmpty());
            QVERIFY(!k.motor.ventanaActualizacion());
            QVERIFY(k.principal.llamadas.isEmpty());
            QCOMPARE(descargasPedidas(), 0);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(!k.c.sistema.terminaciones.isEmpty(), kEspera);
        if (sales) {
            QCOMPARE(k.c.dialogos.llamadas.size(), 1);
            QCOMPARE(k.c.dialogos.llamadas.first().texto,
                     QStringLiteral("NTX Mensajes ha recibido la orden de cerrarse"));
            return;
        }
        QVERIFY(k.entregado());
    }
};

NTX_PRINCIPAL_VISTAWEB(tst_comando_e2e)
#include "tst_comando_e2e.moc"

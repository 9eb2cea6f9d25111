// The update window against the simulated site, in-process: progress in 1024-byte
// chunks, the size check, the maker's signature, the hand-over to the desktop's
// handler, every failure row in both modes, and Cancel.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include "comando/frmactualizar.h"
#include "dobles/contextoprueba.h"
#include "simulador/paginas.h"
#include "simulador/simulador.h"

#include <sodium.h>

using Icono = Dialogos::Icono;
using Respuesta = Dialogos::Respuesta;
using Rol = Simulador::Rol;

namespace {
constexpr int kEspera = 20000;
const QString kCancelada =
    QStringLiteral("Ha ocurrido un error al intentar actualizar NTX Mensajes. La actualización ha sido cancelada.");
const QString kSinConexion =
    kCancelada +
    QStringLiteral("\r\n\r\nNo se puede conectar al sitio web de ntxVarel!\r\n\r\n · Compruebe que el equipo "
                   "esté conectado a Internet\r\n · Puede que el sitio web no esté disponible "
                   "temporalmente");
const QString kNoEsperado =
    kCancelada +
    QStringLiteral("\r\n\r\nEl archivo de instalación descargado del servidor no era el esperado\r\n\r\n · "
                   "Intente actualizar nuevamente\r\n · Compruebe que el equipo siga conectado a "
                   "Internet\r\n · Descargue NTX Mensajes desde el sitio web de ntxVarel!");
const QString kNoFirmado =
    kCancelada + QStringLiteral("\r\n\r\nEl archivo de instalación descargado no está firmado por el fabricante. Pudo "
                                "haber sido cambiado en el camino, y no se abrirá.\r\n\r\n · Intente actualizar "
                                "nuevamente\r\n · Compruebe que el equipo siga conectado a Internet\r\n · Descargue "
                                "NTX Mensajes desde el sitio web de ntxVarel!");
const QString kSinClave =
    kCancelada + QStringLiteral("\r\n\r\nEsta copia de NTX Mensajes se armó sin la clave del fabricante: no puede "
                                "comprobar la firma de ningún archivo de instalación y no abrirá ninguno.\r\n\r\n · "
                                "Descargue NTX Mensajes desde el sitio web de ntxVarel!");
const QString kPregunta = QStringLiteral("¿Está seguro que desea cancelar la actualización de NTX Mensajes?");

// The key pair of these tests: the simulator signs with the secret half, the window trusts the public one.
struct Claves
{
    QByteArray publica = QByteArray(crypto_sign_PUBLICKEYBYTES, '\0');
    QByteArray secreta = QByteArray(crypto_sign_SECRETKEYBYTES, '\0');
    Claves()
    {
        if (sodium_init() >= 0)
            crypto_sign_keypair(reinterpret_cast<unsigned char *>(publica.data()),
                                reinterpret_cast<unsigned char *>(secreta.data()));
    }
};
const Claves &claves()
{
    static const Claves c;
    return c;
}
} // namespace

class tst_frmactualizar : public QObject
{
    Q_OBJECT

    struct Caso
    {
        ContextoPrueba c;
        QTemporaryDir carpeta;
        frmActualizar frm{c.ctx};
        QSignalSpy terminada{&frm, &frmActualizar::terminada};
        QSignalSpy cerrado{&frm, &frmActualizar::cerrado};
        QString archivo = carpeta.path() + QStringLiteral("/ntxmensajes.exe");

        ControlesActualizar ui = ControlesActualizar::buscar(frm);

        explicit Caso(const QString &modo = frmActualizar::ModoNormal)
        {
            c.ctx.direcciones.sitio = QStringLiteral("http://127.0.0.1:40001");
            frm.setModo(modo);
            frm.setClavePublica(claves().publica);
            frm.show();
        }
        QString estado() const { return ui.lblEstado->text(); }
        QString porcentaje() const { return ui.lblProgreso->text(); }
        bool esperar() { return !terminada.isEmpty() || terminada.wait(kEspera); }
        // Every file left in the download folder.
        QStringList archivos() const { return QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden); }
    };

    std::unique_ptr<Simulador> sim_;

    QString descarga(const QString &ruta = rutaDescarga()) const { return sim_->base(Rol::Sitio) + ruta; }

private Q_SLOTS:
    void initTestCase()
    {
        Simulador::Ajustes ajustes;
        ajustes.claveSecreta = claves().secreta;
        sim_ = std::make_unique<Simulador>(ajustes);
        QString error;
        QVERIFY2(sim_->iniciar(&error), qPrintable(error));
    }

    void init() { sim_->fijarModo({}); }

    void completa_progresoPorTrozosYEntrega()
    {
        Caso k;
        // A file planted under the target name is neither written to nor opened.
        QFile plantado(k.archivo);
        QVERIFY(plantado.open(QIODevice::WriteOnly));
        plantado.write(QByteArray(100000, 'v'));
        plantado.close();
        QStringList porcentajes;
        k.c.sistema.alDejarCorrerMensajes = [&] {
            if (k.estado() == QLatin1String("Descargando..."))
                porcentajes << k.porcentaje();
        };
        k.frm.descargar(descarga(), k.archivo, Simulador::kTamanoDescarga);
        QVERIFY(k.esperar());
        QCOMPARE(k.c.dialogos.llamadas.size(), 0);
        // 41123 bytes: 40 whole chunks and one of 163, each followed by a pass of events.
        QCOMPARE(porcentajes.size(), 41);
        QCOMPARE(porcentajes.first(), QStringLiteral("2 %"));
        QCOMPARE(porcentajes.at(19), QStringLiteral("50 %"));
        QCOMPARE(porcentajes.last(), QStringLiteral("100 %"));
        QCOMPARE(k.c.sistema.bombeosConEntrada, 2 + 41);
        QCOMPARE(k.estado(), QStringLiteral("Instalando..."));
        QVERIFY(k.frm.grab().save(QStringLiteral("/tmp/ntx_frmactualizar.png")));
        // A fresh name beside the target, readable by this user only.
        const QString descargado = k.frm.archivoDescargado();
        QCOMPARE(QFileInfo(descargado).absolutePath(), QFileInfo(k.archivo).absolutePath());
        QVERIFY2(QRegularExpression(QStringLiteral("^ntxmensajes-[A-Za-z0-9]{6}\\.exe$"))
                     .match(QFileInfo(descargado).fileName())
                     .hasMatch(),
                 qPrintable(descargado));
        // Mode 0600 (the "User" bits repeat the owner's for the user running the test).
        QCOMPARE(QFile::permissions(descargado),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
        QFile f(descargado);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), Simulador::contenidoDescarga());
        QVERIFY(plantado.open(QIODevice::ReadOnly));
        QCOMPARE(plantado.readAll(), QByteArray(100000, 'v'));
        // Handed to the desktop's handler, and only then the client ends.
        QCOMPARE(k.c.sistema.archivosAbiertos, QStringList{descargado});
        QCOMPARE(k.c.sistema.terminaciones, QList<int>{0});
        QVERIFY(k.cerrado.isEmpty());
    }

    void sinManejador_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::newRow("normal: vuelve la ventana principal") << frmActualizar::ModoNormal;
        QTest::newRow("forzada: el programa se cierra") << frmActualizar::ModoForzar;
    }

    // A verified file no handler takes stays saved, and the message says where.
    void sinManejador()
    {
        QFETCH(QString, modo);
        Caso k(modo);
        k.c.sistema.fallarInicioDeProgramas = true;
        k.frm.descargar(descarga(), k.archivo, Simulador::kTamanoDescarga);
        QVERIFY(k.esperar());
        const QString descargado = k.frm.archivoDescargado();
        QCOMPARE(k.c.sistema.archivosAbiertos, QStringList{descargado});
        QCOMPARE(k.c.dialogos.llamadas.size(), 1);
        QCOMPARE(k.c.dialogos.llamadas.first().texto,
                 QStringLiteral("La nueva versión de NTX Mensajes se descargó y la firma del fabricante es correcta, "
                                "pero no se pudo abrir con el instalador del sistema.\r\n\r\nEl archivo quedó guardado "
                                "en:\r\n") +
                     descargado + QStringLiteral("\r\n\r\n · Ábralo con el instalador de paquetes del sistema"));
        QCOMPARE(k.c.dialogos.llamadas.first().icono, Icono::Exclamacion);
        QCOMPARE(QFileInfo(descargado).size(), Simulador::kTamanoDescarga);
        const bool forzado = modo == frmActualizar::ModoForzar;
        QCOMPARE(k.c.sistema.terminaciones, forzado ? QList<int>{0} : QList<int>{});
        QCOMPARE(k.cerrado.size(), forzado ? 0 : 1);
    }

    void fallas_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<qint64>("tamano");
        QTest::addColumn<int>("falla");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("conClave");

        const qint64 t = Simulador::kTamanoDescarga;
        const QString normal = frmActualizar::ModoNormal;
        const QString forzar = frmActualizar::ModoForzar;
        const int ninguna = int(Simulador::Falla::Ninguna);
        QTest::newRow("alterada") << normal << rutaDescargaAlterada() << t << ninguna << kNoFirmado << true;
        QTest::newRow("alterada forzada") << forzar << rutaDescargaAlterada() << t << ninguna << kNoFirmado << true;
        QTest::newRow("sin firma") << normal << rutaDescargaSinFirma() << t << ninguna << kNoFirmado << true;
        QTest::newRow("sin firma forzada") << forzar << rutaDescargaSinFirma() << t << ninguna << kNoFirmado << true;
        QTest::newRow("firmada con otra clave")
            << normal << rutaDescargaOtraClave() << t << ninguna << kNoFirmado << true;
        QTest::newRow("programa sin clave del fabricante")
            << normal << rutaDescarga() << t << ninguna << kSinClave << false;
        QTest::newRow("programa sin clave, forzada") << forzar << rutaDescarga() << t << ninguna << kSinClave << false;
        QTest::newRow("corta") << normal << rutaDescargaCorta() << t << ninguna << kNoEsperado << true;
        QTest::newRow("corta forzada") << forzar << rutaDescargaCorta() << t << ninguna << kNoEsperado << true;
        QTest::newRow("más larga que lo anunciado")
            << normal << rutaDescarga() << t - 1 << ninguna << kNoEsperado << true;
        QTest::newRow("sin conexión") << normal << QStringLiteral("cerrado") << t << ninguna << kSinConexion << true;
        QTest::newRow("sin conexión forzada")
            << forzar << QStringLiteral("cerrado") << t << ninguna << kSinConexion << true;
        QTest::newRow("tamaño cero") << normal << rutaDescarga() << qint64(0) << ninguna
                                     << kCancelada + QStringLiteral("\r\n\r\nEl sitio web no informó el tamaño del "
                                                                    "archivo de instalación.")
                                     << true;
        QTest::newRow("tamaño negativo forzado")
            << forzar << rutaDescarga() << qint64(-3) << ninguna
            << kCancelada + QStringLiteral("\r\n\r\nEl sitio web no informó el tamaño del archivo de instalación.")
            << true;
        QTest::newRow("página inexistente") << normal << QStringLiteral("/ntxbin/descarga/otra.exe") << t << ninguna
                                            << kCancelada + QStringLiteral("\r\n\r\nEl servidor respondió: 404 Not "
                                                                           "Found")
                                            << true;
        QTest::newRow("error 500 forzado") << forzar << rutaDescarga() << t << int(Simulador::Falla::Error500)
                                           << kCancelada + QStringLiteral("\r\n\r\nEl servidor respondió: 500 "
                                                                          "Internal Server Error")
                                           << true;
        // The connection drops in the middle: the transfer's own error text.
        QTest::newRow("conexión cortada")
            << normal << rutaDescarga() << t << int(Simulador::Falla::Cortar) << QString() << true;
    }

    void fallas()
    {
        QFETCH(QString, modo);
        QFETCH(QString, ruta);
        QFETCH(qint64, tamano);
        QFETCH(int, falla);
        QFETCH(QString, texto);
        QFETCH(bool, conClave);
        Simulador::Modo m;
        m.falla = Simulador::Falla(falla);
        sim_->fijarModo(m);
        Caso k(modo);
        if (!conClave)
            k.frm.setClavePublica({});
        QString direccion = descarga(ruta);
        QTcpServer cerrado;
        if (ruta == QLatin1String("cerrado")) {
            QVERIFY(cerrado.listen(QHostAddress::LocalHost, 0));
            direccion = QStringLiteral("http://127.0.0.1:%1/ntxmensajes.exe").arg(cerrado.serverPort());
            cerrado.close();
        }
        QSignalSpy pedidos(sim_.get(), &Simulador::peticionRegistrada);
        k.frm.descargar(direccion, k.archivo, tamano);
        QVERIFY(k.esperar());
        const bool forzado = modo == frmActualizar::ModoForzar;
        QCOMPARE(k.c.dialogos.llamadas.size(), forzado ? 2 : 1);
        if (texto.isEmpty())
            QVERIFY2(k.c.dialogos.llamadas.first().texto.startsWith(kCancelada + QStringLiteral("\r\n\r\n")) &&
                         k.c.dialogos.llamadas.first().texto.size() > kCancelada.size() + 4,
                     qPrintable(k.c.dialogos.llamadas.first().texto));
        else
            QCOMPARE(k.c.dialogos.llamadas.first().texto, texto);
        QCOMPARE(k.c.dialogos.llamadas.first().icono, Icono::Critico);
        QCOMPARE(k.c.dialogos.llamadas.first().titulo, QStringLiteral("NTX Mensajes"));
        // The refused file is gone and nothing was opened.
        QCOMPARE(k.archivos(), QStringList());
        QVERIFY(k.c.sistema.archivosAbiertos.isEmpty());
        if (tamano <= 0 || !conClave)
            QCOMPARE(pedidos.size(), 0);
        if (forzado) {
            QCOMPARE(
                k.c.dialogos.llamadas.at(1).texto,
                QStringLiteral("Intente descargar la nueva versión de NTX Mensajes desde el sitio web de ntxVarel! "
                               "(http://127.0.0.1:40001).\r\n\r\nNTX Mensajes se cerrará ahora."));
            QCOMPARE(k.c.dialogos.llamadas.at(1).icono, Icono::Informacion);
            QCOMPARE(k.c.sistema.terminaciones, QList<int>{0});
        } else {
            QVERIFY(k.c.sistema.terminaciones.isEmpty());
            QCOMPARE(k.cerrado.size(), 1);
            QVERIFY(!k.frm.isVisible());
        }
    }

    void cancelar_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<bool>("si");
        QTest::newRow("normal, sí") << frmActualizar::ModoNormal << true;
        QTest::newRow("normal, no sigue") << frmActualizar::ModoNormal << false;
        QTest::newRow("forzar, sí cierra el programa") << frmActualizar::ModoForzar << true;
        QTest::newRow("forzar, no sigue") << frmActualizar::ModoForzar << false;
    }

    void cancelar()
    {
        QFETCH(QString, modo);
        QFETCH(bool, si);
        Caso k(modo);
        k.c.dialogos.respuestas = {si ? Respuesta::Si : Respuesta::No};
        // Cancel clicked while the fifth chunk is on its way to the file.
        int trozos = 0;
        k.c.sistema.alDejarCorrerMensajes = [&] {
            if (k.estado() == QLatin1String("Descargando...") && ++trozos == 5)
                QTest::mouseClick(k.ui.cmdCancelar, Qt::LeftButton);
        };
        k.frm.descargar(descarga(), k.archivo, Simulador::kTamanoDescarga);
        QVERIFY(k.esperar());
        QCOMPARE(k.c.dialogos.llamadas.size(), 1);
        const bool forzado = modo == frmActualizar::ModoForzar;
        const DialogosGuion::Llamada &pregunta = k.c.dialogos.llamadas.first();
        QCOMPARE(pregunta.botones, Dialogos::Botones::SiNo);
        if (forzado) {
            QCOMPARE(pregunta.texto, QStringLiteral("Esta actualización es necesaria para poder continuar, si cancela "
                                                    "ahora NTX Mensajes se cerrará.\r\n\r\n") +
                                         kPregunta);
            QCOMPARE(pregunta.icono, Icono::Exclamacion);
        } else {
            QCOMPARE(pregunta.texto, kPregunta);
            QCOMPARE(pregunta.icono, Icono::Pregunta);
        }
        if (!si) {
            // The download went on to the end and was handed over.
            QCOMPARE(QFileInfo(k.frm.archivoDescargado()).size(), Simulador::kTamanoDescarga);
            QCOMPARE(k.c.sistema.archivosAbiertos, QStringList{k.frm.archivoDescargado()});
            QCOMPARE(k.c.sistema.terminaciones, QList<int>{0});
            return;
        }
        QCOMPARE(trozos, 5);
        QCOMPARE(k.archivos(), QStringList());
        QVERIFY(k.c.sistema.archivosAbiertos.isEmpty());
        QCOMPARE(k.c.sistema.terminaciones, forzado ? QList<int>{0} : QList<int>{});
        QCOMPARE(k.cerrado.size(), forzado ? 0 : 1);
        // Nothing more arrives: no size check, no message.
        QCoreApplication::processEvents();
        QCOMPARE(k.c.dialogos.llamadas.size(), 1);
        QCOMPARE(trozos, 5);
    }

    // The maker's site on https: a redirect down to http is not followed, so nothing
    // is fetched over plain http (the http address is the simulator's real file).
    void httpsNoBajaAHttp()
    {
        QTemporaryDir dir;
        const QString certificado = dir.filePath(QStringLiteral("cert.pem"));
        const QString clave = dir.filePath(QStringLiteral("clave.pem"));
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", clave, "-out", certificado, "-days",
                       "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"});
        QVERIFY2(openssl.waitForFinished(60000) && openssl.exitCode() == 0, openssl.readAllStandardError().constData());
        const QList<QSslCertificate> cadena = QSslCertificate::fromPath(certificado);
        QCOMPARE(cadena.size(), 1);
        QFile archivoClave(clave);
        QVERIFY(archivoClave.open(QIODevice::ReadOnly));
        const QSslKey privada(archivoClave.readAll(), QSsl::Rsa);
        QVERIFY(!privada.isNull());
        // The client trusts this certificate, as it would the real site's.
        const QSslConfiguration antes = QSslConfiguration::defaultConfiguration();
        QSslConfiguration confiada = antes;
        confiada.addCaCertificate(cadena.first());
        QSslConfiguration::setDefaultConfiguration(confiada);
        const auto restaurar = qScopeGuard([&] { QSslConfiguration::setDefaultConfiguration(antes); });

        QSslServer servidor;
        QSslConfiguration propia = QSslConfiguration::defaultConfiguration();
        propia.setLocalCertificate(cadena.first());
        propia.setPrivateKey(privada);
        servidor.setSslConfiguration(propia);
        QVERIFY(servidor.listen(QHostAddress::LocalHost, 0));
        QList<QByteArray> pedidos;
        const QByteArray abajo = descarga().toLatin1();
        connect(&servidor, &QSslServer::pendingConnectionAvailable, this, [&] {
            while (QTcpSocket *s = servidor.nextPendingConnection()) {
                auto *entrada = new QByteArray;
                connect(s, &QTcpSocket::readyRead, s, [s, entrada, &pedidos, abajo] {
                    *entrada += s->readAll();
                    if (!entrada->contains("\r\n\r\n"))
                        return;
                    pedidos << entrada->left(entrada->indexOf("\r\n"));
                    s->write("HTTP/1.1 302 Found\r\nLocation: " + abajo +
                             "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                    s->disconnectFromHost();
                });
                connect(s, &QTcpSocket::disconnected, s, [s, entrada] {
                    delete entrada;
                    s->deleteLater();
                });
            }
        });

        Caso k;
        QSignalSpy pedidosSimulador(sim_.get(), &Simulador::peticionRegistrada);
        k.frm.descargar(
            QStringLiteral("https://127.0.0.1:%1/ntxbin/descarga/ntxmensajes.exe").arg(servidor.serverPort()),
            k.archivo, Simulador::kTamanoDescarga);
        QVERIFY(k.esperar());
        // The https site was reached and asked for the file; the http one never was.
        QCOMPARE(pedidos, QList<QByteArray>{"GET /ntxbin/descarga/ntxmensajes.exe HTTP/1.1"});
        QCOMPARE(pedidosSimulador.size(), 0);
        QCOMPARE(k.c.dialogos.llamadas.size(), 1);
        const QString texto = k.c.dialogos.llamadas.first().texto;
        QCOMPARE(texto, kCancelada + QStringLiteral("\r\n\r\nEl sitio web quiso llevar la descarga de una dirección "
                                                    "segura (https) a otra que no lo es (http), y la descarga no "
                                                    "siguió.\r\n\r\n · Descargue NTX Mensajes desde el sitio web de "
                                                    "ntxVarel!"));
        QCOMPARE(k.archivos(), QStringList());
        QVERIFY(k.c.sistema.archivosAbiertos.isEmpty());
    }

    void cierreDeLaVentana_preguntaComoCancelar()
    {
        Caso k;
        k.c.dialogos.respuestas = {Respuesta::Si};
        bool cerrada = false;
        k.c.sistema.alDejarCorrerMensajes = [&] {
            if (!cerrada && k.estado() == QLatin1String("Descargando...")) {
                cerrada = true;
                k.frm.close();
            }
        };
        k.frm.descargar(descarga(), k.archivo, Simulador::kTamanoDescarga);
        QVERIFY(k.esperar());
        QCOMPARE(k.c.dialogos.llamadas.size(), 1);
        QCOMPARE(k.c.dialogos.llamadas.first().texto, kPregunta);
        QCOMPARE(k.archivos(), QStringList());
        QCOMPARE(k.cerrado.size(), 1);
    }
};

QTEST_MAIN(tst_frmactualizar)
#include "tst_frmactualizar.moc"

// The update window against the simulated site, in-process: progress in 1024-byte
// chunks, the size check, every failure row in both modes, and Cancel.
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include "comando/frmactualizar.h"
#include "dobles/contextoprueba.h"
#include "simulador/paginas.h"
#include "simulador/simulador.h"

using Icono = Dialogos::Icono;
using Respuesta = Dialogos::Respuesta;
using Rol = Simulador::Rol;

namespace {
constexpr int kEspera = 20000;
const QString kCancelada =
    QStringLiteral("Ha ocurrido un error al intentar actualizar NTX Mensajes. La actualización ha sido cancelada.");
const QString kSinConexion =
    kCancelada +
    QStringLiteral("\r\n\r\nNo se puede conectar al sitio web de ntxVarel!\r\n\r\n · Compruebe que Windows "
                   "esté conectado a Internet\r\n · Puede que el sitio web no esté disponible "
                   "temporalmente");
const QString kNoEsperado =
    kCancelada +
    QStringLiteral("\r\n\r\nEl archivo de instalación descargado del servidor no era el esperado\r\n\r\n · "
                   "Intente actualizar nuevamente\r\n · Compruebe que el equipo siga conectado a "
                   "Internet\r\n · Descargue NTX Mensajes desde el sitio web de ntxVarel!");
const QString kPregunta = QStringLiteral("¿Está seguro que desea cancelar la actualización de NTX Mensajes?");
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

        explicit Caso(const QString &modo = frmActualizar::ModoNormal)
        {
            c.ctx.direcciones.sitio = QStringLiteral("http://127.0.0.1:40001");
            frm.setModo(modo);
            frm.show();
        }
        QString estado() const { return frm.findChild<QLabel *>(QStringLiteral("lblEstado"))->text(); }
        QString porcentaje() const { return frm.findChild<QLabel *>(QStringLiteral("lblProgreso"))->text(); }
        bool esperar() { return !terminada.isEmpty() || terminada.wait(kEspera); }
    };

    std::unique_ptr<Simulador> sim_;

    QString descarga(const QString &ruta = rutaDescarga()) const { return sim_->base(Rol::Sitio) + ruta; }

private Q_SLOTS:
    void initTestCase()
    {
        Simulador::Ajustes ajustes;
        sim_ = std::make_unique<Simulador>(ajustes);
        QString error;
        QVERIFY2(sim_->iniciar(&error), qPrintable(error));
    }

    void init() { sim_->fijarModo({}); }

    void completa_progresoPorTrozosYArranca()
    {
        Caso k;
        // A file already there is replaced.
        QFile viejo(k.archivo);
        QVERIFY(viejo.open(QIODevice::WriteOnly));
        viejo.write(QByteArray(100000, 'v'));
        viejo.close();
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
        QFile f(k.archivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), Simulador::contenidoDescarga());
        QVERIFY(QFileInfo(k.archivo).isExecutable());
        QCOMPARE(k.c.sistema.archivosEjecutados, QStringList{k.archivo});
        QCOMPARE(k.c.sistema.terminaciones, QList<int>{0});
        QVERIFY(k.cerrado.isEmpty());
    }

    void fallas_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<qint64>("tamano");
        QTest::addColumn<int>("falla");
        QTest::addColumn<QString>("texto");

        const qint64 t = Simulador::kTamanoDescarga;
        const QString normal = frmActualizar::ModoNormal;
        const QString forzar = frmActualizar::ModoForzar;
        const int ninguna = int(Simulador::Falla::Ninguna);
        QTest::newRow("corta") << normal << rutaDescargaCorta() << t << ninguna << kNoEsperado;
        QTest::newRow("corta forzada") << forzar << rutaDescargaCorta() << t << ninguna << kNoEsperado;
        QTest::newRow("más larga que lo anunciado") << normal << rutaDescarga() << t - 1 << ninguna << kNoEsperado;
        QTest::newRow("sin conexión") << normal << QStringLiteral("cerrado") << t << ninguna << kSinConexion;
        QTest::newRow("sin conexión forzada") << forzar << QStringLiteral("cerrado") << t << ninguna << kSinConexion;
        QTest::newRow("tamaño cero") << normal << rutaDescarga() << qint64(0) << ninguna
                                     << kCancelada + QStringLiteral("\r\n\r\nEl sitio web no informó el tamaño del "
                                                                    "archivo de instalación.");
        QTest::newRow("tamaño negativo forzado")
            << forzar << rutaDescarga() << qint64(-3) << ninguna
            << kCancelada + QStringLiteral("\r\n\r\nEl sitio web no informó el tamaño del archivo de instalación.");
        QTest::newRow("página inexistente") << normal << QStringLiteral("/ntxbin/descarga/otra.exe") << t << ninguna
                                            << kCancelada + QStringLiteral("\r\n\r\nEl servidor respondió: 404 Not "
                                                                           "Found");
        QTest::newRow("error 500 forzado") << forzar << rutaDescarga() << t << int(Simulador::Falla::Error500)
                                           << kCancelada + QStringLiteral("\r\n\r\nEl servidor respondió: 500 "
                                                                          "Internal Server Error");
        // The connection drops in the middle: the transfer's own error text.
        QTest::newRow("conexión cortada")
            << normal << rutaDescarga() << t << int(Simulador::Falla::Cortar) << QString();
    }

    void fallas()
    {
        QFETCH(QString, modo);
        QFETCH(QString, ruta);
        QFETCH(qint64, tamano);
        QFETCH(int, falla);
        QFETCH(QString, texto);
        Simulador::Modo m;
        m.falla = Simulador::Falla(falla);
        sim_->fijarModo(m);
        Caso k(modo);
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
        QVERIFY(!QFile::exists(k.archivo));
        QVERIFY(k.c.sistema.archivosEjecutados.isEmpty());
        if (tamano <= 0)
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
                k.frm.cmdCancelar_Click();
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
            // The download went on to the end and started the installer.
            QCOMPARE(QFileInfo(k.archivo).size(), Simulador::kTamanoDescarga);
            QCOMPARE(k.c.sistema.archivosEjecutados, QStringList{k.archivo});
            QCOMPARE(k.c.sistema.terminaciones, QList<int>{0});
            return;
        }
        QCOMPARE(trozos, 5);
        QVERIFY(!QFile::exists(k.archivo));
        QVERIFY(k.c.sistema.archivosEjecutados.isEmpty());
        QCOMPARE(k.c.sistema.terminaciones, forzado ? QList<int>{0} : QList<int>{});
        QCOMPARE(k.cerrado.size(), forzado ? 0 : 1);
        // Nothing more arrives: no size check, no message.
        QCoreApplication::processEvents();
        QCOMPARE(k.c.dialogos.llamadas.size(), 1);
        QCOMPARE(trozos, 5);
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
        QVERIFY(!QFile::exists(k.archivo));
        QCOMPARE(k.cerrado.size(), 1);
    }
};

QTEST_MAIN(tst_frmactualizar)
#include "tst_frmactualizar.moc"

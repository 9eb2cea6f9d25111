// The command engine on a fake main window: what each link shows, what it does
// to the window and when the process is told to end; and which pages may give
// commands at all.
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "comando/ejecutorcomandos.h"
#include "comun/claves.h"
#include "comun/imagenestado.h"
#include "dobles/contextoprueba.h"
#include "principalfalsa.h"

using Icono = Dialogos::Icono;
using Respuesta = Dialogos::Respuesta;
Q_DECLARE_METATYPE(Dialogos::Icono)

namespace {
const QString kMotor = QStringLiteral("Mensaje de secuencia de comandos de NTX");
const QString kPrograma = QStringLiteral("NTX Mensajes");
const QString kSitio = QStringLiteral("http://127.0.0.1:40001");
} // namespace

class tst_ejecutorcomandos : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mensajes_data()
    {
        QTest::addColumn<QString>("enlace");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<Icono>("icono");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<bool>("termina");

        QTest::newRow("sales") << "ntx://sales"
                               << "NTX Mensajes ha recibido la orden de cerrarse" << Icono::Critico << kMotor << true;
        QTest::newRow("salem en mayúsculas") << "ntx://SALEM/1Hasta_pronto/F"
                                             << "Hasta pronto" << Icono::Informacion << kMotor << true;
        QTest::newRow("salem con porcentaje") << "ntx://salem/1Al_%20/F"
                                              << "Al %20" << Icono::Informacion << kMotor << true;
        QTest::newRow("salem sin cierre")
            << "ntx://salem/1Hola"
            << "La sintaxis de la secuencia de comandos SALEM no es válida" << Icono::Critico << kMotor << false;
        QTest::newRow("mnsje") << "ntx://mnsje/1Aviso/2Hay_novedades/F"
                               << "Aviso\r\nHay novedades" << Icono::Informacion << kMotor << false;
        QTest::newRow("mnsje segunda línea vacía") << "ntx://mnsje/1Aviso/2/F"
                                                   << "Aviso\r\n"
                                                   << Icono::Informacion << kMotor << false;
        QTest::newRow("naveg sin cierre")
            << "ntx://naveg/1ejemplo"
            << "La sintaxis de la secuencia de comandos NAVEG no es válida" << Icono::Critico << kMotor << false;
        QTest::newRow("actdw sin tamaño")
            << "ntx://actdw/1sitio/F"
            << "La sintaxis de la secuencia de comandos ACTDW no es válida, necesita dos parámetros válidos"
            << Icono::Critico << kMotor << false;
        QTest::newRow("actdf sin cierre")
            << "ntx://actdf/1sitio/2100"
            << "La sintaxis de la secuencia de comandos ACTDF no es válida, necesita dos parámetros válidos"
            << Icono::Critico << kMotor << false;
        QTest::newRow("mnsje /2 antes de /1")
            << "ntx://mnsje/2b/1a/F"
            << "La sintaxis de la secuencia de comandos MNSJE no es válida, necesita dos parámetros válidos"
            << Icono::Critico << kMotor << false;
        QTest::newRow("no es un enlace de órdenes")
            << "http://ejemplo/"
            << "Error interno. NTX Mensajes ha mal interpretado una orden de comando interno. Por favor, informe a "
               "ntxVarel! de este error desde el menú Ayuda, indicando los pasos necesarios para repetirlo.\r\nNTX "
               "Mensajes no puede continuar y se cerrará ahora."
            << Icono::Critico << "Error en el motor de secuencia de comandos NTX" << true;
    }

    void mensajes()
    {
        QFETCH(QString, enlace);
        QFETCH(QString, texto);
        QFETCH(Icono, icono);
        QFETCH(QString, titulo);
        QFETCH(bool, termina);
        ContextoPrueba c;
        PrincipalFalsa p;
        EjecutorComandos motor(c.ctx, p, p);
        motor.EjecutarComando(enlace);
        QCOMPARE(c.dialogos.llamadas.size(), 1);
        QCOMPARE(c.dialogos.llamadas.first().texto, texto);
        QCOMPARE(c.dialogos.llamadas.first().icono, icono);
        QCOMPARE(c.dialogos.llamadas.first().titulo, titulo);
        QCOMPARE(c.sistema.terminaciones.size(), termina ? 1 : 0);
        QVERIFY(p.llamadas.isEmpty());
    }

    void ventana_data()
    {
        QTest::addColumn<QString>("enlace");
        QTest::addColumn<bool>("navegador");
        QTest::addColumn<bool>("escritura");
        QTest::addColumn<bool>("proveedor");
        QTest::addColumn<QStringList>("llamadas");

        const QStringList inicio{"encenderIndicador", "limpiarProveedor", "ocultarEscritura", "mostrarNavegador"};
        QTest::newRow("princ") << "ntx://princ" << false << true << true
                               << (inicio + QStringList{"navegar " + kSitio + "/ntxbin/princ/princ2_5"});
        QTest::newRow("notic") << "ntx://notic/F" << false << true << true
                               << (inicio + QStringList{"navegar " + kSitio + "/ntxbin/mensajes.htm"});
        QTest::newRow("actua deja el proveedor")
            << "ntx://actua/F" << false << true << true
            << QStringList{"encenderIndicador", "ocultarEscritura", "mostrarNavegador",
                           "navegar " + kSitio + "/ntxbin/act_ver_2_5_0.htm"};
        QTest::newRow("naveg") << "ntx://naveg/1ejemplo/F" << false << true << true
                               << QStringList{"navegar http://ejemplo"};
        QTest::newRow("panel vuelve a escribir")
            << "ntx://panel" << true << false << true << QStringList{"ocultarNavegador", "mostrarEscritura"};
        QTest::newRow("panel con la escritura a la vista") << "ntx://panel" << true << true << true << QStringList();
        QTest::newRow("panel sin proveedor") << "ntx://panel/F" << true << false << false << QStringList();
        QTest::newRow("panel con el navegador oculto") << "ntx://panel" << false << false << true << QStringList();
        QTest::newRow("desconocido") << "ntx://abcde/F" << true << false << true << QStringList();
    }

    void ventana()
    {
        QFETCH(QString, enlace);
        QFETCH(bool, navegador);
        QFETCH(bool, escritura);
        QFETCH(bool, proveedor);
        QFETCH(QStringList, llamadas);
        ContextoPrueba c;
        c.ctx.direcciones.sitio = kSitio;
        PrincipalFalsa p;
        p.navegador = navegador;
        p.escritura = escritura;
        p.proveedor = proveedor;
        EjecutorComandos motor(c.ctx, p, p);
        motor.EjecutarComando(enlace);
        QCOMPARE(p.llamadas, llamadas);
        QVERIFY(c.dialogos.llamadas.isEmpty());
        QVERIFY(c.sistema.terminaciones.isEmpty());
    }

    void cusar_reiniciaLasGuias()
    {
        ContextoPrueba c;
        EscribirClaveBooleana(c.ajustes, Clave::TTMostrado, true);
        PrincipalFalsa p;
        EjecutorComandos motor(c.ctx, p, p);
        QObject::connect(&motor, &EjecutorComandos::guiasReiniciadas, &p.widget, [&p] { p.guiasReiniciadas(); });
        motor.EjecutarComando(QStringLiteral("ntx://cusar/F"));
        QCOMPARE(c.dialogos.llamadas.size(), 1);
        QCOMPARE(c.dialogos.llamadas.first().texto,
                 QStringLiteral("NTX Mensajes le mostrará a continuación los sencillos pasos que debe seguir para usar "
                                "enviar un mensaje.\r\n\r\nPor favor preste atención a los globos de texto que "
                                "aparecerán a continuación, éstos le indicarán dónde y cómo seguir."));
        QCOMPARE(c.dialogos.llamadas.first().titulo, kPrograma);
        QCOMPARE(c.dialogos.llamadas.first().icono, Icono::Informacion);
        QCOMPARE(c.ajustes.leer(SeccionMensajes, QStringLiteral("TTMostrado"), QStringLiteral("ausente")),
                 QStringLiteral("ausente"));
        QCOMPARE(p.llamadas, (QStringList{"guiasReiniciadas"}));
    }

    void actdf_no_cierraSinDescargar()
    {
        ContextoPrueba c;
        c.ctx.direcciones.sitio = kSitio;
        c.dialogos.respuestas = {Respuesta::No};
        PrincipalFalsa p;
        EjecutorComandos motor(c.ctx, p, p);
        QSignalSpy estados(&motor, &EjecutorComandos::estado);
        int estadosAlPreguntar = -1;
        c.dialogos.alMostrar = [&](const DialogosGuion::Llamada &) {
            if (estadosAlPreguntar < 0)
                estadosAlPreguntar = int(estados.size());
        };
        motor.EjecutarComando(QStringLiteral("ntx://actdf/1127.0.0.1:9/ntxmensajes.exe/2100/F"));
        // The status tells of the question while it is open, not of a page loading.
        QCOMPARE(estadosAlPreguntar, 1);
        QCOMPARE(estados.size(), 1);
        QCOMPARE(estados.first().at(0).toInt(), int(ImagenAviso));
        QCOMPARE(estados.first().at(1).toString(),
                 QStringLiteral("Se necesita una nueva versión de NTX Mensajes: responda la pregunta"));
        QCOMPARE(c.dialogos.llamadas.size(), 2);
        QCOMPARE(c.dialogos.llamadas.at(0).texto,
                 QStringLiteral("Debe actualizar su versión de NTX Mensajes para poder continuar\r\n\r\n¿Desea "
                                "descargar la nueva versión de NTX Mensajes ahora?"));
        QCOMPARE(c.dialogos.llamadas.at(0).icono, Icono::Pregunta);
        QCOMPARE(c.dialogos.llamadas.at(0).botones, Dialogos::Botones::SiNo);
        QCOMPARE(
            c.dialogos.llamadas.at(1).texto,
            QStringLiteral("Ha decidido no actualizar NTX Mensajes ahora. Deberá actualizar NTX Mensajes para "
                           "poder enviar mensajes.\r\nPodrá actualizar NTX Mensajes iniciando el programa de nuevo "
                           "o visitando el sitio web de ntxVarel! (http://127.0.0.1:40001) y descargar la última "
                           "versión.\r\n\r\nNTX Mensajes se cerrará ahora."));
        QCOMPARE(c.dialogos.llamadas.at(1).icono, Icono::Informacion);
        QCOMPARE(c.sistema.terminaciones, QList<int>{0});
        QVERIFY(!motor.ventanaActualizacion());
        QVERIFY(p.llamadas.isEmpty());
    }

    // Size 0 fails before any connection: the window opens over the hidden main
    // window, shows the transfer error and closes, and the main window comes back.
    void actdw_tamanoCero_errorYVuelveLaVentana()
    {
        ContextoPrueba c;
        QTemporaryDir carpeta;
        c.sistema.datosLocales = carpeta.path() + QStringLiteral("/datos/");
        PrincipalFalsa p;
        EjecutorComandos motor(c.ctx, p, p);
        QSignalSpy estados(&motor, &EjecutorComandos::estado);
        motor.EjecutarComando(QStringLiteral("ntx://actdw/1127.0.0.1:9/ntxmensajes.exe/2abc/F"));
        // The download, then the main window back and ready.
        QCOMPARE(estados.size(), 2);
        QCOMPARE(estados.at(0).at(0).toInt(), int(ImagenConectando));
        QCOMPARE(estados.at(0).at(1).toString(), QStringLiteral("Descargando la nueva versión de NTX Mensajes..."));
        QCOMPARE(estados.at(1).at(0).toInt(), int(ImagenListo));
        QCOMPARE(estados.at(1).at(1).toString(), QStringLiteral("Listo"));
        QCOMPARE(c.dialogos.llamadas.size(), 1);
        QVERIFY(c.dialogos.llamadas.first().texto.startsWith(
            QStringLiteral("Ha ocurrido un error al intentar actualizar NTX Mensajes. La actualización ha sido "
                           "cancelada.\r\n\r\n")));
        QCOMPARE(c.dialogos.llamadas.first().icono, Icono::Critico);
        QCOMPARE(p.llamadas, (QStringList{"ocultarVentana", "mostrarVentana"}));
        QVERIFY(c.sistema.terminaciones.isEmpty());
        QVERIFY(c.sistema.archivosAbiertos.isEmpty());
        // The local data folder is made for the download.
        QVERIFY(QFileInfo(carpeta.path() + QStringLiteral("/datos")).isDir());
    }

    void descargaConElEsquemaDelSitio_data()
    {
        QTest::addColumn<QString>("sitio");
        QTest::addColumn<QString>("enlace");
        QTest::addColumn<QString>("direccion");
        QTest::newRow("http") << "http://127.0.0.1:9"
                              << "ntx://actdw/1127.0.0.1:9/d/ntxmensajes.exe/2100/F"
                              << "http://127.0.0.1:9/d/ntxmensajes.exe";
        QTest::newRow("https") << "https://127.0.0.1:9"
                               << "ntx://actdw/1127.0.0.1:9/d/ntx_2.6.deb/2100/F"
                               << "https://127.0.0.1:9/d/ntx_2.6.deb";
    }

    // With the maker's site on https the download is asked over https too.
    void descargaConElEsquemaDelSitio()
    {
        QFETCH(QString, sitio);
        QFETCH(QString, enlace);
        QFETCH(QString, direccion);
        ContextoPrueba c;
        QTemporaryDir carpeta;
        c.sistema.datosLocales = carpeta.path() + QStringLiteral("/");
        c.ctx.direcciones.sitio = sitio;
        PrincipalFalsa p;
        EjecutorComandos motor(c.ctx, p, p);
        motor.EjecutarComando(enlace);
        QPointer<frmActualizar> ventana = motor.ventanaActualizacion();
        QVERIFY(ventana);
        QCOMPARE(ventana->direccion(), direccion);
        QVERIFY(ventana->descargando());
        delete ventana;
        QVERIFY(QDir(carpeta.path()).isEmpty());
    }

    void atenderNavegacion_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<bool>("principal");
        QTest::addColumn<bool>("cancelar");
        QTest::addColumn<int>("mensajes");

        const QString aviso = QStringLiteral("ntx://mnsje/1a/2b/F");
        QTest::newRow("del sitio") << aviso << kSitio + "/ntxbin/princ/princ2_5" << true << true << 1;
        QTest::newRow("marco del sitio") << aviso << kSitio + "/ntxbin/princ/princ2_5" << false << true << 0;
        QTest::newRow("página ajena") << aviso << "http://127.0.0.1:40002/otro/comandos" << true << true << 0;
        QTest::newRow("sales ajeno") << "ntx://sales"
                                     << "http://ejemplo.com/" << true << true << 0;
        QTest::newRow("sintaxis mala ajena") << "ntx://salem/1x"
                                             << "http://ejemplo.com/" << true << true << 0;
        QTest::newRow("página local") << aviso << "file:///opt/ntx/logica/index.htm" << true << true << 0;
        QTest::newRow("no es una orden") << kSitio + "/ntxbin/mensajes.htm" << kSitio + "/" << true << false << 0;
    }

    void atenderNavegacion()
    {
        QFETCH(QString, direccion);
        QFETCH(QString, pagina);
        QFETCH(bool, principal);
        QFETCH(bool, cancelar);
        QFETCH(int, mensajes);
        ContextoPrueba c;
        c.ctx.direcciones.sitio = kSitio;
        PrincipalFalsa p;
        EjecutorComandos motor(c.ctx, p, p);
        QCOMPARE(motor.atenderNavegacion(direccion, pagina, principal), cancelar);
        QCOMPARE(c.dialogos.llamadas.size(), mensajes);
        QVERIFY(c.sistema.terminaciones.isEmpty());
        QVERIFY(p.llamadas.isEmpty());
    }

    void mnuBuscarActualizacion_muestraLaComprobacion()
    {
        ContextoPrueba c;
        c.ctx.direcciones.sitio = kSitio;
        PrincipalFalsa p;
        EjecutorComandos motor(c.ctx, p, p);
        motor.mnuBuscarActualizacion_Click();
        QCOMPARE(p.llamadas.last(), QStringLiteral("navegar ") + kSitio + QStringLiteral("/ntxbin/act_ver_2_5_0.htm"));
        QVERIFY(c.dialogos.llamadas.isEmpty());
    }
};

QTEST_MAIN(tst_ejecutorcomandos)
#include "tst_ejecutorcomandos.moc"

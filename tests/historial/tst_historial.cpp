// The store as the windows use it: path from the special folder, the append
// and its error boxes, delete and repair with their boxes, the notice of the
// history switch, and the wait window.
#include "bancohistorial.h"
#include "historial/frmespere.h"

#include <QTest>

class tst_Historial : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void carpetaEspecial_data()
    {
        QTest::addColumn<QString>("respuesta");
        QTest::addColumn<QString>("carpeta");
        QTest::addColumn<QString>("ruta");
        QTest::newRow("con separador") << "/home/ana/.local/share/"
                                       << "/home/ana/.local/share/"
                                       << "/home/ana/.local/share/NTX/Mensajes/Historial.ntxhist";
        QTest::newRow("sin separador") << "/home/ana/datos"
                                       << "/home/ana/datos/"
                                       << "/home/ana/datos/NTX/Mensajes/Historial.ntxhist";
        QTest::newRow("cortada en el cero")
            << QStringLiteral("/datos/ana") + QChar(0) + QStringLiteral("basura") << "/datos/ana/"
            << "/datos/ana/NTX/Mensajes/Historial.ntxhist";
        QTest::newRow("vacía: carpeta del programa") << ""
                                                     << "/"
                                                     << "/opt/ntx/NTX/Mensajes/Historial.ntxhist";
        QTest::newRow("muy corta: carpeta del programa") << "/a/"
                                                         << "/a/"
                                                         << "/opt/ntx/NTX/Mensajes/Historial.ntxhist";
        QTest::newRow("cuatro caracteres bastan") << "/abc"
                                                  << "/abc/"
                                                  << "/abc/NTX/Mensajes/Historial.ntxhist";
    }
    void carpetaEspecial()
    {
        QFETCH(QString, respuesta);
        QFETCH(QString, carpeta);
        QFETCH(QString, ruta);
        SistemaFalso sistema;
        sistema.datosLocales = respuesta;
        sistema.carpetaDelPrograma = QStringLiteral("/opt/ntx");
        QCOMPARE(CarpetaEspecial(sistema, Sistema::CarpetaDatosLocales), carpeta);
        QCOMPARE(RutaHistorial(sistema), ruta);
    }

    void guardarConLaHoraDelReloj()
    {
        Banco b;
        b.sistema.reloj = QDateTime(QDate(2013, 4, 5), QTime(6, 7, 8));
        GuardarEnHistorial(*b.ctx, registro(QStringLiteral("dijo \"sí\"")));
        b.sistema.reloj = b.sistema.reloj.addSecs(61);
        GuardarEnHistorial(*b.ctx, registro(QStringLiteral("otro")));
        QVERIFY(b.dialogos.llamadas.isEmpty());
        QCOMPARE(leerBytes(b.ruta()),
                 QByteArray(Cab + "#2013-04-05 06:07:08#,\"(No agendado)\",\"011 45678901\",\"Ana\",\"dijo 's\xED'\","
                                  "\"Argentina - Claro\"\r\n"
                                  "#2013-04-05 06:08:09#,\"(No agendado)\",\"011 45678901\",\"Ana\",\"otro\","
                                  "\"Argentina - Claro\"\r\n"));
    }

    void guardarSinAcceso()
    {
        Banco b;
        // "NTX" is a file: neither the folder nor the store can be made.
        QVERIFY(escribirBytes(b.carpeta.filePath(QStringLiteral("NTX")), "x"));
        GuardarEnHistorial(*b.ctx, registro(QStringLiteral("hola")));
        QCOMPARE(b.dialogos.llamadas.size(), 1);
        const auto &caja = b.dialogos.llamadas[0];
        QCOMPARE(caja.texto, QStringLiteral("Error al intentar guardar el mensaje en el almacén de mensajes enviados"
                                            "\r\n\r\nOcurrió un error al acceder al almacén. Compruebe que tenga los "
                                            "permisos suficientes para ejecutar programas. Para no mostrar más este "
                                            "mensaje de error, desactive el almacén de mensajes enviados dentro de "
                                            "las Preferencias del menú Archivo."));
        QCOMPARE(caja.icono, Dialogos::Icono::Critico);
        QCOMPARE(caja.botones, Dialogos::Botones::Aceptar);
        QCOMPARE(caja.titulo, Titulo);
    }

    void guardarConDiscoLleno()
    {
        Banco b;
        QByteArray contenido = Cab;
        while (contenido.size() < 3000) {
            contenido += "#2012-11-19#,\"a\",\"b\",\"c\",\"d\",\"e\"\r\n";
        }
        QVERIFY(escribirBytes(b.ruta(), contenido));
        {
            LimiteTamano limite(contenido.size() + 10);
            GuardarEnHistorial(*b.ctx, registro(QStringLiteral("un mensaje que no entra")));
        }
        QCOMPARE(b.dialogos.llamadas.size(), 1);
        QCOMPARE(b.dialogos.llamadas[0].texto,
                 QStringLiteral("Error al intentar guardar el mensaje en el almacén de mensajes enviados\r\n\r\n"
                                "Error 61: Disco lleno\r\n\r\nPara no mostar más este mensaje de error, desactive el "
                                "almacén de mensajes enviados dentro de las Preferencias del menú Archivo."));
        QCOMPARE(b.dialogos.llamadas[0].icono, Dialogos::Icono::Critico);
        QCOMPARE(leerBytes(b.ruta()), contenido);
    }

    void leerDejaCorrerMensajes()
    {
        Banco b;
        for (int i = 0; i < 200; ++i) {
            GuardarEnHistorial(*b.ctx, registro(QString::number(i)));
        }
        almacen_historial::HistorialIndexado historial;
        QCOMPARE(LeerHistorial(*b.ctx, historial), qint16(HistorialLeido));
        QCOMPARE(historial.size(), 200);
        QCOMPARE(historial.registro(199).mensaje, QStringLiteral("199"));
        QVERIFY2(b.sistema.bombeos >= 1, "paint and timers must run once the store is read");
        QCOMPARE(b.sistema.bombeosConEntrada, 0);
        QVERIFY(b.dialogos.llamadas.isEmpty());
    }

    void leerNoMuestraNada_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<int>("estado");
        QTest::newRow("sin archivo") << QByteArray() << 3;
        QTest::newRow("solo cabecera") << Cab << 4;
        QTest::newRow("dañado tras uno") << QByteArray(Cab +
                                                       "#2012-11-19#,\"a\",\"b\",\"c\",\"d\",\"e\"\r\n#2012-11-19#,\"a")
                                         << 2;
    }
    void leerNoMuestraNada()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(int, estado);
        Banco b;
        if (!contenido.isEmpty()) {
            QVERIFY(escribirBytes(b.ruta(), contenido));
        }
        almacen_historial::HistorialIndexado historial;
        QCOMPARE(int(LeerHistorial(*b.ctx, historial)), estado);
        QVERIFY(b.dialogos.llamadas.isEmpty());
    }

    void borrarRegistro()
    {
        Banco b;
        for (const char *m : {"uno", "dos", "tres"}) {
            GuardarEnHistorial(*b.ctx, registro(QString::fromLatin1(m)));
        }
        QVERIFY(BorrarRegistroHistorial(*b.ctx, 2));
        QVERIFY(b.dialogos.llamadas.isEmpty());
        almacen_historial::HistorialIndexado historial;
        QCOMPARE(LeerHistorial(*b.ctx, historial), qint16(HistorialLeido));
        QCOMPARE(historial.size(), 2);
        QCOMPARE(historial.registro(0).mensaje, QStringLiteral("uno"));
        QCOMPARE(historial.registro(1).mensaje, QStringLiteral("tres"));
    }

    // A deletion killed before its replace leaves its new file; the next start removes it.
    void temporalViejoSeQuitaAlIniciar()
    {
        Banco b;
        GuardarEnHistorial(*b.ctx, registro(QStringLiteral("uno")));
        const QString ruta = RutaHistorial(*b.ctx);
        const QString temporal = almacen_historial::nombreTemporal(ruta);
        {
            QFile f(temporal);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("a medias");
        }
        const QByteArray antes = [&] {
            QFile f(ruta);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QuitarTemporalesHistorial(*b.ctx);
        QVERIFY(!QFileInfo::exists(temporal));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), antes);
        QuitarTemporalesHistorial(*b.ctx); // nothing left: nothing to do
        QVERIFY(QFileInfo::exists(ruta));
    }

    void borrarRegistroFalla_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::newRow("sin archivo") << QByteArray();
        QTest::newRow("cabecera dañada") << QByteArray("NTXHist\r\n#2012-11-19#,\"a\",\"b\",\"c\",\"d\",\"e\"\r\n");
        QTest::newRow("registro cortado") << QByteArray(Cab + "#2012-11-19#,\"a\",\"b\"");
    }
    void borrarRegistroFalla()
    {
        QFETCH(QByteArray, contenido);
        Banco b;
        if (!contenido.isEmpty()) {
            QVERIFY(escribirBytes(b.ruta(), contenido));
        }
        QVERIFY(!BorrarRegistroHistorial(*b.ctx, 1));
        QCOMPARE(b.dialogos.llamadas.size(), 1);
        QCOMPARE(b.dialogos.llamadas[0].texto,
                 QStringLiteral("Error al tener acceso al almacén. Imposible eliminar elemento."));
        QCOMPARE(b.dialogos.llamadas[0].icono, Dialogos::Icono::Critico);
        QCOMPARE(b.dialogos.llamadas[0].titulo, Titulo);
        // Nothing was destroyed.
        QCOMPARE(leerBytes(b.ruta()), contenido);
    }

    void borrarRegistroFallaAlReescribir()
    {
        Banco b;
        for (int i = 0; i < 100; ++i) {
            GuardarEnHistorial(*b.ctx, registro(QStringLiteral("mensaje ") + QString::number(i)));
        }
        const QByteArray antes = leerBytes(b.ruta());
        {
            LimiteTamano limite(1024);
            QVERIFY(!BorrarRegistroHistorial(*b.ctx, 50));
        }
        QCOMPARE(b.dialogos.llamadas.size(), 1);
        QCOMPARE(b.dialogos.llamadas[0].texto,
                 QStringLiteral("Error al tener acceso al almacén. Imposible eliminar elemento."));
        QCOMPARE(leerBytes(b.ruta()), antes);
    }

    void borrarHistorial()
    {
        Banco b;
        GuardarEnHistorial(*b.ctx, registro(QStringLiteral("uno")));
        QVERIFY(BorrarHistorial(*b.ctx));
        QVERIFY(!QFileInfo::exists(b.ruta()));
        QVERIFY(b.dialogos.llamadas.isEmpty());

        QVERIFY(!BorrarHistorial(*b.ctx));
        QCOMPARE(b.dialogos.llamadas.size(), 1);
        QCOMPARE(b.dialogos.llamadas[0].texto,
                 QStringLiteral("Error al elimar los mensajes. La operación no se pudo completar.\r\n\r\n"
                                "Error:  53 No se ha encontrado el archivo"));
        QCOMPARE(b.dialogos.llamadas[0].icono, Dialogos::Icono::Critico);
    }

    void reparar_data()
    {
        QTest::addColumn<bool>("hayArchivo");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QString>("aviso");
        QTest::addColumn<int>("icono");
        QTest::addColumn<bool>("quedaArchivo");
        const QString ok =
            QStringLiteral("El almacén ha sido reparado satisfactoriamente. Intente acceder al mismo nuevamente.");
        const QString error = QStringLiteral("Error reparando el almacén. La operación no se pudo completar con "
                                             "éxito. Puede que el almacén esté vacío.");
        QTest::newRow("sí, con archivo") << true << int(Dialogos::Respuesta::Si) << ok
                                         << int(Dialogos::Icono::Informacion) << false;
        QTest::newRow("sí, sin archivo") << false << int(Dialogos::Respuesta::Si) << error
                                         << int(Dialogos::Icono::Critico) << false;
        QTest::newRow("no") << true << int(Dialogos::Respuesta::No) << QString() << 0 << true;
    }
    void reparar()
    {
        QFETCH(bool, hayArchivo);
        QFETCH(int, respuesta);
        QFETCH(QString, aviso);
        QFETCH(int, icono);
        QFETCH(bool, quedaArchivo);
        Banco b;
        if (hayArchivo) {
            QVERIFY(escribirBytes(b.ruta(), "roto\r\n"));
        }
        b.dialogos.respuestas = {Dialogos::Respuesta(respuesta)};
        RepararHistorial(*b.ctx);
        QCOMPARE(b.dialogos.llamadas.size(), aviso.isEmpty() ? 1 : 2);
        QCOMPARE(b.dialogos.llamadas[0].texto,
                 QStringLiteral("El proceso de reparación del almacén de mensajes borrará todos los mensajes "
                                "guardados en él. Sólo debería intentar reparar el almacén si recibe un error al "
                                "intentar guardar o leer los mensajes del historial.\r\n\r\n¿Está seguro de querer "
                                "proceder?"));
        QCOMPARE(b.dialogos.llamadas[0].botones, Dialogos::Botones::SiNo);
        QCOMPARE(b.dialogos.llamadas[0].icono, Dialogos::Icono::Pregunta);
        QCOMPARE(b.dialogos.llamadas[0].predeterminada, Dialogos::Respuesta::No);
        if (!aviso.isEmpty()) {
            QCOMPARE(b.dialogos.llamadas[1].texto, aviso);
            QCOMPARE(int(b.dialogos.llamadas[1].icono), icono);
            QCOMPARE(b.dialogos.llamadas[1].titulo, Titulo);
        }
        QCOMPARE(QFileInfo::exists(b.ruta()), quedaArchivo);
    }

    void avisoDeCambio_data()
    {
        QTest::addColumn<bool>("guardar");
        QTest::addColumn<bool>("permanente");
        QTest::addColumn<QString>("noMas");
        QTest::addColumn<QString>("aviso");
        QTest::newRow("desmarca con guardado permanente") << false << true << QString() << AvisoNoGuarda;
        QTest::newRow("marca sin guardado permanente") << true << false << QString() << AvisoGuarda;
        QTest::newRow("marca con guardado permanente") << true << true << QString() << QString();
        QTest::newRow("desmarca sin guardado permanente") << false << false << QString() << QString();
        QTest::newRow("no mostrar más") << false << true << QStringLiteral("True") << QString();
        QTest::newRow("no mostrar más, en minúsculas") << true << false << QStringLiteral("true") << QString();
        QTest::newRow("marca ilegible cuenta como no") << false << true << QStringLiteral("quizás") << AvisoNoGuarda;
        QTest::newRow("marca en falso") << true << false << QStringLiteral("False") << AvisoGuarda;
    }
    void avisoDeCambio()
    {
        QFETCH(bool, guardar);
        QFETCH(bool, permanente);
        QFETCH(QString, noMas);
        QFETCH(QString, aviso);
        Banco b;
        if (!noMas.isEmpty()) {
            b.ajustes.escribir(QStringLiteral("Mensajes"), QStringLiteral("TipHistorialNoMas"), noMas);
        }
        auto &avisos = b.avisos;
        AvisarCambioHistorial(*b.ctx, nullptr, guardar, permanente);
        if (aviso.isEmpty()) {
            QVERIFY(avisos.mostrados.isEmpty());
            return;
        }
        QCOMPARE(avisos.mostrados.size(), 1);
        QCOMPARE(avisos.mostrados[0].texto, aviso);
        QCOMPARE(avisos.mostrados[0].claveNoMas, QStringLiteral("TipHistorialNoMas"));
        QVERIFY(avisos.mostrados[0].textoEnlace.isEmpty());
    }

    void noMostrarMasSeRecuerda()
    {
        Banco b;
        auto &avisos = b.avisos;
        avisos.marcarNoMas = true;
        AvisarCambioHistorial(*b.ctx, nullptr, false, true);
        QCOMPARE(avisos.mostrados.size(), 1);
        QCOMPARE(b.ajustes.leer(QStringLiteral("Mensajes"), QStringLiteral("TipHistorialNoMas")),
                 QStringLiteral("True"));
        AvisarCambioHistorial(*b.ctx, nullptr, false, true);
        AvisarCambioHistorial(*b.ctx, nullptr, true, false);
        QCOMPARE(avisos.mostrados.size(), 1);
    }

    // ---- The wait window ----

    void frmEspere()
    {
        ::frmEspere espere;
        QCOMPARE(espere.lblEspere->text(), QStringLiteral("Espere..."));
        QVERIFY(espere.lblCompletado->text().isEmpty());
        QVERIFY(espere.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        espere.Mostrar(QStringLiteral("Espere por favor"), QStringLiteral("Eliminando el mensaje seleccionado..."));
        QVERIFY(espere.isVisible());
        QVERIFY(!espere.isModal());
        QCOMPARE(espere.windowTitle(), QStringLiteral("Espere por favor"));
        QCOMPARE(espere.lblEspere->text(), QStringLiteral("Eliminando el mensaje seleccionado..."));
        espere.lblCompletado->setText(QStringLiteral("Completado  50%"));
        QVERIFY(espere.grab().width() > 0);
        espere.close();
        QVERIFY(!espere.isVisible());
    }
};

QTEST_MAIN(tst_Historial)
#include "tst_historial.moc"

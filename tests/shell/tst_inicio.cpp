// Start-up inside the test process: the order of the checks, the splash, the
// show timer's retries and the receiving of a hand-over.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "agenda/registrocontacto.h"
#include "comun/claves.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/controlesventana.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "dobles/vistawebguion.h"
#include "shell/arranque.h"
#include "shell/frmbrowser.h"
#include "shell/frmsplash.h"
#include "shell/frmwindowmessage.h"
#include "shell/inicio.h"

Q_DECLARE_METATYPE(Arranque::Resultado)

namespace {

struct Aviso
{
    QString texto, enlace, direccion;
};

} // namespace

class TstInicio : public QObject
{
    Q_OBJECT
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisosCtx;
    QTemporaryDir programa;
    QList<Aviso> avisos;
    std::unique_ptr<Contexto> ctx;

    Arranque::Servicios servicios()
    {
        return {ajustes,
                sistema,
                instancia,
                dialogos,
                [this](const QString &t, const QString &e, const QString &d) {
                    avisos.append({t, e, d});
                },
                QStringLiteral("http://sitio.prueba")};
    }

    void instalar(const QStringList &faltan = {})
    {
        QDir().mkpath(programa.filePath(QStringLiteral("logica")));
        for (const QString &f : Arranque::ArchivosRequeridos()) {
            const QString r = programa.filePath(QStringLiteral("logica/") + f);
            if (faltan.contains(f)) {
                QFile::remove(r);
                continue;
            }
            QFile archivo(r);
            QVERIFY(archivo.open(QIODevice::WriteOnly));
        }
    }

private Q_SLOTS:
    void init()
    {
        ajustes = AjustesMemoria();
        dialogos.llamadas.clear();
        dialogos.respuestas.clear();
        sistema = SistemaFalso();
        sistema.carpetaDelPrograma = programa.path();
        instancia.liberarMutex();
        instancia.otroProcesoTieneElMutex = false;
        instancia.fallarReceptora = false;
        instancia.error.clear();
        instancia.entregados.clear();
        avisos.clear();
        ctx = std::make_unique<Contexto>(
            ajustes, dialogos, sistema, instancia, avisosCtx, [](QWidget *p) { return new VistaWebGuion(p); },
            Direcciones::desdeEntorno());
        ctx->direcciones.sitio = QStringLiteral("http://sitio.prueba");
    }

    void errorInternoAlInicializar()
    {
        // The receiver of other starts cannot listen: the load's last step fails.
        instancia.fallarReceptora = true;
        instancia.error = QStringLiteral("La ruta del canal tiene 140 bytes.");
        Inicio inicio(*ctx);
        QVERIFY(!inicio.CargarPrincipal());
        QCOMPARE(dialogos.llamadas.size(), 1);
        QCOMPARE(dialogos.llamadas[0].titulo, QStringLiteral("Error interno al inicializar"));
        QCOMPARE(dialogos.llamadas[0].icono, Dialogos::Icono::Critico);
        // The message names the cause the service gave.
        QCOMPARE(dialogos.llamadas[0].texto,
                 QStringLiteral("NTX Mensajes no pudo iniciarse correctamente. Si el problema persiste, descargue "
                                "nuevamente el programa desde el sitio web de ntxVarel! (http://sitio.prueba) y "
                                "reinstale el programa.\r\n\r\nError: No se pudo crear la ventana que recibe los "
                                "pedidos de otras ejecuciones del programa. La ruta del canal tiene 140 bytes."));
        QCOMPARE(sistema.terminaciones, QList<int>{0});
    }

    void reglas()
    {
        QCOMPARE(::ClavePrimeraVez(), QStringLiteral("PrimeraVez2_5"));
        QCOMPARE(::ClavePrimeraVez(3, 10), QStringLiteral("PrimeraVez3_10"));
        QCOMPARE(Arranque::TextoVersion(), QStringLiteral("Versión 2.5 - Tavrin"));
        QCOMPARE(Arranque::TextoEntrega(QString()), QStringLiteral("ejecucion"));
        QCOMPARE(Arranque::TextoEntrega(QStringLiteral("/c:\"a,b\"")), QStringLiteral("ejecucion,/c:\"a,b\""));
        QString linea;
        QVERIFY(!Arranque::LineaEntregada(QStringLiteral("ejecucion"), &linea));
        QVERIFY(Arranque::LineaEntregada(QStringLiteral("ejecucion,/c:\"a,b\",c"), &linea));
        QCOMPARE(linea, QStringLiteral("/c:\"a,b\",c"));
        QVERIFY(Arranque::LineaEntregada(QStringLiteral("ejecucion,"), &linea));
        QCOMPARE(linea, QString());
    }

    void segundoInicioEntrega_data()
    {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<bool>("hayReceptora");
        QTest::addColumn<QStringList>("entregados");
        QTest::newRow("sin argumentos") << "" << true << QStringList{QStringLiteral("ejecucion")};
        QTest::newRow("con argumentos") << "/c:\"Juan\"" << true
                                        << QStringList{QStringLiteral("ejecucion,/c:\"Juan\"")};
        QTest::newRow("solo el asistente") << "/c:\"Juan\"" << false << QStringList{};
    }
    void segundoInicioEntrega()
    {
        QFETCH(QString, linea);
        QFETCH(bool, hayReceptora);
        QFETCH(QStringList, entregados);
        instancia.otroProcesoTieneElMutex = true;
        instancia.hayReceptora = hayReceptora;
        sistema.linea = linea;
        instalar();
        auto s = servicios();
        QCOMPARE(Arranque::Verificar(s), Arranque::Resultado::Entregado);
        QCOMPARE(instancia.entregados, entregados);
        QCOMPARE(sistema.terminaciones.size(), 1);
        QVERIFY(dialogos.llamadas.isEmpty());
        QVERIFY(sistema.programasIniciados.isEmpty());
        QCOMPARE(ajustes.escrituras, 0);
    }

    void primeraVez_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<Arranque::Resultado>("resultado");
        QTest::addColumn<bool>("claveBorrada");
        QTest::newRow("ausente") << ""
                                 << "" << Arranque::Resultado::Asistente << false;
        QTest::newRow("verdadera") << "PrimeraVez2_5"
                                   << "True" << Arranque::Resultado::Asistente << false;
        QTest::newRow("no booleana") << "PrimeraVez2_5"
                                     << "quizas" << Arranque::Resultado::Asistente << true;
        QTest::newRow("version anterior") << "PrimeraVez2_4"
                                          << "False" << Arranque::Resultado::Asistente << false;
        QTest::newRow("falsa") << "PrimeraVez2_5"
                               << "False" << Arranque::Resultado::Continuar << false;
    }
    void primeraVez()
    {
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        QFETCH(Arranque::Resultado, resultado);
        QFETCH(bool, claveBorrada);
        if (!clave.isEmpty())
            ajustes.escribir(QStringLiteral("Mensajes"), clave, valor);
        instalar();
        auto s = servicios();
        QCOMPARE(Arranque::Verificar(s), resultado);
        QVERIFY(instancia.mutexTomado());
        const bool asistente = resultado == Arranque::Resultado::Asistente;
        QCOMPARE(sistema.programasIniciados, asistente ? QStringList{QStringLiteral("ntxasistente")} : QStringList{});
        QCOMPARE(sistema.terminaciones.size(), asistente ? 1 : 0);
        if (claveBorrada)
            QCOMPARE(ajustes.leer(QStringLiteral("Mensajes"), clave, QStringLiteral("no")), QStringLiteral("no"));
    }

    void asistenteQueNoArranca()
    {
        sistema.fallarInicioDeProgramas = true;
        instalar();
        auto s = servicios();
        QCOMPARE(Arranque::Verificar(s), Arranque::Resultado::SinAsistente);
        QCOMPARE(dialogos.llamadas.size(), 1);
        QVERIFY(dialogos.llamadas.at(0).texto.startsWith(
            QStringLiteral("No se pudo iniciar el Asistente para la configuración, debe reinstalar NTX "
                           "Mensajes.\r\n\r\nError: ")));
        QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Critico);
        QCOMPARE(dialogos.llamadas.at(0).titulo, QStringLiteral("NTX Mensajes"));
        QCOMPARE(sistema.terminaciones.size(), 1);
    }

    void motorAntiguo()
    {
        ajustes.escribir(QStringLiteral("Mensajes"), QStringLiteral("PrimeraVez2_5"), QStringLiteral("False"));
        sistema.motorWeb = 5;
        instalar();
        auto s = servicios();
        QCOMPARE(Arranque::Verificar(s), Arranque::Resultado::MotorAntiguo);
        QCOMPARE(avisos.size(), 1);
        QVERIFY(avisos.at(0).texto.startsWith(
            QStringLiteral("Se detectó una versión de Internet Explorer anterior a la 6.0.\rNecesitará")));
        QCOMPARE(avisos.at(0).enlace, QStringLiteral("Haga clic aquí para visitar el sitio web de Internet Explorer"));
        QCOMPARE(avisos.at(0).direccion, QStringLiteral("http://sitio.prueba/ir/?id=13"));
        QCOMPARE(sistema.terminaciones.size(), 1);
    }

    void instalacionIncompleta_data()
    {
        QTest::addColumn<QStringList>("faltan");
        QTest::newRow("enviando.gif") << QStringList{QStringLiteral("enviando.gif")};
        QTest::newRow("index.htm") << QStringList{QStringLiteral("index.htm")};
        QTest::newRow("pub.htm") << QStringList{QStringLiteral("pub.htm")};
        QTest::newRow("todos") << Arranque::ArchivosRequeridos();
    }
    void instalacionIncompleta()
    {
        QFETCH(QStringList, faltan);
        ajustes.escribir(QStringLiteral("Mensajes"), QStringLiteral("PrimeraVez2_5"), QStringLiteral("False"));
        instalar(faltan);
        auto s = servicios();
        QCOMPARE(Arranque::Verificar(s), Arranque::Resultado::NoInstalado);
        QCOMPARE(dialogos.llamadas.size(), 1);
        QCOMPARE(dialogos.llamadas.at(0).texto, QStringLiteral("NTX Mensajes no está correctamente instalado, y no "
                                                               "puede iniciarse. Reinstale la aplicación."));
        QCOMPARE(dialogos.llamadas.at(0).titulo, QStringLiteral("Error crítico"));
        QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Critico);
        QCOMPARE(sistema.terminaciones.size(), 1);
    }

    void presentacionMuestraLaVersion()
    {
        QWidget principal;
        frmSplash splash(*ctx, {}, [&]() -> QWidget * { return &principal; });
        QVERIFY(splash.Form_Load());
        QCOMPARE(splash.lblVersion->text(), QStringLiteral("Versión 2.5 - Tavrin"));
        QCOMPARE(splash.lblCompanyProduct->text(), QStringLiteral("ntx"));
        QCOMPARE(splash.lblProductName->text(), QStringLiteral("Mensajes"));
        QVERIFY(splash.isVisible());
        QVERIFY(!splash.mask().isEmpty());
        QVERIFY(!splash.mask().contains(QPoint(0, 0))); // rounded corner
        QVERIFY(splash.mask().contains(QPoint(splash.width() / 2, splash.height() / 2)));
        QVERIFY(splash.timPrecarga.isActive());
        QVERIFY(splash.Timer1.isActive());
        QCOMPARE(splash.timPrecarga.interval(), 10);
        QCOMPARE(splash.Timer1.interval(), 3000);
        splash.grab().save(QDir::temp().filePath(QStringLiteral("ntx_presentacion.png")));

        QVERIFY(!splash.esquinasTransparentes);

        splash.timPrecarga_Timer();
        QCOMPARE(splash.principal, &principal);
        QVERIFY(!principal.isVisible());
        splash.Timer1_Timer();
        QVERIFY(principal.isVisible());
        QVERIFY(!splash.isVisible());
        QCOMPARE(sistema.terminaciones.size(), 0);
    }

    void formaDeLaPresentacion_data()
    {
        QTest::addColumn<QString>("plataforma");
        QTest::addColumn<bool>("porRegion");
        QTest::newRow("X11") << "xcb" << true;
        QTest::newRow("Wayland") << "wayland" << false;
        QTest::newRow("Wayland con EGL") << "wayland-egl" << false;
        QTest::newRow("sin pantalla") << "offscreen" << true;
    }
    // Rounded corners on every desktop: where the region does not clip the drawing
    // (Wayland), the corners are transparent and the inside keeps its white.
    void formaDeLaPresentacion()
    {
        QFETCH(QString, plataforma);
        QFETCH(bool, porRegion);
        QCOMPARE(frmSplash::RecortaConRegion(plataforma), porRegion);
        frmSplash splash(*ctx, {}, {});
        splash.darForma(porRegion);
        QVERIFY(!splash.mask().contains(QPoint(0, 0)));
        QCOMPARE(splash.esquinasTransparentes, !porRegion);
        if (!porRegion) {
            const QImage imagen = splash.grab().toImage();
            QCOMPARE(qAlpha(imagen.pixel(1, 1)), 0);
            QCOMPARE(imagen.pixelColor(imagen.width() / 2, imagen.height() - 10), QColor(Qt::white));
        }
    }

    void sinConexionMuestraElAviso()
    {
        sistema.sinConexion = true;
        QList<Aviso> vistos;
        bool cargada = false;
        frmSplash splash(
            *ctx,
            [&](const QString &t, const QString &e, const QString &d) {
                vistos.append({t, e, d});
            },
            [&]() -> QWidget * {
                cargada = true;
                return nullptr;
            });
        QVERIFY(!splash.Form_Load());
        QCOMPARE(vistos.size(), 1);
        QCOMPARE(vistos.at(0).texto,
                 QStringLiteral("NTX Mensajes no se puede iniciar porque el equipo está configurado para trabajar "
                                "sin conexión a Internet.\r\nActive la conexión de red desde la configuración del "
                                "sistema o desde el ícono de red del panel."));
        QVERIFY(vistos.at(0).enlace.isEmpty());
        QVERIFY(vistos.at(0).direccion.isEmpty());
        QCOMPARE(sistema.terminaciones.size(), 1);
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.Timer1.isActive());
        QVERIFY(!cargada);
    }

    void reintentosDelTemporizador()
    {
        frmSplash splash(*ctx, {}, []() -> QWidget * { return nullptr; });
        QVERIFY(splash.Form_Load());
        splash.timPrecarga_Timer();
        for (int i = 1; i <= 10; ++i) {
            splash.Timer1_Timer();
            QCOMPARE(splash.Reintentos, i);
            QVERIFY(splash.Timer1.isActive());
            QVERIFY(dialogos.llamadas.isEmpty());
        }
        splash.Timer1_Timer();
        QCOMPARE(splash.Reintentos, 11);
        QVERIFY(!splash.Timer1.isActive());
        QCOMPARE(dialogos.llamadas.size(), 1);
        QCOMPARE(dialogos.llamadas.at(0).texto,
                 QStringLiteral("Parece que NTX Mensajes no puede iniciarse correctamente. Por favor reinstale la "
                                "aplicación o busque una nueva versión en el sitio web de ntxVarel! "
                                "(http://sitio.prueba)"));
        QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Critico);
        QCOMPARE(sistema.terminaciones.size(), 1);
    }

    void ventanaModalHaceEsperarSinContar()
    {
        QWidget principal;
        frmSplash splash(*ctx, {}, [&]() -> QWidget * { return &principal; });
        QVERIFY(splash.Form_Load());
        splash.timPrecarga_Timer();
        QDialog modal;
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        QTRY_VERIFY(QApplication::activeModalWidget() == &modal);
        for (int i = 0; i < 15; ++i) {
            splash.Timer1_Timer();
            QVERIFY(splash.Timer1.isActive());
        }
        QCOMPARE(splash.Reintentos, 0);
        QVERIFY(!principal.isVisible());
        modal.close();
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        splash.Timer1_Timer();
        QVERIFY(principal.isVisible());
        QVERIFY(dialogos.llamadas.isEmpty());
    }

    void siempreVisible()
    {
        QWidget w;
        w.setGeometry(100, 120, 200, 80);
        w.show();
        VentanaSiempreVisible(&w);
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
        QCOMPARE(w.geometry().size(), QSize(200, 80));
    }

    void recepcion_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("estado"); // 0 normal, 1 minimised, 2 in the tray, 3 a modal window open, 4 a queue runs
        QTest::addColumn<QString>("numero"); // empty: the composer is left as it was
        QTest::addColumn<int>("mensajes");
        QTest::newRow("sin argumentos") << "ejecucion" << 0 << "" << 0;
        QTest::newRow("contacto") << "ejecucion,/c:\"Juan\"" << 0 << "5551234" << 0;
        QTest::newRow("contacto, minimizada") << "ejecucion,/c:\"Juan\"" << 1 << "5551234" << 0;
        QTest::newRow("en la bandeja") << "ejecucion" << 2 << "" << 0;
        QTest::newRow("contacto, con una ventana modal") << "ejecucion,/c:\"Juan\"" << 3 << "5551234" << 0;
        QTest::newRow("contacto, con una cola en curso") << "ejecucion,/c:\"Juan\"" << 4 << "5551234" << 1;
        QTest::newRow("comas") << "ejecucion,x, /c:\"Pérez, José\"" << 0 << "4" << 0;
        QTest::newRow("sintaxis") << "ejecucion,/c:Juan" << 0 << "" << 1;
        QTest::newRow("un mega") << QStringLiteral("ejecucion,") + QString(1 << 20, QLatin1Char('x')) +
                                        QStringLiteral(" /c:\"Juan\"")
                                 << 0 << "5551234" << 0;
    }
    void recepcion()
    {
        QFETCH(QString, texto);
        QFETCH(int, estado);
        QFETCH(QString, numero);
        QFETCH(int, mensajes);
        auto registro = [](const QString &n, const QString &ca, const QString &nu) {
            QString r;
            Agenda::EscribirRegistro({n, QStringLiteral("Argentina - Personal"), ca, nu}, &r, nullptr);
            return r;
        };
        ajustes.escribir(SeccionAgenda, QStringLiteral("Juan"), registro("Juan", "351", "5551234"));
        ajustes.escribir(SeccionAgenda, QStringLiteral("Pérez, José"), registro("Pérez, José", "11", "4"));
        frmBrowser principal(*ctx);
        principal.contactos().ActualizarAgenda();
        principal.show();
        if (estado == 1)
            principal.showMinimized();
        if (estado == 2) {
            principal.hide();
            principal.enBandeja = true;
        }
        frmWindowMessage receptora(*ctx, principal);
        QVERIFY(receptora.escuchando);
        QCOMPARE(receptora.windowTitle(), QStringLiteral("NTXMensajes_RecepcionDeMensajes_v1"));
        QVERIFY(!receptora.isVisible());
        const QString numeroAntes = controlesDe(principal).txtNumero->text();
        QDialog modal(&principal);
        if (estado == 3) {
            modal.setModal(true);
            modal.show();
            QTRY_VERIFY(QApplication::activeModalWidget());
        }
        if (estado == 4) {
            // Two recipients waiting for the send-rate window (the question is answered "Sí").
            principal.envio().ContadorCorto = 8;
            QList<DestinatarioCola> dos(2);
            for (int i = 0; i < 2; ++i) {
                dos[i].nombre = QStringLiteral("Juan");
                dos[i].proveedor = QStringLiteral("Argentina - Personal");
                dos[i].destino.codArea = QStringLiteral("351");
                dos[i].destino.numero = QStringLiteral("555123") + QString::number(i);
            }
            MensajeSaliente m;
            m.remitente = QStringLiteral("Yo");
            m.texto = QStringLiteral("Hola");
            QVERIFY(principal.cola().Iniciar(m, dos));
        }
        Q_EMIT instancia.textoRecibido(texto);
        if (estado == 3 || estado == 4) {
            // Nothing reaches the composer under the open window; all of it once it closes.
            QTest::qWait(400);
            QCOMPARE(controlesDe(principal).txtNumero->text(), numeroAntes);
            if (estado == 3)
                modal.close();
            else
                principal.cola().Detener();
            QTRY_VERIFY(receptora.txtRecibidos->text().isEmpty());
        }
        QVERIFY(receptora.txtRecibidos->text().isEmpty());
        QCOMPARE(controlesDe(principal).txtNumero->text(), numero.isEmpty() ? numeroAntes : numero);
        QCOMPARE(dialogos.llamadas.size(), mensajes);
        QVERIFY(!principal.isMinimized());
        QVERIFY(!principal.enBandeja);
        QVERIFY(principal.isVisible());
    }

    void recepcionSinTraerAlFrente_data()
    {
        QTest::addColumn<bool>("alFrente");          // whether the desktop let the window take the focus
        QTest::addColumn<bool>("hayNotificaciones"); // whether a notification server runs
        QTest::addColumn<int>("notificaciones");
        QTest::newRow("traída al frente") << true << true << 0;
        QTest::newRow("el escritorio no la trae") << false << true << 1;
        QTest::newRow("ni la trae ni hay notificaciones") << false << false << 1;
    }
    // A compositor that forbids taking the focus (Wayland): the hand-over still reaches
    // the composer, and the user hears of it through a desktop notification.
    void recepcionSinTraerAlFrente()
    {
        QFETCH(bool, alFrente);
        QFETCH(bool, hayNotificaciones);
        QFETCH(int, notificaciones);
        sistema.hayNotificaciones = hayNotificaciones;
        frmBrowser principal(*ctx);
        principal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&principal));
        frmWindowMessage receptora(*ctx, principal);
        Q_EMIT instancia.textoRecibido(QStringLiteral("ejecucion"));
        QVERIFY(receptora.txtRecibidos->text().isEmpty());
        QTRY_COMPARE(QApplication::activeWindow(), &principal);
        if (!alFrente)
            QApplication::setActiveWindow(nullptr);
        receptora.timAlFrente_Timer();
        QCOMPARE(sistema.notificaciones.size(), notificaciones);
        if (notificaciones > 0) {
            QCOMPARE(sistema.notificaciones[0].titulo, QStringLiteral("NTX Mensajes ya está abierto"));
            QCOMPARE(sistema.notificaciones[0].texto,
                     QStringLiteral("El escritorio no permitió traer su ventana al frente. Vuelva a ella desde la "
                                    "barra de tareas o con Alt+Tab."));
        }
        QVERIFY(principal.isVisible());
        QVERIFY(dialogos.llamadas.isEmpty());
    }
};

QTEST_MAIN(TstInicio)
#include "tst_inicio.moc"

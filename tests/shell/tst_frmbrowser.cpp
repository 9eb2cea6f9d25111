// The main window offscreen with scripted services and views: places of the
// controls, load and close, provider choice, menus, tray events, the side-panel
// slide, the anti-flood ticks and the web panels' navigation rules.
#include "comando/frmactualizar.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/controlesventana.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "dobles/vistawebguion.h"
#include "shell/frmbrowser.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <memory>

namespace {

const QString Sitio = QStringLiteral("http://127.0.0.1:47001");
const QString Carpeta = QStringLiteral("/opt/prueba");
const QString Inicio = Sitio + QStringLiteral("/ntxbin/princ/princ2_5");
const QString Publicidad = Sitio + QStringLiteral("/ntxbin/pub/pub2_5");
const QString Configuracion = Sitio + QStringLiteral("/ntxbin/conf/2_5");
const QString InicioLocal = QStringLiteral("file:///opt/prueba/logica/index.htm");
const QString PublicidadLocal = QStringLiteral("file:///opt/prueba/logica/pub.htm");
const QString EnviarLocal = QStringLiteral("file:///opt/prueba/logica/enviar.htm");

// Everything a main window needs, with doubles.
struct Banco
{
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos;
    QList<VistaWebGuion *> vistas;
    std::unique_ptr<Contexto> ctx;
    std::unique_ptr<frmBrowser> ventana;

    Banco()
    {
        sistema.carpetaDelPrograma = Carpeta;
        ctx.reset(new Contexto{ajustes, dialogos, sistema, instancia, avisos,
                               [this](QWidget *padre) {
                                   auto *v = new VistaWebGuion(padre);
                                   vistas.append(v);
                                   return static_cast<VistaWeb *>(v);
                               },
                               Direcciones::desdeEntorno()});
        ctx->direcciones.sitio = Sitio;
        ventana.reset(new frmBrowser(*ctx));
    }
    VistaWebGuion &web() { return *static_cast<VistaWebGuion *>(controlesDe(*ventana).brwWebBrowser); }
    VistaWebGuion &publicidad() { return *static_cast<VistaWebGuion *>(controlesDe(*ventana).brwPublicidad); }
    VistaWebGuion &conf() { return *static_cast<VistaWebGuion *>(controlesDe(*ventana).brwConfWeb); }
    static QString ultima(const VistaWebGuion &v)
    {
        return v.navegaciones.isEmpty() ? QString() : v.navegaciones.last().direccion;
    }
};

QRect enPixeles(int x, int y, int ancho, int alto)
{
    return QRect(qRound(x / 15.0), qRound(y / 15.0), qRound(ancho / 15.0), qRound(alto / 15.0));
}

} // namespace

class tst_frmBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlesEnSuLugar_data();
    void controlesEnSuLugar();
    void tresVistasCreadas();
    void filaDestinatarioAlineada();
    void ventanaDeTamanoFijo();
    void vuelveDondeEstaba_data();
    void vuelveDondeEstaba();
    void menus_data();
    void menus();
    void barraDeHerramientas();
    void tabRecorreLaVentana_data();
    void tabRecorreLaVentana();
    void agendaAbreLaRapidaConElTeclado_data();
    void agendaAbreLaRapidaConElTeclado();

    void cargaLeeAjustes_data();
    void cargaLeeAjustes();
    void cargaConAjusteIlegible_data();
    void cargaConAjusteIlegible();

    void proveedor_data();
    void proveedor();
    void proveedorCambiaSinBorrarDatos();
    void proveedorDesconocido();
    void proveedorTomaRemitenteGuardado();
    void inicioVuelvePresentacion();

    void menuMejorasSigueCasillas_data();
    void menuMejorasSigueCasillas();
    void menuMejorasSegunProveedor_data();
    void menuMejorasSegunProveedor();
    void botonesDeMejorasAbrenSusMenus_data();
    void botonesDeMejorasAbrenSusMenus();
    void menuAlternaCasilla_data();
    void menuAlternaCasilla();
    void menuHerramientasVersion();

    void cierreGuarda_data();
    void cierreGuarda();
    void salirNoGuarda();

    void bandejaCodigos_data();
    void bandejaCodigos();
    void bandejaOcupadaDescartaEvento();
    void menuBandejaMarcaOcupado();
    void menuBandejaAbrirDesdeElIcono();
    void bandejaDejaLaVentanaSinMapear();
    void minimizarSinBandeja_data();
    void minimizarSinBandeja();

    void deslizamiento_data();
    void deslizamiento();
    void deslizamientoAMitadGuardaContactos();

    void teclasPasanPorSusManejadores_data();
    void teclasPasanPorSusManejadores();

    void indicadorDeCarga();
    void actualizacionObligatoriaEnLaBarra();
    void ventanasAntiAbuso_data();
    void ventanasAntiAbuso();

    void filtroAreaPrincipal_data();
    void filtroAreaPrincipal();
    void errorAreaPrincipal_data();
    void errorAreaPrincipal();
    void errorEnInicioLocalNoRepite();
    void sinConexionAreaPrincipal();
    void navegacionCompletaDejaListo();
    void filtroPublicidad_data();
    void filtroPublicidad();
    void nuevaVentanaVaAlNavegador_data();
    void nuevaVentanaVaAlNavegador();
    void publicidadRespaldoYReintento();
    void publicidadSinConexion();
    void lecturaConfiguracion_data();
    void lecturaConfiguracion();
};

// ---- Controls, menus, timers ----

// Each control at its place, each timer with its interval and its state after the load.
void tst_frmBrowser::controlesEnSuLugar_data()
{
    QTest::addColumn<QRect>("lugar");   // null for a timer
    QTest::addColumn<int>("intervalo"); // -1 for a control
    QTest::addColumn<bool>("alCargar"); // a timer runs once the load is done
    const struct
    {
        const char *nombre;
        QRect lugar;
        int intervalo;
        bool alCargar;
    } filas[] = {
        {"fraBarra", enPixeles(0, 15, 3375, 795), -1, false},
        {"tbToolBar", enPixeles(120, 0, 2970, 690), -1, false},
        {"brwPublicidad", enPixeles(0, 720, 11020, 1455), -1, false},
        {"brwWebBrowser", enPixeles(0, 2280, 11020, 4635), -1, false},
        {"picEscritura", enPixeles(0, 2280, 11020, 4635), -1, false},
        {"brwConfWeb", enPixeles(6600, 480, 30, 30), -1, false},
        {"fraDatos", enPixeles(360, 0, 5415, 4455), -1, false},
        {"fraDestinatario", enPixeles(6840, 0, 3735, 735), -1, false},
        {"picContactos", enPixeles(6840, 840, 3735, 3615), -1, false},
        {"picMejoras", enPixeles(6840, 840, 3735, 3615), -1, false},
        {"StatusBar1", enPixeles(0, 6945, 11010, 300), -1, false},
        // The panels' own controls, in their panel.
        {"txtmsj", QRect(10, 80, 344, 150), -1, false},
        {"cmdEnviar", QRect(244, 264, 110, 26), -1, false},
        {"fraContactos", QRect(0, 0, 249, 208), -1, false},
        {"tvwContactos", QRect(6, 18, 237, 184), -1, false},
        {"cmdAlternarContactos", QRect(0, 212, 81, 28), -1, false},
        {"cmdEscribirA", QRect(84, 212, 80, 28), -1, false},
        {"cmdAbrirAgenda", QRect(168, 212, 81, 28), -1, false},
        // Timers.
        {"timToolTips", QRect(), 10000, true},
        {"timDestroyToolTips", QRect(), 14000, false},
        {"timPublicidad", QRect(), 64000, false},
        // The home page starts loading during the load, which switches the indicator on.
        {"timTimer", QRect(), 15, true},
        {"timAnti", QRect(), 60000, true},
        {"timAlternarContactos", QRect(), 6, false},
        {"timAlternarMejoras", QRect(), 6, false},
    };
    for (const auto &f : filas)
        QTest::newRow(f.nombre) << f.lugar << f.intervalo << f.alCargar;
}

void tst_frmBrowser::controlesEnSuLugar()
{
    QFETCH(QRect, lugar);
    QFETCH(int, intervalo);
    QFETCH(bool, alCargar);
    const QString nombre = QString::fromLatin1(QTest::currentDataTag());
    Banco b;
    frmBrowser &v = *b.ventana;
    if (intervalo >= 0) {
        const QTimer *t = v.findChild<QTimer *>(nombre);
        QVERIFY(t);
        QCOMPARE(t->interval(), intervalo);
        QVERIFY(!t->isActive());
        QVERIFY(v.Form_Load());
        QCOMPARE(t->isActive(), alCargar);
        return;
    }
    const QWidget *encontrado = v.findChild<QWidget *>(nombre);
    QVERIFY(encontrado);
    const QRect real = encontrado->geometry();
    if (nombre == QLatin1String("tbToolBar")) {
        // The bar may grow to its buttons' size with the desktop's fonts, never over the
        // provider list nor out of its frame, so no caption is cut at the bottom.
        const auto *bar = static_cast<const QToolBar *>(encontrado);
        QCOMPARE(real.topLeft(), lugar.topLeft());
        QVERIFY(real.width() >= lugar.width() && real.height() >= lugar.height());
        QVERIFY(real.right() < controlesDe(v).lblAddress->x());
        QVERIFY(real.bottom() < controlesDe(v).fraBarra->height());
        QCOMPARE(real.height(),
                 std::max(lugar.height(), std::min(bar->sizeHint().height(), controlesDe(v).fraBarra->height())));
    } else {
        QCOMPARE(real, lugar);
    }
    QCOMPARE(v.centralWidget()->size(), enPixeles(0, 0, 11010, 7245).size());
    QCOMPARE(v.windowTitle(), QStringLiteral("NTX Mensajes"));
}

void tst_frmBrowser::tresVistasCreadas()
{
    Banco b;
    QCOMPARE(b.vistas.size(), 3);
    QVERIFY(b.vistas.contains(&b.web()));
    QVERIFY(b.vistas.contains(&b.publicidad()));
    QVERIFY(b.vistas.contains(&b.conf()));
    // The home view shows at start, the composer does not.
    b.ventana->show();
    QVERIFY(controlesDe(*b.ventana).brwWebBrowser->isVisible());
    QVERIFY(!controlesDe(*b.ventana).picEscritura->isVisible());
}

void tst_frmBrowser::filaDestinatarioAlineada()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    const QGroupBox *marco = controlesDe(v).fraDestinatario;
    const QLabel *nombre = controlesDe(v).lblNombreDestinatario;
    const QPushButton *agendar = controlesDe(v).cmdAgendar;
    const QPushButton *alEscritorio = controlesDe(v).cmdAlEscritorio;
    // One of the two shows at a time, at the same place by the right edge.
    QCOMPARE(agendar->geometry(), alEscritorio->geometry());
    const int margenDerecho = marco->width() - 1 - agendar->geometry().right();
    QVERIFY2(margenDerecho >= 4 && margenDerecho <= 10, qPrintable(QString::number(margenDerecho)));
    QVERIFY(nombre->geometry().right() < agendar->x());
    QCOMPARE(nombre->x(), margenDerecho);
    for (const QPushButton *boton : {agendar, alEscritorio}) {
        // The caption keeps the style's margins on both sides.
        QVERIFY2(boton->width() >= boton->sizeHint().width(), qPrintable(boton->text()));
        // The mnemonic's "&" is not drawn.
        const QString mostrado = QString(boton->text()).remove(QLatin1Char('&'));
        QVERIFY2(boton->width() >= boton->fontMetrics().horizontalAdvance(mostrado) + 12, qPrintable(mostrado));
        QVERIFY(boton->geometry().bottom() < marco->height());
    }
}

void tst_frmBrowser::ventanaDeTamanoFijo()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    const QSize normal = v.size();
    // No empty strip below the status bar: the window ends with the client area.
    QCOMPARE(v.centralWidget()->geometry().bottom(), v.height() - 1);
    QCOMPARE(v.centralWidget()->width(), v.width());
    QCOMPARE(controlesDe(v).StatusBar1->geometry().bottom(), v.centralWidget()->height() - 1);
    // Nothing to maximise: the controls stand at fixed places.
    QCOMPARE(v.minimumSize(), normal);
    QCOMPARE(v.maximumSize(), normal);
    QVERIFY(!(v.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(v.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(v.windowFlags() & Qt::WindowCloseButtonHint);
    // A real window manager then offers no maximise (the tray script checks it with openbox).
}

void tst_frmBrowser::vuelveDondeEstaba_data()
{
    QTest::addColumn<QString>("ruta");
    QTest::newRow("actualización cancelada") << "actualizacion";
    QTest::newRow("bandeja, clic") << "clic";
    QTest::newRow("bandeja, Abrir NTX Mensajes") << "menu";
}

void tst_frmBrowser::vuelveDondeEstaba()
{
    QFETCH(QString, ruta);
    Banco b;
    frmBrowser &v = *b.ventana;
    QTemporaryDir datos;
    b.sistema.datosLocales = datos.path() + QStringLiteral("/");
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    const QRect lugar = v.geometry();
    if (ruta == QLatin1String("actualizacion")) {
        b.web().navegar(Sitio + QStringLiteral("/ntxbin/act_ver_2_5_0.htm"));
        b.web().completarCarga();
        b.dialogos.respuestas = {Dialogos::Respuesta::Si};
        QVERIFY(b.web().dispararAntesDeNavegar(QStringLiteral("ntx://actdw/1127.0.0.1:9/ntxmensajes.exe/241123/F")));
        QPointer<frmActualizar> actualizacion = v.panelesWeb().comandos().ventanaActualizacion();
        QVERIFY(actualizacion);
        QVERIFY(!v.isVisible());
        actualizacion->close();
        delete actualizacion;
    } else {
        v.ponerEnBandeja();
        QVERIFY(!v.isVisible());
        if (ruta == QLatin1String("clic"))
            v.frmBrowserMinimizado(514.0 * 15);
        else
            controlesDe(v).mnuNotifAbrir->trigger();
    }
    QVERIFY(v.isVisible());
    QCOMPARE(v.geometry(), lugar);
    // Shown again, the window asks the window manager for that place instead of being placed anew.
    QVERIFY(v.testAttribute(Qt::WA_Moved));
}

void tst_frmBrowser::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QKeySequence>("atajo");
    QTest::addColumn<bool>("habilitado");
    QTest::newRow("mnuAbrirAgenda") << "Archivo"
                                    << "Abrir Agenda" << QKeySequence("Ctrl+G") << true;
    QTest::newRow("mnuPreferencias") << "Archivo"
                                     << "Preferencias..." << QKeySequence("Ctrl+P") << true;
    QTest::newRow("mnuArchivoSalir") << "Archivo"
                                     << "Salir" << QKeySequence() << true;
    QTest::newRow("mnuMejorasLenguajeMate") << "Mejoras"
                                            << "Activar LenguajeMate" << QKeySequence("Ctrl+L") << true;
    QTest::newRow("mnuMejorasAbreviaturas") << "Mejoras"
                                            << "Activar Abreviaturas" << QKeySequence("Ctrl+A") << true;
    QTest::newRow("mnuHistorial") << "Mejoras"
                                  << "Guardar copia de mensaje" << QKeySequence("Ctrl+H") << true;
    QTest::newRow("mnuAbreviaturas") << "Herramientas"
                                     << "Configurar Abreviaturas..." << QKeySequence("Ctrl+R") << true;
    QTest::newRow("mnuBuscarActualizacion") << "Herramientas"
                                            << "Buscar una nueva versión" << QKeySequence("Ctrl+B") << true;
    QTest::newRow("mnuEstadoServicios") << "Ayuda"
                                        << "Estado de los servicios" << QKeySequence("Ctrl+E") << true;
    QTest::newRow("mnuAcercade") << "Ayuda"
                                 << "Acerca de NTX Mensajes..." << QKeySequence() << true;
}

void tst_frmBrowser::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, texto);
    QFETCH(QKeySequence, atajo);
    QFETCH(bool, habilitado);
    Banco b;
    QStringList barra;
    QMenu *elegido = nullptr;
    for (QAction *a : b.ventana->menuBar()->actions()) {
        // The titles carry their mnemonics: Alt and a letter opens each.
        barra << a->text();
        if (QString(a->text()).remove(QLatin1Char('&')) == menu)
            elegido = a->menu();
    }
    QCOMPARE(barra, QStringList({"&Archivo", "&Mejoras", "&Herramientas", "A&yuda"}));
    QVERIFY(elegido);
    QAction *encontrada = nullptr;
    for (QAction *a : elegido->actions()) {
        if (a->text() == texto)
            encontrada = a;
    }
    QVERIFY2(encontrada, qPrintable(texto));
    QCOMPARE(encontrada->shortcut(), atajo);
    QCOMPARE(encontrada->isEnabled(), habilitado);
}

void tst_frmBrowser::barraDeHerramientas()
{
    Banco b;
    QStringList claves, textos;
    for (QAction *a : controlesDe(*b.ventana).tbToolBar->actions()) {
        claves << a->data().toString();
        textos << a->text();
    }
    QCOMPARE(claves.mid(0, 4), QStringList({"Home", "sep1", "historial", "sep2"}));
    QCOMPARE(textos.at(0), QStringLiteral("Inicio"));
    QCOMPARE(textos.at(2), QStringLiteral("Enviados"));
    QCOMPARE(controlesDe(*b.ventana).botonAgenda->text(), QStringLiteral("Agenda"));
    const QList<QAction *> rapidas = controlesDe(*b.ventana).menuAgendaRapida->actions();
    QCOMPARE(rapidas.size(), 14);
    QCOMPARE(rapidas.first()->text(), QStringLiteral("Agenda Rápida"));
    QVERIFY(rapidas.at(1)->isSeparator());
    for (int i = 0; i < 10; ++i)
        QCOMPARE(rapidas.at(2 + i)->data().toString(), QStringLiteral("rap%1").arg(i + 1));
    QVERIFY(rapidas.at(12)->isSeparator());
    QCOMPARE(rapidas.at(13)->data().toString(), QStringLiteral("personalizar"));
    QCOMPARE(rapidas.at(13)->text(), QStringLiteral("Personalizar..."));
}

// ---- Load ----

void tst_frmBrowser::cargaLeeAjustes_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<bool>("contactos");
    QTest::newRow("sin valor") << QString() << true;
    QTest::newRow("Contactos") << "Contactos" << true;
    QTest::newRow("CONTACTOS") << "CONTACTOS" << true;
    QTest::newRow("mejoras") << "mejoras" << false;
    QTest::newRow("otro valor") << "Laterales" << false;
}

void tst_frmBrowser::cargaLeeAjustes()
{
    QFETCH(QString, panel);
    QFETCH(bool, contactos);
    Banco b;
    if (!panel.isNull())
        b.ajustes.escribir("Mensajes", "PanelVisible", panel);
    frmBrowser &v = *b.ventana;
    QVERIFY(v.Form_Load());
    QCOMPARE(controlesDe(v).picContactos->isVisibleTo(controlesDe(v).picEscritura), contactos);
    QCOMPARE(controlesDe(v).picMejoras->isVisibleTo(controlesDe(v).picEscritura), !contactos);
    QCOMPARE(b.web().silencios, QList<bool>{true});
    QCOMPARE(b.publicidad().silencios, QList<bool>{true});
    QCOMPARE(b.conf().silencios, QList<bool>{true});
    QCOMPARE(Banco::ultima(b.web()), Inicio);
    QCOMPARE(Banco::ultima(b.publicidad()), Publicidad);
    QCOMPARE(Banco::ultima(b.conf()), Configuracion);
    QCOMPARE(controlesDe(v).StatusBar1->imagenPanel1(), 5);
    QCOMPARE(controlesDe(v).StatusBar1->textoPanel1(),
             QStringLiteral("Listo. Para empezar, elija un proveedor de la lista."));
    // Panel 2 tells what it shows when the pointer rests on it.
    const auto paneles = controlesDe(v).StatusBar1->findChildren<QLabel *>();
    QVERIFY(std::any_of(paneles.cbegin(), paneles.cend(), [](const QLabel *l) {
        return l->text() == QLatin1String("L-Mate") &&
               l->toolTip() == QStringLiteral("Indica si el procesador LenguajeMate está activo");
    }));
    // Defaults: history on, the two text switches off.
    QCOMPARE(controlesDe(v).chkHistorial->checkState(), Qt::Checked);
    QCOMPARE(controlesDe(v).chkLMate->checkState(), Qt::Unchecked);
    QCOMPARE(controlesDe(v).chkAbreviaturas->checkState(), Qt::Unchecked);
    QVERIFY(b.sistema.terminaciones.isEmpty());
}

void tst_frmBrowser::cargaConAjusteIlegible_data()
{
    QTest::addColumn<QString>("clave");
    QTest::newRow("LMate") << "LMate";
    QTest::newRow("Abreviaturas") << "Abreviaturas";
    QTest::newRow("Historial") << "Historial";
}

void tst_frmBrowser::cargaConAjusteIlegible()
{
    QFETCH(QString, clave);
    Banco b;
    b.ajustes.escribir("Mensajes", "Remitente0", "Ana");
    b.ajustes.escribir("Mensajes", "Rapida1", "Juan");
    b.ajustes.escribir("Mensajes", "PanelVisible", "Mejoras");
    b.ajustes.escribir("Mensajes", "LMate", "True");
    b.ajustes.escribir("Mensajes", clave, "quizás");
    QVERIFY(!b.ventana->Form_Load());

    QCOMPARE(b.dialogos.llamadas.size(), 1);
    const auto &m = b.dialogos.llamadas.first();
    QCOMPARE(m.titulo, QStringLiteral("Error interno"));
    QCOMPARE(m.icono, Dialogos::Icono::Critico);
    QCOMPARE(m.texto, QStringLiteral("La información de configuración está dañada.\r\n\r\nTodas las configuraciones "
                                     "han sido establecidas a sus valores de fábrica.\r\nNTX Mensajes intentará "
                                     "solucionar automáticamente el problema la próxima vez que se inicie y "
                                     "deberá cerrarse ahora, por favor reinicie el programa."));
    QCOMPARE(b.sistema.terminaciones.size(), 1);
    // Only the four options went back to their defaults; the rest of the section is intact.
    QCOMPARE(b.ajustes.leer("Mensajes", "Remitente0"), QStringLiteral("Ana"));
    QCOMPARE(b.ajustes.leer("Mensajes", "Rapida1"), QStringLiteral("Juan"));
    QCOMPARE(b.ajustes.leer("Mensajes", "LMate"), QStringLiteral("False"));
    QCOMPARE(b.ajustes.leer("Mensajes", "Abreviaturas"), QStringLiteral("False"));
    QCOMPARE(b.ajustes.leer("Mensajes", "Historial"), QStringLiteral("True"));
    QCOMPARE(b.ajustes.leer("Mensajes", "PanelVisible"), QStringLiteral("Contactos"));
    // Nothing was loaded.
    QVERIFY(b.web().navegaciones.isEmpty());
    QVERIFY(!controlesDe(*b.ventana).timAnti->isActive());
}

// ---- Provider choice ----

void tst_frmBrowser::proveedor_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("maximo");
    QTest::addColumn<QString>("codArea");
    QTest::addColumn<QString>("numero");
    QTest::newRow("Claro") << 0 << "Argentina - Claro"
                           << "138"
                           << "0"
                           << "15";
    QTest::newRow("Personal") << 1 << "Argentina - Personal"
                              << "140"
                              << "0"
                              << "15";
    QTest::newRow("Movilnet") << 2 << "Venezuela - Movilnet"
                              << "120"
                              << "04"
                              << "-";
}

void tst_frmBrowser::proveedor()
{
    QFETCH(int, indice);
    QFETCH(QString, nombre);
    QFETCH(QString, maximo);
    QFETCH(QString, codArea);
    QFETCH(QString, numero);
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    QCOMPARE(controlesDe(v).cboAddress->itemText(indice), nombre);
    controlesDe(v).cboAddress->setCurrentIndex(indice);
    v.cboAddress_Click();
    QVERIFY(controlesDe(v).picEscritura->isVisible());
    QVERIFY(!controlesDe(v).brwWebBrowser->isVisible());
    QCOMPARE(Banco::ultima(b.web()), EnviarLocal);
    QCOMPARE(controlesDe(v).txtmaxcar->text(), maximo);
    QCOMPARE(controlesDe(v).lblCodArea->text(), codArea);
    QCOMPARE(controlesDe(v).lblNumero->text(), numero);
    QVERIFY(controlesDe(v).txtCodArea->isVisible());
    QVERIFY(controlesDe(v).txtNumero->isVisible());
    QVERIFY(!controlesDe(v).txtalias->isVisible());
    QVERIFY(!controlesDe(v).lblalias->isVisible());
    QVERIFY(controlesDe(v).cboRemitente->isVisible());
    QVERIFY(controlesDe(v).cmdEnviar->isEnabled());
    QCOMPARE(controlesDe(v).StatusBar1->imagenPanel1(), 4);
    QCOMPARE(controlesDe(v).StatusBar1->textoPanel1(),
             QStringLiteral("Rellene los datos y escriba el mensaje, luego presione Enviar Mensaje"));
    QVERIFY(b.dialogos.llamadas.isEmpty());
}

void tst_frmBrowser::proveedorCambiaSinBorrarDatos()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    controlesDe(v).txtCodArea->setText("11");
    controlesDe(v).txtNumero->setText("12345678");
    controlesDe(v).cboAddress->setCurrentIndex(0);
    v.cboAddress_Click();
    controlesDe(v).cboAddress->setCurrentIndex(2);
    v.cboAddress_Click();
    QCOMPARE(controlesDe(v).lblCodArea->text(), QStringLiteral("04"));
    QCOMPARE(controlesDe(v).lblNumero->text(), QStringLiteral("-"));
    QCOMPARE(controlesDe(v).txtmaxcar->text(), QStringLiteral("120"));
    controlesDe(v).cboAddress->setCurrentIndex(0);
    v.cboAddress_Click();
    QCOMPARE(controlesDe(v).lblCodArea->text(), QStringLiteral("0"));
    QCOMPARE(controlesDe(v).lblNumero->text(), QStringLiteral("15"));
    QCOMPARE(controlesDe(v).txtmaxcar->text(), QStringLiteral("138"));
    QCOMPARE(controlesDe(v).txtCodArea->text(), QStringLiteral("11"));
    QCOMPARE(controlesDe(v).txtNumero->text(), QStringLiteral("12345678"));
}

void tst_frmBrowser::proveedorDesconocido()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    controlesDe(v).cboAddress->setCurrentIndex(1);
    v.SeleccionarProveedor(QStringLiteral("Chile - Entel"));
    QCOMPARE(b.dialogos.llamadas.size(), 1);
    QCOMPARE(b.dialogos.llamadas.first().texto,
             QStringLiteral("No se pueden enviar Mensajes a este proveedor con esta versión de NTX Mensajes."));
    QCOMPARE(b.dialogos.llamadas.first().icono, Dialogos::Icono::Critico);
    QCOMPARE(b.dialogos.llamadas.first().titulo, QStringLiteral("NTX Mensajes"));
    QVERIFY(!controlesDe(v).picEscritura->isVisible());
    QVERIFY(controlesDe(v).brwWebBrowser->isVisible());
    QCOMPARE(controlesDe(v).cboAddress->currentIndex(), -1);
    QCOMPARE(Banco::ultima(b.web()), InicioLocal);

    // An empty name sets the composer up for the defaults and stops there.
    v.SeleccionarProveedor(QString());
    QCOMPARE(b.dialogos.llamadas.size(), 1);
    QVERIFY(controlesDe(v).picEscritura->isVisible());
    QCOMPARE(controlesDe(v).txtmaxcar->text(), QStringLiteral("138"));
}

void tst_frmBrowser::proveedorTomaRemitenteGuardado()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    b.ajustes.escribir("Mensajes", "Remitente0", "Lucía");
    controlesDe(v).cboAddress->setCurrentIndex(-1);
    v.cboAddress_Click();
    QCOMPARE(controlesDe(v).cboRemitente->currentText(), QString());
    QVERIFY(b.web().navegaciones.isEmpty());

    controlesDe(v).cboAddress->setCurrentIndex(1);
    v.cboAddress_Click();
    QCOMPARE(controlesDe(v).cboRemitente->currentText(), QStringLiteral("Lucía"));

    // A sender already typed stays.
    controlesDe(v).cboRemitente->setEditText("Pedro");
    controlesDe(v).cboAddress->setCurrentIndex(0);
    v.cboAddress_Click();
    QCOMPARE(controlesDe(v).cboRemitente->currentText(), QStringLiteral("Pedro"));
}

void tst_frmBrowser::inicioVuelvePresentacion()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    controlesDe(v).cboAddress->setCurrentIndex(1);
    v.cboAddress_Click();
    v.tbToolBar_ButtonClick(QStringLiteral("Home"));
    QCOMPARE(controlesDe(v).cboAddress->currentIndex(), -1);
    QVERIFY(!controlesDe(v).picEscritura->isVisible());
    QVERIFY(controlesDe(v).brwWebBrowser->isVisible());
    QCOMPARE(Banco::ultima(b.web()), Inicio);
    QCOMPARE(controlesDe(v).StatusBar1->imagenPanel1(), 5);
    QCOMPARE(controlesDe(v).StatusBar1->textoPanel1(), QStringLiteral("Listo"));

    const int antes = b.web().navegaciones.size();
    v.tbToolBar_ButtonClick(QStringLiteral("desconocida"));
    QCOMPARE(b.web().navegaciones.size(), antes);
}

// ---- Menus ----

void tst_frmBrowser::menuMejorasSigueCasillas_data()
{
    QTest::addColumn<Qt::CheckState>("casilla");
    QTest::addColumn<bool>("marcaAntes");
    QTest::addColumn<bool>("marcaDespues");
    QTest::newRow("clara, marcada") << Qt::Unchecked << true << false;
    QTest::newRow("tildada, sin marca") << Qt::Checked << false << true;
    QTest::newRow("gris, marcada") << Qt::PartiallyChecked << true << true;
    QTest::newRow("gris, sin marca") << Qt::PartiallyChecked << false << false;
}

void tst_frmBrowser::menuMejorasSigueCasillas()
{
    QFETCH(Qt::CheckState, casilla);
    QFETCH(bool, marcaAntes);
    QFETCH(bool, marcaDespues);
    Banco b;
    frmBrowser &v = *b.ventana;
    controlesDe(v).chkLMate->setCheckState(casilla);
    controlesDe(v).chkAbreviaturas->setCheckState(casilla);
    controlesDe(v).mnuMejorasLenguajeMate->setChecked(marcaAntes);
    controlesDe(v).mnuMejorasAbreviaturas->setChecked(marcaAntes);
    v.mnuMejoras_Click();
    QCOMPARE(controlesDe(v).mnuMejorasLenguajeMate->isChecked(), marcaDespues);
    QCOMPARE(controlesDe(v).mnuMejorasAbreviaturas->isChecked(), marcaDespues);
}

void tst_frmBrowser::menuMejorasSegunProveedor_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<bool>("habilitado");
    QTest::newRow("sin proveedor") << -1 << false;
    QTest::newRow("con proveedor") << 1 << true;
}

void tst_frmBrowser::menuMejorasSegunProveedor()
{
    QFETCH(int, indice);
    QFETCH(bool, habilitado);
    Banco b;
    frmBrowser &v = *b.ventana;
    controlesDe(v).cboAddress->setCurrentIndex(indice);
    v.mnuMejoras_Click();
    // The menu bar's entries are greyed; the menus themselves stay usable from the extras buttons.
    QCOMPARE(controlesDe(v).mnuSaludosyFirmas->menuAction()->isEnabled(), habilitado);
    QCOMPARE(controlesDe(v).mnuPOPImagenes->menuAction()->isEnabled(), habilitado);
    QCOMPARE(controlesDe(v).mnuIconosGestuales->menuAction()->isEnabled(), habilitado);
}

void tst_frmBrowser::botonesDeMejorasAbrenSusMenus_data()
{
    QTest::addColumn<QString>("boton");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("entrada"); // an entry clicked in the menu; empty: none
    QTest::newRow("Iconos gestuales") << "cmdEmoticon"
                                      << "mnuIconosGestuales" << QString();
    QTest::newRow("Imágenes") << "cmdImagenes"
                              << "mnuPOPImagenes"
                              << "mnuImagenes0";
    QTest::newRow("Saludos y Firmas") << "cmdFirmas"
                                      << "mnuSaludosyFirmas"
                                      << "mnuSaludosyFirmasPersonalizar";
}

// A fresh start: a provider chosen, "Ver Mejoras", then each button. Its menu opens
// with live entries, whether or not the menu bar's "Mejoras" was ever opened.
void tst_frmBrowser::botonesDeMejorasAbrenSusMenus()
{
    QFETCH(QString, boton);
    QFETCH(QString, menu);
    QFETCH(QString, entrada);
    Banco b;
    frmBrowser &v = *b.ventana;
    QVERIFY(v.Form_Load());
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    controlesDe(v).cboAddress->setCurrentIndex(1);
    Q_EMIT controlesDe(v).cboAddress->activated(1);
    QTest::mouseClick(controlesDe(v).cmdAlternarContactos, Qt::LeftButton);
    for (int i = 0; i < 1000 && controlesDe(v).timAlternarContactos->isActive(); ++i)
        v.timAlternarContactos_Timer();
    auto *pulsado = v.findChild<QPushButton *>(boton);
    auto *abierto = v.findChild<QMenu *>(menu);
    QVERIFY(pulsado && abierto);
    QVERIFY(pulsado->isVisible());
    QTest::mouseClick(pulsado, Qt::LeftButton);
    QTRY_VERIFY(abierto->isVisible());
    QVERIFY(abierto->isEnabled());
    for (QAction *a : abierto->actions())
        QVERIFY2(a->isSeparator() || a->isEnabled(), qPrintable(a->text()));
    if (entrada.isEmpty()) {
        abierto->hide();
        return;
    }
    QAction *elegida = v.findChild<QAction *>(entrada);
    QVERIFY(elegida);
    QString modal;
    QTimer::singleShot(0, qApp, [&modal] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            modal = QString::fromLatin1(w->metaObject()->className());
            w->close();
        }
    });
    QTest::mouseClick(abierto, Qt::LeftButton, {}, abierto->actionGeometry(elegida).center());
    if (entrada == QLatin1String("mnuSaludosyFirmasPersonalizar"))
        QCOMPARE(modal, QStringLiteral("frmPreferencias"));
    else
        QVERIFY(!v.composicion().textoMensaje().isEmpty());
}

void tst_frmBrowser::menuAlternaCasilla_data()
{
    QTest::addColumn<Qt::CheckState>("antes");
    QTest::addColumn<Qt::CheckState>("despues");
    QTest::newRow("clara") << Qt::Unchecked << Qt::Checked;
    QTest::newRow("tildada") << Qt::Checked << Qt::Unchecked;
    QTest::newRow("gris") << Qt::PartiallyChecked << Qt::PartiallyChecked;
}

void tst_frmBrowser::menuAlternaCasilla()
{
    QFETCH(Qt::CheckState, antes);
    QFETCH(Qt::CheckState, despues);
    Banco b;
    frmBrowser &v = *b.ventana;
    // With a table of abbreviations the switch turns on without asking.
    b.ajustes.escribir("Abreviaturas1.0", "tb", "también");
    controlesDe(v).chkAbreviaturas->setCheckState(antes);
    controlesDe(v).mnuMejorasAbreviaturas->trigger();
    QCOMPARE(controlesDe(v).chkAbreviaturas->checkState(), despues);
    controlesDe(v).chkLMate->setCheckState(antes);
    controlesDe(v).mnuMejorasLenguajeMate->trigger();
    QCOMPARE(controlesDe(v).chkLMate->checkState(), despues);
    if (antes != Qt::PartiallyChecked)
        QCOMPARE(v.composicion().LenguajeMateActivo, despues == Qt::Checked);
    QVERIFY(b.dialogos.llamadas.isEmpty());
}

void tst_frmBrowser::menuHerramientasVersion()
{
    Banco b;
    b.ventana->mnuHerramientas_Click();
    QCOMPARE(controlesDe(*b.ventana).mnuAutoVersion->text(), QStringLiteral("    Versión Instalada: 2.5.0 "));
    QVERIFY(!controlesDe(*b.ventana).mnuAutoVersion->isEnabled());
}

// ---- Close ----

void tst_frmBrowser::cierreGuarda_data()
{
    QTest::addColumn<int>("abreviaturas");
    QTest::addColumn<bool>("lmate");
    QTest::addColumn<bool>("mejorasVisible");
    QTest::addColumn<QString>("esperadoAbreviaturas");
    QTest::addColumn<QString>("esperadoPanel");
    QTest::newRow("tildada, mejoras") << 2 << true << true << "True"
                                      << "Mejoras";
    QTest::newRow("clara, contactos") << 0 << false << false << "False"
                                      << "Contactos";
    QTest::newRow("gris deja el valor") << 1 << true << false << "sin tocar"
                                        << "Contactos";
}

void tst_frmBrowser::cierreGuarda()
{
    QFETCH(int, abreviaturas);
    QFETCH(bool, lmate);
    QFETCH(bool, mejorasVisible);
    QFETCH(QString, esperadoAbreviaturas);
    QFETCH(QString, esperadoPanel);
    Banco b;
    frmBrowser &v = *b.ventana;
    b.ajustes.escribir("Mensajes", "Abreviaturas", "sin tocar");
    b.ajustes.escribir("Mensajes", "Historial", "False");
    controlesDe(v).chkAbreviaturas->setCheckState(Qt::CheckState(abreviaturas));
    v.composicion().LenguajeMateActivo = lmate;
    controlesDe(v).picMejoras->setVisible(mejorasVisible);
    controlesDe(v).picContactos->setVisible(!mejorasVisible);
    v.show();
    v.close();
    QCOMPARE(b.ajustes.leer("Mensajes", "Abreviaturas"), esperadoAbreviaturas);
    QCOMPARE(b.ajustes.leer("Mensajes", "LMate"), lmate ? QStringLiteral("True") : QStringLiteral("False"));
    QCOMPARE(b.ajustes.leer("Mensajes", "PanelVisible"), esperadoPanel);
    QCOMPARE(b.ajustes.leer("Mensajes", "Historial"), QStringLiteral("False"));
    QCOMPARE(b.sistema.terminaciones.size(), 1);
}

void tst_frmBrowser::salirNoGuarda()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    controlesDe(v).chkAbreviaturas->setCheckState(Qt::Checked);
    v.composicion().LenguajeMateActivo = true;
    controlesDe(v).mnuArchivoSalir->trigger();
    QCOMPARE(b.sistema.terminaciones.size(), 1);
    QCOMPARE(b.ajustes.leer("Mensajes", "Abreviaturas", "nada"), QStringLiteral("nada"));
    QCOMPARE(b.ajustes.leer("Mensajes", "LMate", "nada"), QStringLiteral("nada"));
    QCOMPARE(b.ajustes.leer("Mensajes", "PanelVisible", "nada"), QStringLiteral("nada"));
}

// ---- Notification area ----

void tst_frmBrowser::bandejaCodigos_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("codigo");
    QTest::addColumn<bool>("vuelve");
    QTest::newRow("514 exacto") << 514.0 * 15 << 514 << true;
    QTest::newRow("514 redondeado") << 514.0 * 15 + 7 << 514 << true;
    QTest::newRow("515 no") << 514.0 * 15 + 8 << 515 << false;
    QTest::newRow("512 movimiento") << 512.0 * 15 << 512 << false;
}

void tst_frmBrowser::bandejaCodigos()
{
    QFETCH(double, x);
    QFETCH(int, codigo);
    QFETCH(bool, vuelve);
    Banco b;
    frmBrowser &v = *b.ventana;
    v.enBandeja = true;
    v.frmBrowserMinimizado(x);
    QCOMPARE(v.bandejaMensaje, codigo);
    QCOMPARE(v.isVisible(), vuelve);
    QCOMPARE(v.enBandeja, !vuelve);
    QVERIFY(!v.bandejaOcupada);
}

void tst_frmBrowser::bandejaOcupadaDescartaEvento()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    // Not in the tray: a tray code does nothing.
    v.frmBrowserMinimizado(514.0 * 15);
    QVERIFY(!v.isVisible());
    v.enBandeja = true;
    v.bandejaOcupada = true;
    v.frmBrowserMinimizado(514.0 * 15);
    QCOMPARE(v.bandejaMensaje, 514);
    QVERIFY(!v.isVisible());
    QVERIFY(v.enBandeja);
    v.bandejaOcupada = false;
    v.frmBrowserMinimizado(514.0 * 15);
    QVERIFY(v.isVisible());
}

void tst_frmBrowser::menuBandejaMarcaOcupado()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    v.enBandeja = true;
    bool ocupadoDentro = false, visibleTrasClic = true, menuAbierto = false;
    QTimer::singleShot(0, &v, [&] {
        menuAbierto = controlesDe(v).mnuNotificacion->isVisible();
        ocupadoDentro = v.bandejaOcupada;
        // A left click while the menu is open is dropped.
        v.frmBrowserMinimizado(514.0 * 15);
        visibleTrasClic = v.isVisible();
        controlesDe(v).mnuNotificacion->close();
    });
    v.frmBrowserMinimizado(517.0 * 15);
    QVERIFY(menuAbierto);
    QVERIFY(ocupadoDentro);
    QVERIFY(!visibleTrasClic);
    QVERIFY(!v.bandejaOcupada);
    QCOMPARE(controlesDe(v).mnuNotificacion->defaultAction(), controlesDe(v).mnuNotifAbrir);
    QVERIFY(controlesDe(v).mnuNotifAbrir->font().bold());

    // "Abrir NTX Mensajes" brings it back.
    controlesDe(v).mnuNotifAbrir->trigger();
    QVERIFY(v.isVisible());
    QVERIFY(!v.enBandeja);
}

void tst_frmBrowser::menuBandejaAbrirDesdeElIcono()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    v.ponerEnBandeja();
    QVERIFY(!v.isVisible());
    QVERIFY(v.enBandeja);
    QMenu *menu = controlesDe(v).mnuNotificacion;
    const QList<QAction *> acciones = menu->actions();
    QCOMPARE(acciones.size(), 3);
    QCOMPARE(acciones.at(0), controlesDe(v).mnuNotifAbrir);
    QVERIFY(acciones.at(1)->isSeparator());
    QCOMPARE(acciones.at(2), controlesDe(v).mnuNotifSalir);

    // The user picks "Abrir NTX Mensajes" in the menu the icon's right click opened.
    QTimer::singleShot(0, menu, [menu] {
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Up);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QPointer<QSystemTrayIcon> icono = v.iconoBandeja();
    QVERIFY(icono);
    Q_EMIT icono->activated(QSystemTrayIcon::Context);
    // Still inside the icon's own click: the icon, and the X11 window it hides with,
    // outlive it (hiding destroys that window, which Qt still delivers the click to).
    QVERIFY(icono);
    QVERIFY(icono->isVisible());
    QVERIFY(v.isVisible());
    QVERIFY(!v.enBandeja);
    QVERIFY(!v.iconoBandeja());
    // It goes once that click is over.
    QTRY_VERIFY(!icono);
    QVERIFY(!(v.windowState() & Qt::WindowMinimized));
}

namespace {

// "IsViewable", "IsUnMapped"... of an X window and of the window manager's frame around it.
QStringList estadosX11(WId ventana)
{
    QStringList estados;
    QString id = QString::number(ventana);
    for (int nivel = 0; nivel < 2 && !id.isEmpty(); ++nivel) {
        QProcess xwininfo;
        xwininfo.start(QStringLiteral("xwininfo"),
                       {QStringLiteral("-children"), QStringLiteral("-stats"), QStringLiteral("-id"), id});
        if (!xwininfo.waitForFinished(10000))
            return {QStringLiteral("sin xwininfo")};
        const QString salida = QString::fromLocal8Bit(xwininfo.readAllStandardOutput());
        const QRegularExpression mapa(QStringLiteral("Map State: (\\w+)"));
        const QRegularExpression padre(QStringLiteral("Parent window id: (0x[0-9a-f]+)( \\(the root window\\))?"));
        estados << mapa.match(salida).captured(1);
        const QRegularExpressionMatch p = padre.match(salida);
        id = p.captured(2).isEmpty() ? p.captured(1) : QString();
    }
    return estados;
}

} // namespace

// On a real X desktop with a notification area: the window minimised to the tray is
// unmapped, and so is the window manager's frame (no empty frame left on screen).
void tst_frmBrowser::bandejaDejaLaVentanaSinMapear()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("needs an X server with a notification area");
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    const WId id = v.winId();
    v.showMinimized();
    QTRY_VERIFY_WITH_TIMEOUT(v.enBandeja, 10000);
    QVERIFY(v.iconoBandeja());
    QTRY_VERIFY_WITH_TIMEOUT(!estadosX11(id).contains(QStringLiteral("IsViewable")), 10000);
    // Nothing maps it again once the pending events have run.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const QStringList estados = estadosX11(id);
    QVERIFY2(!estados.contains(QStringLiteral("IsViewable")), qPrintable(estados.join(u',')));
    if (qEnvironmentVariableIsSet("NTX_CAPTURA"))
        QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"), qEnvironmentVariable("NTX_CAPTURA")});
    v.mnuNotifAbrir_Click();
    QTRY_VERIFY_WITH_TIMEOUT(estadosX11(id).value(0) == QLatin1String("IsViewable"), 10000);
    QVERIFY(!(v.windowState() & Qt::WindowMinimized));
}

void tst_frmBrowser::minimizarSinBandeja_data()
{
    QTest::addColumn<QString>("opcion");
    QTest::addColumn<QString>("despues");
    QTest::addColumn<int>("notificaciones"); // without a tray host, after two minimisings
    QTest::newRow("opción apagada") << "False"
                                    << "False" << 0;
    QTest::newRow("opción ilegible se corrige") << "tal vez"
                                                << "True" << 1;
    QTest::newRow("opción encendida") << "True"
                                      << "True" << 1;
}

void tst_frmBrowser::minimizarSinBandeja()
{
    QFETCH(QString, opcion);
    QFETCH(QString, despues);
    QFETCH(int, notificaciones);
    Banco b;
    frmBrowser &v = *b.ventana;
    b.ajustes.escribir("Mensajes", "IconoNotificacion", opcion);
    v.show();
    v.setWindowState(Qt::WindowMinimized);
    QCOMPARE(b.ajustes.leer("Mensajes", "IconoNotificacion"), despues);
    // With the option off, or no notification area on this desktop, the window stays minimised.
    if (opcion == QLatin1String("False") || !QSystemTrayIcon::isSystemTrayAvailable()) {
        QVERIFY(v.windowState() & Qt::WindowMinimized);
        QVERIFY(!v.iconoBandeja());
        QVERIFY(!v.enBandeja);
        QVERIFY(!v.bandejaGlobo);
        // Restored and minimised again: the desktop's notification said it once.
        v.setWindowState(Qt::WindowNoState);
        v.setWindowState(Qt::WindowMinimized);
        QVERIFY(v.isVisible());
        QCOMPARE(b.sistema.notificaciones.size(), notificaciones);
        if (notificaciones > 0)
            QCOMPARE(b.sistema.notificaciones[0].texto,
                     QStringLiteral("Este escritorio no tiene área de notificación: NTX Mensajes quedó minimizado en "
                                    "la barra de tareas."));
    } else {
        QVERIFY(v.iconoBandeja());
        QVERIFY(v.enBandeja);
        QVERIFY(v.bandejaGlobo);
    }
}

// ---- Side-panel slide ----

void tst_frmBrowser::deslizamiento_data()
{
    QTest::addColumn<bool>("haciaContactos");
    QTest::newRow("Ver Contactos") << true;
    QTest::newRow("Ver Mejoras") << false;
}

void tst_frmBrowser::deslizamiento()
{
    QFETCH(bool, haciaContactos);
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    controlesDe(v).picEscritura->show();
    QWidget *mejoras = controlesDe(v).picMejoras, *contactos = controlesDe(v).picContactos;
    QWidget *sale = haciaContactos ? mejoras : contactos;
    QWidget *entra = haciaContactos ? contactos : mejoras;
    QPushButton *pulsado = haciaContactos ? controlesDe(v).cmdAlternarMejoras : controlesDe(v).cmdAlternarContactos;
    QPushButton *llega = haciaContactos ? controlesDe(v).cmdAlternarContactos : controlesDe(v).cmdAlternarMejoras;
    QTimer &reloj = haciaContactos ? *controlesDe(v).timAlternarMejoras : *controlesDe(v).timAlternarContactos;
    sale->show();
    entra->hide();
    llega->setEnabled(false);

    pulsado->click();
    QVERIFY(!pulsado->isEnabled());
    QVERIFY(reloj.isActive());
    QCOMPARE(v.izquierdaPanel(entra), 11000.0f);
    QCOMPARE(v.velocidadSale, qint16(3800));

    // First ticks: 3800/50 = 76 twips, then speed 3800 - 3800/70 = 3745.71 -> 3746.
    const float esperadas[] = {6916.0f, 6990.919921875f, 7064.759765625f};
    int ticks = 0;
    for (float esperada : esperadas) {
        haciaContactos ? v.timAlternarMejoras_Timer() : v.timAlternarContactos_Timer();
        ++ticks;
        QCOMPARE(v.izquierdaPanel(sale), esperada);
        // Both count as shown while sliding; the incoming one waits beyond the visible part.
        QVERIFY(sale->isVisible());
        QVERIFY(entra->isVisible());
        QCOMPARE(v.izquierdaPanel(entra), 11000.0f);
    }
    QCOMPARE(v.velocidadSale, qint16(3639));
    while (reloj.isActive() && ticks < 1000) {
        haciaContactos ? v.timAlternarMejoras_Timer() : v.timAlternarContactos_Timer();
        ++ticks;
    }
    // Worked out apart in single precision with halves rounded to even: rounding
    // halves up would end at speed 827 and the outgoing panel at 11002.68.
    QCOMPARE(ticks, 211);
    QCOMPARE(v.velocidadSale, qint16(826));
    QCOMPARE(v.velocidadEntra, qint16(826));
    QCOMPARE(v.izquierdaPanel(sale), 11000.919921875f);
    QCOMPARE(v.izquierdaPanel(entra), 6841.0f);
    QCOMPARE(entra->x(), qRound(6841 / 15.0));
    QVERIFY(entra->isVisible());
    QVERIFY(!sale->isVisible());
    QVERIFY(llega->isEnabled());
    QVERIFY(!pulsado->isEnabled());
}

void tst_frmBrowser::deslizamientoAMitadGuardaContactos()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    controlesDe(v).picEscritura->show();
    controlesDe(v).picContactos->show();
    controlesDe(v).picMejoras->hide();
    controlesDe(v).cmdAlternarContactos->click();
    for (int i = 0; i < 20; ++i)
        v.timAlternarContactos_Timer();
    QVERIFY(controlesDe(v).timAlternarContactos->isActive());
    QVERIFY(controlesDe(v).picMejoras->isVisibleTo(controlesDe(v).picEscritura));
    QVERIFY(controlesDe(v).picContactos->isVisibleTo(controlesDe(v).picEscritura));
    v.close();
    QCOMPARE(b.ajustes.leer("Mensajes", "PanelVisible"), QStringLiteral("Contactos"));
}

// ---- Keys reach the composer's key handlers ----

void tst_frmBrowser::teclasPasanPorSusManejadores_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<QString>("queda");
    QTest::newRow("código de área sin letras") << "txtCodArea"
                                               << "3a5x1"
                                               << "351";
    QTest::newRow("número sin letras") << "txtNumero"
                                       << "55b12"
                                       << "5512";
    QTest::newRow("remitente libre") << "cboRemitente"
                                     << "Ana 2"
                                     << "Ana 2";
}

void tst_frmBrowser::teclasPasanPorSusManejadores()
{
    QFETCH(QString, control);
    QFETCH(QString, tecleado);
    QFETCH(QString, queda);
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    controlesDe(v).cboAddress->setCurrentIndex(1);
    v.cboAddress_Click();
    v.ponerEstado(5, QStringLiteral("Listo"));
    QLineEdit *caja = control == QLatin1String("txtCodArea")  ? controlesDe(v).txtCodArea
                      : control == QLatin1String("txtNumero") ? controlesDe(v).txtNumero
                                                              : controlesDe(v).cboRemitente->lineEdit();
    QWidget *destino = control == QLatin1String("cboRemitente") ? static_cast<QWidget *>(controlesDe(v).cboRemitente)
                                                                : static_cast<QWidget *>(caja);
    QTest::keyClicks(destino, tecleado);
    QCOMPARE(caja->text(), queda);
    // The sender's key handler puts the composer's status back at each key.
    if (control == QLatin1String("cboRemitente"))
        QCOMPARE(controlesDe(v).StatusBar1->imagenPanel1(), 4);
}

// ---- Indicator and anti-flood ----

void tst_frmBrowser::indicadorDeCarga()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    controlesDe(v).timTimer->start();
    b.web().setOcupado(true);
    v.panelesWeb().timTimer_Timer();
    QVERIFY(controlesDe(v).timTimer->isActive());
    QCOMPARE(controlesDe(v).StatusBar1->imagenPanel1(), 3);
    QCOMPARE(controlesDe(v).StatusBar1->textoPanel1(), QStringLiteral("Conectando..."));
    b.web().setOcupado(false);
    v.panelesWeb().timTimer_Timer();
    QVERIFY(!controlesDe(v).timTimer->isActive());
}

// The compulsory-update question is not a page loading: while it is open the status
// tells of it (and the indicator is off), then of the download.
void tst_frmBrowser::actualizacionObligatoriaEnLaBarra()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    QTemporaryDir datos;
    b.sistema.datosLocales = datos.path() + QStringLiteral("/");
    v.show();
    const QString version = Sitio + QStringLiteral("/ntxbin/act_ver_2_5_0.htm");
    b.web().navegar(version);
    b.web().completarCarga();
    // The page is still busy as it follows its link by itself.
    controlesDe(v).timTimer->start();
    b.web().setOcupado(true);
    v.panelesWeb().timTimer_Timer();
    QCOMPARE(controlesDe(v).StatusBar1->textoPanel1(), QStringLiteral("Conectando..."));
    QList<std::tuple<bool, int, QString>> alPreguntar;
    b.dialogos.alMostrar = [&](const DialogosGuion::Llamada &) {
        alPreguntar.append({controlesDe(v).timTimer->isActive(), controlesDe(v).StatusBar1->imagenPanel1(),
                            controlesDe(v).StatusBar1->textoPanel1()});
    };
    b.dialogos.respuestas = {Dialogos::Respuesta::Si};
    QVERIFY(b.web().dispararAntesDeNavegar(QStringLiteral("ntx://actdf/1127.0.0.1:9/ntxmensajes.exe/241123/F")));
    QCOMPARE(alPreguntar.size(), 1);
    QCOMPARE(alPreguntar.first(),
             std::make_tuple(false, 6,
                             QStringLiteral("Se necesita una nueva versión de NTX Mensajes: responda la pregunta")));
    // Yes: the download runs with the main window hidden.
    QPointer<frmActualizar> actualizacion = v.panelesWeb().comandos().ventanaActualizacion();
    QVERIFY(actualizacion);
    QVERIFY(!v.isVisible());
    QVERIFY(!controlesDe(v).timTimer->isActive());
    QCOMPARE(controlesDe(v).StatusBar1->imagenPanel1(), 3);
    QCOMPARE(controlesDe(v).StatusBar1->textoPanel1(),
             QStringLiteral("Descargando la nueva versión de NTX Mensajes..."));
    // Its close box is a cancel: a compulsory one ends the client.
    b.dialogos.alMostrar = nullptr;
    b.dialogos.llamadas.clear();
    actualizacion->close();
    QCOMPARE(b.dialogos.llamadas.size(), 1);
    QCOMPARE(b.dialogos.llamadas.first().texto,
             QStringLiteral("Esta actualización es necesaria para poder continuar, si cancela ahora NTX Mensajes se "
                            "cerrará.\r\n\r\n¿Está seguro que desea cancelar la actualización de NTX Mensajes?"));
    QCOMPARE(b.sistema.terminaciones, QList<int>{0});
    delete actualizacion;
}

void tst_frmBrowser::ventanasAntiAbuso_data()
{
    QTest::addColumn<int>("minutos");
    QTest::addColumn<int>("corto");
    QTest::addColumn<int>("largo");
    // Counters start at 8 and 40 before the ticks.
    QTest::newRow("1 minuto") << 1 << 8 << 40;
    QTest::newRow("2 minutos") << 2 << 0 << 40;
    QTest::newRow("60 minutos") << 60 << 0 << 40;
    QTest::newRow("61 minutos") << 61 << 0 << 0;
}

void tst_frmBrowser::ventanasAntiAbuso()
{
    QFETCH(int, minutos);
    QFETCH(int, corto);
    QFETCH(int, largo);
    Banco b;
    frmBrowser &v = *b.ventana;
    v.envio().ContadorCorto = 8;
    v.envio().ContadorLargo = 40;
    for (int i = 0; i < minutos; ++i)
        v.envio().timAnti_Timer();
    QCOMPARE(int(v.envio().ContadorCorto), corto);
    QCOMPARE(int(v.envio().ContadorLargo), largo);
    QCOMPARE(int(v.envio().minutosCorto), minutos % 2);
    QCOMPARE(int(v.envio().minutosLargo), minutos % 61);
}

// ---- Web panels ----

void tst_frmBrowser::filtroAreaPrincipal_data()
{
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<QString>("marco");
    QTest::addColumn<bool>("cancela");
    QTest::addColumn<bool>("aparte");
    QTest::addColumn<bool>("indicador");
    QTest::newRow("comando") << "ntx://cusar"
                             << "" << true << false << false;
    QTest::newRow("comando en mayúsculas") << "NTX://Cerrar"
                                           << "" << true << false << false;
    QTest::newRow("página del sitio") << Sitio + "/ntxbin/ayuda.htm"
                                      << "" << false << false << true;
    QTest::newRow("otro puerto del mismo host") << "http://127.0.0.1:9/otra.htm"
                                                << "" << true << false << false;
    QTest::newRow("sitio ajeno") << "http://example.org/noticias"
                                 << "" << true << false << false;
    QTest::newRow("nombre del fabricante") << "http://www.ntxvarel.com.ar/x"
                                           << "" << false << false << true;
    QTest::newRow("página local") << InicioLocal << "" << false << false << false;
    QTest::newRow("página vacía") << "about:blank"
                                  << "" << false << false << true;
    QTest::newRow("publicidad") << "http://ads.google.com/aclk?x=1"
                                << "" << true << true << true;
    QTest::newRow("publicidad en su marco") << "http://ads.google.com/aclk"
                                            << "google_ads_frame1" << false << false << true;
    QTest::newRow("apoyo de publicidad") << "http://googleads.g.doubleclick.net/pagead/drt/si"
                                         << "" << false << false << true;
}

void tst_frmBrowser::filtroAreaPrincipal()
{
    QFETCH(QString, direccion);
    QFETCH(QString, marco);
    QFETCH(bool, cancela);
    QFETCH(bool, aparte);
    QFETCH(bool, indicador);
    Banco b;
    QCOMPARE(b.web().dispararAntesDeNavegar(direccion, marco), cancela);
    QCOMPARE(b.sistema.direccionesAbiertas, aparte ? QStringList{direccion} : QStringList{});
    QCOMPARE(controlesDe(*b.ventana).timTimer->isActive(), indicador);
    QVERIFY(b.dialogos.llamadas.isEmpty());
}

void tst_frmBrowser::errorAreaPrincipal_data()
{
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<int>("icono");
    QTest::addColumn<QString>("siguiente");
    QTest::newRow("comprobación de versión")
        << Sitio + "/ntxbin/act_ver_2_5_0.htm"
        << "No se puede comprobar si existe una nueva versión de NTX Mensajes\r\n\r\nPuede que el sitio web de "
           "ntxVarel! no esté disponible momentáneamente.\r\n · Compruebe que el equipo esté conectado a Internet"
        << int(Dialogos::Icono::Exclamacion) << Inicio;
    QTest::newRow("otra página del sitio")
        << Sitio + "/ntxbin/ayuda.htm"
        << "No se pudo conectar con el sitio web de ntxVarel!\r\rPuede que el sitio web no esté disponible "
           "momentáneamente.\r\n · Compruebe que el equipo esté conectado a Internet"
        << int(Dialogos::Icono::Critico) << InicioLocal;
    QTest::newRow("página de inicio") << Inicio << QString() << 0 << InicioLocal;
    QTest::newRow("página ajena") << "http://ads.google.com/x" << QString() << 0 << InicioLocal;
}

void tst_frmBrowser::errorAreaPrincipal()
{
    QFETCH(QString, direccion);
    QFETCH(QString, mensaje);
    QFETCH(int, icono);
    QFETCH(QString, siguiente);
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    controlesDe(v).cboAddress->setCurrentIndex(1);
    v.cboAddress_Click();
    controlesDe(v).timTimer->start();
    b.web().dispararErrorDeNavegacion(direccion, 404);
    if (mensaje.isNull()) {
        QVERIFY(b.dialogos.llamadas.isEmpty());
    } else {
        QCOMPARE(b.dialogos.llamadas.size(), 1);
        QCOMPARE(b.dialogos.llamadas.first().texto, mensaje);
        QCOMPARE(int(b.dialogos.llamadas.first().icono), icono);
        QCOMPARE(b.dialogos.llamadas.first().titulo, QStringLiteral("NTX Mensajes"));
    }
    QVERIFY(!controlesDe(v).timTimer->isActive() || !siguiente.startsWith("file:"));
    QVERIFY(!controlesDe(v).picEscritura->isVisible());
    QVERIFY(controlesDe(v).brwWebBrowser->isVisible());
    QCOMPARE(b.web().detenciones, 1);
    QCOMPARE(Banco::ultima(b.web()), siguiente);
}

void tst_frmBrowser::errorEnInicioLocalNoRepite()
{
    Banco b;
    b.ventana->show();
    b.web().navegar(Inicio);
    b.web().fallarCarga(-2);
    QCOMPARE(Banco::ultima(b.web()), InicioLocal);
    const int navegaciones = b.web().navegaciones.size();
    // The local page itself failing: shown as it is, no second attempt.
    b.web().fallarCarga(-6);
    QCOMPARE(b.web().navegaciones.size(), navegaciones);
    QVERIFY(controlesDe(*b.ventana).brwWebBrowser->isVisible());
    QVERIFY(b.dialogos.llamadas.isEmpty());
}

void tst_frmBrowser::sinConexionAreaPrincipal()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    b.sistema.sinConexion = true;
    bool ocultaDuranteAviso = false;
    b.avisos.alMostrar = [&] { ocultaDuranteAviso = !controlesDe(v).brwWebBrowser->isVisible(); };
    QVERIFY(b.web().dispararAntesDeNavegar(Inicio));
    QCOMPARE(b.avisos.mostrados.size(), 1);
    const QString aviso = b.avisos.mostrados[0].texto;
    QCOMPARE(aviso, QStringLiteral("NTX Mensajes ha detectado que el equipo está configurado para trabajar sin "
                                   "conexión.\r\nActive la conexión de red desde la configuración del sistema o "
                                   "desde el ícono de red del panel."));
    QVERIFY(ocultaDuranteAviso);
    QVERIFY(controlesDe(v).brwWebBrowser->isVisible());
    // Then as a failed home page: the local home page, no message box.
    QCOMPARE(Banco::ultima(b.web()), InicioLocal);
    QVERIFY(b.dialogos.llamadas.isEmpty());
    // Local pages and the empty page still open offline.
    QVERIFY(!b.web().dispararAntesDeNavegar(InicioLocal));
    QVERIFY(!b.web().dispararAntesDeNavegar("about:blank"));
}

void tst_frmBrowser::navegacionCompletaDejaListo()
{
    Banco b;
    controlesDe(*b.ventana).timTimer->start();
    b.web().dispararNavegacionCompleta(Inicio);
    QVERIFY(!controlesDe(*b.ventana).timTimer->isActive());
    QCOMPARE(controlesDe(*b.ventana).StatusBar1->imagenPanel1(), 5);
    QCOMPARE(controlesDe(*b.ventana).StatusBar1->textoPanel1(), QStringLiteral("Listo"));
}

void tst_frmBrowser::filtroPublicidad_data()
{
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<QString>("marco");
    QTest::addColumn<bool>("cancela");
    QTest::addColumn<bool>("aparte");
    QTest::newRow("comando") << "ntx://abrir"
                             << "" << true << false;
    QTest::newRow("sitio ajeno se permite") << "http://example.org/banner"
                                            << "" << false << false;
    QTest::newRow("publicidad") << "http://www.google.com/aclk?sa=1"
                                << "" << true << true;
    QTest::newRow("publicidad en su marco") << "http://www.google.com/aclk"
                                            << "google_ads_iframe" << false << false;
    QTest::newRow("apoyo") << "http://www.google.com/ipv6-exp/x"
                           << "" << false << false;
    QTest::newRow("cargador") << "http://www.google.com/iframes_api_loader.js"
                              << "" << false << false;
}

void tst_frmBrowser::filtroPublicidad()
{
    QFETCH(QString, direccion);
    QFETCH(QString, marco);
    QFETCH(bool, cancela);
    QFETCH(bool, aparte);
    Banco b;
    QCOMPARE(b.publicidad().dispararAntesDeNavegar(direccion, marco), cancela);
    QCOMPARE(b.sistema.direccionesAbiertas, aparte ? QStringList{direccion} : QStringList{});
    QVERIFY(!controlesDe(*b.ventana).timPublicidad->isActive());
}

void tst_frmBrowser::nuevaVentanaVaAlNavegador_data()
{
    QTest::addColumn<bool>("publicidad");
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<bool>("aparte");
    QTest::newRow("inicio, _blank") << false << "http://example.org/nota" << true;
    QTest::newRow("inicio, https") << false << "https://ntxvarel.com/ayuda" << true;
    QTest::newRow("publicidad, window.open") << true << "http://www.google.com/aclk?sa=2" << true;
    QTest::newRow("ventana en blanco") << true << "about:blank" << false;
    QTest::newRow("script") << false << "javascript:void(0)" << false;
}

void tst_frmBrowser::nuevaVentanaVaAlNavegador()
{
    QFETCH(bool, publicidad);
    QFETCH(QString, direccion);
    QFETCH(bool, aparte);
    Banco b;
    VistaWebGuion &vista =
        publicidad ? b.publicidad() : *static_cast<VistaWebGuion *>(controlesDe(*b.ventana).brwWebBrowser);
    vista.dispararNuevaVentana(direccion);
    QCOMPARE(b.sistema.direccionesAbiertas, aparte ? QStringList{direccion} : QStringList{});
}

void tst_frmBrowser::publicidadRespaldoYReintento()
{
    Banco b;
    frmBrowser &v = *b.ventana;
    b.publicidad().navegar(Publicidad);
    b.publicidad().fallarCarga(-2);
    QCOMPARE(Banco::ultima(b.publicidad()), PublicidadLocal);
    QVERIFY(v.panelesWeb().publicidadRespaldo);
    QVERIFY(controlesDe(v).timPublicidad->isActive());
    // The local page completing keeps the retry going.
    b.publicidad().completarCarga();
    QVERIFY(controlesDe(v).timPublicidad->isActive());
    QCOMPARE(b.publicidad().atributoCuerpo("scroll"), QStringLiteral("no"));

    v.panelesWeb().timPublicidad_Timer();
    QVERIFY(!v.panelesWeb().publicidadRespaldo);
    QCOMPARE(Banco::ultima(b.publicidad()), Publicidad);
    QVERIFY(controlesDe(v).timPublicidad->isActive());
    b.publicidad().completarCarga();
    QVERIFY(!controlesDe(v).timPublicidad->isActive());

    // The local page failing as well is not loaded again.
    b.publicidad().navegar(PublicidadLocal);
    const int n = b.publicidad().navegaciones.size();
    b.publicidad().fallarCarga(-6);
    QCOMPARE(b.publicidad().navegaciones.size(), n);
    QVERIFY(controlesDe(v).timPublicidad->isActive());
}

void tst_frmBrowser::publicidadSinConexion()
{
    Banco b;
    b.sistema.sinConexion = true;
    QVERIFY(b.publicidad().dispararAntesDeNavegar(Publicidad));
    QCOMPARE(Banco::ultima(b.publicidad()), PublicidadLocal);
    QVERIFY(b.ventana->panelesWeb().publicidadRespaldo);
    QVERIFY(controlesDe(*b.ventana).timPublicidad->isActive());
    QVERIFY(b.dialogos.llamadas.isEmpty());
}

void tst_frmBrowser::lecturaConfiguracion_data()
{
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<QString>("cuerpo");
    QTest::addColumn<bool>("leida");
    QTest::addColumn<QString>("cola");
    QTest::newRow("página correcta") << Configuracion << "ntxconfweb1.2;colaHola;psinArgentina - Claro" << true
                                     << "Hola";
    QTest::newRow("marca en mayúsculas") << Configuracion << "NTXCONFWEB1.2 colaChau" << true << "Chau";
    QTest::newRow("sin marca") << Configuracion << "Página no encontrada" << false << "";
    QTest::newRow("otra dirección") << Sitio + "/ntxbin/princ/princ2_5"
                                    << "ntxconfweb1.2;colaHola" << false << "";
    QTest::newRow("vacía") << Configuracion << "" << false << "";
}

void tst_frmBrowser::lecturaConfiguracion()
{
    QFETCH(QString, direccion);
    QFETCH(QString, cuerpo);
    QFETCH(bool, leida);
    QFETCH(QString, cola);
    Banco b;
    VistaWebGuion::Pagina pagina;
    pagina.textoCuerpo = cuerpo;
    b.conf().ponerPagina(direccion, pagina);
    b.conf().navegar(direccion);
    b.conf().completarCarga();
    QCOMPARE(b.ctx->ConfiguracionRemota.cargada, leida);
    QCOMPARE(b.ctx->ConfiguracionRemota.cola, cola);
    if (direccion == Configuracion && cuerpo.startsWith("ntxconfweb1.2;")) {
        QCOMPARE(b.ctx->ConfiguracionRemota.psin.size(), 2);
        QCOMPARE(b.ctx->ConfiguracionRemota.psin.at(1), QStringLiteral("Argentina - Claro"));
    }
}

void tst_frmBrowser::tabRecorreLaVentana_data()
{
    QTest::addColumn<bool>("atras");
    QTest::newRow("Tab") << false;
    QTest::newRow("Mayúsculas+Tab") << true;
}

// From the message box Tab goes round the whole window in the order of the screen, panel by
// panel, and comes back: the toolbar and the provider list are no trap.
void tst_frmBrowser::tabRecorreLaVentana()
{
    QFETCH(bool, atras);
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    v.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&v));
    controlesDe(v).cboAddress->setCurrentIndex(0);
    v.cboAddress_Click();
    controlesDe(v).txtmsj->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), controlesDe(v).txtmsj);
    QStringList recorrido;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, atras ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget *foco = QApplication::focusWidget();
        QVERIFY(foco);
        if (foco == controlesDe(v).txtmsj)
            break;
        recorrido << (foco->objectName().isEmpty() ? QString::fromLatin1(foco->metaObject()->className())
                                                   : foco->objectName());
    }
    // The composer, the contacts panel, round to the toolbar (its three buttons), the provider
    // list and its link, and the composer again: the web views are doubles without a page here.
    QStringList esperado = {"cmdlimpiar",   "cmdEnviar",      "tvwContactos",     "cmdAlternarContactos",
                            "cmdEscribirA", "cmdAbrirAgenda", "QToolButton",      "QToolButton",
                            "botonAgenda",  "cboAddress",     "lblBuscarEmpresa", "cboRemitente",
                            "txtCodArea",   "txtNumero"};
    if (atras)
        std::reverse(esperado.begin(), esperado.end());
    QCOMPARE(recorrido, esperado);
}

void tst_frmBrowser::agendaAbreLaRapidaConElTeclado_data()
{
    QTest::addColumn<int>("modificador");
    QTest::newRow("abajo") << int(Qt::NoModifier);
    QTest::newRow("Alt+abajo") << int(Qt::AltModifier);
}

// Down on the focused "Agenda" opens the quick contacts; the menu bar offers them too.
void tst_frmBrowser::agendaAbreLaRapidaConElTeclado()
{
    QFETCH(int, modificador);
    Banco b;
    frmBrowser &v = *b.ventana;
    v.show();
    v.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&v));
    QToolButton *agenda = controlesDe(v).botonAgenda;
    agenda->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(agenda->hasFocus());
    QPointer<QWidget> abierto;
    QTimer::singleShot(0, &v, [&abierto] {
        abierto = QApplication::activePopupWidget();
        if (abierto)
            abierto->close();
    });
    QTest::keyClick(agenda, Qt::Key_Down, Qt::KeyboardModifiers(modificador));
    QVERIFY(abierto);
    QCOMPARE(abierto.data(), static_cast<QWidget *>(agenda->menu()));
    QVERIFY(!controlesDe(v).cboAddress->hasFocus());
    QMenu *enArchivo = nullptr;
    for (QAction *a : controlesDe(v).mnuArchivo->actions()) {
        if (a->menu() == agenda->menu())
            enArchivo = a->menu();
    }
    QVERIFY(enArchivo);
    QCOMPARE(enArchivo->title(), QStringLiteral("Agenda &Rápida"));
}

QTEST_MAIN(tst_frmBrowser)
#include "tst_frmbrowser.moc"

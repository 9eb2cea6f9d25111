// The help menu, provider detection and the wizard item against recording
// services, and the About box's texts and links.
#include "shell/controladorayuda.h"

#include "dobles/contextoprueba.h"
#include "shell/frmacercadentx.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

// The maker's site for every test: addresses are checked letter by letter.
const QString Sitio = QStringLiteral("http://127.0.0.1:8123");

struct Ventana final : public VentanaAyuda
{
    QWidget w;
    QStringList pasos; // what the controller asked of the window, in order

    void ponerEstado(int imagen, const QString &texto) override
    {
        pasos << QStringLiteral("estado %1 %2").arg(imagen).arg(texto);
    }
    void mostrarEscritura(bool visible) override
    {
        pasos << (visible ? QStringLiteral("mostrar escritura") : QStringLiteral("ocultar escritura"));
    }
    void limpiarProveedor() override { pasos << QStringLiteral("quitar proveedor"); }
    QWidget *ventana() override { return &w; }
};

struct Banco
{
    ContextoPrueba p;
    Ventana v;
    QMenu ayuda, herramientas;
    QLabel *lblBuscarEmpresa = new QLabel(QStringLiteral("Detectar proveedor"), &v.w);
    ControlesAyuda controles;
    std::unique_ptr<ControladorAyuda> c;

    Banco()
    {
        // As the main window creates them: unavailable until their controller takes them.
        auto accion = [](QMenu &m, const char *texto) {
            QAction *a = m.addAction(QString::fromUtf8(texto));
            a->setEnabled(false);
            return a;
        };
        controles.mnuAyudaWeb = accion(ayuda, "Ayuda de NTX Mensajes");
        controles.mnuAyudaHistoria = accion(ayuda, "Historia de las versiones");
        controles.mnuEstadoServicios = accion(ayuda, "Estado de los servicios");
        controles.mnuntxvarelcomar = accion(ayuda, "Sitio web de ntxVarel!");
        controles.MnuAyudantxVarelAutor = accion(ayuda, "Sitio web del autor");
        controles.mnuforosdentx = accion(ayuda, "Foros de ntxVarel!");
        controles.mnuAyudaComentarios = accion(ayuda, "Enviar un comentario");
        controles.mnuAcercade = accion(ayuda, "Acerca de NTX Mensajes...");
        controles.mnuAsistenteConfiguracion = accion(herramientas, "Asistente para la configuración");
        controles.mnuntxGeo = accion(herramientas, "Detectar proveedor");
        lblBuscarEmpresa->setEnabled(false);
        controles.lblBuscarEmpresa = lblBuscarEmpresa;
        c = std::make_unique<ControladorAyuda>(p.ctx, v, controles);
        // The main area, as the window connects it to the web panels.
        QObject::connect(c.get(), &ControladorAyuda::navegarAreaPrincipal, &v.w,
                         [this](const QString &direccion) { v.pasos << QStringLiteral("navegar ") + direccion; });
        QObject::connect(c.get(), &ControladorAyuda::mostrarAreaPrincipal, &v.w,
                         [this](bool) { v.pasos << QStringLiteral("mostrar area"); });
    }
};

// Runs `accion` while a modal window is expected: `revisar` sees it, then it is closed.
template <typename Accion, typename Revisar> bool conModal(Accion accion, Revisar revisar)
{
    bool visto = false;
    QTimer::singleShot(0, qApp, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        visto = modal != nullptr;
        if (modal) {
            revisar(modal);
            modal->close();
        }
    });
    accion();
    return visto;
}

} // namespace

class tst_ControladorAyuda : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("NTX_SITIO", Sitio.toUtf8()); }

    void enlacesAlNavegador_data()
    {
        QTest::addColumn<QString>("accion");
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<bool>("sinNavegador");
        const QList<std::pair<const char *, QStringList>> enlaces{
            {"Ayuda de NTX Mensajes", {"mnuAyudaWeb", Sitio + "/ir/?id=10"}},
            {"Foros", {"mnuforosdentx", Sitio + "/ir/?id=5"}},
            {"Sitio web de ntxVarel!", {"mnuntxvarelcomar", Sitio + "/"}},
            {"Sitio web del autor", {"MnuAyudantxVarelAutor", Sitio + "/autor/"}},
            {"Detectar proveedor del menú", {"mnuntxGeo", Sitio + "/ir/?id=25"}},
            {"Detectar proveedor junto a la lista", {"lblBuscarEmpresa", Sitio + "/ir/?id=25"}}};
        for (const auto &[nombre, enlace] : enlaces) {
            QTest::newRow(nombre) << enlace[0] << enlace[1] << false;
            // No browser could be started: the user is told the address, to copy it.
            QTest::addRow("%s, sin navegador", nombre) << enlace[0] << enlace[1] << true;
        }
    }

    void enlacesAlNavegador()
    {
        QFETCH(QString, accion);
        QFETCH(QString, direccion);
        QFETCH(bool, sinNavegador);
        Banco b;
        b.p.sistema.fallarNavegador = sinNavegador;
        const QMap<QString, QAction *> acciones{
            {QStringLiteral("mnuAyudaWeb"), b.controles.mnuAyudaWeb},
            {QStringLiteral("mnuforosdentx"), b.controles.mnuforosdentx},
            {QStringLiteral("mnuntxvarelcomar"), b.controles.mnuntxvarelcomar},
            {QStringLiteral("MnuAyudantxVarelAutor"), b.controles.MnuAyudantxVarelAutor},
            {QStringLiteral("mnuntxGeo"), b.controles.mnuntxGeo}};
        if (accion == QLatin1String("lblBuscarEmpresa")) {
            b.v.w.show();
            QVERIFY(b.lblBuscarEmpresa->isEnabled());
            QCOMPARE(b.lblBuscarEmpresa->cursor().shape(), Qt::PointingHandCursor);
            QTest::mouseClick(b.lblBuscarEmpresa, Qt::LeftButton);
        } else {
            QAction *a = acciones.value(accion);
            QVERIFY(a->isEnabled());
            a->trigger();
        }
        QCOMPARE(b.p.sistema.direccionesAbiertas, QStringList{direccion});
        if (sinNavegador) {
            QCOMPARE(b.p.dialogos.llamadas.size(), 1);
            QCOMPARE(b.p.dialogos.llamadas[0].texto,
                     "No se pudo abrir el navegador web con esta dirección:\r\n\r\n" + direccion +
                         "\r\n\r\nCopie la dirección y péguela en su navegador.\r\n\r\nNo hay navegador.");
            QCOMPARE(b.p.dialogos.llamadas[0].titulo, QStringLiteral("NTX Mensajes"));
            QCOMPARE(b.p.dialogos.llamadas[0].icono, Dialogos::Icono::Exclamacion);
            b.p.dialogos.llamadas.clear();
        }
        // Nothing else happens: no other box, no navigation, no program.
        QVERIFY(b.p.dialogos.llamadas.isEmpty());
        QVERIFY(b.v.pasos.isEmpty());
        QVERIFY(b.p.sistema.programasIniciados.isEmpty());
    }

    void areaPrincipal_data()
    {
        QTest::addColumn<QString>("accion");
        QTest::addColumn<QStringList>("pasos");
        QTest::newRow("Historia de las versiones")
            << "mnuAyudaHistoria"
            << QStringList{"ocultar escritura", "navegar file:///tmp/ntx-prueba-programa/logica/historia.htm",
                           "quitar proveedor", "mostrar area"};
        QTest::newRow("Estado de los servicios")
            << "mnuEstadoServicios"
            << QStringList{"estado 5 Listo", "quitar proveedor", "ocultar escritura", "navegar " + Sitio + "/ir/?id=12",
                           "mostrar area"};
    }

    void areaPrincipal()
    {
        QFETCH(QString, accion);
        QFETCH(QStringList, pasos);
        Banco b;
        (accion == QLatin1String("mnuAyudaHistoria") ? b.controles.mnuAyudaHistoria : b.controles.mnuEstadoServicios)
            ->trigger();
        QCOMPARE(b.v.pasos, pasos);
        QVERIFY(b.p.sistema.direccionesAbiertas.isEmpty());
    }

    void comentarios()
    {
        Banco b;
        b.controles.mnuAyudaComentarios->trigger();
        QCOMPARE(b.p.avisos.mostrados.size(), 1);
        const AvisosGuion::Aviso &aviso = b.p.avisos.mostrados.first();
        QCOMPARE(aviso.texto, QStringLiteral("Si necesita ayuda, enviar una sugerencia o reportar un error, por favor "
                                             "vaya a los foros de ntxVarel! desde el menú Ayuda."));
        QCOMPARE(aviso.textoEnlace, QStringLiteral("Haga clic aquí para enviar un comentario a ntxVarel!"));
        QCOMPARE(aviso.direccionEnlace, Sitio + "/ir/?id=6");
        QVERIFY(aviso.claveNoMas.isEmpty());
        QCOMPARE(aviso.dueno, &b.v.w);
    }

    void asistente_data()
    {
        QTest::addColumn<bool>("si");
        QTest::addColumn<bool>("falla");
        QTest::addColumn<QStringList>("iniciados");
        QTest::addColumn<QList<int>>("terminaciones");
        QTest::newRow("sí") << true << false << QStringList{"ntxasistente"} << QList<int>{0};
        QTest::newRow("no") << false << false << QStringList{} << QList<int>{};
        QTest::newRow("sí, pero no arranca") << true << true << QStringList{} << QList<int>{};
    }

    void asistente()
    {
        QFETCH(bool, si);
        QFETCH(bool, falla);
        QFETCH(QStringList, iniciados);
        QFETCH(QList<int>, terminaciones);
        Banco b;
        b.p.dialogos.respuestas << (si ? Dialogos::Respuesta::Si : Dialogos::Respuesta::No);
        b.p.sistema.fallarInicioDeProgramas = falla;
        b.controles.mnuAsistenteConfiguracion->trigger();

        QVERIFY(!b.p.dialogos.llamadas.isEmpty());
        const DialogosGuion::Llamada &pregunta = b.p.dialogos.llamadas.first();
        QCOMPARE(pregunta.texto, QStringLiteral("NTX Mensajes debe cerrarse un momento mientras se ejecuta el "
                                                "Asistente para la configuración.\r\n\r\n¿Continuar ejecutando el "
                                                "Asistente para la configuración de NTX Mensajes?"));
        QCOMPARE(pregunta.titulo, QStringLiteral("NTX Mensajes - Asistente"));
        QCOMPARE(pregunta.icono, Dialogos::Icono::Pregunta);
        QCOMPARE(pregunta.botones, Dialogos::Botones::SiNo);
        QCOMPARE(b.p.sistema.programasIniciados, iniciados);
        if (!iniciados.isEmpty())
            QCOMPARE(b.p.sistema.argumentosDeProgramas.first(), QStringList{});
        QCOMPARE(b.p.sistema.terminaciones, terminaciones);
        if (falla) {
            QCOMPARE(b.p.dialogos.llamadas.size(), 2);
            const DialogosGuion::Llamada &error = b.p.dialogos.llamadas.at(1);
            QCOMPARE(error.texto, QStringLiteral("No se pudo iniciar el Asistente para la configuración, debe "
                                                 "reinstalar NTX Mensajes.\r\n\r\nError: No se encontró el "
                                                 "programa «ntxasistente»."));
            QCOMPARE(error.titulo, QStringLiteral("NTX Mensajes - Asistente"));
            QCOMPARE(error.icono, Dialogos::Icono::Critico);
        } else {
            QCOMPARE(b.p.dialogos.llamadas.size(), 1);
        }
    }

    void acercaDeModal()
    {
        Banco b;
        b.v.w.show();
        QString titulo;
        QWidget *dueno = nullptr;
        QVERIFY(conModal([&] { b.controles.mnuAcercade->trigger(); },
                         [&](QWidget *modal) {
                             titulo = modal->windowTitle();
                             dueno = modal->parentWidget();
                             QVERIFY(qobject_cast<frmacercadentx *>(modal));
                         }));
        QCOMPARE(titulo, QStringLiteral("Acerca de NTX Mensajes"));
        QCOMPARE(dueno, &b.v.w);
    }

    void acercaDeTextos()
    {
        ContextoPrueba p;
        frmacercadentx acerca(p.ctx);
        QCOMPARE(acerca.windowTitle(), QStringLiteral("Acerca de NTX Mensajes"));
        QCOMPARE(acerca.lblTitulo->text(), QStringLiteral("NTX Mensajes"));
        QVERIFY(acerca.lblTitulo->font().bold());
        QCOMPARE(acerca.lblTitulo->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(acerca.lblVersion->text(), QStringLiteral("Versión 2.5.0"));
        QCOMPARE(acerca.lblNombreClave->text(), QStringLiteral("Tavrin"));
        QCOMPARE(acerca.Command1->text(), QStringLiteral("&Aceptar"));
        QCOMPARE(acerca.Label4->text(), QStringLiteral("127.0.0.1:8123"));
        QCOMPARE(acerca.Label5->text(), QStringLiteral("127.0.0.1:8123/autor"));
        QVERIFY(!acerca.lblAviso->text().isEmpty());
        QVERIFY(!acerca.Image1->pixmap().isNull());
        QVERIFY(!acerca.imgCC->pixmap().isNull());
        for (QLabel *l : {acerca.Label4, acerca.Label5, acerca.imgCC})
            QCOMPARE(l->cursor().shape(), Qt::PointingHandCursor);
    }

    void acercaDeEnlaces_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("direccion");
        QTest::newRow("Label4: el sitio de ntxVarel!") << "Label4" << Sitio + "/";
        QTest::newRow("Label5: el sitio del autor") << "Label5" << Sitio + "/autor/";
        QTest::newRow("imgCC") << "imgCC" << Sitio + "/ir/?id=24";
    }

    void acercaDeEnlaces()
    {
        QFETCH(QString, control);
        QFETCH(QString, direccion);
        ContextoPrueba p;
        frmacercadentx acerca(p.ctx);
        acerca.show();
        QVERIFY(QTest::qWaitForWindowExposed(&acerca));
        QTest::mouseClick(acerca.findChild<QLabel *>(control), Qt::LeftButton);
        QCOMPARE(p.sistema.direccionesAbiertas, QStringList{direccion});
        QVERIFY(acerca.isVisible());
        QTest::mouseClick(acerca.Command1, Qt::LeftButton);
        QVERIFY(!acerca.isVisible());
        QCOMPARE(acerca.result(), int(QDialog::Accepted));
    }

    void captura()
    {
        // Set NTX_CAPTURA to a folder, under a real X display, to look at the About box.
        const QString carpeta = qEnvironmentVariable("NTX_CAPTURA");
        if (carpeta.isEmpty())
            QSKIP("NTX_CAPTURA not set");
        ContextoPrueba p;
        frmacercadentx acerca(p.ctx);
        acerca.move(60, 60);
        acerca.show();
        QVERIFY(QTest::qWaitForWindowExposed(&acerca));
        const QRect zona = acerca.frameGeometry().adjusted(-10, -10, 10, 10);
        QVERIFY(QGuiApplication::primaryScreen()
                    ->grabWindow(0, zona.x(), zona.y(), zona.width(), zona.height())
                    .save(carpeta + QStringLiteral("/acercade.png")));
    }
};

QTEST_MAIN(tst_ControladorAyuda)
#include "tst_controladorayuda.moc"

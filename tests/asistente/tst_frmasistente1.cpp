// The wizard's window inside the test process: greeting, stored name, first-run
// key, contact renames and the order of the closing steps.
#include <QTest>

#include "agenda/registrocontacto.h"
#include "asistente/frmasistente1.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"

namespace {

const QString Mensajes = QStringLiteral("Mensajes");

QString Registro(const QString &nombre, const QString &proveedor, const QString &ca, const QString &nu)
{
    QString r;
    Agenda::EscribirRegistro({nombre, proveedor, ca, nu}, &r, nullptr);
    return r;
}

} // namespace

class TstFrmAsistente1 : public QObject
{
    Q_OBJECT
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    std::unique_ptr<frmAsistente1> ventana;

    void abrir()
    {
        ventana = std::make_unique<frmAsistente1>(ServiciosAsistente{ajustes, dialogos, sistema, instancia});
        ventana->Form_Load();
    }

private Q_SLOTS:
    void init()
    {
        ajustes = AjustesMemoria();
        dialogos.llamadas.clear();
        dialogos.respuestas.clear();
        sistema = SistemaFalso();
        instancia.liberarMutex();
    }
    void cleanup() { ventana.reset(); }

    void textosDeLaVentana()
    {
        abrir();
        QCOMPARE(ventana->windowTitle(), QStringLiteral("NTX Mensajes - Asistente para la configuración"));
        QCOMPARE(ventana->lblRemitente0->text(), QStringLiteral("¿Cuál es su nombre?"));
        QCOMPARE(ventana->lblRemitente0explicacion->text(),
                 QStringLiteral("Se usará este nombre como remitente de sus mensajes"));
        QCOMPARE(ventana->cmdCerrar->text(), QStringLiteral("&Cerrar"));
        QVERIFY(instancia.mutexTomado());
    }

    void bienvenida_data()
    {
        QTest::addColumn<QString>("guardado"); // empty: absent
        QTest::addColumn<QString>("saludo");
        QTest::addColumn<QString>("queda");
        QTest::newRow("ausente") << ""
                                 << "Gracias por instalar NTX Mensajes 2.5"
                                 << "";
        QTest::newRow("True") << "True"
                              << "Gracias por instalar NTX Mensajes 2.5"
                              << "True";
        QTest::newRow("False") << "False"
                               << "NTX Mensajes 2.5"
                               << "False";
        QTest::newRow("ilegible") << "quizas"
                                  << "Gracias por instalar NTX Mensajes 2.5"
                                  << "True";
    }
    void bienvenida()
    {
        QFETCH(QString, guardado);
        QFETCH(QString, saludo);
        QFETCH(QString, queda);
        if (!guardado.isEmpty())
            ajustes.escribir(Mensajes, QStringLiteral("PrimeraVez2_5"), guardado);
        abrir();
        QCOMPARE(ventana->lblPresentacion->text(), saludo);
        QCOMPARE(ajustes.leer(Mensajes, QStringLiteral("PrimeraVez2_5")), queda);
    }

    void muestraElRemitenteGuardado()
    {
        ajustes.escribir(Mensajes, QStringLiteral("Remitente0"), QStringLiteral("Marta"));
        abrir();
        QCOMPARE(ventana->txtRemitente0->text(), QStringLiteral("Marta"));
    }

    void cierre_data()
    {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<QString>("remitente");
        QTest::addColumn<bool>("iniciaCliente");
        QTest::newRow("normal") << ""
                                << "Juan"
                                << "Juan" << true;
        QTest::newRow("recortado") << ""
                                   << "  Juan Pérez  "
                                   << "Juan Pérez" << true;
        QTest::newRow("vacio conserva") << ""
                                        << "   "
                                        << "Anterior" << true;
        QTest::newRow("noejecutar") << "/noejecutar"
                                    << "Ana"
                                    << "Ana" << false;
        QTest::newRow("NOEJECUTAR en medio") << "-x /NoEjecutar -y"
                                             << "Ana"
                                             << "Ana" << false;
    }
    void cierre()
    {
        QFETCH(QString, linea);
        QFETCH(QString, escrito);
        QFETCH(QString, remitente);
        QFETCH(bool, iniciaCliente);
        ajustes.escribir(Mensajes, QStringLiteral("Remitente0"), QStringLiteral("Anterior"));
        sistema.linea = linea;
        abrir();
        ventana->txtRemitente0->setText(escrito);
        // The client must be started only once the mutex is free.
        bool mutexLibreAlIniciar = false;
        sistema.alIniciarPrograma = [&](const QString &) { mutexLibreAlIniciar = !instancia.mutexTomado(); };
        ventana->cmdCerrar_Click();
        QCOMPARE(ajustes.leer(Mensajes, QStringLiteral("Remitente0")), remitente);
        QCOMPARE(ajustes.leer(Mensajes, QStringLiteral("PrimeraVez2_5")), QStringLiteral("False"));
        QVERIFY(!instancia.mutexTomado());
        QCOMPARE(sistema.programasIniciados,
                 iniciaCliente ? QStringList{QStringLiteral("ntxmensajes")} : QStringList{});
        if (iniciaCliente)
            QVERIFY(mutexLibreAlIniciar);
        QCOMPARE(sistema.terminaciones.size(), 1);
        QVERIFY(dialogos.llamadas.isEmpty());
    }

    void nombreConMarcaRechazado()
    {
        ajustes.escribir(Mensajes, QStringLiteral("Remitente0"), QStringLiteral("Anterior"));
        abrir();
        ventana->txtRemitente0->setText(QStringLiteral("Juan$_NU05x"));
        ventana->cmdCerrar_Click();
        QCOMPARE(ajustes.leer(Mensajes, QStringLiteral("Remitente0")), QStringLiteral("Anterior"));
        QCOMPARE(dialogos.llamadas.size(), 1);
        QVERIFY(dialogos.llamadas.at(0).texto.contains(QStringLiteral("«$_»")));
        QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Exclamacion);
        QVERIFY(sistema.terminaciones.isEmpty());
        QVERIFY(sistema.programasIniciados.isEmpty());
        // Corrected, it closes as usual.
        ventana->txtRemitente0->setText(QStringLiteral("Juan"));
        ventana->cmdCerrar_Click();
        QCOMPARE(ajustes.leer(Mensajes, QStringLiteral("Remitente0")), QStringLiteral("Juan"));
        QCOMPARE(sistema.terminaciones.size(), 1);
    }

    void cerrarLaVentanaHaceLoMismo()
    {
        abrir();
        ventana->show();
        ventana->txtRemitente0->setText(QStringLiteral("Eva"));
        QVERIFY(!ventana->close());
        QVERIFY(ventana->isVisible());
        QCOMPARE(ajustes.leer(Mensajes, QStringLiteral("Remitente0")), QStringLiteral("Eva"));
        QCOMPARE(sistema.programasIniciados, QStringList{QStringLiteral("ntxmensajes")});
        QCOMPARE(sistema.terminaciones.size(), 1);
    }

    void clienteQueNoArranca()
    {
        sistema.fallarInicioDeProgramas = true;
        abrir();
        ventana->cmdCerrar_Click();
        QCOMPARE(dialogos.llamadas.size(), 1);
        QCOMPARE(dialogos.llamadas.at(0).titulo, QStringLiteral("NTX Mensajes"));
        QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Critico);
        QVERIFY(dialogos.llamadas.at(0).texto.startsWith(
            QStringLiteral("No se pudo iniciar NTX Mensajes, intente reinstalar la aplicación\r\n\r\nError: ")));
        QCOMPARE(sistema.terminaciones.size(), 1);
        QCOMPARE(ajustes.leer(Mensajes, QStringLiteral("PrimeraVez2_5")), QStringLiteral("False"));
    }

    void renombraContactosAntiguos()
    {
        const QString Claro = QStringLiteral("Argentina - Claro");
        const QString cti = Registro("Ana", QStringLiteral("Argentina - CTI Móvil"), "11", "40001234");
        const QString movilnet = Registro("Pedro", QStringLiteral("Venezuela - Movilnet"), "16", "1234567");
        const QString roto = QStringLiteral("$_NO04Rota$_PR34Argentina - Personal [Servidor #1]$_CA02");
        // Read back whole by its lengths, but a rewrite would store "$_" inside a field again.
        const QString conMarca = QStringLiteral("$_NO06Ma$_ri$_PR21Argentina - CTI Móvil$_CA0211$_NU014");
        ajustes.escribir(SeccionAgenda, QStringLiteral("Ma$_ri"), conMarca);
        ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"), cti);
        ajustes.escribir(SeccionAgenda, QStringLiteral("Pedro"), movilnet);
        ajustes.escribir(SeccionAgenda, QStringLiteral("Rota"), roto);
        ajustes.escribir(SeccionAgenda, QStringLiteral("Luis"),
                         Registro("Luis", QStringLiteral("Argentina - Personal [Servidor #3]"), "351", "5"));
        abrir();
        QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("Ana")), Registro("Ana", Claro, "11", "40001234"));
        QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("Pedro")), movilnet);
        QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("Rota")), roto);
        QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("Ma$_ri")), conMarca);
        QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("Luis")),
                 Registro("Luis", QStringLiteral("Argentina - Personal"), "351", "5"));
        QCOMPARE(ajustes.enumerar(SeccionAgenda).size(), 5);
    }

    void escrituraFallidaDetieneLaActualizacion()
    {
        ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"),
                         Registro("Ana", QStringLiteral("Argentina - CTI Móvil"), "11", "4"));
        ajustes.fallarEscrituras = true;
        const int escriturasAntes = ajustes.escrituras;
        QCOMPARE(frmAsistente1::ActualizarContactos(ajustes), 0);
        QCOMPARE(ajustes.escrituras, escriturasAntes + 1); // one failed attempt, then stop
    }
};

QTEST_MAIN(TstFrmAsistente1)
#include "tst_frmasistente1.moc"

// Every window of the program, built with the fonts it asks for: no caption of a
// label, button or check box may be wider than what its control shows.
#include "agenda/frmagenda.h"
#include "agenda/frmcontacto.h"
#include "agenda/principalagenda.h"
#include "asistente/frmasistente1.h"
#include "comando/frmactualizar.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "dobles/vistawebguion.h"
#include "envio/frmverificacion.h"
#include "envio/frmverificacionmovilnet.h"
#include "envio/frmverificacionpersonal.h"
#include "envio/mensajesaliente.h"
#include "historial/frmhistorial.h"
#include "historial/principalhistorial.h"
#include "mejoras/frmabreviaturanueva.h"
#include "mejoras/frmabreviaturas.h"
#include "mejoras/frmpreferencias.h"
#include "plataforma/fuentes.h"
#include "shell/frmacercadentx.h"
#include "shell/frmbrowser.h"
#include "shell/frmdialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

class Principal final : public PrincipalAgenda, public PrincipalHistorial, public VentanaPreferencias
{
public:
    void NuevoContacto() override {}
    bool ModificarContacto(const QString &, const QString &, const QString &, const QString &) override
    {
        return false;
    }
    void EscribirAContacto(const QString &, const QString &, const QString &, const QString &) override {}
    void ActualizarAgenda() override {}
    void IniciarPanelContactos() override {}
    QWidget *ventana() override { return nullptr; }
    bool escrituraVisible() const override { return true; }
    void reenviar(const QString &, const QString &) override {}
    void enfocarDestino() override {}
    bool historialPermanente() const override { return false; }
    void ponerHistorialPermanente(bool) override {}
};

struct Entorno
{
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos;
    Principal principal;
    Contexto ctx{ajustes,      dialogos,
                 sistema,      instancia,
                 avisos,       [](QWidget *padre) { return static_cast<VistaWeb *>(new VistaWebGuion(padre)); },
                 Direcciones{}};
    MensajeSaliente mensaje;
    Entorno()
    {
        mensaje.ProveedorActual = QStringLiteral("Argentina - Claro");
        mensaje.destinatario.nombre = QStringLiteral("Juan");
        mensaje.destinatario.agendado = true;
    }
};

using Fabrica = std::function<QWidget *(Entorno &)>;

} // namespace

Q_DECLARE_METATYPE(Fabrica)

class tst_textosvisibles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { PrepararFuentes(); }

    void textosEnteros_data()
    {
        QTest::addColumn<Fabrica>("fabrica");
        QTest::newRow("frmBrowser") << Fabrica([](Entorno &e) -> QWidget * {
            auto *v = new frmBrowser(e.ctx);
            // The composer's panels are shown once a provider is chosen.
            const QList<QWidget *> hijos = v->findChildren<QWidget *>();
            for (QWidget *w : hijos)
                w->setVisible(true);
            return v;
        });
        QTest::newRow("frmContacto") << Fabrica([](Entorno &e) -> QWidget * { return new frmContacto(e.ctx, [] {}); });
        QTest::newRow("frmAgenda") << Fabrica(
            [](Entorno &e) -> QWidget * { return new frmAgenda(e.ctx, e.principal); });
        QTest::newRow("frmHistorial") << Fabrica(
            [](Entorno &e) -> QWidget * { return new frmHistorial(e.ctx, e.principal); });
        QTest::newRow("frmPreferencias") << Fabrica(
            [](Entorno &e) -> QWidget * { return new frmPreferencias(e.ctx, e.principal); });
        QTest::newRow("frmAbreviaturas") << Fabrica(
            [](Entorno &e) -> QWidget * { return new frmAbreviaturas(e.ctx, [] {}); });
        QTest::newRow("frmAbreviaturaNueva")
            << Fabrica([](Entorno &e) -> QWidget * { return new frmAbreviaturaNueva(e.ctx); });
        QTest::newRow("frmVerificacion") << Fabrica(
            [](Entorno &e) -> QWidget * { return new frmVerificacion(e.ctx, e.mensaje); });
        QTest::newRow("frmVerificacionMovilnet")
            << Fabrica([](Entorno &e) -> QWidget * { return new frmVerificacionMovilnet(e.ctx, e.mensaje); });
        QTest::newRow("frmVerificacionPersonal") << Fabrica([](Entorno &e) -> QWidget * {
            auto *v = new frmVerificacionPersonal(e.ctx, e.mensaje, QStringLiteral("ntx"));
            // Enter on an empty code puts up the longer caption once the window is on screen.
            QTimer::singleShot(0, v, [v] {
                QTest::keyClick(ControlesFrmVerificacionPersonal::buscar(*v).txtVerificacion, Qt::Key_Return);
            });
            return v;
        });
        QTest::newRow("frmDialog") << Fabrica([](Entorno &e) -> QWidget * { return new frmDialog(e.ctx); });
        QTest::newRow("frmacercadentx") << Fabrica([](Entorno &e) -> QWidget * { return new frmacercadentx(e.ctx); });
        QTest::newRow("frmActualizar") << Fabrica([](Entorno &e) -> QWidget * { return new frmActualizar(e.ctx); });
        QTest::newRow("frmAsistente1") << Fabrica([](Entorno &e) -> QWidget * {
            return new frmAsistente1({e.ajustes, e.dialogos, e.sistema, e.instancia});
        });
    }

    void textosEnteros()
    {
        QFETCH(Fabrica, fabrica);
        Entorno e;
        std::unique_ptr<QWidget> ventana(fabrica(e));
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana.get()));
        QCoreApplication::processEvents();
        QStringList cortados, deOtroSistema;
        const auto revisar = [&] {
            const QList<QWidget *> controles = ventana->findChildren<QWidget *>();
            for (const QWidget *control : controles) {
                if (!control->isVisible() ||
                    (!qobject_cast<const QLabel *>(control) && !qobject_cast<const QAbstractButton *>(control)))
                    continue;
                const auto *conTexto = qobject_cast<const QLabel *>(control);
                const QString texto =
                    conTexto ? conTexto->text() : qobject_cast<const QAbstractButton *>(control)->text();
                // The desktop is not named after another system ("área de notificación de Windows").
                if (texto.contains(QLatin1String("Windows")))
                    deOtroSistema << control->objectName() + QStringLiteral(" \"") + texto + QLatin1Char('"');
                const int falta = DesbordeDeTexto(control);
                if (falta > 0) {
                    const auto *etiqueta = qobject_cast<const QLabel *>(control);
                    const auto *boton = qobject_cast<const QAbstractButton *>(control);
                    cortados << QStringLiteral("%1 \"%2\" (%3 px)")
                                    .arg(control->objectName(), etiqueta ? etiqueta->text() : boton->text())
                                    .arg(falta);
                }
            }
        };
        revisar();
        // Every page of every tab strip, as the user would open them.
        const QList<QTabBar *> pestanas = ventana->findChildren<QTabBar *>();
        for (QTabBar *barra : pestanas) {
            for (int i = 0; i < barra->count(); ++i) {
                barra->setCurrentIndex(i);
                QCoreApplication::processEvents();
                revisar();
            }
        }
        cortados.removeDuplicates();
        QVERIFY2(cortados.isEmpty(), qPrintable(cortados.join(QStringLiteral("; "))));
        deOtroSistema.removeDuplicates();
        QVERIFY2(deOtroSistema.isEmpty(), qPrintable(deOtroSistema.join(QStringLiteral("; "))));
    }

    // The check itself: a caption one letter too long for its label is caught.
    void detectaUnTextoCortado()
    {
        QWidget padre;
        auto *etiqueta = new QLabel(QStringLiteral("Detectar proveedor"), &padre);
        etiqueta->resize(etiqueta->fontMetrics().horizontalAdvance(etiqueta->text()) - 1, 20);
        auto *vecino = new QLabel(QStringLiteral("x"), &padre);
        vecino->setGeometry(etiqueta->width(), 0, 20, 20);
        QCOMPARE(DesbordeDeTexto(etiqueta), 1);
        // With a neighbour right beside it there is no room to grow; without one it grows.
        AjustarTextos(&padre);
        QCOMPARE(DesbordeDeTexto(etiqueta), 1);
        delete vecino;
        AjustarTextos(&padre);
        QCOMPARE(DesbordeDeTexto(etiqueta), 0);
        etiqueta->setWordWrap(true);
        etiqueta->resize(10, 20);
        QCOMPARE(DesbordeDeTexto(etiqueta), 0);
    }
};

QTEST_MAIN(tst_textosvisibles)
#include "tst_textosvisibles.moc"

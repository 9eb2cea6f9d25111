// The main window's contact handlers: recipient label, quick slots, contacts
// panel, the command line and writing to a stored contact.
#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>
#include <QTimer>

#include "agenda/frmagenda.h"
#include "agenda/frmcontacto.h"
#include "agenda/grupos.h"
#include "agenda/paneldestinatario.h"
#include "agenda/registrocontacto.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/controlesventana.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "dobles/vistawebguion.h"
#include "envio/frmcola.h"
#include "shell/frmbrowser.h"

namespace {

const QString Personal = QStringLiteral("Argentina - Personal");

QString Registro(const QString &nombre, const QString &proveedor, const QString &ca, const QString &nu)
{
    QString r;
    Agenda::EscribirRegistro({nombre, proveedor, ca, nu}, &r, nullptr);
    return r;
}

// A store whose section listing fails, as a damaged or locked file would.
class AjustesIlegibles final : public Ajustes
{
public:
    explicit AjustesIlegibles(AjustesMemoria &base)
        : m(base)
    {}
    QString leer(const QString &s, const QString &c, const QString &d = {}) const override { return m.leer(s, c, d); }
    bool escribir(const QString &s, const QString &c, const QString &v) override { return m.escribir(s, c, v); }
    bool borrarClave(const QString &s, const QString &c, QString *e = nullptr) override
    {
        return m.borrarClave(s, c, e);
    }
    bool borrarSeccion(const QString &s) override { return m.borrarSeccion(s); }
    ParesAjustes enumerar(const QString &) const override { return {}; }
    bool enumerarConEstado(const QString &, ParesAjustes *pares) const override
    {
        pares->clear();
        return false;
    }
    AjustesMemoria &m;
};

// Answers the next modal window of type T once it is up.
template <typename T = frmContacto, typename F> void AlAbrirseElDialogo(F accion)
{
    QTimer::singleShot(0, qApp, [accion] {
        auto *dlg = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dlg) {
            AlAbrirseElDialogo<T>(accion);
            return;
        }
        accion(dlg);
    });
}

} // namespace

class TstFrmBrowserAgenda : public QObject
{
    Q_OBJECT
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos;
    std::unique_ptr<Contexto> ctx;
    std::unique_ptr<frmBrowser> w;

    void guardar(const QString &n, const QString &p, const QString &ca, const QString &nu)
    {
        ajustes.escribir(SeccionAgenda, n, Registro(n, p, ca, nu));
    }
    void abrir(Ajustes *otro = nullptr)
    {
        ctx = std::make_unique<Contexto>(
            otro ? *otro : static_cast<Ajustes &>(ajustes), dialogos, sistema, instancia, avisos,
            [](QWidget *p) { return new VistaWebGuion(p); }, Direcciones::desdeEntorno());
        w = std::make_unique<frmBrowser>(*ctx);
        controlesDe(*w).picContactos->ActualizarAgenda();
    }
    void elegirProveedor(const QString &p)
    {
        controlesDe(*w).cboAddress->setCurrentIndex(controlesDe(*w).cboAddress->findText(p));
        w->cboAddress_Click();
    }

private Q_SLOTS:
    void init()
    {
        ajustes = AjustesMemoria();
        dialogos.llamadas.clear();
        dialogos.respuestas.clear();
        sistema = SistemaFalso();
    }
    void cleanup()
    {
        w.reset();
        ctx.reset();
    }

    void destinatarioPorNumero_data()
    {
        QTest::addColumn<bool>("conContactos");
        QTest::addColumn<QString>("codArea");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("etiqueta");
        QTest::addColumn<bool>("agendarVisible");
        QTest::addColumn<bool>("agendarHabilitado");
        QTest::newRow("vacios") << true << ""
                                << ""
                                << "(Ninguno)" << true << false;
        QTest::newRow("exacto") << true << "351"
                                << "5551234"
                                << "Juan" << false << false;
        QTest::newRow("otros largos") << true << "35"
                                      << "15551234"
                                      << "(No agendado)" << true << true;
        QTest::newRow("sin contactos") << false << "351"
                                       << "5551234"
                                       << "(No agendado)" << true << true;
        QTest::newRow("sin contactos, vacios") << false << ""
                                               << ""
                                               << "(Ninguno)" << true << false;
    }
    void destinatarioPorNumero()
    {
        QFETCH(bool, conContactos);
        QFETCH(QString, codArea);
        QFETCH(QString, numero);
        QFETCH(QString, etiqueta);
        QFETCH(bool, agendarVisible);
        QFETCH(bool, agendarHabilitado);
        if (conContactos)
            guardar(QStringLiteral("Juan"), Personal, QStringLiteral("351"), QStringLiteral("5551234"));
        abrir();
        elegirProveedor(Personal);
        controlesDe(*w).txtCodArea->setText(codArea);
        // Every change of a destination box looks the recipient up.
        controlesDe(*w).txtNumero->setText(numero);
        QCOMPARE(controlesDe(*w).lblNombreDestinatario->text(), etiqueta);
        QCOMPARE(!controlesDe(*w).cmdAgendar->isHidden(), agendarVisible);
        QCOMPARE(controlesDe(*w).cmdAgendar->isEnabled(), agendarHabilitado);
        QCOMPARE(!controlesDe(*w).cmdAlEscritorio->isHidden(), !agendarVisible);
        QCOMPARE(controlesDe(*w).cmdAlEscritorio->isEnabled(), !agendarVisible);
    }

    void destinatarioPorAlias()
    {
        guardar(QStringLiteral("Pin"), Personal, QStringLiteral("alias"), QStringLiteral("AB12"));
        abrir();
        // The alias box shown instead of the number boxes, as for a provider with aliases.
        controlesDe(*w).txtCodArea->hide();
        controlesDe(*w).txtalias->show();
        controlesDe(*w).txtCodArea->setText(QStringLiteral("351")); // not what is looked up in alias mode
        controlesDe(*w).txtalias->setText(QStringLiteral("ab12"));
        QCOMPARE(controlesDe(*w).lblNombreDestinatario->text(), QStringLiteral("Pin"));
        controlesDe(*w).txtalias->setText(QStringLiteral("AB1"));
        QCOMPARE(controlesDe(*w).lblNombreDestinatario->text(), QStringLiteral("(No agendado)"));
        controlesDe(*w).txtalias->clear();
        QCOMPARE(controlesDe(*w).lblNombreDestinatario->text(), QStringLiteral("(Ninguno)"));
        QVERIFY(!controlesDe(*w).cmdAgendar->isEnabled());
    }

    void rapidas()
    {
        guardar(QStringLiteral("Juan"), Personal, QStringLiteral("351"), QStringLiteral("5551234"));
        ajustes.escribir(SeccionMensajes, QStringLiteral("Rapida1"), QStringLiteral("Juan"));
        ajustes.escribir(SeccionMensajes, QStringLiteral("Rapida10"), QStringLiteral("Borrado"));
        abrir();
        QCOMPARE(ctx->contactos.size(), 1);
        QCOMPARE(controlesDe(*w).accionesRapidas[0]->text(), QStringLiteral("Juan"));
        QVERIFY(controlesDe(*w).accionesRapidas[0]->isEnabled());
        QCOMPARE(controlesDe(*w).accionesRapidas[9]->text(), QStringLiteral("[Número Rápido 10]"));
        QVERIFY(!controlesDe(*w).accionesRapidas[9]->isEnabled());
        QCOMPARE(ajustes.leer(SeccionMensajes, QStringLiteral("Rapida10"), QStringLiteral("-")), QStringLiteral("-"));
        QCOMPARE(ajustes.leer(SeccionMensajes, QStringLiteral("Rapida1")), QStringLiteral("Juan"));
        for (int i = 1; i < 9; ++i)
            QCOMPARE(controlesDe(*w).accionesRapidas[i]->text(), Agenda::TextoRapidaVacia(i + 1));
    }

    void lecturaFallidaNoBorraRapidas()
    {
        guardar(QStringLiteral("Juan"), Personal, QStringLiteral("351"), QStringLiteral("5551234"));
        ajustes.escribir(SeccionMensajes, QStringLiteral("Rapida1"), QStringLiteral("Juan"));
        AjustesIlegibles ilegibles(ajustes);
        abrir(&ilegibles);
        QVERIFY(ctx->contactos.isEmpty());
        QVERIFY(!controlesDe(*w).accionesRapidas[0]->isEnabled());
        QCOMPARE(ajustes.leer(SeccionMensajes, QStringLiteral("Rapida1")), QStringLiteral("Juan"));
    }

    void panelDeContactos()
    {
        abrir();
        controlesDe(*w).picContactos->IniciarPanelContactos();
        QCOMPARE(controlesDe(*w).tvwContactos->topLevelItemCount(), 1);
        QCOMPARE(controlesDe(*w).tvwContactos->topLevelItem(0)->text(0),
                 QStringLiteral("No hay contactos en la Agenda"));
        QVERIFY(!controlesDe(*w).tvwContactos->topLevelItem(0)->data(0, Qt::UserRole).isValid());
        QVERIFY(!controlesDe(*w).cmdEscribirA->isEnabled());

        guardar(QStringLiteral("Zoe"), Personal, QStringLiteral("1"), QStringLiteral("2"));
        guardar(QStringLiteral("Ana"), Personal, QStringLiteral("3"), QStringLiteral("4"));
        controlesDe(*w).picContactos->IniciarPanelContactos();
        QCOMPARE(controlesDe(*w).tvwContactos->topLevelItemCount(), 2);
        QCOMPARE(controlesDe(*w).tvwContactos->topLevelItem(0)->text(0), QStringLiteral("Zoe")); // store order
        QCOMPARE(controlesDe(*w).tvwContactos->topLevelItem(1)->data(0, Qt::UserRole).toString(),
                 Registro(QStringLiteral("Ana"), Personal, QStringLiteral("3"), QStringLiteral("4")));
        QCOMPARE(controlesDe(*w).tvwContactos->currentItem(), controlesDe(*w).tvwContactos->topLevelItem(0));
        QVERIFY(controlesDe(*w).cmdEscribirA->isEnabled());
    }

    // The menu key on the contacts offers what the buttons below them do: "Escribir" by its letter.
    void menuDeContactosConTeclado()
    {
        guardar(QStringLiteral("Zoe"), Personal, QStringLiteral("351"), QStringLiteral("5551234"));
        abrir();
        w->show();
        controlesDe(*w).picContactos->IniciarPanelContactos();
        QStringList opciones;
        QTimer::singleShot(0, w.get(), [&opciones] {
            QWidget *menu = QApplication::activePopupWidget();
            QVERIFY(menu);
            for (const QAction *a : menu->actions())
                opciones << a->text();
            QTest::keyClick(menu, Qt::Key_E);
        });
        QTreeWidget *lista = controlesDe(*w).tvwContactos;
        QContextMenuEvent tecla(QContextMenuEvent::Keyboard, QPoint(4, 4), lista->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(lista, &tecla);
        QCOMPARE(opciones, QStringList({"&Escribir", "Abrir &Agenda"}));
        QCOMPARE(controlesDe(*w).cboAddress->currentText(), Personal);
        QCOMPARE(controlesDe(*w).txtNumero->text(), QStringLiteral("5551234"));
    }

    void lineaDeComandos_data()
    {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<QString>("propia"); // the process's own command line
        QTest::addColumn<QString>("numero");
        QTest::addColumn<int>("mensajes");
        QTest::newRow("nombre") << "/c:\"Juan\""
                                << ""
                                << "5551234" << 0;
        QTest::newRow("la propia") << ""
                                   << "/C:\"juan\""
                                   << "5551234" << 0;
        QTest::newRow("sin comillas") << "/c:Juan"
                                      << ""
                                      << "" << 1;
        QTest::newRow("vacio") << "/c:\"\""
                               << ""
                               << "" << 1;
        QTest::newRow("nadie") << "/c:\"Pedro\""
                               << ""
                               << "" << 0;
        QTest::newRow("sin argumento") << ""
                                       << ""
                                       << "" << 0;
    }
    void lineaDeComandos()
    {
        QFETCH(QString, linea);
        QFETCH(QString, propia);
        QFETCH(QString, numero);
        QFETCH(int, mensajes);
        guardar(QStringLiteral("Juan"), Personal, QStringLiteral("351"), QStringLiteral("5551234"));
        sistema.linea = propia;
        abrir();
        int ocultada = 0;
        w->ocultarPresentacion = [&] { ++ocultada; };
        const QString numeroAntes = controlesDe(*w).txtNumero->text();
        controlesDe(*w).picContactos->ProcesarLineaDeComandos(linea);
        QCOMPARE(controlesDe(*w).txtNumero->text(), numero.isEmpty() ? numeroAntes : numero);
        QCOMPARE(dialogos.llamadas.size(), mensajes);
        if (mensajes) {
            QCOMPARE(dialogos.llamadas.at(0).texto,
                     QStringLiteral("El argumento c: de la línea de comandos tiene una sintaxis no válida. Use "
                                    "comillas para encerrar el nombre del contacto."));
            QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Exclamacion);
        }
        if (!numero.isEmpty()) {
            QCOMPARE(controlesDe(*w).cboAddress->currentText(), Personal);
            QCOMPARE(controlesDe(*w).txtCodArea->text(), QStringLiteral("351"));
            QCOMPARE(ocultada, 1);
            QVERIFY(w->isVisible());
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(controlesDe(*w).txtmsj));
        }
    }

    // Several recipients chosen in each way the window offers; the recipient row,
    // its tool tip and the counter's limit with the provider that sets it.
    void variosDestinatarios_data()
    {
        QTest::addColumn<QString>("como");
        QTest::addColumn<QString>("argumento");
        QTest::addColumn<QString>("para");
        QTest::addColumn<int>("maximo");
        QTest::newRow("dos /c:") << "linea"
                                 << "/c:\"Ana\" /c:\"Juan\""
                                 << "Para: Ana y Juan" << 140;
        QTest::newRow("/g:") << "linea"
                             << "/g:\"Amigos\""
                             << "Para: Juan, Ana y Eva" << 120;
        QTest::newRow("ctrl-clic en el panel") << "panel"
                                               << "Juan,Eva"
                                               << "Para: Juan y Eva" << 120;
        QTest::newRow("ctrl+a en el panel") << "todos"
                                            << ""
                                            << "Para: Juan, Ana y Eva" << 120;
        QTest::newRow("grupo en el panel") << "panel"
                                           << "Grupo: Amigos"
                                           << "Para: Juan, Ana y Eva" << 120;
        QTest::newRow("escribir a en la agenda") << "agenda"
                                                 << "Amigos"
                                                 << "Para: Juan, Ana y Eva" << 120;
        QTest::newRow("uno solo: como siempre") << "linea"
                                                << "/c:\"Juan\""
                                                << "Juan" << 140;
    }
    void variosDestinatarios()
    {
        QFETCH(QString, como);
        QFETCH(QString, argumento);
        guardar(QStringLiteral("Juan"), Personal, QStringLiteral("351"), QStringLiteral("5551234"));
        guardar(QStringLiteral("Ana"), Personal, QStringLiteral("351"), QStringLiteral("5551235"));
        guardar(QStringLiteral("Eva"), QStringLiteral("Venezuela - Movilnet"), QStringLiteral("16"),
                QStringLiteral("1234567"));
        Agenda::Grupos grupos(ajustes);
        grupos.crear(QStringLiteral("Amigos"), nullptr);
        grupos.agregar(QStringLiteral("Amigos"), {"Juan", "Ana", "Eva"}, nullptr);
        abrir();
        w->show();
        auto &c = controlesDe(*w);
        c.picContactos->IniciarPanelContactos();
        if (como == "linea") {
            c.picContactos->ProcesarLineaDeComandos(argumento);
        } else if (como == "agenda") {
            c.picContactos->EscribirAVarios({}, argumento);
        } else if (como == "todos") {
            // Ctrl+A in the tree, before the menu's shortcut of the same keys.
            c.tvwContactos->setFocus();
            QTest::keyClick(c.tvwContactos, Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(c.tvwContactos->selectedItems().size(), 4);
            QTest::mouseClick(c.cmdEscribirA, Qt::LeftButton);
        } else {
            c.tvwContactos->clearSelection();
            for (const QString &n : argumento.split(u',')) {
                QTreeWidgetItem *nodo = c.tvwContactos->findItems(n, Qt::MatchExactly).value(0);
                QVERIFY(nodo);
                QTest::mouseClick(c.tvwContactos->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                  c.tvwContactos->visualItemRect(nodo).center());
            }
            QTest::mouseClick(c.cmdEscribirA, Qt::LeftButton);
        }
        QTEST(c.lblNombreDestinatario->text(), "para");
        QTEST(c.txtmaxcar->text().toInt(), "maximo");
        QVERIFY(dialogos.llamadas.isEmpty());
        auto *fra = w->findChild<PanelDestinatario *>(QStringLiteral("fraDestinatario"));
        if (fra->varios().isEmpty()) {
            QCOMPARE(c.txtNumero->text(), QStringLiteral("5551234")); // the single way
            return;
        }
        QCOMPARE(c.lblNombreDestinatario->toolTip(), fra->varios().join(u'\n'));
        QGroupBox *composicion = &w->composicion();
        QVERIFY(composicion->title().startsWith(QStringLiteral("Varios destinatarios: límite de ")));
        QVERIFY(composicion->title().endsWith(QTest::currentDataTag() == QByteArray("dos /c:")
                                                  ? QStringLiteral("Argentina - Personal")
                                                  : QStringLiteral("Venezuela - Movilnet")));

        // A number typed in the composer goes back to one recipient, as today.
        QTest::keyClicks(c.txtCodArea, QStringLiteral("3"));
        QVERIFY(fra->varios().isEmpty());
        QCOMPARE(composicion->title(), QStringLiteral("Número destinatario"));
    }

    void quitarDestinatarioYEnviarALaCola()
    {
        guardar(QStringLiteral("Juan"), Personal, QStringLiteral("351"), QStringLiteral("5551234"));
        guardar(QStringLiteral("Ana"), Personal, QStringLiteral("351"), QStringLiteral("5551235"));
        guardar(QStringLiteral("Eva"), Personal, QStringLiteral("351"), QStringLiteral("5551236"));
        abrir();
        w->show();
        auto &c = controlesDe(*w);
        c.picContactos->ProcesarLineaDeComandos(QStringLiteral("/c:\"Juan\" /c:\"Ana\" /c:\"Eva\""));
        auto *fra = w->findChild<PanelDestinatario *>(QStringLiteral("fraDestinatario"));
        auto *lista = fra->findChild<QPushButton *>(QStringLiteral("cmdDestinatarios"));
        auto *menu = fra->findChild<QMenu *>(QStringLiteral("mnuDestinatarios"));
        QVERIFY(lista->isVisibleTo(w.get()));
        QTest::mouseClick(lista, Qt::LeftButton);
        QCOMPARE(menu->actions().size(), 3);
        menu->actions().at(1)->trigger(); // "Quitar a Ana"
        QCOMPARE(c.lblNombreDestinatario->text(), QStringLiteral("Para: Juan y Eva"));

        // "Enviar Mensaje" asks first; "No" opens nothing and leaves the composer as it was.
        c.cboRemitente->setEditText(QStringLiteral("Yo"));
        c.txtmsj->setPlainText(QStringLiteral("Hola"));
        dialogos.respuestas = {Dialogos::Respuesta::No};
        QTest::mouseClick(c.cmdEnviar, Qt::LeftButton);
        QCOMPARE(dialogos.llamadas.size(), 1);
        QVERIFY(dialogos.llamadas.at(0).texto.startsWith(QStringLiteral("Se enviarán 2 mensajes a 1 proveedor.")));
        QVERIFY(!w->cola().activa());
        QCOMPARE(c.txtmsj->toPlainText(), QStringLiteral("Hola"));

        // Removing down to one: that contact the single way.
        QTest::mouseClick(lista, Qt::LeftButton);
        menu->actions().at(0)->trigger(); // "Quitar a Juan"
        QVERIFY(fra->varios().isEmpty());
        QCOMPARE(c.lblNombreDestinatario->text(), QStringLiteral("Eva"));
        QCOMPARE(c.txtNumero->text(), QStringLiteral("5551236"));
    }

    void cerrarDuranteLaColaPregunta()
    {
        guardar(QStringLiteral("Juan"), Personal, QStringLiteral("351"), QStringLiteral("5551234"));
        guardar(QStringLiteral("Ana"), Personal, QStringLiteral("351"), QStringLiteral("5551235"));
        abrir();
        w->show();
        auto &c = controlesDe(*w);
        // The send-rate window is full: the queue waits, and the window is closed meanwhile.
        w->envio().ContadorCorto = 8;
        c.picContactos->ProcesarLineaDeComandos(QStringLiteral("/c:\"Juan\" /c:\"Ana\""));
        c.cboRemitente->setEditText(QStringLiteral("Yo"));
        c.txtmsj->setPlainText(QStringLiteral("Hola"));
        QTest::mouseClick(c.cmdEnviar, Qt::LeftButton);
        QVERIFY(w->cola().activa());
        QTRY_VERIFY(
            w->cola().ventana()->findChild<QLabel *>(QStringLiteral("lblEspera"))->isVisibleTo(w->cola().ventana()));
        dialogos.respuestas = {Dialogos::Respuesta::No};
        QVERIFY(!w->close());
        QVERIFY(w->cola().activa());
        QCOMPARE(dialogos.llamadas.last().texto,
                 QStringLiteral("NTX Mensajes está enviando un mensaje a varios destinatarios.\r\n\r\n¿Desea "
                                "detener el envío y cerrar NTX Mensajes?"));
        QVERIFY(sistema.terminaciones.isEmpty());
        dialogos.respuestas = {Dialogos::Respuesta::Si};
        w->close();
        QVERIFY(!w->cola().activa());
        QCOMPARE(sistema.terminaciones.size(), 1);
    }

    void cargaConContactoEnLaLinea()
    {
        guardar(QStringLiteral("Juan"), Personal, QStringLiteral("351"), QStringLiteral("5551234"));
        ajustes.escribir(SeccionMensajes, QStringLiteral("Rapida2"), QStringLiteral("Juan"));
        sistema.linea = QStringLiteral("/c:\"Juan\"");
        ctx = std::make_unique<Contexto>(
            ajustes, dialogos, sistema, instancia, avisos, [](QWidget *p) { return new VistaWebGuion(p); },
            Direcciones::desdeEntorno());
        w = std::make_unique<frmBrowser>(*ctx);
        QVERIFY(w->Form_Load());
        QCOMPARE(controlesDe(*w).cboAddress->currentText(), Personal);
        QCOMPARE(controlesDe(*w).txtNumero->text(), QStringLiteral("5551234"));
        QCOMPARE(controlesDe(*w).lblNombreDestinatario->text(), QStringLiteral("Juan"));
        QVERIFY(controlesDe(*w).accionesRapidas[1]->isEnabled());
        QVERIFY(dialogos.llamadas.isEmpty());
    }

    void contactoConLetrasPreguntaModificar()
    {
        guardar(QStringLiteral("Malo"), Personal, QStringLiteral("3 51"), QStringLiteral("5551234"));
        abrir();
        const QString numeroAntes = controlesDe(*w).txtNumero->text();
        dialogos.respuestas.append(Dialogos::Respuesta::No);
        controlesDe(*w).picContactos->IniciarPanelContactos();
        controlesDe(*w).cmdEscribirA->click();
        QCOMPARE(dialogos.llamadas.size(), 1);
        QCOMPARE(dialogos.llamadas.at(0).titulo, QStringLiteral("NTX Mensajes - Contacto Inválido"));
        QCOMPARE(dialogos.llamadas.at(0).texto,
                 QStringLiteral("La información guardada para este contacto no es correcta.\r\nCompruebe que el "
                                "número de teléfono sea el correcto y que contenga sólo números\r\n\r\n¿Desea "
                                "modificar ahora los datos para este contacto?"));
        QCOMPARE(dialogos.llamadas.at(0).botones, Dialogos::Botones::SiNo);
        QCOMPARE(controlesDe(*w).cboAddress->currentIndex(), -1); // nothing of the composer changed
        QCOMPARE(controlesDe(*w).txtNumero->text(), numeroAntes);
    }

    void proveedorNoDisponiblePreguntaBorrar_data()
    {
        QTest::addColumn<bool>("si");
        QTest::newRow("si") << true;
        QTest::newRow("no") << false;
    }
    void proveedorNoDisponiblePreguntaBorrar()
    {
        QFETCH(bool, si);
        guardar(QStringLiteral("Viejo"), QStringLiteral("Argentina - CTI Móvil"), QStringLiteral("11"),
                QStringLiteral("4"));
        abrir();
        dialogos.respuestas.append(si ? Dialogos::Respuesta::Si : Dialogos::Respuesta::No);
        controlesDe(*w).picContactos->ProcesarLineaDeComandos(QStringLiteral("/c:\"Viejo\""));
        QCOMPARE(dialogos.llamadas.size(), 1);
        QVERIFY(dialogos.llamadas.at(0).texto.startsWith(
            QStringLiteral("Este contacto tiene asignado un proveedor al que esta versión de NTX Mensajes no puede "
                           "enviar mensajes.\r\n\r\n · Elimine este contacto")));
        QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Critico);
        // A stray Enter keeps the contact.
        QCOMPARE(dialogos.llamadas.at(0).predeterminada, Dialogos::Respuesta::No);
        QCOMPARE(ajustes.enumerar(SeccionAgenda).isEmpty(), si);
        QCOMPARE(ctx->contactos.isEmpty(), si);
    }

    void agendarAbreElDialogoLleno()
    {
        abrir();
        elegirProveedor(Personal);
        controlesDe(*w).txtCodArea->setText(QStringLiteral("351"));
        controlesDe(*w).txtNumero->setText(QStringLiteral("5551234"));
        QString titulo, accion, ca, nu, proveedor;
        AlAbrirseElDialogo([&](frmContacto *dlg) {
            titulo = dlg->windowTitle();
            accion = dlg->accion();
            const ControlesFrmContacto c = ControlesFrmContacto::buscar(*dlg);
            ca = c.txtCodArea->text();
            nu = c.txtNumero->text();
            proveedor = c.cboProveedor->currentText();
            QTest::keyClicks(c.txtNombre, QStringLiteral("Nuevo"));
            QTest::mouseClick(c.cmdAceptar, Qt::LeftButton, {}, c.cmdAceptar->rect().center());
        });
        controlesDe(*w).cmdAgendar->click();
        QCOMPARE(titulo, QStringLiteral("Agenda - Nuevo Contacto"));
        QCOMPARE(accion, QStringLiteral("Agregar"));
        QCOMPARE(proveedor, Personal);
        QCOMPARE(ca, QStringLiteral("351"));
        QCOMPARE(nu, QStringLiteral("5551234"));
        QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("Nuevo")),
                 Registro(QStringLiteral("Nuevo"), Personal, QStringLiteral("351"), QStringLiteral("5551234")));
        // The label names the new contact at once, and the panel lists it.
        QCOMPARE(controlesDe(*w).lblNombreDestinatario->text(), QStringLiteral("Nuevo"));
        QCOMPARE(controlesDe(*w).tvwContactos->topLevelItem(0)->text(0), QStringLiteral("Nuevo"));
    }

    void modificarConProveedorDesconocidoFalla()
    {
        abrir();
        QVERIFY(!controlesDe(*w).picContactos->ModificarContacto(QStringLiteral("X"), QStringLiteral("Otro"),
                                                                 QStringLiteral("1"), QStringLiteral("2")));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void nuevoContactoCancelado()
    {
        abrir();
        QString titulo;
        bool agendaAbierta = false;
        AlAbrirseElDialogo([&](frmContacto *dlg) {
            titulo = dlg->windowTitle();
            const ControlesFrmContacto c = ControlesFrmContacto::buscar(*dlg);
            QCOMPARE(c.cboProveedor->count(), controlesDe(*w).cboAddress->count());
            QTest::mouseClick(c.cmdCancelar, Qt::LeftButton, {}, c.cmdCancelar->rect().center());
            // Then the address book opens, as after any new contact.
            AlAbrirseElDialogo<frmAgenda>([&](frmAgenda *agenda) {
                agendaAbierta = true;
                agenda->close();
            });
        });
        controlesDe(*w).mnuArchivoNuevoContacto->trigger();
        QCOMPARE(titulo, QStringLiteral("Agenda - Nuevo Contacto"));
        QVERIFY(agendaAbierta);
        QVERIFY(ajustes.enumerar(SeccionAgenda).isEmpty());
    }
};

QTEST_MAIN(TstFrmBrowserAgenda)
#include "tst_frmbrowser_agenda.moc"

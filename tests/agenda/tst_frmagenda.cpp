// The address book window driven by clicks and keys (every check and question,
// the quick slots, closing and reopening around the contact dialog) and the
// agenda file commands.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "agenda/archivoagenda.h"
#include "agenda/exportaragenda.h"
#include "agenda/frmagenda.h"
#include "agenda/grupos.h"
#include "agenda/principalagenda.h"
#include "agenda/registrocontacto.h"
#include "dobles/contextoprueba.h"
#include "plataforma/ajustessqlite.h"

namespace {

const QString Personal = QStringLiteral("Argentina - Personal");
const QString Claro = QStringLiteral("Argentina - Claro");
const QString Movilnet = QStringLiteral("Venezuela - Movilnet");
const QString Titulo = QStringLiteral("NTX Mensajes");

QString Registro(const QString &nombre, const QString &proveedor, const QString &ca, const QString &nu)
{
    QString r;
    Agenda::EscribirRegistro({nombre, proveedor, ca, nu}, &r, nullptr);
    return r;
}

// The rest of the program as the window sees it: every call is recorded.
class PrincipalFalsa final : public PrincipalAgenda
{
public:
    void NuevoContacto() override
    {
        llamadas.append(QStringLiteral("Nuevo"));
        if (alNuevoContacto)
            alNuevoContacto();
    }
    bool ModificarContacto(const QString &n, const QString &p, const QString &ca, const QString &nu) override
    {
        llamadas.append(QStringLiteral("Modificar|") + n + u'|' + p + u'|' + ca + u'|' + nu);
        return QStringList{Claro, Personal, Movilnet}.contains(p);
    }
    void EscribirAContacto(const QString &n, const QString &p, const QString &ca, const QString &nu) override
    {
        llamadas.append(QStringLiteral("Escribir|") + n + u'|' + p + u'|' + ca + u'|' + nu);
        if (alEscribir)
            alEscribir();
    }
    void EscribirAVarios(const QStringList &nombres, const QString &grupo) override
    {
        llamadas.append(QStringLiteral("Varios|") + grupo + u'|' + nombres.join(u','));
    }
    void ActualizarAgenda() override { llamadas.append(QStringLiteral("Actualizar")); }
    void IniciarPanelContactos() override { llamadas.append(QStringLiteral("Panel")); }
    QWidget *ventana() override { return &principal; }

    QStringList llamadas;
    std::function<void()> alNuevoContacto;
    std::function<void()> alEscribir;
    QWidget principal;
};

ControlesFrmAgenda controles(const frmAgenda &f)
{
    return ControlesFrmAgenda::buscar(f);
}

void pulsar(QWidget *boton)
{
    QTest::mouseClick(boton, Qt::LeftButton, {}, boton->rect().center());
}

// Entry `n` (1 to 10) of a quick-slot menu, as the menu shows it.
QAction *entrada(QMenu *menu, int n)
{
    return menu->actions().value(n - 1);
}

// The user's choice of entry `n` in a menu that is up.
void elegirEnMenu(QMenu *menu, int n)
{
    QVERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entrada(menu, n)).center());
}

} // namespace

class TstFrmAgenda : public QObject
{
    Q_OBJECT
    std::unique_ptr<ContextoPrueba> p;
    std::unique_ptr<PrincipalFalsa> principal;
    std::unique_ptr<frmAgenda> w;
    QTemporaryDir dir;

    AjustesMemoria &ajustes() { return p->ajustes; }
    DialogosGuion &dialogos() { return p->dialogos; }
    void guardar(const QString &n, const QString &prov, const QString &ca, const QString &nu)
    {
        ajustes().escribir(SeccionAgenda, n, Registro(n, prov, ca, nu));
    }
    void tresContactos()
    {
        guardar(QStringLiteral("Juan"), Personal, QStringLiteral("351"), QStringLiteral("5551234"));
        guardar(QStringLiteral("Pin"), Movilnet, QStringLiteral("alias"), QStringLiteral("AB12"));
        guardar(QStringLiteral("Ana"), Claro, QStringLiteral("11"), QStringLiteral("44"));
    }
    void abrir()
    {
        w = std::make_unique<frmAgenda>(p->ctx, *principal);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    // The user's click on a contact.
    void elegir(const QString &nombre)
    {
        QTreeWidget *lista = controles(*w).tvwAgenda;
        const auto nodos = lista->findItems(nombre, Qt::MatchExactly);
        QVERIFY(!nodos.isEmpty());
        lista->scrollToItem(nodos.first());
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(nodos.first()).center());
        QCOMPARE(lista->currentItem(), nodos.first());
    }
    QString archivo(const QByteArray &bytes)
    {
        const QString ruta = dir.filePath(QStringLiteral("prueba.ntxagenda"));
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return {};
        return ruta;
    }
    QString ultimoTexto() { return dialogos().llamadas.isEmpty() ? QString() : dialogos().llamadas.last().texto; }

private Q_SLOTS:
    void init()
    {
        p = std::make_unique<ContextoPrueba>();
        principal = std::make_unique<PrincipalFalsa>();
    }
    void cleanup()
    {
        w.reset();
        principal.reset();
        p.reset();
    }

    void carga_data()
    {
        QTest::addColumn<bool>("conContactos");
        QTest::addColumn<QStringList>("nodos");
        QTest::addColumn<QString>("panel1");
        QTest::addColumn<QString>("panel2");
        QTest::newRow("vacia") << false << QStringList() << ""
                               << "Haga clic en Nuevo Contacto para agregar un contacto a la Agenda.";
        QTest::newRow("tres") << true << QStringList{"Juan", "Pin", "Ana"} << " 3 contactos  "
                              << "Haga doble clic en un contacto para enviarle un mensaje";
    }

    void carga()
    {
        QFETCH(bool, conContactos);
        QFETCH(QStringList, nodos);
        QFETCH(QString, panel1);
        QFETCH(QString, panel2);
        if (conContactos)
            tresContactos();
        abrir();
        QCOMPARE(w->windowTitle(), QStringLiteral("Agenda"));
        QStringList textos;
        for (int i = 0; i < controles(*w).tvwAgenda->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *n = controles(*w).tvwAgenda->topLevelItem(i);
            textos.append(n->text(0));
            QCOMPARE(n->data(0, Qt::UserRole).toString(), ajustes().leer(SeccionAgenda, n->text(0)));
            QVERIFY(!n->icon(0).isNull());
        }
        QCOMPARE(textos, nodos); // in the store's order, not sorted
        QCOMPARE(controles(*w).StatusBarPanel1->text(), panel1);
        QCOMPARE(controles(*w).StatusBarPanel2->text(), panel2);
        for (QPushButton *b : {controles(*w).cmdEscribir, controles(*w).cmdEliminar, controles(*w).cmdModificar,
                               controles(*w).cmdAgregarRapida})
            QCOMPARE(b->isEnabled(), conContactos);
        QVERIFY(controles(*w).cmdAgregar->isEnabled());
        QCOMPARE(controles(*w).tvwAgenda->currentItem() != nullptr, conContactos);
        if (conContactos)
            QCOMPARE(controles(*w).tvwAgenda->currentItem()->text(0), QStringLiteral("Juan"));
        QVERIFY(dialogos().llamadas.isEmpty());
    }

    void detallesDelContacto_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("panel2");
        QTest::newRow("numero") << "Juan"
                                << "Móvil: 351 5551234";
        QTest::newRow("alias") << "Pin"
                               << "Alias: AB12";
    }

    void detallesDelContacto()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, panel2);
        tresContactos();
        abrir();
        elegir(QStringLiteral("Ana"));
        elegir(nombre);
        QCOMPARE(controles(*w).StatusBarPanel2->text(), panel2);
        // A click on the node already selected shows the same.
        controles(*w).StatusBarPanel2->clear();
        QTest::mouseClick(controles(*w).tvwAgenda->viewport(), Qt::LeftButton, {},
                          controles(*w).tvwAgenda->visualItemRect(controles(*w).tvwAgenda->currentItem()).center());
        QCOMPARE(controles(*w).StatusBarPanel2->text(), panel2);
    }

    void sinSeleccion_data()
    {
        QTest::addColumn<int>("boton");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("escribir") << 0 << "Debe elegir primero un contacto al cual escribir el mensaje";
        QTest::newRow("modificar") << 1 << "Debe elegir un contacto al cual modificar los datos";
        QTest::newRow("eliminar") << 2 << "Debe elegir un contacto antes de poder eliminar";
        QTest::newRow("agenda rapida") << 3
                                       << "Seleccione un contacto de la Agenda antes de agregarlo a la Agenda "
                                          "Rápida";
    }

    void sinSeleccion()
    {
        QFETCH(int, boton);
        QFETCH(QString, mensaje);
        tresContactos();
        abrir();
        controles(*w).tvwAgenda->setCurrentItem(nullptr);
        switch (boton) {
        case 0:
            pulsar(controles(*w).cmdEscribir);
            break;
        case 1:
            pulsar(controles(*w).cmdModificar);
            break;
        case 2:
            pulsar(controles(*w).cmdEliminar);
            break;
        default:
            pulsar(controles(*w).cmdAgregarRapida);
            elegirEnMenu(controles(*w).mnuPopAgregarRapida, 3);
            break;
        }
        QCOMPARE(dialogos().llamadas.size(), 1);
        QCOMPARE(dialogos().llamadas.at(0).texto, mensaje);
        QCOMPARE(dialogos().llamadas.at(0).icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(dialogos().llamadas.at(0).botones, Dialogos::Botones::Aceptar);
        QCOMPARE(dialogos().llamadas.at(0).titulo, Titulo);
        QVERIFY(principal->llamadas.isEmpty());
        QCOMPARE(ajustes().enumerar(SeccionAgenda).size(), 3);
        QVERIFY(ajustes().leer(SeccionMensajes, ClaveRapida(3)).isEmpty());
        QVERIFY(w->isVisible());
    }

    void escribirCierraYEscribe_data()
    {
        QTest::addColumn<bool>("dobleClic");
        QTest::addColumn<int>("tecla");
        QTest::newRow("boton") << false << 0;
        QTest::newRow("doble clic") << true << 0;
        // Enter on the chosen contact writes to it, not a blank "Nuevo Contacto".
        QTest::newRow("Enter") << false << int(Qt::Key_Return);
        QTest::newRow("Enter del teclado numérico") << false << int(Qt::Key_Enter);
    }

    void escribirCierraYEscribe()
    {
        QFETCH(bool, dobleClic);
        QFETCH(int, tecla);
        tresContactos();
        abrir();
        elegir(QStringLiteral("Pin"));
        if (tecla) {
            QTest::keyClick(controles(*w).tvwAgenda, Qt::Key(tecla));
        } else if (dobleClic) {
            const QPoint punto =
                controles(*w).tvwAgenda->visualItemRect(controles(*w).tvwAgenda->currentItem()).center();
            QTest::mouseClick(controles(*w).tvwAgenda->viewport(), Qt::LeftButton, {}, punto);
            QTest::mouseDClick(controles(*w).tvwAgenda->viewport(), Qt::LeftButton, {}, punto);
        } else {
            QTest::mouseClick(controles(*w).cmdEscribir, Qt::LeftButton);
        }
        QVERIFY(!w->isVisible());
        QCOMPARE(principal->llamadas, QStringList{"Escribir|Pin|Venezuela - Movilnet|alias|AB12"});
    }

    void escribirConRegistroDanado()
    {
        // The record's own name is damaged; the value name is what the store knows.
        ajustes().escribir(SeccionAgenda, QStringLiteral("Ana"), QStringLiteral("$_NO09Ana$_PR17Argentina - Claro"));
        abrir();
        pulsar(controles(*w).cmdEscribir);
        QCOMPARE(principal->llamadas, QStringList{"Escribir|Ana|Argentina - Claro||"});
    }

    // Each step "action|argument" as a user does it; then the groups as stored,
    // the last call to the main window and the last message.
    void grupos_data()
    {
        QTest::addColumn<QStringList>("pasos");
        QTest::addColumn<QString>("grupos");
        QTest::addColumn<QString>("llamada");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("crear, agregar dos y escribir")
            << QStringList{"nuevo|Familia", "contactos|Juan,Ana", "agregar", "escribir"} << "Familia=Juan,Ana"
            << "Varios|Familia|Juan,Ana"
            << "";
        QTest::newRow("grupo vacio no se envia")
            << QStringList{"nuevo|Vacío", "escribir"} << "Vacío="
            << "Panel"
            << "El grupo Vacío no tiene contactos. Agregue contactos al grupo antes de escribirle.";
        QTest::newRow("nombre repetido") << QStringList{"nuevo|A", "nuevo|a"} << "A="
                                         << "Panel"
                                         << "Ya existe un grupo llamado a";
        QTest::newRow("crear cancelado") << QStringList{"nuevo|"} << ""
                                         << ""
                                         << "";
        QTest::newRow("renombrar y quitar")
            << QStringList{"nuevo|A", "contactos|Juan,Pin,Ana", "agregar", "miembro|Pin", "quitar", "renombrar|B"}
            << "B=Juan,Ana"
            << "Panel"
            << "";
        QTest::newRow("eliminar grupo") << QStringList{"nuevo|A", "nuevo|B", "grupo|A", "eliminar"} << "B="
                                        << "Panel"
                                        << "¿Está seguro que desea eliminar el grupo A?\r\n\r\nLos "
                                           "contactos del grupo seguirán en la Agenda.";
        QTest::newRow("agregar sin contactos") << QStringList{"nuevo|A", "contactos|", "agregar"} << "A="
                                               << "Panel"
                                               << "Elija en la Agenda los contactos que desea agregar al grupo A";
        QTest::newRow("contacto eliminado sale del grupo")
            << QStringList{"nuevo|A", "contactos|Juan,Ana", "agregar", "borrar|Juan"} << "A=Ana"
            << "Panel"
            << "¿Está seguro que desea eliminar permanentemente a Juan de la agenda?";
        QTest::newRow("escribir a varios contactos") << QStringList{"contactos|Pin,Ana", "escribirContactos"} << ""
                                                     << "Varios||Pin,Ana"
                                                     << "";
    }

    void grupos()
    {
        QFETCH(QStringList, pasos);
        tresContactos();
        abrir();
        const auto c = controles(*w);
        const auto nodoGrupo = [&](const QString &texto) -> QTreeWidgetItem * {
            const auto nodos = c.tvwGrupos->findItems(texto, Qt::MatchExactly | Qt::MatchRecursive);
            return nodos.isEmpty() ? nullptr : nodos.first();
        };
        for (const QString &paso : pasos) {
            const QString accion = paso.section(u'|', 0, 0);
            const QString arg = paso.section(u'|', 1);
            if (accion == "nuevo") {
                dialogos().textos = {arg};
                pulsar(c.cmdNuevoGrupo);
            } else if (accion == "renombrar") {
                dialogos().textos = {arg};
                pulsar(c.cmdRenombrarGrupo);
            } else if (accion == "grupo" || accion == "miembro") {
                QTreeWidgetItem *n = nodoGrupo(arg);
                QVERIFY(n);
                QTest::mouseClick(c.tvwGrupos->viewport(), Qt::LeftButton, {}, c.tvwGrupos->visualItemRect(n).center());
            } else if (accion == "contactos") {
                c.tvwAgenda->clearSelection();
                for (const QString &n : arg.split(u',', Qt::SkipEmptyParts)) {
                    QTreeWidgetItem *nodo = c.tvwAgenda->findItems(n, Qt::MatchExactly).first();
                    QTest::mouseClick(c.tvwAgenda->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                      c.tvwAgenda->visualItemRect(nodo).center());
                }
            } else if (accion == "agregar") {
                pulsar(c.cmdAgregarAGrupo);
            } else if (accion == "quitar") {
                pulsar(c.cmdQuitarDeGrupo);
            } else if (accion == "eliminar") {
                pulsar(c.cmdEliminarGrupo);
            } else if (accion == "escribir") {
                pulsar(c.cmdEscribirAGrupo);
            } else if (accion == "escribirContactos") {
                pulsar(c.cmdEscribir);
            } else if (accion == "borrar") {
                elegir(arg);
                pulsar(c.cmdEliminar);
            }
        }
        QStringList texto;
        for (const Agenda::Grupo &g : Agenda::Grupos(ajustes()).todos())
            texto.append(g.nombre + u'=' + g.miembros.join(u','));
        QTEST(texto.join(QStringLiteral("; ")), "grupos");
        QTEST(principal->llamadas.value(principal->llamadas.size() - 1), "llamada");
        QString mensaje;
        for (const auto &l : dialogos().llamadas)
            mensaje = l.texto;
        QTEST(mensaje, "mensaje");
        // The tree shows what is stored.
        if (w->isVisible() && !texto.isEmpty())
            QCOMPARE(c.tvwGrupos->topLevelItemCount(), qsizetype(texto.size()));
    }

    void modificar()
    {
        tresContactos();
        abrir();
        elegir(QStringLiteral("Juan"));
        QTest::mouseClick(controles(*w).cmdModificar, Qt::LeftButton);
        QCOMPARE(principal->llamadas, QStringList{"Modificar|Juan|Argentina - Personal|351|5551234"});
        QVERIFY(dialogos().llamadas.isEmpty());
    }

    void modificarProveedorNoDisponible_data()
    {
        QTest::addColumn<bool>("si");
        QTest::newRow("si elimina") << true;
        QTest::newRow("no conserva") << false;
    }

    void modificarProveedorNoDisponible()
    {
        QFETCH(bool, si);
        tresContactos();
        guardar(QStringLiteral("Viejo"), QStringLiteral("Argentina - CTI Móvil"), QStringLiteral("11"),
                QStringLiteral("1"));
        abrir();
        elegir(QStringLiteral("Viejo"));
        dialogos().respuestas.append(si ? Dialogos::Respuesta::Si : Dialogos::Respuesta::No);
        pulsar(controles(*w).cmdModificar);
        QCOMPARE(dialogos().llamadas.size(), 1);
        const auto &l = dialogos().llamadas.at(0);
        QCOMPARE(l.texto, QStringLiteral("Este contacto tiene asignado un proveedor al que esta versión de NTX "
                                         "Mensajes no puede enviar mensajes.\r\nElimine este contacto y vuelva a "
                                         "crearlo asignándole un proveedor disponible en esta versión\r\n\r\n¿Desea "
                                         "eliminar este contacto ahora?"));
        QCOMPARE(l.titulo, QStringLiteral("NTX Mensajes - Contacto Inválido"));
        QCOMPARE(l.icono, Dialogos::Icono::Critico);
        QCOMPARE(l.botones, Dialogos::Botones::SiNo);
        QCOMPARE(l.predeterminada, Dialogos::Respuesta::No);
        QCOMPARE(ajustes().leer(SeccionAgenda, QStringLiteral("Viejo")).isEmpty(), si);
        QCOMPARE(controles(*w).tvwAgenda->topLevelItemCount(), si ? 3 : 4);
        QCOMPARE(principal->llamadas.contains(QStringLiteral("Panel")), si);
        QCOMPARE(controles(*w).StatusBarPanel1->text(),
                 si ? QStringLiteral(" 3 contactos  ") : QStringLiteral(" 4 contactos  "));
    }

    void eliminar_data()
    {
        QTest::addColumn<bool>("si");
        QTest::addColumn<bool>("teclaSuprimir");
        QTest::newRow("si") << true << false;
        QTest::newRow("no") << false << false;
        QTest::newRow("tecla suprimir") << true << true;
    }

    void eliminar()
    {
        QFETCH(bool, si);
        QFETCH(bool, teclaSuprimir);
        tresContactos();
        ajustes().escribir(SeccionMensajes, ClaveRapida(2), QStringLiteral("Pin"));
        abrir();
        elegir(QStringLiteral("Pin"));
        dialogos().respuestas.append(si ? Dialogos::Respuesta::Si : Dialogos::Respuesta::No);
        if (teclaSuprimir)
            QTest::keyClick(controles(*w).tvwAgenda, Qt::Key_Delete);
        else
            pulsar(controles(*w).cmdEliminar);
        QCOMPARE(dialogos().llamadas.size(), 1);
        QCOMPARE(dialogos().llamadas.at(0).texto,
                 QStringLiteral("¿Está seguro que desea eliminar permanentemente a Pin de la agenda?"));
        QCOMPARE(dialogos().llamadas.at(0).titulo, QStringLiteral("Eliminar contacto"));
        QCOMPARE(dialogos().llamadas.at(0).icono, Dialogos::Icono::Pregunta);
        // A stray Enter keeps the contact.
        QCOMPARE(dialogos().llamadas.at(0).predeterminada, Dialogos::Respuesta::No);
        QCOMPARE(ajustes().leer(SeccionAgenda, QStringLiteral("Pin")).isEmpty(), si);
        QCOMPARE(controles(*w).tvwAgenda->topLevelItemCount(), si ? 2 : 3);
        QCOMPARE(principal->llamadas, si ? (QStringList{"Actualizar", "Panel"}) : QStringList());
        // The quick slot is dropped by the main window's refresh, not here; the menus already show it empty.
        pulsar(controles(*w).cmdEliminarRapida);
        controles(*w).mnuPopEliminarRapida->hide();
        const QAction *dos = entrada(controles(*w).mnuPopEliminarRapida, 2);
        QCOMPARE(dos->text(), si ? QStringLiteral(" 2 - (Vacío)") : QStringLiteral(" 2 - Pin"));
        QCOMPARE(dos->isEnabled(), !si);
    }

    void eliminarUltimoDejaLaVentanaVacia()
    {
        guardar(QStringLiteral("Solo"), Claro, QStringLiteral("1"), QStringLiteral("2"));
        abrir();
        pulsar(controles(*w).cmdEliminar);
        QCOMPARE(controles(*w).tvwAgenda->topLevelItemCount(), 0);
        QVERIFY(!controles(*w).cmdEscribir->isEnabled());
        QVERIFY(controles(*w).StatusBarPanel1->text().isEmpty());
    }

    void menusRapidos()
    {
        tresContactos();
        ajustes().escribir(SeccionMensajes, ClaveRapida(10), QStringLiteral("Juan"));
        ajustes().escribir(SeccionMensajes, ClaveRapida(1), QStringLiteral("Ana"));
        // A slot naming a contact deleted meanwhile, and one naming it in another case.
        ajustes().escribir(SeccionMensajes, ClaveRapida(4), QStringLiteral("Borrado"));
        ajustes().escribir(SeccionMensajes, ClaveRapida(5), QStringLiteral("juan"));
        abrir();
        QTest::mouseClick(controles(*w).cmdAgregarRapida, Qt::LeftButton);
        QVERIFY(controles(*w).mnuPopAgregarRapida->isVisible());
        controles(*w).mnuPopAgregarRapida->hide();
        QTest::mouseClick(controles(*w).cmdEliminarRapida, Qt::LeftButton);
        QVERIFY(controles(*w).mnuPopEliminarRapida->isVisible());
        controles(*w).mnuPopEliminarRapida->hide();
        for (int n = 1; n <= 10; ++n) {
            const QString esperado = n == 1    ? QStringLiteral(" 1 - Ana")
                                     : n == 10 ? QStringLiteral(" 10 - Juan")
                                               : QLatin1Char(' ') + QString::number(n) + QStringLiteral(" - (Vacío)");
            QCOMPARE(entrada(controles(*w).mnuPopAgregarRapida, n)->text(), esperado);
            QCOMPARE(entrada(controles(*w).mnuPopEliminarRapida, n)->text(), esperado);
            QVERIFY(entrada(controles(*w).mnuPopAgregarRapida, n)->isEnabled());
            QCOMPARE(entrada(controles(*w).mnuPopEliminarRapida, n)->isEnabled(), n == 1 || n == 10);
        }
        // Shown just below its button.
        const QPoint esquina =
            controles(*w).cmdEliminarRapida->mapToGlobal(QPoint(0, controles(*w).cmdEliminarRapida->height()));
        QCOMPARE(controles(*w).mnuPopEliminarRapida->pos(), esquina);
    }

    void agregarRapida_data()
    {
        QTest::addColumn<int>("ranura");
        QTest::addColumn<QString>("antes");
        QTest::addColumn<int>("respuesta"); // -1: no question
        QTest::addColumn<QString>("despues");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("vacia") << 3 << "" << -1 << "Pin"
                               << "Se agregó a Pin a la Agenda Rápida";
        QTest::newRow("diez vacia") << 10 << "" << -1 << "Pin"
                                    << "Se agregó a Pin a la Agenda Rápida";
        QTest::newRow("ocupada si") << 10 << "Juan" << int(Dialogos::Respuesta::Si) << "Pin"
                                    << "¿Desea reemplazar a Juan por Pin en la Agenda Rápida?\r\n\r\nEsta acción sólo "
                                       "afectará a la Agenda Rápida.";
        QTest::newRow("ocupada no") << 1 << "Juan" << int(Dialogos::Respuesta::No) << "Juan"
                                    << "¿Desea reemplazar a Juan por Pin en la Agenda Rápida?\r\n\r\nEsta acción sólo "
                                       "afectará a la Agenda Rápida.";
        QTest::newRow("ocupada por un contacto borrado") << 2 << "Borrado" << -1 << "Pin"
                                                         << "Se agregó a Pin a la Agenda Rápida";
    }

    void agregarRapida()
    {
        QFETCH(int, ranura);
        QFETCH(QString, antes);
        QFETCH(int, respuesta);
        QFETCH(QString, despues);
        QFETCH(QString, mensaje);
        tresContactos();
        if (!antes.isEmpty())
            ajustes().escribir(SeccionMensajes, ClaveRapida(ranura), antes);
        abrir();
        elegir(QStringLiteral("Pin"));
        pulsar(controles(*w).cmdAgregarRapida);
        if (respuesta >= 0)
            dialogos().respuestas.append(static_cast<Dialogos::Respuesta>(respuesta));
        elegirEnMenu(controles(*w).mnuPopAgregarRapida, ranura);
        QVERIFY(!controles(*w).mnuPopAgregarRapida->isVisible());
        QCOMPARE(dialogos().llamadas.size(), 1);
        const auto &l = dialogos().llamadas.at(0);
        QCOMPARE(l.texto, mensaje);
        if (respuesta >= 0) {
            QCOMPARE(l.titulo, QStringLiteral("Agenda Rápida - Reemplazar Contacto"));
            QCOMPARE(l.icono, Dialogos::Icono::Pregunta);
            QCOMPARE(l.botones, Dialogos::Botones::SiNo);
            QCOMPARE(l.predeterminada, Dialogos::Respuesta::No);
        } else {
            QCOMPARE(l.titulo, Titulo);
            QCOMPARE(l.icono, Dialogos::Icono::Informacion);
        }
        QCOMPARE(ajustes().leer(SeccionMensajes, ClaveRapida(ranura)), despues);
        QCOMPARE(ajustes().leer(SeccionMensajes, QStringLiteral("Rapida") + QString::number(ranura)), despues);
        // Slot 10 is not slot 1.
        if (ranura == 10)
            QVERIFY(ajustes().leer(SeccionMensajes, ClaveRapida(1)).isEmpty());
        QCOMPARE(principal->llamadas, QStringList{"Actualizar"});
    }

    void quitarRapida_data()
    {
        QTest::addColumn<int>("ranura");
        QTest::addColumn<bool>("si");
        QTest::newRow("diez si") << 10 << true;
        QTest::newRow("uno no") << 1 << false;
    }

    void quitarRapida()
    {
        QFETCH(int, ranura);
        QFETCH(bool, si);
        tresContactos();
        ajustes().escribir(SeccionMensajes, ClaveRapida(1), QStringLiteral("Ana"));
        ajustes().escribir(SeccionMensajes, ClaveRapida(10), QStringLiteral("Juan"));
        abrir();
        pulsar(controles(*w).cmdEliminarRapida);
        dialogos().respuestas.append(si ? Dialogos::Respuesta::Si : Dialogos::Respuesta::No);
        elegirEnMenu(controles(*w).mnuPopEliminarRapida, ranura);
        QVERIFY(!controles(*w).mnuPopEliminarRapida->isVisible());
        const QString contacto = ranura == 1 ? QStringLiteral("Ana") : QStringLiteral("Juan");
        QCOMPARE(dialogos().llamadas.size(), 1);
        QCOMPARE(dialogos().llamadas.at(0).texto,
                 QStringLiteral("¿Seguro desea eliminar a ") + contacto +
                     QStringLiteral(" de la Agenda Rápida?\r\n\r\nEsta acción sólo afectará a la Agenda Rápida."));
        QCOMPARE(dialogos().llamadas.at(0).titulo, QStringLiteral("Agenda Rápida - Eliminar"));
        QCOMPARE(dialogos().llamadas.at(0).icono, Dialogos::Icono::Pregunta);
        QCOMPARE(dialogos().llamadas.at(0).predeterminada, Dialogos::Respuesta::No);
        QCOMPARE(ajustes().leer(SeccionMensajes, ClaveRapida(ranura)).isEmpty(), si);
        QCOMPARE(ajustes().leer(SeccionMensajes, ClaveRapida(ranura == 1 ? 10 : 1)),
                 ranura == 1 ? QStringLiteral("Juan") : QStringLiteral("Ana"));
        // The contact itself stays.
        QCOMPARE(ajustes().enumerar(SeccionAgenda).size(), 3);
        QCOMPARE(principal->llamadas, QStringList{"Actualizar"});
        // An empty slot cannot be chosen.
        dialogos().llamadas.clear();
        pulsar(controles(*w).cmdEliminarRapida);
        elegirEnMenu(controles(*w).mnuPopEliminarRapida, 5);
        controles(*w).mnuPopEliminarRapida->hide();
        QVERIFY(dialogos().llamadas.isEmpty());
    }

    void cierraYReabreAlrededorDelDialogo()
    {
        // The contacts controller's NuevoContacto: close the address book, show the
        // dialog (here: a contact appears), show the address book again.
        int contactosAlReabrir = -1;
        QWidget *duenoAlReabrir = nullptr;
        principal->alNuevoContacto = [&] {
            frmAgenda *primera = frmAgenda::Abierta();
            QVERIFY(primera);
            frmAgenda::CerrarAbierta();
            QVERIFY(!primera->isVisible());
            QVERIFY(!frmAgenda::Abierta());
            guardar(QStringLiteral("Nuevo"), Claro, QStringLiteral("1"), QStringLiteral("2"));
            QTimer::singleShot(0, qApp, [&] {
                frmAgenda *segunda = frmAgenda::Abierta();
                if (!segunda)
                    return;
                contactosAlReabrir = controles(*segunda).tvwAgenda->topLevelItemCount();
                duenoAlReabrir = segunda->parentWidget();
                pulsar(controles(*segunda).cmdCerrar);
            });
            frmAgenda::Mostrar(p->ctx, *principal);
        };
        QTimer::singleShot(0, qApp, [] {
            if (frmAgenda *f = frmAgenda::Abierta())
                pulsar(controles(*f).cmdAgregar);
        });
        frmAgenda::Mostrar(p->ctx, *principal);
        QCOMPARE(principal->llamadas, QStringList{"Nuevo"});
        QCOMPARE(contactosAlReabrir, 1);
        QCOMPARE(duenoAlReabrir, &principal->principal);
        QVERIFY(!frmAgenda::Abierta());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void escribirCierraAntesDeEscribir()
    {
        tresContactos();
        bool cerradaAlEscribir = false;
        principal->alEscribir = [&] { cerradaAlEscribir = !frmAgenda::Abierta(); };
        QTimer::singleShot(0, qApp, [] {
            if (frmAgenda *f = frmAgenda::Abierta())
                pulsar(controles(*f).cmdEscribir);
        });
        frmAgenda::Mostrar(p->ctx, *principal);
        QCOMPARE(principal->llamadas, QStringList{"Escribir|Juan|Argentina - Personal|351|5551234"});
        QVERIFY(cerradaAlEscribir);
        QVERIFY(!frmAgenda::Abierta());
    }

    // ------------------------------------------------------------ export and import

    void exportar()
    {
        tresContactos();
        const QString ruta = dir.filePath(QStringLiteral("tres.ntxagenda"));
        dialogos().nombresDeArchivo.append(ruta);
        Agenda::ExportarAgenda(p->ctx);
        QCOMPARE(dialogos().archivos.size(), 1);
        QCOMPARE(dialogos().archivos.at(0),
                 (QStringList{"Exportar Agenda a un archivo",
                              "Archivos de Agenda de NTX (*.ntxagenda)|*.ntxagenda|Todos los archivos (*.*)|*.*", ""}));
        QCOMPARE(dialogos().confirmaciones, QList<bool>{true});
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lineas = f.readAll().split('\n');
        QCOMPARE(lineas.size(), 5); // four lines and the empty rest after the last CR LF
        QCOMPARE(lineas.at(0), QByteArray("NTXAgenda1.0\r"));
        QCOMPARE(lineas.at(1), QByteArray("\"Juan\",\"$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU075551234\"\r"));
        QCOMPARE(dialogos().llamadas.size(), 1);
        QCOMPARE(dialogos().llamadas.at(0).texto, QStringLiteral("La Agenda se exportó con exito"));
        QCOMPARE(dialogos().llamadas.at(0).icono, Dialogos::Icono::Informacion);
        QCOMPARE(dialogos().llamadas.at(0).titulo, Titulo);
        QCOMPARE(p->sistema.bombeos, 3);
    }

    void exportarSinArchivoOSinContactos_data()
    {
        QTest::addColumn<bool>("conContactos");
        QTest::addColumn<bool>("conArchivo");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("icono");
        QTest::newRow("sin archivo") << true << false << "" << 0;
        QTest::newRow("vacia") << false << true
                               << "No se puede exportar la Agenda\r\n\r\nLa Agenda está vacía, agregue algunos "
                                  "contactos antes de intentar exportar de nuevo"
                               << int(Dialogos::Icono::Critico);
    }

    void exportarSinArchivoOSinContactos()
    {
        QFETCH(bool, conContactos);
        QFETCH(bool, conArchivo);
        QFETCH(QString, mensaje);
        QFETCH(int, icono);
        if (conContactos)
            tresContactos();
        const QString ruta = dir.filePath(QStringLiteral("nada.ntxagenda"));
        if (conArchivo)
            dialogos().nombresDeArchivo.append(ruta);
        Agenda::ExportarAgenda(p->ctx);
        QCOMPARE(dialogos().archivos.size(), 1);
        QCOMPARE(ultimoTexto(), mensaje);
        if (!mensaje.isEmpty())
            QCOMPARE(int(dialogos().llamadas.last().icono), icono);
        QVERIFY(!QFile::exists(ruta));
    }

    void exportarSinPermiso()
    {
        tresContactos();
        dialogos().nombresDeArchivo.append(dir.filePath(QStringLiteral("no/existe/a.ntxagenda")));
        Agenda::ExportarAgenda(p->ctx);
        QCOMPARE(dialogos().llamadas.size(), 1);
        QCOMPARE(
            dialogos().llamadas.at(0).texto,
            QStringLiteral("No se puede exportar la Agenda\r\n\r\nOcurrió un error al acceder al archivo, "
                           "compruebe que tenga los permisos necesarios para acceder al archivo y que esté en este "
                           "equipo y no en otro de la red"));
        QCOMPARE(dialogos().llamadas.at(0).icono, Dialogos::Icono::Ninguno);
        QCOMPARE(dialogos().llamadas.at(0).botones, Dialogos::Botones::Aceptar);
    }

    void exportarComillaAntigua()
    {
        guardar(QStringLiteral("Juan \"Loco\""), Claro, QStringLiteral("1"), QStringLiteral("2"));
        const QString ruta = dir.filePath(QStringLiteral("c.ntxagenda"));
        dialogos().nombresDeArchivo.append(ruta);
        Agenda::ExportarAgenda(p->ctx);
        QCOMPARE(ultimoTexto(), QStringLiteral("La Agenda se exportó con exito\r\n\r\n · Las comillas dobles de 1 "
                                               "contacto(s) se escribieron como apóstrofos, porque el archivo no puede "
                                               "guardarlas."));
        // What was written reads back whole into an empty store.
        ajustes().borrarSeccion(SeccionAgenda);
        dialogos().nombresDeArchivo.append(ruta);
        Agenda::ImportarAgenda(p->ctx, *principal);
        const QString registro = ajustes().leer(SeccionAgenda, QStringLiteral("Juan 'Loco'"));
        Agenda::CamposContacto campos;
        QVERIFY(Agenda::LeerCampos(registro, &campos));
        QCOMPARE(campos.nombre, QStringLiteral("Juan 'Loco'"));
    }

    void idaYVueltaEnAlmacenVacio()
    {
        tresContactos();
        guardar(QStringLiteral("  José Ñandú: 1/2 * ?"), Personal, QStringLiteral("0351"), QStringLiteral("15"));
        guardar(QString(60, u'x'), Movilnet, QStringLiteral("alias"), QStringLiteral("PIN 100%"));
        const ParesAjustes antes = ajustes().enumerar(SeccionAgenda);
        const QString ruta = dir.filePath(QStringLiteral("ida.ntxagenda"));
        dialogos().nombresDeArchivo.append(ruta);
        Agenda::ExportarAgenda(p->ctx);
        ajustes().borrarSeccion(SeccionAgenda);
        dialogos().nombresDeArchivo.append(ruta);
        Agenda::ImportarAgenda(p->ctx, *principal);
        QCOMPARE(ajustes().enumerar(SeccionAgenda), antes);
        QCOMPARE(dialogos().archivos.at(1),
                 (QStringList{"Importar Agenda de un archivo",
                              "Archivos de Agenda de NTX (*.ntxagenda)|*.ntxagenda|Todos los archivos (*.*)|*.*", ""}));
        QCOMPARE(dialogos().llamadas.size(), 3);
        const auto &pregunta = dialogos().llamadas.at(1);
        QCOMPARE(pregunta.texto,
                 QStringLiteral("Haga clic en Aceptar para importar este archivo de Agenda ahora, si no "
                                "desea hacerlo haga clic en Cancelar."));
        QCOMPARE(pregunta.botones, Dialogos::Botones::AceptarCancelar);
        QCOMPARE(pregunta.icono, Dialogos::Icono::Pregunta);
        QCOMPARE(ultimoTexto(), QStringLiteral("Se ha importado correctamente la Agenda"));
        QCOMPARE(dialogos().llamadas.last().icono, Dialogos::Icono::Informacion);
        QCOMPARE(principal->llamadas, (QStringList{"Panel", "Actualizar"}));
    }

    void importarReemplazaOCancela_data()
    {
        QTest::addColumn<bool>("aceptar");
        QTest::newRow("aceptar") << true;
        QTest::newRow("cancelar") << false;
    }

    void importarReemplazaOCancela()
    {
        QFETCH(bool, aceptar);
        tresContactos();
        const ParesAjustes antes = ajustes().enumerar(SeccionAgenda);
        const QString nuevo = Registro(QStringLiteral("Ana"), Personal, QStringLiteral("22"), QStringLiteral("99"));
        dialogos().nombresDeArchivo.append(
            archivo("ntxagenda1.0\r\n\"Ana\",\"" + nuevo.toLatin1() + "\"\r\n\"Otro\",\"$_NO04Otro\"\r\n"));
        dialogos().respuestas.append(aceptar ? Dialogos::Respuesta::Aceptar : Dialogos::Respuesta::Cancelar);
        Agenda::ImportarAgenda(p->ctx, *principal);
        if (!aceptar) {
            QCOMPARE(ajustes().enumerar(SeccionAgenda), antes);
            QCOMPARE(dialogos().llamadas.size(), 1);
            QVERIFY(principal->llamadas.isEmpty());
            return;
        }
        QCOMPARE(ajustes().leer(SeccionAgenda, QStringLiteral("Ana")), nuevo);
        // A damaged record is stored as read: it is caught when used.
        QCOMPARE(ajustes().leer(SeccionAgenda, QStringLiteral("Otro")), QStringLiteral("$_NO04Otro"));
        QCOMPARE(ajustes().enumerar(SeccionAgenda).size(), 4);
        QCOMPARE(ultimoTexto(), QStringLiteral("Se ha importado correctamente la Agenda"));
    }

    void importarEntradaMala_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("icono");
        QTest::addColumn<QStringList>("nuevos");
        const QString danado = QStringLiteral("No se puede importar de este archivo de Agenda\r\n\r\nEste archivo de "
                                              "agenda está dañado o no es compatible con esta version de NTX Mensajes");
        const QString fin = QStringLiteral("No se puede importar la Agenda\r\n\r\nError  62: La entrada pasó del "
                                           "final del archivo");
        const QByteArray cab = "NTXAgenda1.0\r\n";
        const QByteArray luis = "\"Luis\",\"$_NO04Luis$_PR17Argentina - Claro$_CA0211$_NU0244\"\r\n";
        const int ninguno = int(Dialogos::Icono::Ninguno), critico = int(Dialogos::Icono::Critico),
                  info = int(Dialogos::Icono::Informacion);
        QTest::newRow("vacio") << QByteArray() << danado << critico << QStringList();
        QTest::newRow("binario") << QByteArray::fromHex("7f454c460201010000000022ff0d0a") << danado << critico
                                 << QStringList();
        QTest::newRow("solo cabecera") << cab << "Se ha importado correctamente la Agenda" << info << QStringList();
        QTest::newRow("un campo al final") << cab + luis + "\"Pedro\"" << fin << ninguno << QStringList{"Luis"};
        QTest::newRow("comilla sin cerrar")
            << cab + luis + "\"Pedro\",\"$_NO05Ped" << fin << ninguno << QStringList{"Luis"};
        QTest::newRow("cabecera y basura binaria")
            << cab + QByteArray("\"a\tb\",\"\x01\x02\"\r\n") + luis
            << "Se ha importado correctamente la Agenda\r\n\r\nNo se importaron 1 contacto(s) que la Agenda no puede "
               "guardar:\r\n · «a\tb»: el nombre contiene caracteres de control."
            << info << QStringList{"Luis"};
        QTest::newRow("campo de 123")
            << cab + "\"Largo\",\"$_NO05Largo$_PR17Argentina - Claro$_CA0211$_NU23" + QByteArray(123, '5') + "\"\r\n" +
                   luis
            << "Se ha importado correctamente la Agenda\r\n\r\nNo se importaron 1 contacto(s) que la Agenda no puede "
               "guardar:\r\n · «Largo»: el número o alias tiene 123 caracteres y la Agenda admite como máximo 99."
            << info << QStringList{"Luis"};
        QTest::newRow("nombre con marca")
            << cab + "\"A$_NU0244\",\"$_NO09A$_NU0244$_PR17Argentina - Claro$_CA0211$_NU0299\"\r\n" + luis
            << "Se ha importado correctamente la Agenda\r\n\r\nNo se importaron 1 contacto(s) que la Agenda no puede "
               "guardar:\r\n · «A$_NU0244»: el nombre contiene «$_», que la Agenda usa para separar los datos de cada "
               "contacto."
            << info << QStringList{"Luis"};
        QTest::newRow("comillas de un archivo antiguo")
            << cab + "\"Juan \"Loco\"\",\"$_NO11Juan \"Loco\"$_PR17Argentina - Claro$_CA0211$_NU0244\"\r\n" + luis
            << "Se ha importado correctamente la Agenda\r\n\r\nNo se importaron 1 contacto(s) que la Agenda no puede "
               "guardar:\r\n · «Juan »: los datos del contacto están cortados, quizá por comillas dobles dentro del "
               "nombre."
            << info << QStringList{"Luis"};
        QTest::newRow("utf8 con bom")
            << "\xEF\xBB\xBF" + cab +
                   "\"Jos\xC3\xA9 \xE2\x82\xAC\",\"$_NO06Jos\xC3\xA9 \xE2\x82\xAC$_PR17Argentina - "
                   "Claro$_CA0211$_NU0244\"\r\n"
            << "Se ha importado correctamente la Agenda" << info << QStringList{"José €"};
        QTest::newRow("windows 1252")
            << cab + "\"Mu\xF1oz\",\"$_NO05Mu\xF1oz$_PR17Argentina - Claro$_CA0211$_NU0244\"\r\n"
            << "Se ha importado correctamente la Agenda" << info << QStringList{"Muñoz"};
        QTest::newRow("signos y blancos")
            << cab + "\"  a/b:c*d?\",\"$_NO10  a/b:c*d?$_PR17Argentina - Claro$_CA0211$_NU0244\"\r\n"
            << "Se ha importado correctamente la Agenda" << info << QStringList{"  a/b:c*d?"};
    }

    void importarEntradaMala()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, mensaje);
        QFETCH(int, icono);
        QFETCH(QStringList, nuevos);
        tresContactos();
        const ParesAjustes antes = ajustes().enumerar(SeccionAgenda);
        const QString ruta = archivo(bytes);
        QVERIFY(!ruta.isEmpty());
        dialogos().nombresDeArchivo.append(ruta);
        Agenda::ImportarAgenda(p->ctx, *principal);
        QCOMPARE(ultimoTexto(), mensaje);
        QCOMPARE(int(dialogos().llamadas.last().icono), icono);
        QCOMPARE(dialogos().llamadas.last().titulo, Titulo);
        const ParesAjustes despues = ajustes().enumerar(SeccionAgenda);
        // The stored contacts are untouched; only the file's good contacts came in.
        QCOMPARE(despues.mid(0, antes.size()), antes);
        QStringList llegados;
        for (const auto &par : despues.mid(antes.size()))
            llegados.append(par.first);
        QCOMPARE(llegados, nuevos);
        QCOMPARE(principal->llamadas.contains(QStringLiteral("Panel")), !nuevos.isEmpty());
        // The file was closed: it can be replaced at once.
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    }

    void importarDemasiadosRechazados()
    {
        QByteArray bytes = "NTXAgenda1.0\r\n";
        for (int i = 0; i < 12; ++i)
            bytes += "\"R" + QByteArray::number(i) + "$_\",\"x\"\r\n";
        dialogos().nombresDeArchivo.append(archivo(bytes));
        Agenda::ImportarAgenda(p->ctx, *principal);
        QVERIFY(ultimoTexto().contains(QStringLiteral("No se importaron 12 contacto(s)")));
        QVERIFY(ultimoTexto().contains(QStringLiteral("«R9$_»")));
        QVERIFY(!ultimoTexto().contains(QStringLiteral("«R10$_»")));
        QVERIFY(ultimoTexto().endsWith(QStringLiteral("\r\n · y 2 más.")));
        QVERIFY(ajustes().enumerar(SeccionAgenda).isEmpty());
        QVERIFY(principal->llamadas.isEmpty());
    }

    void importarConAlmacenQueFalla()
    {
        tresContactos();
        const ParesAjustes antes = ajustes().enumerar(SeccionAgenda);
        ajustes().fallarEscrituras = true;
        dialogos().nombresDeArchivo.append(
            archivo("NTXAgenda1.0\r\n\"Luis\",\"$_NO04Luis$_PR17Argentina - Claro$_CA0211$_NU0244\"\r\n"));
        Agenda::ImportarAgenda(p->ctx, *principal);
        QCOMPARE(ultimoTexto(), QStringLiteral("Se ha importado correctamente la Agenda\r\n\r\nNo se importaron 1 "
                                               "contacto(s) que la Agenda no puede guardar:\r\n · «Luis»: no se pudo "
                                               "guardar en la Agenda."));
        QCOMPARE(ajustes().enumerar(SeccionAgenda), antes);
        QVERIFY(principal->llamadas.isEmpty());
    }

    void importarCienMilContactos()
    {
        QTemporaryDir almacen;
        AjustesSqlite sqlite(almacen.path());
        ContextoPrueba conSqlite(&sqlite);
        QByteArray bytes = "NTXAgenda1.0\r\n";
        bytes.reserve(100000 * 80);
        for (int i = 0; i < 100000; ++i) {
            const QString n = QStringLiteral("Contacto %1").arg(i);
            bytes +=
                Agenda::LineaArchivoAgenda(n, Registro(n, Claro, QStringLiteral("11"), QString::number(i))).toLatin1() +
                "\r\n";
        }
        conSqlite.dialogos.nombresDeArchivo.append(archivo(bytes));
        Agenda::ImportarAgenda(conSqlite.ctx, *principal);
        QCOMPARE(conSqlite.dialogos.llamadas.last().texto, QStringLiteral("Se ha importado correctamente la Agenda"));
        const ParesAjustes pares = sqlite.enumerar(SeccionAgenda);
        QCOMPARE(pares.size(), 100000);
        QCOMPARE(pares.last().first, QStringLiteral("Contacto 99999"));
        QCOMPARE(pares.last().second,
                 Registro(QStringLiteral("Contacto 99999"), Claro, QStringLiteral("11"), QStringLiteral("99999")));
        QCOMPARE(pares.at(12345).second,
                 Registro(QStringLiteral("Contacto 12345"), Claro, QStringLiteral("11"), QStringLiteral("12345")));
        QCOMPARE(conSqlite.sistema.bombeos, 100000);
    }
};

QTEST_MAIN(TstFrmAgenda)
#include "tst_frmagenda.moc"

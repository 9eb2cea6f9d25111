// The history window over a real store in a temporary folder, driven as the
// user would: loading and its statuses, the wait window, selection, sorting by
// a column, delete one, delete all, resend, and the failures of each.
#include "bancohistorial.h"
#include "historial/frmespere.h"
#include "historial/frmhistorial.h"
#include "historial/principalhistorial.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QHeaderView>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

class PrincipalFalsa final : public PrincipalHistorial
{
public:
    QWidget *ventana() override { return &principal; }
    bool escrituraVisible() const override { return escritura; }
    void reenviar(const QString &m, const QString &r) override
    {
        llamadas.append(QStringLiteral("reenviar"));
        mensaje = m;
        remitente = r;
    }
    void enfocarDestino() override { llamadas.append(QStringLiteral("enfocar")); }

    QWidget principal;
    bool escritura = true;
    QStringList llamadas;
    QString mensaje, remitente;
};

RegistroHistorial reg(const QString &mensaje, const QDateTime &fecha, const QString &destinatario = {})
{
    RegistroHistorial r = registro(mensaje);
    r.fecha = fecha;
    if (!destinatario.isEmpty()) {
        r.destinatario = destinatario;
    }
    return r;
}

QDateTime a(int hora, int minuto)
{
    return QDateTime(QDate(2012, 11, 19), QTime(hora, minuto));
}

QByteArray almacen(const QList<RegistroHistorial> &registros)
{
    QByteArray todo = Cab;
    for (const auto &r : registros) {
        todo += almacen_historial::lineaRegistro(r) + "\r\n";
    }
    return todo;
}

// Three records in file order: 9:05, 10:05, 8:00. Newest first on screen.
QList<RegistroHistorial> tres()
{
    return {reg(QStringLiteral("uno"), a(9, 5), QStringLiteral("Carla")),
            reg(QStringLiteral("dos\r\nlíneas"), a(10, 5), QStringLiteral("Beto")),
            reg(QStringLiteral("tres"), a(8, 0), QStringLiteral("Ana"))};
}

QList<int> posiciones(const frmHistorial &v)
{
    QList<int> p;
    for (int fila = 0; fila < v.modelo()->rowCount(); ++fila) {
        p.append(v.modelo()->posicion(fila));
    }
    return p;
}

ControlesFrmHistorial controles(const frmHistorial &v)
{
    return ControlesFrmHistorial::buscar(v);
}

void pulsar(QAbstractButton *boton)
{
    QTest::mouseClick(boton, Qt::LeftButton, {}, boton->rect().center());
}

// The user's click on a row of the list.
void seleccionar(frmHistorial &v, int fila)
{
    QTreeView *lista = controles(v).lvwHistorial;
    const QModelIndex indice = v.modelo()->index(fila, ModeloHistorial::ColMensaje);
    lista->scrollTo(indice);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(indice).center());
}

// The user's click on a column's header.
void clicEnCabecera(frmHistorial &v, int columna)
{
    QHeaderView *h = controles(v).lvwHistorial->header();
    const QPoint centro(h->sectionViewportPosition(columna) + h->sectionSize(columna) / 2, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, centro);
}

struct Ventana
{
    Banco b;
    PrincipalFalsa p;
    std::unique_ptr<frmHistorial> v;

    explicit Ventana(const QByteArray &contenido = {})
    {
        p.principal.show();
        if (!contenido.isNull()) {
            escribirBytes(b.ruta(), contenido);
        }
        v = std::make_unique<frmHistorial>(*b.ctx, p, &p.principal);
    }
};

const QString PreguntaUno = QStringLiteral("¿Está seguro que desea borrar este mensaje permanentemente?");
const QString PreguntaTodos = QStringLiteral("¿Está seguro que desea borrar todos los mensajes enviados?\r\n\r\nEsta "
                                             "operación no se puede deshacer");
const QString ErrorBorrarUno = QStringLiteral("Error al tener acceso al almacén. Imposible eliminar elemento.");

} // namespace

class tst_frmHistorial : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void estados_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("fila");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("panel1");
        QTest::addColumn<QString>("panel2");
        QTest::addColumn<int>("filas");
        const QString listo = QStringLiteral("Seleccione un mensaje para ver más detalles, reenviar o eliminar");
        QTest::newRow("sin archivo") << QByteArray() << "(No hay mensajes guardados)"
                                     << "(No hay mensajes guardados)"
                                     << "El almacén de mensajes enviados está vacío"
                                     << "" << 1;
        QTest::newRow("cabecera dañada") << QByteArray("NTXHistoria1.0\r\n") << "(No hay mensajes guardados)"
                                         << "(No hay mensajes guardados)"
                                         << "El almacén de mensajes enviados está vacío"
                                         << "" << 1;
        QTest::newRow("solo cabecera") << Cab << "(El Historial está vacío)"
                                       << "(No hay mensajes en el historial)"
                                       << "No hay mensajes en el historial"
                                       << "" << 1;
        QTest::newRow("primer registro dañado")
            << QByteArray(Cab + "#2012-11-19 09:05:00#,\"a\",\"b\"\r\n") << "(El Historial está vacío)"
            << "(No hay mensajes en el historial)"
            << "No hay mensajes en el historial"
            << "" << 1;
        QTest::newRow("tres registros") << almacen(tres()) << ""
                                        << "(Seleccione un mensaje)"
                                        << "3 mensajes guardados" << listo << 3;
    }
    void estados()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, fila);
        QFETCH(QString, mensaje);
        QFETCH(QString, panel1);
        QFETCH(QString, panel2);
        QFETCH(int, filas);
        Ventana w(contenido);
        frmHistorial &v = *w.v;
        const ControlesFrmHistorial c = controles(v);
        QVERIFY(v.Abrir());
        QVERIFY(v.isVisible());
        QVERIFY(v.isModal());
        QVERIFY(w.p.principal.isVisible());
        QCOMPARE(v.espere(), nullptr);
        QVERIFY(w.b.dialogos.llamadas.isEmpty());
        QCOMPARE(v.modelo()->rowCount(), filas);
        QCOMPARE(c.txtMensaje->toPlainText(), mensaje);
        QCOMPARE(c.txtMensaje->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
        QCOMPARE(v.textoPanel(1), panel1);
        QCOMPARE(v.textoPanel(2), panel2);
        const bool hay = filas > 1;
        for (QPushButton *b : {c.cmdReenviar, c.cmdEliminar, c.cmdEliminarTodos}) {
            QCOMPARE(b->isEnabled(), hay);
        }
        QCOMPARE(c.lvwHistorial->isColumnHidden(ModeloHistorial::ColDestinatario), !hay);
        QVERIFY(c.lvwHistorial->isColumnHidden(ModeloHistorial::ColIndice));
        if (!hay) {
            QCOMPARE(v.modelo()->texto(0, 0), fila);
            // The placeholder fits its column.
            QVERIFY(c.lvwHistorial->columnWidth(0) >= c.lvwHistorial->fontMetrics().horizontalAdvance(fila));
            // Clicking the placeholder row changes nothing; neither do the Delete key and the grey buttons.
            seleccionar(v, 0);
            QTest::keyClick(c.lvwHistorial, Qt::Key_Delete);
            pulsar(c.cmdReenviar);
            pulsar(c.cmdEliminar);
            QCOMPARE(c.txtMensaje->toPlainText(), mensaje);
            QCOMPARE(c.lblPara->text(), QString());
            QVERIFY(w.b.dialogos.llamadas.isEmpty());
            QVERIFY(w.p.llamadas.isEmpty());
            return;
        }
        // Newest first, the first row selected, the pane still waiting for a choice.
        QCOMPARE(posiciones(v), (QList<int>{2, 1, 3}));
        QCOMPARE(c.lvwHistorial->currentIndex().row(), 0);
        QCOMPARE(c.lvwHistorial->header()->sortIndicatorSection(), 0);
        QCOMPARE(c.lvwHistorial->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(c.lblPara->text(), QString());
    }

    void erroresDeLectura()
    {
        // A damaged record after a good one: the window does not open.
        Ventana w(almacen({reg(QStringLiteral("uno"), a(9, 5))}) + "#2012-11-19 09:05:00#,\"roto\r\n");
        QSignalSpy cerrada(w.v.get(), &QDialog::finished);
        QVERIFY(!w.v->Abrir());
        QVERIFY(!w.v->isVisible());
        QCOMPARE(cerrada.size(), 1);
        QVERIFY(w.p.principal.isVisible());
        QCOMPARE(w.v->espere(), nullptr);
        QCOMPARE(w.b.dialogos.llamadas.size(), 1);
        const auto &caja = w.b.dialogos.llamadas[0];
        QCOMPARE(caja.texto, QStringLiteral("Ha ocurrido un error al intentar tener acceso al almacén de mensajes"
                                            "\r\n\r\n · Compruebe que tenga los permisos necesarios para ejecutar "
                                            "este programa\r\n · Si el problema continúa repare el almacén de "
                                            "mensajes dentro de las Preferencias avanzadas del menú Archivo"));
        QCOMPARE(caja.icono, Dialogos::Icono::Critico);
        QCOMPARE(caja.titulo, Titulo);
        // Nothing was written to the store.
        QVERIFY(leerBytes(w.b.ruta()).endsWith("\"roto\r\n"));
    }

    void ventanaDeEspera()
    {
        Ventana w(almacen(tres()));
        QStringList vistos;
        w.b.sistema.alDejarCorrerMensajes = [&] {
            frmEspere *e = w.v->espere();
            QVERIFY(e && e->isVisible());
            QVERIFY(!w.p.principal.isVisible());
            const QString visto = e->windowTitle() + QLatin1Char('|') + e->lblEspere->text() + QLatin1Char('|') +
                                  e->lblCompletado->text();
            if (vistos.isEmpty() || vistos.last() != visto) {
                vistos.append(visto);
            }
        };
        QVERIFY(w.v->Abrir());
        const QString abriendo =
            QStringLiteral("Espere por favor...|NTX Mensajes está abriendo el almacén de mensajes...|");
        QCOMPARE(vistos, (QStringList{abriendo, abriendo + QStringLiteral("Completado  33%"),
                                      abriendo + QStringLiteral("Completado  67%"),
                                      abriendo + QStringLiteral("Completado  100%")}));

        // Deleting shows its own text, then reloads.
        seleccionar(*w.v, 0);
        vistos.clear();
        pulsar(controles(*w.v).cmdEliminar);
        QCOMPARE(vistos.value(0), QStringLiteral("Espere por favor|Eliminando el mensaje seleccionado...|"));
        QCOMPARE(vistos.value(1), abriendo);
        QCOMPARE(vistos.last(), abriendo + QStringLiteral("Completado  100%"));
        vistos.clear();
        pulsar(controles(*w.v).cmdEliminarTodos);
        QCOMPARE(vistos.value(0), QStringLiteral("Espere por favor|Eliminando todos los mensajes...|"));
        QCOMPARE(vistos.last(), abriendo);
    }

    // The widths keep the proportions of the twips they were chosen in, grown
    // with the font's letters, and the last column takes the rest of the list.
    void anchoDeColumnas_data()
    {
        QTest::addColumn<int>("registros");
        QTest::addColumn<int>("destinatario"); // twips
        QTest::newRow("15") << 15 << 1900;
        QTest::newRow("16") << 16 << 1600;
    }
    void anchoDeColumnas()
    {
        QFETCH(int, registros);
        QFETCH(int, destinatario);
        QList<RegistroHistorial> lista;
        for (int i = 0; i < registros; ++i) {
            lista.append(reg(QStringLiteral("renglón número renglón número"), a(9, i), QStringLiteral("Pedro Gómez")));
        }
        Ventana w(almacen(lista));
        QVERIFY(w.v->Abrir());
        QVERIFY(QTest::qWaitForWindowExposed(w.v.get()));
        QTreeView *l = controles(*w.v).lvwHistorial;
        const double escala = l->columnWidth(ModeloHistorial::ColMensaje) / (1650 / 15.0);
        QVERIFY(qAbs(l->columnWidth(ModeloHistorial::ColDestinatario) - destinatario / 15.0 * escala) <= 1);
        QVERIFY(qAbs(l->columnWidth(ModeloHistorial::ColRemitente) - 1000 / 15.0 * escala) <= 1);
        QVERIFY(l->columnWidth(ModeloHistorial::ColFecha) >= qRound(2000 / 15.0 * escala));
        QVERIFY(l->isColumnHidden(ModeloHistorial::ColIndice));
        // What the columns were made to show fits: the longest dates and a whole preview.
        const QFontMetrics m(l->font());
        const int margen = 2 * (l->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, l) + 1);
        for (int dia = 19; dia < 26; ++dia) {
            const QString fecha =
                lista_historial::textoFecha(QDateTime(QDate(2012, 11, dia), QTime(23, 59)), QLocale());
            QVERIFY2(m.horizontalAdvance(fecha) + margen <= l->columnWidth(ModeloHistorial::ColFecha),
                     qPrintable(fecha));
        }
        const QString previa = w.v->modelo()->texto(0, ModeloHistorial::ColMensaje);
        QCOMPARE(previa, QStringLiteral("renglón número reng..."));
        QVERIFY(m.horizontalAdvance(previa) + margen <= l->columnWidth(ModeloHistorial::ColMensaje));
        // No empty strip right of "Proveedor": the last column ends at the list's edge.
        QHeaderView *h = l->header();
        QTRY_COMPARE(h->sectionViewportPosition(ModeloHistorial::ColProveedor) +
                         h->sectionSize(ModeloHistorial::ColProveedor),
                     l->viewport()->width());
        QVERIFY(h->sectionSize(ModeloHistorial::ColProveedor) >= qRound(1800 / 15.0 * escala) - 1);
        QCOMPARE(w.v->textoPanel(1), QString::number(registros) + QStringLiteral(" mensajes guardados"));
    }

    void seleccion()
    {
        Ventana w(almacen(tres()));
        frmHistorial &v = *w.v;
        const ControlesFrmHistorial c = controles(v);
        QVERIFY(v.Abrir());
        seleccionar(v, 0); // already current: a click shows it
        QCOMPARE(c.txtMensaje->toPlainText(), QStringLiteral("dos\nlíneas"));
        QCOMPARE(c.txtMensaje->document()->defaultTextOption().alignment(), Qt::AlignLeft);
        QCOMPARE(v.modelo()->texto(0, ModeloHistorial::ColMensaje), QStringLiteral("dos líneas"));
        QCOMPARE(c.lblPara->text(), QStringLiteral("Beto  [011 45678901]"));
        QCOMPARE(c.lblDe->text(), QStringLiteral("Ana"));
        QCOMPARE(c.lblProveedor->text(), QStringLiteral("Argentina - Claro"));
        QCOMPARE(c.lblFecha->text(), lista_historial::fechaGeneral(a(10, 5), QLocale()));
        // Moving with the keyboard shows the new row.
        QTest::keyClick(c.lvwHistorial, Qt::Key_End);
        QCOMPARE(c.txtMensaje->toPlainText(), QStringLiteral("tres"));
        QCOMPARE(c.lblPara->text(), QStringLiteral("Ana  [011 45678901]"));
        QTest::keyClick(c.lvwHistorial, Qt::Key_Up);
        QCOMPARE(c.txtMensaje->toPlainText(), QStringLiteral("uno"));
    }

    void vistaPreviaConTeclado_data()
    {
        QTest::addColumn<int>("mensajes");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<QString>("mostrado");
        // The preselected first row, which no arrow moves away from with one message.
        QTest::newRow("uno, abajo") << 1 << int(Qt::Key_Down) << "uno";
        QTest::newRow("uno, arriba") << 1 << int(Qt::Key_Up) << "uno";
        QTest::newRow("uno, espacio") << 1 << int(Qt::Key_Space) << "uno";
        QTest::newRow("tres, espacio") << 3 << int(Qt::Key_Space) << "dos\nlíneas";
        QTest::newRow("tres, inicio") << 3 << int(Qt::Key_Home) << "dos\nlíneas";
        QTest::newRow("tres, arriba") << 3 << int(Qt::Key_Up) << "dos\nlíneas";
        QTest::newRow("tres, abajo") << 3 << int(Qt::Key_Down) << "uno";
        QTest::newRow("tres, fin") << 3 << int(Qt::Key_End) << "tres";
    }

    // The list opens with the keyboard on the preselected first row: any move or Space shows it.
    void vistaPreviaConTeclado()
    {
        QFETCH(int, mensajes);
        QFETCH(int, tecla);
        QFETCH(QString, mostrado);
        Ventana w(almacen(tres().mid(0, mensajes)));
        frmHistorial &v = *w.v;
        const ControlesFrmHistorial c = controles(v);
        QVERIFY(v.Abrir());
        QVERIFY(QTest::qWaitForWindowActive(&v));
        QTRY_COMPARE(QApplication::focusWidget(), c.lvwHistorial);
        QCOMPARE(c.txtMensaje->toPlainText(), QStringLiteral("(Seleccione un mensaje)"));
        QTest::keyClick(c.lvwHistorial, Qt::Key(tecla));
        QCOMPARE(c.txtMensaje->toPlainText(), mostrado);
    }

    // The menu key on the list offers what the buttons beside it do: "Reenviar" by its letter.
    void menuDeLaListaConTeclado()
    {
        Ventana w(almacen(tres()));
        QVERIFY(w.v->Abrir());
        const ControlesFrmHistorial c = controles(*w.v);
        QStringList opciones;
        QTimer::singleShot(0, w.v.get(), [&opciones] {
            QWidget *menu = QApplication::activePopupWidget();
            QVERIFY(menu);
            for (const QAction *a : menu->actions())
                opciones << a->text();
            QTest::keyClick(menu, Qt::Key_R);
        });
        QContextMenuEvent tecla(QContextMenuEvent::Keyboard, QPoint(4, 4), c.lvwHistorial->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(c.lvwHistorial, &tecla);
        QCOMPARE(opciones, QStringList({"&Reenviar", "&Eliminar"}));
        // The preselected first row, newest first.
        QCOMPARE(w.p.llamadas, (QStringList{QStringLiteral("reenviar"), QStringLiteral("enfocar")}));
        QCOMPARE(w.p.mensaje, QStringLiteral("dos\r\nlíneas"));
    }

    void ordenarPorColumna_data()
    {
        QTest::addColumn<QList<int>>("clics");
        QTest::addColumn<QList<int>>("posiciones");
        QTest::addColumn<int>("orden");
        QTest::newRow("fecha: de descendente a ascendente, 9:05 antes que 10:05")
            << QList<int>{0} << QList<int>{3, 1, 2} << int(Qt::AscendingOrder);
        QTest::newRow("fecha dos veces: descendente, 10:05 antes que 9:05")
            << QList<int>{0, 0} << QList<int>{2, 1, 3} << int(Qt::DescendingOrder);
        QTest::newRow("destinatario: ascendente") << QList<int>{1} << QList<int>{3, 2, 1} << int(Qt::AscendingOrder);
        QTest::newRow("destinatario dos veces: descendente")
            << QList<int>{1, 1} << QList<int>{1, 2, 3} << int(Qt::DescendingOrder);
        QTest::newRow("otra columna vuelve a ascendente")
            << QList<int>{1, 1, 2} << QList<int>{2, 3, 1} << int(Qt::AscendingOrder);
    }
    void ordenarPorColumna()
    {
        QFETCH(QList<int>, clics);
        QFETCH(QList<int>, posiciones);
        QFETCH(int, orden);
        Ventana w(almacen(tres()));
        QVERIFY(w.v->Abrir());
        QVERIFY(QTest::qWaitForWindowExposed(w.v.get()));
        for (int columna : clics) {
            clicEnCabecera(*w.v, columna);
        }
        QCOMPARE(::posiciones(*w.v), posiciones);
        QHeaderView *h = controles(*w.v).lvwHistorial->header();
        QCOMPARE(h->sortIndicatorSection(), clics.last());
        QCOMPARE(h->sortIndicatorOrder(), Qt::SortOrder(orden));
    }

    void eliminarUno_data()
    {
        QTest::addColumn<int>("registros");
        QTest::addColumn<int>("borrar"); // position in the file
        QTest::addColumn<bool>("conTecla");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QList<int>>("quedan");
        QTest::newRow("el 2 de 3") << 3 << 2 << false << int(Dialogos::Respuesta::Si) << QList<int>{1, 3};
        QTest::newRow("el 2 de 3 con Supr") << 3 << 2 << true << int(Dialogos::Respuesta::Si) << QList<int>{1, 3};
        QTest::newRow("el 3 de 3") << 3 << 3 << false << int(Dialogos::Respuesta::Si) << QList<int>{1, 2};
        QTest::newRow("responde No") << 3 << 2 << false << int(Dialogos::Respuesta::No) << QList<int>{1, 2, 3};
        QTest::newRow("el único") << 1 << 1 << false << int(Dialogos::Respuesta::Si) << QList<int>{};
    }
    void eliminarUno()
    {
        QFETCH(int, registros);
        QFETCH(int, borrar);
        QFETCH(bool, conTecla);
        QFETCH(int, respuesta);
        QFETCH(QList<int>, quedan);
        const QList<RegistroHistorial> todos = tres().mid(0, registros);
        Ventana w(almacen(todos));
        frmHistorial &v = *w.v;
        QVERIFY(v.Abrir());
        const int fila = int(posiciones(v).indexOf(borrar));
        seleccionar(v, fila);
        w.b.dialogos.respuestas = {Dialogos::Respuesta(respuesta)};
        if (conTecla) {
            QTest::keyClick(controles(v).lvwHistorial, Qt::Key_Delete);
        } else {
            pulsar(controles(v).cmdEliminar);
        }
        QCOMPARE(w.b.dialogos.llamadas.size(), 1);
        const auto &pregunta = w.b.dialogos.llamadas[0];
        QCOMPARE(pregunta.texto, PreguntaUno);
        QCOMPARE(pregunta.botones, Dialogos::Botones::SiNo);
        QCOMPARE(pregunta.icono, Dialogos::Icono::Pregunta);
        QCOMPARE(pregunta.titulo, QStringLiteral("Confirmar eliminación"));
        // A stray Enter keeps the message.
        QCOMPARE(pregunta.predeterminada, Dialogos::Respuesta::No);

        QList<RegistroHistorial> esperados;
        for (int k : quedan) {
            esperados.append(todos[k - 1]);
        }
        QCOMPARE(leerBytes(w.b.ruta()), almacen(esperados));
        QVERIFY(v.isVisible());
        QVERIFY(w.p.principal.isVisible());
        QCOMPARE(v.espere(), nullptr);
        if (quedan.isEmpty()) {
            QCOMPARE(v.modelo()->texto(0, 0), QStringLiteral("(El Historial está vacío)"));
            QVERIFY(!controles(v).cmdReenviar->isEnabled());
            QVERIFY(!controles(v).cmdEliminar->isEnabled());
            QVERIFY(!controles(v).cmdEliminarTodos->isEnabled());
            return;
        }
        // The list is the store again: positions renumbered, count updated.
        QCOMPARE(v.modelo()->rowCount(), quedan.size());
        QCOMPARE(v.textoPanel(1), QString::number(quedan.size()) + QStringLiteral(" mensajes guardados"));
        QStringList mensajes;
        for (int f = 0; f < v.modelo()->rowCount(); ++f) {
            mensajes.append(v.modelo()->registro(f)->mensaje);
        }
        for (int k : quedan) {
            QVERIFY(mensajes.contains(todos[k - 1].mensaje));
        }
    }

    void eliminarUnoFalla_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("el archivo desapareció") << "desaparecido";
        QTest::newRow("no se puede reescribir") << "lleno";
    }
    void eliminarUnoFalla()
    {
        QFETCH(QString, caso);
        Ventana w(almacen(tres()));
        QVERIFY(w.v->Abrir());
        QSignalSpy cerrada(w.v.get(), &QDialog::finished);
        seleccionar(*w.v, 0);
        const QByteArray antes = leerBytes(w.b.ruta());
        if (caso == QLatin1String("desaparecido")) {
            QVERIFY(QFile::remove(w.b.ruta()));
            pulsar(controles(*w.v).cmdEliminar);
        } else {
            LimiteTamano limite(16);
            pulsar(controles(*w.v).cmdEliminar);
        }
        QCOMPARE(w.b.dialogos.llamadas.size(), 2);
        QCOMPARE(w.b.dialogos.llamadas[1].texto, ErrorBorrarUno);
        QCOMPARE(w.b.dialogos.llamadas[1].icono, Dialogos::Icono::Critico);
        QCOMPARE(w.b.dialogos.llamadas[1].titulo, Titulo);
        QCOMPARE(cerrada.size(), 1);
        QVERIFY(!w.v->isVisible());
        QVERIFY(w.p.principal.isVisible());
        QCOMPARE(w.v->espere(), nullptr);
        QCOMPARE(leerBytes(w.b.ruta()), caso == QLatin1String("lleno") ? antes : QByteArray());
    }

    void eliminarConElAlmacenCambiado()
    {
        // Another record came in after the list was read: position k may now be another message.
        Ventana w(almacen(tres()));
        QVERIFY(w.v->Abrir());
        seleccionar(*w.v, 0);
        QList<RegistroHistorial> cuatro = tres();
        cuatro.prepend(reg(QStringLiteral("nuevo"), a(7, 0)));
        QVERIFY(escribirBytes(w.b.ruta(), almacen(cuatro)));
        pulsar(controles(*w.v).cmdEliminar);
        QCOMPARE(w.b.dialogos.llamadas.size(), 2);
        QCOMPARE(w.b.dialogos.llamadas[1].icono, Dialogos::Icono::Exclamacion);
        QVERIFY(w.b.dialogos.llamadas[1].texto.contains(QStringLiteral("No se eliminó ningún mensaje")));
        QCOMPARE(leerBytes(w.b.ruta()), almacen(cuatro));
        QCOMPARE(w.v->modelo()->rowCount(), 4);
        QVERIFY(w.v->isVisible());
        // Chosen again on the new list, it goes.
        seleccionar(*w.v, 0);
        pulsar(controles(*w.v).cmdEliminar);
        QCOMPARE(w.v->modelo()->rowCount(), 3);
    }

    void eliminarConUnRegistroDanado()
    {
        // A record with too few fields between good ones.
        const QList<RegistroHistorial> t = tres();
        const QByteArray contenido =
            Cab + almacen_historial::lineaRegistro(t[0]) + "\r\n#2012-11-19 09:30:00#,\"a\",\"b\"\r\n" +
            almacen_historial::lineaRegistro(t[1]) + "\r\n" + almacen_historial::lineaRegistro(t[2]) + "\r\n";
        Ventana w(contenido);
        if (!w.v->Abrir()) {
            // A reader that stops at the damage: the window stays shut and the store untouched.
            QCOMPARE(w.b.dialogos.llamadas.size(), 1);
            QCOMPARE(w.b.dialogos.llamadas[0].icono, Dialogos::Icono::Critico);
            QCOMPARE(leerBytes(w.b.ruta()), contenido);
            return;
        }
        // A reader that skips it: the positions the window deletes by must be the store's,
        // so deleting "dos" takes "dos" and no other message.
        int fila = -1;
        for (int f = 0; f < w.v->modelo()->rowCount(); ++f) {
            if (w.v->modelo()->registro(f)->mensaje == t[1].mensaje) {
                fila = f;
            }
        }
        QVERIFY(fila >= 0);
        seleccionar(*w.v, fila);
        pulsar(controles(*w.v).cmdEliminar);
        almacen_historial::HistorialIndexado despues;
        despues.leer(w.b.ruta());
        QStringList mensajes;
        for (qsizetype i = 0; i < despues.size(); ++i) {
            mensajes.append(despues.texto(i, almacen_historial::CampoHistorial::Mensaje));
        }
        QCOMPARE(mensajes, (QStringList{t[0].mensaje, t[2].mensaje}));
    }

    void eliminarTodos_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("desaparecido");
        QTest::addColumn<QString>("error");
        QTest::newRow("sí") << int(Dialogos::Respuesta::Si) << false << "";
        QTest::newRow("no") << int(Dialogos::Respuesta::No) << false << "";
        QTest::newRow("el archivo ya no estaba")
            << int(Dialogos::Respuesta::Si) << true
            << "Error al elimar los mensajes. La operación no se pudo completar.\r\n\r\nError:  53 No se ha "
               "encontrado el archivo";
    }
    void eliminarTodos()
    {
        QFETCH(int, respuesta);
        QFETCH(bool, desaparecido);
        QFETCH(QString, error);
        Ventana w(almacen(tres()));
        QVERIFY(w.v->Abrir());
        if (desaparecido) {
            QVERIFY(QFile::remove(w.b.ruta()));
        }
        w.b.dialogos.respuestas = {Dialogos::Respuesta(respuesta)};
        pulsar(controles(*w.v).cmdEliminarTodos);
        const auto &pregunta = w.b.dialogos.llamadas.value(0);
        QCOMPARE(pregunta.texto, PreguntaTodos);
        QCOMPARE(pregunta.botones, Dialogos::Botones::SiNo);
        QCOMPARE(pregunta.icono, Dialogos::Icono::Pregunta);
        QCOMPARE(pregunta.titulo, QStringLiteral("Confirmar eliminación"));
        // A stray Enter keeps every message.
        QCOMPARE(pregunta.predeterminada, Dialogos::Respuesta::No);
        QCOMPARE(w.b.dialogos.llamadas.size(), error.isEmpty() ? 1 : 2);
        if (!error.isEmpty()) {
            QCOMPARE(w.b.dialogos.llamadas[1].texto, error);
            QCOMPARE(w.b.dialogos.llamadas[1].icono, Dialogos::Icono::Critico);
        }
        QVERIFY(w.v->isVisible());
        QVERIFY(w.p.principal.isVisible());
        if (respuesta == int(Dialogos::Respuesta::No)) {
            QCOMPARE(leerBytes(w.b.ruta()), almacen(tres()));
            QCOMPARE(w.v->modelo()->rowCount(), 3);
            return;
        }
        QVERIFY(!QFile::exists(w.b.ruta()));
        QCOMPARE(w.v->modelo()->texto(0, 0), QStringLiteral("(No hay mensajes guardados)"));
        QVERIFY(!controles(*w.v).cmdEliminarTodos->isEnabled());
    }

    void reenviar_data()
    {
        QTest::addColumn<bool>("escritura");
        QTest::newRow("con el panel de escritura") << true;
        QTest::newRow("sin el panel de escritura") << false;
    }
    void reenviar()
    {
        QFETCH(bool, escritura);
        Ventana w(almacen(tres()));
        w.p.escritura = escritura;
        QVERIFY(w.v->Abrir());
        QSignalSpy cerrada(w.v.get(), &QDialog::finished);
        seleccionar(*w.v, 0);
        pulsar(controles(*w.v).cmdReenviar);
        QCOMPARE(cerrada.size(), 1);
        QVERIFY(!w.v->isVisible());
        if (escritura) {
            QVERIFY(w.b.dialogos.llamadas.isEmpty());
            QCOMPARE(w.p.llamadas, (QStringList{QStringLiteral("reenviar"), QStringLiteral("enfocar")}));
            QCOMPARE(w.p.mensaje, QStringLiteral("dos\r\nlíneas"));
            QCOMPARE(w.p.remitente, QStringLiteral("Ana"));
        } else {
            QVERIFY(w.p.llamadas.isEmpty());
            QCOMPARE(w.b.dialogos.llamadas.size(), 1);
            QCOMPARE(w.b.dialogos.llamadas[0].texto,
                     QStringLiteral("El panel de escritura de mensajes debe estar visible antes de poder reenviar "
                                    "este mensaje\r\n\r\n · Elija un proveedor de la lista para hacer visible el "
                                    "panel de escritura de mensajes"));
            QCOMPARE(w.b.dialogos.llamadas[0].icono, Dialogos::Icono::Exclamacion);
            QCOMPARE(w.b.dialogos.llamadas[0].titulo, Titulo);
        }
        // Closing released the records.
        QCOMPARE(w.v->modelo()->rowCount(), 0);
    }

    void mostrarHistorial()
    {
        Banco b;
        PrincipalFalsa p;
        p.principal.show();
        QVERIFY(escribirBytes(b.ruta(), almacen(tres())));
        bool abierta = false, recargada = false;
        QTimer::singleShot(0, &p.principal, [&] {
            auto *v = p.principal.findChild<frmHistorial *>();
            abierta = v && v->isVisible() && v->modelo()->rowCount() == 3;
            if (!v) {
                return;
            }
            // Deleting reloads (and so hides and shows) the window; it stays open.
            seleccionar(*v, 0);
            pulsar(controles(*v).cmdEliminar);
            QTimer::singleShot(0, v, [&p, &recargada, v] {
                recargada = v->isVisible() && v->modelo()->rowCount() == 2 && !p.principal.isHidden();
                pulsar(controles(*v).cmdCerrar);
            });
        });
        MostrarHistorial(*b.ctx, p);
        QVERIFY(abierta);
        QVERIFY(recargada);
        QVERIFY(p.principal.isVisible());
        QVERIFY(!p.principal.findChild<frmHistorial *>());
    }

    void mostrarHistorialIlegible()
    {
        // The window closes itself on a read error; the call returns and the main window is back.
        Banco b;
        PrincipalFalsa p;
        p.principal.show();
        QVERIFY(escribirBytes(b.ruta(), almacen({reg(QStringLiteral("uno"), a(9, 5))}) + "#2012-11-19 09:05:00#,\""));
        MostrarHistorial(*b.ctx, p);
        QCOMPARE(b.dialogos.llamadas.size(), 1);
        QVERIFY(p.principal.isVisible());
    }

    void mensajesLargos()
    {
        QList<RegistroHistorial> lista;
        const QString largo = QStringLiteral("renglón número\r\n").repeated(25).left(400);
        for (int i = 0; i < 50; ++i) {
            lista.append(reg(largo, a(9, i)));
        }
        Ventana w(almacen(lista));
        QVERIFY(w.v->Abrir());
        QCOMPARE(w.v->modelo()->texto(0, ModeloHistorial::ColMensaje), QStringLiteral("renglón número reng..."));
        seleccionar(*w.v, 3);
        QCOMPARE(controles(*w.v).txtMensaje->toPlainText(),
                 QString(largo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    // A reload hides and shows the window: it comes back where the user left it.
    void recargadaDondeEstaba_data()
    {
        QTest::addColumn<QString>("accion");
        QTest::newRow("eliminar uno") << "uno";
        QTest::newRow("eliminar todos") << "todos";
        QTest::newRow("el almacén cambió") << "cambiado";
    }
    void recargadaDondeEstaba()
    {
        QFETCH(QString, accion);
        Ventana w(almacen(tres()));
        QVERIFY(w.v->Abrir());
        QVERIFY(QTest::qWaitForWindowExposed(w.v.get()));
        // The user drags it away from where it was first placed.
        const QRect movida = w.v->geometry().translated(37, 61);
        w.v->windowHandle()->setGeometry(movida);
        QTRY_COMPARE(w.v->geometry(), movida);
        seleccionar(*w.v, 0);
        if (accion == QLatin1String("cambiado")) {
            QVERIFY(escribirBytes(w.b.ruta(), almacen(tres().mid(1))));
        }
        pulsar(accion == QLatin1String("todos") ? controles(*w.v).cmdEliminarTodos : controles(*w.v).cmdEliminar);
        QVERIFY(w.v->isVisible());
        QCOMPARE(w.v->geometry(), movida);
        QVERIFY(QTest::qWaitForWindowExposed(w.v.get()));
        QCOMPARE(w.v->geometry(), movida);
    }

    // With NTX_CAPTURAS set to a folder and a real X display, pictures of the
    // screen: the list as opened, then after each of three deletes.
    void capturas()
    {
        const QString carpeta = qEnvironmentVariable("NTX_CAPTURAS");
        if (carpeta.isEmpty()) {
            QSKIP("NTX_CAPTURAS no está puesta");
        }
        const struct
        {
            const char16_t *nombre, *destino, *mensaje, *proveedor;
        } filas[] = {
            {u"Pedro Gómez", u"11 22334455", u"Llego tarde, guardame la cena por favor", u"Argentina - Personal"},
            {u"(No agendado)", u"351 5551234", u"Hola", u"Argentina - Claro"},
            {u"María José Fernández", u"11 40001234", u"Feliz cumpleaños!! Que lo pases genial", u"Argentina - Claro"},
            {u"Ana", u"0414 1234567", u"Te llamo en cinco minutos", u"Venezuela - Movilnet"},
            {u"Juan", u"261 4445566", u"Ok", u"Argentina - Personal"},
        };
        QList<RegistroHistorial> lista;
        for (int i = 0; i < 5; ++i) {
            RegistroHistorial r =
                reg(QString::fromUtf16(filas[i].mensaje), a(9 + i, 5 * i), QString::fromUtf16(filas[i].nombre));
            r.destino = QString::fromUtf16(filas[i].destino);
            r.remitente = QStringLiteral("Juan Pérez");
            r.proveedor = QString::fromUtf16(filas[i].proveedor);
            lista.append(r);
        }
        Ventana w(almacen(lista));
        w.p.principal.setGeometry(272, 145, 734, 501);
        QDir().mkpath(carpeta);
        QVERIFY(w.v->Abrir());
        // The screen is taken once the window server has shown the window again.
        struct Exposiciones final : QObject
        {
            int n = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                n += e->type() == QEvent::Expose;
                return false;
            }
        } exposiciones;
        w.v->windowHandle()->installEventFilter(&exposiciones);
        for (int i = 0; i < 4; ++i) {
            const int antes = exposiciones.n;
            if (i > 0) {
                seleccionar(*w.v, 0);
                pulsar(controles(*w.v).cmdEliminar);
                QTRY_VERIFY(exposiciones.n > antes && w.v->windowHandle()->isExposed());
            }
            QVERIFY(QTest::qWaitForWindowExposed(w.v.get()));
            // The window manager frames the window in its own time.
            QTRY_VERIFY(w.v->frameGeometry().top() < w.v->geometry().top());
            w.v->repaint();
            QCoreApplication::processEvents();
            qInfo("captura %d: ventana en %d,%d", i, w.v->frameGeometry().x(), w.v->frameGeometry().y());
            const QPixmap foto = w.v->screen()->grabWindow(0);
            QVERIFY(foto.save(carpeta + QStringLiteral("/historial%1.png").arg(i)));
        }
    }
};

QTEST_MAIN(tst_frmHistorial)
#include "tst_frmhistorial.moc"

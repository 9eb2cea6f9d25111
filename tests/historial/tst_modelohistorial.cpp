// The rows of the history list: preview, cell texts, tag, and the sort by a
// column (dates in time order, texts alphabetically, equal rows in file order).
#include "historial/exportarhistorial.h"
#include "historial/modelohistorial.h"

#include <QTest>

namespace lh = lista_historial;

namespace {

RegistroHistorial registro(const QString &destinatario, const QDateTime &fecha, const QString &mensaje = {})
{
    return {fecha,
            destinatario,
            QStringLiteral("011 45678901"),
            QStringLiteral("Ana"),
            mensaje.isEmpty() ? destinatario : mensaje,
            QStringLiteral("Argentina - Claro")};
}

// The records as the store holds them, indexed as the window reads them.
almacen_historial::HistorialIndexado indexado(const TablaHistorial &tabla)
{
    QByteArray datos = QByteArray(almacen_historial::Cabecera) + "\r\n";
    for (const RegistroHistorial &r : tabla) {
        datos += almacen_historial::lineaRegistro(r) + "\r\n";
    }
    almacen_historial::HistorialIndexado historial;
    historial.leerDatos(datos);
    return historial;
}

QDateTime a(int dia, int hora, int minuto)
{
    return QDateTime(QDate(2012, 11, dia), QTime(hora, minuto));
}

// File positions of the rows as shown.
QList<int> posiciones(const ModeloHistorial &m)
{
    QList<int> p;
    for (int fila = 0; fila < m.rowCount(); ++fila) {
        p.append(m.posicion(fila));
    }
    return p;
}

// Five messages to search: accents, a line break, several fields.
TablaHistorial muestraBusqueda()
{
    TablaHistorial t;
    t.append({QDateTime(QDate(2012, 11, 1), QTime(9, 5, 7)), QStringLiteral("Luis"), QStringLiteral("011 45678901"),
              QStringLiteral("Ana"), QStringLiteral("Café, mañana\r\ntemprano"), QStringLiteral("Argentina - Claro")});
    t.append({QDateTime(QDate(2012, 11, 2), QTime(10, 0)), QStringLiteral("Ñandú"), QStringLiteral("011 45678901"),
              QStringLiteral("Ana"), QStringLiteral("hola"), QStringLiteral("Argentina - Claro")});
    t.append({QDateTime(QDate(2012, 11, 3), QTime(10, 0)), QStringLiteral("Rosa"), QStringLiteral("011 45678901"),
              QStringLiteral("Ana"), QStringLiteral("Café con Rosa"), QStringLiteral("Argentina - Claro")});
    t.append({QDateTime(QDate(2012, 11, 4), QTime(10, 0)), QStringLiteral("(No agendado)"),
              QStringLiteral("351 5551234"), QStringLiteral("Ana"), QStringLiteral("te llamo"),
              QStringLiteral("Argentina - Personal")});
    t.append({QDateTime(QDate(2012, 11, 5), QTime(10, 0)), QStringLiteral("Pepe"), QStringLiteral("16 1234567"),
              QStringLiteral("Beto"), QStringLiteral("chau"), QStringLiteral("Venezuela - Movilnet")});
    return t;
}

} // namespace

class tst_ModeloHistorial : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void vistaPrevia_data()
    {
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("previa");
        QTest::newRow("vacío") << ""
                               << "";
        QTest::newRow("18 entero") << "123456789012345678"
                                   << "123456789012345678";
        QTest::newRow("19: los 19 y puntos") << "1234567890123456789"
                                             << "1234567890123456789...";
        QTest::newRow("20: los 19 y puntos") << "12345678901234567890"
                                             << "1234567890123456789...";
        QTest::newRow("salto de línea: un blanco") << "hola\r\nchau"
                                                   << "hola chau";
        QTest::newRow("LF solo: se quita") << "hola\nchau"
                                           << "holachau";
        QTest::newRow("CR solo: un blanco") << "hola\rchau"
                                            << "hola chau";
        QTest::newRow("se cuenta tras cambiar los saltos: 18") << "1234567890123456\r\n7"
                                                               << "1234567890123456 7";
        QTest::newRow("se cuenta tras cambiar los saltos: 19") << "12345678901234567\r\n8"
                                                               << "12345678901234567 8...";
        QTest::newRow("400 con saltos") << QStringLiteral("línea de texto\r\n").repeated(25)
                                        << QStringLiteral("línea de texto líne...");
    }
    void vistaPrevia()
    {
        QFETCH(QString, mensaje);
        QFETCH(QString, previa);
        QCOMPARE(lh::vistaPrevia(mensaje), previa);
    }

    void etiqueta_data()
    {
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("simple") << "hola";
        QTest::newRow("con salto") << "hola\r\nchau";
        // A message that holds the separator is still split where the date starts.
        QTest::newRow("con el separador") << "a__$SEPARADOR_/DE/_FECHAS$__b";
        QTest::newRow("con el separador en minúsculas") << "a__$separador_/de/_fechas$__b";
    }
    void etiqueta()
    {
        QFETCH(QString, mensaje);
        const QLocale locale(QLocale::Spanish, QLocale::Argentina);
        const RegistroHistorial r = registro(QStringLiteral("Juan"), a(19, 9, 5), mensaje);
        const QString tag = lh::etiqueta(r, locale);
        QVERIFY(tag.startsWith(mensaje + QStringLiteral("__$SEPARADOR_/DE/_FECHAS$__")));
        QString parte, fecha;
        lh::partirEtiqueta(tag, &parte, &fecha);
        QCOMPARE(parte, mensaje);
        QCOMPARE(fecha, QStringLiteral("19/11/12 9:05:00"));
        // Case of the separator does not matter.
        lh::partirEtiqueta(QStringLiteral("hola__$separador_/de/_fechas$__19/11/12"), &parte, &fecha);
        QCOMPARE(parte, QStringLiteral("hola"));
        QCOMPARE(fecha, QStringLiteral("19/11/12"));
    }

    void textos()
    {
        ModeloHistorial m;
        m.cargar(indexado({registro(QStringLiteral("Juan"), a(19, 9, 5), QStringLiteral("hola\r\nchau"))}));
        const QString dia = QLocale().dayName(1, QLocale::ShortFormat);
        const QStringList esperados = {QStringLiteral("2012-11-19 (") + dia + QStringLiteral(") 9:05"),
                                       QStringLiteral("Juan  [011 45678901]"),
                                       QStringLiteral("hola chau"),
                                       QStringLiteral("Ana"),
                                       QStringLiteral("Argentina - Claro"),
                                       QStringLiteral("1")};
        for (int c = 0; c < ModeloHistorial::Columnas; ++c) {
            QCOMPARE(m.data(m.index(0, c)).toString(), esperados[c]);
        }
        QCOMPARE(m.data(m.index(0, 3), ModeloHistorial::RolEtiqueta).toString(), m.etiquetaFila(0));
        QVERIFY(m.etiquetaFila(0).startsWith(QStringLiteral("hola\r\nchau__$SEPARADOR_/DE/_FECHAS$__")));
        m.ponerMarcador(QStringLiteral("(El Historial está vacío)"));
        QCOMPARE(m.rowCount(), 1);
        QCOMPARE(m.texto(0, 0), QStringLiteral("(El Historial está vacío)"));
        QCOMPARE(m.texto(0, 1), QString());
        QVERIFY(!m.registro(0));
        QCOMPARE(m.posicion(0), 0);
        m.sort(0, Qt::DescendingOrder); // nothing to sort
        QCOMPARE(m.rowCount(), 1);
    }

    void ordenar_data()
    {
        QTest::addColumn<QStringList>("nombres");
        QTest::addColumn<QList<QDateTime>>("fechas");
        QTest::addColumn<int>("columna");
        QTest::addColumn<int>("orden");
        QTest::addColumn<QList<int>>("posiciones");
        const QList<QDateTime> mismaHora(5, a(19, 9, 5));
        QTest::newRow("fecha descendente: 10:05 antes que 9:05")
            << QStringList{"a", "b"} << QList<QDateTime>{a(19, 9, 5), a(19, 10, 5)} << 0 << int(Qt::DescendingOrder)
            << QList<int>{2, 1};
        QTest::newRow("fecha ascendente: 9:05 antes que 10:05")
            << QStringList{"a", "b"} << QList<QDateTime>{a(19, 10, 5), a(19, 9, 5)} << 0 << int(Qt::AscendingOrder)
            << QList<int>{2, 1};
        QTest::newRow("fecha entre días y meses")
            << QStringList{"a", "b", "c", "d"}
            << QList<QDateTime>{a(2, 9, 0), a(19, 23, 59), QDateTime(QDate(2012, 12, 1), QTime(0, 0)), a(10, 10, 0)}
            << 0 << int(Qt::AscendingOrder) << QList<int>{1, 4, 2, 3};
        QTest::newRow("fecha igual: orden del archivo, ascendente")
            << QStringList{"a", "b", "c"} << QList<QDateTime>{a(1, 1, 1), a(1, 1, 1), a(1, 1, 1)} << 0
            << int(Qt::AscendingOrder) << QList<int>{1, 2, 3};
        QTest::newRow("fecha igual: orden del archivo, descendente")
            << QStringList{"a", "b", "c"} << QList<QDateTime>{a(1, 1, 1), a(1, 1, 1), a(1, 1, 1)} << 0
            << int(Qt::DescendingOrder) << QList<int>{1, 2, 3};
        QTest::newRow("destinatario ascendente, sin mayúsculas ni acentos, ñ tras n")
            << QStringList{"Zoe", "ana", "Ñandú", "Beto", "Nico"} << mismaHora << 1 << int(Qt::AscendingOrder)
            << QList<int>{2, 4, 5, 3, 1};
        QTest::newRow("destinatario descendente") << QStringList{"Zoe", "ana", "Ñandú", "Beto", "Nico"} << mismaHora
                                                  << 1 << int(Qt::DescendingOrder) << QList<int>{1, 3, 5, 4, 2};
        QTest::newRow("mensaje por su vista previa") << QStringList{"b", "c", "a"} << QList<QDateTime>(3, a(1, 1, 1))
                                                     << 2 << int(Qt::AscendingOrder) << QList<int>{3, 1, 2};
    }
    void ordenar()
    {
        QFETCH(QStringList, nombres);
        QFETCH(QList<QDateTime>, fechas);
        QFETCH(int, columna);
        QFETCH(int, orden);
        QFETCH(QList<int>, posiciones);
        TablaHistorial tabla;
        for (qsizetype i = 0; i < nombres.size(); ++i) {
            tabla.append(registro(nombres[i], fechas[i]));
        }
        ModeloHistorial m;
        m.cargar(indexado(tabla));
        m.sort(columna, Qt::SortOrder(orden));
        QCOMPARE(::posiciones(m), posiciones);
        QCOMPARE(m.columnaOrden(), columna);
        QCOMPARE(m.orden(), Qt::SortOrder(orden));
        // Each row still shows its own record.
        for (int fila = 0; fila < m.rowCount(); ++fila) {
            QCOMPARE(m.texto(fila, ModeloHistorial::ColIndice), QString::number(m.posicion(fila)));
            QCOMPARE(m.registro(fila)->destinatario, nombres[m.posicion(fila) - 1]);
        }
    }

    void ordenarConservaLaFilaActual()
    {
        ModeloHistorial m;
        m.cargar(indexado({registro(QStringLiteral("c"), a(1, 1, 1)), registro(QStringLiteral("a"), a(2, 1, 1)),
                           registro(QStringLiteral("b"), a(3, 1, 1))}));
        const QPersistentModelIndex actual = m.index(0, 2); // record "c"
        m.sort(ModeloHistorial::ColDestinatario, Qt::AscendingOrder);
        QCOMPARE(actual.row(), 2);
        QCOMPARE(actual.column(), 2);
        m.sort(ModeloHistorial::ColFecha, Qt::DescendingOrder);
        QCOMPARE(actual.row(), 2);
        QCOMPARE(m.registro(actual.row())->destinatario, QStringLiteral("c"));
    }

    void avanceDeLaCarga()
    {
        ModeloHistorial m;
        QList<int> avisos;
        m.cargar(indexado(TablaHistorial(4, registro(QStringLiteral("x"), a(1, 1, 1)))),
                 [&avisos](int i) { avisos.append(i); });
        QCOMPARE(avisos, (QList<int>{1, 2, 3, 4}));
        QCOMPARE(m.rowCount(), 4);
        m.vaciar();
        QCOMPARE(m.rowCount(), 0);
        QVERIFY(!m.hayRegistros());
    }

    void textoCuenta_data()
    {
        QTest::addColumn<int>("mostrados");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("texto");
        QTest::newRow("pocos") << 12 << 345 << "12 de 345 mensajes";
        QTest::newRow("miles") << 12 << 3456 << "12 de 3.456 mensajes";
        QTest::newRow("cien mil") << 100000 << 100000 << "100.000 de 100.000 mensajes";
        QTest::newRow("millones") << 0 << 1234567 << "0 de 1.234.567 mensajes";
    }
    void textoCuenta()
    {
        QFETCH(int, mostrados);
        QFETCH(int, total);
        QFETCH(QString, texto);
        QCOMPARE(lh::textoCuenta(mostrados, total), texto);
    }

    void filtrar_data()
    {
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<QList<int>>("posiciones"); // shown, newest first
        QTest::newRow("vacía: todos") << "" << QList<int>{5, 4, 3, 2, 1};
        QTest::newRow("blancos: todos") << "   " << QList<int>{5, 4, 3, 2, 1};
        QTest::newRow("sin acento encuentra con acento") << "cafe" << QList<int>{3, 1};
        QTest::newRow("mayúsculas y acento en la búsqueda") << "CAFÉ" << QList<int>{3, 1};
        QTest::newRow("nombre del destinatario") << "ñandu" << QList<int>{2};
        QTest::newRow("número") << "351 555" << QList<int>{4};
        QTest::newRow("número pegado") << "5551234" << QList<int>{4};
        QTest::newRow("remitente") << "beto" << QList<int>{5};
        QTest::newRow("proveedor") << "movilnet" << QList<int>{5};
        QTest::newRow("dos palabras, en cualquier campo") << "cafe rosa" << QList<int>{3};
        QTest::newRow("palabras a ambos lados de un salto de línea") << "mañana temprano" << QList<int>{1};
        QTest::newRow("nada") << "xyzzy" << QList<int>{};
        QTest::newRow("no cruza de un campo a otro") << "claroana" << QList<int>{};
    }
    void filtrar()
    {
        QFETCH(QString, consulta);
        QFETCH(QList<int>, posiciones);
        ModeloHistorial m;
        m.cargar(indexado(muestraBusqueda()));
        m.sort(ModeloHistorial::ColFecha, Qt::DescendingOrder);
        m.filtrar(consulta);
        QCOMPARE(::posiciones(m), posiciones);
        QCOMPARE(m.totalRegistros(), 5);
        // Each row shows the record at its position in the file.
        for (int fila = 0; fila < m.rowCount(); ++fila)
            QCOMPARE(m.registro(fila)->mensaje, muestraBusqueda().at(m.posicion(fila) - 1).mensaje);
    }

    void filtrarAlEscribirYBorrar()
    {
        ModeloHistorial m;
        m.cargar(indexado(muestraBusqueda()));
        // Letter by letter, as typed: each search narrows the last one.
        QList<QList<int>> vistos;
        for (const QString &c : {QStringLiteral("c"), QStringLiteral("ca"), QStringLiteral("caf"),
                                 QStringLiteral("cafe"), QStringLiteral("caf"), QString()}) {
            m.filtrar(c);
            vistos.append(::posiciones(m));
        }
        QCOMPARE(vistos.at(0), (QList<int>{1, 2, 3, 5})); // no "c" in the fourth
        QCOMPARE(vistos.at(3), (QList<int>{1, 3}));
        // Deleting a letter widens the search again.
        QCOMPARE(vistos.at(4), (QList<int>{1, 3}));
        QCOMPARE(vistos.at(5), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(m.consulta(), QString());
        // A second word typed on: only the new word is looked for among the last matches.
        for (const char *c : {"cafe", "cafe ", "cafe r", "cafe ro", "cafe rosa"})
            m.filtrar(QString::fromUtf8(c));
        QCOMPARE(::posiciones(m), (QList<int>{3}));
        m.filtrar(QStringLiteral("cafe rosa mañana"));
        QCOMPARE(::posiciones(m), (QList<int>{}));
    }

    void ordenarConFiltro()
    {
        ModeloHistorial m;
        m.cargar(indexado(muestraBusqueda()));
        m.filtrar(QStringLiteral("cafe"));
        m.sort(ModeloHistorial::ColFecha, Qt::AscendingOrder);
        QCOMPARE(::posiciones(m), (QList<int>{1, 3}));
        m.sort(ModeloHistorial::ColFecha, Qt::DescendingOrder);
        QCOMPARE(::posiciones(m), (QList<int>{3, 1}));
        QCOMPARE(m.registrosMostrados(), (QList<int>{2, 0}));
        m.filtrar(QString());
        QCOMPARE(::posiciones(m), (QList<int>{5, 4, 3, 2, 1}));
    }

    void csv()
    {
        const TablaHistorial tabla = muestraBusqueda();
        const almacen_historial::HistorialIndexado h = indexado(tabla);
        const QByteArray csv = exportar_historial::Csv(h, {2, 0});
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QString texto = QString::fromUtf8(csv.mid(3));
        QCOMPARE(texto, QStringLiteral("Fecha y hora,Destinatario,Número,Remitente,Proveedor,Mensaje\r\n"
                                       "2012-11-03T10:00:00,Rosa,011 45678901,Ana,Argentina - Claro,Café con Rosa\r\n"
                                       "2012-11-01T09:05:07,Luis,011 45678901,Ana,Argentina - Claro,"
                                       "\"Café, mañana\r\ntemprano\"\r\n"));
        QCOMPARE(exportar_historial::CampoCsv(QStringLiteral("dijo 'hola', chau")),
                 QStringLiteral("\"dijo 'hola', chau\""));
        QCOMPARE(exportar_historial::CampoCsv(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
        QCOMPARE(exportar_historial::CampoCsv(QStringLiteral("simple")), QStringLiteral("simple"));
    }
};

QTEST_APPLESS_MAIN(tst_ModeloHistorial)
#include "tst_modelohistorial.moc"

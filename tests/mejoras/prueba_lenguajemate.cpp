// LenguajeMate rules: each rule on its own, the order between rules, and the
// chains that typing letter by letter produces.
#include <QTest>

#include "mejoras/lenguajemate.h"
#include "mejoras/pasadatexto.h"

namespace {

// Types `entrada` one character at a time, running the rewrite loop after each
// key as the message box does.
QString teclear(const QString &entrada, QString texto = {})
{
    OpcionesPasada op;
    op.lenguajeMate = true;
    for (QChar c : entrada) {
        texto += c;
        ProcesarTexto(texto, op);
    }
    return texto;
}

} // namespace

class PruebaLenguajeMate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void unaRegla_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        const struct
        {
            const char16_t *texto, *esperado;
        } filas[] = {
            {u"x t.a. mucho", u"x TAM"},
            {u"x tq mucho", u"x TQM"},
            {u"xtambien", u"xtb"},
            {u"xtambién", u"xtb"},
            {u"xtanbien", u"xtb"},
            {u"xtanbién", u"xtb"},
            {u"xtambiem", u"xtb"},
            {u"xtambiém", u"xtb"},
            {u"x t kiero", u"x TQ"},
            {u"x adios ", u"x chau "},
            {u"x adiós ", u"x chau "},
            {u"x adíos ", u"x chau "},
            {u"xcuatro", u"x4"},
            {u"xestaba", u"xstaba"},
            {u"xcinco", u"x5"},
            {u"xsiete", u"x7"},
            {u"xnueve", u"x9"},
            {u"xt amo", u"xT.A."},
            {u"xestoy", u"xtoy"},
            {u"xestan", u"xtan"},
            {u"xtres", u"x3"},
            {u"xtrés", u"x3"},
            {u"xseis", u"x6"},
            {u"xseís", u"x6"},
            {u"xséis", u"x6"},
            {u"xocho", u"x8"},
            {u"xdiez", u"x10"},
            {u"xdies", u"x10"},
            {u"xque", u"xq"},
            {u"xqué", u"xq"},
            {u"xqeu", u"xq"},
            {u"xuqe", u"xq"},
            {u"xqui", u"xki"},
            {u"xquí", u"xki"},
            {u"xpor", u"xx"},
            {u"xpór", u"xx"},
            {u"xdos", u"x2"},
            {u"xdós", u"x2"},
            {u"xun ", u"x1 "},
            {u"xún ", u"x1 "},
            {u"xuna", u"x1"},
            {u"xuno", u"x1"},
            {u"xde", u"xd"},
            {u"xdé", u"xd"},
            {u"xca", u"xk"},
            {u"xcá", u"xk"},
            {u"xbe", u"xb"},
            {u"xbé", u"xb"},
            {u"xge", u"xg"},
            {u"xgé", u"xg"},
            {u"xka", u"xk"},
            {u"xká", u"xk"},
            {u"xpe", u"xp"},
            {u"xpé", u"xp"},
            {u"xte", u"xt"},
            {u"xté", u"xt"},
            {u"xve", u"xv"},
            {u"xvé", u"xv"},
            // Upper case typed letters match; the replacement is written as listed.
            {u"XQUE", u"Xq"},
            {u"Hola ESTOY", u"Hola toy"},
            // The five-letter rules come before the two-letter ones.
            {u"siete", u"7"},
            {u"nueve", u"9"},
            // Longer tails first: "t amo" before "amo"-less two-letter rules.
            {u"t amo", u"T.A."},
        };
        for (const auto &f : filas) {
            const QString texto = QString::fromUtf16(f.texto);
            QTest::newRow(qUtf8Printable(texto)) << texto << QString::fromUtf16(f.esperado);
        }
    }
    void unaRegla()
    {
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        QVERIFY(AplicarLenguajeMate(texto));
        QCOMPARE(texto, esperado);
    }

    void sinRegla_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::newRow("vacío") << QString();
        QTest::newRow("una letra") << QStringLiteral("d");
        QTest::newRow("más corto que la cola") << QStringLiteral("e");
        QTest::newRow("hola") << QStringLiteral("hola");
        QTest::newRow("adios sin blanco final") << QStringLiteral("x adios");
        QTest::newRow("adios sin blanco inicial") << QStringLiteral("adios ");
        QTest::newRow("un sin blanco") << QStringLiteral("un");
        QTest::newRow("dígitos") << QStringLiteral("12345");
        QTest::newRow("salto de línea") << QStringLiteral("hola\r\n");
    }
    void sinRegla()
    {
        QFETCH(QString, texto);
        const QString antes = texto;
        QVERIFY(!AplicarLenguajeMate(texto));
        QCOMPARE(texto, antes);
    }

    void tablaCompleta()
    {
        const auto &reglas = ReglasLenguajeMate();
        QCOMPARE(reglas.size(), 31);
        int anterior = 10;
        for (const ReglaLenguajeMate &r : reglas) {
            QVERIFY2(r.largo <= anterior, "longer tails must come first");
            anterior = r.largo;
            for (const QString &c : r.coincidencias) {
                QCOMPARE(c.size(), qsizetype(r.largo));
                QCOMPARE(c, c.toLower());
                // Every replacement is shorter, so a chain always ends.
                QVERIFY(r.reemplazo.size() < c.size());
            }
        }
        // The farewell keeps a blank at each end and is shorter than seven.
        const ReglaLenguajeMate &adios = reglas.at(4);
        QVERIFY(adios.coincidencias.contains(QStringLiteral(" adios ")));
        QVERIFY(adios.reemplazo.startsWith(u' ') && adios.reemplazo.endsWith(u' '));
        QVERIFY(adios.reemplazo.size() < 7);
    }

    void tecleado_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("esperado");
        const struct
        {
            const char16_t *entrada, *esperado;
        } filas[] = {
            {u"te quiero", u"TQ"},
            {u"te quiero mucho", u"TQM"},
            {u"te amo", u"T.A."},
            {u"te amo mucho", u"TAM"},
            {u"también", u"tb"},
            {u"tambien", u"tb"},
            {u"TAMBIÉN", u"tb"},
            {u"casa", u"ksa"},
            {u"pero", u"pro"},
            {u"de", u"d"},
            {u"Que", u"q"},
            {u"queso", u"qso"},
            {u"porque", u"xq"},
            {u"dosis", u"2is"},
            {u"luna", u"l1"},
            {u"un ", u"1 "},
            {u"algún ", u"alg1 "},
            {u"siete", u"7"},
            {u"nueve", u"9"},
            {u"diez", u"10"},
            {u"dies", u"10"},
            {u"estoy", u"toy"},
            {u"estaba", u"staba"},
            {u"cuatro", u"4"},
            {u"hola adios ", u"hola chau "},
            {u"hola", u"hola"},
            {u"sol y luna", u"sol y l1"},
        };
        for (const auto &f : filas) {
            const QString entrada = QString::fromUtf16(f.entrada);
            QTest::newRow(qUtf8Printable(entrada)) << entrada << QString::fromUtf16(f.esperado);
        }
    }
    void tecleado()
    {
        QFETCH(QString, entrada);
        QFETCH(QString, esperado);
        QCOMPARE(teclear(entrada), esperado);
    }

    // A deletion or a paste that leaves a rule's tail at the end fires the rule.
    void colaTrasPegar()
    {
        QString texto = QStringLiteral("hola, vamos a las cuatro");
        OpcionesPasada op;
        op.lenguajeMate = true;
        QCOMPARE(ProcesarTexto(texto, op), 1);
        QCOMPARE(texto, QStringLiteral("hola, vamos a las 4"));
    }

    void apagadoNoCambia()
    {
        QString texto = QStringLiteral("te quiero");
        OpcionesPasada op;
        QCOMPARE(ProcesarTexto(texto, op), 0);
        QCOMPARE(texto, QStringLiteral("te quiero"));
    }
};

QTEST_APPLESS_MAIN(PruebaLenguajeMate)
#include "prueba_lenguajemate.moc"

// The user-abbreviation step, the repetition of rewrites, the count and the
// helpers that keep the message box's text in CR LF form.
#include <QTest>

#include "comun/valornumerico.h"
#include "mejoras/pasadatexto.h"

namespace {

const ParesAbreviatura tablaHola = {{QStringLiteral("hola"), QStringLiteral("hl")}};

QString teclear(const QString &entrada, const ParesAbreviatura &tabla, bool lenguajeMate = false, QString texto = {})
{
    OpcionesPasada op;
    op.lenguajeMate = lenguajeMate;
    op.abreviaturas = true;
    op.tabla = &tabla;
    for (QChar c : entrada) {
        texto += c;
        ProcesarTexto(texto, op);
    }
    return texto;
}

} // namespace

class PruebaPasadaTexto : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void abreviatura_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("cambia");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("inicio del texto") << "hola " << true << "hl ";
        QTest::newRow("tras un blanco, coma") << "y hola," << true << "y hl,";
        QTest::newRow("punto") << "y hola." << true << "y hl.";
        QTest::newRow("punto y coma") << "y hola;" << true << "y hl;";
        QTest::newRow("inicio de línea") << "abc\r\nhola;" << true << "abc\r\nhl;";
        QTest::newRow("inicio de línea solo LF") << "abc\nhola " << true << "abc\nhl ";
        QTest::newRow("tras paréntesis") << "(hola " << false << "(hola ";
        QTest::newRow("mayúscula") << "Hola " << false << "Hola ";
        QTest::newRow("sin delimitador") << "hola" << false << "hola";
        QTest::newRow("otro delimitador") << "y hola!" << false << "y hola!";
        QTest::newRow("signo de pregunta") << "y hola?" << false << "y hola?";
        QTest::newRow("blanco inicial") << " hola " << false << " hola ";
        QTest::newRow("parte de palabra") << "y chola " << false << "y chola ";
        QTest::newRow("vacío") << "" << false << "";
        QTest::newRow("solo delimitador") << " " << false << " ";
        QTest::newRow("palabra más larga") << "y holas " << false << "y holas ";
        // A message that opens and closes with the same characters still abbreviates.
        QTest::newRow("mismo principio y fin") << " hola y hola " << true << " hola y hl ";
    }
    void abreviatura()
    {
        QFETCH(QString, texto);
        QFETCH(bool, cambia);
        QFETCH(QString, esperado);
        QCOMPARE(AplicarAbreviaturas(tablaHola, texto), cambia);
        QCOMPARE(texto, esperado);
    }

    void primeraCoincidenciaGana()
    {
        const ParesAbreviatura tabla = {{QStringLiteral("xq"), QStringLiteral("porque")},
                                        {QStringLiteral("hola"), QStringLiteral("primera")},
                                        {QStringLiteral("hola"), QStringLiteral("segunda")}};
        QString texto = QStringLiteral("dije hola ");
        QVERIFY(AplicarAbreviaturas(tabla, texto));
        QCOMPARE(texto, QStringLiteral("dije primera "));
    }

    void tecleadoLetraPorLetra_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("hola espacio") << "hola "
                                      << "hl ";
        QTest::newRow("y hola coma") << "y hola,"
                                     << "y hl,";
        QTest::newRow("varias") << "hola, hola; hola."
                                << "hl, hl; hl.";
        QTest::newRow("sin delimitador") << "hola"
                                         << "hola";
        QTest::newRow("líneas") << "abc\r\nhola;"
                                << "abc\r\nhl;";
    }
    void tecleadoLetraPorLetra()
    {
        QFETCH(QString, entrada);
        QFETCH(QString, esperado);
        QCOMPARE(teclear(entrada, tablaHola), esperado);
    }

    // The replacement carries line breaks; the delimiter stays after it.
    void reemplazoConSaltos()
    {
        const ParesAbreviatura tabla = {{QStringLiteral("firma"), QStringLiteral("Saludos\r\nAna")}};
        QCOMPARE(teclear(QStringLiteral("chau firma."), tabla), QStringLiteral("chau Saludos\r\nAna."));
    }

    // LenguajeMate runs first; an abbreviation's result goes through it again.
    void ordenYEncadenado()
    {
        const ParesAbreviatura tabla = {{QStringLiteral("xq"), QStringLiteral("porque")}};
        OpcionesPasada op;
        op.lenguajeMate = true;
        op.abreviaturas = true;
        op.tabla = &tabla;
        QString texto = QStringLiteral("no xq ");
        QCOMPARE(ProcesarTexto(texto, op), 1);
        // "porque " ends with a blank: no LenguajeMate tail matches it.
        QCOMPARE(texto, QStringLiteral("no porque "));
        // A replacement whose end is a LenguajeMate tail chains into it.
        const ParesAbreviatura tabla2 = {{QStringLiteral("ad"), QStringLiteral("adios")}};
        op.tabla = &tabla2;
        QString otro = QStringLiteral("hola ad ");
        QCOMPARE(ProcesarTexto(otro, op), 2);
        QCOMPARE(otro, QStringLiteral("hola chau "));
    }

    void bucleAcotado_data()
    {
        QTest::addColumn<ParesAbreviatura>("tabla");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("maximoReescrituras");
        QTest::newRow("se mapea a sí misma")
            << ParesAbreviatura{{QStringLiteral("ok"), QStringLiteral("ok")}} << QStringLiteral("ok ") << 0;
        QTest::newRow("pares mutuos") << ParesAbreviatura{{QStringLiteral("aa"), QStringLiteral("bb")},
                                                          {QStringLiteral("bb"), QStringLiteral("aa")}}
                                      << QStringLiteral("x aa ") << LimiteReescrituras;
        QTest::newRow("se contiene a sí misma") << ParesAbreviatura{{QStringLiteral("ja"), QStringLiteral("ja ja")}}
                                                << QStringLiteral("ja ") << LimiteReescrituras;
    }
    void bucleAcotado()
    {
        QFETCH(ParesAbreviatura, tabla);
        QFETCH(QString, texto);
        QFETCH(int, maximoReescrituras);
        OpcionesPasada op;
        op.abreviaturas = true;
        op.tabla = &tabla;
        const int n = ProcesarTexto(texto, op);
        QVERIFY(n <= maximoReescrituras);
        QVERIFY(texto.size() <= LargoMaximoMensaje);
        QVERIFY(!texto.isEmpty());
    }

    // LenguajeMate only shortens, so its chains run to the end however long.
    void cadenaLenguajeMateSinCorte_data()
    {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("101 e y staba") << QString(101, u'e') + QStringLiteral("staba") << QStringLiteral("staba");
        QTest::newRow("390 e y staba") << QString(390, u'e') + QStringLiteral("staba") << QStringLiteral("staba");
        QTest::newRow("con texto antes") << QStringLiteral("hola ") + QString(150, u'e') + QStringLiteral("staba")
                                         << QStringLiteral("hola staba");
    }
    void cadenaLenguajeMateSinCorte()
    {
        QFETCH(QString, tecleado);
        QFETCH(QString, esperado);
        QCOMPARE(teclear(tecleado, {}, true), esperado);
    }

    // A pair that grows and LenguajeMate shortening it again still ends.
    void crecerYAcortarTermina()
    {
        const ParesAbreviatura tabla = {{QStringLiteral("ab"), QStringLiteral("cuatro ab")}};
        OpcionesPasada op;
        op.lenguajeMate = true;
        op.abreviaturas = true;
        op.tabla = &tabla;
        QString texto = QStringLiteral("ab ");
        const int n = ProcesarTexto(texto, op);
        QVERIFY(n > 0);
        QVERIFY(texto.size() <= LargoMaximoMensaje);
    }

    void creceHastaElLimite()
    {
        const ParesAbreviatura tabla = {{QStringLiteral("ja"), QStringLiteral("ja ja")}};
        OpcionesPasada op;
        op.abreviaturas = true;
        op.tabla = &tabla;
        op.largoMaximo = 20;
        QString texto = QStringLiteral("ja ");
        ProcesarTexto(texto, op);
        QVERIFY(texto.size() <= 20);
        QVERIFY(texto.startsWith(QStringLiteral("ja ja ja")));
        // A text already at the limit is never made longer.
        QString lleno = QString(398, u'x') + QStringLiteral(" ja ");
        op.largoMaximo = LargoMaximoMensaje;
        QCOMPARE(ProcesarTexto(lleno, op), 0);
        QCOMPARE(lleno.size(), 402);
    }

    void pasadaSinTablaNoCambia()
    {
        OpcionesPasada op;
        op.abreviaturas = true; // switch on but no list loaded
        QString texto = QStringLiteral("hola ");
        QCOMPARE(ProcesarTexto(texto, op), 0);
        const ParesAbreviatura vacia;
        op.tabla = &vacia;
        QCOMPARE(ProcesarTexto(texto, op), 0);
        QCOMPARE(texto, QStringLiteral("hola "));
    }

    void cuenta_data()
    {
        QTest::addColumn<QString>("remitente");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("cuenta");
        QTest::newRow("vacíos") << QString() << QString() << 0;
        QTest::newRow("dos líneas de diez") << QString() << "0123456789\n0123456789" << 22;
        QTest::newRow("dos líneas CR LF") << QString() << "0123456789\r\n0123456789" << 22;
        QTest::newRow("Ana y 135") << "Ana" << QString(135, u'a') << 138;
        QTest::newRow("acentos cuentan uno") << "José"
                                             << "ñandú" << 9;
        QTest::newRow("solo remitente") << "Ana" << QString() << 3;
    }
    void cuenta()
    {
        QFETCH(QString, remitente);
        QFETCH(QString, mensaje);
        QFETCH(int, cuenta);
        QCOMPARE(ContarCaracteres(remitente, ConSaltosCrLf(mensaje)), qsizetype(cuenta));
    }

    void numeroConSigno()
    {
        QCOMPARE(NumeroConSigno(0), QStringLiteral(" 0"));
        QCOMPARE(NumeroConSigno(139), QStringLiteral(" 139"));
        QCOMPARE(NumeroConSigno(-3), QStringLiteral("-3"));
    }

    void valorNumerico_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("valor");
        QTest::newRow("blanco inicial") << " 139" << qint64(139);
        QTest::newRow("simple") << "140" << qint64(140);
        QTest::newRow("vacío") << "" << qint64(0);
        QTest::newRow("letras") << "abc" << qint64(0);
        QTest::newRow("dígitos y letras") << "12ab" << qint64(12);
        QTest::newRow("negativo") << "-5" << qint64(-5);
        QTest::newRow("enorme") << "99999999999999999999999" << qint64(999999999999999999);
    }
    void valorNumerico()
    {
        QFETCH(QString, texto);
        QFETCH(qint64, valor);
        QCOMPARE(ValorNumerico(texto), valor);
    }

    void saltos_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("crlf");
        QTest::addColumn<QString>("lf");
        QTest::newRow("LF") << "a\nb"
                            << "a\r\nb"
                            << "a\nb";
        QTest::newRow("CR LF") << "a\r\nb"
                               << "a\r\nb"
                               << "a\nb";
        QTest::newRow("CR solo") << "a\rb"
                                 << "a\r\nb"
                                 << "a\nb";
        QTest::newRow("separador de párrafo") << QString::fromUtf16(u"a\u2029b") << "a\r\nb"
                                              << "a\nb";
        QTest::newRow("dos seguidos") << "a\n\nb"
                                      << "a\r\n\r\nb"
                                      << "a\n\nb";
        QTest::newRow("sin saltos") << "ab"
                                    << "ab"
                                    << "ab";
    }
    void saltos()
    {
        QFETCH(QString, entrada);
        QFETCH(QString, crlf);
        QFETCH(QString, lf);
        QCOMPARE(ConSaltosCrLf(entrada), crlf);
        QCOMPARE(ConSaltosLf(entrada), lf);
        QCOMPARE(ConSaltosCrLf(ConSaltosLf(crlf)), crlf);
    }

    void limitarEdicion_data()
    {
        QTest::addColumn<QString>("anterior");
        QTest::addColumn<QString>("nuevo");
        QTest::addColumn<int>("maximo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("cabe") << "abc"
                              << "abcd" << 5 << "abcd";
        QTest::newRow("tecla al final sobra") << "abcde"
                                              << "abcdef" << 5 << "abcde";
        QTest::newRow("tecla en medio sobra") << "abcde"
                                              << "abXcde" << 5 << "abcde";
        QTest::newRow("pegado recortado") << "ab"
                                          << "ab123456" << 5 << "ab123";
        QTest::newRow("pegado en medio") << "abcd"
                                         << "ab1234cd" << 6 << "ab12cd";
        QTest::newRow("reemplazo de selección") << "abcde"
                                                << "aXYZWe" << 5 << "aXYZe";
        QTest::newRow("no parte un CR LF") << "abc"
                                           << "ab\r\nc" << 4 << "abc";
    }
    void limitarEdicion()
    {
        QFETCH(QString, anterior);
        QFETCH(QString, nuevo);
        QFETCH(int, maximo);
        QFETCH(QString, esperado);
        QCOMPARE(LimitarEdicion(anterior, nuevo, maximo), esperado);
    }
};

QTEST_APPLESS_MAIN(PruebaPasadaTexto)
#include "prueba_pasadatexto.moc"

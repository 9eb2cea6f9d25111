// Form encoders and the single-byte conversion of request texts.
#include <QTest>

#include "envio/codificacion.h"

class tst_codificacion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void codificarURL_data();
    void codificarURL();
    void sinAcentos_data();
    void sinAcentos();
    void textoABytes_data();
    void textoABytes();
    void direccionEnBytes_data();
    void direccionEnBytes();
};

void tst_codificacion::codificarURL_data()
{
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("vacio") << ""
                           << "";
    QTest::newRow("espacio") << "a b"
                             << "a+b";
    QTest::newRow("salto CR LF") << "a\r\nb"
                                 << "a%0D%0Ab";
    QTest::newRow("mas") << "1+1"
                         << "1%2B1";
    QTest::newRow("exclamacion") << "hola!"
                                 << "hola%21";
    QTest::newRow("agudas minusculas") << "áéíóú"
                                       << "%E1%E9%ED%F3%FA";
    QTest::newRow("graves como agudas") << "àèìòù"
                                        << "%E1%E9%ED%F3%FA";
    QTest::newRow("agudas mayusculas") << "ÁÉÍÓÚ"
                                       << "%C1%C9%CD%D3%DA";
    QTest::newRow("graves mayusculas") << "ÀÈÌÒÙ"
                                       << "%C1%C9%CD%D3%DA";
    QTest::newRow("simbolos") << "#$()"
                              << "%23%24%28%29";
    QTest::newRow("ordinales y negacion") << "ºª¬|"
                                          << "%BA%AA%AC%7C";
    QTest::newRow("porcentaje y barras") << "%/\\"
                                         << "%25%2F%5C";
    QTest::newRow("euro en UTF-8") << "€"
                                   << "%E2%82%AC";
    QTest::newRow("corchetes y llaves") << "[]^{}"
                                        << "%5B%5D%5E%7B%7D";
    QTest::newRow("apertura y cierre de pregunta") << "¿si?"
                                                   << "%BFsi%3F";
    QTest::newRow("exclamacion de apertura") << "¡ya!"
                                             << "%A1ya%21";
    QTest::newRow("separadores de formulario") << "a&b=c;d,e"
                                               << "a%26b%3Dc%3Bd%2Ce";
    QTest::newRow("mayor y menor") << "<>"
                                   << "%3C%3E";
    QTest::newRow("tres apostrofos") << "'´`"
                                     << "%27%27%27";
    QTest::newRow("comillas y dos puntos") << "\"x\":"
                                           << "%22x%22%3A";
    QTest::newRow("pasan sin cambio") << "ñÑüÜäëöAz09@*-_.~"
                                      << "ñÑüÜäëöAz09@*-_.~";
}

void tst_codificacion::codificarURL()
{
    QFETCH(QString, entrada);
    QFETCH(QString, esperado);
    CodificarURL(entrada);
    QCOMPARE(entrada, esperado);
}

void tst_codificacion::sinAcentos_data()
{
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("vacio") << ""
                           << "";
    QTest::newRow("espacio y salto") << "a b\r\n"
                                     << "a+b%0D%0A";
    QTest::newRow("mas y exclamacion") << "+!"
                                       << "%2B%21";
    QTest::newRow("pregunta y parentesis") << "?()"
                                           << "%3F%28%29";
    QTest::newRow("coma y punto y coma iguales") << ",;"
                                                 << "%2C%2C";
    QTest::newRow("comillas y dos puntos") << "\":"
                                           << "%22%3A";
    QTest::newRow("vocales minusculas") << "áàäéèëíìïóòöúùü"
                                        << "aaaeeeiiiooouuu";
    QTest::newRow("vocales mayusculas") << "ÁÀÄÉÈËÍÌÏÓÒÖÚÙÜ"
                                        << "AAAEEEIIIOOOUUU";
    QTest::newRow("signos que la pasarela no muestra")
        << "#$ºª¬|%/\\€[]^{}¡¿&=><'´`"
        << "%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F%3F";
    QTest::newRow("pregunta completa") << "¿Vienes?"
                                       << "%3FVienes%3F";
    QTest::newRow("pasan sin cambio") << "ñÑ@*-_.Az09"
                                      << "ñÑ@*-_.Az09";
}

void tst_codificacion::sinAcentos()
{
    QFETCH(QString, entrada);
    QFETCH(QString, esperado);
    CodificarURLSinAcentos(entrada);
    QCOMPARE(entrada, esperado);
}

void tst_codificacion::textoABytes_data()
{
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QByteArray>("esperado");
    QTest::newRow("vacio") << "" << QByteArray();
    QTest::newRow("ascii") << "Hola 1" << QByteArray("Hola 1");
    QTest::newRow("latin") << "ñáÜ" << QByteArray("\xF1\xE1\xDC");
    QTest::newRow("euro y comillas tipograficas") << "€“”" << QByteArray("\x80\x93\x94");
    QTest::newRow("fuera de la pagina de codigos") << "a\u4E2Db" << QByteArray("a?b");
    QTest::newRow("fuera del plano basico cuenta uno") << QString::fromUcs4(U"x\U0001F600y") << QByteArray("x?y");
}

void tst_codificacion::textoABytes()
{
    QFETCH(QString, entrada);
    QFETCH(QByteArray, esperado);
    QCOMPARE(TextoABytes(entrada), esperado);
}

void tst_codificacion::direccionEnBytes_data()
{
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("sin cambios") << "http://h:1/p?a=b&c=%E1+d"
                                 << "http://h:1/p?a=b&c=%E1+d";
    QTest::newRow("enie en un byte") << "http://h/p?m=ñ"
                                     << "http://h/p?m=%F1";
    QTest::newRow("euro de la cola") << "http://h/p?m=€"
                                     << "http://h/p?m=%80";
    QTest::newRow("blanco de la cola") << "http://h/p?m=a b"
                                       << "http://h/p?m=a%20b";
    QTest::newRow("control") << QStringLiteral("http://h/p?m=a\tb") << "http://h/p?m=a%09b";
}

void tst_codificacion::direccionEnBytes()
{
    QFETCH(QString, entrada);
    QFETCH(QString, esperado);
    QCOMPARE(DireccionEnBytes(entrada), esperado);
}

QTEST_APPLESS_MAIN(tst_codificacion)
#include "tst_codificacion.moc"

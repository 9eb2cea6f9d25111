// The simulator reads the client's Windows-1252, percent-encoded fields on
// its own; these cases pin that reading down byte by byte.
#include "simulador/decodificacion.h"

#include <QTest>

class PruebaDecodificacionSim : public QObject
{
    Q_OBJECT

private slots:
    void porcentaje_data()
    {
        QTest::addColumn<QByteArray>("entrada");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("vacio") << QByteArray() << QByteArray();
        QTest::newRow("mas es blanco") << QByteArray("Hola+mundo") << QByteArray("Hola mundo");
        QTest::newRow("enie") << QByteArray("%F1") << QByteArray("\xF1");
        QTest::newRow("minusculas") << QByteArray("%e1%3f") << QByteArray("\xE1?");
        QTest::newRow("mas codificado") << QByteArray("1%2B1") << QByteArray("1+1");
        QTest::newRow("porcentaje suelto al final") << QByteArray("50%") << QByteArray("50%");
        QTest::newRow("porcentaje con un digito") << QByteArray("%4") << QByteArray("%4");
        QTest::newRow("porcentaje sin hex") << QByteArray("%zz1") << QByteArray("%zz1");
        QTest::newRow("porcentaje de porcentaje") << QByteArray("%2541") << QByteArray("%41");
        QTest::newRow("barra") << QByteArray("tmp%2Fabc") << QByteArray("tmp/abc");
        QTest::newRow("byte nulo") << QByteArray("a%00b") << QByteArray("a\0b", 3);
    }
    void porcentaje()
    {
        QFETCH(QByteArray, entrada);
        QFETCH(QByteArray, bytes);
        QCOMPARE(bytesDesdePorcentaje(entrada), bytes);
    }

    void windows1252_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("texto");
        QTest::newRow("ascii") << QByteArray("abc") << QStringLiteral("abc");
        QTest::newRow("acentos latin1") << QByteArray("\xE1\xE9\xED\xF3\xFA\xF1\xD1\xFC") << QStringLiteral("áéíóúñÑü");
        QTest::newRow("apertura") << QByteArray("\xBF\xA1") << QStringLiteral("¿¡");
        QTest::newRow("euro") << QByteArray("\x80") << QString(QChar(0x20AC));
        QTest::newRow("comillas tipograficas") << QByteArray("\x93x\x94") << QStringLiteral("\u201Cx\u201D");
        QTest::newRow("guion largo y puntos") << QByteArray("\x97\x85") << QStringLiteral("\u2014\u2026");
        QTest::newRow("sin asignar") << QByteArray("\x81\x8D") << QStringLiteral("\u0081\u008D");
        QTest::newRow("ultimo alto") << QByteArray("\x9F\xFF") << QStringLiteral("\u0178\u00FF");
    }
    void windows1252()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, texto);
        QCOMPARE(textoDesdeWindows1252(bytes), texto);
    }

    void campos_data()
    {
        QTest::addColumn<QByteArray>("consulta");
        QTest::addColumn<QStringList>("nombres");
        QTest::addColumn<QStringList>("valores");
        QTest::newRow("claro") << QByteArray("mensajito=Hola+%F1o%F1o-+NTX&dequien=Jos%E9&numerito=3511234567")
                               << QStringList{"mensajito", "dequien", "numerito"}
                               << QStringList{QStringLiteral("Hola ñoño- NTX"), QStringLiteral("José"), "3511234567"};
        QTest::newRow("campo vacio") << QByteArray("pantalla=&sig=x") << QStringList{"pantalla", "sig"}
                                     << QStringList{"", "x"};
        QTest::newRow("sin igual") << QByteArray("suelto&a=1") << QStringList{"suelto", "a"} << QStringList{"", "1"};
        QTest::newRow("piezas vacias") << QByteArray("&&a=1&") << QStringList{"a"} << QStringList{"1"};
        QTest::newRow("igual en el valor") << QByteArray("a=b=c") << QStringList{"a"} << QStringList{"b=c"};
        QTest::newRow("ampersand codificado")
            << QByteArray("m=a%26b&n=2") << QStringList{"m", "n"} << QStringList{"a&b", "2"};
        QTest::newRow("orden conservado")
            << QByteArray("z=1&a=2&m=3") << QStringList{"z", "a", "m"} << QStringList{"1", "2", "3"};
    }
    void campos()
    {
        QFETCH(QByteArray, consulta);
        QFETCH(QStringList, nombres);
        QFETCH(QStringList, valores);
        const QList<CampoFormulario> lista = camposDeFormulario(consulta);
        QStringList n;
        QStringList v;
        for (const CampoFormulario &c : lista) {
            n << c.nombre;
            v << c.valor;
        }
        QCOMPARE(n, nombres);
        QCOMPARE(v, valores);
    }

    void crudoConservado()
    {
        const QList<CampoFormulario> lista = camposDeFormulario("Filename=tmp%2Fabc&msgtext=Ana:+Hola");
        QCOMPARE(lista.size(), 2);
        QCOMPARE(lista[0].valorCrudo, QByteArray("tmp%2Fabc"));
        QCOMPARE(lista[1].nombreCrudo, QByteArray("msgtext"));
        QCOMPARE(lista[1].valor, QStringLiteral("Ana: Hola"));
    }

    void primeroGana()
    {
        const QList<CampoFormulario> lista = camposDeFormulario("a=1&a=2");
        QString valor;
        QVERIFY(buscarCampo(lista, QStringLiteral("a"), &valor));
        QCOMPARE(valor, QStringLiteral("1"));
        QVERIFY(!buscarCampo(lista, QStringLiteral("b"), &valor));
        QCOMPARE(valor, QStringLiteral("1"));
        QVERIFY(buscarCampo(lista, QStringLiteral("a"), nullptr));
    }
};

QTEST_APPLESS_MAIN(PruebaDecodificacionSim)
#include "tst_decodificacion_sim.moc"

// Windows-1252 text files, line reading and the quoted-field records.
#include "plataforma/archivotexto.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

// A record written compactly for the tables below: "q:" quoted text, "t:" bare
// text, "d:" a date as yyyy-MM-ddTHH:mm:ss.
QStringList describir(const RegistroArchivo &campos)
{
    QStringList r;
    for (const CampoArchivo &c : campos) {
        if (c.esFecha)
            r << QStringLiteral("d:") + c.fecha.toString(Qt::ISODate);
        else
            r << (c.entreComillas ? QStringLiteral("q:") : QStringLiteral("t:")) + c.texto;
    }
    return r;
}

using Registros = QList<QStringList>;

QByteArray bytesDe(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class PruebaArchivoTexto : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString escribirArchivo(const QString &nombre, const QByteArray &bytes)
    {
        const QString ruta = m_dir.filePath(nombre);
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        f.write(bytes);
        return ruta;
    }

private Q_SLOTS:
    void windows1252_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << "Hola, mundo" << QByteArray("Hola, mundo");
        QTest::newRow("acentos") << "ñandú Ñ áéíóú ü ¿¡"
                                 << QByteArray("\xf1"
                                               "and\xfa \xd1 \xe1\xe9\xed\xf3\xfa \xfc \xbf\xa1");
        QTest::newRow("euro-y-comillas") << "€ ‘x’ “y” … – —" << QByteArray("\x80 \x91x\x92 \x93y\x94 \x85 \x96 \x97");
        QTest::newRow("extremos-de-tabla") << "‚ƒŸžœ" << QByteArray("\x82\x83\x9f\x9e\x9c");
        QTest::newRow("posiciones-libres")
            << QStringLiteral("\u0081\u008d\u008f\u0090\u009d") << QByteArray("\x81\x8d\x8f\x90\x9d");
        QTest::newRow("nulo") << QString(QChar(0)) << QByteArray(1, '\0');
    }
    void windows1252()
    {
        QFETCH(QString, texto);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Windows1252::codificar(texto), bytes);
        QCOMPARE(Windows1252::decodificar(bytes), texto);
    }

    void fueraDeLaPaginaEsInterrogacion_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("latino-extendido") << "ā" << QByteArray("?");
        QTest::newRow("cirilico") << "Да" << QByteArray("??");
        QTest::newRow("emoji-un-solo-signo") << "a\U0001F600b" << QByteArray("a?b");
        QTest::newRow("control-c1-ajeno") << QStringLiteral("\u0080") << QByteArray("?");
        QTest::newRow("sustituto-suelto") << QString(QChar(0xD800)) << QByteArray("?");
    }
    void fueraDeLaPaginaEsInterrogacion()
    {
        QFETCH(QString, texto);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Windows1252::codificar(texto), bytes);
    }

    void todoByteVuelveIgual()
    {
        QByteArray todos;
        for (int i = 0; i < 256; ++i)
            todos.append(static_cast<char>(i));
        QCOMPARE(Windows1252::codificar(Windows1252::decodificar(todos)), todos);
    }

    // The grammar itself, over bytes: each field as kind:text and how it ended
    // ("," comma, "/" line end, "$" end of input, "!" quote never closed).
    void gramatica_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("campos");
        QTest::newRow("fecha y textos") << QByteArray("#2012-11-19#,\"a,b\"\r\n")
                                        << QStringList{"t:#2012-11-19#,", "q:a,b/", "t:$"};
        QTest::newRow("salto dentro de comillas")
            << QByteArray("\"l1\r\nl2\"\n\"x\"") << QStringList{"q:l1\r\nl2/", "q:x$"};
        QTest::newRow("comilla doblada") << QByteArray("\"a\"\"b\",") << QStringList{"q:a\"b,", "t:$"};
        QTest::newRow("restos tras la comilla") << QByteArray("\"a\" x,b") << QStringList{"q:a,", "t:b$"};
        QTest::newRow("blancos alrededor") << QByteArray(" \t a b \t,\r") << QStringList{"t:a b,", "t:/", "t:$"};
        QTest::newRow("cr suelto separa") << QByteArray("a\rb") << QStringList{"t:a/", "t:b$"};
        QTest::newRow("comilla sin cerrar") << QByteArray("\"abc\r\n") << QStringList{"q:abc\r\n!"};
        QTest::newRow("doblada al final") << QByteArray("\"a\"\"") << QStringList{"q:a\"!"};
        QTest::newRow("windows-1252") << QByteArray("\"\x80\xe9\x9f\"") << QStringList{"q:€éŸ$"};
        QTest::newRow("vacío") << QByteArray() << QStringList{"t:$"};
    }
    void gramatica()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, campos);
        const char *p = bytes.constData();
        const char *fin = p + bytes.size();
        QStringList leidos;
        for (;;) {
            GramaticaRegistro::Campo c;
            const auto r = GramaticaRegistro::leerCampo(p, fin, &c);
            const char *final = r == GramaticaRegistro::Fin::Coma           ? ","
                                : r == GramaticaRegistro::Fin::FinDeLinea   ? "/"
                                : r == GramaticaRegistro::Fin::FinDeArchivo ? "$"
                                                                            : "!";
            leidos << (c.entreComillas ? QStringLiteral("q:") : QStringLiteral("t:")) + GramaticaRegistro::texto(c) +
                          QLatin1String(final);
            if (r == GramaticaRegistro::Fin::FinDeArchivo || r == GramaticaRegistro::Fin::ComillaAbierta)
                break;
        }
        QCOMPARE(leidos, campos);
    }

    void fechas_data()
    {
        QTest::addColumn<QByteArray>("linea");
        QTest::addColumn<qlonglong>("numero"); // 0: no date
        QTest::addColumn<bool>("empiezaRegistro");
        QTest::newRow("completa") << QByteArray("#2012-11-19 19:07:05#,\"x\"") << 20121119190705LL << true;
        QTest::newRow("solo día") << QByteArray("#2012-11-19# ,x") << 20121119000000LL << true;
        QTest::newRow("blancos dentro") << QByteArray("# 2012-11-19 #,") << 20121119000000LL << true;
        QTest::newRow("sin coma detrás") << QByteArray("#2012-11-19#") << 20121119000000LL << false;
        QTest::newRow("29 de febrero bisiesto") << QByteArray("#2012-02-29#,") << 20120229000000LL << true;
        QTest::newRow("29 de febrero común") << QByteArray("#2013-02-29#,") << 0LL << false;
        QTest::newRow("hora imposible") << QByteArray("#2012-11-19 24:00:00#,") << 0LL << false;
        QTest::newRow("dígito de más") << QByteArray("#2012-011-19#,") << 0LL << false;
        QTest::newRow("signo") << QByteArray("#+012-11-19#,") << 0LL << false;
        QTest::newRow("texto") << QByteArray("#hola#,") << 0LL << false;
        QTest::newRow("sin cierre") << QByteArray("#2012-11-19,") << 0LL << false;
    }
    void fechas()
    {
        QFETCH(QByteArray, linea);
        QFETCH(qlonglong, numero);
        QFETCH(bool, empiezaRegistro);
        const char *fin = linea.constData() + linea.size();
        QCOMPARE(GramaticaRegistro::empiezaConFecha(linea.constData(), fin), empiezaRegistro);
        const qsizetype cierre = linea.indexOf('#', 1);
        GramaticaRegistro::Fecha f;
        const bool valida =
            cierre > 0 && GramaticaRegistro::leerFecha(linea.constData(), linea.constData() + cierre + 1, &f);
        QCOMPARE(valida ? qlonglong(f.numero()) : 0LL, numero);
        if (valida)
            QCOMPARE(GramaticaRegistro::Fecha::deNumero(f.numero()).numero(), f.numero());
    }

    void leerLineas_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lineas");
        QTest::newRow("crlf") << QByteArray("NTXHistorial1.0\r\nb\r\n") << QStringList{"NTXHistorial1.0", "b"};
        QTest::newRow("lf-suelto") << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("cr-suelto") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("vacio") << QByteArray() << QStringList{};
        QTest::newRow("solo-fin") << QByteArray("\r\n") << QStringList{""};
        QTest::newRow("linea-en-blanco") << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
        QTest::newRow("mezcla") << QByteArray("a\n\r\nb\r\r\nc") << QStringList{"a", "", "b", "", "c"};
        QTest::newRow("codigo-de-pagina") << QByteArray("caf\xe9 \x80\r\n") << QStringList{"café €"};
    }
    void leerLineas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lineas);
        LectorArchivoTexto lector;
        lector.abrirBytes(bytes);
        QStringList leidas;
        QString linea;
        while (lector.leerLinea(&linea) == LectorArchivoTexto::Resultado::Leido)
            leidas << linea;
        QCOMPARE(leidas, lineas);
        QCOMPARE(lector.leerLinea(&linea), LectorArchivoTexto::Resultado::FinDeArchivo);
    }

    void leerRegistros_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Registros>("registros");
        QTest::addColumn<bool>("terminaRoto");
        QTest::newRow("historial") << QByteArray(
                                          "#2012-11-19 19:07:05#,\"Juan\",\"351 5551234\",\"Yo\",\"hola, qu\xe9 tal\","
                                          "\"Argentina - Personal\"\r\n")
                                   << Registros{{"d:2012-11-19T19:07:05", "q:Juan", "q:351 5551234", "q:Yo",
                                                 "q:hola, qué tal", "q:Argentina - Personal"}}
                                   << false;
        QTest::newRow("comillas-entre-lineas") << QByteArray("\"a\",\"l1\r\nl2, y m\xe1s\"\r\n\"b\",\"c\"\r\n")
                                               << Registros{{"q:a", "q:l1\r\nl2, y más"}, {"q:b", "q:c"}} << false;
        QTest::newRow("sin-comillas-se-recorta")
            << QByteArray("  uno ,\tdos  \r\n") << Registros{{"t:uno", "t:dos"}} << false;
        QTest::newRow("solo-fecha") << QByteArray("#2012-11-19#,\"x\"") << Registros{{"d:2012-11-19T00:00:00", "q:x"}}
                                    << false;
        QTest::newRow("fecha-invalida") << QByteArray("#2012-13-40#") << Registros{{"t:#2012-13-40#"}} << false;
        QTest::newRow("blancos-antes-de-comilla")
            << QByteArray("  \"x\"  ,\"y\"") << Registros{{"q:x", "q:y"}} << false;
        QTest::newRow("comilla-doblada") << QByteArray("\"di \"\"hola\"\"\",\"b\"")
                                         << Registros{{"q:di \"hola\"", "q:b"}} << false;
        QTest::newRow("vacios-entre-comillas") << QByteArray("\"\",\"\"\r\n") << Registros{{"q:", "q:"}} << false;
        QTest::newRow("linea-en-blanco") << QByteArray("\"a\"\r\n\r\n\"b\"\r\n") << Registros{{"q:a"}, {}, {"q:b"}}
                                         << false;
        QTest::newRow("restos-tras-la-comilla") << QByteArray("\"a\"xyz,\"b\"") << Registros{{"q:a", "q:b"}} << false;
        QTest::newRow("campo-vacio-sin-comillas")
            << QByteArray("\"a\",,\"c\"") << Registros{{"q:a", "t:", "q:c"}} << false;
        QTest::newRow("comilla-sin-cerrar") << QByteArray("\"a\",\"b\"\r\n\"c\",\"sin cierre\r\nm\xe1s")
                                            << Registros{{"q:a", "q:b"}, {"q:c", "q:sin cierre\r\nmás"}} << true;
    }
    void leerRegistros()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Registros, registros);
        QFETCH(bool, terminaRoto);
        LectorArchivoTexto lector;
        lector.abrirBytes(bytes);
        Registros leidos;
        RegistroArchivo campos;
        LectorArchivoTexto::Resultado r;
        while ((r = lector.leerRegistro(&campos)) == LectorArchivoTexto::Resultado::Leido)
            leidos << describir(campos);
        if (terminaRoto) {
            QCOMPARE(r, LectorArchivoTexto::Resultado::RegistroRoto);
            leidos << describir(campos);
            QCOMPARE(lector.leerRegistro(&campos), LectorArchivoTexto::Resultado::FinDeArchivo);
        } else {
            QCOMPARE(r, LectorArchivoTexto::Resultado::FinDeArchivo);
        }
        QCOMPARE(leidos, registros);
    }

    void numeroDeLineaCuentaLasDelCampo()
    {
        LectorArchivoTexto lector;
        lector.abrirBytes("NTXHistorial1.0\r\n\"a\",\"x\r\ny\ny\"\r\n\"b\"\r\n");
        QString linea;
        QCOMPARE(lector.leerLinea(&linea), LectorArchivoTexto::Resultado::Leido);
        QCOMPARE(linea, QStringLiteral("NTXHistorial1.0"));
        QCOMPARE(lector.numeroLinea(), 2);
        RegistroArchivo campos;
        QCOMPARE(lector.leerRegistro(&campos), LectorArchivoTexto::Resultado::Leido);
        QCOMPARE(lector.numeroLinea(), 5);
        QCOMPARE(lector.leerRegistro(&campos), LectorArchivoTexto::Resultado::Leido);
        QCOMPARE(describir(campos), QStringList{"q:b"});
    }

    void leerCamposDeAPares_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Registros>("pares");
        QTest::addColumn<bool>("terminaRoto");
        QTest::newRow("abreviaturas") << QByteArray("\"hola\",\"hl\"\r\n\"que\",\"q\"\r\n")
                                      << Registros{{"q:hola", "q:hl"}, {"q:que", "q:q"}} << false;
        QTest::newRow("fin-de-linea-separa") << QByteArray("\"a\"\r\n\"b\"\r\n") << Registros{{"q:a", "q:b"}} << false;
        QTest::newRow("reemplazo-multilinea")
            << QByteArray("\"x\",\"l1\r\nl2\"\r\n") << Registros{{"q:x", "q:l1\r\nl2"}} << false;
        QTest::newRow("lineas-en-blanco") << QByteArray("\r\n\"a\",\"b\"\r\n\r\n\r\n\"c\",\"d\"")
                                          << Registros{{"q:a", "q:b"}, {"q:c", "q:d"}} << false;
        QTest::newRow("impar") << QByteArray("\"a\",\"b\"\r\n\"c\"\r\n") << Registros{{"q:a", "q:b"}, {"q:c"}} << true;
        QTest::newRow("comilla-sin-cerrar") << QByteArray("\"a\",\"b") << Registros{{"q:a", "q:b"}} << true;
    }
    void leerCamposDeAPares()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Registros, pares);
        QFETCH(bool, terminaRoto);
        LectorArchivoTexto lector;
        lector.abrirBytes(bytes);
        Registros leidos;
        RegistroArchivo campos;
        LectorArchivoTexto::Resultado r;
        while ((r = lector.leerCampos(2, &campos)) == LectorArchivoTexto::Resultado::Leido)
            leidos << describir(campos);
        if (terminaRoto) {
            QCOMPARE(r, LectorArchivoTexto::Resultado::RegistroRoto);
            leidos << describir(campos);
        } else {
            QCOMPARE(r, LectorArchivoTexto::Resultado::FinDeArchivo);
        }
        QCOMPARE(leidos, pares);
    }

    void lineaDeRegistro_data()
    {
        QTest::addColumn<QVariantList>("campos");
        QTest::addColumn<QString>("linea");
        const QDateTime fecha(QDate(2012, 11, 19), QTime(19, 7, 5));
        QTest::newRow("historial") << QVariantList{fecha,
                                                   QStringLiteral("Juan"),
                                                   QStringLiteral("351 5551234"),
                                                   QStringLiteral("Yo"),
                                                   QStringLiteral("hola"),
                                                   QStringLiteral("Argentina - Personal")}
                                   << "#2012-11-19 19:07:05#,\"Juan\",\"351 5551234\",\"Yo\",\"hola\","
                                      "\"Argentina - Personal\"";
        QTest::newRow("abreviatura") << QVariantList{QStringLiteral("hola"), QStringLiteral("hl")} << "\"hola\",\"hl\"";
        QTest::newRow("comilla-doblada") << QVariantList{QStringLiteral("di \"no\"")} << "\"di \"\"no\"\"\"";
        QTest::newRow("texto-vacio") << QVariantList{QString()} << "\"\"";
        QTest::newRow("medianoche") << QVariantList{QDateTime(QDate(2012, 1, 2), QTime(0, 0))}
                                    << "#2012-01-02 00:00:00#";
        QTest::newRow("solo-dia") << QVariantList{QDate(2012, 1, 2)} << "#2012-01-02#";
        QTest::newRow("numero-y-booleano") << QVariantList{42, true, false} << "42,#TRUE#,#FALSE#";
    }
    void lineaDeRegistro()
    {
        QFETCH(QVariantList, campos);
        QFETCH(QString, linea);
        QCOMPARE(EscritorArchivoTexto::lineaDeRegistro(campos), linea);
    }

    void escribirYLeerDeVuelta_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::newRow("comas") << "uno, dos, tres";
        QTest::newRow("comillas") << "dijo \"sí\", \"\"";
        QTest::newRow("saltos") << "l1\r\nl2\r\n\r\nl4";
        QTest::newRow("acentos-y-euro") << "Ñandú cuesta 5 €";
        QTest::newRow("blancos-en-los-bordes") << "  x  ";
        QTest::newRow("almohadillas") << "#2012-11-19#";
    }
    void escribirYLeerDeVuelta()
    {
        QFETCH(QString, texto);
        const QString ruta = m_dir.filePath(QStringLiteral("ida-y-vuelta.txt"));
        const QDateTime fecha(QDate(2020, 2, 29), QTime(23, 59, 58));
        EscritorArchivoTexto escritor;
        QVERIFY(escritor.abrir(ruta, EscritorArchivoTexto::Modo::Reemplazar));
        QVERIFY(escritor.escribirLinea(QStringLiteral("NTXAgenda1.0")));
        QVERIFY(escritor.escribirRegistro({fecha, texto, QStringLiteral("fin")}));
        QVERIFY(escritor.cerrar());
        LectorArchivoTexto lector;
        QVERIFY(lector.abrir(ruta));
        QString cabecera;
        QCOMPARE(lector.leerLinea(&cabecera), LectorArchivoTexto::Resultado::Leido);
        QCOMPARE(cabecera, QStringLiteral("NTXAgenda1.0"));
        RegistroArchivo campos;
        QCOMPARE(lector.leerRegistro(&campos), LectorArchivoTexto::Resultado::Leido);
        QCOMPARE(campos.size(), 3);
        QVERIFY(campos.at(0).esFecha);
        QCOMPARE(campos.at(0).fecha, fecha);
        QVERIFY(campos.at(1).entreComillas);
        QCOMPARE(campos.at(1).texto, texto);
        QCOMPARE(campos.at(2).texto, QStringLiteral("fin"));
        QCOMPARE(lector.leerRegistro(&campos), LectorArchivoTexto::Resultado::FinDeArchivo);
    }

    void escrituraEnCodigoDePaginaConCrLf()
    {
        const QString ruta = m_dir.filePath(QStringLiteral("bytes.txt"));
        EscritorArchivoTexto escritor;
        QVERIFY(escritor.abrir(ruta, EscritorArchivoTexto::Modo::Reemplazar));
        QVERIFY(escritor.escribirLinea(QStringLiteral("NTXAbreviaturas1.0")));
        QVERIFY(escritor.escribirRegistro({QStringLiteral("señal"), QStringLiteral("ok \U0001F600 Да")}));
        QVERIFY(escritor.cerrar());
        QCOMPARE(bytesDe(ruta), QByteArray("NTXAbreviaturas1.0\r\n\"se\xf1"
                                           "al\",\"ok ? ??\"\r\n"));
    }

    void reemplazoAtomicoYAnexo()
    {
        const QString ruta = escribirArchivo(QStringLiteral("atomico.txt"), "antes\r\n");
        QVERIFY(!ruta.isEmpty());
        {
            EscritorArchivoTexto e;
            QVERIFY(e.abrir(ruta, EscritorArchivoTexto::Modo::Reemplazar));
            QVERIFY(e.escribirLinea(QStringLiteral("a medias")));
            QCOMPARE(bytesDe(ruta), QByteArray("antes\r\n"));
            e.descartar();
        }
        QCOMPARE(bytesDe(ruta), QByteArray("antes\r\n"));
        {
            EscritorArchivoTexto e;
            QVERIFY(e.abrir(ruta, EscritorArchivoTexto::Modo::Reemplazar));
            QVERIFY(e.escribirLinea(QStringLiteral("nuevo")));
            QVERIFY(e.cerrar());
        }
        QCOMPARE(bytesDe(ruta), QByteArray("nuevo\r\n"));
        {
            EscritorArchivoTexto e;
            QVERIFY(e.abrir(ruta, EscritorArchivoTexto::Modo::Anexar));
            QVERIFY(e.escribirRegistro({QStringLiteral("x")}));
            QVERIFY(e.cerrar());
        }
        QCOMPARE(bytesDe(ruta), QByteArray("nuevo\r\n\"x\"\r\n"));
    }

    // An exported file is the user's: a new one gets the user's umask, a replaced one keeps its mode;
    // neither is left with the writer's private temporary mode, and no temporary stays behind.
    void permisosDeLoExportado_data()
    {
        QTest::addColumn<uint>("mascara");
        QTest::addColumn<int>("modoPrevio"); // -1: a new file
        QTest::addColumn<uint>("esperado");
        QTest::newRow("nuevo-022") << 022u << -1 << 0644u;
        QTest::newRow("nuevo-027") << 027u << -1 << 0640u;
        QTest::newRow("nuevo-077") << 077u << -1 << 0600u;
        QTest::newRow("reemplazado-0664") << 022u << 0664 << 0664u;
        QTest::newRow("reemplazado-0600") << 022u << 0600 << 0600u;
    }
    void permisosDeLoExportado()
    {
        QFETCH(uint, mascara);
        QFETCH(int, modoPrevio);
        QFETCH(uint, esperado);
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("agenda.ntxagenda"));
        if (modoPrevio >= 0) {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.close();
            QVERIFY(::chmod(QFile::encodeName(ruta).constData(), static_cast<mode_t>(modoPrevio)) == 0);
        }
        const mode_t antes = ::umask(static_cast<mode_t>(mascara));
        EscritorArchivoTexto e;
        const bool abierto = e.abrir(ruta, EscritorArchivoTexto::Modo::Reemplazar);
        const bool cerrado = abierto && e.escribirLinea(QStringLiteral("x")) && e.cerrar();
        ::umask(antes);
        QVERIFY(cerrado);
        struct stat st
        {
        };
        QVERIFY(::stat(QFile::encodeName(ruta).constData(), &st) == 0);
        QCOMPARE(static_cast<uint>(st.st_mode & 0777), esperado);
        QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("agenda.ntxagenda")});
    }

    void carpetaInexistente_data()
    {
        QTest::addColumn<int>("modo");
        QTest::newRow("reemplazar") << int(EscritorArchivoTexto::Modo::Reemplazar);
        QTest::newRow("anexar") << int(EscritorArchivoTexto::Modo::Anexar);
    }
    void carpetaInexistente()
    {
        QFETCH(int, modo);
        EscritorArchivoTexto e;
        QString error;
        QVERIFY(!e.abrir(m_dir.filePath(QStringLiteral("no/existe.txt")), EscritorArchivoTexto::Modo(modo), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!e.escribirLinea(QStringLiteral("x")));
        QVERIFY(!e.cerrar(&error));
        LectorArchivoTexto lector;
        QVERIFY(!lector.abrir(m_dir.filePath(QStringLiteral("no/existe.txt")), &error));
        QString linea;
        QCOMPARE(lector.leerLinea(&linea), LectorArchivoTexto::Resultado::FinDeArchivo);
    }

    // Line ends and quotes that fall on the boundary between two reads of the file.
    void limitesDeLectura_data()
    {
        QTest::addColumn<int>("relleno");
        for (int r : {65533, 65534, 65535, 65536, 65537})
            QTest::addRow("%d", r) << r;
    }
    void limitesDeLectura()
    {
        QFETCH(int, relleno);
        QByteArray bytes(relleno, 'x');
        bytes += "\r\n\"a\"\"b\",\"c\r\nd\"\r\nfin";
        const QString ruta = escribirArchivo(QStringLiteral("limite.txt"), bytes);
        LectorArchivoTexto lector;
        QVERIFY(lector.abrir(ruta));
        QString linea;
        QCOMPARE(lector.leerLinea(&linea), LectorArchivoTexto::Resultado::Leido);
        QCOMPARE(linea.size(), relleno);
        RegistroArchivo campos;
        QCOMPARE(lector.leerRegistro(&campos), LectorArchivoTexto::Resultado::Leido);
        QCOMPARE(describir(campos), (QStringList{"q:a\"b", "q:c\r\nd"}));
        QCOMPARE(lector.leerLinea(&linea), LectorArchivoTexto::Resultado::Leido);
        QCOMPARE(linea, QStringLiteral("fin"));
        QCOMPARE(lector.leerLinea(&linea), LectorArchivoTexto::Resultado::FinDeArchivo);
    }

    void entradasHostiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray binario;
        quint32 x = 12345;
        for (int i = 0; i < 300000; ++i) {
            x = x * 1103515245u + 12345u;
            binario.append(static_cast<char>(x >> 24));
        }
        QTest::newRow("binario") << binario;
        QTest::newRow("linea-de-5MB") << QByteArray(5 * 1024 * 1024, 'a') + "\r\n\"b\"";
        QTest::newRow("comilla-abierta-de-5MB") << "\"" + QByteArray(5 * 1024 * 1024, ',');
        QTest::newRow("solo-comas") << QByteArray(100000, ',');
        QTest::newRow("solo-finales") << QByteArray(100000, '\n');
    }
    void entradasHostiles()
    {
        QFETCH(QByteArray, bytes);
        const QString ruta = escribirArchivo(QStringLiteral("hostil.bin"), bytes);
        // Records: every read advances, so the loop ends within as many steps as bytes.
        {
            LectorArchivoTexto lector;
            QVERIFY(lector.abrir(ruta));
            RegistroArchivo campos;
            qsizetype pasos = 0;
            LectorArchivoTexto::Resultado r;
            do {
                r = lector.leerRegistro(&campos);
                QVERIFY(++pasos <= bytes.size() + 1);
            } while (r != LectorArchivoTexto::Resultado::FinDeArchivo);
        }
        {
            LectorArchivoTexto lector;
            QVERIFY(lector.abrir(ruta));
            RegistroArchivo campos;
            qsizetype pasos = 0;
            LectorArchivoTexto::Resultado r;
            do {
                r = lector.leerCampos(6, &campos);
                QVERIFY(++pasos <= bytes.size() + 1);
            } while (r == LectorArchivoTexto::Resultado::Leido);
        }
        // Lines: together they hold every byte that is no line end.
        LectorArchivoTexto lector;
        QVERIFY(lector.abrir(ruta));
        QString linea;
        qsizetype caracteres = 0;
        while (lector.leerLinea(&linea) == LectorArchivoTexto::Resultado::Leido)
            caracteres += linea.size();
        QCOMPARE(caracteres, bytes.size() - bytes.count('\r') - bytes.count('\n'));
    }
};

QTEST_GUILESS_MAIN(PruebaArchivoTexto)
#include "prueba_archivotexto.moc"

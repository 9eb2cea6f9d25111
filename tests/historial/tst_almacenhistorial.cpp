// The history file: exact bytes written, records read back, statuses for bad
// stores, deleting one record (also when the rewrite fails) and the damaged
// store that an append keeps aside.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <ctime>
#include <sys/resource.h>

#include "historial/almacenhistorial.h"

namespace ah = almacen_historial;

namespace {

QByteArray leerBytes(const QString &ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

void escribirBytes(const QString &ruta, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

RegistroHistorial registro(const QString &mensaje,
                           const QDateTime &fecha = QDateTime(QDate(2012, 11, 19), QTime(19, 7, 5)))
{
    RegistroHistorial r;
    r.fecha = fecha;
    r.destinatario = QStringLiteral("Juan Pérez");
    r.destino = QStringLiteral("011 45678901");
    r.remitente = QStringLiteral("Ana");
    r.mensaje = mensaje;
    r.proveedor = QStringLiteral("Argentina - Personal");
    return r;
}

const QByteArray R1 = "#2012-11-19 19:07:05#,\"Juan\",\"011 4444\",\"Ana\",\"uno\",\"Argentina - Claro\"\r\n";
const QByteArray R2 = "#2012-11-20 08:00:00#,\"Pedro\",\"pepe\",\"Ana\",\"dos\r\nlineas\",\"Argentina - Personal\"\r\n";
const QByteArray R3 = "#2012-11-21#,\"Luis\",\"0414 1234567\",\"Ana\",\"tres, con coma\",\"Venezuela - Movilnet\"\r\n";
const QByteArray Cab = "NTXHistorial1.0\r\n";

// Every record of the store, decoded by the indexed reader.
EstadoHistorial leerTodo(const QString &ruta, TablaHistorial &tabla)
{
    ah::HistorialIndexado indice;
    const EstadoHistorial estado = indice.leer(ruta);
    tabla.clear();
    for (qsizetype i = 0; i < indice.size(); ++i) {
        tabla.append(indice.registro(i));
    }
    return estado;
}

// Limits the size of files this process may write, so a rewrite fails midway
// as on a full disk.
class LimiteTamano
{
public:
    explicit LimiteTamano(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &anterior_);
        rlimit nuevo = anterior_;
        nuevo.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &nuevo);
    }
    ~LimiteTamano() { setrlimit(RLIMIT_FSIZE, &anterior_); }

private:
    rlimit anterior_{};
};

} // namespace

class tst_AlmacenHistorial : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir carpeta_;
    QString ruta() const { return carpeta_.filePath(QStringLiteral("NTX/Mensajes/Historial.ntxhist")); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(carpeta_.isValid());
        QDir(carpeta_.path()).removeRecursively();
        QDir().mkpath(carpeta_.path());
    }

    void literalFecha_data()
    {
        QTest::addColumn<QByteArray>("literal");
        QTest::addColumn<QDateTime>("esperada");
        QTest::newRow("completa") << QByteArray("#2012-11-19 19:07:05#")
                                  << QDateTime(QDate(2012, 11, 19), QTime(19, 7, 5));
        QTest::newRow("solo fecha") << QByteArray("#2012-11-19#") << QDateTime(QDate(2012, 11, 19), QTime(0, 0));
        QTest::newRow("blancos dentro") << QByteArray("# 2012-11-19 #") << QDateTime(QDate(2012, 11, 19), QTime(0, 0));
        QTest::newRow("mes imposible") << QByteArray("#2012-13-19 10:00:00#") << QDateTime();
        QTest::newRow("hora imposible") << QByteArray("#2012-11-19 25:00:00#") << QDateTime();
        QTest::newRow("sin almohadillas") << QByteArray("2012-11-19 10:00:00") << QDateTime();
        QTest::newRow("texto") << QByteArray("#hola#") << QDateTime();
        QTest::newRow("vacio") << QByteArray("##") << QDateTime();
    }
    void literalFecha()
    {
        QFETCH(QByteArray, literal);
        QFETCH(QDateTime, esperada);
        QCOMPARE(ah::leerLiteralFecha(literal), esperada);
    }

    void escrituraExacta()
    {
        QVERIFY(ah::lineaRegistro(registro(QString(), QDateTime(QDate(2012, 1, 2), QTime(3, 4, 5))))
                    .startsWith("#2012-01-02 03:04:05#,"));
        RegistroHistorial r = registro(QStringLiteral("Dijo \"hola\", chau"));
        r.destinatario = QStringLiteral("El \"Tano\"");
        r.destino = QStringLiteral("\"alias\"");
        r.remitente = QStringLiteral("Yo \"mismo\"");
        QCOMPARE(ah::lineaRegistro(r), QByteArray("#2012-11-19 19:07:05#,\"El 'Tano'\",\"'alias'\",\"Yo 'mismo'\","
                                                  "\"Dijo 'hola', chau\",\"Argentina - Personal\""));
    }

    void codigoDePagina_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("acentos") << QStringLiteral("ñáéíóúü¿¡") << QByteArray("\xF1\xE1\xE9\xED\xF3\xFA\xFC\xBF\xA1");
        QTest::newRow("euro y comillas tipográficas") << QStringLiteral("€ “x” …") << QByteArray("\x80 \x93x\x94 \x85");
        QTest::newRow("fuera del código") << QStringLiteral("a中b") << QByteArray("a?b");
        QTest::newRow("par sustituto") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
        // Quotes become apostrophes: nothing is escaped in this format.
        QTest::newRow("comillas") << QStringLiteral("\"a\" \"\"") << QByteArray("'a' ''");
        QTest::newRow("coma y salto") << QStringLiteral("a, b\r\nc") << QByteArray("a, b\r\nc");
        QTest::newRow("vacío") << QString() << QByteArray();
    }
    void codigoDePagina()
    {
        QFETCH(QString, texto);
        QFETCH(QByteArray, bytes);
        ErrorHistorial error;
        QVERIFY(ah::agregar(ruta(), registro(texto), QDateTime(), &error));
        const QByteArray archivo = leerBytes(ruta());
        QVERIFY2(archivo.contains(QByteArray(",\"" + bytes + "\",")), archivo.constData());
        TablaHistorial tabla;
        QCOMPARE(leerTodo(ruta(), tabla), HistorialLeido);
        QCOMPARE(tabla.size(), 1);
        if (!bytes.contains('?')) {
            QCOMPARE(tabla[0].mensaje, QString(texto).replace(u'"', u'\''));
        }
    }

    void primerAgregadoCreaCarpetasYCabecera()
    {
        QVERIFY(!QFileInfo::exists(carpeta_.filePath(QStringLiteral("NTX"))));
        ErrorHistorial error;
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("hola")), QDateTime(), &error));
        QCOMPARE(leerBytes(ruta()),
                 QByteArray(Cab + "#2012-11-19 19:07:05#,\"Juan P\xE9rez\",\"011 45678901\",\"Ana\",\"hola\","
                                  "\"Argentina - Personal\"\r\n"));
    }

    void agregarYLeer()
    {
        const QString mensajes[] = {QStringLiteral("uno"), QStringLiteral("dos\r\nlíneas, y \"comillas\""),
                                    QStringLiteral(""), QStringLiteral("#no es fecha#")};
        int minuto = 0;
        for (const QString &m : mensajes) {
            QVERIFY(ah::agregar(ruta(), registro(m, QDateTime(QDate(2013, 5, 6), QTime(7, minuto++, 9))), QDateTime(),
                                nullptr));
        }
        // Appending never rewrites: the header stays once, at the top.
        QCOMPARE(leerBytes(ruta()).count("NTXHistorial1.0"), 1);
        TablaHistorial tabla;
        QCOMPARE(leerTodo(ruta(), tabla), HistorialLeido);
        QCOMPARE(tabla.size(), 4);
        QCOMPARE(tabla[0].mensaje, QStringLiteral("uno"));
        QCOMPARE(tabla[1].mensaje, QStringLiteral("dos\r\nlíneas, y 'comillas'"));
        QCOMPARE(tabla[2].mensaje, QString());
        QCOMPARE(tabla[3].mensaje, QStringLiteral("#no es fecha#"));
        QCOMPARE(tabla[3].fecha, QDateTime(QDate(2013, 5, 6), QTime(7, 3, 9)));
        QCOMPARE(tabla[1].destinatario, QStringLiteral("Juan Pérez"));
        QCOMPARE(tabla[1].destino, QStringLiteral("011 45678901"));
        QCOMPARE(tabla[1].remitente, QStringLiteral("Ana"));
        QCOMPARE(tabla[1].proveedor, QStringLiteral("Argentina - Personal"));
    }

    void mensajeEnVariasLineas()
    {
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("hola\r\nmundo")), QDateTime(), nullptr));
        const QList<QByteArray> lineas = leerBytes(ruta()).split('\n');
        QCOMPARE(lineas.size(), 4); // header, two physical lines of the record, and the empty tail
        QVERIFY(lineas[1].endsWith("\"hola\r"));
        QVERIFY(lineas[2].startsWith("mundo\""));
        TablaHistorial tabla;
        QCOMPARE(leerTodo(ruta(), tabla), HistorialLeido);
        QCOMPARE(tabla.size(), 1);
        QCOMPARE(tabla[0].mensaje, QStringLiteral("hola\r\nmundo"));
        QCOMPARE(tabla[0].proveedor, QStringLiteral("Argentina - Personal"));
    }

    void estados_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<int>("estado");
        QTest::addColumn<int>("registros");
        QTest::newRow("solo cabecera") << Cab << 4 << 0;
        QTest::newRow("cabecera en minúsculas") << QByteArray("ntxhistorial1.0\r\n" + R1) << 0 << 1;
        QTest::newRow("cabecera con texto alrededor") << QByteArray("xx NTXHISTORIAL1.0 v2\r\n" + R1 + R2) << 0 << 2;
        QTest::newRow("tres registros") << QByteArray(Cab + R1 + R2 + R3) << 0 << 3;
        QTest::newRow("fecha sin hora") << QByteArray(Cab + R3) << 0 << 1;
        QTest::newRow("finales LF") << QByteArray(Cab + R1 + R3).replace("\r\n", "\n") << 0 << 2;
        QTest::newRow("sin salto final") << QByteArray(Cab + R1 + R3.chopped(2)) << 0 << 2;
        QTest::newRow("líneas vacías") << QByteArray(Cab + "\r\n" + R1 + "\r\n  \r\n" + R3 + "\r\n\r\n") << 0 << 2;
        QTest::newRow("campo sin comillas")
            << QByteArray(Cab + "#2012-11-19#,Juan,011 4,Ana,hola,Argentina - Claro\r\n") << 0 << 1;
        QTest::newRow("comillas dobladas")
            << QByteArray(Cab + "#2012-11-19#,\"a\"\"b\",\"c\",\"d\",\"e\",\"f\"\r\n") << 0 << 1;
        QTest::newRow("sin cabecera") << QByteArray("hola\r\n" + R1) << 3 << 0;
        QTest::newRow("cabecera dañada") << QByteArray("NTXHistoria1.0\r\n" + R1) << 3 << 0;
        QTest::newRow("archivo vacío") << QByteArray() << 3 << 0;
        QTest::newRow("binario") << QByteArray("\x00\x01\xFF\xFE\x7F\x80\r\n\x00\x00", 10) << 3 << 0;
        QTest::newRow("cabecera y basura binaria")
            << QByteArray(Cab + QByteArray("\x00\x01\"\xFF#\x80\r\n\x00", 9)) << 4 << 0;
        QTest::newRow("registro cortado tras uno") << QByteArray(Cab + R1 + R2.left(40)) << 2 << 1;
        QTest::newRow("registro cortado solo") << QByteArray(Cab + R1.left(30)) << 4 << 0;
        QTest::newRow("comilla sin cerrar")
            << QByteArray(Cab + R1 + "#2012-11-19#,\"Juan,\"a\",\"b\",\"c\r\n") << 2 << 1;
        // What follows a closing quote up to the comma is ignored, as the classic reader does.
        QTest::newRow("comilla suelta") << QByteArray(Cab + R1 + "#2012-11-19#,\"Ju\"an\",\"a\",\"b\",\"c\",\"d\"\r\n")
                                        << 0 << 2;
        QTest::newRow("comilla en campo sin comillas")
            << QByteArray(Cab + "#2012-11-19#,Ju\"an,\"a\",\"b\",\"c\",\"d\"\r\n") << 0 << 1;
        // A damaged record is skipped: what follows it is still read.
        QTest::newRow("cinco campos") << QByteArray(Cab + R1 + "#2012-11-19#,\"a\",\"b\",\"c\",\"d\"\r\n" + R3) << 2
                                      << 2;
        QTest::newRow("registro cortado y otros detrás")
            << QByteArray(Cab + R1 + R2.left(60) + "\r\n" + R3 + R1) << 2 << 3;
        QTest::newRow("cortado en el mensaje, que luego se cierra")
            << QByteArray(Cab + R1 + "#2012-11-19#,\"a\",\"b\",\"c\",\"me\r\n" + R3) << 2 << 2;
        // A quote left open by a torn record must not close inside the whole record after it.
        QTest::newRow("comilla abierta y uno entero detrás")
            << QByteArray(Cab + R1 + "#2012-11-19#,\"la\r\n" + R3) << 2 << 2;
        QTest::newRow("comilla abierta en el último campo y uno entero detrás")
            << QByteArray(Cab + "#2012-11-19#,\"a\",\"b\",\"c\",\"d\",\"e\r\n" + R3 + R1) << 2 << 2;
        QTest::newRow("dañado solo, y uno detrás") << QByteArray(Cab + R1.left(30) + "\r\n" + R3) << 2 << 1;
        QTest::newRow("siete campos") << QByteArray(Cab + R1 + "#2012-11-19#,\"a\",\"b\",\"c\",\"d\",\"e\",\"f\"\r\n")
                                      << 2 << 1;
        QTest::newRow("fecha imposible") << QByteArray(Cab + R1 + "#2012-02-30#,\"a\",\"b\",\"c\",\"d\",\"e\"\r\n") << 2
                                         << 1;
        QTest::newRow("fecha entre comillas")
            << QByteArray(Cab + "\"2012-11-19\",\"a\",\"b\",\"c\",\"d\",\"e\"\r\n") << 4 << 0;
    }
    void estados()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(int, estado);
        QFETCH(int, registros);
        escribirBytes(ruta(), contenido);
        ah::HistorialIndexado indice;
        QCOMPARE(int(indice.leer(ruta())), estado);
        QCOMPARE(indice.size(), registros);
        // A record's texts and date read alone are those of the whole record.
        for (qsizetype i = 0; i < indice.size(); ++i) {
            const RegistroHistorial r = indice.registro(i);
            QVERIFY(r.fecha.isValid());
            QCOMPARE(indice.fecha(i), r.fecha);
            QCOMPARE(indice.texto(i, ah::CampoHistorial::Destinatario), r.destinatario);
            QCOMPARE(indice.texto(i, ah::CampoHistorial::Destino), r.destino);
            QCOMPARE(indice.texto(i, ah::CampoHistorial::Remitente), r.remitente);
            QCOMPARE(indice.texto(i, ah::CampoHistorial::Mensaje), r.mensaje);
            QCOMPARE(indice.texto(i, ah::CampoHistorial::Proveedor), r.proveedor);
        }
        // The same bytes already in memory index alike.
        ah::HistorialIndexado enMemoria;
        QCOMPARE(int(enMemoria.leerDatos(contenido)), estado);
        QCOMPARE(enMemoria.size(), registros);
        QCOMPARE(enMemoria.danados(), indice.danados());
        if (registros > 0) {
            QCOMPARE(enMemoria.registro(registros - 1).mensaje, indice.registro(registros - 1).mensaje);
        }
        // Reading never changes the store.
        QCOMPARE(leerBytes(ruta()), contenido);
    }

    void leerSinArchivo()
    {
        // What an earlier read found does not stay behind.
        escribirBytes(ruta(), Cab + R1);
        ah::HistorialIndexado indice;
        QCOMPARE(indice.leer(ruta()), HistorialLeido);
        QVERIFY(QFile::remove(ruta()));
        QCOMPARE(indice.leer(ruta()), HistorialSinAlmacen);
        QVERIFY(indice.isEmpty());
        QVERIFY(!QFileInfo::exists(ruta()));
    }

    void leerCamposDeR3()
    {
        escribirBytes(ruta(), Cab + R2 + R3);
        TablaHistorial tabla;
        QCOMPARE(leerTodo(ruta(), tabla), HistorialLeido);
        QCOMPARE(tabla[0].mensaje, QStringLiteral("dos\r\nlineas"));
        QCOMPARE(tabla[1].fecha, QDateTime(QDate(2012, 11, 21), QTime(0, 0)));
        QCOMPARE(tabla[1].destino, QStringLiteral("0414 1234567"));
        QCOMPARE(tabla[1].mensaje, QStringLiteral("tres, con coma"));
        QCOMPARE(tabla[1].proveedor, QStringLiteral("Venezuela - Movilnet"));
    }

    void archivosGrandes_data()
    {
        QTest::addColumn<QByteArray>("cabecera");
        QTest::addColumn<QByteArray>("bloque");
        QTest::addColumn<int>("estado");
        QTest::newRow("registros válidos") << Cab << R1 << 0;
        QTest::newRow("sin cabecera ni saltos") << QByteArray() << QByteArray(1000, 'x') << 3;
        QTest::newRow("cabecera y basura") << Cab << QByteArray(1000, '"') << 4;
    }
    void archivosGrandes()
    {
        QFETCH(QByteArray, cabecera);
        QFETCH(QByteArray, bloque);
        QFETCH(int, estado);
        const qsizetype cincuentaMB = 50 * 1024 * 1024;
        QByteArray contenido = cabecera;
        contenido.reserve(cincuentaMB + bloque.size());
        while (contenido.size() < cincuentaMB) {
            contenido += bloque;
        }
        escribirBytes(ruta(), contenido);
        ah::HistorialIndexado indice;
        QCOMPARE(int(indice.leer(ruta())), estado);
        if (estado == 0) {
            QCOMPARE(indice.size(), (contenido.size() - cabecera.size()) / bloque.size());
            QCOMPARE(indice.texto(indice.size() - 1, ah::CampoHistorial::Mensaje), QStringLiteral("uno"));
        }
        QCOMPARE(QFileInfo(ruta()).size(), contenido.size());
    }

    void horaLocalAlCambiarLaHora()
    {
        // Madrid moves from 02:00 to 03:00 on 2013-03-31: records of that day, the day before
        // and the day after keep their wall-clock time and get the right offset.
        const QByteArray zonaAnterior = qgetenv("TZ");
        qputenv("TZ", "Europe/Madrid");
        tzset();
        escribirBytes(ruta(), QByteArray(Cab + "#2013-03-30 23:30:00#,\"a\",\"b\",\"c\",\"d\",\"e\"\r\n"
                                               "#2013-03-31 01:30:00#,\"a\",\"b\",\"c\",\"d\",\"e\"\r\n"
                                               "#2013-03-31 03:30:00#,\"a\",\"b\",\"c\",\"d\",\"e\"\r\n"
                                               "#2013-04-01#,\"a\",\"b\",\"c\",\"d\",\"e\"\r\n"));
        TablaHistorial tabla;
        const auto estado = leerTodo(ruta(), tabla);
        const int desfases[] = {3600, 3600, 7200, 7200};
        QList<QDateTime> locales = {
            QDateTime(QDate(2013, 3, 30), QTime(23, 30)), QDateTime(QDate(2013, 3, 31), QTime(1, 30)),
            QDateTime(QDate(2013, 3, 31), QTime(3, 30)), QDateTime(QDate(2013, 4, 1), QTime(0, 0))};
        QList<int> leidos;
        QStringList textos;
        for (const RegistroHistorial &r : std::as_const(tabla)) {
            leidos.append(r.fecha.offsetFromUtc());
            textos.append(r.fecha.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
        }
        const bool mismosInstantes = tabla.size() == 4 && tabla[2].fecha == locales[2] && tabla[1].fecha == locales[1];
        if (zonaAnterior.isNull()) {
            qunsetenv("TZ");
        } else {
            qputenv("TZ", zonaAnterior);
        }
        tzset();
        QCOMPARE(estado, HistorialLeido);
        QCOMPARE(leidos, QList<int>(std::begin(desfases), std::end(desfases)));
        QCOMPARE(textos, QStringList({"2013-03-30 23:30", "2013-03-31 01:30", "2013-03-31 03:30", "2013-04-01 00:00"}));
        QVERIFY(mismosInstantes);
    }

    // ---- Deleting one record ----

    void borrarUno_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("primero") << 1 << QByteArray(Cab + R2 + R3);
        QTest::newRow("segundo de tres") << 2 << QByteArray(Cab + R1 + R3);
        QTest::newRow("último") << 3 << QByteArray(Cab + R1 + R2);
        // Nothing to delete: the store is not touched.
        QTest::newRow("fuera de rango") << 4 << QByteArray(Cab + R1 + R2 + R3);
        QTest::newRow("cero") << 0 << QByteArray(Cab + R1 + R2 + R3);
    }
    void borrarUno()
    {
        QFETCH(int, k);
        QFETCH(QByteArray, esperado);
        escribirBytes(ruta(), Cab + R1 + R2 + R3);
        QVERIFY(ah::borrarRegistro(ruta(), k, nullptr));
        QCOMPARE(leerBytes(ruta()), esperado);
        // No temporary file is left next to the store.
        QCOMPARE(QDir(QFileInfo(ruta()).absolutePath()).entryList(QDir::Files), QStringList{"Historial.ntxhist"});
    }

    void borrarUnoConservaBytes()
    {
        // Another header spelling is rewritten canonically; the kept records keep their
        // bytes (date-only literal, a byte the code page leaves unassigned); a record
        // without final line end gets one.
        escribirBytes(ruta(),
                      QByteArray("ntxhistorial1.0 copia\r\n" + R1 + "#2012-11-21#,\"x\x81y\",\"b\",\"c\",\"d\",\"e\""));
        QVERIFY(ah::borrarRegistro(ruta(), 1, nullptr));
        QCOMPARE(leerBytes(ruta()), QByteArray(Cab + "#2012-11-21#,\"x\x81y\",\"b\",\"c\",\"d\",\"e\"\r\n"));
    }

    void borrarUnoFallos_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<int>("numero");
        QTest::newRow("cabecera dañada") << QByteArray("NTXHistoria1.0\r\n" + R1 + R2) << 75;
        QTest::newRow("binario") << QByteArray("\xFF\x00\x01\r\n", 5) << 75;
        // Only a damaged part where record 1 should be: it is not deleted as if it were one.
        QTest::newRow("solo un registro cortado") << QByteArray(Cab + R1.left(40)) << 62;
    }
    void borrarUnoFallos()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(int, numero);
        escribirBytes(ruta(), contenido);
        ErrorHistorial error;
        QVERIFY(!ah::borrarRegistro(ruta(), 1, &error));
        QCOMPARE(error.numero, numero);
        QVERIFY(!error.descripcion.isEmpty());
        QCOMPARE(leerBytes(ruta()), contenido);
    }

    void borrarConRegistroDanado()
    {
        // A record cut by a crash no longer blocks deleting: the damage is kept aside
        // and the store is rewritten whole.
        const QByteArray danado = R2.left(50) + "\r\n";
        escribirBytes(ruta(), Cab + R1 + danado + R3 + R1);
        TablaHistorial antes;
        QCOMPARE(leerTodo(ruta(), antes), HistorialErrorLectura);
        QCOMPARE(antes.size(), 3);
        QVERIFY(ah::borrarRegistro(ruta(), 2, nullptr, QDateTime(QDate(2013, 2, 3), QTime(4, 5, 6))));
        QCOMPARE(leerBytes(ruta()), QByteArray(Cab + R1 + R1));
        QCOMPARE(leerBytes(ruta() + QStringLiteral(".danado-20130203-040506")), danado);
        TablaHistorial despues;
        QCOMPARE(leerTodo(ruta(), despues), HistorialLeido);
        QCOMPARE(despues.size(), 2);
    }

    void borrarUnoSinArchivo()
    {
        ErrorHistorial error;
        QVERIFY(!ah::borrarRegistro(ruta(), 1, &error));
        QCOMPARE(error.numero, 53);
        QVERIFY(!QFileInfo::exists(ruta()));
    }

    void borrarUnoFallaAlReescribir_data()
    {
        // A small store fails when the new file is committed, a big one while it is written.
        QTest::addColumn<int>("registros");
        QTest::newRow("pequeño") << 60;
        QTest::newRow("grande") << 2000;
    }
    void borrarUnoFallaAlReescribir()
    {
        QFETCH(int, registros);
        // A store bigger than what may be written now: the new file cannot be completed.
        QByteArray contenido = Cab;
        for (int i = 0; i < registros; ++i) {
            contenido += R1;
        }
        escribirBytes(ruta(), contenido);
        ErrorHistorial error;
        {
            LimiteTamano limite(1024);
            QVERIFY(!ah::borrarRegistro(ruta(), 5, &error));
        }
        QCOMPARE(error.numero, 61);
        QCOMPARE(leerBytes(ruta()), contenido);
        QCOMPARE(QDir(QFileInfo(ruta()).absolutePath()).entryList(QDir::Files), QStringList{"Historial.ntxhist"});
        // Once there is room again the deletion works.
        QVERIFY(ah::borrarRegistro(ruta(), 5, nullptr));
        QCOMPARE(leerBytes(ruta()).size(), contenido.size() - R1.size());
    }

    void agregarFallaSinPerderNada()
    {
        QByteArray contenido = Cab;
        while (contenido.size() < 4000) {
            contenido += R1;
        }
        escribirBytes(ruta(), contenido);
        ErrorHistorial error;
        {
            LimiteTamano limite(contenido.size() + 20);
            QVERIFY(!ah::agregar(ruta(), registro(QStringLiteral("no cabe")), QDateTime(), &error));
        }
        QCOMPARE(error.numero, 61);
        // The half-written record was taken back: the store still reads whole.
        QCOMPARE(leerBytes(ruta()), contenido);
        TablaHistorial tabla;
        QCOMPARE(leerTodo(ruta(), tabla), HistorialLeido);
    }

    // ---- The damaged store kept aside ----

    void agregarAUnAlmacenDanado()
    {
        const QByteArray danado = "NTXHistoria1.0 (roto)\r\n" + R1 + R2;
        escribirBytes(ruta(), danado);
        const QDateTime ahora(QDate(2013, 2, 3), QTime(4, 5, 6));
        ErrorHistorial error;
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("nuevo")), ahora, &error));
        const QString apartado = ruta() + QStringLiteral(".danado-20130203-040506");
        QCOMPARE(leerBytes(apartado), danado);
        TablaHistorial tabla;
        QCOMPARE(leerTodo(ruta(), tabla), HistorialLeido);
        QCOMPARE(tabla.size(), 1);
        QCOMPARE(tabla[0].mensaje, QStringLiteral("nuevo"));
        QVERIFY(leerBytes(ruta()).startsWith(Cab));

        // A second damaged store in the same second does not overwrite the first one kept aside.
        escribirBytes(ruta(), "basura\r\n");
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("otro")), ahora, nullptr));
        QCOMPARE(leerBytes(apartado), danado);
        QCOMPARE(leerBytes(apartado + QStringLiteral("-2")), QByteArray("basura\r\n"));
    }

    void agregarAUnArchivoVacio()
    {
        escribirBytes(ruta(), QByteArray());
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("x")), QDateTime(QDate(2013, 1, 1), QTime()), nullptr));
        QVERIFY(leerBytes(ruta()).startsWith(Cab));
        // Nothing worth keeping: no copy aside.
        QCOMPARE(QDir(QFileInfo(ruta()).absolutePath()).entryList(QDir::Files), QStringList{"Historial.ntxhist"});
    }

    // Every way an append can be cut: the next append keeps the cut part aside and
    // both the earlier and the new record read back.
    void agregarTrasRegistroCortado_data()
    {
        QTest::addColumn<int>("largo");
        for (int largo = 1; largo <= R2.size(); ++largo) {
            QTest::addRow("%d de %d bytes", largo, int(R2.size())) << largo;
        }
    }
    void agregarTrasRegistroCortado()
    {
        QFETCH(int, largo);
        const QByteArray cortado = R2.left(largo);
        escribirBytes(ruta(), Cab + R1 + cortado);
        const QDateTime ahora(QDate(2013, 2, 3), QTime(4, 5, 6));
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("nuevo")), ahora, nullptr));
        TablaHistorial tabla;
        QCOMPARE(leerTodo(ruta(), tabla), HistorialLeido);
        // Cut after its last quote, the record is whole: only its line end was missing.
        const bool entero = largo >= R2.size() - 2;
        QCOMPARE(tabla.size(), entero ? 3 : 2);
        QCOMPARE(tabla.first().mensaje, QStringLiteral("uno"));
        QCOMPARE(tabla.last().mensaje, QStringLiteral("nuevo"));
        const QString apartado = ruta() + QStringLiteral(".danado-20130203-040506");
        QCOMPARE(leerBytes(apartado), entero ? QByteArray() : cortado);
        QVERIFY(leerBytes(ruta()).startsWith(QByteArray(Cab + R1 + (entero ? R2 : QByteArray()))));
    }

    void agregarTrasMensajeLargoSinDanarlo()
    {
        // The end of the store is checked on a window; a message longer than it, with
        // lines that look like records, must not pass for damage.
        QString largo;
        for (int i = 0; i < 20000; ++i) {
            largo += QStringLiteral("#2012-11-19#,linea ") + QString::number(i) + QStringLiteral("\r\n");
        }
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("uno")), QDateTime(), nullptr));
        QVERIFY(ah::agregar(ruta(), registro(largo), QDateTime(), nullptr));
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("tres")), QDateTime(), nullptr));
        TablaHistorial tabla;
        QCOMPARE(leerTodo(ruta(), tabla), HistorialLeido);
        QCOMPARE(tabla.size(), 3);
        QCOMPARE(tabla[1].mensaje, largo);
        QCOMPARE(QDir(QFileInfo(ruta()).absolutePath()).entryList(QDir::Files), QStringList{"Historial.ntxhist"});
    }

    void soloElDuenoLee()
    {
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("uno")), QDateTime(), nullptr));
        const auto soloDueno = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        const auto otros = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                           QFileDevice::WriteOther | QFileDevice::ExeOwner;
        QCOMPARE(QFileInfo(ruta()).permissions() & (soloDueno | otros), soloDueno);
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("dos")), QDateTime(), nullptr));
        QVERIFY(ah::borrarRegistro(ruta(), 1, nullptr));
        QCOMPARE(QFileInfo(ruta()).permissions() & (soloDueno | otros), soloDueno);
    }

    void temporalViejoSeQuita_data()
    {
        QTest::addColumn<int>("operacion");
        QTest::newRow("leer") << 0;
        QTest::newRow("agregar") << 1;
        QTest::newRow("borrar uno") << 2;
    }
    void temporalViejoSeQuita()
    {
        QFETCH(int, operacion);
        escribirBytes(ruta(), Cab + R1 + R2);
        // A deletion killed before it replaced the store.
        escribirBytes(ah::nombreTemporal(ruta()), Cab + R1);
        ah::HistorialIndexado indice;
        switch (operacion) {
        case 0:
            QCOMPARE(indice.leer(ruta()), HistorialLeido);
            break;
        case 1:
            QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("x")), QDateTime(), nullptr));
            break;
        default:
            QVERIFY(ah::borrarRegistro(ruta(), 1, nullptr));
            break;
        }
        QCOMPARE(QDir(QFileInfo(ruta()).absolutePath()).entryList(QDir::Files), QStringList{"Historial.ntxhist"});
    }

    void agregarTrasRegistroSinSaltoFinal()
    {
        escribirBytes(ruta(), Cab + R1.chopped(2));
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("segundo")), QDateTime(), nullptr));
        TablaHistorial tabla;
        QCOMPARE(leerTodo(ruta(), tabla), HistorialLeido);
        QCOMPARE(tabla.size(), 2);
        QCOMPARE(tabla[0].mensaje, QStringLiteral("uno"));
        QCOMPARE(tabla[1].mensaje, QStringLiteral("segundo"));
    }

    void agregarDondeNoSePuede()
    {
        // "NTX" is a file, so the folder of the store cannot exist.
        escribirBytes(carpeta_.filePath(QStringLiteral("NTX")), "no soy carpeta");
        ErrorHistorial error;
        QVERIFY(!ah::agregar(ruta(), registro(QStringLiteral("x")), QDateTime(), &error));
        QCOMPARE(error.numero, 75);
        QCOMPARE(leerBytes(carpeta_.filePath(QStringLiteral("NTX"))), QByteArray("no soy carpeta"));
    }

    void borrarTodo()
    {
        escribirBytes(ruta(), Cab + R1);
        QVERIFY(ah::borrarTodo(ruta(), nullptr));
        QVERIFY(!QFileInfo::exists(ruta()));
        ErrorHistorial error;
        QVERIFY(!ah::borrarTodo(ruta(), &error));
        QCOMPARE(error.numero, 53);
        // The next append starts a new store.
        QVERIFY(ah::agregar(ruta(), registro(QStringLiteral("x")), QDateTime(), nullptr));
        QVERIFY(leerBytes(ruta()).startsWith(Cab));
    }
};

QTEST_APPLESS_MAIN(tst_AlmacenHistorial)
#include "tst_almacenhistorial.moc"

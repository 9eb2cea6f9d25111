// The settings store: the SQLite file and the in-memory double must behave alike.
#include "dobles/ajustesmemoria.h"
#include "plataforma/ajustessqlite.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// A store in memory that refuses to write one key, for the all-or-none writes of a store
// without transactions.
class AjustesQueRechazan final : public Ajustes
{
public:
    QString leer(const QString &s, const QString &c, const QString &d = {}) const override { return m.leer(s, c, d); }
    bool escribir(const QString &s, const QString &c, const QString &v) override
    {
        return plegar(c) != plegar(rechazada) && m.escribir(s, c, v);
    }
    bool borrarClave(const QString &s, const QString &c, QString *e = nullptr) override
    {
        return m.borrarClave(s, c, e);
    }
    bool borrarSeccion(const QString &s) override { return m.borrarSeccion(s); }
    ParesAjustes enumerar(const QString &s) const override { return m.enumerar(s); }

    AjustesMemoria m;
    QString rechazada;
};

} // namespace

class PruebaAjustes : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_serie = 0;

    QString carpetaNueva() { return m_dir.path() + QStringLiteral("/almacen") + QString::number(++m_serie); }

    std::unique_ptr<Ajustes> crear(const QString &tipo, QString *carpeta = nullptr)
    {
        if (tipo == QLatin1String("memoria"))
            return std::make_unique<AjustesMemoria>();
        const QString c = carpetaNueva();
        if (carpeta)
            *carpeta = c;
        return std::make_unique<AjustesSqlite>(c);
    }

    static void filasPorTipo(const char *caso)
    {
        for (const char *tipo : {"sqlite", "memoria"})
            QTest::addRow("%s/%s", tipo, caso) << QString::fromLatin1(tipo);
    }

    static QByteArray contenido(const QString &ruta)
    {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The schema and every row of every table, as text.
    static QString volcado(const QString &ruta)
    {
        sqlite3 *bd = nullptr;
        QString texto;
        if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &bd, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            QStringList tablas;
            const auto consultar = [&](const QByteArray &sql, QStringList *primeraColumna) {
                sqlite3_stmt *st = nullptr;
                if (sqlite3_prepare_v2(bd, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
                    return;
                while (sqlite3_step(st) == SQLITE_ROW) {
                    for (int i = 0; i < sqlite3_column_count(st); ++i)
                        texto += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i))) +
                                 QLatin1Char('|');
                    if (primeraColumna)
                        primeraColumna->append(
                            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))));
                    texto += QLatin1Char('\n');
                }
                sqlite3_finalize(st);
            };
            consultar("SELECT name, sql FROM sqlite_master WHERE type = 'table' ORDER BY name", &tablas);
            consultar("SELECT name, sql FROM sqlite_master WHERE type <> 'table' ORDER BY name", nullptr);
            for (const QString &t : std::as_const(tablas))
                consultar("SELECT * FROM \"" + t.toUtf8() + "\"", nullptr);
        }
        sqlite3_close(bd);
        return texto;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void faltanteDaElDefecto_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<bool>("seccionEscrita");
        QTest::addColumn<QString>("defecto");
        for (const char *tipo : {"sqlite", "memoria"}) {
            QTest::addRow("%s/sin-seccion-defecto-vacio", tipo) << QString::fromLatin1(tipo) << false << QString();
            QTest::addRow("%s/sin-seccion-defecto-texto", tipo) << QString::fromLatin1(tipo) << false << "x";
            QTest::addRow("%s/sin-clave-defecto-vacio", tipo) << QString::fromLatin1(tipo) << true << QString();
            QTest::addRow("%s/sin-clave-defecto-texto", tipo) << QString::fromLatin1(tipo) << true << "Juan";
        }
    }
    void faltanteDaElDefecto()
    {
        QFETCH(QString, tipo);
        QFETCH(bool, seccionEscrita);
        QFETCH(QString, defecto);
        auto a = crear(tipo);
        if (seccionEscrita)
            QVERIFY(a->escribir(QStringLiteral("Mensajes"), QStringLiteral("Otra"), QStringLiteral("1")));
        QCOMPARE(a->leer(QStringLiteral("Mensajes"), QStringLiteral("Remitente0"), defecto), defecto);
        QVERIFY(a->enumerar(QStringLiteral("Agenda1.0")).isEmpty());
    }

    void clavesSinDistinguirMayusculas_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("seccionEscrita");
        QTest::addColumn<QString>("claveEscrita");
        QTest::addColumn<QString>("seccionLeida");
        QTest::addColumn<QString>("claveLeida");
        QTest::addColumn<bool>("iguales");
        const QString ninoCompuesto = QStringLiteral("ñandú");
        const QString ninoDescompuesto = QStringLiteral("n\u0303andu\u0301");
        for (const char *tipo : {"sqlite", "memoria"}) {
            const QString t = QString::fromLatin1(tipo);
            QTest::addRow("%s/ascii", tipo) << t << "Mensajes"
                                            << "Remitente0"
                                            << "Mensajes"
                                            << "REMITENTE0" << true;
            QTest::addRow("%s/seccion", tipo) << t << "Mensajes"
                                              << "x"
                                              << "mENSAJES"
                                              << "X" << true;
            QTest::addRow("%s/enie-y-acento", tipo) << t << "Agenda1.0"
                                                    << "ÑANDÚ"
                                                    << "agenda1.0"
                                                    << "ñandú" << true;
            QTest::addRow("%s/eszett-expande", tipo) << t << "S"
                                                     << "Straße"
                                                     << "s"
                                                     << "STRASSE" << true;
            QTest::addRow("%s/ligadura", tipo) << t << "S"
                                               << "ﬃ"
                                               << "S"
                                               << "FFI" << true;
            QTest::addRow("%s/sigma-final", tipo) << t << "S"
                                                  << "ΣΑΣ"
                                                  << "S"
                                                  << "σας" << true;
            QTest::addRow("%s/forma-descompuesta", tipo)
                << t << "S" << ninoDescompuesto << "S" << ninoCompuesto.toUpper() << true;
            QTest::addRow("%s/distintas", tipo) << t << "S"
                                                << "ana"
                                                << "S"
                                                << "ANAS" << false;
            QTest::addRow("%s/sin-acento-distinta", tipo) << t << "S"
                                                          << "ñandú"
                                                          << "S"
                                                          << "nandu" << false;
            QTest::addRow("%s/otra-seccion", tipo) << t << "Mensajes"
                                                   << "x"
                                                   << "Agenda1.0"
                                                   << "x" << false;
        }
    }
    void clavesSinDistinguirMayusculas()
    {
        QFETCH(QString, tipo);
        QFETCH(QString, seccionEscrita);
        QFETCH(QString, claveEscrita);
        QFETCH(QString, seccionLeida);
        QFETCH(QString, claveLeida);
        QFETCH(bool, iguales);
        auto a = crear(tipo);
        QVERIFY(a->escribir(seccionEscrita, claveEscrita, QStringLiteral("valor")));
        QCOMPARE(a->leer(seccionLeida, claveLeida, QStringLiteral("defecto")),
                 iguales ? QStringLiteral("valor") : QStringLiteral("defecto"));
        // Writing through the other spelling replaces the key rather than adding one.
        QVERIFY(a->escribir(seccionLeida, claveLeida, QStringLiteral("nuevo")));
        const ParesAjustes pares = a->enumerar(seccionEscrita);
        if (iguales) {
            QCOMPARE(pares.size(), 1);
            QCOMPARE(pares.first().first, claveLeida);
            QCOMPARE(pares.first().second, QStringLiteral("nuevo"));
        } else {
            QCOMPARE(a->leer(seccionEscrita, claveEscrita), QStringLiteral("valor"));
        }
    }

    void reescrituraConservaElLugar_data()
    {
        QTest::addColumn<QString>("tipo");
        filasPorTipo("orden");
    }
    void reescrituraConservaElLugar()
    {
        QFETCH(QString, tipo);
        auto a = crear(tipo);
        const QString s = QStringLiteral("Agenda1.0");
        for (const char *k : {"Carla", "ana", "Bruno"})
            QVERIFY(a->escribir(s, QString::fromLatin1(k), QStringLiteral("1")));
        QVERIFY(a->escribir(s, QStringLiteral("ANA"), QStringLiteral("2")));
        const ParesAjustes esperado{{QStringLiteral("Carla"), QStringLiteral("1")},
                                    {QStringLiteral("ANA"), QStringLiteral("2")},
                                    {QStringLiteral("Bruno"), QStringLiteral("1")}};
        QCOMPARE(a->enumerar(s), esperado);
        QCOMPARE(a->enumerar(s.toUpper()), esperado);
        // A deleted key written again goes to the end.
        QVERIFY(a->borrarClave(s, QStringLiteral("carla")));
        QVERIFY(a->escribir(s, QStringLiteral("Carla"), QStringLiteral("3")));
        const ParesAjustes despues{{QStringLiteral("ANA"), QStringLiteral("2")},
                                   {QStringLiteral("Bruno"), QStringLiteral("1")},
                                   {QStringLiteral("Carla"), QStringLiteral("3")}};
        QCOMPARE(a->enumerar(s), despues);
    }

    void escribirVarios_data()
    {
        QTest::addColumn<QString>("tipo");
        filasPorTipo("lote");
    }
    void escribirVarios()
    {
        QFETCH(QString, tipo);
        const QString s = QStringLiteral("Abreviaturas1.0");
        QString carpeta;
        std::unique_ptr<Ajustes> a = tipo == QLatin1String("memoria")
                                         ? std::unique_ptr<Ajustes>(std::make_unique<AjustesQueRechazan>())
                                         : crear(tipo, &carpeta);
        QVERIFY(a->escribir(s, QStringLiteral("vieja"), QStringLiteral("1")));
        const ParesAjustes lote{{QStringLiteral("uno"), QStringLiteral("a")},
                                {QStringLiteral("VIEJA"), QStringLiteral("b")},
                                {QStringLiteral("dos"), QStringLiteral("c")}};
        QVERIFY(a->escribirVarios(s, lote));
        const ParesAjustes esperado{{QStringLiteral("VIEJA"), QStringLiteral("b")},
                                    {QStringLiteral("uno"), QStringLiteral("a")},
                                    {QStringLiteral("dos"), QStringLiteral("c")}};
        QCOMPARE(a->enumerar(s), esperado);
        QVERIFY(a->escribirVarios(s, {}));

        // A write refused in the middle leaves everything as it was.
        if (auto *m = dynamic_cast<AjustesQueRechazan *>(a.get())) {
            m->rechazada = QStringLiteral("falla");
        } else {
            sqlite3 *bd = nullptr;
            QCOMPARE(sqlite3_open((carpeta + QStringLiteral("/ajustes.sqlite")).toUtf8().constData(), &bd), SQLITE_OK);
            QCOMPARE(sqlite3_exec(bd,
                                  "CREATE TRIGGER rechazo BEFORE INSERT ON ajustes WHEN new.clave_pleg = 'falla' "
                                  "BEGIN SELECT RAISE(ABORT, 'rechazada'); END",
                                  nullptr, nullptr, nullptr),
                     SQLITE_OK);
            sqlite3_close(bd);
        }
        const ParesAjustes conFallo{{QStringLiteral("uno"), QStringLiteral("otra")},
                                    {QStringLiteral("tres"), QStringLiteral("d")},
                                    {QStringLiteral("uno"), QStringLiteral("otra más")},
                                    {QStringLiteral("falla"), QStringLiteral("e")},
                                    {QStringLiteral("cuatro"), QStringLiteral("f")}};
        QVERIFY(!a->escribirVarios(s, conFallo));
        QCOMPARE(a->enumerar(s), esperado);
        // The store goes on working after the refusal.
        QVERIFY(a->escribir(s, QStringLiteral("tres"), QStringLiteral("d")));
        QCOMPARE(a->enumerar(s).size(), 4);
    }

    void cualquierCaracter_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        const QString largo = QString(200, QLatin1Char('N')) + QStringLiteral("ñ");
        struct Caso
        {
            const char *nombre;
            QString clave;
            QString valor;
        };
        const Caso casos[] = {
            {"barras", QStringLiteral("a/b\\c"), QStringLiteral("C:\\x/y")},
            {"comillas-e-igual", QStringLiteral("\"x\"='y'"), QStringLiteral("a=b;\"c\"")},
            {"saltos-de-linea", QStringLiteral("uno\r\ndos"), QStringLiteral("l1\r\nl2\nl3\r")},
            {"nombre-de-200", largo, QStringLiteral("$_NO%1").arg(largo)},
            {"corchetes", QStringLiteral("[Mensajes]"), QStringLiteral("[x]")},
            {"blancos-alrededor", QStringLiteral("  juan  "), QStringLiteral("  ")},
            {"valor-vacio", QStringLiteral("vacío"), QStringLiteral("")},
            {"caracter-nulo", QStringLiteral("n") + QChar(0) + QStringLiteral("ulo"), QStringLiteral("a") + QChar(0)},
            {"fuera-del-plano-basico", QStringLiteral("\U0001F600 sonrisa"), QStringLiteral("\U0001F4F1")},
            {"porcentaje-y-comodines", QStringLiteral("%_*?"), QStringLiteral("100%")},
        };
        for (const char *tipo : {"sqlite", "memoria"}) {
            for (const Caso &c : casos)
                QTest::addRow("%s/%s", tipo, c.nombre) << QString::fromLatin1(tipo) << c.clave << c.valor;
        }
    }
    void cualquierCaracter()
    {
        QFETCH(QString, tipo);
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        QString carpeta;
        auto a = crear(tipo, &carpeta);
        QVERIFY(a->escribir(QStringLiteral("Agenda1.0"), QStringLiteral("antes"), QStringLiteral("0")));
        QVERIFY(a->escribir(QStringLiteral("Agenda1.0"), clave, valor));
        const QString leido = a->leer(QStringLiteral("Agenda1.0"), clave, QStringLiteral("defecto"));
        QCOMPARE(leido.size(), valor.size());
        QCOMPARE(leido, valor);
        const ParesAjustes pares = a->enumerar(QStringLiteral("Agenda1.0"));
        QCOMPARE(pares.size(), 2);
        QCOMPARE(pares.at(1).first, clave);
        QCOMPARE(pares.at(1).second, valor);
        // A similar but different key must not match.
        QCOMPARE(a->leer(QStringLiteral("Agenda1.0"), clave + QLatin1Char('x'), QStringLiteral("d")),
                 QStringLiteral("d"));
        if (tipo == QLatin1String("sqlite")) {
            AjustesSqlite otro(carpeta);
            QCOMPARE(otro.leer(QStringLiteral("AGENDA1.0"), clave), valor);
        }
    }

    void borrarClave_data()
    {
        QTest::addColumn<QString>("tipo");
        filasPorTipo("borrar");
    }
    void borrarClave()
    {
        QFETCH(QString, tipo);
        auto a = crear(tipo);
        QString error;
        QVERIFY(!a->borrarClave(QStringLiteral("Mensajes"), QStringLiteral("nada"), &error));
        QVERIFY(error.contains(QStringLiteral("nada")));
        QVERIFY(a->escribir(QStringLiteral("Mensajes"), QStringLiteral("Clave"), QStringLiteral("v")));
        QVERIFY(a->escribir(QStringLiteral("Mensajes"), QStringLiteral("Otra"), QStringLiteral("w")));
        error.clear();
        QVERIFY(!a->borrarClave(QStringLiteral("Agenda1.0"), QStringLiteral("Clave"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(a->borrarClave(QStringLiteral("MENSAJES"), QStringLiteral("CLAVE"), &error));
        QCOMPARE(a->leer(QStringLiteral("Mensajes"), QStringLiteral("Clave"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(a->leer(QStringLiteral("Mensajes"), QStringLiteral("Otra")), QStringLiteral("w"));
        QVERIFY(!a->borrarClave(QStringLiteral("Mensajes"), QStringLiteral("Clave")));
    }

    void borrarSeccion_data()
    {
        QTest::addColumn<QString>("tipo");
        filasPorTipo("seccion");
    }
    void borrarSeccion()
    {
        QFETCH(QString, tipo);
        auto a = crear(tipo);
        QVERIFY(a->borrarSeccion(QStringLiteral("Mensajes")));
        for (int i = 0; i < 5; ++i)
            QVERIFY(a->escribir(QStringLiteral("Mensajes"), QStringLiteral("k%1").arg(i), QStringLiteral("v")));
        QVERIFY(a->escribir(QStringLiteral("Agenda1.0"), QStringLiteral("k1"), QStringLiteral("queda")));
        QVERIFY(a->borrarSeccion(QStringLiteral("mensajes")));
        QVERIFY(a->enumerar(QStringLiteral("Mensajes")).isEmpty());
        QCOMPARE(a->leer(QStringLiteral("Mensajes"), QStringLiteral("k1"), QStringLiteral("d")), QStringLiteral("d"));
        QCOMPARE(a->leer(QStringLiteral("Agenda1.0"), QStringLiteral("k1")), QStringLiteral("queda"));
        QVERIFY(a->escribir(QStringLiteral("Mensajes"), QStringLiteral("k9"), QStringLiteral("v")));
        QCOMPARE(a->enumerar(QStringLiteral("Mensajes")).size(), 1);
    }

    void booleanos_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("guardado"); // null: the key is missing
        QTest::addColumn<bool>("defecto");
        QTest::addColumn<bool>("esperado");
        QTest::addColumn<bool>("convertido");
        for (const char *tipo : {"sqlite", "memoria"}) {
            const QString t = QString::fromLatin1(tipo);
            QTest::addRow("%s/falta-true", tipo) << t << QString() << true << true << true;
            QTest::addRow("%s/falta-false", tipo) << t << QString() << false << false << true;
            QTest::addRow("%s/True", tipo) << t << "True" << false << true << true;
            QTest::addRow("%s/False", tipo) << t << "False" << true << false << true;
            QTest::addRow("%s/minusculas", tipo) << t << "true" << false << true << true;
            QTest::addRow("%s/cero", tipo) << t << "0" << true << false << true;
            QTest::addRow("%s/menos-uno", tipo) << t << "-1" << false << true << true;
            QTest::addRow("%s/texto", tipo) << t << "quizás" << true << true << false;
            QTest::addRow("%s/texto-defecto-false", tipo) << t << "sí" << false << false << false;
            QTest::addRow("%s/vacio", tipo) << t << "" << false << false << false;
        }
    }
    void booleanos()
    {
        QFETCH(QString, tipo);
        QFETCH(QString, guardado);
        QFETCH(bool, defecto);
        QFETCH(bool, esperado);
        QFETCH(bool, convertido);
        auto a = crear(tipo);
        if (!guardado.isNull())
            QVERIFY(a->escribir(QStringLiteral("Mensajes"), QStringLiteral("Opcion"), guardado));
        bool ok = !convertido;
        QCOMPARE(a->leerBooleano(QStringLiteral("Mensajes"), QStringLiteral("opcion"), defecto, &ok), esperado);
        QCOMPARE(ok, convertido);
    }

    void booleanoSeEscribeComoPalabra_data()
    {
        QTest::addColumn<QString>("tipo");
        filasPorTipo("palabras");
    }
    void booleanoSeEscribeComoPalabra()
    {
        QFETCH(QString, tipo);
        auto a = crear(tipo);
        QVERIFY(a->escribirBooleano(QStringLiteral("Mensajes"), QStringLiteral("Si"), true));
        QVERIFY(a->escribirBooleano(QStringLiteral("Mensajes"), QStringLiteral("No"), false));
        QCOMPARE(a->leer(QStringLiteral("Mensajes"), QStringLiteral("Si")), QStringLiteral("True"));
        QCOMPARE(a->leer(QStringLiteral("Mensajes"), QStringLiteral("No")), QStringLiteral("False"));
    }

    void dobleDevuelveUnValorIlegibleUnaVez()
    {
        AjustesMemoria a;
        QVERIFY(a.escribirBooleano(QStringLiteral("Mensajes"), QStringLiteral("PrimeraVez2_5"), false));
        a.ilegibleEnProximaLectura(QStringLiteral("mensajes"), QStringLiteral("primeravez2_5"));
        bool ok = true;
        QCOMPARE(a.leerBooleano(QStringLiteral("Mensajes"), QStringLiteral("PrimeraVez2_5"), true, &ok), true);
        QVERIFY(!ok);
        QCOMPARE(a.leerBooleano(QStringLiteral("Mensajes"), QStringLiteral("PrimeraVez2_5"), true, &ok), false);
        QVERIFY(ok);
    }

    // ---- the file

    void soloLeerNoCreaNada()
    {
        const QString carpeta = carpetaNueva();
        AjustesSqlite a(carpeta);
        QCOMPARE(a.leer(QStringLiteral("Mensajes"), QStringLiteral("x"), QStringLiteral("d")), QStringLiteral("d"));
        QVERIFY(a.enumerar(QStringLiteral("Mensajes")).isEmpty());
        QVERIFY(a.borrarSeccion(QStringLiteral("Mensajes")));
        QString error;
        QVERIFY(!a.borrarClave(QStringLiteral("Mensajes"), QStringLiteral("x"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFileInfo::exists(carpeta));
        QVERIFY(a.escribir(QStringLiteral("Mensajes"), QStringLiteral("x"), QStringLiteral("1")));
        QVERIFY(QFileInfo::exists(carpeta + QStringLiteral("/ajustes.sqlite")));
        QVERIFY(!a.almacenRecuperado());
    }

    void sobreviveAlReinicio()
    {
        const QString carpeta = carpetaNueva();
        {
            AjustesSqlite a(carpeta);
            QVERIFY(a.escribir(QStringLiteral("Mensajes"), QStringLiteral("Remitente0"), QStringLiteral("Juan")));
            QVERIFY(a.escribir(QStringLiteral("Mensajes"), QStringLiteral("Remitente1"), QStringLiteral("Ana")));
        }
        AjustesSqlite b(carpeta);
        QCOMPARE(b.leer(QStringLiteral("Mensajes"), QStringLiteral("remitente0")), QStringLiteral("Juan"));
        QCOMPARE(b.enumerar(QStringLiteral("Mensajes")).size(), 2);
    }

    void dosConexionesSeVenAlMomento()
    {
        const QString carpeta = carpetaNueva();
        AjustesSqlite a(carpeta);
        AjustesSqlite b(carpeta);
        QCOMPARE(b.leer(QStringLiteral("Mensajes"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
        QVERIFY(a.escribir(QStringLiteral("Mensajes"), QStringLiteral("k"), QStringLiteral("1")));
        QCOMPARE(b.leer(QStringLiteral("Mensajes"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("1"));
        QVERIFY(b.escribir(QStringLiteral("Mensajes"), QStringLiteral("K"), QStringLiteral("2")));
        QCOMPARE(a.leer(QStringLiteral("Mensajes"), QStringLiteral("k")), QStringLiteral("2"));
    }

    void carpetaPorUsuario()
    {
        const QString config = m_dir.path() + QStringLiteral("/config-de-usuario");
        const QByteArray antes = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        const QString carpeta = AjustesSqlite::carpetaPredeterminada();
        {
            AjustesSqlite a;
            QVERIFY(a.escribir(QStringLiteral("Mensajes"), QStringLiteral("x"), QStringLiteral("1")));
        }
        qputenv("XDG_CONFIG_HOME", antes);
        QCOMPARE(carpeta, config + QStringLiteral("/NTX"));
        QVERIFY(QFileInfo::exists(config + QStringLiteral("/NTX/ajustes.sqlite")));
    }

    void carpetaImposible()
    {
        const QString archivo = m_dir.path() + QStringLiteral("/soy-un-archivo");
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        AjustesSqlite a(archivo + QStringLiteral("/NTX"));
        QVERIFY(!a.escribir(QStringLiteral("Mensajes"), QStringLiteral("x"), QStringLiteral("1")));
        QVERIFY(!a.ultimoError().isEmpty());
        QCOMPARE(a.leer(QStringLiteral("Mensajes"), QStringLiteral("x"), QStringLiteral("d")), QStringLiteral("d"));
    }

    void archivoDanadoQuedaAparte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("truncarUnAlmacen");
        QTest::addColumn<bool>("primeroEscribir");
        // The damaged file still holds readable records, which the fresh store takes.
        QTest::addColumn<bool>("rescata");
        QByteArray basura;
        for (int i = 0; i < 5000; ++i)
            basura.append(static_cast<char>((i * 131 + 7) % 256));
        QTest::newRow("basura-al-leer") << basura << false << false << false;
        QTest::newRow("basura-al-escribir") << basura << false << true << false;
        QTest::newRow("texto") << QByteArray("[Mensajes]\r\nRemitente0=Juan\r\n") << false << false << false;
        QTest::newRow("cabecera-sqlite-sola") << QByteArray("SQLite format 3\0", 16) << false << true << false;
        QTest::newRow("almacen-truncado-al-leer") << QByteArray() << true << false << true;
        QTest::newRow("almacen-truncado-al-escribir") << QByteArray() << true << true << true;
    }
    void archivoDanadoQuedaAparte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, truncarUnAlmacen);
        QFETCH(bool, primeroEscribir);
        QFETCH(bool, rescata);
        const QString carpeta = carpetaNueva();
        const QString ruta = carpeta + QStringLiteral("/ajustes.sqlite");
        if (truncarUnAlmacen) {
            {
                AjustesSqlite a(carpeta);
                for (int i = 0; i < 400; ++i)
                    QVERIFY(a.escribir(QStringLiteral("Agenda1.0"), QStringLiteral("contacto %1").arg(i),
                                       QString(100, QLatin1Char('x'))));
            }
            QFile::remove(ruta + QStringLiteral("-wal"));
            QFile::remove(ruta + QStringLiteral("-shm"));
            bytes = contenido(ruta);
            QVERIFY(bytes.size() > 8192);
            bytes.truncate(bytes.size() / 3 + 100);
        } else {
            QVERIFY(QDir().mkpath(carpeta));
        }
        {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
        }
        AjustesSqlite a(carpeta);
        int avisos = 0;
        a.alRecuperar = [&avisos] { ++avisos; };
        const QString primero = rescata ? QString(100, QLatin1Char('x')) : QStringLiteral("d");
        if (primeroEscribir) {
            QVERIFY(a.escribir(QStringLiteral("Mensajes"), QStringLiteral("x"), QStringLiteral("nuevo")));
        } else {
            QCOMPARE(a.leer(QStringLiteral("Agenda1.0"), QStringLiteral("contacto 1"), QStringLiteral("d")), primero);
            QVERIFY(a.escribir(QStringLiteral("Mensajes"), QStringLiteral("x"), QStringLiteral("nuevo")));
        }
        QCOMPARE(a.leer(QStringLiteral("Agenda1.0"), QStringLiteral("contacto 1"), QStringLiteral("d")), primero);
        QCOMPARE(a.valoresRescatados() > 0, rescata);
        QCOMPARE(avisos, 1);
        QVERIFY(a.almacenRecuperado());
        QVERIFY(a.archivoApartado().startsWith(ruta + QStringLiteral(".danado-")));
        QCOMPARE(contenido(a.archivoApartado()), bytes);
        QCOMPARE(a.leer(QStringLiteral("Mensajes"), QStringLiteral("X")), QStringLiteral("nuevo"));
        AjustesSqlite b(carpeta);
        QCOMPARE(b.leer(QStringLiteral("Mensajes"), QStringLiteral("x")), QStringLiteral("nuevo"));
        QVERIFY(!b.almacenRecuperado());
    }

    // A store of another shape (another version of the program) is no damage: it is reported
    // and left as it is, never moved aside for an empty address book.
    void otraFormaNoSeAparta_data()
    {
        QTest::addColumn<QByteArray>("sql");
        QTest::newRow("tabla-de-otra-forma")
            << QByteArray("CREATE TABLE ajustes (seccion TEXT, clave TEXT, valor TEXT);"
                          "INSERT INTO ajustes VALUES ('Agenda1.0', 'Juan', 'datos');");
        QTest::newRow("vista-con-el-nombre")
            << QByteArray("CREATE TABLE otra (x); CREATE VIEW ajustes AS SELECT x FROM otra;");
    }
    void otraFormaNoSeAparta()
    {
        QFETCH(QByteArray, sql);
        const QString carpeta = carpetaNueva();
        const QString ruta = carpeta + QStringLiteral("/ajustes.sqlite");
        QVERIFY(QDir().mkpath(carpeta));
        sqlite3 *bd = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(ruta).constData(), &bd), SQLITE_OK);
        QCOMPARE(sqlite3_exec(bd, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(bd);
        const QString antes = volcado(ruta);
        QVERIFY(antes.contains(QStringLiteral("CREATE")));
        AjustesSqlite a(carpeta);
        QCOMPARE(a.leer(QStringLiteral("Agenda1.0"), QStringLiteral("Juan"), QStringLiteral("d")), QStringLiteral("d"));
        ParesAjustes pares;
        QVERIFY(!a.enumerarConEstado(QStringLiteral("Agenda1.0"), &pares));
        QVERIFY(a.ultimoError().contains(QStringLiteral("no se cambió nada")));
        QVERIFY(!a.escribir(QStringLiteral("Mensajes"), QStringLiteral("x"), QStringLiteral("1")));
        QVERIFY(!a.almacenRecuperado());
        QCOMPARE(QDir(carpeta).entryList({QStringLiteral("*.danado-*")}, QDir::Files), QStringList());
        QCOMPARE(volcado(ruta), antes);
    }

    // The store holds the address book: only its owner reads it, whatever the umask.
    void archivoPrivado()
    {
        const QString carpeta = carpetaNueva();
        const mode_t mascara = ::umask(022);
        {
            AjustesSqlite a(carpeta);
            QVERIFY(a.escribir(QStringLiteral("Mensajes"), QStringLiteral("x"), QStringLiteral("1")));
            for (const char *sufijo : {"", "-wal", "-shm"}) {
                struct stat st
                {
                };
                QVERIFY(::stat(QFile::encodeName(carpeta + QStringLiteral("/ajustes.sqlite") + QLatin1String(sufijo))
                                   .constData(),
                               &st) == 0);
                QCOMPARE(st.st_mode & 0777, 0600u);
            }
        }
        ::umask(mascara);
    }

    void archivoVacioNoEsDano()
    {
        const QString carpeta = carpetaNueva();
        QVERIFY(QDir().mkpath(carpeta));
        QFile f(carpeta + QStringLiteral("/ajustes.sqlite"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        AjustesSqlite a(carpeta);
        QVERIFY(a.escribir(QStringLiteral("Mensajes"), QStringLiteral("x"), QStringLiteral("1")));
        QVERIFY(!a.almacenRecuperado());
        QCOMPARE(QDir(carpeta).entryList({QStringLiteral("*.danado-*")}, QDir::Files).size(), 0);
    }

    void dosProcesosEscribenALaVez()
    {
        const QString carpeta = carpetaNueva();
        const QString ayudante = QStringLiteral(NTX_BIN_DIR "/ayudante_ajustes");
        QVERIFY2(QFileInfo(ayudante).isExecutable(), qPrintable(ayudante));
        constexpr int cantidad = 1000;
        QProcess p1, p2;
        for (auto [p, prefijo] : {std::pair{&p1, "cliente"}, std::pair{&p2, "asistente"}}) {
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p->start(ayudante, {carpeta, QString::fromLatin1(prefijo), QString::number(cantidad)});
            QVERIFY(p->waitForStarted(30000));
        }
        for (QProcess *p : {&p1, &p2})
            QTRY_VERIFY_WITH_TIMEOUT(p->canReadLine() || p->state() != QProcess::Running, 30000);
        QCOMPARE(p1.readLine().trimmed(), QByteArray("listo"));
        QCOMPARE(p2.readLine().trimmed(), QByteArray("listo"));
        p1.write("ya\n");
        p2.write("ya\n");
        for (QProcess *p : {&p1, &p2}) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QCOMPARE(p->exitCode(), 0);
        }
        AjustesSqlite a(carpeta);
        const ParesAjustes pares = a.enumerar(QStringLiteral("Mensajes"));
        QCOMPARE(pares.size(), 2 * cantidad);
        for (const char *prefijo : {"cliente", "asistente"}) {
            for (int i = 0; i < cantidad; ++i) {
                const QString p = QString::fromLatin1(prefijo);
                QCOMPARE(a.leer(QStringLiteral("Mensajes"), p + QLatin1Char('-') + QString::number(i)),
                         QStringLiteral("valor de ") + p + QLatin1Char(' ') + QString::number(i));
            }
        }
    }

    // A write that returned is on record even if its process is killed (SIGKILL) at any moment;
    // the store opens after every kill. The seed is printed so a failure can be replayed.
    void escrituraSobreviveAMatarElProceso()
    {
        const QString carpeta = carpetaNueva();
        const quint32 semilla = qEnvironmentVariableIsSet("NTX_SEMILLA") ? qEnvironmentVariableIntValue("NTX_SEMILLA")
                                                                         : QRandomGenerator::global()->generate();
        qInfo("semilla %u", semilla);
        QRandomGenerator azar(semilla);
        constexpr int muertes = 50;
        QList<int> ultimas; // last write each child reported, per child
        for (int vez = 0; vez < muertes; ++vez) {
            const QString prefijo = QStringLiteral("k%1").arg(vez);
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p.start(QStringLiteral(NTX_BIN_DIR "/ayudante_ajustes"),
                    {carpeta, prefijo, QStringLiteral("1000000"), QStringLiteral("informar")});
            QVERIFY(p.waitForStarted(30000));
            QTRY_VERIFY_WITH_TIMEOUT(p.canReadLine(), 30000);
            QCOMPARE(p.readLine().trimmed(), QByteArray("listo"));
            p.write("ya\n");
            // Killed after a random number of reported writes, so the kill lands anywhere in a write.
            const int objetivo = static_cast<int>(azar.bounded(40));
            int ultima = -1;
            QTRY_VERIFY_WITH_TIMEOUT(
                [&] {
                    while (p.canReadLine())
                        ultima = p.readLine().trimmed().toInt();
                    return ultima >= objetivo || p.state() != QProcess::Running;
                }(),
                60000);
            p.kill();
            QVERIFY(p.waitForFinished(30000));
            while (p.canReadLine())
                ultima = p.readLine().trimmed().toInt();
            ultimas.append(ultima);
            AjustesSqlite a(carpeta);
            ParesAjustes pares;
            QVERIFY2(a.enumerarConEstado(QStringLiteral("Mensajes"), &pares), qPrintable(a.ultimoError()));
            QVERIFY(!a.almacenRecuperado());
            for (int hijo = 0; hijo < ultimas.size(); ++hijo)
                for (int i = 0; i <= ultimas.at(hijo); ++i)
                    QCOMPARE(a.leer(QStringLiteral("Mensajes"), QStringLiteral("k%1-%2").arg(hijo).arg(i)),
                             QStringLiteral("valor de k%1 %2").arg(hijo).arg(i));
        }
        AjustesSqlite a(carpeta);
        QVERIFY(a.escribir(QStringLiteral("Mensajes"), QStringLiteral("despues"), QStringLiteral("1")));
        QVERIFY(!a.almacenRecuperado());
    }
};

QTEST_GUILESS_MAIN(PruebaAjustes)
#include "prueba_ajustes.moc"

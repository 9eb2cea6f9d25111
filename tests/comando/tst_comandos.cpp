// The grammar of "ntx://" links, the announced update size and the rule of
// which pages may give commands.
#include <QTest>

#include "comando/comandos.h"
#include "plataforma/direcciones.h"

using Tipo = OrdenComando::Tipo;
Q_DECLARE_METATYPE(OrdenComando::Tipo)

namespace {
const QString kSalem = QStringLiteral("La sintaxis de la secuencia de comandos SALEM no es válida");
const QString kNaveg = QStringLiteral("La sintaxis de la secuencia de comandos NAVEG no es válida");
const QString kMnsje =
    QStringLiteral("La sintaxis de la secuencia de comandos MNSJE no es válida, necesita dos parámetros válidos");
const QString kActdw =
    QStringLiteral("La sintaxis de la secuencia de comandos ACTDW no es válida, necesita dos parámetros válidos");
const QString kActdf =
    QStringLiteral("La sintaxis de la secuencia de comandos ACTDF no es válida, necesita dos parámetros válidos");
} // namespace

class tst_comandos : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void analizar_data()
    {
        QTest::addColumn<QString>("enlace");
        QTest::addColumn<Tipo>("tipo");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("primero");
        QTest::addColumn<QString>("segundo");

        QTest::newRow("salem") << "ntx://salem/1Hola_mundo/F" << Tipo::Salem << QString() << "Hola mundo" << QString();
        QTest::newRow("salem en mayúsculas")
            << "ntx://SALEM/1Hasta_pronto/F" << Tipo::Salem << QString() << "Hasta pronto" << QString();
        QTest::newRow("marcadores en minúscula")
            << "ntx://salem/1Chau/f" << Tipo::Salem << QString() << "Chau" << QString();
        QTest::newRow("salem sin /F") << "ntx://salem/1Hola" << Tipo::Salem << kSalem << QString() << QString();
        QTest::newRow("salem sin /1") << "ntx://salem/Hola/F" << Tipo::Salem << kSalem << QString() << QString();
        QTest::newRow("salem con /F en medio")
            << "ntx://salem/1Hola/Fin" << Tipo::Salem << kSalem << QString() << QString();
        QTest::newRow("salem /1 pegado al cierre")
            << "ntx://salem/1/F" << Tipo::Salem << QString() << QString() << QString();
        QTest::newRow("salem /1 dentro del cierre")
            << "ntx://salem/F/1" << Tipo::Salem << kSalem << QString() << QString();
        QTest::newRow("porcentaje sin decodificar")
            << "ntx://salem/1Cien%20por_ciento/F" << Tipo::Salem << QString() << "Cien%20por ciento" << QString();
        QTest::newRow("mnsje") << "ntx://mnsje/1Aviso/2Hay_novedades/F" << Tipo::Mnsje << QString() << "Aviso"
                               << "Hay novedades";
        QTest::newRow("mnsje segundo vacío")
            << "ntx://mnsje/1Aviso/2/F" << Tipo::Mnsje << QString() << "Aviso" << QString();
        QTest::newRow("mnsje sin /2") << "ntx://mnsje/1Aviso/F" << Tipo::Mnsje << kMnsje << QString() << QString();
        QTest::newRow("mnsje /2 antes de /1")
            << "ntx://mnsje/2Dos/1Uno/F" << Tipo::Mnsje << kMnsje << QString() << QString();
        QTest::newRow("mnsje /2 pegado a /1")
            << "ntx://mnsje/1/2texto/F" << Tipo::Mnsje << QString() << QString() << "texto";
        QTest::newRow("mnsje sin /F") << "ntx://mnsje/1Aviso/2Texto" << Tipo::Mnsje << kMnsje << QString() << QString();
        QTest::newRow("naveg") << "ntx://naveg/1ejemplo/F" << Tipo::Naveg << QString() << "ejemplo" << QString();
        QTest::newRow("naveg deja los _")
            << "ntx://naveg/1a_b.com/F" << Tipo::Naveg << QString() << "a_b.com" << QString();
        QTest::newRow("naveg sin /F") << "ntx://naveg/1ejemplo" << Tipo::Naveg << kNaveg << QString() << QString();
        QTest::newRow("actdw") << "ntx://actdw/1127.0.0.1:8080/ntxbin/descarga/ntxmensajes.exe/241123/F" << Tipo::Actdw
                               << QString() << "127.0.0.1:8080/ntxbin/descarga/ntxmensajes.exe"
                               << "41123";
        QTest::newRow("actdw sin /2") << "ntx://actdw/1sitio/archivo/F" << Tipo::Actdw << kActdw << QString()
                                      << QString();
        QTest::newRow("actdw sin nada") << "ntx://actdw" << Tipo::Actdw << kActdw << QString() << QString();
        QTest::newRow("actdf sin /F") << "ntx://actdf/1sitio/2100" << Tipo::Actdf << kActdf << QString() << QString();
        QTest::newRow("actdf") << "NTX://ACTDF/1Sitio/Archivo/2100/F" << Tipo::Actdf << QString() << "Sitio/Archivo"
                               << "100";
        QTest::newRow("sales") << "ntx://sales" << Tipo::Sales << QString() << QString() << QString();
        QTest::newRow("cusar") << "ntx://cusar/F" << Tipo::Cusar << QString() << QString() << QString();
        QTest::newRow("princ") << "ntx://princ" << Tipo::Princ << QString() << QString() << QString();
        QTest::newRow("notic") << "ntx://notic/F" << Tipo::Notic << QString() << QString() << QString();
        QTest::newRow("actua") << "ntx://actua/F" << Tipo::Actua << QString() << QString() << QString();
        QTest::newRow("panel") << "ntx://panel" << Tipo::Panel << QString() << QString() << QString();
        QTest::newRow("desconocido") << "ntx://abcde/F" << Tipo::Desconocido << QString() << QString() << QString();
        QTest::newRow("solo el esquema") << "ntx://" << Tipo::Desconocido << QString() << QString() << QString();
        QTest::newRow("comando corto") << "ntx://sal" << Tipo::Desconocido << QString() << QString() << QString();
        QTest::newRow("vacío") << QString() << Tipo::NoEsComando << QString() << QString() << QString();
        QTest::newRow("otro esquema") << "http://salem/1Hola/F" << Tipo::NoEsComando << QString() << QString()
                                      << QString();
        const QString largo = QString(9980, QLatin1Char('x'));
        QTest::newRow("10000 caracteres") << (QStringLiteral("ntx://mnsje/1") + largo + QStringLiteral("/2ab/F"))
                                          << Tipo::Mnsje << QString() << largo << "ab";
        QTest::newRow("10000 caracteres sin cierre")
            << (QStringLiteral("ntx://salem/1") + QString(9987, QLatin1Char('y'))) << Tipo::Salem << kSalem << QString()
            << QString();
    }

    void analizar()
    {
        QFETCH(QString, enlace);
        QFETCH(Tipo, tipo);
        QFETCH(QString, error);
        QFETCH(QString, primero);
        QFETCH(QString, segundo);
        const OrdenComando orden = AnalizarComando(enlace);
        QCOMPARE(orden.tipo, tipo);
        QCOMPARE(orden.errorSintaxis, error);
        QCOMPARE(orden.primero, primero);
        QCOMPARE(orden.segundo, segundo);
    }

    void tamano_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("tamano");
        QTest::newRow("entero") << "41123" << qint64(41123);
        QTest::newRow("blancos delante") << "  512" << qint64(512);
        QTest::newRow("texto detrás") << "1024bytes" << qint64(1024);
        QTest::newRow("decimales redondean") << "99.6" << qint64(100);
        QTest::newRow("vacío") << "" << qint64(0);
        QTest::newRow("sin número") << "abc" << qint64(0);
        QTest::newRow("cero") << "0" << qint64(0);
        QTest::newRow("negativo") << "-5" << qint64(-5);
        QTest::newRow("no cabe en 32 bits") << "99999999999" << qint64(0);
        QTest::newRow("dígitos árabes no cuentan") << QStringLiteral("\u0661\u0662") << qint64(0);
    }

    void tamano()
    {
        QFETCH(QString, texto);
        QFETCH(qint64, tamano);
        QCOMPARE(TamanoAnunciado(texto), tamano);
    }

    void permitido_data()
    {
        QTest::addColumn<QString>("sitio");
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<bool>("principal");
        QTest::addColumn<bool>("permitido");
        const QString s = QStringLiteral("http://www.ntxvarel.com.ar");
        QTest::newRow("página del sitio") << s << "http://www.ntxvarel.com.ar/ntxbin/princ/princ2_5" << true << true;
        QTest::newRow("sitio con puerto 80 explícito") << s << "http://www.ntxvarel.com.ar:80/x" << true << true;
        QTest::newRow("host en mayúsculas") << s << "http://WWW.NTXVAREL.COM.AR/x" << true << true;
        QTest::newRow("marco del propio sitio") << s << "http://www.ntxvarel.com.ar/x" << false << false;
        QTest::newRow("otro host que contiene ntx") << s << "http://ntx.ejemplo.com/x" << true << false;
        QTest::newRow("host que empieza igual") << s << "http://www.ntxvarel.com.ar.ejemplo.com/x" << true << false;
        QTest::newRow("sitio en la ruta") << s << "http://ejemplo.com/www.ntxvarel.com.ar/" << true << false;
        QTest::newRow("sitio como usuario") << s << "http://www.ntxvarel.com.ar@ejemplo.com/" << true << false;
        QTest::newRow("otro puerto") << s << "http://www.ntxvarel.com.ar:8080/x" << true << false;
        QTest::newRow("https en otro puerto") << s << "https://www.ntxvarel.com.ar/x" << true << false;
        QTest::newRow("archivo local") << s << "file:///opt/ntx/logica/index.htm" << true << false;
        QTest::newRow("página vacía") << s << "about:blank" << true << false;
        QTest::newRow("sin página") << s << "" << true << false;
        const QString sim = QStringLiteral("http://127.0.0.1:40001");
        QTest::newRow("simulador") << sim << "http://127.0.0.1:40001/ntxbin/act_ver_2_5_0.htm" << true << true;
        QTest::newRow("simulador otro puerto") << sim << "http://127.0.0.1:40002/otro/comandos" << true << false;
        QTest::newRow("simulador sin puerto") << sim << "http://127.0.0.1/x" << true << false;
        QTest::newRow("localhost no es 127.0.0.1") << sim << "http://localhost:40001/x" << true << false;
    }

    void permitido()
    {
        QFETCH(QString, sitio);
        QFETCH(QString, pagina);
        QFETCH(bool, principal);
        QFETCH(bool, permitido);
        Direcciones d = Direcciones::predeterminadas();
        d.sitio = sitio;
        QCOMPARE(ComandoPermitido(pagina, principal, d), permitido);
    }

    void paginasDelSitio()
    {
        Direcciones d = Direcciones::predeterminadas();
        d.sitio = QStringLiteral("http://127.0.0.1:9");
        QCOMPARE(PaginaComprobarVersion(d, 2, 5, 0), QStringLiteral("http://127.0.0.1:9/ntxbin/act_ver_2_5_0.htm"));
        QCOMPARE(PaginaInicio(d, 12, 30), QStringLiteral("http://127.0.0.1:9/ntxbin/princ/princ12_30"));
        QCOMPARE(PaginaAvisos(d), QStringLiteral("http://127.0.0.1:9/ntxbin/mensajes.htm"));
    }
};

QTEST_APPLESS_MAIN(tst_comandos)
#include "tst_comandos.moc"

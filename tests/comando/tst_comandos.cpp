// The grammar of "ntx://" links, the announced update size, the rule of which
// pages may give commands, and the check of installers' signatures.
#include <QTest>

#include "comando/comandos.h"
#include "comando/firma.h"
#include "plataforma/direcciones.h"

#include <sodium.h>

using Tipo = OrdenComando::Tipo;
Q_DECLARE_METATYPE(OrdenComando::Tipo)
Q_DECLARE_METATYPE(ResultadoFirma)

namespace {
const QString kSalem = QStringLiteral("La sintaxis de la secuencia de comandos SALEM no es válida");
const QString kNaveg = QStringLiteral("La sintaxis de la secuencia de comandos NAVEG no es válida");
const QString kMnsje =
    QStringLiteral("La sintaxis de la secuencia de comandos MNSJE no es válida, necesita dos parámetros válidos");
const QString kActdw =
    QStringLiteral("La sintaxis de la secuencia de comandos ACTDW no es válida, necesita dos parámetros válidos");
const QString kActdf =
    QStringLiteral("La sintaxis de la secuencia de comandos ACTDF no es válida, necesita dos parámetros válidos");
QByteArray hex(const char *texto)
{
    return QByteArray::fromHex(QByteArray(texto));
}

// A key pair made from a fixed seed, and a detached signature with it: the same bytes every run.
struct Par
{
    QByteArray publica = QByteArray(crypto_sign_PUBLICKEYBYTES, '\0');
    QByteArray secreta = QByteArray(crypto_sign_SECRETKEYBYTES, '\0');
    explicit Par(char semilla)
    {
        const QByteArray s(crypto_sign_SEEDBYTES, semilla);
        crypto_sign_seed_keypair(reinterpret_cast<unsigned char *>(publica.data()),
                                 reinterpret_cast<unsigned char *>(secreta.data()),
                                 reinterpret_cast<const unsigned char *>(s.constData()));
    }
    QByteArray firmar(const QByteArray &datos) const
    {
        QByteArray firma(crypto_sign_BYTES, '\0');
        crypto_sign_detached(reinterpret_cast<unsigned char *>(firma.data()), nullptr,
                             reinterpret_cast<const unsigned char *>(datos.constData()),
                             static_cast<unsigned long long>(datos.size()),
                             reinterpret_cast<const unsigned char *>(secreta.constData()));
        return firma;
    }
};

QByteArray conBitCambiado(QByteArray bytes, qsizetype posicion)
{
    bytes[posicion] = char(bytes.at(posicion) ^ 0x01);
    return bytes;
}
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

    void esquemaDelSitio_data()
    {
        QTest::addColumn<QString>("sitio");
        QTest::addColumn<QString>("direccion");
        QTest::newRow("sitio http") << "http://www.ntxvarel.com.ar"
                                    << "http://127.0.0.1:9/d/ntx.deb";
        QTest::newRow("sitio https") << "https://www.ntxvarel.com.ar"
                                     << "https://127.0.0.1:9/d/ntx.deb";
        QTest::newRow("https en mayúsculas") << "HTTPS://www.ntxvarel.com.ar"
                                             << "https://127.0.0.1:9/d/ntx.deb";
    }

    // Pages and downloads the links name go over https when the site does.
    void esquemaDelSitio()
    {
        QFETCH(QString, sitio);
        QFETCH(QString, direccion);
        Direcciones d = Direcciones::predeterminadas();
        d.sitio = sitio;
        QCOMPARE(DireccionConEsquemaDelSitio(d, QStringLiteral("127.0.0.1:9/d/ntx.deb")), direccion);
    }

    void nombreInstalador_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("paquete") << "https://sitio/d/ntx-mensajes_2.6.0_amd64.deb"
                                 << "ntxmensajes.deb";
        QTest::newRow("programa") << "http://sitio/ntxbin/descarga/ntxmensajes.exe"
                                  << "ntxmensajes.exe";
        QTest::newRow("extensión en mayúsculas") << "http://sitio/d/NTX.DEB"
                                                 << "ntxmensajes.deb";
        QTest::newRow("consulta no cuenta") << "http://sitio/d/ntx.deb?v=2.txt"
                                            << "ntxmensajes.deb";
        QTest::newRow("sin extensión") << "http://sitio/d/instalador"
                                       << "ntxmensajes.exe";
        QTest::newRow("oculto") << "http://sitio/d/.deb"
                                << "ntxmensajes.exe";
        QTest::newRow("extensión rara") << "http://sitio/d/x.de%2Fb"
                                        << "ntxmensajes.exe";
        QTest::newRow("sin archivo") << "http://sitio/"
                                     << "ntxmensajes.exe";
    }

    void nombreInstalador()
    {
        QFETCH(QString, direccion);
        QFETCH(QString, nombre);
        QCOMPARE(NombreArchivoInstalador(direccion), nombre);
    }

    void verificarFirma_data()
    {
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<QByteArray>("firma");
        QTest::addColumn<QByteArray>("clave");
        QTest::addColumn<ResultadoFirma>("resultado");
        QVERIFY(sodium_init() >= 0);
        using R = ResultadoFirma;
        // The first three vectors of RFC 8032, section 7.1.
        const QByteArray clave1 = hex("d75a980182b10ab7d54bfed3c964073a0ee172f3daa62325af021a68f707511a");
        const QByteArray firma1 = hex("e5564300c360ac729086e2cc806e828a84877f1eb8e5d974d873e06522490155"
                                      "5fb8821590a33bacc61e39701cf9b46bd25bf5f0595bbe24655141438e7a100b");
        QTest::newRow("RFC 8032, 1") << QByteArray() << firma1 << clave1 << R::Valida;
        QTest::newRow("RFC 8032, 2") << hex("72")
                                     << hex("92a009a9f0d4cab8720e820b5f642540a2b27b5416503f8fb3762223ebdb69da"
                                            "085ac1e43e15996e458f3613d0f11d8c387b2eaeb4302aeeb00d291612bb0c00")
                                     << hex("3d4017c3e843895a92b70aa74d1b7ebc9c982ccf2ec4968cc0cd55f12af4660c")
                                     << R::Valida;
        QTest::newRow("RFC 8032, 3") << hex("af82")
                                     << hex("6291d657deec24024827e69c3abe01a30ce548a284743a445e3680d7db5ac3ac"
                                            "18ff9b538d16f290ae67f760984dc6594a7c15e9716ed28dc027beceea1ec40a")
                                     << hex("fc51cd8e6218a1a38da47ed00230f0580816ed13ba3303ac5deb911548908025")
                                     << R::Valida;
        QTest::newRow("RFC 8032, 1 con otro mensaje") << hex("72") << firma1 << clave1 << R::NoCoincide;

        // Installers of a size like the real ones, signed here.
        const Par fabricante('f');
        const Par otro('o');
        QByteArray archivo(41123, '\0');
        for (qsizetype i = 0; i < archivo.size(); ++i)
            archivo[i] = char((i * 7 + 3) % 251);
        const QByteArray firma = fabricante.firmar(archivo);
        QTest::newRow("firmado por el fabricante") << archivo << firma << fabricante.publica << R::Valida;
        QTest::newRow("un byte cambiado en el medio")
            << conBitCambiado(archivo, archivo.size() / 2) << firma << fabricante.publica << R::NoCoincide;
        QTest::newRow("último byte cambiado")
            << conBitCambiado(archivo, archivo.size() - 1) << firma << fabricante.publica << R::NoCoincide;
        QTest::newRow("un byte de más") << archivo + '\n' << firma << fabricante.publica << R::NoCoincide;
        QTest::newRow("firma cambiada") << archivo << conBitCambiado(firma, 40) << fabricante.publica << R::NoCoincide;
        QTest::newRow("firmado con otra clave")
            << archivo << otro.firmar(archivo) << fabricante.publica << R::NoCoincide;
        QTest::newRow("clave del otro con su firma") << archivo << otro.firmar(archivo) << otro.publica << R::Valida;
        QTest::newRow("sin firma") << archivo << QByteArray() << fabricante.publica << R::FirmaInvalida;
        QTest::newRow("firma cortada") << archivo << firma.left(63) << fabricante.publica << R::FirmaInvalida;
        QTest::newRow("firma con un byte de más") << archivo << firma + 'x' << fabricante.publica << R::FirmaInvalida;
        QTest::newRow("página de error en lugar de firma")
            << archivo << QByteArray("<html><body>404 Not Found</body></html>") << fabricante.publica
            << R::FirmaInvalida;
        QTest::newRow("programa sin clave") << archivo << firma << QByteArray() << R::SinClave;
        QTest::newRow("clave cortada") << archivo << firma << fabricante.publica.left(31) << R::SinClave;
        QTest::newRow("clave de ceros") << archivo << firma << QByteArray(32, '\0') << R::NoCoincide;
    }

    void verificarFirma()
    {
        QFETCH(QByteArray, datos);
        QFETCH(QByteArray, firma);
        QFETCH(QByteArray, clave);
        QFETCH(ResultadoFirma, resultado);
        QCOMPARE(VerificarFirma(datos, firma, clave), resultado);
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

// The abbreviation store, the entry checks and the ".ntxabrev" file: round
// trips, the exact bytes written, and the messages for every bad input.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "dobles/ajustesmemoria.h"
#include "dobles/dialogosguion.h"
#include "dobles/sistemafalso.h"
#include "mejoras/abreviaturas.h"
#include "mejoras/archivoabreviaturas.h"

namespace {

const QString Cabecera = QStringLiteral("NTXAbreviaturas1.0");
const QString TituloImportar = QStringLiteral("Importar Abreviaturas de un archivo");
const QString NoImportar = QStringLiteral("No se pueden importar las Abreviaturas\r\n\r\n");
const QString Danado = QStringLiteral("No se puede importar de este archivo de Abreviaturas\r\n\r\nEste archivo de "
                                      "Abreviaturas está dañado o no es compatible con esta version de NTX Mensajes");
const QString Importado = QStringLiteral("Se ha importado correctamente el archivo de Abreviaturas");

void escribirBytes(const QString &ruta, const QByteArray &bytes)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A store that refuses the words of `rechazadas`, and any batch that holds one.
class AjustesQueRechazan final : public Ajustes
{
public:
    QString leer(const QString &s, const QString &c, const QString &d = {}) const override { return m.leer(s, c, d); }
    bool escribir(const QString &s, const QString &c, const QString &v) override
    {
        return !rechazadas.contains(c) && m.escribir(s, c, v);
    }
    bool borrarClave(const QString &s, const QString &c, QString *e = nullptr) override
    {
        return m.borrarClave(s, c, e);
    }
    bool borrarSeccion(const QString &s) override { return m.borrarSeccion(s); }
    ParesAjustes enumerar(const QString &s) const override { return m.enumerar(s); }

    AjustesMemoria m;
    QStringList rechazadas;
};

QByteArray leerBytes(const QString &ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

class PruebaArchivoAbreviaturas : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString ruta(const QString &nombre) const { return dir.filePath(nombre); }

private Q_SLOTS:
    void validacion_data()
    {
        QTest::addColumn<QString>("palabra");
        QTest::addColumn<QString>("reemplazo");
        QTest::addColumn<int>("problema");
        QTest::newRow("bien") << "hola"
                              << "hl" << int(ProblemaAbreviatura::Ninguno);
        QTest::newRow("con blancos") << " ok "
                                     << "bien" << int(ProblemaAbreviatura::Ninguno);
        QTest::newRow("vacía") << "   "
                               << "x" << int(ProblemaAbreviatura::PalabraVacia);
        QTest::newRow("una letra") << "a"
                                   << "x" << int(ProblemaAbreviatura::PalabraCorta);
        QTest::newRow("una letra con blancos") << " a "
                                               << "x" << int(ProblemaAbreviatura::PalabraCorta);
        QTest::newRow("reemplazo de blancos") << "ok"
                                              << "   " << int(ProblemaAbreviatura::ReemplazoVacio);
        QTest::newRow("vacía antes que reemplazo") << ""
                                                   << "" << int(ProblemaAbreviatura::PalabraVacia);
        QTest::newRow("25 letras") << QString(25, u'a') << "x" << int(ProblemaAbreviatura::Ninguno);
        QTest::newRow("26 letras") << QString(26, u'a') << "x" << int(ProblemaAbreviatura::PalabraLarga);
        QTest::newRow("140 caracteres") << "ok" << QString(140, u'x') << int(ProblemaAbreviatura::Ninguno);
        QTest::newRow("141 caracteres") << "ok" << QString(141, u'x') << int(ProblemaAbreviatura::ReemplazoLargo);
        // A line break counts two, as in the message.
        QTest::newRow("139 y un salto") << "ok" << QString(139, u'x') + u'\n'
                                        << int(ProblemaAbreviatura::ReemplazoLargo);
        QTest::newRow("comillas en palabra") << "a\"b"
                                             << "x" << int(ProblemaAbreviatura::ConComillas);
        QTest::newRow("comillas en reemplazo") << "ok"
                                               << "di \"sí\"" << int(ProblemaAbreviatura::ConComillas);
        QTest::newRow("salto en palabra") << "a\nb"
                                          << "x" << int(ProblemaAbreviatura::PalabraConSalto);
    }
    void validacion()
    {
        QFETCH(QString, palabra);
        QFETCH(QString, reemplazo);
        QFETCH(int, problema);
        const ProblemaAbreviatura p = ValidarAbreviatura(palabra, reemplazo);
        QCOMPARE(int(p), problema);
        QCOMPARE(MensajeProblemaAbreviatura(p).isEmpty(), p == ProblemaAbreviatura::Ninguno);
    }

    void mensajesDeLasComprobaciones()
    {
        QCOMPARE(MensajeProblemaAbreviatura(ProblemaAbreviatura::PalabraVacia),
                 QStringLiteral("Debe escribir la palabra o combinación de letras que será reemplazada."));
        QCOMPARE(MensajeProblemaAbreviatura(ProblemaAbreviatura::PalabraCorta),
                 QStringLiteral("La palabra o combinación de letras que será reemplazada debe tener más de una "
                                "letra o símbolo."));
        QCOMPARE(MensajeProblemaAbreviatura(ProblemaAbreviatura::ReemplazoVacio),
                 QStringLiteral("Debe escribir el texto que reemplazará a la palabra o combinación de letras "
                                "elegida."));
    }

    void guardarRecortaYReemplaza()
    {
        AjustesMemoria a;
        QVERIFY(GuardarAbreviatura(a, QStringLiteral(" ok "), QStringLiteral(" bien ")));
        QVERIFY(GuardarAbreviatura(a, QStringLiteral("hola"), QStringLiteral("hl")));
        QVERIFY(GuardarAbreviatura(a, QStringLiteral("HOLA"), QStringLiteral("línea\nnueva")));
        const ParesAbreviatura pares = LeerTablaAbreviaturas(a);
        QCOMPARE(pares.size(), 2);
        QCOMPARE(pares.at(0), qMakePair(QStringLiteral("ok"), QStringLiteral(" bien ")));
        // Keys ignore case: the second save replaced the first, its place kept.
        QCOMPARE(pares.at(1).first, QStringLiteral("HOLA"));
        QCOMPARE(pares.at(1).second, QStringLiteral("línea\r\nnueva"));
    }

    void bytesExportados_data()
    {
        QTest::addColumn<ParesAbreviatura>("pares");
        QTest::addColumn<int>("comillasCambiadas");
        QTest::addColumn<QByteArray>("registros");
        QTest::newRow("tres pares") << ParesAbreviatura{{"hola", "hl"},
                                                        {"mñn", "mañana, temprano"},
                                                        {"firma", "Saludos\r\nAna"}}
                                    << 0
                                    << QByteArray("\"hola\",\"hl\"\r\n\"m\xf1n\",\"ma\xf1"
                                                  "ana, temprano\"\r\n\"firma\",\"Saludos\r\nAna\"\r\n");
        // Nothing is escaped in this format: a quote becomes an apostrophe.
        QTest::newRow("comillas") << ParesAbreviatura{{"di\"jo", "\"sí\""}, {"ok", "a \"\" b"}} << 2
                                  << QByteArray("\"di'jo\",\"'s\xed'\"\r\n\"ok\",\"a '' b\"\r\n");
        QTest::newRow("salto LF") << ParesAbreviatura{{"firma", "a\nb"}} << 0 << QByteArray("\"firma\",\"a\r\nb\"\r\n");
        QTest::newRow("vacío y blancos") << ParesAbreviatura{{"x", ""}, {" y ", "  "}} << 0
                                         << QByteArray("\"x\",\"\"\r\n\" y \",\"  \"\r\n");
        QTest::newRow("fuera del código") << ParesAbreviatura{{"zh", "a中b"}} << 0 << QByteArray("\"zh\",\"a?b\"\r\n");
    }
    void bytesExportados()
    {
        QFETCH(ParesAbreviatura, pares);
        QFETCH(int, comillasCambiadas);
        QFETCH(QByteArray, registros);
        FalloArchivo fallo;
        int comillas = -1, llamadas = 0;
        QVERIFY(EscribirArchivoAbreviaturas(ruta("exacto.ntxabrev"), pares, &fallo, &comillas,
                                            [&llamadas] { ++llamadas; }));
        QCOMPARE(comillas, comillasCambiadas);
        QCOMPARE(llamadas, pares.size());
        QCOMPARE(leerBytes(ruta("exacto.ntxabrev")), QByteArray("NTXAbreviaturas1.0\r\n" + registros));
    }

    void idaYVuelta()
    {
        AjustesMemoria a;
        const ParesAbreviatura pares = {{QStringLiteral("hola"), QStringLiteral("hl")},
                                        {QStringLiteral("mñn"), QStringLiteral("mañana, temprano")},
                                        {QStringLiteral("firma"), QStringLiteral("Saludos\r\n\r\nAna, ;.")},
                                        {QStringLiteral("ok"), QStringLiteral("  bien  ")},
                                        {QStringLiteral("aa"), QStringLiteral("aa")}};
        for (const auto &p : pares)
            QVERIFY(GuardarAbreviatura(a, p.first, p.second));
        DialogosGuion d;
        SistemaFalso s;
        d.nombresDeArchivo << ruta("ida.ntxabrev");
        ExportarAbreviaturas(a, d, s);
        // One save dialog (only those record the overwrite question), that asks it.
        QCOMPARE(d.archivos.size(), 1);
        QCOMPARE(d.confirmaciones, QList<bool>{true});
        QCOMPARE(d.archivos.first().at(0), QStringLiteral("Exportar Abreviaturas a un archivo"));
        QCOMPARE(d.archivos.first().at(1), QStringLiteral("Archivos de Abreviaturas de NTX (*.ntxabrev)|*.ntxabrev|"
                                                          "Todos los archivos (*.*)|*.*"));
        QCOMPARE(d.llamadas.size(), 1);
        QCOMPARE(d.llamadas.first().texto, QStringLiteral("Las Abreviaturas se exportaron con exito"));
        QCOMPARE(d.llamadas.first().icono, Dialogos::Icono::Informacion);
        QVERIFY(s.bombeos >= pares.size());

        // Into an empty store, and into one that holds other words.
        for (bool conOtras : {false, true}) {
            AjustesMemoria b;
            if (conOtras)
                QVERIFY(GuardarAbreviatura(b, QStringLiteral("xq"), QStringLiteral("porque")));
            DialogosGuion d2;
            d2.nombresDeArchivo << ruta("ida.ntxabrev");
            ImportarAbreviaturas(b, d2, s);
            QCOMPARE(d2.llamadas.size(), 2);
            QCOMPARE(d2.llamadas.at(0).botones, Dialogos::Botones::AceptarCancelar);
            QCOMPARE(d2.llamadas.at(0).icono, Dialogos::Icono::Pregunta);
            QCOMPARE(d2.llamadas.at(0).texto,
                     QStringLiteral("Haga clic en Aceptar para importar este archivo de Abreviaturas ahora, si no "
                                    "desea hacerlo haga clic en Cancelar."));
            QCOMPARE(d2.llamadas.at(1).texto, Importado);
            QCOMPARE(d2.llamadas.at(1).icono, Dialogos::Icono::Informacion);
            ParesAbreviatura esperados = pares;
            if (conOtras)
                esperados.prepend({QStringLiteral("xq"), QStringLiteral("porque")});
            QCOMPARE(LeerTablaAbreviaturas(b), esperados);
        }
        // Exporting over the same store again gives the same bytes.
        const QByteArray primero = leerBytes(ruta("ida.ntxabrev"));
        d.nombresDeArchivo << ruta("ida.ntxabrev");
        ExportarAbreviaturas(a, d, s);
        QCOMPARE(leerBytes(ruta("ida.ntxabrev")), primero);
    }

    void comillasComoApostrofo()
    {
        AjustesMemoria a;
        // Stored by an older version or by hand: the entry dialog refuses them now.
        QVERIFY(a.escribir(SeccionAbreviaturas, QStringLiteral("dije"), QStringLiteral("dije \"sí\"")));
        QVERIFY(a.escribir(SeccionAbreviaturas, QStringLiteral("hola"), QStringLiteral("hl")));
        DialogosGuion d;
        SistemaFalso s;
        d.nombresDeArchivo << ruta("comillas.ntxabrev");
        ExportarAbreviaturas(a, d, s);
        QCOMPARE(d.llamadas.size(), 1);
        QVERIFY(
            d.llamadas.first().texto.startsWith(QStringLiteral("Las Abreviaturas se exportaron con exito\r\n\r\n")));
        QVERIFY(d.llamadas.first().texto.contains(QStringLiteral("apóstrofos")));
        QCOMPARE(leerBytes(ruta("comillas.ntxabrev")),
                 QByteArray("NTXAbreviaturas1.0\r\n\"dije\",\"dije 's\xed'\"\r\n\"hola\",\"hl\"\r\n"));
        // Every later pair survives the import.
        AjustesMemoria b;
        d.nombresDeArchivo << ruta("comillas.ntxabrev");
        ImportarAbreviaturas(b, d, s);
        const ParesAbreviatura esperados = {{QStringLiteral("dije"), QStringLiteral("dije 'sí'")},
                                            {QStringLiteral("hola"), QStringLiteral("hl")}};
        QCOMPARE(LeerTablaAbreviaturas(b), esperados);
    }

    void exportarSinParesNoEscribe()
    {
        AjustesMemoria a;
        DialogosGuion d;
        SistemaFalso s;
        d.nombresDeArchivo << ruta("nada.ntxabrev");
        ExportarAbreviaturas(a, d, s);
        QVERIFY(!QFile::exists(ruta("nada.ntxabrev")));
        QCOMPARE(d.llamadas.size(), 1);
        QCOMPARE(d.llamadas.first().icono, Dialogos::Icono::Critico);
        QCOMPARE(d.llamadas.first().texto,
                 QStringLiteral("No se pueden exportar las Abreviaturas\r\n\r\nNo hay ninguna Abreviatura configurada. "
                                "Configure algunas Abreviaturas antes de intentar exportar."));
    }

    void exportarCanceladoNoHaceNada()
    {
        AjustesMemoria a;
        GuardarAbreviatura(a, QStringLiteral("hola"), QStringLiteral("hl"));
        DialogosGuion d;
        SistemaFalso s;
        ExportarAbreviaturas(a, d, s);
        QCOMPARE(d.archivos.size(), 1);
        QCOMPARE(d.llamadas.size(), 0);
        ImportarAbreviaturas(a, d, s);
        QCOMPARE(d.archivos.size(), 2);
        QCOMPARE(d.confirmaciones.size(), 1); // the second was an open dialog
        QCOMPARE(d.archivos.last().at(0), TituloImportar);
        QCOMPARE(d.llamadas.size(), 0);
    }

    void exportarSinAcceso()
    {
        AjustesMemoria a;
        GuardarAbreviatura(a, QStringLiteral("hola"), QStringLiteral("hl"));
        DialogosGuion d;
        SistemaFalso s;
        d.nombresDeArchivo << ruta("no/existe/la/carpeta.ntxabrev");
        ExportarAbreviaturas(a, d, s);
        QCOMPARE(d.llamadas.size(), 1);
        QCOMPARE(d.llamadas.first().icono, Dialogos::Icono::Ninguno);
        QCOMPARE(d.llamadas.first().botones, Dialogos::Botones::Aceptar);
        QCOMPARE(d.llamadas.first().texto,
                 QStringLiteral("No se pueden exportar las Abreviaturas\r\n\r\nOcurrió un error al acceder al archivo, "
                                "compruebe que tenga los permisos necesarios para acceder al archivo y que esté en "
                                "este equipo y no en otro de la red"));
    }

    void importarCanceladoNoGuarda()
    {
        escribirBytes(ruta("cancelar.ntxabrev"), "NTXAbreviaturas1.0\r\n\"hola\",\"hl\"\r\n");
        AjustesMemoria a;
        DialogosGuion d;
        SistemaFalso s;
        d.nombresDeArchivo << ruta("cancelar.ntxabrev");
        d.respuestas << Dialogos::Respuesta::Cancelar;
        ImportarAbreviaturas(a, d, s);
        QCOMPARE(d.llamadas.size(), 1);
        QVERIFY(LeerTablaAbreviaturas(a).isEmpty());
    }

    void importarEntrada_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("mensajeFinal");
        QTest::addColumn<bool>("preguntado");
        QTest::addColumn<ParesAbreviatura>("guardados");
        const ParesAbreviatura ninguno;
        const ParesAbreviatura hola = {{QStringLiteral("hola"), QStringLiteral("hl")}};

        QTest::newRow("vacío") << QByteArray() << Danado << false << ninguno;
        QTest::newRow("solo un salto") << QByteArray("\r\n") << Danado << false << ninguno;
        QByteArray binario;
        for (int i = 0; i < 4096; ++i)
            binario.append(char((i * 7919) % 256));
        QTest::newRow("binario") << binario << Danado << false << ninguno;
        QTest::newRow("otra cabecera") << QByteArray("NTXAgenda1.0\r\n\"hola\",\"hl\"\r\n") << Danado << false
                                       << ninguno;
        QTest::newRow("cabecera en minúsculas con texto")
            << QByteArray("ntxabreviaturas1.0 (copia)\r\n\"hola\",\"hl\"") << Importado << true << hola;
        QTest::newRow("solo cabecera") << QByteArray("NTXAbreviaturas1.0\r\n") << Importado << true << ninguno;
        QTest::newRow("falta un campo al final")
            << QByteArray("NTXAbreviaturas1.0\r\n\"hola\",\"hl\"\r\n\"xq\"\r\n")
            << NoImportar + QStringLiteral("Error  62: La entrada pasó del final del archivo") << true << hola;
        QTest::newRow("comilla sin cerrar al final")
            << QByteArray("NTXAbreviaturas1.0\r\n\"hola\",\"hl\"\r\n\"xq\",\"porque\r\n")
            << NoImportar + QStringLiteral("Error  62: La entrada pasó del final del archivo") << true << hola;
        QTest::newRow("campos sin comillas recortados")
            << QByteArray("NTXAbreviaturas1.0\r\n  hola  ,  hl  \r\n") << Importado << true << hola;
        QTest::newRow("reemplazo con saltos")
            << QByteArray("NTXAbreviaturas1.0\r\n\"firma\",\"Saludos,\r\nAna\r\n\"\r\n\"hola\",\"hl\"\r\n") << Importado
            << true
            << ParesAbreviatura{{QStringLiteral("firma"), QStringLiteral("Saludos,\r\nAna\r\n")},
                                {QStringLiteral("hola"), QStringLiteral("hl")}};
        QTest::newRow("saltos LF solos") << QByteArray("NTXAbreviaturas1.0\n\"firma\",\"a\nb\"\n") << Importado << true
                                         << ParesAbreviatura{{QStringLiteral("firma"), QStringLiteral("a\r\nb")}};
        QTest::newRow("pares que se mapean")
            << QByteArray("NTXAbreviaturas1.0\r\n\"aa\",\"bb\"\r\n\"bb\",\"aa\"\r\n") << Importado << true
            << ParesAbreviatura{{QStringLiteral("aa"), QStringLiteral("bb")},
                                {QStringLiteral("bb"), QStringLiteral("aa")}};
        const QString omitida = Importado + QStringLiteral("\r\n\r\n · Se omitieron 1 abreviatura(s)");
        QTest::newRow("palabra de 300") << QByteArray("NTXAbreviaturas1.0\r\n\"" + QByteArray(300, 'p') +
                                                      "\",\"x\"\r\n\"hola\",\"hl\"\r\n")
                                        << omitida << true << hola;
        QTest::newRow("línea de 5 MB") << QByteArray("NTXAbreviaturas1.0\r\n\"hola\",\"hl\"\r\n\"larga\",\"" +
                                                     QByteArray(5 * 1024 * 1024, 'z') + "\"\r\n")
                                       << omitida << true << hola;
        QTest::newRow("palabra de una letra")
            << QByteArray("NTXAbreviaturas1.0\r\n\"a\",\"x\"\r\n\"hola\",\"hl\"\r\n") << omitida << true << hola;
        QTest::newRow("caracteres de control")
            << QByteArray("NTXAbreviaturas1.0\r\n\"h\x01o\",\"x\"\r\n\"hola\",\"hl\"\r\n") << omitida << true << hola;
    }
    void importarEntrada()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, mensajeFinal);
        QFETCH(bool, preguntado);
        QFETCH(ParesAbreviatura, guardados);
        const QString archivo = ruta("entrada.ntxabrev");
        escribirBytes(archivo, bytes);
        AjustesMemoria a;
        // Something already stored is never lost.
        QVERIFY(GuardarAbreviatura(a, QStringLiteral("tmb"), QStringLiteral("también")));
        DialogosGuion d;
        SistemaFalso s;
        d.nombresDeArchivo << archivo;
        ImportarAbreviaturas(a, d, s);
        const auto mensajes = d.llamadas;
        QCOMPARE(mensajes.size(), preguntado ? 2 : 1);
        QVERIFY2(mensajes.last().texto.startsWith(mensajeFinal), qPrintable(mensajes.last().texto));
        if (mensajeFinal == Danado)
            QCOMPARE(mensajes.last().icono, Dialogos::Icono::Critico);
        if (mensajeFinal.startsWith(NoImportar))
            QCOMPARE(mensajes.last().icono, Dialogos::Icono::Ninguno);
        ParesAbreviatura esperados = guardados;
        esperados.prepend({QStringLiteral("tmb"), QStringLiteral("también")});
        QCOMPARE(LeerTablaAbreviaturas(a), esperados);
        // The file was closed: it can be removed and rewritten at once.
        QVERIFY(QFile::remove(archivo));
    }

    // What the store did not take is never reported as imported.
    void importarConEscriturasFallidas_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rechazadas");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("icono");
        QTest::addColumn<QStringList>("guardadas");
        const QByteArray tres = "NTXAbreviaturas1.0\r\n\"hola\",\"hl\"\r\n\"xq\",\"porque\"\r\n\"tmb\",\"también\"\r\n";
        QTest::newRow("ninguna")
            << tres << QStringList{QStringLiteral("hola"), QStringLiteral("xq"), QStringLiteral("tmb")}
            << QStringLiteral("No se pudo importar el archivo de Abreviaturas: ninguna de las 3 abreviatura(s) leídas "
                              "se pudo guardar en la configuración de NTX Mensajes.")
            << int(Dialogos::Icono::Critico) << QStringList{};
        QTest::newRow("una de tres")
            << tres << QStringList{QStringLiteral("xq")}
            << QStringLiteral("El archivo de Abreviaturas se importó sólo en parte\r\n\r\n · No se pudieron guardar 1 "
                              "de las 3 abreviatura(s) leídas en la configuración de NTX Mensajes.")
            << int(Dialogos::Icono::Exclamacion) << QStringList{QStringLiteral("hola"), QStringLiteral("tmb")};
        QTest::newRow("registro roto al final")
            << QByteArray("NTXAbreviaturas1.0\r\n\"hola\",\"hl\"\r\n\"xq\"\r\n") << QStringList{QStringLiteral("hola")}
            << NoImportar +
                   QStringLiteral("Error  62: La entrada pasó del final del archivo\r\n\r\n · No se pudieron guardar 1 "
                                  "de las 1 abreviatura(s) leídas en la configuración de NTX Mensajes.")
            << int(Dialogos::Icono::Ninguno) << QStringList{};
    }
    void importarConEscriturasFallidas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rechazadas);
        QFETCH(QString, mensaje);
        QFETCH(int, icono);
        QFETCH(QStringList, guardadas);
        const QString archivo = ruta("fallidas.ntxabrev");
        escribirBytes(archivo, bytes);
        AjustesQueRechazan a;
        a.rechazadas = rechazadas;
        DialogosGuion d;
        SistemaFalso s;
        d.nombresDeArchivo << archivo;
        ImportarAbreviaturas(a, d, s);
        QCOMPARE(d.llamadas.last().texto, mensaje);
        QCOMPARE(int(d.llamadas.last().icono), icono);
        QStringList palabras;
        for (const auto &par : LeerTablaAbreviaturas(a))
            palabras << par.first;
        QCOMPARE(palabras, guardadas);
    }

    void importarArchivoInexistente()
    {
        AjustesMemoria a;
        DialogosGuion d;
        SistemaFalso s;
        d.nombresDeArchivo << ruta("no-existe.ntxabrev");
        ImportarAbreviaturas(a, d, s);
        QCOMPARE(d.llamadas.size(), 1);
        QCOMPARE(d.llamadas.first().texto, NoImportar + QStringLiteral("Error  53: No se encontró el archivo"));
        QCOMPARE(d.llamadas.first().icono, Dialogos::Icono::Ninguno);
    }

    void importarCarpeta()
    {
        AjustesMemoria a;
        DialogosGuion d;
        SistemaFalso s;
        d.nombresDeArchivo << dir.path();
        ImportarAbreviaturas(a, d, s);
        QCOMPARE(d.llamadas.size(), 1);
        QVERIFY(d.llamadas.first().texto.startsWith(NoImportar + QStringLiteral("Ocurrió un error al acceder")));
    }
};

QTEST_APPLESS_MAIN(PruebaArchivoAbreviaturas)
#include "prueba_archivoabreviaturas.moc"

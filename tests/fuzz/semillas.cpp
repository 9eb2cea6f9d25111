// Writes the seed corpus of each harness into <carpeta>/<harness>/, made with the
// program's own writers where it has one.
#include "agenda/archivoagenda.h"
#include "agenda/lectorcontactos.h"
#include "agenda/registrocontacto.h"
#include "historial/almacenhistorial.h"
#include "mejoras/archivoabreviaturas.h"
#include "plataforma/archivotexto.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QVariantList>
#include <cstdio>

namespace {

QString raiz;

void semilla(const char *harness, const char *nombre, const QByteArray &bytes)
{
    const QString carpeta = raiz + QLatin1Char('/') + QLatin1String(harness);
    QDir().mkpath(carpeta);
    QFile f(carpeta + QLatin1Char('/') + QLatin1String(nombre));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
}

QByteArray leer(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray contacto(const QString &n, const QString &p, const QString &c, const QString &nu)
{
    QString r;
    Agenda::EscribirRegistro({n, p, c, nu}, &r, nullptr);
    return r.toUtf8();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    raiz = QString::fromLocal8Bit(argv[1]);

    // History: a store from the writer, then the same store with a record cut short.
    RegistroHistorial r{QDateTime(QDate(2023, 1, 2), QTime(3, 4, 5)),
                        QStringLiteral("Juan"),
                        QStringLiteral("351 5551234"),
                        QStringLiteral("Ana"),
                        QStringLiteral("hola\r\nchau"),
                        QStringLiteral("Argentina - Personal")};
    QByteArray historial = QByteArray(almacen_historial::Cabecera) + "\r\n";
    historial += almacen_historial::lineaRegistro(r) + "\r\n";
    r.mensaje = QStringLiteral("otro \"con\" comillas, y coma");
    historial += almacen_historial::lineaRegistro(r) + "\r\n";
    semilla("historial", "entero", historial);
    semilla("historial", "cortado", historial.left(historial.size() - 12));

    // Text files: every kind of field the writer knows.
    const QString linea = EscritorArchivoTexto::lineaDeRegistro(
        {QStringLiteral("texto \"citado\""), QDateTime(QDate(2020, 2, 29), QTime(23, 59, 59)), QDate(1999, 12, 31),
         true, false, 42, 3.5, QStringLiteral("dos\r\nlíneas")});
    semilla("archivotexto", "registro", Windows1252::codificar(linea + QStringLiteral("\r\n") + linea));
    semilla("archivotexto", "suelto", QByteArray("a, b ,\"c\"\r\n#2020-01-01#,x\n\"abierta"));

    // Contact records, and four fields separated by NUL for the writer.
    // Address book files: one as the export writes it, and one whose second record is
    // damaged after its name field.
    QString registroJuan;
    Agenda::EscribirRegistro({QStringLiteral("Juan"), QStringLiteral("Argentina - Personal"), QStringLiteral("351"),
                              QStringLiteral("5551234")},
                             &registroJuan, nullptr);
    const QString agenda = Agenda::CabeceraArchivoAgenda + QStringLiteral("\r\n") +
                           Agenda::LineaArchivoAgenda(QStringLiteral("Juan"), registroJuan) + QStringLiteral("\r\n");
    semilla("archivoagenda", "entero", Windows1252::codificar(agenda));
    semilla("archivoagenda", "danado",
            Windows1252::codificar(
                agenda +
                Agenda::LineaArchivoAgenda(QStringLiteral("Ana"), QStringLiteral("$_NO03Ana$_PR00$_CA00$_NU00x")) +
                QStringLiteral("\r\n")));
    semilla("contacto", "registro",
            contacto(QStringLiteral("Juan"), QStringLiteral("Argentina - Personal"), QStringLiteral("351"),
                     QStringLiteral("5551234")));
    semilla("contacto", "alias",
            contacto(QStringLiteral("Pin"), QStringLiteral("Venezuela - Movilnet"), QStringLiteral("alias"),
                     QStringLiteral("AB12")));
    semilla("contacto", "campos",
            QByteArray("Juan P\xc3\xa9rez\0Argentina - Claro\0"
                       "11\0"
                       "40001234",
                       41));

    // Abbreviation files from the export.
    const QString temporal = QDir::tempPath() + QStringLiteral("/ntx-semillas-") +
                             QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".ntxabrev");
    FalloArchivo fallo;
    EscribirArchivoAbreviaturas(temporal,
                                {{QStringLiteral("xq"), QStringLiteral("porque")},
                                 {QStringLiteral("tb"), QStringLiteral("también\r\nen dos líneas")},
                                 {QStringLiteral("d"), QStringLiteral("de, con coma")}},
                                &fallo);
    semilla("abreviaturas", "exportado", leer(temporal));
    QFile::remove(temporal);

    semilla("configuracion", "directivas",
            QByteArray("colaA;mbloferta;perx9;pery12;nblo1;pblopalabra;psinx;rblospam;"
                       "pserServidor #1"));
    semilla("lineacomandos", "contacto", QByteArray("/c:\"Juan P\xc3\xa9rez\""));
    semilla("lineacomandos", "varios", QByteArray("-x /C:\"a,b\" /c:\"otro\""));
    semilla("comandos", "salem", QByteArray("ntx://salem/1Hola_mundo/F"));
    semilla("comandos", "naveg", QByteArray("ntx://naveg/1http://example.com/F"));
    semilla("comandos", "panel", QByteArray("ntx://panel/1a/2b/F"));

    // Contacts from other programs: the exporter's vCard, an older phone's, a webmail's CSV.
    const QString tarjetaJuan =
        QString::fromUtf8(contacto(QStringLiteral("Juan Pérez"), QStringLiteral("Argentina - Personal"),
                                   QStringLiteral("351"), QStringLiteral("5551234")));
    const QString tarjetaPepe =
        QString::fromUtf8(contacto(QStringLiteral("Pepe"), QStringLiteral("Venezuela - Movilnet"), QStringLiteral("16"),
                                   QStringLiteral("1234567")));
    semilla(
        "vcard", "exportado",
        Agenda::EscribirVCard({{QStringLiteral("Juan Pérez"), tarjetaJuan}, {QStringLiteral("Pepe"), tarjetaPepe}}));
    semilla("vcard", "telefono21",
            QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Mu=F1oz;Jos=E9\r\n"
                       "FN;ENCODING=QUOTED-PRINTABLE:Jos=E9 Mu=\r\n=F1oz\r\nTEL;CELL:0351 15-123-4567\r\n"
                       "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQ\r\nSkZJRg\r\n\r\nEND:VCARD\r\n"));
    semilla("vcard", "webmail30",
            QByteArray("BEGIN:VCARD\nVERSION:3.0\nFN:Ana\nN:;Ana;;;\nitem1.TEL:+54 9 11 5555-0000\n"
                       "item1.X-ABLabel:M\xc3\xb3vil\nTEL;TYPE=CELL:0416-1234567\nEND:VCARD\n"));
    semilla("csvcontactos", "webmail",
            QByteArray("Name,Given Name,Family Name,Phone 1 - Type,Phone 1 - Value\r\n"
                       "Ana G\xc3\xb3mez,Ana,G\xc3\xb3mez,Mobile,\"+54 9 351 555-1234 ::: 0351 4221100\"\r\n"));
    semilla("csvcontactos", "puntoycoma",
            QByteArray("Nombre;Tel\xe9"
                       "fono m\xf3vil\r\n\xd1"
                       "and\xfa;0351 15 5551234\r\n"));
    semilla("csvcontactos", "fila",
            QByteArrayLiteral("Juan\0"
                              "0351 15 5551234"));
    semilla("vcard", "contacto",
            QByteArrayLiteral("Juan\0\x01\0"
                              "3515551234"));
    return 0;
}

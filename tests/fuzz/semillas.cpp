// Writes the seed corpus of each harness into <carpeta>/<harness>/, made with the
// program's own writers where it has one.
#include "agenda/archivoagenda.h"
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
    return 0;
}

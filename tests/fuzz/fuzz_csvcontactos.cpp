// CSV files of contacts: any bytes are read without a crash and only change the
// contacts they name; a row written with RFC 4180 quoting reads back the same.
#include "agenda/lectorcontactos.h"
#include "importacion.h"

namespace {

QString Comillas(QString texto)
{
    texto.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + texto + QLatin1Char('"');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    const QByteArray entrada = fuzz::bytes(datos, tamano);
    const Agenda::LecturaContactos lectura = Agenda::LeerCsvContactos(entrada);
    if (lectura.formato != Agenda::FormatoContactos::Csv && !lectura.contactos.isEmpty())
        fuzz::fallar("contactos leídos de un archivo que no es CSV");
    if (!lectura.contactos.isEmpty())
        fuzz::comprobarImportacion(lectura.contactos, Agenda::RegionNumeros::Argentina);
    Agenda::LeerContactosDeOtroPrograma(entrada);

    const QList<QByteArray> p = fuzz::partes(entrada, 2);
    const QString nombre = fuzz::texto(p[0]);
    const QString telefono = fuzz::texto(p[1]);
    // Several numbers in one cell are split at ":::"; a NUL byte makes the file binary.
    if (telefono.contains(QLatin1String(":::")) || nombre.contains(QChar(0)) || telefono.contains(QChar(0)))
        return 0;
    const QString csv = QStringLiteral("Nombre,Teléfono móvil\r\n") + Comillas(nombre) + QLatin1Char(',') +
                        Comillas(telefono) + QStringLiteral("\r\n");
    const Agenda::LecturaContactos vuelta = Agenda::LeerCsvContactos(csv.toUtf8());
    if (vuelta.formato != Agenda::FormatoContactos::Csv)
        fuzz::fallar("un CSV con encabezado no se reconoce", csv);
    if (nombre.trimmed().isEmpty() && telefono.trimmed().isEmpty()) {
        if (!vuelta.contactos.isEmpty())
            fuzz::fallar("una fila en blanco dio un contacto", csv);
        return 0;
    }
    if (vuelta.contactos.size() != 1 || vuelta.contactos.at(0).nombre != nombre.trimmed())
        fuzz::fallar("una fila escrita con comillas se lee distinta", csv);
    const QList<Agenda::TelefonoLeido> &t = vuelta.contactos.at(0).telefonos;
    if (telefono.trimmed().isEmpty() ? !t.isEmpty()
                                     : (t.size() != 1 || t.at(0).texto != telefono.trimmed() || !t.at(0).movil))
        fuzz::fallar("el teléfono de una fila escrita se lee distinto", csv);
    return 0;
}

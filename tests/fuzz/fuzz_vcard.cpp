// vCard files: any bytes are read without a crash and only change the contacts
// they name; a card the exporter wrote reads back as the same contact.
#include "agenda/lectorcontactos.h"
#include "agenda/numerosimportados.h"
#include "importacion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    const QByteArray entrada = fuzz::bytes(datos, tamano);
    const Agenda::LecturaContactos lectura = Agenda::LeerVCard(entrada);
    if (lectura.formato != Agenda::FormatoContactos::VCard && !lectura.contactos.isEmpty())
        fuzz::fallar("contactos leídos de un archivo que no es vCard");
    if (!lectura.contactos.isEmpty())
        fuzz::comprobarImportacion(lectura.contactos,
                                   tamano % 2 ? Agenda::RegionNumeros::Venezuela : Agenda::RegionNumeros::Argentina);

    // One contact made of the input: name, a provider, digits for the number.
    const QList<QByteArray> p = fuzz::partes(entrada, 3);
    const QString nombre = fuzz::texto(p[0]);
    QString digitos;
    for (const char c : p[2]) {
        if (c >= '0' && c <= '9')
            digitos += QLatin1Char(c);
    }
    const int proveedor = p[1].isEmpty() ? 0 : uchar(p[1].at(0)) % 3;
    Agenda::CamposContacto campos;
    campos.nombre = nombre;
    if (proveedor == 2) {
        campos.proveedor = Agenda::ProveedorMovilnet;
        campos.codArea = digitos.size() % 2 ? QStringLiteral("16") : QStringLiteral("26");
        campos.numero = QString(digitos + QStringLiteral("1234567")).left(7);
    } else {
        campos.proveedor = proveedor ? Agenda::ProveedorPersonal : Agenda::ProveedorClaro;
        const QString diez = QString(QStringLiteral("3") + digitos + QStringLiteral("514123456")).left(10);
        const int largoArea = 2 + int(digitos.size() % 3);
        campos.codArea = diez.left(largoArea);
        campos.numero = diez.mid(largoArea);
    }
    QString registro;
    if (!Agenda::EscribirRegistro(campos, &registro, nullptr))
        return 0;
    const QByteArray vcf = Agenda::EscribirVCard({{nombre, registro}});
    if (vcf.isEmpty())
        return 0; // a name the card cannot carry (control characters, empty)
    const Agenda::LecturaContactos vuelta = Agenda::LeerVCard(vcf);
    if (vuelta.contactos.size() != 1)
        fuzz::fallar("una tarjeta escrita no se lee como un contacto", QString::fromUtf8(vcf));
    const Agenda::ContactoLeido &c = vuelta.contactos.at(0);
    if (c.nombre != nombre || c.proveedor != campos.proveedor || c.telefonos.size() != 1 ||
        c.telefonos.at(0).texto != QStringLiteral("tel:") + Agenda::NumeroInternacional(campos) ||
        (campos.proveedor != Agenda::ProveedorMovilnet && c.codArea != campos.codArea))
        fuzz::fallar("una tarjeta escrita se lee distinta", QString::fromUtf8(vcf));
    // Whole import: the same record, when the number is one the importer takes.
    if (!Agenda::ProblemaCampo(nombre, QStringLiteral("el nombre")).isEmpty() || nombre.trimmed().isEmpty())
        return 0;
    if (!Agenda::PartirNumero(c.telefonos.at(0).texto, Agenda::RegionNumeros::Argentina).valido)
        return 0;
    Agenda::VistaPreviaImportacion vista;
    Agenda::PrepararImportacion(vuelta.contactos, Agenda::RegionNumeros::Argentina, {}, &vista);
    const Agenda::PlanGuardado plan = Agenda::PlanificarGuardado(vista, {});
    if (plan.pares.size() != 1 || plan.pares.at(0).first != nombre || plan.pares.at(0).second != registro)
        fuzz::fallar("un contacto exportado e importado no es el mismo",
                     registro + QLatin1Char('\n') + (plan.pares.isEmpty() ? QString() : plan.pares.at(0).second));
    return 0;
}

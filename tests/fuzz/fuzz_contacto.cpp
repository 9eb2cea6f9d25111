// Contact records: any text read as a record does not crash; four fields that can be
// written read back as the same four fields.
#include "agenda/registrocontacto.h"
#include "comun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    const QByteArray entrada = fuzz::bytes(datos, tamano);
    Agenda::CamposContacto leidos;
    const QString registro = fuzz::texto(entrada);
    if (Agenda::LeerCampos(registro, &leidos)) {
        QString otra;
        if (Agenda::EscribirRegistro(leidos, &otra, nullptr)) {
            Agenda::CamposContacto denuevo;
            if (!Agenda::LeerCampos(otra, &denuevo) || denuevo.nombre != leidos.nombre ||
                denuevo.proveedor != leidos.proveedor || denuevo.codArea != leidos.codArea ||
                denuevo.numero != leidos.numero)
                fuzz::fallar("un contacto leído, escrito y leído otra vez cambió", registro);
        }
    }
    Agenda::ProblemaContactoImportado(leidos.nombre, registro);

    const QList<QByteArray> p = fuzz::partes(entrada, 4);
    const Agenda::CamposContacto campos{fuzz::texto(p[0]), fuzz::texto(p[1]), fuzz::texto(p[2]), fuzz::texto(p[3])};
    QString escrito, error;
    if (!Agenda::EscribirRegistro(campos, &escrito, &error)) {
        if (error.isEmpty())
            fuzz::fallar("un contacto rechazado sin mensaje");
        return 0;
    }
    Agenda::CamposContacto vuelta;
    if (!Agenda::LeerCampos(escrito, &vuelta) || vuelta.nombre != campos.nombre ||
        vuelta.proveedor != campos.proveedor || vuelta.codArea != campos.codArea || vuelta.numero != campos.numero)
        fuzz::fallar("un contacto escrito y leído no es el mismo contacto", escrito);
    return 0;
}

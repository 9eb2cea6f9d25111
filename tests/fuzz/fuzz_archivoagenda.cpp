// The address book file on any bytes: reading it ends, and no line the import would
// store can make the contacts panel act on another contact. The panel acts on the
// name field of the record as it reads it; the store keeps the line's name.
#include "agenda/archivoagenda.h"
#include "agenda/registrocontacto.h"
#include "comun.h"
#include "plataforma/ajustes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    static const QString ruta = fuzz::archivo("agenda.ntxagenda");
    fuzz::escribir(ruta, fuzz::bytes(datos, tamano));
    Agenda::FalloArchivoAgenda fallo;
    Agenda::LeerArchivoAgenda(
        ruta, &fallo, [] { return true; },
        [](const QString &nombre, const QString &registro) {
            if (!Agenda::ProblemaContactoImportado(nombre, registro).isEmpty())
                return;
            if (!registro.contains(Agenda::MarcaNombre, Qt::CaseInsensitive))
                return;
            Agenda::CamposContacto campos;
            Agenda::LeerCampos(registro, &campos);
            if (Ajustes::plegar(campos.nombre) != Ajustes::plegar(nombre))
                fuzz::fallar("la importación guarda un contacto cuyos datos nombran a otro",
                             nombre + QStringLiteral(" / ") + registro);
        });
    return 0;
}

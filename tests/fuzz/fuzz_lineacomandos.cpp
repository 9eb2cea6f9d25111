// The "/c:" argument on any command line: a name given is never empty, never longer
// than allowed and always part of the line.
#include "agenda/lineacomandos.h"
#include "comun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    const QString linea = fuzz::texto(fuzz::bytes(datos, tamano));
    QString nombre = QStringLiteral("sin tocar");
    const auto r = Agenda::AnalizarLineaDeComandos(linea, &nombre);
    if (r == Agenda::ArgumentoContacto::Nombre &&
        (nombre.isEmpty() || nombre.size() > Agenda::LargoMaximoNombreLinea || !linea.contains(nombre)))
        fuzz::fallar("nombre imposible", nombre);
    if (r == Agenda::ArgumentoContacto::Ninguno && linea.contains(QStringLiteral("/c:"), Qt::CaseInsensitive))
        fuzz::fallar("un /c: pasado por alto");
    return 0;
}

// The history store's readers on any bytes: no crash, and a whole record written after
// the damaged part is always read, by both readers.
#include "comun.h"
#include "historial/almacenhistorial.h"

namespace {

RegistroHistorial testigo()
{
    RegistroHistorial r;
    r.fecha = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
    r.destinatario = QStringLiteral("Juan Pérez");
    r.destino = QStringLiteral("351 5551234");
    r.remitente = QStringLiteral("Ana");
    r.mensaje = QStringLiteral("hola\r\ncómo estás");
    r.proveedor = QStringLiteral("Argentina - Personal");
    return r;
}

bool igual(const RegistroHistorial &a, const RegistroHistorial &b)
{
    return a.fecha == b.fecha && a.destinatario == b.destinatario && a.destino == b.destino &&
           a.remitente == b.remitente && a.mensaje == b.mensaje && a.proveedor == b.proveedor;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    static const QString ruta = fuzz::archivo("historial");
    static const RegistroHistorial esperado = testigo();
    static const QByteArray linea = almacen_historial::lineaRegistro(esperado);

    // The input as a whole store, and as a damaged part followed by a whole record.
    const QByteArray entrada = fuzz::bytes(datos, tamano);
    fuzz::escribir(ruta, entrada);
    TablaHistorial tabla;
    almacen_historial::leer(ruta, tabla);
    almacen_historial::HistorialIndexado indexado;
    indexado.leer(ruta);

    fuzz::escribir(ruta, QByteArray(almacen_historial::Cabecera) + "\r\n" + entrada + "\r\n" + linea + "\r\n");
    tabla.clear();
    const EstadoHistorial estado = almacen_historial::leer(ruta, tabla);
    if (estado == HistorialSinAlmacen || estado == HistorialVacio || tabla.isEmpty() || !igual(tabla.last(), esperado))
        fuzz::fallar("leer: el registro entero tras la parte dañada no se leyó",
                     QString::number(estado) + QStringLiteral(" registros: ") + QString::number(tabla.size()));
    indexado.leer(ruta);
    if (indexado.isEmpty() || !igual(indexado.registro(indexado.size() - 1), esperado))
        fuzz::fallar("HistorialIndexado: el registro entero tras la parte dañada no se leyó");
    if (indexado.size() != tabla.size())
        fuzz::fallar("los dos lectores no leen los mismos registros",
                     QString::number(indexado.size()) + QStringLiteral(" / ") + QString::number(tabla.size()));
    return 0;
}

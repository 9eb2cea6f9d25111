// The history store's reader on any bytes: no crash, and a whole record written after
// the damaged part is always read.
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
    almacen_historial::HistorialIndexado indexado;
    indexado.leer(ruta);
    for (qsizetype i = 0; i < indexado.size(); ++i)
        indexado.registro(i);

    fuzz::escribir(ruta, QByteArray(almacen_historial::Cabecera) + "\r\n" + entrada + "\r\n" + linea + "\r\n");
    const EstadoHistorial estado = indexado.leer(ruta);
    if (estado == HistorialSinAlmacen || estado == HistorialVacio || indexado.isEmpty() ||
        !igual(indexado.registro(indexado.size() - 1), esperado))
        fuzz::fallar("HistorialIndexado: el registro entero tras la parte dañada no se leyó",
                     QString::number(estado) + QStringLiteral(" registros: ") + QString::number(indexado.size()));
    return 0;
}

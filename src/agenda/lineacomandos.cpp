#include "agenda/lineacomandos.h"

namespace Agenda {

ArgumentoContacto AnalizarLineaDeComandos(const QString &linea, QString *nombre)
{
    const QString marca = QStringLiteral("/c:");
    const qsizetype p = linea.indexOf(marca, 0, Qt::CaseInsensitive);
    if (p < 0)
        return ArgumentoContacto::Ninguno;
    qsizetype i = p + marca.size();
    if (i >= linea.size() || linea.at(i) != QLatin1Char('"'))
        return ArgumentoContacto::SintaxisInvalida;
    ++i;
    QString recogido;
    while (i < linea.size() && linea.at(i) != QLatin1Char('"') && recogido.size() < LargoMaximoNombreLinea) {
        recogido += linea.at(i);
        ++i;
    }
    const bool cerrado = i < linea.size() && linea.at(i) == QLatin1Char('"');
    if (!cerrado || recogido.isEmpty())
        return ArgumentoContacto::SintaxisInvalida;
    if (nombre)
        *nombre = recogido;
    return ArgumentoContacto::Nombre;
}

QString MensajeSintaxisLineaDeComandos()
{
    return QStringLiteral("El argumento c: de la línea de comandos tiene una sintaxis no válida. Use comillas "
                          "para encerrar el nombre del contacto.");
}

} // namespace Agenda

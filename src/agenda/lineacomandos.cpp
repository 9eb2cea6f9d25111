#include "agenda/lineacomandos.h"

namespace Agenda {

namespace {

// The quoted name that starts at `i`; `i` ends on the closing quote.
ArgumentoContacto nombreEntreComillas(const QString &linea, qsizetype &i, QString *nombre)
{
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

} // namespace

ArgumentoContacto AnalizarLineaDeComandos(const QString &linea, QString *nombre)
{
    const QString marca = QStringLiteral("/c:");
    const qsizetype p = linea.indexOf(marca, 0, Qt::CaseInsensitive);
    if (p < 0)
        return ArgumentoContacto::Ninguno;
    qsizetype i = p + marca.size();
    return nombreEntreComillas(linea, i, nombre);
}

ArgumentosDestinatarios AnalizarDestinatariosLinea(const QString &linea)
{
    ArgumentosDestinatarios a;
    for (qsizetype i = 0; i + 3 <= linea.size(); ++i) {
        if (linea.at(i) != QLatin1Char('/') || linea.at(i + 2) != QLatin1Char(':'))
            continue;
        const QChar letra = linea.at(i + 1).toLower();
        if (letra != QLatin1Char('c') && letra != QLatin1Char('g'))
            continue;
        i += 3;
        QString nombre;
        if (nombreEntreComillas(linea, i, &nombre) != ArgumentoContacto::Nombre) {
            a.sintaxisInvalida = true;
            a.contactos.clear();
            a.grupos.clear();
            return a;
        }
        (letra == QLatin1Char('c') ? a.contactos : a.grupos).append(nombre);
    }
    return a;
}

QString MensajeSintaxisGrupoLineaDeComandos()
{
    return QStringLiteral("Los argumentos c: y g: de la línea de comandos tienen una sintaxis no válida. Use comillas "
                          "para encerrar el nombre de cada contacto y de cada grupo.");
}

QString MensajeSintaxisLineaDeComandos()
{
    return QStringLiteral("El argumento c: de la línea de comandos tiene una sintaxis no válida. Use comillas "
                          "para encerrar el nombre del contacto.");
}

} // namespace Agenda

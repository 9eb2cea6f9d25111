#include "historial/exportarhistorial.h"

#include <QSaveFile>

namespace exportar_historial {

QString CampoCsv(const QString &texto)
{
    bool comillas = false;
    for (const QChar c : texto) {
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            comillas = true;
            break;
        }
    }
    if (!comillas)
        return texto;
    QString r = texto;
    r.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + r + QLatin1Char('"');
}

QByteArray Csv(const almacen_historial::HistorialIndexado &historial, const QList<int> &registros)
{
    QString texto;
    texto.reserve(registros.size() * 100 + 64);
    texto += QStringLiteral("Fecha y hora,Destinatario,Número,Remitente,Proveedor,Mensaje\r\n");
    for (const int i : registros) {
        if (i < 0 || i >= historial.size())
            continue;
        const RegistroHistorial r = historial.registro(i);
        texto += r.fecha.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
        for (const QString *campo : {&r.destinatario, &r.destino, &r.remitente, &r.proveedor, &r.mensaje}) {
            texto += QLatin1Char(',');
            texto += CampoCsv(*campo);
        }
        texto += QLatin1String("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + texto.toUtf8();
}

bool EscribirCsv(const QString &ruta, const almacen_historial::HistorialIndexado &historial,
                 const QList<int> &registros, QString *error)
{
    QSaveFile archivo(ruta);
    const QByteArray datos = Csv(historial, registros);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(datos) != datos.size() || !archivo.commit()) {
        if (error)
            *error = archivo.errorString();
        return false;
    }
    return true;
}

} // namespace exportar_historial

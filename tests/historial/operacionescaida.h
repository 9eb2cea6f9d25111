// The operations of the crash test, shared by the test and its helper process.
#pragma once

#include "historial/almacenhistorial.h"

namespace caida {

constexpr int TamanoLargo = 4 * 1024 * 1024;

inline bool esLarga(int i)
{
    return i % 32 == 5;
}

struct Operacion
{
    int borrar = 0;  // 1-based position to delete, or 0 to append
    QString mensaje; // what is appended: its first word identifies it
};

// Every eighth operation deletes a record spread over the store; the sixth of
// every 32 is a long message (one write of 4 MB, long enough for a kill to cut).
inline Operacion operacion(int ronda, int i, qsizetype cantidad)
{
    Operacion op;
    if (i % 8 == 7 && cantidad > 0) {
        op.borrar = int(1 + (qint64(ronda) * 7919 + qint64(i) * 104729) % cantidad);
        return op;
    }
    op.mensaje = QStringLiteral("r%1-%2").arg(ronda).arg(i);
    if (esLarga(i)) {
        op.mensaje += QLatin1Char(' ') + QString(TamanoLargo, QLatin1Char('x'));
    }
    return op;
}

inline RegistroHistorial registro(const QString &mensaje)
{
    RegistroHistorial r;
    r.fecha = QDateTime(QDate(2013, 1, 1), QTime(12, 0));
    r.destinatario = QStringLiteral("Contacto");
    r.destino = QStringLiteral("011 45678901");
    r.remitente = QStringLiteral("Ana");
    r.mensaje = mensaje;
    r.proveedor = QStringLiteral("Argentina - Personal");
    return r;
}

inline QString identificador(const QString &mensaje)
{
    return mensaje.section(QLatin1Char(' '), 0, 0);
}

} // namespace caida

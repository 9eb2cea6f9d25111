// Sample data the benchmarks share: history records and a whole store's bytes, and
// an address book of numbered contacts.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "agenda/registrocontacto.h"
#include "comun/claves.h"
#include "historial/almacenhistorial.h"
#include "plataforma/ajustes.h"

inline RegistroHistorial registroDeEjemplo(int i)
{
    RegistroHistorial r;
    r.fecha = QDateTime(QDate(2012, 11, 19), QTime(0, 0)).addSecs(i * 37);
    r.destinatario = QStringLiteral("Contacto número ") + QString::number(i % 500);
    r.destino = QStringLiteral("011 4") + QString::number(1000000 + i);
    r.remitente = QStringLiteral("Ana");
    r.mensaje = (i % 7 == 0) ? QStringLiteral("Hola, ¿cómo estás?\r\nNos vemos mañana a las 8 en la plaza.")
                             : QStringLiteral("te espero a las 9 en la esquina, no llegues tarde q hay q ir al banco");
    r.proveedor = QStringLiteral("Argentina - Personal");
    return r;
}

// A history store's file with `registros` records, in one piece (much faster than appends).
inline QByteArray almacenDeEjemplo(int registros)
{
    QByteArray todo = "NTXHistorial1.0\r\n";
    for (int i = 0; i < registros; ++i)
        todo += almacen_historial::lineaRegistro(registroDeEjemplo(i)) + "\r\n";
    return todo;
}

// Contacts "Contacto 0" … of Personal, area code 351, numbers from 4000000.
inline void llenarAgenda(Ajustes &ajustes, int cantidad)
{
    for (int i = 0; i < cantidad; ++i) {
        const QString nombre = QStringLiteral("Contacto %1").arg(i);
        QString registro;
        Agenda::EscribirRegistro(
            {nombre, QStringLiteral("Argentina - Personal"), QStringLiteral("351"), QString::number(4000000 + i)},
            &registro, nullptr);
        ajustes.escribir(SeccionAgenda, nombre, registro);
    }
}

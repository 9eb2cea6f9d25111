// Decoding of what the simulated gateways receive. The client sends
// Windows-1252 bytes, percent-encoded, with "+" for a blank; the simulator
// reads them back on its own, without any of the client's encoding code.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Windows-1252 bytes to text (0x80-0x9F hold the typographic characters;
// the five unassigned codes map to the control character of the same value).
QString textoDesdeWindows1252(const QByteArray &bytes);

// "+" becomes a blank and "%XX" the byte XX; a "%" not followed by two hex
// digits is kept as it is.
QByteArray bytesDesdePorcentaje(const QByteArray &valor);

struct CampoFormulario
{
    QByteArray nombreCrudo;
    QByteArray valorCrudo;
    QString nombre;
    QString valor;
};

// Splits "a=1&b=2" in order (empty pieces are skipped; a piece without "="
// gives an empty value). Names and values are decoded as Windows-1252.
QList<CampoFormulario> camposDeFormulario(const QByteArray &consulta);

// First field with that name; false when absent.
bool buscarCampo(const QList<CampoFormulario> &campos, const QString &nombre, QString *valor);

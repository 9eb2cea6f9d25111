// The "/c:" contact argument of the command line, from the client's own start or
// handed over by a second start.
#pragma once

#include <QString>
#include <QStringList>

namespace Agenda {

constexpr int LargoMaximoNombreLinea = 64;

enum class ArgumentoContacto {
    Ninguno,         // no "/c:" in the line
    Nombre,          // a well-formed quoted name
    SintaxisInvalida // no opening quote, no closing quote within 64 characters, or an empty name
};

// Looks at the first "/c:" (any case) only.
ArgumentoContacto AnalizarLineaDeComandos(const QString &linea, QString *nombre);

QString MensajeSintaxisLineaDeComandos();

// Every "/c:" contact and "/g:" group argument of the line (any case), in order,
// each with its name in double quotes as the single "/c:" takes it.
struct ArgumentosDestinatarios
{
    QStringList contactos;
    QStringList grupos;
    bool sintaxisInvalida = false; // one of them is malformed: nothing is taken
    // Several recipients or a group; one "/c:" alone goes the single way.
    bool varios() const { return !sintaxisInvalida && (contactos.size() + grupos.size() > 1 || !grupos.isEmpty()); }
};
ArgumentosDestinatarios AnalizarDestinatariosLinea(const QString &linea);

QString MensajeSintaxisGrupoLineaDeComandos();

} // namespace Agenda

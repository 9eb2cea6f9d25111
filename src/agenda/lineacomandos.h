// The "/c:" contact argument of the command line, from the client's own start or
// handed over by a second start.
#pragma once

#include <QString>

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

} // namespace Agenda

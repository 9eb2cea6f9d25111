// The user's abbreviations in the settings store (section "Abreviaturas1.0"):
// reading the list in store order, the checks of the entry dialog and saving.
#pragma once

#include <QString>

#include "comun/claves.h"

#include "mejoras/pasadatexto.h"

class Ajustes;

inline constexpr qsizetype LargoMaximoPalabra = 25;
inline constexpr qsizetype LargoMaximoReemplazo = 140;

// Every stored pair, in the store's order; empty when the section has none.
ParesAbreviatura LeerTablaAbreviaturas(const Ajustes &ajustes);

enum class ProblemaAbreviatura {
    Ninguno,
    PalabraVacia,   // focus to the word box
    PalabraCorta,   // focus to the word box, first character selected
    ReemplazoVacio, // focus to the replacement box
    PalabraLarga,
    ReemplazoLargo,
    ConComillas, // the file format cannot carry a double quote
    PalabraConSalto,
};

// The checks of the entry dialog, in their order.
ProblemaAbreviatura ValidarAbreviatura(const QString &palabra, const QString &reemplazo);
// The message shown for a failed check; empty for Ninguno.
QString MensajeProblemaAbreviatura(ProblemaAbreviatura problema);

// Saves (trimmed word, replacement with CR LF breaks); a word stored in any
// letter case is replaced.
bool GuardarAbreviatura(Ajustes &ajustes, const QString &palabra, const QString &reemplazo);

// Saves many pairs as GuardarAbreviatura does, in one write to the store when
// it takes them all; otherwise pair by pair, so that what can be stored is.
// Returns how many could not be stored.
int GuardarAbreviaturas(Ajustes &ajustes, const ParesAbreviatura &pares);

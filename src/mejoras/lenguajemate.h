// LenguajeMate: the built-in phone shorthand. An ordered table of rules, each
// rewriting the end of the message when its last characters (lower-cased) equal
// one of the rule's match strings.
#pragma once

#include <QString>
#include <QStringList>

struct ReglaLenguajeMate
{
    int largo; // characters compared at the end of the text
    QStringList coincidencias;
    QString reemplazo;
};

// The 31 rules in the order they are tried: longer tails first.
const QList<ReglaLenguajeMate> &ReglasLenguajeMate();

// One rule pass: applies the first rule whose tail matches and returns true,
// or leaves `texto` untouched and returns false.
bool AplicarLenguajeMate(QString &texto);

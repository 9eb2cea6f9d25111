// The text-change pass of the message box without the window: the user's
// abbreviations, the repetition of rewrites up to a fixed point, the character
// count and the message box's length limit. The text is handled with CR LF at
// each line break.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

using ParesAbreviatura = QList<QPair<QString, QString>>; // (word, replacement)

// The characters that end a word and let an abbreviation fire.
bool EsDelimitadorAbreviatura(QChar c);

// One user-abbreviation step: when the text ends in a delimiter and the word of
// a pair stands right before it (after a blank, a line feed or at the start of
// the text), the first such pair is replaced. True when the text was rewritten.
bool AplicarAbreviaturas(const ParesAbreviatura &tabla, QString &texto);

// The message box holds at most this many characters.
inline constexpr qsizetype LargoMaximoMensaje = 400;

struct OpcionesPasada
{
    bool lenguajeMate = false;
    bool abreviaturas = false; // the switch on and the list loaded
    const ParesAbreviatura *tabla = nullptr;
    qsizetype largoMaximo = LargoMaximoMensaje; // a rewrite never takes the text past this length
};

// Applies the first applicable rule (LenguajeMate first, then the user pairs)
// until none applies, a rewrite changes nothing, a rewrite would exceed the
// length limit, or the bound of rewrites that do not shorten the text is
// reached (a pair that maps to itself or two pairs that turn into each other
// cannot hang the program). Shortening rewrites always end and are not bounded.
// Returns the number of rewrites.
int ProcesarTexto(QString &texto, const OpcionesPasada &opciones);

inline constexpr int LimiteReescrituras = 100;

// Line breaks as CR LF, whatever mix of CR, LF and CR LF came in.
QString ConSaltosCrLf(const QString &texto);
// Line breaks as a single LF, as a plain text widget keeps them.
QString ConSaltosLf(const QString &texto);

// Sender plus message, each character one; the message must have CR LF breaks.
qsizetype ContarCaracteres(const QString &remitente, const QString &mensajeCrLf);
// A number as the counter shows it: a leading blank where a sign would go.
QString NumeroConSigno(qint64 numero);

// The edit that turned `anterior` into `nuevo`, with the inserted part cut so
// that the result has at most `maximo` characters. A text already within the
// limit is returned unchanged.
QString LimitarEdicion(const QString &anterior, const QString &nuevo, qsizetype maximo);

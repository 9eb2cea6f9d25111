// Ready-made texts that the composer appends to the message: emoticons, text
// pictures, greetings and signatures, and how their entries are shown in the
// menus and in the preferences lists.
#pragma once

#include <QList>
#include <QString>

enum class GrupoEmoticon { Caras, Caritas, Cosas };

struct EmoticonAgregado
{
    GrupoEmoticon grupo;
    QString nombre; // the menu item's name, e.g. "mnuCaraFeliz"
    QString titulo; // shown as is, leading blanks included
    QString texto;  // appended
};

struct ImagenAgregada
{
    QString titulo;
    QString codigo; // CR LF between the lines of a picture of several
};

// In menu order.
const QList<EmoticonAgregado> &EmoticonesAgregados();
const QList<ImagenAgregada> &ImagenesAgregadas();

inline constexpr int RanurasSaludosYFirmas = 10;
// Characters of a greeting or signature shown in its menu entry.
inline constexpr qsizetype LargoTituloSaludo = 30;
// Characters shown in the preferences lists.
inline constexpr qsizetype LargoMostradoSaludo = 25;
inline constexpr qsizetype LargoMostradoRemitente = 22;
// What the preferences let the user type.
inline constexpr qsizetype LargoMaximoSaludo = 100;
inline constexpr qsizetype LargoMaximoRemitente = 22;

inline const QString TextoRanuraVacia = QStringLiteral("(Vacío)");

// The message after appending; `mensaje` and the result have CR LF breaks.
QString AgregarEmoticon(const QString &mensaje, const EmoticonAgregado &emoticon);
// Four line breaks, then the picture. An index out of range changes nothing.
QString AgregarImagen(const QString &mensaje, int indice);
QString AgregarSaludo(const QString &mensaje, const QString &saludo);
QString AgregarFirma(const QString &mensaje, const QString &firma);

// A slot's text as a list or menu shows it: "(Vacío)" when empty, the first
// `largo` characters and "..." when longer, else the text itself.
QString TextoMostradoRanura(const QString &texto, qsizetype largo);

// A text made fit for one line of a menu or list: line breaks, tabs and other
// control characters become blanks.
QString TextoDeUnaLinea(const QString &texto);

// The notice after a picture is inserted, three paragraphs.
QString TextoAvisoImagen();

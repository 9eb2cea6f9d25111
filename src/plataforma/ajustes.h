// The per-user settings store of both programs (application "NTX"): sections of
// text values, keys compared without regard to case.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

using ParesAjustes = QList<QPair<QString, QString>>;

class Ajustes
{
public:
    virtual ~Ajustes() = default;

    // The stored text, or `defecto` when the key or the section is missing.
    virtual QString leer(const QString &seccion, const QString &clave, const QString &defecto = {}) const = 0;
    // Creates section and key when needed; a key stored in another case is replaced, spelling included.
    virtual bool escribir(const QString &seccion, const QString &clave, const QString &valor) = 0;
    // A missing key is an error: false, with `error` filled.
    // Several values of one section in one go. False when any was not written; a
    // store with transactions then wrote none of them.
    virtual bool escribirVarios(const QString &seccion, const ParesAjustes &pares);
    virtual bool borrarClave(const QString &seccion, const QString &clave, QString *error = nullptr) = 0;
    virtual bool borrarSeccion(const QString &seccion) = 0;
    // Pairs in creation order (a rewritten value keeps its place); empty for a section never written.
    virtual ParesAjustes enumerar(const QString &seccion) const = 0;
    // As enumerar, but tells a store that could not be read (false) from an empty section.
    virtual bool enumerarConEstado(const QString &seccion, ParesAjustes *pares) const
    {
        *pares = enumerar(seccion);
        return true;
    }

    // Booleans are stored as "True"/"False". A text that is no Boolean word is a
    // conversion error: `ok` becomes false and the default is returned.
    bool leerBooleano(const QString &seccion, const QString &clave, bool defecto, bool *ok = nullptr) const;
    bool escribirBooleano(const QString &seccion, const QString &clave, bool valor);

    // Boolean words as the store writes and reads them; shared with anything that parses them.
    static bool textoABooleano(const QString &texto, bool *ok);
    static QString booleanoATexto(bool valor);

    // The form in which keys and sections are compared: full Unicode case folding of
    // the canonical form, so "ÑANDÚ" and "ñandú" (composed or not) are one key.
    static QString plegar(const QString &texto);
};

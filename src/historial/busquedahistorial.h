// Finding messages in the history as the user types: a record matches when every
// word of the search is in its recipient, destination, message, sender or
// provider, ignoring accents and case ("cafe" finds "Café").
#pragma once

#include <QList>
#include <QString>

#include "historial/almacenhistorial.h"

namespace busqueda_historial {

// The form both sides are compared in: without accents, case folded.
QString plegar(const QString &texto);

class IndiceBusqueda
{
public:
    // One folded text per record, made once: a keystroke then only searches.
    void construir(const almacen_historial::HistorialIndexado &historial);
    bool construido() const { return construido_; }
    qsizetype size() const { return inicios_.size(); }

    // Records (0-based, ascending) that match `consulta`; all of them for a blank
    // search. `entre` (ascending), when given, limits the search to those records:
    // the matches of `yaBuscada`, a search that this one extends; its words are
    // not looked for again.
    QList<int> buscar(const QString &consulta, const QList<int> *entre = nullptr, const QString &yaBuscada = {}) const;

    // Whether a search for `nueva` can only narrow the matches of `anterior`.
    static bool estrecha(const QString &anterior, const QString &nueva);

private:
    QString textos_;           // every record's folded text, each followed by a separator
    QList<qsizetype> inicios_; // where record i starts in textos_
    bool construido_ = false;
};

} // namespace busqueda_historial

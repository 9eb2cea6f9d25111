// The remote configuration read from the maker's site: the tail text, the six
// directive lists and the two scroll offsets of the Personal page. Held by the
// application context; Comando fills it, Envio reads it.
#pragma once

#include <QString>
#include <QStringList>

struct ConfiguracionRemota
{
    // False until the first parse of the run: the lists do not exist yet and
    // every check that walks them is skipped.
    bool cargada = false;
    QString cola;
    QString perx;
    QString pery;
    // 1-based: position 0 is always empty; a list with no entry holds one empty entry at 1.
    QStringList nblo;
    QStringList pblo;
    QStringList psin;
    QStringList rblo;
    QStringList mblo;
    QStringList pser;
};

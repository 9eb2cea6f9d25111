#include "comun/valornumerico.h"

#include <limits>

qint64 ValorNumerico(const QString &texto)
{
    qsizetype i = 0;
    while (i < texto.size() && (texto.at(i) == u' ' || texto.at(i) == u'\t'))
        ++i;
    bool negativo = false;
    if (i < texto.size() && (texto.at(i) == u'-' || texto.at(i) == u'+')) {
        negativo = texto.at(i) == u'-';
        ++i;
    }
    qint64 valor = 0;
    for (; i < texto.size() && texto.at(i) >= u'0' && texto.at(i) <= u'9'; ++i) {
        if (valor > (std::numeric_limits<qint64>::max() - 9) / 10)
            break;
        valor = valor * 10 + (texto.at(i).unicode() - u'0');
    }
    return negativo ? -valor : valor;
}

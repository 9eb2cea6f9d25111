#include "mejoras/pasadatexto.h"

#include "mejoras/lenguajemate.h"

bool EsDelimitadorAbreviatura(QChar c)
{
    return c == u' ' || c == u'.' || c == u',' || c == u';';
}

namespace {

// `texto` ends with `prefijo` + `palabra` + `fin`.
bool terminaCon(QStringView texto, QChar prefijo, bool conPrefijo, const QString &palabra, QChar fin)
{
    const qsizetype n = palabra.size() + 1 + (conPrefijo ? 1 : 0);
    if (texto.size() < n)
        return false;
    const QStringView cola = texto.right(n);
    // Cheap rejections first: most pairs differ in the last letter of the word.
    if (cola.back() != fin || cola.at(n - 2) != palabra.back())
        return false;
    if (conPrefijo && cola.front() != prefijo)
        return false;
    return cola.mid(conPrefijo ? 1 : 0, palabra.size()) == palabra;
}

} // namespace

bool AplicarAbreviaturas(const ParesAbreviatura &tabla, QString &texto)
{
    if (texto.isEmpty())
        return false;
    const QChar d = texto.back();
    if (!EsDelimitadorAbreviatura(d))
        return false;
    for (const auto &par : tabla) {
        const QString &palabra = par.first;
        if (palabra.isEmpty())
            continue;
        // Search string: blank + word + delimiter.
        const qsizetype n = palabra.size() + 2;
        qsizetype quitar = 0;
        QString puesto;
        if (texto.size() <= n) {
            // The word opens the message: no blank before it (a message that is
            // blank + word + delimiter is left alone).
            if (texto.size() != n - 1 || !terminaCon(texto, QChar(), false, palabra, d))
                continue;
            quitar = n - 1;
            puesto = par.second + d;
        } else if (texto.at(texto.size() - n) == u'\n') {
            // The word opens a line.
            if (!terminaCon(texto, u'\n', true, palabra, d))
                continue;
            quitar = n;
            puesto = u'\n' + par.second + d;
        } else {
            if (!terminaCon(texto, u' ', true, palabra, d))
                continue;
            quitar = n;
            puesto = u' ' + par.second + d;
        }
        texto.chop(quitar);
        texto += puesto;
        return true;
    }
    return false;
}

int ProcesarTexto(QString &texto, const OpcionesPasada &opciones)
{
    const bool conAbreviaturas = opciones.abreviaturas && opciones.tabla && !opciones.tabla->isEmpty();
    int reescrituras = 0;
    // Only rewrites that do not shorten the text can cycle or grow (a user's
    // pairs); a shortening one always ends, so it is never cut short.
    int sinAcortar = 0;
    for (;;) {
        QString nuevo = texto;
        bool aplicada = opciones.lenguajeMate && AplicarLenguajeMate(nuevo);
        if (!aplicada && conAbreviaturas)
            aplicada = AplicarAbreviaturas(*opciones.tabla, nuevo);
        if (!aplicada || nuevo == texto)
            break;
        if (nuevo.size() > opciones.largoMaximo && nuevo.size() > texto.size())
            break;
        if (nuevo.size() >= texto.size()) {
            if (sinAcortar == LimiteReescrituras)
                break;
            ++sinAcortar;
        }
        texto = std::move(nuevo);
        ++reescrituras;
    }
    return reescrituras;
}

QString ConSaltosCrLf(const QString &texto)
{
    QString r = ConSaltosLf(texto);
    r.replace(u'\n', QStringLiteral("\r\n"));
    return r;
}

QString ConSaltosLf(const QString &texto)
{
    QString r = texto;
    r.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    r.replace(u'\r', u'\n');
    // A plain text widget may hand out paragraph and line separators.
    r.replace(QChar::ParagraphSeparator, u'\n');
    r.replace(QChar::LineSeparator, u'\n');
    return r;
}

qsizetype ContarCaracteres(const QString &remitente, const QString &mensajeCrLf)
{
    return remitente.size() + mensajeCrLf.size();
}

QString NumeroConSigno(qint64 numero)
{
    return numero < 0 ? QString::number(numero) : u' ' + QString::number(numero);
}

QString LimitarEdicion(const QString &anterior, const QString &nuevo, qsizetype maximo)
{
    if (nuevo.size() <= maximo)
        return nuevo;
    // The unchanged start and end around the edit.
    qsizetype inicio = 0;
    const qsizetype minimo = std::min(anterior.size(), nuevo.size());
    while (inicio < minimo && anterior.at(inicio) == nuevo.at(inicio))
        ++inicio;
    qsizetype fin = 0;
    while (fin < minimo - inicio && anterior.at(anterior.size() - 1 - fin) == nuevo.at(nuevo.size() - 1 - fin))
        ++fin;
    const QStringView antes = QStringView(nuevo).left(inicio);
    const QStringView despues = QStringView(nuevo).right(fin);
    const qsizetype cabe = std::max<qsizetype>(0, maximo - antes.size() - despues.size());
    QStringView insertado = QStringView(nuevo).mid(inicio, nuevo.size() - inicio - fin);
    // Never split a CR LF pair.
    if (cabe > 0 && cabe < insertado.size() && insertado.at(cabe - 1) == u'\r' && insertado.at(cabe) == u'\n')
        insertado = insertado.left(cabe - 1);
    else
        insertado = insertado.left(cabe);
    QString r = antes.toString() + insertado + despues;
    if (r.size() > maximo)
        r.truncate(maximo); // the text was over the limit before the edit
    return r;
}

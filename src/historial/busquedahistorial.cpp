#include "historial/busquedahistorial.h"

#include <QStringMatcher>

#include <algorithm>
#include <iterator>

namespace busqueda_historial {

namespace {

// Between fields and after each record: no word of a search holds it.
constexpr char16_t Separador = u'\x1f';

QStringList Palabras(const QString &consulta)
{
    return plegar(consulta).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

QString plegar(const QString &texto)
{
    bool ascii = true;
    for (const QChar c : texto) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    QString r;
    if (ascii) {
        r = texto.toLower();
    } else {
        const QString d = texto.normalized(QString::NormalizationForm_D);
        r.reserve(d.size());
        for (const QChar c : d) {
            if (c.category() != QChar::Mark_NonSpacing)
                r += c;
        }
        r = r.toCaseFolded();
    }
    // Line breaks and tabs of a message are blanks between its words.
    for (QChar &c : r) {
        if (c.unicode() < 32)
            c = QLatin1Char(' ');
    }
    return r;
}

void IndiceBusqueda::construir(const almacen_historial::HistorialIndexado &historial)
{
    using almacen_historial::CampoHistorial;
    textos_.clear();
    inicios_.clear();
    inicios_.reserve(historial.size());
    textos_.reserve(historial.size() * 96);
    for (qsizetype i = 0; i < historial.size(); ++i) {
        const RegistroHistorial r = historial.registro(i);
        inicios_.append(textos_.size());
        for (const QString *campo : {&r.destinatario, &r.destino, &r.mensaje, &r.remitente, &r.proveedor}) {
            textos_ += plegar(*campo);
            textos_ += QChar(Separador);
        }
    }
    construido_ = true;
}

QList<int> IndiceBusqueda::buscar(const QString &consulta, const QList<int> *entre, const QString &yaBuscada) const
{
    QStringList palabras = Palabras(consulta);
    if (entre) {
        // Every record of `entre` holds these already.
        for (const QString &vieja : Palabras(yaBuscada))
            palabras.removeOne(vieja);
    }
    const qsizetype n = inicios_.size();
    QList<int> resultado;
    if (palabras.isEmpty()) {
        if (entre)
            return *entre;
        resultado.resize(n);
        for (qsizetype i = 0; i < n; ++i)
            resultado[i] = int(i);
        return resultado;
    }
    if (entre && entre->size() * 8 > n) {
        // Among many records one pass through the whole text is faster than each record apart.
        const QList<int> amplio = buscar(palabras.join(QLatin1Char(' ')));
        std::set_intersection(entre->cbegin(), entre->cend(), amplio.cbegin(), amplio.cend(),
                              std::back_inserter(resultado));
        return resultado;
    }
    // The longest word rules out the most records: searched through the whole text at once.
    const QString &primera = *std::max_element(palabras.cbegin(), palabras.cend(),
                                               [](const QString &a, const QString &b) { return a.size() < b.size(); });
    QList<QStringMatcher> resto;
    for (const QString &p : palabras) {
        if (&p != &primera)
            resto.append(QStringMatcher(p));
    }
    const auto fin = [this, n](qsizetype i) { return i + 1 < n ? inicios_.at(i + 1) : textos_.size(); };
    const auto conResto = [&](qsizetype i) {
        const QStringView registro = QStringView(textos_).mid(inicios_.at(i), fin(i) - inicios_.at(i));
        for (const QStringMatcher &m : resto) {
            if (m.indexIn(registro) < 0)
                return false;
        }
        return true;
    };
    const QStringMatcher buscador(primera);
    if (entre) {
        for (const int i : *entre) {
            if (i < 0 || i >= n)
                continue;
            const QStringView registro = QStringView(textos_).mid(inicios_.at(i), fin(i) - inicios_.at(i));
            if (buscador.indexIn(registro) >= 0 && conResto(i))
                resultado.append(i);
        }
        return resultado;
    }
    qsizetype registro = 0;
    for (qsizetype p = buscador.indexIn(textos_, 0); p >= 0;) {
        // The record that holds this hit: the last one that starts at or before it.
        while (registro + 1 < n && inicios_.at(registro + 1) <= p)
            ++registro;
        if (conResto(registro))
            resultado.append(int(registro));
        // The next record: one hit per record is enough.
        if (registro + 1 >= n)
            break;
        p = buscador.indexIn(textos_, inicios_.at(registro + 1));
    }
    return resultado;
}

bool IndiceBusqueda::estrecha(const QString &anterior, const QString &nueva)
{
    const QString a = plegar(anterior).simplified();
    const QString b = plegar(nueva).simplified();
    return !a.isEmpty() && b.startsWith(a);
}

} // namespace busqueda_historial

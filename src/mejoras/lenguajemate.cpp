#include "mejoras/lenguajemate.h"

namespace {

QList<ReglaLenguajeMate> crearReglas()
{
    const auto r = [](int largo, std::initializer_list<const char16_t *> coinc, const char16_t *reemplazo) {
        QStringList lista;
        for (const char16_t *c : coinc)
            lista << QString::fromUtf16(c);
        return ReglaLenguajeMate{largo, lista, QString::fromUtf16(reemplazo)};
    };
    return {
        r(10, {u"t.a. mucho"}, u"TAM"),
        r(8, {u"tq mucho"}, u"TQM"),
        r(7, {u"tambien", u"también", u"tanbien", u"tanbién", u"tambiem", u"tambiém"}, u"tb"),
        r(7, {u"t kiero"}, u"TQ"),
        // Blanks on both sides keep the neighbouring words apart.
        r(7, {u" adios ", u" adiós ", u" adíos "}, u" chau "),
        r(6, {u"cuatro"}, u"4"),
        r(6, {u"estaba"}, u"staba"),
        r(5, {u"cinco"}, u"5"),
        r(5, {u"siete"}, u"7"),
        r(5, {u"nueve"}, u"9"),
        r(5, {u"t amo"}, u"T.A."),
        r(5, {u"estoy"}, u"toy"),
        r(5, {u"estan"}, u"tan"),
        r(4, {u"tres", u"trés"}, u"3"),
        r(4, {u"seis", u"seís", u"séis"}, u"6"),
        r(4, {u"ocho"}, u"8"),
        r(4, {u"diez", u"dies"}, u"10"),
        r(3, {u"que", u"qué", u"qeu", u"uqe"}, u"q"),
        r(3, {u"qui", u"quí"}, u"ki"),
        r(3, {u"por", u"pór"}, u"x"),
        r(3, {u"dos", u"dós"}, u"2"),
        r(3, {u"un ", u"ún "}, u"1 "),
        r(3, {u"una", u"uno"}, u"1"),
        r(2, {u"de", u"dé"}, u"d"),
        r(2, {u"ca", u"cá"}, u"k"),
        r(2, {u"be", u"bé"}, u"b"),
        r(2, {u"ge", u"gé"}, u"g"),
        r(2, {u"ka", u"ká"}, u"k"),
        r(2, {u"pe", u"pé"}, u"p"),
        r(2, {u"te", u"té"}, u"t"),
        r(2, {u"ve", u"vé"}, u"v"),
    };
}

} // namespace

const QList<ReglaLenguajeMate> &ReglasLenguajeMate()
{
    static const QList<ReglaLenguajeMate> reglas = crearReglas();
    return reglas;
}

namespace {

// The end of `texto`, lower-cased one character at a time, equals `patron`.
bool colaIgual(const QString &texto, const QString &patron)
{
    const qsizetype desde = texto.size() - patron.size();
    for (qsizetype i = 0; i < patron.size(); ++i) {
        if (texto.at(desde + i).toLower() != patron.at(i))
            return false;
    }
    return true;
}

} // namespace

bool AplicarLenguajeMate(QString &texto)
{
    for (const ReglaLenguajeMate &regla : ReglasLenguajeMate()) {
        if (texto.size() < regla.largo)
            continue;
        for (const QString &c : regla.coincidencias) {
            if (colaIgual(texto, c)) {
                texto.chop(regla.largo);
                texto += regla.reemplazo;
                return true;
            }
        }
    }
    return false;
}

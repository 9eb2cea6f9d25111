#include "envio/codificacion.h"

#include "plataforma/archivotexto.h"

namespace {

struct Reemplazo
{
    const char16_t *caracteres;
    const char *texto;
};

// The first row holding the character wins.
constexpr Reemplazo kTablaURL[] = {
    {u" ", "+"},    {u"\n", "%0A"}, {u"\r", "%0D"},      {u"+", "%2B"},  {u"!", "%21"},  {u"áà", "%E1"},
    {u"éè", "%E9"}, {u"íì", "%ED"}, {u"óò", "%F3"},      {u"úù", "%FA"}, {u"ÁÀ", "%C1"}, {u"ÉÈ", "%C9"},
    {u"ÍÌ", "%CD"}, {u"ÓÒ", "%D3"}, {u"ÚÙ", "%DA"},      {u"#", "%23"},  {u"$", "%24"},  {u"(", "%28"},
    {u")", "%29"},  {u"º", "%BA"},  {u"ª", "%AA"},       {u"¬", "%AC"},  {u"|", "%7C"},  {u"%", "%25"},
    {u"/", "%2F"},  {u"\\", "%5C"}, {u"€", "%E2%82%AC"}, {u"[", "%5B"},  {u"]", "%5D"},  {u"^", "%5E"},
    {u"{", "%7B"},  {u"}", "%7D"},  {u"¡", "%A1"},       {u"¿", "%BF"},  {u"?", "%3F"},  {u"&", "%26"},
    {u"=", "%3D"},  {u";", "%3B"},  {u",", "%2C"},       {u">", "%3E"},  {u"<", "%3C"},  {u"'´`", "%27"},
    {u"\"", "%22"}, {u":", "%3A"},
};

constexpr Reemplazo kTablaSinAcentos[] = {
    {u" ", "+"},
    {u"\n", "%0A"},
    {u"\r", "%0D"},
    {u"+", "%2B"},
    {u"!", "%21"},
    {u"?", "%3F"},
    {u"(", "%28"},
    {u")", "%29"},
    {u",", "%2C"},
    {u";", "%2C"},
    {u"\"", "%22"},
    {u":", "%3A"},
    {u"áàä", "a"},
    {u"éèë", "e"},
    {u"íìï", "i"},
    {u"óòö", "o"},
    {u"úùü", "u"},
    {u"ÁÀÄ", "A"},
    {u"ÉÈË", "E"},
    {u"ÍÌÏ", "I"},
    {u"ÓÒÖ", "O"},
    {u"ÚÙÜ", "U"},
    {u"#$ºª¬|%/\\€[]^{}¡¿&=><'´`", "%3F"},
};

template <size_t N> void codificar(QString &texto, const Reemplazo (&tabla)[N])
{
    QString salida;
    salida.reserve(texto.size() * 3);
    for (const QChar c : std::as_const(texto)) {
        const char *reemplazo = nullptr;
        for (const Reemplazo &fila : tabla) {
            for (const char16_t *p = fila.caracteres; *p; ++p) {
                if (*p == c.unicode()) {
                    reemplazo = fila.texto;
                    break;
                }
            }
            if (reemplazo)
                break;
        }
        if (reemplazo)
            salida += QLatin1String(reemplazo);
        else
            salida += c;
    }
    texto = salida;
}

} // namespace

void CodificarURL(QString &texto)
{
    codificar(texto, kTablaURL);
}

void CodificarURLSinAcentos(QString &texto)
{
    codificar(texto, kTablaSinAcentos);
}

QByteArray TextoABytes(const QString &texto)
{
    return Windows1252::codificar(texto);
}

QString DireccionEnBytes(const QString &direccion)
{
    static const char kHex[] = "0123456789ABCDEF";
    QString salida;
    const QByteArray bytes = TextoABytes(direccion);
    salida.reserve(bytes.size() * 2);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b > 0x7E || b <= 0x20) {
            salida += QLatin1Char('%');
            salida += QLatin1Char(kHex[b >> 4]);
            salida += QLatin1Char(kHex[b & 0xF]);
        } else {
            salida += QLatin1Char(static_cast<char>(b));
        }
    }
    return salida;
}

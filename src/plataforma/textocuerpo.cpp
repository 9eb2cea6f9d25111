#include "plataforma/textocuerpo.h"

#include <QRegularExpression>
#include <QStringDecoder>

QString DecodificarPagina(const QByteArray &datos, const QByteArray &tipoContenido)
{
    const qsizetype p = tipoContenido.toLower().indexOf("charset=");
    if (p >= 0) {
        QByteArray nombre = tipoContenido.mid(p + 8);
        const qsizetype fin = nombre.indexOf(';');
        if (fin >= 0)
            nombre.truncate(fin);
        nombre = nombre.trimmed();
        if (nombre.startsWith('"') && nombre.endsWith('"') && nombre.size() >= 2)
            nombre = nombre.mid(1, nombre.size() - 2);
        QStringDecoder decodificador(nombre.constData());
        if (decodificador.isValid())
            return decodificador.decode(datos);
    }
    QStringDecoder decodificador = QStringDecoder::decoderForHtml(datos);
    if (!decodificador.isValid())
        return QString::fromUtf8(datos);
    return decodificador.decode(datos);
}

namespace {

QString Entidad(const QString &nombre)
{
    if (nombre.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint codigo = nombre.startsWith(QLatin1String("#x"), Qt::CaseInsensitive) ? nombre.mid(2).toUInt(&ok, 16)
                                                                                        : nombre.mid(1).toUInt(&ok, 10);
        if (!ok || codigo == 0 || codigo > 0x10FFFF || (codigo >= 0xD800 && codigo <= 0xDFFF))
            return QString(QChar(0xFFFD));
        const char32_t c = codigo;
        return QString::fromUcs4(&c, 1);
    }
    static const struct
    {
        const char *nombre;
        char16_t valor;
    } conocidas[] = {{"amp", u'&'}, {"lt", u'<'}, {"gt", u'>'}, {"quot", u'"'}, {"apos", u'\''}, {"nbsp", 0xA0}};
    for (const auto &e : conocidas) {
        if (nombre == QLatin1String(e.nombre))
            return QString(QChar(e.valor));
    }
    return {};
}

QString DecodificarEntidades(const QString &texto)
{
    static const QRegularExpression entidad(QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|[a-zA-Z]+);"));
    QString resultado;
    qsizetype desde = 0;
    for (auto it = entidad.globalMatch(texto); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString valor = Entidad(m.captured(1));
        if (valor.isEmpty())
            continue;
        resultado += QStringView(texto).mid(desde, m.capturedStart() - desde);
        resultado += valor;
        desde = m.capturedEnd();
    }
    resultado += QStringView(texto).mid(desde);
    return resultado;
}

} // namespace

QString TextoCuerpo(const QString &html)
{
    static const QRegularExpression apertura(QStringLiteral("<body\\b([^>]*)>"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression cierre(QStringLiteral("</body\\s*>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression sinTexto(
        QStringLiteral("<!--.*?-->|<(script|style|head|title)\\b[^>]*>.*?</\\1\\s*>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression salto(QStringLiteral("<br\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression etiqueta(QStringLiteral("<[^>]*>"));
    static const QRegularExpression preservado(QStringLiteral("white-space\\s*:\\s*pre"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression blancos(QStringLiteral("[ \\t\\r\\n\\f]+"));

    QString cuerpo = html;
    bool conservarBlancos = false;
    const QRegularExpressionMatch inicio = apertura.match(html);
    if (inicio.hasMatch()) {
        conservarBlancos = preservado.match(inicio.captured(1)).hasMatch();
        const QRegularExpressionMatch fin = cierre.match(html, inicio.capturedEnd());
        cuerpo = html.mid(inicio.capturedEnd(), fin.hasMatch() ? fin.capturedStart() - inicio.capturedEnd() : -1);
    }
    cuerpo.remove(sinTexto);
    // A private-use mark keeps each <br> through the collapse of blanks.
    const QChar marcaSalto(0xE000);
    cuerpo.replace(salto, QString(marcaSalto));
    cuerpo.remove(etiqueta);
    if (conservarBlancos) {
        // A line break right after the opening tag is not part of the text.
        if (cuerpo.startsWith(QLatin1Char('\n')))
            cuerpo.remove(0, 1);
        return DecodificarEntidades(cuerpo.replace(marcaSalto, QLatin1Char('\n')));
    }
    cuerpo.replace(blancos, QStringLiteral(" "));
    cuerpo.replace(QString(QLatin1Char(' ')) + marcaSalto, QString(marcaSalto));
    cuerpo.replace(QString(marcaSalto) + QLatin1Char(' '), QString(marcaSalto));
    return DecodificarEntidades(cuerpo.trimmed().replace(marcaSalto, QLatin1Char('\n')));
}

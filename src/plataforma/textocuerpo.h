// The text of a page's body as a browser gives it (document.body.innerText) for
// the plain pages the program reads without showing them: no layout, only tags
// dropped, entities decoded, line breaks and blanks as the body's style keeps them.
#pragma once

#include <QByteArray>
#include <QString>

// `tipoContenido` is the Content-Type header; its charset wins over the page's own.
QString DecodificarPagina(const QByteArray &datos, const QByteArray &tipoContenido);
QString TextoCuerpo(const QString &html);

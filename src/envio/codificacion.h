// Text encoders for the gateways' form fields, and the single-byte conversion
// of request texts.
#pragma once

#include <QByteArray>
#include <QString>

// Form encoding keeping accents as their single-byte codes ("á" -> "%E1").
void CodificarURL(QString &texto);
// Form encoding that drops accents ("á" -> "a") and turns symbols the Claro
// gateway cannot show into "%3F".
void CodificarURLSinAcentos(QString &texto);

// Windows-1252 bytes of `texto`; a character outside the code page becomes "?".
QByteArray TextoABytes(const QString &texto);

// An address ready for a GET: the text's Windows-1252 bytes with every byte
// above 127, every control byte and the blank written as %XX, so the request
// carries exactly these bytes whatever the view does with the address.
QString DireccionEnBytes(const QString &direccion);

// Reading a number out of a display box, shared by the composer and the sending code.
#pragma once

#include <QString>

// The value of a display box read as a number: leading blanks skipped, an
// optional sign, then digits up to the first other character; 0 when none.
qint64 ValorNumerico(const QString &texto);

// Qt's own Spanish texts (file dialogs, standard buttons, context menus of text
// boxes and web pages), from the translations installed with Qt.
#pragma once

#include <QStringList>

class QCoreApplication;

// Makes Spanish (Argentina) the default locale and installs the Spanish catalogues among `catalogos` ("qtbase",
// "qtwebengine"...) found in Qt's translations folder (or `carpeta` when given). Returns the ones loaded; a missing one
// leaves those texts in English and is not an error.
QStringList instalarTraduccionesQt(QCoreApplication &aplicacion, const QStringList &catalogos,
                                   const QString &carpeta = {});

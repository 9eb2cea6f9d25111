#include "plataforma/sistema.h"

#include <QFileInfo>
#include <QProcess>

bool LanzarArchivo(const QString &ruta, QString *error)
{
    const QFileInfo info(ruta);
    if (!info.isAbsolute() || !info.isFile() || !info.isExecutable()) {
        *error = QStringLiteral("El archivo «") + ruta + QStringLiteral("» no es un programa que se pueda iniciar.");
        return false;
    }
    // Its own folder as the working folder, as an installer started from the desktop gets.
    if (!QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath())) {
        *error = QStringLiteral("El sistema no pudo iniciar «") + ruta + QStringLiteral("».");
        return false;
    }
    error->clear();
    return true;
}

#include "plataforma/traduccionesqt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QStringList instalarTraduccionesQt(QCoreApplication &aplicacion, const QStringList &catalogos, const QString &carpeta)
{
    const QString dondeEstan = carpeta.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : carpeta;
    // The program speaks Spanish whatever the system's language: es_AR first, then es.
    const QLocale castellano(QLocale::Spanish, QLocale::Argentina);
    // Also what the web engine announces itself in (it takes its language from the default locale).
    QLocale::setDefault(castellano);
    QStringList cargados;
    for (const QString &catalogo : catalogos) {
        auto *traductor = new QTranslator(&aplicacion);
        if (traductor->load(castellano, catalogo, QStringLiteral("_"), dondeEstan) &&
            QCoreApplication::installTranslator(traductor)) {
            cargados.append(catalogo);
        } else {
            delete traductor;
        }
    }
    return cargados;
}

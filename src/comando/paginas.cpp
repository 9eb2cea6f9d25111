#include "comando/paginas.h"

#include <QUrl>

#include "plataforma/sistema.h"

QString PaginaLocal(const Sistema &sistema, const QString &nombre)
{
    return QStringLiteral("file://") + sistema.carpetaPrograma() + QStringLiteral("/logica/") + nombre;
}

QString PaginaSitio(const Direcciones &direcciones, const QString &ruta)
{
    return direcciones.sitio + ruta + QString::number(NTX_VERSION_MAYOR) + QLatin1Char('_') +
           QString::number(NTX_VERSION_MENOR);
}

bool EsArchivoLocal(const QString &direccion)
{
    return direccion.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

bool EsSitio(const Direcciones &direcciones, const QString &direccion)
{
    if (EsArchivoLocal(direccion))
        return false;
    if (direccion.contains(QLatin1String("varel"), Qt::CaseInsensitive) ||
        direccion.contains(QLatin1String("ntx"), Qt::CaseInsensitive))
        return true;
    const QUrl url(direccion);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    QString otro = url.host();
    if (url.port() > 0)
        otro += QLatin1Char(':') + QString::number(url.port());
    return otro.compare(Direcciones::hostYPuerto(direcciones.sitio), Qt::CaseInsensitive) == 0;
}

bool MismaPagina(const QString &a, const QString &b)
{
    return QUrl(a).adjusted(QUrl::NormalizePathSegments) == QUrl(b).adjusted(QUrl::NormalizePathSegments);
}

#include "plataforma/direcciones.h"

#include <QUrl>
#include <QtGlobal>

Direcciones Direcciones::predeterminadas()
{
    return {QStringLiteral("http://www.ntxvarel.com.ar"), QStringLiteral("http://sms2.personal.com.ar"),
            QStringLiteral("http://sms.claro.com.ar"), QStringLiteral("http://www.movilnet.com.ve")};
}

static QString baseDe(const char *variable, const QString &defecto)
{
    QString valor = qEnvironmentVariable(variable).trimmed();
    if (valor.isEmpty())
        return defecto;
    while (valor.endsWith(QLatin1Char('/')))
        valor.chop(1);
    if (!valor.contains(QLatin1String("://")))
        valor.prepend(QLatin1String("http://"));
    return valor;
}

Direcciones Direcciones::desdeEntorno()
{
    const Direcciones d = predeterminadas();
    return {baseDe("NTX_SITIO", d.sitio), baseDe("NTX_PERSONAL", d.personal), baseDe("NTX_CLARO", d.claro),
            baseDe("NTX_MOVILNET", d.movilnet)};
}

QString Direcciones::hostYPuerto(const QString &base)
{
    const QUrl url(base);
    if (url.port() > 0)
        return url.host() + QLatin1Char(':') + QString::number(url.port());
    return url.host();
}

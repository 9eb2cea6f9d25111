#include "comando/configuracionremota.h"

void LeerConfiguracion(ConfiguracionRemota &config, const QString &texto)
{
    ConfiguracionRemota nueva;
    nueva.cargada = true;
    const QStringList vacia{QString(), QString()};
    nueva.nblo = nueva.pblo = nueva.psin = nueva.rblo = nueva.mblo = nueva.pser = vacia;

    const QStringList entradas = texto.split(QLatin1Char(';'));
    for (const QString &entrada : entradas) {
        if (entrada.size() < 4)
            continue;
        const QString clave = entrada.left(4).toLower();
        const QString valor = entrada.mid(4);
        QStringList *lista = nullptr;
        if (clave == QLatin1String("cola"))
            nueva.cola = valor;
        else if (clave == QLatin1String("perx"))
            nueva.perx = valor;
        else if (clave == QLatin1String("pery"))
            nueva.pery = valor;
        else if (clave == QLatin1String("nblo"))
            lista = &nueva.nblo;
        else if (clave == QLatin1String("pblo"))
            lista = &nueva.pblo;
        else if (clave == QLatin1String("psin"))
            lista = &nueva.psin;
        else if (clave == QLatin1String("rblo"))
            lista = &nueva.rblo;
        else if (clave == QLatin1String("mblo"))
            lista = &nueva.mblo;
        else if (clave == QLatin1String("pser"))
            lista = &nueva.pser;
        if (!lista)
            continue;
        if ((*lista)[1].isEmpty())
            (*lista)[1] = valor;
        else
            lista->append(valor);
    }
    config = nueva;
}

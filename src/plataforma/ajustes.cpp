#include "plataforma/ajustes.h"

bool Ajustes::textoABooleano(const QString &texto, bool *ok)
{
    const QString t = texto.trimmed();
    bool esNumero = false;
    const double numero = t.toDouble(&esNumero);
    if (esNumero) {
        *ok = true;
        return numero != 0.0;
    }
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
        || t.compare(QLatin1String("Verdadero"), Qt::CaseInsensitive) == 0) {
        *ok = true;
        return true;
    }
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0
        || t.compare(QLatin1String("Falso"), Qt::CaseInsensitive) == 0) {
        *ok = true;
        return false;
    }
    *ok = false;
    return false;
}

QString Ajustes::booleanoATexto(bool valor)
{
    return valor ? QStringLiteral("True") : QStringLiteral("False");
}

bool Ajustes::leerBooleano(const QString &seccion, const QString &clave, bool defecto, bool *ok) const
{
    const QString marca = QStringLiteral("\x01sin-valor\x01");
    const QString texto = leer(seccion, clave, marca);
    if (texto == marca) {
        if (ok)
            *ok = true;
        return defecto;
    }
    bool convertido = false;
    const bool valor = textoABooleano(texto, &convertido);
    if (ok)
        *ok = convertido;
    return convertido ? valor : defecto;
}

bool Ajustes::escribirVarios(const QString &seccion, const ParesAjustes &pares)
{
    bool ok = true;
    for (const auto &par : pares)
        ok = escribir(seccion, par.first, par.second) && ok;
    return ok;
}

bool Ajustes::escribirBooleano(const QString &seccion, const QString &clave, bool valor)
{
    return escribir(seccion, clave, booleanoATexto(valor));
}

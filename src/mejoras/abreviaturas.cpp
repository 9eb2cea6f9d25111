#include "mejoras/abreviaturas.h"

#include "plataforma/ajustes.h"

ParesAbreviatura LeerTablaAbreviaturas(const Ajustes &ajustes)
{
    return ajustes.enumerar(SeccionAbreviaturas);
}

ProblemaAbreviatura ValidarAbreviatura(const QString &palabra, const QString &reemplazo)
{
    const QString p = palabra.trimmed();
    if (p.isEmpty())
        return ProblemaAbreviatura::PalabraVacia;
    if (p.size() == 1)
        return ProblemaAbreviatura::PalabraCorta;
    if (reemplazo.trimmed().isEmpty())
        return ProblemaAbreviatura::ReemplazoVacio;
    if (p.size() > LargoMaximoPalabra)
        return ProblemaAbreviatura::PalabraLarga;
    if (ConSaltosCrLf(reemplazo).size() > LargoMaximoReemplazo)
        return ProblemaAbreviatura::ReemplazoLargo;
    if (p.contains(u'\n') || p.contains(u'\r'))
        return ProblemaAbreviatura::PalabraConSalto;
    if (p.contains(u'"') || reemplazo.contains(u'"'))
        return ProblemaAbreviatura::ConComillas;
    return ProblemaAbreviatura::Ninguno;
}

QString MensajeProblemaAbreviatura(ProblemaAbreviatura problema)
{
    switch (problema) {
    case ProblemaAbreviatura::Ninguno:
        break;
    case ProblemaAbreviatura::PalabraVacia:
        return QStringLiteral("Debe escribir la palabra o combinación de letras que será reemplazada.");
    case ProblemaAbreviatura::PalabraCorta:
        return QStringLiteral("La palabra o combinación de letras que será reemplazada debe tener más de una "
                              "letra o símbolo.");
    case ProblemaAbreviatura::ReemplazoVacio:
        return QStringLiteral("Debe escribir el texto que reemplazará a la palabra o combinación de letras "
                              "elegida.");
    case ProblemaAbreviatura::PalabraLarga:
        return QStringLiteral("La palabra o combinación de letras que será reemplazada puede tener como máximo "
                              "25 caracteres.");
    case ProblemaAbreviatura::ReemplazoLargo:
        return QStringLiteral("El texto que reemplazará a la palabra puede tener como máximo 140 caracteres.");
    case ProblemaAbreviatura::ConComillas:
        return QStringLiteral("Las abreviaturas no pueden contener comillas dobles (\"), porque no se podrían "
                              "exportar ni importar correctamente.\r\n\r\n · Use un apóstrofo (') en su lugar.");
    case ProblemaAbreviatura::PalabraConSalto:
        return QStringLiteral("La palabra o combinación de letras que será reemplazada debe estar en una sola "
                              "línea.");
    }
    return {};
}

bool GuardarAbreviatura(Ajustes &ajustes, const QString &palabra, const QString &reemplazo)
{
    return ajustes.escribir(SeccionAbreviaturas, palabra.trimmed(), ConSaltosCrLf(reemplazo));
}

int GuardarAbreviaturas(Ajustes &ajustes, const ParesAbreviatura &pares)
{
    ParesAjustes normalizados;
    normalizados.reserve(pares.size());
    for (const auto &par : pares)
        normalizados.append({par.first.trimmed(), ConSaltosCrLf(par.second)});
    if (ajustes.escribirVarios(SeccionAbreviaturas, normalizados))
        return 0;
    int fallidas = 0;
    for (const auto &par : normalizados) {
        if (!ajustes.escribir(SeccionAbreviaturas, par.first, par.second))
            ++fallidas;
    }
    return fallidas;
}

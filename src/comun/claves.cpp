#include "comun/claves.h"

#include "plataforma/ajustes.h"

namespace {

struct DefinicionClave
{
    Clave clave;
    const char16_t *nombre;
    const char16_t *defecto;
};

constexpr DefinicionClave Tabla[] = {
    {Clave::LMate, u"LMate", u"False"},
    {Clave::Abreviaturas, u"Abreviaturas", u"False"},
    {Clave::PanelVisible, u"PanelVisible", u"Contactos"},
    {Clave::Historial, u"Historial", u"True"},
    {Clave::IconoNotificacion, u"IconoNotificacion", u"True"},
    {Clave::ConfirmaCobro, u"ConfirmaCobro", u"True"},
    {Clave::TTMostrado, u"TTMostrado", u""},
    {Clave::TipImagenesNoMas, u"TipImagenesNoMas", u"False"},
    {Clave::TipHistorialNoMas, u"TipHistorialNoMas", u"False"},
};

const DefinicionClave &definicion(Clave clave)
{
    for (const DefinicionClave &d : Tabla) {
        if (d.clave == clave)
            return d;
    }
    Q_UNREACHABLE();
}

QString conNumero(const char16_t *prefijo, int numero)
{
    return QString::fromUtf16(prefijo) + QString::number(numero);
}

} // namespace

QString NombreClave(Clave clave)
{
    return QString::fromUtf16(definicion(clave).nombre);
}

QString ValorPorDefecto(Clave clave)
{
    return QString::fromUtf16(definicion(clave).defecto);
}

std::optional<Clave> ClavePorNombre(const QString &nombre)
{
    for (const DefinicionClave &d : Tabla) {
        if (nombre == QStringView(d.nombre))
            return d.clave;
    }
    return std::nullopt;
}

QString LeerClave(const Ajustes &ajustes, Clave clave)
{
    return ajustes.leer(SeccionMensajes, NombreClave(clave), ValorPorDefecto(clave));
}

bool LeerClaveBooleana(const Ajustes &ajustes, Clave clave, bool *legible)
{
    bool esBooleano = false;
    const bool defecto = Ajustes::textoABooleano(ValorPorDefecto(clave), &esBooleano);
    return ajustes.leerBooleano(SeccionMensajes, NombreClave(clave), defecto, legible);
}

bool EscribirClave(Ajustes &ajustes, Clave clave, const QString &valor)
{
    return ajustes.escribir(SeccionMensajes, NombreClave(clave), valor);
}

bool EscribirClaveBooleana(Ajustes &ajustes, Clave clave, bool valor)
{
    return ajustes.escribirBooleano(SeccionMensajes, NombreClave(clave), valor);
}

void BorrarClaveSiExiste(Ajustes &ajustes, Clave clave)
{
    ajustes.borrarClave(SeccionMensajes, NombreClave(clave));
}

QString ClaveRemitente(int ranura)
{
    return conNumero(u"Remitente", ranura);
}

QString ClaveSaludo(int ranura)
{
    return conNumero(u"Saludo", ranura);
}

QString ClaveFirma(int ranura)
{
    return conNumero(u"Firma", ranura);
}

QString ClaveRapida(int numero)
{
    return conNumero(u"Rapida", numero);
}

QString ClavePrimeraVez(int mayor, int menor)
{
    return conNumero(u"PrimeraVez", mayor) + QLatin1Char('_') + QString::number(menor);
}

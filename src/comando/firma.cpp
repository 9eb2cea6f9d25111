#include "comando/firma.h"

#include <sodium.h>

ResultadoFirma VerificarFirma(const QByteArray &datos, const QByteArray &firma, const QByteArray &clavePublica)
{
    // sodium_init is idempotent and safe to call more than once; -1 means it cannot work at all.
    if (clavePublica.size() != LargoClavePublica || sodium_init() < 0)
        return ResultadoFirma::SinClave;
    if (firma.size() != LargoFirma)
        return ResultadoFirma::FirmaInvalida;
    const int r = crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(firma.constData()),
                                              reinterpret_cast<const unsigned char *>(datos.constData()),
                                              static_cast<unsigned long long>(datos.size()),
                                              reinterpret_cast<const unsigned char *>(clavePublica.constData()));
    return r == 0 ? ResultadoFirma::Valida : ResultadoFirma::NoCoincide;
}

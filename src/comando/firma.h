// Ed25519 signatures of downloaded installers. The maker signs each file and
// publishes the 64-byte detached signature beside it; the client trusts only
// the maker's public key built into the program. Toolkit-free (libsodium).
#pragma once

#include <QByteArray>

enum class ResultadoFirma {
    Valida,
    SinClave,      // the program holds no usable public key: nothing can be trusted
    FirmaInvalida, // not a 64-byte signature (missing, cut, or something else)
    NoCoincide,    // a signature, but not of these bytes by this key
};

inline constexpr int LargoFirma = 64;
inline constexpr int LargoClavePublica = 32;

// Valida only when `firma` is an Ed25519 signature of `datos` made with the
// secret half of `clavePublica` (32 raw bytes).
ResultadoFirma VerificarFirma(const QByteArray &datos, const QByteArray &firma, const QByteArray &clavePublica);

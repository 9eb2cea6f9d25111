// Base addresses of the maker's site and of the three gateways. Compiled-in
// defaults, each replaceable by an environment variable (NTX_SITIO,
// NTX_PERSONAL, NTX_CLARO, NTX_MOVILNET) holding a base address such as
// "http://127.0.0.1:8080".
#pragma once

#include <QString>

struct Direcciones
{
    QString sitio;
    QString personal;
    QString claro;
    QString movilnet;

    static Direcciones predeterminadas();
    static Direcciones desdeEntorno();

    // "host" or "host:port" of a base address, as it appears inside a URL.
    static QString hostYPuerto(const QString &base);
};

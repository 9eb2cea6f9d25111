// Addresses of the pages the client shows: the local pages of the program
// folder and the pages of the maker's site for this version.
#pragma once

#include <QString>

#include "plataforma/direcciones.h"

class Sistema;

// Local page of the program folder's "logica" folder, as a file address.
QString PaginaLocal(const Sistema &sistema, const QString &nombre);
// A page of the maker's site: "/ntxbin/princ/princ" gives ".../ntxbin/princ/princ2_5".
QString PaginaSitio(const Direcciones &direcciones, const QString &ruta);
// On the host and port of the maker's site, or naming it; a local file never is.
bool EsSitio(const Direcciones &direcciones, const QString &direccion);
// Linux paths hold no drive letter: a local file is an address with the file scheme.
bool EsArchivoLocal(const QString &direccion);
// Two addresses of the same page once "." and ".." are resolved.
bool MismaPagina(const QString &a, const QString &b);

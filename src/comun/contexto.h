// Everything a window may reach outside itself: the platform services and the
// module state of Agenda and Comando. Created once by main() (or by a test) and
// handed by reference to every window. Below the subsystems: it includes only
// the platform and the plain state types beside it.
#pragma once

#include "comun/configuracionremota.h"
#include "comun/contactos.h"
#include "plataforma/ajustes.h"
#include "plataforma/avisos.h"
#include "plataforma/dialogos.h"
#include "plataforma/direcciones.h"
#include "plataforma/instanciaunica.h"
#include "plataforma/sistema.h"
#include "plataforma/vistaweb.h"

struct Contexto
{
    Contexto(Ajustes &ajustes_, Dialogos &dialogos_, Sistema &sistema_, InstanciaUnica &instancia_, Avisos &avisos_,
             FabricaVistaWeb crearVistaWeb_, Direcciones direcciones_ = Direcciones::desdeEntorno())
        : ajustes(ajustes_)
        , dialogos(dialogos_)
        , sistema(sistema_)
        , instancia(instancia_)
        , avisos(avisos_)
        , crearVistaWeb(std::move(crearVistaWeb_))
        , direcciones(std::move(direcciones_))
    {
        // Every window that opens the user's browser: a failure shows the address to copy.
        sistema.alFallarNavegador = [&d = dialogos](const QString &direccion, const QString &error) {
            d.navegadorNoAbrio(direccion, error);
        };
    }
    ~Contexto() { sistema.alFallarNavegador = nullptr; }
    Q_DISABLE_COPY_MOVE(Contexto)

    Ajustes &ajustes;
    Dialogos &dialogos;
    Sistema &sistema;
    InstanciaUnica &instancia;
    Avisos &avisos;
    FabricaVistaWeb crearVistaWeb;
    // Views for pages that are read and never shown; empty: crearVistaWeb.
    FabricaVistaWeb crearLectorPagina;
    Direcciones direcciones;

    // Module Agenda
    Contactos contactos;
    // Module Comando
    ::ConfiguracionRemota ConfiguracionRemota;
};

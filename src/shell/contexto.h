// Everything a window may reach outside itself: the platform services and the
// module state of Envio, Agenda and Comando. Created once by main() (or by a
// test) and handed by reference to every window.
#pragma once

#include "agenda/contactos.h"
#include "comando/configuracionremota.h"
#include "envio/estadoenvio.h"
#include "plataforma/ajustes.h"
#include "plataforma/dialogos.h"
#include "plataforma/direcciones.h"
#include "plataforma/instanciaunica.h"
#include "plataforma/sistema.h"
#include "plataforma/vistaweb.h"

struct Contexto
{
    Ajustes &ajustes;
    Dialogos &dialogos;
    Sistema &sistema;
    InstanciaUnica &instancia;
    FabricaVistaWeb crearVistaWeb;
    Direcciones direcciones = Direcciones::desdeEntorno();

    // Module Envio
    EstadoEnvio envio;
    // Module Agenda
    Contactos contactos;
    // Module Comando
    ::ConfiguracionRemota ConfiguracionRemota;
};

// A Contexto for window tests: settings in memory, scripted dialogs and system,
// a single-instance service that always holds the mutex, scripted web views.
#pragma once

#include "comun/contexto.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/vistawebguion.h"
#include "mejoras/guiones.h"

class InstanciaGuion final : public InstanciaUnica
{
public:
    bool crearMutex(const QString &, bool *yaExistia) override
    {
        *yaExistia = false;
        return true;
    }
    void liberarMutex() override {}
    bool buscarVentanaReceptora() override { return false; }
    bool enviarAReceptora(const QString &, int = 100) override { return false; }
    bool crearReceptora() override { return true; }
};

struct ContextoPrueba
{
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaGuion sistema;
    InstanciaGuion instancia;
    AvisosGuion avisos;
    Contexto ctx{ajustes,
                 dialogos,
                 sistema,
                 instancia,
                 avisos,
                 [](QWidget *padre) -> VistaWeb * { return new VistaWebGuion(padre); },
                 Direcciones::desdeEntorno()};
};

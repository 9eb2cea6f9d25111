// A Contexto for window tests: settings in memory, scripted dialogs, notices and
// system, a single instance the test controls, and scripted web views (each one
// created is kept in `vistas`). Another settings store may stand in for the
// memory one, for tests of a failing store.
#pragma once

#include "comun/contexto.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "dobles/vistawebguion.h"

#include <QList>

struct ContextoPrueba
{
    explicit ContextoPrueba(Ajustes *otrosAjustes = nullptr, FabricaVistaWeb fabrica = {})
        : ctx{otrosAjustes ? *otrosAjustes : static_cast<Ajustes &>(ajustes),
              dialogos,
              sistema,
              instancia,
              avisos,
              fabrica ? std::move(fabrica) : FabricaVistaWeb([this](QWidget *padre) -> VistaWeb * {
                  auto *v = new VistaWebGuion(padre);
                  vistas.append(v);
                  return v;
              })}
    {}
    Q_DISABLE_COPY_MOVE(ContextoPrueba)

    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos{&ajustes};
    QList<VistaWebGuion *> vistas;
    Contexto ctx;
};

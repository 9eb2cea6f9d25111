// The controls of the update window, as a form-designer class would hold them:
// one list gives the struct's fields and each control's object name, so tests
// find a control of a built window by the name the program gives it.
#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

// clang-format off
#define NTX_CONTROLES_ACTUALIZAR(X) \
    X(QLabel, lblTitulo) X(QLabel, lblEstado) X(QProgressBar, pbrProgreso) X(QLabel, lblText) \
    X(QLabel, lblProgreso) X(QPushButton, cmdCancelar)
// clang-format on

struct ControlesActualizar
{
#define NTX_CAMPO(tipo, nombre) tipo *nombre = nullptr;
    NTX_CONTROLES_ACTUALIZAR(NTX_CAMPO)
#undef NTX_CAMPO

    // Gives every control its own name as object name.
    void nombrar()
    {
#define NTX_NOMBRE(tipo, nombre) nombre->setObjectName(QStringLiteral(#nombre));
        NTX_CONTROLES_ACTUALIZAR(NTX_NOMBRE)
#undef NTX_NOMBRE
    }

    // The controls of a built window, found by their names.
    static ControlesActualizar buscar(const QObject &ventana)
    {
        ControlesActualizar c;
#define NTX_BUSCAR(tipo, nombre) c.nombre = ventana.findChild<tipo *>(QStringLiteral(#nombre));
        NTX_CONTROLES_ACTUALIZAR(NTX_BUSCAR)
#undef NTX_BUSCAR
        return c;
    }
};

// The controls struct of a window, as a form-designer class would hold them:
// one list of (type, name) gives the struct's fields, each control's object
// name, and a finder with which tests reach the controls of a built window.
//
//   #define NTX_CONTROLES_EJEMPLO(X) X(QPushButton, cmdAceptar) X(QLineEdit, txtNombre)
//   struct ControlesEjemplo { NTX_CONTROLES(NTX_CONTROLES_EJEMPLO, ControlesEjemplo) };
//
// A control added to the list is named and found with no other change.
#pragma once

#include <QObject>
#include <QString>

#define NTX_CONTROLES_CAMPO(tipo, nombre) tipo *nombre = nullptr;
#define NTX_CONTROLES_NOMBRE(tipo, nombre) nombre->setObjectName(QStringLiteral(#nombre));
#define NTX_CONTROLES_BUSCAR(tipo, nombre) c.nombre = ventana.findChild<tipo *>(QStringLiteral(#nombre));

#define NTX_CONTROLES(LISTA, Tipo)                                                                                     \
    LISTA(NTX_CONTROLES_CAMPO)                                                                                         \
    /* Gives every control its own name as object name. */                                                             \
    void nombrar()                                                                                                     \
    {                                                                                                                  \
        LISTA(NTX_CONTROLES_NOMBRE)                                                                                    \
    }                                                                                                                  \
    /* The controls of a built window, found by their names. */                                                        \
    static Tipo buscar(const QObject &ventana)                                                                         \
    {                                                                                                                  \
        Tipo c;                                                                                                        \
        LISTA(NTX_CONTROLES_BUSCAR)                                                                                    \
        return c;                                                                                                      \
    }

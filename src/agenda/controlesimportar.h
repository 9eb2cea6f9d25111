// The controls of the import preview, as a form-designer class would hold them:
// one list gives the struct's fields and each control's object name, so tests
// find a control of a built window by the name the program gives it.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

// clang-format off
#define NTX_CONTROLES_IMPORTAR(X) \
    X(QLabel, lblArchivo) X(QLabel, lblRegion) X(QComboBox, cboRegion) \
    X(QTreeWidget, lvwContactos) X(QLabel, lblProveedor) X(QComboBox, cboProveedor) \
    X(QPushButton, cmdProveedorTodos) X(QLabel, lblConflicto) X(QComboBox, cboConflicto) \
    X(QPushButton, cmdConflictoTodos) X(QLabel, lblRechazados) X(QTreeWidget, lvwRechazados) \
    X(QLabel, lblResumen) X(QProgressBar, prgAvance) X(QPushButton, cmdImportar) X(QPushButton, cmdCancelar)
// clang-format on

struct ControlesImportar
{
#define NTX_CAMPO(tipo, nombre) tipo *nombre = nullptr;
    NTX_CONTROLES_IMPORTAR(NTX_CAMPO)
#undef NTX_CAMPO

    // Gives every control its own name as object name.
    void nombrar()
    {
#define NTX_NOMBRE(tipo, nombre) nombre->setObjectName(QStringLiteral(#nombre));
        NTX_CONTROLES_IMPORTAR(NTX_NOMBRE)
#undef NTX_NOMBRE
    }

    // The controls of a built window, found by their names.
    static ControlesImportar buscar(const QObject &ventana)
    {
        ControlesImportar c;
#define NTX_BUSCAR(tipo, nombre) c.nombre = ventana.findChild<tipo *>(QStringLiteral(#nombre));
        NTX_CONTROLES_IMPORTAR(NTX_BUSCAR)
#undef NTX_BUSCAR
        return c;
    }
};

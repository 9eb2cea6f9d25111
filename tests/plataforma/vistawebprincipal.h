// main() for tests of the real web view: the ntx scheme is registered and the
// client's engine flags set before the application object exists, and the shared
// profile lives in a temporary folder removed at the end.
#pragma once

#include "plataforma/vistawebperfil.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#define NTX_PRINCIPAL_VISTAWEB(Clase)                                                                                  \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        registrarEsquemaNtx();                                                                                         \
        compartirProcesosMotor();                                                                                      \
        QApplication app(argc, argv);                                                                                  \
        QTemporaryDir carpeta;                                                                                         \
        if (!carpeta.isValid() || !fijarCarpetaPerfilCompartido(carpeta.path())) {                                     \
            return 2;                                                                                                  \
        }                                                                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        Clase prueba;                                                                                                  \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&prueba, argc, argv);                                                                      \
    }

// Command line of ntxsimulador.
#pragma once

#include "simulador/simulador.h"

#include <QString>
#include <QStringList>

struct OpcionesSimulador
{
    Simulador::Ajustes ajustes;
    QString archivoEntorno;
    bool ayuda = false;
};

// arguments includes the program name first, as QCoreApplication::arguments().
bool leerOpcionesSimulador(const QStringList &argumentos, OpcionesSimulador *opciones, QString *error);

QString ayudaSimulador();

// Starts ntxsimulador on free loopback ports for an end-to-end test and reads
// the addresses it prints.
#pragma once

#include <QProcess>
#include <QTest>

#include "plataforma/direcciones.h"

inline bool iniciarSimulador(QProcess &simulador, Direcciones &direcciones, int espera)
{
    simulador.setProgram(QStringLiteral(NTX_BIN_DIR "/ntxsimulador"));
    simulador.setArguments({"--sitio", "0", "--personal", "0", "--claro", "0", "--movilnet", "0"});
    simulador.start();
    if (!simulador.waitForStarted(espera))
        return false;
    QByteArray salida;
    if (!QTest::qWaitFor([&] { return (salida += simulador.readAllStandardOutput()).count('\n') >= 4; }, espera))
        return false;
    for (const QByteArray &linea : salida.split('\n')) {
        const QString l = QString::fromLatin1(linea).trimmed();
        const QString valor = l.section(QLatin1Char('='), 1);
        if (l.startsWith(QLatin1String("NTX_SITIO=")))
            direcciones.sitio = valor;
        else if (l.startsWith(QLatin1String("NTX_PERSONAL=")))
            direcciones.personal = valor;
        else if (l.startsWith(QLatin1String("NTX_CLARO=")))
            direcciones.claro = valor;
        else if (l.startsWith(QLatin1String("NTX_MOVILNET=")))
            direcciones.movilnet = valor;
    }
    return true;
}

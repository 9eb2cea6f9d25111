// ntxsimulador: the maker's site and the three gateways on loopback, for the
// demo and the end-to-end tests.
#include "simulador/opcionessimulador.h"
#include "simulador/simulador.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    OpcionesSimulador opciones;
    QString error;
    if (!leerOpcionesSimulador(app.arguments(), &opciones, &error)) {
        std::fprintf(stderr, "ntxsimulador: %s\n\n%s", qPrintable(error), qPrintable(ayudaSimulador()));
        return 2;
    }
    if (opciones.ayuda) {
        std::fputs(ayudaSimulador().toLocal8Bit().constData(), stdout);
        return 0;
    }

    if (opciones.ajustes.claveSecreta.isEmpty())
        std::fprintf(stderr, "ntxsimulador: sin clave para firmar; las descargas se sirven sin firma\n");
    Simulador simulador(opciones.ajustes);
    if (!simulador.iniciar(&error)) {
        std::fprintf(stderr, "ntxsimulador: %s\n", qPrintable(error));
        return 1;
    }
    const QByteArray lineas = simulador.lineasEntorno().toUtf8();
    if (!opciones.archivoEntorno.isEmpty()) {
        QFile archivo(opciones.archivoEntorno);
        if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate) || archivo.write(lineas) != lineas.size()) {
            std::fprintf(stderr, "ntxsimulador: no se pudo escribir %s\n", qPrintable(opciones.archivoEntorno));
            return 1;
        }
    }
    std::fwrite(lineas.constData(), 1, static_cast<size_t>(lineas.size()), stdout);
    std::fflush(stdout);
    return app.exec();
}

// Helper process for the crash test of the history store: appends to and deletes
// from the store at `ruta` until it is killed, and prints each operation once it
// has returned ("a <i>" appended, "b <i>" deleted) and when it starts ("e <i>"). The operations follow from
// `ronda` and the record count alone, so the test can replay them.
#include "historial/almacenhistorial.h"

#include <cstdio>

#include "operacionescaida.h"

int main(int argc, char **argv)
{
    if (argc != 3) {
        return 2;
    }
    const QString ruta = QString::fromLocal8Bit(argv[1]);
    const int ronda = QByteArray(argv[2]).toInt();
    almacen_historial::HistorialIndexado indice;
    const auto estado = indice.leer(ruta);
    if (estado != HistorialLeido && estado != HistorialErrorLectura) {
        std::fprintf(stderr, "estado %d al empezar\n", int(estado));
        return 1;
    }
    qsizetype cantidad = indice.size();
    indice.clear();
    std::printf("listo %lld\n", static_cast<long long>(cantidad));
    std::fflush(stdout);
    for (int i = 0; i < 100000; ++i) {
        // Tells when each operation starts, so that the test can aim a kill at one.
        std::printf("e %d\n", i);
        std::fflush(stdout);
        const caida::Operacion op = caida::operacion(ronda, i, cantidad);
        ErrorHistorial error;
        bool ok;
        if (op.borrar > 0) {
            ok = almacen_historial::borrarRegistro(ruta, op.borrar, &error);
            --cantidad;
        } else {
            ok = almacen_historial::agregar(ruta, caida::registro(op.mensaje), QDateTime::currentDateTime(), &error);
            ++cantidad;
        }
        if (!ok) {
            std::fprintf(stderr, "operación %d: error %d %s\n", i, error.numero, qPrintable(error.descripcion));
            return 1;
        }
        std::printf("%c %d\n", op.borrar > 0 ? 'b' : 'a', i);
        std::fflush(stdout);
    }
    return 0;
}

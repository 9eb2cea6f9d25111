// Helper process for the settings store tests: waits for a line on its standard
// input, then writes `cantidad` keys "<prefijo>-<n>" into section "Mensajes" of the
// store in `carpeta`. Exit code 0 only when every write succeeded. With a fourth
// argument "informar" it prints the number of each key once it is written.
#include "plataforma/ajustessqlite.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 5)
        return 2;
    const bool informar = args.size() == 5 && args.at(4) == QLatin1String("informar");
    const QString prefijo = args.at(2);
    const int cantidad = args.at(3).toInt();
    AjustesSqlite ajustes(args.at(1));
    std::puts("listo");
    std::fflush(stdout);
    char linea[16];
    if (!std::fgets(linea, sizeof linea, stdin))
        return 3;
    int fallos = 0;
    for (int i = 0; i < cantidad; ++i) {
        if (!ajustes.escribir(QStringLiteral("Mensajes"), prefijo + QLatin1Char('-') + QString::number(i),
                              QStringLiteral("valor de ") + prefijo + QLatin1Char(' ') + QString::number(i)))
            ++fallos;
        else if (informar) {
            std::printf("%d\n", i);
            std::fflush(stdout);
        }
    }
    if (fallos)
        std::fprintf(stderr, "%d escrituras fallidas: %s\n", fallos, qPrintable(ajustes.ultimoError()));
    return fallos == 0 ? 0 : 1;
}

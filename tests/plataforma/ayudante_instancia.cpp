// Helper process for the single-instance and system tests.
//   sostener <carpeta> [receptora]  takes the mutex, prints "primera" or "existia", optionally
//                                   listens and prints "recibido <base64>" per hand-over; runs
//                                   until its standard input closes.
//   segunda <carpeta> <ms> <archivo>  a second start: takes the mutex and, when it existed, hands
//                                   "ejecucion" + "," + the UTF-8 text of <archivo> (or just
//                                   "ejecucion" when <archivo> is "-") over; prints
//                                   "primera", "entregado" or "no-entregado".
//   linea [argumentos...]           prints the program folder and the command line.
//   terminar <codigo>               ends at once through the system service.
#include "plataforma/instanciaunicareal.h"
#include "plataforma/sistemareal.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace {

void decir(const QByteArray &linea)
{
    std::fwrite(linea.constData(), 1, static_cast<size_t>(linea.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

struct Testigo
{
    ~Testigo() { decir("destructor"); }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString modo = args.value(1);

    if (modo == QLatin1String("linea")) {
        SistemaReal sistema;
        decir(sistema.carpetaPrograma().toUtf8());
        decir(sistema.lineaDeComandos().toUtf8());
        return 0;
    }
    if (modo == QLatin1String("terminar")) {
        Testigo testigo;
        SistemaReal sistema;
        sistema.terminarProceso(args.value(2).toInt());
    }

    InstanciaUnicaReal instancia(args.value(2));
    bool existia = false;
    if (!instancia.crearMutex(InstanciaUnica::nombreMutex(), &existia)) {
        decir("error " + instancia.ultimoError().toUtf8());
        return 2;
    }

    if (modo == QLatin1String("segunda")) {
        if (!existia) {
            decir("primera");
            return 0;
        }
        QString texto = QStringLiteral("ejecucion");
        if (args.value(4) != QLatin1String("-")) {
            QFile f(args.value(4));
            if (!f.open(QIODevice::ReadOnly))
                return 3;
            texto += QLatin1Char(',') + QString::fromUtf8(f.readAll());
        }
        decir(instancia.enviarAReceptora(texto, args.value(3).toInt()) ? "entregado" : "no-entregado");
        return 0;
    }

    if (modo != QLatin1String("sostener"))
        return 2;
    decir(existia ? "existia" : "primera");
    if (args.value(3) == QLatin1String("receptora")) {
        QObject::connect(&instancia, &InstanciaUnica::textoRecibido, &app,
                         [](const QString &texto) { decir("recibido " + texto.toUtf8().toBase64()); });
        if (!instancia.crearReceptora()) {
            decir("error " + instancia.ultimoError().toUtf8());
            return 2;
        }
        decir("lista");
    }
    QSocketNotifier entrada(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&entrada, &QSocketNotifier::activated, &app, [&] {
        char c;
        if (::read(STDIN_FILENO, &c, 1) <= 0)
            app.quit();
    });
    return app.exec();
}

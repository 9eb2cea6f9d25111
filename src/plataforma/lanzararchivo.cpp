#include "plataforma/sistema.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

// An opener that has not ended by then keeps its handler in front (some do
// until the handler closes): the file is in the handler's hands.
constexpr int EsperaAbridor = 10000;

enum class Salida { Bien, Mal, SigueAbierto };

Salida abrirCon(const QString &programa, QStringList argumentos)
{
    // On the heap: a handler still running when the wait ends must outlive it.
    auto *proceso = new QProcess(QCoreApplication::instance());
    proceso->setProgram(programa);
    proceso->setArguments(argumentos);
    proceso->setStandardInputFile(QProcess::nullDevice());
    proceso->setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop espera;
    QObject::connect(proceso, &QProcess::finished, &espera, &QEventLoop::quit);
    QObject::connect(proceso, &QProcess::errorOccurred, &espera, [&espera](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            espera.quit();
    });
    QObject::connect(proceso, &QProcess::finished, proceso, &QObject::deleteLater);
    QTimer::singleShot(EsperaAbridor, &espera, &QEventLoop::quit);
    proceso->start();
    if (proceso->state() != QProcess::NotRunning || proceso->error() != QProcess::FailedToStart)
        espera.exec(QEventLoop::ExcludeUserInputEvents);
    if (proceso->error() == QProcess::FailedToStart) {
        proceso->deleteLater();
        return Salida::Mal;
    }
    if (proceso->state() != QProcess::NotRunning)
        return Salida::SigueAbierto;
    const bool bien = proceso->exitStatus() == QProcess::NormalExit && proceso->exitCode() == 0;
    return bien ? Salida::Bien : Salida::Mal;
}

} // namespace

bool AbrirConManejador(const QString &ruta, QString *error)
{
    const QFileInfo info(ruta);
    if (!info.isAbsolute() || !info.isFile()) {
        *error = QStringLiteral("El archivo «") + ruta + QStringLiteral("» no existe.");
        return false;
    }
    QList<QStringList> abridores;
    const QString propio = qEnvironmentVariable("NTX_ABRIR_CON");
    if (!propio.isEmpty()) {
        abridores << QStringList{propio};
    } else {
        for (const auto &[nombre, extra] : {std::pair{QStringLiteral("xdg-open"), QStringList{}},
                                            std::pair{QStringLiteral("gio"), QStringList{QStringLiteral("open")}}}) {
            const QString programa = QStandardPaths::findExecutable(nombre);
            if (!programa.isEmpty())
                abridores << (QStringList{programa} + extra);
        }
    }
    if (abridores.isEmpty()) {
        *error = QStringLiteral("No hay un programa que abra archivos con su aplicación predeterminada (xdg-open o "
                                "gio).");
        return false;
    }
    for (const QStringList &abridor : std::as_const(abridores)) {
        if (abrirCon(abridor.first(), abridor.mid(1) << info.absoluteFilePath()) != Salida::Mal) {
            error->clear();
            return true;
        }
    }
    *error = QStringLiteral("No hay una aplicación que abra «") + info.fileName() + QStringLiteral("».");
    return false;
}

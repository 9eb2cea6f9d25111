// Shared by the history tests: services with doubles and a fresh local data
// folder, a watcher that answers notice dialogs, a limit on the size of written
// files to simulate a full disk, and small file helpers.
#pragma once

#include "comun/contexto.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "dobles/vistawebguion.h"
#include "historial/historial.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace banco_historial {

inline const QByteArray Cab = "NTXHistorial1.0\r\n";
inline const QString Titulo = QStringLiteral("NTX Mensajes");
inline const QString AvisoNoGuarda =
    QStringLiteral("NTX Mensajes no guardará los mensajes que escriba a partir de ahora. Esta opción será recordada "
                   "solo hasta que cierre el programa.\r\nSi quiere desactivar el guardado de mensajes enviados en "
                   "forma permanente vaya a las Preferencias dentro del menú Archivo y desactive la opción de Guardar "
                   "siempre los mensajes enviados.");
inline const QString AvisoGuarda =
    QStringLiteral("NTX Mensajes guardará los mensajes que escriba a partir de ahora. Esta opción será recordada "
                   "solo hasta que cierre el programa.\r\nSi quiere activar el guardado de mensajes enviados en "
                   "forma permanente vaya a las Preferencias dentro del menú Archivo y active la opción de Guardar "
                   "siempre los mensajes enviados.");

inline QByteArray leerBytes(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool escribirBytes(const QString &ruta, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Everything the history needs, with doubles; the local data folder is a fresh temporary one.
struct Banco
{
    QTemporaryDir carpeta;
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos{&ajustes};
    std::unique_ptr<Contexto> ctx;

    Banco()
    {
        sistema.datosLocales = carpeta.path() + QLatin1Char('/');
        ctx.reset(new Contexto{ajustes, dialogos, sistema, instancia, avisos,
                               [](QWidget *padre) { return static_cast<VistaWeb *>(new VistaWebGuion(padre)); },
                               Direcciones::desdeEntorno()});
    }
    QString ruta() const { return carpeta.filePath(QStringLiteral("NTX/Mensajes/Historial.ntxhist")); }
};

inline RegistroHistorial registro(const QString &mensaje)
{
    return {QDateTime(), QStringLiteral("(No agendado)"),    QStringLiteral("011 45678901"), QStringLiteral("Ana"),
            mensaje,     QStringLiteral("Argentina - Claro")};
}

class LimiteTamano
{
public:
    explicit LimiteTamano(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &anterior_);
        rlimit nuevo = anterior_;
        nuevo.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &nuevo);
    }
    ~LimiteTamano() { setrlimit(RLIMIT_FSIZE, &anterior_); }

private:
    rlimit anterior_{};
};

} // namespace banco_historial

using namespace banco_historial;

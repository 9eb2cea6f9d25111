// The machine for tests: records beeps, opened addresses, started programs and
// requests to end the process (the process does not end); folders, command line,
// offline state, engine version and clock are set by the test.
#pragma once

#include "plataforma/sistema.h"

#include <functional>

class SistemaFalso final : public Sistema
{
public:
    void pitido() override { ++pitidos; }
    bool abrirEnNavegador(const QString &direccion) override
    {
        direccionesAbiertas.append(direccion);
        if (!fallarNavegador)
            return true;
        error = QStringLiteral("No hay navegador.");
        if (alFallarNavegador)
            alFallarNavegador(direccion, error);
        return false;
    }
    bool iniciarPrograma(const QString &nombre, const QStringList &argumentos = {}) override
    {
        if (alIniciarPrograma)
            alIniciarPrograma(nombre);
        if (fallarInicioDeProgramas) {
            error = QStringLiteral("No se encontró el programa «") + nombre + QStringLiteral("».");
            return false;
        }
        programasIniciados.append(nombre);
        argumentosDeProgramas.append(argumentos);
        return true;
    }
    // Recorded; handed to the real opener only when the test asks (end-to-end runs).
    bool abrirConManejador(const QString &ruta) override
    {
        archivosAbiertos.append(ruta);
        if (fallarInicioDeProgramas) {
            error = QStringLiteral("No hay una aplicación que abra «") + ruta + QStringLiteral("».");
            return false;
        }
        return !abrirArchivosDeVerdad || AbrirConManejador(ruta, &error);
    }
    bool notificar(const QString &titulo, const QString &texto, int msVisible) override
    {
        notificaciones.append({titulo, texto, msVisible});
        return hayNotificaciones;
    }
    void terminarProceso(int codigo = 0) override { terminaciones.append(codigo); }

    QString carpetaEspecial(int identificador) const override
    {
        return identificador == CarpetaEscritorio ? escritorio : datosLocales;
    }
    QString carpetaPrograma() const override { return carpetaDelPrograma; }
    QString lineaDeComandos() const override { return linea; }
    bool modoSinConexion() const override { return sinConexion; }
    int versionMotorWeb() const override { return motorWeb; }
    QDateTime ahora() const override { return reloj; }
    void dejarCorrerMensajes(bool permitirEntrada = false) override
    {
        ++bombeos;
        if (permitirEntrada)
            ++bombeosConEntrada;
        if (alDejarCorrerMensajes)
            alDejarCorrerMensajes();
    }
    QString ultimoError() const override { return error; }

    // Moves the fixed clock on.
    void avanzar(qint64 ms) { reloj = reloj.addMSecs(ms); }

    int pitidos = 0;
    QStringList direccionesAbiertas;
    QStringList programasIniciados;
    QList<QStringList> argumentosDeProgramas;
    bool fallarInicioDeProgramas = false;
    bool fallarNavegador = false; // no browser: abrirEnNavegador fails and tells alFallarNavegador
    std::function<void(const QString &)> alIniciarPrograma; // runs before a start is recorded
    QStringList archivosAbiertos;
    bool abrirArchivosDeVerdad = false;
    QList<int> terminaciones; // exit code of each request to end
    struct Notificacion
    {
        QString titulo, texto;
        int msVisible = 0;
    };
    QList<Notificacion> notificaciones; // every desktop notification asked for
    bool hayNotificaciones = true;      // whether a notification server takes them
    int bombeos = 0;
    int bombeosConEntrada = 0;
    std::function<void()> alDejarCorrerMensajes; // lets a test act in the middle of a long loop
    QString error;

    QString datosLocales = QStringLiteral("/tmp/ntx-prueba-datos/");
    QString escritorio = QStringLiteral("/tmp/ntx-prueba-escritorio/");
    QString carpetaDelPrograma = QStringLiteral("/tmp/ntx-prueba-programa");
    QString linea;
    bool sinConexion = false;
    int motorWeb = 6;
    QDateTime reloj = QDateTime(QDate(2012, 11, 19), QTime(19, 7, 5));
};

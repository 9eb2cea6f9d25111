// Scripted message boxes, file dialogs and system services for the composer's
// tests: every call is recorded, answers come from a queue.
#pragma once

#include <QList>
#include <QStringList>

#include "plataforma/dialogos.h"
#include "plataforma/sistema.h"

class DialogosGuion final : public Dialogos
{
public:
    struct Llamada
    {
        QString tipo; // "mensaje", "abrir", "guardar"
        QString texto;
        Botones botones = Botones::Aceptar;
        Icono icono = Icono::Ninguno;
        QString titulo;
        QString filtro;
        bool confirmarSobrescribir = false;
    };

    QList<Llamada> llamadas;
    QList<Respuesta> respuestas; // next answers of mensaje(); Aceptar when empty
    QStringList archivos;        // next answers of the file dialogs; cancelled when empty

    Respuesta mensaje(const QString &texto, Botones botones, Icono icono, const QString &titulo) override
    {
        llamadas.append({QStringLiteral("mensaje"), texto, botones, icono, titulo, {}, false});
        return respuestas.isEmpty() ? Respuesta::Aceptar : respuestas.takeFirst();
    }
    QString abrirArchivo(const QString &titulo, const QString &filtro, const QString &) override
    {
        llamadas.append({QStringLiteral("abrir"), {}, Botones::Aceptar, Icono::Ninguno, titulo, filtro, false});
        return archivos.isEmpty() ? QString() : archivos.takeFirst();
    }
    QString guardarArchivo(const QString &titulo, const QString &filtro, const QString &, bool confirmar) override
    {
        llamadas.append({QStringLiteral("guardar"), {}, Botones::Aceptar, Icono::Ninguno, titulo, filtro, confirmar});
        return archivos.isEmpty() ? QString() : archivos.takeFirst();
    }

    QList<Llamada> mensajes() const
    {
        QList<Llamada> r;
        for (const Llamada &l : llamadas) {
            if (l.tipo == QLatin1String("mensaje"))
                r.append(l);
        }
        return r;
    }
};

class SistemaGuion final : public Sistema
{
public:
    int pitidos = 0;
    int vecesMensajesCorridos = 0;
    QStringList programas;

    void pitido() override { ++pitidos; }
    bool abrirEnNavegador(const QString &) override { return true; }
    bool iniciarPrograma(const QString &nombre, const QStringList & = {}) override
    {
        programas << nombre;
        return true;
    }
    void terminarProceso(int = 0) override {}
    QString carpetaEspecial(int) const override { return {}; }
    QString carpetaPrograma() const override { return {}; }
    QString lineaDeComandos() const override { return {}; }
    bool modoSinConexion() const override { return false; }
    int versionMotorWeb() const override { return 6; }
    QDateTime ahora() const override { return QDateTime(QDate(2012, 11, 19), QTime(19, 7, 5)); }
    void dejarCorrerMensajes(bool = false) override { ++vecesMensajesCorridos; }
};

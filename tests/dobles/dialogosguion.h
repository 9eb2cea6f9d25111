// Message boxes and file dialogs for tests: every call is recorded and answered
// from a queue the test fills. With the queue empty: Aceptar for an OK box, Sí
// for a question, Aceptar for OK/Cancel, and an empty file name. Each call keeps
// its default button, the answer a stray Enter would give.
#pragma once

#include "plataforma/dialogos.h"

#include <QList>
#include <QStringList>
#include <functional>

class DialogosGuion final : public Dialogos
{
public:
    struct Llamada
    {
        QString texto;
        Botones botones = Botones::Aceptar;
        Icono icono = Icono::Ninguno;
        QString titulo;
        Respuesta predeterminada = Respuesta::Aceptar;
    };

    Respuesta mostrarMensaje(const QString &texto, Botones botones, Icono icono, const QString &titulo,
                             Respuesta predeterminada) override
    {
        llamadas.append({texto, botones, icono, titulo, predeterminada});
        if (alMostrar)
            alMostrar(llamadas.last());
        if (!respuestas.isEmpty())
            return respuestas.takeFirst();
        return botones == Botones::SiNo ? Respuesta::Si : Respuesta::Aceptar;
    }

    QString abrirArchivo(const QString &titulo, const QString &filtro, const QString &nombreInicial) override
    {
        archivos.append({titulo, filtro, nombreInicial});
        return nombresDeArchivo.isEmpty() ? QString() : nombresDeArchivo.takeFirst();
    }

    QString guardarArchivo(const QString &titulo, const QString &filtro, const QString &nombreInicial,
                           bool confirmarSobrescribir) override
    {
        confirmaciones.append(confirmarSobrescribir);
        archivos.append({titulo, filtro, nombreInicial});
        return nombresDeArchivo.isEmpty() ? QString() : nombresDeArchivo.takeFirst();
    }

    QList<Llamada> llamadas;
    QList<Respuesta> respuestas;
    // Runs while a box is "open", before it is answered: what the rest of the program shows then.
    std::function<void(const Llamada &)> alMostrar;
    // File dialogs: (title, filter, initial name) of each call, and the names to answer.
    QList<QStringList> archivos;
    // Typed lines: (title, label, initial text) of each request, and the texts to answer.
    QString pedirTexto(const QString &titulo, const QString &etiqueta, const QString &inicial) override
    {
        pedidos.append({titulo, etiqueta, inicial});
        return textos.isEmpty() ? QString() : textos.takeFirst();
    }
    QList<QStringList> pedidos;
    QStringList textos;
    QStringList nombresDeArchivo;
    // Save dialogs: whether each asked to confirm overwriting.
    QList<bool> confirmaciones;
};

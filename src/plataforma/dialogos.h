// Message boxes and file dialogs, behind an interface so that windows can be
// tested with scripted answers.
#pragma once

#include <QString>

class Dialogos
{
public:
    enum class Botones { Aceptar, AceptarCancelar, SiNo };
    enum class Icono { Ninguno, Informacion, Exclamacion, Critico, Pregunta };
    enum class Respuesta { Aceptar, Cancelar, Si, No };

    virtual ~Dialogos() = default;

    // The default button, the one Enter presses, is the first: "Aceptar" or "Sí".
    Respuesta mensaje(const QString &texto, Botones botones, Icono icono, const QString &titulo)
    {
        return mostrarMensaje(texto, botones, icono, titulo, primerBoton(botones));
    }
    // `predeterminada` names the default button; a question whose "Sí" deletes or
    // overwrites passes Respuesta::No, so a stray Enter keeps the user's data.
    Respuesta mensaje(const QString &texto, Botones botones, Icono icono, const QString &titulo,
                      Respuesta predeterminada)
    {
        return mostrarMensaje(texto, botones, icono, titulo,
                              esDe(botones, predeterminada) ? predeterminada : primerBoton(botones));
    }

    // `filtro` is in the "Descripción (*.ext)|*.ext|..." form. An empty result means cancelled.
    virtual QString abrirArchivo(const QString &titulo, const QString &filtro, const QString &nombreInicial) = 0;
    virtual QString guardarArchivo(const QString &titulo, const QString &filtro, const QString &nombreInicial,
                                   bool confirmarSobrescribir) = 0;

    // One line of text the user types (a group's name); empty when cancelled.
    virtual QString pedirTexto(const QString &titulo, const QString &etiqueta, const QString &inicial) = 0;

    // The usual title of the program's boxes.
    static QString tituloPrograma() { return QStringLiteral("NTX Mensajes"); }

    static Respuesta primerBoton(Botones botones)
    {
        return botones == Botones::SiNo ? Respuesta::Si : Respuesta::Aceptar;
    }
    // Whether `respuesta` is one of the buttons of `botones`.
    static bool esDe(Botones botones, Respuesta respuesta)
    {
        switch (botones) {
        case Botones::Aceptar:
            return respuesta == Respuesta::Aceptar;
        case Botones::AceptarCancelar:
            return respuesta == Respuesta::Aceptar || respuesta == Respuesta::Cancelar;
        case Botones::SiNo:
            return respuesta == Respuesta::Si || respuesta == Respuesta::No;
        }
        return false;
    }

    // No browser could open `direccion`: the address is shown so the user can copy it
    // into one (the box's text can be selected, and Ctrl+C copies all of it).
    void navegadorNoAbrio(const QString &direccion, const QString &error)
    {
        QString texto = QStringLiteral("No se pudo abrir el navegador web con esta dirección:\r\n\r\n") + direccion +
                        QStringLiteral("\r\n\r\nCopie la dirección y péguela en su navegador.");
        if (!error.isEmpty())
            texto += QStringLiteral("\r\n\r\n") + error;
        mensaje(texto, Botones::Aceptar, Icono::Exclamacion, tituloPrograma());
    }

protected:
    // Shows the box with `predeterminada` (one of `botones`) as its default button.
    virtual Respuesta mostrarMensaje(const QString &texto, Botones botones, Icono icono, const QString &titulo,
                                     Respuesta predeterminada) = 0;
};

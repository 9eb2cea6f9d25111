// The program's notice: a text, optionally a link, and a "do not show again" box
// bound to a key of section "Mensajes". Shown modally over `dueno`. The notice
// window belongs to the shell; subsystems reach it through this service.
#pragma once

#include <QString>

class QWidget;

class Avisos
{
public:
    virtual ~Avisos() = default;

    virtual void mostrar(QWidget *dueno, const QString &texto, const QString &claveNoMas = {},
                         const QString &textoEnlace = {}, const QString &direccionEnlace = {}) = 0;
};

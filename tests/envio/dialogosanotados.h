// Message-box double for the sending tests: records every box and answers Aceptar.
#pragma once

#include <QList>

#include "plataforma/dialogos.h"

class DialogosAnotados final : public Dialogos
{
public:
    struct Caja
    {
        QString texto;
        Icono icono;
        QString titulo;
    };
    QList<Caja> cajas;

    Respuesta mensaje(const QString &texto, Botones, Icono icono, const QString &titulo) override
    {
        cajas.append({texto, icono, titulo});
        return Respuesta::Aceptar;
    }
    QString abrirArchivo(const QString &, const QString &, const QString &) override { return {}; }
    QString guardarArchivo(const QString &, const QString &, const QString &, bool) override { return {}; }
};

// The main window and its home view as the command engine sees them, for tests:
// it records each call in order and keeps the visibility flags the engine reads.
#pragma once

#include "comando/principalcomando.h"

#include <QStringList>
#include <QWidget>
#include <functional>

class PrincipalFalsa final : public PrincipalComando, public NavegadorComando
{
public:
    QWidget *ventana() override { return &widget; }
    void ocultarVentana() override { llamadas << QStringLiteral("ocultarVentana"); }
    void mostrarVentana() override { llamadas << QStringLiteral("mostrarVentana"); }
    void encenderIndicador() override { llamadas << QStringLiteral("encenderIndicador"); }
    bool hayProveedor() const override { return proveedor; }
    void limpiarProveedor() override
    {
        proveedor = false;
        llamadas << QStringLiteral("limpiarProveedor");
    }
    bool escrituraVisible() const override { return escritura; }
    void mostrarEscritura(bool visible) override
    {
        escritura = visible;
        llamadas << (visible ? QStringLiteral("mostrarEscritura") : QStringLiteral("ocultarEscritura"));
    }
    bool navegadorVisible() const override { return navegador; }
    void mostrarNavegador(bool visible) override
    {
        navegador = visible;
        llamadas << (visible ? QStringLiteral("mostrarNavegador") : QStringLiteral("ocultarNavegador"));
    }
    void navegarNavegador(const QString &direccion) override
    {
        llamadas << QStringLiteral("navegar ") + direccion;
        if (alNavegar)
            alNavegar(direccion);
    }
    // The engine's signal that the guided tips start over.
    void guiasReiniciadas() { llamadas << QStringLiteral("guiasReiniciadas"); }

    QWidget widget;
    QStringList llamadas;
    bool proveedor = true;
    bool escritura = true;
    bool navegador = false;
    // End-to-end tests hand the address to a real view.
    std::function<void(const QString &)> alNavegar;
};

// Notices for tests: each one shown is recorded; a test may tick the "do not
// show again" box by setting marcarNoMas, as the user would.
#pragma once

#include "plataforma/ajustes.h"
#include "plataforma/avisos.h"

#include <QList>
#include <functional>

class AvisosGuion final : public Avisos
{
public:
    struct Aviso
    {
        QString texto, claveNoMas, textoEnlace, direccionEnlace;
        QWidget *dueno = nullptr;
    };

    explicit AvisosGuion(Ajustes *ajustes = nullptr)
        : m_ajustes(ajustes)
    {}

    void mostrar(QWidget *dueno, const QString &texto, const QString &claveNoMas, const QString &textoEnlace,
                 const QString &direccionEnlace) override
    {
        mostrados.append({texto, claveNoMas, textoEnlace, direccionEnlace, dueno});
        if (alMostrar)
            alMostrar();
        if (marcarNoMas && m_ajustes && !claveNoMas.isEmpty())
            m_ajustes->escribirBooleano(QStringLiteral("Mensajes"), claveNoMas, true);
    }

    QList<Aviso> mostrados;
    bool marcarNoMas = false;
    std::function<void()> alMostrar; // runs while the notice is up

private:
    Ajustes *m_ajustes;
};

// Single instance for tests: the test says whether another process holds the
// mutex and whether a receiver listens; hand-overs are recorded. A test plays a
// hand-over arriving by emitting textoRecibido.
#pragma once

#include "plataforma/instanciaunica.h"

#include <QStringList>

class InstanciaFalsa final : public InstanciaUnica
{
    Q_OBJECT
public:
    bool crearMutex(const QString &nombre, bool *yaExistia) override
    {
        nombreMutex = nombre;
        m_tomado = true;
        if (yaExistia)
            *yaExistia = otroProcesoTieneElMutex;
        return true;
    }
    void liberarMutex() override { m_tomado = false; }
    bool buscarVentanaReceptora() override { return hayReceptora; }
    bool enviarAReceptora(const QString &texto, int msEspera = 100) override
    {
        esperas.append(msEspera);
        if (!hayReceptora)
            return false;
        entregados.append(texto);
        return true;
    }
    bool crearReceptora() override
    {
        escuchando = !fallarReceptora;
        return escuchando;
    }

    QString ultimoError() const override { return error; }

    bool mutexTomado() const { return m_tomado; }

    bool otroProcesoTieneElMutex = false;
    bool hayReceptora = true;
    bool escuchando = false;
    bool fallarReceptora = false;
    QString error; // what ultimoError tells
    QString nombreMutex;
    QStringList entregados;
    QList<int> esperas;

private:
    bool m_tomado = false;
};

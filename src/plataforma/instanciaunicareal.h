// The single-instance mutex and the receiver on a Linux desktop.
//
// The mutex keeps its meaning from the other platform: it exists while any process
// holds it, several processes (the client and the wizard) may hold it together, and
// taking it tells atomically whether it existed. Each holder keeps a shared lock on a
// per-user lock file; "did it exist" is a non-blocking exclusive attempt on that file,
// made under a short exclusive lock on a second (gate) file so that two processes
// starting together cannot both see it free. The kernel drops the locks of a dead
// process, kill -9 included.
//
// The receiver is a local socket in the same per-user folder, reachable by this user only.
// The folder must belong to this user with no access for others, or nothing is taken.
#pragma once

#include "plataforma/instanciaunica.h"

#include <QHash>

class QLocalServer;
class QLocalSocket;

class InstanciaUnicaReal final : public InstanciaUnica
{
    Q_OBJECT
public:
    // `carpeta` replaces the per-user folder ($XDG_RUNTIME_DIR, or a private folder in
    // the temporary folder when that is missing or too deep for a socket) for tests.
    explicit InstanciaUnicaReal(const QString &carpeta = {}, QObject *padre = nullptr);
    ~InstanciaUnicaReal() override;

    bool crearMutex(const QString &nombre, bool *yaExistia) override;
    void liberarMutex() override;
    bool buscarVentanaReceptora() override;
    bool enviarAReceptora(const QString &texto, int msEspera = 100) override;
    bool crearReceptora() override;

    QString ultimoError() const override { return m_error; }
    // How long taking the mutex waits for another starting process to let go of the gate.
    void ponerEsperaPuerta(int ms) { m_esperaPuerta = ms; }
    QString rutaReceptora() const;

    static QString carpetaPredeterminada();

private:
    void leerDe(QLocalSocket *socket);

    QString m_carpeta;
    int m_cerrojo = -1;
    int m_esperaPuerta = 5000;
    QLocalServer *m_servidor = nullptr;
    QHash<QLocalSocket *, QByteArray> m_pendientes;
    QString m_error;
};

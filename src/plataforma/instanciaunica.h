// The single-instance mutex "NTXMensajes" and the hand-over of a command line to
// the running client's receiver "NTXMensajes_RecepcionDeMensajes_v1".
#pragma once

#include <QObject>
#include <QString>

class InstanciaUnica : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~InstanciaUnica() override = default;

    // Takes the mutex for the life of the process (or until liberarMutex).
    // `yaExistia` tells, atomically, whether another process held it already.
    virtual bool crearMutex(const QString &nombre, bool *yaExistia) = 0;
    virtual void liberarMutex() = 0;

    // Whether a receiver of this user is listening.
    virtual bool buscarVentanaReceptora() = 0;
    // Hands `texto` to the receiver; false when none answered within `msEspera`.
    virtual bool enviarAReceptora(const QString &texto, int msEspera = 100) = 0;
    // Starts listening; textoRecibido is emitted for each text handed over.
    virtual bool crearReceptora() = 0;
    // Why the last operation failed, in Spanish (empty when the service cannot tell).
    virtual QString ultimoError() const { return {}; }

    static QString nombreMutex() { return QStringLiteral("NTXMensajes"); }
    static QString nombreReceptora() { return QStringLiteral("NTXMensajes_RecepcionDeMensajes_v1"); }

Q_SIGNALS:
    void textoRecibido(const QString &texto);
};

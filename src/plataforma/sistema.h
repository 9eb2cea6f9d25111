// Every effect on the machine outside the program's own windows and files:
// beep, browser, other programs, desktop notifications, special folders, clock,
// offline state.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

class Sistema
{
public:
    virtual ~Sistema() = default;

    virtual void pitido() = 0;
    // Opens an address (or a file) with the user's web browser or the desktop's handler.
    // A failure, found at once or when the desktop's opener gives up later, goes to
    // alFallarNavegador as well.
    virtual bool abrirEnNavegador(const QString &direccion) = 0;
    // Starts a program by bare name: the program folder first, then the search path,
    // never the current working folder.
    virtual bool iniciarPrograma(const QString &nombre, const QStringList &argumentos = {}) = 0;
    // Hands a file to the desktop's default handler for its type (a .deb opens in
    // the system's package installer, which asks the user). True once the handler
    // took it. Doubles that never open files may leave it failing.
    virtual bool abrirConManejador(const QString &ruta)
    {
        Q_UNUSED(ruta);
        return false;
    }
    // A notice through the desktop's notifications (freedesktop notifications over
    // D-Bus), for what a window cannot tell: a window the desktop would not bring
    // forward, a notification area that is not there. True when a notification
    // server took it, or will be started for it; false when there is none.
    virtual bool notificar(const QString &titulo, const QString &texto, int msVisible)
    {
        Q_UNUSED(titulo);
        Q_UNUSED(texto);
        Q_UNUSED(msVisible);
        return false;
    }
    // Ends the process at once, without the close steps of any window.
    virtual void terminarProceso(int codigo = 0) = 0;

    // Identifier 28: local application data; 16: desktop. With a trailing separator.
    virtual QString carpetaEspecial(int identificador) const = 0;
    // Folder of the executable, without a trailing separator.
    virtual QString carpetaPrograma() const = 0;
    // The arguments joined with single blanks, exactly as received.
    virtual QString lineaDeComandos() const = 0;
    // True only when the user switched networking off, or NTX_SIN_CONEXION=1.
    virtual bool modoSinConexion() const = 0;
    // Major version of the embedded web engine.
    virtual int versionMotorWeb() const = 0;
    virtual QDateTime ahora() const = 0;

    // Lets pending paint and timer events run inside a long loop. User input is
    // held back unless `permitirEntrada` (only where a Cancel button must act).
    virtual void dejarCorrerMensajes(bool permitirEntrada = false) = 0;

    // The system's description of the last failure of abrirEnNavegador or iniciarPrograma
    // (doubles that never fail may leave it empty).
    virtual QString ultimoError() const { return {}; }

    // Told the address and the system's description when no browser could open it.
    std::function<void(const QString &direccion, const QString &error)> alFallarNavegador;

    static constexpr int CarpetaDatosLocales = 28;
    static constexpr int CarpetaEscritorio = 16;
};

// Hands a file to the desktop's default handler: `xdg-open`, else `gio open`
// (the program named by NTX_ABRIR_CON instead, when set). True when the opener
// ended well, or still runs after a while (a handler kept in front); false with
// `error` filled when the file is not there, no opener exists, or it failed.
bool AbrirConManejador(const QString &ruta, QString *error);

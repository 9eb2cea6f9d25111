// The history of the main window: what the saving switch ("Guardar una copia de
// este mensaje", in the improvements panel) means, the append of the message
// just sent, and the history window opened from the menu and the toolbar.
#pragma once

#include <QObject>
#include <QString>

#include "comun/composicion.h"
#include "comun/contexto.h"
#include "envio/mensajesaliente.h"
#include "historial/principalhistorial.h"

class QAction;

struct ControlesHistorial
{
    QAction *mnuHistorialMsjs = nullptr; // "Abrir Mensajes enviados"
};

// What the history needs of the main window: the status bar, the window itself
// and whether the composer is up.
class VentanaHistorial
{
public:
    virtual ~VentanaHistorial() = default;
    virtual void ponerEstado(int imagen, const QString &texto) = 0;
    // Owner of the history window, hidden while the store is read or rewritten.
    virtual QWidget *ventana() = 0;
    // The composer panel picEscritura is shown (a provider is chosen).
    virtual bool escrituraVisible() const = 0;
};

// The history window's view of the main window is the window and the composer together.
class ControladorHistorial final : public QObject, private PrincipalHistorial
{
    Q_OBJECT
public:
    ControladorHistorial(Contexto &ctx, VentanaHistorial &ventana, ReenvioComposicion &composicion,
                         const ControlesHistorial &controles, QObject *padre = nullptr);

    void mnuHistorialMsjs_Click();
    // The saving switch was turned on or off by the user: the status bar says so, and a
    // notice tells when this differs from the permanent setting.
    void cambioHistorial(bool guardar, bool permanente);
    // What the saving switch shows, whoever changed it.
    void ponerGuardar(bool guardar);
    // Appends the message just sent, as it was captured at the press.
    void GuardarEnHistorial(const MensajeSaliente &mensaje);
    // A delivery window ended: a delivered message is kept while saving is on.
    void envioTerminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado);

private:
    QWidget *ventana() override { return ventana_.ventana(); }
    bool escrituraVisible() const override { return ventana_.escrituraVisible(); }
    void reenviar(const QString &mensaje, const QString &remitente) override
    {
        composicion_.reenviar(mensaje, remitente);
    }
    void enfocarDestino() override { composicion_.enfocarDestino(); }

    Contexto &ctx;
    VentanaHistorial &ventana_;
    ReenvioComposicion &composicion_;
    ControlesHistorial c;
    bool guardar_ = false;
};

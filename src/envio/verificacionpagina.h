// Common ground of the Claro and Movilnet delivery windows: the operator's own
// page in a view, a status panel over it while a page loads, a cancel button,
// and the same handling of navigation errors and page close requests.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "comun/controles.h"
#include "envio/mensajesaliente.h"
#include "plataforma/vistaweb.h"

struct Contexto;

// clang-format off
#define NTX_CONTROLES_VERIFICACION_PAGINA(X) \
    X(QLabel, lblTextoArriba) X(VistaWeb, brwVerificacion) X(QFrame, fraVerificacion) X(QLabel, lblTrabajando) \
    X(QPushButton, cmdAceptar)
// clang-format on

// The controls of the Claro and Movilnet windows; cmdAceptar has the caption "Cancelar".
struct ControlesVerificacionPagina
{
    NTX_CONTROLES(NTX_CONTROLES_VERIFICACION_PAGINA, ControlesVerificacionPagina)
};

class VerificacionPagina : public QDialog
{
    Q_OBJECT
public:
    VerificacionPagina(Contexto &ctx, const MensajeSaliente &mensaje, QWidget *padre);

    // Opens the gateway's page in the window's view.
    void navegar(const QString &direccion);
    // The sentence over the page.
    void setTextoArriba(const QString &texto);

Q_SIGNALS:
    // The outcome, once: the status bar, the composer and the history listen.
    void terminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado);

protected:
    bool cerrada() const { return cerrada_; }
    // Closes once; later events of the view are ignored.
    void cerrar();
    // Closes, reports not delivered with `estado`, shows `texto` in a critical box titled `titulo`.
    void informarNoEnviado(const QString &estado, const QString &texto, const QString &titulo);
    void informarEnviado(const QString &estado, const QString &texto);
    // The gateway's form is up: the keyboard goes to its first text box, the code's.
    void mostrarFormulario();

    Contexto &ctx_;
    const MensajeSaliente mensaje_;
    ControlesVerificacionPagina ui;

private Q_SLOTS:
    void brwVerificacion_BeforeNavigate2();
    void brwVerificacion_NavigateError(bool &cancelar);
    void brwVerificacion_WindowClosing(bool &cancelar);
    void cmdAceptar_Click();

private:
    // Reads the page the gateway answered with; each window knows its own sentences.
    virtual void brwVerificacion_DownloadComplete() = 0;

    bool cerrada_ = false;
};

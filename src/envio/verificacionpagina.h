// Common ground of the Claro and Movilnet delivery windows: the operator's own
// page in a view, a status panel over it while a page loads, a cancel button,
// and the same handling of navigation errors and page close requests.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "envio/mensajesaliente.h"
#include "plataforma/vistaweb.h"

struct Contexto;

class VerificacionPagina : public QDialog
{
    Q_OBJECT
public:
    VerificacionPagina(Contexto &ctx, const MensajeSaliente &mensaje, QWidget *padre);

    VistaWeb *brwVerificacion = nullptr;
    QFrame *fraVerificacion = nullptr;
    QLabel *lblTrabajando = nullptr;
    QLabel *lblTextoArriba = nullptr;
    QPushButton *cmdAceptar = nullptr; // caption "Cancelar"

    void brwVerificacion_BeforeNavigate2();
    void brwVerificacion_NavigateError(bool &cancelar);
    void brwVerificacion_WindowClosing(bool &cancelar);
    virtual void brwVerificacion_DownloadComplete() = 0;
    void cmdAceptar_Click();

    bool cerrada() const { return cerrada_; }

Q_SIGNALS:
    // The outcome, once: the status bar, the composer and the history listen.
    void terminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado);

protected:
    // Closes once; later events of the view are ignored.
    void cerrar();
    // Closes, reports not delivered with `estado`, shows `texto` in a critical box titled `titulo`.
    void informarNoEnviado(const QString &estado, const QString &texto, const QString &titulo);
    void informarEnviado(const QString &estado, const QString &texto);

    Contexto &ctx_;
    const MensajeSaliente mensaje_;

private:
    bool cerrada_ = false;
};

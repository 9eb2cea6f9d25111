// Common ground of the Claro and Movilnet delivery windows: the operator's own
// page in a view, a status panel over it while a page loads, a cancel button,
// and the same handling of navigation errors and page close requests.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "plataforma/vistaweb.h"

struct Contexto;
class PrincipalEnvio;

class VerificacionPagina : public QDialog
{
    Q_OBJECT
public:
    VerificacionPagina(Contexto &ctx, PrincipalEnvio &principal, QWidget *padre);

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

protected:
    // Closes once; later events of the view are ignored.
    void cerrar();
    // Closes, writes picture 2 and `estado`, shows `texto` in a critical box titled `titulo`, shows the composer.
    void informarNoEnviado(const QString &estado, const QString &texto, const QString &titulo);
    void informarEnviado(const QString &estado, const QString &texto);

    Contexto &ctx_;
    PrincipalEnvio &principal_;

private:
    bool cerrada_ = false;
};

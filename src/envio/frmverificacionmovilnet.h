// frmVerificacionMovilnet: the Movilnet delivery window, twin of the Claro one
// with the gateway's own two sentences.
#pragma once

#include "envio/verificacionpagina.h"

class frmVerificacionMovilnet final : public VerificacionPagina
{
    Q_OBJECT
public:
    frmVerificacionMovilnet(Contexto &ctx, const MensajeSaliente &mensaje, QWidget *padre = nullptr);

private Q_SLOTS:
    void Form_Load();

private:
    void brwVerificacion_DownloadComplete() override;
};

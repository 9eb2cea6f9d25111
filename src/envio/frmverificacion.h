// frmVerificacion: the Claro delivery window. The user answers the code on the
// gateway's own page; every completed download is read for the known answers.
#pragma once

#include "envio/verificacionpagina.h"

class frmVerificacion final : public VerificacionPagina
{
    Q_OBJECT
public:
    frmVerificacion(Contexto &ctx, const MensajeSaliente &mensaje, QWidget *padre = nullptr);

private:
    void brwVerificacion_DownloadComplete() override;
};

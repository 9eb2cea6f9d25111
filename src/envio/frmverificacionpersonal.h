// frmVerificacionPersonal: the Personal delivery window. Shows only the
// gateway's verification image, takes the four digits, posts the form from a
// second, practically invisible view and reads the answer.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "comun/controles.h"
#include "envio/mensajesaliente.h"
#include "plataforma/vistaweb.h"

struct Contexto;

// clang-format off
#define NTX_CONTROLES_VERIFICACION_PERSONAL(X) \
    X(QLabel, lblTextoArriba) X(VistaWeb, brwVerificacion) X(QFrame, fraVerificacion) X(QLabel, lblTrabajando) \
    X(QLabel, lblEscribaaqui) X(QLineEdit, txtVerificacion) X(QPushButton, cmdEnviar) X(QPushButton, cmdCancelar) \
    X(VistaWeb, brwEnviaPersonal) X(QTimer, timReadyState) X(QTimer, timReadyStateEnvio)
// clang-format on

// brwEnviaPersonal posts the form, practically invisible; the timers poll the two views.
struct ControlesFrmVerificacionPersonal
{
    NTX_CONTROLES(NTX_CONTROLES_VERIFICACION_PERSONAL, ControlesFrmVerificacionPersonal)
};

class frmVerificacionPersonal final : public QDialog
{
    Q_OBJECT
public:
    frmVerificacionPersonal(Contexto &ctx, const MensajeSaliente &mensaje, const QString &cola,
                            QWidget *padre = nullptr);

    // The module state, read only: polling ticks, the page's cookie and image, the last POST body.
    qint16 ticksCarga() const { return TicksCarga; }
    qint16 ticksEnvio() const { return TicksEnvio; }
    const QString &cookiePagina() const { return CookiePagina; }
    const QString &archivoImagen() const { return ArchivoImagen; }
    const QString &cuerpoPost() const { return CuerpoPost; }

    static QString textoServidorLento();

Q_SIGNALS:
    // The outcome, once: the status bar, the composer and the history listen.
    void terminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private Q_SLOTS:
    void Form_Load();
    void timReadyState_Timer();
    void timReadyStateEnvio_Timer();
    void cmdEnviar_Click();
    void cmdCancelar_Click();
    // F5: a new verification image.
    void recargarImagen();
    void brwVerificacion_GotFocus();
    void brwVerificacion_WindowClosing(bool &cancelar);
    void brwEnviaPersonal_DocumentComplete();
    void brw_NavigateError(const QString &direccion, bool &cancelar);
    // Through the event filter: the key's code, set to 0 when the key is refused.
    void txtVerificacion_KeyPress(int &tecla);

private:
    // The address of the gateway page in use (alternative server or the configured host).
    QString direccionPasarela() const;
    bool esPasarela(const QString &direccion) const;
    void cerrar();

    ControlesFrmVerificacionPersonal ui;
    qint16 TicksCarga = 0;
    qint16 TicksEnvio = 0;
    QString CookiePagina;
    QString ArchivoImagen;
    QString CuerpoPost;
    QString cola;
    Contexto &ctx_;
    const MensajeSaliente mensaje_;
    int scrollEnvioAnterior_ = -1;
    bool cerrada_ = false;
};

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

#include "envio/mensajesaliente.h"
#include "plataforma/vistaweb.h"

struct Contexto;

class frmVerificacionPersonal final : public QDialog
{
    Q_OBJECT
public:
    frmVerificacionPersonal(Contexto &ctx, const MensajeSaliente &mensaje, const QString &cola,
                            QWidget *padre = nullptr);

    VistaWeb *brwVerificacion = nullptr;
    VistaWeb *brwEnviaPersonal = nullptr;
    QFrame *fraVerificacion = nullptr;
    QLabel *lblTrabajando = nullptr;
    QLabel *lblTextoArriba = nullptr;
    QLabel *lblEscribaaqui = nullptr;
    QLineEdit *txtVerificacion = nullptr;
    QPushButton *cmdEnviar = nullptr;
    QPushButton *cmdCancelar = nullptr;
    QTimer timReadyState;
    QTimer timReadyStateEnvio;

    qint16 TicksCarga = 0;
    qint16 TicksEnvio = 0;
    QString CookiePagina;
    QString ArchivoImagen;
    QString CuerpoPost;
    QString cola;

    void Form_Load();
    void timReadyState_Timer();
    void timReadyStateEnvio_Timer();
    void cmdEnviar_Click();
    void cmdCancelar_Click();
    // F5: a new verification image.
    void recargarImagen();
    void txtVerificacion_KeyPress(int &tecla);
    void brwVerificacion_GotFocus();
    void brwVerificacion_WindowClosing(bool &cancelar);
    void brwEnviaPersonal_DocumentComplete();
    void brw_NavigateError(const QString &direccion, bool &cancelar);

    // The address of the gateway page in use (alternative server or the configured host).
    QString direccionPasarela() const;
    static QString textoServidorLento();

Q_SIGNALS:
    // The outcome, once: the status bar, the composer and the history listen.
    void terminado(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    bool esPasarela(const QString &direccion) const;
    void cerrar();

    Contexto &ctx_;
    const MensajeSaliente mensaje_;
    int scrollEnvioAnterior_ = -1;
    bool cerrada_ = false;
};

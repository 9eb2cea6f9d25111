// A context for the delivery-window tests: scripted views, recorded boxes and
// beeps, the message being sent, and a recorder of the outcomes a window reports.
#pragma once

#include <QDateTime>
#include <QList>
#include <QPair>

#include "comun/contexto.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "dobles/vistawebguion.h"
#include "envio/mensajesaliente.h"

// The outcomes a delivery window reported, as the main window would apply them:
// (picture, text) for the status bar, the composer shown, the messages delivered.
struct ResultadosAnotados
{
    QList<QPair<int, QString>> estados;
    int escrituraMostrada = 0;
    int guardados = 0; // reported delivered: what the history would append
    QList<MensajeSaliente> mensajes;

    void anotar(const MensajeSaliente &mensaje, const ResultadoEnvio &resultado)
    {
        estados.append({resultado.enviado ? 1 : 2, resultado.estado});
        if (resultado.mostrarEscritura)
            ++escrituraMostrada;
        if (resultado.enviado)
            ++guardados;
        mensajes.append(mensaje);
    }
    template <typename Ventana> void escuchar(Ventana *ventana)
    {
        QObject::connect(ventana, &Ventana::terminado, ventana,
                         [this](const MensajeSaliente &m, const ResultadoEnvio &r) { anotar(m, r); });
    }
};

struct EntornoEnvio
{
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos;
    QList<VistaWebGuion *> vistas;
    ResultadosAnotados principal;
    MensajeSaliente mensaje;
    Contexto ctx{ajustes,
                 dialogos,
                 sistema,
                 instancia,
                 avisos,
                 [this](QWidget *padre) {
                     auto *v = new VistaWebGuion(padre);
                     vistas.append(v);
                     return v;
                 },
                 Direcciones{}};

    EntornoEnvio()
    {
        ctx.direcciones = {QStringLiteral("http://127.0.0.1:4000"), QStringLiteral("http://127.0.0.1:4001"),
                           QStringLiteral("http://127.0.0.1:4002"), QStringLiteral("http://127.0.0.1:4003")};
        mensaje.remitente = QStringLiteral("Ana");
        mensaje.texto = QStringLiteral("Hola");
        mensaje.destinatario.codArea = QStringLiteral("2966");
        mensaje.destinatario.numero = QStringLiteral("123456");
        mensaje.destinatario.nombre = QStringLiteral("Juan");
        mensaje.destinatario.agendado = true;
    }
};

// A context for the delivery-window tests: scripted views, recorded boxes and
// beeps, and a stand-in main window that records what the windows did to it.
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
#include "envio/principalenvio.h"

class PrincipalAnotada final : public PrincipalEnvio
{
public:
    QList<QPair<int, QString>> estados;
    int escrituraMostrada = 0;
    bool historial = true;
    int guardados = 0;
    QString textoRemitente = QStringLiteral("Ana");
    QString textoMensaje = QStringLiteral("Hola");
    QString area = QStringLiteral("2966");
    QString num = QStringLiteral("123456");

    void ponerEstado(int imagen, const QString &texto) override { estados.append({imagen, texto}); }
    void mostrarEscritura() override { ++escrituraMostrada; }
    bool historialMarcado() const override { return historial; }
    void guardarEnHistorial() override { ++guardados; }
    QString remitente() const override { return textoRemitente; }
    QString mensaje() const override { return textoMensaje; }
    QString codArea() const override { return area; }
    QString numero() const override { return num; }
    QWidget *ventana() override { return nullptr; }
};

struct EntornoEnvio
{
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos;
    QList<VistaWebGuion *> vistas;
    PrincipalAnotada principal;
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
        ctx.envio.DestinatarioNombre = QStringLiteral("Juan");
        ctx.envio.DestinatarioNumero = QStringLiteral("2966 123456");
    }
};

// What the end-to-end tests of one and of several recipients share: the main
// window on test doubles with the real web views, and questions to the simulator.
#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>

#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"
#include "plataforma/vistawebperfil.h"
#include "shell/frmbrowser.h"

// The simulator's record of what it received, read over loopback.
class ConsultasSimulador
{
public:
    QByteArray obtener(const QString &direccion)
    {
        QNetworkReply *r = red.get(QNetworkRequest(QUrl(direccion)));
        QSignalSpy fin(r, &QNetworkReply::finished);
        if (!r->isFinished())
            fin.wait(60000);
        const QByteArray cuerpo = r->readAll();
        r->deleteLater();
        return cuerpo;
    }
    QJsonArray peticiones(const QString &base)
    {
        return QJsonDocument::fromJson(obtener(base + QStringLiteral("/_sim/peticiones"))).array();
    }
    QJsonArray mensajes(const QString &base)
    {
        return QJsonDocument::fromJson(obtener(base + QStringLiteral("/_sim/mensajes"))).array();
    }
    QString codigo(const QString &base) { return QString::fromLatin1(obtener(base + QStringLiteral("/_sim/codigo"))); }

private:
    QNetworkAccessManager red;
};

// The real main window, shown, over doubles that keep its data in `datos`.
struct ClienteE2e
{
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos;
    Contexto ctx;
    frmBrowser *b = nullptr;
    ClienteE2e(const QString &datos, const Direcciones &d)
        : ctx{ajustes, dialogos, sistema, instancia, avisos, fabricaVistaWebMotor(), d}
    {
        sistema.datosLocales = datos + QLatin1Char('/');
        b = new frmBrowser(ctx);
        b->show();
    }
    ~ClienteE2e() { delete b; }
    ClienteE2e(const ClienteE2e &) = delete;
    ClienteE2e &operator=(const ClienteE2e &) = delete;
};

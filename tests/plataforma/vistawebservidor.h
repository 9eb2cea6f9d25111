// A tiny loopback HTTP server for the engine-level tests of the real web view:
// pages by path, each with its status and extra headers, and a record of every
// request received. Pages the gateways' simulator has no reason to serve
// (redirects, frames, scripts that close the window) live here.
#pragma once

#include <QAbstractHttpServer>
#include <QHash>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QList>
#include <QTcpSocket>
#include <QUrl>

class VistaWebServidor final : public QAbstractHttpServer
{
public:
    struct Respuesta
    {
        QByteArray cuerpo;
        int estado = 200;
        QList<QPair<QByteArray, QByteArray>> cabeceras;
    };
    struct Pedido
    {
        QByteArray metodo;
        QString ruta;
        QByteArray cuerpo;
        QList<QPair<QByteArray, QByteArray>> cabeceras;

        QByteArray cabecera(const QByteArray &nombre) const
        {
            for (const auto &c : cabeceras) {
                if (c.first.compare(nombre, Qt::CaseInsensitive) == 0) {
                    return c.second;
                }
            }
            return {};
        }
    };

    VistaWebServidor() { puerto_ = listen(QHostAddress::LocalHost, 0); }

    quint16 puerto() const { return puerto_; }
    QString url(const QString &ruta) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(puerto_).arg(ruta); }

    void poner(const QString &ruta, const QByteArray &html, int estado = 200,
               QList<QPair<QByteArray, QByteArray>> cabeceras = {})
    {
        paginas_.insert(ruta, {html, estado, std::move(cabeceras)});
    }

    // Requests to this path are never answered (a server that hangs).
    void colgar(const QString &ruta) { colgadas_.append(ruta); }

    QList<Pedido> pedidos;

    QList<Pedido> pedidosA(const QString &ruta) const
    {
        QList<Pedido> r;
        for (const Pedido &p : pedidos) {
            if (p.ruta == ruta) {
                r.append(p);
            }
        }
        return r;
    }

protected:
    bool handleRequest(const QHttpServerRequest &pedido, QTcpSocket *socket) override
    {
        const QString ruta = pedido.url().path();
        Pedido p;
        p.metodo =
            pedido.method() == QHttpServerRequest::Method::Post ? QByteArrayLiteral("POST") : QByteArrayLiteral("GET");
        p.ruta = ruta;
        p.cuerpo = pedido.body();
        p.cabeceras = pedido.headers();
        pedidos.append(p);
        if (colgadas_.contains(ruta)) {
            return true;
        }
        const auto it = paginas_.constFind(ruta);
        if (it == paginas_.constEnd()) {
            return false;
        }
        QHttpServerResponder r = makeResponder(pedido, socket);
        r.writeStatusLine(QHttpServerResponder::StatusCode(it->estado));
        r.writeHeader("Content-Type", "text/html; charset=utf-8");
        r.writeHeader("Content-Length", QByteArray::number(it->cuerpo.size()));
        r.writeHeader("Cache-Control", "no-store");
        for (const auto &c : it->cabeceras) {
            r.writeHeader(c.first, c.second);
        }
        r.writeBody(it->cuerpo);
        return true;
    }

    void missingHandler(const QHttpServerRequest &pedido, QTcpSocket *socket) override
    {
        makeResponder(pedido, socket).write(QHttpServerResponder::StatusCode::NotFound);
    }

private:
    quint16 puerto_ = 0;
    QHash<QString, Respuesta> paginas_;
    QStringList colgadas_;
};

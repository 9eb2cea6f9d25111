// A tiny loopback HTTP server for the engine-level tests of the real web view:
// pages by path, each with its status and extra headers, and a record of every
// request received. Pages the gateways' simulator has no reason to serve
// (redirects, frames, scripts that close the window) live here.
//
// HTTP/1.1 read straight off QTcpServer sockets: request line, header lines as
// sent, body by Content-Length, several requests on one kept-alive connection.
#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

class VistaWebServidor final : public QObject
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

    VistaWebServidor()
    {
        if (servidor_.listen(QHostAddress::LocalHost, 0)) {
            puerto_ = servidor_.serverPort();
        }
        connect(&servidor_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = servidor_.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, this, [this, s] { leer(s); });
                connect(s, &QTcpSocket::disconnected, this, [this, s] {
                    entradas_.remove(s);
                    s->deleteLater();
                });
            }
        });
    }

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

private:
    void leer(QTcpSocket *s)
    {
        QByteArray &entrada = entradas_[s];
        entrada += s->readAll();
        for (;;) {
            const qsizetype fin = entrada.indexOf("\r\n\r\n");
            if (fin < 0) {
                return;
            }
            const QList<QByteArray> lineas = entrada.left(fin).split('\n');
            const QList<QByteArray> inicio = lineas.constFirst().trimmed().split(' ');
            if (inicio.size() != 3) {
                responder(s, 400, "<html><body>Pedido mal formado</body></html>", {});
                s->disconnectFromHost();
                entradas_.remove(s);
                return;
            }
            Pedido p;
            p.metodo = inicio.at(0);
            p.ruta = QUrl(QString::fromLatin1(inicio.at(1))).path();
            qsizetype largo = 0;
            for (qsizetype i = 1; i < lineas.size(); ++i) {
                const QByteArray linea = lineas.at(i).trimmed();
                const qsizetype dos = linea.indexOf(':');
                if (dos <= 0) {
                    continue;
                }
                p.cabeceras.append({linea.left(dos).trimmed(), linea.mid(dos + 1).trimmed()});
                if (p.cabeceras.constLast().first.compare("Content-Length", Qt::CaseInsensitive) == 0) {
                    largo = p.cabeceras.constLast().second.toLongLong();
                }
            }
            if (entrada.size() < fin + 4 + largo) {
                return; // the body is still on its way
            }
            p.cuerpo = entrada.mid(fin + 4, largo);
            entrada.remove(0, fin + 4 + largo);
            pedidos.append(p);
            if (colgadas_.contains(p.ruta)) {
                continue;
            }
            const auto it = paginas_.constFind(p.ruta);
            if (it == paginas_.constEnd()) {
                responder(s, 404, {}, {});
            } else {
                responder(s, it->estado, it->cuerpo, it->cabeceras);
            }
        }
    }

    static void responder(QTcpSocket *s, int estado, const QByteArray &cuerpo,
                          const QList<QPair<QByteArray, QByteArray>> &cabeceras)
    {
        QByteArray r = "HTTP/1.1 " + QByteArray::number(estado) + ' ' + frase(estado) + "\r\n";
        r += "Content-Type: text/html; charset=utf-8\r\n";
        r += "Content-Length: " + QByteArray::number(cuerpo.size()) + "\r\n";
        r += "Cache-Control: no-store\r\n";
        for (const auto &c : cabeceras) {
            r += c.first + ": " + c.second + "\r\n";
        }
        r += "\r\n" + cuerpo;
        s->write(r);
    }

    static QByteArray frase(int estado)
    {
        switch (estado) {
        case 200:
            return "OK";
        case 302:
            return "Found";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Estado";
        }
    }

    quint16 puerto_ = 0;
    QHash<QString, Respuesta> paginas_;
    QStringList colgadas_;
    QHash<QTcpSocket *, QByteArray> entradas_;
    // Last, so it goes first: its sockets report their disconnection while the rest still exists.
    QTcpServer servidor_;
};

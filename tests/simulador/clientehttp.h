// Small helpers for the simulator tests: one HTTP exchange through
// QNetworkAccessManager (no cookie jar of its own, so each test states the
// cookies it sends) and one raw exchange over a socket, both waiting on
// signals with generous time-outs.
#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

struct RespuestaHttp
{
    int estado = 0;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QByteArray cuerpo;
    QList<QPair<QByteArray, QByteArray>> cabeceras;

    QByteArray cabecera(const QByteArray &nombre) const
    {
        for (const auto &par : cabeceras) {
            if (par.first.compare(nombre, Qt::CaseInsensitive) == 0)
                return par.second;
        }
        return {};
    }
    QString texto() const { return QString::fromUtf8(cuerpo); }
    QJsonArray lista() const { return QJsonDocument::fromJson(cuerpo).array(); }
};

class SinGalletas final : public QNetworkCookieJar
{
public:
    bool setCookiesFromUrl(const QList<QNetworkCookie> &, const QUrl &) override { return false; }
    QList<QNetworkCookie> cookiesForUrl(const QUrl &) const override { return {}; }
};

class ClienteHttp
{
public:
    static constexpr int kEspera = 20000;

    ClienteHttp() { m_red.setCookieJar(new SinGalletas); }

    RespuestaHttp pedir(const QByteArray &metodo, const QString &url, const QByteArray &cuerpo = {},
                        const QList<QPair<QByteArray, QByteArray>> &cabeceras = {})
    {
        QNetworkRequest peticion{QUrl(url)};
        peticion.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        for (const auto &par : cabeceras)
            peticion.setRawHeader(par.first, par.second);
        QNetworkReply *respuesta = m_red.sendCustomRequest(peticion, metodo, cuerpo);
        QSignalSpy terminado(respuesta, &QNetworkReply::finished);
        RespuestaHttp r;
        if (!respuesta->isFinished() && !terminado.wait(kEspera)) {
            respuesta->abort();
            r.error = QNetworkReply::TimeoutError;
        } else {
            r.error = respuesta->error();
        }
        r.estado = respuesta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        r.cuerpo = respuesta->readAll();
        r.cabeceras = respuesta->rawHeaderPairs();
        respuesta->deleteLater();
        return r;
    }

    RespuestaHttp get(const QString &url, const QList<QPair<QByteArray, QByteArray>> &cabeceras = {})
    {
        return pedir("GET", url, {}, cabeceras);
    }

    RespuestaHttp post(const QString &url, const QByteArray &cuerpo,
                       const QList<QPair<QByteArray, QByteArray>> &cabeceras = {})
    {
        return pedir("POST", url, cuerpo, cabeceras);
    }

private:
    QNetworkAccessManager m_red;
};

// Sends raw bytes (in pieces, each one flushed and sent after the previous
// one left) and gathers everything until the server closes or the text
// holds a complete answer of the given count.
inline QByteArray intercambioCrudo(quint16 puerto, const QList<QByteArray> &piezas, int respuestasEsperadas = 1)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, puerto);
    if (socket.state() != QAbstractSocket::ConnectedState) {
        QSignalSpy conectado(&socket, &QTcpSocket::connected);
        if (!conectado.wait(ClienteHttp::kEspera))
            return {};
    }
    QByteArray recibido;
    QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [&] { recibido += socket.readAll(); });
    for (const QByteArray &pieza : piezas) {
        socket.write(pieza);
        QSignalSpy escrito(&socket, &QTcpSocket::bytesWritten);
        if (socket.bytesToWrite() > 0)
            escrito.wait(ClienteHttp::kEspera);
    }
    // Done when the server closes, or when every expected answer is complete.
    auto completas = [&recibido] {
        int cuenta = 0;
        qsizetype desde = 0;
        while (true) {
            const qsizetype fin = recibido.indexOf("\r\n\r\n", desde);
            if (fin < 0)
                return cuenta;
            const qsizetype cl = recibido.indexOf("Content-Length: ", desde);
            if (cl < 0 || cl > fin)
                return cuenta;
            const qsizetype finLinea = recibido.indexOf("\r\n", cl);
            const qsizetype largo = recibido.mid(cl + 16, finLinea - cl - 16).toLongLong();
            if (recibido.size() < fin + 4 + largo)
                return cuenta;
            ++cuenta;
            desde = fin + 4 + largo;
        }
    };
    (void)QTest::qWaitFor(
        [&] { return socket.state() == QAbstractSocket::UnconnectedState || completas() >= respuestasEsperadas; },
        ClienteHttp::kEspera);
    recibido += socket.readAll();
    return recibido;
}

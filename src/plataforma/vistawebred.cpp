#include "plataforma/vistawebred.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "plataforma/textocuerpo.h"

VistaWebRed::VistaWebRed(const QByteArray &agenteUsuario, const QByteArray &idioma, QWidget *padre)
    : VistaWeb(padre)
    , red_(new QNetworkAccessManager(this))
    , agenteUsuario_(agenteUsuario)
    , idioma_(idioma)
{
    red_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

void VistaWebRed::navegar(const QString &direccion)
{
    navegarPost(direccion, {}, {});
}

void VistaWebRed::navegarPost(const QString &direccion, const QByteArray &cuerpo, const QString &cabeceras)
{
    const QUrl url = QUrl::fromUserInput(direccion);
    bool cancelar = false;
    Q_EMIT antesDeNavegar(url.toString(), QString(), cuerpo, cabeceras, cancelar, true);
    if (cancelar)
        return;
    detener();
    QNetworkRequest pedido(url);
    if (!agenteUsuario_.isEmpty())
        pedido.setHeader(QNetworkRequest::UserAgentHeader, agenteUsuario_);
    if (!idioma_.isEmpty())
        pedido.setRawHeader("Accept-Language", idioma_);
    for (const QString &linea : cabeceras.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype dos = linea.indexOf(QLatin1Char(':'));
        if (dos > 0)
            pedido.setRawHeader(linea.left(dos).trimmed().toLatin1(), linea.mid(dos + 1).trimmed().toLatin1());
    }
    direccion_ = url.toString();
    estado_ = 1;
    respuesta_ = cuerpo.isEmpty() && cabeceras.isEmpty() ? red_->get(pedido) : red_->post(pedido, cuerpo);
    QNetworkReply *respuesta = respuesta_;
    connect(respuesta, &QNetworkReply::finished, this, [this, respuesta] { terminada(respuesta); });
}

void VistaWebRed::recargar()
{
    if (!direccion_.isEmpty())
        navegar(direccion_);
}

void VistaWebRed::detener()
{
    if (!respuesta_)
        return;
    QNetworkReply *respuesta = respuesta_;
    respuesta_ = nullptr;
    respuesta->disconnect(this);
    respuesta->abort();
    respuesta->deleteLater();
    estado_ = Completo;
}

void VistaWebRed::terminada(QNetworkReply *respuesta)
{
    respuesta->deleteLater();
    if (respuesta != respuesta_)
        return;
    respuesta_ = nullptr;
    direccion_ = respuesta->url().toString();
    const int codigo = respuesta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    html_ =
        DecodificarPagina(respuesta->readAll(), respuesta->header(QNetworkRequest::ContentTypeHeader).toByteArray());
    texto_ = TextoCuerpo(html_);
    estado_ = Completo;
    if (respuesta->error() != QNetworkReply::NoError || codigo >= 400) {
        // Whatever arrived is not the page asked for.
        html_.clear();
        texto_.clear();
        bool cancelar = false;
        Q_EMIT errorDeNavegacion(direccion_, QString(), codigo > 0 ? codigo : -1, cancelar);
        return;
    }
    Q_EMIT navegacionCompleta(direccion_);
    Q_EMIT documentoCompleto(direccion_);
}

// A view that only reads pages: a plain network request per navigation, no
// renderer process. For pages the program reads and never shows (the remote
// configuration); it answers the reads it can (address, body text) and reports
// the load as the engine's view does.
#pragma once

#include "plataforma/vistaweb.h"

class QNetworkAccessManager;
class QNetworkReply;

class VistaWebRed final : public VistaWeb
{
    Q_OBJECT
public:
    // `agenteUsuario` and `idioma` are sent as the engine's views send them.
    VistaWebRed(const QByteArray &agenteUsuario, const QByteArray &idioma, QWidget *padre = nullptr);

    void navegar(const QString &direccion) override;
    void navegarPost(const QString &direccion, const QByteArray &cuerpo, const QString &cabeceras) override;
    void detener() override;
    void atras() override {}
    // The page is read again from the network.
    void recargar() override;
    void setSilencioso(bool) override {}

    int estadoListo() const override { return estado_; }
    bool ocupado() const override { return respuesta_ != nullptr; }
    QString direccion() const override { return direccion_; }
    QString textoCuerpo() const override { return texto_; }
    QString htmlCuerpo() const override { return {}; }
    QString htmlRaiz() const override { return html_; }
    QString cookies() const override { return {}; }
    QString desbordeRaiz() const override { return {}; }
    int scrollArriba() const override { return 0; }
    int scrollIzquierda() const override { return 0; }
    QString atributoCuerpo(const QString &) const override { return {}; }
    void setDesbordeRaiz(const QString &) override {}
    void setScroll(int, int) override {}
    void setAtributoCuerpo(const QString &, const QString &) override {}
    void ejecutarScript(const QString &) override {}

private:
    void terminada(QNetworkReply *respuesta);

    QNetworkAccessManager *red_;
    QNetworkReply *respuesta_ = nullptr;
    QByteArray agenteUsuario_;
    QByteArray idioma_;
    QString direccion_;
    QString html_;
    QString texto_;
    int estado_ = 0;
};

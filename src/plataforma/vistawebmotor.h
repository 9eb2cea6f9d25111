// VistaWeb over QtWebEngine. Reads of the document come from a snapshot taken
// by script after each load and after each script or write, so callers read
// synchronously as they would from an in-process browser control.
#pragma once

#include "plataforma/vistaweb.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QUrl>

class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;
class PaginaVistaWeb;
class InterceptorVistaWeb;

class VistaWebMotor final : public VistaWeb
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VistaWebMotor)
public:
    // Without a profile the process-wide shared one is used.
    explicit VistaWebMotor(QWidget *padre = nullptr, QWebEngineProfile *perfil = nullptr);
    ~VistaWebMotor() override;

    void navegar(const QString &direccion) override;
    void navegarPost(const QString &direccion, const QByteArray &cuerpo, const QString &cabeceras) override;
    void detener() override;
    void atras() override;
    void recargar() override;
    void setSilencioso(bool silencioso) override;
    bool silencioso() const;

    int estadoListo() const override { return estado_; }
    bool ocupado() const override { return ocupado_; }
    QString direccion() const override;
    QString origenNavegacion() const override { return origen_; }
    QString textoCuerpo() const override { return foto_.textoCuerpo; }
    QString htmlCuerpo() const override { return foto_.htmlCuerpo; }
    QString htmlRaiz() const override { return foto_.htmlRaiz; }
    QString cookies() const override { return foto_.cookies; }
    QString desbordeRaiz() const override { return foto_.desbordeRaiz; }
    int scrollArriba() const override { return foto_.scrollArriba; }
    int scrollIzquierda() const override { return foto_.scrollIzquierda; }
    QString atributoCuerpo(const QString &nombre) const override;

    void setDesbordeRaiz(const QString &valor) override;
    void setScroll(int arriba, int izquierda) override;
    void setAtributoCuerpo(const QString &nombre, const QString &valor) override;
    void ejecutarScript(const QString &codigo) override;

    // The engine widget, for screenshots and focus in tests.
    QWebEngineView *motor() const { return vista_; }

Q_SIGNALS:
    // A snapshot was stored (after a load, a script or a write). Tests wait on it.
    void instantaneaActualizada();

private:
    struct Instantanea
    {
        QString textoCuerpo;
        QString htmlCuerpo;
        QString htmlRaiz;
        QString cookies;
        QString desbordeRaiz;
        int scrollArriba = 0;
        int scrollIzquierda = 0;
        // Body attributes, names in lower case.
        QHash<QString, QString> atributos;
        // (frame name, frame address) of the page's frames.
        QList<QPair<QString, QString>> marcos;
    };
    struct PostPendiente
    {
        QUrl url;
        QByteArray cuerpo;
        QString cabeceras;
    };

    friend class PaginaVistaWeb;
    bool filtrarNavegacion(const QUrl &url, int tipo, bool marcoPrincipal);
    void alCambiarCarga(const QWebEngineLoadingInfo &info);
    enum class FinDeCarga {
        Ninguno,    // a refresh after a script: no state change, no events
        Completa,   // the page arrived: complete, then the three completion events
        Fallida,    // failed or stopped: complete, only descargaCompleta
        SinEventos, // a refused navigation: back to complete, silently
    };
    void tomarInstantanea(FinDeCarga fin);
    void ejecutarYRefrescar(const QString &codigo);
    QString marcoDe(const QUrl &url) const;
    void alCambiarFoco(QWidget *antes, QWidget *ahora);

    QWebEngineView *vista_;
    PaginaVistaWeb *pagina_;
    InterceptorVistaWeb *interceptor_;
    Instantanea foto_;
    int estado_ = 0;
    bool ocupado_ = false;
    // Bumped by every load start: a snapshot of an older load must not mark a newer one complete.
    quint64 generacion_ = 0;
    bool cargando_ = false;
    QUrl urlCarga_;
    // Last main-frame navigation the filter refused; its end is not a failure.
    QUrl rechazada_;
    // Last main-frame navigation the filter let through: a redirect comes from it.
    QString enCurso_;
    QString origen_;
    bool hayPost_ = false;
    PostPendiente post_;
};

// The embedded web view: every request to a gateway or to the maker's site goes
// through one of these. Document reads come from a snapshot taken after each
// load and after each script, so they are synchronous and may be stale until
// the next poll.
#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <functional>

class VistaWeb : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    ~VistaWeb() override = default;

    // Operations
    virtual void navegar(const QString &direccion) = 0;
    // POST with exactly `cuerpo`; `cabeceras` holds header lines separated by line feeds.
    virtual void navegarPost(const QString &direccion, const QByteArray &cuerpo, const QString &cabeceras) = 0;
    virtual void detener() = 0;
    virtual void atras() = 0;
    // Loads the page shown again, as a browser's F5.
    virtual void recargar() = 0;
    virtual void setSilencioso(bool silencioso) = 0;

    // State. estadoListo(): below 3 while loading, 4 once the snapshot is taken.
    virtual int estadoListo() const = 0;
    virtual bool ocupado() const = 0;
    virtual QString direccion() const = 0;
    // While antesDeNavegar is handled: the page the navigation comes from. For a
    // server's redirect that is the address that answered with it, which the view
    // does not show yet; otherwise the page shown.
    virtual QString origenNavegacion() const { return direccion(); }
    virtual QString textoCuerpo() const = 0;
    virtual QString htmlCuerpo() const = 0;
    virtual QString htmlRaiz() const = 0;
    virtual QString cookies() const = 0;
    virtual QString desbordeRaiz() const = 0;
    virtual int scrollArriba() const = 0;
    virtual int scrollIzquierda() const = 0;
    // Attributes of the body element ("scroll", "leftMargin", "topMargin").
    virtual QString atributoCuerpo(const QString &nombre) const = 0;

    // Writes, applied by script; the snapshot is refreshed afterwards.
    virtual void setDesbordeRaiz(const QString &valor) = 0;
    virtual void setScroll(int arriba, int izquierda) = 0;
    virtual void setAtributoCuerpo(const QString &nombre, const QString &valor) = 0;
    virtual void ejecutarScript(const QString &codigo) = 0;

    static constexpr int Completo = 4;

Q_SIGNALS:
    // Links, form submissions, scripted navigations and redirects, ntx:// included.
    // `marcoPrincipal` is false for a navigation inside a frame of the page (whatever
    // the frame's name, which may be empty); it comes last so that handlers written
    // without it still connect.
    void antesDeNavegar(const QString &direccion, const QString &marco, const QByteArray &datosPost,
                        const QString &cabeceras, bool &cancelar, bool marcoPrincipal);
    void navegacionCompleta(const QString &direccion);
    void documentoCompleto(const QString &direccion);
    void descargaCompleta();
    // Network failures and HTTP errors; never for navigations the program cancelled.
    void errorDeNavegacion(const QString &direccion, const QString &marco, int codigo, bool &cancelar);
    void cierreDeVentana(bool &cancelar);
    void focoRecibido();
    // A page asked for a new window (target "_blank").
    void nuevaVentana(const QString &direccion);
};

// Windows create their views through this, so tests can hand in scripted ones.
using FabricaVistaWeb = std::function<VistaWeb *(QWidget *padre)>;

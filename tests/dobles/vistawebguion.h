// Scripted VistaWeb for window tests: the test gives it pages per address,
// reads back every navigation, POST, script and write, fires its events and
// sets its state. Nothing happens on its own: a navigation stays loading until
// the test calls completarCarga() or fallarCarga(), unless
// setCompletarAlNavegar(true) was set.
#pragma once

#include "plataforma/vistaweb.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QStringList>

class VistaWebGuion final : public VistaWeb
{
    Q_OBJECT
public:
    struct Pagina
    {
        QString textoCuerpo;
        QString htmlCuerpo;
        // Empty: "<html><body>" + htmlCuerpo + "</body></html>".
        QString htmlRaiz;
        QString cookies;
        QString desbordeRaiz;
        int scrollArriba = 0;
        int scrollIzquierda = 0;
        // Body attributes by lower-case name.
        QHash<QString, QString> atributos;
    };

    struct Navegacion
    {
        QString direccion;
        bool post = false;
        QByteArray cuerpo;
        QString cabeceras;
    };

    struct EscrituraScroll
    {
        int arriba;
        int izquierda;
        bool operator==(const EscrituraScroll &o) const { return arriba == o.arriba && izquierda == o.izquierda; }
    };

    explicit VistaWebGuion(QWidget *padre = nullptr);

    // --- Script of the test ------------------------------------------------
    void ponerPagina(const QString &direccion, const Pagina &pagina);
    // Shortcut: a page with this body HTML; its text is the HTML without tags.
    void ponerPaginaHtml(const QString &direccion, const QString &htmlCuerpo, const QString &cookies = {});
    // Address with no page given loads an empty page.
    void setCompletarAlNavegar(bool si) { completarAlNavegar_ = si; }
    // Writes land in the document only at the next refrescar(), as in the real
    // view whose snapshot follows the write.
    void setEscriturasDiferidas(bool si) { diferidas_ = si; }
    // Largest scroll the page allows (a page not laid out yet: 0). -1: no limit.
    void setScrollMaximo(int arriba, int izquierda);
    // Called for every script run, after it is recorded.
    void setAlEjecutarScript(std::function<void(VistaWebGuion &, const QString &)> f) { alScript_ = std::move(f); }

    // The pending navigation arrives: page in place, state complete, then
    // navegacionCompleta, descargaCompleta, documentoCompleto.
    void completarCarga();
    // The pending navigation fails: errorDeNavegacion (its cancel returned),
    // state complete, descargaCompleta.
    bool fallarCarga(int codigo);
    void refrescar();

    // Events fired by hand; each returns the cancel flag set by the owner.
    bool dispararAntesDeNavegar(const QString &direccion, const QString &marco = {}, const QByteArray &datosPost = {},
                                const QString &cabeceras = {}, bool marcoPrincipal = true);
    bool dispararErrorDeNavegacion(const QString &direccion, int codigo, const QString &marco = {});
    bool dispararCierreDeVentana();
    void dispararNavegacionCompleta(const QString &direccion) { Q_EMIT navegacionCompleta(direccion); }
    void dispararDocumentoCompleto(const QString &direccion) { Q_EMIT documentoCompleto(direccion); }
    void dispararDescargaCompleta() { Q_EMIT descargaCompleta(); }
    void dispararFoco() { Q_EMIT focoRecibido(); }
    void dispararNuevaVentana(const QString &direccion) { Q_EMIT nuevaVentana(direccion); }

    void setEstadoListo(int estado) { estado_ = estado; }
    void setOcupado(bool ocupado) { ocupado_ = ocupado; }
    // The document shown now, to change it in place.
    Pagina &documento() { return actual_; }

    // --- What the owner did -------------------------------------------------
    QList<Navegacion> navegaciones;
    QStringList scripts;
    QList<EscrituraScroll> escriturasScroll;
    QStringList escriturasDesborde;
    QList<QPair<QString, QString>> escriturasAtributo;
    int detenciones = 0;
    int atrases = 0;
    int recargas = 0;
    // Every setSilencioso() value, in order.
    QList<bool> silencios;
    bool esSilencioso() const { return silencios.isEmpty() ? false : silencios.last(); }
    // Navigations the owner cancelled in antesDeNavegar.
    QStringList canceladas;
    // Address loading now, empty when none.
    QString pendiente() const { return pendiente_.direccion; }

    // --- VistaWeb -----------------------------------------------------------
    void navegar(const QString &direccion) override;
    void navegarPost(const QString &direccion, const QByteArray &cuerpo, const QString &cabeceras) override;
    void detener() override;
    void atras() override;
    void recargar() override { ++recargas; }
    void setSilencioso(bool silencioso) override { silencios.append(silencioso); }

    int estadoListo() const override { return estado_; }
    bool ocupado() const override { return ocupado_; }
    QString direccion() const override { return direccion_; }
    QString textoCuerpo() const override { return actual_.textoCuerpo; }
    QString htmlCuerpo() const override { return actual_.htmlCuerpo; }
    QString htmlRaiz() const override;
    QString cookies() const override { return actual_.cookies; }
    QString desbordeRaiz() const override { return actual_.desbordeRaiz; }
    int scrollArriba() const override { return actual_.scrollArriba; }
    int scrollIzquierda() const override { return actual_.scrollIzquierda; }
    QString atributoCuerpo(const QString &nombre) const override;

    void setDesbordeRaiz(const QString &valor) override;
    void setScroll(int arriba, int izquierda) override;
    void setAtributoCuerpo(const QString &nombre, const QString &valor) override;
    void ejecutarScript(const QString &codigo) override;

private:
    void empezar(const Navegacion &n);
    void aplicar(const std::function<void(Pagina &)> &escritura);

    QHash<QString, Pagina> paginas_;
    Pagina actual_;
    QString direccion_;
    Navegacion pendiente_;
    QStringList historia_;
    int estado_ = 0;
    bool ocupado_ = false;
    bool completarAlNavegar_ = false;
    bool diferidas_ = false;
    int maxArriba_ = -1;
    int maxIzquierda_ = -1;
    QList<std::function<void(Pagina &)>> sinAplicar_;
    std::function<void(VistaWebGuion &, const QString &)> alScript_;
};

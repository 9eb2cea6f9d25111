// The help menu, the provider-detection link beside the provider list and the
// menu item that runs the configuration wizard: links to the maker's site (most
// through its redirect numbers), the version history, the About box.
#pragma once

#include <QObject>
#include <QString>

class QAction;
class QLabel;
class QWidget;
struct Contexto;
struct Direcciones;

struct ControlesAyuda
{
    // Menu "Ayuda", in this order.
    QAction *mnuAyudaWeb = nullptr;           // "Ayuda de NTX Mensajes"
    QAction *mnuAyudaHistoria = nullptr;      // "Historia de las versiones"
    QAction *mnuEstadoServicios = nullptr;    // "Estado de los servicios", Ctrl+E
    QAction *mnuntxvarelcomar = nullptr;      // "Sitio web de ntxVarel!" (submenu "ntxVarel! en línea")
    QAction *MnuAyudantxVarelAutor = nullptr; // "Sitio web del autor"
    QAction *mnuforosdentx = nullptr;         // "Foros de ntxVarel!"
    QAction *mnuAyudaComentarios = nullptr;   // "Enviar un comentario"
    QAction *mnuAcercade = nullptr;           // "Acerca de NTX Mensajes..."
    // Beside the provider list and in menu "Herramientas".
    QLabel *lblBuscarEmpresa = nullptr; // "Detectar proveedor"
    QAction *mnuntxGeo = nullptr;       // "Detectar proveedor"
    QAction *mnuAsistenteConfiguracion = nullptr;
};

// What the help links need of the rest of the main window.
class VentanaAyuda
{
public:
    virtual ~VentanaAyuda() = default;

    virtual void ponerEstado(int imagen, const QString &texto) = 0;
    // picEscritura shown or hidden.
    virtual void mostrarEscritura(bool visible) = 0;
    // cboAddress without a selection (list index -1), without running its click handler.
    virtual void limpiarProveedor() = 0;
    // Owner of the boxes and the About box.
    virtual QWidget *ventana() = 0;
};

// The maker's redirect: sitio + "/ir/?id=" + number; the site forwards each number.
QString DireccionRedireccion(const Direcciones &direcciones, int id);
// The maker's and the author's home pages.
QString SitioFabricante(const Direcciones &direcciones);
QString SitioAutor(const Direcciones &direcciones);

namespace Redireccion {
constexpr int Ayuda = 10;
constexpr int Foros = 5;
constexpr int Comentarios = 6;
constexpr int EstadoServicios = 12;
constexpr int ImagenAcercaDe = 24;
constexpr int DetectarProveedor = 25;
} // namespace Redireccion

class ControladorAyuda final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ControladorAyuda)
public:
    ControladorAyuda(Contexto &ctx, VentanaAyuda &ventana, const ControlesAyuda &controles, QObject *padre = nullptr);

    void mnuAyudaWeb_Click();
    void mnuAyudaHistoria_Click();
    void mnuEstadoServicios_Click();
    void mnuntxvarelcomar_Click();
    void MnuAyudantxVarelAutor_Click();
    void mnuforosdentx_Click();
    void mnuAyudaComentarios_Click();
    void mnuAcercade_Click();
    void lblBuscarEmpresa_Click();
    void mnuntxGeo_Click();
    void mnuAsistenteConfiguracion_Click();

Q_SIGNALS:
    // The main area (the home view brwWebBrowser) navigated to an address, and shown.
    void navegarAreaPrincipal(const QString &direccion);
    void mostrarAreaPrincipal(bool visible);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void abrir(const QString &direccion);

    Contexto &ctx;
    VentanaAyuda &ventana;
    ControlesAyuda c;
};

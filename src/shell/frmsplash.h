// frmSplash: the start-up window. It shows itself for three seconds while the
// main window loads hidden, then shows the main window and goes away.
#pragma once

#include <QLabel>
#include <QPainterPath>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "shell/arranque.h"

struct Contexto;

// Makes a window topmost without moving or resizing it.
void VentanaSiempreVisible(QWidget *ventana);

class frmSplash final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSplash)
public:
    // `cargarPrincipal` loads the main window hidden and returns it (null when the
    // process was told to end).
    frmSplash(Contexto &ctx, Arranque::MostrarAviso aviso, std::function<QWidget *()> cargarPrincipal,
              QWidget *parent = nullptr);

    Contexto &ctx;

    QLabel *imgLogo = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *lblCompanyProduct = nullptr;
    QLabel *lblProductName = nullptr;
    QLabel *lblVersion = nullptr;
    QTimer timPrecarga;
    QTimer Timer1;

    QWidget *principal = nullptr;
    int Reintentos = 0; // failures to show the main window, other than a modal window in the way

    // Fills the version, checks the offline state, shapes and shows the splash and
    // starts both timers. False when the process was told to end.
    bool Form_Load();
    void timPrecarga_Timer();
    void Timer1_Timer();

    // Whether the window system clips a window's drawing to its region (X11 does; a
    // Wayland compositor takes the region for input only).
    static bool RecortaConRegion(const QString &plataforma);
    // The rounded shape: the region, and where the region does not clip, transparent
    // corners around a rounded background.
    void darForma(bool porRegion);
    bool esquinasTransparentes = false;

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    QPainterPath forma() const;
    Arranque::MostrarAviso m_aviso;
    std::function<QWidget *()> m_cargarPrincipal;
};

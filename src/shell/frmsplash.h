// frmSplash: the start-up window. It shows itself for three seconds while the
// main window loads hidden, then shows the main window and goes away.
#pragma once

#include <QLabel>
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

private:
    Arranque::MostrarAviso m_aviso;
    std::function<QWidget *()> m_cargarPrincipal;
};

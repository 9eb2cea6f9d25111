// frmWindowMessage: the hidden receiver of the running client. A second start
// hands its command line here; the text box's change brings the main window
// forward and passes the command line on. Where the desktop does not let it come
// forward (a Wayland compositor forbids taking the focus), a desktop notification
// says the program is already open.
#pragma once

#include <QLineEdit>
#include <QTimer>
#include <QWidget>

struct Contexto;
class frmBrowser;

class frmWindowMessage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmWindowMessage)
public:
    // Starts listening at once; the window itself is never shown.
    frmWindowMessage(Contexto &ctx, frmBrowser &principal, QWidget *parent = nullptr);

    Contexto &ctx;
    frmBrowser &principal;
    QLineEdit *txtRecibidos = nullptr;
    bool escuchando = false;

    void txtRecibidos_Change();
    // A while after bringing the main window forward: when no window of the program
    // got the focus, the user is told through a desktop notification.
    void timAlFrente_Timer();

    static QString tituloYaAbierto();
    static QString textoYaAbierto();

private:
    QTimer timAlFrente;
    // Looks again for a line kept while a modal window was open.
    QTimer esperaModal;
};

#include "shell/frmwindowmessage.h"

#include <QApplication>

#include <limits>

#include "shell/arranque.h"
#include "shell/frmbrowser.h"

frmWindowMessage::frmWindowMessage(Contexto &contexto, frmBrowser &ventanaPrincipal, QWidget *parent)
    : QWidget(parent)
    , ctx(contexto)
    , principal(ventanaPrincipal)
{
    setWindowTitle(InstanciaUnica::nombreReceptora());
    txtRecibidos = new QLineEdit(this);
    // A hand-over may be long: keep it whole.
    txtRecibidos->setMaxLength(std::numeric_limits<int>::max());
    connect(txtRecibidos, &QLineEdit::textChanged, this, &frmWindowMessage::txtRecibidos_Change);
    connect(&ctx.instancia, &InstanciaUnica::textoRecibido, this,
            [this](const QString &texto) { txtRecibidos->setText(texto); });
    escuchando = ctx.instancia.crearReceptora();
    esperaModal.setInterval(300);
    connect(&esperaModal, &QTimer::timeout, this, &frmWindowMessage::txtRecibidos_Change);
    // The desktop's answer to a request for the focus comes later, if at all.
    timAlFrente.setInterval(1500);
    timAlFrente.setSingleShot(true);
    connect(&timAlFrente, &QTimer::timeout, this, &frmWindowMessage::timAlFrente_Timer);
}

QString frmWindowMessage::tituloYaAbierto()
{
    return QStringLiteral("NTX Mensajes ya está abierto");
}

QString frmWindowMessage::textoYaAbierto()
{
    return QStringLiteral("El escritorio no permitió traer su ventana al frente. Vuelva a ella desde la barra de "
                          "tareas o con Alt+Tab.");
}

void frmWindowMessage::timAlFrente_Timer()
{
    timAlFrente.stop();
    // Any window of the program in front will do: the user sees the program.
    if (QApplication::activeWindow() || !principal.isVisible())
        return;
    // Marks the window as asking for attention (the task bar shows it), and tells why.
    QApplication::alert(&principal);
    ctx.sistema.notificar(tituloYaAbierto(), textoYaAbierto(), 10000);
}

void frmWindowMessage::txtRecibidos_Change()
{
    const QString texto = txtRecibidos->text();
    if (texto.isEmpty())
        return;
    // A window in front (a delivery window reading the composer, a question) acts on what
    // is there: a contact put into the composer now would change what it sends. The line
    // waits in the box until no modal window is left.
    // A queue of several recipients holds the line the same way until its summary.
    if (QApplication::activeModalWidget() || principal.cola().activa()) {
        esperaModal.start();
        return;
    }
    esperaModal.stop();
    if (principal.enBandeja) {
        // As a left-button release over the tray icon: restore, show, remove the icon.
        principal.frmBrowserMinimizado(514 * 15);
    } else {
        if (principal.isMinimized())
            principal.showNormal();
        principal.show();
        principal.raise();
        principal.activateWindow();
        principal.setFocus();
    }
    timAlFrente.start();
    QString linea;
    if (Arranque::LineaEntregada(texto, &linea))
        principal.contactos().ProcesarLineaDeComandos(linea);
    txtRecibidos->clear();
}

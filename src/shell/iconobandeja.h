// What the main window's notification-area icon needs around QSystemTrayIcon on an
// X11 tray (XEmbed): when the icon may go, and when its balloon may show; and what
// the user is told where there is no notification area.
#pragma once

#include <QString>

class QSystemTrayIcon;
class Sistema;

// Minimised where no tray host runs: the window stays on the task bar, and the
// notice the balloon would give goes, once (`avisado`), through the desktop's
// notifications.
void AvisarSinBandeja(Sistema &sistema, bool *avisado);

// Hides and deletes the icon once the event being delivered now is over. Hiding it
// destroys its X11 window, and inside the icon's own click (its menu runs there) Qt
// still delivers that click, and the context-menu event made from it, to that window.
void QuitarIconoBandejaDespues(QSystemTrayIcon *icono);

// Shows the balloon once the tray has placed the icon: before that, the icon's
// place is the screen's top-left corner and the balloon would point there. After
// `msEspera` without a place it shows anyway (a tray in that very corner).
void MostrarGloboBandeja(QSystemTrayIcon *icono, const QString &titulo, const QString &texto, int msVisible,
                         int msEspera = 3000);

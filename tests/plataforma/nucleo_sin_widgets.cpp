// Built against the nucleus alone: plain Qt Core must compile and link; a widget
// or the web engine must not, whichever way the header is named.
#include <QString>
#if NTX_INCLUIR == 1
#include <QWidget>
#elif NTX_INCLUIR == 2
// Reachable through Qt's top include folder, so only the link can refuse it.
#include <QtWidgets/QWidget>
#elif NTX_INCLUIR == 3
#include <QWebEngineView>
#endif

int main()
{
#if NTX_INCLUIR == 1 || NTX_INCLUIR == 2
    QWidget ventana;
    ventana.show();
#elif NTX_INCLUIR == 3
    QWebEngineView vista;
    vista.show();
#endif
    return QString::fromLatin1("ntx").size() == 3 ? 0 : 1;
}

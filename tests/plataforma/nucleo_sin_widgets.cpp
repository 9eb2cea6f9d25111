// Built against the nucleus alone: plain Qt Core must compile, a widget must not.
#include <QString>
#ifdef NTX_INCLUIR_WIDGETS
#include <QWidget>
#endif

int main()
{
#ifdef NTX_INCLUIR_WIDGETS
    QWidget ventana;
    ventana.show();
#endif
    return QString::fromLatin1("ntx").size() == 3 ? 0 : 1;
}

// Baseline of the start-up benchmark: a bare web-engine program, one window with a
// web view for each address on its command line, shown at once.
#include <QApplication>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

int main(int argc, char **argv)
{
    QApplication aplicacion(argc, argv);
    QWidget ventana;
    auto *capa = new QVBoxLayout(&ventana);
    for (const QString &direccion : aplicacion.arguments().mid(1)) {
        auto *vista = new QWebEngineView(&ventana);
        capa->addWidget(vista);
        vista->load(QUrl(direccion));
    }
    ventana.resize(800, 600);
    ventana.show();
    return aplicacion.exec();
}

// The text-change pass in the real main window, offscreen. Targets: one pass
// (txtmsj_Change) on a 400-character message with LenguajeMate on and 1,000
// abbreviations loaded under 50 µs; typing a 400-character message key by key
// under 200 ms in all.
#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include "dobles/ajustesmemoria.h"
#include "dobles/controlesventana.h"
#include "dobles/vistawebguion.h"
#include "mejoras/abreviaturas.h"
#include "mejoras/contextoprueba.h"
#include "shell/frmbrowser.h"

namespace {

struct Escenario
{
    ContextoPrueba p;
    frmBrowser ventana{p.ctx};

    Escenario()
    {
        for (int i = 0; i < 1000; ++i)
            GuardarAbreviatura(p.ajustes, QStringLiteral("pal%1").arg(i), QStringLiteral("reemplazo %1").arg(i));
        controlesDe(ventana).chkLMate->setCheckState(Qt::Checked);
        ventana.composicion().chkLMate_Click();
        controlesDe(ventana).chkAbreviaturas->setCheckState(Qt::Checked);
        ventana.composicion().chkAbreviaturas_Click();
        controlesDe(ventana).picEscritura->show();
        ventana.show();
    }
};

void BM_txtmsj_Change(benchmark::State &estado)
{
    Escenario e;
    QString mensaje;
    while (mensaje.size() < 399)
        mensaje += QStringLiteral("hola mundo ");
    mensaje.truncate(399);
    e.ventana.composicion().ponerTextoMensaje(mensaje + u' ');
    for (auto _ : estado)
        e.ventana.composicion().txtmsj_Change();
    if (e.ventana.composicion().textoMensaje().size() != 400 ||
        e.ventana.composicion().TablaAbreviaturas.size() != 1000)
        estado.SkipWithError("la ventana no quedó como se esperaba");
}
BENCHMARK(BM_txtmsj_Change)->Unit(benchmark::kMicrosecond);

void BM_Teclear400(benchmark::State &estado)
{
    Escenario e;
    QString texto;
    while (texto.size() < 400)
        texto += QStringLiteral("nos vemos a las cuatro, pal7 y pal999 ");
    texto.truncate(400);
    controlesDe(e.ventana).txtmsj->setFocus();
    for (auto _ : estado) {
        e.ventana.composicion().ponerTextoMensaje(QString());
        for (QChar c : texto) {
            QKeyEvent pulsar(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent soltar(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(controlesDe(e.ventana).txtmsj, &pulsar);
            QApplication::sendEvent(controlesDe(e.ventana).txtmsj, &soltar);
        }
    }
    if (e.ventana.composicion().textoMensaje().isEmpty())
        estado.SkipWithError("no se escribió nada");
}
BENCHMARK(BM_Teclear400)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

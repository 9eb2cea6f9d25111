// The text-change pass in the real main window, offscreen. Targets: one pass
// (txtmsj_Change) on a 400-character message with LenguajeMate on and 1,000
// abbreviations loaded under 50 µs; typing a 400-character message key by key
// under 200 ms in all; opening the emoticon, picture and greeting pop-ups
// (greetings rebuilt from ten filled slots each) under 16 ms each.
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include "comun/claves.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/contextoprueba.h"
#include "dobles/controlesventana.h"
#include "dobles/vistawebguion.h"
#include "mejoras/abreviaturas.h"
#include "mejoras/panelagregados.h"
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
        controlesDe(ventana).picMejoras->activarLenguajeMate();
        controlesDe(ventana).picMejoras->activarAbreviaturas();
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
    // The message box's change signal: the pass runs as after a key.
    QPlainTextEdit *txtmsj = controlesDe(e.ventana).txtmsj;
    for (auto _ : estado)
        Q_EMIT txtmsj->textChanged();
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

class ComposicionMenus final : public MensajeComposicion
{
public:
    QWidget raiz;
    QPlainTextEdit *txtmsj = new QPlainTextEdit(&raiz);
    QString textoMensaje() const override { return txtmsj->toPlainText(); }
    void ponerTextoMensaje(const QString &texto) override { txtmsj->setPlainText(texto); }
    void enfocarMensaje() override { txtmsj->setFocus(); }
};

// The real improvements panel in a small window; its buttons found by name.
struct EscenarioMenus
{
    ContextoPrueba p;
    ComposicionMenus v;
    PanelAgregados *panel = new PanelAgregados(p.ctx, v, &v.raiz);

    EscenarioMenus()
    {
        for (int i = 0; i < 10; ++i) {
            p.ajustes.escribir(SeccionMensajes, ClaveSaludo(i),
                               QStringLiteral("Un saludo bastante largo, el número %1").arg(i));
            p.ajustes.escribir(SeccionMensajes, ClaveFirma(i), QStringLiteral("Firma %1").arg(i));
        }
        v.raiz.show();
    }
};

// One opening: the click, the menu shown and its events run, then closed.
void abrirMenu(benchmark::State &estado, const char *boton, const char *nombreMenu)
{
    EscenarioMenus e;
    auto *b = e.panel->findChild<QPushButton *>(QString::fromLatin1(boton));
    auto *menu = e.panel->findChild<QMenu *>(QString::fromLatin1(nombreMenu));
    for (auto _ : estado) {
        b->click();
        QCoreApplication::processEvents();
        if (!menu->isVisible())
            estado.SkipWithError("el menú no se abrió");
        estado.PauseTiming();
        menu->hide();
        QCoreApplication::processEvents();
        estado.ResumeTiming();
    }
}

void BM_AbrirEmoticones(benchmark::State &estado)
{
    abrirMenu(estado, "cmdEmoticon", "mnuIconosGestuales");
}
BENCHMARK(BM_AbrirEmoticones)->Unit(benchmark::kMillisecond);

void BM_AbrirImagenes(benchmark::State &estado)
{
    abrirMenu(estado, "cmdImagenes", "mnuPOPImagenes");
}
BENCHMARK(BM_AbrirImagenes)->Unit(benchmark::kMillisecond);

void BM_AbrirSaludosYFirmas(benchmark::State &estado)
{
    abrirMenu(estado, "cmdFirmas", "mnuSaludosyFirmas");
}
BENCHMARK(BM_AbrirSaludosYFirmas)->Unit(benchmark::kMillisecond);

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

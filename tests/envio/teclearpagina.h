// Typing into a field of a gateway's page in the real web view, as a user does:
// shared by the end-to-end tests of one and of several recipients.
#pragma once

#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

#include "plataforma/vistawebmotor.h"

namespace {

constexpr int kEsperaTecleo = 60000;

// Puts the caret in the page's field `id` and types `texto` and Enter on the real
// view. The keys go to the view only once it has the keyboard focus, and the
// typing is checked through the page (and done again if the engine dropped it):
// on a loaded machine the first keys may arrive before the field is focused.
void teclear(VistaWeb *vista, const QString &id, const QString &texto)
{
    auto *motorWeb = static_cast<VistaWebMotor *>(vista);
    auto *motor = motorWeb->motor();
    QWidget *destino = motor->focusProxy() ? motor->focusProxy() : motor;
    vista->window()->activateWindow();
    destino->setFocus(Qt::OtherFocusReason);
    const QString campo = QStringLiteral("document.getElementById('") + id + QStringLiteral("')");
    // The window runs scripts of its own on the page (it puts the caret in the code box), and
    // each refreshes the snapshot: each step waits for its own mark rather than for a refresh.
    for (int intento = 0; intento < 5; ++intento) {
        const QString marca = QString::number(intento);
        vista->ejecutarScript(campo + QStringLiteral(".value=''; ") + campo +
                              QStringLiteral(".focus(); document.body.setAttribute('data-listo', '") + marca +
                              QStringLiteral("');"));
        QVERIFY(QTest::qWaitFor([&] { return vista->atributoCuerpo(QStringLiteral("data-listo")) == marca; },
                                kEsperaTecleo));
        QTest::keyClicks(destino, texto);
        // Keys and scripts reach the page by different roads: on a loaded machine the
        // echo can overtake the keys, so it is asked again for a while before typing anew.
        for (int eco = 0; eco < 30; ++eco) {
            const QString marcaEco = marca + QLatin1Char('.') + QString::number(eco);
            vista->ejecutarScript(QStringLiteral("document.body.setAttribute('data-tecleado', ") + campo +
                                  QStringLiteral(".value); document.body.setAttribute('data-eco', '") + marcaEco +
                                  QStringLiteral("');"));
            QVERIFY(QTest::qWaitFor([&] { return vista->atributoCuerpo(QStringLiteral("data-eco")) == marcaEco; },
                                    kEsperaTecleo));
            if (vista->atributoCuerpo(QStringLiteral("data-tecleado")) == texto)
                break;
            QTest::qWait(100);
        }
        if (vista->atributoCuerpo(QStringLiteral("data-tecleado")) == texto)
            break;
    }
    QCOMPARE(vista->atributoCuerpo(QStringLiteral("data-tecleado")), texto);
    QTest::keyClick(destino, Qt::Key_Return);
}

} // namespace

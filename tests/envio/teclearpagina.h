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
    for (int intento = 0; intento < 5; ++intento) {
        QSignalSpy foto(motorWeb, &VistaWebMotor::instantaneaActualizada);
        vista->ejecutarScript(campo + QStringLiteral(".value=''; ") + campo + QStringLiteral(".focus();"));
        foto.wait(kEsperaTecleo);
        QTest::keyClicks(destino, texto);
        QSignalSpy eco(motorWeb, &VistaWebMotor::instantaneaActualizada);
        vista->ejecutarScript(QStringLiteral("document.body.setAttribute('data-tecleado', ") + campo +
                              QStringLiteral(".value);"));
        eco.wait(kEsperaTecleo);
        if (vista->atributoCuerpo(QStringLiteral("data-tecleado")) == texto)
            break;
    }
    QCOMPARE(vista->atributoCuerpo(QStringLiteral("data-tecleado")), texto);
    QTest::keyClick(destino, Qt::Key_Return);
}

} // namespace

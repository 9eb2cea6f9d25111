#include "historial/frmespere.h"

#include <QVBoxLayout>

frmEspere::frmEspere(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    // Kept above the other windows without taking the focus from them.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Espere por favor"));

    lblEspere = new QLabel(QStringLiteral("Espere..."), this);
    lblEspere->setObjectName(QStringLiteral("lblEspere"));
    lblEspere->setTextFormat(Qt::PlainText);
    lblEspere->setWordWrap(true);
    lblCompletado = new QLabel(this);
    lblCompletado->setObjectName(QStringLiteral("lblCompletado"));
    lblCompletado->setTextFormat(Qt::PlainText);

    auto *columna = new QVBoxLayout(this);
    columna->addWidget(lblEspere);
    columna->addWidget(lblCompletado);
    setMinimumWidth(320);
}

void frmEspere::Mostrar(const QString &titulo, const QString &texto)
{
    setWindowTitle(titulo);
    lblEspere->setText(texto);
    show();
    raise();
}

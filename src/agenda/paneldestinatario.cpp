#include "agenda/paneldestinatario.h"

#include <QLabel>
#include <QPushButton>

#include "agenda/accesodirecto.h"
#include "comun/contexto.h"
#include "plataforma/colocacion.h"

using namespace colocacion;

PanelDestinatario::PanelDestinatario(Contexto &contexto, QWidget *padre)
    : QGroupBox(QStringLiteral("Nombre destinatario"), padre)
    , ctx(contexto)
{
    setObjectName(QStringLiteral("fraDestinatario"));
    setGeometry(twips(6840, 0, 3735, 735));
    cmdAgendar = boton(QStringLiteral("Agendar"), this, QRect());
    cmdAlEscritorio = boton(QStringLiteral("Al escritorio"), this, QRect());
    // Only one of the two shows at a time: the same place at the right edge, wide enough
    // for either caption with the style's margins; the name takes the rest of the row.
    constexpr int Margen = 8, Separacion = 4;
    const int ancho = std::max(cmdAgendar->sizeHint().width(), cmdAlEscritorio->sizeHint().width());
    const QRect lugar(width() - Margen - ancho, 18, ancho, 24);
    cmdAgendar->setGeometry(lugar);
    cmdAlEscritorio->setGeometry(lugar);
    lblNombreDestinatario =
        etiqueta(QStringLiteral("(Ninguno)"), this, QRect(Margen, 20, lugar.x() - Separacion - Margen, 22));
    NTX_CONTROLES_DESTINATARIO(NTX_CONTROLES_NOMBRE)

    connect(cmdAgendar, &QPushButton::clicked, this, &PanelDestinatario::cmdAgendar_Click);
    connect(cmdAlEscritorio, &QPushButton::clicked, this, &PanelDestinatario::cmdAlEscritorio_Click);
}

QString PanelDestinatario::nombre() const
{
    return lblNombreDestinatario->text();
}

bool PanelDestinatario::agendado() const
{
    // "Agendar" is available only for a destination that is not in the book.
    return !cmdAgendar->isEnabled();
}

void PanelDestinatario::sinDestinatario(const QString &texto, bool agendarHabilitado)
{
    lblNombreDestinatario->setText(texto);
    cmdAlEscritorio->hide();
    cmdAlEscritorio->setEnabled(false);
    cmdAgendar->show();
    cmdAgendar->setEnabled(agendarHabilitado);
}

void PanelDestinatario::conDestinatario(const QString &nombreContacto)
{
    lblNombreDestinatario->setText(nombreContacto);
    cmdAlEscritorio->show();
    cmdAlEscritorio->setEnabled(true);
    cmdAgendar->hide();
    cmdAgendar->setEnabled(false);
}

void PanelDestinatario::MostrarDestinatario(const DestinatarioSaliente &destinatario)
{
    const bool vacio = destinatario.modoAlias ? destinatario.alias.isEmpty()
                                              : destinatario.codArea.isEmpty() && destinatario.numero.isEmpty();
    if (vacio)
        sinDestinatario(QStringLiteral("(Ninguno)"), false);
    else if (!destinatario.agendado)
        sinDestinatario(QStringLiteral("(No agendado)"), true);
    else
        conDestinatario(destinatario.nombre);
}

void PanelDestinatario::cmdAgendar_Click()
{
    Q_EMIT pulsado();
    Q_EMIT agendar();
}

void PanelDestinatario::cmdAlEscritorio_Click()
{
    Q_EMIT pulsado();
    Agenda::CrearAccesoDirecto(ctx.dialogos, ctx.sistema, lblNombreDestinatario->text());
}

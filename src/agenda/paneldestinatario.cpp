#include "agenda/paneldestinatario.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "agenda/accesodirecto.h"
#include "agenda/grupos.h"
#include "comun/contexto.h"
#include "plataforma/colocacion.h"

using namespace colocacion;

PanelDestinatario::PanelDestinatario(Contexto &contexto, QWidget *padre)
    : QGroupBox(QStringLiteral("Nombre destinatario"), padre)
    , ctx(contexto)
{
    setObjectName(QStringLiteral("fraDestinatario"));
    setGeometry(twips(6840, 0, 3735, 735));
    cmdAgendar = boton(QStringLiteral("A&gendar"), this, QRect());
    cmdAlEscritorio = boton(QStringLiteral("Al escri&torio"), this, QRect());
    // Only one of the two shows at a time: the same place at the right edge, wide enough
    // for either caption with the style's margins; the name takes the rest of the row.
    constexpr int Margen = 8, Separacion = 4;
    const int ancho = std::max(cmdAgendar->sizeHint().width(), cmdAlEscritorio->sizeHint().width());
    const QRect lugar(width() - Margen - ancho, 18, ancho, 24);
    cmdAgendar->setGeometry(lugar);
    cmdAlEscritorio->setGeometry(lugar);
    lblNombreDestinatario =
        etiqueta(QStringLiteral("(Ninguno)"), this, QRect(Margen, 20, lugar.x() - Separacion - Margen, 22));
    // With several recipients: the whole list, where one can be removed, in the buttons' place.
    cmdDestinatarios = boton(QStringLiteral("Lista..."), this, lugar);
    cmdDestinatarios->hide();
    mnuDestinatarios = new QMenu(this);
    NTX_CONTROLES_DESTINATARIO(NTX_CONTROLES_NOMBRE)

    connect(cmdAgendar, &QPushButton::clicked, this, &PanelDestinatario::cmdAgendar_Click);
    connect(cmdAlEscritorio, &QPushButton::clicked, this, &PanelDestinatario::cmdAlEscritorio_Click);
    connect(cmdDestinatarios, &QPushButton::clicked, this, &PanelDestinatario::cmdDestinatarios_Click);
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
    if (!m_varios.isEmpty()) {
        if (vacio)
            return;
        terminarVarios();
    }
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
    if (!m_grupo.isEmpty())
        Agenda::CrearAccesoDirecto(ctx.dialogos, ctx.sistema, m_grupo, Agenda::TipoAcceso::Grupo);
    else
        Agenda::CrearAccesoDirecto(ctx.dialogos, ctx.sistema, lblNombreDestinatario->text());
}

void PanelDestinatario::MostrarVarios(const QStringList &nombres, const QString &grupo)
{
    m_varios = nombres;
    m_grupo = grupo;
    if (m_varios.size() < 2) {
        terminarVarios();
        return;
    }
    // As many names as fit the label, then how many more.
    const QFontMetrics medida(lblNombreDestinatario->font());
    int mostrados = int(nombres.size());
    QString texto = Agenda::TextoPara(nombres, mostrados);
    while (mostrados > 1 && medida.horizontalAdvance(texto) > lblNombreDestinatario->width())
        texto = Agenda::TextoPara(nombres, --mostrados);
    lblNombreDestinatario->setText(texto);
    lblNombreDestinatario->setToolTip(nombres.join(u'\n'));
    cmdAgendar->hide();
    cmdAgendar->setEnabled(false);
    // A group keeps its launcher; a list picked by hand has none.
    cmdAlEscritorio->setVisible(false);
    cmdAlEscritorio->setEnabled(!grupo.isEmpty());
    cmdDestinatarios->show();
}

void PanelDestinatario::terminarVarios()
{
    const bool habia = !m_varios.isEmpty();
    m_varios.clear();
    m_grupo.clear();
    lblNombreDestinatario->setToolTip(QString());
    cmdDestinatarios->hide();
    sinDestinatario(QStringLiteral("(Ninguno)"), false);
    if (habia)
        Q_EMIT variosCambiados({});
}

void PanelDestinatario::cmdDestinatarios_Click()
{
    mnuDestinatarios->clear();
    if (!m_grupo.isEmpty()) {
        QAction *escritorio =
            mnuDestinatarios->addAction(QStringLiteral("Grupo ") + m_grupo + QStringLiteral(": Al escritorio"));
        connect(escritorio, &QAction::triggered, this, &PanelDestinatario::cmdAlEscritorio_Click);
        mnuDestinatarios->addSeparator();
    }
    for (const QString &n : std::as_const(m_varios)) {
        QAction *a = mnuDestinatarios->addAction(QStringLiteral("Quitar a ") + n);
        a->setData(n);
        connect(a, &QAction::triggered, this, [this, n] { mnuQuitar_Click(n); });
    }
    mnuDestinatarios->popup(cmdDestinatarios->mapToGlobal(QPoint(0, cmdDestinatarios->height())));
}

void PanelDestinatario::mnuQuitar_Click(const QString &nombre)
{
    QStringList quedan = m_varios;
    quedan.removeAll(nombre);
    if (quedan.size() >= 2) {
        // A list changed by hand is no longer the group.
        MostrarVarios(quedan, QString());
        Q_EMIT variosCambiados(quedan);
        return;
    }
    terminarVarios();
    if (quedan.size() == 1)
        Q_EMIT quedaUno(quedan.first());
}

#include "mejoras/controladoragregados.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "comun/claves.h"
#include "comun/contexto.h"
#include "mejoras/agregados.h"
#include "mejoras/frmpreferencias.h"

namespace {

// A menu caption shows "&" as a mnemonic and a tab as the start of a shortcut.
QString tituloMenu(const QString &texto)
{
    QString r = TextoDeUnaLinea(texto);
    r.replace(u'&', QStringLiteral("&&"));
    return r;
}

QMenu *submenuDe(const ControlesAgregados &c, GrupoEmoticon grupo)
{
    switch (grupo) {
    case GrupoEmoticon::Caras:
        return c.mnuCaras;
    case GrupoEmoticon::Caritas:
        return c.mnuCaritas;
    case GrupoEmoticon::Cosas:
        return c.mnuCosas;
    }
    return c.mnuCosas;
}

void rellenarRanuras(const QList<QAction *> &entradas, const Ajustes &ajustes, QString (*clave)(int))
{
    for (int i = 0; i < entradas.size(); ++i) {
        QAction *entrada = entradas.at(i);
        const QString texto = ajustes.leer(SeccionMensajes, clave(i));
        if (texto.isEmpty()) {
            entrada->setEnabled(false);
            entrada->setText(TextoRanuraVacia);
            continue;
        }
        entrada->setEnabled(true);
        entrada->setText(tituloMenu(TextoMostradoRanura(texto, LargoTituloSaludo)));
        entrada->setData(texto);
    }
}

} // namespace

ControladorAgregados::ControladorAgregados(Contexto &ctx, VentanaAgregados &ventana, MensajeComposicion &composicion,
                                           const ControlesAgregados &controles, QObject *padre)
    : QObject(padre)
    , ctx_(ctx)
    , ventana_(ventana)
    , composicion_(composicion)
    , c_(controles)
{
    const auto &emoticones = EmoticonesAgregados();
    for (int i = 0; i < emoticones.size(); ++i) {
        const EmoticonAgregado &e = emoticones.at(i);
        QAction *a = submenuDe(c_, e.grupo)->addAction(tituloMenu(e.titulo));
        a->setObjectName(e.nombre);
        connect(a, &QAction::triggered, this, [this, i] { mnuEmoticon_Click(i); });
        mnuEmoticones.append(a);
    }
    const auto &imagenes = ImagenesAgregadas();
    for (int i = 0; i < imagenes.size(); ++i) {
        QAction *a = c_.mnuPOPImagenes->addAction(tituloMenu(imagenes.at(i).titulo));
        a->setObjectName(QStringLiteral("mnuImagenes") + QString::number(i));
        connect(a, &QAction::triggered, this, [this, i] { mnuImagenes_Click(i); });
        mnuImagenes.append(a);
    }
    for (int i = 0; i < RanurasSaludosYFirmas; ++i) {
        QAction *s = c_.mnuSubSaludos->addAction(TextoRanuraVacia);
        s->setObjectName(QStringLiteral("mnuSaludos") + QString::number(i));
        s->setEnabled(false);
        connect(s, &QAction::triggered, this, [this, i] { mnuSaludos_Click(i); });
        mnuSaludos.append(s);
        QAction *f = c_.mnuSubFirmas->addAction(TextoRanuraVacia);
        f->setObjectName(QStringLiteral("mnuFirmas") + QString::number(i));
        f->setEnabled(false);
        connect(f, &QAction::triggered, this, [this, i] { mnuFirmas_Click(i); });
        mnuFirmas.append(f);
    }

    connect(c_.cmdEmoticon, &QPushButton::clicked, this, &ControladorAgregados::cmdEmoticon_Click);
    connect(c_.cmdImagenes, &QPushButton::clicked, this, &ControladorAgregados::cmdImagenes_Click);
    connect(c_.cmdFirmas, &QPushButton::clicked, this, &ControladorAgregados::cmdFirmas_Click);
    // From its button or from the menu bar, the menu shows what the settings hold now.
    connect(c_.mnuSaludosyFirmas, &QMenu::aboutToShow, this, &ControladorAgregados::mnuSaludosyFirmas_Click);
    connect(c_.mnuSaludosyFirmasPersonalizar, &QAction::triggered, this,
            &ControladorAgregados::mnuSaludosyFirmasPersonalizar_Click);
}

QPoint ControladorAgregados::posicionMenu(const QPushButton *boton)
{
    return boton->mapToGlobal(QPoint(0, boton->height()));
}

void ControladorAgregados::cmdEmoticon_Click()
{
    c_.mnuIconosGestuales->popup(posicionMenu(c_.cmdEmoticon));
}

void ControladorAgregados::cmdImagenes_Click()
{
    c_.mnuPOPImagenes->popup(posicionMenu(c_.cmdImagenes));
}

void ControladorAgregados::cmdFirmas_Click()
{
    c_.mnuSaludosyFirmas->popup(posicionMenu(c_.cmdFirmas));
}

void ControladorAgregados::agregar(const QString &nuevo)
{
    composicion_.ponerTextoMensaje(nuevo);
    composicion_.enfocarMensaje();
}

void ControladorAgregados::mnuEmoticon_Click(int indice)
{
    const auto &emoticones = EmoticonesAgregados();
    if (indice < 0 || indice >= emoticones.size())
        return;
    agregar(AgregarEmoticon(composicion_.textoMensaje(), emoticones.at(indice)));
}

void ControladorAgregados::mnuImagenes_Click(int Index)
{
    if (Index < 0 || Index >= ImagenesAgregadas().size())
        return;
    agregar(AgregarImagen(composicion_.textoMensaje(), Index));
    if (LeerClaveBooleana(ctx_.ajustes, Clave::TipImagenesNoMas))
        return;
    ctx_.avisos.mostrar(ventana_.ventana(), TextoAvisoImagen(), NombreClave(Clave::TipImagenesNoMas));
}

void ControladorAgregados::mnuSaludos_Click(int Index)
{
    if (Index < 0 || Index >= mnuSaludos.size() || !mnuSaludos.at(Index)->isEnabled())
        return;
    agregar(AgregarSaludo(composicion_.textoMensaje(), mnuSaludos.at(Index)->data().toString()));
}

void ControladorAgregados::mnuFirmas_Click(int Index)
{
    if (Index < 0 || Index >= mnuFirmas.size() || !mnuFirmas.at(Index)->isEnabled())
        return;
    agregar(AgregarFirma(composicion_.textoMensaje(), mnuFirmas.at(Index)->data().toString()));
}

void ControladorAgregados::mnuSaludosyFirmas_Click()
{
    rellenarRanuras(mnuSaludos, ctx_.ajustes, &ClaveSaludo);
    rellenarRanuras(mnuFirmas, ctx_.ajustes, &ClaveFirma);
}

void ControladorAgregados::mnuSaludosyFirmasPersonalizar_Click()
{
    ventana_.abrirPreferencias(frmPreferencias::PestanaSaludos);
}

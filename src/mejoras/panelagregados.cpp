#include "mejoras/panelagregados.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>

#include "comun/claves.h"
#include "comun/contexto.h"
#include "mejoras/agregados.h"
#include "plataforma/colocacion.h"

using namespace colocacion;

namespace {

// The program may set the grey state; a click of the user never leads to it.
class CasillaConGris final : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};

QCheckBox *casilla(const QString &texto, QWidget *padre, const QRect &lugar)
{
    auto *c = new CasillaConGris(texto, padre);
    c->setTristate(true);
    c->setGeometry(lugar);
    return c;
}

// A click never leaves a switch grey: the grey state is only set by the program.
void sinGrisAlHacerClic(QCheckBox *c)
{
    if (c->checkState() == Qt::PartiallyChecked)
        c->setCheckState(Qt::Checked);
}

// A menu item toggles its check box between ticked and clear; the grey state stays.
bool alternarCasilla(QCheckBox *c)
{
    if (c->checkState() == Qt::Checked)
        c->setCheckState(Qt::Unchecked);
    else if (c->checkState() == Qt::Unchecked)
        c->setCheckState(Qt::Checked);
    else
        return false;
    return true;
}

void marcaSegunCasilla(QAction *accion, const QCheckBox *c)
{
    if (c->checkState() == Qt::Checked)
        accion->setChecked(true);
    else if (c->checkState() == Qt::Unchecked)
        accion->setChecked(false);
}

// A menu caption shows "&" as a mnemonic and a tab as the start of a shortcut.
QString tituloMenu(const QString &texto)
{
    QString r = TextoDeUnaLinea(texto);
    r.replace(u'&', QStringLiteral("&&"));
    return r;
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

QKeySequence ctrl(char letra)
{
    return QKeySequence(Qt::CTRL | Qt::Key(letra));
}

} // namespace

PanelAgregados::PanelAgregados(Contexto &ctx, MensajeComposicion &composicion, QWidget *padre)
    : QWidget(padre)
    , ctx_(ctx)
    , composicion_(composicion)
{
    crearControles();
    crearMenus();
    NTX_CONTROLES_AGREGADOS(NTX_CONTROLES_NOMBRE)

    connect(cmdAlternarMejoras, &QPushButton::clicked, this, &PanelAgregados::cmdAlternarMejoras_Click);
    connect(cmdEmoticon, &QPushButton::clicked, this, &PanelAgregados::cmdEmoticon_Click);
    connect(cmdImagenes, &QPushButton::clicked, this, &PanelAgregados::cmdImagenes_Click);
    connect(cmdFirmas, &QPushButton::clicked, this, &PanelAgregados::cmdFirmas_Click);
    connect(chkHistorial, &QCheckBox::clicked, this, &PanelAgregados::chkHistorial_Click);
    connect(chkLMate, &QCheckBox::clicked, this, &PanelAgregados::chkLMate_Click);
    connect(chkAbreviaturas, &QCheckBox::clicked, this, &PanelAgregados::chkAbreviaturas_Click);
    connect(mnuHistorial, &QAction::triggered, this, &PanelAgregados::mnuHistorial_Click);
    connect(mnuMejorasLenguajeMate, &QAction::triggered, this, &PanelAgregados::mnuMejorasLenguajeMate_Click);
    connect(mnuMejorasAbreviaturas, &QAction::triggered, this, &PanelAgregados::mnuMejorasAbreviaturas_Click);
    // Whoever changes them (a click, the program, the composer), the composer and the
    // history know what the two switches show.
    connect(chkAbreviaturas, &QCheckBox::stateChanged, this,
            [this](int estado) { Q_EMIT abreviaturasMarcadas(estado == Qt::Checked); });
    connect(chkHistorial, &QCheckBox::stateChanged, this,
            [this](int estado) { Q_EMIT historialMarcado(estado == Qt::Checked); });
    // From its button or from the menu bar, the menu shows what the settings hold now.
    connect(mnuSaludosyFirmas, &QMenu::aboutToShow, this, &PanelAgregados::mnuSaludosyFirmas_Click);
    connect(mnuSaludosyFirmasPersonalizar, &QAction::triggered, this,
            &PanelAgregados::mnuSaludosyFirmasPersonalizar_Click);
}

void PanelAgregados::crearControles()
{
    setObjectName(QStringLiteral("picMejoras"));
    setGeometry(twips(6840, 840, 3735, 3615));
    fraAgreguealMensaje = new QGroupBox(QStringLiteral("Agregue al mensaje..."), this);
    fraAgreguealMensaje->setGeometry(QRect(0, 0, 249, 86));
    cmdEmoticon = boton(QStringLiteral("Iconos gest&uales"), fraAgreguealMensaje, QRect(6, 20, 116, 26));
    cmdImagenes = boton(QStringLiteral("Imágene&s"), fraAgreguealMensaje, QRect(127, 20, 116, 26));
    cmdFirmas = boton(QStringLiteral("Saludos y &Firmas"), fraAgreguealMensaje, QRect(6, 52, 237, 26));
    fraMejorasEscritura = new QGroupBox(QStringLiteral("Mejoras"), this);
    fraMejorasEscritura->setGeometry(QRect(0, 90, 249, 118));
    chkHistorial =
        casilla(QStringLiteral("Guardar una &copia de este mensaje"), fraMejorasEscritura, QRect(8, 22, 235, 24));
    chkLMate = casilla(QStringLiteral("Activa&r LenguajeMate"), fraMejorasEscritura, QRect(8, 52, 235, 24));
    chkAbreviaturas =
        casilla(QStringLiteral("Activar Abreviaturas Personali&zadas"), fraMejorasEscritura, QRect(8, 82, 235, 24));
    cmdAlternarMejoras = boton(QStringLiteral("Ver C&ontactos"), this, QRect(0, 212, 120, 28));
}

void PanelAgregados::crearMenus()
{
    // Entries of the window's "Mejoras" menu; the shortcuts act once they are in it.
    mnuMejorasLenguajeMate = new QAction(QStringLiteral("Activar LenguajeMate"), this);
    mnuMejorasLenguajeMate->setShortcut(ctrl('L'));
    mnuMejorasLenguajeMate->setCheckable(true);
    mnuMejorasAbreviaturas = new QAction(QStringLiteral("Activar Abreviaturas"), this);
    mnuMejorasAbreviaturas->setShortcut(ctrl('A'));
    mnuMejorasAbreviaturas->setCheckable(true);
    mnuHistorial = new QAction(QStringLiteral("Guardar copia de mensaje"), this);
    mnuHistorial->setShortcut(ctrl('H'));
    mnuHistorial->setCheckable(true);

    mnuIconosGestuales = new QMenu(QStringLiteral("Iconos Gestuales"), this);
    mnuCaras = mnuIconosGestuales->addMenu(QStringLiteral("Caras"));
    mnuCaritas = mnuIconosGestuales->addMenu(QStringLiteral("Caritas"));
    mnuCosas = mnuIconosGestuales->addMenu(QStringLiteral("Cosas"));
    mnuSaludosyFirmas = new QMenu(QStringLiteral("Saludos y Firmas"), this);
    mnuSubSaludos = mnuSaludosyFirmas->addMenu(QStringLiteral("Saludos"));
    mnuSubFirmas = mnuSaludosyFirmas->addMenu(QStringLiteral("Firmas"));
    mnuSaludosyFirmas->addSeparator();
    mnuSaludosyFirmasPersonalizar = mnuSaludosyFirmas->addAction(QStringLiteral("Personalizar..."));
    mnuPOPImagenes = new QMenu(QStringLiteral("Imagenes"), this);

    const auto &emoticones = EmoticonesAgregados();
    for (int i = 0; i < emoticones.size(); ++i) {
        const EmoticonAgregado &e = emoticones.at(i);
        QMenu *submenu = e.grupo == GrupoEmoticon::Caras     ? mnuCaras
                         : e.grupo == GrupoEmoticon::Caritas ? mnuCaritas
                                                             : mnuCosas;
        QAction *a = submenu->addAction(tituloMenu(e.titulo));
        a->setObjectName(e.nombre);
        connect(a, &QAction::triggered, this, [this, i] { mnuEmoticon_Click(i); });
        mnuEmoticones.append(a);
    }
    const auto &imagenes = ImagenesAgregadas();
    for (int i = 0; i < imagenes.size(); ++i) {
        QAction *a = mnuPOPImagenes->addAction(tituloMenu(imagenes.at(i).titulo));
        a->setObjectName(QStringLiteral("mnuImagenes") + QString::number(i));
        connect(a, &QAction::triggered, this, [this, i] { mnuImagenes_Click(i); });
        mnuImagenes.append(a);
    }
    for (int i = 0; i < RanurasSaludosYFirmas; ++i) {
        QAction *s = mnuSubSaludos->addAction(TextoRanuraVacia);
        s->setObjectName(QStringLiteral("mnuSaludos") + QString::number(i));
        s->setEnabled(false);
        connect(s, &QAction::triggered, this, [this, i] { mnuSaludos_Click(i); });
        mnuSaludos.append(s);
        QAction *f = mnuSubFirmas->addAction(TextoRanuraVacia);
        f->setObjectName(QStringLiteral("mnuFirmas") + QString::number(i));
        f->setEnabled(false);
        connect(f, &QAction::triggered, this, [this, i] { mnuFirmas_Click(i); });
        mnuFirmas.append(f);
    }
    // In the menu bar available only while a provider is chosen (the menu's opening decides).
    // Only their entries there are greyed: the buttons pop up the same menus.
    for (QMenu *menu : {mnuIconosGestuales, mnuSaludosyFirmas, mnuPOPImagenes})
        menu->menuAction()->setEnabled(false);
}

void PanelAgregados::ponerEnMenu(QMenu *mejoras)
{
    mejoras->addAction(mnuMejorasLenguajeMate);
    mejoras->addAction(mnuMejorasAbreviaturas);
    mejoras->addAction(mnuHistorial);
    mejoras->addSeparator();
    mejoras->addMenu(mnuIconosGestuales);
    mejoras->addMenu(mnuSaludosyFirmas);
    mejoras->addMenu(mnuPOPImagenes);
}

QPoint PanelAgregados::posicionMenu(const QPushButton *boton)
{
    return boton->mapToGlobal(QPoint(0, boton->height()));
}

Qt::CheckState PanelAgregados::estadoAbreviaturas() const
{
    return chkAbreviaturas->checkState();
}

// ---- Slide ----

void PanelAgregados::cmdAlternarMejoras_Click()
{
    cmdAlternarMejoras->setEnabled(false);
    Q_EMIT verContactos();
}

void PanelAgregados::terminarDeslizamiento()
{
    cmdAlternarMejoras->setEnabled(true);
    cmdAlternarMejoras->setFocus();
}

// ---- Switches ----

void PanelAgregados::chkHistorial_Click()
{
    // Saving is on or off: a click from clear never leaves this box grey.
    sinGrisAlHacerClic(chkHistorial);
    const bool guardar = chkHistorial->checkState() == Qt::Checked;
    mnuHistorial->setChecked(guardar);
    Q_EMIT historial(guardar, HistorialPermanente);
}

void PanelAgregados::mnuHistorial_Click()
{
    chkHistorial->setChecked(!chkHistorial->isChecked());
    chkHistorial_Click();
}

void PanelAgregados::activarHistorial()
{
    chkHistorial->setCheckState(Qt::Checked);
    chkHistorial_Click();
}

void PanelAgregados::ponerHistorialPermanente(bool valor)
{
    // The flag first: the switch then agrees with it and shows no notice.
    HistorialPermanente = valor;
    chkHistorial->setCheckState(valor ? Qt::Checked : Qt::Unchecked);
    chkHistorial_Click();
}

void PanelAgregados::chkLMate_Click()
{
    sinGrisAlHacerClic(chkLMate);
    const bool activo = chkLMate->checkState() == Qt::Checked;
    Q_EMIT lenguajeMate(activo);
    mnuMejorasLenguajeMate->setChecked(activo);
}

void PanelAgregados::activarLenguajeMate()
{
    chkLMate->setCheckState(Qt::Checked);
    chkLMate_Click();
}

void PanelAgregados::mnuMejorasLenguajeMate_Click()
{
    if (alternarCasilla(chkLMate))
        chkLMate_Click();
}

void PanelAgregados::chkAbreviaturas_Click()
{
    sinGrisAlHacerClic(chkAbreviaturas);
    Q_EMIT abreviaturas(chkAbreviaturas->checkState() == Qt::Checked);
}

void PanelAgregados::activarAbreviaturas()
{
    chkAbreviaturas->setCheckState(Qt::Checked);
    chkAbreviaturas_Click();
}

void PanelAgregados::mnuMejorasAbreviaturas_Click()
{
    if (alternarCasilla(chkAbreviaturas))
        chkAbreviaturas_Click();
}

void PanelAgregados::marcarAbreviaturas(bool marcada)
{
    chkAbreviaturas->setCheckState(marcada ? Qt::Checked : Qt::Unchecked);
    mnuMejorasAbreviaturas->setChecked(marcada);
}

void PanelAgregados::ActualizarMenu(bool hayProveedor)
{
    marcaSegunCasilla(mnuMejorasLenguajeMate, chkLMate);
    marcaSegunCasilla(mnuMejorasAbreviaturas, chkAbreviaturas);
    for (QMenu *menu : {mnuSaludosyFirmas, mnuPOPImagenes, mnuIconosGestuales})
        menu->menuAction()->setEnabled(hayProveedor);
}

// ---- Texts added to the message ----

void PanelAgregados::cmdEmoticon_Click()
{
    mnuIconosGestuales->popup(posicionMenu(cmdEmoticon));
}

void PanelAgregados::cmdImagenes_Click()
{
    mnuPOPImagenes->popup(posicionMenu(cmdImagenes));
}

void PanelAgregados::cmdFirmas_Click()
{
    mnuSaludosyFirmas->popup(posicionMenu(cmdFirmas));
}

void PanelAgregados::agregar(const QString &nuevo)
{
    composicion_.ponerTextoMensaje(nuevo);
    composicion_.enfocarMensaje();
}

void PanelAgregados::mnuEmoticon_Click(int indice)
{
    const auto &emoticones = EmoticonesAgregados();
    if (indice < 0 || indice >= emoticones.size())
        return;
    agregar(AgregarEmoticon(composicion_.textoMensaje(), emoticones.at(indice)));
}

void PanelAgregados::mnuImagenes_Click(int Index)
{
    if (Index < 0 || Index >= ImagenesAgregadas().size())
        return;
    agregar(AgregarImagen(composicion_.textoMensaje(), Index));
    if (LeerClaveBooleana(ctx_.ajustes, Clave::TipImagenesNoMas))
        return;
    ctx_.avisos.mostrar(window(), TextoAvisoImagen(), NombreClave(Clave::TipImagenesNoMas));
}

void PanelAgregados::mnuSaludos_Click(int Index)
{
    if (Index < 0 || Index >= mnuSaludos.size() || !mnuSaludos.at(Index)->isEnabled())
        return;
    agregar(AgregarSaludo(composicion_.textoMensaje(), mnuSaludos.at(Index)->data().toString()));
}

void PanelAgregados::mnuFirmas_Click(int Index)
{
    if (Index < 0 || Index >= mnuFirmas.size() || !mnuFirmas.at(Index)->isEnabled())
        return;
    agregar(AgregarFirma(composicion_.textoMensaje(), mnuFirmas.at(Index)->data().toString()));
}

void PanelAgregados::mnuSaludosyFirmas_Click()
{
    rellenarRanuras(mnuSaludos, ctx_.ajustes, &ClaveSaludo);
    rellenarRanuras(mnuFirmas, ctx_.ajustes, &ClaveFirma);
}

void PanelAgregados::mnuSaludosyFirmasPersonalizar_Click()
{
    Q_EMIT preferencias(frmPreferencias::PestanaSaludos);
}

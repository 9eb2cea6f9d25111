#include "mejoras/controladorcomposicion.h"
#include "comun/imagenestado.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>

#include "comun/claves.h"
#include "envio/proveedores.h"
#include "mejoras/abreviaturas.h"
#include "mejoras/archivoabreviaturas.h"
#include "mejoras/frmabreviaturas.h"
#include "mejoras/pasadatexto.h"
#include "plataforma/combodesplegable.h"

namespace {

const QString TextoRellene = QStringLiteral("Rellene los datos y escriba el mensaje, luego presione Enviar Mensaje");
const QString TextoAbreviaturasActivo = QStringLiteral("Abreviaturas Personalizadas está activo");
const QString TextoAbreviaturasInactivo = QStringLiteral("Abreviaturas Personalizadas está inactivo");
constexpr qsizetype LargoMaximoRemitente = 22;
// The text the message box held after the last pass, to cut an edit that overflows it.
const char *const PropiedadTextoAnterior = "ntxTextoAnterior";

bool marcada(const QCheckBox *casilla)
{
    return casilla->checkState() == Qt::Checked;
}

// A click never leaves a switch grey: the grey state is only set by the program.
void sinGrisAlHacerClic(QCheckBox *casilla)
{
    if (casilla->checkState() == Qt::PartiallyChecked) {
        const QSignalBlocker bloqueo(casilla);
        casilla->setCheckState(Qt::Checked);
    }
}

// A menu item toggles its check box between ticked and clear; the grey state stays.
bool alternarCasilla(QCheckBox *casilla)
{
    if (casilla->checkState() == Qt::Checked)
        casilla->setCheckState(Qt::Unchecked);
    else if (casilla->checkState() == Qt::Unchecked)
        casilla->setCheckState(Qt::Checked);
    else
        return false;
    return true;
}

QString textoEstadoPasada(bool abreviaturas, bool lenguajeMate)
{
    if (abreviaturas && lenguajeMate)
        return QStringLiteral("Abreviaturas y LenguajeMate están procesando el texto mientras lo escribe");
    if (abreviaturas)
        return QStringLiteral("Se está abreviando el texto mientras lo escribe");
    if (lenguajeMate)
        return QStringLiteral("LenguajeMate está procesando el texto mientras lo escribe");
    return TextoRellene;
}

void ponerColorEtiqueta(QLabel *etiqueta, bool rojo)
{
    // A palette change restyles the label: only on a change of state.
    const bool esRojo = etiqueta->testAttribute(Qt::WA_SetPalette) &&
                        etiqueta->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
    if (rojo == esRojo)
        return;
    if (rojo) {
        QPalette p = etiqueta->palette();
        p.setColor(QPalette::WindowText, QColor(255, 0, 0));
        etiqueta->setPalette(p);
    } else {
        etiqueta->setPalette(QPalette());
    }
}

bool esDigitoOBorrar(int tecla)
{
    return (tecla >= '0' && tecla <= '9') || tecla == 8;
}

bool esEnter(int tecla)
{
    return tecla == 10 || tecla == 13;
}

// Writes the message box without raising its change handler, caret at `caret`
// (in the widget's own positions) or at the end when negative.
void escribirMensaje(QPlainTextEdit *caja, const QString &textoCrLf, int caret = -1)
{
    const QSignalBlocker bloqueo(caja);
    caja->setPlainText(ConSaltosLf(textoCrLf));
    QTextCursor c = caja->textCursor();
    if (caret < 0)
        c.movePosition(QTextCursor::End);
    else
        c.setPosition(std::min(caret, int(caja->document()->characterCount() - 1)));
    caja->setTextCursor(c);
}

// The character a key types, as the key handlers see it: a printable character,
// or 8 (backspace), 13 (Enter), 27 (Escape). 0 for keys that type nothing of
// their own: Tab, arrows, shortcuts with Ctrl or Alt keep their usual meaning.
int teclaEscrita(const QKeyEvent *evento)
{
    switch (evento->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0;
    default:
        break;
    }
    if (evento->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    const QString texto = evento->text();
    if (texto.isEmpty() || !texto.at(0).isPrint())
        return 0;
    return texto.at(0).unicode();
}

} // namespace

ControladorComposicion::ControladorComposicion(Contexto &contexto, VentanaComposicion &ventana,
                                               const ControlesComposicion &controles, QObject *padre)
    : QObject(padre)
    , ctx(contexto)
    , ventana_(ventana)
    , c(controles)
{
    // As content "[Cod]" and "[Núm]" would count and be sent as a number: they are placeholders.
    const auto marcador = [](QLineEdit *caja, const QString &texto) {
        const QSignalBlocker bloqueo(caja);
        if (caja->text() == texto)
            caja->clear();
        caja->setPlaceholderText(texto);
    };
    marcador(c.txtCodArea, QStringLiteral("[Cod]"));
    marcador(c.txtNumero, QStringLiteral("[Núm]"));

    connect(c.txtmsj, &QPlainTextEdit::textChanged, this, &ControladorComposicion::txtmsj_Change);
    connect(c.chkLMate, &QCheckBox::clicked, this, &ControladorComposicion::chkLMate_Click);
    connect(c.chkAbreviaturas, &QCheckBox::clicked, this, &ControladorComposicion::chkAbreviaturas_Click);
    connect(c.txtCodArea, &QLineEdit::textChanged, this, &ControladorComposicion::txtCodArea_Change);
    connect(c.txtNumero, &QLineEdit::textChanged, this, &ControladorComposicion::txtNumero_Change);
    connect(c.txtalias, &QLineEdit::textChanged, this, &ControladorComposicion::txtalias_Change);
    connect(c.cmdlimpiar, &QPushButton::clicked, this, &ControladorComposicion::cmdlimpiar_Click);
    connect(c.cboRemitente, &QComboBox::editTextChanged, this, &ControladorComposicion::cboRemitente_Change);
    connect(c.cboRemitente, &QComboBox::activated, this, &ControladorComposicion::cboRemitente_Click);
    connect(c.cboRemitente, &ComboDesplegable::desplegando, this, &ControladorComposicion::cboRemitente_DropDown);
    connect(c.mnuMejorasLenguajeMate, &QAction::triggered, this, &ControladorComposicion::mnuMejorasLenguajeMate_Click);
    connect(c.mnuMejorasAbreviaturas, &QAction::triggered, this, &ControladorComposicion::mnuMejorasAbreviaturas_Click);
    connect(c.mnuAbreviaturas, &QAction::triggered, this, &ControladorComposicion::MostrarAbreviaturas);
    connect(c.mnuExportarAbreviaturas, &QAction::triggered, this,
            [this] { ExportarAbreviaturas(ctx.ajustes, ctx.dialogos, ctx.sistema); });
    connect(c.mnuImportarAbreviaturas, &QAction::triggered, this,
            [this] { ImportarAbreviaturas(ctx.ajustes, ctx.dialogos, ctx.sistema); });
    for (QObject *control :
         {static_cast<QObject *>(c.txtCodArea), static_cast<QObject *>(c.txtNumero), static_cast<QObject *>(c.txtalias),
          static_cast<QObject *>(c.cboRemitente), static_cast<QObject *>(c.cboRemitente->lineEdit())})
        control->installEventFilter(this);
}

// ---- Fields ----

QString ControladorComposicion::textoMensaje() const
{
    return ConSaltosCrLf(c.txtmsj->toPlainText());
}

void ControladorComposicion::ponerTextoMensaje(const QString &texto)
{
    const QString actual = c.txtmsj->toPlainText();
    const QString nuevo = ConSaltosLf(texto);
    if (actual == nuevo) {
        // Same text: the box raises no change, but the pass still runs.
        txtmsj_Change();
        return;
    }
    c.txtmsj->setPlainText(nuevo); // raises txtmsj_Change
    if (c.txtmsj->toPlainText() == nuevo) {
        QTextCursor cursor = c.txtmsj->textCursor();
        cursor.movePosition(QTextCursor::End);
        c.txtmsj->setTextCursor(cursor);
    }
}

QString ControladorComposicion::codArea() const
{
    return c.txtCodArea->text();
}

QString ControladorComposicion::numero() const
{
    return c.txtNumero->text();
}

QString ControladorComposicion::alias() const
{
    return c.txtalias->text();
}

QString ControladorComposicion::remitente() const
{
    return c.cboRemitente->currentText();
}

bool ControladorComposicion::modoAlias() const
{
    return !c.txtalias->isHidden();
}

MensajeSaliente ControladorComposicion::capturar()
{
    // The box shows what is sent; its change updates the recipient frame first.
    c.txtalias->setText(c.txtalias->text().trimmed());
    MensajeSaliente m;
    m.destinatario.codArea = c.txtCodArea->text();
    m.destinatario.numero = c.txtNumero->text();
    m.destinatario.alias = c.txtalias->text();
    m.destinatario.modoAlias = modoAlias();
    m.remitente = c.cboRemitente->currentText();
    m.texto = textoMensaje();
    m.cuenta = CaracteresEscritos;
    m.maximo = MaximoCaracteres;
    return m;
}

void ControladorComposicion::PonerProveedor(const Proveedor *proveedor)
{
    c.cboRemitente->show();
    c.lblremitente->show();
    if (!proveedor) {
        MaximoCaracteres = 138;
        c.txtmaxcar->setText(QString::number(MaximoCaracteres));
        c.lblCodArea->setText(QStringLiteral("0"));
        c.lblNumero->setText(QStringLiteral("15"));
        return;
    }
    c.lblCodArea->setText(proveedor->rotuloCodArea);
    c.lblNumero->setText(proveedor->rotuloNumero);
    c.txtalias->hide();
    c.lblalias->hide();
    MaximoCaracteres = proveedor->maximo;
    c.txtmaxcar->setText(QString::number(MaximoCaracteres));
    for (QWidget *w : {static_cast<QWidget *>(c.txtCodArea), static_cast<QWidget *>(c.txtNumero),
                       static_cast<QWidget *>(c.lblCodArea), static_cast<QWidget *>(c.lblNumero)})
        w->show();
}

// ---- Text-change pass and counter ----

void ControladorComposicion::ponerEstadoSiCambia(int imagen, const QString &texto)
{
    // Panel 1 is written on every key: an unchanged picture and text are left alone.
    if (ventana_.imagenEstado() != imagen || ventana_.textoEstado() != texto)
        ventana_.ponerEstado(imagen, texto);
}

void ControladorComposicion::escribirContador(const QString &mensajeCrLf)
{
    CaracteresEscritos = int(ContarCaracteres(c.cboRemitente->currentText(), mensajeCrLf));
    c.txtcarescritos->setText(NumeroConSigno(CaracteresEscritos));
    // The check runs here, also when the count did not change.
    txtcarescritos_Change();
}

void ControladorComposicion::txtmsj_Change()
{
    QString texto = textoMensaje();
    bool reescribir = false;
    int caret = -1;
    if (texto.size() > LargoMaximoMensaje) {
        // The box holds 400 characters: what the user typed or pasted past that is dropped.
        const QString anterior = c.txtmsj->property(PropiedadTextoAnterior).toString();
        const int largoAntes = int(c.txtmsj->toPlainText().size());
        const int posicion = c.txtmsj->textCursor().position();
        texto = LimitarEdicion(anterior, texto, LargoMaximoMensaje);
        caret = std::max(0, posicion - (largoAntes - int(ConSaltosLf(texto).size())));
        reescribir = true;
    }

    const bool conAbreviaturas = marcada(c.chkAbreviaturas);
    OpcionesPasada opciones;
    opciones.lenguajeMate = LenguajeMateActivo;
    opciones.abreviaturas = conAbreviaturas;
    opciones.tabla = &TablaAbreviaturas;
    if (ProcesarTexto(texto, opciones) > 0) {
        reescribir = true;
        caret = -1; // a rewrite leaves the caret at the end
    }
    if (reescribir)
        escribirMensaje(c.txtmsj, texto, caret);
    c.txtmsj->setProperty(PropiedadTextoAnterior, texto);

    // Over the limit the counter's warning replaces this text at once: the
    // status bar is not written twice per key.
    if (ContarCaracteres(c.cboRemitente->currentText(), texto) <= MaximoCaracteres)
        ponerEstadoSiCambia(ImagenNormal, textoEstadoPasada(conAbreviaturas, LenguajeMateActivo));

    escribirContador(texto);
}

void ControladorComposicion::ActualizarContador()
{
    escribirContador(textoMensaje());
}

void ControladorComposicion::txtcarescritos_Change()
{
    const int maximo = MaximoCaracteres;
    const int cuenta = CaracteresEscritos;
    if (cuenta == maximo + 1)
        ctx.sistema.pitido();
    const bool excedido = cuenta > maximo;
    ponerColorEtiqueta(c.lblcarescritos, excedido);
    ponerColorEtiqueta(c.lblmaxcar, excedido);
    if (excedido)
        ponerEstadoSiCambia(ImagenAviso, QStringLiteral("Ha sobrepasado el máximo de caracteres, reduzca el mensaje"));
}

// ---- Switches ----

void ControladorComposicion::chkLMate_Click()
{
    sinGrisAlHacerClic(c.chkLMate);
    LenguajeMateActivo = c.chkLMate->checkState() == Qt::Checked;
    ventana_.habilitarPanelLMate(LenguajeMateActivo);
    ventana_.ponerEstado(ImagenNormal, LenguajeMateActivo ? QStringLiteral("LenguajeMate está activo")
                                                          : QStringLiteral("LenguajeMate está inactivo"));
    c.mnuMejorasLenguajeMate->setChecked(LenguajeMateActivo);
}

void ControladorComposicion::CargarAbreviaturas()
{
    TablaAbreviaturas = LeerTablaAbreviaturas(ctx.ajustes);
    if (!TablaAbreviaturas.isEmpty())
        return;
    if (marcada(c.chkAbreviaturas)) {
        {
            const QSignalBlocker bloqueo(c.chkAbreviaturas);
            c.chkAbreviaturas->setCheckState(Qt::Unchecked);
        }
        ventana_.ponerEstado(ImagenNormal, TextoAbreviaturasInactivo);
        c.mnuMejorasAbreviaturas->setChecked(false);
    }
}

void ControladorComposicion::chkAbreviaturas_Click()
{
    sinGrisAlHacerClic(c.chkAbreviaturas);
    if (c.chkAbreviaturas->checkState() != Qt::Checked) {
        ventana_.ponerEstado(ImagenNormal, TextoAbreviaturasInactivo);
        c.mnuMejorasAbreviaturas->setChecked(false);
        return;
    }
    const auto activar = [this] {
        {
            const QSignalBlocker bloqueo(c.chkAbreviaturas);
            c.chkAbreviaturas->setCheckState(Qt::Checked);
        }
        ventana_.ponerEstado(ImagenNormal, TextoAbreviaturasActivo);
        c.mnuMejorasAbreviaturas->setChecked(true);
    };
    CargarAbreviaturas();
    if (!TablaAbreviaturas.isEmpty()) {
        activar();
        return;
    }
    const auto respuesta = ctx.dialogos.mensaje(
        QStringLiteral("No hay ninguna abreviatura definida\r\n\r\n¿Desea configurar algunas abreviaturas ahora?"),
        Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, Dialogos::tituloPrograma());
    if (respuesta != Dialogos::Respuesta::Si)
        return;
    MostrarAbreviaturas();
    CargarAbreviaturas();
    if (!TablaAbreviaturas.isEmpty())
        activar();
}

void ControladorComposicion::mnuMejorasLenguajeMate_Click()
{
    if (alternarCasilla(c.chkLMate))
        chkLMate_Click();
}

void ControladorComposicion::mnuMejorasAbreviaturas_Click()
{
    if (alternarCasilla(c.chkAbreviaturas))
        chkAbreviaturas_Click();
}

void ControladorComposicion::MostrarAbreviaturas()
{
    // Its close button reloads the composer's list.
    frmAbreviaturas abreviaturas(
        ctx, [this] { CargarAbreviaturas(); }, ventana_.ventana());
    abreviaturas.exec();
}

// ---- Destination and sender boxes ----

void ControladorComposicion::filtroNumerico(int &tecla, QWidget *siguiente, const QString &aviso)
{
    // Digits and backspace pass, Enter moves on, the rest is refused with a warning and a beep.
    ventana_.ponerEstado(ImagenNormal, TextoRellene);
    txtcarescritos_Change();
    if (esDigitoOBorrar(tecla))
        return;
    if (esEnter(tecla)) {
        siguiente->setFocus();
        return;
    }
    tecla = 0;
    ventana_.ponerEstado(ImagenAviso, aviso);
    ctx.sistema.pitido();
}

void ControladorComposicion::txtCodArea_KeyPress(int &tecla)
{
    filtroNumerico(tecla, c.txtNumero, QStringLiteral("¡Sólo puede introducir números en el Código de Área!"));
}

void ControladorComposicion::txtNumero_KeyPress(int &tecla)
{
    filtroNumerico(tecla, c.cboRemitente, QStringLiteral("¡Sólo puede introducir números como Número de Celular!"));
}

void ControladorComposicion::txtalias_KeyPress(int &tecla)
{
    ventana_.ponerEstado(ImagenNormal, TextoRellene);
    txtcarescritos_Change();
    if (esEnter(tecla))
        c.cboRemitente->setFocus();
}

void ControladorComposicion::txtCodArea_GotFocus()
{
    c.txtCodArea->selectAll();
}

void ControladorComposicion::txtNumero_GotFocus()
{
    c.txtNumero->selectAll();
}

void ControladorComposicion::txtalias_GotFocus()
{
    c.txtalias->selectAll();
}

void ControladorComposicion::txtCodArea_Change()
{
    ventana_.destinoCambiado();
}

void ControladorComposicion::txtNumero_Change()
{
    ventana_.destinoCambiado();
}

void ControladorComposicion::txtalias_Change()
{
    ventana_.destinoCambiado();
}

void ControladorComposicion::cmdlimpiar_Click()
{
    c.txtCodArea->clear();
    c.txtNumero->clear();
    c.cboRemitente->setEditText(QString());
    ponerTextoMensaje(QString());
    c.txtalias->clear();
}

void ControladorComposicion::cboRemitente_DropDown()
{
    const QSignalBlocker bloqueo(c.cboRemitente);
    const QString texto = c.cboRemitente->currentText();
    c.cboRemitente->clear();
    c.cboRemitente->setEditText(texto);
    for (int i = 0; i <= 9; ++i) {
        const QString nombre = ctx.ajustes.leer(SeccionMensajes, ClaveRemitente(i));
        if (!nombre.isEmpty())
            c.cboRemitente->addItem(nombre);
    }
    c.cboRemitente->setEditText(texto);
}

void ControladorComposicion::cboRemitente_Change()
{
    const QString texto = c.cboRemitente->currentText();
    if (texto.size() > LargoMaximoRemitente) {
        ctx.sistema.pitido();
        const QSignalBlocker bloqueo(c.cboRemitente);
        c.cboRemitente->setEditText(texto.left(LargoMaximoRemitente));
        if (c.cboRemitente->lineEdit())
            c.cboRemitente->lineEdit()->setCursorPosition(int(LargoMaximoRemitente));
    }
    ActualizarContador();
}

void ControladorComposicion::cboRemitente_Click()
{
    ActualizarContador();
}

void ControladorComposicion::cboRemitente_GotFocus()
{
    if (c.cboRemitente->lineEdit())
        c.cboRemitente->lineEdit()->selectAll();
}

void ControladorComposicion::cboRemitente_KeyPress(int &tecla)
{
    ventana_.ponerEstado(ImagenNormal, TextoRellene);
    ActualizarContador();
    if (esEnter(tecla))
        c.txtmsj->setFocus();
}

// ---- Keys and focus of the destination and sender boxes ----

bool ControladorComposicion::teclaEnControl(QObject *control, QKeyEvent *evento)
{
    // The handlers see the character as a code and may change it or cancel it (0).
    int tecla = teclaEscrita(evento);
    if (tecla == 0)
        return false;
    const int original = tecla;
    QLineEdit *caja = nullptr;
    if (control == c.txtCodArea) {
        txtCodArea_KeyPress(tecla);
        caja = c.txtCodArea;
    } else if (control == c.txtNumero) {
        txtNumero_KeyPress(tecla);
        caja = c.txtNumero;
    } else if (control == c.txtalias) {
        txtalias_KeyPress(tecla);
        caja = c.txtalias;
    } else {
        cboRemitente_KeyPress(tecla);
        caja = c.cboRemitente->lineEdit();
    }
    if (tecla == 0)
        return true;
    if (tecla != original && caja && tecla >= 32) {
        caja->insert(QString(QChar(tecla)));
        return true;
    }
    return false;
}

bool ControladorComposicion::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress) {
        // A key reaches either the combo or its line edit, never both.
        return teclaEnControl(objeto, static_cast<QKeyEvent *>(evento));
    }
    if (evento->type() == QEvent::FocusIn) {
        if (objeto == c.txtCodArea)
            txtCodArea_GotFocus();
        else if (objeto == c.txtNumero)
            txtNumero_GotFocus();
        else if (objeto == c.txtalias)
            txtalias_GotFocus();
        else
            cboRemitente_GotFocus();
    }
    return QObject::eventFilter(objeto, evento);
}

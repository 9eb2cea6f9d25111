#include "mejoras/panelcomposicion.h"
#include "comun/imagenestado.h"

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
#include "plataforma/colocacion.h"
#include "plataforma/combodesplegable.h"

namespace {

const QString TextoRellene = QStringLiteral("Rellene los datos y escriba el mensaje, luego presione Enviar Mensaje");
const QString TextoAbreviaturasActivo = QStringLiteral("Abreviaturas Personalizadas está activo");
const QString TextoAbreviaturasInactivo = QStringLiteral("Abreviaturas Personalizadas está inactivo");
constexpr qsizetype LargoMaximoRemitente = 22;
// The text the message box held after the last pass, to cut an edit that overflows it.
const char *const PropiedadTextoAnterior = "ntxTextoAnterior";

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

using namespace colocacion;

PanelComposicion::PanelComposicion(Contexto &contexto, QWidget *padre)
    : QGroupBox(QStringLiteral("Número destinatario"), padre)
    , ctx(contexto)
{
    setObjectName(QStringLiteral("fraDatos"));
    setGeometry(twips(360, 0, 5415, 4455));
    crearControles();

    connect(txtmsj, &QPlainTextEdit::textChanged, this, &PanelComposicion::txtmsj_Change);
    connect(txtCodArea, &QLineEdit::textChanged, this, &PanelComposicion::txtCodArea_Change);
    connect(txtNumero, &QLineEdit::textChanged, this, &PanelComposicion::txtNumero_Change);
    connect(txtalias, &QLineEdit::textChanged, this, &PanelComposicion::txtalias_Change);
    connect(cmdlimpiar, &QPushButton::clicked, this, &PanelComposicion::cmdlimpiar_Click);
    connect(cmdEnviar, &QPushButton::clicked, this, &PanelComposicion::cmdEnviar_Click);
    connect(cboRemitente, &QComboBox::editTextChanged, this, &PanelComposicion::cboRemitente_Change);
    connect(cboRemitente, &QComboBox::activated, this, &PanelComposicion::cboRemitente_Click);
    connect(cboRemitente, &ComboDesplegable::desplegando, this, &PanelComposicion::cboRemitente_DropDown);
    for (QObject *control :
         {static_cast<QObject *>(txtCodArea), static_cast<QObject *>(txtNumero), static_cast<QObject *>(txtalias),
          static_cast<QObject *>(cboRemitente), static_cast<QObject *>(cboRemitente->lineEdit())})
        control->installEventFilter(this);
}

void PanelComposicion::crearControles()
{
    lblremitente = etiqueta(QStringLiteral("De:"), this, QRect(10, 22, 30, 20));
    cboRemitente = new ComboDesplegable(this);
    cboRemitente->setEditable(true);
    cboRemitente->setInsertPolicy(QComboBox::NoInsert);
    cboRemitente->setGeometry(QRect(42, 20, 200, 22));
    lblCodArea = etiqueta(QStringLiteral("0"), this, QRect(10, 52, 22, 20));
    lblCodArea->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // As content "[Cod]" and "[Núm]" would count and be sent as a number: they are placeholders.
    txtCodArea = caja(QString(), 6, this, QRect(34, 50, 56, 22));
    txtCodArea->setPlaceholderText(QStringLiteral("[Cod]"));
    lblNumero = etiqueta(QStringLiteral("15"), this, QRect(92, 52, 22, 20));
    lblNumero->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtNumero = caja(QString(), 25, this, QRect(116, 50, 126, 22));
    txtNumero->setPlaceholderText(QStringLiteral("[Núm]"));
    lblalias = etiqueta(QStringLiteral("Alias:"), this, QRect(248, 52, 34, 20));
    txtalias = caja(QString(), 25, this, QRect(284, 50, 70, 22));
    lblalias->hide();
    txtalias->hide();
    txtmsj = new QPlainTextEdit(this);
    txtmsj->setGeometry(QRect(10, 80, 344, 150));
    txtmsj->setTabChangesFocus(true);
    lblcarescritos = etiqueta(QStringLiteral("Caracteres escritos"), this, QRect(10, 238, 100, 20));
    txtcarescritos = caja(QStringLiteral("0"), 0, this, QRect(112, 236, 34, 22));
    txtcarescritos->setReadOnly(true);
    lblmaxcar = etiqueta(QStringLiteral("(Máximo            )"), this, QRect(152, 238, 90, 20));
    txtmaxcar = caja(QString::number(MaximoCaracteres), 0, this, QRect(198, 236, 30, 22));
    txtmaxcar->setReadOnly(true);
    txtmaxcar->setFrame(false);
    cmdlimpiar = boton(QStringLiteral("Limpiar"), this, QRect(10, 264, 90, 26));
    cmdEnviar = boton(QStringLiteral("Enviar Mensaje"), this, QRect(244, 264, 110, 26));
#define NTX_NOMBRE(tipo, nombre) nombre->setObjectName(QStringLiteral(#nombre));
    NTX_CONTROLES_COMPOSICION(NTX_NOMBRE)
#undef NTX_NOMBRE
    nombrarControles();
}

// Each box its own name for screen readers (the frame's title is the panel's, not theirs),
// Alt and a letter for the labelled ones, and the counters out of the Tab order.
void PanelComposicion::nombrarControles()
{
    lblremitente->setText(QStringLiteral("&De:"));
    lblremitente->setBuddy(cboRemitente);
    cboRemitente->setAccessibleName(QStringLiteral("De: remitente"));
    cboRemitente->lineEdit()->setAccessibleName(QStringLiteral("Nombre del remitente"));
    txtCodArea->setAccessibleName(QStringLiteral("Código de área"));
    txtNumero->setAccessibleName(QStringLiteral("Número"));
    lblalias->setText(QStringLiteral("Al&ias:"));
    lblalias->setBuddy(txtalias);
    txtalias->setAccessibleName(QStringLiteral("Alias"));
    txtmsj->setAccessibleName(QStringLiteral("Mensaje"));
    txtcarescritos->setAccessibleName(QStringLiteral("Caracteres escritos"));
    txtmaxcar->setAccessibleName(QStringLiteral("Máximo de caracteres"));
    // Read-only: reached by the screen reader through the message box's description.
    txtcarescritos->setFocusPolicy(Qt::NoFocus);
    txtmaxcar->setFocusPolicy(Qt::NoFocus);
    cmdlimpiar->setText(QStringLiteral("&Limpiar"));
    cmdEnviar->setText(QStringLiteral("&Enviar Mensaje"));
    describirContador();
}

QString PanelComposicion::TextoContador(int escritos, int maximo)
{
    return QStringLiteral("%1 de %2 caracteres").arg(escritos).arg(maximo);
}

void PanelComposicion::describirContador()
{
    const QString texto = TextoContador(CaracteresEscritos, MaximoCaracteres);
    if (txtcarescritos->accessibleDescription() == texto)
        return;
    txtcarescritos->setAccessibleDescription(texto);
    txtmaxcar->setAccessibleDescription(texto);
    txtmsj->setAccessibleDescription(texto);
}

// ---- Fields ----

QString PanelComposicion::textoMensaje() const
{
    return ConSaltosCrLf(txtmsj->toPlainText());
}

void PanelComposicion::ponerTextoMensaje(const QString &texto)
{
    const QString actual = txtmsj->toPlainText();
    const QString nuevo = ConSaltosLf(texto);
    if (actual == nuevo) {
        // Same text: the box raises no change, but the pass still runs.
        txtmsj_Change();
        return;
    }
    txtmsj->setPlainText(nuevo); // raises txtmsj_Change
    if (txtmsj->toPlainText() == nuevo) {
        QTextCursor cursor = txtmsj->textCursor();
        cursor.movePosition(QTextCursor::End);
        txtmsj->setTextCursor(cursor);
    }
}

QString PanelComposicion::codArea() const
{
    return txtCodArea->text();
}

QString PanelComposicion::numero() const
{
    return txtNumero->text();
}

QString PanelComposicion::alias() const
{
    return txtalias->text();
}

QString PanelComposicion::remitente() const
{
    return cboRemitente->currentText();
}

bool PanelComposicion::modoAlias() const
{
    return !txtalias->isHidden();
}

bool PanelComposicion::modoNumero() const
{
    return !txtCodArea->isHidden();
}

QWidget *PanelComposicion::campoMensaje() const
{
    return txtmsj;
}

void PanelComposicion::ponerNumero(const QString &codArea, const QString &numero)
{
    txtCodArea->setText(codArea);
    txtNumero->setText(numero);
}

void PanelComposicion::ponerAlias(const QString &alias)
{
    txtalias->setText(alias);
}

void PanelComposicion::ponerRemitente(const QString &remitente)
{
    cboRemitente->setEditText(remitente);
}

void PanelComposicion::reenviar(const QString &mensaje, const QString &remitente)
{
    ponerTextoMensaje(mensaje);
    cboRemitente->setEditText(remitente);
}

void PanelComposicion::habilitarEnvio(bool habilitado)
{
    cmdEnviar->setEnabled(habilitado);
}

void PanelComposicion::enfocarRemitente()
{
    cboRemitente->setFocus();
}

void PanelComposicion::enfocarMensaje()
{
    txtmsj->setFocus();
}

void PanelComposicion::enfocarDestino()
{
    if (txtalias->isVisibleTo(window()))
        txtalias->setFocus();
    else
        txtCodArea->setFocus();
}

void PanelComposicion::limpiar()
{
    cmdlimpiar_Click();
}

void PanelComposicion::cmdEnviar_Click()
{
    Q_EMIT enviar(capturar());
}

MensajeSaliente PanelComposicion::capturar()
{
    // The box shows what is sent; its change updates the recipient frame first.
    txtalias->setText(txtalias->text().trimmed());
    MensajeSaliente m;
    m.destinatario.codArea = txtCodArea->text();
    m.destinatario.numero = txtNumero->text();
    m.destinatario.alias = txtalias->text();
    m.destinatario.modoAlias = modoAlias();
    m.remitente = cboRemitente->currentText();
    m.texto = textoMensaje();
    m.cuenta = CaracteresEscritos;
    m.maximo = MaximoCaracteres;
    return m;
}

void PanelComposicion::ponerLimiteVarios(int maximo, const QString &proveedor)
{
    MaximoCaracteres = maximo;
    txtmaxcar->setText(QString::number(MaximoCaracteres));
    setTitle(QStringLiteral("Varios destinatarios: límite de ") + proveedor);
    txtmaxcar->setToolTip(QStringLiteral("El máximo de ") + proveedor +
                          QStringLiteral(", el menor entre los proveedores de los destinatarios"));
    ActualizarContador();
}

void PanelComposicion::PonerProveedor(const Proveedor *proveedor)
{
    setTitle(QStringLiteral("Número destinatario"));
    txtmaxcar->setToolTip(QString());
    cboRemitente->show();
    lblremitente->show();
    if (!proveedor) {
        MaximoCaracteres = 138;
        txtmaxcar->setText(QString::number(MaximoCaracteres));
        lblCodArea->setText(QStringLiteral("0"));
        lblNumero->setText(QStringLiteral("15"));
        describirContador();
        return;
    }
    lblCodArea->setText(proveedor->rotuloCodArea);
    lblNumero->setText(proveedor->rotuloNumero);
    txtalias->hide();
    lblalias->hide();
    MaximoCaracteres = proveedor->maximo;
    txtmaxcar->setText(QString::number(MaximoCaracteres));
    describirContador();
    for (QWidget *w : {static_cast<QWidget *>(txtCodArea), static_cast<QWidget *>(txtNumero),
                       static_cast<QWidget *>(lblCodArea), static_cast<QWidget *>(lblNumero)})
        w->show();
}

// ---- Text-change pass and counter ----

void PanelComposicion::escribirContador(const QString &mensajeCrLf)
{
    CaracteresEscritos = int(ContarCaracteres(cboRemitente->currentText(), mensajeCrLf));
    txtcarescritos->setText(NumeroConSigno(CaracteresEscritos));
    describirContador();
    // The check runs here, also when the count did not change.
    txtcarescritos_Change();
}

void PanelComposicion::txtmsj_Change()
{
    QString texto = textoMensaje();
    bool reescribir = false;
    int caret = -1;
    if (texto.size() > LargoMaximoMensaje) {
        // The box holds 400 characters: what the user typed or pasted past that is dropped.
        const QString anterior = txtmsj->property(PropiedadTextoAnterior).toString();
        const int largoAntes = int(txtmsj->toPlainText().size());
        const int posicion = txtmsj->textCursor().position();
        texto = LimitarEdicion(anterior, texto, LargoMaximoMensaje);
        caret = std::max(0, posicion - (largoAntes - int(ConSaltosLf(texto).size())));
        reescribir = true;
    }

    const bool conAbreviaturas = AbreviaturasMarcadas;
    OpcionesPasada opciones;
    opciones.lenguajeMate = LenguajeMateActivo;
    opciones.abreviaturas = conAbreviaturas;
    opciones.tabla = &TablaAbreviaturas;
    if (ProcesarTexto(texto, opciones) > 0) {
        reescribir = true;
        caret = -1; // a rewrite leaves the caret at the end
    }
    if (reescribir)
        escribirMensaje(txtmsj, texto, caret);
    txtmsj->setProperty(PropiedadTextoAnterior, texto);

    // Over the limit the counter's warning replaces this text at once: the
    // status bar is not written twice per key.
    if (ContarCaracteres(cboRemitente->currentText(), texto) <= MaximoCaracteres)
        Q_EMIT estado(ImagenNormal, textoEstadoPasada(conAbreviaturas, LenguajeMateActivo));

    escribirContador(texto);
}

void PanelComposicion::ActualizarContador()
{
    escribirContador(textoMensaje());
}

void PanelComposicion::txtcarescritos_Change()
{
    const int maximo = MaximoCaracteres;
    const int cuenta = CaracteresEscritos;
    if (cuenta == maximo + 1)
        ctx.sistema.pitido();
    const bool excedido = cuenta > maximo;
    ponerColorEtiqueta(lblcarescritos, excedido);
    ponerColorEtiqueta(lblmaxcar, excedido);
    if (excedido)
        Q_EMIT estado(ImagenAviso, QStringLiteral("Ha sobrepasado el máximo de caracteres, reduzca el mensaje"));
}

// ---- Switches ----

void PanelComposicion::ponerLenguajeMate(bool activo)
{
    LenguajeMateActivo = activo;
    Q_EMIT panelLMate(LenguajeMateActivo);
    Q_EMIT estado(ImagenNormal, LenguajeMateActivo ? QStringLiteral("LenguajeMate está activo")
                                                   : QStringLiteral("LenguajeMate está inactivo"));
}

void PanelComposicion::casillaAbreviaturas(bool marcada)
{
    AbreviaturasMarcadas = marcada;
}

void PanelComposicion::CargarAbreviaturas()
{
    TablaAbreviaturas = LeerTablaAbreviaturas(ctx.ajustes);
    if (!TablaAbreviaturas.isEmpty())
        return;
    if (AbreviaturasMarcadas) {
        AbreviaturasMarcadas = false;
        Q_EMIT marcarAbreviaturas(false);
        Q_EMIT estado(ImagenNormal, TextoAbreviaturasInactivo);
    }
}

void PanelComposicion::ponerAbreviaturas(bool marcada)
{
    AbreviaturasMarcadas = marcada;
    if (!marcada) {
        Q_EMIT estado(ImagenNormal, TextoAbreviaturasInactivo);
        Q_EMIT marcarAbreviaturas(false);
        return;
    }
    const auto activar = [this] {
        AbreviaturasMarcadas = true;
        Q_EMIT marcarAbreviaturas(true);
        Q_EMIT estado(ImagenNormal, TextoAbreviaturasActivo);
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

void PanelComposicion::ExportarAbreviaturas()
{
    ::ExportarAbreviaturas(ctx.ajustes, ctx.dialogos, ctx.sistema);
}

void PanelComposicion::ImportarAbreviaturas()
{
    ::ImportarAbreviaturas(ctx.ajustes, ctx.dialogos, ctx.sistema);
}

void PanelComposicion::MostrarAbreviaturas()
{
    // Its close button reloads the composer's list.
    frmAbreviaturas abreviaturas(
        ctx, [this] { CargarAbreviaturas(); }, window());
    abreviaturas.exec();
}

// ---- Destination and sender boxes ----

void PanelComposicion::filtroNumerico(int &tecla, QWidget *siguiente, const QString &aviso)
{
    // Digits and backspace pass, Enter moves on, the rest is refused with a warning and a beep.
    Q_EMIT estado(ImagenNormal, TextoRellene);
    txtcarescritos_Change();
    if (esDigitoOBorrar(tecla))
        return;
    if (esEnter(tecla)) {
        siguiente->setFocus();
        return;
    }
    tecla = 0;
    Q_EMIT estado(ImagenAviso, aviso);
    ctx.sistema.pitido();
}

void PanelComposicion::txtCodArea_KeyPress(int &tecla)
{
    filtroNumerico(tecla, txtNumero, QStringLiteral("¡Sólo puede introducir números en el Código de Área!"));
}

void PanelComposicion::txtNumero_KeyPress(int &tecla)
{
    filtroNumerico(tecla, cboRemitente, QStringLiteral("¡Sólo puede introducir números como Número de Celular!"));
}

void PanelComposicion::txtalias_KeyPress(int &tecla)
{
    Q_EMIT estado(ImagenNormal, TextoRellene);
    txtcarescritos_Change();
    if (esEnter(tecla))
        cboRemitente->setFocus();
}

void PanelComposicion::txtCodArea_GotFocus()
{
    txtCodArea->selectAll();
}

void PanelComposicion::txtNumero_GotFocus()
{
    txtNumero->selectAll();
}

void PanelComposicion::txtalias_GotFocus()
{
    txtalias->selectAll();
}

void PanelComposicion::txtCodArea_Change()
{
    Q_EMIT destinoCambiado();
}

void PanelComposicion::txtNumero_Change()
{
    Q_EMIT destinoCambiado();
}

void PanelComposicion::txtalias_Change()
{
    Q_EMIT destinoCambiado();
}

void PanelComposicion::cmdlimpiar_Click()
{
    txtCodArea->clear();
    txtNumero->clear();
    cboRemitente->setEditText(QString());
    ponerTextoMensaje(QString());
    txtalias->clear();
}

void PanelComposicion::cboRemitente_DropDown()
{
    const QSignalBlocker bloqueo(cboRemitente);
    const QString texto = cboRemitente->currentText();
    cboRemitente->clear();
    cboRemitente->setEditText(texto);
    for (int i = 0; i <= 9; ++i) {
        const QString nombre = ctx.ajustes.leer(SeccionMensajes, ClaveRemitente(i));
        if (!nombre.isEmpty())
            cboRemitente->addItem(nombre);
    }
    cboRemitente->setEditText(texto);
}

void PanelComposicion::cboRemitente_Change()
{
    const QString texto = cboRemitente->currentText();
    if (texto.size() > LargoMaximoRemitente) {
        ctx.sistema.pitido();
        const QSignalBlocker bloqueo(cboRemitente);
        cboRemitente->setEditText(texto.left(LargoMaximoRemitente));
        if (cboRemitente->lineEdit())
            cboRemitente->lineEdit()->setCursorPosition(int(LargoMaximoRemitente));
    }
    ActualizarContador();
}

void PanelComposicion::cboRemitente_Click()
{
    ActualizarContador();
}

void PanelComposicion::cboRemitente_GotFocus()
{
    if (cboRemitente->lineEdit())
        cboRemitente->lineEdit()->selectAll();
}

void PanelComposicion::cboRemitente_KeyPress(int &tecla)
{
    Q_EMIT estado(ImagenNormal, TextoRellene);
    ActualizarContador();
    if (esEnter(tecla))
        txtmsj->setFocus();
}

// ---- Keys and focus of the destination and sender boxes ----

bool PanelComposicion::teclaEnControl(QObject *control, QKeyEvent *evento)
{
    // The handlers see the character as a code and may change it or cancel it (0).
    int tecla = teclaEscrita(evento);
    if (tecla == 0)
        return false;
    const int original = tecla;
    QLineEdit *caja = nullptr;
    if (control == txtCodArea) {
        txtCodArea_KeyPress(tecla);
        caja = txtCodArea;
    } else if (control == txtNumero) {
        txtNumero_KeyPress(tecla);
        caja = txtNumero;
    } else if (control == txtalias) {
        txtalias_KeyPress(tecla);
        caja = txtalias;
    } else {
        cboRemitente_KeyPress(tecla);
        caja = cboRemitente->lineEdit();
    }
    if (tecla == 0)
        return true;
    if (tecla != original && caja && tecla >= 32) {
        caja->insert(QString(QChar(tecla)));
        return true;
    }
    return false;
}

bool PanelComposicion::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress) {
        // A key reaches either the combo or its line edit, never both.
        return teclaEnControl(objeto, static_cast<QKeyEvent *>(evento));
    }
    if (evento->type() == QEvent::FocusIn) {
        if (objeto == txtCodArea)
            txtCodArea_GotFocus();
        else if (objeto == txtNumero)
            txtNumero_GotFocus();
        else if (objeto == txtalias)
            txtalias_GotFocus();
        else
            cboRemitente_GotFocus();
    }
    return QObject::eventFilter(objeto, evento);
}

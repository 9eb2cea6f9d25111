// The composer of frmBrowser: the text-change pass of the message box, the
// counter and its limit check, the two switches, the key filters and focus
// order of the destination fields, the sender box and the clear button.
#include <QSignalBlocker>
#include <QTextCursor>

#include "comun/valornumerico.h"
#include "mejoras/abreviaturas.h"
#include "mejoras/archivoabreviaturas.h"
#include "mejoras/composicion.h"
#include "mejoras/frmabreviaturas.h"
#include "mejoras/pasadatexto.h"
#include "shell/frmbrowser.h"

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

// Panel 1 is written on every key: an unchanged picture and text are left alone.
void ponerEstadoSiCambia(frmBrowser &f, int imagen, const QString &texto)
{
    if (f.StatusBar1->imagenPanel1() != imagen || f.StatusBar1->textoPanel1() != texto)
        f.ponerEstado(imagen, texto);
}

void escribirContador(frmBrowser &f, const QString &mensajeCrLf)
{
    const qsizetype cuenta = ContarCaracteres(f.cboRemitente->currentText(), mensajeCrLf);
    {
        // The check runs once below, also when the count did not change.
        const QSignalBlocker bloqueo(f.txtcarescritos);
        f.txtcarescritos->setText(NumeroConSigno(cuenta));
    }
    f.txtcarescritos_Change();
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

} // namespace

QString frmBrowser::textoMensaje() const
{
    return ConSaltosCrLf(txtmsj->toPlainText());
}

void frmBrowser::ponerTextoMensaje(const QString &texto)
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
        QTextCursor c = txtmsj->textCursor();
        c.movePosition(QTextCursor::End);
        txtmsj->setTextCursor(c);
    }
}

void frmBrowser::txtmsj_Change()
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

    const bool conAbreviaturas = marcada(chkAbreviaturas);
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
    if (ContarCaracteres(cboRemitente->currentText(), texto) <= ValorNumerico(txtmaxcar->text()))
        ponerEstadoSiCambia(*this, 4, textoEstadoPasada(conAbreviaturas, LenguajeMateActivo));

    escribirContador(*this, texto);
}

void frmBrowser::ActualizarContador()
{
    escribirContador(*this, textoMensaje());
}

void frmBrowser::txtcarescritos_Change()
{
    const qint64 maximo = ValorNumerico(txtmaxcar->text());
    const qint64 cuenta = ValorNumerico(txtcarescritos->text());
    if (cuenta == maximo + 1)
        ctx.sistema.pitido();
    const bool excedido = cuenta > maximo;
    ponerColorEtiqueta(lblcarescritos, excedido);
    ponerColorEtiqueta(lblmaxcar, excedido);
    if (excedido)
        ponerEstadoSiCambia(*this, 6, QStringLiteral("Ha sobrepasado el máximo de caracteres, reduzca el mensaje"));
}

void frmBrowser::chkLMate_Click()
{
    sinGrisAlHacerClic(chkLMate);
    if (chkLMate->checkState() == Qt::Checked) {
        LenguajeMateActivo = true;
        StatusBar1->habilitarPanel2(true);
        ponerEstado(4, QStringLiteral("LenguajeMate está activo"));
        mnuMejorasLenguajeMate->setChecked(true);
    } else {
        LenguajeMateActivo = false;
        StatusBar1->habilitarPanel2(false);
        ponerEstado(4, QStringLiteral("LenguajeMate está inactivo"));
        mnuMejorasLenguajeMate->setChecked(false);
    }
}

void frmBrowser::CargarAbreviaturas()
{
    TablaAbreviaturas = LeerTablaAbreviaturas(ctx.ajustes);
    if (!TablaAbreviaturas.isEmpty())
        return;
    if (marcada(chkAbreviaturas)) {
        {
            const QSignalBlocker bloqueo(chkAbreviaturas);
            chkAbreviaturas->setCheckState(Qt::Unchecked);
        }
        ponerEstado(4, TextoAbreviaturasInactivo);
        mnuMejorasAbreviaturas->setChecked(false);
    }
}

void frmBrowser::chkAbreviaturas_Click()
{
    sinGrisAlHacerClic(chkAbreviaturas);
    if (chkAbreviaturas->checkState() != Qt::Checked) {
        ponerEstado(4, TextoAbreviaturasInactivo);
        mnuMejorasAbreviaturas->setChecked(false);
        return;
    }
    const auto activar = [this] {
        {
            const QSignalBlocker bloqueo(chkAbreviaturas);
            chkAbreviaturas->setCheckState(Qt::Checked);
        }
        ponerEstado(4, TextoAbreviaturasActivo);
        mnuMejorasAbreviaturas->setChecked(true);
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
    MostrarAbreviaturas(*this);
    CargarAbreviaturas();
    if (!TablaAbreviaturas.isEmpty())
        activar();
}

namespace {

// Area code and number boxes: digits and backspace pass, Enter moves on, the
// rest is refused with a warning and a beep.
void filtroNumerico(frmBrowser &f, int &tecla, QWidget *siguiente, const QString &aviso)
{
    f.ponerEstado(4, TextoRellene);
    f.txtcarescritos_Change();
    if (esDigitoOBorrar(tecla))
        return;
    if (esEnter(tecla)) {
        siguiente->setFocus();
        return;
    }
    tecla = 0;
    f.ponerEstado(6, aviso);
    f.ctx.sistema.pitido();
}

} // namespace

void frmBrowser::txtCodArea_KeyPress(int &tecla)
{
    filtroNumerico(*this, tecla, txtNumero, QStringLiteral("¡Sólo puede introducir números en el Código de Área!"));
}

void frmBrowser::txtNumero_KeyPress(int &tecla)
{
    filtroNumerico(*this, tecla, cboRemitente,
                   QStringLiteral("¡Sólo puede introducir números como Número de Celular!"));
}

void frmBrowser::txtalias_KeyPress(int &tecla)
{
    ponerEstado(4, TextoRellene);
    txtcarescritos_Change();
    if (esEnter(tecla))
        cboRemitente->setFocus();
}

void frmBrowser::txtCodArea_GotFocus()
{
    txtCodArea->selectAll();
}

void frmBrowser::txtNumero_GotFocus()
{
    txtNumero->selectAll();
}

void frmBrowser::txtalias_GotFocus()
{
    txtalias->selectAll();
}

void frmBrowser::txtCodArea_Change()
{
    MostrarDestinatarioPorNumero();
}

void frmBrowser::txtNumero_Change()
{
    MostrarDestinatarioPorNumero();
}

void frmBrowser::txtalias_Change()
{
    MostrarDestinatarioPorAlias();
}

void frmBrowser::cmdlimpiar_Click()
{
    txtCodArea->clear();
    txtNumero->clear();
    cboRemitente->setEditText(QString());
    ponerTextoMensaje(QString());
    txtalias->clear();
}

void frmBrowser::cboRemitente_DropDown()
{
    const QSignalBlocker bloqueo(cboRemitente);
    const QString texto = cboRemitente->currentText();
    cboRemitente->clear();
    cboRemitente->setEditText(texto);
    for (int i = 0; i <= 9; ++i) {
        const QString nombre =
            ctx.ajustes.leer(QStringLiteral("Mensajes"), QStringLiteral("Remitente") + QString::number(i));
        if (!nombre.isEmpty())
            cboRemitente->addItem(nombre);
    }
    cboRemitente->setEditText(texto);
}

void frmBrowser::cboRemitente_Change()
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

void frmBrowser::cboRemitente_Click()
{
    ActualizarContador();
}

void frmBrowser::cboRemitente_GotFocus()
{
    if (cboRemitente->lineEdit())
        cboRemitente->lineEdit()->selectAll();
}

void frmBrowser::cboRemitente_KeyPress(int &tecla)
{
    ponerEstado(4, TextoRellene);
    ActualizarContador();
    if (esEnter(tecla))
        txtmsj->setFocus();
}

void MostrarAbreviaturas(frmBrowser &ventana)
{
    frmAbreviaturas abreviaturas(
        ventana.ctx, [&ventana] { ventana.CargarAbreviaturas(); }, &ventana);
    abreviaturas.exec();
}

void conectarComposicion(frmBrowser &ventana)
{
    const auto marcador = [](QLineEdit *caja, const QString &texto) {
        const QSignalBlocker bloqueo(caja);
        if (caja->text() == texto)
            caja->clear();
        caja->setPlaceholderText(texto);
    };
    marcador(ventana.txtCodArea, QStringLiteral("[Cod]"));
    marcador(ventana.txtNumero, QStringLiteral("[Núm]"));

    Contexto &ctx = ventana.ctx;
    ventana.mnuAbreviaturas->setEnabled(true);
    ventana.mnuExportarAbreviaturas->setEnabled(true);
    ventana.mnuImportarAbreviaturas->setEnabled(true);
    QObject::connect(ventana.mnuAbreviaturas, &QAction::triggered, &ventana,
                     [&ventana] { MostrarAbreviaturas(ventana); });
    QObject::connect(ventana.mnuExportarAbreviaturas, &QAction::triggered, &ventana,
                     [&ctx] { ExportarAbreviaturas(ctx.ajustes, ctx.dialogos, ctx.sistema); });
    QObject::connect(ventana.mnuImportarAbreviaturas, &QAction::triggered, &ventana,
                     [&ctx] { ImportarAbreviaturas(ctx.ajustes, ctx.dialogos, ctx.sistema); });
}

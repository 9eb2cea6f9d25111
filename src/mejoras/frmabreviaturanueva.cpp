#include "mejoras/frmabreviaturanueva.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QTextCursor>

#include "comun/contexto.h"
#include "mejoras/abreviaturas.h"
#include "plataforma/ajustes.h"

frmAbreviaturaNueva::frmAbreviaturaNueva(Contexto &contexto, QWidget *parent)
    : QDialog(parent)
    , ctx(contexto)
{
    setWindowTitle(QStringLiteral("Nueva Abreviatura"));
    lblAlEscribir = new QLabel(QStringLiteral("Al escribir lo siguiente:"), this);
    txtAlEscribir = new QLineEdit(this);
    txtAlEscribir->setMaxLength(int(LargoMaximoPalabra));
    lblConvertirA = new QLabel(QStringLiteral("Convertir a:"), this);
    txtConvertirA = new QPlainTextEdit(this);
    txtConvertirA->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtConvertirA->setTabChangesFocus(true);
    cmdGuardar = new QPushButton(QStringLiteral("Guardar"), this);
    cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdGuardar->setDefault(true);
    // Alt and a letter reach each control; each label names its box for screen readers.
    lblAlEscribir->setText(QStringLiteral("&Al escribir lo siguiente:"));
    lblAlEscribir->setBuddy(txtAlEscribir);
    lblConvertirA->setText(QStringLiteral("&Convertir a:"));
    lblConvertirA->setBuddy(txtConvertirA);
    cmdGuardar->setText(QStringLiteral("&Guardar"));
    cmdCancelar->setText(QStringLiteral("Ca&ncelar"));

    auto *rejilla = new QGridLayout(this);
    rejilla->addWidget(lblAlEscribir, 0, 0);
    rejilla->addWidget(txtAlEscribir, 1, 0);
    rejilla->addWidget(lblConvertirA, 2, 0);
    rejilla->addWidget(txtConvertirA, 3, 0);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdGuardar);
    botones->addWidget(cmdCancelar);
    rejilla->addLayout(botones, 4, 0);
    resize(320, 240);

    connect(cmdGuardar, &QPushButton::clicked, this, &frmAbreviaturaNueva::cmdGuardar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmAbreviaturaNueva::cmdCancelar_Click);
    connect(txtConvertirA, &QPlainTextEdit::textChanged, this, &frmAbreviaturaNueva::txtConvertirA_Change);
}

void frmAbreviaturaNueva::Form_Load()
{
    setWindowTitle(modo == QLatin1String("nuevo") ? QStringLiteral("Nueva Abreviatura")
                                                  : QStringLiteral("Modificar Abreviatura"));
    textoAnterior_ = txtConvertirA->toPlainText();
}

void frmAbreviaturaNueva::txtConvertirA_Change()
{
    // The replacement box holds 140 characters, a line break counting two.
    const QString texto = ConSaltosCrLf(txtConvertirA->toPlainText());
    if (texto.size() > LargoMaximoReemplazo) {
        const QString recortado = LimitarEdicion(ConSaltosCrLf(textoAnterior_), texto, LargoMaximoReemplazo);
        const int posicion = txtConvertirA->textCursor().position();
        const int sobrante = int(txtConvertirA->toPlainText().size() - ConSaltosLf(recortado).size());
        const QSignalBlocker bloqueo(txtConvertirA);
        txtConvertirA->setPlainText(ConSaltosLf(recortado));
        QTextCursor c = txtConvertirA->textCursor();
        c.setPosition(std::clamp(posicion - sobrante, 0, int(txtConvertirA->document()->characterCount() - 1)));
        txtConvertirA->setTextCursor(c);
    }
    textoAnterior_ = txtConvertirA->toPlainText();
}

void frmAbreviaturaNueva::cmdGuardar_Click()
{
    const QString palabra = txtAlEscribir->text();
    const QString reemplazo = ConSaltosCrLf(txtConvertirA->toPlainText());
    const ProblemaAbreviatura problema = ValidarAbreviatura(palabra, reemplazo);
    if (problema != ProblemaAbreviatura::Ninguno) {
        ctx.dialogos.mensaje(MensajeProblemaAbreviatura(problema), Dialogos::Botones::Aceptar,
                             Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        switch (problema) {
        case ProblemaAbreviatura::PalabraCorta: {
            txtAlEscribir->setFocus();
            // The one letter, wherever the blanks put it.
            const qsizetype inicio = palabra.indexOf(palabra.trimmed());
            txtAlEscribir->setSelection(int(std::max<qsizetype>(0, inicio)), 1);
            break;
        }
        case ProblemaAbreviatura::ReemplazoVacio:
        case ProblemaAbreviatura::ReemplazoLargo:
            txtConvertirA->setFocus();
            break;
        case ProblemaAbreviatura::ConComillas:
            if (palabra.contains(u'"'))
                txtAlEscribir->setFocus();
            else
                txtConvertirA->setFocus();
            break;
        default:
            txtAlEscribir->setFocus();
            break;
        }
        return;
    }
    if (modo == QLatin1String("nuevo")) {
        if (!guardar(palabra, reemplazo))
            return;
        accept();
        return;
    }
    const QString anterior = modo.mid(10);
    const auto respuesta =
        ctx.dialogos.mensaje(QStringLiteral("¿Desea modificar la Abreviatura ") + anterior + QStringLiteral(" ?"),
                             Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, Dialogos::tituloPrograma());
    if (respuesta != Dialogos::Respuesta::Si) {
        reject();
        return;
    }
    // The new pair first: the old word goes only once the new one is stored,
    // so a failed write loses nothing.
    if (!guardar(palabra, reemplazo))
        return;
    // The same word in another case was replaced by the write itself.
    if (Ajustes::plegar(anterior) != Ajustes::plegar(palabra.trimmed())) {
        // A key already gone is no failure.
        const QString ausente = QStringLiteral("\x01ausente\x01");
        if (!ctx.ajustes.borrarClave(SeccionAbreviaturas, anterior) &&
            ctx.ajustes.leer(SeccionAbreviaturas, anterior, ausente) != ausente) {
            ctx.dialogos.mensaje(QStringLiteral("La abreviatura ") + palabra.trimmed() +
                                     QStringLiteral(" se guardó, pero no se pudo eliminar la abreviatura ") + anterior +
                                     QStringLiteral(", que sigue en la lista."),
                                 Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        }
    }
    accept();
}

bool frmAbreviaturaNueva::guardar(const QString &palabra, const QString &reemplazo)
{
    if (GuardarAbreviatura(ctx.ajustes, palabra, reemplazo))
        return true;
    // The dialog stays open with what the user wrote, to try again or cancel.
    ctx.dialogos.mensaje(QStringLiteral("No se pudo guardar la abreviatura en la configuración de NTX Mensajes."
                                        "\r\n\r\n · Compruebe que haya espacio libre en el disco e inténtelo de "
                                        "nuevo."),
                         Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
    txtConvertirA->setFocus();
    return false;
}

void frmAbreviaturaNueva::cmdCancelar_Click()
{
    reject();
}

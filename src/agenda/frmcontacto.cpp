#include "agenda/frmcontacto.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "agenda/grupos.h"
#include "agenda/registrocontacto.h"
#include "comun/contexto.h"
#include "plataforma/colores.h"
#include "plataforma/teclado.h"

namespace {

QRect Twips(int x, int y, int ancho, int alto)
{
    return QRect(x / 15, y / 15, ancho / 15, alto / 15);
}

} // namespace

frmContacto::frmContacto(Contexto &contexto, std::function<void()> refrescarPanel, QWidget *parent)
    : QDialog(parent)
    , ctx(contexto)
    , m_refrescarPanel(std::move(refrescarPanel))
{
    setWindowTitle(QStringLiteral("Agenda - [Contacto]"));
    setFixedSize(Twips(0, 0, 5400, 2700).size());

    ui.lblNombre = new QLabel(QStringLiteral("Nombre:"), this);
    ui.lblNombre->setGeometry(Twips(240, 240, 1100, 255));
    ui.txtNombre = new QLineEdit(this);
    ui.txtNombre->setGeometry(Twips(1380, 200, 3780, 315));
    ui.txtNombre->setMaxLength(60);

    ui.lblProveedor = new QLabel(QStringLiteral("Proveedor:"), this);
    ui.lblProveedor->setGeometry(Twips(240, 720, 1100, 255));
    ui.cboProveedor = new QComboBox(this);
    ui.cboProveedor->setGeometry(Twips(1380, 680, 3780, 315));

    ui.lblBuscarEmpresa = new QLabel(QStringLiteral("Detectar proveedor"), this);
    ui.lblBuscarEmpresa->setGeometry(Twips(3600, 1040, 1560, 255));
    ui.lblBuscarEmpresa->setStyleSheet(QStringLiteral("color: %1; text-decoration: underline;")
                                           .arg(ColorLegible(Qt::blue, palette().color(QPalette::Window)).name()));
    ui.lblBuscarEmpresa->setCursor(Qt::PointingHandCursor);
    ui.lblBuscarEmpresa->installEventFilter(this);

    ui.lblNumTitulo = new QLabel(QStringLiteral("Número:"), this);
    ui.lblNumTitulo->setGeometry(Twips(240, 1400, 1100, 255));
    ui.lblCodArea = new QLabel(QStringLiteral("0"), this);
    ui.lblCodArea->setGeometry(Twips(1380, 1400, 300, 255));
    ui.lblCodArea->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.txtCodArea = new QLineEdit(this);
    ui.txtCodArea->setGeometry(Twips(1700, 1360, 900, 315));
    ui.txtCodArea->setMaxLength(6);
    ui.lblNumero = new QLabel(QStringLiteral("15"), this);
    ui.lblNumero->setGeometry(Twips(2640, 1400, 300, 255));
    ui.lblNumero->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.txtNumero = new QLineEdit(this);
    ui.txtNumero->setGeometry(Twips(2980, 1360, 2180, 315));
    ui.txtNumero->setMaxLength(25);
    ui.txtCodArea->installEventFilter(this);
    ui.txtNumero->installEventFilter(this);

    ui.cmdAceptar = new QPushButton(QStringLiteral("Guardar"), this);
    ui.cmdAceptar->setGeometry(Twips(2520, 2040, 1260, 375));
    ui.cmdAceptar->setDefault(true);
    ui.cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    ui.cmdCancelar->setGeometry(Twips(3900, 2040, 1260, 375));

    ui.nombrar();
    // Read aloud and reached by Alt and a letter: each label names its box.
    ui.lblNombre->setText(QStringLiteral("&Nombre:"));
    ui.lblNombre->setBuddy(ui.txtNombre);
    ui.lblProveedor->setText(QStringLiteral("&Proveedor:"));
    ui.lblProveedor->setBuddy(ui.cboProveedor);
    ui.lblNumTitulo->setBuddy(ui.txtCodArea);
    ui.txtCodArea->setAccessibleName(QStringLiteral("Código de área"));
    ui.txtNumero->setAccessibleName(QStringLiteral("Número"));
    ui.cmdAceptar->setText(QStringLiteral("&Guardar"));
    ui.cmdCancelar->setText(QStringLiteral("&Cancelar"));
    HacerEnlaceDeTeclado(ui.lblBuscarEmpresa, QStringLiteral("Busca el proveedor del número escrito"));

    connect(ui.cboProveedor, &QComboBox::activated, this, [this] { cboProveedor_Click(); });
    connect(ui.cmdAceptar, &QPushButton::clicked, this, &frmContacto::cmdAceptar_Click);
    connect(ui.cmdCancelar, &QPushButton::clicked, this, &frmContacto::cmdCancelar_Click);
}

void frmContacto::ponerProveedores(const QStringList &proveedores)
{
    ui.cboProveedor->clear();
    ui.cboProveedor->addItems(proveedores);
    ui.cboProveedor->setCurrentIndex(-1);
}

void frmContacto::ponerDatos(const QString &nombre, const QString &codArea, const QString &numero)
{
    ui.txtNombre->setText(nombre);
    ui.txtCodArea->setText(codArea);
    ui.txtNumero->setText(numero);
}

void frmContacto::prepararAgregar()
{
    setWindowTitle(QStringLiteral("Agenda - Nuevo Contacto"));
    Accion = QStringLiteral("Agregar");
}

void frmContacto::prepararModificar(const QString &nombre)
{
    setWindowTitle(QStringLiteral("Agenda - ") + nombre);
    Accion = QStringLiteral("Modificar_") + nombre;
}

bool frmContacto::SeleccionarProveedor(const QString &proveedor)
{
    const int indice = ui.cboProveedor->findText(proveedor, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (indice < 0)
        return false;
    ui.cboProveedor->setCurrentIndex(indice);
    cboProveedor_Click();
    return true;
}

void frmContacto::cboProveedor_Click()
{
    if (ui.cboProveedor->currentIndex() < 0)
        return;
    const QString proveedor = ui.cboProveedor->currentText();
    if (proveedor == QLatin1String("Argentina - Claro") || proveedor == QLatin1String("Argentina - Personal")) {
        ui.lblNumTitulo->show();
        ui.lblCodArea->setText(QStringLiteral("0"));
        ui.lblNumero->setText(QStringLiteral("15"));
        ui.lblCodArea->show();
        ui.lblNumero->show();
        txtCodAreaTag = txtNumeroTag = QStringLiteral("numeros");
        ui.txtCodArea->show();
        ui.txtNumero->show();
    } else if (proveedor == QLatin1String("Venezuela - Movilnet")) {
        ui.lblNumTitulo->setText(QStringLiteral("Móvil:"));
        ui.lblCodArea->setText(QStringLiteral("04"));
        ui.lblNumero->setText(QStringLiteral("-"));
        ui.lblNumTitulo->show();
        ui.lblCodArea->show();
        ui.lblNumero->show();
        ui.txtCodArea->clear();
        ui.txtNumero->clear();
        txtCodAreaTag = txtNumeroTag = QStringLiteral("numeros");
        ui.txtCodArea->show();
        ui.txtNumero->show();
    }
}

void frmContacto::filtrarTecla(const QString &tag, int &tecla)
{
    if (tag != QLatin1String("numeros"))
        return;
    if (tecla == 8 || tecla == 9)
        return;
    if (tecla < '0' || tecla > '9') {
        tecla = 0;
        ctx.sistema.pitido();
    }
}

void frmContacto::txtCodArea_KeyPress(int &tecla)
{
    filtrarTecla(txtCodAreaTag, tecla);
}

void frmContacto::txtNumero_KeyPress(int &tecla)
{
    filtrarTecla(txtNumeroTag, tecla);
}

void frmContacto::lblBuscarEmpresa_Click()
{
    ctx.sistema.abrirEnNavegador(ctx.direcciones.sitio + QStringLiteral("/ir/?id=25"));
}

void frmContacto::cmdCancelar_Click()
{
    close();
}

void frmContacto::avisar(const QString &texto)
{
    ctx.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion,
                         QStringLiteral("NTX Mensajes - Agenda"));
}

bool frmContacto::guardar(const QString &nombre, const QString &registro, const QString &nombreAnterior)
{
    // The new value is written before the old one goes, so a failed write loses nothing.
    if (!ctx.ajustes.escribir(SeccionAgenda, nombre, registro)) {
        ctx.dialogos.mensaje(QStringLiteral("No se pudo guardar el contacto en la Agenda. Sus datos no se "
                                            "modificaron."),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        return false;
    }
    // A name that differs only in case is the same value of the store: already replaced.
    if (!nombreAnterior.isNull() && Ajustes::plegar(nombreAnterior) != Ajustes::plegar(nombre))
        ctx.ajustes.borrarClave(SeccionAgenda, nombreAnterior);
    // The groups follow the new name (also a new spelling of the same name).
    if (!nombreAnterior.isNull() && nombreAnterior != nombre)
        Agenda::Grupos(ctx.ajustes).contactoRenombrado(nombreAnterior, nombre);
    if (m_refrescarPanel)
        m_refrescarPanel();
    return true;
}

void frmContacto::cmdAceptar_Click()
{
    const QString nombre = ui.txtNombre->text();
    if (nombre.isEmpty()) {
        avisar(QStringLiteral("Escriba el nombre del contacto por favor"));
        return;
    }
    if (ui.cboProveedor->currentIndex() < 0) {
        avisar(QStringLiteral("Seleccione el proveedor del contacto por favor"));
        return;
    }
    if (ui.txtCodArea->text().isEmpty()) {
        avisar(QStringLiteral("Escriba el código de área del contacto por favor"));
        return;
    }
    if (ui.txtNumero->text().isEmpty()) {
        avisar(QStringLiteral("Escriba el número o alias del contacto por favor"));
        return;
    }
    const Agenda::CamposContacto campos{nombre, ui.cboProveedor->currentText(), ui.txtCodArea->text(),
                                        ui.txtNumero->text()};
    // Texts the record or the agenda file cannot carry are refused before anything is written.
    const QString problema = Agenda::ProblemaCampos(campos);
    if (!problema.isEmpty()) {
        avisar(QStringLiteral("No se puede guardar el contacto: ") + problema + QLatin1Char('.'));
        return;
    }
    QString registro, error;
    if (!Agenda::EscribirRegistro(campos, &registro, &error)) {
        avisar(error);
        return;
    }

    const QString ausente = QStringLiteral("\x01ausente\x01");
    const bool existe = ctx.ajustes.leer(SeccionAgenda, nombre, ausente) != ausente;
    if (Accion == QLatin1String("Agregar")) {
        if (!existe) {
            if (guardar(nombre, registro, QString()))
                close();
            return;
        }
        if (preguntarReemplazo(nombre) && !guardar(nombre, registro, QString()))
            return;
        close();
        return;
    }

    const QString anterior = Accion.mid(10);
    const auto r = ctx.dialogos.mensaje(
        QStringLiteral("¿Está seguro que desea modificar los datos de ") + anterior + QStringLiteral("?"),
        Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, QStringLiteral("Modificar contacto"));
    if (r != Dialogos::Respuesta::Si) {
        close();
        return;
    }
    // A new name that belongs to another contact would replace it: asked as when adding.
    const bool otroContacto = existe && Ajustes::plegar(anterior) != Ajustes::plegar(nombre);
    if (otroContacto && !preguntarReemplazo(nombre)) {
        close();
        return;
    }
    if (guardar(nombre, registro, anterior))
        close();
}

bool frmContacto::preguntarReemplazo(const QString &nombre)
{
    return ctx.dialogos.mensaje(nombre +
                                    QStringLiteral(" ya está en la Agenda\r\n\r\n¿Está seguro que desea modificar "
                                                   "los datos de ") +
                                    nombre + QStringLiteral("?"),
                                Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta,
                                QStringLiteral("Modificar contacto"),
                                Dialogos::Respuesta::No) == Dialogos::Respuesta::Si;
}

void frmContacto::done(int resultado)
{
    Accion.clear();
    QDialog::done(resultado);
}

bool frmContacto::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == ui.lblBuscarEmpresa && evento->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton)
            lblBuscarEmpresa_Click();
        return false;
    }
    if (objeto == ui.lblBuscarEmpresa && EsActivarPorTeclado(evento)) {
        lblBuscarEmpresa_Click();
        return true;
    }
    if ((objeto == ui.txtCodArea || objeto == ui.txtNumero) && evento->type() == QEvent::KeyPress) {
        const auto *tecla = static_cast<QKeyEvent *>(evento);
        if (tecla->text().isEmpty() || tecla->key() == Qt::Key_Tab || tecla->key() == Qt::Key_Backtab)
            return false;
        int codigo = tecla->key() == Qt::Key_Backspace ? 8 : static_cast<int>(tecla->text().at(0).unicode());
        if (objeto == ui.txtCodArea)
            txtCodArea_KeyPress(codigo);
        else
            txtNumero_KeyPress(codigo);
        return codigo == 0;
    }
    return QDialog::eventFilter(objeto, evento);
}

#include "asistente/frmasistente1.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QVBoxLayout>

#include "agenda/registrocontacto.h"
#include "comun/claves.h"
#include "plataforma/ajustes.h"
#include "plataforma/colores.h"
#include "plataforma/dialogos.h"
#include "plataforma/imagenes.h"
#include "plataforma/instanciaunica.h"
#include "plataforma/sistema.h"

namespace {

QString VersionCorta()
{
    return QString::number(NTX_VERSION_MAYOR) + QLatin1Char('.') + QString::number(NTX_VERSION_MENOR);
}

} // namespace

frmAsistente1::frmAsistente1(ServiciosAsistente servicios, QWidget *parent)
    : QWidget(parent)
    , s(servicios)
{
    setWindowTitle(QStringLiteral("NTX Mensajes - Asistente para la configuración"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(480, 300);

    picPresentacion = new QWidget(this);
    picPresentacion->setGeometry(0, 0, 480, 90);
    // White with its own dark letters under any theme.
    ColoresClarosPropios(picPresentacion, Qt::white);
    Picture1 = new QLabel(picPresentacion);
    Picture1->setGeometry(16, 13, 64, 64);
    Picture1->setPixmap(ImagenNitida(QStringLiteral(":/iconos/ntx.svg"), QSize(64, 64), this));
    lblPresentacion = new QLabel(QStringLiteral("Mensaje de Bienvenido."), picPresentacion);
    lblPresentacion->setGeometry(96, 20, 368, 50);
    lblPresentacion->setWordWrap(true);
    QFont grande = lblPresentacion->font();
    grande.setPointSize(12);
    grande.setBold(true);
    lblPresentacion->setFont(grande);

    lblRemitente0 = new QLabel(QStringLiteral("¿Cuál es su nombre?"), this);
    lblRemitente0->setGeometry(32, 116, 416, 20);
    txtRemitente0 = new QLineEdit(this);
    txtRemitente0->setGeometry(32, 140, 300, 24);
    lblRemitente0explicacion = new QLabel(QStringLiteral("Se usará este nombre como remitente de sus mensajes"), this);
    lblRemitente0explicacion->setGeometry(32, 170, 416, 20);

    fraBotones = new QFrame(this);
    fraBotones->setObjectName(QStringLiteral("fraBotones"));
    fraBotones->setStyleSheet(QStringLiteral("#fraBotones { border-top: 1px solid #a0a0a0; }"));
    fraBotones->setGeometry(0, 236, 480, 64);
    picBotones = new QWidget(fraBotones);
    picBotones->setGeometry(0, 8, 480, 56);
    cmdCerrar = new QPushButton(QStringLiteral("&Cerrar"), picBotones);
    cmdCerrar->setGeometry(376, 14, 88, 28);
    cmdCerrar->setDefault(true);

    // Read aloud with its question and what the name is for.
    lblRemitente0->setBuddy(txtRemitente0);
    txtRemitente0->setAccessibleDescription(lblRemitente0explicacion->text());

    connect(cmdCerrar, &QPushButton::clicked, this, &frmAsistente1::cmdCerrar_Click);
    // Escape closes it as its one button does.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, cmdCerrar, &QPushButton::animateClick);
    connect(txtRemitente0, &QLineEdit::returnPressed, this, &frmAsistente1::cmdCerrar_Click);
}

void frmAsistente1::Form_Load()
{
    // Whether a client holds it too makes no difference: holding it keeps a new client out.
    bool yaExistia = false;
    s.instancia.crearMutex(InstanciaUnica::nombreMutex(), &yaExistia);

    ClavePrimeraVez = ::ClavePrimeraVez();
    bool legible = true;
    PrimeraVez = s.ajustes.leerBooleano(SeccionMensajes, ClavePrimeraVez, true, &legible);
    if (!legible) {
        PrimeraVez = true;
        s.ajustes.escribirBooleano(SeccionMensajes, ClavePrimeraVez, true);
    }

    Bienvenida = PrimeraVez ? QStringLiteral("Gracias por instalar NTX Mensajes ") + VersionCorta()
                            : QStringLiteral("NTX Mensajes ") + VersionCorta();
    lblPresentacion->setText(Bienvenida);

    const QString remitente = s.ajustes.leer(SeccionMensajes, ClaveRemitente(0));
    if (!remitente.isEmpty())
        txtRemitente0->setText(remitente);

    ActualizarContactos(s.ajustes);
}

int frmAsistente1::ActualizarContactos(Ajustes &ajustes)
{
    ParesAjustes pares;
    if (!ajustes.enumerarConEstado(SeccionAgenda, &pares))
        return 0;
    int reescritos = 0;
    for (const auto &par : std::as_const(pares)) {
        Agenda::CamposContacto campos;
        QString nuevo;
        if (!Agenda::ActualizarRegistroAntiguo(par.second, &campos, &nuevo))
            continue;
        if (!ajustes.escribir(SeccionAgenda, campos.nombre, nuevo))
            break;
        ++reescritos;
    }
    return reescritos;
}

void frmAsistente1::cmdCerrar_Click()
{
    if (m_cerrando)
        return;
    m_cerrando = true;
    s.sistema.dejarCorrerMensajes();
    const QString nombre = txtRemitente0->text().trimmed();
    // The sender name ends up in records that use "$_" as their separator.
    if (nombre.contains(QLatin1String("$_"))) {
        s.dialogos.mensaje(QStringLiteral("El nombre contiene «$_», que NTX Mensajes usa para separar datos. "
                                          "Escríbalo sin esos caracteres."),
                           Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        txtRemitente0->setFocus();
        m_cerrando = false;
        return;
    }
    if (!nombre.isEmpty())
        s.ajustes.escribir(SeccionMensajes, ClaveRemitente(0), nombre);

    // The client must find the mutex free, or it would hand over to nobody and end.
    s.instancia.liberarMutex();
    s.sistema.dejarCorrerMensajes();
    QString error;
    if (!s.ajustes.escribirBooleano(SeccionMensajes, ClavePrimeraVez, false))
        error = QStringLiteral("No se pudo guardar la configuración.");
    else if (!s.sistema.lineaDeComandos().contains(QStringLiteral("/noejecutar"), Qt::CaseInsensitive) &&
             !s.sistema.iniciarPrograma(QStringLiteral("ntxmensajes"))) {
        error = s.sistema.ultimoError();
        if (error.isEmpty())
            error = QStringLiteral("No se encontró el programa ntxmensajes o no se lo pudo ejecutar.");
    }
    if (!error.isEmpty()) {
        s.dialogos.mensaje(QStringLiteral("No se pudo iniciar NTX Mensajes, intente reinstalar la aplicación\r\n\r\n"
                                          "Error: ") +
                               error,
                           Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
    }
    s.sistema.terminarProceso(0);
}

void frmAsistente1::closeEvent(QCloseEvent *evento)
{
    // The window never closes by itself: closing runs the same steps as "Cerrar".
    evento->ignore();
    cmdCerrar_Click();
}

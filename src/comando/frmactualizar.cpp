#include "comando/frmactualizar.h"

#include "comando/comandos.h"
#include "comun/contexto.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

// The bar counts in ten-thousandths of a percent so that it can start just above
// zero, at 0.0001, and end at 100.0001.
constexpr int Escala = 10000;
constexpr double Minimo = 0.0001;
constexpr double Maximo = 100.0001;
constexpr qint64 Trozo = 1024;

const QString TextoCancelada =
    QStringLiteral("Ha ocurrido un error al intentar actualizar NTX Mensajes. La actualización ha sido cancelada.");
const QString PreguntaCancelar = QStringLiteral("¿Está seguro que desea cancelar la actualización de NTX Mensajes?");

int enEscala(double valor)
{
    return int(valor * Escala + 0.5);
}

} // namespace

frmActualizar::frmActualizar(Contexto &ctx_, QWidget *padre)
    : QWidget(padre, Qt::Window)
    , ctx(ctx_)
    , lblTitulo(new QLabel(QStringLiteral("NTX Mensajes está descargando la última versión..."), this))
    , lblEstado(new QLabel(QStringLiteral("Espere por favor..."), this))
    , pbrProgreso(new QProgressBar(this))
    , lblText(new QLabel(QStringLiteral("Completado"), this))
    , lblProgreso(new QLabel(QStringLiteral("0 %"), this))
    , cmdCancelar(new QPushButton(QStringLiteral("Cancelar"), this))
{
    setWindowTitle(QStringLiteral("Actualizando NTX Mensajes..."));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
    lblEstado->setObjectName(QStringLiteral("lblEstado"));
    pbrProgreso->setObjectName(QStringLiteral("pbrProgreso"));
    lblText->setObjectName(QStringLiteral("lblText"));
    lblProgreso->setObjectName(QStringLiteral("lblProgreso"));
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    QFont negrita = lblTitulo->font();
    negrita.setBold(true);
    lblTitulo->setFont(negrita);
    pbrProgreso->setRange(enEscala(Minimo), enEscala(Maximo));
    pbrProgreso->setValue(enEscala(Minimo));
    pbrProgreso->setTextVisible(false);
    // Room for the widest percentage, so the row does not shift while it grows.
    lblProgreso->setMinimumWidth(lblProgreso->fontMetrics().horizontalAdvance(QStringLiteral("100 %")) + 4);

    auto *capa = new QVBoxLayout(this);
    capa->addWidget(lblTitulo);
    capa->addWidget(lblEstado);
    capa->addWidget(pbrProgreso);
    auto *fila = new QHBoxLayout;
    fila->addWidget(lblText);
    fila->addWidget(lblProgreso);
    fila->addStretch();
    fila->addWidget(cmdCancelar);
    capa->addLayout(fila);
    setFixedWidth(380);

    connect(cmdCancelar, &QPushButton::clicked, this, &frmActualizar::cmdCancelar_Click);
}

frmActualizar::~frmActualizar()
{
    cerrarTransferencia();
}

void frmActualizar::descargar(const QString &url, const QString &archivo, qint64 tamano)
{
    CopyURLToFile(url, archivo, tamano, pbrProgreso, lblProgreso, lblEstado);
}

void frmActualizar::CopyURLToFile(const QString &url, const QString &archivo, qint64 tamano, QProgressBar *barra,
                                  QLabel *porcentaje, QLabel *estado)
{
    if (descargando())
        return;
    archivoDestino_ = archivo;
    tamano_ = tamano;
    total_ = 0;
    cabeceras_ = false;
    barra_ = barra;
    porcentaje_ = porcentaje;
    estado_ = estado;
    if (barra_) {
        barra_->setRange(enEscala(Minimo), enEscala(Maximo));
        barra_->setValue(enEscala(Minimo));
    }
    etapa_ = Etapa::Conectando;

    const QUrl direccion(url);
    if (url.isEmpty() || archivo.isEmpty() || !direccion.isValid()) {
        fallar(QStringLiteral("El argumento no es válido."), false);
        return;
    }
    // Without a positive size there is no percentage and nothing to check the file against.
    if (tamano_ <= 0) {
        fallar(QStringLiteral("El sitio web no informó el tamaño del archivo de instalación."), false);
        return;
    }

    ponerEstado(QStringLiteral("Conectando..."));
    red_ = new QNetworkAccessManager(this);
    ctx.sistema.dejarCorrerMensajes(true);
    if (etapa_ != Etapa::Conectando)
        return;

    QNetworkRequest pedido(direccion);
    pedido.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    pedido.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    respuesta_ = red_->get(pedido);
    connect(respuesta_, &QNetworkReply::metaDataChanged, this, &frmActualizar::alLlegarCabeceras);
    connect(respuesta_, &QNetworkReply::readyRead, this, &frmActualizar::procesar);
    connect(respuesta_, &QNetworkReply::finished, this, &frmActualizar::procesar);
    etapa_ = Etapa::Abriendo;
    ponerEstado(QStringLiteral("Abriendo..."));
    ctx.sistema.dejarCorrerMensajes(true);
}

void frmActualizar::alLlegarCabeceras()
{
    if (cabeceras_ || !respuesta_ || etapa_ != Etapa::Abriendo)
        return;
    const QVariant estado = respuesta_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // No status yet: the address is not open. A redirect brings its own headers later.
    if (!estado.isValid() || (estado.toInt() >= 300 && estado.toInt() < 400))
        return;
    cabeceras_ = true;
    borrarArchivo();
    archivo_.setFileName(archivoDestino_);
    if (!archivo_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fallar(QStringLiteral("No se pudo crear el archivo ") + archivoDestino_ + QStringLiteral(": ") +
                   archivo_.errorString(),
               false);
        return;
    }
    etapa_ = Etapa::Descargando;
    ponerEstado(QStringLiteral("Descargando..."));
}

void frmActualizar::procesar()
{
    if (procesando_ || preguntando_ || !respuesta_)
        return;
    if (etapa_ == Etapa::Abriendo)
        alLlegarCabeceras();
    if (etapa_ == Etapa::Abriendo && !respuesta_->isFinished())
        return;
    procesando_ = true;
    const auto fin = qScopeGuard([this] { procesando_ = false; });

    const QNetworkReply::NetworkError error = respuesta_->error();
    const int estadoHttp = respuesta_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (error != QNetworkReply::NoError && !cabeceras_) {
        fallar(textoConexion(), true);
        return;
    }
    if (estadoHttp >= 400) {
        fallar(QStringLiteral("El servidor respondió: ") + QString::number(estadoHttp) + QLatin1Char(' ') +
                   respuesta_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString(),
               false);
        return;
    }
    while (etapa_ == Etapa::Descargando && respuesta_ && respuesta_->bytesAvailable() > 0) {
        const QByteArray trozo = respuesta_->read(Trozo);
        total_ += trozo.size();
        ponerProgreso(qMin(100.0, double(total_) / double(tamano_) * 100.0));
        ctx.sistema.dejarCorrerMensajes(true);
        // A confirmed Cancel ends the transfer where it stands.
        if (etapa_ != Etapa::Descargando || !respuesta_)
            return;
        if (archivo_.write(trozo) != trozo.size()) {
            fallar(QStringLiteral("No se pudo escribir el archivo ") + archivoDestino_ + QStringLiteral(": ") +
                       archivo_.errorString(),
                   false);
            return;
        }
        if (preguntando_)
            return;
    }
    if (etapa_ == Etapa::Descargando && respuesta_ && respuesta_->isFinished() && respuesta_->bytesAvailable() == 0)
        alTerminar();
}

void frmActualizar::alTerminar()
{
    const QNetworkReply::NetworkError error = respuesta_->error();
    const QString descripcion = respuesta_->errorString();
    if (error != QNetworkReply::NoError) {
        fallar(descripcion, false);
        return;
    }
    cerrarTransferencia();
    instalar();
}

void frmActualizar::instalar()
{
    etapa_ = Etapa::Instalando;
    ponerEstado(QStringLiteral("Instalando..."));
    ctx.sistema.dejarCorrerMensajes();
    const QFileInfo descargado(archivoDestino_);
    if (!descargado.exists() || descargado.size() != tamano_ || descargado.size() <= 0) {
        ctx.dialogos.mensaje(TextoCancelada +
                                 QStringLiteral("\r\n\r\nEl archivo de instalación descargado del "
                                                "servidor no era el esperado\r\n\r\n · Intente "
                                                "actualizar nuevamente\r\n · Compruebe que el equipo siga "
                                                "conectado a Internet\r\n · Descargue NTX Mensajes desde "
                                                "el sitio web de ") +
                                 NombreSitioFabricante,
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        borrarArchivo();
        etapa_ = Etapa::Terminada;
        Q_EMIT terminada();
        if (forzado()) {
            ctx.dialogos.mensaje(QStringLiteral("Intente descargar la nueva versión de NTX Mensajes desde el sitio "
                                                "web de ") +
                                     NombreSitioFabricante + QStringLiteral(" (") + ctx.direcciones.sitio +
                                     QStringLiteral(").\r\n\r\nNTX Mensajes se cerrará ahora."),
                                 Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, Dialogos::tituloPrograma());
            ctx.sistema.terminarProceso(0);
            return;
        }
        close();
        return;
    }
    // The downloaded program must be runnable as a program file.
    QFile::setPermissions(archivoDestino_,
                          QFile::permissions(archivoDestino_) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    ctx.sistema.dejarCorrerMensajes();
    if (!ctx.sistema.ejecutarArchivo(archivoDestino_)) {
        fallar(ctx.sistema.ultimoError().isEmpty()
                   ? QStringLiteral("No se pudo iniciar el programa de instalación ") + archivoDestino_
                   : ctx.sistema.ultimoError(),
               false);
        return;
    }
    etapa_ = Etapa::Terminada;
    Q_EMIT terminada();
    ctx.sistema.terminarProceso(0);
}

void frmActualizar::fallar(const QString &descripcion, bool conexion)
{
    Q_UNUSED(conexion);
    cerrarTransferencia();
    borrarArchivo();
    etapa_ = Etapa::Terminada;
    Q_EMIT terminada();
    ctx.dialogos.mensaje(TextoCancelada + QStringLiteral("\r\n\r\n") + descripcion, Dialogos::Botones::Aceptar,
                         Dialogos::Icono::Critico, Dialogos::tituloPrograma());
    if (forzado()) {
        ctx.dialogos.mensaje(
            QStringLiteral("Intente descargar la nueva versión de NTX Mensajes desde el sitio web de ") +
                NombreSitioFabricante + QStringLiteral(" (") + ctx.direcciones.sitio +
                QStringLiteral(").\r\n\r\nNTX Mensajes se cerrará ahora."),
            Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, Dialogos::tituloPrograma());
        ctx.sistema.terminarProceso(0);
        return;
    }
    close();
}

QString frmActualizar::textoConexion() const
{
    return QStringLiteral("No se puede conectar al sitio web de ") + NombreSitioFabricante +
           QStringLiteral("\r\n\r\n · Compruebe que Windows esté conectado a Internet\r\n · Puede que el sitio web "
                          "no esté disponible temporalmente");
}

void frmActualizar::cerrarTransferencia()
{
    if (archivo_.isOpen())
        archivo_.close();
    if (respuesta_) {
        QNetworkReply *r = respuesta_;
        respuesta_ = nullptr;
        r->disconnect(this);
        if (!r->isFinished())
            r->abort();
        r->deleteLater();
    }
}

void frmActualizar::borrarArchivo()
{
    if (!archivoDestino_.isEmpty())
        QFile::remove(archivoDestino_);
}

void frmActualizar::ponerEstado(const QString &texto)
{
    if (estado_)
        estado_->setText(texto);
}

void frmActualizar::ponerProgreso(double porcentaje)
{
    const double valor = qBound(Minimo, porcentaje, Maximo);
    if (barra_)
        barra_->setValue(enEscala(valor));
    if (porcentaje_)
        porcentaje_->setText(QString::number(qRound(valor)) + QStringLiteral(" %"));
}

void frmActualizar::cmdCancelar_Click()
{
    if (cancelar() && !forzado())
        close();
}

bool frmActualizar::cancelar()
{
    if (preguntando_)
        return false;
    const bool forzar = forzado();
    const QString texto = forzar ? QStringLiteral("Esta actualización es necesaria para poder continuar, si cancela "
                                                  "ahora NTX Mensajes se cerrará.\r\n\r\n") +
                                       PreguntaCancelar
                                 : PreguntaCancelar;
    preguntando_ = true;
    const Dialogos::Respuesta respuesta = ctx.dialogos.mensaje(
        texto, Dialogos::Botones::SiNo, forzar ? Dialogos::Icono::Exclamacion : Dialogos::Icono::Pregunta,
        Dialogos::tituloPrograma());
    preguntando_ = false;
    if (respuesta != Dialogos::Respuesta::Si) {
        // What arrived while the question was open is written now.
        if (!procesando_ && respuesta_)
            QMetaObject::invokeMethod(this, &frmActualizar::procesar, Qt::QueuedConnection);
        return false;
    }
    const bool enCurso = descargando();
    cerrarTransferencia();
    borrarArchivo();
    etapa_ = Etapa::Terminada;
    if (enCurso)
        Q_EMIT terminada();
    if (forzar)
        ctx.sistema.terminarProceso(0);
    return true;
}

void frmActualizar::closeEvent(QCloseEvent *evento)
{
    // The close box of a running download is a Cancel, with its question.
    if (descargando() && (!cancelar() || forzado())) {
        evento->ignore();
        return;
    }
    evento->accept();
    Q_EMIT cerrado();
}

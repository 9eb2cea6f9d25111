#include "comando/frmactualizar.h"

#include "comando/clavefabricante.h"
#include "comando/comandos.h"
#include "comando/firma.h"
#include "comun/contexto.h"
#include "comun/textosconexion.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QScopeGuard>
#include <QShortcut>
#include <QTemporaryFile>
#include <QVBoxLayout>

namespace {

// The bar counts in ten-thousandths of a percent so that it can start just above
// zero, at 0.0001, and end at 100.0001.
constexpr int Escala = 10000;
constexpr double Minimo = 0.0001;
constexpr double Maximo = 100.0001;
constexpr qint64 Trozo = 1024;
// A signature is 64 bytes; anything much longer is not one and is not read.
constexpr qint64 LimiteFirma = 4096;

const QString TextoCancelada =
    QStringLiteral("Ha ocurrido un error al intentar actualizar NTX Mensajes. La actualización ha sido cancelada.");
const QString PreguntaCancelar = QStringLiteral("¿Está seguro que desea cancelar la actualización de NTX Mensajes?");

QString textoNoEsperado()
{
    return QStringLiteral("El archivo de instalación descargado del servidor no era el esperado\r\n\r\n · Intente "
                          "actualizar nuevamente\r\n · Compruebe que el equipo siga conectado a Internet\r\n · "
                          "Descargue NTX Mensajes desde el sitio web de ") +
           NombreSitioFabricante;
}

QString textoNoFirmado()
{
    return QStringLiteral("El archivo de instalación descargado no está firmado por el fabricante. Pudo haber sido "
                          "cambiado en el camino, y no se abrirá.\r\n\r\n · Intente actualizar nuevamente\r\n · "
                          "Compruebe que el equipo siga conectado a Internet\r\n · Descargue NTX Mensajes desde el "
                          "sitio web de ") +
           NombreSitioFabricante;
}

QString textoSinClave()
{
    return QStringLiteral("Esta copia de NTX Mensajes se armó sin la clave del fabricante: no puede comprobar la firma "
                          "de ningún archivo de instalación y no abrirá ninguno.\r\n\r\n · Descargue NTX Mensajes "
                          "desde el sitio web de ") +
           NombreSitioFabricante;
}

QString textoSinManejador(const QString &ruta)
{
    QString texto = QStringLiteral("La nueva versión de NTX Mensajes se descargó y la firma del fabricante es "
                                   "correcta, pero no se pudo abrir con el instalador del sistema.\r\n\r\nEl archivo "
                                   "quedó guardado en:\r\n") +
                    ruta + QStringLiteral("\r\n\r\n · Ábralo con el instalador de paquetes del sistema");
    if (ruta.endsWith(QLatin1String(".deb"), Qt::CaseInsensitive))
        texto +=
            QStringLiteral("\r\n · O instálelo desde una terminal con: sudo apt install \"") + ruta + QLatin1Char('"');
    return texto;
}

QString textoRedireccionInsegura()
{
    return QStringLiteral("El sitio web quiso llevar la descarga de una dirección segura (https) a otra que no lo es "
                          "(http), y la descarga no siguió.\r\n\r\n · Descargue NTX Mensajes desde el sitio web de ") +
           NombreSitioFabricante;
}

int enEscala(double valor)
{
    return int(valor * Escala + 0.5);
}

} // namespace

frmActualizar::frmActualizar(Contexto &ctx_, QWidget *padre)
    : QWidget(padre, Qt::Window)
    , ctx(ctx_)
    , clave_(ClavePublicaFabricante())
{
    ui.lblTitulo = new QLabel(QStringLiteral("NTX Mensajes está descargando la última versión..."), this);
    ui.lblEstado = new QLabel(QStringLiteral("Espere por favor..."), this);
    ui.pbrProgreso = new QProgressBar(this);
    ui.lblText = new QLabel(QStringLiteral("Completado"), this);
    ui.lblProgreso = new QLabel(QStringLiteral("0 %"), this);
    ui.cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    ui.nombrar();
    setWindowTitle(QStringLiteral("Actualizando NTX Mensajes..."));
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    QFont negrita = ui.lblTitulo->font();
    negrita.setBold(true);
    ui.lblTitulo->setFont(negrita);
    ui.pbrProgreso->setRange(enEscala(Minimo), enEscala(Maximo));
    ui.pbrProgreso->setValue(enEscala(Minimo));
    ui.pbrProgreso->setTextVisible(false);
    // Room for the widest percentage, so the row does not shift while it grows.
    ui.lblProgreso->setMinimumWidth(ui.lblProgreso->fontMetrics().horizontalAdvance(QStringLiteral("100 %")) + 4);

    auto *capa = new QVBoxLayout(this);
    capa->addWidget(ui.lblTitulo);
    capa->addWidget(ui.lblEstado);
    capa->addWidget(ui.pbrProgreso);
    auto *fila = new QHBoxLayout;
    fila->addWidget(ui.lblText);
    fila->addWidget(ui.lblProgreso);
    fila->addStretch();
    fila->addWidget(ui.cmdCancelar);
    capa->addLayout(fila);
    setFixedWidth(380);

    connect(ui.cmdCancelar, &QPushButton::clicked, this, &frmActualizar::cmdCancelar_Click);
    // Escape is the cancel button, as in a dialog.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, ui.cmdCancelar, &QPushButton::animateClick);
}

frmActualizar::~frmActualizar()
{
    const bool aMedias = descargando();
    cerrarTransferencia();
    // A file whose transfer never finished is nobody's.
    if (aMedias)
        borrarArchivo();
}

void frmActualizar::descargar(const QString &url, const QString &archivo, qint64 tamano)
{
    CopyURLToFile(url, archivo, tamano, ui.pbrProgreso, ui.lblProgreso, ui.lblEstado);
}

void frmActualizar::CopyURLToFile(const QString &url, const QString &archivo, qint64 tamano, QProgressBar *barra,
                                  QLabel *porcentaje, QLabel *estado)
{
    if (descargando())
        return;
    direccion_ = url;
    archivoDestino_ = archivo;
    archivoGuardado_.clear();
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
        fallar(QStringLiteral("El argumento no es válido."));
        return;
    }
    // Without a positive size there is no percentage and nothing to check the file against.
    if (tamano_ <= 0) {
        fallar(QStringLiteral("El sitio web no informó el tamaño del archivo de instalación."));
        return;
    }
    // Nothing this copy downloads could be trusted: it is not downloaded at all.
    if (clave_.size() != LargoClavePublica) {
        fallar(textoSinClave());
        return;
    }

    ponerEstado(QStringLiteral("Conectando..."));
    red_ = new QNetworkAccessManager(this);
    ctx.sistema.dejarCorrerMensajes(true);
    if (etapa_ != Etapa::Conectando)
        return;

    QNetworkRequest pedido(direccion);
    // Never from https down to http; http up to https is fine.
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
    if (!crearArchivo())
        return;
    etapa_ = Etapa::Descargando;
    ponerEstado(QStringLiteral("Descargando..."));
}

bool frmActualizar::crearArchivo()
{
    // A fresh name, created exclusively and readable by this user only: a file
    // someone left under the target name is never written to nor opened.
    const QFileInfo destino(archivoDestino_);
    const QString sufijo = destino.suffix();
    archivo_ = std::make_unique<QTemporaryFile>(destino.absolutePath() + QLatin1Char('/') + destino.completeBaseName() +
                                                QStringLiteral("-XXXXXX") +
                                                (sufijo.isEmpty() ? QString() : QLatin1Char('.') + sufijo));
    archivo_->setAutoRemove(false);
    if (!archivo_->open() || !archivo_->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        const QString error = archivo_->errorString();
        if (archivo_->isOpen())
            archivoGuardado_ = archivo_->fileName();
        fallar(QStringLiteral("No se pudo crear el archivo ") + archivoDestino_ + QStringLiteral(": ") + error);
        return false;
    }
    archivoGuardado_ = archivo_->fileName();
    return true;
}

void frmActualizar::procesar()
{
    if (procesando_ || preguntando_ || !respuesta_)
        return;
    if (etapa_ == Etapa::Firma) {
        if (respuesta_->isFinished())
            alLlegarFirma();
        return;
    }
    if (etapa_ == Etapa::Abriendo)
        alLlegarCabeceras();
    if (etapa_ == Etapa::Abriendo && !respuesta_->isFinished())
        return;
    procesando_ = true;
    const auto fin = qScopeGuard([this] { procesando_ = false; });

    const QNetworkReply::NetworkError error = respuesta_->error();
    const int estadoHttp = respuesta_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (error != QNetworkReply::NoError && !cabeceras_) {
        // A refused https -> http redirect is not a missing site.
        fallar(error == QNetworkReply::InsecureRedirectError ? textoRedireccionInsegura() : textoConexion());
        return;
    }
    if (estadoHttp >= 400) {
        fallar(QStringLiteral("El servidor respondió: ") + QString::number(estadoHttp) + QLatin1Char(' ') +
               respuesta_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
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
        if (archivo_->write(trozo) != trozo.size()) {
            fallar(QStringLiteral("No se pudo escribir el archivo ") + archivoGuardado_ + QStringLiteral(": ") +
                   archivo_->errorString());
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
    if (respuesta_->error() != QNetworkReply::NoError) {
        fallar(respuesta_->errorString());
        return;
    }
    cerrarRespuesta();
    ponerEstado(QStringLiteral("Instalando..."));
    ctx.sistema.dejarCorrerMensajes();
    if (!archivo_->flush() || archivo_->size() != tamano_) {
        fallar(textoNoEsperado());
        return;
    }
    pedirFirma();
}

void frmActualizar::pedirFirma()
{
    etapa_ = Etapa::Firma;
    QNetworkRequest pedido(QUrl(direccion_ + QStringLiteral(".sig")));
    pedido.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    pedido.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    respuesta_ = red_->get(pedido);
    connect(respuesta_, &QNetworkReply::downloadProgress, this, [this](qint64 recibidos, qint64) {
        if (recibidos > LimiteFirma && respuesta_)
            respuesta_->abort();
    });
    connect(respuesta_, &QNetworkReply::finished, this, &frmActualizar::procesar);
}

void frmActualizar::alLlegarFirma()
{
    const QNetworkReply::NetworkError error = respuesta_->error();
    const QVariant estadoHttp = respuesta_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // The site could not be reached at all: that is a connection failure, not a missing signature.
    if (error != QNetworkReply::NoError && !estadoHttp.isValid() && error != QNetworkReply::OperationCanceledError &&
        error != QNetworkReply::InsecureRedirectError) {
        fallar(textoConexion());
        return;
    }
    const QByteArray firma =
        error == QNetworkReply::NoError && estadoHttp.toInt() < 300 ? respuesta_->read(LimiteFirma + 1) : QByteArray();
    cerrarRespuesta();
    // The bytes checked are read back through the file this window created and still holds.
    archivo_->seek(0);
    const QByteArray datos = archivo_->readAll();
    archivo_->close();
    switch (VerificarFirma(datos, firma, clave_)) {
    case ResultadoFirma::Valida:
        instalar();
        return;
    case ResultadoFirma::SinClave:
        fallar(textoSinClave());
        return;
    case ResultadoFirma::FirmaInvalida:
    case ResultadoFirma::NoCoincide:
        fallar(textoNoFirmado());
        return;
    }
}

void frmActualizar::instalar()
{
    etapa_ = Etapa::Instalando;
    ctx.sistema.dejarCorrerMensajes();
    const bool entregado = ctx.sistema.abrirConManejador(archivoGuardado_);
    etapa_ = Etapa::Terminada;
    Q_EMIT terminada();
    // The client ends only once the system's installer has the file.
    if (entregado) {
        ctx.sistema.terminarProceso(0);
        return;
    }
    // The file is good and stays where it is, for the user to install by hand.
    ctx.dialogos.mensaje(textoSinManejador(archivoGuardado_), Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion,
                         Dialogos::tituloPrograma());
    if (forzado()) {
        ctx.sistema.terminarProceso(0);
        return;
    }
    close();
}

void frmActualizar::fallar(const QString &descripcion)
{
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
           QStringLiteral("\r\n\r\n") + TextosConexion::comprobarConexion() +
           QStringLiteral("\r\n · Puede que el sitio web no esté disponible temporalmente");
}

void frmActualizar::cerrarRespuesta()
{
    if (respuesta_) {
        QNetworkReply *r = respuesta_;
        respuesta_ = nullptr;
        r->disconnect(this);
        if (!r->isFinished())
            r->abort();
        r->deleteLater();
    }
}

void frmActualizar::cerrarTransferencia()
{
    if (archivo_)
        archivo_->close();
    cerrarRespuesta();
}

void frmActualizar::borrarArchivo()
{
    archivo_.reset();
    if (!archivoGuardado_.isEmpty())
        QFile::remove(archivoGuardado_);
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
        // What arrived while the question was open is handled now.
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

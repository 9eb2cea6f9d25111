#include "envio/comandoenviar.h"

#include "envio/proveedores.h"

namespace {

const QString kDosLineas = QStringLiteral("\r\n\r\n");
const QString kSiError = QStringLiteral(
    " · Si cree que este mensaje aparece por error, por favor, pónganse en contacto con ntxVarel! desde el menú Ayuda");
const QString kActualizar =
    QStringLiteral(" · Puede intentar actualizar su versión de NTX Mensajes, quizá esto solucione el problema");
const QString kDirectivasAyudan = QStringLiteral(
    "Las directivas de seguridad ayudan a reducir el número de mensajes enviados con fines publicitarios y molestos");

void informar(Dialogos &d, const QString &texto)
{
    d.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, Dialogos::tituloPrograma());
}

void advertir(Dialogos &d, const QString &texto)
{
    d.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
}

QString textoNblo()
{
    return QStringLiteral("Las directivas de seguridad de NTX Mensajes no permiten enviar mensajes al destinatario "
                          "actual.") +
           kDosLineas + kDirectivasAyudan +
           QStringLiteral(". Los usuarios que optan por no recibir mensajes de este programa son incluidos dentro "
                          "de las directivas de seguridad.") +
           kDosLineas + kSiError;
}

QString textoPblo()
{
    return QStringLiteral("Las directivas de seguridad de NTX Mensajes no permiten enviar mensajes al proveedor "
                          "actual") +
           kDosLineas + kDirectivasAyudan + kDosLineas + kSiError + QStringLiteral("\r\n") + kActualizar;
}

QString textoPsin()
{
    return QStringLiteral("NTX Mensajes ha detectado que el proveedor al cuál está enviando este mensaje puede que "
                          "tenga sus servidores fuera de servicio. Sin embargo, NTX Mensajes intentará enviar el "
                          "mensaje. Si el servidor de este proveedor no está funcionando correctamente su mensaje no "
                          "llegará al destinatario") +
           kDosLineas +
           QStringLiteral(" · Para más información sobre el estado de los proveedores puede consultar la página de "
                          "Estado de los servicios de ntxVarel! dentro del menú Ayuda") +
           QStringLiteral("\r\n") + kSiError + QStringLiteral("\r\n") + kActualizar;
}

QString textoRblo()
{
    return QStringLiteral("Las directivas de seguridad de NTX Mensajes no le permiten enviar mensajes") + kDosLineas +
           kDirectivasAyudan + kDosLineas + kSiError + QStringLiteral("\r\n") +
           QStringLiteral(" · Intente usar otro nombre como remitente del mensaje");
}

QString textoMblo()
{
    return QStringLiteral("NTX Mensajes ha detectado que parte del texto del mensaje que intenta enviar ha sido "
                          "restringido por una directiva de seguridad. El mensaje no podrá ser enviado.") +
           kDosLineas + kDirectivasAyudan + kDosLineas + kSiError + QStringLiteral("\r\n") +
           QStringLiteral(" · Intente no usar palabras vulgares, lenguaje ofensivo o palabras que puedan ser usadas "
                          "en una publicidad");
}

QString textoLimite(bool corto)
{
    return (corto ? QStringLiteral("No puede enviar tantos mensajes de texto seguidos, por favor espere unos "
                                   "instantes antes de intentar enviar de nuevo.")
                  : QStringLiteral("No puede enviar tantos mensajes de texto seguidos, por favor espere antes de "
                                   "intentar enviar de nuevo.")) +
           kDosLineas + kDirectivasAyudan + QLatin1Char('.');
}

void sumar(qint16 &contador)
{
    if (contador < 32767)
        ++contador;
}

bool remitenteTextoYLargo(const MensajeSaliente &mensaje, Dialogos &dialogos)
{
    if (mensaje.remitente.isEmpty()) {
        informar(dialogos, QStringLiteral("Ingrese su nombre en el recuadro 'De:'"));
        return false;
    }
    if (mensaje.texto.isEmpty()) {
        informar(dialogos, QStringLiteral("Escriba el mensaje que desee enviar"));
        return false;
    }
    if (mensaje.cuenta > mensaje.maximo) {
        advertir(dialogos, QStringLiteral("Excedió el número máximo de caracteres que puede enviar este proveedor") +
                               QStringLiteral("\r\r") +
                               QStringLiteral("Reduzca su mensaje en unos cuantos caracteres e intente nuevamente."));
        return false;
    }
    return true;
}

// rblo, then mblo; only once the configuration arrived.
bool remitenteYPalabras(const MensajeSaliente &mensaje, const ConfiguracionRemota &config, Dialogos &dialogos)
{
    if (CoincideRemitente(config.rblo, mensaje.remitente)) {
        advertir(dialogos, textoRblo());
        return false;
    }
    if (CoincideMensaje(config.mblo, mensaje.texto)) {
        advertir(dialogos, textoMblo());
        return false;
    }
    return true;
}

} // namespace

bool CoincideNblo(const QStringList &nblo, bool modoAlias, const QString &alias, const QString &codArea,
                  const QString &numero)
{
    const QString destino = modoAlias ? alias.trimmed().toLower() : codArea.trimmed() + numero.trimmed();
    for (const QString &entrada : nblo) {
        if (entrada.isEmpty())
            continue;
        if (modoAlias ? entrada.toLower() == destino : entrada == destino)
            return true;
    }
    return false;
}

QString ServidorDePser(const QStringList &pser, const QString &proveedor, bool *encontrado)
{
    const QString prefijo = proveedor.toLower() + QLatin1Char('$');
    QString host;
    bool hay = false;
    for (const QString &entrada : pser) {
        if (entrada.isEmpty())
            continue;
        if (entrada.left(prefijo.size()).toLower() == prefijo) {
            host = entrada.section(QLatin1Char('$'), 1, 1);
            hay = true;
        }
    }
    if (encontrado)
        *encontrado = hay;
    return host;
}

int CoincidenciasProveedor(const QStringList &lista, const QString &proveedor)
{
    int n = 0;
    const QString buscado = proveedor.toLower();
    for (const QString &entrada : lista) {
        if (!entrada.isEmpty() && entrada.toLower() == buscado)
            ++n;
    }
    return n;
}

bool CoincideProveedor(const QStringList &lista, const QString &proveedor)
{
    return CoincidenciasProveedor(lista, proveedor) > 0;
}

bool CoincideRemitente(const QStringList &rblo, const QString &remitente)
{
    const QString buscado = remitente.trimmed().toLower();
    for (const QString &entrada : rblo) {
        if (!entrada.isEmpty() && entrada.toLower() == buscado)
            return true;
    }
    return false;
}

bool CoincideMensaje(const QStringList &mblo, const QString &mensaje)
{
    for (const QString &entrada : mblo) {
        if (!entrada.isEmpty() && mensaje.contains(entrada, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

LimiteEnvio ContarEnvio(qint16 &corto, qint16 &largo)
{
    sumar(corto);
    if (corto > 8)
        return LimiteEnvio::VentanaCorta;
    sumar(largo);
    if (largo > 40)
        return LimiteEnvio::VentanaLarga;
    return LimiteEnvio::Permitido;
}

ResultadoComandoEnviar ValidarComandoEnviar(MensajeSaliente &mensaje, const ConfiguracionRemota &config, qint16 &corto,
                                            qint16 &largo, Dialogos &dialogos)
{
    mensaje.ServidorAlternativo.clear();
    const DestinatarioSaliente &d = mensaje.destinatario;

    if (!d.modoAlias) {
        if (d.codArea.isEmpty() || d.numero.isEmpty()) {
            informar(dialogos, QStringLiteral("Ingrese el código de área y número de teléfono de destino"));
            return ResultadoComandoEnviar::Rechazado;
        }
    } else {
        if (d.alias.isEmpty()) {
            informar(dialogos, QStringLiteral("Ingrese el Alias, PIN o clave del destinatario del mensaje") +
                                   QStringLiteral("\r\r") +
                                   QStringLiteral("Esta clave o alias la conocerá el destinatario del mensaje. Las "
                                                  "compañías usan el alias o clave para determinar que usted "
                                                  "recibio autorización para mandarle mensajes al cliente."));
            return ResultadoComandoEnviar::Rechazado;
        }
        if (d.alias.contains(QLatin1Char(' '))) {
            informar(dialogos, QStringLiteral("El Alias no puede contener espacios en blanco"));
            return ResultadoComandoEnviar::Rechazado;
        }
    }
    if (!remitenteTextoYLargo(mensaje, dialogos))
        return ResultadoComandoEnviar::Rechazado;

    // Before the configuration arrives the lists do not exist: every scan is skipped.
    if (config.cargada) {
        if (CoincideNblo(config.nblo, d.modoAlias, d.alias, d.codArea, d.numero)) {
            advertir(dialogos, textoNblo());
            return ResultadoComandoEnviar::Rechazado;
        }
        mensaje.ServidorAlternativo = ServidorDePser(config.pser, mensaje.ProveedorActual);
        if (CoincideProveedor(config.pblo, mensaje.ProveedorActual)) {
            advertir(dialogos, textoPblo());
            return ResultadoComandoEnviar::Rechazado;
        }
        for (int i = CoincidenciasProveedor(config.psin, mensaje.ProveedorActual); i > 0; --i)
            informar(dialogos, textoPsin());
        if (!remitenteYPalabras(mensaje, config, dialogos))
            return ResultadoComandoEnviar::Rechazado;
    }

    switch (ContarEnvio(corto, largo)) {
    case LimiteEnvio::VentanaCorta:
        advertir(dialogos, textoLimite(true));
        return ResultadoComandoEnviar::RechazadoLimpiar;
    case LimiteEnvio::VentanaLarga:
        advertir(dialogos, textoLimite(false));
        return ResultadoComandoEnviar::RechazadoLimpiar;
    case LimiteEnvio::Permitido:
        break;
    }
    return ResultadoComandoEnviar::Enviar;
}

void LimitesEnvio::tic(const QDateTime &ahora)
{
    inicioMinuto = ahora;
    ++minutosCorto;
    ++minutosLargo;
    if (minutosCorto >= 2) {
        ContadorCorto = 0;
        minutosCorto = 0;
    }
    if (minutosLargo > 60) {
        ContadorLargo = 0;
        minutosLargo = 0;
    }
}

qint64 LimitesEnvio::esperaMs(const QDateTime &ahora) const
{
    if (cabeOtro())
        return 0;
    // What is left of the minute under way, then whole minutes to the window's end.
    qint64 resto = MsMinuto;
    if (inicioMinuto.isValid())
        resto = qBound(qint64(0), MsMinuto - inicioMinuto.msecsTo(ahora), MsMinuto);
    qint64 espera = 0;
    if (ContadorCorto >= MaximoCorto)
        espera = resto + qMax(0, 1 - minutosCorto) * MsMinuto;
    if (ContadorLargo >= MaximoLargo)
        espera = qMax(espera, resto + qMax(0, 60 - minutosLargo) * MsMinuto);
    return espera;
}

QString MotivoDestinatario(const MensajeSaliente &mensaje, const ConfiguracionRemota &config)
{
    const DestinatarioSaliente &d = mensaje.destinatario;
    const QString &proveedor = mensaje.ProveedorActual;
    if (!BuscarProveedor(proveedor))
        return QStringLiteral("NTX Mensajes no puede enviar mensajes al proveedor de este contacto");
    if (d.modoAlias ? d.alias.isEmpty() : d.codArea.isEmpty() || d.numero.isEmpty())
        return QStringLiteral("Falta el código de área o el número de teléfono");
    if (config.cargada) {
        if (CoincideNblo(config.nblo, d.modoAlias, d.alias, d.codArea, d.numero))
            return QStringLiteral("Las directivas de seguridad no permiten enviar mensajes a este destinatario");
        if (CoincideProveedor(config.pblo, proveedor))
            return QStringLiteral("Las directivas de seguridad no permiten enviar mensajes a este proveedor");
    }
    if (!DestinoValido(proveedor, mensaje.codAreaPeticion(), mensaje.numeroPeticion()))
        return QStringLiteral("El número de teléfono ingresado no corresponde a un cliente de ") + proveedor;
    return {};
}

bool ValidarMensajeComun(const MensajeSaliente &mensaje, const ConfiguracionRemota &config, Dialogos &dialogos)
{
    if (!remitenteTextoYLargo(mensaje, dialogos))
        return false;
    return !config.cargada || remitenteYPalabras(mensaje, config, dialogos);
}

#include "comando/comandos.h"

#include "plataforma/direcciones.h"

#include <QRegularExpression>
#include <QUrl>
#include <cmath>
#include <limits>

namespace {

struct Entrada
{
    const char *nombre;
    OrdenComando::Tipo tipo;
    int parametros;
    const char *errorSintaxis;
};

const Entrada Comandos[] = {
    {"cusar", OrdenComando::Tipo::Cusar, 0, nullptr},
    {"sales", OrdenComando::Tipo::Sales, 0, nullptr},
    {"salem", OrdenComando::Tipo::Salem, 1, "La sintaxis de la secuencia de comandos SALEM no es válida"},
    {"mnsje", OrdenComando::Tipo::Mnsje, 2,
     "La sintaxis de la secuencia de comandos MNSJE no es válida, necesita dos parámetros válidos"},
    {"princ", OrdenComando::Tipo::Princ, 0, nullptr},
    {"notic", OrdenComando::Tipo::Notic, 0, nullptr},
    {"naveg", OrdenComando::Tipo::Naveg, 1, "La sintaxis de la secuencia de comandos NAVEG no es válida"},
    {"actua", OrdenComando::Tipo::Actua, 0, nullptr},
    {"actdw", OrdenComando::Tipo::Actdw, 2,
     "La sintaxis de la secuencia de comandos ACTDW no es válida, necesita dos parámetros válidos"},
    {"actdf", OrdenComando::Tipo::Actdf, 2,
     "La sintaxis de la secuencia de comandos ACTDF no es válida, necesita dos parámetros válidos"},
    {"panel", OrdenComando::Tipo::Panel, 0, nullptr},
};

int puertoEfectivo(const QUrl &url)
{
    const QString esquema = url.scheme().toLower();
    return url.port(esquema == QLatin1String("https") ? 443 : esquema == QLatin1String("http") ? 80 : -1);
}

bool esWeb(const QUrl &url)
{
    const QString esquema = url.scheme().toLower();
    return esquema == QLatin1String("http") || esquema == QLatin1String("https");
}

QString versionMayorMenor(int mayor, int menor)
{
    return QString::number(mayor) + QLatin1Char('_') + QString::number(menor);
}

} // namespace

bool EsEnlaceComando(const QString &direccion)
{
    return direccion.left(6).toLower() == QLatin1String("ntx://");
}

OrdenComando AnalizarComando(const QString &enlace)
{
    OrdenComando orden;
    if (!EsEnlaceComando(enlace))
        return orden;
    orden.comando = enlace.mid(6, 5).toLower();
    orden.tipo = OrdenComando::Tipo::Desconocido;
    const Entrada *entrada = nullptr;
    for (const Entrada &e : Comandos) {
        if (orden.comando == QLatin1String(e.nombre)) {
            entrada = &e;
            break;
        }
    }
    if (!entrada)
        return orden;
    orden.tipo = entrada->tipo;
    if (entrada->parametros == 0)
        return orden;

    const qsizetype uno = enlace.indexOf(QLatin1String("/1"), 0, Qt::CaseInsensitive);
    const qsizetype dos =
        entrada->parametros == 2 ? enlace.indexOf(QLatin1String("/2"), 0, Qt::CaseInsensitive) : qsizetype(0);
    // The closing marker must close the link: a "/F" left in the middle would cut the
    // last two characters of the text instead.
    const bool cierre = enlace.endsWith(QLatin1String("/F"), Qt::CaseInsensitive);
    const qsizetype fin = enlace.size() - 2;
    bool valido = uno >= 0 && dos >= 0 && cierre && uno + 2 <= fin;
    if (valido && entrada->parametros == 2)
        valido = dos >= uno + 2 && dos + 2 <= fin;
    if (!valido) {
        orden.errorSintaxis = QString::fromUtf8(entrada->errorSintaxis);
        return orden;
    }
    if (entrada->parametros == 1) {
        orden.primero = enlace.mid(uno + 2, fin - uno - 2);
    } else {
        orden.primero = enlace.mid(uno + 2, dos - uno - 2);
        orden.segundo = enlace.mid(dos + 2, fin - dos - 2);
    }
    if (orden.tipo == OrdenComando::Tipo::Salem || orden.tipo == OrdenComando::Tipo::Mnsje) {
        orden.primero.replace(QLatin1Char('_'), QLatin1Char(' '));
        orden.segundo.replace(QLatin1Char('_'), QLatin1Char(' '));
    }
    return orden;
}

qint64 TamanoAnunciado(const QString &texto)
{
    qsizetype i = 0;
    while (i < texto.size() && (texto.at(i) == QLatin1Char(' ') || texto.at(i) == QLatin1Char('\t')))
        ++i;
    bool negativo = false;
    if (i < texto.size() && (texto.at(i) == QLatin1Char('-') || texto.at(i) == QLatin1Char('+'))) {
        negativo = texto.at(i) == QLatin1Char('-');
        ++i;
    }
    double valor = 0;
    bool digitos = false;
    while (i < texto.size() && texto.at(i).isDigit() && texto.at(i).unicode() < 128) {
        valor = valor * 10 + (texto.at(i).unicode() - '0');
        digitos = true;
        // Anything this large is no installer size; stop before the double loses meaning.
        if (valor > double(std::numeric_limits<qint32>::max()))
            return 0;
        ++i;
    }
    if (i < texto.size() && texto.at(i) == QLatin1Char('.')) {
        ++i;
        double escala = 0.1;
        while (i < texto.size() && texto.at(i).isDigit() && texto.at(i).unicode() < 128) {
            valor += (texto.at(i).unicode() - '0') * escala;
            escala /= 10;
            digitos = true;
            ++i;
        }
    }
    if (!digitos)
        return 0;
    const double redondeado = std::nearbyint(negativo ? -valor : valor);
    if (redondeado > double(std::numeric_limits<qint32>::max()))
        return 0;
    return qint64(redondeado);
}

bool ComandoPermitido(const QString &direccionPagina, bool marcoPrincipal, const Direcciones &direcciones)
{
    if (!marcoPrincipal)
        return false;
    const QUrl pagina(direccionPagina, QUrl::StrictMode);
    const QUrl sitio(direcciones.sitio);
    if (!pagina.isValid() || !sitio.isValid() || !esWeb(pagina) || !esWeb(sitio))
        return false;
    if (pagina.host().isEmpty())
        return false;
    return pagina.host().compare(sitio.host(), Qt::CaseInsensitive) == 0 &&
           puertoEfectivo(pagina) == puertoEfectivo(sitio);
}

QString DireccionConEsquemaDelSitio(const Direcciones &direcciones, const QString &sinEsquema)
{
    const bool segura = QUrl(direcciones.sitio).scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    return (segura ? QStringLiteral("https://") : QStringLiteral("http://")) + sinEsquema;
}

QString NombreArchivoInstalador(const QString &direccion)
{
    static const QRegularExpression kExtension(QStringLiteral("^[A-Za-z0-9]{1,10}$"));
    const QString archivo = QUrl(direccion).fileName();
    const qsizetype punto = archivo.lastIndexOf(QLatin1Char('.'));
    const QString extension = punto > 0 ? archivo.mid(punto + 1) : QString();
    if (!kExtension.match(extension).hasMatch())
        return QStringLiteral("ntxmensajes.exe");
    return QStringLiteral("ntxmensajes.") + extension.toLower();
}

QString PaginaComprobarVersion(const Direcciones &direcciones, int mayor, int menor, int revision)
{
    return direcciones.sitio + QStringLiteral("/ntxbin/act_ver_") + versionMayorMenor(mayor, menor) + QLatin1Char('_') +
           QString::number(revision) + QStringLiteral(".htm");
}

QString PaginaAvisos(const Direcciones &direcciones)
{
    return direcciones.sitio + QStringLiteral("/ntxbin/mensajes.htm");
}

QString PaginaInicio(const Direcciones &direcciones, int mayor, int menor)
{
    return direcciones.sitio + QStringLiteral("/ntxbin/princ/princ") + versionMayorMenor(mayor, menor);
}

#include "envio/peticiones.h"

#include "comando/configuracionremota.h"
#include "envio/codificacion.h"
#include "envio/proveedores.h"
#include "plataforma/direcciones.h"

QString ColaPredeterminada()
{
    return QStringLiteral("ntxvarel.com.ar");
}

QString TextoCola(const ConfiguracionRemota &config)
{
    return config.cola.isEmpty() ? ColaPredeterminada() : config.cola;
}

QString TextoFirmadoMovilnet(const QString &remitente, const QString &mensaje)
{
    QString r = remitente;
    QString m = mensaje;
    CodificarURL(r);
    CodificarURL(m);
    return QLatin1String("De+") + r + QLatin1String("%3A+") + m;
}

QString ConsultaClaro(const QString &area, const QString &numero, const QString &remitente, const QString &mensaje,
                      const QString &cola)
{
    QString r = remitente;
    QString m = mensaje;
    CodificarURLSinAcentos(r);
    CodificarURLSinAcentos(m);
    return QLatin1String("mensajito=") + m + QLatin1String("-+") + cola + QLatin1String("&dequien=") + r +
           QLatin1String("&numerito=") + area + numero;
}

QString ConsultaMovilnet(const QString &area, const QString &numero, const QString &remitente, const QString &mensaje,
                         const QString &cola)
{
    return QLatin1String("codigo=") + CodigoOperadorMovilnet(area) + QLatin1String("&numero=") + numero +
           QLatin1String("&mensaje=") + TextoFirmadoMovilnet(remitente, mensaje) + QLatin1String("+-") + cola +
           QLatin1String("&servicio=movilnet&tipomensaje=SMS");
}

QString DireccionClaro(const QString &base, const QString &consulta)
{
    return DireccionEnBytes(base + kRutaClaro + consulta);
}

QString DireccionMovilnet(const QString &base, const QString &consulta)
{
    return DireccionEnBytes(base + kRutaMovilnet + consulta);
}

QString HostPersonal(const QString &basePersonal, const QString &servidorAlternativo)
{
    if (!servidorAlternativo.isEmpty())
        return servidorAlternativo;
    return Direcciones::hostYPuerto(basePersonal);
}

QString DireccionPersonal(const QString &basePersonal, const QString &servidorAlternativo)
{
    return QLatin1String("http://") + HostPersonal(basePersonal, servidorAlternativo) + kRutaPersonal;
}

QString CabecerasPersonal(const QString &host, const QString &cookie)
{
    return QLatin1String("Referer: http://") + host + kRutaPersonal +
           QLatin1String("\nContent-Type: application/x-www-form-urlencoded\nCookie: ") + cookie;
}

QString CuerpoPersonal(const QString &cola, const QString &remitente, const QString &mensaje, const QString &area,
                       const QString &numero, const QString &archivoImagen, const QString &codigo)
{
    QString r = remitente;
    QString m = mensaje;
    CodificarURL(r);
    CodificarURL(m);
    return QLatin1String("pantalla=&DE_MESG_TXT=") + cola + QLatin1String("&sig=") + cola + QLatin1String("&msgtext=") +
           r + QLatin1String(":+") + m + QLatin1String("&Snb=") + area + numero + QLatin1String("&Filename=") +
           archivoImagen + QLatin1String("&FormValidar=validar&codigo=") + codigo +
           QLatin1String("&Image30.x=13&Image30.y=19");
}

bool EsPaginaPersonal(const QString &direccion, const QString &basePersonal, const QString &servidorAlternativo)
{
    const QString configurado = Direcciones::hostYPuerto(basePersonal);
    if (!configurado.isEmpty() && direccion.contains(configurado + kRutaPersonal, Qt::CaseInsensitive))
        return true;
    return !servidorAlternativo.isEmpty() &&
           direccion.contains(servidorAlternativo + kRutaPersonal, Qt::CaseInsensitive);
}

QString ArchivoImagenDe(const QString &html)
{
    const qsizetype pos = html.indexOf(QLatin1String("tmp/"), 0, Qt::CaseInsensitive);
    const qsizetype desde = pos < 0 ? 0 : pos + 4;
    return QLatin1String("tmp%2F") + html.mid(desde, 20);
}

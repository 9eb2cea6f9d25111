#include "shell/arranque.h"

#include <QFileInfo>

#include "comun/claves.h"
#include "comun/textosconexion.h"
#include "plataforma/ajustes.h"
#include "plataforma/dialogos.h"
#include "plataforma/instanciaunica.h"
#include "plataforma/sistema.h"

namespace Arranque {

QString NombreClave()
{
    return QStringLiteral(NTX_NOMBRE_CLAVE);
}

QString TextoVersion()
{
    return QStringLiteral("Versión ") + QString::number(NTX_VERSION_MAYOR) + QLatin1Char('.') +
           QString::number(NTX_VERSION_MENOR) + QStringLiteral(" - ") + NombreClave();
}

QString TextoEntrega(const QString &lineaDeComandos)
{
    if (lineaDeComandos.isEmpty())
        return QStringLiteral("ejecucion");
    return QStringLiteral("ejecucion,") + lineaDeComandos;
}

bool LineaEntregada(const QString &texto, QString *linea)
{
    const qsizetype coma = texto.indexOf(QLatin1Char(','));
    if (coma < 0)
        return false;
    if (linea)
        *linea = texto.mid(coma + 1);
    return true;
}

QStringList ArchivosRequeridos()
{
    return {QStringLiteral("index.htm"), QStringLiteral("historia.htm"), QStringLiteral("enviar.htm"),
            QStringLiteral("enviando.gif"), QStringLiteral("pub.htm")};
}

QString PrimerArchivoFaltante(const QString &carpetaPrograma)
{
    for (const QString &archivo : ArchivosRequeridos()) {
        const QFileInfo info(carpetaPrograma + QStringLiteral("/logica/") + archivo);
        if (!info.isFile())
            return archivo;
    }
    return {};
}

QString TextoAvisoMotorAntiguo()
{
    return QStringLiteral("Se detectó una versión de Internet Explorer anterior a la 6.0.") + QLatin1Char('\r') +
           QStringLiteral("Necesitará instalar Internet Explorer 6 (o superior) para usar NTX Mensajes. No es "
                          "necesario que Internet Explorer sea el explorador de internet predeterminado, sólo "
                          "que este instalado.");
}

QString TextoAvisoSinConexion()
{
    return QStringLiteral("NTX Mensajes no se puede iniciar porque ") + TextosConexion::trabajaSinConexion() +
           QStringLiteral(" a Internet.\r\n") + TextosConexion::comoConectarse();
}

QString TextoNoInstalado()
{
    return QStringLiteral("NTX Mensajes no está correctamente instalado, y no puede iniciarse. Reinstale la "
                          "aplicación.");
}

QString TextoFalloAlMostrar(const QString &sitio)
{
    return QStringLiteral("Parece que NTX Mensajes no puede iniciarse correctamente. Por favor reinstale la "
                          "aplicación o busque una nueva versión en el sitio web de ntxVarel! (") +
           sitio + QLatin1Char(')');
}

QString TextoAlmacenRecuperado(const QString &apartado, int rescatados)
{
    return QStringLiteral("El archivo de ajustes de NTX Mensajes (con la Agenda, los remitentes y las preferencias) "
                          "estaba dañado. Se apartó como:\r\n") +
           apartado + QStringLiteral("\r\n\r\nSe recuperaron ") + QString::number(rescatados) +
           QStringLiteral(" datos de él. Revise su Agenda y sus preferencias; lo que falte no pudo leerse.");
}

Resultado Verificar(Servicios &s)
{
    // A lock that cannot be taken at all must not keep the user out: go on as the only one.
    bool yaExistia = false;
    if (s.instancia.crearMutex(InstanciaUnica::nombreMutex(), &yaExistia) && yaExistia) {
        const QString texto = TextoEntrega(s.sistema.lineaDeComandos());
        if (s.instancia.buscarVentanaReceptora())
            s.instancia.enviarAReceptora(texto, 100);
        s.sistema.terminarProceso(0);
        return Resultado::Entregado;
    }

    const QString clave = ClavePrimeraVez();
    bool legible = true;
    bool primeraVez = s.ajustes.leerBooleano(SeccionMensajes, clave, true, &legible);
    if (!legible) {
        s.ajustes.borrarClave(SeccionMensajes, clave);
        primeraVez = true;
    }
    if (primeraVez) {
        if (!s.sistema.iniciarPrograma(QStringLiteral("ntxasistente"))) {
            QString error = s.sistema.ultimoError();
            if (error.isEmpty())
                error = QStringLiteral("No se encontró el programa ntxasistente o no se lo pudo ejecutar.");
            s.dialogos.mensaje(QStringLiteral("No se pudo iniciar el Asistente para la configuración, debe "
                                              "reinstalar NTX Mensajes.\r\n\r\nError: ") +
                                   error,
                               Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
            s.sistema.terminarProceso(0);
            return Resultado::SinAsistente;
        }
        s.sistema.terminarProceso(0);
        return Resultado::Asistente;
    }

    if (s.sistema.versionMotorWeb() < 6) {
        if (s.aviso)
            s.aviso(TextoAvisoMotorAntiguo(),
                    QStringLiteral("Haga clic aquí para visitar el sitio web de Internet Explorer"),
                    s.sitio + QStringLiteral("/ir/?id=13"));
        s.sistema.terminarProceso(0);
        return Resultado::MotorAntiguo;
    }

    if (!PrimerArchivoFaltante(s.sistema.carpetaPrograma()).isEmpty()) {
        s.dialogos.mensaje(TextoNoInstalado(), Dialogos::Botones::Aceptar, Dialogos::Icono::Critico,
                           QStringLiteral("Error crítico"));
        s.sistema.terminarProceso(0);
        return Resultado::NoInstalado;
    }
    return Resultado::Continuar;
}

} // namespace Arranque

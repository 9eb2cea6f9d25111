#include "mejoras/archivoabreviaturas.h"

#include <QFileInfo>

#include "mejoras/abreviaturas.h"
#include "plataforma/ajustes.h"
#include "plataforma/archivotexto.h"
#include "plataforma/dialogos.h"
#include "plataforma/sistema.h"

namespace {

const QString TextoErrorAcceso =
    QStringLiteral("Ocurrió un error al acceder al archivo, compruebe que tenga los permisos necesarios para acceder "
                   "al archivo y que esté en este equipo y no en otro de la red");

constexpr int ErrorArchivoNoEncontrado = 53;
constexpr int ErrorFinDeArchivo = 62;

FalloArchivo falloAcceso()
{
    FalloArchivo f;
    f.acceso = true;
    return f;
}

FalloArchivo falloNumerado(int numero, const QString &descripcion)
{
    FalloArchivo f;
    f.numero = numero;
    f.descripcion = descripcion;
    return f;
}

QString razonDeFallo(const FalloArchivo &f)
{
    if (f.acceso)
        return TextoErrorAcceso;
    return QStringLiteral("Error ") + NumeroConSigno(f.numero) + QStringLiteral(": ") + f.descripcion;
}

void mostrarFallo(Dialogos &dialogos, const QString &primeraLinea, const FalloArchivo &f)
{
    dialogos.mensaje(primeraLinea + QStringLiteral("\r\n\r\n") + razonDeFallo(f), Dialogos::Botones::Aceptar,
                     Dialogos::Icono::Ninguno, Dialogos::tituloPrograma());
}

bool tieneControles(const QString &texto, bool permitirSaltos)
{
    for (QChar c : texto) {
        if (c.unicode() >= 32 && c.unicode() != 127)
            continue;
        if (permitirSaltos && (c == u'\r' || c == u'\n' || c == u'\t'))
            continue;
        return true;
    }
    return false;
}

} // namespace

bool EscribirArchivoAbreviaturas(const QString &ruta, const ParesAbreviatura &pares, FalloArchivo *fallo,
                                 int *comillasCambiadas, const std::function<void()> &entrePares)
{
    int cambiadas = 0;
    EscritorArchivoTexto escritor;
    if (!escritor.abrir(ruta, EscritorArchivoTexto::Modo::Reemplazar)) {
        *fallo = falloAcceso();
        return false;
    }
    bool ok = escritor.escribirLinea(CabeceraArchivoAbreviaturas);
    for (const auto &par : pares) {
        if (!ok)
            break;
        QString palabra = par.first;
        QString reemplazo = ConSaltosCrLf(par.second);
        if (palabra.contains(u'"') || reemplazo.contains(u'"')) {
            // Nothing is escaped in this format: a quote would shift every later pair.
            palabra.replace(u'"', u'\'');
            reemplazo.replace(u'"', u'\'');
            ++cambiadas;
        }
        ok = escritor.escribirRegistro({palabra, reemplazo});
        if (entrePares)
            entrePares();
    }
    if (!ok) {
        escritor.descartar();
        *fallo = falloAcceso();
        return false;
    }
    if (!escritor.cerrar()) {
        *fallo = falloAcceso();
        return false;
    }
    if (comillasCambiadas)
        *comillasCambiadas = cambiadas;
    return true;
}

ResultadoLectura LeerArchivoAbreviaturas(const QString &ruta, FalloArchivo *fallo,
                                         const std::function<bool()> &confirmar,
                                         const std::function<void(const QString &, const QString &)> &alLeerPar)
{
    const QFileInfo info(ruta);
    if (!info.exists()) {
        *fallo = falloNumerado(ErrorArchivoNoEncontrado, QStringLiteral("No se encontró el archivo"));
        return ResultadoLectura::Fallo;
    }
    LectorArchivoTexto lector;
    if (info.isDir() || !lector.abrir(ruta)) {
        *fallo = falloAcceso();
        return ResultadoLectura::Fallo;
    }
    QString cabecera;
    const auto r = lector.leerLinea(&cabecera);
    if (r == LectorArchivoTexto::Resultado::ErrorDeLectura) {
        *fallo = falloAcceso();
        return ResultadoLectura::Fallo;
    }
    if (r != LectorArchivoTexto::Resultado::Leido ||
        !cabecera.contains(CabeceraArchivoAbreviaturas, Qt::CaseInsensitive))
        return ResultadoLectura::CabeceraInvalida;
    if (confirmar && !confirmar())
        return ResultadoLectura::Cancelado;
    for (;;) {
        RegistroArchivo campos;
        switch (lector.leerCampos(2, &campos)) {
        case LectorArchivoTexto::Resultado::Leido:
            alLeerPar(campos.at(0).texto, campos.at(1).texto);
            break;
        case LectorArchivoTexto::Resultado::FinDeArchivo:
            return ResultadoLectura::Leido;
        case LectorArchivoTexto::Resultado::RegistroRoto:
            *fallo = falloNumerado(ErrorFinDeArchivo, QStringLiteral("La entrada pasó del final del archivo"));
            return ResultadoLectura::Fallo;
        case LectorArchivoTexto::Resultado::ErrorDeLectura:
            *fallo = falloAcceso();
            return ResultadoLectura::Fallo;
        }
    }
}

bool ParImportable(const QString &palabra, const QString &reemplazo)
{
    return ValidarAbreviatura(palabra, reemplazo) == ProblemaAbreviatura::Ninguno &&
           !tieneControles(palabra.trimmed(), false) && !tieneControles(reemplazo, true);
}

void ExportarAbreviaturas(Ajustes &ajustes, Dialogos &dialogos, Sistema &sistema)
{
    const QString ruta = dialogos.guardarArchivo(QStringLiteral("Exportar Abreviaturas a un archivo"),
                                                 FiltroArchivoAbreviaturas, QString(), true);
    if (ruta.isEmpty())
        return;
    const QString primeraLinea = QStringLiteral("No se pueden exportar las Abreviaturas");
    const ParesAbreviatura pares = LeerTablaAbreviaturas(ajustes);
    if (pares.isEmpty()) {
        dialogos.mensaje(primeraLinea +
                             QStringLiteral("\r\n\r\nNo hay ninguna Abreviatura configurada. Configure algunas "
                                            "Abreviaturas antes de intentar exportar."),
                         Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        return;
    }
    FalloArchivo fallo;
    int comillas = 0;
    if (!EscribirArchivoAbreviaturas(ruta, pares, &fallo, &comillas, [&sistema] { sistema.dejarCorrerMensajes(); })) {
        mostrarFallo(dialogos, primeraLinea, fallo);
        return;
    }
    QString texto = QStringLiteral("Las Abreviaturas se exportaron con exito");
    if (comillas > 0)
        texto += QStringLiteral("\r\n\r\n · Las comillas dobles de ") + QString::number(comillas) +
                 QStringLiteral(" abreviatura(s) se escribieron como apóstrofos, porque el archivo no puede "
                                "guardarlas.");
    dialogos.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, Dialogos::tituloPrograma());
}

void ImportarAbreviaturas(Ajustes &ajustes, Dialogos &dialogos, Sistema &sistema)
{
    const QString ruta = dialogos.abrirArchivo(QStringLiteral("Importar Abreviaturas de un archivo"),
                                               FiltroArchivoAbreviaturas, QString());
    if (ruta.isEmpty())
        return;
    int omitidas = 0;
    ParesAbreviatura leidas;
    FalloArchivo fallo;
    const auto confirmar = [&dialogos] {
        return dialogos.mensaje(QStringLiteral("Haga clic en Aceptar para importar este archivo de Abreviaturas "
                                               "ahora, si no desea hacerlo haga clic en Cancelar."),
                                Dialogos::Botones::AceptarCancelar, Dialogos::Icono::Pregunta,
                                Dialogos::tituloPrograma()) == Dialogos::Respuesta::Aceptar;
    };
    const auto leer = [&](const QString &palabra, const QString &reemplazo) {
        if (ParImportable(palabra, reemplazo))
            leidas.append({palabra, reemplazo});
        else
            ++omitidas;
        sistema.dejarCorrerMensajes();
    };
    const ResultadoLectura resultado = LeerArchivoAbreviaturas(ruta, &fallo, confirmar, leer);
    // Pairs read before a broken record are kept, as they always were.
    const int fallidas = GuardarAbreviaturas(ajustes, leidas);
    const QString noGuardadas = fallidas > 0
                                    ? QStringLiteral("\r\n\r\n · No se pudieron guardar ") + QString::number(fallidas) +
                                          QStringLiteral(" de las ") + QString::number(leidas.size()) +
                                          QStringLiteral(" abreviatura(s) leídas en la configuración de NTX Mensajes.")
                                    : QString();
    switch (resultado) {
    case ResultadoLectura::Cancelado:
        return;
    case ResultadoLectura::CabeceraInvalida:
        dialogos.mensaje(QStringLiteral("No se puede importar de este archivo de Abreviaturas\r\n\r\nEste archivo de "
                                        "Abreviaturas está dañado o no es compatible con esta version de NTX "
                                        "Mensajes"),
                         Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, Dialogos::tituloPrograma());
        return;
    case ResultadoLectura::Fallo: {
        const QString primeraLinea = QStringLiteral("No se pueden importar las Abreviaturas");
        dialogos.mensaje(primeraLinea + QStringLiteral("\r\n\r\n") + razonDeFallo(fallo) + noGuardadas,
                         Dialogos::Botones::Aceptar, Dialogos::Icono::Ninguno, Dialogos::tituloPrograma());
        return;
    }
    case ResultadoLectura::Leido:
        break;
    }
    QString texto;
    Dialogos::Icono icono = Dialogos::Icono::Informacion;
    if (fallidas == 0) {
        texto = QStringLiteral("Se ha importado correctamente el archivo de Abreviaturas");
    } else if (fallidas == leidas.size()) {
        texto = QStringLiteral("No se pudo importar el archivo de Abreviaturas: ninguna de las ") +
                QString::number(fallidas) +
                QStringLiteral(" abreviatura(s) leídas se pudo guardar en la configuración de NTX Mensajes.");
        icono = Dialogos::Icono::Critico;
    } else {
        texto = QStringLiteral("El archivo de Abreviaturas se importó sólo en parte") + noGuardadas;
        icono = Dialogos::Icono::Exclamacion;
    }
    if (omitidas > 0)
        texto += QStringLiteral("\r\n\r\n · Se omitieron ") + QString::number(omitidas) +
                 QStringLiteral(" abreviatura(s) que no cumplen las reglas (palabra de 2 a 25 caracteres, "
                                "texto de 1 a 140 caracteres, sin comillas dobles).");
    dialogos.mensaje(texto, Dialogos::Botones::Aceptar, icono, Dialogos::tituloPrograma());
}

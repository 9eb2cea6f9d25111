#include "agenda/archivoagenda.h"

#include <QFile>
#include <QFileInfo>

#include "plataforma/archivotexto.h"

namespace Agenda {

namespace {

constexpr int ErrorArchivoNoEncontrado = 53;
constexpr int ErrorFinDeArchivo = 62;

FalloArchivoAgenda FalloAcceso()
{
    FalloArchivoAgenda f;
    f.acceso = true;
    return f;
}

FalloArchivoAgenda FalloNumerado(int numero, const QString &descripcion)
{
    FalloArchivoAgenda f;
    f.numero = numero;
    f.descripcion = descripcion;
    return f;
}

bool Representable(const QString &texto)
{
    for (const QChar c : texto) {
        if (c.unicode() >= 0x80)
            return Windows1252::decodificar(Windows1252::codificar(texto)) == texto;
    }
    return true;
}

// Characters of `texto` the code page lacks (a surrogate pair counts once).
int NoRepresentables(const QString &texto)
{
    int cuenta = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c.unicode() < 0x80)
            continue;
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto.at(i + 1).isLowSurrogate()) {
            ++cuenta;
            ++i;
            continue;
        }
        if (Windows1252::codificar(QString(c)) == QByteArrayLiteral("?"))
            ++cuenta;
    }
    return cuenta;
}

} // namespace

QString LineaArchivoAgenda(const QString &nombre, const QString &registro, bool *comillasCambiadas)
{
    QString n = nombre, r = registro;
    const bool comillas = n.contains(QLatin1Char('"')) || r.contains(QLatin1Char('"'));
    if (comillas) {
        // One character for another: the record's lengths stay right.
        n.replace(QLatin1Char('"'), QLatin1Char('\''));
        r.replace(QLatin1Char('"'), QLatin1Char('\''));
    }
    if (comillasCambiadas)
        *comillasCambiadas = comillas;
    return EscritorArchivoTexto::lineaDeRegistro({n, r});
}

bool EscribirArchivoAgenda(const QString &ruta, const Contactos &contactos, FalloArchivoAgenda *fallo,
                           ResumenExportacion *resumen, const std::function<void()> &entreContactos)
{
    ResumenExportacion cuenta;
    EscritorArchivoTexto escritor;
    if (QFileInfo(ruta).isDir() || !escritor.abrir(ruta, EscritorArchivoTexto::Modo::Reemplazar)) {
        *fallo = FalloAcceso();
        return false;
    }
    bool ok = escritor.escribirLinea(CabeceraArchivoAgenda);
    for (const FilaContacto &fila : contactos) {
        if (!ok)
            break;
        bool comillas = false;
        const QString linea = LineaArchivoAgenda(fila.nombre, fila.registro, &comillas);
        if (comillas)
            ++cuenta.comillasCambiadas;
        if (!Representable(linea))
            ++cuenta.caracteresPerdidos;
        ok = escritor.escribirLinea(linea);
        if (entreContactos)
            entreContactos();
    }
    if (!ok) {
        escritor.descartar();
        *fallo = FalloAcceso();
        return false;
    }
    if (!escritor.cerrar()) {
        *fallo = FalloAcceso();
        return false;
    }
    if (resumen)
        *resumen = cuenta;
    return true;
}

ResultadoLecturaAgenda LeerArchivoAgenda(const QString &ruta, FalloArchivoAgenda *fallo,
                                         const std::function<bool()> &confirmar,
                                         const std::function<void(const QString &, const QString &)> &alLeerContacto,
                                         int *caracteresCambiados)
{
    if (caracteresCambiados)
        *caracteresCambiados = 0;
    const QFileInfo info(ruta);
    if (!info.exists()) {
        *fallo = FalloNumerado(ErrorArchivoNoEncontrado, QStringLiteral("No se encontró el archivo"));
        return ResultadoLecturaAgenda::Fallo;
    }
    if (info.isDir()) {
        *fallo = FalloAcceso();
        return ResultadoLecturaAgenda::Fallo;
    }

    LectorArchivoTexto lector;
    {
        QFile archivo(ruta);
        if (!archivo.open(QIODevice::ReadOnly)) {
            *fallo = FalloAcceso();
            return ResultadoLecturaAgenda::Fallo;
        }
        if (archivo.peek(3) == QByteArrayLiteral("\xEF\xBB\xBF")) {
            // Saved as UTF-8 by an editor: read as such, then as the code page the reader knows.
            archivo.skip(3);
            const QByteArray bytes = archivo.readAll();
            if (archivo.error() != QFileDevice::NoError) {
                *fallo = FalloAcceso();
                return ResultadoLecturaAgenda::Fallo;
            }
            const QString texto = QString::fromUtf8(bytes);
            if (caracteresCambiados)
                *caracteresCambiados = NoRepresentables(texto);
            lector.abrirBytes(Windows1252::codificar(texto));
        } else {
            archivo.close();
            if (!lector.abrir(ruta)) {
                *fallo = FalloAcceso();
                return ResultadoLecturaAgenda::Fallo;
            }
        }
    }

    QString cabecera;
    const auto r = lector.leerLinea(&cabecera);
    if (r == LectorArchivoTexto::Resultado::ErrorDeLectura) {
        *fallo = FalloAcceso();
        return ResultadoLecturaAgenda::Fallo;
    }
    if (r != LectorArchivoTexto::Resultado::Leido || !cabecera.contains(CabeceraArchivoAgenda, Qt::CaseInsensitive))
        return ResultadoLecturaAgenda::CabeceraInvalida;
    if (confirmar && !confirmar())
        return ResultadoLecturaAgenda::Cancelado;

    for (;;) {
        const int linea = lector.numeroLinea();
        RegistroArchivo campos;
        switch (lector.leerRegistro(&campos)) {
        case LectorArchivoTexto::Resultado::FinDeArchivo:
            return ResultadoLecturaAgenda::Leido;
        case LectorArchivoTexto::Resultado::RegistroRoto:
            *fallo = FalloNumerado(ErrorFinDeArchivo, QStringLiteral("La entrada pasó del final del archivo"));
            return ResultadoLecturaAgenda::Fallo;
        case LectorArchivoTexto::Resultado::ErrorDeLectura:
            *fallo = FalloAcceso();
            return ResultadoLecturaAgenda::Fallo;
        case LectorArchivoTexto::Resultado::Leido:
            break;
        }
        if (campos.isEmpty())
            continue; // a blank line
        if (campos.size() != 2) {
            // Pairing this field with the next line's would store every later contact under a wrong name.
            QString resto;
            const bool alFinal =
                campos.size() == 1 && lector.leerLinea(&resto) == LectorArchivoTexto::Resultado::FinDeArchivo;
            *fallo = alFinal ? FalloNumerado(ErrorFinDeArchivo, QStringLiteral("La entrada pasó del final del archivo"))
                             : FalloNumerado(ErrorFinDeArchivo, QStringLiteral("La línea ") + QString::number(linea) +
                                                                    QStringLiteral(" del archivo no tiene los dos "
                                                                                   "datos de un contacto"));
            return ResultadoLecturaAgenda::Fallo;
        }
        alLeerContacto(campos.at(0).texto, campos.at(1).texto);
    }
}

} // namespace Agenda

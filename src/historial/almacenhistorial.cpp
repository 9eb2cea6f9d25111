// The history file: format, append, read back, delete one record, delete all.
#include "historial/almacenhistorial.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "plataforma/archivotexto.h"

namespace almacen_historial {

namespace {

constexpr char FinLinea[] = "\r\n";

ErrorHistorial errorDe(int numero)
{
    switch (numero) {
    case 53:
        return {53, QStringLiteral("No se ha encontrado el archivo")};
    case 61:
        return {61, QStringLiteral("Disco lleno")};
    case 62:
        return {62, QStringLiteral("La entrada pasa del final del archivo")};
    case 57:
        return {57, QStringLiteral("Error de E/S en dispositivo")};
    default:
        return {75, QStringLiteral("Error de acceso a la ruta o el archivo")};
    }
}

void poner(ErrorHistorial *error, int numero)
{
    if (error) {
        *error = errorDe(numero);
    }
}

using GramaticaRegistro::Campo;
using GramaticaRegistro::Fecha;
using GramaticaRegistro::Fin;

constexpr QFileDevice::Permissions SoloDueno = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

using GramaticaRegistro::esBlanco;

// Text after a closing quote is ignored, as the classic reader does, but not when the
// text spans lines: then the quote most likely opened in a torn record and closed inside
// the whole record after it, which must not be swallowed.
bool cierraBien(const Campo &campo, const char *fin)
{
    const char *tras = campo.hasta + 1;
    while (tras != fin && esBlanco(*tras)) {
        ++tras;
    }
    if (tras == fin || GramaticaRegistro::esFinDeCampo(*tras)) {
        return true;
    }
    const auto largo = size_t(campo.hasta - campo.desde);
    return !std::memchr(campo.desde, '\r', largo) && !std::memchr(campo.desde, '\n', largo);
}

// The six fields of a record starting at `p`; `p` is left after its line end.
// False when they are not exactly six, or the first is no bare date literal.
bool leerRegistro(const char *&p, const char *fin, Campo campos[6], Fecha *fecha)
{
    for (int i = 0; i < 6; ++i) {
        const Fin separador = GramaticaRegistro::leerCampo(p, fin, &campos[i]);
        if (separador == Fin::ComillaAbierta) {
            return false; // cut in the middle of a text
        }
        if (campos[i].entreComillas && !cierraBien(campos[i], fin)) {
            return false;
        }
        if ((i < 5) != (separador == Fin::Coma)) {
            return false; // fewer or more than six
        }
        if (i == 5 && separador == Fin::FinDeArchivo && !campos[i].entreComillas) {
            return false; // an append cut right after a comma: the last text is missing
        }
    }
    return !campos[0].entreComillas && GramaticaRegistro::leerFecha(campos[0].desde, campos[0].hasta, fecha);
}

// Walks the records after the header. A damaged record (cut by a crash, edited
// by hand) is reported as one damaged stretch that runs to the next line that
// starts with a date literal, where reading goes on.
class Escaner
{
public:
    Escaner(const char *inicio, const char *fin, qsizetype desde)
        : inicio_(inicio)
        , p_(inicio + desde)
        , fin_(fin)
    {}

    enum class Resultado { Registro, Fin, Danado };

    // The record's or the damaged stretch's bytes are [desde, hasta).
    Resultado siguiente(qsizetype *desde, qsizetype *hasta)
    {
        saltarLineasVacias();
        if (p_ == fin_) {
            return Resultado::Fin;
        }
        const char *comienzo = p_;
        *desde = comienzo - inicio_;
        const char *p = comienzo;
        if (leerRegistro(p, fin_, campos_, &fecha_)) {
            p_ = p;
            *hasta = p_ - inicio_;
            return Resultado::Registro;
        }
        p_ = siguienteInicio(comienzo);
        *hasta = p_ - inicio_;
        return Resultado::Danado;
    }

    const Campo *campos() const { return campos_; }
    const Fecha &fecha() const { return fecha_; }

    // The first line after the one at `desde` that starts with a date literal, or the end.
    static const char *siguienteInicio(const char *desde, const char *fin)
    {
        for (const char *q = desde; q != fin; ++q) {
            if (*q == '\r' || *q == '\n') {
                const char *linea = q + 1;
                if (*q == '\r' && linea != fin && *linea == '\n') {
                    ++linea;
                }
                if (GramaticaRegistro::empiezaConFecha(linea, fin)) {
                    return linea;
                }
                q = linea - 1;
            }
        }
        return fin;
    }

private:
    const char *siguienteInicio(const char *desde) const { return siguienteInicio(desde, fin_); }

    void saltarLineasVacias()
    {
        for (const char *q = p_; q != fin_; ++q) {
            if (*q == '\r' || *q == '\n') {
                p_ = q + 1;
            } else if (!esBlanco(*q)) {
                return;
            }
        }
        p_ = fin_;
    }

    const char *inicio_;
    const char *p_;
    const char *fin_;
    Campo campos_[6];
    Fecha fecha_;
};

void llenar(RegistroHistorial *registro, const Campo campos[6])
{
    registro->destinatario = GramaticaRegistro::texto(campos[1]);
    registro->destino = GramaticaRegistro::texto(campos[2]);
    registro->remitente = GramaticaRegistro::texto(campos[3]);
    registro->mensaje = GramaticaRegistro::texto(campos[4]);
    registro->proveedor = GramaticaRegistro::texto(campos[5]);
}

// Offset just after the first line (and its line end) of `datos`, and that line.
qsizetype finPrimeraLinea(const QByteArray &datos, QByteArray *linea)
{
    qsizetype fin = 0;
    while (fin < datos.size() && datos.at(fin) != '\r' && datos.at(fin) != '\n') {
        ++fin;
    }
    if (linea) {
        *linea = datos.left(fin);
    }
    if (fin < datos.size() && datos.at(fin) == '\r') {
        ++fin;
    }
    if (fin < datos.size() && datos.at(fin) == '\n') {
        ++fin;
    }
    return fin;
}

// A deletion killed before it replaced the store leaves its new file behind.
void quitarTemporal(const QString &ruta)
{
    const QString temporal = nombreTemporal(ruta);
    if (QFileInfo::exists(temporal)) {
        QFile::remove(temporal);
    }
}

// Writes `bytes` as a new file readable by its owner only; false (and no file) on failure.
bool escribirArchivoNuevo(const QString &ruta, const QByteArray &bytes, int *numero)
{
    QFile archivo(ruta);
    QFile::remove(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered, SoloDueno)) {
        *numero = 75;
        return false;
    }
    bool ok = archivo.write(bytes) == bytes.size();
#ifdef Q_OS_UNIX
    // On disk before it takes the store's place: a crash never leaves a short store.
    ok = ok && ::fdatasync(archivo.handle()) == 0;
#endif
    archivo.close();
    if (!ok) {
        archivo.remove();
        *numero = 61;
    }
    return ok;
}

// The whole store in memory, and where its records start; false when it cannot
// be opened or its first line lacks the header. `falloLectura`: the read broke off.
bool cargar(const QString &ruta, QByteArray *datos, qsizetype *cuerpo, bool *falloLectura)
{
    quitarTemporal(ruta);
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        return false;
    }
    *datos = archivo.readAll();
    *falloLectura = archivo.error() != QFileDevice::NoError;
    QByteArray primera;
    *cuerpo = finPrimeraLinea(*datos, &primera);
    return tieneCabecera(Windows1252::decodificar(primera));
}

// The status of a read that found `registros` whole records and `danados` damaged stretches.
EstadoHistorial estadoDe(qsizetype registros, int danados, bool falloLectura)
{
    if (registros == 0) {
        return HistorialVacio;
    }
    if (falloLectura) {
        return HistorialErrorAcceso;
    }
    return danados > 0 ? HistorialErrorLectura : HistorialLeido;
}

// How the store ends: whole up to `corte`; what follows is a damaged fragment.
struct Cola
{
    bool leida = false;
    qint64 corte = 0;
    QByteArray fragmento; // bytes [corte, end of file)
    QByteArray separador; // what the next record needs before it to start a line
};

// Looks at the end of the store only (an append must not read 15 MB): a window
// at the end is parsed from its first line that starts a record. The damage found
// there is trusted once a whole record came before it in the window, so that a
// start in the middle of a long message cannot pass for damage; otherwise the
// window grows, up to the whole file.
Cola revisarCola(QFile &archivo, qint64 tamano)
{
    Cola cola;
    for (qint64 ventana = 64 * 1024;; ventana *= 4) {
        const qint64 desde = std::max<qint64>(0, tamano - ventana);
        if (!archivo.seek(desde)) {
            return cola;
        }
        const QByteArray bytes = archivo.read(tamano - desde);
        if (bytes.size() != tamano - desde) {
            return cola;
        }
        const char *inicio = bytes.constData();
        const char *fin = inicio + bytes.size();
        qsizetype primero = 0;
        if (desde == 0) {
            primero = finPrimeraLinea(bytes, nullptr);
        } else {
            primero = Escaner::siguienteInicio(inicio, fin) - inicio;
            if (primero == bytes.size()) {
                continue;
            }
        }
        Escaner escaner(inicio, fin, primero);
        bool registroAntes = false;
        qsizetype danadoDesde = -1;
        for (;;) {
            qsizetype a = 0, b = 0;
            const auto resultado = escaner.siguiente(&a, &b);
            if (resultado == Escaner::Resultado::Fin) {
                break;
            }
            if (resultado == Escaner::Resultado::Registro) {
                registroAntes = true;
                danadoDesde = -1;
            } else if (danadoDesde < 0 && (registroAntes || desde == 0)) {
                danadoDesde = a;
            }
        }
        if (danadoDesde < 0 && !registroAntes && desde > 0) {
            continue; // damage without a whole record before it in the window: look further back
        }
        cola.leida = true;
        cola.corte = danadoDesde < 0 ? tamano : desde + danadoDesde;
        if (danadoDesde >= 0) {
            cola.fragmento = bytes.mid(danadoDesde);
        }
        const char ultimo = cola.corte > desde ? bytes.at(cola.corte - desde - 1) : '\n';
        if (ultimo == '\r') {
            cola.separador = "\n";
        } else if (ultimo != '\n') {
            cola.separador = FinLinea;
        }
        return cola;
    }
}

} // namespace

QString limpiar(const QString &texto)
{
    QString limpio = texto;
    limpio.replace(QLatin1Char('"'), QLatin1Char('\''));
    return limpio;
}

QDateTime leerLiteralFecha(const QByteArray &literal)
{
    Fecha fecha;
    if (!GramaticaRegistro::leerFecha(literal.constData(), literal.constData() + literal.size(), &fecha)) {
        return {};
    }
    return QDateTime(fecha.fecha(), fecha.hora());
}

QString nombreTemporal(const QString &ruta)
{
    return ruta + QStringLiteral(".temporal");
}

QByteArray lineaRegistro(const RegistroHistorial &registro)
{
    return Windows1252::codificar(EscritorArchivoTexto::lineaDeRegistro(
        {registro.fecha, limpiar(registro.destinatario), limpiar(registro.destino), limpiar(registro.remitente),
         limpiar(registro.mensaje), limpiar(registro.proveedor)}));
}

bool tieneCabecera(const QString &primeraLinea)
{
    return primeraLinea.contains(QLatin1String(Cabecera), Qt::CaseInsensitive);
}

EstadoHistorial HistorialIndexado::leer(const QString &ruta)
{
    clear();
    qsizetype cuerpo = 0;
    bool falloLectura = false;
    if (!cargar(ruta, &datos_, &cuerpo, &falloLectura)) {
        datos_.clear();
        return HistorialSinAlmacen;
    }
    return indexar(cuerpo, falloLectura);
}

EstadoHistorial HistorialIndexado::leerDatos(QByteArray datos)
{
    clear();
    datos_ = std::move(datos);
    QByteArray primera;
    const qsizetype cuerpo = finPrimeraLinea(datos_, &primera);
    if (!tieneCabecera(Windows1252::decodificar(primera))) {
        datos_.clear();
        return HistorialSinAlmacen;
    }
    return indexar(cuerpo, false);
}

EstadoHistorial HistorialIndexado::indexar(qsizetype cuerpo, bool falloLectura)
{
    // No pass just to count: a record takes some 60 bytes at least.
    const qsizetype estimados = (datos_.size() - cuerpo) / 60 + 1;
    inicios_.reserve(estimados);
    fechas_.reserve(estimados);
    Escaner escaner(datos_.constData(), datos_.constData() + datos_.size(), cuerpo);
    for (;;) {
        qsizetype desde = 0, hasta = 0;
        const auto resultado = escaner.siguiente(&desde, &hasta);
        if (resultado == Escaner::Resultado::Fin) {
            break;
        }
        if (resultado == Escaner::Resultado::Danado) {
            ++danados_;
            continue;
        }
        inicios_.append(desde);
        fechas_.append(escaner.fecha().numero());
    }
    return estadoDe(inicios_.size(), danados_, falloLectura);
}

void HistorialIndexado::clear()
{
    datos_.clear();
    inicios_.clear();
    fechas_.clear();
    danados_ = 0;
}

RegistroHistorial HistorialIndexado::registro(qsizetype i) const
{
    const char *p = datos_.constData() + inicios_.at(i);
    Campo campos[6];
    Fecha fecha;
    RegistroHistorial r;
    if (leerRegistro(p, datos_.constData() + datos_.size(), campos, &fecha)) {
        r.fecha = QDateTime(fecha.fecha(), fecha.hora());
        llenar(&r, campos);
    }
    return r;
}

QString HistorialIndexado::texto(qsizetype i, CampoHistorial campo) const
{
    const char *p = datos_.constData() + inicios_.at(i);
    Campo campos[6];
    Fecha fecha;
    if (!leerRegistro(p, datos_.constData() + datos_.size(), campos, &fecha)) {
        return {};
    }
    return GramaticaRegistro::texto(campos[1 + int(campo)]);
}

QDateTime HistorialIndexado::fecha(qsizetype i) const
{
    return QDateTime(dia(i), hora(i));
}

QDate HistorialIndexado::dia(qsizetype i) const
{
    return Fecha::deNumero(fechas_.at(i)).fecha();
}

QTime HistorialIndexado::hora(qsizetype i) const
{
    return Fecha::deNumero(fechas_.at(i)).hora();
}

QString nombreApartado(const QString &ruta, const QDateTime &ahora)
{
    const QString base = ruta + QStringLiteral(".danado-") + ahora.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString nombre = base;
    for (int n = 2; QFileInfo::exists(nombre); ++n) {
        nombre = base + QLatin1Char('-') + QString::number(n);
    }
    return nombre;
}

bool agregar(const QString &ruta, const RegistroHistorial &registro, const QDateTime &ahora, ErrorHistorial *error)
{
    quitarTemporal(ruta);
    const QFileInfo info(ruta);
    bool crear = !info.exists();
    if (!crear) {
        bool abierto = false;
        bool valido = false;
        {
            LectorArchivoTexto lector;
            QString primera;
            abierto = lector.abrir(ruta);
            valido =
                abierto && lector.leerLinea(&primera) == LectorArchivoTexto::Resultado::Leido && tieneCabecera(primera);
        }
        if (abierto) {
            if (info.size() == 0) {
                crear = true;
            } else if (!valido) {
                // Keep a damaged store aside instead of deleting it: its records may still be recovered.
                if (!QFile::rename(ruta, nombreApartado(ruta, ahora))) {
                    poner(error, 75);
                    return false;
                }
                crear = true;
            }
        }
    }
    if (crear) {
        QDir().mkpath(info.absolutePath());
        QFile::remove(ruta);
        QFile nuevo(ruta);
        // The messages are nobody else's business.
        if (!nuevo.open(QIODevice::WriteOnly | QIODevice::NewOnly, SoloDueno)) {
            poner(error, 75);
            return false;
        }
        const QByteArray cabecera = QByteArray(Cabecera) + FinLinea;
        if (nuevo.write(cabecera) != cabecera.size() || !nuevo.flush()) {
            nuevo.close();
            nuevo.remove();
            poner(error, 61);
            return false;
        }
        nuevo.close();
    }

    QFile archivo(ruta);
    // Unbuffered: what write() reports is what reached the file.
    if (!archivo.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        poner(error, 75);
        return false;
    }
    const qint64 tamano = archivo.size();
    const Cola cola = revisarCola(archivo, tamano);
    if (!cola.leida) {
        poner(error, 57);
        return false;
    }
    if (cola.corte < tamano) {
        // A record cut by a crash: kept aside before the store loses it, so that the
        // new record starts on a line of its own and the store reads whole again.
        int numero = 0;
        if (!escribirArchivoNuevo(nombreApartado(ruta, ahora), cola.fragmento, &numero) ||
            !archivo.resize(cola.corte)) {
            poner(error, 75);
            return false;
        }
    }
    const QByteArray linea = cola.separador + lineaRegistro(registro) + FinLinea;
    if (!archivo.seek(cola.corte) || archivo.write(linea) != linea.size()) {
        // A half-written record would hide itself: take it back.
        archivo.resize(cola.corte);
        poner(error, 61);
        return false;
    }
    archivo.close();
    return true;
}

bool borrarRegistro(const QString &ruta, int k, ErrorHistorial *error, const QDateTime &ahora)
{
    quitarTemporal(ruta);
    if (!QFileInfo::exists(ruta)) {
        poner(error, 53);
        return false;
    }
    QByteArray datos;
    qsizetype cuerpo = 0;
    bool falloLectura = false;
    if (!cargar(ruta, &datos, &cuerpo, &falloLectura)) {
        poner(error, 75);
        return false;
    }
    if (falloLectura) {
        poner(error, 57);
        return false;
    }

    // Kept records are copied byte for byte: nothing else in the store changes.
    QByteArray nuevo = QByteArray(Cabecera) + FinLinea;
    nuevo.reserve(datos.size() + nuevo.size());
    QByteArray danado;
    Escaner escaner(datos.constData(), datos.constData() + datos.size(), cuerpo);
    bool hallado = false;
    for (int posicion = 1;;) {
        qsizetype desde = 0, hasta = 0;
        const auto resultado = escaner.siguiente(&desde, &hasta);
        if (resultado == Escaner::Resultado::Fin) {
            break;
        }
        if (resultado == Escaner::Resultado::Danado) {
            danado.append(datos.constData() + desde, hasta - desde);
            continue;
        }
        if (posicion++ == k) {
            hallado = true;
            continue;
        }
        nuevo.append(datos.constData() + desde, hasta - desde);
        if (!nuevo.endsWith('\n')) {
            nuevo += FinLinea;
        }
    }
    if (!hallado) {
        if (!danado.isEmpty()) {
            // The record asked for may be the damaged part: nothing is deleted in its place.
            poner(error, 62);
            return false;
        }
        return true;
    }

    int numero = 0;
    // Damaged parts do not go back into the store: they are kept aside, the store reads whole.
    if (!danado.isEmpty() && !escribirArchivoNuevo(nombreApartado(ruta, ahora), danado, &numero)) {
        poner(error, numero);
        return false;
    }
    // A new file that replaces the old one at once: a failure or a crash midway
    // leaves the store as it was.
    const QString temporal = nombreTemporal(ruta);
    if (!escribirArchivoNuevo(temporal, nuevo, &numero)) {
        poner(error, numero);
        return false;
    }
    std::error_code fallo;
    std::filesystem::rename(std::filesystem::path(temporal.toStdU16String()),
                            std::filesystem::path(ruta.toStdU16String()), fallo);
    if (fallo) {
        QFile::remove(temporal);
        poner(error, 75);
        return false;
    }
    return true;
}

bool borrarTodo(const QString &ruta, ErrorHistorial *error)
{
    quitarTemporal(ruta);
    QFile archivo(ruta);
    if (!archivo.exists()) {
        poner(error, 53);
        return false;
    }
    if (!archivo.remove()) {
        poner(error, 75);
        return false;
    }
    return true;
}

} // namespace almacen_historial

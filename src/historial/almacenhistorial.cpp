// The history file: format, append, read back, delete one record, delete all.
#include "historial/almacenhistorial.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <climits>

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

QVariantList camposDe(const RegistroHistorial &registro)
{
    return {registro.fecha,
            limpiar(registro.destinatario),
            limpiar(registro.destino),
            limpiar(registro.remitente),
            limpiar(registro.mensaje),
            limpiar(registro.proveedor)};
}

bool esBlanco(char c)
{
    return c == ' ' || c == '\t';
}

// Local date-times of the records. Asking the system for the local offset of
// every record costs more than the rest of the reading together, so it is asked
// once per day (twice: a day whose offset changes is then asked per hour).
class ZonaLocal
{
public:
    QDateTime fecha(QDate dia, QTime hora)
    {
        const qint64 clave = dia.toJulianDay();
        auto it = dias_.constFind(clave);
        if (it == dias_.cend()) {
            const int inicio = QDateTime(dia, QTime(0, 0)).offsetFromUtc();
            const int fin = QDateTime(dia, QTime(23, 59, 59)).offsetFromUtc();
            it = dias_.insert(clave, inicio == fin ? inicio : Variable);
        }
        int desfase = *it;
        if (desfase == Variable) {
            const qint64 claveHora = clave * 24 + hora.hour();
            auto h = horas_.constFind(claveHora);
            if (h == horas_.cend()) {
                h = horas_.insert(claveHora, QDateTime(dia, QTime(hora.hour(), 0)).offsetFromUtc());
            }
            desfase = *h;
        }
        return QDateTime(dia, hora, Qt::OffsetFromUTC, desfase);
    }

private:
    static constexpr int Variable = INT_MIN;
    QHash<qint64, int> dias_;
    QHash<qint64, int> horas_;
};

bool leerNumero(const char *p, int digitos, int *valor)
{
    int v = 0;
    for (int i = 0; i < digitos; ++i) {
        if (p[i] < '0' || p[i] > '9') {
            return false;
        }
        v = v * 10 + (p[i] - '0');
    }
    *valor = v;
    return true;
}

// "#yyyy-mm-dd hh:mm:ss#" or "#yyyy-mm-dd#", blanks allowed inside the signs.
QDateTime fechaDeLiteral(const char *a, const char *b, ZonaLocal &zona)
{
    if (b - a < 2 || *a != '#' || b[-1] != '#') {
        return {};
    }
    ++a;
    --b;
    while (a != b && esBlanco(*a)) {
        ++a;
    }
    while (b != a && esBlanco(b[-1])) {
        --b;
    }
    const qsizetype largo = b - a;
    if (largo != 10 && largo != 19) {
        return {};
    }
    int anio = 0, mes = 0, dia = 0, h = 0, m = 0, seg = 0;
    if (!leerNumero(a, 4, &anio) || a[4] != '-' || !leerNumero(a + 5, 2, &mes) || a[7] != '-' ||
        !leerNumero(a + 8, 2, &dia)) {
        return {};
    }
    if (largo == 19 && (a[10] != ' ' || !leerNumero(a + 11, 2, &h) || a[13] != ':' || !leerNumero(a + 14, 2, &m) ||
                        a[16] != ':' || !leerNumero(a + 17, 2, &seg))) {
        return {};
    }
    const QDate fecha(anio, mes, dia);
    const QTime hora(h, m, seg);
    if (!fecha.isValid() || !hora.isValid()) {
        return {};
    }
    return zona.fecha(fecha, hora);
}

QString texto(const char *a, const char *b, bool comillasDobladas)
{
    QString t = Windows1252::decodificar(QByteArray::fromRawData(a, b - a));
    if (comillasDobladas) {
        t.replace(QLatin1String("\"\""), QLatin1String("\""));
    }
    return t;
}

// Walks the records after the header: six comma-separated fields up to the end
// of the record's line; the first a #date# literal, the others texts in quotes
// (line breaks and commas inside belong to the text; a doubled quote is one
// quote; what stands between a closing quote and the separator is ignored) or bare.
class Escaner
{
public:
    Escaner(const QByteArray &datos, qsizetype desde)
        : inicio_(datos.constData())
        , p_(inicio_ + desde)
        , fin_(inicio_ + datos.size())
    {}

    enum class Resultado { Registro, Fin, Danado };

    // `registro` may be null to only check the record; [desde, hasta) are its bytes.
    Resultado siguiente(RegistroHistorial *registro, qsizetype *desde, qsizetype *hasta)
    {
        saltarLineasVacias();
        if (p_ == fin_) {
            return Resultado::Fin;
        }
        *desde = p_ - inicio_;
        const char *a[6];
        const char *b[6];
        bool dobladas[6] = {};
        bool entreComillas[6] = {};
        for (int i = 0; i < 6; ++i) {
            while (p_ != fin_ && esBlanco(*p_)) {
                ++p_;
            }
            if (p_ != fin_ && *p_ == '"') {
                entreComillas[i] = true;
                a[i] = ++p_;
                for (;;) {
                    p_ = static_cast<const char *>(memchr(p_, '"', fin_ - p_));
                    if (!p_) {
                        return Resultado::Danado; // cut in the middle of a text
                    }
                    if (p_ + 1 != fin_ && p_[1] == '"') {
                        dobladas[i] = true;
                        p_ += 2;
                        continue;
                    }
                    break;
                }
                b[i] = p_++;
                while (p_ != fin_ && *p_ != ',' && *p_ != '\r' && *p_ != '\n') {
                    ++p_;
                }
            } else {
                a[i] = p_;
                while (p_ != fin_ && *p_ != ',' && *p_ != '\r' && *p_ != '\n') {
                    ++p_;
                }
                b[i] = p_;
                while (b[i] != a[i] && esBlanco(b[i][-1])) {
                    --b[i];
                }
            }
            const bool coma = p_ != fin_ && *p_ == ',';
            if (i < 5 && !coma) {
                return Resultado::Danado; // fewer than six fields
            }
            if (i == 5 && coma) {
                return Resultado::Danado; // more than six
            }
            if (coma) {
                ++p_;
            }
        }
        if (p_ != fin_) {
            p_ += (*p_ == '\r' && p_ + 1 != fin_ && p_[1] == '\n') ? 2 : 1;
        }
        *hasta = p_ - inicio_;
        if (entreComillas[0]) {
            return Resultado::Danado;
        }
        const QDateTime fecha = fechaDeLiteral(a[0], b[0], zona_);
        if (!fecha.isValid()) {
            return Resultado::Danado;
        }
        if (registro) {
            registro->fecha = fecha;
            registro->destinatario = texto(a[1], b[1], dobladas[1]);
            registro->destino = texto(a[2], b[2], dobladas[2]);
            registro->remitente = texto(a[3], b[3], dobladas[3]);
            registro->mensaje = texto(a[4], b[4], dobladas[4]);
            registro->proveedor = texto(a[5], b[5], dobladas[5]);
        }
        return Resultado::Registro;
    }

private:
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
    ZonaLocal zona_;
};

// The whole store in memory, and where its records start; false when it cannot
// be opened or its first line lacks the header. `falloLectura`: the read broke off.
bool cargar(const QString &ruta, QByteArray *datos, qsizetype *cuerpo, bool *falloLectura)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        return false;
    }
    *datos = archivo.readAll();
    *falloLectura = archivo.error() != QFileDevice::NoError;
    qsizetype finLinea = 0;
    while (finLinea < datos->size() && datos->at(finLinea) != '\r' && datos->at(finLinea) != '\n') {
        ++finLinea;
    }
    if (!tieneCabecera(Windows1252::decodificar(datos->left(finLinea)))) {
        return false;
    }
    if (finLinea < datos->size() && datos->at(finLinea) == '\r') {
        ++finLinea;
    }
    if (finLinea < datos->size() && datos->at(finLinea) == '\n') {
        ++finLinea;
    }
    *cuerpo = finLinea;
    return true;
}

} // namespace

QString limpiar(const QString &texto)
{
    QString limpio = texto;
    limpio.replace(QLatin1Char('"'), QLatin1Char('\''));
    return limpio;
}

QByteArray literalFecha(const QDateTime &fecha)
{
    return Windows1252::codificar(EscritorArchivoTexto::literalFecha(fecha));
}

QDateTime leerLiteralFecha(const QByteArray &literal)
{
    ZonaLocal zona;
    return fechaDeLiteral(literal.constData(), literal.constData() + literal.size(), zona);
}

QByteArray lineaRegistro(const RegistroHistorial &registro)
{
    return Windows1252::codificar(EscritorArchivoTexto::lineaDeRegistro(camposDe(registro)));
}

bool tieneCabecera(const QString &primeraLinea)
{
    return primeraLinea.contains(QLatin1String(Cabecera), Qt::CaseInsensitive);
}

EstadoHistorial leer(const QString &ruta, TablaHistorial &tabla, const std::function<void()> &alAvanzar)
{
    tabla.clear();
    QByteArray datos;
    qsizetype cuerpo = 0;
    bool falloLectura = false;
    if (!cargar(ruta, &datos, &cuerpo, &falloLectura)) {
        return HistorialSinAlmacen;
    }
    Escaner escaner(datos, cuerpo);
    for (;;) {
        RegistroHistorial registro;
        qsizetype desde = 0, hasta = 0;
        const auto resultado = escaner.siguiente(&registro, &desde, &hasta);
        if (resultado != Escaner::Resultado::Registro) {
            if (tabla.isEmpty()) {
                return HistorialVacio;
            }
            if (falloLectura) {
                return HistorialErrorAcceso;
            }
            return resultado == Escaner::Resultado::Fin ? HistorialLeido : HistorialErrorLectura;
        }
        tabla.append(std::move(registro));
        if (alAvanzar) {
            alAvanzar();
        }
    }
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
        QFile nuevo(ruta);
        if (!nuevo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
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
    if (!archivo.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        poner(error, 75);
        return false;
    }
    const qint64 tamano = archivo.size();
    QByteArray linea;
    if (tamano > 0) {
        // A store edited by hand may lack the final line end; the new record still gets its own line.
        archivo.seek(tamano - 1);
        char ultimo = 0;
        if (archivo.getChar(&ultimo) && ultimo != '\n') {
            linea = FinLinea;
        }
    }
    linea += lineaRegistro(registro) + FinLinea;
    archivo.seek(tamano);
    if (archivo.write(linea) != linea.size()) {
        // A half-written record would make the whole store unreadable: take it back.
        archivo.close();
        QFile::resize(ruta, tamano);
        poner(error, 61);
        return false;
    }
    archivo.close();
    return true;
}

bool borrarRegistro(const QString &ruta, int k, ErrorHistorial *error)
{
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
    Escaner escaner(datos, cuerpo);
    bool hallado = false;
    for (int posicion = 1;; ++posicion) {
        qsizetype desde = 0, hasta = 0;
        const auto resultado = escaner.siguiente(nullptr, &desde, &hasta);
        if (resultado == Escaner::Resultado::Fin) {
            break;
        }
        if (resultado == Escaner::Resultado::Danado) {
            poner(error, 62);
            return false;
        }
        if (posicion == k) {
            hallado = true;
            continue;
        }
        nuevo.append(datos.constData() + desde, hasta - desde);
        if (!nuevo.endsWith('\n')) {
            nuevo += FinLinea;
        }
    }
    if (!hallado) {
        return true;
    }

    // A new file that replaces the old one at once: a failure midway leaves the store as it was.
    // Unbuffered: with a buffer, a write that fails while the file is committed
    // goes unnoticed and the short new file would replace the store.
    QSaveFile destino(ruta);
    if (!destino.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        poner(error, 75);
        return false;
    }
    if (destino.write(nuevo) != nuevo.size()) {
        destino.cancelWriting();
        destino.commit();
        poner(error, 61);
        return false;
    }
    if (!destino.commit()) {
        poner(error, destino.error() == QFileDevice::RenameError ? 75 : 61);
        return false;
    }
    return true;
}

bool borrarTodo(const QString &ruta, ErrorHistorial *error)
{
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

#include "plataforma/archivotexto.h"

#include <algorithm>
#include <cstring>

namespace {

// Bytes 0x80 to 0x9F; the five positions the code page leaves free map to the C1
// control of the same value, so that such a byte survives a read and a write.
constexpr char16_t tabla80a9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr qsizetype tamanoTrozo = 64 * 1024;

using GramaticaRegistro::esBlanco;
using GramaticaRegistro::esFinDeCampo;

bool leerNumero(const char *p, int digitos, int *valor)
{
    int v = 0;
    for (int i = 0; i < digitos; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
        v = v * 10 + (p[i] - '0');
    }
    *valor = v;
    return true;
}

} // namespace

QString Windows1252::decodificar(const QByteArray &bytes)
{
    return decodificar(bytes.constData(), bytes.size());
}

QString Windows1252::decodificar(const char *bytes, qsizetype largo)
{
    // Latin-1 is the code page but for 0x80-0x9F, which are rare in these files: one
    // pass without branches (the compiler does it many bytes at a time) and a second
    // one only when such a byte is there.
    QString texto(largo, Qt::Uninitialized);
    char16_t *destino = reinterpret_cast<char16_t *>(texto.data());
    const auto *origen = reinterpret_cast<const unsigned char *>(bytes);
    bool hayC1 = false;
    for (qsizetype i = 0; i < largo; ++i) {
        destino[i] = origen[i];
        hayC1 |= (origen[i] & 0xE0) == 0x80;
    }
    if (hayC1) {
        for (qsizetype i = 0; i < largo; ++i) {
            if (origen[i] >= 0x80 && origen[i] <= 0x9F)
                destino[i] = tabla80a9F[origen[i] - 0x80];
        }
    }
    return texto;
}

QByteArray Windows1252::codificar(const QString &texto)
{
    QByteArray bytes(texto.size(), Qt::Uninitialized);
    char *destino = bytes.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const char16_t u = texto.at(i).unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            destino[n++] = static_cast<char>(u);
            continue;
        }
        char byte = '?';
        if (QChar::isHighSurrogate(u) && i + 1 < texto.size() && texto.at(i + 1).isLowSurrogate()) {
            ++i;
        } else {
            for (int j = 0; j < 32; ++j) {
                if (tabla80a9F[j] == u) {
                    byte = static_cast<char>(0x80 + j);
                    break;
                }
            }
        }
        destino[n++] = byte;
    }
    bytes.truncate(n);
    return bytes;
}

// ---------------------------------------------------------------- grammar

QString GramaticaRegistro::texto(const Campo &campo)
{
    QString t = Windows1252::decodificar(campo.desde, campo.hasta - campo.desde);
    if (campo.comillasDobladas)
        t.replace(QLatin1String("\"\""), QLatin1String("\""));
    return t;
}

GramaticaRegistro::Fecha GramaticaRegistro::Fecha::deNumero(qint64 numero)
{
    Fecha f;
    f.segundos = int(numero % 100);
    numero /= 100;
    f.minutos = int(numero % 100);
    numero /= 100;
    f.horas = int(numero % 100);
    numero /= 100;
    f.dia = int(numero % 100);
    numero /= 100;
    f.mes = int(numero % 100);
    f.anio = int(numero / 100);
    return f;
}

bool GramaticaRegistro::leerFecha(const char *a, const char *b, Fecha *fecha)
{
    if (b - a < 2 || *a != '#' || b[-1] != '#')
        return false;
    ++a;
    --b;
    while (a != b && esBlanco(*a))
        ++a;
    while (b != a && esBlanco(b[-1]))
        --b;
    const qsizetype largo = b - a;
    if (largo != 10 && largo != 19)
        return false;
    Fecha f;
    if (!leerNumero(a, 4, &f.anio) || a[4] != '-' || !leerNumero(a + 5, 2, &f.mes) || a[7] != '-' ||
        !leerNumero(a + 8, 2, &f.dia))
        return false;
    if (largo == 19 && (a[10] != ' ' || !leerNumero(a + 11, 2, &f.horas) || a[13] != ':' ||
                        !leerNumero(a + 14, 2, &f.minutos) || a[16] != ':' || !leerNumero(a + 17, 2, &f.segundos)))
        return false;
    if (!QDate::isValid(f.anio, f.mes, f.dia) || !QTime::isValid(f.horas, f.minutos, f.segundos))
        return false;
    *fecha = f;
    return true;
}

bool GramaticaRegistro::empiezaConFecha(const char *p, const char *fin)
{
    // The longest literal is "#yyyy-mm-dd hh:mm:ss#" with some blanks inside.
    if (p == fin || *p != '#')
        return false;
    const char *limite = fin - p > 40 ? p + 40 : fin;
    const char *cierre = p + 1;
    while (cierre != limite && *cierre != '#' && !esFinDeCampo(*cierre))
        ++cierre;
    if (cierre == limite || *cierre != '#')
        return false;
    Fecha f;
    if (!leerFecha(p, cierre + 1, &f))
        return false;
    const char *q = cierre + 1;
    while (q != fin && esBlanco(*q))
        ++q;
    return q != fin && *q == ',';
}

// ---------------------------------------------------------------- reader

bool LectorArchivoTexto::abrir(const QString &ruta, QString *error)
{
    m_archivo.setFileName(ruta);
    m_buffer.clear();
    m_pos = 0;
    m_linea = 1;
    m_agotado = false;
    m_falloLectura = false;
    m_desdeArchivo = true;
    if (!m_archivo.open(QIODevice::ReadOnly)) {
        m_error =
            QStringLiteral("No se pudo abrir el archivo ") + ruta + QStringLiteral(": ") + m_archivo.errorString();
        if (error)
            *error = m_error;
        m_agotado = true;
        return false;
    }
    m_error.clear();
    return true;
}

void LectorArchivoTexto::abrirBytes(const QByteArray &bytes)
{
    m_desdeArchivo = false;
    m_buffer = bytes;
    m_pos = 0;
    m_linea = 1;
    m_agotado = true;
    m_falloLectura = false;
    m_error.clear();
}

bool LectorArchivoTexto::asegurar(qsizetype cantidad)
{
    while (m_buffer.size() - m_pos < cantidad && !m_agotado) {
        if (m_pos > tamanoTrozo) {
            m_buffer.remove(0, m_pos);
            m_pos = 0;
        }
        const QByteArray trozo = m_archivo.read(tamanoTrozo);
        if (trozo.isEmpty()) {
            m_agotado = true;
            if (m_archivo.error() != QFileDevice::NoError && !m_archivo.atEnd()) {
                m_falloLectura = true;
                m_error = QStringLiteral("No se pudo leer el archivo: ") + m_archivo.errorString();
            }
        }
        m_buffer.append(trozo);
    }
    return m_buffer.size() - m_pos >= cantidad;
}

int LectorArchivoTexto::byteActual()
{
    if (!asegurar(1))
        return -1;
    return static_cast<unsigned char>(m_buffer.at(m_pos));
}

void LectorArchivoTexto::avanzar(qsizetype n)
{
    m_pos += n;
}

bool LectorArchivoTexto::finDeLinea(int c)
{
    return c == '\r' || c == '\n';
}

// Takes CR LF, LF or CR as one line end; `c` is the byte under the cursor.
void LectorArchivoTexto::consumirFinDeLinea(int c)
{
    avanzar();
    if (c == '\r' && byteActual() == '\n')
        avanzar();
    ++m_linea;
}

LectorArchivoTexto::Resultado LectorArchivoTexto::leerLinea(QString *linea)
{
    linea->clear();
    int c = byteActual();
    if (c < 0)
        return m_falloLectura ? Resultado::ErrorDeLectura : Resultado::FinDeArchivo;
    QByteArray bytes;
    while (c >= 0 && !finDeLinea(c)) {
        // Copy the run up to the next line end at once: a 5 MB line stays cheap.
        const qsizetype inicio = m_pos;
        qsizetype fin = inicio;
        while (fin < m_buffer.size() && m_buffer.at(fin) != '\r' && m_buffer.at(fin) != '\n')
            ++fin;
        bytes.append(m_buffer.constData() + inicio, fin - inicio);
        m_pos = fin;
        c = byteActual();
    }
    if (c >= 0)
        consumirFinDeLinea(c);
    *linea = Windows1252::decodificar(bytes);
    return m_falloLectura ? Resultado::ErrorDeLectura : Resultado::Leido;
}

LectorArchivoTexto::FinCampo LectorArchivoTexto::leerCampo(CampoArchivo *campo)
{
    *campo = CampoArchivo();
    asegurar(1);
    for (;;) {
        const char *inicio = m_buffer.constData() + m_pos;
        const char *fin = m_buffer.constData() + m_buffer.size();
        const char *p = inicio;
        GramaticaRegistro::Campo c;
        const auto resultado = GramaticaRegistro::leerCampo(p, fin, &c);
        if (p == fin && !m_agotado) {
            // The field, or its line end, may go on in the part of the file not read yet:
            // read at least as much again (a long field costs linear time) and start over.
            const qsizetype pendiente = m_buffer.size() - m_pos;
            asegurar(pendiente + std::max(pendiente, tamanoTrozo));
            continue;
        }
        m_pos += p - inicio;
        campo->entreComillas = c.entreComillas;
        if (c.entreComillas) {
            for (const char *q = c.desde; q != c.hasta; ++q) {
                if (*q == '\n' || (*q == '\r' && (q + 1 == c.hasta || q[1] != '\n')))
                    ++m_linea;
            }
            campo->texto = GramaticaRegistro::texto(c);
        } else {
            GramaticaRegistro::Fecha fecha;
            if (c.hasta - c.desde >= 2 && GramaticaRegistro::leerFecha(c.desde, c.hasta, &fecha)) {
                campo->esFecha = true;
                campo->fecha = QDateTime(fecha.fecha(), fecha.hora());
                campo->texto = Windows1252::decodificar(c.desde + 1, c.hasta - c.desde - 2);
            } else {
                campo->texto = GramaticaRegistro::texto(c);
            }
        }
        switch (resultado) {
        case GramaticaRegistro::Fin::Coma:
            return FinCampo::Coma;
        case GramaticaRegistro::Fin::FinDeLinea:
            ++m_linea;
            return FinCampo::FinDeLinea;
        case GramaticaRegistro::Fin::FinDeArchivo:
            return FinCampo::FinDeArchivo;
        case GramaticaRegistro::Fin::ComillaAbierta:
            return FinCampo::ComillaAbierta;
        }
        return FinCampo::FinDeArchivo;
    }
}

LectorArchivoTexto::Resultado LectorArchivoTexto::leerRegistro(RegistroArchivo *campos)
{
    campos->clear();
    if (byteActual() < 0)
        return m_falloLectura ? Resultado::ErrorDeLectura : Resultado::FinDeArchivo;
    for (;;) {
        CampoArchivo campo;
        const FinCampo fin = leerCampo(&campo);
        campos->append(campo);
        if (fin == FinCampo::Coma)
            continue;
        if (m_falloLectura)
            return Resultado::ErrorDeLectura;
        if (fin == FinCampo::ComillaAbierta)
            return Resultado::RegistroRoto;
        // A blank line is a record without fields.
        if (campos->size() == 1 && !campos->first().entreComillas && campos->first().texto.isEmpty())
            campos->clear();
        return Resultado::Leido;
    }
}

LectorArchivoTexto::Resultado LectorArchivoTexto::leerCampos(int cantidad, RegistroArchivo *campos)
{
    campos->clear();
    while (campos->size() < cantidad) {
        if (byteActual() < 0) {
            if (m_falloLectura)
                return Resultado::ErrorDeLectura;
            return campos->isEmpty() ? Resultado::FinDeArchivo : Resultado::RegistroRoto;
        }
        CampoArchivo campo;
        const FinCampo fin = leerCampo(&campo);
        if (fin == FinCampo::ComillaAbierta) {
            campos->append(campo);
            return Resultado::RegistroRoto;
        }
        // Blank lines between records are skipped.
        if (campos->isEmpty() && fin == FinCampo::FinDeLinea && !campo.entreComillas && campo.texto.isEmpty())
            continue;
        campos->append(campo);
        if (fin == FinCampo::FinDeArchivo && campos->size() < cantidad)
            return Resultado::RegistroRoto;
    }
    return m_falloLectura ? Resultado::ErrorDeLectura : Resultado::Leido;
}

// ---------------------------------------------------------------- writer

bool EscritorArchivoTexto::abrir(const QString &ruta, Modo modo, QString *error)
{
    m_fallo = false;
    m_error.clear();
    m_nuevo.reset();
    m_anexo.reset();
    bool ok;
    QString motivo;
    if (modo == Modo::Reemplazar) {
        m_nuevo = std::make_unique<QSaveFile>(ruta);
        // Buffered, QSaveFile::commit() can report success after a failed write
        // and replace a good file with a truncated one.
        ok = m_nuevo->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        motivo = m_nuevo->errorString();
    } else {
        m_anexo = std::make_unique<QFile>(ruta);
        ok = m_anexo->open(QIODevice::WriteOnly | QIODevice::Append);
        motivo = m_anexo->errorString();
    }
    if (!ok) {
        m_nuevo.reset();
        m_anexo.reset();
        m_fallo = true;
        m_error = QStringLiteral("No se pudo escribir el archivo ") + ruta + QStringLiteral(": ") + motivo;
        if (error)
            *error = m_error;
    }
    return ok;
}

bool EscritorArchivoTexto::escribir(const QByteArray &bytes)
{
    if (m_fallo)
        return false;
    QIODevice *destino = m_nuevo ? static_cast<QIODevice *>(m_nuevo.get()) : m_anexo.get();
    if (!destino) {
        m_fallo = true;
        m_error = QStringLiteral("El archivo no está abierto.");
        return false;
    }
    if (destino->write(bytes) != bytes.size()) {
        m_fallo = true;
        m_error = QStringLiteral("No se pudo escribir el archivo: ") + destino->errorString();
        return false;
    }
    return true;
}

bool EscritorArchivoTexto::escribirLinea(const QString &linea)
{
    return escribir(Windows1252::codificar(linea) + QByteArrayLiteral("\r\n"));
}

bool EscritorArchivoTexto::escribirRegistro(const QVariantList &campos)
{
    return escribirLinea(lineaDeRegistro(campos));
}

QString EscritorArchivoTexto::literalFecha(const QDateTime &fecha)
{
    return QLatin1Char('#') + fecha.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char('#');
}

QString EscritorArchivoTexto::lineaDeRegistro(const QVariantList &campos)
{
    QString linea;
    for (qsizetype i = 0; i < campos.size(); ++i) {
        if (i > 0)
            linea += QLatin1Char(',');
        const QVariant &v = campos.at(i);
        switch (v.typeId()) {
        case QMetaType::QDateTime:
            linea += literalFecha(v.toDateTime());
            break;
        case QMetaType::QDate:
            linea += QLatin1Char('#') + v.toDate().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('#');
            break;
        case QMetaType::Bool:
            linea += v.toBool() ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
            linea += v.toString();
            break;
        case QMetaType::UnknownType:
            break;
        default: {
            // A quote inside a text is doubled, so it cannot end the field early.
            QString texto = v.toString();
            texto.replace(QLatin1Char('"'), QLatin1String("\"\""));
            linea += QLatin1Char('"') + texto + QLatin1Char('"');
            break;
        }
        }
    }
    return linea;
}

bool EscritorArchivoTexto::cerrar(QString *error)
{
    bool ok = !m_fallo;
    if (m_nuevo) {
        if (ok && !m_nuevo->commit()) {
            ok = false;
            m_error = QStringLiteral("No se pudo guardar el archivo: ") + m_nuevo->errorString();
        } else if (!ok) {
            m_nuevo->cancelWriting();
        }
        m_nuevo.reset();
    }
    if (m_anexo) {
        if (ok && !m_anexo->flush()) {
            ok = false;
            m_error = QStringLiteral("No se pudo guardar el archivo: ") + m_anexo->errorString();
        }
        m_anexo->close();
        m_anexo.reset();
    }
    if (!ok && error)
        *error = m_error;
    return ok;
}

void EscritorArchivoTexto::descartar()
{
    if (m_nuevo) {
        m_nuevo->cancelWriting();
        m_nuevo.reset();
    }
    if (m_anexo) {
        m_anexo->close();
        m_anexo.reset();
    }
}

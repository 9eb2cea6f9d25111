// Text files as the history, agenda and abbreviation files are kept: Windows-1252,
// lines ended by CR LF, and records of comma-separated fields where text goes in
// double quotes (a quoted field may span lines) and a date between number signs
// (#2012-11-19 19:07:05#).
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QString>
#include <QVariant>
#include <cstring>
#include <memory>

namespace Windows1252 {
QString decodificar(const QByteArray &bytes);
QString decodificar(const char *bytes, qsizetype largo);
// A character outside the code page becomes "?" (one per character, also for a surrogate pair).
QByteArray codificar(const QString &texto);
} // namespace Windows1252

// The grammar of a record over raw bytes, the one every reader of these files uses:
// comma-separated fields up to the end of a line. A field in double quotes runs to its
// closing quote (commas and line ends inside belong to it, a doubled quote stands for
// one quote, whatever stands between the closing quote and the separator is ignored);
// a bare field ends at a comma or a line end and loses its blanks (space, tab). Line
// ends are CR LF, a bare LF or a bare CR.
namespace GramaticaRegistro {

enum class Fin { Coma, FinDeLinea, FinDeArchivo, ComillaAbierta };

struct Campo
{
    const char *desde = nullptr; // the text: inside the quotes, or the bare field without blanks
    const char *hasta = nullptr;
    bool entreComillas = false;
    bool comillasDobladas = false; // holds "" pairs, each one quote of the text
};

inline bool esBlanco(char c)
{
    return c == ' ' || c == '\t';
}

inline bool esFinDeCampo(char c)
{
    return c == ',' || c == '\r' || c == '\n';
}

// Reads the field at `p` and the separator after it; `p` is left after the separator
// (after the whole CR LF). ComillaAbierta: the quote is never closed, `p` is `fin`.
// Inline: the history store runs it 600,000 times for a long store.
inline Fin leerCampo(const char *&p, const char *fin, Campo *campo)
{
    while (p != fin && esBlanco(*p))
        ++p;
    campo->comillasDobladas = false;
    if (p != fin && *p == '"') {
        campo->entreComillas = true;
        campo->desde = ++p;
        for (;;) {
            const auto *comilla = static_cast<const char *>(std::memchr(p, '"', size_t(fin - p)));
            if (!comilla) {
                campo->hasta = fin;
                p = fin;
                return Fin::ComillaAbierta;
            }
            if (comilla + 1 != fin && comilla[1] == '"') {
                campo->comillasDobladas = true;
                p = comilla + 2;
                continue;
            }
            campo->hasta = comilla;
            p = comilla + 1;
            break;
        }
        while (p != fin && !esFinDeCampo(*p))
            ++p;
    } else {
        campo->entreComillas = false;
        campo->desde = p;
        while (p != fin && !esFinDeCampo(*p))
            ++p;
        campo->hasta = p;
        while (campo->hasta != campo->desde && esBlanco(campo->hasta[-1]))
            --campo->hasta;
    }
    if (p == fin)
        return Fin::FinDeArchivo;
    if (*p == ',') {
        ++p;
        return Fin::Coma;
    }
    p += (*p == '\r' && p + 1 != fin && p[1] == '\n') ? 2 : 1;
    return Fin::FinDeLinea;
}

// The text of a field, Windows-1252, with doubled quotes made single.
QString texto(const Campo &campo);

// A date literal: "#yyyy-mm-dd hh:mm:ss#", or "#yyyy-mm-dd#" for midnight; blanks may
// stand inside the signs. Kept as numbers: no time zone is asked for while reading.
struct Fecha
{
    int anio = 0, mes = 0, dia = 0, horas = 0, minutos = 0, segundos = 0;

    QDate fecha() const { return QDate(anio, mes, dia); }
    QTime hora() const { return QTime(horas, minutos, segundos); }
    // yyyymmddhhmmss: orders as the dates do.
    qint64 numero() const
    {
        return ((((qint64(anio) * 100 + mes) * 100 + dia) * 100 + horas) * 100 + minutos) * 100 + segundos;
    }
    static Fecha deNumero(qint64 numero);
};

// [desde, hasta) is the whole literal with its signs; false when it is no valid date.
bool leerFecha(const char *desde, const char *hasta, Fecha *fecha);

// True when a line that starts at `p` begins with a date literal followed by a comma:
// the start of a record of the history file.
bool empiezaConFecha(const char *p, const char *fin);

} // namespace GramaticaRegistro

struct CampoArchivo
{
    QString texto; // the text without quotes; for a date, the literal between the signs
    bool entreComillas = false;
    bool esFecha = false; // a valid date literal; the value is in `fecha`
    QDateTime fecha;
};
using RegistroArchivo = QList<CampoArchivo>;

// Reads a file (or bytes) a line or a record at a time. Line ends are CR LF, a bare
// LF or a bare CR. The whole file is never required to be well formed: a broken
// record is reported and reading can go on with the next one.
class LectorArchivoTexto
{
public:
    enum class Resultado { Leido, FinDeArchivo, RegistroRoto, ErrorDeLectura };

    bool abrir(const QString &ruta, QString *error = nullptr);
    // Reads from memory instead of a file.
    void abrirBytes(const QByteArray &bytes);

    // One physical line without its end.
    Resultado leerLinea(QString *linea);
    // The fields up to the end of the line (line ends inside quotes belong to the field).
    // RegistroRoto: a quote left open at the end of the file; the fields read so far are returned.
    Resultado leerRegistro(RegistroArchivo *campos);
    // Exactly `cantidad` fields, which may come across several lines (the classic input
    // convention). FinDeArchivo only when no field at all was left; fewer fields is RegistroRoto.
    Resultado leerCampos(int cantidad, RegistroArchivo *campos);

    // 1-based number of the line the next read starts on.
    int numeroLinea() const { return m_linea; }
    QString error() const { return m_error; }

private:
    enum class FinCampo { Coma, FinDeLinea, FinDeArchivo, ComillaAbierta };

    bool asegurar(qsizetype cantidad);
    int byteActual();
    void avanzar(qsizetype n = 1);
    bool finDeLinea(int c);
    void consumirFinDeLinea(int c);
    FinCampo leerCampo(CampoArchivo *campo);

    QFile m_archivo;
    bool m_desdeArchivo = false;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_agotado = false;
    bool m_falloLectura = false;
    int m_linea = 1;
    QString m_error;
};

// Writes a whole file atomically (nothing changes on disk unless `cerrar` succeeds), or
// appends to one. Lines end in CR LF.
class EscritorArchivoTexto
{
public:
    enum class Modo { Reemplazar, Anexar };

    bool abrir(const QString &ruta, Modo modo, QString *error = nullptr);
    bool escribirLinea(const QString &linea);
    // Text (QString) in double quotes, QDateTime and QDate as date literals, numbers
    // bare, booleans as #TRUE# / #FALSE#; separated by commas.
    bool escribirRegistro(const QVariantList &campos);
    // Commits the file. Any earlier failure is reported here too.
    bool cerrar(QString *error = nullptr);
    // Drops a replacement in progress; the file on disk stays as it was.
    void descartar();

    static QString lineaDeRegistro(const QVariantList &campos);
    static QString literalFecha(const QDateTime &fecha);

private:
    bool escribir(const QByteArray &bytes);

    std::unique_ptr<QSaveFile> m_nuevo;
    std::unique_ptr<QFile> m_anexo;
    bool m_fallo = false;
    QString m_error;
};

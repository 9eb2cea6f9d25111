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
#include <memory>

namespace Windows1252 {
QString decodificar(const QByteArray &bytes);
// A character outside the code page becomes "?" (one per character, also for a surrogate pair).
QByteArray codificar(const QString &texto);
} // namespace Windows1252

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

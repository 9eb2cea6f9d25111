// The history file format and its operations on a given path, without windows:
// Windows-1252 text, CR LF lines, first line "NTXHistorial1.0", then records of
// six comma-separated fields (a #date# literal and five quoted texts; a quoted
// text may span lines).
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

struct RegistroHistorial
{
    QDateTime fecha;      // local clock when stored; read back with the local offset of that hour
    QString destinatario; // the recipient label's text
    QString destino;      // area code + " " + number, or the alias
    QString remitente;
    QString mensaje; // line breaks kept as CR LF
    QString proveedor;
};

// Records in file order: record k (1-based position in the file) is at k - 1.
using TablaHistorial = QList<RegistroHistorial>;

enum EstadoHistorial : qint16 {
    HistorialLeido = 0,        // at least one record
    HistorialErrorAcceso = 1,  // access error after at least one record
    HistorialErrorLectura = 2, // other error (damaged record) after at least one record
    HistorialSinAlmacen = 3,   // cannot be opened, or the first line lacks the header
    HistorialVacio = 4,        // no record (also an error before the first one)
};

// An error as the messages show it: number and Spanish description.
struct ErrorHistorial
{
    int numero = 0;
    QString descripcion;
};

namespace almacen_historial {

inline constexpr char Cabecera[] = "NTXHistorial1.0";

// Double quotes become apostrophes, so a stored text never holds one.
QString limpiar(const QString &texto);

// Accepts "#yyyy-mm-dd hh:mm:ss#" and the date-only "#yyyy-mm-dd#"; invalid otherwise.
QDateTime leerLiteralFecha(const QByteArray &literal);

// One record line (without the final CR LF), text fields cleaned and in Windows-1252.
QByteArray lineaRegistro(const RegistroHistorial &registro);

// True when the first line of the file holds the header, in any case.
bool tieneCabecera(const QString &primeraLinea);

// Appends one record with a single write. A file whose first line lacks the
// header is renamed aside (see `nombreApartado`) and a new store started; missing
// folders are made; a new store is readable by its owner only. A damaged tail (a
// record cut by a crash in the middle of an append) is first moved to a file
// aside, so the store ends in a whole record before the new one is added.
bool agregar(const QString &ruta, const RegistroHistorial &registro, const QDateTime &ahora, ErrorHistorial *error);

// The name a damaged store is kept under: ruta + ".danado-yyyymmdd-hhmmss"
// (a counter is added when that name is taken).
QString nombreApartado(const QString &ruta, const QDateTime &ahora);

// Removes record k (1-based, counting the records `HistorialIndexado` reads) with an
// atomic replace; false (store untouched) when the store is missing, lacks its header,
// is unreadable or cannot be rewritten. Damaged parts of the store are moved to a
// file aside named after `ahora`.
bool borrarRegistro(const QString &ruta, int k, ErrorHistorial *error,
                    const QDateTime &ahora = QDateTime::currentDateTime());

// The file a deletion writes before it replaces the store; one left by a crash
// is removed by the next operation on the store.
QString nombreTemporal(const QString &ruta);

// Deletes the file; false when it cannot be deleted (also when missing).
bool borrarTodo(const QString &ruta, ErrorHistorial *error);

enum class CampoHistorial { Destinatario, Destino, Remitente, Mensaje, Proveedor };

// The store read at once and kept as its bytes with where each record starts; the
// texts of a record are decoded only when asked for. Reading 100,000 records this
// way costs a few times a plain read of the file, far less than decoding them all.
// Record i (0-based) is the one `borrarRegistro` calls i + 1.
class HistorialIndexado
{
public:
    // A damaged record is skipped (reading goes on at the next line that starts with
    // a date literal) and makes the status HistorialErrorLectura, or HistorialVacio
    // when no record is whole.
    EstadoHistorial leer(const QString &ruta);
    // The same over the bytes of a store already in memory.
    EstadoHistorial leerDatos(QByteArray datos);
    void clear();

    qsizetype size() const { return inicios_.size(); }
    bool isEmpty() const { return inicios_.isEmpty(); }
    // Damaged parts skipped by the last read.
    int danados() const { return danados_; }

    RegistroHistorial registro(qsizetype i) const;
    QString texto(qsizetype i, CampoHistorial campo) const;
    // Local date and time as written; `fechaNumero` (yyyymmddhhmmss) sorts as the dates do.
    QDateTime fecha(qsizetype i) const;
    QDate dia(qsizetype i) const;
    QTime hora(qsizetype i) const;
    qint64 fechaNumero(qsizetype i) const { return fechas_.at(i); }

private:
    EstadoHistorial indexar(qsizetype cuerpo, bool falloLectura);

    QByteArray datos_;
    QList<qint64> inicios_;
    QList<qint64> fechas_;
    int danados_ = 0;
};

} // namespace almacen_historial

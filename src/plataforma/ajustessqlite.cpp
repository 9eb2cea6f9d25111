#include "plataforma/ajustessqlite.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int msEsperaBloqueo = 10000;

const char *const textoSentencias[] = {
    "SELECT valor FROM ajustes WHERE seccion_pleg = ?1 AND clave_pleg = ?2",
    "INSERT INTO ajustes (seccion_pleg, clave_pleg, seccion, clave, valor) VALUES (?1, ?2, ?3, ?4, ?5) "
    "ON CONFLICT (seccion_pleg, clave_pleg) DO UPDATE SET clave = excluded.clave, valor = excluded.valor",
    "DELETE FROM ajustes WHERE seccion_pleg = ?1 AND clave_pleg = ?2",
    "DELETE FROM ajustes WHERE seccion_pleg = ?1",
    "SELECT clave, valor FROM ajustes WHERE seccion_pleg = ?1 ORDER BY orden",
};

// The rowid grows with every new key, so ordering by it is creation order; an
// update in place keeps the row and therefore the place.
const char *const esquema = "CREATE TABLE IF NOT EXISTS ajustes ("
                            " orden INTEGER PRIMARY KEY,"
                            " seccion_pleg TEXT NOT NULL,"
                            " clave_pleg TEXT NOT NULL,"
                            " seccion TEXT NOT NULL,"
                            " clave TEXT NOT NULL,"
                            " valor TEXT NOT NULL,"
                            " UNIQUE (seccion_pleg, clave_pleg));"
                            "CREATE INDEX IF NOT EXISTS ajustes_por_seccion ON ajustes (seccion_pleg, orden);";

bool esDano(int codigo)
{
    const int primario = codigo & 0xff;
    return primario == SQLITE_NOTADB || primario == SQLITE_CORRUPT;
}

unsigned long long inodoDe(const QString &ruta)
{
    struct stat datos
    {
    };
    if (::stat(QFile::encodeName(ruta).constData(), &datos) != 0)
        return 0;
    return static_cast<unsigned long long>(datos.st_ino);
}

QString leerColumna(sqlite3_stmt *st, int columna)
{
    const void *datos = sqlite3_column_text16(st, columna);
    const int bytes = sqlite3_column_bytes16(st, columna);
    if (!datos || bytes <= 0)
        return QString(QLatin1String(""));
    return QString(static_cast<const QChar *>(datos), bytes / 2);
}

} // namespace

AjustesSqlite::AjustesSqlite(const QString &carpeta)
    : m_carpeta(carpeta.isEmpty() ? carpetaPredeterminada() : carpeta)
    , m_ruta(m_carpeta + QStringLiteral("/ajustes.sqlite"))
{}

AjustesSqlite::~AjustesSqlite()
{
    cerrar();
}

QString AjustesSqlite::carpetaPredeterminada()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/NTX");
}

void AjustesSqlite::cerrar() const
{
    for (auto &st : m_sentencias) {
        sqlite3_finalize(st);
        st = nullptr;
    }
    if (m_bd) {
        sqlite3_close(m_bd);
        m_bd = nullptr;
    }
}

bool AjustesSqlite::fallo(const QString &que, int codigo) const
{
    m_error = que + QStringLiteral(" (") + QString::fromUtf8(m_bd ? sqlite3_errmsg(m_bd) : sqlite3_errstr(codigo)) +
              QStringLiteral(").");
    return false;
}

bool AjustesSqlite::abrirConexion(bool crear, bool *danado) const
{
    *danado = false;
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (crear)
        flags |= SQLITE_OPEN_CREATE;
    // The store holds the address book: this user's only. SQLite gives its journals the
    // same mode as the file.
    const QByteArray ruta = QFile::encodeName(m_ruta);
    if (crear) {
        const int fd = ::open(ruta.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0) {
            struct stat datos
            {
            };
            if (::fstat(fd, &datos) == 0 && (datos.st_mode & 0077) != 0 && datos.st_uid == ::getuid())
                ::fchmod(fd, 0600);
            ::close(fd);
        }
    }
    int rc = sqlite3_open_v2(ruta.constData(), &m_bd, flags, nullptr);
    if (rc != SQLITE_OK) {
        fallo(QStringLiteral("No se pudo abrir el almacén de ajustes ") + m_ruta, rc);
        cerrar();
        return false;
    }
    m_inodo = inodoDe(m_ruta);
    sqlite3_busy_timeout(m_bd, msEsperaBloqueo);

    // A new file keeps every text in UTF-16 exactly as given; an existing one ignores this.
    // In WAL mode with synchronous NORMAL a committed write survives the death of either
    // process and the file is never left half written; only a power cut may drop the last
    // writes, as with the registry's lazy flush. FULL would add a disk flush (several ms)
    // to every single write.
    const char *preparacion = "PRAGMA encoding = 'UTF-16le';"
                              "PRAGMA journal_mode = WAL;"
                              "PRAGMA synchronous = NORMAL;";
    rc = sqlite3_exec(m_bd, preparacion, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(m_bd, esquema, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_stmt *revision = nullptr;
        rc = sqlite3_prepare_v2(m_bd, "PRAGMA quick_check(1)", -1, &revision, nullptr);
        if (rc == SQLITE_OK) {
            rc = sqlite3_step(revision);
            if (rc == SQLITE_ROW) {
                const auto *texto = reinterpret_cast<const char *>(sqlite3_column_text(revision, 0));
                rc = (texto && qstrcmp(texto, "ok") == 0) ? SQLITE_OK : SQLITE_CORRUPT;
            }
        }
        sqlite3_finalize(revision);
    }
    if (rc == SQLITE_OK) {
        for (int i = 0; i < static_cast<int>(Sentencia::Cantidad) && rc == SQLITE_OK; ++i)
            rc = sqlite3_prepare_v3(m_bd, textoSentencias[i], -1, SQLITE_PREPARE_PERSISTENT, &m_sentencias[i], nullptr);
    }
    if (rc != SQLITE_OK) {
        // Only real damage sets the file aside; a table of another shape (a newer version of
        // the program) or a passing read error leaves it where it is, untouched.
        *danado = esDano(rc);
        if (*danado)
            fallo(QStringLiteral("No se pudo abrir el almacén de ajustes ") + m_ruta, rc);
        else
            fallo(QStringLiteral("No se pudo leer el almacén de ajustes ") + m_ruta +
                      QStringLiteral("; no se cambió nada en él"),
                  rc);
        cerrar();
        return false;
    }
    return true;
}

bool AjustesSqlite::apartarArchivo() const
{
    // Another process may have set the damaged file aside already and made a fresh
    // one: that one is not ours to move.
    if (inodoDe(m_ruta) != m_inodo)
        return true;
    const QString base =
        m_ruta + QStringLiteral(".danado-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString destino = base;
    for (int n = 2; QFile::exists(destino); ++n)
        destino = base + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(m_ruta, destino)) {
        m_error =
            QStringLiteral("El almacén de ajustes ") + m_ruta + QStringLiteral(" está dañado y no se pudo apartar.");
        return false;
    }
    // A journal left beside the damaged file must not be replayed into the fresh one.
    const QString diario = m_ruta + QStringLiteral("-wal");
    if (QFile::exists(diario))
        QFile::rename(diario, destino + QStringLiteral("-wal"));
    QFile::remove(m_ruta + QStringLiteral("-shm"));
    m_recuperado = true;
    m_apartado = destino;
    m_porRescatar = true;
    return true;
}

// Damage in one page or in the index must not cost the whole address book: every
// record still readable in the file set aside goes into the fresh store, which is open.
// The file set aside is only read.
void AjustesSqlite::rescatar() const
{
    m_porRescatar = false;
    m_rescatados = 0;
    const QString memoria = m_apartado + QStringLiteral("-shm");
    const bool habiaMemoria = QFile::exists(memoria);
    sqlite3 *viejo = nullptr;
    sqlite3_stmt *leer = nullptr;
    sqlite3_stmt *poner = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(m_apartado).constData(), &viejo, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                        nullptr) == SQLITE_OK &&
        // Lets a file shorter than its header says be read up to where it ends.
        sqlite3_exec(viejo, "PRAGMA writable_schema = ON", nullptr, nullptr, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(viejo,
                           "SELECT seccion_pleg, clave_pleg, seccion, clave, valor FROM ajustes WHERE orden = ?1", -1,
                           &leer, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(m_bd,
                           "INSERT OR IGNORE INTO ajustes (seccion_pleg, clave_pleg, seccion, clave, valor) "
                           "VALUES (?1, ?2, ?3, ?4, ?5)",
                           -1, &poner, nullptr) == SQLITE_OK &&
        sqlite3_exec(m_bd, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK) {
        // Record by record, so that a lost page costs only the records on it; numbers
        // grow with every new key, with gaps where keys were deleted.
        constexpr int HuecoMaximo = 100000;
        int copiados = 0;
        for (sqlite3_int64 orden = 1, sinRegistro = 0; sinRegistro < HuecoMaximo; ++orden) {
            sqlite3_bind_int64(leer, 1, orden);
            if (sqlite3_step(leer) == SQLITE_ROW) {
                sinRegistro = 0;
                for (int i = 0; i < 5; ++i)
                    sqlite3_bind_text16(poner, i + 1, sqlite3_column_text16(leer, i), sqlite3_column_bytes16(leer, i),
                                        SQLITE_TRANSIENT);
                if (sqlite3_step(poner) == SQLITE_DONE && sqlite3_changes(m_bd) > 0)
                    ++copiados;
                sqlite3_reset(poner);
            } else {
                ++sinRegistro;
            }
            sqlite3_reset(leer);
        }
        if (sqlite3_exec(m_bd, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
            m_rescatados = copiados;
        else
            sqlite3_exec(m_bd, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(leer);
    sqlite3_finalize(poner);
    sqlite3_close(viejo);
    if (!habiaMemoria)
        QFile::remove(memoria);
    if (alRecuperar)
        alRecuperar();
}

bool AjustesSqlite::abrir(bool crear) const
{
    if (m_bd)
        return true;
    if (!crear && !QFile::exists(m_ruta))
        return false;
    if (crear && !QDir().mkpath(m_carpeta)) {
        m_error = QStringLiteral("No se pudo crear la carpeta de ajustes ") + m_carpeta + QLatin1Char('.');
        return false;
    }
    bool danado = false;
    if (!abrirConexion(crear, &danado)) {
        if (!danado || !apartarArchivo())
            return false;
        m_error.clear();
        // Also when only reading: the fresh store takes what the damaged one still holds.
        if (!abrirConexion(true, &danado))
            return false;
    }
    if (m_porRescatar)
        rescatar();
    return true;
}

sqlite3_stmt *AjustesSqlite::sentencia(Sentencia s) const
{
    return m_sentencias[static_cast<int>(s)];
}

static void vincular(sqlite3_stmt *st, const QList<QString> &parametros)
{
    for (int i = 0; i < parametros.size(); ++i) {
        const QString &p = parametros.at(i);
        sqlite3_bind_text16(st, i + 1, p.utf16(), static_cast<int>(p.size() * 2), SQLITE_STATIC);
    }
}

bool AjustesSqlite::ejecutar(Sentencia s, const QList<QString> &parametros, int *cambios)
{
    for (int intento = 0; intento < 2; ++intento) {
        if (!abrir(true))
            return false;
        sqlite3_stmt *st = sentencia(s);
        vincular(st, parametros);
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        if (rc == SQLITE_DONE) {
            if (cambios)
                *cambios = sqlite3_changes(m_bd);
            m_error.clear();
            return true;
        }
        fallo(QStringLiteral("No se pudo guardar en el almacén de ajustes"), rc);
        if (!esDano(rc))
            return false;
        // The file went bad under us: keep it aside and retry once on a fresh one.
        const QString error = m_error;
        cerrar();
        if (!apartarArchivo())
            return false;
        m_error = error;
    }
    return false;
}

QString AjustesSqlite::leer(const QString &seccion, const QString &clave, const QString &defecto) const
{
    if (!abrir(false))
        return defecto;
    sqlite3_stmt *st = sentencia(Sentencia::Leer);
    const QList<QString> parametros{plegar(seccion), plegar(clave)};
    vincular(st, parametros);
    QString resultado = defecto;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        resultado = leerColumna(st, 0);
    else if (rc != SQLITE_DONE)
        fallo(QStringLiteral("No se pudo leer el almacén de ajustes"), rc);
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    return resultado;
}

bool AjustesSqlite::escribir(const QString &seccion, const QString &clave, const QString &valor)
{
    return ejecutar(Sentencia::Escribir, {plegar(seccion), plegar(clave), seccion, clave, valor});
}

bool AjustesSqlite::escribirVarios(const QString &seccion, const ParesAjustes &pares)
{
    if (pares.isEmpty())
        return true;
    if (!abrir(true))
        return false;
    int rc = sqlite3_exec(m_bd, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return fallo(QStringLiteral("No se pudo guardar en el almacén de ajustes"), rc);
    const QString s = plegar(seccion);
    sqlite3_stmt *st = sentencia(Sentencia::Escribir);
    for (const auto &par : pares) {
        // Bound without a copy: the list must outlive the step.
        const QList<QString> parametros{s, plegar(par.first), seccion, par.first, par.second};
        vincular(st, parametros);
        rc = sqlite3_step(st);
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        if (rc != SQLITE_DONE)
            break;
    }
    if (rc == SQLITE_DONE)
        rc = sqlite3_exec(m_bd, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        fallo(QStringLiteral("No se pudo guardar en el almacén de ajustes"), rc);
        sqlite3_exec(m_bd, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    m_error.clear();
    return true;
}

bool AjustesSqlite::borrarClave(const QString &seccion, const QString &clave, QString *error)
{
    m_error.clear();
    int cambios = 0;
    bool ok = abrir(false) && ejecutar(Sentencia::BorrarClave, {plegar(seccion), plegar(clave)}, &cambios);
    if (ok && cambios == 0)
        ok = false;
    // Without another failure on record, the key simply was not there.
    if (!ok && m_error.isEmpty())
        m_error = QStringLiteral("La clave «") + clave + QStringLiteral("» no existe en la sección «") + seccion +
                  QStringLiteral("».");
    if (!ok && error)
        *error = m_error;
    return ok;
}

bool AjustesSqlite::borrarSeccion(const QString &seccion)
{
    m_error.clear();
    // Nothing to remove from a store never written; creating it for that would be a surprise.
    if (!abrir(false))
        return m_error.isEmpty();
    return ejecutar(Sentencia::BorrarSeccion, {plegar(seccion)});
}

bool AjustesSqlite::enumerarConEstado(const QString &seccion, ParesAjustes *pares) const
{
    m_error.clear();
    *pares = enumerar(seccion);
    return m_error.isEmpty();
}

ParesAjustes AjustesSqlite::enumerar(const QString &seccion) const
{
    ParesAjustes pares;
    if (!abrir(false))
        return pares;
    sqlite3_stmt *st = sentencia(Sentencia::Enumerar);
    const QList<QString> parametros{plegar(seccion)};
    vincular(st, parametros);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        pares.append({leerColumna(st, 0), leerColumna(st, 1)});
    if (rc != SQLITE_DONE)
        fallo(QStringLiteral("No se pudo leer el almacén de ajustes"), rc);
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    return pares;
}

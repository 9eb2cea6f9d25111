// The settings store on an SQLite file, one per user ($XDG_CONFIG_HOME/NTX/ajustes.sqlite).
// Every write is its own transaction in WAL mode with a busy time-out, so the client and
// the wizard can write at the same moment without losing a value.
#pragma once

#include "plataforma/ajustes.h"

#include <QString>

#include <functional>

struct sqlite3;
struct sqlite3_stmt;

class AjustesSqlite final : public Ajustes
{
public:
    // `carpeta` replaces the per-user folder (tests, demo); empty means the usual one.
    explicit AjustesSqlite(const QString &carpeta = {});
    ~AjustesSqlite() override;
    AjustesSqlite(const AjustesSqlite &) = delete;
    AjustesSqlite &operator=(const AjustesSqlite &) = delete;

    QString leer(const QString &seccion, const QString &clave, const QString &defecto = {}) const override;
    bool escribir(const QString &seccion, const QString &clave, const QString &valor) override;
    bool borrarClave(const QString &seccion, const QString &clave, QString *error = nullptr) override;
    bool borrarSeccion(const QString &seccion) override;
    // One transaction: a failure leaves the store as it was.
    bool escribirVarios(const QString &seccion, const ParesAjustes &pares) override;
    ParesAjustes enumerar(const QString &seccion) const override;
    // False when the store exists but could not be read (a missing store is an empty one).
    bool enumerarConEstado(const QString &seccion, ParesAjustes *pares) const override;

    QString rutaArchivo() const { return m_ruta; }
    // Set when the file found was no valid store: it was moved to archivoApartado()
    // and a fresh store is used instead.
    bool almacenRecuperado() const { return m_recuperado; }
    QString archivoApartado() const { return m_apartado; }
    // Values still readable in the file set aside, copied into the fresh store.
    int valoresRescatados() const { return m_rescatados; }
    // Called once a damaged file has been set aside and what could be read of it copied.
    std::function<void()> alRecuperar;
    // Text of the last failure (empty after a success).
    QString ultimoError() const { return m_error; }

    static QString carpetaPredeterminada();

private:
    enum class Sentencia { Leer, Escribir, BorrarClave, BorrarSeccion, Enumerar, Cantidad };

    bool abrir(bool crear) const;
    bool abrirConexion(bool crear, bool *danado) const;
    void cerrar() const;
    bool apartarArchivo() const;
    void rescatar() const;
    sqlite3_stmt *sentencia(Sentencia s) const;
    bool fallo(const QString &que, int codigo) const;
    bool ejecutar(Sentencia s, const QList<QString> &parametros, int *cambios = nullptr);

    QString m_carpeta;
    QString m_ruta;
    mutable sqlite3 *m_bd = nullptr;
    mutable sqlite3_stmt *m_sentencias[static_cast<int>(Sentencia::Cantidad)] = {};
    mutable unsigned long long m_inodo = 0;
    mutable bool m_recuperado = false;
    mutable QString m_apartado;
    mutable bool m_porRescatar = false;
    mutable int m_rescatados = 0;
    mutable QString m_error;
};

// Shared by the fuzz harnesses: a broken property aborts, so libFuzzer keeps the
// input that broke it as a reproducer.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fuzz {

[[noreturn]] inline void fallar(const char *propiedad, const QString &detalle = {})
{
    std::fprintf(stderr, "Propiedad rota: %s\n%s\n", propiedad, qPrintable(detalle));
    std::abort();
}

inline QByteArray bytes(const uint8_t *datos, size_t tamano)
{
    return QByteArray(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
}

// One file per process and name, rewritten on every input.
inline QString archivo(const char *nombre)
{
    return QDir::tempPath() + QStringLiteral("/ntx-fuzz-") + QString::number(::getpid()) + QLatin1Char('-') +
           QString::fromLatin1(nombre);
}

inline void escribir(const QString &ruta, const QByteArray &contenido)
{
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenido) != contenido.size())
        fallar("no se pudo escribir el archivo de la prueba", ruta);
}

// The readers work on texts the way the program hands them: some of the input as
// Windows-1252 bytes, some as UTF-8.
inline QString texto(const QByteArray &b)
{
    return QString::fromUtf8(b);
}

// Splits the input in `n` parts at NUL bytes (missing parts are empty).
inline QList<QByteArray> partes(const QByteArray &b, int n)
{
    QList<QByteArray> r;
    qsizetype desde = 0;
    while (r.size() < n - 1) {
        const qsizetype nul = b.indexOf('\0', desde);
        if (nul < 0)
            break;
        r.append(b.mid(desde, nul - desde));
        desde = nul + 1;
    }
    r.append(b.mid(desde));
    while (r.size() < n)
        r.append(QByteArray());
    return r;
}

} // namespace fuzz

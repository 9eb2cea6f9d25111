// Memory of a process tree, read from /proc: shared by the benchmarks that start
// the web engine.
#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>

// Proportional set size in kB of one process, from the kernel's summary.
inline qint64 pssKb(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &linea : f.readAll().split('\n')) {
        if (linea.startsWith("Pss:"))
            return linea.mid(4).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

inline qint64 padreDe(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // The field after the command's closing parenthesis: state, then the parent.
    const QList<QByteArray> campos = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return campos.size() > 1 ? campos.at(1).toLongLong() : -1;
}

// `raiz` and every descendant but `excluido` (-1: none); `procesos` counts them.
inline qint64 pssArbolKb(qint64 raiz, qint64 excluido, int *procesos)
{
    ++*procesos;
    qint64 total = pssKb(raiz);
    for (const QString &e : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = e.toLongLong(&ok);
        if (ok && pid != excluido && padreDe(pid) == raiz)
            total += pssArbolKb(pid, excluido, procesos);
    }
    return total;
}

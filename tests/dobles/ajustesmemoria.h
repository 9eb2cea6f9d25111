// Settings store in memory with the semantics of the real one: keys and sections
// folded the same way, creation order kept, a key written in another case replaced
// spelling included. Tests may make the next read of one key come back unreadable.
#pragma once

#include "plataforma/ajustes.h"

#include <QHash>
#include <QList>

class AjustesMemoria final : public Ajustes
{
public:
    QString leer(const QString &seccion, const QString &clave, const QString &defecto = {}) const override
    {
        ++lecturas;
        const QString s = plegar(seccion), c = plegar(clave);
        const auto ilegible = m_ilegibles.constFind(qMakePair(s, c));
        if (ilegible != m_ilegibles.constEnd()) {
            const QString valor = *ilegible;
            m_ilegibles.remove(qMakePair(s, c));
            return valor;
        }
        const Entrada *e = buscar(s, c);
        return e ? e->valor : defecto;
    }

    bool escribir(const QString &seccion, const QString &clave, const QString &valor) override
    {
        ++escrituras;
        if (fallarEscrituras)
            return false;
        const QString s = plegar(seccion), c = plegar(clave);
        if (Entrada *e = buscar(s, c)) {
            e->clave = clave;
            e->valor = valor;
        } else {
            m_entradas.append({s, c, clave, valor});
        }
        return true;
    }

    bool borrarClave(const QString &seccion, const QString &clave, QString *error = nullptr) override
    {
        const QString s = plegar(seccion), c = plegar(clave);
        for (qsizetype i = 0; i < m_entradas.size(); ++i) {
            if (m_entradas.at(i).seccion == s && m_entradas.at(i).clavePlegada == c) {
                m_entradas.removeAt(i);
                return true;
            }
        }
        if (error)
            *error = QStringLiteral("La clave «") + clave + QStringLiteral("» no existe en la sección «") + seccion +
                     QStringLiteral("».");
        return false;
    }

    bool borrarSeccion(const QString &seccion) override
    {
        const QString s = plegar(seccion);
        m_entradas.removeIf([&](const Entrada &e) { return e.seccion == s; });
        return true;
    }

    ParesAjustes enumerar(const QString &seccion) const override
    {
        const QString s = plegar(seccion);
        ParesAjustes pares;
        for (const Entrada &e : m_entradas) {
            if (e.seccion == s)
                pares.append({e.clave, e.valor});
        }
        return pares;
    }

    // The next read of this key returns `valor` once, whatever is stored.
    void ilegibleEnProximaLectura(const QString &seccion, const QString &clave,
                                  const QString &valor = QStringLiteral("\x01ilegible\x01"))
    {
        m_ilegibles.insert(qMakePair(plegar(seccion), plegar(clave)), valor);
    }

    bool fallarEscrituras = false;
    mutable int lecturas = 0;
    int escrituras = 0;

private:
    struct Entrada
    {
        QString seccion;
        QString clavePlegada;
        QString clave;
        QString valor;
    };

    Entrada *buscar(const QString &s, const QString &c)
    {
        for (Entrada &e : m_entradas) {
            if (e.seccion == s && e.clavePlegada == c)
                return &e;
        }
        return nullptr;
    }
    const Entrada *buscar(const QString &s, const QString &c) const
    {
        return const_cast<AjustesMemoria *>(this)->buscar(s, c);
    }

    QList<Entrada> m_entradas;
    mutable QHash<QPair<QString, QString>, QString> m_ilegibles;
};

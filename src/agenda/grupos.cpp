#include "agenda/grupos.h"

#include <QHash>
#include <QSet>

#include "agenda/lineacomandos.h"
#include "agenda/registrocontacto.h"
#include "envio/colaenvio.h"
#include "plataforma/ajustes.h"

namespace Agenda {

namespace {

bool mismoNombre(const QString &a, const QString &b)
{
    // Contact names are keys of the store, which ignores case.
    return a == b || Ajustes::plegar(a) == Ajustes::plegar(b);
}

qsizetype buscar(const QStringList &lista, const QString &nombre)
{
    for (qsizetype i = 0; i < lista.size(); ++i) {
        if (mismoNombre(lista.at(i), nombre))
            return i;
    }
    return -1;
}

bool fallar(QString *error, const QString &texto)
{
    if (error)
        *error = texto;
    return false;
}

} // namespace

QString EscribirMiembros(const QStringList &miembros)
{
    QString valor;
    for (const QString &m : miembros)
        valor += QString::number(m.size()) + QLatin1Char(':') + m;
    return valor;
}

bool LeerMiembros(const QString &valor, QStringList *miembros)
{
    miembros->clear();
    qsizetype i = 0;
    while (i < valor.size()) {
        const qsizetype dos = valor.indexOf(QLatin1Char(':'), i);
        if (dos < 0)
            return false;
        bool ok = false;
        const qsizetype largo = QStringView(valor).mid(i, dos - i).toLongLong(&ok);
        if (!ok || largo < 0 || dos + 1 + largo > valor.size() || (dos > i && !valor.at(i).isDigit()))
            return false;
        miembros->append(valor.mid(dos + 1, largo));
        i = dos + 1 + largo;
    }
    return true;
}

QString ProblemaNombreGrupo(const QString &nombre)
{
    if (nombre.trimmed().isEmpty())
        return QStringLiteral("Escriba el nombre del grupo por favor");
    if (nombre.contains(QLatin1Char('"')))
        return QStringLiteral("El nombre del grupo no puede contener comillas dobles");
    if (nombre.size() > LargoMaximoNombreLinea)
        return QStringLiteral("El nombre del grupo no puede tener más de ") + QString::number(LargoMaximoNombreLinea) +
               QStringLiteral(" caracteres");
    return {};
}

Grupos::Grupos(Ajustes &ajustes)
    : m_ajustes(ajustes)
{}

QList<Grupo> Grupos::todos() const
{
    QList<Grupo> grupos;
    const ParesAjustes pares = m_ajustes.enumerar(SeccionGrupos);
    grupos.reserve(pares.size());
    for (const auto &par : pares) {
        Grupo g{par.first, {}};
        LeerMiembros(par.second, &g.miembros);
        grupos.append(g);
    }
    return grupos;
}

bool Grupos::existe(const QString &nombre) const
{
    return !guardado(nombre).isEmpty();
}

QString Grupos::guardado(const QString &nombre) const
{
    // An empty group's value is empty text, as a missing one reads: look at the keys.
    for (const auto &par : m_ajustes.enumerar(SeccionGrupos)) {
        if (mismoNombre(par.first, nombre))
            return par.first;
    }
    return {};
}

QStringList Grupos::miembros(const QString &nombre) const
{
    QStringList lista;
    LeerMiembros(m_ajustes.leer(SeccionGrupos, nombre), &lista);
    return lista;
}

bool Grupos::guardar(const QString &grupo, const QStringList &lista, QString *error)
{
    if (!m_ajustes.escribir(SeccionGrupos, grupo, EscribirMiembros(lista)))
        return fallar(error, QStringLiteral("No se pudo guardar el grupo ") + grupo + QLatin1Char('.'));
    return true;
}

bool Grupos::crear(const QString &nombre, QString *error)
{
    const QString problema = ProblemaNombreGrupo(nombre);
    if (!problema.isEmpty())
        return fallar(error, problema);
    if (existe(nombre))
        return fallar(error, QStringLiteral("Ya existe un grupo llamado ") + nombre);
    return guardar(nombre, {}, error);
}

bool Grupos::renombrar(const QString &viejo, const QString &nuevo, QString *error)
{
    const QString problema = ProblemaNombreGrupo(nuevo);
    if (!problema.isEmpty())
        return fallar(error, problema);
    if (!existe(viejo))
        return fallar(error, QStringLiteral("El grupo ") + viejo + QStringLiteral(" ya no existe"));
    if (!mismoNombre(viejo, nuevo) && existe(nuevo))
        return fallar(error, QStringLiteral("Ya existe un grupo llamado ") + nuevo);
    const QStringList lista = miembros(viejo);
    // Written under the new name before the old one goes: a failure loses nothing.
    if (!mismoNombre(viejo, nuevo)) {
        if (!guardar(nuevo, lista, error))
            return false;
        m_ajustes.borrarClave(SeccionGrupos, viejo);
        return true;
    }
    // Only the spelling changes: the store replaces the key's spelling in place.
    return guardar(nuevo, lista, error);
}

bool Grupos::eliminar(const QString &nombre, QString *error)
{
    QString detalle;
    if (!m_ajustes.borrarClave(SeccionGrupos, nombre, &detalle))
        return fallar(error, QStringLiteral("No se pudo eliminar el grupo ") + nombre + QStringLiteral(". ") + detalle);
    return true;
}

bool Grupos::agregar(const QString &grupo, const QStringList &contactos, QString *error)
{
    // Written under the group's own spelling: the store would take the one given.
    const QString nombre = guardado(grupo);
    if (nombre.isEmpty())
        return fallar(error, QStringLiteral("El grupo ") + grupo + QStringLiteral(" ya no existe"));
    QStringList lista = miembros(nombre);
    for (const QString &c : contactos) {
        if (buscar(lista, c) < 0)
            lista.append(c);
    }
    return guardar(nombre, lista, error);
}

bool Grupos::quitar(const QString &grupo, const QString &contacto, QString *error)
{
    const QString nombre = guardado(grupo);
    QStringList lista = miembros(nombre);
    const qsizetype i = buscar(lista, contacto);
    if (nombre.isEmpty() || i < 0)
        return true;
    lista.removeAt(i);
    return guardar(nombre, lista, error);
}

void Grupos::contactoRenombrado(const QString &viejo, const QString &nuevo)
{
    for (Grupo &g : todos()) {
        const qsizetype i = buscar(g.miembros, viejo);
        if (i < 0)
            continue;
        // A new name that already was a member (the contact it overwrote) stays once.
        const qsizetype j = buscar(g.miembros, nuevo);
        if (j >= 0 && j != i)
            g.miembros.removeAt(i);
        else
            g.miembros[i] = nuevo;
        guardar(g.nombre, g.miembros, nullptr);
    }
}

void Grupos::contactoEliminado(const QString &nombre)
{
    for (const Grupo &g : todos()) {
        if (buscar(g.miembros, nombre) >= 0)
            quitar(g.nombre, nombre, nullptr);
    }
}

QString TextoPara(const QStringList &nombres, int mostrados)
{
    const qsizetype n = nombres.size();
    if (n == 0)
        return QStringLiteral("Para: ");
    if (mostrados >= n) {
        if (n == 1)
            return QStringLiteral("Para: ") + nombres.first();
        return QStringLiteral("Para: ") + nombres.mid(0, n - 1).join(QStringLiteral(", ")) + QStringLiteral(" y ") +
               nombres.last();
    }
    mostrados = qMax(1, mostrados);
    return QStringLiteral("Para: ") + nombres.mid(0, mostrados).join(QStringLiteral(", ")) + QStringLiteral(" y ") +
           QString::number(n - mostrados) + QStringLiteral(" más");
}

QStringList ExpandirDestinatarios(const Contactos &contactos, const Grupos &grupos, const QStringList &nombres,
                                  const QStringList &nombresGrupos, QString *problema)
{
    QHash<QString, QString> enAgenda; // folded name -> the name as stored
    for (const FilaContacto &f : contactos)
        enAgenda.insert(Ajustes::plegar(f.nombre), f.nombre);
    QStringList todos = nombres;
    for (const QString &g : nombresGrupos) {
        const QStringList miembros = grupos.miembros(g);
        if (problema && problema->isEmpty()) {
            if (!grupos.existe(g))
                *problema = QStringLiteral("No existe el grupo ") + g + QStringLiteral(" en la Agenda.");
            else if (miembros.isEmpty())
                *problema = QStringLiteral("El grupo ") + g +
                            QStringLiteral(" no tiene contactos. Agregue contactos al grupo antes de escribirle.");
        }
        todos += miembros;
    }
    QStringList resultado;
    QSet<QString> vistos;
    for (const QString &n : std::as_const(todos)) {
        const QString plegado = Ajustes::plegar(n);
        const auto it = enAgenda.constFind(plegado);
        if (it == enAgenda.constEnd() || vistos.contains(plegado))
            continue;
        vistos.insert(plegado);
        resultado.append(it.value());
    }
    return resultado;
}

QList<DestinatarioCola> DestinatariosDeContactos(const Contactos &contactos, const QStringList &nombres)
{
    // Folded once per contact: a group of hundreds must not fold the book for each member.
    QHash<QString, qsizetype> porNombre;
    porNombre.reserve(contactos.size());
    for (qsizetype i = contactos.size() - 1; i >= 0; --i)
        porNombre.insert(Ajustes::plegar(contactos.at(i).nombre), i);
    QList<DestinatarioCola> lista;
    lista.reserve(nombres.size());
    for (const QString &nombre : nombres) {
        DestinatarioCola d;
        d.nombre = nombre;
        const qsizetype i = porNombre.value(Ajustes::plegar(nombre), -1);
        const FilaContacto *fila = i >= 0 ? &contactos.at(i) : nullptr;
        CamposContacto campos;
        if (!fila) {
            d.motivo = QStringLiteral("El contacto no está en la Agenda");
        } else if (!LeerCampos(fila->registro, &campos)) {
            d.motivo = QStringLiteral("Los datos guardados del contacto están dañados");
        } else {
            d.nombre = fila->nombre;
            d.proveedor = campos.proveedor;
            d.destino.codArea = campos.codArea;
            d.destino.numero = campos.numero;
            // No provider of this version takes an alias, as a single send refuses it too.
            if (campos.codArea == CodAreaAlias)
                d.motivo = QStringLiteral("El contacto tiene un alias, que su proveedor no acepta");
            else if (!DatosNumericosValidos(campos.codArea, campos.numero))
                d.motivo = QStringLiteral("El número del contacto tiene caracteres que no son dígitos");
        }
        lista.append(d);
    }
    return lista;
}

} // namespace Agenda

// Groups of contacts: a name and the names of its members, kept in section
// "Grupos1.0" of the settings store, one value per group. The address book's
// own sections do not change; a contact renamed or deleted there follows here.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "agenda/contactos.h"

class Ajustes;
struct DestinatarioCola;

namespace Agenda {

inline const QString SeccionGrupos = QStringLiteral("Grupos1.0");

struct Grupo
{
    QString nombre;
    QStringList miembros;
};

// The value of a group: each member as its length in decimal, ":" and the name,
// so any character may stand in a name ("3:Ana4:Juan").
QString EscribirMiembros(const QStringList &miembros);
// False for a value that does not read back whole (what could be read is kept).
bool LeerMiembros(const QString &valor, QStringList *miembros);

// Why a group cannot be called `nombre` (empty, a double quote, longer than the
// command line carries); empty when it can.
QString ProblemaNombreGrupo(const QString &nombre);

// The groups of the store, read and written through the settings service.
class Grupos
{
public:
    explicit Grupos(Ajustes &ajustes);

    // In the store's order.
    QList<Grupo> todos() const;
    bool existe(const QString &nombre) const;
    QStringList miembros(const QString &nombre) const;

    // Each false with a Spanish reason in `error`.
    bool crear(const QString &nombre, QString *error);
    bool renombrar(const QString &viejo, const QString &nuevo, QString *error);
    bool eliminar(const QString &nombre, QString *error);
    // Members already in the group stay once; added at the end in the given order.
    bool agregar(const QString &grupo, const QStringList &contactos, QString *error);
    bool quitar(const QString &grupo, const QString &contacto, QString *error);

    // The address book renamed or deleted a contact: every group follows.
    void contactoRenombrado(const QString &viejo, const QString &nuevo);
    void contactoEliminado(const QString &nombre);

private:
    bool guardar(const QString &grupo, const QStringList &miembros, QString *error);
    // The name as the store spells it; empty when there is no such group.
    QString guardado(const QString &nombre) const;

    Ajustes &m_ajustes;
};

// The recipient row with several recipients: "Para: Juan, Ana y Eva", or the first
// `mostrados` names and how many more ("Para: Juan, Ana y 3 más").
QString TextoPara(const QStringList &nombres, int mostrados);

// The contacts of a command line or of a choice in the address book: the names
// given and each group's members, in order, each contact once, only those in
// `contactos`. `problema` gets a Spanish message for a group that does not
// exist or has no members (the first one found).
QStringList ExpandirDestinatarios(const Contactos &contactos, const Grupos &grupos, const QStringList &nombres,
                                  const QStringList &nombresGrupos, QString *problema);

// The members of a group as recipients of a queue, in the group's order; a
// member gone from `contactos` or whose record cannot be used carries the reason.
QList<DestinatarioCola> DestinatariosDeContactos(const Contactos &contactos, const QStringList &nombres);

} // namespace Agenda

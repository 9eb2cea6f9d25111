// The in-memory address book: one (name, record) row per value of section
// "Agenda1.0". Held by the application context; Agenda fills and reads it.
#pragma once

#include <QList>
#include <QString>

struct FilaContacto
{
    QString nombre;
    QString registro;
};

using Contactos = QList<FilaContacto>;

// Contacts as phones and webmail accounts export them: vCard files (2.1, 3.0 and
// 4.0) and CSV files with a header row. The readers give each contact's name and
// its phone numbers as written; splitting the numbers is numerosimportados'. The
// vCard writer makes the file a phone imports (4.0, UTF-8, numbers in E.164).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "agenda/contactos.h"

namespace Agenda {

struct TelefonoLeido
{
    QString texto;
    bool movil = false;     // TYPE=CELL, a "Mobile" column or label
    bool preferido = false; // PREF
};

struct ContactoLeido
{
    QString nombre;
    QList<TelefonoLeido> telefonos;
    // The provider this program wrote for the contact (X-NTX-PROVEEDOR), when it is one.
    QString proveedor;
    // The area code this program wrote (X-NTX-CODAREA): libphonenumber may group the number otherwise.
    QString codArea;
    int linea = 0; // first line of the card or the CSV row, from 1
};

enum class FormatoContactos { Desconocido, VCard, Csv };

struct LecturaContactos
{
    FormatoContactos formato = FormatoContactos::Desconocido;
    QList<ContactoLeido> contactos;
    // Why nothing could be read (a Spanish sentence); empty when the file was recognised.
    QString error;
};

// The text of a file whose encoding is unknown: a byte-order mark (UTF-8, UTF-16)
// decides; UTF-16 without one is told by its zero bytes; otherwise UTF-8 when
// the bytes are valid UTF-8, else Windows-1252.
QString DecodificarTexto(const QByteArray &bytes);

LecturaContactos LeerVCard(const QByteArray &bytes);
LecturaContactos LeerCsvContactos(const QByteArray &bytes);
// Either one, told by the content (a "BEGIN:VCARD" line, else a CSV header that
// names a name and a phone column).
LecturaContactos LeerContactosDeOtroPrograma(const QByteArray &bytes);

// The phone to take from a contact: mobile numbers first, then preferred ones,
// then the file's order. Indices into `telefonos`.
QList<int> OrdenTelefonos(const QList<TelefonoLeido> &telefonos);

struct ResumenVCard
{
    int escritos = 0;
    int omitidos = 0; // aliases and numbers that make no international number
};

// vCard 4.0 text of the contacts, CR LF lines folded at 75 octets.
QByteArray EscribirVCard(const Contactos &contactos, ResumenVCard *resumen = nullptr);

// The text compared ignoring accents and case ("Teléfono" → "telefono").
QString SinAcentos(const QString &texto);

} // namespace Agenda

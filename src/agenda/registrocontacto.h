// The contact record: four fields, each as marker + two-digit length + text,
// and the rules that read it, write it and look contacts up in `Contactos`.
#pragma once

#include <QString>
#include <array>
#include <vector>

#include "comun/claves.h"

#include "agenda/contactos.h"

class Ajustes;

namespace Agenda {

inline const QString MarcaNombre = QStringLiteral("$_NO");
inline const QString MarcaProveedor = QStringLiteral("$_PR");
inline const QString MarcaCodArea = QStringLiteral("$_CA");
inline const QString MarcaNumero = QStringLiteral("$_NU");
inline const QString CodAreaAlias = QStringLiteral("alias");

// The longest field the two-digit length can describe.
constexpr int LargoMaximoCampo = 99;

struct CamposContacto
{
    QString nombre;
    QString proveedor;
    QString codArea;
    QString numero;
};

// Length as the record writes it: "0" before one digit, then the last two digits (123 → "23").
QString LongitudCampo(qsizetype largo);
// Length as the lookups build it: "0" before one digit, never cut (123 → "123").
QString LongitudSinCortar(qsizetype largo);

// The text of the field introduced by `marca` (searched ignoring case). `completo` is
// false when the marker is missing, the length is not two digits or points past the
// end; the text is then what could be read (empty, or the part up to the end).
QString LeerCampo(const QString &registro, const QString &marca, bool *completo = nullptr);

// All four fields; false when any of them does not read back whole.
bool LeerCampos(const QString &registro, CamposContacto *campos);

// Builds the record. A field longer than 99 characters cannot be described by its
// length: nothing is built, false with a Spanish message in `error`.
bool EscribirRegistro(const CamposContacto &campos, QString *registro, QString *error);

// Why a field cannot be stored, as the end of a sentence naming it with
// `descripcion` ("el nombre tiene 120 caracteres..."); empty when it can. The
// record has no escape for its own marker start "$_", the agenda file none for
// a double quote, and the two-digit length stops at 99.
QString ProblemaCampo(const QString &texto, const QString &descripcion);
// The first problem of the four fields (the name first); empty when none.
QString ProblemaCampos(const CamposContacto &campos);

// Why a contact read from an agenda file must not be stored; empty when it may.
// A record the format cannot describe (a field of 100 or more characters behind a
// cut length, a field holding "$_"), whose name field is cut short or names another
// contact (damaged or not elsewhere) is refused; any other damaged record is stored
// as read and caught when it is used.
QString ProblemaContactoImportado(const QString &nombre, const QString &registro);

// Index of the first row whose record holds the area code and number of the composer
// (ignoring case); -1 when none.
int BuscarPorNumero(const Contactos &contactos, const QString &codArea, const QString &numero);
// Index of the first alias contact whose record holds this alias; -1 when none.
int BuscarPorAlias(const Contactos &contactos, const QString &alias);
// Index of the first row whose record holds this name field; -1 when none.
int BuscarPorNombre(const Contactos &contactos, const QString &nombre);

// The three lookups above answered from an index of the text that follows each
// marker, so a keystroke does not walk every record. Same answers as the walk: the
// index only picks the rows that may match and the walk's own test decides. Built
// again by itself when handed a list other than the one it was built from.
class IndiceContactos
{
public:
    void construir(const Contactos &contactos);
    int buscarPorNumero(const Contactos &contactos, const QString &codArea, const QString &numero);
    int buscarPorAlias(const Contactos &contactos, const QString &alias);
    int buscarPorNombre(const Contactos &contactos, const QString &nombre);

    struct Entrada
    {
        QString clave; // up to LargoClave characters after the marker, case folded
        int fila;
    };
    struct Tabla
    {
        std::vector<Entrada> entradas; // sorted by clave
        std::vector<int> siempre;      // rows whose text the folding cannot key (surrogates)
    };

private:
    void alDia(const Contactos &contactos);

    Contactos m_contactos;
    bool m_construido = false;
    Tabla m_numeros;
    Tabla m_nombres;
    bool m_conNombres = false;
};

// Whether area code and number may be put into the composer: an "alias" contact always
// may; otherwise both must hold only the digits 0-9 (empty passes).
bool DatosNumericosValidos(const QString &codArea, const QString &numero);

// One entry of the quick-contact drop-down after a refresh.
struct EntradaRapida
{
    QString texto;
    bool habilitada = false;
    bool borrarValor = false; // the "Rapida" value names a contact that is gone
};

QString TextoRapidaVacia(int n);

// Slot states for the stored "Rapida" values (index 0 is slot 1). A slot whose
// contact is missing is cleared only when `contactosLeidos`: a store that could not
// be read proves nothing about which contacts are gone.
std::array<EntradaRapida, 10> CalcularRapidas(const Contactos &contactos, bool contactosLeidos,
                                              const std::array<QString, 10> &guardadas);

// Provider names of older versions and the name that replaces each; empty when the
// name is current.
QString ProveedorActualizado(const QString &proveedor);

// Rewrites a record of an older version with the current provider name. False (and
// nothing filled) when the provider is current or any field does not read back whole.
bool ActualizarRegistroAntiguo(const QString &registro, CamposContacto *campos, QString *nuevoRegistro);

// Every value of section "Agenda1.0" as contact rows; false when the store could not be read.
bool LeerContactos(const Ajustes &ajustes, Contactos *contactos);

} // namespace Agenda

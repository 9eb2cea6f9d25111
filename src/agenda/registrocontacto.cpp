#include "agenda/registrocontacto.h"

#include "plataforma/ajustes.h"

#include <QStringMatcher>

#include <algorithm>

namespace Agenda {

QString LongitudCampo(qsizetype largo)
{
    const QString texto = LongitudSinCortar(largo);
    return texto.right(2);
}

QString LongitudSinCortar(qsizetype largo)
{
    QString texto = QString::number(largo);
    if (texto.size() == 1)
        texto.prepend(QLatin1Char('0'));
    return texto;
}

QString LeerCampo(const QString &registro, const QString &marca, bool *completo)
{
    if (completo)
        *completo = false;
    const qsizetype p = registro.indexOf(marca, 0, Qt::CaseInsensitive);
    if (p < 0 || marca.isEmpty())
        return {};
    const qsizetype posLargo = p + marca.size();
    if (posLargo + 2 > registro.size())
        return {};
    const QChar d1 = registro.at(posLargo);
    const QChar d2 = registro.at(posLargo + 1);
    if (d1 < QLatin1Char('0') || d1 > QLatin1Char('9') || d2 < QLatin1Char('0') || d2 > QLatin1Char('9'))
        return {};
    const int largo = (d1.unicode() - '0') * 10 + (d2.unicode() - '0');
    const qsizetype inicio = posLargo + 2;
    const QString texto = registro.mid(inicio, largo);
    if (completo)
        *completo = texto.size() == largo;
    return texto;
}

bool LeerCampos(const QString &registro, CamposContacto *campos)
{
    bool ok1 = false, ok2 = false, ok3 = false, ok4 = false;
    CamposContacto leidos;
    leidos.nombre = LeerCampo(registro, MarcaNombre, &ok1);
    leidos.proveedor = LeerCampo(registro, MarcaProveedor, &ok2);
    leidos.codArea = LeerCampo(registro, MarcaCodArea, &ok3);
    leidos.numero = LeerCampo(registro, MarcaNumero, &ok4);
    if (campos)
        *campos = leidos;
    return ok1 && ok2 && ok3 && ok4;
}

bool EscribirRegistro(const CamposContacto &campos, QString *registro, QString *error)
{
    struct Campo
    {
        const QString &marca;
        const QString &texto;
        const char *descripcion;
    };
    const Campo lista[] = {{MarcaNombre, campos.nombre, "el nombre"},
                           {MarcaProveedor, campos.proveedor, "el proveedor"},
                           {MarcaCodArea, campos.codArea, "el código de área"},
                           {MarcaNumero, campos.numero, "el número o alias"}};
    QString resultado;
    for (const Campo &c : lista) {
        if (c.texto.size() > LargoMaximoCampo) {
            if (error) {
                *error = QStringLiteral("No se puede guardar el contacto: ") + QString::fromUtf8(c.descripcion) +
                         QStringLiteral(" tiene ") + QString::number(c.texto.size()) +
                         QStringLiteral(" caracteres y la Agenda admite como máximo ") +
                         QString::number(LargoMaximoCampo) + QStringLiteral(".");
            }
            return false;
        }
        // Every writer of a record passes here: a field holding the marker start would read
        // back as another field.
        if (c.texto.contains(QLatin1String("$_"))) {
            if (error)
                *error = QStringLiteral("No se puede guardar el contacto: ") + QString::fromUtf8(c.descripcion) +
                         QStringLiteral(" contiene «$_», que la Agenda usa para separar los datos de cada contacto.");
            return false;
        }
        resultado += c.marca + LongitudCampo(c.texto.size()) + c.texto;
    }
    if (registro)
        *registro = resultado;
    return true;
}

namespace {

bool TieneControles(const QString &texto)
{
    for (const QChar c : texto) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return true;
    }
    return false;
}

const QString *const Marcas[4] = {&MarcaNombre, &MarcaProveedor, &MarcaCodArea, &MarcaNumero};

QString DescripcionCampo(int i)
{
    static const char *const descripciones[4] = {"el nombre", "el proveedor", "el código de área", "el número o alias"};
    return QString::fromUtf8(descripciones[i]);
}

QString TextoDemasiadoLargo(const QString &descripcion, qsizetype largo)
{
    return descripcion + QStringLiteral(" tiene ") + QString::number(largo) +
           QStringLiteral(" caracteres y la Agenda admite como máximo ") + QString::number(LargoMaximoCampo);
}

// The record read field after field by its lengths, as the dialog writes it:
// false unless the four markers follow each other exactly and nothing is left.
bool LeerEnOrden(const QString &registro, CamposContacto *campos)
{
    QString *destinos[4] = {&campos->nombre, &campos->proveedor, &campos->codArea, &campos->numero};
    qsizetype pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (QStringView(registro).mid(pos, 4).compare(*Marcas[i], Qt::CaseInsensitive) != 0 ||
            pos + 6 > registro.size())
            return false;
        const QChar d1 = registro.at(pos + 4), d2 = registro.at(pos + 5);
        if (!d1.isDigit() || !d2.isDigit() || d1.unicode() > '9' || d2.unicode() > '9')
            return false;
        const int largo = (d1.unicode() - '0') * 10 + (d2.unicode() - '0');
        if (pos + 6 + largo > registro.size())
            return false;
        *destinos[i] = registro.mid(pos + 6, largo);
        pos += 6 + largo;
    }
    return pos == registro.size();
}

} // namespace

QString ProblemaCampo(const QString &texto, const QString &descripcion)
{
    if (texto.size() > LargoMaximoCampo)
        return TextoDemasiadoLargo(descripcion, texto.size());
    if (texto.contains(QLatin1String("$_")))
        return descripcion + QStringLiteral(" contiene «$_», que la Agenda usa para separar los datos de cada "
                                            "contacto");
    if (texto.contains(QLatin1Char('"')))
        return descripcion + QStringLiteral(" contiene comillas dobles (\"), que no se pueden guardar en un archivo "
                                            "de Agenda");
    if (TieneControles(texto))
        return descripcion + QStringLiteral(" contiene caracteres de control");
    return {};
}

QString ProblemaCampos(const CamposContacto &campos)
{
    const QString *textos[4] = {&campos.nombre, &campos.proveedor, &campos.codArea, &campos.numero};
    for (int i = 0; i < 4; ++i) {
        QString problema = ProblemaCampo(*textos[i], DescripcionCampo(i));
        if (!problema.isEmpty())
            return problema;
    }
    return {};
}

QString ProblemaContactoImportado(const QString &nombre, const QString &registro)
{
    if (nombre.isEmpty())
        return QStringLiteral("el nombre está vacío");
    QString problema = ProblemaCampo(nombre, DescripcionCampo(0));
    if (!problema.isEmpty())
        return problema;
    if (TieneControles(registro))
        return QStringLiteral("los datos del contacto contienen caracteres de control");
    // The store finds a contact by the line's name and the contacts panel acts on the
    // record's name field as it reads it: another name there would make it change or
    // delete another contact, however damaged the rest of the record is.
    const auto otroNombre = [&nombre](const QString &delRegistro) {
        return Ajustes::plegar(delRegistro) != Ajustes::plegar(nombre)
                   ? QStringLiteral("los datos del contacto son de otro nombre («") + delRegistro + QStringLiteral("»)")
                   : QString();
    };
    CamposContacto campos;
    if (LeerEnOrden(registro, &campos)) {
        const QString problemaCampos = ProblemaCampos(campos);
        if (!problemaCampos.isEmpty())
            return problemaCampos;
        return otroNombre(campos.nombre);
    }
    // An older file with a double quote inside a name: the line was cut at that quote.
    bool nombreEntero = false;
    const QString nombreLeido = LeerCampo(registro, MarcaNombre, &nombreEntero);
    if (!nombreEntero && registro.contains(MarcaNombre, Qt::CaseInsensitive))
        return QStringLiteral("los datos del contacto están cortados, quizá por comillas dobles dentro del nombre");
    if (nombreEntero) {
        problema = otroNombre(nombreLeido);
        if (!problema.isEmpty())
            return problema;
    }
    // A field of 100 or more characters written behind its cut length: the text up
    // to the next marker is longer than the length says, by whole hundreds.
    qsizetype inicio[4];
    qsizetype desde = 0;
    for (int i = 0; i < 4; ++i) {
        inicio[i] = registro.indexOf(*Marcas[i], desde, Qt::CaseInsensitive);
        if (inicio[i] < 0)
            return {};
        desde = inicio[i] + 6;
    }
    for (int i = 0; i < 4; ++i) {
        const qsizetype desdeTexto = inicio[i] + 6;
        const qsizetype hasta = i < 3 ? inicio[i + 1] : registro.size();
        const qsizetype largo = hasta - desdeTexto;
        if (largo > LargoMaximoCampo && registro.mid(inicio[i] + 4, 2) == LongitudCampo(largo))
            return TextoDemasiadoLargo(DescripcionCampo(i), largo);
    }
    return {};
}

namespace {

// "marker + tail" searched ignoring case. The lookup runs at every keystroke over
// the whole list: a tail without letters (a number, a length) is found with the
// fast exact search and only the four marker characters are compared ignoring case.
class Buscador
{
public:
    Buscador(const QString &marca, const QString &cola)
        : m_marca(marca)
        , m_completo(marca + cola, Qt::CaseInsensitive)
        , m_colaExacta(cola, Qt::CaseSensitive)
        , m_exacto(cola.toCaseFolded() == cola && cola.toUpper() == cola)
    {}

    bool en(const QString &registro) const
    {
        if (!m_exacto)
            return m_completo.indexIn(registro) >= 0;
        const qsizetype largoMarca = m_marca.size();
        for (qsizetype q = m_colaExacta.indexIn(registro, largoMarca); q >= 0;
             q = m_colaExacta.indexIn(registro, q + 1)) {
            if (QStringView(registro).mid(q - largoMarca, largoMarca).compare(m_marca, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }

private:
    QString m_marca;
    QStringMatcher m_completo;
    QStringMatcher m_colaExacta;
    bool m_exacto;
};

int PrimeraConAmbos(const Contactos &contactos, const Buscador &primero, const Buscador *segundo)
{
    for (qsizetype i = 0; i < contactos.size(); ++i) {
        const QString &r = contactos.at(i).registro;
        if (primero.en(r) && (!segundo || segundo->en(r)))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

int BuscarPorNumero(const Contactos &contactos, const QString &codArea, const QString &numero)
{
    const Buscador nu(MarcaNumero, LongitudSinCortar(numero.size()) + numero);
    const Buscador ca(MarcaCodArea, LongitudSinCortar(codArea.size()) + codArea);
    return PrimeraConAmbos(contactos, nu, &ca);
}

int BuscarPorAlias(const Contactos &contactos, const QString &alias)
{
    const Buscador nu(MarcaNumero, LongitudSinCortar(alias.size()) + alias);
    const Buscador ca(MarcaCodArea, QStringLiteral("05") + CodAreaAlias);
    return PrimeraConAmbos(contactos, nu, &ca);
}

int BuscarPorNombre(const Contactos &contactos, const QString &nombre)
{
    const Buscador no(MarcaNombre, LongitudCampo(nombre.size()) + nombre);
    return PrimeraConAmbos(contactos, no, nullptr);
}

namespace {

constexpr qsizetype LargoClave = 24;

bool EsSustituto(char16_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

// Folded one unit at a time, as the ignoring-case search compares text without surrogates.
QString Plegar(QStringView texto)
{
    QString plegado(texto.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texto.size(); ++i)
        plegado[i] = QChar(QChar::toCaseFolded(texto[i].unicode()));
    return plegado;
}

bool TieneSustitutos(QStringView texto)
{
    for (const QChar c : texto) {
        if (EsSustituto(c.unicode()))
            return true;
    }
    return false;
}

void Agregar(IndiceContactos::Tabla &tabla, const QString &registro, const QString &marca, int fila)
{
    for (qsizetype p = registro.indexOf(marca, 0, Qt::CaseInsensitive); p >= 0;
         p = registro.indexOf(marca, p + 1, Qt::CaseInsensitive)) {
        const QStringView cola = QStringView(registro).mid(p + marca.size(), LargoClave);
        if (TieneSustitutos(cola)) {
            if (tabla.siempre.empty() || tabla.siempre.back() != fila)
                tabla.siempre.push_back(fila);
            continue;
        }
        tabla.entradas.push_back({Plegar(cola), fila});
    }
}

void Ordenar(IndiceContactos::Tabla &tabla)
{
    std::sort(tabla.entradas.begin(), tabla.entradas.end(),
              [](const IndiceContactos::Entrada &a, const IndiceContactos::Entrada &b) {
                  return a.clave < b.clave || (a.clave == b.clave && a.fila < b.fila);
              });
}

// The first row, among those whose key starts like `cola`, that the walk's own test
// accepts; `sinIndice` when the text after the marker cannot be keyed.
template <typename Prueba>
int PrimeraCandidata(const IndiceContactos::Tabla &tabla, const QString &cola, const Prueba &acepta, bool *sinIndice)
{
    *sinIndice = TieneSustitutos(cola);
    if (*sinIndice)
        return -1;
    const QString prefijo = Plegar(QStringView(cola).left(LargoClave));
    std::vector<int> filas = tabla.siempre;
    auto it = std::lower_bound(tabla.entradas.begin(), tabla.entradas.end(), prefijo,
                               [](const IndiceContactos::Entrada &e, const QString &p) { return e.clave < p; });
    for (; it != tabla.entradas.end() && it->clave.startsWith(prefijo); ++it)
        filas.push_back(it->fila);
    std::sort(filas.begin(), filas.end());
    for (const int fila : filas) {
        if (acepta(fila))
            return fila;
    }
    return -1;
}

} // namespace

void IndiceContactos::construir(const Contactos &contactos)
{
    m_contactos = contactos;
    m_construido = true;
    m_numeros = {};
    m_numeros.entradas.reserve(static_cast<size_t>(contactos.size()));
    for (qsizetype i = 0; i < contactos.size(); ++i)
        Agregar(m_numeros, contactos.at(i).registro, MarcaNumero, static_cast<int>(i));
    Ordenar(m_numeros);
    // Names are looked up on a click, not at every keystroke: indexed when first asked.
    m_nombres = {};
    m_conNombres = false;
}

void IndiceContactos::alDia(const Contactos &contactos)
{
    // Any change to the list detaches it from the copy kept here.
    if (!m_construido || !m_contactos.isSharedWith(contactos) || m_contactos.size() != contactos.size())
        construir(contactos);
}

int IndiceContactos::buscarPorNumero(const Contactos &contactos, const QString &codArea, const QString &numero)
{
    alDia(contactos);
    const QString cola = LongitudSinCortar(numero.size()) + numero;
    const Buscador nu(MarcaNumero, cola);
    const Buscador ca(MarcaCodArea, LongitudSinCortar(codArea.size()) + codArea);
    bool sinIndice = false;
    const int fila = PrimeraCandidata(
        m_numeros, cola,
        [&](int f) {
            const QString &r = contactos.at(f).registro;
            return nu.en(r) && ca.en(r);
        },
        &sinIndice);
    return sinIndice ? PrimeraConAmbos(contactos, nu, &ca) : fila;
}

int IndiceContactos::buscarPorAlias(const Contactos &contactos, const QString &alias)
{
    alDia(contactos);
    const QString cola = LongitudSinCortar(alias.size()) + alias;
    const Buscador nu(MarcaNumero, cola);
    const Buscador ca(MarcaCodArea, QStringLiteral("05") + CodAreaAlias);
    bool sinIndice = false;
    const int fila = PrimeraCandidata(
        m_numeros, cola,
        [&](int f) {
            const QString &r = contactos.at(f).registro;
            return nu.en(r) && ca.en(r);
        },
        &sinIndice);
    return sinIndice ? PrimeraConAmbos(contactos, nu, &ca) : fila;
}

int IndiceContactos::buscarPorNombre(const Contactos &contactos, const QString &nombre)
{
    alDia(contactos);
    if (!m_conNombres) {
        m_nombres.entradas.reserve(static_cast<size_t>(contactos.size()));
        for (qsizetype i = 0; i < contactos.size(); ++i)
            Agregar(m_nombres, contactos.at(i).registro, MarcaNombre, static_cast<int>(i));
        Ordenar(m_nombres);
        m_conNombres = true;
    }
    const QString cola = LongitudCampo(nombre.size()) + nombre;
    const Buscador no(MarcaNombre, cola);
    bool sinIndice = false;
    const int fila = PrimeraCandidata(
        m_nombres, cola, [&](int f) { return no.en(contactos.at(f).registro); }, &sinIndice);
    return sinIndice ? PrimeraConAmbos(contactos, no, nullptr) : fila;
}

static bool SoloDigitos(const QString &texto)
{
    for (const QChar c : texto) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool DatosNumericosValidos(const QString &codArea, const QString &numero)
{
    if (codArea == CodAreaAlias)
        return true;
    return SoloDigitos(codArea) && SoloDigitos(numero);
}

QString TextoRapidaVacia(int n)
{
    return QStringLiteral("[Número Rápido ") + QString::number(n) + QStringLiteral("]");
}

std::array<EntradaRapida, 10> CalcularRapidas(const Contactos &contactos, bool contactosLeidos,
                                              const std::array<QString, 10> &guardadas)
{
    std::array<EntradaRapida, 10> entradas;
    for (int n = 1; n <= 10; ++n) {
        EntradaRapida &e = entradas[static_cast<size_t>(n - 1)];
        const QString &guardada = guardadas[static_cast<size_t>(n - 1)];
        e.texto = TextoRapidaVacia(n);
        if (guardada.isEmpty())
            continue;
        for (const FilaContacto &fila : contactos) {
            if (fila.nombre == guardada) {
                e.habilitada = true;
                e.texto = guardada;
            }
        }
        e.borrarValor = !e.habilitada && contactosLeidos;
    }
    return entradas;
}

QString ProveedorActualizado(const QString &proveedor)
{
    static const QString personal[] = {QStringLiteral("Argentina - Personal [Servidor #1]"),
                                       QStringLiteral("Argentina - Personal [Servidor #2]"),
                                       QStringLiteral("Argentina - Personal [Servidor #3]")};
    static const QString claro[] = {QStringLiteral("Argentina - CTI Móvil"),
                                    QStringLiteral("Argentina - CTI Móvil [Servidor #2]"),
                                    QStringLiteral("Argentina - Claro [Servidor #2]")};
    for (const QString &p : personal) {
        if (proveedor == p)
            return QStringLiteral("Argentina - Personal");
    }
    for (const QString &p : claro) {
        if (proveedor == p)
            return QStringLiteral("Argentina - Claro");
    }
    return {};
}

bool ActualizarRegistroAntiguo(const QString &registro, CamposContacto *campos, QString *nuevoRegistro)
{
    CamposContacto leidos;
    if (!LeerCampos(registro, &leidos))
        return false;
    const QString nuevo = ProveedorActualizado(leidos.proveedor);
    if (nuevo.isEmpty())
        return false;
    // Only a record that is exactly its four fields is rewritten: anything else
    // (a cut length, extra text) would lose data when rebuilt.
    QString reconstruido;
    if (!EscribirRegistro(leidos, &reconstruido, nullptr) || reconstruido != registro)
        return false;
    leidos.proveedor = nuevo;
    QString resultado;
    if (!EscribirRegistro(leidos, &resultado, nullptr))
        return false;
    if (campos)
        *campos = leidos;
    if (nuevoRegistro)
        *nuevoRegistro = resultado;
    return true;
}

bool LeerContactos(const Ajustes &ajustes, Contactos *contactos)
{
    ParesAjustes pares;
    const bool leido = ajustes.enumerarConEstado(SeccionAgenda, &pares);
    Contactos filas;
    filas.reserve(pares.size());
    for (const auto &par : std::as_const(pares))
        filas.append({par.first, par.second});
    if (contactos)
        *contactos = filas;
    return leido;
}

} // namespace Agenda

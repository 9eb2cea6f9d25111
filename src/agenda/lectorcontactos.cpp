#include "agenda/lectorcontactos.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <numeric>

#include "agenda/numerosimportados.h"
#include "agenda/registrocontacto.h"
#include "plataforma/archivotexto.h"

namespace Agenda {

namespace {

// UTF-16 without a byte-order mark: one byte of every pair is zero for the Latin letters a contact file holds.
enum class Utf16 { No, Le, Be };

Utf16 PareceUtf16(const QByteArray &bytes)
{
    const qsizetype n = std::min<qsizetype>(bytes.size(), 4096) & ~qsizetype(1);
    if (n < 4)
        return Utf16::No;
    qsizetype ceroPar = 0, ceroImpar = 0;
    for (qsizetype i = 0; i < n; i += 2) {
        ceroPar += bytes.at(i) == '\0';
        ceroImpar += bytes.at(i + 1) == '\0';
    }
    const qsizetype pares = n / 2;
    if (ceroImpar * 10 >= pares * 3 && ceroPar * 10 < pares)
        return Utf16::Le;
    if (ceroPar * 10 >= pares * 3 && ceroImpar * 10 < pares)
        return Utf16::Be;
    return Utf16::No;
}

// A byte-order mark at the start of the file is taken off before; one at the start
// of a value belongs to the value.
constexpr auto SinQuitarMarca = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

QString Utf8OWindows1252(QByteArrayView bytes)
{
    QStringDecoder d(QStringDecoder::Utf8, SinQuitarMarca);
    QString s = d(bytes);
    if (!d.hasError())
        return s;
    return Windows1252::decodificar(bytes.data(), bytes.size());
}

// The file as UTF-8 bytes (a UTF-16 file re-encoded, a UTF-8 mark dropped) for the
// vCard reader, which decodes each value by its own CHARSET.
QByteArray BytesParaVCard(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.mid(3);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || PareceUtf16(bytes) != Utf16::No)
        return DecodificarTexto(bytes).toUtf8();
    return bytes;
}

// Physical lines of bytes; CR LF, LF and CR all end a line.
QList<QByteArrayView> Lineas(const QByteArray &bytes)
{
    QList<QByteArrayView> lineas;
    const char *p = bytes.constData();
    const char *fin = p + bytes.size();
    const char *inicio = p;
    while (p != fin) {
        if (*p == '\r' || *p == '\n') {
            lineas.append(QByteArrayView(inicio, p - inicio));
            if (*p == '\r' && p + 1 != fin && p[1] == '\n')
                ++p;
            ++p;
            inicio = p;
        } else {
            ++p;
        }
    }
    if (inicio != fin)
        lineas.append(QByteArrayView(inicio, fin - inicio));
    return lineas;
}

// Position of the first ':' outside double quotes (4.0 parameter values may be quoted).
qsizetype DosPuntos(QByteArrayView linea)
{
    bool comillas = false;
    for (qsizetype i = 0; i < linea.size(); ++i) {
        const char c = linea.at(i);
        if (c == '"')
            comillas = !comillas;
        else if (c == ':' && !comillas)
            return i;
    }
    return -1;
}

QList<QByteArrayView> PartirFuera(QByteArrayView texto, char separador)
{
    QList<QByteArrayView> partes;
    bool comillas = false;
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const char c = texto.at(i);
        if (c == '"')
            comillas = !comillas;
        else if (c == separador && !comillas) {
            partes.append(texto.sliced(inicio, i - inicio));
            inicio = i + 1;
        }
    }
    partes.append(texto.sliced(inicio));
    return partes;
}

bool EsQuotedPrintable(QByteArrayView cabeza)
{
    return QByteArray::fromRawData(cabeza.data(), cabeza.size()).toUpper().contains("QUOTED-PRINTABLE");
}

int ValorHex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray DecodificarQuotedPrintable(QByteArrayView valor)
{
    QByteArray r;
    r.reserve(valor.size());
    for (qsizetype i = 0; i < valor.size(); ++i) {
        const char c = valor.at(i);
        if (c == '=' && i + 2 < valor.size()) {
            const int a = ValorHex(valor.at(i + 1)), b = ValorHex(valor.at(i + 2));
            if (a >= 0 && b >= 0) {
                r.append(char(a * 16 + b));
                i += 2;
                continue;
            }
        }
        if (c == '=' && i == valor.size() - 1)
            break; // a soft break left at the very end
        r.append(c);
    }
    return r;
}

QString Decodificar(QByteArrayView bytes, const QByteArray &charset)
{
    if (charset.isEmpty())
        return Utf8OWindows1252(bytes);
    const QByteArray c = charset.toUpper();
    if (c == "UTF-8" || c == "UTF8")
        return Utf8OWindows1252(bytes);
    if (c == "ISO-8859-1" || c == "LATIN1" || c == "ISO8859-1" || c == "WINDOWS-1252" || c == "CP1252" ||
        c == "US-ASCII" || c == "ASCII")
        // Windows-1252 is Latin-1 with letters where Latin-1 has control codes: phones that say Latin-1 mean it.
        return Windows1252::decodificar(bytes.data(), bytes.size());
    QStringDecoder d(c.constData());
    if (d.isValid())
        return d(bytes);
    return Utf8OWindows1252(bytes);
}

// vCard text escapes: \n, \, \; and \\ (2.1 writers escape only the semicolon).
QString Desescapar(QStringView texto)
{
    QString r;
    r.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c == QLatin1Char('\\') && i + 1 < texto.size()) {
            const QChar s = texto.at(++i);
            if (s == QLatin1Char('n') || s == QLatin1Char('N'))
                r += QLatin1Char('\n');
            else
                r += s;
            continue;
        }
        r += c;
    }
    return r;
}

// Components of a compound value (N) at semicolons not escaped.
QList<QString> Componentes(const QString &texto)
{
    QList<QString> partes;
    QString actual;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c == QLatin1Char('\\') && i + 1 < texto.size()) {
            actual += c;
            actual += texto.at(++i);
        } else if (c == QLatin1Char(';')) {
            partes.append(Desescapar(actual));
            actual.clear();
        } else {
            actual += c;
        }
    }
    partes.append(Desescapar(actual));
    return partes;
}

bool EsPalabraMovil(const QString &texto)
{
    const QString t = SinAcentos(texto);
    return t.contains(QLatin1String("cell")) || t.contains(QLatin1String("mobile")) ||
           t.contains(QLatin1String("movil")) || t.contains(QLatin1String("celular"));
}

struct Propiedad
{
    QByteArray grupo;
    QByteArray nombre; // upper case
    QSet<QByteArray> tipos;
    bool preferido = false;
    bool binario = false;
    QString valor;
};

bool LeerPropiedad(QByteArrayView linea, Propiedad *p)
{
    const qsizetype dp = DosPuntos(linea);
    if (dp <= 0)
        return false;
    const QList<QByteArrayView> cabeza = PartirFuera(linea.first(dp), ';');
    QByteArray nombre = cabeza.at(0).trimmed().toByteArray();
    const qsizetype punto = nombre.lastIndexOf('.');
    if (punto >= 0) {
        p->grupo = nombre.left(punto).toUpper();
        nombre = nombre.mid(punto + 1);
    }
    p->nombre = nombre.toUpper();
    bool qp = false;
    QByteArray charset;
    for (qsizetype i = 1; i < cabeza.size(); ++i) {
        const QByteArrayView param = cabeza.at(i).trimmed();
        const qsizetype igual = param.indexOf('=');
        const QByteArray clave = (igual < 0 ? QByteArrayView() : param.first(igual)).toByteArray().toUpper();
        QByteArray valor = (igual < 0 ? param : param.sliced(igual + 1)).toByteArray();
        if (valor.size() >= 2 && valor.startsWith('"') && valor.endsWith('"'))
            valor = valor.mid(1, valor.size() - 2);
        const QByteArray mayus = valor.toUpper();
        if (clave == "ENCODING" || (clave.isEmpty() && (mayus == "QUOTED-PRINTABLE" || mayus == "BASE64"))) {
            if (mayus == "QUOTED-PRINTABLE")
                qp = true;
            else if (mayus == "BASE64" || mayus == "B")
                p->binario = true;
        } else if (clave == "CHARSET") {
            charset = valor;
        } else if (clave == "PREF") {
            p->preferido = true;
        } else if (clave == "TYPE" || clave.isEmpty()) {
            for (const QByteArray &t : mayus.split(',')) {
                const QByteArray tipo = t.trimmed();
                if (tipo == "PREF")
                    p->preferido = true;
                else if (!tipo.isEmpty())
                    p->tipos.insert(tipo);
            }
        } else if (clave == "VALUE" && (mayus == "BINARY" || mayus == "B")) {
            p->binario = true;
        }
    }
    if (p->nombre == "PHOTO" || p->nombre == "LOGO" || p->nombre == "SOUND" || p->nombre == "KEY")
        p->binario = true;
    if (p->binario)
        return true; // never decoded
    const QByteArrayView crudo = linea.sliced(dp + 1);
    p->valor = qp ? Decodificar(DecodificarQuotedPrintable(crudo), charset) : Decodificar(crudo, charset);
    return true;
}

struct TarjetaEnCurso
{
    int linea = 0;
    QString fn;
    bool hayFn = false;
    QString n;
    bool hayN = false;
    QString proveedor;
    QString codArea;
    QList<QPair<QByteArray, TelefonoLeido>> telefonos; // group, phone
    QHash<QByteArray, QString> etiquetas;              // group -> X-ABLabel
};

ContactoLeido Terminar(const TarjetaEnCurso &t)
{
    ContactoLeido c;
    c.linea = t.linea;
    // FN as written (blanks and all); N only stands in for a missing or blank FN.
    if (t.hayFn && (!t.fn.trimmed().isEmpty() || !t.hayN)) {
        c.nombre = t.fn;
    } else if (t.hayN) {
        const QList<QString> partes = Componentes(t.n);
        // Given, additional, family, suffix: "Juan Carlos Pérez".
        QStringList orden;
        for (const int i : {1, 2, 0, 4}) {
            if (i < partes.size() && !partes.at(i).trimmed().isEmpty())
                orden.append(partes.at(i).trimmed());
        }
        c.nombre = orden.join(QLatin1Char(' '));
    }
    for (const auto &[grupo, tel] : t.telefonos) {
        TelefonoLeido telefono = tel;
        if (!grupo.isEmpty() && EsPalabraMovil(t.etiquetas.value(grupo)))
            telefono.movil = true;
        c.telefonos.append(telefono);
    }
    const QString proveedor = t.proveedor.trimmed();
    if (proveedor == ProveedorClaro || proveedor == ProveedorPersonal || proveedor == ProveedorMovilnet)
        c.proveedor = proveedor;
    c.codArea = t.codArea.trimmed();
    return c;
}

// Header words, compared without accents or case.
QString Normalizado(const QString &texto)
{
    return SinAcentos(texto).simplified();
}

bool EsUno(const QString &t, std::initializer_list<const char *> lista)
{
    for (const char *s : lista) {
        if (t == QLatin1String(s))
            return true;
    }
    return false;
}

bool TienePalabra(const QString &t, std::initializer_list<const char *> lista)
{
    const QStringList palabras =
        QString(t).replace(QLatin1Char('-'), QLatin1Char(' ')).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &p : palabras) {
        for (const char *s : lista) {
            if (p == QLatin1String(s))
                return true;
        }
    }
    return false;
}

// RFC 4180 records: quoted fields with doubled quotes, line breaks inside quotes.
struct FilaCsv
{
    QStringList campos;
    int linea = 0;
};

QChar Separador(const QString &texto)
{
    int comas = 0, puntoycoma = 0, tabs = 0;
    bool comillas = false;
    for (const QChar c : texto) {
        if (c == QLatin1Char('"'))
            comillas = !comillas;
        else if (!comillas && (c == QLatin1Char('\n') || c == QLatin1Char('\r')))
            break;
        else if (!comillas && c == QLatin1Char(','))
            ++comas;
        else if (!comillas && c == QLatin1Char(';'))
            ++puntoycoma;
        else if (!comillas && c == QLatin1Char('\t'))
            ++tabs;
    }
    if (puntoycoma > comas && puntoycoma >= tabs)
        return QLatin1Char(';');
    if (tabs > comas && tabs > puntoycoma)
        return QLatin1Char('\t');
    return QLatin1Char(',');
}

QList<FilaCsv> FilasCsv(const QString &texto, QChar separador)
{
    QList<FilaCsv> filas;
    FilaCsv fila;
    QString campo;
    int linea = 1;
    fila.linea = 1;
    bool comillas = false, enCampo = false;
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texto.at(i);
        if (comillas) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && texto.at(i + 1) == QLatin1Char('"')) {
                    campo += c;
                    ++i;
                } else {
                    comillas = false;
                }
            } else {
                if (c == QLatin1Char('\n') ||
                    (c == QLatin1Char('\r') && !(i + 1 < n && texto.at(i + 1) == QLatin1Char('\n'))))
                    ++linea;
                campo += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && !enCampo) {
            comillas = true;
            enCampo = true;
        } else if (c == separador) {
            fila.campos.append(campo);
            campo.clear();
            enCampo = false;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && texto.at(i + 1) == QLatin1Char('\n'))
                ++i;
            fila.campos.append(campo);
            campo.clear();
            enCampo = false;
            filas.append(fila);
            fila = FilaCsv();
            fila.linea = ++linea;
        } else {
            campo += c;
            enCampo = true;
        }
    }
    if (enCampo || !campo.isEmpty() || !fila.campos.isEmpty()) {
        fila.campos.append(campo);
        filas.append(fila);
    }
    return filas;
}

struct ColumnasCsv
{
    int nombre = -1;
    QList<int> partesNombre; // given, middle, family
    struct Telefono
    {
        int columna;
        bool movil;
        int columnaTipo; // Google's "Phone 1 - Type", -1 when none
    };
    QList<Telefono> telefonos;
};

ColumnasCsv BuscarColumnas(const QStringList &cabecera)
{
    ColumnasCsv c;
    int nombrePila = -1, segundo = -1, apellido = -1;
    QList<QString> normal;
    for (const QString &h : cabecera)
        normal.append(Normalizado(h));
    for (int i = 0; i < normal.size(); ++i) {
        const QString &h = normal.at(i);
        if (c.nombre < 0 &&
            EsUno(h, {"nombre", "name", "nombre completo", "full name", "display name", "nombre para mostrar",
                      "nombre a mostrar", "contacto", "contact name", "nombre y apellido"}))
            c.nombre = i;
        else if (nombrePila < 0 && EsUno(h, {"first name", "given name", "nombre de pila", "primer nombre"}))
            nombrePila = i;
        else if (segundo < 0 && EsUno(h, {"middle name", "additional name", "segundo nombre"}))
            segundo = i;
        else if (apellido < 0 && EsUno(h, {"last name", "family name", "apellido", "apellidos"}))
            apellido = i;
        else if (TienePalabra(h, {"telefono", "phone", "movil", "celular", "mobile", "cell", "tel", "cellphone"}) &&
                 !TienePalabra(h, {"type", "tipo", "fax", "pager", "label", "etiqueta", "busca"})) {
            const bool movil = TienePalabra(h, {"movil", "celular", "mobile", "cell", "cellphone"});
            int tipo = -1;
            if (h.contains(QLatin1String("value"))) {
                const QString buscado = QString(h).replace(QLatin1String("value"), QLatin1String("type"));
                tipo = int(normal.indexOf(buscado));
            }
            c.telefonos.append({i, movil, tipo});
        }
    }
    if (c.nombre < 0) {
        for (const int i : {nombrePila, segundo, apellido}) {
            if (i >= 0)
                c.partesNombre.append(i);
        }
    }
    return c;
}

void Escapado(QString &salida, const QString &texto)
{
    for (const QChar c : texto) {
        if (c == QLatin1Char('\\'))
            salida += QLatin1String("\\\\");
        else if (c == QLatin1Char(','))
            salida += QLatin1String("\\,");
        else if (c == QLatin1Char(';'))
            salida += QLatin1String("\\;");
        else if (c == QLatin1Char('\n'))
            salida += QLatin1String("\\n");
        else
            salida += c;
    }
}

// A content line folded at 75 octets, never inside a UTF-8 sequence.
void LineaPlegada(QByteArray &salida, const QString &linea)
{
    const QByteArray b = linea.toUtf8();
    qsizetype desde = 0;
    qsizetype limite = 75;
    while (b.size() - desde > limite) {
        qsizetype corte = desde + limite;
        while (corte > desde && (uchar(b.at(corte)) & 0xC0) == 0x80)
            --corte;
        salida.append(b.constData() + desde, corte - desde);
        salida.append("\r\n ");
        desde = corte;
        limite = 74; // the leading blank counts
    }
    salida.append(b.constData() + desde, b.size() - desde);
    salida.append("\r\n");
}

bool TieneControles(const QString &texto)
{
    for (const QChar c : texto) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return true;
    }
    return false;
}

} // namespace

QString SinAcentos(const QString &texto)
{
    bool ascii = true;
    for (const QChar c : texto) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return texto.toLower();
    const QString d = texto.normalized(QString::NormalizationForm_D);
    QString r;
    r.reserve(d.size());
    for (const QChar c : d) {
        if (c.category() != QChar::Mark_NonSpacing)
            r += c;
    }
    return r.toCaseFolded();
}

QString DecodificarTexto(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Utf8OWindows1252(QByteArrayView(bytes).sliced(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringDecoder::Utf16LE, SinQuitarMarca);
        return d(QByteArrayView(bytes).sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringDecoder::Utf16BE, SinQuitarMarca);
        return d(QByteArrayView(bytes).sliced(2));
    }
    switch (PareceUtf16(bytes)) {
    case Utf16::Le: {
        QStringDecoder d(QStringDecoder::Utf16LE, SinQuitarMarca);
        return d(bytes);
    }
    case Utf16::Be: {
        QStringDecoder d(QStringDecoder::Utf16BE, SinQuitarMarca);
        return d(bytes);
    }
    case Utf16::No:
        break;
    }
    return Utf8OWindows1252(bytes);
}

LecturaContactos LeerVCard(const QByteArray &archivo)
{
    LecturaContactos lectura;
    const QByteArray bytes = BytesParaVCard(archivo);
    const QList<QByteArrayView> fisicas = Lineas(bytes);

    int profundidad = 0;
    bool alguna = false;
    TarjetaEnCurso tarjeta;
    QByteArray logica;
    int lineaLogica = 0;

    const auto procesar = [&](const QByteArray &linea, int numero) {
        const QByteArray recortada = linea.trimmed();
        const QByteArray mayus = recortada.toUpper();
        if (mayus.startsWith("BEGIN") && mayus.endsWith(":VCARD")) {
            if (profundidad++ == 0) {
                tarjeta = TarjetaEnCurso();
                tarjeta.linea = numero;
            }
            alguna = true;
            return;
        }
        if (mayus.startsWith("END") && mayus.endsWith(":VCARD")) {
            if (profundidad > 0 && --profundidad == 0)
                lectura.contactos.append(Terminar(tarjeta));
            return;
        }
        if (profundidad != 1)
            return; // outside a card, or inside an agent's card
        Propiedad p;
        if (!LeerPropiedad(linea, &p) || p.binario)
            return;
        if (p.nombre == "FN") {
            if (!tarjeta.hayFn) {
                tarjeta.fn = Desescapar(p.valor);
                tarjeta.hayFn = true;
            }
        } else if (p.nombre == "N") {
            if (!tarjeta.hayN) {
                tarjeta.n = p.valor;
                tarjeta.hayN = true;
            }
        } else if (p.nombre == "TEL") {
            TelefonoLeido t;
            t.texto = Desescapar(p.valor).trimmed();
            t.movil = p.tipos.contains("CELL") || p.tipos.contains("MOBILE");
            t.preferido = p.preferido;
            if (!t.texto.isEmpty())
                tarjeta.telefonos.append({p.grupo, t});
        } else if (p.nombre == "X-ABLABEL" && !p.grupo.isEmpty()) {
            tarjeta.etiquetas.insert(p.grupo, Desescapar(p.valor));
        } else if (p.nombre == "X-NTX-PROVEEDOR") {
            tarjeta.proveedor = Desescapar(p.valor);
        } else if (p.nombre == "X-NTX-CODAREA") {
            tarjeta.codArea = Desescapar(p.valor);
        }
    };

    for (qsizetype i = 0; i < fisicas.size(); ++i) {
        const QByteArrayView f = fisicas.at(i);
        if (!logica.isEmpty() && !f.isEmpty() && (f.at(0) == ' ' || f.at(0) == '\t')) {
            logica.append(f.sliced(1));
            continue;
        }
        // A quoted-printable soft break: the value goes on in the next line as it is.
        if (!logica.isEmpty() && logica.endsWith('=')) {
            const qsizetype dp = DosPuntos(logica);
            if (dp > 0 && EsQuotedPrintable(QByteArrayView(logica).first(dp))) {
                logica.chop(1);
                logica.append(f);
                continue;
            }
        }
        if (!logica.isEmpty())
            procesar(logica, lineaLogica);
        logica = f.toByteArray();
        lineaLogica = int(i + 1);
    }
    if (!logica.isEmpty())
        procesar(logica, lineaLogica);
    // A file cut short still gives the card it was reading.
    if (profundidad > 0)
        lectura.contactos.append(Terminar(tarjeta));

    if (!alguna) {
        lectura.error = QStringLiteral("El archivo no contiene tarjetas de contacto vCard.");
        return lectura;
    }
    lectura.formato = FormatoContactos::VCard;
    return lectura;
}

LecturaContactos LeerCsvContactos(const QByteArray &bytes)
{
    LecturaContactos lectura;
    const QString texto = DecodificarTexto(bytes);
    const auto noReconocido = [&lectura] {
        lectura.error = QStringLiteral("El archivo no tiene una fila de encabezado que nombre una columna de nombre y "
                                       "una de teléfono, como la que escriben los teléfonos y los correos web.");
        return lectura;
    };
    if (texto.contains(QChar(0)))
        return noReconocido();
    const QList<FilaCsv> filas = FilasCsv(texto, Separador(texto));
    qsizetype primera = 0;
    while (primera < filas.size() && filas.at(primera).campos.join(QString()).trimmed().isEmpty())
        ++primera;
    if (primera >= filas.size())
        return noReconocido();
    const ColumnasCsv columnas = BuscarColumnas(filas.at(primera).campos);
    if ((columnas.nombre < 0 && columnas.partesNombre.isEmpty()) || columnas.telefonos.isEmpty())
        return noReconocido();

    const auto celda = [](const FilaCsv &f, int i) {
        return i >= 0 && i < f.campos.size() ? f.campos.at(i) : QString();
    };
    for (qsizetype k = primera + 1; k < filas.size(); ++k) {
        const FilaCsv &f = filas.at(k);
        if (f.campos.join(QString()).trimmed().isEmpty())
            continue;
        ContactoLeido c;
        c.linea = f.linea;
        if (columnas.nombre >= 0) {
            c.nombre = celda(f, columnas.nombre).trimmed();
        } else {
            QStringList partes;
            for (const int i : columnas.partesNombre) {
                const QString p = celda(f, i).trimmed();
                if (!p.isEmpty())
                    partes.append(p);
            }
            c.nombre = partes.join(QLatin1Char(' '));
        }
        for (const ColumnasCsv::Telefono &t : columnas.telefonos) {
            const bool movil = t.movil || (t.columnaTipo >= 0 && EsPalabraMovil(celda(f, t.columnaTipo)));
            // Google writes several numbers of one kind in one cell, joined by " ::: ".
            for (const QString &numero : celda(f, t.columna).split(QLatin1String(":::"))) {
                const QString n = numero.trimmed();
                if (!n.isEmpty())
                    c.telefonos.append({n, movil, false});
            }
        }
        lectura.contactos.append(c);
    }
    lectura.formato = FormatoContactos::Csv;
    return lectura;
}

LecturaContactos LeerContactosDeOtroPrograma(const QByteArray &bytes)
{
    // A vCard file starts with its first card; anything before it is blank.
    const QString comienzo = DecodificarTexto(bytes.left(4096)).trimmed();
    if (comienzo.startsWith(QLatin1String("BEGIN"), Qt::CaseInsensitive) &&
        comienzo.left(40).contains(QLatin1String("VCARD"), Qt::CaseInsensitive))
        return LeerVCard(bytes);
    LecturaContactos csv = LeerCsvContactos(bytes);
    if (csv.formato == FormatoContactos::Csv)
        return csv;
    LecturaContactos vcard = LeerVCard(bytes);
    if (vcard.formato == FormatoContactos::VCard)
        return vcard;
    LecturaContactos ninguno;
    ninguno.error = QStringLiteral("El archivo no es una libreta de contactos en formato vCard (.vcf) ni CSV.");
    return ninguno;
}

QList<int> OrdenTelefonos(const QList<TelefonoLeido> &telefonos)
{
    QList<int> orden(telefonos.size());
    std::iota(orden.begin(), orden.end(), 0);
    std::stable_sort(orden.begin(), orden.end(), [&telefonos](int a, int b) {
        const TelefonoLeido &x = telefonos.at(a), &y = telefonos.at(b);
        if (x.movil != y.movil)
            return x.movil;
        return x.preferido && !y.preferido;
    });
    return orden;
}

QByteArray EscribirVCard(const Contactos &contactos, ResumenVCard *resumen)
{
    ResumenVCard cuenta;
    QByteArray salida;
    salida.reserve(contactos.size() * 120);
    for (const FilaContacto &fila : contactos) {
        CamposContacto campos;
        LeerCampos(fila.registro, &campos);
        const QString e164 = NumeroInternacional(campos);
        if (e164.isEmpty() || fila.nombre.isEmpty() || TieneControles(fila.nombre)) {
            ++cuenta.omitidos;
            continue;
        }
        salida.append("BEGIN:VCARD\r\nVERSION:4.0\r\n");
        QString fn = QStringLiteral("FN:");
        Escapado(fn, fila.nombre);
        LineaPlegada(salida, fn);
        salida.append("TEL;VALUE=uri;TYPE=cell:tel:");
        salida.append(e164.toLatin1());
        salida.append("\r\n");
        // Read back by this program only: the provider and the area code as the user chose them.
        LineaPlegada(salida, QStringLiteral("X-NTX-PROVEEDOR:") + campos.proveedor);
        if (campos.proveedor != ProveedorMovilnet)
            LineaPlegada(salida, QStringLiteral("X-NTX-CODAREA:") + campos.codArea);
        salida.append("END:VCARD\r\n");
        ++cuenta.escritos;
    }
    if (resumen)
        *resumen = cuenta;
    return salida;
}

} // namespace Agenda

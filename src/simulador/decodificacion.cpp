#include "simulador/decodificacion.h"

namespace {
// Code points for 0x80..0x9F in Windows-1252.
constexpr char16_t kAltos[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int valorHex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

QString textoDesdeWindows1252(const QByteArray &bytes)
{
    QString texto;
    texto.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F)
            texto.append(QChar(kAltos[b - 0x80]));
        else
            texto.append(QLatin1Char(c));
    }
    return texto;
}

QByteArray bytesDesdePorcentaje(const QByteArray &valor)
{
    QByteArray salida;
    salida.reserve(valor.size());
    for (qsizetype i = 0; i < valor.size(); ++i) {
        const char c = valor.at(i);
        if (c == '+') {
            salida.append(' ');
        } else if (c == '%' && i + 2 < valor.size() && valorHex(valor.at(i + 1)) >= 0 &&
                   valorHex(valor.at(i + 2)) >= 0) {
            salida.append(static_cast<char>(valorHex(valor.at(i + 1)) * 16 + valorHex(valor.at(i + 2))));
            i += 2;
        } else {
            salida.append(c);
        }
    }
    return salida;
}

QList<CampoFormulario> camposDeFormulario(const QByteArray &consulta)
{
    QList<CampoFormulario> campos;
    for (const QByteArray &pieza : consulta.split('&')) {
        if (pieza.isEmpty())
            continue;
        CampoFormulario campo;
        const qsizetype igual = pieza.indexOf('=');
        campo.nombreCrudo = igual < 0 ? pieza : pieza.left(igual);
        campo.valorCrudo = igual < 0 ? QByteArray() : pieza.mid(igual + 1);
        campo.nombre = textoDesdeWindows1252(bytesDesdePorcentaje(campo.nombreCrudo));
        campo.valor = textoDesdeWindows1252(bytesDesdePorcentaje(campo.valorCrudo));
        campos.append(campo);
    }
    return campos;
}

bool buscarCampo(const QList<CampoFormulario> &campos, const QString &nombre, QString *valor)
{
    for (const CampoFormulario &campo : campos) {
        if (campo.nombre == nombre) {
            if (valor)
                *valor = campo.valor;
            return true;
        }
    }
    return false;
}

// The text file reader on any bytes: no crash, it always ends, and the texts of any
// record it reads are written and read back unchanged.
#include "comun.h"
#include "plataforma/archivotexto.h"

#include <QVariantList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    const QByteArray entrada = fuzz::bytes(datos, tamano);

    // The grammar alone: every field advances, nothing is read past the end.
    {
        const char *p = entrada.constData();
        const char *fin = p + entrada.size();
        while (p < fin) {
            const char *antes = p;
            GramaticaRegistro::Campo campo;
            const GramaticaRegistro::Fin f = GramaticaRegistro::leerCampo(p, fin, &campo);
            if (p <= antes || p > fin || campo.desde > campo.hasta)
                fuzz::fallar("leerCampo no avanzó o salió del texto");
            if (f == GramaticaRegistro::Fin::FinDeArchivo || f == GramaticaRegistro::Fin::ComillaAbierta)
                break;
        }
    }

    LectorArchivoTexto lector;
    lector.abrirBytes(entrada);
    for (int vuelta = 0;; ++vuelta) {
        if (vuelta > entrada.size() + 1)
            fuzz::fallar("el lector no termina");
        RegistroArchivo campos;
        const auto r = lector.leerRegistro(&campos);
        if (r == LectorArchivoTexto::Resultado::FinDeArchivo || r == LectorArchivoTexto::Resultado::ErrorDeLectura)
            break;
        // An empty line is a record without fields: nothing to write back.
        if (r != LectorArchivoTexto::Resultado::Leido || campos.isEmpty())
            continue;
        QVariantList textos;
        for (const CampoArchivo &c : std::as_const(campos))
            textos.append(c.texto);
        const QString linea = EscritorArchivoTexto::lineaDeRegistro(textos);
        LectorArchivoTexto otra;
        otra.abrirBytes(Windows1252::codificar(linea));
        RegistroArchivo vuelta2;
        if (otra.leerRegistro(&vuelta2) != LectorArchivoTexto::Resultado::Leido)
            fuzz::fallar("un registro escrito no se lee", linea);
        // A line end inside a text belongs to it only when quoted: the writer always quotes.
        bool mismo = vuelta2.size() == campos.size();
        for (qsizetype i = 0; mismo && i < campos.size(); ++i)
            mismo = vuelta2.at(i).texto == campos.at(i).texto;
        if (!mismo)
            fuzz::fallar("un registro escrito y leído no es el mismo", linea);
    }
    return 0;
}

#include "mejoras/agregados.h"

namespace {

struct DatoEmoticon
{
    GrupoEmoticon grupo;
    const char16_t *nombre, *titulo, *texto;
};

struct DatoImagen
{
    const char16_t *titulo, *codigo;
};

constexpr DatoEmoticon TablaEmoticones[] = {
    {GrupoEmoticon::Caras, u"mnuCaraFeliz", u" :-)  (Cara feliz)", u" :-) "},
    {GrupoEmoticon::Caras, u"mnuCaraTriste", u":-(  (Cara triste)", u" :-( "},
    {GrupoEmoticon::Caras, u"mnuMunecoteFeliz", u"=-)  (Muñecote feliz)", u" =-) "},
    {GrupoEmoticon::Caras, u"mnuMunecoteTriste", u"=-(  (Muñecote Triste)", u" =-( "},
    {GrupoEmoticon::Caras, u"mnuGuino", u";-)  (Guiño)", u" ;-) "},
    {GrupoEmoticon::Caras, u"mnuTSacolaLengua", u":-p  (Te saco la lengua)", u" :-p "},
    {GrupoEmoticon::Caras, u"mnuMeRio", u":-D  (Me rio)", u" :-D "},
    {GrupoEmoticon::Caras, u"mnuBocaAbierta", u":-O  (Boca abierta)", u" :-O "},
    {GrupoEmoticon::Caras, u"mnuSerio", u":-|  (Soy serio)", u" :-| "},
    {GrupoEmoticon::Caras, u"mnuSombrero", u"q:-)  (Tengo un sombrero)", u" q:-) "},
    // The caption shows the crying face; so does the text.
    {GrupoEmoticon::Caras, u"mnuLlorando", u":_(  (Estoy llorando)", u" :_( "},
    {GrupoEmoticon::Caras, u"mnuVampiro", u":-[  (Soy un vampiro)", u" :-[ "},
    {GrupoEmoticon::Caritas, u"mnuCaritaFeliz", u" :)  (Carita feliz)", u" :) "},
    {GrupoEmoticon::Caritas, u"mnuCaritaTriste", u":(  (Carita triste)", u" :( "},
    {GrupoEmoticon::Caritas, u"mnuMunecoFeliz", u" =)  (Muñeco feliz)", u" =) "},
    {GrupoEmoticon::Caritas, u"mnuMunecoTriste", u"=(  (Muñeco Triste)", u" =( "},
    {GrupoEmoticon::Caritas, u"mnuGuinito", u";)  (Guiñito)", u" ;) "},
    {GrupoEmoticon::Caritas, u"mnuTeSacoLenguita", u":P  (Te saco la lengua)", u" :P "},
    {GrupoEmoticon::Caritas, u"mnuMeRiito", u":D  (Me Rio)", u" :D "},
    {GrupoEmoticon::Caritas, u"mnuBoquiAbierta", u":o  (Boquita abierta)", u" :O "},
    {GrupoEmoticon::Caritas, u"mnuSeriecito", u":|  (Soy seriecito)", u" :| "},
    {GrupoEmoticon::Caritas, u"mnuSombrerito", u"q:)  (Tengo un sombrerito)", u" q:) "},
    {GrupoEmoticon::Caritas, u"mnuVampirito", u":[  (Soy un vampirito)", u" :[ "},
    {GrupoEmoticon::Cosas, u"mnuCorazón", u"<3  (Corazón)", u" <3 "},
    {GrupoEmoticon::Cosas, u"mnuRosa", u"-,--'-@  (Una rosa)", u" -,--'-@ "},
    {GrupoEmoticon::Cosas, u"mnuRosita", u"--,-@  (Una rosita)", u" --,-@ "},
    {GrupoEmoticon::Cosas, u"mnuBomba", u"[TNT]---.',-  (¡Bomba!)", u" [TNT]---.',- "},
    {GrupoEmoticon::Cosas, u"mnuPez", u"<')))><  (Pez)", u" <')))>< "},
};

// Every blank is data: the phone wraps the line into the picture.
constexpr DatoImagen TablaImagenes[] = {
    {u"2 Loritos", u" ww     ///\r\n( ' >    < ' )\r\n(/ /)    (/ /)\r\n-oo---oo--"},
    {u"Búho", u".  £_£                     (+)(+)                     ___                       mm "},
    {u"Espiandote", u".         //////                    ( o o ) --ooO-(_)-Ooo--"},
    {u"Chancho", u".  <( ,   , )>                 (  (..)  )"},
    {u"Conejo", u".         /)/)                   =( ' . ' )=             ,,,,(,,,',,,,),,,,,, "},
    {u"Loro", u". /I,,,/I    'Estoy      (  'v' )       al     <(''''''')>    Loro!'       '' ''"},
    {u"Oso de peluche",
     u".       o,,,,o                     ( 'o' )                     > '''' <                    (''') (''')"},
    {u"Corazón", u".--..--.                  '.   ''   .'TE QUIERO   '.   .'      MUCHO       '.'"},
    {u"Corazón Flechado", u".     . - . - .            >>-'.---    .'--->            ' .   . '                       "
                          u"'.'                TE QUIERO MUCHO!"},
    {u"Buenas noches", u"*    (   .   +    *   . '    +  BUENAS'    +   *   . NOCHES!  *   ' .  +    '    )    +    *"},
    {u"Conejo con flor", u"    ()()                      (++)     -0-`,-0<-@              (_)(_) "},
};

const QString CuatroSaltos = QStringLiteral("\r\n\r\n\r\n\r\n");

} // namespace

const QList<EmoticonAgregado> &EmoticonesAgregados()
{
    static const QList<EmoticonAgregado> lista = [] {
        QList<EmoticonAgregado> r;
        for (const DatoEmoticon &d : TablaEmoticones)
            r.append(
                {d.grupo, QString::fromUtf16(d.nombre), QString::fromUtf16(d.titulo), QString::fromUtf16(d.texto)});
        return r;
    }();
    return lista;
}

const QList<ImagenAgregada> &ImagenesAgregadas()
{
    static const QList<ImagenAgregada> lista = [] {
        QList<ImagenAgregada> r;
        for (const DatoImagen &d : TablaImagenes)
            r.append({QString::fromUtf16(d.titulo), QString::fromUtf16(d.codigo)});
        return r;
    }();
    return lista;
}

QString AgregarEmoticon(const QString &mensaje, const EmoticonAgregado &emoticon)
{
    return mensaje + emoticon.texto;
}

QString AgregarImagen(const QString &mensaje, int indice)
{
    const auto &imagenes = ImagenesAgregadas();
    if (indice < 0 || indice >= imagenes.size())
        return mensaje;
    return mensaje + CuatroSaltos + imagenes.at(indice).codigo;
}

QString AgregarSaludo(const QString &mensaje, const QString &saludo)
{
    return mensaje + saludo + u' ';
}

QString AgregarFirma(const QString &mensaje, const QString &firma)
{
    return mensaje + u' ' + firma;
}

QString TextoMostradoRanura(const QString &texto, qsizetype largo)
{
    if (texto.isEmpty())
        return TextoRanuraVacia;
    if (texto.size() > largo)
        return texto.left(largo) + QStringLiteral("...");
    return texto;
}

QString TextoDeUnaLinea(const QString &texto)
{
    QString r = texto;
    for (QChar &c : r) {
        if (c.unicode() < 32 || c.unicode() == 127 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    return r;
}

QString TextoAvisoImagen()
{
    return QStringLiteral("Se ha insertado el código de la imágen en el texto del mensaje, no lo modifique.\r\n"
                          "Tenga en cuenta que las imágenes sólo se verán correctamente en algunas marcas de teléfonos "
                          "celulares, y puede que con algunos proveedores necesite agregar líneas en blanco antes de "
                          "insertar el  código de la imágen para que se vea correctamente.\r\n"
                          "Envíe una imágen de prueba y compruebe si la puede ver correctamente.");
}

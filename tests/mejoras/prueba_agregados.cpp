// The ready-made texts: every emoticon and picture as appended, greetings and
// signatures, and how a slot's text is shown in menus and lists.
#include <QTest>

#include "mejoras/agregados.h"

class PruebaAgregados : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emoticones_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("texto");
        const struct
        {
            const char16_t *nombre, *titulo, *texto;
        } filas[] = {
            {u"mnuCaraFeliz", u" :-)  (Cara feliz)", u" :-) "},
            {u"mnuCaraTriste", u":-(  (Cara triste)", u" :-( "},
            {u"mnuMunecoteFeliz", u"=-)  (Muñecote feliz)", u" =-) "},
            {u"mnuMunecoteTriste", u"=-(  (Muñecote Triste)", u" =-( "},
            {u"mnuGuino", u";-)  (Guiño)", u" ;-) "},
            {u"mnuTSacolaLengua", u":-p  (Te saco la lengua)", u" :-p "},
            {u"mnuMeRio", u":-D  (Me rio)", u" :-D "},
            {u"mnuBocaAbierta", u":-O  (Boca abierta)", u" :-O "},
            {u"mnuSerio", u":-|  (Soy serio)", u" :-| "},
            {u"mnuSombrero", u"q:-)  (Tengo un sombrero)", u" q:-) "},
            {u"mnuLlorando", u":_(  (Estoy llorando)", u" :_( "}, // as its caption shows
            {u"mnuVampiro", u":-[  (Soy un vampiro)", u" :-[ "},
            {u"mnuCaritaFeliz", u" :)  (Carita feliz)", u" :) "},
            {u"mnuCaritaTriste", u":(  (Carita triste)", u" :( "},
            {u"mnuMunecoFeliz", u" =)  (Muñeco feliz)", u" =) "},
            {u"mnuMunecoTriste", u"=(  (Muñeco Triste)", u" =( "},
            {u"mnuGuinito", u";)  (Guiñito)", u" ;) "},
            {u"mnuTeSacoLenguita", u":P  (Te saco la lengua)", u" :P "},
            {u"mnuMeRiito", u":D  (Me Rio)", u" :D "},
            {u"mnuBoquiAbierta", u":o  (Boquita abierta)", u" :O "},
            {u"mnuSeriecito", u":|  (Soy seriecito)", u" :| "},
            {u"mnuSombrerito", u"q:)  (Tengo un sombrerito)", u" q:) "},
            {u"mnuVampirito", u":[  (Soy un vampirito)", u" :[ "},
            {u"mnuCorazón", u"<3  (Corazón)", u" <3 "},
            {u"mnuRosa", u"-,--'-@  (Una rosa)", u" -,--'-@ "},
            {u"mnuRosita", u"--,-@  (Una rosita)", u" --,-@ "},
            {u"mnuBomba", u"[TNT]---.',-  (¡Bomba!)", u" [TNT]---.',- "},
            {u"mnuPez", u"<')))><  (Pez)", u" <')))>< "},
        };
        QCOMPARE(EmoticonesAgregados().size(), qsizetype(std::size(filas)));
        for (const auto &f : filas)
            QTest::newRow(QString::fromUtf16(f.nombre).toUtf8().constData())
                << QString::fromUtf16(f.nombre) << QString::fromUtf16(f.titulo) << QString::fromUtf16(f.texto);
    }
    void emoticones()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, titulo);
        QFETCH(QString, texto);
        const auto &lista = EmoticonesAgregados();
        const auto it =
            std::find_if(lista.cbegin(), lista.cend(), [&](const EmoticonAgregado &e) { return e.nombre == nombre; });
        QVERIFY(it != lista.cend());
        QCOMPARE(it->titulo, titulo);
        QCOMPARE(AgregarEmoticon(QString(), *it), texto);
        QCOMPARE(AgregarEmoticon(QStringLiteral("Hola"), *it), QStringLiteral("Hola") + texto);
    }

    // Lengths of the single-line pictures: a collapsed run of blanks changes the picture.
    void imagenes_data()
    {
        QTest::addColumn<int>("indice");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<int>("largo");
        const struct
        {
            const char16_t *titulo;
            int largo;
        } filas[] = {{u"Búho", 83},          {u"Espiandote", 59},      {u"Chancho", 41}, {u"Conejo", 78},
                     {u"Loro", 80},          {u"Oso de peluche", 102}, {u"Corazón", 78}, {u"Corazón Flechado", 124},
                     {u"Buenas noches", 92}, {u"Conejo con flor", 70}};
        int i = 1;
        for (const auto &f : filas) {
            QTest::addRow("%d", i) << i << QString::fromUtf16(f.titulo) << f.largo;
            ++i;
        }
    }
    void imagenes()
    {
        QFETCH(int, indice);
        QFETCH(QString, titulo);
        QFETCH(int, largo);
        QCOMPARE(ImagenesAgregadas().size(), 11);
        const ImagenAgregada &imagen = ImagenesAgregadas().at(indice);
        QCOMPARE(imagen.titulo, titulo);
        QCOMPARE(imagen.codigo.size(), qsizetype(largo));
        QVERIFY(!imagen.codigo.contains(u'\n'));
        QCOMPARE(AgregarImagen(QStringLiteral("x"), indice), QStringLiteral("x\r\n\r\n\r\n\r\n") + imagen.codigo);
    }

    void imagenesLiterales()
    {
        QCOMPARE(AgregarImagen(QStringLiteral("Hola"), 0),
                 QStringLiteral("Hola\r\n\r\n\r\n\r\n ww     ///\r\n( ' >    < ' )\r\n(/ /)    (/ /)\r\n-oo---oo--"));
        QCOMPARE(ImagenesAgregadas().at(0).titulo, QStringLiteral("2 Loritos"));
        QCOMPARE(AgregarImagen(QString(), 3),
                 QStringLiteral("\r\n\r\n\r\n\r\n.  <( ,   , )>                 (  (..)  )"));
        QCOMPARE(ImagenesAgregadas().at(1).codigo,
                 QStringLiteral(".  £_£                     (+)(+)                     ___                       mm "));
        QCOMPARE(AgregarImagen(QStringLiteral("Hola"), 11), QStringLiteral("Hola"));
        QCOMPARE(AgregarImagen(QStringLiteral("Hola"), -1), QStringLiteral("Hola"));
    }

    void saludosYFirmas()
    {
        QCOMPARE(AgregarSaludo(QString(), QStringLiteral("Hola!")), QStringLiteral("Hola! "));
        QCOMPARE(AgregarFirma(QStringLiteral("Nos vemos"), QStringLiteral("Juan")), QStringLiteral("Nos vemos Juan"));
        QCOMPARE(AgregarSaludo(QStringLiteral("a"), QStringLiteral("b\r\nc")), QStringLiteral("ab\r\nc "));
    }

    void textoMostrado_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("largo");
        QTest::addColumn<QString>("mostrado");
        QTest::newRow("vacío") << QString() << 30 << QStringLiteral("(Vacío)");
        QTest::newRow("1") << QStringLiteral("a") << 30 << QStringLiteral("a");
        QTest::newRow("30 en menú") << QString(30, u'b') << 30 << QString(30, u'b');
        QTest::newRow("31 en menú") << QString(31, u'b') << 30 << QString(30, u'b') + QStringLiteral("...");
        QTest::newRow("200 en menú") << QString(200, u'c') << 30 << QString(30, u'c') + QStringLiteral("...");
        QTest::newRow("25 en lista") << QString(25, u'd') << 25 << QString(25, u'd');
        QTest::newRow("26 en lista") << QString(26, u'd') << 25 << QString(25, u'd') + QStringLiteral("...");
        QTest::newRow("22 remitente") << QString(22, u'e') << 22 << QString(22, u'e');
        QTest::newRow("23 remitente") << QString(23, u'e') << 22 << QString(22, u'e') + QStringLiteral("...");
        QTest::newRow("blanco") << QStringLiteral(" ") << 30 << QStringLiteral(" ");
    }
    void textoMostrado()
    {
        QFETCH(QString, texto);
        QFETCH(int, largo);
        QFETCH(QString, mostrado);
        QCOMPARE(TextoMostradoRanura(texto, largo), mostrado);
    }

    void unaLinea()
    {
        QCOMPARE(TextoDeUnaLinea(QStringLiteral("a\r\nb\tc\"d")), QStringLiteral("a  b c\"d"));
        QCOMPARE(TextoDeUnaLinea(QString()), QString());
    }

    void avisoImagen()
    {
        const QStringList parrafos = TextoAvisoImagen().split(QStringLiteral("\r\n"));
        QCOMPARE(parrafos.size(), 3);
        QCOMPARE(parrafos.at(0),
                 QStringLiteral("Se ha insertado el código de la imágen en el texto del mensaje, no lo modifique."));
        QVERIFY(parrafos.at(1).contains(QStringLiteral("antes de insertar el  código de la imágen para")));
        QCOMPARE(parrafos.at(2),
                 QStringLiteral("Envíe una imágen de prueba y compruebe si la puede ver correctamente."));
    }
};

QTEST_APPLESS_MAIN(PruebaAgregados)
#include "prueba_agregados.moc"

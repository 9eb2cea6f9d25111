// Contacts from phones and webmail: numbers split into the providers' fields,
// vCard and CSV files as other programs write them (made here, byte for byte),
// the lines refused and why, names already in the address book, and the vCard
// the address book writes read back as the same contacts.
#include "agenda/importacioncontactos.h"
#include "agenda/lectorcontactos.h"
#include "agenda/numerosimportados.h"
#include "agenda/registrocontacto.h"

#include <QStringEncoder>
#include <QTest>

using namespace Agenda;

namespace {

QByteArray Latin1(const QString &texto)
{
    return texto.toLatin1();
}

// vCard 2.1 as older phones write it: quoted-printable Latin-1 with soft line
// breaks, bare type parameters, a photo in base64 on unindented lines.
QByteArray VCard21()
{
    QByteArray b;
    b += "BEGIN:VCARD\r\nVERSION:2.1\r\n";
    b += "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Mu=F1oz;Jos=E9;;;\r\n";
    b += "FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Jos=E9 Mu=F1oz Fern=E1ndez de la Pe=\r\n";
    b += "=F1a\r\n";
    b += "TEL;HOME;VOICE:0351 4221100\r\n";
    b += "TEL;CELL:0351 15-123-4567\r\n";
    b += "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQSkZJRgABAQEASABIAAD/2wBDAAgGBgcGBQgH\r\n";
    b += "BwcJCQgKDBQNDAsLDBkSEw8UHRofHh0aHBwgJC4nICIsIxwcKDcpLDAxNDQ0Hyc5PTgyPC4z\r\n";
    b += "\r\n";
    b += "END:VCARD\r\n";
    b += "BEGIN:VCARD\r\nVERSION:2.1\r\n";
    b += "N:Gomez;Ana;;;\r\n";
    b += "TEL;PREF;WORK:+54 11 4123 4567\r\n";
    b += "END:VCARD\r\n";
    return b;
}

// vCard 3.0 as a webmail account exports it: folded lines, grouped numbers with
// a label, TYPE=CELL among several, escaped commas.
QByteArray VCard30()
{
    QByteArray b;
    b += "BEGIN:VCARD\nVERSION:3.0\nFN:Luc\xC3\xAD"
         "a P\xC3\xA9rez\\, hija\nN:P\xC3\xA9rez;Luc\xC3\xAD"
         "a;;;\n";
    b += "TEL;TYPE=HOME:0351 4221100\n";
    b += "item1.TEL:+54 9 351 555-1234\nitem1.X-ABLabel:M\xC3\xB3vil\n";
    b += "EMAIL;TYPE=INTERNET:lucia@example.com\n";
    b += "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQEASABIAAD/2wBDAAgGBgcGBQgHBwcJCQgK\n";
    b += " DBQNDAsLDBkSEw8UHRofHh0aHBwgJC4nICIsIxwcKDcpLDAxNDQ0Hyc5PTgyPC4z\n";
    b += "END:VCARD\n";
    b += "BEGIN:VCARD\nVERSION:3.0\nFN:Pedro Venezola\nno\n";
    b += "TEL;TYPE=WORK,VOICE:0212 555 1234\nTEL;TYPE=CELL:0416-1234567\nEND:VCARD\n";
    // Folding: the name goes on after a blank at the start of the next line.
    b += "BEGIN:VCARD\nVERSION:3.0\nFN:Mar\n \xC3\xAD"
         "a Laura\nTEL;TYPE=cell:+54 9 11 5555-0000\nEND:VCARD\n";
    return b;
}

QByteArray VCard40()
{
    QByteArray b;
    b += "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Tom\xC3\xA1s\r\n";
    b += "TEL;VALUE=uri;TYPE=\"voice,home\":tel:+54-351-422-1100\r\n";
    b += "TEL;VALUE=uri;PREF=1;TYPE=\"cell,voice\":tel:+54-9-2966-12-3456\r\n";
    b += "END:VCARD\r\n";
    return b;
}

// A webmail's CSV export: many columns, the name in parts, numbers with their type in another column.
QByteArray CsvWebmail()
{
    QString t;
    t += QStringLiteral("Name,Given Name,Additional Name,Family Name,Nickname,Birthday,Notes,E-mail 1 - Type,"
                        "E-mail 1 - Value,Phone 1 - Type,Phone 1 - Value,Phone 2 - Type,Phone 2 - Value\r\n");
    t += QStringLiteral("Raúl Gómez,Raúl,,Gómez,,,\"Notas, con coma\r\ny dos líneas\",* Home,raul@example.com,"
                        "Home,0351 4221100,Mobile,0351 15 444-5555\r\n");
    t += QStringLiteral("Sin Número,Sin,,Número,,,,,,,,,\r\n");
    t += QStringLiteral("Dos Móviles,Dos,,Móviles,,,,,,Mobile,+54 9 11 2222-3333 ::: +54 9 11 4444-5555,,\r\n");
    return t.toUtf8();
}

Contactos Existentes(std::initializer_list<const char *> nombres)
{
    Contactos c;
    for (const char *n : nombres) {
        QString registro;
        EscribirRegistro({QString::fromUtf8(n), ProveedorClaro, QStringLiteral("351"), QStringLiteral("1111111")},
                         &registro, nullptr);
        c.append({QString::fromUtf8(n), registro});
    }
    return c;
}

VistaPreviaImportacion Vista(const QByteArray &archivo, const Contactos &existentes = {},
                             RegionNumeros region = RegionNumeros::Argentina)
{
    const LecturaContactos l = LeerContactosDeOtroPrograma(archivo);
    VistaPreviaImportacion v;
    PrepararImportacion(l.contactos, region, existentes, &v);
    return v;
}

const FilaImportacion *Fila(const VistaPreviaImportacion &v, const QString &nombre)
{
    for (const FilaImportacion &f : v.filas) {
        if (f.nombre == nombre)
            return &f;
    }
    return nullptr;
}

QString Motivo(const VistaPreviaImportacion &v, const QString &nombre)
{
    for (const RechazoImportacion &r : v.rechazados) {
        if (r.nombre == nombre)
            return r.motivo;
    }
    return QStringLiteral("(no rechazado)");
}

} // namespace

class tst_ImportarContactos : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numeros_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("codArea");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("proveedor");
        QTest::addColumn<QString>("e164");
        QTest::addColumn<QString>("motivo"); // a part of the reason, when refused

        // Argentina: "9" after +54, "0" and "15" taken off, the area code as long as it is.
        QTest::newRow("+54 9") << "+54 9 351 123-4567"
                               << "AR"
                               << "351"
                               << "1234567"
                               << ""
                               << "+5493511234567"
                               << "";
        QTest::newRow("0 y 15") << "0351 15-123-4567"
                                << "AR"
                                << "351"
                                << "1234567"
                                << ""
                                << "+5493511234567"
                                << "";
        QTest::newRow("sin 0 ni 15") << "351 4123456"
                                     << "AR"
                                     << "351"
                                     << "4123456"
                                     << ""
                                     << "+5493514123456"
                                     << "";
        QTest::newRow("15 sin 0") << "351 15 4123456"
                                  << "AR"
                                  << "351"
                                  << "4123456"
                                  << ""
                                  << "+5493514123456"
                                  << "";
        QTest::newRow("Buenos Aires") << "011 15 4123-4567"
                                      << "AR"
                                      << "11"
                                      << "41234567"
                                      << ""
                                      << "+5491141234567"
                                      << "";
        QTest::newRow("+54 sin 9") << "+54 11 4123 4567"
                                   << "AR"
                                   << "11"
                                   << "41234567"
                                   << ""
                                   << "+5491141234567"
                                   << "";
        QTest::newRow("área de cuatro") << "+54 9 2966 12-3456"
                                        << "AR"
                                        << "2966"
                                        << "123456"
                                        << ""
                                        << "+5492966123456"
                                        << "";
        QTest::newRow("E.164 pegado") << "+5493511234567"
                                      << "AR"
                                      << "351"
                                      << "1234567"
                                      << ""
                                      << "+5493511234567"
                                      << "";
        QTest::newRow("tel: de vCard 4.0") << "tel:+54-9-351-123-4567"
                                           << "AR"
                                           << "351"
                                           << "1234567"
                                           << ""
                                           << "+5493511234567"
                                           << "";
        QTest::newRow("+54 con región VE") << "+54 9 351 123-4567"
                                           << "VE"
                                           << "351"
                                           << "1234567"
                                           << ""
                                           << "+5493511234567"
                                           << "";
        // Venezuela: operator code after the fixed "04", and the provider told by it.
        QTest::newRow("0416") << "0416-1234567"
                              << "VE"
                              << "16"
                              << "1234567"
                              << "Venezuela - Movilnet"
                              << "+584161234567"
                              << "";
        QTest::newRow("+58 426") << "+58 426 123 45 67"
                                 << "AR"
                                 << "26"
                                 << "1234567"
                                 << "Venezuela - Movilnet"
                                 << "+584261234567"
                                 << "";
        // Refused, with the reason.
        QTest::newRow("0800") << "0800 555 1234"
                              << "AR"
                              << ""
                              << ""
                              << ""
                              << ""
                              << "no es un número de celular";
        QTest::newRow("fijo venezolano") << "0212 555 1234"
                                         << "VE"
                                         << ""
                                         << ""
                                         << ""
                                         << ""
                                         << "no es un número de celular";
        QTest::newRow("Movistar venezolano") << "+58 414 1234567"
                                             << "AR"
                                             << ""
                                             << ""
                                             << ""
                                             << ""
                                             << "es de otra operadora";
        QTest::newRow("otro país") << "+1 650 253 0000"
                                   << "AR"
                                   << ""
                                   << ""
                                   << ""
                                   << ""
                                   << "de otro país (+1)";
        QTest::newRow("sin código de área") << "15 4123 4567"
                                            << "AR"
                                            << ""
                                            << ""
                                            << ""
                                            << ""
                                            << "código de área";
        QTest::newRow("corto") << "4123456"
                               << "AR"
                               << ""
                               << ""
                               << ""
                               << ""
                               << "10 dígitos";
        QTest::newRow("letras") << "llamar a la oficina"
                                << "AR"
                                << ""
                                << ""
                                << ""
                                << ""
                                << "no tiene un número";
        QTest::newRow("basura") << "+++--12"
                                << "AR"
                                << ""
                                << ""
                                << ""
                                << ""
                                << "";
    }
    void numeros()
    {
        QFETCH(QString, texto);
        QFETCH(QString, region);
        QFETCH(QString, codArea);
        QFETCH(QString, numero);
        QFETCH(QString, proveedor);
        QFETCH(QString, e164);
        QFETCH(QString, motivo);
        const NumeroPartido p = PartirNumero(texto, RegionDeCodigo(region));
        QCOMPARE(p.valido, !codArea.isEmpty());
        QCOMPARE(p.codArea, codArea);
        QCOMPARE(p.numero, numero);
        QCOMPARE(p.proveedorSugerido, proveedor);
        QCOMPARE(p.e164, e164);
        if (p.valido) {
            QVERIFY(p.motivo.isEmpty());
            // The fields the providers take: ten digits for Argentina, seven after 16 or 26 for Venezuela.
            if (p.argentino)
                QCOMPARE(QString(p.codArea + p.numero).size(), 10);
            else
                QCOMPARE(p.numero.size(), 7);
        } else {
            QVERIFY2(!p.motivo.isEmpty(), qPrintable(texto));
            QVERIFY2(p.motivo.contains(motivo), qPrintable(p.motivo));
        }
    }

    void numeroInternacional_data()
    {
        QTest::addColumn<QString>("proveedor");
        QTest::addColumn<QString>("codArea");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("e164");
        QTest::newRow("Claro") << "Argentina - Claro"
                               << "351"
                               << "1234567"
                               << "+5493511234567";
        QTest::newRow("Personal") << "Argentina - Personal"
                                  << "11"
                                  << "41234567"
                                  << "+5491141234567";
        QTest::newRow("Movilnet") << "Venezuela - Movilnet"
                                  << "16"
                                  << "1234567"
                                  << "+584161234567";
        QTest::newRow("alias") << "Argentina - Claro"
                               << "alias"
                               << "juan"
                               << "";
        QTest::newRow("nueve dígitos") << "Argentina - Claro"
                                       << "351"
                                       << "123456"
                                       << "";
        QTest::newRow("Movilnet 14") << "Venezuela - Movilnet"
                                     << "14"
                                     << "1234567"
                                     << "";
        QTest::newRow("otro proveedor") << "Argentina - CTI Móvil"
                                        << "351"
                                        << "1234567"
                                        << "";
    }
    void numeroInternacional()
    {
        QFETCH(QString, proveedor);
        QFETCH(QString, codArea);
        QFETCH(QString, numero);
        QFETCH(QString, e164);
        QCOMPARE(NumeroInternacional({QStringLiteral("X"), proveedor, codArea, numero}), e164);
    }

    void vcard21QuotedPrintableLatin1()
    {
        const LecturaContactos l = LeerContactosDeOtroPrograma(VCard21());
        QCOMPARE(l.formato, FormatoContactos::VCard);
        QCOMPARE(l.contactos.size(), 2);
        QCOMPARE(l.contactos.at(0).nombre, QStringLiteral("José Muñoz Fernández de la Peña"));
        QCOMPARE(l.contactos.at(0).linea, 1);
        QCOMPARE(l.contactos.at(0).telefonos.size(), 2); // the photo is no number
        QVERIFY(l.contactos.at(0).telefonos.at(1).movil);
        // N when there is no FN: given name first.
        QCOMPARE(l.contactos.at(1).nombre, QStringLiteral("Ana Gomez"));
        QVERIFY(l.contactos.at(1).telefonos.at(0).preferido);

        const VistaPreviaImportacion v = Vista(VCard21());
        const FilaImportacion *jose = Fila(v, QStringLiteral("José Muñoz Fernández de la Peña"));
        QVERIFY(jose);
        // The mobile number wins over the home one written first.
        QCOMPARE(jose->codArea, QStringLiteral("351"));
        QCOMPARE(jose->numero, QStringLiteral("1234567"));
        QVERIFY(jose->proveedor.isEmpty()); // Argentina: the user chooses
        const FilaImportacion *ana = Fila(v, QStringLiteral("Ana Gomez"));
        QVERIFY(ana);
        QCOMPARE(ana->codArea + QLatin1Char('/') + ana->numero, QStringLiteral("11/41234567"));
    }

    void vcard30Webmail()
    {
        const LecturaContactos l = LeerVCard(VCard30());
        QCOMPARE(l.contactos.size(), 3);
        QCOMPARE(l.contactos.at(0).nombre, QStringLiteral("Lucía Pérez, hija"));
        // The grouped number is mobile by its label.
        QCOMPARE(l.contactos.at(0).telefonos.size(), 2);
        QVERIFY(!l.contactos.at(0).telefonos.at(0).movil);
        QVERIFY(l.contactos.at(0).telefonos.at(1).movil);
        QCOMPARE(l.contactos.at(2).nombre, QStringLiteral("María Laura"));

        // Numbers without a country code are Venezuelan here; "+54" ones stay Argentine.
        const VistaPreviaImportacion v = Vista(VCard30(), {}, RegionNumeros::Venezuela);
        const FilaImportacion *lucia = Fila(v, QStringLiteral("Lucía Pérez, hija"));
        QVERIFY(lucia);
        QCOMPARE(lucia->numero, QStringLiteral("5551234"));
        // A line without a colon inside a card ("no") is no property and changes nothing.
        const FilaImportacion *pedro = Fila(v, QStringLiteral("Pedro Venezola"));
        QVERIFY(pedro);
        QCOMPARE(pedro->codArea, QStringLiteral("16"));
        QCOMPARE(pedro->proveedor, QStringLiteral("Venezuela - Movilnet"));
        QVERIFY(Fila(v, QStringLiteral("María Laura")));
        QVERIFY(v.rechazados.isEmpty());
    }

    void vcard40()
    {
        const VistaPreviaImportacion v = Vista(VCard40());
        QCOMPARE(v.filas.size(), 1);
        QCOMPARE(v.filas.at(0).nombre, QStringLiteral("Tomás"));
        QCOMPARE(v.filas.at(0).codArea, QStringLiteral("2966"));
        QCOMPARE(v.filas.at(0).numero, QStringLiteral("123456"));
    }

    void utf16SinMarcaYConMarca()
    {
        QStringEncoder le(QStringEncoder::Utf16LE);
        const QByteArray sinMarca = le(QString::fromUtf8(VCard40()));
        QCOMPARE(LeerContactosDeOtroPrograma(sinMarca).contactos.value(0).nombre, QStringLiteral("Tomás"));
        QStringEncoder be(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
        const QByteArray conMarca = be(QString::fromUtf8(CsvWebmail()));
        const LecturaContactos l = LeerContactosDeOtroPrograma(conMarca);
        QCOMPARE(l.formato, FormatoContactos::Csv);
        QCOMPARE(l.contactos.value(0).nombre, QStringLiteral("Raúl Gómez"));
    }

    void csvWebmailConColumnasDeMas()
    {
        const QByteArray conMarca = QByteArrayLiteral("\xEF\xBB\xBF") + CsvWebmail();
        for (const QByteArray &archivo : {CsvWebmail(), conMarca}) {
            const LecturaContactos l = LeerContactosDeOtroPrograma(archivo);
            QCOMPARE(l.formato, FormatoContactos::Csv);
            QCOMPARE(l.contactos.size(), 3);
            const ContactoLeido &raul = l.contactos.at(0);
            QCOMPARE(raul.nombre, QStringLiteral("Raúl Gómez"));
            QCOMPARE(raul.linea, 2);
            QCOMPARE(raul.telefonos.size(), 2);
            QVERIFY(raul.telefonos.at(1).movil); // "Mobile" in its type column
            // The notes' line break does not start a row: the next contact is on line 5.
            QCOMPARE(l.contactos.at(1).linea, 4);
            QCOMPARE(l.contactos.at(2).telefonos.size(), 2);
        }
        const VistaPreviaImportacion v = Vista(CsvWebmail());
        QCOMPARE(Fila(v, QStringLiteral("Raúl Gómez"))->numero, QStringLiteral("4445555"));
        QCOMPARE(Fila(v, QStringLiteral("Dos Móviles"))->numero, QStringLiteral("22223333"));
        QCOMPARE(Motivo(v, QStringLiteral("Sin Número")), QStringLiteral("no tiene un número de teléfono"));
    }

    void csvPuntoYComaWindows1252()
    {
        const QByteArray archivo =
            Latin1(QStringLiteral("Nombre;Apellido;Teléfono móvil;Correo\r\nÑandú;Pérez;0351 15 5551234;x@y\r\n"))
                .replace("Nombre;Apellido", "Nombre de pila;Apellido");
        const LecturaContactos l = LeerContactosDeOtroPrograma(archivo);
        QCOMPARE(l.formato, FormatoContactos::Csv);
        QCOMPARE(l.contactos.size(), 1);
        QCOMPARE(l.contactos.at(0).nombre, QStringLiteral("Ñandú Pérez"));
        QVERIFY(l.contactos.at(0).telefonos.at(0).movil);
        QCOMPARE(l.contactos.at(0).telefonos.at(0).texto, QStringLiteral("0351 15 5551234"));
    }

    void archivoQueNoEsDeContactos_data()
    {
        QTest::addColumn<QByteArray>("archivo");
        QTest::newRow("vacío") << QByteArray();
        QTest::newRow("texto") << QByteArray("Querida abuela:\r\nte escribo para...\r\n");
        QTest::newRow("CSV sin teléfono") << QByteArray("Nombre,Correo\r\nAna,a@b\r\n");
        QTest::newRow("binario") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("agenda de NTX") << QByteArray("NTXAgenda1.0\r\n\"Ana\",\"$_NO03Ana\"\r\n");
    }
    void archivoQueNoEsDeContactos()
    {
        QFETCH(QByteArray, archivo);
        const LecturaContactos l = LeerContactosDeOtroPrograma(archivo);
        QCOMPARE(l.formato, FormatoContactos::Desconocido);
        QVERIFY(l.contactos.isEmpty());
        QVERIFY(l.error.contains(QStringLiteral("vCard")));
    }

    void rechazos_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("telefono");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("sin nombre") << ""
                                    << "0351 15 5551234"
                                    << "no tiene nombre";
        QTest::newRow("nombre en blanco") << "   "
                                          << "0351 15 5551234"
                                          << "no tiene nombre";
        QTest::newRow("comillas") << "Juan \"el Flaco\""
                                  << "0351 15 5551234"
                                  << "comillas dobles";
        QTest::newRow("$_ en el nombre") << "Ana$_NO"
                                         << "0351 15 5551234"
                                         << "«$_»";
        QTest::newRow("100 caracteres") << QString(100, QLatin1Char('x')) << "0351 15 5551234"
                                        << "100 caracteres";
        QTest::newRow("99 caracteres pasan") << QString(99, QLatin1Char('x')) << "0351 15 5551234"
                                             << "(no rechazado)";
        QTest::newRow("fijo") << "Oficina"
                              << "0800 555 1234"
                              << "no es un número de celular";
        QTest::newRow("sin número") << "Nadie"
                                    << ""
                                    << "no tiene un número de teléfono";
        QTest::newRow("otra operadora") << "Pepe"
                                        << "0414 1234567"
                                        << "otra operadora";
    }
    void rechazos()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, telefono);
        QFETCH(QString, motivo);
        ContactoLeido c;
        c.nombre = nombre;
        c.linea = 7;
        if (!telefono.isEmpty())
            c.telefonos.append({telefono, true, false});
        VistaPreviaImportacion v;
        const RegionNumeros region =
            telefono.startsWith(QLatin1String("0414")) ? RegionNumeros::Venezuela : RegionNumeros::Argentina;
        QVERIFY(PrepararImportacion({c}, region, {}, &v));
        if (motivo == QLatin1String("(no rechazado)")) {
            QCOMPARE(v.filas.size(), 1);
            QVERIFY(v.rechazados.isEmpty());
            return;
        }
        QCOMPARE(v.filas.size(), 0);
        QCOMPARE(v.rechazados.size(), 1);
        QCOMPARE(v.rechazados.at(0).linea, 7);
        QVERIFY2(v.rechazados.at(0).motivo.contains(motivo), qPrintable(v.rechazados.at(0).motivo));
    }

    void conflictos()
    {
        const Contactos existentes = Existentes({"Ana", "Ana (2)", "Beto"});
        QByteArray archivo;
        for (const char *n : {"ana", "Beto", "Carla", "Carla", "Dora"})
            archivo += QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:") + n +
                       "\r\nTEL;TYPE=CELL:0351 15 5551234\r\nEND:VCARD\r\n";
        VistaPreviaImportacion v = Vista(archivo, existentes);
        QCOMPARE(v.filas.size(), 5);
        // Names compare as the store compares keys: "ana" is Ana.
        QVERIFY(v.filas.at(0).existe);
        QVERIFY(v.filas.at(1).existe);
        QVERIFY(!v.filas.at(2).existe);
        QVERIFY(v.filas.at(3).existe); // the second Carla of the file
        QVERIFY(!v.filas.at(4).existe);

        // A provider must be chosen for every Argentine contact that goes in.
        PlanGuardado plan = PlanificarGuardado(v, existentes);
        QCOMPARE(plan.sinProveedor, 5);
        QVERIFY(plan.pares.isEmpty());
        for (FilaImportacion &f : v.filas)
            f.proveedor = ProveedorPersonal;
        v.filas[4].incluir = false;

        // Skip (the default) leaves Ana, Beto and the first Carla as they are.
        plan = PlanificarGuardado(v, existentes);
        QCOMPARE(plan.importados, 1);
        QCOMPARE(plan.omitidos, 4);
        QCOMPARE(plan.pares.size(), 1);
        QCOMPARE(plan.pares.at(0).first, QStringLiteral("Carla"));

        // "Nombre (2)", past the names taken; replace writes under the existing name.
        v.filas[0].accion = AccionConflicto::Renombrar;
        v.filas[1].accion = AccionConflicto::Reemplazar;
        v.filas[3].accion = AccionConflicto::Renombrar;
        plan = PlanificarGuardado(v, existentes);
        QStringList nombres;
        for (const auto &par : std::as_const(plan.pares)) {
            nombres.append(par.first);
            // Every record carries the name it is stored under.
            QCOMPARE(LeerCampo(par.second, MarcaNombre), par.first);
        }
        QCOMPARE(nombres, (QStringList{"ana (3)", "Beto", "Carla", "Carla (2)"}));
        QCOMPARE(plan.importados, 4);
        QCOMPARE(plan.omitidos, 1);
        QCOMPARE(plan.pares.at(1).second, QStringLiteral("$_NO04Beto$_PR20Argentina - Personal$_CA03351$_NU075551234"));
    }

    void reemplazarDosVecesEnElMismoArchivo()
    {
        QByteArray archivo;
        for (const char *tel : {"0351 15 5551234", "0351 15 5559999"})
            archivo += QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Eva\r\nTEL;TYPE=CELL:") + tel + "\r\nEND:VCARD\r\n";
        VistaPreviaImportacion v = Vista(archivo);
        for (FilaImportacion &f : v.filas) {
            f.proveedor = ProveedorClaro;
            f.accion = AccionConflicto::Reemplazar;
        }
        const PlanGuardado plan = PlanificarGuardado(v, {});
        QCOMPARE(plan.pares.size(), 1);
        QCOMPARE(plan.importados, 1);
        QCOMPARE(LeerCampo(plan.pares.at(0).second, MarcaNumero), QStringLiteral("5559999"));
    }

    void nombreLibreNoPasaDe99()
    {
        QCOMPARE(NombreLibre(QStringLiteral("Ana"), {}), QStringLiteral("Ana (2)"));
        QCOMPARE(NombreLibre(QString(95, QLatin1Char('a')), {}).size(), 99);
        QVERIFY(NombreLibre(QString(96, QLatin1Char('a')), {}).isEmpty());
    }

    void cancelarLaVistaPrevia()
    {
        QList<ContactoLeido> muchos;
        for (int i = 0; i < 1000; ++i)
            muchos.append(
                {QStringLiteral("C%1").arg(i), {{QStringLiteral("0351 15 5551234"), true, false}}, {}, {}, i});
        VistaPreviaImportacion v;
        int llamadas = 0;
        QVERIFY(!PrepararImportacion(muchos, RegionNumeros::Argentina, {}, &v, [&llamadas](int hechos) {
            ++llamadas;
            return hechos < 500;
        }));
        QCOMPARE(llamadas, 2);
        QVERIFY(v.filas.isEmpty());
    }

    void exportarYVolverAImportar()
    {
        Contactos agenda;
        const CamposContacto campos[] = {
            {QStringLiteral("Juan Pérez"), ProveedorPersonal, QStringLiteral("351"), QStringLiteral("5551234")},
            {QStringLiteral("Ñoño; con, comas\\ y barra"), ProveedorClaro, QStringLiteral("11"),
             QStringLiteral("41234567")},
            // libphonenumber groups 3833 as 383; the area code as stored comes back all the same.
            {QStringLiteral("Catamarca"), ProveedorClaro, QStringLiteral("3833"), QStringLiteral("123456")},
            {QStringLiteral("Pedro"), ProveedorMovilnet, QStringLiteral("26"), QStringLiteral("7654321")},
            {QStringLiteral("Nombre larguísimo que pasa de los setenta y cinco octetos de una línea de vCard ñññ"),
             ProveedorPersonal, QStringLiteral("2966"), QStringLiteral("123456")},
            {QStringLiteral("Alias"), ProveedorClaro, QStringLiteral("alias"), QStringLiteral("juancito")},
        };
        for (const CamposContacto &c : campos) {
            QString registro;
            QVERIFY(EscribirRegistro(c, &registro, nullptr));
            agenda.append({c.nombre, registro});
        }
        ResumenVCard resumen;
        const QByteArray vcf = EscribirVCard(agenda, &resumen);
        QCOMPARE(resumen.escritos, 5);
        QCOMPARE(resumen.omitidos, 1); // the alias has no number a phone can call
        QVERIFY(vcf.startsWith("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Juan P\xC3\xA9rez\r\nTEL;VALUE=uri;TYPE=cell:"
                               "tel:+5493515551234\r\n"));
        for (const QByteArray &linea : vcf.split('\n'))
            QVERIFY(linea.size() <= 76); // 75 octets and the CR

        const VistaPreviaImportacion v = Vista(vcf);
        QVERIFY(v.rechazados.isEmpty());
        QCOMPARE(v.filas.size(), 5);
        const PlanGuardado plan = PlanificarGuardado(v, {});
        QCOMPARE(plan.pares.size(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(plan.pares.at(i).first, agenda.at(i).nombre);
            QCOMPARE(plan.pares.at(i).second, agenda.at(i).registro);
        }
    }
};

QTEST_APPLESS_MAIN(tst_ImportarContactos)
#include "tst_importarcontactos.moc"

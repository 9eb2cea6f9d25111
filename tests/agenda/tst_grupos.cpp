// Groups of contacts in section "Grupos1.0": the stored value, the operations
// of the address book window, a contact renamed or deleted, the recipients.
#include <QTest>

#include "agenda/grupos.h"
#include "dobles/ajustesmemoria.h"
#include "envio/colaenvio.h"

using namespace Agenda;

class TstGrupos : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void valor_data();
    void valor();
    void operaciones_data();
    void operaciones();
    void agendaCambia();
    void destinatarios();
    void textoPara_data();
    void textoPara();
    void expandir();
};

void TstGrupos::valor_data()
{
    QTest::addColumn<QStringList>("miembros");
    QTest::addColumn<QString>("valor");
    QTest::newRow("vacio") << QStringList{} << "";
    QTest::newRow("dos") << QStringList{"Ana", "Juan Pérez"} << "3:Ana10:Juan Pérez";
    QTest::newRow("signos del formato") << QStringList{"a:1", "2:b\"c", "$_NO"} << "3:a:15:2:b\"c4:$_NO";
    QTest::newRow("nombre en blanco") << QStringList{" "} << "1: ";
}

void TstGrupos::valor()
{
    QFETCH(QStringList, miembros);
    QFETCH(QString, valor);
    QCOMPARE(EscribirMiembros(miembros), valor);
    QStringList leidos;
    QVERIFY(LeerMiembros(valor, &leidos));
    QCOMPARE(leidos, miembros);
    // A cut value does not read back whole, but keeps the members before the cut.
    if (!valor.isEmpty()) {
        QVERIFY(!LeerMiembros(valor.chopped(1), &leidos));
        QCOMPARE(leidos, miembros.mid(0, miembros.size() - 1));
    }
    QVERIFY(!LeerMiembros(QStringLiteral("x:Ana"), &leidos));
    QVERIFY(!LeerMiembros(QStringLiteral("-1:Ana"), &leidos));
}

// Each step "operation|argument|argument", then the groups as "name=a,b; ..." and the error.
void TstGrupos::operaciones_data()
{
    QTest::addColumn<QStringList>("pasos");
    QTest::addColumn<QString>("grupos");
    QTest::addColumn<QString>("error");
    QTest::newRow("crear y agregar") << QStringList{"crear|Familia", "agregar|Familia|Ana,Juan",
                                                    "agregar|familia|ANA,Eva"}
                                     << "Familia=Ana,Juan,Eva"
                                     << "";
    QTest::newRow("crear repetido") << QStringList{"crear|Familia", "crear|FAMILIA"} << "Familia="
                                    << "Ya existe un grupo llamado FAMILIA";
    QTest::newRow("nombre vacio") << QStringList{"crear|  "} << ""
                                  << "Escriba el nombre del grupo por favor";
    QTest::newRow("nombre con comillas") << QStringList{"crear|Los \"Primos\""} << ""
                                         << "El nombre del grupo no puede contener comillas dobles";
    QTest::newRow("nombre largo") << QStringList{"crear|" + QString(65, u'g')} << ""
                                  << "El nombre del grupo no puede tener más de 64 caracteres";
    QTest::newRow("renombrar") << QStringList{"crear|A", "agregar|A|Ana", "crear|B", "renombrar|A|C"} << "B=; C=Ana"
                               << "";
    QTest::newRow("renombrar solo mayusculas")
        << QStringList{"crear|amigos", "agregar|amigos|Ana", "renombrar|amigos|Amigos"} << "Amigos=Ana"
        << "";
    QTest::newRow("renombrar sobre otro") << QStringList{"crear|A", "crear|B", "renombrar|A|b"} << "A=; B="
                                          << "Ya existe un grupo llamado b";
    QTest::newRow("renombrar el que no esta") << QStringList{"renombrar|X|Y"} << ""
                                              << "El grupo X ya no existe";
    QTest::newRow("quitar y eliminar") << QStringList{"crear|A", "agregar|A|Ana,Juan", "quitar|A|juan", "crear|B",
                                                      "eliminar|B"}
                                       << "A=Ana"
                                       << "";
    QTest::newRow("agregar al que no esta") << QStringList{"agregar|X|Ana"} << ""
                                            << "El grupo X ya no existe";
    QTest::newRow("no se puede guardar") << QStringList{"falla", "crear|A"} << ""
                                         << "No se pudo guardar el grupo A.";
}

void TstGrupos::operaciones()
{
    QFETCH(QStringList, pasos);
    AjustesMemoria ajustes;
    Grupos grupos(ajustes);
    QString error;
    for (const QString &paso : pasos) {
        const QStringList p = paso.split(u'|');
        const QString op = p.at(0);
        if (op == "falla")
            ajustes.fallarEscrituras = true;
        else if (op == "crear")
            grupos.crear(p.at(1), &error);
        else if (op == "renombrar")
            grupos.renombrar(p.at(1), p.at(2), &error);
        else if (op == "eliminar")
            grupos.eliminar(p.at(1), &error);
        else if (op == "agregar")
            grupos.agregar(p.at(1), p.at(2).split(u','), &error);
        else if (op == "quitar")
            grupos.quitar(p.at(1), p.at(2), &error);
    }
    QStringList texto;
    for (const Grupo &g : grupos.todos())
        texto.append(g.nombre + u'=' + g.miembros.join(u','));
    texto.sort();
    QTEST(texto.join(QStringLiteral("; ")), "grupos");
    QTEST(error, "error");
    // Only the new section is written.
    QVERIFY(ajustes.enumerar(QStringLiteral("Agenda1.0")).isEmpty());
}

void TstGrupos::agendaCambia()
{
    AjustesMemoria ajustes;
    Grupos grupos(ajustes);
    QVERIFY(grupos.crear(QStringLiteral("A"), nullptr));
    QVERIFY(grupos.crear(QStringLiteral("B"), nullptr));
    QVERIFY(grupos.agregar(QStringLiteral("A"), {"Ana", "Juan", "Luis"}, nullptr));
    QVERIFY(grupos.agregar(QStringLiteral("B"), {"Juan", "Eva"}, nullptr));
    grupos.contactoRenombrado(QStringLiteral("juan"), QStringLiteral("Juan Pérez"));
    QCOMPARE(grupos.miembros("A"), (QStringList{"Ana", "Juan Pérez", "Luis"}));
    QCOMPARE(grupos.miembros("B"), (QStringList{"Juan Pérez", "Eva"}));
    // Renamed onto a member that was overwritten: once.
    grupos.contactoRenombrado(QStringLiteral("Ana"), QStringLiteral("Luis"));
    QCOMPARE(grupos.miembros("A"), (QStringList{"Juan Pérez", "Luis"}));
    grupos.contactoEliminado(QStringLiteral("JUAN PÉREZ"));
    QCOMPARE(grupos.miembros("A"), QStringList{"Luis"});
    QCOMPARE(grupos.miembros("B"), QStringList{"Eva"});
    QVERIFY(grupos.existe("b"));
}

void TstGrupos::destinatarios()
{
    const Contactos contactos{
        {"Ana", "$_NO03Ana$_PR17Argentina - Claro$_CA03351$_NU075551234"},
        {"Rota", "$_NO04Rota$_PR17Argentina - Claro$_CA0"},
        {"Alias", "$_NO05Alias$_PR20Argentina - Personal$_CA05alias$_NU04pepe"},
        {"Letras", "$_NO06Letras$_PR17Argentina - Claro$_CA03351$_NU07555abcd"},
    };
    const QList<DestinatarioCola> d = DestinatariosDeContactos(contactos, {"ana", "Rota", "Alias", "Letras", "Nadie"});
    QCOMPARE(d.size(), 5);
    QCOMPARE(d.at(0).nombre, "Ana");
    QCOMPARE(d.at(0).proveedor, "Argentina - Claro");
    QCOMPARE(d.at(0).destino.codArea + d.at(0).destino.numero, "3515551234");
    QCOMPARE(d.at(0).motivo, "");
    QCOMPARE(d.at(1).motivo, "Los datos guardados del contacto están dañados");
    QCOMPARE(d.at(2).motivo, "El contacto tiene un alias, que su proveedor no acepta");
    QCOMPARE(d.at(3).motivo, "El número del contacto tiene caracteres que no son dígitos");
    QCOMPARE(d.at(4).motivo, "El contacto no está en la Agenda");
}

void TstGrupos::textoPara_data()
{
    QTest::addColumn<QStringList>("nombres");
    QTest::addColumn<int>("mostrados");
    QTest::addColumn<QString>("texto");
    QTest::newRow("dos") << QStringList{"Juan", "Ana"} << 2 << "Para: Juan y Ana";
    QTest::newRow("todos caben") << QStringList{"Juan", "Ana", "Eva"} << 5 << "Para: Juan, Ana y Eva";
    QTest::newRow("y 3 mas") << QStringList{"Juan", "Ana", "Eva", "Luis", "Pia"} << 2 << "Para: Juan, Ana y 3 más";
    QTest::newRow("al menos uno") << QStringList{"Juan", "Ana"} << 0 << "Para: Juan y 1 más";
}

void TstGrupos::textoPara()
{
    QFETCH(QStringList, nombres);
    QFETCH(int, mostrados);
    QTEST(TextoPara(nombres, mostrados), "texto");
}

void TstGrupos::expandir()
{
    AjustesMemoria ajustes;
    Grupos grupos(ajustes);
    grupos.crear("Amigos", nullptr);
    grupos.agregar("Amigos", {"Ana", "Borrado", "Luis"}, nullptr);
    grupos.crear("Vacío", nullptr);
    const Contactos contactos{{"Ana", {}}, {"Luis", {}}, {"Eva", {}}};
    QString problema;
    QCOMPARE(ExpandirDestinatarios(contactos, grupos, {"eva", "Nadie"}, {"amigos"}, &problema),
             (QStringList{"Eva", "Ana", "Luis"}));
    QCOMPARE(problema, "");
    QCOMPARE(ExpandirDestinatarios(contactos, grupos, {"Ana"}, {"Vacío", "Otro"}, &problema), QStringList{"Ana"});
    QCOMPARE(problema, "El grupo Vacío no tiene contactos. Agregue contactos al grupo antes de escribirle.");
    problema.clear();
    QVERIFY(ExpandirDestinatarios(contactos, grupos, {}, {"Otro"}, &problema).isEmpty());
    QCOMPARE(problema, "No existe el grupo Otro en la Agenda.");
}

QTEST_APPLESS_MAIN(TstGrupos)
#include "tst_grupos.moc"

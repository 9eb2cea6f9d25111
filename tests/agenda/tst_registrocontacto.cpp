// The contact record: reading fields, writing records, lookups, quick slots and
// the rename of older provider names.
#include <QRandomGenerator>
#include <QTest>

#include "agenda/registrocontacto.h"

using namespace Agenda;

namespace {

Contactos DosContactos()
{
    return {{QStringLiteral("Juan"), QStringLiteral("$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU075551234")},
            {QStringLiteral("Pin"), QStringLiteral("$_NO03Pin$_PR20Venezuela - Movilnet$_CA05alias$_NU04AB12")}};
}

} // namespace

class TstRegistroContacto : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void longitud_data();
    void longitud();
    void escribeElEjemplo();
    void escribeYLeeLargos_data();
    void escribeYLeeLargos();
    void rechazaCampoDeCienOMas_data();
    void rechazaCampoDeCienOMas();
    void leeRegistroDefectuoso_data();
    void leeRegistroDefectuoso();
    void buscaPorNumero_data();
    void buscaPorNumero();
    void buscaConMarcasEnOtraGrafia();
    void indiceIgualQueElRecorrido();
    void buscaPorAlias_data();
    void buscaPorAlias();
    void buscaPorNombre_data();
    void buscaPorNombre();
    void datosNumericos_data();
    void datosNumericos();
    void rapidas();
    void rapidasSinLecturaNoBorran();
    void rapidaDiezEsLaDiez();
    void renombraProveedores_data();
    void renombraProveedores();
    void noRenombraRegistrosIncompletos_data();
    void noRenombraRegistrosIncompletos();
    void problemaCampos_data();
    void problemaCampos();
    void contactoImportado_data();
    void contactoImportado();
};

void TstRegistroContacto::longitud_data()
{
    QTest::addColumn<int>("largo");
    QTest::addColumn<QString>("cortada");
    QTest::addColumn<QString>("sinCortar");
    QTest::newRow("0") << 0 << "00"
                       << "00";
    QTest::newRow("4") << 4 << "04"
                       << "04";
    QTest::newRow("9") << 9 << "09"
                       << "09";
    QTest::newRow("10") << 10 << "10"
                        << "10";
    QTest::newRow("99") << 99 << "99"
                        << "99";
    QTest::newRow("123") << 123 << "23"
                         << "123";
}

void TstRegistroContacto::longitud()
{
    QFETCH(int, largo);
    QFETCH(QString, cortada);
    QFETCH(QString, sinCortar);
    QCOMPARE(LongitudCampo(largo), cortada);
    QCOMPARE(LongitudSinCortar(largo), sinCortar);
}

void TstRegistroContacto::escribeElEjemplo()
{
    QString registro, error;
    QVERIFY(EscribirRegistro({QStringLiteral("Juan"), QStringLiteral("Argentina - Personal"), QStringLiteral("351"),
                              QStringLiteral("5551234")},
                             &registro, &error));
    QCOMPARE(registro, QStringLiteral("$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU075551234"));
    QVERIFY(error.isEmpty());

    QVERIFY(EscribirRegistro(
        {QStringLiteral("X"), QStringLiteral("Venezuela - Movilnet"), QStringLiteral("alias"), QStringLiteral("k")},
        &registro, &error));
    QVERIFY(registro.contains(QStringLiteral("$_CA05alias")));

    // Only possible by import: empty area code and number.
    QVERIFY(EscribirRegistro({QStringLiteral("Y"), QStringLiteral("Argentina - Claro"), {}, {}}, &registro, &error));
    QVERIFY(registro.contains(QStringLiteral("$_CA00$_NU00")));

    // "$_" in any field would read back as another field: refused with the field named.
    const QString conMarca = QStringLiteral("a$_NU02xy");
    const CamposContacto conMarcas[] = {{conMarca, QStringLiteral("p"), {}, {}},
                                        {QStringLiteral("n"), conMarca, {}, {}},
                                        {QStringLiteral("n"), QStringLiteral("p"), conMarca, {}},
                                        {QStringLiteral("n"), QStringLiteral("p"), {}, conMarca}};
    const char *nombres[] = {"el nombre", "el proveedor", "el código de área", "el número o alias"};
    for (int i = 0; i < 4; ++i) {
        registro = QStringLiteral("sin tocar");
        QVERIFY(!EscribirRegistro(conMarcas[i], &registro, &error));
        QCOMPARE(registro, QStringLiteral("sin tocar"));
        QVERIFY2(error.contains(QString::fromUtf8(nombres[i]) + QStringLiteral(" contiene «$_»")), qPrintable(error));
    }
}

void TstRegistroContacto::escribeYLeeLargos_data()
{
    QTest::addColumn<int>("largo");
    QTest::addColumn<QString>("prefijo");
    QTest::newRow("9") << 9 << "$_NO09";
    QTest::newRow("10") << 10 << "$_NO10";
    QTest::newRow("99") << 99 << "$_NO99";
}

void TstRegistroContacto::escribeYLeeLargos()
{
    QFETCH(int, largo);
    QFETCH(QString, prefijo);
    const QString nombre = QString(largo, QLatin1Char('n'));
    const CamposContacto campos{nombre, QStringLiteral("Argentina - Claro"), QStringLiteral("11"),
                                QString(largo, QLatin1Char('7'))};
    QString registro;
    QVERIFY(EscribirRegistro(campos, &registro, nullptr));
    QVERIFY(registro.startsWith(prefijo + nombre + QStringLiteral("$_PR17")));
    CamposContacto leidos;
    QVERIFY(LeerCampos(registro, &leidos));
    QCOMPARE(leidos.nombre, campos.nombre);
    QCOMPARE(leidos.proveedor, campos.proveedor);
    QCOMPARE(leidos.codArea, campos.codArea);
    QCOMPARE(leidos.numero, campos.numero);
}

void TstRegistroContacto::rechazaCampoDeCienOMas_data()
{
    QTest::addColumn<int>("campo");
    QTest::addColumn<int>("largo");
    QTest::addColumn<QString>("enMensaje");
    QTest::newRow("nombre 100") << 0 << 100 << "el nombre tiene 100 caracteres";
    QTest::newRow("proveedor 123") << 1 << 123 << "el proveedor tiene 123 caracteres";
    QTest::newRow("codigo 100") << 2 << 100 << "el código de área tiene 100";
    QTest::newRow("numero 10000") << 3 << 10000 << "el número o alias tiene 10000";
}

void TstRegistroContacto::rechazaCampoDeCienOMas()
{
    QFETCH(int, campo);
    QFETCH(int, largo);
    QFETCH(QString, enMensaje);
    CamposContacto c{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("1"), QStringLiteral("2")};
    QString *destino[] = {&c.nombre, &c.proveedor, &c.codArea, &c.numero};
    *destino[campo] = QString(largo, QLatin1Char('x'));
    QString registro = QStringLiteral("sin tocar");
    QString error;
    QVERIFY(!EscribirRegistro(c, &registro, &error));
    QCOMPARE(registro, QStringLiteral("sin tocar"));
    QVERIFY2(error.contains(enMensaje), qPrintable(error));
    QVERIFY(error.contains(QStringLiteral("como máximo 99")));
}

void TstRegistroContacto::leeRegistroDefectuoso_data()
{
    QTest::addColumn<QString>("registro");
    QTest::addColumn<QString>("marca");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("completo");
    QTest::newRow("bien") << "$_NO04Juan$_PR01x"
                          << "$_NO"
                          << "Juan" << true;
    QTest::newRow("marca en minusculas") << "$_no04Juan"
                                         << "$_NO"
                                         << "Juan" << true;
    QTest::newRow("sin marca") << "$_NO04Juan"
                               << "$_NU"
                               << "" << false;
    QTest::newRow("largo pasa del final") << "$_NO09Juan"
                                          << "$_NO"
                                          << "Juan" << false;
    QTest::newRow("letras en el largo") << "$_NOx4Juan"
                                        << "$_NO"
                                        << "" << false;
    QTest::newRow("largo de un digito al final") << "$_NO4"
                                                 << "$_NO"
                                                 << "" << false;
    QTest::newRow("marca sola") << "$_NO"
                                << "$_NO"
                                << "" << false;
    QTest::newRow("primera aparicion") << "$_NU02ab$_NU03xyz"
                                       << "$_NU"
                                       << "ab" << true;
    QTest::newRow("largo cero") << "$_CA00$_NU00"
                                << "$_CA"
                                << "" << true;
    QTest::newRow("valor enorme") << QStringLiteral("$_NO50") + QString(10000, QLatin1Char('z')) << "$_NO"
                                  << QString(50, QLatin1Char('z')) << true;
}

void TstRegistroContacto::leeRegistroDefectuoso()
{
    QFETCH(QString, registro);
    QFETCH(QString, marca);
    QFETCH(QString, texto);
    QFETCH(bool, completo);
    bool leido = !completo;
    QCOMPARE(LeerCampo(registro, marca, &leido), texto);
    QCOMPARE(leido, completo);
}

void TstRegistroContacto::buscaPorNumero_data()
{
    QTest::addColumn<QString>("codArea");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<int>("fila");
    QTest::newRow("exacto") << "351"
                            << "5551234" << 0;
    QTest::newRow("mismos digitos, otros largos") << "35"
                                                  << "15551234" << -1;
    QTest::newRow("otro numero") << "351"
                                 << "5551235" << -1;
    QTest::newRow("solo numero") << ""
                                 << "5551234" << -1;
    QTest::newRow("alias no es numero") << ""
                                        << "AB12" << -1;
}

void TstRegistroContacto::buscaPorNumero()
{
    QFETCH(QString, codArea);
    QFETCH(QString, numero);
    QFETCH(int, fila);
    QCOMPARE(BuscarPorNumero(DosContactos(), codArea, numero), fila);
    QCOMPARE(BuscarPorNumero(Contactos{}, codArea, numero), -1);
    IndiceContactos indice;
    QCOMPARE(indice.buscarPorNumero(DosContactos(), codArea, numero), fila);
    QCOMPARE(indice.buscarPorNumero(Contactos{}, codArea, numero), -1);
}

void TstRegistroContacto::buscaConMarcasEnOtraGrafia()
{
    const Contactos c{// The number's text inside the name, not after a number marker: no match.
                      {QStringLiteral("Raro"), QStringLiteral("$_NO09075551234$_PR01x$_CA03351$_NU011")},
                      {QStringLiteral("Juan"), QStringLiteral("$_no04Juan$_pr01x$_ca03351$_nu075551234")},
                      {QStringLiteral("Pin"), QStringLiteral("$_NO03Pin$_PR01x$_CA05ALIAS$_NU04ab12")}};
    QCOMPARE(BuscarPorNumero(c, QStringLiteral("351"), QStringLiteral("5551234")), 1);
    QCOMPARE(BuscarPorNumero(c, QStringLiteral("351"), QStringLiteral("1")), 0);
    QCOMPARE(BuscarPorAlias(c, QStringLiteral("AB12")), 2);
    QCOMPARE(BuscarPorNombre(c, QStringLiteral("JUAN")), 1);
}

// Random records and queries built from the pieces that make lookups go wrong:
// markers in either case, lengths, digits, letters whose case folding is unusual
// (Kelvin sign, long s, dotless i), surrogates. The index must give the walk's answer.
void TstRegistroContacto::indiceIgualQueElRecorrido()
{
    const QStringList piezas{QStringLiteral("$_NU"),
                             QStringLiteral("$_nu"),
                             QStringLiteral("$_CA"),
                             QStringLiteral("$_ca"),
                             QStringLiteral("$_NO"),
                             QStringLiteral("$_no"),
                             QStringLiteral("$_PR"),
                             QStringLiteral("0"),
                             QStringLiteral("1"),
                             QStringLiteral("2"),
                             QStringLiteral("3"),
                             QStringLiteral("5"),
                             QStringLiteral("03"),
                             QStringLiteral("05"),
                             QStringLiteral("07"),
                             QStringLiteral("alias"),
                             QStringLiteral("ALIAS"),
                             QStringLiteral("ab"),
                             QStringLiteral("AB"),
                             QString(QChar(0x212A)),
                             QStringLiteral("k"),
                             QStringLiteral("K"),
                             QString(QChar(0x017F)),
                             QStringLiteral("s"),
                             QString(QChar(0x0131)),
                             QStringLiteral("I"),
                             QString::fromUcs4(U"\U0001F600"),
                             QString::fromUcs4(U"\U00010400"),
                             QString::fromUcs4(U"\U00010428"),
                             QStringLiteral("$"),
                             QStringLiteral("_")};
    QRandomGenerator azar(20261207);
    const auto texto = [&](int maximo) {
        QString t;
        const int n = static_cast<int>(azar.bounded(maximo + 1));
        for (int i = 0; i < n; ++i)
            t += piezas.at(static_cast<int>(azar.bounded(piezas.size())));
        return t;
    };
    const auto campo = [&](const QString &marca, const QString &valor) -> QString {
        return marca + LongitudCampo(valor.size()) + valor;
    };
    for (int ronda = 0; ronda < 300; ++ronda) {
        Contactos contactos;
        QStringList valores;
        const int filas = static_cast<int>(azar.bounded(1, 40));
        for (int i = 0; i < filas; ++i) {
            const QString nombre = texto(3), codArea = texto(2), numero = texto(3);
            valores << nombre << codArea << numero;
            const QString registro = azar.bounded(4) == 0
                                         ? texto(12)
                                         : campo(MarcaNombre, nombre) + campo(MarcaProveedor, texto(2)) +
                                               campo(azar.bounded(2) ? MarcaCodArea : QStringLiteral("$_ca"), codArea) +
                                               campo(MarcaNumero, numero) + texto(1);
            contactos.append({nombre, registro});
        }
        IndiceContactos indice;
        for (int consulta = 0; consulta < 60; ++consulta) {
            const bool conocido = azar.bounded(2) == 0;
            const auto valor = [&](int maximo) {
                return conocido ? valores.at(static_cast<int>(azar.bounded(valores.size()))) : texto(maximo);
            };
            const QString a = valor(2), b = valor(3);
            QCOMPARE(indice.buscarPorNumero(contactos, a, b), BuscarPorNumero(contactos, a, b));
            QCOMPARE(indice.buscarPorAlias(contactos, b), BuscarPorAlias(contactos, b));
            QCOMPARE(indice.buscarPorNombre(contactos, a), BuscarPorNombre(contactos, a));
        }
        // A changed list is noticed without being told.
        contactos[0].registro = campo(MarcaCodArea, QStringLiteral("351")) + campo(MarcaNumero, QStringLiteral("1"));
        QCOMPARE(indice.buscarPorNumero(contactos, QStringLiteral("351"), QStringLiteral("1")), 0);
    }
}

void TstRegistroContacto::buscaPorAlias_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<int>("fila");
    QTest::newRow("exacto") << "AB12" << 1;
    QTest::newRow("sin distinguir mayusculas") << "ab12" << 1;
    QTest::newRow("parte") << "AB1" << -1;
    QTest::newRow("numero de otro contacto") << "5551234" << -1;
}

void TstRegistroContacto::buscaPorAlias()
{
    QFETCH(QString, alias);
    QFETCH(int, fila);
    QCOMPARE(BuscarPorAlias(DosContactos(), alias), fila);
    QCOMPARE(IndiceContactos().buscarPorAlias(DosContactos(), alias), fila);
}

void TstRegistroContacto::buscaPorNombre_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("fila");
    QTest::newRow("Juan") << "Juan" << 0;
    QTest::newRow("juan") << "juan" << 0;
    QTest::newRow("Jua") << "Jua" << -1;
    QTest::newRow("Pin") << "Pin" << 1;
    QTest::newRow("nadie") << "Pedro" << -1;
}

void TstRegistroContacto::buscaPorNombre()
{
    QFETCH(QString, nombre);
    QFETCH(int, fila);
    QCOMPARE(BuscarPorNombre(DosContactos(), nombre), fila);
    QCOMPARE(IndiceContactos().buscarPorNombre(DosContactos(), nombre), fila);
}

void TstRegistroContacto::datosNumericos_data()
{
    QTest::addColumn<QString>("codArea");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<bool>("valido");
    QTest::newRow("digitos") << "351"
                             << "5551234" << true;
    QTest::newRow("vacios") << ""
                            << "" << true;
    QTest::newRow("blanco en el codigo") << "3 51"
                                         << "5551234" << false;
    QTest::newRow("letra en el numero") << "351"
                                        << "555a234" << false;
    QTest::newRow("alias") << "alias"
                           << "AB-12 x" << true;
    QTest::newRow("Alias no es alias") << "Alias"
                                       << "AB12" << false;
    QTest::newRow("digito arabe") << "351" << QString::fromUtf8("\u0661\u0662") << false;
}

void TstRegistroContacto::datosNumericos()
{
    QFETCH(QString, codArea);
    QFETCH(QString, numero);
    QFETCH(bool, valido);
    QCOMPARE(DatosNumericosValidos(codArea, numero), valido);
}

void TstRegistroContacto::rapidas()
{
    std::array<QString, 10> guardadas;
    guardadas[0] = QStringLiteral("Juan");
    guardadas[1] = QStringLiteral("Borrado");
    guardadas[2] = QStringLiteral("juan"); // names compare exactly
    const auto e = CalcularRapidas(DosContactos(), true, guardadas);
    QCOMPARE(e[0].texto, QStringLiteral("Juan"));
    QVERIFY(e[0].habilitada);
    QVERIFY(!e[0].borrarValor);
    QCOMPARE(e[1].texto, QStringLiteral("[Número Rápido 2]"));
    QVERIFY(!e[1].habilitada);
    QVERIFY(e[1].borrarValor);
    QVERIFY(!e[2].habilitada);
    QVERIFY(e[2].borrarValor);
    for (int i = 3; i < 10; ++i) {
        QCOMPARE(e[static_cast<size_t>(i)].texto, TextoRapidaVacia(i + 1));
        QVERIFY(!e[static_cast<size_t>(i)].habilitada);
        QVERIFY(!e[static_cast<size_t>(i)].borrarValor); // nothing stored, nothing to delete
    }

    // No contacts at all (read fine): every stored slot goes.
    const auto vacia = CalcularRapidas(Contactos{}, true, guardadas);
    QVERIFY(vacia[0].borrarValor);
    QVERIFY(!vacia[0].habilitada);
}

void TstRegistroContacto::rapidasSinLecturaNoBorran()
{
    std::array<QString, 10> guardadas;
    guardadas[0] = QStringLiteral("Juan");
    guardadas[9] = QStringLiteral("Pin");
    const auto e = CalcularRapidas(Contactos{}, false, guardadas);
    for (const EntradaRapida &entrada : e) {
        QVERIFY(!entrada.habilitada);
        QVERIFY(!entrada.borrarValor);
    }
}

void TstRegistroContacto::rapidaDiezEsLaDiez()
{
    QCOMPARE(ClaveRapida(10), QStringLiteral("Rapida10"));
    QCOMPARE(ClaveRapida(1), QStringLiteral("Rapida1"));
    QCOMPARE(TextoRapidaVacia(10), QStringLiteral("[Número Rápido 10]"));
    std::array<QString, 10> guardadas;
    guardadas[9] = QStringLiteral("Pin");
    const auto e = CalcularRapidas(DosContactos(), true, guardadas);
    QVERIFY(e[9].habilitada);
    QVERIFY(!e[0].habilitada);
}

void TstRegistroContacto::renombraProveedores_data()
{
    QTest::addColumn<QString>("antiguo");
    QTest::addColumn<QString>("nuevo");
    QTest::newRow("Personal 1") << "Argentina - Personal [Servidor #1]"
                                << "Argentina - Personal";
    QTest::newRow("Personal 2") << "Argentina - Personal [Servidor #2]"
                                << "Argentina - Personal";
    QTest::newRow("Personal 3") << "Argentina - Personal [Servidor #3]"
                                << "Argentina - Personal";
    QTest::newRow("CTI") << "Argentina - CTI Móvil"
                         << "Argentina - Claro";
    QTest::newRow("CTI 2") << "Argentina - CTI Móvil [Servidor #2]"
                           << "Argentina - Claro";
    QTest::newRow("Claro 2") << "Argentina - Claro [Servidor #2]"
                             << "Argentina - Claro";
    QTest::newRow("Movilnet queda") << "Venezuela - Movilnet"
                                    << "";
    QTest::newRow("Claro queda") << "Argentina - Claro"
                                 << "";
    QTest::newRow("otra grafia queda") << "argentina - cti móvil"
                                       << "";
}

void TstRegistroContacto::renombraProveedores()
{
    QFETCH(QString, antiguo);
    QFETCH(QString, nuevo);
    QCOMPARE(ProveedorActualizado(antiguo), nuevo);
    QString registro;
    QVERIFY(EscribirRegistro({QStringLiteral("Ana"), antiguo, QStringLiteral("11"), QStringLiteral("40001234")},
                             &registro, nullptr));
    CamposContacto campos;
    QString reescrito;
    QCOMPARE(ActualizarRegistroAntiguo(registro, &campos, &reescrito), !nuevo.isEmpty());
    if (!nuevo.isEmpty()) {
        QCOMPARE(reescrito, QStringLiteral("$_NO03Ana$_PR") + LongitudCampo(nuevo.size()) + nuevo +
                                QStringLiteral("$_CA0211$_NU0840001234"));
        QCOMPARE(campos.nombre, QStringLiteral("Ana"));
    }
}

void TstRegistroContacto::noRenombraRegistrosIncompletos_data()
{
    QTest::addColumn<QString>("registro");
    QTest::newRow("sin numero") << "$_NO03Ana$_PR21Argentina - CTI Móvil$_CA0211";
    QTest::newRow("largo pasa del final") << "$_NO03Ana$_PR21Argentina - CTI Móvil$_CA0211$_NU20123";
    QTest::newRow("letras en el largo") << "$_NOx3Ana$_PR21Argentina - CTI Móvil$_CA0211$_NU021";
    QTest::newRow("nombre de 123 cortado") << QStringLiteral("$_NO23") + QString(123, QLatin1Char('a')) +
                                                  QStringLiteral("$_PR21Argentina - CTI Móvil$_CA0211$_NU0212");
}

void TstRegistroContacto::noRenombraRegistrosIncompletos()
{
    QFETCH(QString, registro);
    QString reescrito = QStringLiteral("sin tocar");
    QVERIFY(!ActualizarRegistroAntiguo(registro, nullptr, &reescrito));
    QCOMPARE(reescrito, QStringLiteral("sin tocar"));
}

void TstRegistroContacto::problemaCampos_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("problema");
    QTest::newRow("normal") << "José Núñez"
                            << "5551234"
                            << "";
    QTest::newRow("blancos") << "   "
                             << "1"
                             << "";
    QTest::newRow("comilla") << "Juan \"el Loco\""
                             << "1"
                             << "el nombre contiene comillas dobles (\"), que no se pueden guardar en un archivo de "
                                "Agenda";
    QTest::newRow("marca en el nombre") << "Ana$_NU03999"
                                        << "1"
                                        << "el nombre contiene «$_», que la Agenda usa para separar los datos de cada "
                                           "contacto";
    QTest::newRow("marca en el numero") << "Ana"
                                        << "12$_"
                                        << "el número o alias contiene «$_», que la Agenda usa para separar los datos "
                                           "de cada contacto";
    QTest::newRow("dolar solo") << "Ana $ 5"
                                << "1"
                                << "";
    QTest::newRow("99") << QString(99, u'x') << "1"
                        << "";
    QTest::newRow("100") << QString(100, u'x') << "1"
                         << "el nombre tiene 100 caracteres y la Agenda admite como máximo 99";
    QTest::newRow("salto") << "Ana\nMaría"
                           << "1"
                           << "el nombre contiene caracteres de control";
}

void TstRegistroContacto::problemaCampos()
{
    QFETCH(QString, nombre);
    QFETCH(QString, numero);
    QFETCH(QString, problema);
    QCOMPARE(ProblemaCampos({nombre, QStringLiteral("Argentina - Claro"), QStringLiteral("11"), numero}), problema);
}

void TstRegistroContacto::contactoImportado_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("registro");
    QTest::addColumn<QString>("problema");
    const QString juan = QStringLiteral("$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU075551234");
    const QString largo(123, u'n');
    QTest::newRow("bien") << "Juan" << juan << "";
    QTest::newRow("danado se guarda") << "Juan"
                                      << "basura"
                                      << "";
    QTest::newRow("largo cortado se guarda si no es un campo largo") << "Juan"
                                                                     << "$_NO04Juanito$_PR00$_CA00$_NU00"
                                                                     << "";
    QTest::newRow("vacios") << "Juan"
                            << "$_NO04Juan$_PR20Argentina - Personal$_CA00$_NU00"
                            << "";
    QTest::newRow("sin nombre") << "" << juan << "el nombre está vacío";
    QTest::newRow("nombre de 100") << QString(100, u'a') << juan
                                   << "el nombre tiene 100 caracteres y la Agenda admite como máximo 99";
    QTest::newRow("numero de 123 con largo 23")
        << "Juan" << QStringLiteral("$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU23") + largo
        << "el número o alias tiene 123 caracteres y la Agenda admite como máximo 99";
    QTest::newRow("proveedor de 100 con largo 00")
        << "Juan" << QStringLiteral("$_NO04Juan$_PR00") + QString(100, u'p') + QStringLiteral("$_CA03351$_NU011")
        << "el proveedor tiene 100 caracteres y la Agenda admite como máximo 99";
    QTest::newRow("marca dentro del nombre") << "Ana$_CA01x"
                                             << "$_NO10Ana$_CA01x$_PR20Argentina - Personal$_CA03351$_NU011"
                                             << "el nombre contiene «$_», que la Agenda usa para separar los datos de "
                                                "cada contacto";
    QTest::newRow("marca dentro del numero") << "Ana"
                                             << "$_NO03Ana$_PR20Argentina - Personal$_CA03351$_NU031$_"
                                             << "el número o alias contiene «$_», que la Agenda usa para separar los "
                                                "datos de cada contacto";
    QTest::newRow("nombre cortado") << "Juan "
                                    << "$_NO11Juan "
                                    << "los datos del contacto están cortados, quizá por comillas dobles dentro del "
                                       "nombre";
    QTest::newRow("otro nombre en el registro") << "Juan" << QStringLiteral("$_NO04Pepe$_PR00$_CA03351$_NU011")
                                                << "los datos del contacto son de otro nombre («Pepe»)";
    QTest::newRow("el mismo nombre en otras mayúsculas") << "JUAN" << juan << "";
    // The rest of the record damaged: the name field still decides.
    QTest::newRow("otro nombre y el registro dañado después") << "Ana" << QStringLiteral("$_NO03Bob$_PR00$_CA00$_NU00x")
                                                              << "los datos del contacto son de otro nombre («Bob»)";
    QTest::newRow("otro nombre y el largo del proveedor mal")
        << "Ana" << QStringLiteral("$_NO03Bob$_PR25Argentina - Claro$_CA03351$_NU011")
        << "los datos del contacto son de otro nombre («Bob»)";
    QTest::newRow("otro nombre en minúsculas de marca")
        << "Ana" << QStringLiteral("x$_no03Bob") << "los datos del contacto son de otro nombre («Bob»)";
    QTest::newRow("el mismo nombre y el registro dañado después")
        << "ANA" << QStringLiteral("$_NO03Ana$_PR00$_CA00$_NU00x") << "";
    QTest::newRow("control en el registro") << "Ana" << QStringLiteral("$_NO03Ana\x01")
                                            << "los datos del contacto "
                                               "contienen caracteres de "
                                               "control";
}

void TstRegistroContacto::contactoImportado()
{
    QFETCH(QString, nombre);
    QFETCH(QString, registro);
    QFETCH(QString, problema);
    QCOMPARE(ProblemaContactoImportado(nombre, registro), problema);
}

QTEST_APPLESS_MAIN(TstRegistroContacto)
#include "tst_registrocontacto.moc"

// The contact dialog, driven by clicks and keys: provider rows, key filters,
// checks and both kinds of save.
#include <QSignalSpy>
#include <QTest>

#include "agenda/frmcontacto.h"
#include "agenda/registrocontacto.h"
#include "comun/contexto.h"
#include "dobles/ajustesmemoria.h"
#include "dobles/avisosguion.h"
#include "dobles/dialogosguion.h"
#include "dobles/instanciafalsa.h"
#include "dobles/sistemafalso.h"

namespace {

const QString Personal = QStringLiteral("Argentina - Personal");
const QString Claro = QStringLiteral("Argentina - Claro");
const QString Movilnet = QStringLiteral("Venezuela - Movilnet");

QString Registro(const QString &nombre, const QString &proveedor, const QString &ca, const QString &nu)
{
    QString r;
    Agenda::EscribirRegistro({nombre, proveedor, ca, nu}, &r, nullptr);
    return r;
}

ControlesFrmContacto ui(const frmContacto &d)
{
    return ControlesFrmContacto::buscar(d);
}

void pulsar(QWidget *boton)
{
    QTest::mouseClick(boton, Qt::LeftButton, {}, boton->rect().center());
}

// The user picks `proveedor` in the list with the arrow keys.
void elegirProveedor(frmContacto &d, const QString &proveedor)
{
    QComboBox *lista = ui(d).cboProveedor;
    const int indice = lista->findText(proveedor);
    QVERIFY(indice >= 0);
    if (lista->currentIndex() > indice)
        QTest::keyClick(lista, Qt::Key_Home);
    while (lista->currentIndex() < indice)
        QTest::keyClick(lista, Qt::Key_Down);
    QCOMPARE(lista->currentText(), proveedor);
}

} // namespace

class TstFrmContacto : public QObject
{
    Q_OBJECT
public:
    AjustesMemoria ajustes;
    DialogosGuion dialogos;
    SistemaFalso sistema;
    InstanciaFalsa instancia;
    AvisosGuion avisos;
    std::unique_ptr<Contexto> ctx;
    std::unique_ptr<frmContacto> dlg;
    int refrescos = 0;

private Q_SLOTS:
    void init()
    {
        ajustes = AjustesMemoria();
        dialogos.llamadas.clear();
        dialogos.respuestas.clear();
        sistema = SistemaFalso();
        ctx = std::make_unique<Contexto>(ajustes, dialogos, sistema, instancia, avisos, FabricaVistaWeb());
        ctx->direcciones.sitio = QStringLiteral("http://sitio.prueba");
        refrescos = 0;
        dlg = std::make_unique<frmContacto>(*ctx, [this] { ++refrescos; });
        dlg->ponerProveedores({Claro, Personal, Movilnet});
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    }
    void cleanup() { dlg.reset(); }

    void filasDelProveedor_data();
    void filasDelProveedor();
    void movilnetVaciaYArgentinaConserva();
    void proveedorDesconocidoNoSeSelecciona();
    void filtroDeTeclas_data();
    void filtroDeTeclas();
    void teclasReales();
    void controles_data();
    void controles();
    void agregaNuevo();
    void agregaNombreDeBlancos();
    void agregaExistentePregunta_data();
    void agregaExistentePregunta();
    void modificaYRenombra();
    void modificaSobreOtroExistente_data();
    void modificaSobreOtroExistente();
    void modificaSoloMayusculas();
    void modificaRespondiendoNo();
    void escrituraFallidaNoPierdeNada();
    void detectarProveedor();
    void cancelarVaciaAccion();
};

void TstFrmContacto::filasDelProveedor_data()
{
    QTest::addColumn<QString>("proveedor");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("codArea");
    QTest::addColumn<QString>("numero");
    QTest::newRow("Claro") << Claro << "Número:"
                           << "0"
                           << "15";
    QTest::newRow("Personal") << Personal << "Número:"
                              << "0"
                              << "15";
    QTest::newRow("Movilnet") << Movilnet << "Móvil:"
                              << "04"
                              << "-";
}

void TstFrmContacto::filasDelProveedor()
{
    QFETCH(QString, proveedor);
    QFETCH(QString, titulo);
    QFETCH(QString, codArea);
    QFETCH(QString, numero);
    elegirProveedor(*dlg, proveedor);
    QCOMPARE(ui(*dlg).lblNumTitulo->text(), titulo);
    QCOMPARE(ui(*dlg).lblCodArea->text(), codArea);
    QCOMPARE(ui(*dlg).lblNumero->text(), numero);
    QVERIFY(ui(*dlg).lblCodArea->isVisible());
    QVERIFY(ui(*dlg).txtCodArea->isVisible());
    QVERIFY(ui(*dlg).txtNumero->isVisible());
    // Only digits go into the boxes.
    QTest::keyClicks(ui(*dlg).txtCodArea, QStringLiteral("1a"));
    QTest::keyClicks(ui(*dlg).txtNumero, QStringLiteral("2b"));
    QCOMPARE(ui(*dlg).txtCodArea->text(), QStringLiteral("1"));
    QCOMPARE(ui(*dlg).txtNumero->text(), QStringLiteral("2"));
}

void TstFrmContacto::movilnetVaciaYArgentinaConserva()
{
    elegirProveedor(*dlg, Personal);
    QTest::keyClicks(ui(*dlg).txtCodArea, QStringLiteral("351"));
    QTest::keyClicks(ui(*dlg).txtNumero, QStringLiteral("5551234"));
    elegirProveedor(*dlg, Movilnet);
    QVERIFY(ui(*dlg).txtCodArea->text().isEmpty());
    QVERIFY(ui(*dlg).txtNumero->text().isEmpty());
    QTest::keyClicks(ui(*dlg).txtCodArea, QStringLiteral("16"));
    QTest::keyClicks(ui(*dlg).txtNumero, QStringLiteral("1234567"));
    elegirProveedor(*dlg, Claro);
    QCOMPARE(ui(*dlg).txtCodArea->text(), QStringLiteral("16"));
    QCOMPARE(ui(*dlg).txtNumero->text(), QStringLiteral("1234567"));
}

void TstFrmContacto::proveedorDesconocidoNoSeSelecciona()
{
    QVERIFY(!dlg->SeleccionarProveedor(QStringLiteral("Argentina - CTI Móvil")));
    QCOMPARE(ui(*dlg).cboProveedor->currentIndex(), -1);
    QCOMPARE(ui(*dlg).lblNumTitulo->text(), QStringLiteral("Número:"));
}

void TstFrmContacto::filtroDeTeclas_data()
{
    QTest::addColumn<int>("tecla");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("queda"); // the box held "12"
    QTest::addColumn<bool>("pitido");
    QTest::newRow("digito") << int(Qt::Key_7) << "7"
                            << "127" << false;
    QTest::newRow("letra") << int(Qt::Key_A) << "a"
                           << "12" << true;
    QTest::newRow("blanco") << int(Qt::Key_Space) << " "
                            << "12" << true;
    QTest::newRow("retroceso") << int(Qt::Key_Backspace) << "\b"
                               << "1" << false;
    QTest::newRow("tabulador") << int(Qt::Key_Tab) << "\t"
                               << "12" << false;
    QTest::newRow("enie") << int(Qt::Key_unknown) << "ñ"
                          << "12" << true;
}

void TstFrmContacto::filtroDeTeclas()
{
    QFETCH(int, tecla);
    QFETCH(QString, texto);
    QFETCH(QString, queda);
    QFETCH(bool, pitido);
    elegirProveedor(*dlg, Claro);
    dlg->ponerDatos(QString(), QStringLiteral("12"), QStringLiteral("12"));
    for (QLineEdit *caja : {ui(*dlg).txtCodArea, ui(*dlg).txtNumero}) {
        caja->setFocus();
        caja->end(false);
        QTest::sendKeyEvent(QTest::Click, caja, Qt::Key(tecla), texto, {});
        QCOMPARE(caja->text(), queda);
    }
    QCOMPARE(sistema.pitidos, pitido ? 2 : 0);
}

void TstFrmContacto::teclasReales()
{
    elegirProveedor(*dlg, Personal);
    ui(*dlg).txtNumero->setFocus();
    QTest::keyClicks(ui(*dlg).txtNumero, QStringLiteral("55a5-1"));
    QTest::sendKeyEvent(QTest::Click, ui(*dlg).txtNumero, Qt::Key_unknown, QStringLiteral("ñ"), {});
    QCOMPARE(ui(*dlg).txtNumero->text(), QStringLiteral("5551"));
    QCOMPARE(sistema.pitidos, 3);
    QTest::keyClick(ui(*dlg).txtNumero, Qt::Key_Backspace);
    QCOMPARE(ui(*dlg).txtNumero->text(), QStringLiteral("555"));
    QCOMPARE(ui(*dlg).txtNombre->maxLength(), 60);
    QCOMPARE(ui(*dlg).txtCodArea->maxLength(), 6);
    QCOMPARE(ui(*dlg).txtNumero->maxLength(), 25);
}

void TstFrmContacto::controles_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<bool>("conProveedor");
    QTest::addColumn<QString>("codArea");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("mensaje");
    QTest::newRow("sin nombre") << "" << true << "1"
                                << "2"
                                << "Escriba el nombre del contacto por favor";
    QTest::newRow("sin proveedor") << "Ana" << false << "1"
                                   << "2"
                                   << "Seleccione el proveedor del contacto por favor";
    QTest::newRow("sin codigo") << "Ana" << true << ""
                                << "2"
                                << "Escriba el código de área del contacto por favor";
    QTest::newRow("sin numero") << "Ana" << true << "1"
                                << ""
                                << "Escriba el número o alias del contacto por favor";
    QTest::newRow("primero el nombre") << "" << false << ""
                                       << ""
                                       << "Escriba el nombre del contacto por favor";
    QTest::newRow("comilla") << "Juan \"Loco\"" << true << "1"
                             << "2"
                             << "No se puede guardar el contacto: el nombre contiene comillas dobles (\"), que no se "
                                "pueden guardar en un archivo de Agenda.";
    QTest::newRow("marca en el nombre") << "Ana$_NU0299" << true << "1"
                                        << "2"
                                        << "No se puede guardar el contacto: el nombre contiene «$_», que la Agenda "
                                           "usa para separar los datos de cada contacto.";
    QTest::newRow("marca en el alias") << "Ana" << true << "alias"
                                       << "PIN$_1"
                                       << "No se puede guardar el contacto: el número o alias contiene «$_», que la "
                                          "Agenda usa para separar los datos de cada contacto.";
}

void TstFrmContacto::controles()
{
    QFETCH(QString, nombre);
    QFETCH(bool, conProveedor);
    QFETCH(QString, codArea);
    QFETCH(QString, numero);
    QFETCH(QString, mensaje);
    dlg->prepararAgregar();
    if (conProveedor)
        elegirProveedor(*dlg, Claro);
    dlg->ponerDatos(nombre, codArea, numero);
    pulsar(ui(*dlg).cmdAceptar);
    QCOMPARE(dialogos.llamadas.size(), 1);
    QCOMPARE(dialogos.llamadas.at(0).texto, mensaje);
    QCOMPARE(dialogos.llamadas.at(0).titulo, QStringLiteral("NTX Mensajes - Agenda"));
    QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Informacion);
    QVERIFY(dlg->isVisible());
    QVERIFY(ajustes.enumerar(SeccionAgenda).isEmpty());
    QCOMPARE(refrescos, 0);
}

void TstFrmContacto::agregaNuevo()
{
    dlg->prepararAgregar();
    elegirProveedor(*dlg, Personal);
    dlg->ponerDatos(QStringLiteral("Juan"), QStringLiteral("351"), QStringLiteral("5551234"));
    pulsar(ui(*dlg).cmdAceptar);
    QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("Juan")),
             QStringLiteral("$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU075551234"));
    QVERIFY(dialogos.llamadas.isEmpty());
    QCOMPARE(refrescos, 1);
    QVERIFY(!dlg->isVisible());
    QVERIFY(dlg->accion().isEmpty());
}

void TstFrmContacto::agregaNombreDeBlancos()
{
    dlg->prepararAgregar();
    elegirProveedor(*dlg, Claro);
    dlg->ponerDatos(QStringLiteral("   "), QStringLiteral(" 11"), QStringLiteral("4"));
    pulsar(ui(*dlg).cmdAceptar);
    QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("   ")), Registro("   ", Claro, " 11", "4"));
}

void TstFrmContacto::agregaExistentePregunta_data()
{
    QTest::addColumn<bool>("si");
    QTest::newRow("si reemplaza") << true;
    QTest::newRow("no conserva") << false;
}

void TstFrmContacto::agregaExistentePregunta()
{
    QFETCH(bool, si);
    const QString viejo = Registro("Ana", Claro, "11", "1111");
    ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"), viejo);
    dialogos.respuestas.append(si ? Dialogos::Respuesta::Si : Dialogos::Respuesta::No);
    dlg->prepararAgregar();
    elegirProveedor(*dlg, Personal);
    dlg->ponerDatos(QStringLiteral("Ana"), QStringLiteral("22"), QStringLiteral("2222"));
    pulsar(ui(*dlg).cmdAceptar);
    QCOMPARE(dialogos.llamadas.size(), 1);
    QCOMPARE(dialogos.llamadas.at(0).texto,
             QStringLiteral("Ana ya está en la Agenda\r\n\r\n¿Está seguro que desea modificar los datos de Ana?"));
    QCOMPARE(dialogos.llamadas.at(0).titulo, QStringLiteral("Modificar contacto"));
    QCOMPARE(dialogos.llamadas.at(0).botones, Dialogos::Botones::SiNo);
    QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Pregunta);
    // A stray Enter keeps the contact that is there.
    QCOMPARE(dialogos.llamadas.at(0).predeterminada, Dialogos::Respuesta::No);
    QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("Ana")), si ? Registro("Ana", Personal, "22", "2222") : viejo);
    QCOMPARE(refrescos, si ? 1 : 0);
    QVERIFY(!dlg->isVisible());
}

void TstFrmContacto::modificaYRenombra()
{
    ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"), Registro("Ana", Claro, "11", "1111"));
    dialogos.respuestas.append(Dialogos::Respuesta::Si);
    dlg->prepararModificar(QStringLiteral("Ana"));
    elegirProveedor(*dlg, Claro);
    dlg->ponerDatos(QStringLiteral("Ana María"), QStringLiteral("11"), QStringLiteral("1111"));
    pulsar(ui(*dlg).cmdAceptar);
    QCOMPARE(dialogos.llamadas.at(0).texto, QStringLiteral("¿Está seguro que desea modificar los datos de Ana?"));
    const ParesAjustes pares = ajustes.enumerar(SeccionAgenda);
    QCOMPARE(pares.size(), 1);
    QCOMPARE(pares.at(0).first, QStringLiteral("Ana María"));
    QCOMPARE(pares.at(0).second, Registro("Ana María", Claro, "11", "1111"));
    QCOMPARE(refrescos, 1);
}

void TstFrmContacto::modificaSobreOtroExistente_data()
{
    QTest::addColumn<bool>("si");
    QTest::newRow("si reemplaza") << true;
    QTest::newRow("no conserva") << false;
}

void TstFrmContacto::modificaSobreOtroExistente()
{
    QFETCH(bool, si);
    const ParesAjustes antes{{QStringLiteral("Ana"), Registro("Ana", Claro, "11", "1111")},
                             {QStringLiteral("Luis"), Registro("Luis", Claro, "22", "2222")}};
    for (const auto &par : antes)
        ajustes.escribir(SeccionAgenda, par.first, par.second);
    dialogos.respuestas = {Dialogos::Respuesta::Si, si ? Dialogos::Respuesta::Si : Dialogos::Respuesta::No};
    dlg->prepararModificar(QStringLiteral("Ana"));
    elegirProveedor(*dlg, Claro);
    dlg->ponerDatos(QStringLiteral("Luis"), QStringLiteral("11"), QStringLiteral("1111"));
    pulsar(ui(*dlg).cmdAceptar);
    // Renaming onto another contact asks as adding does before that contact is replaced.
    QCOMPARE(dialogos.llamadas.size(), 2);
    QCOMPARE(dialogos.llamadas.at(0).texto, QStringLiteral("¿Está seguro que desea modificar los datos de Ana?"));
    QCOMPARE(dialogos.llamadas.at(1).texto,
             QStringLiteral("Luis ya está en la Agenda\r\n\r\n¿Está seguro que desea modificar los datos de Luis?"));
    QCOMPARE(dialogos.llamadas.at(1).titulo, QStringLiteral("Modificar contacto"));
    QCOMPARE(dialogos.llamadas.at(1).icono, Dialogos::Icono::Pregunta);
    if (si)
        QCOMPARE(ajustes.enumerar(SeccionAgenda),
                 (ParesAjustes{{QStringLiteral("Luis"), Registro("Luis", Claro, "11", "1111")}}));
    else
        QCOMPARE(ajustes.enumerar(SeccionAgenda), antes);
    QCOMPARE(refrescos, si ? 1 : 0);
    QVERIFY(!dlg->isVisible());
}

void TstFrmContacto::modificaSoloMayusculas()
{
    ajustes.escribir(SeccionAgenda, QStringLiteral("ana"), Registro("ana", Claro, "11", "1111"));
    dialogos.respuestas.append(Dialogos::Respuesta::Si);
    dlg->prepararModificar(QStringLiteral("ana"));
    elegirProveedor(*dlg, Claro);
    dlg->ponerDatos(QStringLiteral("Ana"), QStringLiteral("11"), QStringLiteral("1111"));
    pulsar(ui(*dlg).cmdAceptar);
    // The store treats both spellings as one value: the contact must survive the rename.
    const ParesAjustes pares = ajustes.enumerar(SeccionAgenda);
    QCOMPARE(pares.size(), 1);
    QCOMPARE(pares.at(0).first, QStringLiteral("Ana"));
    QCOMPARE(pares.at(0).second, Registro("Ana", Claro, "11", "1111"));
}

void TstFrmContacto::modificaRespondiendoNo()
{
    const QString viejo = Registro("Ana", Claro, "11", "1111");
    ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"), viejo);
    dialogos.respuestas.append(Dialogos::Respuesta::No);
    dlg->prepararModificar(QStringLiteral("Ana"));
    elegirProveedor(*dlg, Claro);
    dlg->ponerDatos(QStringLiteral("Otra"), QStringLiteral("1"), QStringLiteral("1"));
    pulsar(ui(*dlg).cmdAceptar);
    QCOMPARE(ajustes.enumerar(SeccionAgenda), (ParesAjustes{{QStringLiteral("Ana"), viejo}}));
    QVERIFY(!dlg->isVisible());
    QCOMPARE(refrescos, 0);
}

void TstFrmContacto::escrituraFallidaNoPierdeNada()
{
    const QString viejo = Registro("Ana", Claro, "11", "1111");
    ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"), viejo);
    ajustes.fallarEscrituras = true;
    dialogos.respuestas.append(Dialogos::Respuesta::Si);
    dlg->prepararModificar(QStringLiteral("Ana"));
    elegirProveedor(*dlg, Claro);
    dlg->ponerDatos(QStringLiteral("Luis"), QStringLiteral("1"), QStringLiteral("1"));
    pulsar(ui(*dlg).cmdAceptar);
    QCOMPARE(ajustes.enumerar(SeccionAgenda), (ParesAjustes{{QStringLiteral("Ana"), viejo}}));
    QCOMPARE(dialogos.llamadas.size(), 2);
    QCOMPARE(dialogos.llamadas.at(1).icono, Dialogos::Icono::Critico);
    QVERIFY(dlg->isVisible());
    QCOMPARE(refrescos, 0);
}

void TstFrmContacto::detectarProveedor()
{
    QTest::mouseClick(ui(*dlg).lblBuscarEmpresa, Qt::LeftButton, {}, ui(*dlg).lblBuscarEmpresa->rect().center());
    QCOMPARE(sistema.direccionesAbiertas, QStringList{QStringLiteral("http://sitio.prueba/ir/?id=25")});
}

void TstFrmContacto::cancelarVaciaAccion()
{
    dlg->prepararModificar(QStringLiteral("Ana"));
    QTest::mouseClick(ui(*dlg).cmdCancelar, Qt::LeftButton);
    QVERIFY(!dlg->isVisible());
    QVERIFY(dlg->accion().isEmpty());
    QVERIFY(ajustes.enumerar(SeccionAgenda).isEmpty());
}

QTEST_MAIN(TstFrmContacto)
#include "tst_frmcontacto.moc"

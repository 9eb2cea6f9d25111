// The contact dialog: provider rows, key filters, checks and both kinds of save.
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
        dlg->cboProveedor->addItems({Claro, Personal, Movilnet});
        dlg->cboProveedor->setCurrentIndex(-1);
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
    QVERIFY(dlg->SeleccionarProveedor(proveedor));
    QCOMPARE(dlg->lblNumTitulo->text(), titulo);
    QCOMPARE(dlg->lblCodArea->text(), codArea);
    QCOMPARE(dlg->lblNumero->text(), numero);
    QVERIFY(dlg->lblCodArea->isVisible());
    QVERIFY(dlg->txtCodArea->isVisible());
    QVERIFY(dlg->txtNumero->isVisible());
    QCOMPARE(dlg->txtCodAreaTag, QStringLiteral("numeros"));
    QCOMPARE(dlg->txtNumeroTag, QStringLiteral("numeros"));
}

void TstFrmContacto::movilnetVaciaYArgentinaConserva()
{
    QVERIFY(dlg->SeleccionarProveedor(Personal));
    dlg->txtCodArea->setText(QStringLiteral("351"));
    dlg->txtNumero->setText(QStringLiteral("5551234"));
    QVERIFY(dlg->SeleccionarProveedor(Movilnet));
    QVERIFY(dlg->txtCodArea->text().isEmpty());
    QVERIFY(dlg->txtNumero->text().isEmpty());
    dlg->txtCodArea->setText(QStringLiteral("16"));
    dlg->txtNumero->setText(QStringLiteral("1234567"));
    QVERIFY(dlg->SeleccionarProveedor(Claro));
    QCOMPARE(dlg->txtCodArea->text(), QStringLiteral("16"));
    QCOMPARE(dlg->txtNumero->text(), QStringLiteral("1234567"));
}

void TstFrmContacto::proveedorDesconocidoNoSeSelecciona()
{
    QVERIFY(!dlg->SeleccionarProveedor(QStringLiteral("Argentina - CTI Móvil")));
    QCOMPARE(dlg->cboProveedor->currentIndex(), -1);
    dlg->cboProveedor_Click(); // nothing selected: nothing happens
    QCOMPARE(dlg->lblNumTitulo->text(), QStringLiteral("Número:"));
}

void TstFrmContacto::filtroDeTeclas_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("queda");
    QTest::newRow("digito") << "numeros" << int('7') << int('7');
    QTest::newRow("letra") << "numeros" << int('a') << 0;
    QTest::newRow("blanco") << "numeros" << int(' ') << 0;
    QTest::newRow("retroceso") << "numeros" << 8 << 8;
    QTest::newRow("tabulador") << "numeros" << 9 << 9;
    QTest::newRow("enie") << "numeros" << 0xF1 << 0;
    QTest::newRow("letras admite") << "letras" << int('a') << int('a');
}

void TstFrmContacto::filtroDeTeclas()
{
    QFETCH(QString, tag);
    QFETCH(int, tecla);
    QFETCH(int, queda);
    dlg->txtCodAreaTag = tag;
    dlg->txtNumeroTag = tag;
    int a = tecla, b = tecla;
    dlg->txtCodArea_KeyPress(a);
    dlg->txtNumero_KeyPress(b);
    QCOMPARE(a, queda);
    QCOMPARE(b, queda);
    QCOMPARE(sistema.pitidos, queda == 0 ? 2 : 0);
}

void TstFrmContacto::teclasReales()
{
    QVERIFY(dlg->SeleccionarProveedor(Personal));
    dlg->txtNumero->setFocus();
    QTest::keyClicks(dlg->txtNumero, QStringLiteral("55a5-1"));
    QTest::sendKeyEvent(QTest::Click, dlg->txtNumero, Qt::Key_unknown, QStringLiteral("ñ"), {});
    QCOMPARE(dlg->txtNumero->text(), QStringLiteral("5551"));
    QCOMPARE(sistema.pitidos, 3);
    QTest::keyClick(dlg->txtNumero, Qt::Key_Backspace);
    QCOMPARE(dlg->txtNumero->text(), QStringLiteral("555"));
    QCOMPARE(dlg->txtNombre->maxLength(), 60);
    QCOMPARE(dlg->txtCodArea->maxLength(), 6);
    QCOMPARE(dlg->txtNumero->maxLength(), 25);
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
    dlg->Accion = QStringLiteral("Agregar");
    if (conProveedor)
        QVERIFY(dlg->SeleccionarProveedor(Claro));
    dlg->txtNombre->setText(nombre);
    dlg->txtCodArea->setText(codArea);
    dlg->txtNumero->setText(numero);
    dlg->cmdAceptar_Click();
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
    dlg->Accion = QStringLiteral("Agregar");
    QVERIFY(dlg->SeleccionarProveedor(Personal));
    dlg->txtNombre->setText(QStringLiteral("Juan"));
    dlg->txtCodArea->setText(QStringLiteral("351"));
    dlg->txtNumero->setText(QStringLiteral("5551234"));
    dlg->cmdAceptar_Click();
    QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("Juan")),
             QStringLiteral("$_NO04Juan$_PR20Argentina - Personal$_CA03351$_NU075551234"));
    QVERIFY(dialogos.llamadas.isEmpty());
    QCOMPARE(refrescos, 1);
    QVERIFY(!dlg->isVisible());
    QVERIFY(dlg->Accion.isEmpty());
}

void TstFrmContacto::agregaNombreDeBlancos()
{
    dlg->Accion = QStringLiteral("Agregar");
    QVERIFY(dlg->SeleccionarProveedor(Claro));
    dlg->txtNombre->setText(QStringLiteral("   "));
    dlg->txtCodArea->setText(QStringLiteral(" 11"));
    dlg->txtNumero->setText(QStringLiteral("4"));
    dlg->cmdAceptar_Click();
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
    dlg->Accion = QStringLiteral("Agregar");
    QVERIFY(dlg->SeleccionarProveedor(Personal));
    dlg->txtNombre->setText(QStringLiteral("Ana"));
    dlg->txtCodArea->setText(QStringLiteral("22"));
    dlg->txtNumero->setText(QStringLiteral("2222"));
    dlg->cmdAceptar_Click();
    QCOMPARE(dialogos.llamadas.size(), 1);
    QCOMPARE(dialogos.llamadas.at(0).texto,
             QStringLiteral("Ana ya está en la Agenda\r\n\r\n¿Está seguro que desea modificar los datos de Ana?"));
    QCOMPARE(dialogos.llamadas.at(0).titulo, QStringLiteral("Modificar contacto"));
    QCOMPARE(dialogos.llamadas.at(0).botones, Dialogos::Botones::SiNo);
    QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Pregunta);
    QCOMPARE(ajustes.leer(SeccionAgenda, QStringLiteral("Ana")), si ? Registro("Ana", Personal, "22", "2222") : viejo);
    QCOMPARE(refrescos, si ? 1 : 0);
    QVERIFY(!dlg->isVisible());
}

void TstFrmContacto::modificaYRenombra()
{
    ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"), Registro("Ana", Claro, "11", "1111"));
    dialogos.respuestas.append(Dialogos::Respuesta::Si);
    dlg->Accion = QStringLiteral("Modificar_Ana");
    QVERIFY(dlg->SeleccionarProveedor(Claro));
    dlg->txtNombre->setText(QStringLiteral("Ana María"));
    dlg->txtCodArea->setText(QStringLiteral("11"));
    dlg->txtNumero->setText(QStringLiteral("1111"));
    dlg->cmdAceptar_Click();
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
    dlg->Accion = QStringLiteral("Modificar_Ana");
    QVERIFY(dlg->SeleccionarProveedor(Claro));
    dlg->txtNombre->setText(QStringLiteral("Luis"));
    dlg->txtCodArea->setText(QStringLiteral("11"));
    dlg->txtNumero->setText(QStringLiteral("1111"));
    dlg->cmdAceptar_Click();
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
    dlg->Accion = QStringLiteral("Modificar_ana");
    QVERIFY(dlg->SeleccionarProveedor(Claro));
    dlg->txtNombre->setText(QStringLiteral("Ana"));
    dlg->txtCodArea->setText(QStringLiteral("11"));
    dlg->txtNumero->setText(QStringLiteral("1111"));
    dlg->cmdAceptar_Click();
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
    dlg->Accion = QStringLiteral("Modificar_Ana");
    QVERIFY(dlg->SeleccionarProveedor(Claro));
    dlg->txtNombre->setText(QStringLiteral("Otra"));
    dlg->txtCodArea->setText(QStringLiteral("1"));
    dlg->txtNumero->setText(QStringLiteral("1"));
    dlg->cmdAceptar_Click();
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
    dlg->Accion = QStringLiteral("Modificar_Ana");
    QVERIFY(dlg->SeleccionarProveedor(Claro));
    dlg->txtNombre->setText(QStringLiteral("Luis"));
    dlg->txtCodArea->setText(QStringLiteral("1"));
    dlg->txtNumero->setText(QStringLiteral("1"));
    dlg->cmdAceptar_Click();
    QCOMPARE(ajustes.enumerar(SeccionAgenda), (ParesAjustes{{QStringLiteral("Ana"), viejo}}));
    QCOMPARE(dialogos.llamadas.size(), 2);
    QCOMPARE(dialogos.llamadas.at(1).icono, Dialogos::Icono::Critico);
    QVERIFY(dlg->isVisible());
    QCOMPARE(refrescos, 0);
}

void TstFrmContacto::detectarProveedor()
{
    QTest::mouseClick(dlg->lblBuscarEmpresa, Qt::LeftButton);
    QCOMPARE(sistema.direccionesAbiertas, QStringList{QStringLiteral("http://sitio.prueba/ir/?id=25")});
}

void TstFrmContacto::cancelarVaciaAccion()
{
    dlg->Accion = QStringLiteral("Modificar_Ana");
    QTest::mouseClick(dlg->cmdCancelar, Qt::LeftButton);
    QVERIFY(!dlg->isVisible());
    QVERIFY(dlg->Accion.isEmpty());
    QVERIFY(ajustes.enumerar(SeccionAgenda).isEmpty());
}

QTEST_MAIN(TstFrmContacto)
#include "tst_frmcontacto.moc"

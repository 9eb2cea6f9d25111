// The import preview of contacts from other programs: what it lists and refuses,
// the provider and name-conflict choices, cancelling a long file, storing in one
// transaction (a failure leaves the address book as it was), the command around
// it (file dialog, files that are no contacts) and the vCard export.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "agenda/frmagenda.h"
#include "agenda/frmimportarcontactos.h"
#include "agenda/principalagenda.h"
#include "agenda/registrocontacto.h"
#include "dobles/contextoprueba.h"
#include "plataforma/ajustessqlite.h"

namespace {

class PrincipalFalsa final : public PrincipalAgenda
{
public:
    void NuevoContacto() override {}
    bool ModificarContacto(const QString &, const QString &, const QString &, const QString &) override { return true; }
    void EscribirAContacto(const QString &, const QString &, const QString &, const QString &) override {}
    void ActualizarAgenda() override { llamadas.append(QStringLiteral("Actualizar")); }
    void IniciarPanelContactos() override { llamadas.append(QStringLiteral("Panel")); }
    QWidget *ventana() override { return &principal; }
    QStringList llamadas;
    QWidget principal;
};

QByteArray Tarjeta(const QByteArray &nombre, const QByteArray &telefono)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + nombre + "\r\nTEL;TYPE=CELL:" + telefono + "\r\nEND:VCARD\r\n";
}

QByteArray Muestra()
{
    return Tarjeta("Ana", "0351 15 555-1234") + Tarjeta("Pepe", "+58 416 1234567") +
           Tarjeta("Juan \"el Flaco\"", "0351 15 555-9999") + Tarjeta("Oficina", "0800 555 1234") +
           Tarjeta("Luis", "+54 9 11 4123-4567");
}

QString Registro(const QString &nombre, const QString &proveedor, const QString &ca, const QString &nu)
{
    QString r;
    Agenda::EscribirRegistro({nombre, proveedor, ca, nu}, &r, nullptr);
    return r;
}

QStringList Columna(QTreeWidget *lista, int columna)
{
    QStringList textos;
    for (int i = 0; i < lista->topLevelItemCount(); ++i)
        textos.append(lista->topLevelItem(i)->text(columna));
    return textos;
}

// A choice in a drop-down as the user makes it.
void Elegir(QComboBox *combo, int indice)
{
    combo->setCurrentIndex(indice);
    emit combo->activated(indice);
}

void ElegirFila(QTreeWidget *lista, int fila)
{
    QTreeWidgetItem *item = lista->topLevelItem(fila);
    lista->setCurrentItem(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
}

} // namespace

class TstFrmImportarContactos : public QObject
{
    Q_OBJECT
    std::unique_ptr<ContextoPrueba> p;
    std::unique_ptr<PrincipalFalsa> principal;
    std::unique_ptr<frmImportarContactos> w;
    ControlesImportar c;

    void abrir(const QByteArray &archivo)
    {
        w = std::make_unique<frmImportarContactos>(p->ctx, *principal, Agenda::LeerContactosDeOtroPrograma(archivo),
                                                   QStringLiteral("contactos.vcf"), &principal->principal);
        c = ControlesImportar::buscar(*w);
        QVERIFY(w->Cargar());
    }

private Q_SLOTS:
    void init()
    {
        p = std::make_unique<ContextoPrueba>();
        principal = std::make_unique<PrincipalFalsa>();
    }
    void cleanup()
    {
        w.reset();
        principal.reset();
        p.reset();
    }

    void controlesConNombre()
    {
        abrir(Muestra());
#define NTX_VER(tipo, nombre) QVERIFY2(c.nombre, #nombre);
        NTX_CONTROLES_IMPORTAR(NTX_VER)
#undef NTX_VER
        QCOMPARE(w->windowTitle(), QStringLiteral("Importar contactos de otro programa"));
    }

    void vistaPrevia()
    {
        p->ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"),
                            Registro(QStringLiteral("Ana"), QStringLiteral("Argentina - Claro"), QStringLiteral("11"),
                                     QStringLiteral("44445555")));
        abrir(Muestra());
        QCOMPARE(Columna(c.lvwContactos, 0), (QStringList{"Ana", "Pepe", "Luis"}));
        QCOMPARE(Columna(c.lvwContactos, 1), (QStringList{"351 5551234", "0416 1234567", "11 41234567"}));
        QCOMPARE(Columna(c.lvwContactos, 2), (QStringList{"(elegir)", "Venezuela - Movilnet", "(elegir)"}));
        QCOMPARE(Columna(c.lvwContactos, 3), (QStringList{"Omitir", "", ""}));
        QCOMPARE(Columna(c.lvwRechazados, 1), (QStringList{"Juan \"el Flaco\"", "Oficina"}));
        QCOMPARE(Columna(c.lvwRechazados, 0), (QStringList{"11", "16"}));
        QVERIFY(c.lvwRechazados->topLevelItem(0)->text(2).contains(QStringLiteral("comillas dobles")));
        QCOMPARE(c.lvwRechazados->topLevelItem(1)->text(2), QStringLiteral("no es un número de celular"));
        QCOMPARE(c.lblResumen->text(), QStringLiteral("3 contacto(s) para importar, 1 con un nombre que ya existe, 2 "
                                                      "sin proveedor elegido; 2 rechazado(s)."));
        QVERIFY(c.prgAvance->isHidden());
        QVERIFY(c.cmdImportar->isEnabled());
    }

    void sinProveedorNoSeGuardaNada()
    {
        abrir(Muestra());
        QTest::mouseClick(c.cmdImportar, Qt::LeftButton);
        QCOMPARE(p->dialogos.llamadas.size(), 1);
        QCOMPARE(p->dialogos.llamadas.at(0).icono, Dialogos::Icono::Exclamacion);
        QVERIFY(p->dialogos.llamadas.at(0).texto.startsWith(QStringLiteral("Elija el proveedor de 2 contacto(s)")));
        QVERIFY(p->ajustes.enumerar(SeccionAgenda).isEmpty());
        QVERIFY(w->isVisible());
    }

    void proveedorParaUnoYParaTodos()
    {
        abrir(Muestra());
        // One contact: Luis gets Claro.
        ElegirFila(c.lvwContactos, 2);
        Elegir(c.cboProveedor, 1);
        QCOMPARE(Columna(c.lvwContactos, 2), (QStringList{"(elegir)", "Venezuela - Movilnet", "Argentina - Claro"}));
        // All Argentine ones: Personal; the Venezuelan one keeps Movilnet.
        Elegir(c.cboProveedor, 2);
        QTest::mouseClick(c.cmdProveedorTodos, Qt::LeftButton);
        QCOMPARE(Columna(c.lvwContactos, 2),
                 (QStringList{"Argentina - Personal", "Venezuela - Movilnet", "Argentina - Personal"}));
        // Luis left out.
        c.lvwContactos->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
        QTest::mouseClick(c.cmdImportar, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->importados(), 2);
        const ParesAjustes guardados = p->ajustes.enumerar(SeccionAgenda);
        QCOMPARE(guardados.size(), 2);
        QCOMPARE(guardados.at(0).second, QStringLiteral("$_NO03Ana$_PR20Argentina - Personal$_CA03351$_NU075551234"));
        QCOMPARE(guardados.at(1).second, QStringLiteral("$_NO04Pepe$_PR20Venezuela - Movilnet$_CA0216$_NU071234567"));
        QCOMPARE(principal->llamadas, (QStringList{"Panel", "Actualizar"}));
        QCOMPARE(p->dialogos.llamadas.last().texto,
                 QStringLiteral("Importación terminada\r\n\r\n · Importados: 2\r\n · Omitidos: 1\r\n · Rechazados: 2"));
        QCOMPARE(p->dialogos.llamadas.last().icono, Dialogos::Icono::Informacion);
    }

    void nombreRepetido_data()
    {
        QTest::addColumn<int>("accion");
        QTest::addColumn<QStringList>("nombres");
        QTest::addColumn<QString>("numeroDeAna");
        QTest::newRow("omitir") << 0 << QStringList{"Ana", "Luis"} << "44445555";
        QTest::newRow("reemplazar") << 1 << QStringList{"Ana", "Luis"} << "5551234";
        QTest::newRow("Nombre (2)") << 2 << QStringList{"Ana", "ana (2)", "Luis"} << "44445555";
    }
    void nombreRepetido()
    {
        QFETCH(int, accion);
        QFETCH(QStringList, nombres);
        QFETCH(QString, numeroDeAna);
        p->ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"),
                            Registro(QStringLiteral("Ana"), QStringLiteral("Argentina - Claro"), QStringLiteral("11"),
                                     QStringLiteral("44445555")));
        abrir(Tarjeta("ana", "0351 15 555-1234") + Tarjeta("Luis", "+54 9 11 4123-4567"));
        Elegir(c.cboProveedor, 1);
        QTest::mouseClick(c.cmdProveedorTodos, Qt::LeftButton);
        ElegirFila(c.lvwContactos, 0);
        Elegir(c.cboConflicto, accion);
        QTest::mouseClick(c.cmdImportar, Qt::LeftButton);
        QStringList guardados;
        for (const auto &par : p->ajustes.enumerar(SeccionAgenda))
            guardados.append(par.first);
        // A replaced contact takes the spelling of the file, as the store does with a key in another case.
        if (accion == 1)
            nombres[0] = QStringLiteral("ana");
        QCOMPARE(guardados, nombres);
        QCOMPARE(Agenda::LeerCampo(p->ajustes.leer(SeccionAgenda, QStringLiteral("Ana")), Agenda::MarcaNumero),
                 numeroDeAna);
    }

    void unFalloDejaLaAgendaComoEstaba()
    {
        p->ajustes.escribir(SeccionAgenda, QStringLiteral("Beto"),
                            Registro(QStringLiteral("Beto"), QStringLiteral("Argentina - Claro"), QStringLiteral("11"),
                                     QStringLiteral("44445555")));
        abrir(Muestra());
        Elegir(c.cboProveedor, 1);
        QTest::mouseClick(c.cmdProveedorTodos, Qt::LeftButton);
        p->ajustes.fallarEscrituras = true;
        QTest::mouseClick(c.cmdImportar, Qt::LeftButton);
        p->ajustes.fallarEscrituras = false;
        QCOMPARE(p->dialogos.llamadas.last().icono, Dialogos::Icono::Critico);
        QCOMPARE(p->dialogos.llamadas.last().texto,
                 QStringLiteral("No se pudieron guardar los contactos en la Agenda. La Agenda quedó como estaba."));
        QCOMPARE(p->ajustes.enumerar(SeccionAgenda).size(), 1);
        QVERIFY(principal->llamadas.isEmpty());
        QVERIFY(w->isVisible());
    }

    void cancelarUnArchivoLargo()
    {
        QByteArray archivo;
        for (int i = 0; i < 2000; ++i)
            archivo += Tarjeta("Contacto " + QByteArray::number(i), "0351 15 555-1234");
        w = std::make_unique<frmImportarContactos>(p->ctx, *principal, Agenda::LeerContactosDeOtroPrograma(archivo),
                                                   QStringLiteral("grande.vcf"), &principal->principal);
        c = ControlesImportar::buscar(*w);
        int avances = 0;
        bool barraVisible = false;
        p->sistema.alDejarCorrerMensajes = [&] {
            barraVisible = c.prgAvance->isVisible() && c.cmdCancelar->isEnabled() && !c.cmdImportar->isEnabled() &&
                           !c.cmdProveedorTodos->isEnabled() && !c.lvwContactos->isEnabled();
            if (++avances == 2)
                QTest::mouseClick(c.cmdCancelar, Qt::LeftButton);
        };
        QVERIFY(!w->Cargar());
        QVERIFY(barraVisible);
        QCOMPARE(c.prgAvance->maximum(), 2000);
        QCOMPARE(avances, 2);
        QCOMPARE(p->sistema.bombeosConEntrada, 2); // Cancel must be able to act
        QVERIFY(!w->isVisible());
        QVERIFY(p->ajustes.enumerar(SeccionAgenda).isEmpty());
    }

    void regionVenezuela()
    {
        abrir(Tarjeta("Pepe", "0416-1234567") + Tarjeta("Ana", "+54 9 351 555-1234"));
        // As Argentine numbers 0416 is no mobile.
        QCOMPARE(Columna(c.lvwContactos, 0), (QStringList{"Ana"}));
        Elegir(c.cboRegion, 1);
        QCOMPARE(Columna(c.lvwContactos, 0), (QStringList{"Pepe", "Ana"}));
        QCOMPARE(p->ajustes.leer(QStringLiteral("Importacion1.0"), QStringLiteral("Region")), QStringLiteral("VE"));
        // The next import starts with it.
        abrir(Tarjeta("Pepe", "0416-1234567"));
        QCOMPARE(c.cboRegion->currentText(), QStringLiteral("Venezuela"));
        QCOMPARE(Columna(c.lvwContactos, 2), (QStringList{"Venezuela - Movilnet"}));
    }

    void archivosQueNoSeImportan_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("texto");
        QTest::newRow("no es de contactos")
            << QByteArray("hola\r\n")
            << "No se pueden importar contactos de este archivo\r\n\r\nEl archivo no es una libreta de contactos en "
               "formato vCard (.vcf) ni CSV.";
        QTest::newRow("sin contactos") << QByteArray("Nombre,Teléfono\r\n") << "El archivo no contiene contactos.";
    }
    void archivosQueNoSeImportan()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, texto);
        QTemporaryDir dir;
        const QString ruta = dir.filePath(QStringLiteral("x.csv"));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenido);
        f.close();
        p->dialogos.nombresDeArchivo = {ruta};
        QVERIFY(!frmImportarContactos::Importar(p->ctx, *principal, &principal->principal));
        QCOMPARE(p->dialogos.archivos.at(0).at(0), QStringLiteral("Importar contactos de otro programa"));
        QCOMPARE(p->dialogos.llamadas.size(), 1);
        QCOMPARE(p->dialogos.llamadas.at(0).texto, texto);
        QVERIFY(p->ajustes.enumerar(SeccionAgenda).isEmpty());
        // No file chosen: nothing at all.
        QVERIFY(!frmImportarContactos::Importar(p->ctx, *principal, &principal->principal));
        QCOMPARE(p->dialogos.llamadas.size(), 1);
    }

    // From the address book window's button to the settings file on disk, with the
    // real store: a phone's vCard 2.1 file (quoted-printable Latin-1).
    void extremoAExtremoDesdeLaAgenda()
    {
        QTemporaryDir dir;
        AjustesSqlite almacen(dir.path());
        QVERIFY(almacen.escribir(SeccionAgenda, QStringLiteral("Ana"),
                                 Registro(QStringLiteral("Ana"), QStringLiteral("Argentina - Claro"),
                                          QStringLiteral("11"), QStringLiteral("44445555"))));
        ContextoPrueba prueba(&almacen);
        PrincipalFalsa principalDeLaAgenda;
        const QString ruta = dir.filePath(QStringLiteral("telefono.vcf"));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Mu=F1oz;Jos=E9;;;\r\n"
                "TEL;HOME:0351 4221100\r\nTEL;CELL:0351 15-555-1234\r\nEND:VCARD\r\n"
                "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Ana\r\nTEL;CELL:0351 15-555-9999\r\nEND:VCARD\r\n"
                "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Pepe\r\nTEL;CELL:+58 426 7654321\r\nEND:VCARD\r\n"
                "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Oficina\r\nTEL;WORK:0800 555 1234\r\nEND:VCARD\r\n");
        f.close();
        prueba.dialogos.nombresDeArchivo = {ruta};

        frmAgenda agenda(prueba.ctx, principalDeLaAgenda, &principalDeLaAgenda.principal);
        const ControlesFrmAgenda a = ControlesFrmAgenda::buscar(agenda);
        agenda.show();
        QCOMPARE(a.tvwAgenda->topLevelItemCount(), 1);
        QCOMPARE(a.cmdImportarOtro->text(), QStringLiteral("Importar contactos de otro programa..."));
        bool vista = false;
        QTimer::singleShot(0, this, [&vista] {
            auto *ventana = qobject_cast<frmImportarContactos *>(QApplication::activeModalWidget());
            QVERIFY(ventana);
            const ControlesImportar ci = ControlesImportar::buscar(*ventana);
            QCOMPARE(Columna(ci.lvwContactos, 0), (QStringList{"José Muñoz", "Ana", "Pepe"}));
            QCOMPARE(Columna(ci.lvwRechazados, 1), (QStringList{"Oficina"}));
            Elegir(ci.cboProveedor, 2);
            QTest::mouseClick(ci.cmdProveedorTodos, Qt::LeftButton);
            QTest::mouseClick(ci.cmdImportar, Qt::LeftButton);
            vista = true;
        });
        QTest::mouseClick(a.cmdImportarOtro, Qt::LeftButton);
        QVERIFY(vista);
        QCOMPARE(prueba.dialogos.llamadas.last().texto,
                 QStringLiteral("Importación terminada\r\n\r\n · Importados: 2\r\n · Omitidos: 1\r\n · Rechazados: 1"));
        // The window shows the new contacts at once.
        QStringList nodos;
        for (int i = 0; i < a.tvwAgenda->topLevelItemCount(); ++i)
            nodos.append(a.tvwAgenda->topLevelItem(i)->text(0));
        QCOMPARE(nodos, (QStringList{"Ana", "José Muñoz", "Pepe"}));
        QCOMPARE(principalDeLaAgenda.llamadas, (QStringList{"Panel", "Actualizar"}));

        // What another process reads from the file.
        AjustesSqlite otro(dir.path());
        const ParesAjustes enDisco = otro.enumerar(SeccionAgenda);
        QCOMPARE(enDisco.size(), 3);
        QCOMPARE(enDisco.at(0).second, Registro(QStringLiteral("Ana"), QStringLiteral("Argentina - Claro"),
                                                QStringLiteral("11"), QStringLiteral("44445555")));
        QCOMPARE(enDisco.at(1).second,
                 QStringLiteral("$_NO10José Muñoz$_PR20Argentina - Personal$_CA03351$_NU075551234"));
        QCOMPARE(enDisco.at(2).second, QStringLiteral("$_NO04Pepe$_PR20Venezuela - Movilnet$_CA0226$_NU077654321"));

        // And back out to a phone: the vCard export of the same window.
        const QString salida = dir.filePath(QStringLiteral("agenda.vcf"));
        prueba.dialogos.nombresDeArchivo = {salida};
        QTest::mouseClick(a.cmdExportarVCard, Qt::LeftButton);
        QFile vcf(salida);
        QVERIFY(vcf.open(QIODevice::ReadOnly));
        const QByteArray exportado = vcf.readAll();
        QCOMPARE(exportado.count("BEGIN:VCARD"), 3);
        QVERIFY(exportado.contains("FN:Jos\xC3\xA9 Mu\xC3\xB1oz\r\nTEL;VALUE=uri;TYPE=cell:tel:+5493515551234\r\n"));
    }

    void exportarVCard()
    {
        p->ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"),
                            Registro(QStringLiteral("Ana"), QStringLiteral("Argentina - Claro"), QStringLiteral("351"),
                                     QStringLiteral("5551234")));
        p->ajustes.escribir(SeccionAgenda, QStringLiteral("Alias"),
                            Registro(QStringLiteral("Alias"), QStringLiteral("Argentina - Claro"),
                                     QStringLiteral("alias"), QStringLiteral("x")));
        QTemporaryDir dir;
        const QString ruta = dir.filePath(QStringLiteral("agenda.vcf"));
        p->dialogos.nombresDeArchivo = {ruta};
        Agenda::ExportarVCard(p->ctx);
        QCOMPARE(p->dialogos.archivos.at(0).at(0), QStringLiteral("Exportar a vCard"));
        QCOMPARE(p->dialogos.confirmaciones, (QList<bool>{true}));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ana\r\nTEL;VALUE=uri;TYPE=cell:tel:"
                                         "+5493515551234\r\nX-NTX-PROVEEDOR:Argentina - Claro\r\nX-NTX-CODAREA:351\r\n"
                                         "END:VCARD\r\n"));
        QCOMPARE(p->dialogos.llamadas.at(0).texto,
                 QStringLiteral("La Agenda se exportó con exito\r\n\r\n · Contactos en el archivo: 1\r\n · No se "
                                "exportaron 1 contacto(s) con un alias o un número que un teléfono no puede marcar"));
        // An empty address book writes nothing.
        p->ajustes.borrarSeccion(SeccionAgenda);
        Agenda::ExportarVCard(p->ctx);
        QCOMPARE(p->dialogos.llamadas.size(), 2);
        QVERIFY(p->dialogos.llamadas.at(1).texto.contains(QStringLiteral("La Agenda está vacía")));
        QCOMPARE(p->dialogos.archivos.size(), 1);
    }
};

QTEST_MAIN(TstFrmImportarContactos)
#include "tst_frmimportarcontactos.moc"

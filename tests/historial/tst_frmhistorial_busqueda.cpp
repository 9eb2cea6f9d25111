// The history window's search box and "Exportar...": the list filtered as the
// user types, the count "n de m mensajes", delete and resend acting on the record
// chosen among those shown (and the changed-store refusal holding), and the CSV
// of the records shown.
#include "bancohistorial.h"
#include "historial/frmhistorial.h"
#include "historial/principalhistorial.h"

#include <QTest>

using namespace banco_historial;

namespace {

class PrincipalFalsa final : public PrincipalHistorial
{
public:
    QWidget *ventana() override { return &principal; }
    bool escrituraVisible() const override { return true; }
    void reenviar(const QString &m, const QString &r) override
    {
        mensaje = m;
        remitente = r;
    }
    void enfocarDestino() override {}

    QWidget principal;
    QString mensaje, remitente;
};

RegistroHistorial reg(const QString &destinatario, const QString &mensaje, int dia)
{
    RegistroHistorial r = registro(mensaje);
    r.destinatario = destinatario;
    r.fecha = QDateTime(QDate(2012, 11, dia), QTime(10, 0));
    return r;
}

// File order: Luis, Rosa, Beto, Ana; on screen newest first.
QByteArray Almacen(const QList<RegistroHistorial> &extra = {})
{
    QByteArray todo = Cab;
    for (const RegistroHistorial &r :
         QList<RegistroHistorial>{reg(QStringLiteral("Luis"), QStringLiteral("Café, mañana"), 1),
                                  reg(QStringLiteral("Rosa"), QStringLiteral("hola"), 2),
                                  reg(QStringLiteral("Beto"), QStringLiteral("CAFE con leche"), 3),
                                  reg(QStringLiteral("Ana"), QStringLiteral("chau"), 4)} +
             extra)
        todo += almacen_historial::lineaRegistro(r) + "\r\n";
    return todo;
}

QStringList Destinatarios(const frmHistorial &v)
{
    QStringList d;
    for (int fila = 0; fila < v.modelo()->rowCount(); ++fila)
        d.append(v.modelo()->registro(fila)->destinatario);
    return d;
}

} // namespace

class tst_frmHistorialBusqueda : public QObject
{
    Q_OBJECT
    std::unique_ptr<Banco> b;
    std::unique_ptr<PrincipalFalsa> p;
    std::unique_ptr<frmHistorial> v;
    ControlesFrmHistorial c;

    void abrir(const QByteArray &contenido)
    {
        QVERIFY(escribirBytes(b->ruta(), contenido));
        v = std::make_unique<frmHistorial>(*b->ctx, *p, &p->principal);
        c = ControlesFrmHistorial::buscar(*v);
        QVERIFY(v->Abrir());
    }
    void buscar(const QString &texto)
    {
        c.txtBuscar->setFocus();
        c.txtBuscar->selectAll();
        QTest::keyClick(c.txtBuscar, Qt::Key_Backspace);
        QTest::keyClicks(c.txtBuscar, texto);
    }

private Q_SLOTS:
    void init()
    {
        b = std::make_unique<Banco>();
        p = std::make_unique<PrincipalFalsa>();
        p->principal.show();
    }
    void cleanup()
    {
        v.reset();
        p.reset();
        b.reset();
    }

    void filtraMientrasSeEscribe()
    {
        abrir(Almacen());
        QCOMPARE(c.lblCuenta->text(), QStringLiteral("4 de 4 mensajes"));
        buscar(QStringLiteral("cafe"));
        QCOMPARE(Destinatarios(*v), (QStringList{"Beto", "Luis"}));
        QCOMPARE(c.lblCuenta->text(), QStringLiteral("2 de 4 mensajes"));
        buscar(QStringLiteral("ROSA"));
        QCOMPARE(Destinatarios(*v), (QStringList{"Rosa"}));
        // Clearing the box shows all again.
        buscar(QString());
        QCOMPARE(Destinatarios(*v), (QStringList{"Ana", "Beto", "Rosa", "Luis"}));
        QCOMPARE(c.lblCuenta->text(), QStringLiteral("4 de 4 mensajes"));
    }

    void eliminarBorraElElegidoEntreLosMostrados()
    {
        abrir(Almacen());
        buscar(QStringLiteral("cafe"));
        // The second shown is Luis, the first record of the file.
        c.lvwHistorial->setCurrentIndex(v->modelo()->index(1, 0));
        QCOMPARE(v->modelo()->posicion(1), 1);
        QTest::mouseClick(c.cmdEliminar, Qt::LeftButton);
        const QByteArray ahora = leerBytes(b->ruta());
        QVERIFY(!ahora.contains("Luis"));
        QVERIFY(ahora.contains("Rosa") && ahora.contains("Beto") && ahora.contains("Ana"));
        // The reloaded window keeps the search.
        QCOMPARE(c.txtBuscar->text(), QStringLiteral("cafe"));
        QCOMPARE(Destinatarios(*v), (QStringList{"Beto"}));
        QCOMPARE(c.lblCuenta->text(), QStringLiteral("1 de 3 mensajes"));
    }

    void unAlmacenCambiadoNoSeBorra()
    {
        abrir(Almacen());
        buscar(QStringLiteral("cafe"));
        c.lvwHistorial->setCurrentIndex(v->modelo()->index(0, 0));
        // Another copy of the program appends a record meanwhile.
        QVERIFY(escribirBytes(b->ruta(), Almacen({reg(QStringLiteral("Zoe"), QStringLiteral("nuevo"), 5)})));
        const QByteArray antes = leerBytes(b->ruta());
        QTest::mouseClick(c.cmdEliminar, Qt::LeftButton);
        QCOMPARE(leerBytes(b->ruta()), antes);
        QVERIFY(b->dialogos.llamadas.last().texto.startsWith(QStringLiteral(
            "El almacén de mensajes cambió después de abrir esta ventana. No se eliminó ningún mensaje.")));
        QCOMPARE(c.lblCuenta->text(), QStringLiteral("2 de 5 mensajes"));
    }

    void reenviarElElegido()
    {
        abrir(Almacen());
        buscar(QStringLiteral("leche"));
        c.lvwHistorial->setCurrentIndex(v->modelo()->index(0, 0));
        QTest::mouseClick(c.cmdReenviar, Qt::LeftButton);
        QCOMPARE(p->mensaje, QStringLiteral("CAFE con leche"));
    }

    void exportarLosMostrados()
    {
        abrir(Almacen());
        buscar(QStringLiteral("cafe"));
        const QString ruta = b->carpeta.filePath(QStringLiteral("mensajes.csv"));
        b->dialogos.nombresDeArchivo = {ruta};
        QTest::mouseClick(c.cmdExportar, Qt::LeftButton);
        QCOMPARE(b->dialogos.archivos.at(0).at(0), QStringLiteral("Exportar mensajes"));
        QCOMPARE(b->dialogos.confirmaciones, (QList<bool>{true}));
        QCOMPARE(leerBytes(ruta), QByteArray("\xEF\xBB\xBF"
                                             "Fecha y hora,Destinatario,N\xC3\xBAmero,Remitente,Proveedor,Mensaje\r\n"
                                             "2012-11-03T10:00:00,Beto,011 45678901,Ana,Argentina - Claro,CAFE con "
                                             "leche\r\n"
                                             "2012-11-01T10:00:00,Luis,011 45678901,Ana,Argentina - Claro,\"Caf\xC3\xA9"
                                             ", ma\xC3\xB1"
                                             "ana\"\r\n"));
        QCOMPARE(b->dialogos.llamadas.last().texto, QStringLiteral("Se exportaron 2 mensajes."));
    }

    void almacenVacioSinBusqueda()
    {
        abrir(Cab);
        QVERIFY(!c.txtBuscar->isEnabled());
        QVERIFY(!c.cmdExportar->isEnabled());
        QVERIFY(c.lblCuenta->text().isEmpty());
    }
};

QTEST_MAIN(tst_frmHistorialBusqueda)
#include "tst_frmhistorial_busqueda.moc"

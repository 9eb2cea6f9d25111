// The abbreviation windows offscreen, with scripted message boxes: the list and
// its status texts, add, modify, delete and close, and every check of the entry
// dialog.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "dobles/contextoprueba.h"
#include "mejoras/abreviaturas.h"
#include "mejoras/frmabreviaturanueva.h"
#include "mejoras/frmabreviaturas.h"

namespace {

// Runs `accion` on the next modal dialog as soon as it is shown; a dialog the
// action leaves open is rejected so a failing test cannot hang.
void alAbrirseModal(std::function<void(frmAbreviaturaNueva *)> accion, bool *visto)
{
    *visto = false;
    QTimer::singleShot(0, qApp, [accion = std::move(accion), visto] {
        auto *d = qobject_cast<frmAbreviaturaNueva *>(QApplication::activeModalWidget());
        if (!d)
            return;
        *visto = true;
        accion(d);
        if (d->isVisible())
            d->reject();
    });
}

QStringList palabrasDeLaLista(const frmAbreviaturas &f)
{
    QStringList r;
    for (int i = 0; i < f.tvwAbreviaturas->topLevelItemCount(); ++i)
        r << f.tvwAbreviaturas->topLevelItem(i)->text(0);
    return r;
}

} // namespace

class PruebaFrmAbreviaturas : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listaVacia()
    {
        ContextoPrueba p;
        frmAbreviaturas f(p.ctx, {});
        QCOMPARE(f.windowTitle(), QStringLiteral("Configurar Abreviaturas"));
        QCOMPARE(f.textoEstado(), QStringLiteral("Haga clic en Agregar para configurar una nueva abreviatura"));
        QVERIFY(!f.cmdModificar->isEnabled());
        QVERIFY(!f.cmdEliminar->isEnabled());
        QVERIFY(f.cmdAgregar->isEnabled());
        QCOMPARE(f.tvwAbreviaturas->topLevelItemCount(), 0);
    }

    void listaLlena()
    {
        ContextoPrueba p;
        GuardarAbreviatura(p.ajustes, QStringLiteral("hola"), QStringLiteral("hl"));
        GuardarAbreviatura(p.ajustes, QStringLiteral("firma"), QStringLiteral("Saludos\r\nAna"));
        GuardarAbreviatura(p.ajustes, QStringLiteral("xq"), QStringLiteral("porque"));
        frmAbreviaturas f(p.ctx, {});
        QCOMPARE(f.textoEstado(), QStringLiteral(" 3 abreviaturas configuradas  "));
        QCOMPARE(palabrasDeLaLista(f), (QStringList{"hola", "firma", "xq"}));
        QCOMPARE(f.tvwAbreviaturas->currentItem()->text(0), QStringLiteral("hola"));
        QCOMPARE(f.txtConvertirA->toPlainText(), QStringLiteral("hl"));
        QVERIFY(f.cmdModificar->isEnabled() && f.cmdEliminar->isEnabled());
        f.tvwAbreviaturas->setCurrentItem(f.tvwAbreviaturas->topLevelItem(1));
        QCOMPARE(f.txtConvertirA->toPlainText(), QStringLiteral("Saludos\nAna"));
        // Moving the selection with the keyboard updates the preview too.
        f.show();
        QTest::keyClick(f.tvwAbreviaturas, Qt::Key_Down);
        QCOMPARE(f.txtConvertirA->toPlainText(), QStringLiteral("porque"));
    }

    void agregar()
    {
        ContextoPrueba p;
        frmAbreviaturas f(p.ctx, {});
        bool visto = false;
        alAbrirseModal(
            [](frmAbreviaturaNueva *d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("Nueva Abreviatura"));
                QCOMPARE(d->modo, QStringLiteral("nuevo"));
                QTest::keyClicks(d->txtAlEscribir, QStringLiteral(" ok "));
                d->txtConvertirA->setPlainText(QStringLiteral(" muy bien\nlisto "));
                QTest::mouseClick(d->cmdGuardar, Qt::LeftButton);
            },
            &visto);
        QTest::mouseClick(f.cmdAgregar, Qt::LeftButton);
        QVERIFY(visto);
        const ParesAbreviatura esperados = {{QStringLiteral("ok"), QStringLiteral(" muy bien\r\nlisto ")}};
        QCOMPARE(LeerTablaAbreviaturas(p.ajustes), esperados);
        QCOMPARE(palabrasDeLaLista(f), QStringList{QStringLiteral("ok")});
        QCOMPARE(f.textoEstado(), QStringLiteral(" 1 abreviaturas configuradas  "));
        QVERIFY(p.dialogos.llamadas.isEmpty());
    }

    // Saving a word that exists, in any letter case, replaces it without a question.
    void agregarExistenteReemplaza()
    {
        ContextoPrueba p;
        GuardarAbreviatura(p.ajustes, QStringLiteral("hola"), QStringLiteral("hl"));
        frmAbreviaturaNueva d(p.ctx);
        d.Form_Load();
        d.txtAlEscribir->setText(QStringLiteral("Hola"));
        d.txtConvertirA->setPlainText(QStringLiteral("ola"));
        d.cmdGuardar_Click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(p.dialogos.llamadas.isEmpty());
        const ParesAbreviatura esperados = {{QStringLiteral("Hola"), QStringLiteral("ola")}};
        QCOMPARE(LeerTablaAbreviaturas(p.ajustes), esperados);
    }

    // A write that fails keeps the dialog open with the user's text, tells
    // why, and in a modification keeps the old word.
    void escrituraFallida_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::newRow("nueva") << QStringLiteral("nuevo");
        QTest::newRow("modificar otra palabra") << QStringLiteral("modificar_hola");
        QTest::newRow("modificar la misma") << QStringLiteral("modificar_hla");
    }
    void escrituraFallida()
    {
        QFETCH(QString, modo);
        ContextoPrueba p;
        GuardarAbreviatura(p.ajustes, QStringLiteral("hola"), QStringLiteral("hl"));
        GuardarAbreviatura(p.ajustes, QStringLiteral("hla"), QStringLiteral("viejo"));
        const ParesAbreviatura antes = LeerTablaAbreviaturas(p.ajustes);
        p.ajustes.fallarEscrituras = true;
        frmAbreviaturaNueva d(p.ctx);
        d.modo = modo;
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.Form_Load();
        d.txtAlEscribir->setText(QStringLiteral("hla"));
        d.txtConvertirA->setPlainText(QStringLiteral("hl!"));
        const bool modificar = modo != QLatin1String("nuevo");
        if (modificar)
            p.dialogos.respuestas << Dialogos::Respuesta::Si;
        d.cmdGuardar_Click();
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(d.txtAlEscribir->text(), QStringLiteral("hla"));
        QCOMPARE(d.txtConvertirA->toPlainText(), QStringLiteral("hl!"));
        const auto m = p.dialogos.llamadas.last();
        QVERIFY2(m.texto.startsWith(QStringLiteral("No se pudo guardar la abreviatura")), qPrintable(m.texto));
        QCOMPARE(m.icono, Dialogos::Icono::Critico);
        QCOMPARE(LeerTablaAbreviaturas(p.ajustes), antes);
        // Once the store works again, the same click saves and closes.
        p.ajustes.fallarEscrituras = false;
        if (modificar)
            p.dialogos.respuestas << Dialogos::Respuesta::Si;
        d.cmdGuardar_Click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const ParesAbreviatura despues = modo == QLatin1String("modificar_hola")
                                             ? ParesAbreviatura{{QStringLiteral("hla"), QStringLiteral("hl!")}}
                                             : ParesAbreviatura{{QStringLiteral("hola"), QStringLiteral("hl")},
                                                                {QStringLiteral("hla"), QStringLiteral("hl!")}};
        QCOMPARE(LeerTablaAbreviaturas(p.ajustes), despues);
    }

    void comprobaciones_data()
    {
        QTest::addColumn<QString>("palabra");
        QTest::addColumn<QString>("reemplazo");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<bool>("focoEnPalabra");
        QTest::newRow("palabra vacía") << "  "
                                       << "x"
                                       << "Debe escribir la palabra o combinación de letras que será reemplazada."
                                       << true;
        QTest::newRow("una letra") << " a"
                                   << "x"
                                   << "La palabra o combinación de letras que será reemplazada debe tener más de una "
                                      "letra o símbolo."
                                   << true;
        QTest::newRow("reemplazo de blancos")
            << "ok"
            << "   \n "
            << "Debe escribir el texto que reemplazará a la palabra o combinación de letras elegida." << false;
        QTest::newRow("comillas") << "ok"
                                  << "di \"sí\""
                                  << "Las abreviaturas no pueden contener comillas dobles (\"), porque no se podrían "
                                     "exportar ni importar correctamente.\r\n\r\n · Use un apóstrofo (') en su lugar."
                                  << false;
    }
    void comprobaciones()
    {
        QFETCH(QString, palabra);
        QFETCH(QString, reemplazo);
        QFETCH(QString, mensaje);
        QFETCH(bool, focoEnPalabra);
        ContextoPrueba p;
        frmAbreviaturaNueva d(p.ctx);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.Form_Load();
        d.txtAlEscribir->setText(palabra);
        d.txtConvertirA->setPlainText(reemplazo);
        d.cmdGuardar_Click();
        QCOMPARE(p.dialogos.llamadas.size(), 1);
        const auto m = p.dialogos.llamadas.first();
        QCOMPARE(m.texto, mensaje);
        QCOMPARE(m.icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(m.botones, Dialogos::Botones::Aceptar);
        QVERIFY(d.isVisible()); // the dialog stays open
        QVERIFY(LeerTablaAbreviaturas(p.ajustes).isEmpty());
        QTRY_COMPARE(QApplication::focusWidget(),
                     focoEnPalabra ? static_cast<QWidget *>(d.txtAlEscribir) : d.txtConvertirA);
        if (palabra.trimmed().size() == 1)
            QCOMPARE(d.txtAlEscribir->selectedText(), QStringLiteral("a"));
    }

    void limitesDeLasCajas()
    {
        ContextoPrueba p;
        frmAbreviaturaNueva d(p.ctx);
        d.Form_Load();
        QCOMPARE(d.txtAlEscribir->maxLength(), 25);
        d.show();
        d.txtConvertirA->setFocus();
        QTest::keyClicks(d.txtConvertirA, QString(150, u'x'));
        QCOMPARE(d.txtConvertirA->toPlainText().size(), 140);
        // A line break takes two of the 140.
        d.txtConvertirA->setPlainText(QString(138, u'y'));
        QTest::keyClick(d.txtConvertirA, Qt::Key_Return);
        QTest::keyClick(d.txtConvertirA, Qt::Key_A);
        QCOMPARE(ConSaltosCrLf(d.txtConvertirA->toPlainText()).size(), 140);
    }

    void modificar_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<ParesAbreviatura>("esperados");
        QTest::newRow("sí") << int(Dialogos::Respuesta::Si)
                            << ParesAbreviatura{{QStringLiteral("xq"), QStringLiteral("porque")},
                                                {QStringLiteral("hla"), QStringLiteral("hl!")}};
        QTest::newRow("no") << int(Dialogos::Respuesta::No)
                            << ParesAbreviatura{{QStringLiteral("hola"), QStringLiteral("hl")},
                                                {QStringLiteral("xq"), QStringLiteral("porque")}};
    }
    void modificar()
    {
        QFETCH(int, respuesta);
        QFETCH(ParesAbreviatura, esperados);
        ContextoPrueba p;
        GuardarAbreviatura(p.ajustes, QStringLiteral("hola"), QStringLiteral("hl"));
        GuardarAbreviatura(p.ajustes, QStringLiteral("xq"), QStringLiteral("porque"));
        frmAbreviaturas f(p.ctx, {});
        p.dialogos.respuestas << Dialogos::Respuesta(respuesta);
        bool visto = false, cerrado = false;
        alAbrirseModal(
            [&cerrado](frmAbreviaturaNueva *d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("Modificar Abreviatura"));
                QCOMPARE(d->modo, QStringLiteral("modificar_hola"));
                QCOMPARE(d->txtAlEscribir->text(), QStringLiteral("hola"));
                QCOMPARE(d->txtConvertirA->toPlainText(), QStringLiteral("hl"));
                d->txtAlEscribir->setText(QStringLiteral("hla"));
                d->txtConvertirA->setPlainText(QStringLiteral("hl!"));
                d->cmdGuardar_Click();
                cerrado = !d->isVisible();
            },
            &visto);
        f.cmdModificar_Click();
        QVERIFY(visto);
        QVERIFY(cerrado); // Yes or No, the dialog closes
        QCOMPARE(p.dialogos.llamadas.size(), 1);
        QCOMPARE(p.dialogos.llamadas.first().texto, QStringLiteral("¿Desea modificar la Abreviatura hola ?"));
        QCOMPARE(p.dialogos.llamadas.first().botones, Dialogos::Botones::SiNo);
        QCOMPARE(p.dialogos.llamadas.first().icono, Dialogos::Icono::Pregunta);
        QCOMPARE(LeerTablaAbreviaturas(p.ajustes), esperados);
        QCOMPARE(f.tvwAbreviaturas->topLevelItemCount(), 2);
    }

    void dobleClicModifica()
    {
        ContextoPrueba p;
        GuardarAbreviatura(p.ajustes, QStringLiteral("hola"), QStringLiteral("hl"));
        frmAbreviaturas f(p.ctx, {});
        f.show();
        bool visto = false;
        alAbrirseModal([](frmAbreviaturaNueva *d) { d->cmdCancelar_Click(); }, &visto);
        emit f.tvwAbreviaturas->itemDoubleClicked(f.tvwAbreviaturas->topLevelItem(0), 0);
        QVERIFY(visto);
        QCOMPARE(LeerTablaAbreviaturas(p.ajustes).size(), 1);
    }

    void sinSeleccion_data()
    {
        QTest::addColumn<bool>("eliminar");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("modificar") << false << "Debe seleccionar la abreviatura que desea modificar";
        QTest::newRow("eliminar") << true << "Debe seleccionar la abreviatura que desea eliminar";
    }
    void sinSeleccion()
    {
        QFETCH(bool, eliminar);
        QFETCH(QString, mensaje);
        ContextoPrueba p;
        GuardarAbreviatura(p.ajustes, QStringLiteral("hola"), QStringLiteral("hl"));
        frmAbreviaturas f(p.ctx, {});
        f.tvwAbreviaturas->setCurrentItem(nullptr);
        if (eliminar)
            f.cmdEliminar_Click();
        else
            f.cmdModificar_Click();
        QCOMPARE(p.dialogos.llamadas.size(), 1);
        QCOMPARE(p.dialogos.llamadas.first().texto, mensaje);
        QCOMPARE(p.dialogos.llamadas.first().icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(LeerTablaAbreviaturas(p.ajustes).size(), 1);
    }

    void eliminar_data()
    {
        QTest::addColumn<bool>("conTecla");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QStringList>("quedan");
        QTest::newRow("botón, sí") << false << int(Dialogos::Respuesta::Si) << QStringList{"xq"};
        QTest::newRow("botón, no") << false << int(Dialogos::Respuesta::No) << QStringList{"hola", "xq"};
        QTest::newRow("tecla Supr, sí") << true << int(Dialogos::Respuesta::Si) << QStringList{"xq"};
    }
    void eliminar()
    {
        QFETCH(bool, conTecla);
        QFETCH(int, respuesta);
        QFETCH(QStringList, quedan);
        ContextoPrueba p;
        GuardarAbreviatura(p.ajustes, QStringLiteral("hola"), QStringLiteral("hl"));
        GuardarAbreviatura(p.ajustes, QStringLiteral("xq"), QStringLiteral("porque"));
        frmAbreviaturas f(p.ctx, {});
        p.dialogos.respuestas << Dialogos::Respuesta(respuesta);
        if (conTecla) {
            f.show();
            QTest::keyClick(f.tvwAbreviaturas, Qt::Key_Delete);
        } else {
            QTest::mouseClick(f.cmdEliminar, Qt::LeftButton);
        }
        QCOMPARE(p.dialogos.llamadas.size(), 1);
        QCOMPARE(p.dialogos.llamadas.first().texto,
                 QStringLiteral("¿Está seguro que desea eliminar la abreviatura hola ?"));
        QCOMPARE(p.dialogos.llamadas.first().botones, Dialogos::Botones::SiNo);
        QCOMPARE(palabrasDeLaLista(f), quedan);
        QStringList enAlmacen;
        for (const auto &par : LeerTablaAbreviaturas(p.ajustes))
            enAlmacen << par.first;
        QCOMPARE(enAlmacen, quedan);
    }

    void eliminarLaUltima()
    {
        ContextoPrueba p;
        GuardarAbreviatura(p.ajustes, QStringLiteral("hola"), QStringLiteral("hl"));
        frmAbreviaturas f(p.ctx, {});
        p.dialogos.respuestas << Dialogos::Respuesta::Si;
        f.cmdEliminar_Click();
        QCOMPARE(f.textoEstado(), QStringLiteral("Haga clic en Agregar para configurar una nueva abreviatura"));
        QVERIFY(!f.cmdModificar->isEnabled());
        QVERIFY(f.txtConvertirA->toPlainText().isEmpty());
    }

    void cerrarRecarga()
    {
        ContextoPrueba p;
        int recargas = 0;
        frmAbreviaturas f(p.ctx, [&recargas] { ++recargas; });
        f.show();
        QTest::mouseClick(f.cmdCerrar, Qt::LeftButton);
        QCOMPARE(recargas, 1);
        QVERIFY(!f.isVisible());
        // The window's own close box does not reload.
        frmAbreviaturas g(p.ctx, [&recargas] { ++recargas; });
        g.show();
        g.close();
        QCOMPARE(recargas, 1);
    }
};

QTEST_MAIN(PruebaFrmAbreviaturas)
#include "prueba_frmabreviaturas.moc"

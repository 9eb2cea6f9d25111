// Message boxes and file dialogs on Qt, answered by a queued call while they are open.
#include "dobles/dialogosguion.h"
#include "plataforma/dialogosqt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

Q_DECLARE_METATYPE(Dialogos::Botones)
Q_DECLARE_METATYPE(Dialogos::Icono)
Q_DECLARE_METATYPE(Dialogos::Respuesta)

namespace {

// Runs `accion` on the first modal dialog of type T once it is open.
template <typename T> void alAbrirse(std::function<void(T *)> accion)
{
    auto *intento = new QTimer;
    intento->setInterval(20);
    QObject::connect(intento, &QTimer::timeout, intento, [intento, accion] {
        if (auto *d = qobject_cast<T *>(QApplication::activeModalWidget())) {
            intento->stop();
            intento->deleteLater();
            accion(d);
        }
    });
    intento->start();
}

// Same for a file dialog, and again on later ticks while that dialog stays open.
void alAbrirseArchivo(std::function<void(QFileDialog *)> accion)
{
    auto *intento = new QTimer;
    intento->setInterval(20);
    auto dialogo = std::make_shared<QPointer<QFileDialog>>();
    QObject::connect(intento, &QTimer::timeout, intento, [intento, accion, dialogo] {
        auto *d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (d && (dialogo->isNull() ? !intento->property("actuado").toBool() : d == dialogo->data())) {
            *dialogo = d;
            intento->setProperty("actuado", true);
            accion(d);
        } else if (intento->property("actuado").toBool()) {
            // Its dialog has closed: never touch the next test's one.
            intento->stop();
            intento->deleteLater();
        }
    });
    intento->start();
}

} // namespace

class PruebaDialogos : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void mensaje_data()
    {
        QTest::addColumn<Dialogos::Botones>("botones");
        QTest::addColumn<Dialogos::Icono>("icono");
        QTest::addColumn<QStringList>("textos");
        QTest::addColumn<QString>("pulsar"); // empty: close with Escape; "Enter": press Enter
        QTest::addColumn<Dialogos::Respuesta>("respuesta");
        QTest::addColumn<QMessageBox::Icon>("iconoQt");
        QTest::addColumn<int>("predeterminada"); // -1: the call without a default
        QTest::addColumn<QString>("botonPredeterminado");
        using B = Dialogos::Botones;
        using I = Dialogos::Icono;
        using R = Dialogos::Respuesta;
        const QStringList aceptar{"Aceptar"}, ac{"Aceptar", "Cancelar"}, sn{"Sí", "No"};
        QTest::newRow("aceptar") << B::Aceptar << I::Informacion << aceptar << "Aceptar" << R::Aceptar
                                 << QMessageBox::Information << -1 << "Aceptar";
        QTest::newRow("aceptar-escape") << B::Aceptar << I::Ninguno << aceptar << "" << R::Aceptar
                                        << QMessageBox::NoIcon << -1 << "Aceptar";
        QTest::newRow("aceptar-cancelar-acepta") << B::AceptarCancelar << I::Exclamacion << ac << "Aceptar"
                                                 << R::Aceptar << QMessageBox::Warning << -1 << "Aceptar";
        QTest::newRow("aceptar-cancelar-cancela") << B::AceptarCancelar << I::Exclamacion << ac << "Cancelar"
                                                  << R::Cancelar << QMessageBox::Warning << -1 << "Aceptar";
        QTest::newRow("aceptar-cancelar-escape")
            << B::AceptarCancelar << I::Critico << ac << "" << R::Cancelar << QMessageBox::Critical << -1 << "Aceptar";
        QTest::newRow("si") << B::SiNo << I::Pregunta << sn << "Sí" << R::Si << QMessageBox::Question << -1 << "Sí";
        QTest::newRow("no") << B::SiNo << I::Pregunta << sn << "No" << R::No << QMessageBox::Question << -1 << "Sí";
        QTest::newRow("si-no-escape") << B::SiNo << I::Pregunta << sn << "" << R::No << QMessageBox::Question << -1
                                      << "Sí";
        QTest::newRow("si-no-enter") << B::SiNo << I::Pregunta << sn << "Enter" << R::Si << QMessageBox::Question << -1
                                     << "Sí";
        // A question that deletes: Enter keeps the data.
        QTest::newRow("si-no-enter-predeterminado-no")
            << B::SiNo << I::Pregunta << sn << "Enter" << R::No << QMessageBox::Question << int(R::No) << "No";
        QTest::newRow("si-no-predeterminado-no-pulsa-si")
            << B::SiNo << I::Pregunta << sn << "Sí" << R::Si << QMessageBox::Question << int(R::No) << "No";
        QTest::newRow("aceptar-cancelar-enter-predeterminado-cancelar")
            << B::AceptarCancelar << I::Exclamacion << ac << "Enter" << R::Cancelar << QMessageBox::Warning
            << int(R::Cancelar) << "Cancelar";
        // A default that is not one of the buttons leaves the first one.
        QTest::newRow("si-no-predeterminado-ajeno")
            << B::SiNo << I::Pregunta << sn << "Enter" << R::Si << QMessageBox::Question << int(R::Cancelar) << "Sí";
    }
    void mensaje()
    {
        QFETCH(Dialogos::Botones, botones);
        QFETCH(Dialogos::Icono, icono);
        QFETCH(QStringList, textos);
        QFETCH(QString, pulsar);
        QFETCH(Dialogos::Respuesta, respuesta);
        QFETCH(QMessageBox::Icon, iconoQt);
        QFETCH(int, predeterminada);
        QFETCH(QString, botonPredeterminado);
        QString titulo, texto, predeterminadoVisto;
        QStringList vistos;
        QMessageBox::Icon iconoVisto = QMessageBox::NoIcon;
        Qt::TextFormat formato = Qt::AutoText;
        alAbrirse<QMessageBox>([&](QMessageBox *caja) {
            titulo = caja->windowTitle();
            texto = caja->text();
            iconoVisto = caja->icon();
            formato = caja->textFormat();
            predeterminadoVisto = caja->defaultButton() ? caja->defaultButton()->text() : QString();
            QAbstractButton *elegido = nullptr;
            for (QAbstractButton *b : caja->buttons()) {
                vistos << b->text();
                if (b->text() == pulsar)
                    elegido = b;
            }
            if (elegido)
                elegido->click();
            else
                QTest::keyClick(caja, pulsar == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Escape);
        });
        DialogosQt dialogos;
        const QString textoCaja = QStringLiteral("Línea <b>1</b>\r\nLínea 2");
        const auto r = predeterminada < 0 ? dialogos.mensaje(textoCaja, botones, icono, QStringLiteral("Título"))
                                          : dialogos.mensaje(textoCaja, botones, icono, QStringLiteral("Título"),
                                                             Dialogos::Respuesta(predeterminada));
        QCOMPARE(r, respuesta);
        QCOMPARE(predeterminadoVisto, botonPredeterminado);
        QCOMPARE(titulo, QStringLiteral("Título"));
        QCOMPARE(texto, QStringLiteral("Línea <b>1</b>\nLínea 2"));
        QCOMPARE(formato, Qt::PlainText);
        QCOMPARE(iconoVisto, iconoQt);
        vistos.sort();
        textos.sort();
        QCOMPARE(vistos, textos);
    }

    void textoSeleccionableYCopiable()
    {
        Qt::TextInteractionFlags banderas;
        QApplication::clipboard()->clear();
        alAbrirse<QMessageBox>([&](QMessageBox *caja) {
            banderas = caja->textInteractionFlags();
            QTest::keyClick(caja, Qt::Key_C, Qt::ControlModifier);
            caja->buttons().first()->click();
        });
        DialogosQt dialogos;
        dialogos.mensaje(QStringLiteral("No se encontró\r\nel servicio"), Dialogos::Botones::Aceptar,
                         Dialogos::Icono::Critico, {});
        QVERIFY(banderas & Qt::TextSelectableByMouse);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("No se encontró\nel servicio"));
    }

    void tituloVacioEsElDelPrograma()
    {
        QString titulo;
        alAbrirse<QMessageBox>([&](QMessageBox *caja) {
            titulo = caja->windowTitle();
            caja->buttons().first()->click();
        });
        DialogosQt dialogos;
        dialogos.mensaje(QStringLiteral("x"), Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, {});
        QCOMPARE(titulo, QStringLiteral("NTX Mensajes"));
    }

    void convertirFiltro_data()
    {
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<QStringList>("filtros");
        QTest::newRow("agenda") << "Agenda de NTX Mensajes (*.ntxagenda)|*.ntxagenda"
                                << QStringList{"Agenda de NTX Mensajes (*.ntxagenda)"};
        QTest::newRow("con-todos") << "Abreviaturas (*.ntxabrev)|*.ntxabrev|Todos los archivos (*.*)|*.*"
                                   << QStringList{"Abreviaturas (*.ntxabrev)", "Todos los archivos (*)"};
        QTest::newRow("varios-patrones") << "Textos|*.txt;*.csv" << QStringList{"Textos (*.txt *.csv)"};
        QTest::newRow("parentesis-engañosos") << "Agenda (*.doc)|*.ntxagenda" << QStringList{"Agenda (*.ntxagenda)"};
        QTest::newRow("sin-patron") << "Todo" << QStringList{"Todo (*)"};
        QTest::newRow("barra-final") << "A (*.a)|*.a|" << QStringList{"A (*.a)"};
        QTest::newRow("vacio") << "" << QStringList{};
    }
    void convertirFiltro()
    {
        QFETCH(QString, filtro);
        QFETCH(QStringList, filtros);
        QCOMPARE(DialogosQt::convertirFiltro(filtro), filtros);
    }

    // Accepting waits for the dialog's file system model, which an offscreen
    // run cannot rely on: the settings handed to the dialog are what is checked.
    void abrirArchivo()
    {
        QStringList filtros;
        QString titulo;
        QFileDialog::AcceptMode modo = QFileDialog::AcceptSave;
        QFileDialog::FileMode archivos = QFileDialog::AnyFile;
        alAbrirseArchivo([&](QFileDialog *d) {
            filtros = d->nameFilters();
            titulo = d->windowTitle();
            modo = d->acceptMode();
            archivos = d->fileMode();
            d->reject();
        });
        DialogosQt dialogos;
        const QString elegido = dialogos.abrirArchivo(QStringLiteral("Importar agenda"),
                                                      QStringLiteral("Agenda (*.ntxagenda)|*.ntxagenda"), {});
        QVERIFY(elegido.isEmpty());
        QCOMPARE(titulo, QStringLiteral("Importar agenda"));
        QCOMPARE(filtros, QStringList{QStringLiteral("Agenda (*.ntxagenda)")});
        QCOMPARE(modo, QFileDialog::AcceptOpen);
        QCOMPARE(archivos, QFileDialog::ExistingFile);
    }

    void guardarArchivo_data()
    {
        QTest::addColumn<bool>("confirmar");
        QTest::newRow("confirma") << true;
        QTest::newRow("no-confirma") << false;
    }
    void guardarArchivo()
    {
        QFETCH(bool, confirmar);
        bool confirmaVisto = !confirmar;
        QString sufijo;
        QFileDialog::AcceptMode modo = QFileDialog::AcceptOpen;
        alAbrirseArchivo([&](QFileDialog *d) {
            confirmaVisto = !d->testOption(QFileDialog::DontConfirmOverwrite);
            sufijo = d->defaultSuffix();
            modo = d->acceptMode();
            d->reject();
        });
        DialogosQt dialogos;
        const QString elegido =
            dialogos.guardarArchivo(QStringLiteral("Exportar"), QStringLiteral("Agenda (*.ntxagenda)|*.ntxagenda"),
                                    m_dir.filePath(QStringLiteral("Agenda.ntxagenda")), confirmar);
        QVERIFY(elegido.isEmpty());
        QCOMPARE(confirmaVisto, confirmar);
        QCOMPARE(modo, QFileDialog::AcceptSave);
        // A name typed without extension gets the filter's.
        QCOMPARE(sufijo, QStringLiteral("ntxagenda"));
    }

    void cancelarEsNombreVacio()
    {
        alAbrirseArchivo([](QFileDialog *d) { d->reject(); });
        DialogosQt dialogos;
        QVERIFY(dialogos.abrirArchivo(QStringLiteral("x"), QStringLiteral("Todo|*.*"), {}).isEmpty());
    }

    void dobleGrabaYResponde()
    {
        DialogosGuion guion;
        using B = Dialogos::Botones;
        using I = Dialogos::Icono;
        using R = Dialogos::Respuesta;
        QCOMPARE(guion.mensaje(QStringLiteral("a"), B::SiNo, I::Pregunta, QStringLiteral("t")), R::Si);
        QCOMPARE(guion.mensaje(QStringLiteral("b"), B::AceptarCancelar, I::Critico, {}), R::Aceptar);
        guion.respuestas << R::No;
        QCOMPARE(guion.mensaje(QStringLiteral("c"), B::SiNo, I::Pregunta, {}), R::No);
        QCOMPARE(guion.llamadas.size(), 3);
        QCOMPARE(guion.llamadas.at(1).texto, QStringLiteral("b"));
        QCOMPARE(guion.llamadas.at(1).icono, I::Critico);
        QCOMPARE(guion.llamadas.at(0).titulo, QStringLiteral("t"));
        QCOMPARE(guion.llamadas.at(0).predeterminada, R::Si);
        QCOMPARE(guion.mensaje(QStringLiteral("d"), B::SiNo, I::Pregunta, {}, R::No), R::Si);
        QCOMPARE(guion.llamadas.at(3).predeterminada, R::No);
        QVERIFY(guion.guardarArchivo(QStringLiteral("g"), QStringLiteral("f"), QStringLiteral("n"), true).isEmpty());
        guion.nombresDeArchivo << QStringLiteral("/tmp/x");
        QCOMPARE(guion.abrirArchivo(QStringLiteral("a"), QStringLiteral("f"), {}), QStringLiteral("/tmp/x"));
        QCOMPARE(guion.confirmaciones, QList<bool>{true});
        QCOMPARE(guion.archivos.first(), (QStringList{"g", "f", "n"}));
    }
};

QTEST_MAIN(PruebaDialogos)
#include "prueba_dialogos.moc"

// A contact's desktop launcher: its file name, and an Exec line that a desktop
// splits back into the very "/c:" argument the client parses.
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "agenda/accesodirecto.h"
#include "agenda/grupos.h"
#include "agenda/lineacomandos.h"
#include "dobles/dialogosguion.h"
#include "dobles/sistemafalso.h"

using namespace Agenda;

namespace {

// What the desktop's own checker says of the file; empty when it is content or missing.
QString Validar(const QString &ruta)
{
    const QString validador = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validador.isEmpty())
        return {};
    QProcess p;
    p.start(validador, {ruta});
    if (!p.waitForFinished(30000))
        return QStringLiteral("desktop-file-validate no terminó");
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

// The string escapes of a Desktop Entry value, undone as a desktop reads the file.
QString Desescapar(const QString &valor)
{
    QString t;
    for (qsizetype i = 0; i < valor.size(); ++i) {
        if (valor.at(i) != u'\\' || i + 1 == valor.size()) {
            t += valor.at(i);
            continue;
        }
        const QChar c = valor.at(++i);
        t += c == u's'   ? QChar(u' ')
             : c == u'n' ? QChar(u'\n')
             : c == u't' ? QChar(u'\t')
             : c == u'r' ? QChar(u'\r')
                         : c;
    }
    return t;
}

// The Exec rules: blank-separated arguments, double quotes group, and inside them a
// backslash takes the next ", `, $ or \ literally; "%%" is one "%". Any other field
// code or a reserved character outside quotes fails the split.
bool DividirExec(const QString &exec, QStringList *argumentos)
{
    argumentos->clear();
    QString actual;
    bool hay = false, comillas = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (comillas) {
            if (c == u'\\' && i + 1 < exec.size() && QStringLiteral("\"`$\\").contains(exec.at(i + 1)))
                actual += exec.at(++i);
            else if (c == u'"')
                comillas = false;
            else if (c == u'%' && i + 1 < exec.size() && exec.at(i + 1) == u'%')
                actual += exec.at(++i);
            else if (c == u'%')
                return false;
            else
                actual += c;
            continue;
        }
        if (c == u' ') {
            if (hay)
                argumentos->append(actual);
            actual.clear();
            hay = false;
        } else if (c == u'"') {
            comillas = hay = true;
        } else if (QStringLiteral("\t\n'\\><~|&;$*?#()`%").contains(c)) {
            return false;
        } else {
            actual += c;
            hay = true;
        }
    }
    if (comillas)
        return false;
    if (hay)
        argumentos->append(actual);
    return true;
}

QString Clave(const QString &contenido, const QString &clave)
{
    for (const QString &linea : contenido.split(u'\n')) {
        if (linea.startsWith(clave + u'='))
            return linea.mid(clave.size() + 1);
    }
    return {};
}

} // namespace

class TstAccesoDirecto : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lanzador_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("archivo");
        QTest::newRow("simple") << "Juan"
                                << "Juan.desktop";
        QTest::newRow("barra y dos puntos") << "Juan/Trabajo: 2"
                                            << "Juan_Trabajo_ 2.desktop";
        QTest::newRow("todos los signos") << "a\\b/c>d<e?f:g*h|i"
                                          << "a_b_c_d_e_f_g_h_i.desktop";
        QTest::newRow("blancos delante") << "  Ana  "
                                         << "  Ana  .desktop";
        QTest::newRow("porcentaje y dolar") << "100% $HOME ${x}"
                                            << "100% $HOME ${x}.desktop";
        QTest::newRow("comilla invertida") << "`rm -rf ~`"
                                           << "`rm -rf ~`.desktop";
        QTest::newRow("barra invertida doble") << "a\\\\b"
                                               << "a__b.desktop";
        QTest::newRow("punto y coma") << "Tom & Jerry; (2)"
                                      << "Tom & Jerry; (2).desktop";
        QTest::newRow("apostrofo") << "O'Brien"
                                   << "O'Brien.desktop";
        QTest::newRow("oculto") << ".Ana"
                                << "_Ana.desktop";
        QTest::newRow("acentos") << "José Ñandú €"
                                 << "José Ñandú €.desktop";
        QTest::newRow("codigo de campo") << "%f %U %%"
                                         << "%f %U %%.desktop";
        QTest::newRow("tabulador") << "a\tb"
                                   << "a_b.desktop";
        QTest::newRow("64") << QString(64, u'x') << QString(64, u'x') + QStringLiteral(".desktop");
    }

    void lanzador()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, archivo);
        QCOMPARE(NombreArchivoAccesoDirecto(nombre), archivo);
        QCOMPARE(NombreArchivoAccesoDirecto(nombre, QStringLiteral(".lnk")),
                 archivo.chopped(8) + QStringLiteral(".lnk"));
        QVERIFY(ProblemaAccesoDirecto(nombre).isEmpty());
        QCOMPARE(ProblemaNombreGrupo(nombre).isEmpty(), !nombre.trimmed().isEmpty());

        const QString programa = QStringLiteral("/opt/mi programa $v/");
        // A group's launcher follows the same escapes, with "/g:" and a name of its own.
        for (const TipoAcceso tipo : {TipoAcceso::Contacto, TipoAcceso::Grupo}) {
            const bool grupo = tipo == TipoAcceso::Grupo;
            const QString contenido =
                ContenidoAccesoDirecto(nombre, programa + QStringLiteral("ntxmensajes"),
                                       programa + QStringLiteral("icocrapido.png"), programa, tipo);
            QVERIFY(contenido.startsWith(QStringLiteral("[Desktop Entry]\n")));
            QCOMPARE(Desescapar(Clave(contenido, QStringLiteral("Name"))),
                     (grupo ? QStringLiteral("Enviar un mensaje al grupo ") : QStringLiteral("Enviar un mensaje a ")) +
                         nombre);
            QCOMPARE(Desescapar(Clave(contenido, QStringLiteral("Icon"))), programa + QStringLiteral("icocrapido.png"));
            QCOMPARE(Desescapar(Clave(contenido, QStringLiteral("Path"))), programa);
            QCOMPARE(Clave(contenido, QStringLiteral("Type")), QStringLiteral("Application"));

            QStringList argumentos;
            QVERIFY(DividirExec(Desescapar(Clave(contenido, QStringLiteral("Exec"))), &argumentos));
            QCOMPARE(argumentos.size(), 2);
            QCOMPARE(argumentos.at(0), programa + QStringLiteral("ntxmensajes"));
            QCOMPARE(argumentos.at(1), (grupo ? QStringLiteral("/g:\"") : QStringLiteral("/c:\"")) + nombre + u'"');
            // The client joins its arguments with blanks and looks for "/c:" and "/g:".
            QString leido;
            const ArgumentosDestinatarios a = AnalizarDestinatariosLinea(argumentos.mid(1).join(u' '));
            if (grupo) {
                QCOMPARE(a.grupos, QStringList{nombre});
                QVERIFY(a.varios());
            } else {
                QCOMPARE(AnalizarLineaDeComandos(argumentos.mid(1).join(u' '), &leido), ArgumentoContacto::Nombre);
                QCOMPARE(leido, nombre);
                QCOMPARE(a.contactos, QStringList{nombre});
                QVERIFY(!a.varios());
            }

            QTemporaryDir dir;
            const QString ruta = dir.filePath(ArchivoAcceso(nombre, tipo));
            QCOMPARE(QFileInfo(ruta).fileName(), grupo ? NombreArchivoAccesoDirecto("Grupo " + nombre) : archivo);
            QString error;
            QVERIFY2(GuardarAccesoDirecto(ruta, contenido, &error), qPrintable(error));
            QCOMPARE(Validar(ruta), QString());
        }
    }

    void nombresQueNoLleganAlPrograma_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::newRow("comilla") << "Juan \"Loco\"";
        QTest::newRow("65") << QString(65, u'x');
    }

    void nombresQueNoLleganAlPrograma()
    {
        QFETCH(QString, nombre);
        QVERIFY(!ProblemaAccesoDirecto(nombre).isEmpty());
        QTemporaryDir dir;
        DialogosGuion dialogos;
        SistemaFalso sistema;
        sistema.escritorio = dir.path() + u'/';
        CrearAccesoDirecto(dialogos, sistema, nombre);
        QCOMPARE(dialogos.llamadas.size(), 1);
        QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Exclamacion);
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void creaElLanzadorEnElEscritorio()
    {
        QTemporaryDir dir;
        DialogosGuion dialogos;
        SistemaFalso sistema;
        sistema.escritorio = dir.path() + u'/';
        sistema.carpetaDelPrograma = QStringLiteral("/opt/ntx");
        const QString nombre = QStringLiteral("Juan/Trabajo: 2");
        CrearAccesoDirecto(dialogos, sistema, nombre);
        const QString ruta = dir.filePath(QStringLiteral("Juan_Trabajo_ 2.desktop"));
        QVERIFY(QFileInfo::exists(ruta));
        QVERIFY(QFileInfo(ruta).isExecutable());
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString contenido = QString::fromUtf8(f.readAll());
        QCOMPARE(Desescapar(Clave(contenido, QStringLiteral("Icon"))), QStringLiteral("/opt/ntx/icocrapido.png"));
        QStringList argumentos;
        QVERIFY(DividirExec(Desescapar(Clave(contenido, QStringLiteral("Exec"))), &argumentos));
        QCOMPARE(argumentos,
                 (QStringList{QStringLiteral("/opt/ntx/ntxmensajes"), QStringLiteral("/c:\"Juan/Trabajo: 2\"")}));
        QCOMPARE(dialogos.llamadas.size(), 1);
        QCOMPARE(dialogos.llamadas.at(0).texto,
                 QStringLiteral("El contacto rápido ha sido guardado en el escritorio.\r\n\r\nHaga doble clic "
                                "en el ícono del escritorio para enviar un mensaje."));
        QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Informacion);
        QCOMPARE(sistema.programasIniciados, QStringList{QStringLiteral("gio")});
        QCOMPARE(
            sistema.argumentosDeProgramas.at(0),
            (QStringList{QStringLiteral("set"), ruta, QStringLiteral("metadata::trusted"), QStringLiteral("true")}));

        // Again over the same file, and without gio: replaced, no failure.
        sistema.fallarInicioDeProgramas = true;
        CrearAccesoDirecto(dialogos, sistema, nombre);
        QCOMPARE(dialogos.llamadas.size(), 2);
        QCOMPARE(dialogos.llamadas.at(1).icono, Dialogos::Icono::Informacion);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }

    void escritorioInaccesible()
    {
        QTemporaryDir dir;
        DialogosGuion dialogos;
        SistemaFalso sistema;
        sistema.escritorio = dir.filePath(QStringLiteral("no-existe")) + u'/';
        CrearAccesoDirecto(dialogos, sistema, QStringLiteral("Juan"));
        QCOMPARE(dialogos.llamadas.size(), 1);
        QCOMPARE(dialogos.llamadas.at(0).icono, Dialogos::Icono::Critico);
        QVERIFY(dialogos.llamadas.at(0).texto.startsWith(
            QStringLiteral("Error guardando el contacto rápido en el escritorio\r\n\r\n · Compruebe que "
                           "tenga permisos para escribir archivos en el escritorio")));
        QVERIFY(sistema.programasIniciados.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstAccesoDirecto)
#include "tst_accesodirecto.moc"

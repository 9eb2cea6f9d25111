// The history store when the program is killed: a helper process appends to and
// deletes from a large store and is killed with SIGKILL at random moments. After
// every kill each operation it reported done must be in the store, the one it was
// in the middle of either done or not at all, and nothing hidden.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "historial/almacenhistorial.h"
#include "operacionescaida.h"

namespace ah = almacen_historial;

namespace {

constexpr int RegistrosIniciales = 10000;
constexpr int Rondas = 50;

void aplicar(QStringList *ids, int ronda, int i)
{
    const caida::Operacion op = caida::operacion(ronda, i, ids->size());
    if (op.borrar > 0) {
        ids->removeAt(op.borrar - 1);
    } else {
        ids->append(caida::identificador(op.mensaje));
    }
}

QStringList leerIds(const QString &ruta, EstadoHistorial *estado)
{
    ah::HistorialIndexado indice;
    *estado = indice.leer(ruta);
    QStringList ids;
    ids.reserve(indice.size());
    for (qsizetype i = 0; i < indice.size(); ++i) {
        ids.append(caida::identificador(indice.texto(i, ah::CampoHistorial::Mensaje)));
    }
    return ids;
}

} // namespace

class tst_HistorialCaidas : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matarMientrasEscribe()
    {
        const QString ayudante = QStringLiteral(NTX_BIN_DIR "/ayudante_historial");
        QVERIFY2(QFileInfo(ayudante).isExecutable(), qPrintable(ayudante));
        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        const QString ruta = carpeta.filePath(QStringLiteral("Historial.ntxhist"));

        QStringList esperados;
        QVERIFY(ah::agregar(ruta, caida::registro(QStringLiteral("base-0")), QDateTime(), nullptr));
        esperados << QStringLiteral("base-0");
        {
            QByteArray resto;
            for (int i = 1; i < RegistrosIniciales; ++i) {
                const QString id = QStringLiteral("base-") + QString::number(i);
                resto += ah::lineaRegistro(caida::registro(id)) + "\r\n";
                esperados << id;
            }
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Append));
            QCOMPARE(f.write(resto), resto.size());
        }

        QRandomGenerator azar(20121119);
        QElapsedTimer reloj;
        reloj.start();
        int enMedio = 0;
        int temporales = 0;
        int danados = 0;
        qint64 duracionLargo = -1; // microseconds
        for (int ronda = 0; ronda < Rondas; ++ronda) {
            QProcess hijo;
            hijo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            hijo.start(ayudante, {ruta, QString::number(ronda)});
            QVERIFY(hijo.waitForStarted(30000));
            QVERIFY(hijo.waitForReadyRead(30000));
            QCOMPARE(hijo.readLine().trimmed(), QByteArray("listo ") + QByteArray::number(esperados.size()));

            // Killed at a random moment of a random operation: most of the time goes into
            // deletions, which rewrite 1.5 MB. Every other round aims at the long append,
            // whose single write comes at the end of it: the first such round measures
            // how long the append takes, the later ones kill near its end, so that some
            // kills cut a record.
            const bool alLargo = ronda % 2 == 1;
            const int objetivo = alLargo ? 5 : int(azar.bounded(12));
            int hechas = 0;
            bool empezada = false;
            QElapsedTimer desdeElComienzo;
            auto leerLineas = [&] {
                while (hijo.canReadLine()) {
                    const QByteArray linea = hijo.readLine();
                    if (linea.trimmed() == "e " + QByteArray::number(objetivo)) {
                        empezada = true;
                        desdeElComienzo.start();
                    } else if (!linea.startsWith('e')) {
                        ++hechas;
                    }
                }
            };
            while (!empezada && hijo.state() == QProcess::Running) {
                if (!hijo.canReadLine() && !hijo.waitForReadyRead(30000)) {
                    break;
                }
                leerLineas();
            }
            QVERIFY(empezada);
            if (alLargo && duracionLargo < 0) {
                while (hechas <= objetivo && hijo.waitForReadyRead(30000)) {
                    leerLineas();
                }
                duracionLargo = desdeElComienzo.nsecsElapsed() / 1000;
            } else {
                // The moment of the kill within the operation, not a wait for a result.
                const qint64 demora = alLargo ? duracionLargo * 88 / 100 + azar.bounded(duracionLargo * 12 / 100 + 1)
                                              : azar.bounded(8000);
                QThread::usleep(std::max<qint64>(0, demora - desdeElComienzo.nsecsElapsed() / 1000));
            }
            QCOMPARE(hijo.state(), QProcess::Running);
            hijo.kill();
            QVERIFY(hijo.waitForFinished(30000));
            leerLineas();

            // Replays what the helper reported done.
            for (int i = 0; i < hechas; ++i) {
                aplicar(&esperados, ronda, i);
            }
            QStringList conLaSiguiente = esperados;
            aplicar(&conLaSiguiente, ronda, hechas);

            if (QFileInfo::exists(ah::nombreTemporal(ruta))) {
                ++temporales;
            }
            EstadoHistorial estado;
            const QStringList leidos = leerIds(ruta, &estado);
            if (estado == HistorialErrorLectura) {
                ++danados;
            }
            QVERIFY2(estado == HistorialLeido || estado == HistorialErrorLectura, qPrintable(QString::number(estado)));
            if (leidos == conLaSiguiente) {
                esperados = conLaSiguiente;
                ++enMedio;
            }
            QVERIFY2(leidos == esperados, qPrintable(QStringLiteral("ronda %1: %2 registros leídos, %3 esperados")
                                                         .arg(ronda)
                                                         .arg(leidos.size())
                                                         .arg(esperados.size())));
            // The read removed what a killed deletion left behind.
            QVERIFY(!QFileInfo::exists(ah::nombreTemporal(ruta)));

            // Long records go again, so that the store stays near 1.5 MB.
            for (qsizetype k = esperados.size() - 1; k >= 0; --k) {
                const QString &id = esperados.at(k);
                if (id.startsWith(QLatin1Char('r')) && caida::esLarga(id.section(QLatin1Char('-'), 1).toInt())) {
                    QVERIFY(ah::borrarRegistro(ruta, int(k + 1), nullptr));
                    esperados.removeAt(k);
                }
            }
        }
        qInfo("%d rondas en %lld ms: la operación en curso llegó a hacerse en %d, quedó un temporal en %d, un registro "
              "cortado en %d",
              Rondas, reloj.elapsed(), enMedio, temporales, danados);

        // The next append leaves a whole store with everything in it, for its owner only.
        QVERIFY(ah::agregar(ruta, caida::registro(QStringLiteral("final")), QDateTime(), nullptr));
        esperados << QStringLiteral("final");
        EstadoHistorial estado;
        QCOMPARE(leerIds(ruta, &estado), esperados);
        QCOMPARE(estado, HistorialLeido);
        QVERIFY(!(QFileInfo(ruta).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther)));
    }
};

QTEST_GUILESS_MAIN(tst_HistorialCaidas)
#include "tst_historial_caidas.moc"

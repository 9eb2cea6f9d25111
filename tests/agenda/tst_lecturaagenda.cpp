// Reading the contact list from the real store: an empty or missing store is no
// contacts, a store that cannot be read is a failure the quick slots must see.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "agenda/registrocontacto.h"
#include "plataforma/ajustessqlite.h"

class TstLecturaAgenda : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void almacenSinArchivo()
    {
        QTemporaryDir dir;
        AjustesSqlite ajustes(dir.path());
        ParesAjustes pares{{QStringLiteral("x"), QStringLiteral("y")}};
        QVERIFY(ajustes.enumerarConEstado(SeccionAgenda, &pares));
        QVERIFY(pares.isEmpty());
    }

    void almacenConContactos()
    {
        QTemporaryDir dir;
        AjustesSqlite ajustes(dir.path());
        QVERIFY(ajustes.escribir(SeccionAgenda, QStringLiteral("Juan"), QStringLiteral("r1")));
        QVERIFY(ajustes.escribir(SeccionAgenda, QStringLiteral("Ana"), QStringLiteral("r2")));
        ParesAjustes pares;
        QVERIFY(ajustes.enumerarConEstado(SeccionAgenda, &pares));
        QCOMPARE(pares, (ParesAjustes{{QStringLiteral("Juan"), QStringLiteral("r1")},
                                      {QStringLiteral("Ana"), QStringLiteral("r2")}}));
    }

    void importacionEnUnaTransaccion()
    {
        QTemporaryDir dir;
        AjustesSqlite ajustes(dir.path());
        QVERIFY(ajustes.escribir(SeccionAgenda, QStringLiteral("juan"), QStringLiteral("viejo")));
        QVERIFY(ajustes.escribirVarios(SeccionAgenda, {{QStringLiteral("Ana"), QStringLiteral("r1")},
                                                       {QStringLiteral("JUAN"), QStringLiteral("r2")}}));
        QCOMPARE(ajustes.enumerar(SeccionAgenda), (ParesAjustes{{QStringLiteral("JUAN"), QStringLiteral("r2")},
                                                                {QStringLiteral("Ana"), QStringLiteral("r1")}}));
        QVERIFY(ajustes.escribirVarios(SeccionAgenda, {}));

        QTemporaryDir otro;
        QVERIFY(QDir(otro.path()).mkdir(QStringLiteral("ajustes.sqlite")));
        AjustesSqlite roto(otro.path());
        QVERIFY(!roto.escribirVarios(SeccionAgenda, {{QStringLiteral("Ana"), QStringLiteral("r1")}}));
        QVERIFY(!roto.ultimoError().isEmpty());
    }

    void almacenIlegible()
    {
        QTemporaryDir dir;
        // A folder where the store's file should be: it exists but cannot be opened.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ajustes.sqlite")));
        AjustesSqlite ajustes(dir.path());
        ParesAjustes pares;
        QVERIFY(!ajustes.enumerarConEstado(SeccionAgenda, &pares));
        QVERIFY(pares.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstLecturaAgenda)
#include "tst_lecturaagenda.moc"

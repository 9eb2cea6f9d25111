#include <QTest>
class TstFrmAgenda : public QObject
{
    Q_OBJECT
};
QTEST_MAIN(TstFrmAgenda)
#include "tst_frmagenda.moc"

#include "foundation/tcheckedlist.h"

#include <QTest>

// Lists too large for the memory throw instead of being written through a null pointer.
class TstTCheckedList : public QObject {
    Q_OBJECT

    struct TNine {
        double Values[9] = {};
    };

private slots:
    void SizedAndReserved() {
        const QList<TNine> nine = TCheckedList::Sized<TNine>(1000);
        QCOMPARE(nine.size(), 1000);
        QCOMPARE(nine.last().Values[8], 0.0);
        QList<int> list{1, 2, 3};
        TCheckedList::Reserve(list, 100);
        QVERIFY(list.capacity() >= 100);
        QCOMPARE(list, (QList<int>{1, 2, 3}));
    }

    void BeyondTheMemoryThrows() {
        const qsizetype huge = qsizetype(1) << 50;
        QVERIFY_THROWS_EXCEPTION(std::bad_alloc, TCheckedList::Sized<TNine>(huge));
        QList<TNine> held(3);
        QVERIFY_THROWS_EXCEPTION(std::bad_alloc, TCheckedList::Reserve(held, huge));
        QCOMPARE(held.size(), 3);
    }
};

QTEST_APPLESS_MAIN(TstTCheckedList)
#include "tst_tcheckedlist.moc"

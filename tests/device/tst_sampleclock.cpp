// Dating the analyzer's reports by their sample numbers, and the run's timing arithmetic.
#include "SampleClock.h"

#include <QtTest>

class TestSampleClock : public QObject
{
    Q_OBJECT
private slots:
    void dating_data()
    {
        QTest::addColumn<QList<quint32>>("indexes");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<double>>("firstKeys"); // in samples
        QTest::addColumn<QList<bool>>("lost");
        const quint32 top = (1u << 24);
        QTest::newRow("contiguous") << QList<quint32>{0, 9, 18} << 9
                                    << QList<double>{0, 9, 18} << QList<bool>{false, false, false};
        QTest::newRow("one sample further is a loss")
            << QList<quint32>{0, 9, 19} << 9 << QList<double>{0, 9, 19} << QList<bool>{false, false, true};
        QTest::newRow("lost reports leave a gap, no shift")
            << QList<quint32>{0, 9, 45, 54} << 9 << QList<double>{0, 9, 45, 54}
            << QList<bool>{false, false, true, false};
        // 2^24 is no multiple of 9: the samples go on counting past the wrap.
        QTest::newRow("counter wraps") << QList<quint32>{top - 10, top - 1, 8, 17} << 9
                                       << QList<double>{top - 10.0, top - 1.0, top + 8.0, top + 17.0}
                                       << QList<bool>{true, false, false, false};
        QTest::newRow("loss across the wrap") << QList<quint32>{top - 1, 17} << 9
                                              << QList<double>{top - 1.0, top + 17.0} << QList<bool>{true, true};
    }
    void dating()
    {
        QFETCH(QList<quint32>, indexes);
        QFETCH(int, rows);
        QFETCH(QList<double>, firstKeys);
        QFETCH(QList<bool>, lost);
        SampleClock clock;
        clock.restart(2); // 5 kHz: 0.2 ms
        QCOMPARE(clock.period(), 0.0002);
        for (int i = 0; i < indexes.size(); ++i) {
            const PacketTiming t = clock.date(indexes[i], rows);
            QCOMPARE(t.firstKey, firstKeys[i] * 0.0002);
            QCOMPARE(t.nextKey, (firstKeys[i] + rows) * 0.0002);
            QCOMPARE(t.lost, lost[i]);
        }
        clock.restart(2);
        QCOMPARE(clock.wrapOffset(), quint64(0));
        QCOMPARE(clock.date(0, rows).lost, false);
    }

    void runStartAndLimit()
    {
        // Index 0 dates the run start back by the report's length: 28 rows at 1 ms.
        QCOMPARE(redatedRunStart(100000, 10, 28), qint64(100000 - 28));
        QCOMPARE(samplePeriodSeconds(10000), 1.0);
        QVERIFY(!measuringLimitReached(9.999, 10));
        QVERIFY(measuringLimitReached(10.0, 10));
        QVERIFY(!measuringLimitReached(1e9, -1));
        QVERIFY(!windowFlushDue(20000, 10000));
        QVERIFY(windowFlushDue(20001, 10000));
        QCOMPARE(windowFlushCut(25.0), 15.02);
    }
};

QTEST_GUILESS_MAIN(TestSampleClock)
#include "tst_sampleclock.moc"

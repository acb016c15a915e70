#include "AxisUnits.h"
#include "ChannelMaps.h"
#include "OverCurrent.h"
#include "Panel.h"
#include "SampleClock.h"
#include "Settings.h"

#include <QtTest>

#include <qcustomplot.h>

#include <cmath>

// The arithmetic of the analyzer run, the over-current detector and the panel base.
class TestRunHelpers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("RunHelpers"));
    }
    void init() { QFile::remove(Settings::filePath()); }

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

    // A recording at each rate, flushed as the window does (every 10 ms, or late after a
    // stall of the window): its map keeps the points within the block it was given at
    // the start (a new block would lie elsewhere while the old one still holds them).
    void liveMapStaysInItsBlock_data()
    {
        QTest::addColumn<int>("rateWord");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("flushEveryMs");
        QTest::newRow("10 kHz") << 1 << 28 << 10;
        QTest::newRow("5 kHz, three channels") << 2 << 9 << 10;
        QTest::newRow("10 kHz, stalled window") << 1 << 28 << 700;
        QTest::newRow("100 Hz") << 100 << 28 << 10;
    }
    void liveMapStaysInItsBlock()
    {
        QFETCH(int, rateWord);
        QFETCH(int, rows);
        QFETCH(int, flushEveryMs);
        const double period = samplePeriodSeconds(quint16(rateWord));
        ChannelMap map = ChannelMap::create();
        reserveLiveMap(*map, liveMapPoints(quint16(rateWord)));
        const QCPGraphData* blockStart = nullptr;
        const QCPGraphData* blockEnd = nullptr;
        qint64 next = 0;
        double nextFlush = 10.0 + flushEveryMs / 1000.0;
        while (double(next) * period < 60.0) {
            QVector<QCPGraphData> report;
            for (int i = 0; i < rows; ++i, ++next)
                report.append(QCPGraphData(double(next) * period, 1.0));
            insertOrReplace(*map, report);
            if (!blockStart) {
                blockStart = &*map->constBegin();
                blockEnd = blockStart + liveMapPoints(quint16(rateWord));
            }
            QVERIFY(&*map->constBegin() >= blockStart && &*(map->constEnd() - 1) < blockEnd);
            const double last = (map->constEnd() - 1)->key;
            if (last >= nextFlush) {
                nextFlush += flushEveryMs / 1000.0;
                const double oldest = map->constBegin()->key;
                const double cut = windowFlushCut(last);
                takePointsBefore({map}, cut);
                if (liveMapCompactionDue(oldest, cut))
                    compactLiveMap(*map);
            }
        }
        QVERIFY(map->size() < liveMapPoints(quint16(rateWord)) / 2);
    }

    void overCurrent_data()
    {
        QTest::addColumn<int>("length");  // -1: not in the settings
        QTest::addColumn<QList<QList<double>>>("packets");
        QTest::addColumn<QList<bool>>("trips");
        const double hi = 1500000.0, lo = 1000.0;
        const QList<double> twenty(20, hi);
        QTest::newRow("21st sample trips at its packet, once")
            << -1 << QList<QList<double>>{twenty, {hi}, {hi, hi}, QList<double>(30, hi)}
            << QList<bool>{false, true, false, false};
        QList<double> broken(25, hi);
        broken << lo;
        QTest::newRow("a run broken inside the packet is not reported")
            << -1 << QList<QList<double>>{broken, {hi}} << QList<bool>{false, false};
        QList<double> exact(21, OverCurrent::threshold);
        QTest::newRow("the threshold itself counts") << -1 << QList<QList<double>>{exact} << QList<bool>{true};
        QList<double> withNan(20, hi);
        withNan << std::nan("") << hi;
        QTest::newRow("NaN breaks the run") << -1 << QList<QList<double>>{withNan} << QList<bool>{false};
        QTest::newRow("length from the settings") << 5
            << QList<QList<double>>{QList<double>(5, hi), {hi}} << QList<bool>{false, true};
    }
    void overCurrent()
    {
        QFETCH(int, length);
        QFETCH(QList<QList<double>>, packets);
        QFETCH(QList<bool>, trips);
        if (length >= 0) {
            Settings s;
            s.setValue("Main/overcurrent_length", length);
        }
        OverCurrent detector;
        QCOMPARE(detector.length(), length >= 0 ? length : 20);
        QCOMPARE(Settings().value("Main/overcurrent_length").toInt(), detector.length());
        for (int i = 0; i < packets.size(); ++i) {
            for (double v : packets[i])
                detector.feed(v);
            QCOMPARE(detector.isTripped(), trips[i]);
        }
        // After a reset a new run of length + 1 trips again.
        detector.reset();
        for (int i = 0; i <= detector.length(); ++i)
            detector.feed(2000000.0);
        QVERIFY(detector.isTripped());
    }

    void panelIsAToolWindow()
    {
        Panel panel(nullptr);
        QCOMPARE(int(panel.windowFlags()), int(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint));
        QCOMPARE(int(panel.windowFlags()), 0x200100B);
        QVERIFY(panel.testAttribute(Qt::WA_ShowWithoutActivating));
    }

    // The time axis's step follows the range's width; with five or fewer visible tick
    // gaps it is halved, then cut to a tenth of the first step.
    void keyAxisSteps_data()
    {
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("subTicks");
        QTest::newRow("10 s") << 1500.0 << 1510.0 << 1.0 << 9;
        QTest::newRow("0.5 s: 0.1 s steps halved") << 0.0 << 0.5 << 0.05 << 4;
        QTest::newRow("0.5 ms") << 0.0003 << 0.0008 << 0.00005 << 4;
        QTest::newRow("2 hours") << 0.0 << 7200.0 << 1000.0 << 9;
        QTest::newRow("3 hours: a tenth of 10000 s") << 0.0 << 10800.0 << 1000.0 << 9;
        QTest::newRow("12 days") << 0.0 << 1000000.0 << 100000.0 << 4;
        QTest::newRow("empty range") << 3.0 << 3.0 << 0.00001 << 4;
    }
    void keyAxisSteps()
    {
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(double, step);
        QFETCH(int, subTicks);
        QList<double> ticks;
        double actual = 0;
        keyAxisTicks(QCPRange(lower, upper), ticks, actual);
        QCOMPARE(actual, step);
        QCOMPARE(keyAxisSubTickCount(actual), subTicks);
        QVERIFY(ticks.size() >= 2);
        QVERIFY(ticks.first() <= lower);
        QVERIFY(ticks.last() > upper);
        QVERIFY(ticks.at(ticks.size() - 2) <= upper);
        for (int i = 1; i < ticks.size(); ++i)
            QVERIFY(std::fabs(ticks[i] - ticks[i - 1] - step) < step * 1e-6);
    }
};

QTEST_MAIN(TestRunHelpers)
#include "tst_runhelpers.moc"

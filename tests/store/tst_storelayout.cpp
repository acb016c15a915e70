// Pure helpers of the store: map inserts, record arithmetic, header checks, the record
// search over keys and the overview's step points.

#include "ChannelMaps.h"
#include "LogFixture.h"
#include "RecordFile.h"
#include "RecordLayout.h"
#include "SampleClock.h"
#include "SwapFileErrors.h"
#include "ThresholdOverview.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using Points = QVector<QCPGraphData>;
Q_DECLARE_METATYPE(Points)

namespace {
Points points(std::initializer_list<std::pair<double, double>> list)
{
    Points out;
    for (const auto& [k, v] : list)
        out.append(QCPGraphData(k, v));
    return out;
}

} // namespace

class TestStoreLayout : public QObject
{
    Q_OBJECT
private slots:
    void insertOrReplaceKeepsOnePointPerKey_data()
    {
        QTest::addColumn<Points>("held");
        QTest::addColumn<Points>("incoming");
        QTest::addColumn<QString>("expected");
        const Points held = points({{1, 10}, {2, 20}, {3, 30}});
        QTest::newRow("after the end") << held << points({{4, 1}, {5, 2}}) << "1:10 2:20 3:30 4:1 5:2";
        QTest::newRow("replacing the tail") << held << points({{2, 7}, {3, 8}, {4, 9}})
                                            << "1:10 2:7 3:8 4:9";
        QTest::newRow("between and before") << held << points({{0, 5}, {1.5, 6}})
                                            << "0:5 1:10 1.5:6 2:20 3:30";
        QTest::newRow("into an empty map") << Points() << points({{2, 1}, {3, 2}}) << "2:1 3:2";
        QTest::newRow("unsorted with a repeat") << held << points({{3, 1}, {0, 2}, {3, 4}})
                                                << "0:2 1:10 2:20 3:4";
        QTest::newRow("a point without a time") << held << points({{NAN, 1}, {2, 5}})
                                                << "1:10 2:5 3:30";
    }
    void insertOrReplaceKeepsOnePointPerKey()
    {
        QFETCH(Points, held);
        QFETCH(Points, incoming);
        QFETCH(QString, expected);
        QCPGraphDataContainer batch;
        batch.set(held, true);
        insertOrReplace(batch, incoming);
        QCOMPARE(describe(batch), expected);

        QCPGraphDataContainer single;
        single.set(held, true);
        for (const QCPGraphData& p : incoming)
            insertOrReplace(single, p.key, p.value);
        QCOMPARE(describe(single), expected);
    }

    void removeFirstPointsTakesExactlyThatMany()
    {
        QCPGraphDataContainer map;
        map.set(points({{1, 1}, {2, 2}, {3, 3}, {4, 4}}), true);
        removeFirstPoints(map, 0);
        QCOMPARE(map.size(), 4);
        removeFirstPoints(map, 3);
        QCOMPARE(describe(map), QStringLiteral("4:4"));
        removeFirstPoints(map, 5);
        QVERIFY(map.isEmpty());
    }

    // A recording appends a report's points at a time and flushes everything older than
    // the window: with the room given at the start, the points never leave that block
    // (a new block would be allocated while the old one still holds them, elsewhere), and
    // every point taken out and every one kept is the one recorded.
    void liveMapKeepsItsBlockThroughARecording()
    {
        constexpr int window = 10000;
        constexpr int perReport = 28;
        QSharedPointer<QCPGraphDataContainer> map(new QCPGraphDataContainer);
        reserveLiveMap(*map, 2 * window);
        QVERIFY(map->isEmpty());
        const QCPGraphData* blockStart = nullptr;
        const QCPGraphData* blockEnd = nullptr;
        qint64 next = 0;
        qint64 taken = 0;
        bool inOrder = true;
        for (int report = 0; report < 40 * window / perReport; ++report) {
            Points incoming;
            for (int i = 0; i < perReport; ++i, ++next)
                incoming.append(QCPGraphData(double(next), double(next) * 2));
            insertOrReplace(*map, incoming);
            if (!blockStart) {
                blockStart = &*map->constBegin();
                blockEnd = blockStart + 2 * window;
            }
            QVERIFY(&*map->constBegin() >= blockStart);
            QVERIFY(&*(map->constEnd() - 1) < blockEnd);
            if (report % 4 == 3) {
                const ChannelMaps out = takePointsBefore({map}, double(next - window));
                for (const QCPGraphData& p : *out.first())
                    inOrder = inOrder && p.key == double(taken++) && p.value == p.key * 2;
                compactLiveMap(*map);
            }
        }
        QVERIFY(inOrder);
        QCOMPARE(taken + map->size(), next);
        QCOMPARE(map->constBegin()->key, double(taken));

        releaseLiveMap(*map);
        QCOMPARE(taken + map->size(), next);
        QCOMPARE((map->constEnd() - 1)->key, double(next - 1));
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

    void windowStretch_data()
    {
        QTest::addColumn<double>("centre");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("endTime");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::newRow("middle") << 50.0 << 10.0 << 100.0 << 45.0 << 55.0;
        QTest::newRow("centre 0 starts at 0") << 0.0 << 10.0 << 100.0 << 0.0 << 10.0;
        QTest::newRow("past the end keeps its width") << 98.0 << 10.0 << 100.0 << 90.0 << 100.0;
        QTest::newRow("log shorter than the width") << 5.0 << 10.0 << 4.0 << 0.0 << 4.0;
    }
    void windowStretch()
    {
        QFETCH(double, centre);
        QFETCH(double, width);
        QFETCH(double, endTime);
        const RecordLayout::Stretch s = RecordLayout::windowStretch(centre, width, endTime);
        QTEST(s.start, "start");
        QTEST(s.end, "end");
    }

    void recordArithmeticIs64Bit()
    {
        // An hour at 10 kHz with three channels: about 1.15 GB of records.
        const qint64 recordSize = RecordLayout::recordSize(3);
        QCOMPARE(recordSize, qint64(32));
        const qint64 records = 36000000;
        QCOMPARE(RecordLayout::recordCount(632 + records * recordSize + 31, recordSize), records);
        QCOMPARE(RecordLayout::recordCount(631, recordSize), qint64(0));
        QCOMPARE(RecordLayout::estimatedIndex(3599.5, 1), qint64(35995000));
        QCOMPARE(RecordLayout::estimatedIndex(-3, 1), qint64(0));
    }

    void headerProblem_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("code");
        enum { Version, Period, Count, Mask, Kind600 };
        QTest::newRow("sound") << int(Count) << 3 << 0;
        QTest::newRow("version 5") << int(Version) << 5 << int(SwapFileErrors::WrongVersion);
        QTest::newRow("period 0") << int(Period) << 0 << int(SwapFileErrors::WrongVersion);
        QTest::newRow("count 0") << int(Count) << 0 << int(SwapFileErrors::WrongChannels);
        QTest::newRow("count beyond the mask") << int(Count) << 4 << int(SwapFileErrors::WrongChannels);
        QTest::newRow("mask without channels") << int(Mask) << 0 << int(SwapFileErrors::WrongChannels);
        QTest::newRow("second model counts its own mask")
            << int(Kind600) << 0 << int(SwapFileErrors::None);
    }
    void headerProblem()
    {
        QFETCH(int, field);
        QFETCH(int, value);
        SwapFileHeader h = analyzerHeader(0x07, 10);
        switch (field) {
        case 0: h.version = value; break;
        case 1: h.samplePeriod = quint16(value); break;
        case 2: h.channelCount = quint8(value); break;
        case 3: h.channelMask = quint8(value); break;
        case 4:
            h.deviceKind = LogFormat::PowerSupply600;
            h.channelMask = 0x01;             // ignored for this kind
            h.channelMask32 = 0x80000003u;    // channels 0, 1, 31
            break;
        }
        QTEST(RecordLayout::headerProblem(h), "code");
    }

    void thresholdsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<double>("third");
        QTest::newRow("three numbers") << "25,1000,3200" << true << 3200.0;
        QTest::newRow("two parts leave them") << "25,1000" << false << 7.0;
        // A part the overview cannot use (the overview of a level of 0 or none is empty)
        // leaves its threshold as it was; the range is the navigation dialog's.
        QTest::newRow("third no number") << "25,1000,abc" << true << 7.0;
        QTest::newRow("third zero") << "25,1000,0" << true << 7.0;
        QTest::newRow("third negative") << "25,1000,-3" << true << 7.0;
        QTest::newRow("third NaN") << "25,1000,nan" << true << 7.0;
        QTest::newRow("third infinite") << "25,1000,inf" << true << 7.0;
        QTest::newRow("third past the largest") << "25,1000,10000001" << true << 7.0;
        QTest::newRow("third the largest") << "25,1000,10000000" << true << 10000000.0;
        QTest::newRow("third the smallest") << "25,1000,0.000001" << true << 0.000001;
    }
    void thresholdsText()
    {
        QFETCH(QString, text);
        double t[3] = {5, 6, 7};
        QTEST(RecordLayout::parseThresholds(text, t), "taken");
        QTEST(t[2], "third");
    }

    // The search lands on the exact record whatever the estimate says: a log with a gap,
    // a late first key, a hint far off in either direction.
    void recordSearchFollowsTheKeys_data()
    {
        QTest::addColumn<QVector<double>>("keys");
        QTest::addColumn<double>("time");
        QTest::addColumn<qint64>("hint");
        QTest::addColumn<qint64>("lower");
        QTest::addColumn<qint64>("upper");
        const QVector<double> even = evenKeys(1000, 100); // 100 Hz
        const QVector<double> gap = evenKeys(1000, 100, 0, 499, 300); // 3 s missing after 4.99 s
        const QVector<double> late = evenKeys(1000, 100, 20.0);
        QTest::newRow("even, exact hint") << even << 2.5 << qint64(250) << qint64(250) << qint64(251);
        QTest::newRow("even, hint at 0") << even << 7.0 << qint64(0) << qint64(700) << qint64(701);
        QTest::newRow("gap, time inside it") << gap << 6.0 << qint64(600) << qint64(500) << qint64(500);
        QTest::newRow("gap, after it") << gap << 9.0 << qint64(900) << qint64(600) << qint64(601);
        QTest::newRow("late start, before it") << late << 3.0 << qint64(300) << qint64(0) << qint64(0);
        QTest::newRow("late start, inside") << late << 25.0 << qint64(2500) << qint64(500) << qint64(501);
        QTest::newRow("past the last") << even << 50.0 << qint64(5000) << qint64(1000) << qint64(1000);
    }
    void recordSearchFollowsTheKeys()
    {
        QFETCH(QVector<double>, keys);
        QFETCH(double, time);
        QFETCH(qint64, hint);
        QTemporaryDir dir;
        LogPlan plan;
        plan.header = analyzerHeader(0x01, 100);
        plan.keys = keys;
        RecordFile file;
        QVERIFY(file.open(writeLog(dir.filePath("search.talvo"), plan)));
        file.setRecordSize(16);
        QCOMPARE(file.recordCount(), qint64(keys.size()));
        qint64 index = -1;
        QVERIFY(file.lowerBound(time, hint, &index));
        QTEST(index, "lower");
        QVERIFY(file.upperBound(time, hint, &index));
        QTEST(index, "upper");
    }

    void rangesOutsideTheFileAreNeverMapped()
    {
        QTemporaryDir dir;
        RecordFile file;
        QVERIFY(file.open(writeBytes(dir.filePath("tiny"), QByteArray(100, 'x'))));
        char buffer[512];
        QVERIFY(!file.readBytes(0, 512, buffer));
        QCOMPARE(file.error(), int(SwapFileErrors::MappingError));
        QVERIFY(file.readBytes(90, 10, buffer));
        QVERIFY(!file.readBytes(-1, 10, buffer));
        file.setRecordSize(32);
        QCOMPARE(file.recordCount(), qint64(0));
        double key = 0;
        QVERIFY(!file.keyAt(0, &key));
    }

    void overviewStepsSettleByKey()
    {
        ThresholdOverview steps(10, 2);
        steps.add(0, 0);
        steps.add(1.0, 0);
        steps.startWindow();
        steps.addRecord(0.0, 10);   // at the level: rises
        steps.addRecord(0.1, NAN);  // a NaN is below: falls
        steps.addRecord(0.2, 3);
        steps.addRecord(0.3, 11);
        steps.endWindow(0.4);       // left high: closed at the window's end
        steps.add(1.0, 0);
        QCOMPARE(describe([&] {
                     QCPGraphDataContainer c;
                     c.set(steps.points(), true);
                     return c;
                 }()),
                 QStringLiteral("-0.0001:0 0:2 0.09999:2 0.1:0 0.2999:0 0.3:2 0.3999999:2 0.4:0 1:0"));
    }
};

QTEST_GUILESS_MAIN(TestStoreLayout)
#include "tst_storelayout.moc"

// Records: append from the chart's maps, and reading windows, the first seconds, the end
// time and a channel's average back out of logs with and without gaps.

#include "../ui/FileSizeLimit.h"
#include "DamagedLogs.h"
#include "DeviceControl.h"
#include "LogFixture.h"
#include "LoggerState.h"
#include "SwapFile.h"
#include "SwapFileWriter.h"
#include "TruncationFault.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <cfloat>
#include <cmath>
#include <csignal>

namespace {
constexpr quint16 period8Hz = 1250; // 0.125 s: every key is exact in binary

int lastCode(const QSignalSpy& spy)
{
    return spy.isEmpty() ? 0 : spy.last().at(0).toInt();
}

// Fills map `index` with `count` points of keys k × 0.125 and values index × 1000 + k.
void fill(ChannelMaps& maps, int index, int count, int firstRecord = 0)
{
    for (int k = firstRecord; k < firstRecord + count; ++k)
        maps[index]->add(QCPGraphData(k * 0.125, index * 1000 + k));
}

// Creates `path` for channels 0 and 2 at 8 Hz with its header, and holds 100 points in
// each of the two maps; false when the file cannot be created.
bool startRecording(SwapFile& file, const QString& path, ChannelMaps& maps)
{
    if (!file.create(path))
        return false;
    DeviceControl control;
    control.setChannelMask(0x0005);
    control.setSampleRate(period8Hz);
    file.writeHeader(control);
    maps = emptyMaps(3);
    fill(maps, 0, 100);
    fill(maps, 2, 100);
    return true;
}
} // namespace

class TestSwapFileRecords : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    // Channels 0 and 2 at 8 Hz; values k × 10 + position.
    QString analyzerLog(const QString& name, const QVector<double>& keys)
    {
        LogPlan plan;
        plan.header = analyzerHeader(0x05, period8Hz);
        plan.keys = keys;
        return writeLog(m_dir.filePath(name), plan);
    }

private slots:
    void init()
    {
        powerSupplyConnected = false;
        power600Model = false;
    }

    void readWindowShowsTheStretchAskedFor_data()
    {
        QTest::addColumn<QVector<double>>("keys");
        QTest::addColumn<double>("centre");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("firstKey");
        QTest::addColumn<double>("lastKey");
        const QVector<double> even = evenKeys(160, period8Hz); // 0 .. 19.875 s
        QTest::newRow("start") << even << 0.0 << 4.0 << 0.0 << 4.0;
        QTest::newRow("middle") << even << 10.0 << 4.0 << 8.0 << 12.0;
        QTest::newRow("past the end") << even << 19.5 << 4.0 << 15.875 << 19.875;
        QTest::newRow("wider than the log") << evenKeys(20, period8Hz) << 1.0 << 10.0 << 0.0 << 2.375;
        // Three seconds lost after 4.875 s: the records of 8 s lie 24 places earlier
        // than evenly spaced records would.
        QTest::newRow("after lost packets") << evenKeys(160, period8Hz, 0, 39, 24) << 10.0 << 4.0
                                            << 8.0 << 12.0;
        QTest::newRow("first key late") << evenKeys(160, period8Hz, 5.0) << 7.0 << 2.0 << 6.0 << 8.0;
    }
    void readWindowShowsTheStretchAskedFor()
    {
        QFETCH(QVector<double>, keys);
        QFETCH(double, centre);
        QFETCH(double, width);
        QFETCH(double, firstKey);
        QFETCH(double, lastKey);
        const QString path = analyzerLog("window.talvo", keys);
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        ChannelMaps maps = emptyMaps(3);
        QVERIFY(file.load(path, 0, maps));
        QCOMPARE(file.endTime(), keys.constLast());

        QVERIFY(file.readWindow(centre, width, maps));
        QVERIFY(errors.isEmpty());
        const QVector<double> shown = keysOf(*maps[0]);
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.constFirst(), firstKey);
        QCOMPARE(shown.constLast(), lastKey);
        const qsizetype first = keys.indexOf(firstKey);
        QCOMPARE(shown, keys.mid(first, keys.indexOf(lastKey) - first + 1));
        // Record position 1 is channel 2: map 2, and map 1 stays empty.
        QCOMPARE(keysOf(*maps[2]), shown);
        QVERIFY(maps[1]->isEmpty());
        QCOMPARE(valuesOf(*maps[2]).constFirst(), double(first * 10 + 1));

        // Reading again over what the maps hold replaces points instead of doubling them.
        QVERIFY(file.readWindow(centre + 1, width, maps));
        const QVector<double> again = keysOf(*maps[0]);
        QVERIFY(std::adjacent_find(again.begin(), again.end()) == again.end());
        QCOMPARE(again.constFirst(), firstKey);
    }

    void loadReadsTheFirstSecondsByKind_data()
    {
        QTest::addColumn<quint8>("kind");
        QTest::addColumn<bool>("supply");
        QTest::addColumn<bool>("model600");
        QTest::addColumn<int>("mapOfSecondChannel");
        QTest::newRow("analyzer") << quint8(0) << false << false << 2;
        QTest::newRow("supply") << quint8(1) << true << false << 1;
        QTest::newRow("second supply model") << quint8(2) << false << true << 1;
    }
    void loadReadsTheFirstSecondsByKind()
    {
        QFETCH(quint8, kind);
        QFETCH(int, mapOfSecondChannel);
        LogPlan plan;
        plan.header = analyzerHeader(0x05, period8Hz);
        plan.header.deviceKind = kind;
        if (kind == LogFormat::PowerSupply600) {
            plan.header.channelMask = 0x01;
            plan.header.channelMask32 = 0x05;
        }
        plan.keys = evenKeys(160, period8Hz, 1.0);
        const QString path = writeLog(m_dir.filePath("first.log"), plan);

        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        ChannelMaps maps = emptyMaps(3);
        QVERIFY(file.load(path, 2, maps));
        QVERIFY(errors.isEmpty());
        QTEST(powerSupplyConnected, "supply");
        QTEST(power600Model, "model600");
        // Two seconds from the first record.
        QCOMPARE(keysOf(*maps[0]), plan.keys.mid(0, 16));
        QCOMPARE(keysOf(*maps[mapOfSecondChannel]), plan.keys.mid(0, 16));
        QCOMPARE(valuesOf(*maps[mapOfSecondChannel]).at(3), 31.0);
        QCOMPARE(file.endTime(), plan.keys.constLast());
        // Only an analyzer log gets its threshold overview.
        QCOMPARE(file.overview->isEmpty(), kind != LogFormat::Analyzer);
    }

    // A log cut off anywhere keeps every whole record; its figures come from them, never
    // from sample bytes read as the report block. A sound log keeps its own report block.
    void cutOffLogsKeepTheirWholeRecords_data()
    {
        QTest::addColumn<quint8>("mask");
        QTest::addColumn<qint64>("fileSize");
        QTest::addColumn<qint64>("held");
        QTest::addColumn<bool>("cutOff");
        // 400 records of channels 0 to 2 (32 bytes each), or of channels 0 and 1 (24).
        QTest::newRow("sound") << quint8(7) << qint64(632 + 400 * 32) << qint64(400) << false;
        QTest::newRow("inside a record") << quint8(7) << qint64(512 + 250 * 32 + 13) << qint64(250) << true;
        QTest::newRow("end block lines up") << quint8(7) << qint64(512 + 250 * 32 + 24) << qint64(250) << true;
        QTest::newRow("no end block") << quint8(7) << qint64(512 + 400 * 32) << qint64(400) << true;
        QTest::newRow("end block cut short") << quint8(7) << qint64(512 + 400 * 32 + 60) << qint64(400) << true;
        QTest::newRow("at a record, records of 24 bytes") << quint8(3) << qint64(512 + 300 * 24) << qint64(300)
                                                          << true;
        QTest::newRow("header only") << quint8(7) << qint64(512) << qint64(0) << true;
    }
    void cutOffLogsKeepTheirWholeRecords()
    {
        QFETCH(quint8, mask);
        QFETCH(qint64, fileSize);
        QFETCH(qint64, held);
        QFETCH(bool, cutOff);
        LogPlan plan;
        plan.header = analyzerHeader(mask, 10);
        plan.keys = evenKeys(400, 10);
        plan.report.latestKey = plan.keys.constLast();
        plan.report.count = 400;
        plan.report.channel[0] = {1.5, 2.5, 2.0, 800.0}; // the file's own figures
        const QByteArray whole = buildLog(plan);
        const QString path = writeBytes(m_dir.filePath("cut.talvo"), whole.left(fileSize));

        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        ChannelMaps maps = emptyMaps(3);
        QVERIFY(file.load(path, 1, maps));
        QVERIFY(errors.isEmpty());
        QCOMPARE(file.isCutOff(), cutOff);
        QCOMPARE(file.recordsHeld(), held);
        const double lastKey = held > 0 ? plan.keys.at(held - 1) : 0.0;
        QCOMPARE(file.endTime(), lastKey);
        QCOMPARE(file.timeRange, QCPRange(0, lastKey));

        const ChannelStatistics report = file.readReport();
        QVERIFY(errors.isEmpty());
        if (!cutOff) {
            QCOMPARE(report.channel[0].maximum, 2.5);
            QCOMPARE(report.count, qint64(400));
            return;
        }
        // Record k holds k × 10 + position.
        QCOMPARE(report.count, held);
        QCOMPARE(report.latestKey, lastKey);
        QCOMPARE(report.lowerKey, 0.0);
        if (held > 0) {
            QCOMPARE(report.channel[0].minimum, 0.0);
            QCOMPARE(report.channel[0].maximum, double((held - 1) * 10));
            QCOMPARE(report.channel[1].maximum, double((held - 1) * 10 + 1));
            QCOMPARE(report.channel[0].average, (held - 1) * 5.0);
        }

        // Reading at the end stops at the last whole record.
        maps = emptyMaps(3);
        QVERIFY(file.readWindow(lastKey, 1.0, maps));
        if (held > 0)
            QCOMPARE(keysOf(*maps[0]).constLast(), lastKey);
        QCOMPARE((file.overview->constEnd() - 1)->key, lastKey);
    }

    // Every file of the damaged-log table opens with exactly the samples it holds: no
    // zero fill and no byte of an end block becomes a sample, no sample is lost, and the
    // figures come from the end block only where it agrees with the records.
    void damagedLogsHoldTheirSamples_data() { DamagedLogs::addRows(); }
    void damagedLogsHoldTheirSamples()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(quint8, kind);
        QFETCH(qint64, records);
        QFETCH(double, lastKey);
        QFETCH(bool, cutOff);
        const QString path = writeBytes(m_dir.filePath("damaged.talvo"), bytes);

        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        ChannelMaps maps = emptyMaps(3);
        QVERIFY(file.load(path, 1, maps));
        QVERIFY(errors.isEmpty());
        // What opening tells the user: whether the log was cut off, and its samples.
        QCOMPARE(file.isCutOff(), cutOff);
        QCOMPARE(file.recordsHeld(), records);
        QCOMPARE(file.endTime(), lastKey);
        QCOMPARE(maps[0]->isEmpty() ? 0.0 : (maps[0]->constEnd() - 1)->key, lastKey);
        if (kind != LogFormat::Analyzer)
            return;
        // The report bar, the calculator and the navigation strip.
        const ChannelStatistics report = file.readReport();
        QVERIFY(errors.isEmpty());
        QCOMPARE(report.count, records);
        QCOMPARE(report.latestKey, lastKey);
        QCOMPARE(file.timeRange, QCPRange(0, lastKey));
    }

    void channelAverageAndEmptyWindows()
    {
        const QString path = analyzerLog("average.talvo", evenKeys(160, period8Hz));
        SwapFile file;
        ChannelMaps maps = emptyMaps(3);
        QVERIFY(file.load(path, 0, maps));
        // Records 8..16 (1 s to 2 s): the second value of record k is k × 10 + 1.
        QCOMPARE(file.channelAverage(QCPRange(1.0, 2.0), 2), 121.0);
        QCOMPARE(file.channelAverage(QCPRange(1.0, 2.0), 0), 120.0);
        QCOMPARE(file.channelAverage(QCPRange(1.0, 2.0), 1), DBL_MAX);
        // Moved back to end at the last record: records 79..159.
        QCOMPARE(file.channelAverage(QCPRange(30.0, 40.0), 0), 1190.0);

        QSignalSpy errors(&file, &SwapFile::swapFileError);
        QVERIFY(!file.readWindow(5, -1, maps));
        QCOMPARE(lastCode(errors), 8);
        QVERIFY(!file.readWindow(5, std::nan(""), maps));
        QCOMPARE(lastCode(errors), 8);
        QVERIFY(maps[0]->isEmpty());
    }

    void appendWritesWholeRecords_data()
    {
        QTest::addColumn<bool>("supply");
        QTest::addColumn<QList<int>>("lengths"); // points per map
        QTest::addColumn<int>("records");
        QTest::newRow("maps of one length") << false << QList<int>({12, 0, 12}) << 12;
        QTest::newRow("a short map limits") << false << QList<int>({12, 0, 7}) << 7;
        QTest::newRow("supply maps by position") << true << QList<int>({9, 9, 4}) << 9;
    }
    void appendWritesWholeRecords()
    {
        QFETCH(bool, supply);
        QFETCH(QList<int>, lengths);
        QFETCH(int, records);
        powerSupplyConnected = supply;
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        const QString path = m_dir.filePath("append.tmp");
        QVERIFY(file.create(path));
        if (supply) {
            file.writeHeader(2, 0x0A, false, period8Hz, false); // channels 1 and 3
        } else {
            DeviceControl control;
            control.setChannelMask(0x0005);
            control.setSampleRate(period8Hz);
            file.writeHeader(control);
        }
        ChannelMaps maps = emptyMaps(3);
        for (int i = 0; i < 3; ++i)
            fill(maps, i, lengths[i]);
        // Written in two flushes, the way the chart hands over its old points.
        ChannelMaps firstHalf = emptyMaps(3);
        for (int i = 0; i < 3; ++i)
            fill(firstHalf, i, std::min(lengths[i], 5));
        QVERIFY(file.appendOnWorker(firstHalf, true));
        for (const ChannelMap& map : firstHalf)
            QVERIFY(map->isEmpty());
        for (const ChannelMap& map : maps)
            removeFirstPoints(*map, 5);
        QVERIFY(file.appendOnWorker(maps, true));
        QVERIFY(errors.isEmpty());
        QCOMPARE(file.recordsWritten(), qint64(records));

        const QList<int> sources = supply ? QList<int>({0, 1}) : QList<int>({0, 2});
        LogPlan expected;
        expected.header = decodeHeader(readAll(path).constData());
        expected.keys = evenKeys(records, period8Hz);
        expected.withReport = false;
        expected.value = [&](qint64 k, int p) { return double(sources[p] * 1000 + k); };
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes.size(), 512 + records * 24);
        QCOMPARE(bytes.mid(512), buildLog(expected).mid(512));
        // What was not written stays in the maps.
        for (int i = 0; i < 3; ++i) {
            const int left = sources.contains(i) ? std::max(0, lengths[i] - records) : 0;
            QCOMPARE(maps[i]->size(), left);
        }
    }

    void failedWriteLeavesAReadableFile()
    {
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        const QString path = m_dir.filePath("full-disk.tmp");
        ChannelMaps maps;
        QVERIFY(startRecording(file, path, maps));
        {
            // Room for ten and a half records.
            FileSizeLimit limit(512 + 10 * 24 + 12);
            QVERIFY(!file.append(maps, true));
        }
        QCOMPARE(lastCode(errors), 6);
        const qint64 size = readAll(path).size();
        QCOMPARE((size - 512) % 24, qint64(0));
        const qint64 written = (size - 512) / 24;
        QCOMPARE(file.recordsWritten(), written);
        // The points that did not reach the file are still there, and go out next time.
        QCOMPARE(maps[0]->size(), int(100 - written));
        QVERIFY(file.append(maps, true));
        QVERIFY(file.writeReport(freshStatistics()));

        QVERIFY(file.readEndTime());
        QCOMPARE(file.endTime(), 99 * 0.125);
        ChannelMaps back = emptyMaps(3);
        QVERIFY(file.readWindow(0, 100, back));
        QCOMPARE(keysOf(*back[0]), evenKeys(100, period8Hz));
        QCOMPARE(valuesOf(*back[2]).constLast(), 2099.0);
    }

    // A refused write leaves part of its records behind and cutting them off fails too:
    // the file takes no record until they are gone, the caller keeps every record, and
    // once the cut succeeds each record is in the file exactly once, in order.
    void failedCleanUpTakesNoMoreRecords_data()
    {
        QTest::addColumn<int>("leftBytes"); // what the refused write left behind
        QTest::newRow("whole records") << 10 * 24;
        QTest::newRow("part of a record") << 10 * 24 + 12;
    }
    void failedCleanUpTakesNoMoreRecords()
    {
        QFETCH(int, leftBytes);
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        const QString path = m_dir.filePath("failed-cleanup.tmp");
        ChannelMaps maps;
        QVERIFY(startRecording(file, path, maps));

        TruncationFault cutFails;
        {
            FileSizeLimit limit(512 + leftBytes);
            QVERIFY(!file.append(maps, true));
        }
        QCOMPARE(lastCode(errors), 6);
        QCOMPARE(readAll(path).size(), 512 + leftBytes);
        QCOMPARE(file.recordsWritten(), qint64(0));
        QCOMPARE(maps[0]->size(), 100);

        // The disk has room again, but what was left behind still cannot go.
        errors.clear();
        QVERIFY(!file.append(maps, true));
        QCOMPARE(lastCode(errors), 6);
        QCOMPARE(readAll(path).size(), 512 + leftBytes);
        QCOMPARE(file.recordsWritten(), qint64(0));
        QCOMPARE(maps[0]->size(), 100);

        cutFails.lift();
        QVERIFY(file.append(maps, true));
        QCOMPARE(file.recordsWritten(), qint64(100));
        LogPlan expected;
        expected.header = decodeHeader(readAll(path).constData());
        expected.keys = evenKeys(100, period8Hz);
        expected.withReport = false;
        expected.value = [](qint64 k, int p) { return double(p * 2000 + k); };
        QCOMPARE(readAll(path).mid(512), buildLog(expected).mid(512));
    }

    // The background writer keeps the order of the batches handed to it. After a refused
    // write it hands back the unwritten points and every later batch, in order, even
    // once the disk has room again, and writes on only when all of them were taken back.
    void backgroundWriterKeepsTheRecordsInOrder()
    {
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        const QString path = m_dir.filePath("background.tmp");
        QVERIFY(file.create(path));
        DeviceControl control;
        control.setChannelMask(0x0005);
        control.setSampleRate(period8Hz);
        file.writeHeader(control);
        const auto batch = [](int first, int count) {
            ChannelMaps maps = emptyMaps(3);
            fill(maps, 0, count, first);
            fill(maps, 2, count, first);
            return maps;
        };
        SwapFileWriter& writer = file.writer();
        writer.write(batch(0, 10));
        writer.write(batch(10, 10));
        writer.waitUntilIdle();
        QCOMPARE(file.recordsWritten(), qint64(20));
        QVERIFY(writer.takeRefused().isEmpty());
        {
            FileSizeLimit limit(512 + 25 * 24 + 12);
            writer.write(batch(20, 10));
            writer.waitUntilIdle();
        }
        QCOMPARE(lastCode(errors), 6);
        QVERIFY(!writer.accepting());
        writer.write(batch(30, 10));
        writer.waitUntilIdle();
        QCOMPARE(file.recordsWritten(), qint64(20));

        const QList<ChannelMaps> refused = writer.takeRefused();
        QVERIFY(writer.accepting());
        ChannelMaps back = emptyMaps(3);
        for (const ChannelMaps& maps : refused)
            addPoints(back, maps);
        QCOMPARE(keysOf(*back[0]), evenKeys(40, period8Hz).mid(20));
        writer.write(back);
        writer.waitUntilIdle();
        QVERIFY(writer.takeRefused().isEmpty());
        QCOMPARE(file.recordsWritten(), qint64(40));

        LogPlan expected;
        expected.header = decodeHeader(readAll(path).constData());
        expected.keys = evenKeys(40, period8Hz);
        expected.withReport = false;
        expected.value = [](qint64 k, int p) { return double(p * 2000 + k); };
        QCOMPARE(readAll(path).mid(512), buildLog(expected).mid(512));
    }

    void appendWithoutAMapForARecordedChannel()
    {
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        QVERIFY(file.create(m_dir.filePath("short-list.tmp")));
        DeviceControl control;
        control.setChannelMask(0x0005);
        control.setSampleRate(period8Hz);
        file.writeHeader(control);
        ChannelMaps maps = emptyMaps(2); // channel 2 has no map
        fill(maps, 0, 3);
        QVERIFY(!file.append(maps, true));
        QCOMPARE(lastCode(errors), 11);
        QCOMPARE(maps[0]->size(), 3);
        QCOMPARE(readAll(file.fileName()).size(), 512);
    }
};

QTEST_MAIN(TestSwapFileRecords)
#include "tst_swapfilerecords.moc"

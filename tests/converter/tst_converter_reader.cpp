#include "LogLayout.h"
#include "ReaderErrors.h"
#include "SwapFile.h"
#include "TestLogs.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestLogs;

class TestConverterReader : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void openSummaries_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("endTime");
        QTest::addColumn<qint64>("creationTime");
        QTest::addColumn<QList<int>>("channels");

        const qint64 created = 1700000000123;
        const SwapFileHeader three = header(0x07, 10);
        const QByteArray threeChannels = logBytes(three, created, records(25, 10, 3));
        QTest::newRow("3 channels") << threeChannels << true << 0 << 0.024 << created << QList<int>{0, 1, 2};
        QTest::newRow("1 channel, mask 0b100") << logBytes(header(0x04, 100), created, records(11, 100, 1)) << true
                                               << 0 << 0.1 << created << QList<int>{2};
        QTest::newRow("mask 0b101") << logBytes(header(0x05, 10), created, records(3, 10, 2)) << true << 0 << 0.002
                                    << created << QList<int>{0, 2};
        // The second supply model keeps its channels in the 32-bit mask; its 8-bit mask
        // stays at 1 and says nothing of them.
        QTest::newRow("second supply model, channels 3 and 17")
            << logBytes(header600(1u << 3 | 1u << 17), created, records(4, 10, 2)) << true << 0 << 0.003 << created
            << QList<int>{3, 17};
        QTest::newRow("second supply model, channel 31")
            << logBytes(header600(1u << 31), created, records(4, 10, 1)) << true << 0 << 0.003 << created
            << QList<int>{31};
        QTest::newRow("second supply model, four channels")
            << logBytes(header600(0x0F), created, records(5, 10, 4)) << false << int(WrongChannels) << 0.0
            << qint64(0) << QList<int>{};
        QTest::newRow("version 1 has no creation time")
            << logBytes(header(0x07, 10, 1), created, records(5, 10, 3)) << true << 0 << 0.004 << qint64(0)
            << QList<int>{0, 1, 2};
        QTest::newRow("gap after lost packets") << logBytes(three, created, records(20, 10, 3, 5, 105)) << true << 0
                                                << 0.119 << created << QList<int>{0, 1, 2};
        QTest::newRow("no records") << logBytes(three, created, {}) << true << 0 << 0.0 << created
                                    << QList<int>{0, 1, 2};
        QTest::newRow("header block only") << encodeHeaderBlock(three, created) << true << 0 << 0.0 << created
                                           << QList<int>{0, 1, 2};
        // A run cut short by a crash: no report block, the last record half written.
        // Every whole record counts; only the cut record is left out.
        QByteArray cut = logBytes(three, created, records(20, 10, 3), false);
        cut.chop(12);
        QTest::newRow("truncated in a record") << cut << true << 0 << 0.018 << created << QList<int>{0, 1, 2};

        // Files that are no log, by the rule the logger opens logs by: too short to hold a
        // header, of an unknown kind, or with a layout that describes no records.
        QTest::newRow("empty file") << QByteArray() << false << int(NotALog) << 0.0 << qint64(0) << QList<int>{};
        QTest::newRow("100 bytes") << threeChannels.left(100) << false << int(NotALog) << 0.0 << qint64(0)
                                   << QList<int>{};
        QTest::newRow("511 bytes") << threeChannels.left(511) << false << int(NotALog) << 0.0 << qint64(0)
                                   << QList<int>{};
        QByteArray text;
        while (text.size() < 1800)
            text += "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod.\n";
        QTest::newRow("plain text") << text << false << int(NotALog) << 0.0 << qint64(0) << QList<int>{};
        SwapFileHeader unknownKind = three;
        unknownKind.deviceKind = 3;
        QTest::newRow("unknown kind") << logBytes(unknownKind, created, records(5, 10, 3)) << false << int(NotALog)
                                      << 0.0 << qint64(0) << QList<int>{};
        SwapFileHeader newerNoRecords = header(0x07, 0, 5);
        QTest::newRow("newer version over a layout of no records")
            << logBytes(newerNoRecords, created, records(5, 10, 3)) << false << int(NotALog) << 0.0 << qint64(0)
            << QList<int>{};
        QTest::newRow("version 5") << logBytes(header(0x07, 10, 5), created, records(5, 10, 3)) << false
                                   << int(WrongVersion) << 0.0 << qint64(0) << QList<int>{};
        QTest::newRow("version -1 is a large unsigned number")
            << logBytes(header(0x07, 10, -1), created, records(5, 10, 3)) << false << int(WrongVersion) << 0.0
            << qint64(0) << QList<int>{};
        SwapFileHeader mismatch = three;
        mismatch.channelCount = 2;
        QTest::newRow("count does not match mask") << logBytes(mismatch, created, records(5, 10, 2)) << false
                                                   << int(NotALog) << 0.0 << qint64(0) << QList<int>{};
        QTest::newRow("four channels") << logBytes(header(0x0F, 10), created, records(5, 10, 4)) << false
                                       << int(WrongChannels) << 0.0 << qint64(0) << QList<int>{};
        QTest::newRow("no channel") << logBytes(header(0x00, 10), created, records(5, 10, 0)) << false
                                    << int(NotALog) << 0.0 << qint64(0) << QList<int>{};
        SwapFileHeader count255 = three;
        count255.channelCount = 255;
        QTest::newRow("channel count 255") << logBytes(count255, created, records(5, 10, 3)) << false
                                           << int(NotALog) << 0.0 << qint64(0) << QList<int>{};
        QTest::newRow("period 0") << logBytes(header(0x07, 0), created, records(5, 10, 3)) << false
                                  << int(NotALog) << 0.0 << qint64(0) << QList<int>{};
        QTest::newRow("negative period") << logBytes(header(0x07, 0x8000), created, records(5, 10, 3)) << false
                                         << int(WrongSamplePeriod) << 0.0 << qint64(0) << QList<int>{};
    }
    void openSummaries()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QFETCH(int, code);
        QFETCH(double, endTime);
        QFETCH(qint64, creationTime);
        QFETCH(QList<int>, channels);

        const QString name = path(QStringLiteral("log.talvo"));
        QVERIFY(writeFile(name, bytes));
        SwapFile reader;
        QSignalSpy errors(&reader, &SwapFile::swapFileError);
        const LogSummary summary = reader.open(name);
        QCOMPARE(summary.valid, valid);
        QCOMPARE(errors.size(), code ? 1 : 0);
        if (code)
            QCOMPARE(errors.first().first().toInt(), code);
        QVERIFY(qAbs(summary.endTime - endTime) < 1e-9);
        QCOMPARE(summary.creationTime, creationTime);
        if (valid) {
            QCOMPARE(reader.channelList(), channels);
            QCOMPARE(summary.header.channelMask, decodeHeader(bytes.constData()).channelMask);
        } else {
            QCOMPARE(summary.header.version, defaultSwapFileHeader().version);
        }
        // The reader stays usable: the next log opens as if nothing had happened.
        writeLog(path(QStringLiteral("good.talvo")), 0x03, 4);
        QVERIFY(reader.open(path(QStringLiteral("good.talvo"))).valid);
    }

    void missingFile()
    {
        SwapFile reader;
        QSignalSpy errors(&reader, &SwapFile::swapFileError);
        QVERIFY(!reader.open(path(QStringLiteral("nothing.talvo"))).valid);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.first().first().toInt(), int(CantOpenFile));
    }

    // Record ranges over logs without and with a gap: the estimate is exact for even
    // records, the keys decide after a gap.
    void recordRanges_data()
    {
        QTest::addColumn<int>("gapFrom");
        QTest::addColumn<int>("gapTo");
        QTest::addColumn<qint64>("startSec");
        QTest::addColumn<qint64>("duration");
        QTest::addColumn<qint64>("first");
        QTest::addColumn<qint64>("count");
        // 10 records per second, 100 records: keys 0.0 .. 9.9.
        QTest::newRow("all") << -1 << -1 << qint64(0) << qint64(-1) << qint64(0) << qint64(100);
        QTest::newRow("from 3 s for 2 s") << -1 << -1 << qint64(3) << qint64(2) << qint64(30) << qint64(20);
        QTest::newRow("past the end stops at the end") << -1 << -1 << qint64(8) << qint64(5) << qint64(80)
                                                       << qint64(20);
        QTest::newRow("duration 0") << -1 << -1 << qint64(2) << qint64(0) << qint64(20) << qint64(0);
        // Values no form offers, from an edited settings file.
        QTest::newRow("duration too long to add to the start")
            << -1 << -1 << qint64(3) << std::numeric_limits<qint64>::max() << qint64(30) << qint64(70);
        QTest::newRow("start beyond every key") << -1 << -1 << qint64(4000000000000000000) << qint64(-1)
                                                << qint64(100) << qint64(0);
        // Samples 20..49 lost: keys 0.0..1.9, then 5.0.. (100 records up to 12.9 s).
        QTest::newRow("start inside the gap") << 20 << 50 << qint64(3) << qint64(-1) << qint64(20) << qint64(80);
        QTest::newRow("start after the gap") << 20 << 50 << qint64(6) << qint64(2) << qint64(30) << qint64(20);
        QTest::newRow("range ends in the gap") << 20 << 50 << qint64(1) << qint64(2) << qint64(10) << qint64(10);
    }
    void recordRanges()
    {
        QFETCH(int, gapFrom);
        QFETCH(int, gapTo);
        QFETCH(qint64, startSec);
        QFETCH(qint64, duration);
        QFETCH(qint64, first);
        QFETCH(qint64, count);
        const std::vector<Record> keys = records(100, 1000, 0, gapFrom, gapTo);
        const LogLayout layout = layoutOf(header(0x01, 1000));
        int reads = 0;
        const KeyReader keyAt = [&](qint64 i, double& key) {
            ++reads;
            key = keys.at(size_t(i))[0];
            return true;
        };
        RecordRange range;
        QVERIFY(findRecordRange(startSec, duration, layout, qint64(keys.size()), keyAt, range));
        QCOMPARE(range.first, first);
        QCOMPARE(range.count, count);
        QVERIFY(reads <= 2 * 16);
    }

    // Without gaps a range holds the records the evenly spaced layout gives it: it starts
    // at record t × 10000 / period and holds duration × 10000 / period records (both
    // rounded down), also at custom periods that do not divide a second.
    void rangesOfEvenLogs_data()
    {
        QTest::addColumn<int>("period");
        for (int period : {1, 3, 7, 10, 333, 10000, 32767})
            QTest::newRow(qPrintable(QString::number(period))) << period;
    }
    void rangesOfEvenLogs()
    {
        QFETCH(int, period);
        const std::vector<Record> keys = records(90000 / period + 2, quint16(period), 0);
        const LogLayout layout = layoutOf(header(0x01, quint16(period)));
        const KeyReader keyAt = [&](qint64 i, double& key) {
            key = keys.at(size_t(i))[0];
            return true;
        };
        for (qint64 start : {0, 1, 2, 3, 5}) {
            for (qint64 duration : {0, 1, 2, 3}) {
                RecordRange range;
                QVERIFY(findRecordRange(start, duration, layout, qint64(keys.size()), keyAt, range));
                const QString at = QStringLiteral("from %1 s for %2 s").arg(start).arg(duration);
                QVERIFY2(range.first == start * 10000 / period, qPrintable(at));
                QVERIFY2(range.count == duration * 10000 / period, qPrintable(at));
            }
        }
    }

    void headerChecks_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("code");
        QTest::newRow("version 0") << 0 << 1 << 0x01 << 1 << 0;
        QTest::newRow("version 4, 3 channels, mask 0xE0") << 4 << 3 << 0xE0 << 32767 << 0;
        QTest::newRow("version 4 but period 0") << 4 << 1 << 0x01 << 0 << int(NotALog);
        QTest::newRow("negative period") << 4 << 1 << 0x01 << 0x8000 << int(WrongSamplePeriod);
        QTest::newRow("newer version of a sound header") << 9 << 1 << 0x01 << 10 << int(WrongVersion);
        QTest::newRow("newer version over no records is no log") << 9 << 5 << 0x01 << 0 << int(NotALog);
        QTest::newRow("four channels") << 4 << 4 << 0x0F << 10 << int(WrongChannels);
    }
    void headerChecks()
    {
        QFETCH(int, version);
        QFETCH(int, count);
        QFETCH(int, mask);
        QFETCH(int, period);
        QFETCH(int, code);
        SwapFileHeader h = defaultSwapFileHeader();
        h.version = version;
        h.channelCount = quint8(count);
        h.channelMask = quint8(mask);
        h.samplePeriod = quint16(period);
        QCOMPARE(checkHeaderLayout(h), code);
        if (code == 0)
            QCOMPARE(layoutOf(h).recordLength, (count + 1) * 8);
    }
};

QTEST_MAIN(TestConverterReader)
#include "tst_converter_reader.moc"

// The threshold overview: its step points at the edges of a log, the milliampere
// threshold of channel 0, the seams between mapped windows, refusals and cancel.

#include "LogFixture.h"
#include "LoggerState.h"
#include "ProgressDialog.h"
#include "SwapFile.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
constexpr quint16 period8Hz = 1250;
} // namespace

class TestSwapFileOverview : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    // Channels 0 and 1, 8 Hz, `records` records; channel 0 = current(k), channel 1 = voltage(k).
    QString log(qint64 records, std::function<double(qint64)> current,
                std::function<double(qint64)> voltage)
    {
        LogPlan plan;
        plan.header = analyzerHeader(0x03, period8Hz);
        plan.keys = evenKeys(records, period8Hz);
        plan.value = [=](qint64 k, int p) { return p == 0 ? current(k) : voltage(k); };
        plan.report.latestKey = plan.keys.constLast();
        return writeLog(m_dir.filePath("overview.talvo"), plan);
    }

private slots:
    void init()
    {
        powerSupplyConnected = false;
        power600Model = false;
    }

    void stepPoints_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<double>("threshold");
        QTest::addColumn<qint64>("windowRecords");
        QTest::addColumn<std::function<double(qint64)>>("values");
        QTest::addColumn<QString>("points");
        using F = std::function<double(qint64)>;
        const qint64 whole = 1000; // larger than the log: one window
        QTest::newRow("never high") << 1 << 1000.0 << whole << F([](qint64) { return 999.0; })
                                    << "0:0 4.875:0";
        QTest::newRow("high from the first record")
            << 1 << 1000.0 << whole << F([](qint64) { return 1000.0; })
            << "-0.0001:0 0:1000 4.8749999:1000 4.875:0";
        // Channel 0 holds µA, its threshold is in mA: 25 mA is reached at 25000 µA.
        QTest::newRow("channel 0 in milliamperes")
            << 0 << 25.0 << whole << F([](qint64 k) { return k == 3 ? 25000.0 : 24999.0; })
            << "0:0 0.3749:0 0.375:25 0.49999:25 0.5:0 4.875:0";
        // Windows of 10 records: a level held across the seam at record 10 falls at the
        // window's last record and rises again at the next window's first.
        QTest::newRow("held across a window seam")
            << 1 << 1000.0 << qint64(10) << F([](qint64 k) { return k >= 8 && k < 12 ? 1500.0 : 0.0; })
            << "0:0 0.9999:0 1:1000 1.1249999:1000 1.125:0 1.2499:0 1.25:1000 1.49999:1000 1.5:0 4.875:0";
    }
    void stepPoints()
    {
        QFETCH(int, channel);
        QFETCH(double, threshold);
        QFETCH(qint64, windowRecords);
        QFETCH(std::function<double(qint64)>, values);
        const QString path = log(40, channel == 0 ? values : [](qint64) { return 0.0; },
                                 channel == 1 ? values : [](qint64) { return 0.0; });
        SwapFile file;
        file.setMapWindowBytes(windowRecords * 24);
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        QVERIFY(file.decimate(path, channel, channel, threshold, nullptr));
        QVERIFY(errors.isEmpty());
        QTEST(describe(*file.overview), "points");
        QCOMPARE(file.overviewChannel, channel);
        QCOMPARE(file.thresholds[channel], threshold);
        QCOMPARE(file.timeRange, QCPRange(0, 4.875));
        QCOMPARE(file.viewRange, file.timeRange);
    }

    void refusals()
    {
        const QString path = log(40, [](qint64) { return 0.0; }, [](qint64) { return 0.0; });
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        file.overview->add(QCPGraphData(1, 1));
        // Position 2 is the channel count: refused before the overview is touched.
        QVERIFY(!file.decimate(path, 1, 2, 1000, nullptr));
        QCOMPARE(errors.last().at(0).toInt(), 11);
        QCOMPARE(file.overview->size(), 1);
        // A channel without a threshold of its own leaves the three thresholds alone.
        const double before[3] = {file.thresholds[0], file.thresholds[1], file.thresholds[2]};
        QVERIFY(file.decimate(path, 5, 1, 7.0, nullptr));
        QCOMPARE(file.overviewChannel, 5);
        QCOMPARE(file.thresholds[0], before[0]);
        QCOMPARE(file.thresholds[1], before[1]);
        QCOMPARE(file.thresholds[2], before[2]);
    }

    // A log that lost its report block ends in a partial record: the build reads every
    // whole record and stops before the partial one.
    void partialTrailingRecord()
    {
        LogPlan plan;
        plan.header = analyzerHeader(0x03, period8Hz);
        plan.keys = evenKeys(40, period8Hz);
        plan.value = [](qint64, int) { return 5000.0; };
        plan.withReport = false;
        plan.trailing = QByteArray(13, '\x7f');
        const QString path = writeLog(m_dir.filePath("no-report.talvo"), plan);
        SwapFile file;
        QVERIFY(file.decimate(path, 1, 1, 1000, nullptr));
        QCOMPARE(describe(*file.overview), QStringLiteral("-0.0001:0 0:1000 4.8749999:1000 4.875:0"));
        QCOMPARE(file.timeRange, QCPRange(0, 4.875));
    }

    void decimateAllAndCancel()
    {
        const QString path = log(4000, [](qint64 k) { return (k / 7) % 2 ? 30000.0 : 0.0; },
                                 [](qint64) { return 0.0; });
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        ChannelMaps maps = emptyMaps(3);
        QVERIFY(file.load(path, 1, maps)); // builds the overview of channel 0 with its threshold
        QCOMPARE(file.overviewChannel, 0);
        const int full = file.overview->size();
        QVERIFY(full > 1000);

        ProgressDialog dialog(0, 100);
        connect(&dialog, &ProgressDialog::canceled, &file, &SwapFile::cancel);
        QTimer::singleShot(0, &dialog, &ProgressDialog::canceled);
        QVERIFY(!file.decimateAll(&dialog));
        QCOMPARE(dialog.text(), QStringLiteral("Decimating..."));
        QVERIFY(file.wasCancelled());
        QVERIFY(file.overview->size() < full);
        QVERIFY(errors.isEmpty());

        QVERIFY(file.decimateAll(&dialog));
        QVERIFY(!file.wasCancelled());
        QCOMPARE(file.overview->size(), full);
    }
};

QTEST_MAIN(TestSwapFileOverview)
#include "tst_swapfileoverview.moc"

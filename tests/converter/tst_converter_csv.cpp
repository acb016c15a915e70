#include "DamagedLogs.h"
#include "ReaderErrors.h"
#include "RowText.h"
#include "SwapFile.h"
#include "TestLogs.h"

#include <QBuffer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestLogs;

namespace {
// 2023-11-14 22:13:20.123 UTC
constexpr qint64 created = 1700000000123;
const QString mu = QString(QChar(0x03BC));

ConvertOptions csvOptions(bool relative, bool header, char separator = ',', qint64 start = 0, qint64 duration = -1)
{
    ConvertOptions o;
    o.relativeTime = relative;
    o.addHeader = header;
    o.separator = separator;
    o.startSec = start;
    o.duration = duration;
    o.version = 4;
    o.startTimeMs = created;
    return o;
}
} // namespace

Q_DECLARE_METATYPE(ConvertOptions)

class TestConverterCsv : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void timeTexts_data()
    {
        QTest::addColumn<qint64>("baseMs");
        QTest::addColumn<double>("key");
        QTest::addColumn<int>("period");
        QTest::addColumn<QString>("text");
        const qint64 noon = QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0, 700), Qt::UTC).toMSecsSinceEpoch();
        QTest::newRow("10 kHz pads to 4") << noon << 0.2 << 1 << "12:00:00:0900";
        QTest::newRow("carry into the next second") << noon << 0.5 << 10 << "12:00:01:0200";
        QTest::newRow("key rounded below 0.3 s") << noon << 0.29999999999999998 << 100 << "12:00:01:000";
        QTest::newRow("period 1000 pads to 2") << noon << 1.0 << 1000 << "12:00:01:700";
        QTest::newRow("slow rate, no padding") << noon << 2.25 << 5000 << "12:00:02:950";
        QTest::newRow("no clock base") << qint64(-1) << 1.5 << 1 << ":0500";
        const qint64 late = QDateTime(QDate(2024, 3, 1), QTime(23, 59, 59, 998), Qt::UTC).toMSecsSinceEpoch();
        QTest::newRow("past midnight") << late << 0.0035 << 10 << "00:00:00:0001";
        QTest::newRow("a day and more") << noon << 86401.25 << 100 << "12:00:01:950";
        QTest::newRow("before 1970") << qint64(0) << -1.5 << 10 << "23:59:58:0500";
        QTest::newRow("no number") << noon << qQNaN() << 1 << "12:00:00:0700";
    }
    void timeTexts()
    {
        QFETCH(qint64, baseMs);
        QFETCH(double, key);
        QFETCH(int, period);
        QFETCH(QString, text);
        const QDateTime base = baseMs < 0 ? QDateTime() : QDateTime::fromMSecsSinceEpoch(baseMs, Qt::UTC);
        QCOMPARE(timeText(base, key, qint16(period)), text);
        // What the conversions append, and the same time formatted through Qt's calendar.
        std::string appended = "x";
        ClockTimeText(base, qint16(period)).append(appended, key);
        QCOMPARE(QString::fromStdString(appended), "x" + text);
        if (base.isValid()) {
            const QTime at = base.addMSecs(keyMilliseconds(key)).time();
            QCOMPARE(text.section(':', 0, 2), at.toString(Qt::ISODate));
            QCOMPARE(text.section(':', 3).toInt(), at.msec());
        }
    }

    // The time of day of a base anywhere in 64 bits (a damaged header) plus a key,
    // reckoned exactly, without overflowing.
    void clockTimeOfAnyBase_data()
    {
        QTest::addColumn<qint64>("baseMs");
        QTest::addColumn<double>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("lowest, key before it") << std::numeric_limits<qint64>::min() << -1.0 << "16:47:03:0192";
        QTest::newRow("lowest, key after it") << std::numeric_limits<qint64>::min() << 1.5 << "16:47:05:0692";
        QTest::newRow("highest, key after it") << std::numeric_limits<qint64>::max() << 1.0 << "07:12:56:0807";
    }
    void clockTimeOfAnyBase()
    {
        QFETCH(qint64, baseMs);
        QFETCH(double, key);
        QFETCH(QString, text);
        const QDateTime base = QDateTime::fromMSecsSinceEpoch(baseMs, Qt::UTC);
        QVERIFY(base.isValid());
        QCOMPARE(timeText(base, key, 1), text);
    }

    void clockTimeNeverGoesBack()
    {
        const QDateTime base = QDateTime::fromMSecsSinceEpoch(created, Qt::UTC);
        QString previous;
        for (int n = 0; n < 3000; ++n) {
            const QString text = timeText(base, n * 0.0007, 7);
            QVERIFY2(text >= previous, qPrintable(previous + " then " + text));
            previous = text;
        }
    }

    void fixedDecimalsMatchQt()
    {
        for (double v : {0.0, 1.5, -2.00005, 0.125, 3.3, 12345.678949, -0.00004, 1e15, 0.30000000000000004}) {
            std::string s;
            appendFixed4(s, v);
            QCOMPARE(QString::fromStdString(s), QString::number(v, 'f', 4));
        }
    }

    void sheetTitles()
    {
        QCOMPARE(sheetTitle(QStringLiteral("a*b/c:d?e[f\\g]h")), QStringLiteral("a_b_c_d_e_f_g_h"));
        QCOMPARE(sheetTitle(QString(40, QLatin1Char('x'))).size(), 31);
        QCOMPARE(sheetSpanTitle(60, 60), QStringLiteral("60s-120s"));
        QCOMPARE(spanOfKey(60.0001, 0, 60).index, qint64(1));
        QCOMPARE(spanOfKey(250.0, 0, 100).index, qint64(2));
        QCOMPARE(spanOfKey(65.0001, 5, 60).from(5, 60), qint64(65));
        // A new sheet is titled from the whole seconds of the record that passed the last
        // one's end; after a gap, from the start of the span that record opens.
        const auto split = [](double key, qint64 current, qint64 start, qint64 size) {
            const SheetSplit s = splitAt(key, SheetSpan{current}, start, size);
            return QPair<qint64, qint64>(s.span.index, s.titleFrom);
        };
        QCOMPARE(split(60.0001, 0, 0, 60), (QPair<qint64, qint64>(1, 60)));
        QCOMPARE(split(101.0, 0, 0, 100), (QPair<qint64, qint64>(1, 101)));
        QCOMPARE(split(66.0, 0, 5, 60), (QPair<qint64, qint64>(1, 66)));
        QCOMPARE(split(5.0, 0, 0, 2), (QPair<qint64, qint64>(2, 4)));
        QCOMPARE(split(1e300, maxSpanSeconds / 100, 0, 100),
                 (QPair<qint64, qint64>(maxSpanSeconds / 100 + 1, maxSpanSeconds + 100)));
        // Damaged keys: no overflow, and titles short enough that neighbours differ.
        const double inf = std::numeric_limits<double>::infinity();
        for (double key : {1e300, inf, 3e15}) {
            const SheetSpan span = spanOfKey(key, 0, 100);
            QCOMPARE(span.index, maxSpanSeconds / 100);
            const QString title = sheetSpanTitle(span.from(0, 100), 100);
            QCOMPARE(sheetTitle(title), title);
            QVERIFY(sheetTitle(sheetSpanTitle((span.index + 1) * 100, 100)) != title);
        }
        QCOMPARE(spanOfKey(std::nan(""), 0, 100).index, qint64(0));
        QCOMPARE(keyMilliseconds(2.5), qint64(2500));
        for (double key : {std::nan(""), inf, -inf, 1e300, -1e300})
            QCOMPARE(keyMilliseconds(key), qint64(0));
        QCOMPARE(fieldSeparator('\0'), std::string(", "));
        QCOMPARE(fieldSeparator(';'), std::string("; "));
        QCOMPARE(fieldSeparator('\t'), std::string("\t"));
    }

    void csvText_data()
    {
        QTest::addColumn<quint8>("mask");
        QTest::addColumn<int>("version");
        QTest::addColumn<qint64>("creation");
        QTest::addColumn<ConvertOptions>("options");
        QTest::addColumn<QString>("text");
        QTest::newRow("relative with header")
            << quint8(0x07) << 4 << created << csvOptions(true, true)
            << "Time:sec, #0:" + mu + "A, #1:mV, #2:mV\n"
               "0.0000, 0.2500, 1.2500, 2.2500\n"
               "0.0010, 0.2600, 1.2600, 2.2600\n"
               "0.0020, 0.2700, 1.2700, 2.2700\n";
        QTest::newRow("clock time with header")
            << quint8(0x07) << 4 << created << csvOptions(false, true)
            << "Start time 22:13:20, #0:" + mu + "A, #1:mV, #2:mV\n"
               "22:13:20:0123, 0.2500, 1.2500, 2.2500\n"
               "22:13:20:0124, 0.2600, 1.2600, 2.2600\n"
               "22:13:20:0125, 0.2700, 1.2700, 2.2700\n";
        QTest::newRow("semicolon, one voltage channel, no header")
            << quint8(0x02) << 4 << created << csvOptions(true, false, ';')
            << "0.0000; 0.2500\n0.0010; 0.2600\n0.0020; 0.2700\n";
        QTest::newRow("version 1 asked for clock time keeps seconds")
            << quint8(0x01) << 1 << created << csvOptions(false, true)
            << "Time:sec, #0:" + mu + "A\n0.0000, 0.2500\n0.0010, 0.2600\n0.0020, 0.2700\n";
        // A start time no clock can have written is a damaged header: the log has no
        // clock time, as in version 1.
        for (qint64 damaged : {std::numeric_limits<qint64>::min(), qint64(-1), std::numeric_limits<qint64>::max()})
            QTest::addRow("start time %lld asked for clock time keeps seconds", damaged)
                << quint8(0x01) << 4 << damaged << csvOptions(false, true)
                << "Time:sec, #0:" + mu + "A\n0.0000, 0.2500\n0.0010, 0.2600\n0.0020, 0.2700\n";
    }
    void csvText()
    {
        QFETCH(quint8, mask);
        QFETCH(int, version);
        QFETCH(qint64, creation);
        QFETCH(ConvertOptions, options);
        QFETCH(QString, text);
        const QString log = writeLog(path(QStringLiteral("csv.talvo")), mask, 3, 10, creation, version);
        SwapFile reader;
        QSignalSpy errors(&reader, &SwapFile::swapFileError);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(reader.toCsv(log, options, &out));
        QCOMPARE(QString::fromUtf8(out.data()), text);
        QCOMPARE(errors.size(), 0);
    }

    // A log of the second supply model names its columns after the channels of its
    // 32-bit mask, and each value stands under its channel.
    void secondSupplyModelLog()
    {
        const QString log = path(QStringLiteral("supply600.talvo"));
        QVERIFY(writeFile(log, logBytes(header600(1u << 3 | 1u << 17), created, records(3, 10, 2))));
        SwapFile reader;
        QSignalSpy errors(&reader, &SwapFile::swapFileError);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(reader.toCsv(log, csvOptions(true, true), &out));
        QCOMPARE(QString::fromUtf8(out.data()), QStringLiteral("Time:sec, #3:mV, #17:mV\n"
                                                               "0.0000, 0.2500, 1.2500\n"
                                                               "0.0010, 0.2600, 1.2600\n"
                                                               "0.0020, 0.2700, 1.2700\n"));
        QCOMPARE(errors.size(), 0);
    }

    // A log cut off anywhere converts every whole record it holds, never fewer: the last
    // bytes of a cut-off log are samples, not a report block. A sound log converts as ever.
    void cutOffLogsConvertEveryWholeRecord_data()
    {
        QTest::addColumn<qint64>("fileSize");
        QTest::addColumn<qint64>("held");
        QTest::addColumn<bool>("cutOff");
        // 40 records of channels 0 to 2: 32 bytes each.
        QTest::newRow("sound") << qint64(632 + 40 * 32) << qint64(40) << false;
        QTest::newRow("inside a record") << qint64(512 + 25 * 32 + 13) << qint64(25) << true;
        QTest::newRow("record size lines up with the end block") << qint64(512 + 25 * 32 + 24) << qint64(25) << true;
        QTest::newRow("no end block") << qint64(512 + 40 * 32) << qint64(40) << true;
        QTest::newRow("end block cut short") << qint64(512 + 40 * 32 + 60) << qint64(40) << true;
        QTest::newRow("one record") << qint64(512 + 32 + 5) << qint64(1) << true;
    }
    void cutOffLogsConvertEveryWholeRecord()
    {
        QFETCH(qint64, fileSize);
        QFETCH(qint64, held);
        QFETCH(bool, cutOff);
        const QByteArray sound = logBytes(header(0x07, 10), created, records(40, 10, 3));
        QCOMPARE(sound.size(), 632 + 40 * 32);
        const QString name = path(QStringLiteral("cut.talvo"));
        QVERIFY(writeFile(name, sound.left(fileSize)));

        SwapFile reader;
        QSignalSpy errors(&reader, &SwapFile::swapFileError);
        const LogSummary summary = reader.open(name);
        QVERIFY(summary.valid);
        QCOMPARE(summary.cutOff, cutOff);
        QCOMPARE(summary.recordCount, held);
        QCOMPARE(summary.endTime, (held - 1) * 0.001);

        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(reader.toCsv(name, csvOptions(true, false), &out));
        QCOMPARE(errors.size(), 0);
        QByteArray expected;
        for (qint64 k = 0; k < held; ++k)
            expected += QStringLiteral("%1, %2, %3, %4\n")
                            .arg(k * 0.001, 0, 'f', 4)
                            .arg(valueAt(k * 0.001, 0), 0, 'f', 4)
                            .arg(valueAt(k * 0.001, 1), 0, 'f', 4)
                            .arg(valueAt(k * 0.001, 2), 0, 'f', 4)
                            .toUtf8();
        QCOMPARE(out.data(), expected);
    }

    // Every file of the damaged-log table converts exactly the samples it holds: no zero
    // fill and no byte of an end block becomes a row, and no sample is lost.
    void damagedLogsConvertTheirSamples_data() { DamagedLogs::addRows(); }
    void damagedLogsConvertTheirSamples()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, records);
        QFETCH(double, lastKey);
        QFETCH(bool, cutOff);
        const QString name = path(QStringLiteral("damaged.talvo"));
        QVERIFY(writeFile(name, bytes));

        SwapFile reader;
        const LogSummary summary = reader.open(name);
        QVERIFY(summary.valid);
        // What the window tells the user of the log.
        QCOMPARE(summary.cutOff, cutOff);
        QCOMPARE(summary.recordCount, records);
        QCOMPARE(summary.endTime, lastKey);

        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const bool converted = reader.toCsv(name, csvOptions(true, false), &out);
        QList<QByteArray> rows = out.data().split('\n');
        rows.removeAll(QByteArray());
        QCOMPARE(rows.size(), records);
        if (records > 0) {
            QVERIFY(converted);
            QVERIFY2(rows.constLast().startsWith(QByteArray::number(lastKey, 'f', 4) + ','), rows.constLast());
        }
    }

    // A range over a log with lost packets: rows come from the keys, never from where
    // evenly spaced records would be.
    void rangeAcrossGap()
    {
        const SwapFileHeader h = header(0x01, 1000);
        // 10 records per second; samples 20..49 lost: keys 0.0..1.9, then 5.0 on.
        QVERIFY(writeFile(path(QStringLiteral("gap.talvo")), logBytes(h, created, records(100, 1000, 1, 20, 50))));
        SwapFile reader;
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(reader.toCsv(path(QStringLiteral("gap.talvo")), csvOptions(true, false, ',', 1, 5), &out));
        const QList<QByteArray> lines = out.data().split('\n');
        QCOMPARE(lines.size(), 10 + 10 + 1);
        QCOMPARE(lines.first(), QByteArray("1.0000, 10.2500"));
        QCOMPARE(lines.at(9), QByteArray("1.9000, 19.2500"));
        QCOMPARE(lines.at(10), QByteArray("5.0000, 50.2500"));
        QCOMPARE(lines.at(19), QByteArray("5.9000, 59.2500"));
    }

    void refusedRanges_data()
    {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<int>("code");
        QTest::newRow("negative start") << qint64(-1) << int(MappingFailed);
        QTest::newRow("start after the last record") << qint64(3) << int(MappingFailed);
    }
    void refusedRanges()
    {
        QFETCH(qint64, start);
        QFETCH(int, code);
        const QString log = writeLog(path(QStringLiteral("short.talvo")), 0x01, 25, 1000); // 0 .. 2.4 s
        SwapFile reader;
        QSignalSpy errors(&reader, &SwapFile::swapFileError);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(!reader.toCsv(log, csvOptions(true, true, ',', start), &out));
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.first().first().toInt(), code);
        QVERIFY(out.data().isEmpty());
        QVERIFY(!reader.progressDialog());
    }

    void failedWriteIsReported()
    {
        const QString log = writeLog(path(QStringLiteral("w.talvo")), 0x07, 5000);
        SwapFile reader;
        QSignalSpy errors(&reader, &SwapFile::swapFileError);
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QIODevice::write.*ReadOnly"));
        QVERIFY(!reader.toCsv(log, csvOptions(true, false), &readOnly));
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.first().first().toInt(), int(WriteFailed));
    }

    void cancelInTheMiddle()
    {
        const QString log = writeLog(path(QStringLiteral("big.talvo")), 0x01, 200000, 1);
        SwapFile reader;
        reader.setLabel(QStringLiteral("Converting..."));
        QTimer watcher;
        int seenLabel = 0;
        connect(&watcher, &QTimer::timeout, this, [&] {
            QProgressDialog* dialog = reader.progressDialog();
            if (!dialog)
                return;
            seenLabel += dialog->labelText() == QStringLiteral("Converting...");
            if (dialog->value() >= 40)
                dialog->findChild<QPushButton*>()->click();
        });
        watcher.start(0);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(!reader.toCsv(log, csvOptions(true, false), &out));
        QVERIFY(reader.isCanceled());
        QVERIFY(seenLabel > 0);
        const qsizetype lines = out.data().count('\n');
        QVERIFY2(lines > 40000 && lines < 120000, qPrintable(QString::number(lines)));
        QVERIFY(!reader.progressDialog());
    }
};

QTEST_MAIN(TestConverterCsv)
#include "tst_converter_csv.moc"

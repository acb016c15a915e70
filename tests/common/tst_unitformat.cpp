#include "UnitFormat.h"

#include <QtTest>

class TestUnitFormat : public QObject
{
    Q_OBJECT
private slots:
    void init() { timeFormatMode = 1; }

    void unitScaleAndPrefixes_data()
    {
        QTest::addColumn<double>("magnitude");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("voltage");
        const QString micro(QChar(0x03bc));
        QTest::newRow("0") << 0.0 << 1 << micro << "m";
        QTest::newRow("999") << 999.0 << 1 << micro << "m";
        QTest::newRow("999.999") << 999.999 << 1 << micro << "m";
        QTest::newRow("1000") << 1000.0 << 1000 << "m" << " ";
        QTest::newRow("999999") << 999999.0 << 1000 << "m" << " ";
        QTest::newRow("1e6") << 1e6 << 1000000 << " " << " ";
    }
    void unitScaleAndPrefixes()
    {
        QFETCH(double, magnitude);
        QFETCH(int, scale);
        QFETCH(QString, current);
        QFETCH(QString, voltage);
        QCOMPARE(unitScale(magnitude), scale);
        QCOMPARE(QString(currentPrefix(scale)), current);
        QCOMPARE(QString(voltagePrefix(scale)), voltage);
        QVERIFY(currentPrefix(1) != QChar(0x00b5)); // the Greek mu, never the micro sign
    }

    void sampleRate()
    {
        QCOMPARE(sampleRateText(1), QStringLiteral("(10.000 kHz)"));
        QCOMPARE(sampleRateText(3), QStringLiteral("(3.333 kHz)"));
    }

    void duration_data()
    {
        QTest::addColumn<quint64>("seconds");
        QTest::addColumn<QList<int>>("parts");
        QTest::newRow("zero") << quint64(0) << QList<int>{0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("364 days") << quint64(31449600) << QList<int>{1, 0, 0, 4, 0, 0, 0};
        QTest::newRow("10 days") << quint64(10 * 86400) << QList<int>{0, 0, 1, 10, 0, 0, 0};
        QTest::newRow("1y 1mo 1w 1d 1h 1m 1s")
            << quint64(31536000 + 2592000 + 604800 + 86400 + 3661) << QList<int>{1, 1, 1, 8, 1, 1, 1};
        QTest::newRow("beyond 32 bits") << quint64(100) * 31536000 << QList<int>{100, 0, 0, 0, 0, 0, 0};
        // 18446744073709551615 s: the years are capped, the smaller parts stay exact.
        QTest::newRow("largest count") << std::numeric_limits<quint64>::max()
                                       << QList<int>{std::numeric_limits<int>::max(), 0, 3, 26, 7, 0, 15};
    }
    void duration()
    {
        QFETCH(quint64, seconds);
        QFETCH(QList<int>, parts);
        const DurationParts p = durationParts(seconds);
        QCOMPARE((QList<int>{p.years, p.months, p.weeks, p.days, p.hours, p.minutes, p.seconds}), parts);
    }

    void secondsAndTime_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("x");
        QTest::addColumn<bool>("withUnit");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("text");
        const QString mu(QChar(0x03bc));
        QTest::newRow("50us") << 1 << 0.00005 << true << 2 << QString("50" + mu + "s");
        QTest::newRow("0 s") << 1 << 0.0 << true << 2 << QString("0" + mu + "s");
        QTest::newRow("0.5ms") << 1 << 0.0005 << true << 2 << "0.5ms";
        QTest::newRow("500.0ms") << 1 << 0.5 << true << 2 << "500.0ms";
        QTest::newRow("2.00s") << 1 << 2.0 << true << 2 << "2.00s";
        QTest::newRow("no unit") << 1 << 2.0 << false << 1 << "2.0";
        QTest::newRow("negative") << 1 << -1.5 << true << 3 << "-1500.0ms";
        QTest::newRow("negative no unit") << 2 << -90000.0 << false << 1 << "-90000.0";
        QTest::newRow("59.9 below a minute") << 2 << 59.9 << true << 3 << "59.900s";
        QTest::newRow("mode 2, 60 s") << 2 << 60.0 << true << 3 << "1:00.000";
        QTest::newRow("mode 2, 3725.5 s") << 2 << 3725.5 << true << 3 << "1:02:05.500";
        QTest::newRow("mode 2, 90000 s") << 2 << 90000.0 << true << 3 << "1 1:00:00.000";
        QTest::newRow("mode 1, 90000 s") << 1 << 90000.0 << true << 3 << "90000.000s";
        // 30 days: a 32-bit millisecond count would have overflowed past 24.9 days.
        QTest::newRow("mode 2, 30 days") << 2 << 30 * 86400.0 + 0.25 << true << 3 << "30 0:00:00.250";
        QTest::newRow("mode 2, 400 days") << 2 << 400 * 86400.0 + 3723.125 << true << 3 << "400 1:02:03.125";
        // Sample times are sums of sample periods and carry their rounding: the sample at
        // 100.007 s of a 1 kHz run is the double 100.00699999999999.
        QTest::newRow("mode 2, sample at 100.007 s") << 2 << 100.00699999999999 << true << 3 << "1:40.007";
        QTest::newRow("mode 1, sample at 100.007 s") << 1 << 100.00699999999999 << true << 3 << "100.007s";
        QTest::newRow("mode 2, a hair below two minutes") << 2 << 120.0 - 1e-9 << true << 3 << "2:00.000";
        QTest::newRow("mode 1, a hair below two minutes") << 1 << 120.0 - 1e-9 << true << 3 << "120.000s";
    }
    void secondsAndTime()
    {
        QFETCH(int, mode);
        QFETCH(double, x);
        QFETCH(bool, withUnit);
        QFETCH(int, precision);
        QFETCH(QString, text);
        timeFormatMode = mode;
        QCOMPARE(formatTime(x, withUnit, precision), text);
    }

    void tickLabels_data()
    {
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("anchorIndices");
        QTest::addColumn<QStringList>("someLabels"); // index:label pairs
        QTest::addColumn<double>("axisStart");
        QTest::newRow("1 ms, anchors every 10") << 0.001 << 0.0 << 11 << QList<int>{-1, 0, 10}
                                                << QStringList{"1:+1ms", "9:+9ms", "10:"} << 0.0;
        QTest::newRow("0.1 s, anchors every 1 s") << 0.1 << 2.0 << 21 << QList<int>{-1, 0, 10, 20}
                                                  << QStringList{"1:+0.1s", "3:+0.3s", "13:+0.3s"} << 2.0;
        QTest::newRow("100 us") << 0.0001 << 0.0 << 3 << QList<int>{-1, 0}
                                << QStringList{"1:+0.10ms", "2:+0.20ms"} << 0.0;
        QTest::newRow("odd step") << 20.0 << 0.0 << 3 << QList<int>{-1, 0} << QStringList{"1:+20s"} << 0.0;
        // The ticks begin at a round time before the axis; the start label reads the axis's.
        QTest::newRow("axis starts after the first tick")
            << 1.0 << 40.0 << 19 << QList<int>{-1, 0, 10} << QStringList{"7:+7s", "10:", "17:+7s"} << 47.3;
        QTest::newRow("no ticks") << 1.0 << 0.0 << 0 << QList<int>{} << QStringList{} << 0.0;
    }
    void tickLabels()
    {
        QFETCH(double, step);
        QFETCH(double, start);
        QFETCH(int, count);
        QFETCH(QList<int>, anchorIndices);
        QFETCH(QStringList, someLabels);
        QFETCH(double, axisStart);
        QList<double> ticks;
        for (int i = 0; i < count; ++i)
            ticks.append(start + i * step);
        QList<QString> labels;
        QMap<int, QString> anchors;
        timeTickLabels(step, ticks, labels, anchors, QString(QChar(0x2B9C)), axisStart);
        QCOMPARE(labels.size(), count);
        QCOMPARE(anchors.keys(), anchorIndices);
        for (const QString& pair : someLabels) {
            const int colon = pair.indexOf(':');
            QCOMPARE(labels.at(pair.left(colon).toInt()), pair.mid(colon + 1));
        }
        for (int i : anchorIndices)
            if (i >= 0)
                QVERIFY(labels.at(i).isEmpty());
        if (count > 0)
            QCOMPARE(anchors.value(-1), QString(QChar(0x2B9C)) + formatTime(axisStart, true, 3));
    }
};

QTEST_GUILESS_MAIN(TestUnitFormat)
#include "tst_unitformat.moc"

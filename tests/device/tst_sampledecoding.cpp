#include "ChannelInfo.h"
#include "DeviceDescriptions.h"
#include "LoggerState.h"
#include "MeasureAll.h"
#include "PowerPackets.h"

#include <QtTest>

namespace {
// A channel description as the analyzer sends it (descriptor 4).
ChannelInfo described(quint8 channel, quint8 dataType, quint8 base = 0, quint8 exponent = 0)
{
    ChannelInfo info;
    info.setByte(4, channel);
    info.setByte(5, dataType);
    info.setByte(6, base);
    info.setByte(7, exponent);
    return info;
}

MeasureAll measureReport(quint8 mask, quint8 rows, const QByteArray& samples)
{
    QByteArray bytes(64, '\0');
    bytes[0] = 5;
    bytes[5] = char(mask);
    bytes[6] = char(rows);
    bytes.replace(7, samples.size(), samples);
    return MeasureAll(bytes.constData(), 64);
}

MeasurePower powerReport(quint8 rows, const QByteArray& samples)
{
    QByteArray bytes(64, '\0');
    bytes[0] = 7;
    bytes[2] = 0x31;
    bytes[6] = char(rows);
    bytes.replace(7, samples.size(), samples);
    return MeasurePower(bytes.constData(), 64);
}
} // namespace

class TestSampleDecoding : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelInfo::clearTable();
        power600Model = false;
    }

    void analyzerSamples_data()
    {
        QTest::addColumn<int>("dataType");
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("exponent");
        QTest::addColumn<QByteArray>("sample");
        QTest::addColumn<double>("value");
        QTest::newRow("plain positive") << 0 << 52 << 255 << QByteArray::fromHex("0100") << 256.0;
        QTest::newRow("plain -100 kept") << 0 << 52 << 255 << QByteArray::fromHex("ff9c") << -100.0;
        QTest::newRow("plain clamped") << 0 << 52 << 255 << QByteArray::fromHex("ff00") << -100.0;
        QTest::newRow("plain most negative") << 0 << 52 << 255 << QByteArray::fromHex("8000") << -100.0;
        QTest::newRow("ranged 0 full") << 1 << 2 << 0 << QByteArray::fromHex("3fff") << 2000.0;
        QTest::newRow("ranged 1 zero") << 1 << 2 << 0 << QByteArray::fromHex("4000") << 0.0;
        QTest::newRow("ranged 1 full") << 1 << 2 << 0 << QByteArray::fromHex("7fff") << 20000.0;
        QTest::newRow("ranged 2 full") << 1 << 2 << 0 << QByteArray::fromHex("bfff") << 200000.0;
        QTest::newRow("ranged 3 full") << 1 << 2 << 0 << QByteArray::fromHex("ffff") << 2000000.0;
        QTest::newRow("ranged half") << 1 << 2 << 0 << QByteArray::fromHex("2000") << 2000.0 * 8192 / 16383;
        QTest::newRow("ranged exponent") << 1 << 5 << 2 << QByteArray::fromHex("3fff") << 500000.0;
        QTest::newRow("little-endian") << 2 << 0 << 0 << QByteArray::fromHex("3412") << 4660.0;
        QTest::newRow("little-endian negative") << 7 << 0 << 0 << QByteArray::fromHex("00ff") << -256.0;
    }
    void analyzerSamples()
    {
        QFETCH(int, dataType);
        QFETCH(int, base);
        QFETCH(int, exponent);
        QFETCH(QByteArray, sample);
        QFETCH(double, value);
        described(1, quint8(dataType), quint8(base), quint8(exponent)).store();
        const QMap<int, QList<double>> values = measureReport(0x02, 1, sample).values();
        QCOMPARE(values.keys(), QList<int>{1});
        QCOMPARE(values.value(1).size(), 1);
        QCOMPARE(values.value(1).first(), value);
    }

    void analyzerRowLayout()
    {
        described(0, 0).store();
        described(2, 0).store();
        // Channels 0 and 2 (pin-state bits set too); rows of two samples.
        const MeasureAll measure = measureReport(0xF5, 2, QByteArray::fromHex("0001 0002 0003 0004"));
        const QMap<int, QList<double>> values = measure.values();
        QCOMPARE(values.keys(), (QList<int>{0, 2}));
        QCOMPARE(values.value(0), (QList<double>{1.0, 3.0}));
        QCOMPARE(values.value(2), (QList<double>{2.0, 4.0}));

        // Pin-state bits never select a channel.
        QVERIFY(measureReport(0xF8, 2, QByteArray::fromHex("0001")).values().isEmpty());
        // A table entry that is no channel description (descriptor 0) yields no values.
        ChannelInfo notDescribed = described(1, 0);
        notDescribed.setByte(0, 0);
        notDescribed.store();
        QVERIFY(measureReport(0x02, 1, QByteArray::fromHex("0001")).values().value(1).isEmpty());
        // Positions outside the selection yield nothing.
        QVERIFY(measure.channelValues(2, 2, described(0, 0)).isEmpty());
        QVERIFY(measure.channelValues(0, 0, described(0, 0)).isEmpty());
    }

    void analyzerRowsStopAtTheReportEnd_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("decoded");
        QTest::newRow("one channel, all claimed") << 0x01 << 255 << 28;
        QTest::newRow("two channels") << 0x03 << 200 << 14;
        QTest::newRow("three channels") << 0x07 << 10 << 9;
        QTest::newRow("three channels fit") << 0x07 << 9 << 9;
        QTest::newRow("no rows") << 0x07 << 0 << 0;
    }
    void analyzerRowsStopAtTheReportEnd()
    {
        QFETCH(int, mask);
        QFETCH(int, rows);
        QFETCH(int, decoded);
        for (quint8 c = 0; c < 3; ++c)
            described(c, 0).store();
        QByteArray samples(57, '\0');
        for (int i = 1; i < samples.size(); i += 2)
            samples[i] = char(i);
        const QMap<int, QList<double>> values = measureReport(quint8(mask), quint8(rows), samples).values();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            QCOMPARE(it.value().size(), decoded);
        // The last value decoded is the last complete sample the report holds.
        if (decoded > 0) {
            const int count = int(values.size());
            const int lastAt = 2 * ((decoded - 1) * count + count - 1) + 1;
            QCOMPARE(values.last().last(), double(lastAt));
        }
    }

    void supplySamples_data()
    {
        QTest::addColumn<bool>("secondModel");
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<bool>("fahrenheit");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QByteArray>("samples");
        QTest::addColumn<QList<QList<double>>>("values");
        QTest::newRow("voltage and usb current") << false << QList<int>{0, 3} << false << 1
                                                 << QByteArray::fromHex("19012c") << QList<QList<double>>{{2.5}, {3.0}};
        QTest::newRow("two rows") << false << QList<int>{0, 3} << false << 2 << QByteArray::fromHex("19012c 320064")
                                  << QList<QList<double>>{{2.5, 5.0}, {3.0, 1.0}};
        QTest::newRow("temperature celsius") << false << QList<int>{4, 5} << false << 1 << QByteArray::fromHex("f619")
                                             << QList<QList<double>>{{-10.0}, {25.0}};
        QTest::newRow("temperature fahrenheit") << false << QList<int>{4, 5} << true << 1 << QByteArray::fromHex("f619")
                                                << QList<QList<double>>{{14.0}, {77.0}};
        QTest::newRow("unsigned byte channel") << false << QList<int>{0} << true << 1 << QByteArray::fromHex("f6")
                                               << QList<QList<double>>{{24.6}};
        QTest::newRow("mains, frequency, main current") << false << QList<int>{6, 7, 1} << false << 1
                                                        << QByteArray::fromHex("00e6 01f4 0190")
                                                        << QList<QList<double>>{{230.0}, {50.0}, {40.0}};
        QTest::newRow("second model usb currents") << true << QList<int>{9, 13, 12} << false << 1
                                                   << QByteArray::fromHex("0064 00c8 32")
                                                   << QList<QList<double>>{{1.0}, {2.0}, {5.0}};
        QTest::newRow("no rows") << false << QList<int>{0, 3} << false << 0 << QByteArray()
                                 << QList<QList<double>>{{}, {}};
        QTest::newRow("channel outside the table") << false << QList<int>{300, -1} << false << 1
                                                   << QByteArray::fromHex("0064 0032")
                                                   << QList<QList<double>>{{10.0}, {5.0}};
        QTest::newRow("rows beyond the report") << false << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << false << 255
                                                << QByteArray() << QList<QList<double>>{};
    }
    void supplySamples()
    {
        QFETCH(bool, secondModel);
        QFETCH(QList<int>, channels);
        QFETCH(bool, fahrenheit);
        QFETCH(int, rows);
        QFETCH(QByteArray, samples);
        QFETCH(QList<QList<double>>, values);
        power600Model = secondModel;
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("createDefaultsPower"));
        createDefaultsPower();
        const QMap<int, QList<double>> result = powerReport(quint8(rows), samples).values(channels, fahrenheit);
        QCOMPARE(result.keys().size(), channels.size());
        if (values.isEmpty()) {
            // Row width 12 bytes: four rows fit the 57 sample bytes.
            for (const QList<double>& list : result)
                QCOMPARE(list.size(), 4);
            return;
        }
        for (int j = 0; j < channels.size(); ++j) {
            QCOMPARE(result.value(j).size(), values.at(j).size());
            for (int r = 0; r < values.at(j).size(); ++r)
                QVERIFY2(qFuzzyCompare(result.value(j).at(r), values.at(j).at(r)),
                         qPrintable(QStringLiteral("position %1 row %2: %3").arg(j).arg(r).arg(result.value(j).at(r))));
        }
    }

    void supplyDataTypesSetTheSampleWidth()
    {
        described(20, 1).store();  // auto-ranged: never sent by a supply, two bytes skipped
        described(21, 9).store();  // unknown: one byte skipped
        described(22, 3).store();
        const QMap<int, QList<double>> result =
            powerReport(1, QByteArray::fromHex("ffff ee 64")).values({20, 21, 22}, false);
        QCOMPARE(result.value(0), QList<double>{0.0});
        QCOMPARE(result.value(1), QList<double>{0.0});
        QCOMPARE(result.value(2), QList<double>{10.0});
    }
};

QTEST_GUILESS_MAIN(TestSampleDecoding)
#include "tst_sampledecoding.moc"

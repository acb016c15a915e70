#include "LogRecord.h"

#include <QtTest>

#include <cfloat>

class TestLogRecord : public QObject
{
    Q_OBJECT
private slots:
    void defaultHeaderBlockMatchesHandBuiltBytes()
    {
        QByteArray expected(512, '\0');
        const unsigned char head[] = {0x04, 0, 0, 0, 0x4C, 0, 0, 0, 0x03, 0x01, 0x01, 0x00, 0x00};
        memcpy(expected.data(), head, sizeof head);
        expected[40] = 0x01; // channelMask32
        const qint64 created = 0x0102030405060708LL;
        const unsigned char time[] = {0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01};
        memcpy(expected.data() + 504, time, sizeof time);

        const QByteArray block = encodeHeaderBlock(defaultSwapFileHeader(), created);
        QCOMPARE(block.toHex(' '), expected.toHex(' '));
        QCOMPARE(block.mid(8, 4), QByteArray::fromHex("03010100"));
        QCOMPARE(decodeCreationTime(block.constData()), created);
        QCOMPARE(decodeHeader(block.constData()).deviceKind, quint8(0));
        QCOMPARE(defaultSwapFileHeader(LogFormat::UnreadableKind).deviceKind, quint8(0xFF));
    }

    void headerFieldsRoundTrip()
    {
        SwapFileHeader h = defaultSwapFileHeader(LogFormat::PowerSupply600);
        h.channelCount = 2;
        h.channelMask = 0x05;
        h.samplePeriod = 0x1234;
        h.channelNumbers[0] = 0;
        h.channelNumbers[1] = 2;
        h.fahrenheit = 1;
        h.customRate = 1;
        h.channelMask32 = 0x80000001u;
        h.channelNumbers32[1] = 31;
        char bytes[76];
        encodeHeader(h, bytes);
        QCOMPARE(QByteArray(bytes + 8, 6), QByteArray::fromHex("0205341202 00"));
        QCOMPARE(QByteArray(bytes + 22, 4), QByteArray::fromHex("01000100"));
        QCOMPARE(QByteArray(bytes + 40, 4), QByteArray::fromHex("01000080"));
        QCOMPARE(bytes[45], char(31));
        const SwapFileHeader back = decodeHeader(bytes);
        QCOMPARE(memcmp(&back, &h, sizeof h), 0);
    }

    void statisticsRoundTrip()
    {
        ChannelStatistics s = freshStatistics();
        QCOMPARE(s.channel[1].minimum, DBL_MAX);
        QCOMPARE(s.channel[2].maximum, DBL_MIN);
        QCOMPARE(s.count, qint64(0));
        s.latestKey = 12.5;
        s.channel[0] = {-1.0, 2.0, 0.5, 1.0};
        s.count = 1LL << 40;
        char bytes[120];
        encodeStatistics(s, bytes);
        QCOMPARE(QByteArray(bytes, 8), QByteArray::fromHex("0000000000002940")); // 12.5 LE
        QCOMPARE(QByteArray(bytes + 112, 8), QByteArray::fromHex("0000000000010000"));
        const ChannelStatistics back = decodeStatistics(bytes);
        QCOMPARE(memcmp(&back, &s, sizeof s), 0);
    }

    void channelsFromMask_data()
    {
        QTest::addColumn<quint32>("mask");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QList<int>>("channels");
        QTest::newRow("0x05") << 0x05u << 8 << QList<int>{0, 2};
        QTest::newRow("high bits ignored") << 0x1FFu << 8 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("bit 31") << 0x80000000u << 32 << QList<int>{31};
        QTest::newRow("empty") << 0u << 8 << QList<int>{};
    }
    void channelsFromMask()
    {
        QFETCH(quint32, mask);
        QFETCH(int, bits);
        QFETCH(QList<int>, channels);
        QCOMPARE(::channelsFromMask(mask, bits), channels);
    }
};

QTEST_GUILESS_MAIN(TestLogRecord)
#include "tst_logrecord.moc"

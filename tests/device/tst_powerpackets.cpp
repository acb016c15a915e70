#include "PowerPackets.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(std::shared_ptr<PowerPacket>)

namespace {
QByteArray report(const QByteArray& head)
{
    QByteArray bytes = head;
    bytes.resize(Packet::bufferSize, '\0');
    return bytes;
}

QByteArray bytesOf(const Packet& packet)
{
    return QByteArray(reinterpret_cast<const char*>(packet.constData()), Packet::bufferSize);
}

// A received report with every payload byte set, so resets show what they keep.
QByteArray receivedReport(quint8 lengthByte, quint8 code)
{
    QByteArray bytes(64, '\0');
    for (int i = 0; i < 64; ++i)
        bytes[i] = char(0x80 + i);
    bytes[0] = 7;
    bytes[1] = char(lengthByte);
    bytes[2] = char(code);
    return bytes;
}
} // namespace

class TestPowerPackets : public QObject
{
    Q_OBJECT
private slots:
    void constructedRequests_data()
    {
        QTest::addColumn<std::shared_ptr<PowerPacket>>("packet");
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<int>("dataOffset");
        auto get = std::make_shared<PowerGetPacket>();
        auto set = std::make_shared<PowerSetPacket>();
        auto data = std::make_shared<PowerDataPacket>();
        QTest::newRow("plain") << std::make_shared<PowerPacket>() << QByteArray::fromHex("0740") << -1;
        QTest::newRow("settings request") << std::shared_ptr<PowerPacket>(get) << QByteArray::fromHex("07400a") << get->dataOffset;
        QTest::newRow("settings write") << std::shared_ptr<PowerPacket>(set) << QByteArray::fromHex("07400b") << set->dataOffset;
        QTest::newRow("data request") << std::shared_ptr<PowerPacket>(data) << QByteArray::fromHex("07400c") << data->dataOffset;
    }
    void constructedRequests()
    {
        QFETCH(std::shared_ptr<PowerPacket>, packet);
        QFETCH(QByteArray, head);
        QFETCH(int, dataOffset);
        QCOMPARE(bytesOf(*packet).toHex(' '), report(head).toHex(' '));
        QCOMPARE(packet->size(), 64);
        QCOMPARE(packet->toByteArray(), report(head));
        QCOMPARE(packet->descriptor(), quint8(head.size() > 2 ? head.at(2) : 0));
        QCOMPARE(packet->toString(), packet->toHexString());
        if (dataOffset >= 0)
            QCOMPARE(dataOffset, head.at(2) == 0x0c ? 2 : 3);

        // A reset of a filled packet gives the same bytes again.
        const QByteArray filled = receivedReport(0x40, quint8(head.size() > 2 ? head.at(2) : 0x30));
        packet->setData(filled.constData(), filled.size());
        packet->reset();
        if (head.size() > 2)
            QCOMPARE(bytesOf(*packet).toHex(' '), report(head).toHex(' '));
        else
            QCOMPARE(bytesOf(*packet), filled);
    }

    void displayOptionsOfANewDataPacket()
    {
        const PowerDataPacket data;
        QVERIFY(data.celsius);
        QVERIFY(data.clock24h);
        QVERIFY(data.dateFormat.isEmpty());
    }

    void receivedReportsAreForcedToFullLength()
    {
        const QByteArray bytes = receivedReport(0x10, 0x31);
        const PowerPacket packet(bytes.constData(), bytes.size());
        QCOMPARE(packet.size(), 64);
        QCOMPARE(packet.toByteArray(), QByteArray::fromHex("0740") + bytes.mid(2));
        QCOMPARE(packet.descriptor(), quint8(0x31));

        // Copies keep the whole report over their own header.
        const PowerGetPacket settings(packet);
        QCOMPARE(bytesOf(settings), bytesOf(packet));
        QCOMPARE(settings.dataOffset, 3);
        const PowerDataPacket data(packet);
        QCOMPARE(bytesOf(data), bytesOf(packet));
        QCOMPARE(data.dataOffset, 2);
        const PowerSetPacket write(settings);
        QCOMPARE(write.descriptor(), quint8(0x0B));
        QCOMPARE(bytesOf(write).mid(3), bytesOf(settings).mid(3));

        // A measurement report's reset rewrites the header only.
        MeasurePower measure(packet);
        measure.setByte(1, 0x22);
        static_cast<PowerPacket&>(measure).reset();
        QCOMPARE(bytesOf(measure), bytesOf(packet));
    }

    void sizeStaysInsideTheBuffer_data()
    {
        QTest::addColumn<int>("lengthByte");
        QTest::addColumn<int>("size");
        QTest::newRow("short") << 0x10 << 16;
        QTest::newRow("full") << 0x40 << 64;
        QTest::newRow("beyond") << 0xff << 64;
        QTest::newRow("zero") << 0 << 0;
    }
    void sizeStaysInsideTheBuffer()
    {
        QFETCH(int, lengthByte);
        QFETCH(int, size);
        PowerPacket packet;
        packet.setByte(1, quint8(lengthByte));
        QCOMPARE(packet.size(), size);
        QCOMPARE(packet.toByteArray(), bytesOf(packet).left(size));
    }

    void versionText_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<QString>("text");
        QTest::newRow("minor zero") << 2 << 0 << "2.0";
        QTest::newRow("one digit minor") << 2 << 7 << "2.07";
        QTest::newRow("two digit minor") << 1 << 10 << "1.10";
        QTest::newRow("large") << 255 << 255 << "255.255";
    }
    void versionText()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(QString, text);
        PowerDataPacket data;
        data.setByte(37, quint8(major));
        data.setByte(38, quint8(minor));
        QCOMPARE(data.versionText(), text);
    }

    void measurementTextForm()
    {
        const QByteArray bytes = report(QByteArray::fromHex("074031000102 05"));
        const MeasurePower measure(bytes.constData(), bytes.size());
        QCOMPARE(measure.packetCounter(), quint32(0x102));
        QCOMPARE(measure.toString(), QStringLiteral("Index: 258\nSamples: 5\n"));
    }

    void logCommand_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<QString>("command");
        QTest::newRow("three channels") << "100" << QList<int>{1, 3, 12} << "LOG100C13C\n";
        QTest::newRow("list order kept") << "10" << QList<int>{13, 0} << "LOG10CD0\n";
        QTest::newRow("no channel") << "100" << QList<int>{} << "";
        QTest::newRow("no single digit") << "100" << QList<int>{1, 16} << "";
    }
    void logCommand()
    {
        QFETCH(QString, rate);
        QFETCH(QList<int>, channels);
        QFETCH(QString, command);
        QCOMPARE(powerLogCommand(rate, channels), command);
    }

    void textReports_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("status") << PowerCommand::Status << QByteArray("\x07\x06POWER\n");
        QTest::newRow("stop") << PowerCommand::Stop << QByteArray("\x07\x08LOGSTOP\n");
        QTest::newRow("longest") << QString(63, QLatin1Char('X')) << QByteArray("\x07\x3f") + QByteArray(63, 'X');
        QTest::newRow("too long") << QString(64, QLatin1Char('X')) << QByteArray();
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void textReports()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, head);
        QByteArray expected = head;
        if (!head.isEmpty())
            expected.resize(65, '\0');
        QCOMPARE(powerTextReport(text).toHex(' '), expected.toHex(' '));
    }

    void textReplies()
    {
        const QByteArray on = report(QByteArray("\x07\x40ON\r\n"));
        const PowerPacket reply(on.constData(), on.size());
        QVERIFY(reply.isTextReply());
        QCOMPARE(reply.replyText(), QStringLiteral("ON\r\n"));
        QVERIFY(!PowerGetPacket().isTextReply());

        QByteArray full(64, 'Z');
        const PowerPacket unterminated(full.constData(), full.size());
        QCOMPARE(unterminated.replyText(), QString(62, QLatin1Char('Z')));
    }
};

QTEST_GUILESS_MAIN(TestPowerPackets)
#include "tst_powerpackets.moc"

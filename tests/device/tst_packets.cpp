#include "DeviceControl.h"
#include "DeviceInfo.h"
#include "ChannelInfo.h"
#include "MeasureAll.h"
#include "SimpleRequests.h"
#include "StatusControl.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(std::shared_ptr<Packet>)

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

QString zeroHexDump()
{
    return QStringLiteral("0x00 ").repeated(64);
}
} // namespace

class TestPackets : public QObject
{
    Q_OBJECT
private slots:
    void copyingNeverPassesTheBuffer_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("copied");
        QTest::newRow("short") << 10 << 10;
        QTest::newRow("exact") << 64 << 64;
        QTest::newRow("long") << 100 << 64;
        QTest::newRow("negative") << -5 << 0;
    }
    void copyingNeverPassesTheBuffer()
    {
        QFETCH(int, length);
        QFETCH(int, copied);
        QByteArray source(200, '\0');
        for (int i = 0; i < source.size(); ++i)
            source[i] = char(i + 1);
        const Packet packet(source.constData(), length);
        QCOMPARE(bytesOf(packet), source.left(copied) + QByteArray(64 - copied, '\0'));

        Packet kept(source.constData(), 64);
        kept.setData("\xAA\xBB", 2);
        QCOMPARE(bytesOf(kept), QByteArray("\xAA\xBB") + source.mid(2, 62));
        kept.setData(source.constData() + 100, length);
        QCOMPARE(bytesOf(kept).left(copied), source.mid(100, copied));
        QCOMPARE(bytesOf(kept).mid(copied), (QByteArray("\xAA\xBB") + source.mid(2, 62)).mid(copied));

        const Packet copy(packet);
        QCOMPARE(bytesOf(copy), bytesOf(packet));
        QCOMPARE(copy.toByteArray(), bytesOf(packet));
    }

    void fixedRequestsAndDefaults_data()
    {
        QTest::addColumn<std::shared_ptr<Packet>>("packet");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("DeviceInfo") << std::shared_ptr<Packet>(new DeviceInfo) << QByteArray::fromHex("01");
        QTest::newRow("DeviceControl") << std::shared_ptr<Packet>(new DeviceControl) << QByteArray::fromHex("02");
        QTest::newRow("measuring control") << std::make_shared<Packet>(measuringDeviceControl) << QByteArray::fromHex("02");
        QTest::newRow("ChannelsRequest") << std::shared_ptr<Packet>(new ChannelsRequest) << QByteArray::fromHex("04");
        QTest::newRow("ChannelInfo") << std::shared_ptr<Packet>(new ChannelInfo) << QByteArray::fromHex("04");
        QTest::newRow("MeasureAll") << std::shared_ptr<Packet>(new MeasureAll) << QByteArray::fromHex("05");
        QTest::newRow("StatusControlRequest") << std::shared_ptr<Packet>(new StatusControlRequest) << QByteArray::fromHex("06");
        QTest::newRow("StatusControlResponse") << std::shared_ptr<Packet>(new StatusControlResponse)
                                               << QByteArray::fromHex("06060007080000");
        QTest::newRow("BootModePacket") << std::shared_ptr<Packet>(new BootModePacket) << QByteArray::fromHex("09ab54");
        QTest::newRow("BootModePowerPacket") << std::shared_ptr<Packet>(new BootModePowerPacket)
                                             << QByteArray("\x01RESET");
    }
    void fixedRequestsAndDefaults()
    {
        QFETCH(std::shared_ptr<Packet>, packet);
        QFETCH(QByteArray, head);
        QCOMPARE(bytesOf(*packet).toHex(' '), report(head).toHex(' '));
        QCOMPARE(packet->size(), 64);
        QCOMPARE(packet->descriptor(), quint8(head.at(0)));
    }

    void deviceControlFields()
    {
        DeviceControl request;
        request.setCommand(DeviceControl::CommandTrigDelayed);
        request.setChannelMask(0x0105);
        request.setSampleRate(10000);
        request.setPayloadType(1);
        request.setTriggerDelay(0x1234);
        QCOMPARE(bytesOf(request).toHex(' '), report(QByteArray::fromHex("0210000001052710011234")).toHex(' '));

        const QByteArray ack = report(QByteArray::fromHex("028000070005000a01"));
        const DeviceControl parsed(ack.constData(), ack.size());
        QCOMPARE(parsed.command(), quint8(0x80));
        QCOMPARE(parsed.errorCode(), quint8(7));
        QCOMPARE(parsed.channelMask(), quint16(5));
        QCOMPARE(parsed.sampleRate(), quint16(10));
        QCOMPARE(parsed.payloadType(), quint8(1));
        QCOMPARE(parsed.triggerDelay(), quint16(0));
    }

    void statusFieldsAndByteOrders()
    {
        const StatusControlResponse defaults;
        QCOMPARE(defaults.control(), quint8(6));
        QCOMPARE(defaults.voltage(), quint16(1800));

        StatusControlRequest request;
        request.setControl(0x81);
        request.setVoltage(3300);
        request.setSyncDelay(500);
        QCOMPARE(bytesOf(request).toHex(' '), report(QByteArray::fromHex("0681000ce401f4")).toHex(' '));
        const StatusControlRequest& asBase = request;
        QCOMPARE(asBase.control(), quint8(0x81));

        // Floats little-endian, Vout big-endian, in one report.
        QByteArray bytes = report(QByteArray::fromHex("0611800042a5"));
        const float f[4] = {1.5f, -2.25f, 1000.0f, 3.75f};
        const QByteArray floats = QByteArray::fromHex("0000c03f" "000010c0" "00007a44" "00007040");
        QCOMPARE(floats.size(), 16);
        bytes.replace(6, 16, floats);
        bytes[22] = char(0xFE);
        bytes[23] = char(0x0C); // -500
        bytes[24] = char(8);
        const StatusControlResponse response(bytes.constData(), bytes.size());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(response.value(i), f[i]);
        QCOMPARE(response.vin(), f[3]);
        QCOMPARE(response.vout(), qint16(-500));
        QVERIFY(response.injected());
        QCOMPARE(response.status(), quint8(0x42));
        QCOMPARE(response.pinState(), quint8(0xA5));
        QCOMPARE(response.powerOutputState(), quint8(8));
        QCOMPARE(response.toString(),
                 QStringLiteral("Descriptor:0x06\ninjected:1\nStatus: 0x42 (01000010)\nPin state: 0xa5 (10100101)\n"
                                "#0: 1.50000000\n#1: -2.2500\n#2: 1000.0000\nVin: 3.7500\nVout: -500.0000\n"
                                "Power output state: 08 (00001000)\nrequest[1]: 00010001\n"));
    }

    void measureAllFields()
    {
        const QByteArray bytes = report(QByteArray::fromHex("05123456810f02"));
        const MeasureAll measure(bytes.constData(), bytes.size());
        QCOMPARE(measure.packetCounter(), quint32(0x123456));
        QCOMPARE(measure.status(), quint8(0x81));
        QCOMPARE(measure.channelMask(), quint8(0x07));
        QCOMPARE(measure.pinState(), quint8(0x08));
        QCOMPARE(measure.rows(), quint8(2));
    }

    void textForms_data()
    {
        QTest::addColumn<std::shared_ptr<Packet>>("packet");
        QTest::addColumn<QString>("text");

        QTest::newRow("base") << std::shared_ptr<Packet>(new Packet(quint8(0x05))) << QStringLiteral("Descriptor: 0x5");
        QTest::newRow("base no padding") << std::shared_ptr<Packet>(new BootModePacket) << QStringLiteral("Descriptor: 0x9");
        QTest::newRow("channels request") << std::shared_ptr<Packet>(new ChannelsRequest) << QStringLiteral("Descriptor: 0x4");

        DeviceControl control;
        control.setCommand(0x80);
        control.setChannelMask(0x0005);
        control.setSampleRate(10);
        control.setPayloadType(1);
        QTest::newRow("control") << std::shared_ptr<Packet>(new DeviceControl(control))
                                 << QStringLiteral("\nDescriptor:0x02\nCommand: 128\nPayload type: 1\nSample rate: 10\n"
                                                   "Channels: 00000101\nTrig Delay: 0\nError:0\n");
        control.setChannelMask(0x0301);
        control.setTriggerDelay(300);
        control.setByte(3, 9);
        QTest::newRow("control wide mask") << std::shared_ptr<Packet>(new DeviceControl(control))
                                           << QStringLiteral("\nDescriptor:0x02\nCommand: 128\nPayload type: 1\n"
                                                             "Sample rate: 10\nChannels: 1100000001\nTrig Delay: 300\nError:9\n");

        const QByteArray measure = report(QByteArray::fromHex("0500010a030f"));
        QTest::newRow("measure pin state") << std::shared_ptr<Packet>(new MeasureAll(measure.constData(), 64))
                                           << QStringLiteral("Index: 266\nStatus: 03 (00000011)\nPin State: 08 (00001000)\n");

        QByteArray channel = report(QByteArray::fromHex("04000000 0201 00ff"));
        channel.replace(12, 11, "mV,Voltage,");
        QTest::newRow("channel") << std::shared_ptr<Packet>(new ChannelInfo(channel.constData(), 64))
                                 << QStringLiteral("Descriptor:0x04\nChannel: 2\nData type: 1\nBase number: 0\n"
                                                   "Min Exponent: 255\nInfo: mV,Voltage,\n");

        StatusControlRequest request;
        request.setControl(0x0c);
        request.setVoltage(1800);
        QTest::newRow("status request") << std::shared_ptr<Packet>(new StatusControlRequest(request))
                                        << QStringLiteral("Descriptor:0x06\nControl: 0x0c (00001100)\nVoltage:1800\n\n");

        QByteArray info = report(QByteArray::fromHex("011f6903 00003039"));
        info.replace(8, 9, "100% %1 x");
        const DeviceInfo device(info.constData(), 64);
        QTest::newRow("device info")
            << std::shared_ptr<Packet>(new DeviceInfo(device))
            << QStringLiteral("Descriptor:0x01\nID: 1f\nVersion: 2.05\nChannels: 3\nS/N: 000012345\nInfo: 100% %1 x\nPacket: ")
                   + device.toHexString() + QLatin1Char('\n');
    }
    void textForms()
    {
        QFETCH(std::shared_ptr<Packet>, packet);
        QFETCH(QString, text);
        QCOMPARE(packet->toString(), text);
    }

    void hexDump()
    {
        QCOMPARE(Packet().toHexString(), zeroHexDump());
        const QByteArray bytes = QByteArray::fromHex("ff0a");
        QVERIFY(Packet(bytes.constData(), 2).toHexString().startsWith(QStringLiteral("0xff 0x0a 0x00 ")));
    }

    void fullTextFieldsHaveNoTerminator()
    {
        QByteArray bytes(64, 'A');
        bytes[0] = 1;
        const DeviceInfo info(bytes.constData(), 64);
        QCOMPARE(info.infoText(), QString(56, QLatin1Char('A')));
        bytes[0] = 4;
        const ChannelInfo channel(bytes.constData(), 64);
        QCOMPARE(channel.infoText(), QString(48, QLatin1Char('A')));
    }
};


QTEST_GUILESS_MAIN(TestPackets)
#include "tst_packets.moc"

// The simulated instruments are the test equipment of the logger's own tests: their
// replies and reports are checked here against the program's decoding.

#include "HidTestSupport.h"

#include "ChannelInfo.h"
#include "DeviceControl.h"
#include "DeviceDescriptions.h"
#include "DeviceInfo.h"
#include "MeasureAll.h"
#include "PowerPackets.h"
#include "SimpleRequests.h"
#include "StatusControl.h"

#include <QtTest>

#include <cmath>

namespace {

DeviceControl control(quint8 command, quint16 mask, quint16 word)
{
    DeviceControl request;
    request.setCommand(command);
    request.setChannelMask(mask);
    request.setSampleRate(word);
    request.setPayloadType(1);
    return request;
}

QStringList textReplies(const ReceivedReports& received)
{
    QStringList texts;
    for (const QByteArray& r : received.ofDescriptor(PowerCode::ReportId)) {
        PowerPacket packet(r.constData(), int(r.size()));
        if (packet.isTextReply())
            texts.append(packet.replyText());
    }
    return texts;
}

QList<QByteArray> withCode(const ReceivedReports& received, quint8 code)
{
    QList<QByteArray> result;
    for (const QByteArray& r : received.ofDescriptor(PowerCode::ReportId))
        if (quint8(r[2]) == code)
            result.append(r);
    return result;
}

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

    HidDevice* hid = nullptr;
    ReceivedReports* received = nullptr;

    void connectTo(sim::Kind kind)
    {
        sim::plug(kind);
        hid->checkTimerTick();
        QVERIFY(hid->isOpen());
        powerSupplyConnected = kind == sim::Kind::Supply || kind == sim::Kind::Supply600;
    }
    void pass(int milliseconds)
    {
        for (int i = 0; i < milliseconds; ++i) {
            sim::advance(1);
            hid->hidRead();
        }
    }

private slots:
    void init()
    {
        hid = freshDevice();
        received = new ReceivedReports(hid);
        ChannelInfo::clearTable();
    }
    void cleanup()
    {
        delete received;
        hid->stop();
        delete hid;
    }

    void analyzerDescribesItself()
    {
        connectTo(sim::Kind::Analyzer);
        hid->send(DeviceInfo::instance());
        ChannelsRequest channels;
        hid->send(channels);
        pass(1);

        const QList<QByteArray> infos = received->ofDescriptor(DeviceInfo::Descriptor);
        QCOMPARE(infos.size(), 1);
        const DeviceInfo info(infos[0].constData(), 64);
        QCOMPARE(info.serialNumber(), QString::fromStdWString(sim::defaultSerial(sim::Kind::Analyzer)));
        QCOMPARE(int(info.channelCount()), 3);
        const QList<QByteArray> descriptions = received->ofDescriptor(ChannelInfo::Descriptor);
        QCOMPARE(descriptions.size(), 3);
        for (const QByteArray& d : descriptions)
            ChannelInfo(d.constData(), 64).store();
        QCOMPARE(ChannelInfo(quint8(0)).dataType(), quint8(1));
        QCOMPARE(ChannelInfo(quint8(0)).name(), QString("Current"));
        QCOMPARE(ChannelInfo(quint8(2)).unit(), QString("mV"));
    }

    void analyzerStreamDecodesToTheSignal_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("rows");
        // Reports leave when full, or once their oldest sample has waited 50 ms.
        QTest::newRow("10 kHz, current only: 28 rows") << 0x1 << 1 << 28;
        QTest::newRow("1 kHz, three channels: 9 rows") << 0x7 << 10 << 9;
        QTest::newRow("100 Hz, channels 0 and 2: 6 of 14 rows") << 0x5 << 100 << 6;
        QTest::newRow("1 Hz, voltage only: 1 of 28 rows") << 0x2 << 10000 << 1;
    }
    void analyzerStreamDecodesToTheSignal()
    {
        QFETCH(int, mask);
        QFETCH(int, word);
        QFETCH(int, rows);
        sim::setAnalyzerSignal([](double t) {
            return sim::AnalyzerSample{50.0 + 150000.0 * t, 3300.0 - 100.0 * t, -40.0};
        });
        connectTo(sim::Kind::Analyzer);
        ChannelsRequest channels;
        hid->send(channels);
        pass(1);
        for (const QByteArray& d : received->ofDescriptor(ChannelInfo::Descriptor))
            ChannelInfo(d.constData(), 64).store();
        DeviceControl start = control(DeviceControl::CommandStart, quint16(mask), quint16(word));
        hid->send(start);
        pass(rows == 1 ? 3100 : 200);

        const QList<QByteArray> acks = received->ofDescriptor(DeviceControl::Descriptor);
        QCOMPARE(acks.size(), 1);
        QCOMPARE(DeviceControl(acks[0].constData(), 64).errorCode(), quint8(0));
        const QList<QByteArray> reports = received->ofDescriptor(MeasureAll::Descriptor);
        QVERIFY(reports.size() >= 3);
        const double period = word * 1e-4;
        quint32 expectedNumber = 0;
        for (const QByteArray& r : reports) {
            const MeasureAll measure(r.constData(), 64);
            QCOMPARE(measure.packetCounter(), expectedNumber);
            QCOMPARE(int(measure.rows()), rows);
            QCOMPARE(int(measure.channelMask()), mask);
            const QMap<int, QList<double>> values = measure.values();
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                QCOMPARE(it.value().size(), rows);
                for (int i = 0; i < rows; ++i) {
                    const double t = (expectedNumber + i) * period;
                    const double expected = it.key() == 0 ? 50.0 + 150000.0 * t : it.key() == 1 ? 3300.0 - 100.0 * t : -40.0;
                    // Auto-ranged current: one step of the range's 14-bit mantissa.
                    const double step = it.key() == 0 ? 2000.0 * std::pow(10.0, std::ceil(std::log10(std::max(expected, 2000.0) / 2000.0))) / 16383.0 : 0.5;
                    QVERIFY2(std::abs(it.value()[i] - expected) <= step,
                             qPrintable(QString("channel %1 sample %2: %3, expected %4").arg(it.key()).arg(expectedNumber + i).arg(it.value()[i]).arg(expected)));
                }
            }
            expectedNumber += quint32(rows);
        }
    }

    void analyzerAcknowledgesAndRefuses_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("word");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("accepted") << 0x3 << 2 << true;
        QTest::newRow("no channel") << 0x0 << 10 << false;
        QTest::newRow("no such channel") << 0x8 << 10 << false;
        QTest::newRow("10 kHz with two channels") << 0x3 << 1 << false;
        QTest::newRow("no rate") << 0x1 << 0 << false;
    }
    void analyzerAcknowledgesAndRefuses()
    {
        QFETCH(int, mask);
        QFETCH(int, word);
        QFETCH(bool, accepted);
        connectTo(sim::Kind::Analyzer);
        DeviceControl start = control(DeviceControl::CommandStart, quint16(mask), quint16(word));
        hid->send(start);
        pass(100);
        DeviceControl stop = start;
        stop.setCommand(DeviceControl::CommandStop);
        hid->send(stop);
        pass(1);
        const qsizetype measuredBeforeStop = received->ofDescriptor(MeasureAll::Descriptor).size();
        pass(100);

        const QList<QByteArray> acks = received->ofDescriptor(DeviceControl::Descriptor);
        QCOMPARE(acks.size(), 2);
        QCOMPARE(DeviceControl(acks[0].constData(), 64).errorCode() == 0, accepted);
        QCOMPARE(measuredBeforeStop > 0, accepted);
        QCOMPARE(received->ofDescriptor(MeasureAll::Descriptor).size(), measuredBeforeStop);
        const DeviceControl stopAck(acks[1].constData(), 64);
        QCOMPARE(stopAck.command(), quint8(DeviceControl::CommandStop));
        QCOMPARE(stopAck.errorCode(), quint8(0));
    }

    void sampleNumbersWrapAndLossesLeaveGaps()
    {
        connectTo(sim::Kind::Analyzer);
        sim::setFirstSampleNumber(0xFFFFF0);
        DeviceControl start = control(DeviceControl::CommandStart, 0x1, 1);
        hid->send(start);
        pass(6); // two reports of 28 samples
        sim::dropReports(1);
        pass(6);

        QList<quint32> numbers;
        for (const QByteArray& r : received->ofDescriptor(MeasureAll::Descriptor))
            numbers.append(MeasureAll(r.constData(), 64).packetCounter());
        QCOMPARE(numbers, (QList<quint32>{0xFFFFF0, 0xC, 0x44}));
    }

    void analyzerStatusFollowsItsControls_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("voltage");
        QTest::addColumn<int>("pinState");
        QTest::addColumn<int>("vout");
        QTest::addColumn<int>("powerState");
        QTest::addColumn<float>("vin");
        QTest::newRow("status poll") << 0x00 << 1800 << 0x80 << 1800 << 8 << 5000.0f;
        QTest::newRow("apply Vbat, 3300 mV") << 0xD3 << 3300 << 0x40 << 3300 << 8 << 3900.0f;
        QTest::newRow("apply no source") << 0x12 << 2500 << 0x00 << 2500 << 8 << 0.0f;
        QTest::newRow("set off") << 0x04 << 1800 << 0x80 << 1800 << 4 << 5000.0f;
        QTest::newRow("set delayed") << 0x0C << 1800 << 0x80 << 1800 << 12 << 5000.0f;
    }
    void analyzerStatusFollowsItsControls()
    {
        QFETCH(int, control);
        QFETCH(int, voltage);
        QFETCH(int, pinState);
        QFETCH(int, vout);
        QFETCH(int, powerState);
        QFETCH(float, vin);
        sim::setAnalyzerSignal([](double) { return sim::AnalyzerSample{1500.0, 3300.0, 1800.0}; });
        connectTo(sim::Kind::Analyzer);
        StatusControlRequest request;
        request.setControl(quint8(control));
        request.setVoltage(quint16(voltage));
        hid->send(request);
        pass(1);

        const QList<QByteArray> replies = received->ofDescriptor(StatusControlRequest::Descriptor);
        QCOMPARE(replies.size(), 1);
        const StatusControlResponse response(replies[0].constData(), 64);
        QCOMPARE(int(response.control()), control);
        QCOMPARE(int(response.pinState()), pinState);
        QCOMPARE(int(response.vout()), vout);
        QCOMPARE(int(response.powerOutputState()), powerState);
        QCOMPARE(response.vin(), vin);
        QCOMPARE(response.value(0), 1.5f); // milliamperes
        QCOMPARE(response.value(1), 3300.0f);
    }

    void supplyAnswersItsTextCommands_data()
    {
        QTest::addColumn<bool>("vuviv");
        QTest::addColumn<bool>("outputOn");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("replies");
        QTest::newRow("output on") << false << true << "POWER\n" << QStringList{"ON\r\n"};
        QTest::newRow("output off") << false << false << "POWER\n" << QStringList{"OFF\r\n"};
        QTest::newRow("channel beyond the model") << false << true << "LOG100C13C\n" << QStringList{"LOG ERROR\r\n"};
        QTest::newRow("six channels") << true << true << "LOG10C012345\n" << QStringList{"LOG ERROR\r\n"};
        QTest::newRow("no rate") << true << true << "LOGC1\n" << QStringList{"LOG ERROR\r\n"};
        QTest::newRow("stop while idle") << false << true << "LOGSTOP\n" << QStringList{};
        QTest::newRow("second model's channels") << true << true << "LOG100C13C\n" << QStringList{};
    }
    void supplyAnswersItsTextCommands()
    {
        QFETCH(bool, vuviv);
        QFETCH(bool, outputOn);
        QFETCH(QString, command);
        QFETCH(QStringList, replies);
        sim::setSupplyOutput(outputOn);
        connectTo(vuviv ? sim::Kind::Supply600 : sim::Kind::Supply);
        hid->sendText(command);
        pass(1);
        QCOMPARE(textReplies(*received), replies);
    }

    void supplyLogDecodesToTheSignal()
    {
        power600Model = false;
        QTest::ignoreMessage(QtDebugMsg, "createDefaultsPower: cnt = 8");
        createDefaultsPower();
        sim::setSupplySignal([](int channel, double t) { return channel == 4 ? -12.0 : channel * 1.5 + t; });
        connectTo(sim::Kind::Supply);
        hid->sendText(powerLogCommand("100", {0, 1, 4, 7}));
        pass(500);
        sim::endSupplyLog();
        pass(1);

        const QList<int> channels{0, 1, 4, 7};
        quint32 expectedNumber = 0;
        const QList<QByteArray> reports = withCode(*received, 0x01);
        QVERIFY(reports.size() >= 5);
        for (const QByteArray& r : reports) {
            const MeasurePower measure(r.constData(), 64);
            QCOMPARE(measure.packetCounter(), expectedNumber);
            const QMap<int, QList<double>> values = measure.values(channels, false);
            for (int position = 0; position < channels.size(); ++position) {
                const QList<double> list = values.value(position);
                QCOMPARE(list.size(), int(measure.rows()));
                for (int i = 0; i < list.size(); ++i) {
                    const int c = channels[position];
                    const double expected = c == 4 ? -12.0 : c * 1.5 + (expectedNumber + i) * 0.01;
                    QVERIFY(std::abs(list[i] - expected) <= 0.05 + 1e-9);
                }
            }
            expectedNumber += measure.rows();
        }
        QCOMPARE(expectedNumber, 51u); // samples 0 to 50 of the half second, the last ones flushed at the end
        QCOMPARE(withCode(*received, PowerCode::LogEnded).size(), 1);
    }

    void supplySettingsRoundTrip()
    {
        connectTo(sim::Kind::Supply);
        PowerGetPacket request;
        hid->sendReport(request);
        pass(1);
        QList<QByteArray> settings = withCode(*received, PowerCode::Settings);
        QCOMPARE(settings.size(), 1);

        PowerSetPacket write(PowerGetPacket(PowerPacket(settings[0].constData(), 64)));
        write.setByte(3 + 3, 25);        // switch off below 2.5 A
        write.setByte(3 + 54, 0x02);     // save
        hid->sendReport(write);
        hid->sendReport(request);
        PowerDataPacket data;
        hid->sendReport(data);
        pass(1);

        QCOMPARE(withCode(*received, PowerCode::SettingsWritten).size(), 1);
        settings = withCode(*received, PowerCode::Settings);
        QCOMPARE(settings.size(), 2);
        QCOMPARE(quint8(settings[1][6]), quint8(25));
        QCOMPARE(quint8(settings[1][57]), quint8(0)); // command flags are not stored
        const QList<QByteArray> dataReplies = withCode(*received, PowerCode::DeviceData);
        QCOMPARE(dataReplies.size(), 1);
        QCOMPARE(PowerDataPacket(PowerPacket(dataReplies[0].constData(), 64)).versionText(), QString("1.07"));
    }

    void injectedAndLostReports()
    {
        connectTo(sim::Kind::Analyzer);
        const int analyzer = sim::find(sim::Kind::Analyzer);
        sim::setQueueLimit(2);
        sim::injectReport(analyzer, {0x05, 0x00, 0x00, 0x10, 0x00, 0x01, 0xFF});
        sim::injectReport(analyzer, {0x63});
        sim::injectReport(analyzer, {0x64});
        hid->hidRead();

        QCOMPARE(received->reports.size(), 2);
        QCOMPARE(received->reports[0].left(7).toHex(), QByteArray("050000100001ff"));
        QCOMPARE(received->reports[1].toHex(), QByteArray::fromHex("63").leftJustified(64, '\0').toHex());
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"

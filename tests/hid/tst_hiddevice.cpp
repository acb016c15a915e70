#include "HidTestSupport.h"

#include "DeviceControl.h"
#include "DeviceInfo.h"
#include "Packet.h"
#include "PowerPackets.h"

#include <QSignalSpy>
#include <QThread>
#include <QtTest>

namespace {

// Plugs instruments by name: a kind, optionally with "-noserial" or "-openfails".
QList<int> plugAll(const QStringList& names)
{
    QList<int> devices;
    for (const QString& name : names) {
        const QString kindName = name.section('-', 0, 0);
        const sim::Kind kind = kindName == "analyzer" ? sim::Kind::Analyzer
                             : kindName == "supply" ? sim::Kind::Supply
                             : kindName == "bootloader" ? sim::Kind::Bootloader
                                                        : sim::Kind::Foreign;
        const int device = name.endsWith("-noserial") ? sim::plugWithoutSerial(kind) : sim::plug(kind);
        sim::setOpenFails(device, name.endsWith("-openfails"));
        devices.append(device);
    }
    return devices;
}

QByteArray report65(const char* hex)
{
    QByteArray r = QByteArray::fromHex(hex);
    r.resize(65, '\0');
    return r;
}

DeviceControl startRequest(quint16 mask, quint16 word)
{
    DeviceControl start;
    start.setCommand(DeviceControl::CommandStart);
    start.setChannelMask(mask);
    start.setSampleRate(word);
    start.setPayloadType(1);
    return start;
}

} // namespace

class TestHidDevice : public QObject
{
    Q_OBJECT

    HidDevice* hid = nullptr;

private slots:
    void init() { hid = freshDevice(); }
    void cleanup()
    {
        hid->stop();
        delete hid;
    }

    void arrivalOpensByPrefix_data()
    {
        QTest::addColumn<QStringList>("plugged");
        QTest::addColumn<bool>("found");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<int>("connectedSignals");
        QTest::addColumn<QString>("prefix");

        QTest::newRow("analyzer") << QStringList{"analyzer"} << true << true << 1 << "5001";
        QTest::newRow("supply") << QStringList{"supply"} << true << true << 1 << "5002";
        QTest::newRow("other prefix ignored") << QStringList{"foreign"} << false << false << 0 << "";
        QTest::newRow("other prefix skipped") << QStringList{"foreign", "supply"} << true << true << 1 << "5002";
        QTest::newRow("first of two instruments") << QStringList{"analyzer", "supply"} << true << true << 1 << "5001";
        QTest::newRow("bootloader opened silently") << QStringList{"bootloader"} << true << true << 0 << "5001";
        QTest::newRow("unreadable serial skipped") << QStringList{"analyzer-noserial"} << false << false << 0 << "";
        QTest::newRow("bootloader without serial") << QStringList{"bootloader-noserial"} << true << true << 0 << "";
        QTest::newRow("open refused") << QStringList{"analyzer-openfails"} << true << false << 0 << "";
        QTest::newRow("nothing plugged") << QStringList{} << false << false << 0 << "";
    }
    void arrivalOpensByPrefix()
    {
        QFETCH(QStringList, plugged);
        QFETCH(bool, found);
        QFETCH(bool, opened);
        QFETCH(int, connectedSignals);
        QFETCH(QString, prefix);
        plugAll(plugged);
        QSignalSpy connected(hid, &HidDevice::deviceConnected);
        QSignalSpy disconnected(hid, &HidDevice::deviceDisconnected);

        QCOMPARE(hid->searchDevice(true), found);

        QCOMPARE(hid->isOpen(), opened);
        QCOMPARE(connected.count(), connectedSignals);
        QCOMPARE(disconnected.count(), 0);
        QCOMPARE(hid->serialPrefix(), prefix);
        if (!prefix.isEmpty())
            QCOMPARE(hid->serial().left(4), prefix);
    }

    // Failure texts shown to the user never read "Success" or nothing at all.
    void errorTexts_data()
    {
        QTest::addColumn<bool>("null");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("no text") << true << "" << "fallback";
        QTest::newRow("empty") << false << "" << "fallback";
        QTest::newRow("blank") << false << " \n" << "fallback";
        QTest::newRow("nothing failed") << false << "Success" << "fallback";
        QTest::newRow("a real error") << false << "Broken pipe\n" << "Broken pipe";
        QTest::newRow("wide characters") << false << "Пристрій зник" << "Пристрій зник";
    }
    void errorTexts()
    {
        QFETCH(bool, null);
        QFETCH(QString, error);
        QFETCH(QString, text);
        const std::wstring wide = error.toStdWString();
        QCOMPARE(hidErrorText(null ? nullptr : wide.c_str(), QStringLiteral("fallback")), text);
    }

    void failedOpenIsRetriedByTheNextCheck()
    {
        const int analyzer = sim::plug(sim::Kind::Analyzer);
        sim::setOpenFails(analyzer, true);
        QSignalSpy connected(hid, &HidDevice::deviceConnected);
        hid->checkTimerTick();
        QVERIFY(!hid->isOpen());

        sim::setOpenFails(analyzer, false);
        hid->checkTimerTick();
        QVERIFY(hid->isOpen());
        QCOMPARE(connected.count(), 1);
    }

    void presenceCheckReportsRemovalOnce()
    {
        const int analyzer = sim::plug(sim::Kind::Analyzer);
        QSignalSpy disconnected(hid, &HidDevice::deviceDisconnected);
        hid->checkTimerTick();
        QVERIFY(hid->isOpen());

        hid->checkTimerTick();
        QCOMPARE(disconnected.count(), 0);

        // Any device with the ids keeps the presence check content, the bootloader too.
        sim::unplug(analyzer);
        const int loader = sim::plug(sim::Kind::Bootloader);
        QVERIFY(hid->searchDevice(false));
        QCOMPARE(disconnected.count(), 0);

        sim::unplug(loader);
        QVERIFY(!hid->searchDevice(false));
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(!hid->isOpen());

        hid->checkTimerTick();
        QCOMPARE(disconnected.count(), 1);
    }

    // Pulled and plugged in again between two checks: the presence check sees the ids and
    // would keep the dead handle; the failed read reports the removal instead.
    void replugWithinOneCheckPeriodReconnects()
    {
        const int first = sim::plug(sim::Kind::Analyzer);
        QSignalSpy connected(hid, &HidDevice::deviceConnected);
        QSignalSpy disconnected(hid, &HidDevice::deviceDisconnected);
        ReceivedReports received(hid);
        hid->checkTimerTick();
        QCOMPARE(connected.count(), 1);

        sim::unplug(first);
        sim::advance(300);
        const int second = sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        QCOMPARE(disconnected.count(), 0);

        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("read failed, device removed"));
        hid->hidRead();
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(!hid->isOpen());

        hid->checkTimerTick();
        QCOMPARE(connected.count(), 2);
        DeviceInfo request;
        QCOMPARE(hid->send(request), 65);
        QCOMPARE(int(sim::written(second).size()), 1);
        hid->hidRead();
        QCOMPARE(received.ofDescriptor(DeviceInfo::Descriptor).size(), 1);
    }

    void outputFramingsByteForByte_data()
    {
        QTest::addColumn<QString>("instrument");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QByteArray>("packet");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");

        QByteArray status = QByteArray::fromHex("06d3000ce400c8");
        status.resize(64, '\0');
        QByteArray info(64, '\0');
        info[0] = 1;
        info[1] = 0x11;
        info[63] = char(0xEE);
        QByteArray settings = QByteArray::fromHex("07400a");
        settings.resize(64, '\0');
        QByteArray lastInfoBytes = report65("0111");
        lastInfoBytes[63] = char(0xEE);

        QTest::newRow("analyzer: report id 0, then the packet")
            << "analyzer" << "" << "send" << status << "" << report65("0006d3000ce400c8");
        QTest::newRow("supply: packet from its report id")
            << "supply" << "supply" << "send" << info << "" << lastInfoBytes;
        QTest::newRow("second model flag: power framing")
            << "supply" << "600" << "send" << info << "" << lastInfoBytes;
        QTest::newRow("supply packet") << "supply" << "" << "sendReport" << settings << "" << report65("07400a");
        QTest::newRow("text command")
            << "supply" << "supply" << "sendText" << QByteArray() << "LOG100C13C\n"
            << report65("070b4c4f47313030433133430a");
        const QString longest(63, QLatin1Char('X'));
        QByteArray longestReport = report65("073f");
        for (int i = 2; i < 65; ++i)
            longestReport[i] = 'X';
        QTest::newRow("longest text") << "supply" << "supply" << "sendText" << QByteArray() << longest << longestReport;
    }
    void outputFramingsByteForByte()
    {
        QFETCH(QString, instrument);
        QFETCH(QString, flag);
        QFETCH(QString, operation);
        QFETCH(QByteArray, packet);
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        const int device = sim::plug(instrument == "analyzer" ? sim::Kind::Analyzer : sim::Kind::Supply);
        hid->checkTimerTick();
        powerSupplyConnected = flag == "supply";
        power600Model = flag == "600";
        Packet p(packet.constData(), int(packet.size()));

        const int result = operation == "send" ? hid->send(p)
                         : operation == "sendReport" ? hid->sendReport(p)
                                                     : hid->sendText(text);

        QCOMPARE(result, 65);
        QCOMPARE(int(sim::written(device).size()), 1);
        QCOMPARE(lastWrite(device).toHex(), expected.toHex());
    }

    void nothingIsWritten_data()
    {
        QTest::addColumn<bool>("deviceOpen");
        QTest::addColumn<QString>("text");
        QTest::newRow("no device") << false << "POWER\n";
        QTest::newRow("empty text") << true << "";
        QTest::newRow("text longer than the report") << true << QString(64, QLatin1Char('X'));
    }
    void nothingIsWritten()
    {
        QFETCH(bool, deviceOpen);
        QFETCH(QString, text);
        const int supply = sim::plug(sim::Kind::Supply);
        if (deviceOpen)
            hid->checkTimerTick();
        powerSupplyConnected = true;
        Packet request(quint8(1));
        if (text.size() > 63)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("longer than 63 characters not sent"));

        QCOMPARE(hid->sendText(text), 0);
        if (!deviceOpen) {
            QCOMPARE(hid->send(request), 0);
            QCOMPARE(hid->sendReport(request), 0);
        }
        QVERIFY(sim::written(supply).empty());
    }

    void oneTickDrainsEveryPendingReport()
    {
        sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        ReceivedReports received(hid);
        DeviceControl start = startRequest(0x0007, 10); // 1 kHz, nine rows per report
        hid->send(start);
        sim::advance(100);

        hid->hidRead();

        const QList<QByteArray> measures = received.ofDescriptor(5);
        QCOMPARE(received.ofDescriptor(DeviceControl::Descriptor).size(), 1);
        QCOMPARE(measures.size(), 11);
        for (int i = 0; i < measures.size(); ++i) {
            const MeasureAllNumber number = numberOf(measures[i]);
            QCOMPARE(number, MeasureAllNumber(9 * i));
        }
        const qsizetype before = received.reports.size();
        hid->hidRead();
        QCOMPARE(received.reports.size(), before);
    }

    // With read-ahead on, a stream many times longer than the device's 64-report buffer
    // arrives whole and in order although nobody calls the read slot while it comes; a
    // removal is reported after every report that came before it, whether the read slot
    // or the presence check notices it first, and also when the check runs in an event
    // loop that a receiver of the first report opens.
    void readAheadKeepsTheStreamWhileTheWindowIsBusy_data()
    {
        QTest::addColumn<QString>("noticedBy");
        QTest::newRow("read") << "read";
        QTest::newRow("presence check") << "check";
        QTest::newRow("presence check while a report is handed out") << "nested check";
    }
    void readAheadKeepsTheStreamWhileTheWindowIsBusy()
    {
        QFETCH(QString, noticedBy);
        const int analyzer = sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        QStringList events;
        connect(hid, &HidDevice::packetReceived, this, [&](quint8* packet, int) {
            if (packet[0] != 5)
                return;
            events << QString::number(numberOf(QByteArray(reinterpret_cast<const char*>(packet), 64)));
            if (noticedBy == "nested check" && events.size() == 1)
                hid->checkTimerTick();
        });
        connect(hid, &HidDevice::deviceDisconnected, this, [&] { events << QStringLiteral("removed"); });
        hid->setReadAhead(true);
        DeviceControl start = startRequest(0x0001, 1); // 10 kHz, 28 rows per report
        hid->send(start);
        for (int ms = 0; ms < 1000; ms += 20) {
            sim::advance(20);
            QDeadlineTimer deadline(30000);
            while (sim::pendingReports(analyzer) > 0 && !deadline.hasExpired())
                QThread::yieldCurrentThread();
            QCOMPARE(sim::pendingReports(analyzer), std::size_t(0));
        }
        QVERIFY(events.isEmpty());
        sim::unplug(analyzer);

        if (noticedBy == "check")
            hid->checkTimerTick();
        else
            hid->hidRead();

        QCOMPARE(events.size(), 10000 / 28 + 1);
        for (int i = 0; i + 1 < events.size(); ++i)
            QCOMPARE(events[i], QString::number(28 * i));
        QCOMPARE(events.last(), QStringLiteral("removed"));
        QVERIFY(!hid->isOpen());
    }

    // Read-ahead switched off and on again and again while an instrument on its own clock
    // keeps sending: every report it sent is either handed out or counted lost in the
    // device's full buffer; none is dropped with the reading thread as it ends.
    void switchingReadAheadOffDropsNoReport()
    {
        sim::reset(sim::ClockMode::Real);
        const int analyzer = sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        QVERIFY(hid->isOpen());
        quint64 received = 0;
        connect(hid, &HidDevice::packetReceived, this, [&](quint8* packet, int) {
            if (packet[0] == 5)
                ++received;
        });
        hid->setReadAhead(true);
        sim::runIndependentClock(20);
        const sim::StreamCounts before = sim::streamCounts();
        DeviceControl start = startRequest(0x0001, 1); // 10 kHz: a report every 2.8 ms, 20 times faster
        hid->send(start);
        // At least 200 switches, and on until the instrument has sent a thousand reports,
        // however long a busy machine takes for them.
        QDeadlineTimer limit(60000);
        for (int i = 0; (i < 200 || sim::streamCounts().reports - before.reports <= 1000) && !limit.hasExpired();
             ++i) {
            QThread::usleep(500);
            hid->setReadAhead(false);
            hid->hidRead();
            hid->setReadAhead(true);
        }
        sim::stopIndependentClock();
        // The last read ends the reading thread: a thread still looking would make the
        // simulated instrument (now sending only when read) send after the count. The
        // wait before the count shows that nothing is read any more.
        hid->setReadAhead(false);
        hid->hidRead();
        QThread::msleep(20);
        const sim::StreamCounts after = sim::streamCounts();
        QVERIFY(after.reports - before.reports > 1000);
        QCOMPARE(received + (after.lostReports - before.lostReports), after.reports - before.reports);
        sim::unplug(analyzer);
    }

    // A receiver that opens a nested event loop brings the read slot back while a report
    // is still being handed out; that call must return at once, and nothing is lost.
    void nestedReadReturnsAtOnce()
    {
        sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        int depth = 0;
        int deepest = 0;
        QList<quint32> numbers;
        connect(hid, &HidDevice::packetReceived, this, [&](quint8* packet, int) {
            ++depth;
            deepest = std::max(deepest, depth);
            if (packet[0] == 5)
                numbers.append(numberOf(QByteArray(reinterpret_cast<const char*>(packet), 64)));
            hid->hidRead();
            --depth;
        });
        DeviceControl start = startRequest(0x0001, 10); // 1 kHz, 28 rows per report
        hid->send(start);
        sim::advance(150);

        hid->hidRead();

        QCOMPARE(deepest, 1);
        QCOMPARE(numbers, (QList<quint32>{0, 28, 56, 84, 112}));
    }

private:
    using MeasureAllNumber = quint32;
    static MeasureAllNumber numberOf(const QByteArray& report)
    {
        return (quint8(report[1]) << 16) | (quint8(report[2]) << 8) | quint8(report[3]);
    }
};

QTEST_GUILESS_MAIN(TestHidDevice)
#include "tst_hiddevice.moc"

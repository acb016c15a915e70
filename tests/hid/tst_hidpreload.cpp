// The logger's transport is linked with the real hidapi here. Preloading the simulator
// must make it see working instruments: the test runs itself again with the simulator
// preloaded and reads what the transport saw.

#include "DeviceControl.h"
#include "DeviceInfo.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "PowerPackets.h"
#include "SimpleRequests.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTextStream>
#include <QtTest>

namespace {

const char* const probeVariable = "TALVO_PRELOAD_PROBE";

// Runs until the condition holds, with the transport's own timers doing the reading.
bool waitFor(const std::function<bool()>& condition)
{
    QDeadlineTimer deadline(30000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
}

int probe(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    HidDevice* hid = HidDevice::instance(&app);
    QList<QByteArray> reports;
    QObject::connect(hid, &HidDevice::packetReceived, [&](quint8* packet, int length) {
        reports.append(QByteArray(reinterpret_cast<const char*>(packet), length));
    });
    const auto count = [&](quint8 first) {
        return std::count_if(reports.begin(), reports.end(), [&](const QByteArray& r) { return quint8(r[0]) == first; });
    };
    hid->checkTimerTick();
    if (!hid->isOpen()) {
        out << "no instrument\n";
        return 0;
    }
    out << "connected " << hid->serialPrefix() << "\n";
    if (hid->serialPrefix() == "5001") {
        hid->send(DeviceInfo::instance());
        ChannelsRequest channels;
        hid->send(channels);
        DeviceControl start;
        start.setCommand(DeviceControl::CommandStart);
        start.setChannelMask(0x1);
        start.setSampleRate(10);
        start.setPayloadType(1);
        hid->send(start);
        if (waitFor([&] { return count(1) == 1 && count(4) == 3 && count(5) >= 3; })) {
            const auto info = std::find_if(reports.begin(), reports.end(), [](const QByteArray& r) { return r[0] == 1; });
            out << "device info " << DeviceInfo(info->constData(), 64).serialNumber() << "\n";
            out << "measuring\n";
        }
    } else {
        powerSupplyConnected = true;
        hid->sendText(PowerCommand::Status);
        if (waitFor([&] { return count(PowerCode::ReportId) >= 1; }))
            out << "reply " << PowerPacket(reports[0].constData(), 64).replyText().trimmed() << "\n";
    }
    hid->stop();
    return 0;
}

} // namespace

class TestHidPreload : public QObject
{
    Q_OBJECT

private slots:
    void preloadedSimulatorStandsInForTheInstruments_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("expected");
        QTest::newRow("analyzer") << "analyzer" << "connected 5001\ndevice info 500100123\nmeasuring\n";
        QTest::newRow("analyzer by default") << "" << "connected 5001\ndevice info 500100123\nmeasuring\n";
        QTest::newRow("supply") << "supply" << "connected 5002\nreply ON\n";
        QTest::newRow("second supply model") << "supply600" << "connected 5002\nreply ON\n";
        QTest::newRow("nothing plugged") << "none" << "no instrument\n";
    }
    void preloadedSimulatorStandsInForTheInstruments()
    {
        QFETCH(QString, choice);
        QFETCH(QString, expected);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(probeVariable, "1");
        environment.insert("LD_PRELOAD", TALVO_SIM_PRELOAD);
        environment.remove("TALVO_SIM");
        if (!choice.isEmpty())
            environment.insert("TALVO_SIM", choice);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromLatin1(process.readAllStandardOutput()), expected);
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(probeVariable))
        return probe(argc, argv);
    QCoreApplication app(argc, argv);
    TestHidPreload test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpreload.moc"

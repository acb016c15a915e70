// Reports per second through the transport's read drain and packetReceived, with the
// simulated analyzer producing as fast as it can, against the analyzer's maximum report
// rate: 10 kS/s with three channels, nine sample rows per report.

#include "DeviceControl.h"
#include "HidDevice.h"
#include "MeasureAll.h"
#include "TalvoSim.h"

#include <hidapi.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace sim = talvo::sim;

namespace {

constexpr double analyzerMaxReportsPerSecond = 10000.0 / 9.0;
constexpr int batch = 1000;
constexpr int batches = 500;

// Reports per second of the simulator alone: produced, then read with hidapi calls.
double simulatorAlone()
{
    sim::reset();
    sim::setQueueLimit(batch);
    sim::plug(sim::Kind::Analyzer);
    hid_device* device = hid_open(HidDevice::vendorId, HidDevice::instrumentProductId, nullptr);
    hid_set_nonblocking(device, 1);
    DeviceControl start;
    start.setCommand(DeviceControl::CommandStart);
    start.setChannelMask(0x7);
    start.setSampleRate(10);
    start.setPayloadType(1);
    unsigned char report[65] = {0};
    std::copy_n(start.data(), 64, report + 1);
    hid_write(device, report, sizeof report);
    unsigned long long checksum = 0;
    QElapsedTimer timer;
    timer.start();
    for (int b = 0; b < batches; ++b) {
        sim::produceReports(batch);
        while (hid_read(device, report, 64) > 0)
            checksum += report[3];
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    hid_close(device);
    std::printf("  (checksum %llu)\n", checksum);
    return batch * batches / seconds;
}

double throughTransport()
{
    sim::reset();
    sim::setQueueLimit(batch);
    sim::plug(sim::Kind::Analyzer);
    HidDevice* hid = HidDevice::instance(nullptr);
    hid->checkTimerTick();
    long long received = 0;
    unsigned long long checksum = 0;
    QObject::connect(hid, &HidDevice::packetReceived, [&](quint8* packet, int length) {
        // What the main window's handler does first: copy the report into its packet.
        const MeasureAll measure(packet, length);
        checksum += measure.packetCounter();
        ++received;
    });
    DeviceControl start;
    start.setCommand(DeviceControl::CommandStart);
    start.setChannelMask(0x7);
    start.setSampleRate(10);
    start.setPayloadType(1);
    hid->send(start);
    hid->hidRead();
    received = 0;
    QElapsedTimer timer;
    timer.start();
    for (int b = 0; b < batches; ++b) {
        sim::produceReports(batch);
        hid->hidRead();
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    hid->stop();
    delete hid;
    std::printf("  (checksum %llu, %lld reports)\n", checksum, received);
    return double(received) / seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("HID read drain, %d reports of 9 rows x 3 channels\n", batch * batches);
    const double alone = simulatorAlone();
    const double transport = throughTransport();
    std::printf("reference: analyzer maximum      %10.0f reports/s\n", analyzerMaxReportsPerSecond);
    std::printf("simulator alone (hidapi reads)   %10.0f reports/s\n", alone);
    std::printf("read drain + packetReceived      %10.0f reports/s\n", transport);
    std::printf("ratio to the analyzer maximum    %10.1fx (target 20x)\n", transport / analyzerMaxReportsPerSecond);
    return 0;
}

// Every report an instrument sends, decoded by the classes the logger uses for it. The
// first byte chooses the channels a measurement report is read with; the rest is the
// report, of whatever length arrived. No decoder reads past the 64 report bytes, and
// none yields more values than the report can carry.

#include "FuzzSupport.h"

#include "ChannelInfo.h"
#include "DeviceDescriptions.h"
#include "DeviceInfo.h"
#include "MeasureAll.h"
#include "PowerPackets.h"
#include "SampleDecoding.h"
#include "StatusControl.h"

#include <QJsonObject>

#include <vector>

namespace {

// Samples in the report bytes after the header of `offset` bytes, at `width` bytes each.
int sampleRoom(int offset, int width)
{
    return (Packet::bufferSize - offset) / width;
}

void analyzerReports(const uint8_t* report, int length, uint8_t selector)
{
    DeviceInfo info(report, length);
    info.serialNumber();
    info.versionText();
    FUZZ_CHECK(info.infoText().size() <= DeviceInfo::infoLength);

    ChannelInfo channel(report, length);
    channel.unit();
    channel.name();
    FUZZ_CHECK(channel.infoText().size() <= ChannelInfo::infoLength);

    StatusControlResponse status(report, length);
    for (int i = 0; i < 3; ++i)
        status.value(i);
    status.vin();
    status.vout();
    status.toString();

    MeasureAll measure(report, length);
    measure.toString();
    int total = 0;
    const QMap<int, QList<double>> values = measure.values();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        FUZZ_CHECK(it.key() >= 0 && it.key() < 3);
        FUZZ_CHECK(it.value().size() <= measure.rows());
        total += int(it.value().size());
    }
    FUZZ_CHECK(total <= sampleRoom(MeasureAll::samplesOffset, 2));

    const int count = 1 + selector % 3;
    for (int index = 0; index < count; ++index) {
        const QList<double> one = measure.channelValues(index, count, channel);
        FUZZ_CHECK(one.size() <= measure.rows());
        FUZZ_CHECK(one.size() * count <= sampleRoom(MeasureAll::samplesOffset, 2));
    }
    for (int i = MeasureAll::samplesOffset; i + 1 < length && i + 1 < Packet::bufferSize; i += 2)
        analyzerSampleValue(report[i], report[i + 1], channel);
}

void supplyReports(const uint8_t* report, int length, uint8_t selector)
{
    PowerPacket packet(report, length);
    FUZZ_CHECK(packet.size() <= Packet::bufferSize);
    packet.toString();
    if (packet.isTextReply())
        FUZZ_CHECK(packet.replyText().size() <= Packet::bufferSize - 2);

    PowerDataPacket deviceData(packet);
    deviceData.versionText();
    PowerGetPacket settings(packet);
    PowerSetPacket write(settings);
    FUZZ_CHECK(write.descriptor() == PowerCode::SettingsWritten);

    // One to eight logged channels, numbers 0 to 13 as the two models have them.
    QList<int> channels;
    const int count = 1 + selector % 8;
    for (int i = 0; i < count; ++i)
        channels.append((selector / 8 + i * 5) % 14);
    MeasurePower measure(packet);
    measure.toString();
    for (bool fahrenheit : {false, true}) {
        const QMap<int, QList<double>> values = measure.values(channels, fahrenheit);
        FUZZ_CHECK(values.size() <= channels.size());
        int bytes = 0;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            FUZZ_CHECK(it.key() >= 0 && it.key() < channels.size());
            FUZZ_CHECK(it.value().size() <= measure.rows());
            bytes += int(it.value().size()) * powerSampleWidth(ChannelInfo(quint8(channels.at(it.key()))).dataType());
        }
        FUZZ_CHECK(bytes <= Packet::bufferSize - 7);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The second supply model's table: channels of every sample width.
    static const bool described = [] {
        parseChannels(powerDescription(true));
        return true;
    }();
    (void)described;
    // A heap copy of exactly the bytes that arrived, so that a read past them is caught.
    const std::vector<uint8_t> copy(data + 1, data + size);
    const uint8_t* report = copy.data();
    analyzerReports(report, int(copy.size()), data[0]);
    supplyReports(report, int(copy.size()), data[0]);
    return 0;
}

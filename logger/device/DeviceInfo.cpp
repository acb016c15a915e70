#include "DeviceInfo.h"

DeviceInfo::DeviceInfo()
    : Packet(Descriptor)
{
}

DeviceInfo::DeviceInfo(const void* data, int length)
    : Packet(data, length)
{
}

DeviceInfo& DeviceInfo::instance()
{
    static DeviceInfo info;
    return info;
}

void DeviceInfo::resetInstance()
{
    instance() = DeviceInfo();
}

QString DeviceInfo::serialNumber() const
{
    return QStringLiteral("%1").arg(serial(), 9, 10, QLatin1Char('0'));
}

QString DeviceInfo::versionText() const
{
    return QStringLiteral("%1.%2").arg(version() / 100 + 1).arg(version() % 100, 2, 10, QLatin1Char('0'));
}

QString DeviceInfo::toString() const
{
    // One pass over the pattern, so a '%' in the device's own text is never taken for a
    // placeholder.
    return QStringLiteral("Descriptor:0x%1\nID: %2\nVersion: %3\nChannels: %4\nS/N: %5\nInfo: %6\nPacket: %7\n")
        .arg(hexText(descriptor(), 2), hexText(deviceId()), versionText(), QString::number(channelCount()),
             serialNumber(), infoText(), toHexString());
}

#include "DeviceDescriptions.h"

#include "ChannelInfo.h"
#include "DeviceInfo.h"
#include "LoggerState.h"

#include <QDebug>
#include <QJsonArray>

namespace {
std::function<void()>& powerChannelsRefill()
{
    static std::function<void()> refill;
    return refill;
}

struct ChannelRow
{
    int channel;
    const char* info;
    int dataType;
    double lower;
    double upper;
    int precision;
};

QJsonObject channelObject(const ChannelRow& row, int baseNumber, int minExponent)
{
    return QJsonObject{{"channel", row.channel},       {"info", QString::fromUtf8(row.info)},
                       {"baseNumber", baseNumber},     {"dataType", row.dataType},
                       {"minExponent", minExponent},   {"lower", row.lower},
                       {"upper", row.upper},           {"pecision", row.precision}};
}

QJsonObject deviceObject(int upid, const char* info)
{
    return QJsonObject{{"upid", upid}, {"version", "1.00"}, {"info", info}, {"channel-count", 8}};
}

// The low 8 bits of a number, 0 when the key is missing or not a number.
quint8 byteOf(const QJsonObject& object, const char* key)
{
    return quint8(object.value(QLatin1String(key)).toInteger() & 0xFF);
}

// "d.mm" -> (d - 1) * 100 + mm, the inverse of DeviceInfo::versionText. Missing or
// non-digit characters count as 0.
quint8 versionByte(const QString& text)
{
    const auto digit = [&](int i) { return i < text.size() && text.at(i).isDigit() ? text.at(i).digitValue() : 0; };
    return quint8(digit(0) * 100 - 100 + digit(2) * 10 + digit(3));
}
} // namespace

QJsonObject analyzerDescription()
{
    QJsonObject device{{"upid", 5}, {"version", "1.00"}, {"info", "Korvanite Current logger v1.00"}, {"channel-count", 3}};
    const QJsonArray channels{
        QJsonObject{{"channel", 0}, {"info", QStringLiteral("μA,Current,")}, {"baseNumber", 2}, {"dataType", 1},
                    {"minExponent", 0}, {"lower", 0}, {"upper", 2100000}},
        QJsonObject{{"channel", 1}, {"info", "mV,Voltage,"}, {"baseNumber", 52}, {"dataType", 0},
                    {"minExponent", 255}, {"lower", -100}, {"upper", 5500}},
        QJsonObject{{"channel", 2}, {"info", "mV,Voltage,"}, {"baseNumber", 52}, {"dataType", 0},
                    {"minExponent", 255}, {"lower", -100}, {"upper", 5500}},
    };
    return QJsonObject{{"DeviceInfo", device}, {"Channels", channels}};
}

QJsonObject powerDescription(bool secondModel)
{
    const ChannelRow common[] = {
        {0, "V,13.8V Voltage,", 3, 0, 15, 1},
        {1, "A,13.8V Current,", 0, 0, secondModel ? 50.0 : 40.0, 1},
        {2, secondModel ? "V,USB1 Voltage," : "V,USB Voltage,", 3, 0, secondModel ? 15.0 : 12.0, 1},
        {3, secondModel ? "A,USB1 Current," : "A,USB Current,", 0, 0, 4, 2},
        {4, "C,Temperature outside,", 2, -30, 100, 0},
        {5, "C,Temperature inside,", 2, -30, 100, 0},
        {6, "V,Input AC Voltage,", 0, 50, 300, 0},
        {7, "Hz,Frequency,", 0, 0, 65, 1},
    };
    const ChannelRow secondModelOnly[] = {
        {8, "V,USB2 Voltage,", 3, 0, 15, 1},  {9, "A,USB2 Current,", 0, 0, 4, 2},
        {10, "V,USB3 Voltage,", 3, 0, 15, 1}, {11, "A,USB3 Current,", 0, 0, 4, 2},
        {12, "V,USB4 Voltage,", 3, 0, 15, 1}, {13, "A,USB4 Current,", 0, 0, 4, 2},
    };
    QJsonArray channels;
    for (const ChannelRow& row : common)
        channels.append(channelObject(row, 2, 0));
    if (secondModel) {
        for (const ChannelRow& row : secondModelOnly)
            channels.append(channelObject(row, 2, 0));
    }
    return QJsonObject{{"DeviceInfo", deviceObject(52, "Korvanite Power Supply logger v1.00")}, {"Channels", channels}};
}

QList<int> describedChannels(const QJsonObject& description)
{
    QList<int> channels;
    for (const QJsonValue& value : description.value(QLatin1String("Channels")).toArray())
        channels << byteOf(value.toObject(), "channel");
    return channels;
}

void parseDeviceInfo(DeviceInfo& info, const QJsonObject& device)
{
    info.setByte(1, byteOf(device, "upid"));
    info.setByte(2, versionByte(device.value(QLatin1String("version")).toString()));
    info.setByte(3, byteOf(device, "channel-count"));
    info.setTextField(DeviceInfo::infoOffset, DeviceInfo::infoLength, device.value(QLatin1String("info")).toString());
}

void parseChannels(const QJsonObject& description)
{
    const QJsonArray channels = description.value(QLatin1String("Channels")).toArray();
    for (const QJsonValue& value : channels) {
        const QJsonObject object = value.toObject();
        ChannelInfo info;
        info.setByte(0, 0);
        info.setByte(4, byteOf(object, "channel"));
        info.setByte(5, byteOf(object, "dataType"));
        info.setByte(6, byteOf(object, "baseNumber"));
        info.setByte(7, byteOf(object, "minExponent"));
        info.setTextField(ChannelInfo::infoOffset, ChannelInfo::infoLength, object.value(QLatin1String("info")).toString());
        info.lower = object.value(QLatin1String("lower")).toDouble();
        info.upper = object.value(QLatin1String("upper")).toDouble();
        info.precision = object.value(QLatin1String("pecision")).toInt();
        info.store();
    }
}

void createDefaults()
{
    const QJsonObject description = analyzerDescription();
    parseDeviceInfo(DeviceInfo::instance(), description.value(QLatin1String("DeviceInfo")).toObject());
    parseChannels(description);
}

void loadPowerDescription()
{
    DeviceInfo::resetInstance();
    ChannelInfo::clearTable();
    const QJsonObject description = powerDescription(power600Model);
    parseDeviceInfo(DeviceInfo::instance(), description.value(QLatin1String("DeviceInfo")).toObject());
    parseChannels(description);
}

void createDefaultsPower()
{
    loadPowerDescription();
    qDebug().noquote() << QStringLiteral("createDefaultsPower: cnt = %1").arg(ChannelInfo::channelCount());
    if (powerChannelsRefill())
        powerChannelsRefill()();
}

void setPowerChannelsRefill(std::function<void()> refill)
{
    powerChannelsRefill() = std::move(refill);
}

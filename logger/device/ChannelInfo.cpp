#include "ChannelInfo.h"

ChannelTable channelTable;

ChannelInfo::ChannelInfo()
    : Packet(Descriptor)
{
}

ChannelInfo::ChannelInfo(const void* data, int length)
    : Packet(data, length)
{
}

ChannelInfo::ChannelInfo(quint8 channel)
    : ChannelInfo(channelTable.value(channel))
{
}

ChannelInfo::~ChannelInfo() = default;

QString ChannelInfo::toString() const
{
    return QStringLiteral("Descriptor:0x%1\nChannel: %2\nData type: %3\nBase number: %4\nMin Exponent: %5\nInfo: %6\n")
        .arg(hexText(descriptor(), 2), QString::number(channel()), QString::number(dataType()),
             QString::number(baseNumber()), QString::number(minExponent()), infoText());
}

QString ChannelInfo::unit() const
{
    return infoText().section(QLatin1Char(','), 0, 0);
}

QString ChannelInfo::name() const
{
    return infoText().section(QLatin1Char(','), 1, 1);
}

void ChannelInfo::store() const
{
    channelTable.insert(channel(), *this);
}

int ChannelInfo::channelCount()
{
    return int(channelTable.size());
}

void ChannelInfo::clearTable()
{
    channelTable.clear();
}

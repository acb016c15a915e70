#include "RangeStatistics.h"

#include "GLWidget.h"
#include "UnitFormat.h"

#include <cmath>

void channelStatistics(GLWidget* chart, const QCPRange& range, ChannelStatistics& out)
{
    if (!chart || !chart->plot)
        return;
    for (int i = 0; i < chart->channelMaps.size(); ++i) {
        const ChannelMap& map = chart->channelMaps.at(i);
        if (!map || map->isEmpty())
            continue;
        out.latestKey = range.upper;
        out.lowerKey = range.lower;
        const bool accumulated = i < LogFormat::statisticsChannels;
        qint64 count = 0;
        const auto end = map->findEnd(range.upper, false);
        for (auto it = map->findBegin(range.lower, false); it != end; ++it) {
            out.latestKey = it->key;
            const double value = it->value;
            if (std::isnan(value) || !accumulated)
                continue;
            ++count;
            ChannelStatistics::Channel& c = out.channel[i];
            // A fresh channel's minimum lies above its maximum; its first value sets both.
            const bool first = c.minimum > c.maximum;
            c.average += value;
            if (first || value < c.minimum)
                c.minimum = value;
            if (first || value > c.maximum)
                c.maximum = value;
        }
        if (count > 0 && accumulated)
            out.channel[i].average /= double(count);
    }
}

bool hasValues(const ChannelStatistics::Channel& channel)
{
    return channel.minimum <= channel.maximum;
}

int displayScale(double maximum)
{
    // NaN and infinity fall through to the largest divisor; no int conversion is involved.
    if (!(maximum < 1000000.0))
        return 1000000;
    return unitScale(maximum);
}

QString channelHead(int channel, double maximum)
{
    const int scale = displayScale(maximum);
    if (channel == 0)
        return QStringLiteral("#0: ") + currentUnit(scale);
    return QStringLiteral("#%1: ").arg(channel) + voltageUnit(scale);
}

QString scaledValue(double value, int scale)
{
    return QString::number(value / scale, 'f', 2);
}

QString distanceText(double d)
{
    // Times taken from an axis that was never laid out may be undefined.
    if (std::isnan(d))
        d = 0;
    if (d < 0.001)
        return QStringLiteral("%1 %2").arg(qint64(d * 1000000.0)).arg(microsecondsUnit());
    if (d < 1)
        return QStringLiteral("%1 %2").arg(QString::number(d * 1000, 'f', 1), millisecondsUnit());
    return QStringLiteral("%1 %2").arg(QString::number(d, 'f', 2), secondsUnit());
}

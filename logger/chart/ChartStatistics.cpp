#include "ChartStatistics.h"

#include <cmath>

void accumulateSample(ChannelStatistics& statistics, int channel, double key, double value,
                      bool countSample)
{
    if (std::isnan(value))
        return;
    statistics.latestKey = key;
    if (countSample)
        ++statistics.count;
    if (channel < 0 || channel >= LogFormat::statisticsChannels)
        return;
    ChannelStatistics::Channel& c = statistics.channel[channel];
    // A fresh channel's minimum lies above its maximum; its first value sets both.
    const bool first = c.minimum > c.maximum;
    c.sum += value;
    if (statistics.count > 0)
        c.average = c.sum / double(statistics.count);
    if (first || value < c.minimum)
        c.minimum = value;
    if (first || value > c.maximum)
        c.maximum = value;
}

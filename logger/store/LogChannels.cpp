#include "LogChannels.h"

#include "SwapFileErrors.h"

QList<int> recordedChannels(const SwapFileHeader& header)
{
    if (header.deviceKind == LogFormat::Analyzer)
        return channelsFromMask(header.channelMask, 8);
    const bool secondModel = header.deviceKind == LogFormat::PowerSupply600;
    const quint8* numbers = secondModel ? header.channelNumbers32 : header.channelNumbers;
    const int capacity = secondModel ? int(sizeof header.channelNumbers32) : int(sizeof header.channelNumbers);
    const int count = qMin(int(header.channelCount), capacity);
    QList<int> channels;
    for (int i = 0; i < count; ++i)
        channels << numbers[i];
    return channels;
}

int channelProblem(const SwapFileHeader& header, const QList<int>& tableChannels)
{
    const QList<int> channels = recordedChannels(header);
    if (channels.isEmpty() || channels.size() != header.channelCount)
        return SwapFileErrors::WrongChannels;
    for (qsizetype i = 0; i < channels.size(); ++i) {
        if (!tableChannels.contains(channels.at(i)) || (i > 0 && channels.at(i) <= channels.at(i - 1)))
            return SwapFileErrors::WrongChannels;
    }
    return SwapFileErrors::None;
}

#include "LogHeaderRule.h"

namespace LogHeaderRule {

QList<int> channelList(const SwapFileHeader& header, bool model600Form)
{
    return model600Form ? channelsFromMask(header.channelMask32, 32)
                        : channelsFromMask(header.channelMask, 8);
}

QList<int> channelListOfKind(const SwapFileHeader& header)
{
    return channelList(header, header.deviceKind == LogFormat::PowerSupply600);
}

Layout layoutOf(const SwapFileHeader& header)
{
    if (header.samplePeriod == 0)
        return Layout::NoSamplePeriod;
    const qsizetype listed = channelListOfKind(header).size();
    if (header.channelCount == 0 || listed != header.channelCount)
        return Layout::ChannelsDisagree;
    return Layout::Sound;
}

bool isNewerVersion(const SwapFileHeader& header)
{
    return header.version > LogFormat::currentVersion;
}

Verdict judge(const SwapFileHeader& header)
{
    if (header.deviceKind > LogFormat::PowerSupply600 || layoutOf(header) != Layout::Sound)
        return Verdict::NotALog;
    return isNewerVersion(header) ? Verdict::NewerVersion : Verdict::Log;
}

} // namespace LogHeaderRule

#include "LogHeaderRule.h"

namespace LogHeaderRule {

QList<int> channelList(const SwapFileHeader& header, bool model600Form)
{
    return model600Form ? channelsFromMask(header.channelMask32, 32)
                        : channelsFromMask(header.channelMask, 8);
}

Layout layoutOf(const SwapFileHeader& header)
{
    if (header.samplePeriod == 0)
        return Layout::NoSamplePeriod;
    const bool model600 = header.deviceKind == LogFormat::PowerSupply600;
    const qsizetype listed = channelList(header, model600).size();
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

#include "LogRecord.h"

#include <QtEndian>

#include <cfloat>
#include <cmath>
#include <cstring>

SwapFileHeader defaultSwapFileHeader(quint8 deviceKind)
{
    SwapFileHeader h;
    std::memset(&h, 0, sizeof h);
    h.version = LogFormat::currentVersion;
    h.recordLength = LogFormat::headerRecordSize;
    h.channelCount = 3;
    h.channelMask = 0x01;
    h.samplePeriod = 1;
    h.deviceKind = deviceKind;
    h.channelMask32 = 1;
    return h;
}

ChannelStatistics freshStatistics()
{
    ChannelStatistics s;
    std::memset(&s, 0, sizeof s);
    for (auto& c : s.channel) {
        c.minimum = DBL_MAX;
        c.maximum = DBL_MIN;
    }
    return s;
}

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

double readDoubleLE(const char* p)
{
    const quint64 bits = qFromLittleEndian<quint64>(p);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

void writeDoubleLE(char* p, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, p);
}

void encodeHeader(const SwapFileHeader& h, char* out)
{
    std::memset(out, 0, LogFormat::headerRecordSize);
    qToLittleEndian(h.version, out + 0);
    qToLittleEndian(h.recordLength, out + 4);
    out[8] = char(h.channelCount);
    out[9] = char(h.channelMask);
    qToLittleEndian(h.samplePeriod, out + 10);
    out[12] = char(h.deviceKind);
    std::memcpy(out + 13, h.channelNumbers, sizeof h.channelNumbers);
    out[21] = char(h.padding1);
    qToLittleEndian(h.fahrenheit, out + 22);
    qToLittleEndian(h.customRate, out + 24);
    std::memcpy(out + 26, h.reserved, sizeof h.reserved);
    std::memcpy(out + 38, h.padding2, sizeof h.padding2);
    qToLittleEndian(h.channelMask32, out + 40);
    std::memcpy(out + 44, h.channelNumbers32, sizeof h.channelNumbers32);
}

SwapFileHeader decodeHeader(const char* in)
{
    SwapFileHeader h;
    h.version = qFromLittleEndian<qint32>(in + 0);
    h.recordLength = qFromLittleEndian<qint32>(in + 4);
    h.channelCount = quint8(in[8]);
    h.channelMask = quint8(in[9]);
    h.samplePeriod = qFromLittleEndian<quint16>(in + 10);
    h.deviceKind = quint8(in[12]);
    std::memcpy(h.channelNumbers, in + 13, sizeof h.channelNumbers);
    h.padding1 = quint8(in[21]);
    h.fahrenheit = qFromLittleEndian<quint16>(in + 22);
    h.customRate = qFromLittleEndian<quint16>(in + 24);
    std::memcpy(h.reserved, in + 26, sizeof h.reserved);
    std::memcpy(h.padding2, in + 38, sizeof h.padding2);
    h.channelMask32 = qFromLittleEndian<quint32>(in + 40);
    std::memcpy(h.channelNumbers32, in + 44, sizeof h.channelNumbers32);
    return h;
}

QByteArray encodeHeaderBlock(const SwapFileHeader& header, qint64 creationTime)
{
    QByteArray block(LogFormat::headerBlockSize, '\0');
    encodeHeader(header, block.data());
    qToLittleEndian(creationTime, block.data() + LogFormat::creationTimeOffset);
    return block;
}

qint64 decodeCreationTime(const char* block)
{
    return qFromLittleEndian<qint64>(block + LogFormat::creationTimeOffset);
}

void encodeStatistics(const ChannelStatistics& s, char* out)
{
    writeDoubleLE(out + 0, s.latestKey);
    writeDoubleLE(out + 8, s.lowerKey);
    for (int c = 0; c < LogFormat::statisticsChannels; ++c) {
        char* p = out + 16 + 32 * c;
        writeDoubleLE(p + 0, s.channel[c].minimum);
        writeDoubleLE(p + 8, s.channel[c].maximum);
        writeDoubleLE(p + 16, s.channel[c].average);
        writeDoubleLE(p + 24, s.channel[c].sum);
    }
    qToLittleEndian(s.count, out + 112);
}

ChannelStatistics decodeStatistics(const char* in)
{
    ChannelStatistics s;
    s.latestKey = readDoubleLE(in + 0);
    s.lowerKey = readDoubleLE(in + 8);
    for (int c = 0; c < LogFormat::statisticsChannels; ++c) {
        const char* p = in + 16 + 32 * c;
        s.channel[c].minimum = readDoubleLE(p + 0);
        s.channel[c].maximum = readDoubleLE(p + 8);
        s.channel[c].average = readDoubleLE(p + 16);
        s.channel[c].sum = readDoubleLE(p + 24);
    }
    s.count = qFromLittleEndian<qint64>(in + 112);
    return s;
}

QList<int> channelsFromMask(quint32 mask, int bits)
{
    QList<int> list;
    for (int i = 0; i < bits && i < 32; ++i)
        if (mask & (quint32(1) << i))
            list.append(i);
    return list;
}

#include "TestLogs.h"

#include <QFile>

namespace TestLogs {

SwapFileHeader header(quint8 channelMask, quint16 samplePeriod, qint32 version)
{
    SwapFileHeader h = defaultSwapFileHeader();
    h.version = version;
    h.channelMask = channelMask;
    const QList<int> channels = channelsFromMask(channelMask, 8);
    h.channelCount = quint8(channels.size());
    for (int i = 0; i < channels.size(); ++i)
        h.channelNumbers[i] = quint8(channels[i]);
    h.samplePeriod = samplePeriod;
    return h;
}

SwapFileHeader header600(quint32 channelMask32, quint16 samplePeriod)
{
    SwapFileHeader h = defaultSwapFileHeader(LogFormat::PowerSupply600);
    h.channelMask32 = channelMask32;
    const QList<int> channels = channelsFromMask(channelMask32, 32);
    h.channelCount = quint8(channels.size());
    for (int i = 0; i < channels.size(); ++i)
        h.channelNumbers32[i] = quint8(channels[i]);
    h.samplePeriod = samplePeriod;
    return h;
}

double valueAt(double key, int c)
{
    return key * 10.0 + c + 0.25;
}

std::vector<Record> records(int count, quint16 samplePeriod, int channels, int gapFrom, int gapTo)
{
    std::vector<Record> list;
    const double period = samplePeriod * 0.1 / 1000;
    for (int n = 0; int(list.size()) < count; ++n) {
        if (n >= gapFrom && n < gapTo)
            continue;
        Record r{n * period};
        for (int c = 0; c < channels; ++c)
            r.push_back(valueAt(r[0], c));
        list.push_back(r);
    }
    return list;
}

QByteArray logBytes(const SwapFileHeader& header, qint64 creationTime, const std::vector<Record>& records,
                    bool withReport)
{
    QByteArray bytes = encodeHeaderBlock(header, creationTime);
    for (const Record& r : records)
        for (double v : r) {
            char le[8];
            writeDoubleLE(le, v);
            bytes.append(le, 8);
        }
    if (withReport) {
        ChannelStatistics statistics = freshStatistics();
        statistics.latestKey = records.empty() ? 0 : records.back()[0];
        char report[LogFormat::reportSize];
        encodeStatistics(statistics, report);
        bytes.append(report, sizeof report);
    }
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString writeLog(const QString& path, quint8 channelMask, int count, quint16 samplePeriod, qint64 creationTime,
                 qint32 version)
{
    const SwapFileHeader h = header(channelMask, samplePeriod, version);
    writeFile(path, logBytes(h, creationTime, records(count, samplePeriod, h.channelCount)));
    return path;
}

} // namespace TestLogs

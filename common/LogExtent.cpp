#include "LogExtent.h"

#include <algorithm>
#include <cmath>

namespace LogExtent {

qint64 recordCount(qint64 fileSize, qint64 recordSize)
{
    const qint64 dataBytes = fileSize - LogFormat::headerAndReportSize;
    if (dataBytes <= 0 || recordSize <= 0)
        return 0;
    return dataBytes / recordSize;
}

qint64 recordCountWithoutReport(qint64 fileSize, qint64 recordSize)
{
    const qint64 dataBytes = fileSize - LogFormat::headerBlockSize;
    if (dataBytes <= 0 || recordSize <= 0)
        return 0;
    return dataBytes / recordSize;
}

bool fitsReport(qint64 fileSize, qint64 recordSize)
{
    const qint64 dataBytes = fileSize - LogFormat::headerAndReportSize;
    return recordSize > 0 && dataBytes >= 0 && dataBytes % recordSize == 0;
}

bool reportAgrees(const ChannelStatistics& report, qint64 records, double lastKey)
{
    if (!std::isfinite(report.latestKey) || report.count < 0)
        return false;
    if (records == 0)
        return report.count == 0;
    return report.latestKey <= lastKey;
}

namespace {

bool readKey(const ByteReader& read, qint64 recordSize, qint64 index, double* key)
{
    char bytes[sizeof(double)];
    if (!read(LogFormat::headerBlockSize + index * recordSize, qint64(sizeof bytes), bytes))
        return false;
    *key = readDoubleLE(bytes);
    return true;
}

bool hasSoundReport(qint64 fileSize, qint64 recordSize, const ByteReader& read)
{
    if (!fitsReport(fileSize, recordSize))
        return false;
    char block[LogFormat::reportSize];
    if (!read(fileSize - LogFormat::reportSize, LogFormat::reportSize, block))
        return false;
    const qint64 count = recordCount(fileSize, recordSize);
    double lastKey = 0;
    if (count > 0 && !readKey(read, recordSize, count - 1, &lastKey))
        return false;
    return reportAgrees(decodeStatistics(block), count, lastKey);
}

// A report block cut off while it was written starts with the key of the last record:
// the whole records it seems to hold are not records. Keys grow from record to record, so
// the first of the last few records whose key does not is where the block starts.
qint64 recordsBeforeReportStart(qint64 count, qint64 recordSize, const ByteReader& read)
{
    const qint64 spanned = (LogFormat::reportSize - 1) / recordSize;
    const qint64 from = std::max<qint64>(1, count - spanned);
    double previous = 0;
    if (from >= count || !readKey(read, recordSize, from - 1, &previous))
        return count;
    for (qint64 index = from; index < count; ++index) {
        double key = 0;
        if (!readKey(read, recordSize, index, &key))
            return count;
        if (!(key > previous))
            return index;
        previous = key;
    }
    return count;
}

} // namespace

Records findRecords(qint64 fileSize, qint64 recordSize, const ByteReader& read)
{
    Records records;
    if (recordSize <= 0)
        return records;
    if (hasSoundReport(fileSize, recordSize, read)) {
        records.count = recordCount(fileSize, recordSize);
        return records;
    }
    records.cutOff = true;
    records.count = recordsBeforeReportStart(recordCountWithoutReport(fileSize, recordSize), recordSize, read);
    return records;
}

} // namespace LogExtent

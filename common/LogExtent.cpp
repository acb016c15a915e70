#include "LogExtent.h"

#include <QByteArray>
#include <QtEndian>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstring>

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

namespace {

// Zero fill is read back from the end in pieces that grow to this size, so that a log
// without any costs the read of its last record.
constexpr qint64 zeroScanBytes = 1024 * 1024;

// How far a step between two keys may lie from a whole number of sample periods: far
// above the rounding of keys computed as sample number × period.
constexpr double periodTolerance = 1e-3;

struct Log
{
    qint64 fileSize;
    qint64 recordSize;
    double period; // seconds between two samples
    // The analyzer's report block holds the run's statistics; a supply's run keeps none
    // and leaves the block as the fresh statistics record.
    bool reportHasFigures;
    const ByteReader& read;

    qint64 offsetOf(qint64 record) const { return LogFormat::headerBlockSize + record * recordSize; }
    bool keyAt(qint64 record, double* key) const
    {
        char bytes[sizeof(double)];
        if (!read(offsetOf(record), qint64(sizeof bytes), bytes))
            return false;
        *key = readDoubleLE(bytes);
        return true;
    }
};

const QByteArray& freshReport()
{
    static const QByteArray bytes = [] {
        QByteArray block(LogFormat::reportSize, '\0');
        encodeStatistics(freshStatistics(), block.data());
        return block;
    }();
    return bytes;
}

bool allZero(const char* bytes, qint64 length)
{
    return std::all_of(bytes, bytes + length, [](char c) { return c == 0; });
}

// Whether `length` bytes (16 to 120) can be the start of a report block as the logger
// writes it. Only the fields they hold whole are looked at: the latest key is a time, the
// lower key 0, each channel's minimum not above its maximum unless both are the "no
// value" markers, and the sample count one that a file of this size can hold. Sample
// bytes seldom pass: a value of exactly 0 must lie where the lower key does, and a key
// or a value above 0 read as the count is far above any file's size.
bool looksLikeReport(const char* bytes, qint64 length, qint64 fileSize)
{
    const auto whole = [length](size_t offset) { return qint64(offset + sizeof(double)) <= length; };
    const double latest = readDoubleLE(bytes + offsetof(ChannelStatistics, latestKey));
    if (!(std::isfinite(latest) && latest >= 0))
        return false;
    const size_t lowerAt = offsetof(ChannelStatistics, lowerKey);
    if (whole(lowerAt) && readDoubleLE(bytes + lowerAt) != 0)
        return false;
    for (int c = 0; c < LogFormat::statisticsChannels; ++c) {
        const size_t at = offsetof(ChannelStatistics, channel) + c * sizeof(ChannelStatistics::Channel);
        const size_t maximumAt = at + offsetof(ChannelStatistics::Channel, maximum);
        if (!whole(maximumAt))
            break;
        const double minimum = readDoubleLE(bytes + at + offsetof(ChannelStatistics::Channel, minimum));
        const double maximum = readDoubleLE(bytes + maximumAt);
        const bool noValues = minimum == DBL_MAX && maximum == DBL_MIN;
        if (!(minimum <= maximum) && !noValues)
            return false;
    }
    if (whole(offsetof(ChannelStatistics, count))) {
        const qint64 count = qFromLittleEndian<qint64>(bytes + offsetof(ChannelStatistics, count));
        if (count < 0 || count > fileSize)
            return false;
    }
    return true;
}

// Whether the whole records in a block-sized `tail` step on from the record before it
// (`previous`, when there is one) as samples of this log do: by a whole number of sample
// periods, then by one period from record to record. Samples cut off where a report
// block would end go on so, even where their values are shaped like a block's figures;
// a block's averages do not. A tail of one record tells nothing and counts as a block.
bool continuesAsSamples(const Log& log, const char* tail, bool hasPrevious, double previous)
{
    const qint64 records = LogFormat::reportSize / log.recordSize;
    if (records < 2 || !(log.period > 0))
        return false;
    double key = readDoubleLE(tail);
    if (hasPrevious) {
        const double periods = (key - previous) / log.period;
        if (!(periods >= 1 - periodTolerance && std::abs(periods - std::round(periods)) <= periodTolerance))
            return false;
    }
    for (qint64 r = 1; r < records; ++r) {
        const double next = readDoubleLE(tail + r * log.recordSize);
        if (!(std::abs((next - key) / log.period - 1) <= periodTolerance))
            return false;
        key = next;
    }
    return true;
}

// Whether a report block is the one the logger writes at the end of these records: the
// analyzer's holds the key of the last record; a run without records, and a supply's
// run, which keeps no figures, leave the fresh statistics record. Zero fill is no block,
// whatever key the records end with.
bool reportAgrees(const Log& log, const char* block, qint64 count, double lastKey)
{
    if (std::memcmp(block, freshReport().constData(), LogFormat::reportSize) == 0)
        return count == 0 || !log.reportHasFigures;
    return count > 0 && !allZero(block, LogFormat::reportSize) && decodeStatistics(block).latestKey == lastKey;
}

// How many of the last of `count` records are zero fill: records of zero bytes only.
qint64 zeroFillRecords(const Log& log, qint64 count)
{
    const qint64 mostPerPiece = std::max<qint64>(1, zeroScanBytes / log.recordSize);
    QByteArray piece;
    qint64 end = count; // records [end, count) are zero fill
    for (qint64 perPiece = 1; end > 0; perPiece = std::min(2 * perPiece, mostPerPiece)) {
        const qint64 first = std::max<qint64>(0, end - perPiece);
        piece.resize((end - first) * log.recordSize);
        if (!log.read(log.offsetOf(first), piece.size(), piece.data()))
            return count - end;
        for (qint64 r = end - 1; r >= first; --r) {
            if (!allZero(piece.constData() + (r - first) * log.recordSize, log.recordSize))
                return count - (r + 1);
        }
        end = first;
    }
    return count;
}

// The first of `count` records that starts a report block, cut off while it was written
// or followed by zero fill, when the file's bytes that matter end at `end`; count when
// none does. The block starts where the keys stop increasing (its latest key is the key
// of the last record), or at the first record, where only an empty recording's block
// can start: the fresh statistics record. Its bytes up to `end` are shaped like a block,
// and those past the block's size are zero. Equal keys that do not start such a block
// are records.
qint64 reportStart(const Log& log, qint64 count, qint64 end)
{
    const qint64 spanned = (LogFormat::reportSize + log.recordSize - 1) / log.recordSize;
    const qint64 from = std::max<qint64>(0, count - spanned);
    const qint64 begin = log.offsetOf(std::max<qint64>(0, from - 1));
    if (from >= count || end <= begin)
        return count;
    QByteArray bytes(end - begin, '\0');
    if (!log.read(begin, bytes.size(), bytes.data()))
        return count;
    for (qint64 i = from; i < count; ++i) {
        const char* start = bytes.constData() + (log.offsetOf(i) - begin);
        const qint64 length = end - log.offsetOf(i);
        const qint64 inBlock = std::min<qint64>(length, LogFormat::reportSize);
        if (!allZero(start + inBlock, length - inBlock))
            continue;
        if (i == 0) {
            if (std::memcmp(start, freshReport().constData(), size_t(inBlock)) == 0)
                return 0;
            continue;
        }
        const double key = readDoubleLE(start);
        const double previous = readDoubleLE(start - log.recordSize);
        if (!(key > previous) && looksLikeReport(start, inBlock, log.fileSize))
            return i;
    }
    return count;
}

// The samples among `count` whole records that the file's bytes up to `end` follow (a
// partial record, or nothing): the records before the zero fill and the start of a
// report block that may come after them.
qint64 samplesAmong(const Log& log, qint64 count, qint64 end)
{
    if (count <= 0)
        return 0;
    const qint64 recordsEnd = log.offsetOf(count);
    QByteArray partial(std::max<qint64>(0, end - recordsEnd), '\0');
    const bool zeroAfter = partial.isEmpty()
        || (log.read(recordsEnd, partial.size(), partial.data()) && allZero(partial.constData(), partial.size()));
    if (zeroAfter) {
        count -= zeroFillRecords(log, count);
        end = log.offsetOf(count);
    }
    return reportStart(log, count, end);
}

} // namespace

Records findRecords(qint64 fileSize, const SwapFileHeader& header, const ByteReader& read)
{
    const bool supply = header.deviceKind == LogFormat::PowerSupply || header.deviceKind == LogFormat::PowerSupply600;
    const Log log{fileSize, (qint64(header.channelCount) + 1) * qint64(sizeof(double)),
                  header.samplePeriod / 10000.0, !supply, read};
    Records records;
    records.cutOff = true;
    if (fitsReport(fileSize, log.recordSize)) {
        const qint64 count = recordCount(fileSize, log.recordSize);
        char block[LogFormat::reportSize];
        double lastKey = 0;
        const bool lastRead = count == 0 || log.keyAt(count - 1, &lastKey);
        // A block-sized end is the report block unless it holds samples that go on from
        // the records: a block is never read as samples.
        if (lastRead && read(fileSize - LogFormat::reportSize, LogFormat::reportSize, block)
            && looksLikeReport(block, LogFormat::reportSize, fileSize)
            && !continuesAsSamples(log, block, count > 0, lastKey)) {
            if (reportAgrees(log, block, count, lastKey)) {
                records.count = count;
                records.cutOff = false;
            } else {
                records.count = samplesAmong(log, count, log.offsetOf(count));
            }
            return records;
        }
    }
    records.count = samplesAmong(log, recordCountWithoutReport(fileSize, log.recordSize), fileSize);
    return records;
}

} // namespace LogExtent

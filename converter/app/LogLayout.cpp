#include "LogLayout.h"

#include "LogHeaderRule.h"
#include "ReaderErrors.h"

#include <QtGlobal>

#include <limits>

qint64 LogLayout::recordOffset(qint64 index) const
{
    return LogFormat::headerBlockSize + index * recordLength;
}

bool isKnownVersion(const SwapFileHeader& header)
{
    return quint32(header.version) <= quint32(LogFormat::currentVersion);
}

int checkHeaderLayout(const SwapFileHeader& header)
{
    switch (LogHeaderRule::judge(header)) {
    case LogHeaderRule::Verdict::NotALog:
        return NotALog;
    case LogHeaderRule::Verdict::NewerVersion:
        return WrongVersion;
    case LogHeaderRule::Verdict::Log:
        break;
    }
    if (!isKnownVersion(header))
        return WrongVersion;
    // The rule above has matched channelCount with the channel list of the log's kind.
    if (header.channelCount > maxConvertedChannels)
        return WrongChannels;
    if (qint16(header.samplePeriod) <= 0)
        return WrongSamplePeriod;
    return NoError;
}

LogLayout layoutOf(const SwapFileHeader& header)
{
    LogLayout layout;
    layout.channelCount = header.channelCount;
    layout.recordLength = (header.channelCount + 1) * int(sizeof(double));
    layout.samplePeriod = qint16(header.samplePeriod);
    layout.channels = LogHeaderRule::channelListOfKind(header);
    return layout;
}

qint64 estimatedRecordIndex(qint64 seconds, qint16 samplePeriod)
{
    if (samplePeriod <= 0 || seconds <= 0)
        return 0;
    // Past this no file holds records; the search clamps the hint to the log anyway.
    if (seconds > std::numeric_limits<qint64>::max() / 10000)
        return std::numeric_limits<qint64>::max();
    return seconds * 10000 / samplePeriod;
}

bool findFirstRecordFrom(double seconds, double periodSeconds, qint64 recordCount, qint64 hint,
                         const KeyReader& keyAt, qint64& index)
{
    // Keys are whole multiples of 100 µs; half of that absorbs their rounding.
    const double target = seconds - periodSeconds + 0.00005;
    auto before = [&](qint64 i, bool& ok) {
        double key = 0;
        ok = keyAt(i, key);
        return key < target;
    };
    bool ok = true;
    hint = qBound<qint64>(0, hint, recordCount);
    qint64 low = 0;
    qint64 high = recordCount;
    // The estimate is exact for a log without gaps: one look on each side confirms it.
    if (hint < recordCount) {
        if (before(hint, ok))
            low = hint + 1;
        else
            high = hint;
        if (!ok)
            return false;
    }
    if (hint > 0 && high == hint) {
        if (before(hint - 1, ok))
            low = hint;
        else
            high = hint - 1;
        if (!ok)
            return false;
    }
    while (low < high) {
        const qint64 mid = low + (high - low) / 2;
        if (before(mid, ok))
            low = mid + 1;
        else
            high = mid;
        if (!ok)
            return false;
    }
    index = low;
    return true;
}

bool findRecordRange(qint64 startSec, qint64 duration, const LogLayout& layout, qint64 recordCount,
                     const KeyReader& keyAt, RecordRange& range)
{
    const double period = layout.periodSeconds();
    qint64 first = 0;
    if (!findFirstRecordFrom(double(startSec), period, recordCount,
                             estimatedRecordIndex(startSec, layout.samplePeriod), keyAt, first))
        return false;
    qint64 end = recordCount;
    if (duration >= 0) {
        // A duration too long to add to the start (an edited settings file) reaches the end.
        const qint64 endSec = startSec > 0 && duration > std::numeric_limits<qint64>::max() - startSec
                                  ? std::numeric_limits<qint64>::max()
                                  : startSec + duration;
        if (!findFirstRecordFrom(double(endSec), period, recordCount,
                                 estimatedRecordIndex(endSec, layout.samplePeriod), keyAt, end))
            return false;
        // Counted from the first record, as the evenly spaced layout counts them.
        if (first < recordCount) {
            double firstKey = 0;
            if (!keyAt(first, firstKey))
                return false;
            const qint64 span = qMin(estimatedRecordIndex(duration, layout.samplePeriod), recordCount);
            qint64 counted = recordCount;
            if (!findFirstRecordFrom(firstKey + double(duration), period, recordCount, first + span, keyAt, counted))
                return false;
            end = qMin(end, counted);
        }
    }
    range.first = first;
    range.count = qMax<qint64>(0, end - first);
    return true;
}

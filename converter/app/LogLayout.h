#pragma once

#include "LogRecord.h"

#include <QList>
#include <QtGlobal>

#include <functional>

// How the records of one log lie in its file, derived once from a checked header.
struct LogLayout
{
    int channelCount = 0;
    int recordLength = 0;    // bytes: the time key and one double per channel
    qint16 samplePeriod = 1; // 100 µs units, always above 0
    QList<int> channels;     // recorded channel numbers, ascending

    double periodSeconds() const { return samplePeriod / 10000.0; }
    qint64 recordOffset(qint64 index) const;
};

// A conversion copies one record at a time into a buffer of this many values.
inline constexpr int maxConvertedChannels = 3;
inline constexpr int maxRecordValues = maxConvertedChannels + 1;

// The header's version as a reader compares it: an unsigned 32-bit number.
bool isKnownVersion(const SwapFileHeader& header);

// 0 when the header can be converted safely, else the ReaderError code that refuses it.
// A header that the logger takes for no log (LogHeaderRule) is NotALog, a sound one of a
// newer format WrongVersion; beyond that rule a conversion needs a version it knows, at
// most three channels (of the 8-bit mask, or of the 32-bit one in a log of the second
// supply model) and a sample period that is positive as the signed number it divides by.
int checkHeaderLayout(const SwapFileHeader& header);

// The layout of a header that passed checkHeaderLayout.
LogLayout layoutOf(const SwapFileHeader& header);

// Where the records of a time range lie, as record indexes [first, first + count).
struct RecordRange
{
    qint64 first = 0;
    qint64 count = 0;
};

// The index of the record that starts second `seconds` if the log had no gaps: the
// position the logger's evenly spaced records would put it at.
qint64 estimatedRecordIndex(qint64 seconds, qint16 samplePeriod);

// The record at second `seconds`: the first whose key lies less than one sample period
// before it. In a log without gaps that is the record the evenly spaced layout puts
// there (the last one not after `seconds`); after lost packets it is the first record
// past the gap. The estimate `hint` is only where the search starts; keys decide.
// `keyAt` reads the key of a record and returns false when it cannot.
using KeyReader = std::function<bool(qint64 index, double& key)>;
bool findFirstRecordFrom(double seconds, double periodSeconds, qint64 recordCount, qint64 hint,
                         const KeyReader& keyAt, qint64& index);

// The records from second `startSec` on for `duration` seconds (negative: to the end):
// as many records as `duration` seconds hold from the first one, but none at or past
// second startSec + duration (a range that starts in a gap).
bool findRecordRange(qint64 startSec, qint64 duration, const LogLayout& layout, qint64 recordCount,
                     const KeyReader& keyAt, RecordRange& range);

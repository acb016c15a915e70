#pragma once

// Arithmetic of the data records of a swap file: sizes, counts, where a time is expected
// to lie, and which headers describe records that can be read at all.

#include "LogExtent.h"
#include "LogHeaderRule.h"
#include "LogRecord.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace RecordLayout {

// (channel count + 1) doubles: the time key, then one value per recorded channel.
qint64 recordSize(int channelCount);

// Where the records end and whether the report block is sound: the rule both programs share.
using LogExtent::recordCount;
using LogExtent::recordCountWithoutReport;

// Index of the record where time t is expected when records lie evenly spaced from time
// 0, one every samplePeriod × 100 µs: the file's own estimate, exact only for a log
// without gaps. Never negative; samplePeriod must not be 0.
qint64 estimatedIndex(double t, quint16 samplePeriod);

// The time stretch [start, end] of a window of `width` around `centre`, moved back to end
// at `endTime` when it would reach past it, and never before 0.
struct Stretch
{
    double start;
    double end;
};
Stretch windowStretch(double centre, double width, double endTime);

// Why the records of a header cannot be read, as a swapFileError code; 0 when they can.
// The version must not be above the current one, and the layout must be sound.
int headerProblem(const SwapFileHeader& header);

// Why a header of any version does not describe records (LogHeaderRule::layoutOf), as a
// swapFileError code; 0 when it does.
int layoutProblem(const SwapFileHeader& header);

// The recorded channels: with the second supply model's form from channelMask32, else
// from channelMask, ascending.
using LogHeaderRule::channelList;

// The thresholds an overview can use, the range the navigation dialog offers: at 0 or
// below every record is high and the steps have no height; a NaN or infinity finds nothing.
constexpr double minimumThreshold = 0.000001;
constexpr double maximumThreshold = 10000000;

// "Options"/"thresholds" text: three numbers separated by ','. A part that is no number
// between minimumThreshold and maximumThreshold leaves its threshold as it was.
// Returns false (and leaves `thresholds` alone) unless there are exactly three parts.
bool parseThresholds(const QString& text, double thresholds[3]);

} // namespace RecordLayout

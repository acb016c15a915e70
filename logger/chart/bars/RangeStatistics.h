#pragma once

#include "LogRecord.h"

#include <QChar>
#include <QString>

class GLWidget;
class QCPRange;

// Minimum, maximum and average of the chart's channels 0 to 2 over the keys of `range`
// (both ends included), added onto `out`, which the caller passes fresh. Every map of the
// chart is walked; from the fourth on nothing is accumulated. Afterwards the first key
// double holds the key of the last point walked (range.upper when the last non-empty map
// had none in the range) and the second the range's lower bound. Only the stretch of each
// map inside the range is visited, so short ranges of long records stay cheap.
void channelStatistics(GLWidget* chart, const QCPRange& range, ChannelStatistics& out);

// True when the channel took at least one value. Channels are filled so that their first
// value sets both minimum and maximum; a channel without values keeps the fresh record's
// minimum above its maximum. Values at or below zero count like any other.
bool hasValues(const ChannelStatistics::Channel& channel);

// The divisor of a channel's values for display (1, 1000 or 1000000), from its maximum.
// Huge, infinite or undefined maxima take the largest divisor.
int displayScale(double maximum);

// "#0: mA", "#1:  V": the head of a statistics row, its unit (in the program's language)
// taken from the same maximum as the divisor of its values. Channel 0 is a current, 1 and
// 2 are voltages.
QString channelHead(int channel, double maximum);

// "12.35": a value divided by the display divisor, two decimals.
QString scaledValue(double value, int scale);

// The length of a stretch of time: "250 µs", "12.5 ms", "2.50 s", its unit in the
// program's language.
QString distanceText(double seconds);

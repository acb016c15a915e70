#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <string>

// Texts of the converted rows: clock times, CSV fields and lines, worksheet titles.

// The clock time of a record: the log's creation time plus the record's key, as
// "hh:mm:ss:" and the whole milliseconds padded to the width the sample period calls for
// (4 digits up to period 10, 3 up to 100, 2 up to 1000, else 1). Both parts come from
// one millisecond count, so the text never goes backwards as keys grow. An invalid base
// gives an empty time of day.
QString timeText(const QDateTime& base, double key, qint16 samplePeriod);

// The clock times of one conversion, the same texts as timeText, appended with plain
// arithmetic: date and string formatting per row would be most of the conversion's time.
class ClockTimeText
{
public:
    ClockTimeText(const QDateTime& base, qint16 samplePeriod);
    void append(std::string& out, double key) const;

private:
    bool m_hasBase;
    qint64 m_baseMs;
    int m_width;
};

// Whole milliseconds of a key, tolerant of the rounding in keys such as 0.3 s; 0 for a
// key that is no number or too large for a clock.
qint64 keyMilliseconds(double key);

// Whether a log's creation time is one the logger's clock can have written: from
// 1970-01-01 to the end of the year 9999. Any other value comes from a damaged header;
// such a log has no clock time, and its times stay seconds as in a log of version 1.
bool isRecordedClockTime(qint64 ms);

// The clock base of a conversion: the creation time when the time column shows clock
// time and the log records one (version 2 on, see isRecordedClockTime), else invalid.
QDateTime clockBase(bool relativeTime, int version, qint64 startTimeMs);

// What follows each field of a CSV line: the separator and a blank (", " by default).
// An empty separator falls back to ','; a blank or tab stands alone.
std::string fieldSeparator(char separator);

// Appends `value` in fixed notation with exactly 4 decimals, as QString::number(v, 'f', 4).
void appendFixed4(std::string& out, double value);

// The CSV header line: the time column, then "#0:μA" for channel 0 and "#n:mV" for the
// voltage channels, then a line feed.
QString csvHeaderLine(bool relativeTime, const QDateTime& base, const QList<int>& channels,
                      const std::string& separator);

// A worksheet title with the characters a workbook refuses replaced by '_', at most 31
// characters long.
QString sheetTitle(const QString& title);

// "%1s-%2s": the seconds a worksheet's title starts at and those seconds plus the sheet size.
QString sheetSpanTitle(qint64 fromSec, qint64 sheetSize);

// Worksheet spans: sheet k holds the keys after startSec + k × sheetSize up to and
// including the first key past startSec + (k + 1) × sheetSize. A record past the
// current limit (a gap can skip whole spans) moves the next rows to the span of its key.
struct SheetSpan
{
    qint64 index = 0; // k
    qint64 from(qint64 startSec, qint64 sheetSize) const { return startSec + index * sheetSize; }
    double limit(qint64 startSec, qint64 sheetSize) const { return double(startSec + (index + 1) * sheetSize); }
};
// The span of a key: its index is at most maxSpanSeconds / sheetSize (some 30,000 years).
inline constexpr qint64 maxSpanSeconds = 1000000000000;
SheetSpan spanOfKey(double key, qint64 startSec, qint64 sheetSize);

// The sheet that follows `current` once `key` has passed its limit. The new sheet is
// titled from the whole seconds of that key (at slow rates a second or more past the
// span's start); when the key lies spans further on (a gap), from the start of its span.
// Titles therefore always grow and never repeat.
struct SheetSplit
{
    SheetSpan span;
    qint64 titleFrom = 0;
};
SheetSplit splitAt(double key, const SheetSpan& current, qint64 startSec, qint64 sheetSize);

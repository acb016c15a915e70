#include "RowText.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>

qint64 keyMilliseconds(double key)
{
    // Keys are sums of sample periods, so 0.3 s may read 0.29999999999999998.
    const double millis = std::floor(key * 1000.0 + 1e-6);
    // A damaged record may hold any bit pattern; what no clock can show counts as 0.
    return std::fabs(millis) < 1e18 ? qint64(millis) : 0;
}

namespace {
// Writes v as exactly `digits` decimal digits (v below 10^digits).
char* putDigits(char* at, qint64 v, int digits)
{
    for (int i = digits - 1; i >= 0; --i) {
        at[i] = char('0' + v % 10);
        v /= 10;
    }
    return at + digits;
}
} // namespace

ClockTimeText::ClockTimeText(const QDateTime& base, qint16 samplePeriod)
    : m_hasBase(base.isValid()), m_baseMs(base.isValid() ? base.toMSecsSinceEpoch() : 0), m_width(1)
{
    if (samplePeriod <= 10)
        m_width = 4;
    else if (samplePeriod <= 100)
        m_width = 3;
    else if (samplePeriod <= 1000)
        m_width = 2;
}

void ClockTimeText::append(std::string& out, double key) const
{
    constexpr qint64 msPerDay = 86400000;
    const qint64 millis = keyMilliseconds(key);
    char text[32];
    char* at = text;
    qint64 ms = millis % 1000;
    if (m_hasBase) {
        // Only the time of day is shown: reduce both parts to a day first, so that a base
        // anywhere in 64 bits (a damaged header) cannot overflow the sum.
        qint64 ofDay = (m_baseMs % msPerDay + millis % msPerDay) % msPerDay;
        if (ofDay < 0)
            ofDay += msPerDay;
        at = putDigits(at, ofDay / 3600000, 2);
        *at++ = ':';
        at = putDigits(at, ofDay / 60000 % 60, 2);
        *at++ = ':';
        at = putDigits(at, ofDay / 1000 % 60, 2);
        ms = ofDay % 1000;
    }
    *at++ = ':';
    if (ms < 0) {
        // Only a damaged key before the log's start, without a clock base, gets here.
        out.append(text, at);
        out += QStringLiteral("%1").arg(ms, m_width, 10, QLatin1Char('0')).toStdString();
        return;
    }
    const int digits = ms >= 100 ? 3 : (ms >= 10 ? 2 : 1);
    at = putDigits(at, ms, qMax(digits, m_width));
    out.append(text, at);
}

QString timeText(const QDateTime& base, double key, qint16 samplePeriod)
{
    std::string text;
    ClockTimeText(base, samplePeriod).append(text, key);
    return QString::fromLatin1(text.data(), int(text.size()));
}

bool isRecordedClockTime(qint64 ms)
{
    constexpr qint64 year10000 = 253402300800000; // 10000-01-01 00:00:00 UTC
    return ms >= 0 && ms < year10000;
}

QDateTime clockBase(bool relativeTime, int version, qint64 startTimeMs)
{
    if (relativeTime || version < 2 || !isRecordedClockTime(startTimeMs))
        return QDateTime();
    return QDateTime::fromMSecsSinceEpoch(startTimeMs, Qt::UTC);
}

std::string fieldSeparator(char separator)
{
    if (separator == '\0')
        separator = ',';
    if (separator == ' ' || separator == '\t')
        return std::string(1, separator);
    return std::string{separator, ' '};
}

void appendFixed4(std::string& out, double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    out.append(buffer, result.ptr);
}

QString csvHeaderLine(bool relativeTime, const QDateTime& base, const QList<int>& channels,
                      const std::string& separator)
{
    QString line = relativeTime
        ? QCoreApplication::translate("SwapFile", "Time:sec")
        : QCoreApplication::translate("SwapFile", "Start time ") + base.time().toString(Qt::ISODate);
    const QString sep = QString::fromLatin1(separator.data(), int(separator.size()));
    for (int n : channels) {
        if (n == 0)
            line += sep + QStringLiteral("#%1:%2A").arg(0).arg(QChar(0x03BC));
        else
            line += sep + QStringLiteral("#%1:mV").arg(n);
    }
    return line + QLatin1Char('\n');
}

QString sheetTitle(const QString& title)
{
    QString clean = title;
    for (QChar& c : clean)
        if (QStringView(u"*/:?[\\]").contains(c))
            c = QLatin1Char('_');
    return clean.left(31);
}

QString sheetSpanTitle(qint64 fromSec, qint64 sheetSize)
{
    return QStringLiteral("%1s-%2s").arg(fromSec).arg(fromSec + sheetSize);
}

SheetSpan spanOfKey(double key, qint64 startSec, qint64 sheetSize)
{
    SheetSpan span;
    if (sheetSize > 0 && key > double(startSec)) {
        // A damaged key far beyond any log's length opens the span at maxSpanSeconds, so
        // that span arithmetic cannot overflow and titles stay short enough to differ.
        const qint64 lastIndex = maxSpanSeconds / sheetSize;
        const double index = std::floor((key - double(startSec)) / double(sheetSize));
        span.index = index < double(lastIndex) ? qint64(index) : lastIndex;
    }
    return span;
}

SheetSplit splitAt(double key, const SheetSpan& current, qint64 startSec, qint64 sheetSize)
{
    SheetSplit split;
    split.span = spanOfKey(key, startSec, sheetSize);
    const bool nextSpan = split.span.index <= current.index + 1;
    split.span.index = qMax(split.span.index, current.index + 1);
    split.titleFrom = split.span.from(startSec, sheetSize);
    if (nextSpan && key < double(split.titleFrom + sheetSize))
        split.titleFrom = qMax(split.titleFrom, qint64(std::floor(key)));
    return split;
}

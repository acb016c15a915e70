#include "RowText.h"

#include <QCoreApplication>
#include <QTime>

#include <charconv>
#include <cmath>

qint64 keyMilliseconds(double key)
{
    // Keys are sums of sample periods, so 0.3 s may read 0.29999999999999998.
    const double millis = std::floor(key * 1000.0 + 1e-6);
    // A damaged record may hold any bit pattern; what no clock can show counts as 0.
    return std::fabs(millis) < 1e18 ? qint64(millis) : 0;
}

QString timeText(const QDateTime& base, double key, qint16 samplePeriod)
{
    int width = 1;
    if (samplePeriod <= 10)
        width = 4;
    else if (samplePeriod <= 100)
        width = 3;
    else if (samplePeriod <= 1000)
        width = 2;
    QString clock;
    qint64 millis = keyMilliseconds(key);
    if (base.isValid()) {
        const QDateTime at = base.addMSecs(millis);
        clock = at.time().toString(Qt::ISODate);
        millis = at.time().msec();
    } else {
        millis %= 1000;
    }
    return QStringLiteral("%1:%2").arg(clock).arg(millis, width, 10, QLatin1Char('0'));
}

QDateTime clockBase(bool relativeTime, int version, qint64 startTimeMs)
{
    if (relativeTime || version < 2)
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

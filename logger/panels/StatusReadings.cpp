#include "StatusReadings.h"

#include "UnitFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

QString readingText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("--");
    return QString::number(value / unitScale(value), 'f', 2);
}

int prefixMagnitude(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return int(std::trunc(std::clamp(value, lowest, highest)));
}

QString captionWithUnit(const QString& caption, const QString& unit)
{
    return QStringLiteral("%1, %2").arg(caption.section(QLatin1Char(','), 0, 0), unit);
}

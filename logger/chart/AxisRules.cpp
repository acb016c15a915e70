#include "AxisRules.h"

#include "UnitFormat.h"

#include <algorithm>

namespace AxisRules {

std::optional<QCPRange> limitedRange(const QCPRange& request, double rangeMin, double rangeMax)
{
    double lower = std::min(request.lower, request.upper);
    double upper = std::max(request.lower, request.upper);
    lower = std::max(lower, rangeMin);
    upper = std::min(upper, rangeMax);
    if (lower >= upper || !QCPRange::validRange(lower, upper))
        return std::nullopt;
    return QCPRange(lower, upper);
}

QCPRange rangeInsideLimits(const QCPRange& range, double rangeMin, double rangeMax)
{
    if (const auto limited = limitedRange(range, rangeMin, rangeMax))
        return *limited;
    const double width = std::min(range.size(), rangeMax - rangeMin);
    if (range.upper > rangeMax)
        return QCPRange(rangeMax - width, rangeMax);
    return QCPRange(rangeMin, rangeMin + width);
}

std::optional<QCPRange> zoomedRange(const QCPRange& current, double factor, double center,
                                    double rangeMin, double rangeMax)
{
    double lower = (current.lower - center) * factor + center;
    double upper = (current.upper - center) * factor + center;
    if (lower + minimumZoomWidth > upper)
        return std::nullopt;
    lower = std::max(lower, rangeMin);
    upper = std::min(upper, rangeMax);
    if (lower >= upper || !QCPRange::validRange(lower, upper))
        return current;
    return QCPRange(lower, upper);
}

TickBounds visibleTickBounds(const QList<double>& ticks, const QCPRange& range)
{
    TickBounds bounds;
    bounds.lowest = int(ticks.size());
    bounds.highest = -1;
    for (int i = 0; i < ticks.size(); ++i) {
        if (ticks[i] < range.lower || ticks[i] > range.upper)
            continue;
        bounds.lowest = std::min(bounds.lowest, i);
        bounds.highest = i;
    }
    if (bounds.highest < 0) {
        // No tick inside: the pair of ticks around the range still frames its sub-ticks.
        bounds.lowest = int(std::lower_bound(ticks.begin(), ticks.end(), range.lower) - ticks.begin());
        bounds.highest = bounds.lowest - 1;
    }
    return bounds;
}

QList<double> subTickPositions(const QList<double>& ticks, int count, const QCPRange& range,
                               const TickBounds& bounds)
{
    QList<double> positions;
    if (count <= 0 || ticks.size() < 2)
        return positions;
    positions.reserve((ticks.size() - 1) * count);
    const int first = std::max(0, bounds.lowest - 1);
    const int last = std::min(int(ticks.size()) - 1, bounds.highest + 1);
    for (int i = first; i < last; ++i) {
        const double gap = ticks[i + 1] - ticks[i];
        for (int k = 1; k <= count; ++k) {
            const double position = ticks[i] + k * (gap / (count + 1));
            if (position < range.lower)
                continue;
            if (position > range.upper)
                return positions;
            positions.append(position);
        }
    }
    return positions;
}

int labelDivisor(double highestVisibleTick)
{
    return unitScale(highestVisibleTick);
}

QString groupDigits(const QString& number, const QLocale& locale)
{
    const QString minus = locale.negativeSign();
    const int start = number.startsWith(minus) ? int(minus.size()) : 0;
    int end = int(number.indexOf(locale.decimalPoint(), start));
    if (end < 0)
        end = int(number.size());
    for (int i = start; i < end; ++i) {
        if (!number[i].isDigit())
            return number;
    }
    QString grouped = number;
    const int digits = end - start;
    if (digits > 3)
        grouped.insert(end - 3, QLatin1Char(' '));
    if (digits > 6)
        grouped.insert(end - 6, QLatin1Char(' '));
    return grouped;
}

QString numberTickLabel(double value, int divisor, const QLocale& locale)
{
    return groupDigits(locale.toString(value / divisor, 'g', 6), locale);
}

QString startArrow(const std::function<bool(char32_t)>& hasGlyph)
{
    for (const char32_t arrow : {U'\u2B9C', U'\u2190'}) {
        if (hasGlyph(arrow))
            return QString::fromUcs4(&arrow, 1);
    }
    return QStringLiteral("<");
}

bool LabelThinning::accept(double position, int width)
{
    if (m_started && position <= m_last + std::max(m_widest, width))
        return false;
    m_started = true;
    m_last = position;
    m_widest = std::max(m_widest, width);
    return true;
}

QList<RowLabel> secondRowLabels(const QMap<int, QString>& positionMap,
                                const QList<double>& tickPositions, double leftEdge,
                                const std::function<int(const QString&)>& width)
{
    QList<RowLabel> row;
    const QString start = positionMap.value(-1);
    const int startWidth = width(start);
    row.append({leftEdge, start, true, leftEdge, startWidth});
    const int gap = width(QStringLiteral(" "));
    double end = leftEdge + startWidth;
    for (auto it = positionMap.cbegin(); it != positionMap.cend(); ++it) {
        if (it.key() < 0 || it.key() >= tickPositions.size())
            continue;
        const double position = tickPositions[it.key()];
        const int w = width(it.value());
        const double left = position - w / 2.0;
        if (left < end + gap)
            continue;
        row.append({position, it.value(), false, left, w});
        end = left + w;
    }
    return row;
}

} // namespace AxisRules

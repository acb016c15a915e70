#pragma once

// Arithmetic of the chart axes, free of widgets: range limits, the narrowest zoom,
// visible ticks, sub-tick placement, number labels and the thinning of tick labels.

#include <qcustomplot.h>

#include <QList>
#include <QLocale>
#include <QMap>
#include <QString>

#include <functional>
#include <optional>

namespace AxisRules {

inline constexpr double defaultRangeMin = 0.0;
inline constexpr double defaultRangeMax = 10000000.0;
// No zoom makes a range narrower than this.
inline constexpr double minimumZoomWidth = 0.001;

// `request` ordered, then each end clamped into [rangeMin, rangeMax]. Empty when the
// result is not a range the plot can show (for example a request wholly beyond a limit).
std::optional<QCPRange> limitedRange(const QCPRange& request, double rangeMin, double rangeMax);

// A range that the library reached on its own, brought inside the limits: clamped like
// limitedRange, or moved inside with its width kept when it lies wholly beyond a limit.
QCPRange rangeInsideLimits(const QCPRange& range, double rangeMin, double rangeMax);

// Linear zoom of `current` by `factor` around `center`. Empty when the zoom is refused
// because the result would be narrower than minimumZoomWidth; otherwise the zoomed range
// clamped into the limits, or `current` when the clamped range is not a valid range.
std::optional<QCPRange> zoomedRange(const QCPRange& current, double factor, double center,
                                    double rangeMin, double rangeMax);

// Indexes of the lowest and the highest tick inside `range` (ends included); lowest is
// above highest when no tick lies inside.
struct TickBounds
{
    int lowest = 0;
    int highest = -1;
};
TickBounds visibleTickBounds(const QList<double>& ticks, const QCPRange& range);

// `count` evenly spaced sub-ticks between neighbouring ticks, from the tick before the
// lowest visible one to the tick after the highest visible one, kept inside `range`.
QList<double> subTickPositions(const QList<double>& ticks, int count, const QCPRange& range,
                               const TickBounds& bounds);

// Divisor of the number labels for the highest visible tick value: 1, 1000 or 1000000.
int labelDivisor(double highestVisibleTick);

// Blank before the last three and the last six digits of the integer part:
// 1234.5 -> "1 234.5", -1234 -> "-1 234". Texts in exponent form stay as they are.
QString groupDigits(const QString& number, const QLocale& locale);

// The label of one tick: value / divisor, six significant digits, digit groups.
QString numberTickLabel(double value, int divisor, const QLocale& locale);

// The arrow that opens the start label of the time axis: U+2B9C where the label's font
// has a glyph for it, else the plainer U+2190, else '<', so that the label never shows an
// empty box in its place.
QString startArrow(const std::function<bool(char32_t)>& hasGlyph);

// First-row tick labels of the time axis, each centred on its tick: the first label is
// drawn; a further label only when it starts beyond the last drawn one by more than the
// widest label drawn so far (itself included), so that no two of them overlap.
class LabelThinning
{
public:
    bool accept(double position, int width);

private:
    bool m_started = false;
    double m_last = 0.0;
    int m_widest = 0;
};

// Second label row of the time axis: the entry at -1 (or an empty text) starts at the
// left edge and is always drawn; each further entry is centred on its tick and drawn only
// when it begins a blank's width beyond the end of the last label drawn in the row, so
// that an anchor near the axis start gives way to the start label.
struct RowLabel
{
    double position;
    QString text;
    bool atLeftEdge;
    double left;  // where the drawn text begins
    int width;
};
QList<RowLabel> secondRowLabels(const QMap<int, QString>& positionMap,
                                const QList<double>& tickPositions, double leftEdge,
                                const std::function<int(const QString&)>& width);

} // namespace AxisRules

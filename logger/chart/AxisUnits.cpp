#include "AxisUnits.h"

#include "AxisRules.h"
#include "UnitFormat.h"

#include <qcustomplot.h>

#include <cmath>

namespace {
constexpr double unitsPerSecond = 10000.0; // lengths are counted in 0.1 ms

QList<double> ticksFrom(double first, double step, double upper)
{
    QList<double> ticks;
    // Positions are computed from the index, so a long row does not drift.
    for (qint64 i = 0;; ++i) {
        const double tick = first + double(i) * step;
        ticks.append(tick);
        if (tick > upper)
            break;
    }
    return ticks;
}

int visibleSpan(const QList<double>& ticks, const QCPRange& range)
{
    const AxisRules::TickBounds bounds = AxisRules::visibleTickBounds(ticks, range);
    return bounds.highest - bounds.lowest;
}
} // namespace

void keyAxisTicks(const QCPRange& range, QList<double>& ticks, double& step)
{
    const auto units = [](double seconds) {
        return seconds > 0 && std::isfinite(seconds) ? quint64(seconds * unitsPerSecond) : quint64(0);
    };
    // The width is taken to the nearest unit: a ten-second window whose ends carry the
    // rounding of sample times (44.000000000000007 to 54) is 99999.99 units wide, and
    // cut down it would start the ticks on a nine-second grid that the labels' anchors
    // at whole tens do not follow. The lower end stays cut down, so that the first tick
    // is never after it.
    const double width = range.size();
    quint64 b = width > 0 && std::isfinite(width) ? quint64(std::llround(width * unitsPerSecond)) : quint64(0);
    quint64 d = units(range.lower);
    quint64 stepUnits = 1;
    if (b == 0)
        b = 1;
    if (b <= 10) {
        d -= d % 10;
    } else {
        // One decade of step per decade of width: 1 ms steps up to 10 ms, and so on.
        quint64 limit = 100;
        stepUnits = 10;
        while (b > limit && stepUnits < 1000000000ull) {
            limit *= 10;
            stepUnits *= 10;
        }
        if (stepUnits == 1000000000ull)
            d -= d % 10000000000ull;
    }
    const quint64 m = b - b % stepUnits;
    const double first = double(d - d % m) / unitsPerSecond;
    step = double(stepUnits) / unitsPerSecond;

    ticks = ticksFrom(first, step, range.upper);
    if (visibleSpan(ticks, range) > 5)
        return;
    // One division from whole units keeps the steps the exact doubles of 0.05, 0.005,
    // ... that the label rules compare them with.
    step = double(stepUnits) / 2 / unitsPerSecond;
    ticks = ticksFrom(first, step, range.upper);
    if (visibleSpan(ticks, range) > 5)
        return;
    step = double(stepUnits) / 10 / unitsPerSecond;
    ticks = ticksFrom(first, step, range.upper);
}

QList<QString> overviewTickLabels(const QList<double>& ticks, const QCPRange& range)
{
    // The row takes the clock form when a shown tick alone would read in it.
    const auto readsAsClock = [](double tick) { return formatTime(tick, false, 2) != secondsText(tick, false, 2); };
    bool clock = false;
    for (const double tick : ticks)
        clock = clock || (range.contains(tick) && readsAsClock(tick));
    QList<QString> labels;
    labels.reserve(ticks.size());
    for (const double tick : ticks)
        labels.append(clock ? clockTimeText(tick) : secondsText(tick, false, 2));
    return labels;
}

int keyAxisSubTickCount(double step)
{
    for (double decade = 0.001; decade <= 10000.5; decade *= 10) {
        if (std::fabs(step - decade) <= decade * 1e-9)
            return 9;
    }
    return 4;
}

QString analyzerAxisTitle(int channel, const QString& channelName, int divisor)
{
    const QString head = QStringLiteral("#%1: %2").arg(channel).arg(channelName);
    return head + QStringLiteral(", ") + (channel == 0 ? currentUnit(divisor) : voltageUnit(divisor));
}

QString supplyAxisTitle(const QString& graphName, const QString& unit, int divisor)
{
    QString prefix;
    if (divisor >= 1000000)
        prefix = QStringLiteral("M");
    else if (divisor >= 1000)
        prefix = QStringLiteral("k");
    return graphName + QStringLiteral(", ") + prefix + unit;
}

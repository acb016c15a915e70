#include "BatteryLife.h"

#include "CalculatorInfo.h"
#include "StatusReadings.h"
#include "UnitFormat.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

void setWorkingCycleWindow(CalculatorInfo& cycle, const CalculatorInfo& whole, double seconds)
{
    const double middle = (whole.start + whole.end) / 2;
    cycle.start = middle - seconds / 2;
    cycle.end = middle + seconds / 2;
}

QString batteryLifeText(double capacityMah, double currentMa)
{
    if (!(currentMa > 0) || !std::isfinite(currentMa))
        return QStringLiteral("--");
    const double seconds = capacityMah * 1000 * 3600 / (currentMa * 1000);
    // Years are counted in an int: a longer life has no meaningful figure to show.
    constexpr double longest = double(std::numeric_limits<int>::max()) * 31536000.0;
    if (!(seconds < longest))
        return QStringLiteral("--");

    const DurationParts d = durationParts(quint64(seconds));
    const int parts[] = {d.years, d.months, d.days, d.hours, d.minutes, d.seconds};
    const char* const patterns[] = {
        QT_TRANSLATE_NOOP("Calculator", "%1 years, "),   QT_TRANSLATE_NOOP("Calculator", "%1 months, "),
        QT_TRANSLATE_NOOP("Calculator", "%1 days, "),    QT_TRANSLATE_NOOP("Calculator", "%1 hours, "),
        QT_TRANSLATE_NOOP("Calculator", "%1 minutes, "), QT_TRANSLATE_NOOP("Calculator", "%1 seconds, ")};
    const auto part = [&](int i) { return QCoreApplication::translate("Calculator", patterns[i]).arg(parts[i]); };
    QString text;
    for (int i = 0; i < 6; ++i) {
        if (parts[i] == 0)
            continue;
        text = part(i);
        int next = i + 1;
        if (i == 0 && parts[1] == 0)
            next = 2;
        if (next < 6 && parts[next] != 0)
            text += part(next);
        break;
    }
    if (text.isEmpty())
        text = QCoreApplication::translate("Calculator", "The battery is too low  ");
    text.chop(2);
    return text;
}

QString periodText(double start, double end)
{
    const double d = std::abs(end - start);
    QString duration;
    if (d < 0.001)
        duration = QString::number(d * 1000000, 'f', 3) + microsecondsUnit();
    else if (d < 1)
        duration = QString::number(d * 1000, 'f', 3) + millisecondsUnit();
    else
        duration = QString::number(d, 'f', 3) + secondsUnit();
    return QStringLiteral("%1 : %2 [%3]").arg(formatTime(start, start != 0, 3), formatTime(end, true, 3), duration);
}

QString averageCurrentText(double currentMa)
{
    const double microamperes = currentMa * 1000;
    if (!std::isfinite(microamperes))
        return QStringLiteral("--- ") + currentUnit(1000);
    return QString::number(microamperes / unitScale(microamperes), 'f', 2) + currentUnit(prefixMagnitude(microamperes));
}

#include "UnitFormat.h"

#include <QCoreApplication>
#include <QDebug>

#include <cmath>
#include <limits>

int timeFormatMode = 1;

// Unit texts are translated like every text the user sees; the micro sign is the same in
// every language.
QString microsecondsUnit()
{
    return QChar(microSign) + secondsUnit();
}

QString millisecondsUnit()
{
    return QCoreApplication::translate("UnitFormat", "ms");
}

QString secondsUnit()
{
    return QCoreApplication::translate("UnitFormat", "s");
}

int unitScale(double magnitude)
{
    if (magnitude < 1000.0)
        return 1;
    if (magnitude < 1000000.0)
        return 1000;
    return 1000000;
}

QChar currentPrefix(int scale)
{
    if (scale < 1000)
        return QChar(microSign);
    if (scale < 1000000)
        return QLatin1Char('m');
    return QLatin1Char(' ');
}

QChar voltagePrefix(int scale)
{
    return scale <= 999 ? QLatin1Char('m') : QLatin1Char(' ');
}

QString currentUnit(int scale)
{
    const QChar prefix = currentPrefix(scale);
    if (prefix == QLatin1Char('m'))
        return QCoreApplication::translate("UnitFormat", "mA");
    return prefix + QCoreApplication::translate("UnitFormat", "A");
}

QString voltageUnit(int scale)
{
    const QChar prefix = voltagePrefix(scale);
    if (prefix == QLatin1Char('m'))
        return QCoreApplication::translate("UnitFormat", "mV");
    return prefix + QCoreApplication::translate("UnitFormat", "V");
}

QString sampleRateText(int samplePeriod)
{
    return QStringLiteral("(%1 %2)")
        .arg(QString::number(10.0 / samplePeriod, 'f', 3),
             QCoreApplication::translate("UnitFormat", "kHz"));
}

DurationParts durationParts(quint64 s)
{
    constexpr quint64 year = 31536000, month = 2592000, week = 604800, day = 86400;
    DurationParts p;
    quint64 years = s / year;
    quint64 r = s % year;
    quint64 months = r / month;
    r %= month;
    if (months == 12) {
        ++years;
        months = 0;
    }
    const quint64 weeks = r / week;
    r %= week;
    // Beyond two billion years the count no longer fits the int it is shown from.
    p.years = int(std::min<quint64>(years, std::numeric_limits<int>::max()));
    p.months = int(months);
    p.weeks = int(weeks);
    p.days = int(r / day + 7 * weeks);
    r %= day;
    p.hours = int(r / 3600);
    p.minutes = int((r % 3600) / 60);
    p.seconds = int(r % 60);
    qDebug().noquote() << QStringLiteral("%1 Years, %2 Months, %3 Weeks, %4 Days, %5 Hours, %6 Minutes, %7 Seconds")
                              .arg(p.years).arg(p.months).arg(p.weeks).arg(p.days)
                              .arg(p.hours).arg(p.minutes).arg(p.seconds);
    return p;
}

QString secondsText(double x, bool withUnit, int precision)
{
    if (!withUnit)
        return QString::number(x, 'f', precision);
    if (x < 0.001) {
        // Truncated microseconds; compared as a double so no huge value overflows an int.
        const double micro = std::trunc(x * 1000000.0);
        if (micro >= 0.0 && micro < 100.0)
            return QString::number(qint64(micro)) + microsecondsUnit();
        return QString::number(x * 1000.0, 'f', 1) + millisecondsUnit();
    }
    if (x < 1.0)
        return QString::number(x * 1000.0, 'f', 1) + millisecondsUnit();
    return QString::number(x, 'f', precision) + secondsUnit();
}

QString formatTime(double x, bool withUnit, int precision)
{
    if (timeFormatMode == 1 || !(x >= 60.0))
        return secondsText(x, withUnit, precision);
    return clockTimeText(x);
}

QString clockTimeText(double x)
{
    if (!(x > 0.0)) // negative or not a number
        x = 0.0;
    // 64-bit counts: a 32-bit millisecond count overflows after about 24.9 days.
    constexpr double maxUnits = double(std::numeric_limits<qint64>::max() / 2);
    // Counted in the instruments' 100 µs steps, taken to the nearest one: sample times
    // are sums of sample periods, and the sample at 100.007 s is the double just below
    // it, which cut down would read 1:40.006.
    const double units = std::min(std::round(x * 10000.0), maxUnits);
    const quint64 u = quint64(units);
    const qint64 ms = qint64((u / 10) % 1000);
    const quint64 totalMinutes = u / 600000;
    const quint64 seconds = (u % 600000) / 10000;
    const quint64 minutes = totalMinutes % 60;
    const quint64 totalHours = totalMinutes / 60;
    const quint64 hours = totalHours % 24;
    const quint64 days = totalHours / 24;
    if (days != 0)
        return QString::asprintf("%llu %llu:%02llu:%02llu.%03lld", days, hours, minutes, seconds, ms);
    if (hours != 0)
        return QString::asprintf("%llu:%02llu:%02llu.%03lld", hours, minutes, seconds, ms);
    return QString::asprintf("%llu:%02llu.%03lld", minutes, seconds, ms);
}

namespace {
struct TickUnit
{
    bool milliseconds;
    double multiplier;
    int decimals;
    double anchorEvery;
};

TickUnit tickUnitFor(double step)
{
    if (step == 0.0001 || step == 0.0005)
        return {true, 1000, 2, 1};
    if (step == 0.001)
        return {true, 1000, 0, 10};
    if (step == 0.005 || step == 0.01)
        return {true, 1000, 0, 100};
    if (step == 0.05)
        return {false, 1, 2, 1};
    if (step == 0.1)
        return {false, 1, 1, 1};
    if (step == 0.5)
        return {false, 1, 1, 10};
    if (step == 1)
        return {false, 1, 0, 10};
    if (step == 5 || step == 10)
        return {false, 1, 0, 100};
    return {false, 1, 0, 1000};
}

// Tick offsets are sums of binary fractions such as 0.1: compare with a tolerance far
// below any label's last decimal so that every anchor is found.
bool sameOffset(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}
} // namespace

void timeTickLabels(double tickStep, const QList<double>& ticks, QList<QString>& labels,
                    QMap<int, QString>& anchors, const QString& startArrow, double axisStart)
{
    const TickUnit unit = tickUnitFor(tickStep);
    const QString unitText = unit.milliseconds ? millisecondsUnit() : secondsUnit();
    double sum = 0;
    for (int i = 0; i < ticks.size(); ++i) {
        const double m = i * unit.multiplier * tickStep - sum;
        if (sameOffset(m, unit.anchorEvery) || sameOffset(m, 0.0)) {
            anchors.insert(i, formatTime(ticks[i], true, 3));
            labels.append(QString());
            if (i > 0)
                sum += unit.anchorEvery;
        } else {
            labels.append(QStringLiteral("+%1%2").arg(QString::number(m, 'f', unit.decimals), unitText));
        }
    }
    if (!ticks.isEmpty())
        anchors.insert(-1, startArrow + formatTime(axisStart, true, 3));
}

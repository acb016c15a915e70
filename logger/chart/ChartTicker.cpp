#include "ChartTicker.h"

#include "ChartAxis.h"

ChartTicker::ChartTicker(ChartAxis* axis)
    : m_axis(axis)
{
}

void ChartTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar,
                           int precision, QVector<double>& ticks, QVector<double>* subTicks,
                           QVector<QString>* tickLabels)
{
    if (!m_axis) {
        QCPAxisTicker::generate(range, locale, formatChar, precision, ticks, subTicks, tickLabels);
        return;
    }
    const double step = getTickStep(range);
    ChartAxis::TickSet set = m_axis->setupTicks(createTickVector(step, range), getSubTickCount(step));
    ticks = set.ticks;
    if (subTicks)
        *subTicks = set.subTicks;
    if (tickLabels)
        *tickLabels = set.labels;
}

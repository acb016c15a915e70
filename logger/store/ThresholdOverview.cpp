#include "ThresholdOverview.h"

#include <algorithm>

ThresholdOverview::ThresholdOverview(double level, double height)
    : m_level(level)
    , m_height(height)
{
}

void ThresholdOverview::add(double key, double value)
{
    m_points.append(QCPGraphData(key, value));
}

void ThresholdOverview::endWindow(double lastKey)
{
    if (m_high && lastKey == lastKey) {
        add(lastKey - 0.0000001, m_height);
        add(lastKey, 0.0);
    }
    m_high = false;
}

QVector<QCPGraphData> ThresholdOverview::points() const
{
    QVector<QCPGraphData> sorted = m_points;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QCPGraphData& a, const QCPGraphData& b) { return a.key < b.key; });
    QVector<QCPGraphData> settled;
    settled.reserve(sorted.size());
    for (const QCPGraphData& point : sorted) {
        if (!settled.isEmpty() && settled.constLast().key == point.key)
            settled.last() = point;
        else
            settled.append(point);
    }
    return settled;
}

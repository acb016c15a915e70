#include "ChartNavigation.h"

#include <algorithm>
#include <cmath>

QCPRange valueRangeOf(const QCPGraphDataContainer* data, const QCPRange& keys)
{
    if (!data || data->isEmpty())
        return QCPRange(0, 0);
    double min = 0;
    double max = 0;
    bool found = false;
    for (auto it = data->findBegin(keys.lower, false); it != data->constEnd() && it->key <= keys.upper; ++it) {
        if (it->key < keys.lower || std::isnan(it->value))
            continue;
        if (!found) {
            min = max = it->value;
            found = true;
        } else {
            min = std::min(min, it->value);
            max = std::max(max, it->value);
        }
    }
    if (!found)
        return QCPRange(0, 0);
    const double size = max - min;
    const double centre = max - size * 0.5;
    // A flat line fitted edge to edge would fill the plot with noise of the last digit.
    if (size < 0.002 || size / centre < 0.1) {
        double width = size * 30;
        if (width == 0)
            width = 2 * centre;
        const double lower = centre - width * 0.5;
        if (lower < 0)
            return QCPRange(0, width);
        return QCPRange(lower, centre + width * 0.5);
    }
    return QCPRange(min, max);
}

double nearestKey(const QCPGraphDataContainer& data, double t)
{
    if (data.isEmpty())
        return -1;
    const double first = data.constBegin()->key;
    const double last = (data.constEnd() - 1)->key;
    t = std::clamp(t, first, last);
    // The first point at or after t, and the one before it.
    auto after = std::lower_bound(data.constBegin(), data.constEnd(), t,
                                  [](const QCPGraphData& point, double key) { return point.key < key; });
    if (after == data.constEnd())
        return last;
    if (after == data.constBegin())
        return after->key;
    const auto before = after - 1;
    return (t - before->key < after->key - t) ? before->key : after->key;
}

double valueAtKey(const QCPGraphDataContainer& data, double key)
{
    if (data.isEmpty())
        return std::nan("");
    auto it = std::lower_bound(data.constBegin(), data.constEnd(), key,
                               [](const QCPGraphData& point, double k) { return point.key < k; });
    return (it != data.constEnd() && it->key == key) ? it->value : 0.0;
}

QCPRange centredKeyRange(double centre, double width, double dataUpper)
{
    const double half = width / 2;
    double lower = centre - half;
    double upper = centre + half;
    if (dataUpper < centre + half) {
        lower = dataUpper - width;
        upper = dataUpper;
    }
    if (lower < 0)
        return QCPRange(0, width);
    return QCPRange(lower, upper);
}

BorderMove borderMove(double lower, double upper, double width, double minimumCentre)
{
    BorderMove move;
    if (lower < 0) {
        move.centre = width / 2;
        return move;
    }
    move.centre = std::max(lower + (upper - lower) / 2, minimumCentre);
    move.read = true;
    return move;
}

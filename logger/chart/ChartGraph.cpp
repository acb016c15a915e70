#include "ChartGraph.h"

#include <algorithm>
#include <cmath>

namespace {
// The key at which the pixel column after the one of `key` begins; columns follow the
// keys in either direction. A column is what the screen draws as one: the positions
// that round to one pixel.
double nextColumnKey(const PixelScale& scale, double key)
{
    const double column = std::floor(scale.pixelOf(key) + 0.5);
    const double edge = scale.pixelsPerKey > 0 ? column + 0.5 : column - 0.5;
    double next = scale.key + (edge - scale.pixel) / scale.pixelsPerKey;
    // Where the pixels run against the keys, the key of the edge itself rounds to the
    // column after.
    if (scale.pixelsPerKey < 0)
        next = std::nextafter(next, HUGE_VAL);
    // Far outside the plot a column can be narrower than the keys can tell apart.
    return next > key ? next : std::nextafter(key, HUGE_VAL);
}
} // namespace

void reduceToPixelColumns(const QCPGraphData* begin, const QCPGraphData* end, const PixelScale& scale,
                          QVector<QCPGraphData>& out)
{
    out.clear();
    out.reserve(std::min<qsizetype>(end - begin, 16384));
    const QCPGraphData* first = begin;
    while (first < end) {
        const double limit = nextColumnKey(scale, first->key);
        const QCPGraphData* lowest = first;
        const QCPGraphData* highest = first;
        const QCPGraphData* last = first + 1;
        for (; last < end && last->key < limit; ++last) {
            if (last->value < lowest->value)
                lowest = last;
            else if (last->value > highest->value)
                highest = last;
        }
        --last;
        // The column's first and last point join it to its neighbours as every point
        // would; its lowest and highest point between them span all its others.
        out.append(*first);
        const QCPGraphData* earlier = std::min(lowest, highest);
        const QCPGraphData* later = std::max(lowest, highest);
        if (earlier != first && earlier != last)
            out.append(*earlier);
        if (later != first && later != last && later != earlier)
            out.append(*later);
        if (last != first)
            out.append(*last);
        first = last + 1;
    }
}

ChartGraph::ChartGraph(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : QCPGraph(keyAxis, valueAxis)
{
}

void ChartGraph::getOptimizedLineData(QVector<QCPGraphData>* lineData,
                                      const QCPGraphDataContainer::const_iterator& begin,
                                      const QCPGraphDataContainer::const_iterator& end) const
{
    QCPAxis* key = keyAxis();
    if (!lineData || !key || !adaptiveSampling() || key->scaleType() != QCPAxis::stLinear) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        return;
    }
    if (begin == end) {
        lineData->clear();
        return;
    }
    // On a linear axis a key's pixel is an affine function of the key.
    const QCPRange range = key->range();
    PixelScale scale;
    scale.key = range.lower;
    scale.pixel = key->coordToPixel(range.lower);
    scale.pixelsPerKey = (key->coordToPixel(range.upper) - scale.pixel) / range.size();
    if (!std::isfinite(scale.pixelsPerKey) || !std::isfinite(scale.pixel) || scale.pixelsPerKey == 0) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        return;
    }
    const QCPGraphData* first = &*begin;
    reduceToPixelColumns(first, first + (end - begin), scale, *lineData);
}

#pragma once

// A channel's line in a chart. Where its points are denser than the screen can show,
// the line is drawn from each pixel column's first, lowest, highest and last point, in
// the order they came: the same picture as every point, no spike lost, in one quick pass
// over the visible points.

#include <qcustomplot.h>

// Where a key lies on screen along a linear axis.
struct PixelScale
{
    double key = 0;          // a key ...
    double pixel = 0;        // ... and its pixel position
    double pixelsPerKey = 1; // negative where the pixels run against the keys
    double pixelOf(double k) const { return pixel + (k - key) * pixelsPerKey; }
};

// Reduces the points in [begin, end) (in key order) to those that draw the same line:
// per pixel column (the keys whose positions round to one pixel) its first, lowest,
// highest and last point, in the order they came, each once.
void reduceToPixelColumns(const QCPGraphData* begin, const QCPGraphData* end, const PixelScale& scale,
                          QVector<QCPGraphData>& out);

class ChartGraph : public QCPGraph
{
    Q_OBJECT
public:
    ChartGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);

protected:
    void getOptimizedLineData(QVector<QCPGraphData>* lineData, const QCPGraphDataContainer::const_iterator& begin,
                              const QCPGraphDataContainer::const_iterator& end) const override;
};

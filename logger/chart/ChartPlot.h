#pragma once

#include <qcustomplot.h>

#include <QPointer>

class ChartAxis;
class ChartAxisRect;
class QRubberBand;

// The plot of a chart tab (and of the bars that show a time axis). Its first axis rect
// is a ChartAxisRect and all four default axes are ChartAxis objects. The mouse works as
// the charts need: a rectangle drawn outside the axes zooms every axis at once, a press
// on an axis drags that axis, the wheel is only announced (mouseWheel) so the owner
// zooms, and a release counts as a click while the pointer stayed within 5 pixels.
class ChartPlot : public QCustomPlot
{
    Q_OBJECT
public:
    explicit ChartPlot(QWidget* parent = nullptr);
    ~ChartPlot() override;

    ChartAxisRect* chartRect() const;
    ChartAxis* keyAxis() const;

    // The visible left, right or bottom axis of the first axis rect under `pos`, or null.
    QCPAxis* axisAt(const QPointF& pos) const;

    // Rubber band of the zoom rectangle; null until the first press outside the axes.
    QRubberBand* rubberBand = nullptr;
    // The axis under the mouse at the last press; null when none, cleared on release.
    QPointer<QCPAxis> pressedAxis;

    static constexpr int minimumZoomRect = 20;
    static constexpr int clickTolerance = 5;

signals:
    // A horizontal drag of the time axis asked for this range beyond its limits.
    void rangeBorderReached(double new_lo, double new_up);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void replaceDefaultAxisRect();
    void zoomToRubberBand(const QRect& rect);
    void noteTravel(const QPoint& pos);

    bool m_movedFar = false;
};

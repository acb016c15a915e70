#pragma once

#include <qcustomplot.h>

// The first axis rect of a chart plot. A drag moves only the axis that was pressed
// (see ChartPlot::pressedAxis), five times as far with Ctrl; a drag of the time axis past
// its limits asks for more data through ChartPlot::rangeBorderReached instead of moving.
class ChartAxisRect : public QCPAxisRect
{
    Q_OBJECT
public:
    explicit ChartAxisRect(QCustomPlot* parentPlot);

    // Ends a press that the plot finishes itself (after a rubber-band zoom).
    void finishPress(QMouseEvent* event, const QPointF& startPos);

protected:
    void mousePressEvent(QMouseEvent* event, const QVariant& details) override;
    void mouseMoveEvent(QMouseEvent* event, const QPointF& startPos) override;
    void mouseReleaseEvent(QMouseEvent* event, const QPointF& startPos) override;

private:
    bool dragHorizontally(QCPAxis* axis, const QPointF& from, const QPointF& to, double speed);
    bool dragVertically(QCPAxis* axis, const QPointF& from, const QPointF& to, double speed);

    bool m_dragging = false;
    QCPRange m_startHorizontal;
    QCPRange m_startVertical;
    QCP::AntialiasedElements m_antialiasedBackup;
    QCP::AntialiasedElements m_notAntialiasedBackup;
};

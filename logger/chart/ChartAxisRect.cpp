#include "ChartAxisRect.h"

#include "ChartAxis.h"
#include "ChartPlot.h"

namespace {

// Ctrl makes a drag move the range five times as far as the mouse.
double dragSpeed(const QMouseEvent* event)
{
    return event->modifiers().testFlag(Qt::ControlModifier) ? 5.0 : 1.0;
}

double lowerLimit(QCPAxis* axis)
{
    const ChartAxis* chart = chartAxis(axis);
    return chart ? chart->rangeMin() : -std::numeric_limits<double>::max();
}

double upperLimit(QCPAxis* axis)
{
    const ChartAxis* chart = chartAxis(axis);
    return chart ? chart->rangeMax() : std::numeric_limits<double>::max();
}

void setAxisRange(QCPAxis* axis, double lower, double upper)
{
    if (ChartAxis* chart = chartAxis(axis))
        chart->setRange(lower, upper);
    else
        axis->setRange(lower, upper);
}

} // namespace

ChartAxisRect::ChartAxisRect(QCustomPlot* parentPlot)
    : QCPAxisRect(parentPlot, false)
{
}

void ChartAxisRect::mousePressEvent(QMouseEvent* event, const QVariant&)
{
    event->accept();
    if (!event->buttons().testFlag(Qt::LeftButton))
        return;
    m_dragging = true;
    if (parentPlot()->noAntialiasingOnDrag()) {
        m_antialiasedBackup = parentPlot()->antialiasedElements();
        m_notAntialiasedBackup = parentPlot()->notAntialiasedElements();
    }
    const ChartPlot* plot = qobject_cast<ChartPlot*>(parentPlot());
    QCPAxis* pressed = plot ? plot->pressedAxis.data() : nullptr;
    if (QCPAxis* horizontal = rangeDragAxis(Qt::Horizontal))
        m_startHorizontal = horizontal->range();
    if (pressed)
        m_startVertical = pressed->range();
    else if (QCPAxis* vertical = rangeDragAxis(Qt::Vertical))
        m_startVertical = vertical->range();
}

bool ChartAxisRect::dragHorizontally(QCPAxis* axis, const QPointF& from, const QPointF& to, double speed)
{
    if (axis->scaleType() == QCPAxis::stLogarithmic) {
        const double ratio = axis->pixelToCoord(from.x()) / axis->pixelToCoord(to.x());
        setAxisRange(axis, m_startHorizontal.lower * ratio, m_startHorizontal.upper * ratio);
        return true;
    }
    if (axis->axisType() != QCPAxis::atBottom)
        return true;
    const double diff = (axis->pixelToCoord(from.x()) - axis->pixelToCoord(to.x())) * speed;
    const double lower = m_startHorizontal.lower + diff;
    const double upper = m_startHorizontal.upper + diff;
    if (lower < lowerLimit(axis) || upper > upperLimit(axis)) {
        if (ChartPlot* plot = qobject_cast<ChartPlot*>(parentPlot()))
            emit plot->rangeBorderReached(lower, upper);
        return false;
    }
    setAxisRange(axis, lower, upper);
    return true;
}

bool ChartAxisRect::dragVertically(QCPAxis* axis, const QPointF& from, const QPointF& to, double speed)
{
    if (axis->scaleType() == QCPAxis::stLogarithmic) {
        const double ratio = axis->pixelToCoord(from.y()) / axis->pixelToCoord(to.y());
        setAxisRange(axis, m_startVertical.lower * ratio, m_startVertical.upper * ratio);
        return true;
    }
    const double diff = (axis->pixelToCoord(from.y()) - axis->pixelToCoord(to.y())) * speed;
    const double lower = m_startVertical.lower + diff;
    if (lower < lowerLimit(axis))
        return false;
    const double upper = m_startVertical.upper + diff;
    if (upper > upperLimit(axis))
        return false;
    setAxisRange(axis, lower, upper);
    return true;
}

void ChartAxisRect::mouseMoveEvent(QMouseEvent* event, const QPointF& startPos)
{
    if (!m_dragging || !parentPlot()->interactions().testFlag(QCP::iRangeDrag))
        return;
    const ChartPlot* plot = qobject_cast<ChartPlot*>(parentPlot());
    QCPAxis* pressed = plot ? plot->pressedAxis.data() : nullptr;
    const double speed = dragSpeed(event);
    if (rangeDrag().testFlag(Qt::Horizontal) && pressed
        && !dragHorizontally(pressed, startPos, event->pos(), speed))
        return;
    if (rangeDrag().testFlag(Qt::Vertical) && pressed && pressed->axisType() != QCPAxis::atBottom
        && !dragVertically(pressed, startPos, event->pos(), speed))
        return;
    if (rangeDrag() != Qt::Orientations()) {
        if (parentPlot()->noAntialiasingOnDrag())
            parentPlot()->setNotAntialiasedElements(QCP::aeAll);
        parentPlot()->replot(QCustomPlot::rpRefreshHint);
    }
}

void ChartAxisRect::mouseReleaseEvent(QMouseEvent* event, const QPointF&)
{
    m_dragging = false;
    if (parentPlot()->noAntialiasingOnDrag()) {
        parentPlot()->setAntialiasedElements(m_antialiasedBackup);
        parentPlot()->setNotAntialiasedElements(m_notAntialiasedBackup);
    }
    emit parentPlot()->mouseRelease(event);
}

void ChartAxisRect::finishPress(QMouseEvent* event, const QPointF& startPos)
{
    mouseReleaseEvent(event, startPos);
}

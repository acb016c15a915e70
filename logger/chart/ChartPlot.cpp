#include "ChartPlot.h"

#include "ChartAxis.h"
#include "ChartAxisRect.h"

#include <QRubberBand>
#include <QToolTip>

namespace {

// The rectangle between two mouse positions, as wide and high as the mouse travelled.
QRect spannedRect(const QPoint& a, const QPoint& b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QSize(std::abs(a.x() - b.x()), std::abs(a.y() - b.y())));
}

// Takes over what the library set up on its own default axis.
void copyAxisSetup(const QCPAxis* from, ChartAxis* to)
{
    to->setLayer(from->layer());
    to->grid()->setLayer(from->grid()->layer());
    to->setVisible(from->visible());
    to->grid()->setVisible(from->grid()->visible());
    to->grid()->setSubGridVisible(from->grid()->subGridVisible());
    to->grid()->setPen(from->grid()->pen());
    to->grid()->setZeroLinePen(from->grid()->zeroLinePen());
    to->setLabelPadding(from->labelPadding());
    to->setSelectableParts(from->selectableParts());
    to->QCPAxis::setRange(from->range());
}

} // namespace

ChartPlot::ChartPlot(QWidget* parent)
    : QCustomPlot(parent)
{
    replaceDefaultAxisRect();
    // One paint buffer for the whole chart: the overlay layer (the zoom rectangle) is
    // drawn into the same buffer as the rest. Each replot then clears and composes one
    // window-sized buffer instead of two, which counts while a run replots five times
    // a second next to the instrument's reports.
    if (QCPLayer* overlay = layer(QStringLiteral("overlay")))
        overlay->setMode(QCPLayer::lmLogical);
}

ChartPlot::~ChartPlot() = default;

void ChartPlot::replaceDefaultAxisRect()
{
    QCPAxisRect* old = axisRect();
    auto* rect = new ChartAxisRect(this);
    rect->setLayer(old->layer());
    rect->setAutoMargins(old->autoMargins());
    rect->setMinimumMargins(old->minimumMargins());
    rect->setRangeDrag(old->rangeDrag());
    rect->setRangeZoom(old->rangeZoom());
    rect->setRangeZoomFactor(old->rangeZoomFactor(Qt::Horizontal), old->rangeZoomFactor(Qt::Vertical));
    for (const QCPAxis::AxisType type :
         {QCPAxis::atBottom, QCPAxis::atLeft, QCPAxis::atTop, QCPAxis::atRight}) {
        auto* axis = new ChartAxis(rect, type);
        copyAxisSetup(old->axis(type), axis);
        rect->addAxis(type, axis);
    }
    QCPLayoutInset* inset = old->insetLayout();
    for (int i = inset->elementCount() - 1; i >= 0; --i) {
        QCPLayoutElement* element = inset->elementAt(i);
        const Qt::Alignment alignment = inset->insetAlignment(i);
        inset->take(element);
        rect->insetLayout()->addElement(element, alignment);
    }
    plotLayout()->take(old);
    delete old;
    plotLayout()->addElement(0, 0, rect);

    xAxis = rect->axis(QCPAxis::atBottom);
    yAxis = rect->axis(QCPAxis::atLeft);
    xAxis2 = rect->axis(QCPAxis::atTop);
    yAxis2 = rect->axis(QCPAxis::atRight);
    rect->setRangeDragAxes(xAxis, yAxis);
    rect->setRangeZoomAxes(xAxis, yAxis);
}

ChartAxisRect* ChartPlot::chartRect() const
{
    return qobject_cast<ChartAxisRect*>(axisRect());
}

ChartAxis* ChartPlot::keyAxis() const
{
    return chartAxis(xAxis);
}

QCPAxis* ChartPlot::axisAt(const QPointF& pos) const
{
    const QCPAxisRect* rect = axisRect();
    if (!rect)
        return nullptr;
    const QPoint point(int(pos.x()), int(pos.y()));
    for (const QCPAxis::AxisType type : {QCPAxis::atLeft, QCPAxis::atRight, QCPAxis::atBottom}) {
        for (QCPAxis* axis : rect->axes(type)) {
            if (!axis->visible())
                continue;
            const ChartAxis* chart = chartAxis(axis);
            const bool hit = chart ? chart->hitArea().contains(point)
                                   : axis->getPartAt(pos) != QCPAxis::spNone;
            if (hit)
                return axis;
        }
    }
    return nullptr;
}

void ChartPlot::noteTravel(const QPoint& pos)
{
    if ((pos - mMousePressPos).manhattanLength() >= clickTolerance)
        m_movedFar = true;
}

void ChartPlot::mousePressEvent(QMouseEvent* event)
{
    m_movedFar = false;
    pressedAxis = axisAt(event->position());
    if (pressedAxis) {
        setCursor(pressedAxis->axisType() == QCPAxis::atBottom ? Qt::PointingHandCursor
                                                               : Qt::SizeVerCursor);
    } else {
        if (!rubberBand)
            rubberBand = new QRubberBand(QRubberBand::Rectangle, this);
        rubberBand->setGeometry(QRect(event->pos(), QSize()));
        rubberBand->show();
        setCursor(Qt::CrossCursor);
    }
    QCustomPlot::mousePressEvent(event);
}

void ChartPlot::mouseMoveEvent(QMouseEvent* event)
{
    noteTravel(event->pos());
    if (rubberBand && rubberBand->isVisible()) {
        rubberBand->setGeometry(spannedRect(mMousePressPos, event->pos()));
        QWidget::mouseMoveEvent(event);
        return;
    }
    if (const QCPAxis* axis = axisAt(event->position())) {
        const bool timeAxis = axis->axisType() == QCPAxis::atBottom;
        if (event->modifiers() == Qt::ControlModifier) {
            setCursor(timeAxis ? Qt::PointingHandCursor : Qt::SizeVerCursor);
        } else {
            setCursor(mMouseEventLayerable ? Qt::ClosedHandCursor : Qt::PointingHandCursor);
            if (timeAxis)
                QToolTip::showText(event->globalPosition().toPoint(),
                                   tr("Use mouse to move time window left and right. Use mouse "
                                      "wheel to zoom in or zoom out the time window displayed"),
                                   this);
        }
    } else {
        setCursor(Qt::ArrowCursor);
    }
    QCustomPlot::mouseMoveEvent(event);
    mMouseHasMoved = m_movedFar;
}

void ChartPlot::zoomToRubberBand(const QRect& rect)
{
    for (QCPAxis* axis : axisRect()->axes()) {
        if (axis->axisType() == QCPAxis::atTop || !axis->visible())
            continue;
        double lower, upper;
        if (axis->axisType() == QCPAxis::atBottom) {
            lower = axis->pixelToCoord(rect.left());
            upper = axis->pixelToCoord(rect.left() + rect.width());
        } else {
            lower = axis->pixelToCoord(rect.top() + rect.height());
            upper = axis->pixelToCoord(rect.top());
        }
        if (ChartAxis* chart = chartAxis(axis))
            chart->setRange(lower, upper);
        else
            axis->setRange(lower, upper);
    }
}

void ChartPlot::mouseReleaseEvent(QMouseEvent* event)
{
    noteTravel(event->pos());
    if (rubberBand && rubberBand->isVisible()) {
        rubberBand->hide();
        const QRect band = spannedRect(mMousePressPos, event->pos());
        if (band.width() >= minimumZoomRect && band.height() >= minimumZoomRect) {
            zoomToRubberBand(band);
            if (auto* rect = qobject_cast<ChartAxisRect*>(mMouseEventLayerable.data()))
                rect->finishPress(event, mMousePressPos);
            mMouseEventLayerable = nullptr;
            pressedAxis = nullptr;
            replot(rpRefreshHint);
            QWidget::mouseReleaseEvent(event);
            setCursor(Qt::ArrowCursor);
            return;
        }
    }
    mMouseHasMoved = m_movedFar;
    QCustomPlot::mouseReleaseEvent(event);
    pressedAxis = nullptr;
    setCursor(Qt::ArrowCursor);
}

void ChartPlot::wheelEvent(QWheelEvent* event)
{
    // The owner zooms the axis under the mouse; the library's own wheel zoom stays off.
    emit mouseWheel(event);
    QWidget::wheelEvent(event);
}

#include "ChartAxis.h"

#include "ChartAxisPainter.h"
#include "ChartTicker.h"

#include <QFontMetrics>
#include <QSignalBlocker>

ChartAxis::ChartAxis(QCPAxisRect* rect, AxisType type)
    : QCPAxis(rect, type)
    , m_ticker(new ChartTicker(this))
{
    // The library's painter already holds this axis's drawing settings; ours takes them over.
    ChartAxisPainter* painter = new ChartAxisPainter(parentPlot(), *mAxisPainter);
    delete mAxisPainter;
    mAxisPainter = painter;
    setTicker(m_ticker);
    connect(this, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            &ChartAxis::keepInsideLimits);
}

ChartAxis::~ChartAxis() = default;

ChartAxisPainter* ChartAxis::chartPainter() const
{
    return static_cast<ChartAxisPainter*>(mAxisPainter);
}

void ChartAxis::applyRange(const QCPRange& range)
{
    QCPAxis::setRange(adjustRange(range));
}

void ChartAxis::setRange(const QCPRange& range)
{
    if (range == this->range())
        return;
    if (const auto limited = AxisRules::limitedRange(range, m_rangeMin, m_rangeMax))
        applyRange(*limited);
}

void ChartAxis::setRange(double lower, double upper)
{
    setRange(QCPRange(lower, upper));
}

void ChartAxis::keepInsideLimits(const QCPRange& newRange)
{
    // Paths of the library that bypass setRange above (moving, rescaling, one-sided
    // setters) end here; an out-of-limit result is pulled back at once.
    if (m_pullingBack || (newRange.lower >= m_rangeMin && newRange.upper <= m_rangeMax))
        return;
    m_pullingBack = true;
    applyRange(AxisRules::rangeInsideLimits(newRange, m_rangeMin, m_rangeMax));
    m_pullingBack = false;
}

void ChartAxis::scaleRange(double factor, double center)
{
    const QCPRange before = range();
    {
        const QSignalBlocker blocker(this);
        if (scaleType() == stLinear) {
            const auto zoomed = AxisRules::zoomedRange(before, factor, center, m_rangeMin, m_rangeMax);
            if (!zoomed)
                return;
            QCPAxis::setRange(*zoomed);
        } else {
            QCPAxis::scaleRange(factor, center);
        }
        QCPAxis::setRange(adjustScaledRange(range()));
    }
    // Every accepted zoom is announced, also one that the limits left unchanged.
    emit rangeChanged(range());
    emit rangeChanged(range(), before);
}

void ChartAxis::scaleRange(double factor)
{
    scaleRange(factor, range().center());
}

QCPRange ChartAxis::adjustRange(const QCPRange& range)
{
    return range;
}

QCPRange ChartAxis::adjustScaledRange(const QCPRange& range)
{
    return range;
}

void ChartAxis::setAutoTickCount(int count)
{
    m_ticker->setTickCount(count);
}

QPair<int, int> ChartAxis::visibleTickRange()
{
    const AxisRules::TickBounds bounds = AxisRules::visibleTickBounds(m_ticks, range());
    return {bounds.lowest, bounds.highest};
}

void ChartAxis::generateSubTicks(int count)
{
    m_subTickCount = count;
    m_subTicks = AxisRules::subTickPositions(m_ticks, count, range(),
                                             AxisRules::visibleTickBounds(m_ticks, range()));
}

void ChartAxis::generateTickLabels()
{
    m_labels.resize(m_ticks.size());
    const auto [lowest, highest] = visibleTickRange();
    const int divisor = highest >= lowest ? AxisRules::labelDivisor(m_ticks[highest]) : 1;
    const QLocale locale = parentPlot()->locale();
    for (int i = lowest; i <= highest; ++i)
        m_labels[i] = AxisRules::numberTickLabel(m_ticks[i], divisor, locale);
    emit axisUnitChanged(this, divisor, m_ticks, m_labels);
}

ChartAxis::TickSet ChartAxis::setupTicks(const QList<double>& proposedTicks, int proposedSubTickCount)
{
    m_ticks = proposedTicks;
    m_labels.clear();
    TickSet set;
    if (m_ticks.isEmpty()) {
        m_subTicks.clear();
        return set;
    }
    generateSubTicks(m_autoSubTicks ? proposedSubTickCount : m_subTickCount);
    generateTickLabels();

    // Receivers may have replaced the ticks and labels; keep the two lists in step.
    m_labels.resize(m_ticks.size());
    const auto [lowest, highest] = visibleTickRange();
    m_firstDrawnTick = lowest;
    for (int i = lowest; i <= highest; ++i) {
        set.ticks.append(m_ticks[i]);
        set.labels.append(m_labels[i]);
    }
    set.subTicks = m_subTicks;
    return set;
}

QString ChartAxis::startArrow() const
{
    const QFontMetrics metrics(labelFont());
    return AxisRules::startArrow([&metrics](char32_t c) { return metrics.inFontUcs4(uint(c)); });
}

void ChartAxis::setUseTickLabelMap(bool use)
{
    m_useTickLabelMap = use;
    chartPainter()->setLabelRows(use, {});
}

void ChartAxis::setThinTickLabels(bool thin)
{
    chartPainter()->setThinning(thin);
}

void ChartAxis::draw(QCPPainter* painter)
{
    if (m_useTickLabelMap && mTicks && mTickLabels) {
        // The map is keyed by tick index; the painter needs the place in the drawn list.
        QMap<int, QString> positionMap;
        for (int drawn = 0; drawn < mTickVectorLabels.size(); ++drawn) {
            if (mTickVectorLabels[drawn].isEmpty())
                positionMap.insert(drawn, tickLabelMap.value(m_firstDrawnTick + drawn));
        }
        if (tickLabelMap.contains(-1))
            positionMap.insert(-1, tickLabelMap.value(-1));
        chartPainter()->setLabelRows(true, positionMap);
    } else {
        chartPainter()->setLabelRows(m_useTickLabelMap, {});
    }
    QCPAxis::draw(painter);
}

int ChartAxis::calculateMargin()
{
    int margin = QCPAxis::calculateMargin();
    if (m_useTickLabelMap && visible() && mTickLabels && orientation() == Qt::Horizontal)
        margin += chartPainter()->secondRowHeight();
    return margin;
}

QRect ChartAxis::hitArea() const
{
    QRect area;
    for (const QRect& box : {mAxisPainter->axisSelectionBox(), mAxisPainter->tickLabelsSelectionBox(),
                             mAxisPainter->labelSelectionBox()}) {
        if (!box.isEmpty())
            area = area.united(box);
    }
    return area;
}

void ChartAxis::mousePressEvent(QMouseEvent* event, const QVariant&)
{
    event->ignore();
}

void ChartAxis::mouseMoveEvent(QMouseEvent* event, const QPointF&)
{
    event->ignore();
}

void ChartAxis::mouseReleaseEvent(QMouseEvent* event, const QPointF&)
{
    event->ignore();
}

void ChartAxis::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

Axis::~Axis() = default;

AxisPower::AxisPower(QCPAxisRect* rect, AxisType type, int channel)
    : ChartAxis(rect, type)
    , channel(channel)
{
}

AxisPower::~AxisPower() = default;

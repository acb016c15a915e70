#include "MarkerLine.h"

#include "MarkerBar.h"

MarkerLine::MarkerLine(MarkerBar* bar, QCustomPlot* plot)
    : QCPAbstractItem(plot)
    , m_bar(bar)
{
}

MarkerLine::~MarkerLine() = default;

double MarkerLine::selectTest(const QPointF&, bool, QVariant*) const
{
    return -1;
}

void MarkerLine::draw(QCPPainter* painter)
{
    if (!m_bar || m_bar->isHidden())
        return;
    const QRect area = clipRect();
    painter->save();
    for (int i = 0; i < m_bar->markerCount(); ++i) {
        const Marker* marker = m_bar->marker(i);
        painter->setPen(marker->color);
        painter->drawLine(QLineF(marker->x, area.top(), marker->x, area.bottom()));
    }
    painter->restore();
}

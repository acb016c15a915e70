#include "ChartTitleItem.h"

#include "CaptureTitle.h"

namespace {
constexpr int axisClearance = 8;
} // namespace

ChartTitleItem::ChartTitleItem(QCustomPlot* plot)
    : QCPItemText(plot)
{
}

QString ChartTitleItem::shownText() const
{
    const QCPAxisRect* rect = position->axisRect();
    if (!rect)
        return text();
    return wrapTitle(text(), QFontMetrics(font()), rect->width() - axisClearance);
}

void ChartTitleItem::draw(QCPPainter* painter)
{
    const QString whole = text();
    setText(shownText());
    QCPItemText::draw(painter);
    setText(whole);
}

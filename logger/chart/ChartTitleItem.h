#pragma once

#include <qcustomplot.h>

// The title of a capture tab: it keeps its whole text and draws it broken between words
// into lines that fit the width of its axis rect, less a few pixels clear of the axes.
class ChartTitleItem : public QCPItemText
{
public:
    explicit ChartTitleItem(QCustomPlot* plot);

    // The lines as drawn at the axis rect's present width.
    QString shownText() const;

protected:
    void draw(QCPPainter* painter) override;
};

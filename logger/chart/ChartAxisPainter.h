#pragma once

#include "AxisRules.h"

#include <qcustomplot.h>

#include <QMap>

// The axis painter of the chart axes. Besides the library's drawing it thins the tick
// labels of the time axis and draws its second label row, and it turns the titles of
// right-hand axes so that they read upwards like those on the left.
class ChartAxisPainter : public QCPAxisPainterPrivate
{
public:
    // Takes over every drawing setting of `previous`, the painter the axis was made with.
    ChartAxisPainter(QCustomPlot* parentPlot, const QCPAxisPainterPrivate& previous);

    // Label rows for the next draw: with `enabled` the first row is thinned and
    // `positionMap` (keyed by the label's place in the drawn list, -1 = axis start)
    // fills the second row.
    void setLabelRows(bool enabled, const QMap<int, QString>& positionMap);
    bool labelRowsEnabled() const { return m_rowsEnabled; }
    // Thins the tick labels as the first of the label rows, also without the rows.
    void setThinning(bool thin) { m_thinning = thin; }
    // Height the second label row needs beyond the library's margin.
    int secondRowHeight() const;

    void draw(QCPPainter* painter) override;

protected:
    void placeTickLabel(QCPPainter* painter, double position, int distanceToAxis,
                        const QString& text, QSize* tickLabelsSize) override;

private:
    void drawSecondRow(QCPPainter* painter);
    void drawUpwardTitle(QCPPainter* painter, const QString& title);
    int outwardTickLength() const;
    int labelWidth(const QFont& font, const QString& text) const;

    bool m_rowsEnabled = false;
    bool m_thinning = false;
    QMap<int, QString> m_positionMap;
    AxisRules::LabelThinning m_placedLabels;
    QSize m_tickLabelsSize;
};

#pragma once

#include <qcustomplot.h>

#include <QPointer>

class MarkerBar;

// The markers of the marker bar drawn as vertical lines across a chart's first axis
// rect, in their colours. The lines show only while the bar is shown, and can never be
// hit or selected.
class MarkerLine : public QCPAbstractItem
{
    Q_OBJECT
public:
    MarkerLine(MarkerBar* bar, QCustomPlot* plot);
    ~MarkerLine() override;

    double selectTest(const QPointF& pos, bool onlySelectable, QVariant* details = nullptr) const override;

protected:
    void draw(QCPPainter* painter) override;

private:
    QPointer<MarkerBar> m_bar;
};

#pragma once

#include <qcustomplot.h>

#include <QPointer>

class ChartAxis;

// Ticker of a chart axis: proposes the ticks and the automatic sub-tick count as the
// library would, and leaves sub-ticks and labels to its axis.
class ChartTicker : public QCPAxisTicker
{
public:
    explicit ChartTicker(ChartAxis* axis);

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks,
                  QVector<QString>* tickLabels) override;

private:
    QPointer<ChartAxis> m_axis;
};

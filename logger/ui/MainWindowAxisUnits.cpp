// The main window's answer to the chart axes' unit changes: whenever an axis generates
// its tick labels it says by what it divided them (1, 1000, 1000000); the value axes'
// titles are rewritten to name that unit, and the time axis gets labels relative to
// anchor ticks that carry the absolute time.

#include "MainWindow.h"

#include "AxisUnits.h"
#include "ChannelInfo.h"
#include "ChartAxis.h"
#include "GLWidget.h"
#include "TemperatureScale.h"
#include "UnitFormat.h"

#include <QRegularExpression>

namespace {
// The analyzer channel a value axis shows: the current axis is channel 0, the plot's
// second right axis channel 2 and any other right axis channel 1; -1 for the rest (the
// hidden axis of the cursor line).
int analyzerChannelOf(QCPAxis* axis)
{
    if (qobject_cast<Axis*>(axis))
        return 0;
    if (axis->axisType() != QCPAxis::atRight)
        return -1;
    return axis == axis->parentPlot()->yAxis2 ? 2 : 1;
}

// The axis title without its unit: everything before the last ", ".
QString titleWithoutUnit(const QString& title)
{
    const int comma = title.lastIndexOf(QStringLiteral(", "));
    return comma < 0 ? title : title.left(comma);
}

void setValueAxisTitle(QCPAxis* axis, const QString& title)
{
    axis->setLabel(title);
    QCustomPlot* plot = axis->parentPlot();
    for (int i = 0; i < plot->graphCount(); ++i) {
        if (plot->graph(i)->valueAxis() == axis)
            plot->graph(i)->setName(title);
    }
}
} // namespace

void MainWindow::connectAxisUnits(GLWidget* chart)
{
    if (!chart || !chart->plot)
        return;
    const QList<QCPAxis*> axes = chart->plot->axisRect()->axes();
    for (QCPAxis* axis : axes) {
        ChartAxis* chartAxis = ::chartAxis(axis);
        if (!chartAxis)
            continue;
        // The time axis's labels are relative; its anchors need the second label row.
        if (axis == chart->plot->xAxis)
            chartAxis->setUseTickLabelMap(true);
        connect(chartAxis, &ChartAxis::axisUnitChanged, this, &MainWindow::on_axisUnitChanged,
                Qt::UniqueConnection);
    }
}

void MainWindow::on_axisUnitChanged(QCPAxis* axis, int _upper, QList<double>& mTickVector,
                                    QList<QString>& tickVectorLabels)
{
    if (!axis || !axis->parentPlot())
        return;
    QCustomPlot* plot = axis->parentPlot();

    if (axis == plot->xAxis) {
        QList<double> ticks;
        double step = 0;
        keyAxisTicks(axis->range(), ticks, step);
        if (ticks.size() < 2)
            return;
        mTickVector = ticks;
        m_timePrecision = 3;
        tickVectorLabels.clear();
        QMap<int, QString> anchors;
        ChartAxis* key = chartAxis(axis);
        // The anchors are kept only on a chart axis, which draws them.
        timeTickLabels(step, mTickVector, tickVectorLabels, anchors, key ? key->startArrow() : QString(),
                       axis->range().lower);
        if (key) {
            key->generateSubTicks(keyAxisSubTickCount(step));
            key->tickLabelMap = anchors;
        }
        axis->setLabel(QString());
        return;
    }

    if (auto* supplyAxis = qobject_cast<AxisPower*>(axis)) {
        const ChannelInfo info(quint8(supplyAxis->channel));
        const QString name = channelTable.contains(quint8(supplyAxis->channel))
                                 ? QStringLiteral("#%1: %2").arg(supplyAxis->channel).arg(info.name())
                                 : titleWithoutUnit(axis->label());
        const QString unit = unitInScale(supplyAxis->channel, info.unit(), supplyAxis->fahrenheit);
        setValueAxisTitle(axis, supplyAxisTitle(name, unit, _upper));
        return;
    }

    const int channel = analyzerChannelOf(axis);
    if (channel < 0)
        return;
    // A log opened without the analyzer keeps the channel's name from its title.
    QString name;
    if (channelTable.contains(quint8(channel))) {
        name = ChannelInfo(quint8(channel)).name();
    } else {
        name = titleWithoutUnit(axis->label());
        name.remove(QRegularExpression(QStringLiteral("^#\\d+: ")));
    }
    setValueAxisTitle(axis, analyzerAxisTitle(channel, name, _upper));
}

// The mouse on the current chart: the values under the pointer, the wheel zoom of one
// axis, double clicks that fit or reset axes, and the window read once a drag past the
// loaded records is let go.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ChannelInfo.h"
#include "ChartAxis.h"
#include "MarkerBar.h"
#include "NavigationBar.h"
#include "ReportBar.h"
#include "ChartColors.h"
#include "ChartNavigation.h"
#include "ChartPlot.h"
#include "GLWidget.h"
#include "LoggerState.h"
#include "PopUp.h"
#include "SwapFile.h"
#include "TemperatureScale.h"
#include "UnitFormat.h"

#include <QDebug>
#include <QLabel>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
constexpr double rightAxisLower = -100;
constexpr double rightAxisUpper = 5500;
// The widest window a zoom reads from the swap file: the longest viewing interval.
constexpr double longestReadWindow = 1800;

// "#n: --" for a missing value, else the value in the unit its size calls for.
QString analyzerValueText(int channel, const QList<double>& values, bool current)
{
    const QString none = QStringLiteral("#%1: --").arg(channel);
    if (channel >= values.size() || std::isnan(values[channel]))
        return none;
    const double value = values[channel];
    const int scale = unitScale(value);
    return QStringLiteral("#%1: %2%3")
        .arg(channel)
        .arg(value / scale, 0, 'f', 2)
        .arg(current ? currentUnit(scale) : voltageUnit(scale));
}

// The text of a supply channel's unit: what its description holds before the first ",".
QString supplyUnit(const ChannelInfo& info)
{
    const QString text = info.infoText();
    return text.contains(QLatin1Char(',')) ? text.section(QLatin1Char(','), 0, 0) : QString();
}
} // namespace

void MainWindow::on_mouseMove(QMouseEvent* event)
{
    if (!event || (event->buttons() & Qt::LeftButton) || measuringActive)
        return;
    GLWidget* chart = currentChart();
    if (!chart || !chart->plot || chart->channelMaps.isEmpty())
        return;
    const double t = chart->plot->xAxis->pixelToCoord(event->position().x());
    if (std::isnan(t))
        return;

    double snapped = -1;
    QList<double> values;
    for (const ChannelMap& map : std::as_const(chart->channelMaps)) {
        if (snapped < 0 && map && !map->isEmpty())
            snapped = nearestKey(*map, t);
        values << (map ? valueAtKey(*map, snapped) : std::nan(""));
    }
    const QString timeText = snapped < 0 ? QStringLiteral("--") : formatTime(snapped, true, m_timePrecision);

    if (powerMode()) {
        showSupplyReadout(chart, values, snapped < 0 ? QString() : timeText);
    } else {
        m_valueLabel->setText(valueText(analyzerValueText(0, values, true), analyzerValueText(1, values, false),
                                        analyzerValueText(2, values, false), timeText));
    }

    // The cursor line is the plot's last graph, drawn over the whole height.
    QCustomPlot* plot = chart->plot;
    if (plot->graphCount() > chart->channelMaps.size()) {
        QCPGraph* cursor = plot->graph(plot->graphCount() - 1);
        cursor->data()->clear();
        if (snapped >= 0) {
            cursor->addData(snapped, 0);
            cursor->addData(snapped, 1);
        }
    }
    chart->repaint();
}

QString MainWindow::supplyReadoutHead() const
{
    return QStringLiteral("<font color=%1>").arg(m_dark ? QStringLiteral("white") : QStringLiteral("black"))
        + tr("Time: ");
}

void MainWindow::showSupplyReadout(GLWidget* chart, const QList<double>& values, const QString& timeText)
{
    const QString fontColor = QStringLiteral("<font color=%1>");
    const QString head = supplyReadoutHead();
    QString line = head + (timeText.isEmpty() ? QStringLiteral("--") : timeText);
    QString hint = head + timeText + QStringLiteral("<br>");
    const QList<int>& channels = chart->swapFile ? chart->swapFile->channelList() : QList<int>();
    // Temperatures carry the scale the tab's log was recorded in, not the panel's choice
    // of now: a reopened log's header, or the header its run wrote when it started.
    const bool fahrenheit = chart->swapFile && chart->swapFile->header().fahrenheit == 1;
    // The log's channel list may name more channels than the chart has maps for.
    for (int i = 0; i < channels.size() && i < values.size(); ++i) {
        const int number = channels[i];
        const ChannelInfo info{quint8(number)};
        const QString value = QString::number(values[i], 'f', info.precision);
        const QString colour = fontColor.arg(chartColor(number).name());
        const QString unit = unitInScale(number, supplyUnit(info), fahrenheit);
        line += colour + QStringLiteral(", #%1: %2%3").arg(number).arg(value, unit);
        hint += colour + QStringLiteral("#%1: %2%3").arg(number).arg(value, unit) + QStringLiteral("<br>");
    }
    m_valueLabel->setText(line);
    m_popUp->setPopupText(hint);
}

void MainWindow::on_mouseRelease(QMouseEvent*)
{
    if (m_borderPending) {
        m_borderPending = false;
        moveToBorderRequest(m_borderLower, m_borderUpper);
    }
    // A drag left the working-cycle average alone while it went on; the settled range
    // gets its full figures now.
    if (m_calculatorDeferred) {
        m_calculatorDeferred = false;
        fillCalculator();
    }
}

void MainWindow::on_mouseWheel(QWheelEvent* event)
{
    if (!event || measuringActive)
        return;
    auto* plot = qobject_cast<ChartPlot*>(currentPlot());
    if (!plot || !plot->interactions().testFlag(QCP::iRangeZoom))
        return;
    QCPAxis* axis = plot->axisAt(event->position());
    if (!axis)
        axis = plot->axisRect()->axis(QCPAxis::atBottom);
    ChartAxis* zoomed = chartAxis(axis);
    if (!zoomed)
        return;
    const bool keyAxis = axis->orientation() == Qt::Horizontal;
    const double base = plot->axisRect()->rangeZoomFactor(keyAxis ? Qt::Horizontal : Qt::Vertical);
    const double factor = std::pow(base, event->angleDelta().y() / 120.0);
    const double centre = axis->pixelToCoord(keyAxis ? event->position().x() : event->position().y());
    if (keyAxis && zoomReachesBeyondRecords(zoomed, factor, centre))
        return;
    zoomed->scaleRange(factor, centre);
    plot->replot(QCustomPlot::rpRefreshHint);
}

// Zooming the time axis out past the loaded records reads the records around the
// zoomed range first: a window as wide as the range asked for, at least the viewing
// interval and at most the longest one offered.
bool MainWindow::zoomReachesBeyondRecords(ChartAxis* key, double factor, double centre)
{
    GLWidget* chart = currentChart();
    if (!chart || !chart->swapFile)
        return false;
    const QCPRange now = key->range();
    QCPRange wanted((now.lower - centre) * factor + centre, (now.upper - centre) * factor + centre);
    if (wanted.lower >= key->rangeMin() && wanted.upper <= key->rangeMax())
        return false;
    if (key->rangeMin() <= 0 && key->rangeMax() >= chart->swapFile->endTime())
        return false; // the whole record is loaded already
    const double width = std::clamp(wanted.size(), double(m_viewingInterval),
                                    std::max(double(m_viewingInterval), longestReadWindow));
    if (!readKeyWindow(chart, std::max(wanted.center(), width / 2), width))
        return false;
    key->setRange(wanted);
    reRangeAxis(true);
    return true;
}

bool MainWindow::readKeyWindow(GLWidget* chart, double centre, double width)
{
    if (!readChartWindow(chart, centre, width))
        return false;
    if (ChartAxis* key = chartAxis(chart->plot->xAxis)) {
        const QCPRange data = chart->dataRange();
        key->setRangeMin(data.lower);
        key->setRangeMax(data.upper);
    }
    return true;
}

void MainWindow::on_axisDoubleClick(QCPAxis* axis, QCPAxis::SelectablePart, QMouseEvent* event)
{
    if (!axis || measuringActive)
        return;
    ChartAxis* target = chartAxis(axis);
    if (qobject_cast<AxisPower*>(axis)) {
        fitToGraphs(target);
        axis->parentPlot()->replot(QCustomPlot::rpRefreshHint);
        return;
    }
    switch (axis->axisType()) {
    case QCPAxis::atBottom: {
        const double t = event ? axis->pixelToCoord(event->position().x()) : axis->range().center();
        const double lower = std::max(0.0, t - 5);
        if (target)
            target->setRange(lower, lower + 10);
        else
            axis->setRange(lower, lower + 10);
        break;
    }
    case QCPAxis::atLeft:
        reRangeAxis(true);
        break;
    case QCPAxis::atRight:
        if (target)
            target->setRange(rightAxisLower, rightAxisUpper);
        else
            axis->setRange(rightAxisLower, rightAxisUpper);
        break;
    case QCPAxis::atTop:
        break;
    }
    if (axis->parentPlot())
        axis->parentPlot()->replot(QCustomPlot::rpRefreshHint);
}

void MainWindow::on_plottableDoubleClick(QCPAbstractPlottable*, int, QMouseEvent* event)
{
    QCustomPlot* plot = currentPlot();
    if (!plot)
        return;
    resetRightAxes(plot);
    on_axisDoubleClick(plot->axisRect()->axis(QCPAxis::atLeft), QCPAxis::spAxis, event);
}

// The first two right axes as a double click leaves them; the caller replots once.
void MainWindow::resetRightAxes(QCustomPlot* plot)
{
    const QList<QCPAxis*> right = plot->axisRect()->axes(QCPAxis::atRight);
    for (int i = 0; i < right.size() && i < 2; ++i) {
        ChartAxis* axis = chartAxis(right[i]);
        if (!axis)
            continue;
        if (qobject_cast<AxisPower*>(axis))
            fitToGraphs(axis);
        else
            axis->setRange(rightAxisLower, rightAxisUpper);
    }
}

// A supply axis carries one channel in that channel's own unit (V, A, C, Hz): the fixed
// millivolt span of the analyzer's voltage axes means nothing to it, so it fits its data.
void MainWindow::fitToGraphs(ChartAxis* axis)
{
    QCustomPlot* plot = axis->parentPlot();
    for (int i = 0; i < plot->graphCount(); ++i) {
        QCPGraph* graph = plot->graph(i);
        if (graph->valueAxis() != axis)
            continue;
        const QCPRange range = axis->adjustRange(valueRangeOf(graph->data().data(), plot->xAxis->range()));
        if (range.size() != 0)
            axis->setRange(range);
    }
}

// The battery-life calculator as the main window sees it: opening it from the tool bar
// and filling its averages from the current capture tab.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "Calculator.h"
#include "MarkerBar.h"
#include "RangeStatistics.h"
#include "ReportBar.h"
#include "GLWidget.h"
#include "LoggerState.h"
#include "SwapFile.h"

#include <cfloat>
#include <cmath>

namespace {
// The mean of a channel's loaded points within [lower, upper]; NaN when none lies there.
double mapAverage(const ChannelMap& map, double lower, double upper)
{
    double sum = 0;
    qint64 count = 0;
    for (auto it = map->findBegin(lower, false); it != map->constEnd() && it->key <= upper; ++it) {
        sum += it->value;
        ++count;
    }
    return count ? sum / count : std::nan("");
}
} // namespace

// The stretch between the two time markers, averaged over the loaded points.
void MainWindow::fillFromMarkers(GLWidget* chart, CalculatorInfo& record) const
{
    const Marker* first = ui->markerBar->marker(0);
    const Marker* second = ui->markerBar->marker(1);
    if (ui->markerBar->isHidden() || !first || !second) {
        record.status = CalculatorInfo::MarkersHidden;
        return;
    }
    if (first->time == second->time) {
        record.status = CalculatorInfo::MarkersTooClose;
        return;
    }
    record.start = first->time;
    record.end = second->time;
    ChannelStatistics statistics = freshStatistics();
    channelStatistics(chart, QCPRange(std::min(record.start, record.end), std::max(record.start, record.end)),
                      statistics);
    record.status = CalculatorInfo::Valid;
    record.current = statistics.channel[0].average / 1000;
}

Calculator* MainWindow::findCalculator() const
{
    return findChild<Calculator*>(QStringLiteral("Calculator"));
}

void MainWindow::openCalculator()
{
    if (measuringActive)
        return;
    ui->reportBar->updateReport(currentChart(), true);
    Calculator* calculator = findCalculator();
    if (!calculator) {
        calculator = new Calculator(this);
        connect(calculator, &Calculator::updateInfo, this, &MainWindow::on_updateCalculator);
        fillCalculator();
    }
    calculator->show();
}

void MainWindow::on_updateCalculator()
{
    fillCalculator();
}

void MainWindow::fillCalculator(bool readWorkingCycle)
{
    Calculator* calculator = findCalculator();
    if (!calculator)
        return;
    QList<CalculatorInfo>& records = calculator->infoList;
    GLWidget* chart = currentChart();
    // Only the analyzer's channel 0 is a current to estimate from; a supply log's first
    // channel is another quantity.
    if (!chart || chart->isEmpty() || !chart->swapFile
        || chart->swapFile->header().deviceKind != LogFormat::Analyzer
        || !(chart->swapFile->header().channelMask & 0x01) || chart->channelMaps.isEmpty()) {
        records[CalculatorInfo::ByMarkers].status = CalculatorInfo::EmptyLog;
        calculator->recalculate(records);
        return;
    }
    const ChannelMap& current = chart->channelMaps.first();
    for (CalculatorInfo& record : records) {
        switch (record.type) {
        case CalculatorInfo::ByMarkers:
            fillFromMarkers(chart, record);
            break;
        case CalculatorInfo::VisibleArea: {
            const QCPRange range = chart->plot->xAxis->range();
            record.start = range.lower;
            record.end = range.upper;
            record.current = mapAverage(current, range.lower, range.upper) / 1000;
            record.status = CalculatorInfo::Valid;
            break;
        }
        case CalculatorInfo::WholePeriod:
            record.start = chart->statistics.lowerKey;
            record.end = chart->statistics.latestKey;
            record.current = chart->statistics.channel[0].average / 1000;
            record.status = CalculatorInfo::Valid;
            break;
        case CalculatorInfo::WorkingCycle: {
            if (!readWorkingCycle)
                break;
            if (record.start == record.end)
                setWorkingCycleWindow(record, records[CalculatorInfo::WholePeriod], 1.0);
            const double average = chart->swapFile->channelAverage(QCPRange(record.start, record.end), 0);
            if (average == DBL_MAX) {
                record.status = CalculatorInfo::EmptyLog;
                calculator->recalculate(records);
                return;
            }
            record.status = CalculatorInfo::Valid;
            record.current = average / 1000;
            break;
        }
        case CalculatorInfo::UserDefined:
            break;
        }
    }
    calculator->recalculate(records);
}

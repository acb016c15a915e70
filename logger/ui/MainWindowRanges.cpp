// Range changes of the current chart and the time windows read from its swap file: the
// window after a drag past the loaded records, "Show", the two time combos, navigation
// clicks, the key axis centred on a time, and what follows a new time range (axis
// titles, report bar, markers, calculator).
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ChartAxis.h"
#include "MarkerBar.h"
#include "NavigationBar.h"
#include "ReportBar.h"
#include "ChartNavigation.h"
#include "ChartPlot.h"
#include "GLWidget.h"
#include "InputDialogs.h"
#include "LoggerState.h"
#include "Settings.h"
#include "StatusPanel.h"
#include "SwapFile.h"
#include "UnitFormat.h"

#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace {
constexpr int customIntervalIndex = 7;
constexpr int customTimeIndex = 4;
// A window read after a drag is centred at least this far into the record.
constexpr double minimumBorderCentre = 5;

QString titleBeforeUnit(const QCPAxis* axis)
{
    return axis->label().section(QLatin1Char(','), 0, 0);
}

// Asks for the value of a box's custom entry, offering the one the entry holds. Given,
// the entry holds and shows it; cancelled, the box shows again the entry chosen before,
// which stays the choice.
std::optional<int> askCustomValue(QWidget* parent, QComboBox* box, int index, int chosenBefore,
                                  const QString& label, int minimum, int maximum)
{
    const std::optional<int> value = askInteger(
        parent, {MainWindow::tr("Enter value"), label, box->itemData(index).toInt(), minimum, maximum, 1});
    if (!value) {
        box->setCurrentIndex(chosenBefore);
        return value;
    }
    box->setItemData(index, *value);
    box->setItemText(index, MainWindow::tr("Custom: ") + QString::number(*value));
    return value;
}

void setKeyRange(QCPAxis* key, const QCPRange& range)
{
    if (ChartAxis* axis = chartAxis(key))
        axis->setRange(range);
    else
        key->setRange(range);
}
} // namespace

void MainWindow::on_rangeBorderReached(double new_lo, double new_up)
{
    QCustomPlot* plot = currentPlot();
    if (!plot)
        return;
    m_borderPending = true;
    m_borderLower = new_lo;
    m_borderUpper = new_up;
    const QCPRange now = plot->xAxis->range();
    const ChartAxis* key = chartAxis(plot->xAxis);
    qDebug().noquote() << "on_rangeBorderReached"
                       << QStringLiteral("cur[%1, %2] wd: %8 new[%3, %4] bord[%5, %6] center: %7")
                              .arg(now.lower)
                              .arg(now.upper)
                              .arg(new_lo)
                              .arg(new_up)
                              .arg(key ? key->rangeMin() : 0)
                              .arg(key ? key->rangeMax() : 0)
                              .arg((new_lo + new_up) / 2)
                              .arg(now.size());
}

void MainWindow::moveToBorderRequest(double lower, double upper)
{
    GLWidget* chart = currentChart();
    if (!chart || !chart->plot || measuringActive)
        return;
    const double width = chart->plot->xAxis->range().size();
    const BorderMove move = borderMove(lower, upper, width, minimumBorderCentre);
    // Towards the start nothing needs reading when the loaded records begin there.
    if ((move.read || chart->dataRange().lower > 0) && chart->swapFile
        && !readKeyWindow(chart, move.centre, m_viewingInterval))
        return;
    centreKeyAxis(move.centre, width);
}

bool MainWindow::readChartWindow(GLWidget* chart, double centre, double width)
{
    SwapFile* file = chart->swapFile;
    const QString name = file ? file->fileName() : QString();
    if (!name.isEmpty() && !QFileInfo::exists(name)) {
        if (!chart->fileGoneReported)
            showError([name] { return tr("The file %1 no longer exists").arg(QDir::toNativeSeparators(name)); }, 0);
        chart->fileGoneReported = true;
        return false;
    }
    chart->fileGoneReported = false;
    chart->clearData();
    if (file)
        file->readWindow(centre, width, chart->channelMaps);
    return true;
}

void MainWindow::centreKeyAxis(double centre, double width)
{
    GLWidget* chart = currentChart();
    if (!chart || !chart->plot)
        return;
    QCustomPlot* plot = chart->plot;
    // A chart without points keeps its limits: there is nothing to hold the axis to.
    const bool hasData = !chart->isEmpty();
    const QCPRange data = chart->dataRange();
    ChartAxis* key = chartAxis(plot->xAxis);
    if (key && hasData) {
        key->setRangeMin(data.lower);
        key->setRangeMax(data.upper);
    }
    setKeyRange(plot->xAxis, centredKeyRange(centre, width, hasData ? data.upper : centre + width));
    resetRightAxes(plot);
    refitAndRepaint(chart);
}

// One repaint after the value axes are refitted: the current axis is refitted by the
// re-range, which repaints; supply charts have no such axis and repaint here.
void MainWindow::refitAndRepaint(GLWidget* chart)
{
    if (powerMode())
        chart->repaint();
    else
        reRangeAxis(true);
}

void MainWindow::on_swapPositionChanged(int start_time)
{
    GLWidget* chart = currentChart();
    if (measuringActive || !chart || !chart->plot)
        return;
    if (!readChartWindow(chart, start_time, m_viewingInterval))
        return;
    if (!chart->channelMaps.isEmpty())
        centreKeyAxis(start_time, chart->plot->xAxis->range().size());
}

void MainWindow::showCursorValues(double time)
{
    m_valueLabel->setText(valueText(QStringLiteral("#0: --"), QStringLiteral("#1: --"), QStringLiteral("#2: -- "),
                                    formatTime(time, true, 2)));
}

void MainWindow::on_showAll()
{
    GLWidget* chart = currentChart();
    if (measuringActive || !chart || !chart->plot)
        return;
    setKeyRange(chart->plot->xAxis, chart->dataRange());
    resetRightAxes(chart->plot);
    refitAndRepaint(chart);
}

void MainWindow::on_rangeChanged(const QCPRange& newRange, const QCPRange& oldRange, QCPAxis* axis)
{
    // Supply axes keep the titles of their own units, whichever supply the log is from.
    if (!axis || powerMode())
        return;
    QCustomPlot* plot = axis->parentPlot();
    if (qobject_cast<Axis*>(axis)) {
        const QString title = titleBeforeUnit(axis) + QStringLiteral(", ") + currentUnit(int(newRange.upper + 1));
        axis->setLabel(title);
        m_statusPanel->setChannelTexts(title, QString(), QString(), QString(), QString(), QString());
    } else if (axis->axisType() == QCPAxis::atRight) {
        const QString title = titleBeforeUnit(axis) + QStringLiteral(", ") + voltageUnit(int(newRange.upper + 1));
        axis->setLabel(title);
        if (plot && axis == plot->yAxis2) {
            QString caption = title;
            caption.replace(QStringLiteral("#1"), QStringLiteral("#2"));
            m_statusPanel->setChannelTexts(QString(), QString(), caption, QString(), QString(), QString());
        } else {
            m_statusPanel->setChannelTexts(QString(), title, QString(), QString(), QString(), QString());
        }
    } else if (plot && axis == plot->xAxis && !measuringActive) {
        if (ChartAxis* key = chartAxis(axis))
            key->generateTickLabels();
        GLWidget* chart = currentChart();
        if (ui->reportBar->isVisible())
            ui->reportBar->updateReport(chart, true);
        ui->markerBar->on_rangeChanged(newRange, oldRange, axis);
        refreshCalculatorForRange(plot);
    }
}

// While the time axis is being dragged the calculator follows with the figures of the
// loaded records; the average read from the swap file waits for the drag to settle.
void MainWindow::refreshCalculatorForRange(QCustomPlot* plot)
{
    if (!findCalculator())
        return;
    auto* chartPlot = qobject_cast<ChartPlot*>(plot);
    if (chartPlot && chartPlot->pressedAxis) {
        m_calculatorDeferred = true;
        fillCalculator(false);
        return;
    }
    fillCalculator();
}

void MainWindow::on_markerChanged()
{
    GLWidget* chart = currentChart();
    if (!chart)
        return;
    if (findCalculator())
        fillCalculator();
    chart->repaint();
}

void MainWindow::on_comboboxShowAllTimeAcivated(int index)
{
    if (index < 0 || index >= m_showAllCombo->count())
        return;
    const int before = m_viewingInterval;
    if (index == customIntervalIndex) {
        const std::optional<int> value =
            askCustomValue(this, m_showAllCombo, index, m_showAllIndex, tr("Viewing interval, sec "), 10, 1800);
        if (!value)
            return;
        m_viewingInterval = *value;
    } else {
        m_viewingInterval = m_showAllCombo->itemData(index).toInt();
    }
    m_showAllIndex = index;
    Settings settings;
    settings.setValue(QStringLiteral("Options/showall-length-index"), index);
    settings.setValue(QStringLiteral("Options/showall-length-sec"), m_viewingInterval);

    GLWidget* chart = currentChart();
    if (m_viewingInterval == before || !chart || chart->isEmpty() || !chart->plot || measuringActive)
        return;
    const double x = chart->plot->xAxis->range().lower;
    if (!readChartWindow(chart, x + m_viewingInterval * 0.5, m_viewingInterval))
        return;
    const QCPRange data = chart->dataRange();
    if (ChartAxis* key = chartAxis(chart->plot->xAxis)) {
        key->setRangeMin(data.lower);
        key->setRangeMax(data.upper);
    }
    setKeyRange(chart->plot->xAxis, data);
    resetRightAxes(chart->plot);
    refitAndRepaint(chart);
}

void MainWindow::on_comboboxTimeAcivated(int index)
{
    if (index < 0 || index >= m_timeCombo->count())
        return;
    if (index == customTimeIndex) {
        const std::optional<int> value =
            askCustomValue(this, m_timeCombo, index, m_timeIndex, tr("Measuring time,sec "), 1, 2147483647);
        if (!value)
            return;
        m_measuringTimeLimit = *value;
        Settings().setValue(QStringLiteral("Options/serie-length-sec"), *value);
    } else {
        m_measuringTimeLimit = m_timeCombo->itemData(index).toInt();
    }
    m_timeIndex = index;
    Settings().setValue(QStringLiteral("Options/time-length-index"), index);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    // The markers keep their times and move to the pixels that show them now.
    ui->markerBar->on_sizeChanged();
    QMainWindow::resizeEvent(event);
}

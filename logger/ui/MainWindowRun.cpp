// The analyzer run: start, sample dating and chart feeding, the flush of old points to
// the swap file, the measuring-time limit, stop and the reload of the last window.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ChartAxis.h"
#include "ChartNavigation.h"
#include "MarkerBar.h"
#include "NavigationBar.h"
#include "ReportBar.h"
#include "ControlPanel.h"
#include "DeviceControl.h"
#include "GLWidget.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "MeasureAll.h"
#include "OverCurrent.h"
#include "MarqueeLabel.h"
#include "OverCurrentBanner.h"
#include "PopUp.h"
#include "PowerPanel.h"
#include "ProgressDialog.h"
#include "SwapFile.h"
#include "SwapFileName.h"
#include "SwapFileWriter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {
void setTickLabelMap(QCustomPlot* plot)
{
    if (ChartAxis* key = plot ? chartAxis(plot->xAxis) : nullptr)
        key->setUseTickLabelMap(true);
}

void setInteractions(QCustomPlot* plot, Qt::Orientations orientations)
{
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    plot->axisRect()->setRangeDrag(orientations);
    plot->axisRect()->setRangeZoom(orientations);
}

// Waits for the flushes still on their way to the disk (the run is over, nothing more
// comes in) and puts the points it refused back into the chart, where the end of the
// run is written from.
void collectBackgroundWrites(GLWidget* chart)
{
    SwapFileWriter& writer = chart->swapFile->writer();
    writer.waitUntilIdle();
    QMutexLocker lock(&chart->mapMutex);
    writer.returnRefused(chart->channelMaps);
}

// The maps of the channels the run records get their memory for the whole run now.
void reserveLiveMaps(GLWidget* chart, const DeviceControl& control)
{
    const int points = liveMapPoints(control.sampleRate());
    QMutexLocker lock(&chart->mapMutex);
    for (int channel = 0; channel < chart->channelMaps.size(); ++channel)
        if (chart->channelMaps[channel] && (control.channelMask() & (1u << channel)))
            reserveLiveMap(*chart->channelMaps[channel], points);
}

// The run is over: the maps give back the room they held for it.
void releaseLiveMaps(GLWidget* chart)
{
    QMutexLocker lock(&chart->mapMutex);
    for (const ChannelMap& map : std::as_const(chart->channelMaps))
        if (map)
            releaseLiveMap(*map);
}

} // namespace

QString MainWindow::swapFileErrorText(int code)
{
    switch (code) {
    case 1: return tr("Wrong file version");
    case 2: return tr("Can't open file");
    case 3: return tr("Can't create output file");
    case 4: return tr("Can't save file");
    case 5: return tr("Can't remove file");
    case 6: return tr("Failed to write to file");
    case 7: return tr("Failed to read file");
    case 8: return tr("Wrong read length");
    case 9: return tr("File mapping error");
    case 11: return tr("Wrong channels number");
    default: return tr("Internal file error");
    }
}

void MainWindow::on_swapFileError(int code)
{
    m_lastSwapFileError = code;
    qDebug() << "on_swapFileError " + swapFileErrorText(code);
    showError([code] { return swapFileErrorText(code); }, 5000);
}

QString MainWindow::valueText(const QString& v0, const QString& v1, const QString& v2, const QString& time) const
{
    return m_valueTemplate.arg(v0, v1, v2, time);
}

void MainWindow::resetValueLabel()
{
    // A supply's readout names its own channels once the pointer is over them; until then
    // only the time, never the analyzer's three channels.
    if (powerMode()) {
        m_valueLabel->setText(supplyReadoutHead() + QStringLiteral("--"));
        return;
    }
    m_valueLabel->setText(valueText(QStringLiteral("#0: --"), QStringLiteral("#1: --"), QStringLiteral("#2: --"),
                                    QStringLiteral(" --")));
}

bool MainWindow::prepareRunFile(GLWidget* chart, const DeviceControl& control)
{
    QString base = ui->tabWidget->tabText(ui->tabWidget->indexOf(chart));
    base.remove(QLatin1Char('*'));
    m_lastSwapFileError = 0;
    if (!chart->swapFile->create(uniqueSwapFileName(base)))
        return false;
    chart->swapFile->writeHeader(control);
    if (m_lastSwapFileError != 0) {
        chart->swapFile->remove();
        return false;
    }
    return true;
}

void MainWindow::on_startMeasurement(DeviceControl& control)
{
    if (measuringActive) {
        terminateMeasuring();
        const bool enable = !m_controlPanel->isLoadPowerDisabled();
        setRunControlsEnabled(enable);
        setToolBarEnabled(enable, false);
        return;
    }
    // An opened log shows the analyzer's controls without an analyzer: a start would
    // wait for samples that never come.
    if (!m_hid->isOpen()) {
        showError([] { return tr("Device disconnected"); }, 0);
        return;
    }
    if (qPopulationCount(control.channelMask()) == 0) {
        showError([] { return tr("At least one channel should be selected."); }, 0);
        return;
    }

    // A run records into the fresh tab left for it; any tab that already holds a
    // capture keeps it, and the run opens a tab of its own.
    GLWidget* chart = currentChart();
    if (!m_newTab || !chart || !chart->isEmpty() || !chart->keepFile) {
        addCaptureTab();
        chart = currentChart();
        if (!chart)
            return;
        chart->addChannels({});
    }
    m_newTab = false;
    chart->deviceControl = control;
    if (!prepareRunFile(chart, control)) {
        // Nothing was sent: the tab stays empty for the next start.
        m_newTab = true;
        return;
    }

    m_sampleClock.restart(control.sampleRate());
    reserveLiveMaps(chart, control);
    chart->keepFile = false;
    const int index = ui->tabWidget->indexOf(chart);
    ui->tabWidget->setTabText(index, QLatin1Char('*') + ui->tabWidget->tabText(index));
    measuringActive = true;
    m_runChart = chart;
    measuringDeviceControl = control;

    QCustomPlot* plot = chart->plot;
    if (ChartAxis* key = chartAxis(plot->xAxis))
        key->setRange(0, 10);
    else
        plot->xAxis->setRange(0, 10);
    setTickLabelMap(plot);
    m_runStartMs = m_clock();
    setInteractions(plot, Qt::Horizontal);

    setRunControlsEnabled(false);
    setToolBarEnabled(false, false);
    m_controlPanel->setControlsEnabled(false);
    m_controlPanel->setMeasureControlsEnabled(false);
    m_controlPanel->enableStopButton();
    ui->navigationBar->clear();
    ui->navigationBar->disableControls();
    chart->updateTitle();
    ui->markerBar->update();

    resetValueLabel();
    m_popUp->hide();
    OverCurrent::instance()->reset();
    qInfo().noquote() << "Start: " + control.toString();
    // The stream fills the device's buffer within a fraction of a second: it is read
    // on a thread of its own while the window is busy.
    m_hid->setReadAhead(true);
    if (!firmwareUpdateActive)
        m_hid->send(control);
}

// The stop command is the last start command with the stop code.
DeviceControl MainWindow::stopCommand()
{
    DeviceControl stop(measuringDeviceControl);
    stop.setCommand(DeviceControl::CommandStop);
    return stop;
}

void MainWindow::on_stopButton()
{
    DeviceControl stop = stopCommand();
    emit stopMeasurement(stop);
}

void MainWindow::terminateMeasuring()
{
    qDebug() << "MainWindow::terminateMeasuring";
    DeviceControl stop = stopCommand();
    emit stopMeasurement(stop);
    measuringActive = false;
    setTickLabelMap(currentPlot());
}

void MainWindow::on_stopMeasurement(DeviceControl& control)
{
    GLWidget* chart = m_runChart;
    if (!chart || !chart->plot || !measuringActive)
        return;
    if (m_supplyRun) {
        stopSupplyRun();
        return;
    }
    if (!firmwareUpdateActive)
        m_hid->send(control);
    measuringActive = false;
    finishRun(chart);
}

// Both instruments end a run here. The analyzer's stream was read ahead into maps that
// kept their room for the run, and its file gets the overview, the bars and the
// calculator; a supply run ends on its panel and the pop-up.
void MainWindow::finishRun(GLWidget* chart)
{
    const bool supply = m_supplyRun;
    measuringActive = false;
    m_runChart = nullptr;
    m_supplyRun = false;
    if (!supply)
        m_hid->setReadAhead(false);
    m_limitStopQueued = false;
    if (supply && m_powerPanel)
        m_powerPanel->runFinished();
    if (!chart || !chart->plot)
        return;
    if (!supply)
        releaseLiveMaps(chart);
    SwapFile* file = chart->swapFile;
    if (!supply)
        qDebug() << "MainWindow::on_stopMeasurement call append";
    const bool tailWritten = writeRunTail(chart);
    if (!supply)
        qDebug() << "MainWindow::on_stopMeasurement append finished";
    if (!tailWritten) {
        // The disk refused the end of the run: the chart keeps what was not written and
        // the file stays without its report block, so that saving can still complete it.
        setInteractions(chart->plot, Qt::Horizontal | Qt::Vertical);
        restoreRunControls(supply);
        chart->repaint();
        return;
    }

    {
        ProgressDialog dialog(0, 100, chart);
        dialog.setWindowModality(Qt::WindowModal);
        dialog.show();
        QCoreApplication::processEvents();
        chart->updateTitle();
        if (!supply)
            file->decimateAll(&dialog);
        dialog.hide();
    }
    file->readWindow(file->endTime() - m_viewingInterval * 0.5, m_viewingInterval, chart->channelMaps);

    QCustomPlot* plot = chart->plot;
    if (ChartAxis* key = chartAxis(plot->xAxis)) {
        const QCPRange range = chart->dataRange();
        key->setRangeMin(range.lower);
        key->setRangeMax(range.upper);
        key->setUseTickLabelMap(true);
    }
    setInteractions(plot, Qt::Horizontal | Qt::Vertical);

    if (!supply && chart == currentChart()) {
        ui->navigationBar->setSwapFile(file);
        ui->navigationBar->enableControls();
        ui->markerBar->loadMarkers(chart);
    }
    restoreRunControls(supply);
    if (supply)
        m_popUp->show();
    fillCalculator();
    chart->repaint();
}

bool MainWindow::writeRunTail(GLWidget* chart)
{
    SwapFile* file = chart->swapFile;
    collectBackgroundWrites(chart);
    const qint64 before = file->recordsWritten();
    const bool appended = file->appendOnWorker(chart->channelMaps, false);
    if (!appended) {
        // What did reach the file leaves the chart; the rest is kept for the next try.
        const qint64 written = file->recordsWritten() - before;
        QMutexLocker lock(&chart->mapMutex);
        for (const ChannelMap& map : std::as_const(chart->channelMaps))
            if (map)
                removeFirstPoints(*map, written);
        chart->tailUnwritten = true;
        return false;
    }
    if (!file->writeReport(chart->statistics)) {
        chart->tailUnwritten = true;
        return false;
    }
    chart->tailUnwritten = false;
    file->readEndTime();
    return true;
}

void MainWindow::restoreRunControls(bool supply)
{
    setToolBarEnabled(true, false);
    // A supply's panel has no run controls. The analyzer's come back unless it has cut
    // the load power.
    if (supply)
        return;
    const bool enable = !m_controlPanel->isLoadPowerDisabled();
    setRunControlsEnabled(enable);
    m_controlPanel->setControlsEnabled(enable);
    m_controlPanel->setMeasureControlsEnabled(enable);
}

void MainWindow::abandonRefusedStart()
{
    // The analyzer refused the start: no sample will come, so the run ends here and a
    // tab that received nothing is given back for the next start instead of waiting
    // for a stop as an unsaved, empty capture.
    GLWidget* chart = m_runChart;
    if (!chart || !measuringActive)
        return;
    measuringActive = false;
    m_runChart = nullptr;
    m_hid->setReadAhead(false);
    m_limitStopQueued = false;
    collectBackgroundWrites(chart);
    releaseLiveMaps(chart);
    if (chart->isEmpty() && chart->statistics.count == 0) {
        chart->swapFile->remove();
        chart->updateTitle();
        chart->keepFile = true;
        const int index = ui->tabWidget->indexOf(chart);
        QString text = ui->tabWidget->tabText(index);
        ui->tabWidget->setTabText(index, text.remove(QLatin1Char('*')));
        m_newTab = true;
    } else {
        finishRun(chart);
        return;
    }
    restoreRunControls(false);
}

// Dates a report of either instrument by its sample number; the run's start time is
// taken again from the first report, which the instrument sends as it starts sampling.
PacketTiming MainWindow::dateReport(quint32 index, int rows)
{
    if (index == 0)
        m_runStartMs = redatedRunStart(m_clock(), measuringDeviceControl.sampleRate(), rows);
    return m_sampleClock.date(index, rows);
}

void MainWindow::processMeasurement(MeasureAll& packet)
{
    GLWidget* chart = m_runChart;
    if (!chart)
        return;
    QMutexLocker lock(&chart->mapMutex);
    const int rows = packet.rows();
    if (chart->channelMaps.isEmpty() || rows == 0)
        return;

    const PacketTiming timing = dateReport(packet.packetCounter(), rows);
    const double period = m_sampleClock.period();
    if (timing.lost) {
        const quint64 missing = timing.number - timing.previousNumber;
        const double previousKey = double(timing.previousNumber) * period;
        qInfo() << "          *** LOST PACKETS " << timing.previousNumber << timing.number << missing / quint64(rows)
                << m_sampleClock.wrapOffset();
        qInfo() << "          *** LOST TIME    " << previousKey << timing.firstKey << timing.firstKey - previousKey;
    }

    const QMap<int, QList<double>> values = packet.values();
    bool countSample = true;
    bool complete = true;
    QVector<QCPGraphData> points;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const int channel = it.key();
        if (channel < 0 || channel >= chart->channelMaps.size()) {
            complete = false;
            break;
        }
        const QList<double>& list = it.value();
        points.resize(list.size());
        for (int i = 0; i < list.size(); ++i) {
            points[i] = QCPGraphData(timing.firstKey + i * period, list[i]);
            chart->accumulateStatistics(channel, points[i], countSample);
            if (channel == 0)
                OverCurrent::instance()->feed(list[i]);
        }
        insertOrReplace(*chart->channelMaps[channel], points);
        countSample = false;
    }
    // The stop runs from the event loop, not inside the report handler.
    if (complete && !m_limitStopQueued && measuringLimitReached(timing.nextKey, m_measuringTimeLimit)) {
        m_limitStopQueued = true;
        QTimer::singleShot(0, this, [this] {
            if (m_limitStopQueued)
                on_stopButton();
        });
    }
}

void MainWindow::reRangeX()
{
    GLWidget* chart = m_runChart;
    if (!chart || !chart->plot || !measuringActive)
        return;
    flushOldPoints(chart, m_clock());
}

void MainWindow::flushOldPoints(GLWidget* chart, qint64 now)
{
    QMutexLocker lock(&chart->mapMutex);
    SwapFileWriter& writer = chart->swapFile->writer();
    writer.returnRefused(chart->channelMaps);
    const ChannelMap first = firstFilledMap(chart->channelMaps);
    if (!first || !windowFlushDue(now, m_runStartMs))
        return;
    const double last = (first->constEnd() - 1)->key;
    const double cut = windowFlushCut(last);

    QCPAxis* key = chart->plot->xAxis;
    const double width = key->range().size();
    if (ChartAxis* axis = chartAxis(key))
        axis->setRange(last - width, last);
    else
        key->setRange(last - width, last);
    // The writer's thread does the disk work; the window goes on at once.
    writer.handOver(chart->channelMaps, cut);
}

void MainWindow::reRangeAxis(bool force)
{
    if (!measuringActive && !force)
        return;
    GLWidget* chart = currentChart();
    if (!chart || !chart->plot || chart->plot->graphCount() == 0)
        return;
    QCPGraph* graph = chart->plot->graph(0);
    QCPRange range = valueRangeOf(graph->data().data(), chart->plot->xAxis->range());
    ChartAxis* axis = qobject_cast<Axis*>(graph->valueAxis());
    if (!axis)
        return;
    range = axis->adjustRange(range);
    if (range.size() != 0)
        axis->setRange(range);
    chart->repaint();
}

void MainWindow::clearOverCurrentWarning()
{
    m_banner->clear();
    m_banner->stop();
    m_warningButton->hide();
    OverCurrent::instance()->reset();
}

void MainWindow::showOverCurrentWarning()
{
    // A cleared banner has no messages left: a new trip loads the warning again, so that
    // it scrolls as it did the first time.
    if (m_banner->messages.isEmpty())
        m_banner->load(overCurrentBannerJson());
    m_banner->start();
    m_warningButton->show();
}

// The supply run: the supply panel in the Control dock, its commands relayed to the
// supply, the supply's reports routed to the panel, the options dialog and the chart,
// and one logging run into a capture tab and its swap file.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ChannelInfo.h"
#include "ChartAxis.h"
#include "NavigationBar.h"
#include "ControlPanel.h"
#include "DeviceControl.h"
#include "DeviceDescriptions.h"
#include "GLWidget.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "OverCurrent.h"
#include "PopUp.h"
#include "PowerPackets.h"
#include "PowerPanel.h"
#include "StatusPanel.h"
#include "SupplyCommands.h"
#include "SwapFile.h"
#include "SwapFileName.h"
#include "TemperatureScale.h"

#include <QDebug>
#include <QDockWidget>
#include <QLabel>
#include <QTimer>

namespace {
const QString supplySerialPrefix = QStringLiteral("5002");

void setRunInteractions(QCustomPlot* plot, Qt::Orientations orientations)
{
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    plot->axisRect()->setRangeDrag(orientations);
    plot->axisRect()->setRangeZoom(orientations);
}
} // namespace

bool MainWindow::supplyAttached() const
{
    return m_hid->isOpen() && m_hid->serialPrefix() == supplySerialPrefix;
}

void MainWindow::sendSupplyText(const QString& text)
{
    if (!firmwareUpdateActive && supplyAttached())
        m_hid->sendText(text);
}

void MainWindow::sendSupplyReport(Packet& packet)
{
    if (!firmwareUpdateActive && supplyAttached())
        m_hid->sendReport(packet);
}

void MainWindow::setupPowerSupply()
{
    // A run of the previous set-up ends before its panel goes.
    if (m_runChart)
        terminateMeasuring();
    // The analyzer's status poll has nothing to ask a supply.
    m_statusTimer->stop();
    m_valueLabel->show();
    showTitle(WindowTitle::Duriz500);
    detachAnalyzerPanels();
    m_controlPanel->hide();
    replacePowerPanel();
    m_statusPanel->hide();
    m_dockStatus->hide();
    m_dockControl->show();
    m_powerPanel->show();
    restoreFloatingDockSizes();
    setAnalyzerItemsShown(false);
    setMarkerBarShown(false);
    setReportBarShown(false);
    ui->navigationBar->hide();
    setToolBarEnabled(true, false);
    createDefaultsPower();
    // A supply still logging from an earlier session would flood the link.
    sendSupplyText(PowerCommand::Stop);
}

void MainWindow::setupPower600()
{
    setupPowerSupply();
    showTitle(WindowTitle::Vuviv600);
}

void MainWindow::replacePowerPanel()
{
    // Each set-up builds the panel of the model it is for; the previous one goes at
    // once, with its poll timer.
    PowerPanel* previous = m_powerPanel;
    m_powerPanel = power600Model ? new Power600Panel(this) : new PowerPanel(this);
    m_dockControl->setWidget(m_powerPanel);
    m_dockControl->setWindowTitle(QString());
    delete previous;

    connect(m_powerPanel, &PowerPanel::startPowerLog, this, &MainWindow::onPowerLogRequested);
    connect(m_powerPanel, &PowerPanel::stopPowerLog, this, &MainWindow::sendSupplyText);
    connect(m_powerPanel, &PowerPanel::requestPowerStatus, this, &MainWindow::sendSupplyText);
    connect(this, &MainWindow::paketReceived, m_powerPanel, &PowerPanel::paketReceived);
    connect(this, &MainWindow::paketDataReceived, m_powerPanel, &PowerPanel::paketDataReceived);

    QPointer<MainWindow> self(this);
    setPowerChannelsRefill([self] {
        if (self && self->m_powerPanel)
            self->m_powerPanel->fillChannels();
    });
}

void MainWindow::detachAnalyzerPanels()
{
    if (m_analyzerPanelsDetached)
        return;
    disconnect(m_controlPanel, nullptr, this, nullptr);
    disconnect(this, nullptr, m_controlPanel, nullptr);
    disconnect(m_statusPanel, nullptr, this, nullptr);
    disconnect(this, nullptr, m_statusPanel, nullptr);
    disconnect(m_statusPanel, nullptr, m_controlPanel, nullptr);
    m_analyzerPanelsDetached = true;
}

void MainWindow::restoreAnalyzerPanels()
{
    if (m_powerPanel) {
        m_dockControl->setWidget(m_controlPanel);
        m_dockControl->setWindowTitle(tr("Control"));
        delete m_powerPanel;
        m_powerPanel = nullptr;
    }
    if (m_analyzerPanelsDetached) {
        connectPanels();
        m_analyzerPanelsDetached = false;
    }
}

void MainWindow::refusePowerLog(const StatusText& reason)
{
    showError(reason, 0);
    if (m_powerPanel) {
        m_powerPanel->logFailed(reason());
        m_powerPanel->runFinished();
    }
}

void MainWindow::onPowerLogRequested(const QString& command)
{
    if (!m_powerPanel || m_runChart)
        return;
    const PowerLogRequest request = parsePowerLogCommand(command);
    if (!request.valid) {
        const QString given = command.trimmed();
        const QString rate = m_powerPanel->logRate;
        if (isSupplyRate(request.rate))
            refusePowerLog([given] { return tr("The log command is not valid: %1").arg(given); });
        else
            refusePowerLog([rate] {
                return tr("The supply cannot log at %1 Hz: choose a rate from 1 to 10000 Hz that divides 10000 Hz.")
                    .arg(rate);
            });
        return;
    }
    addCaptureTab();
    GLWidget* chart = currentChart();
    if (!chart) {
        refusePowerLog([] { return swapFileErrorText(0); });
        return;
    }
    chart->addChannels(m_powerPanel->logChannels);
    setPowerAxesFahrenheit(m_powerPanel->logChannels, m_powerPanel->isFahrenheit());
    on_startPowerMeasurement(command);
    if (m_runChart != chart) {
        // Nothing was started: the tab made for the run goes again.
        const int index = ui->tabWidget->indexOf(chart);
        if (index >= 0)
            removeTab(index);
    }
}

bool MainWindow::prepareSupplyRunFile(GLWidget* chart, quint8 channelCount, quint16 mask, quint16 period,
                                      bool customRate, bool fahrenheit)
{
    QString base = ui->tabWidget->tabText(ui->tabWidget->indexOf(chart));
    base.remove(QLatin1Char('*'));
    m_lastSwapFileError = 0;
    if (!chart->swapFile->create(uniqueSwapFileName(base)))
        return false;
    chart->swapFile->writeHeader(channelCount, mask, customRate, period, fahrenheit);
    if (m_lastSwapFileError != 0) {
        chart->swapFile->remove();
        return false;
    }
    return true;
}

void MainWindow::on_startPowerMeasurement(QString _cmd)
{
    GLWidget* chart = currentChart();
    const PowerLogRequest request = parsePowerLogCommand(_cmd);
    if (m_runChart || !chart || !chart->plot || !request.valid) {
        if (!m_runChart)
            refusePowerLog([given = _cmd.trimmed()] { return tr("The log command is not valid: %1").arg(given); });
        return;
    }
    m_popUp->hide();

    // The run keeps what it was started with: the channels and the temperature scale of
    // every sample stay those of its header, whatever the panel shows later.
    const bool fahrenheit = m_powerPanel && m_powerPanel->isFahrenheit();
    const bool customRate = m_powerPanel && m_powerPanel->isCustomRate();
    const quint16 period = supplySamplePeriod(request.rate);
    if (!prepareSupplyRunFile(chart, quint8(request.channels.size()), request.mask, period, customRate,
                              fahrenheit)) {
        if (m_powerPanel) {
            m_powerPanel->logFailed(swapFileErrorText(m_lastSwapFileError));
            m_powerPanel->runFinished();
        }
        return;
    }
    m_supplyChannels = request.channels;
    m_supplyFahrenheit = fahrenheit;

    // Never sent: it keeps the run's settings like an analyzer start would.
    DeviceControl control;
    control.setCommand(DeviceControl::CommandLog);
    control.setChannelMask(request.mask);
    control.setSampleRate(period);
    control.setPayloadType(1);
    measuringDeviceControl = control;

    chart->keepFile = false;
    const int index = ui->tabWidget->indexOf(chart);
    ui->tabWidget->setTabText(index, QLatin1Char('*') + ui->tabWidget->tabText(index));
    measuringActive = true;
    m_supplyRun = true;
    m_runChart = chart;
    m_limitStopQueued = false;
    m_sampleClock.restart(period);

    QCustomPlot* plot = chart->plot;
    if (ChartAxis* key = chartAxis(plot->xAxis)) {
        key->setRange(0, 10);
        key->setUseTickLabelMap(true);
    } else {
        plot->xAxis->setRange(0, 10);
    }
    m_runStartMs = m_clock();
    setRunInteractions(plot, Qt::Horizontal);
    setToolBarEnabled(false, false);

    ui->navigationBar->clear();
    ui->navigationBar->disableControls();
    chart->updateTitle();
    OverCurrent::instance()->reset();
    qInfo().noquote() << "Start: " + _cmd;
    sendSupplyText(_cmd);
}

void MainWindow::processPowerMeasurement(MeasurePower& packet)
{
    GLWidget* chart = m_runChart;
    if (!chart || !m_supplyRun)
        return;
    QMutexLocker lock(&chart->mapMutex);
    const int rows = packet.rows();
    if (chart->channelMaps.isEmpty() || rows == 0)
        return;

    const PacketTiming timing = dateReport(packet.packetCounter(), rows);
    const double step = m_sampleClock.period();

    const QMap<int, QList<double>> values = packet.values(m_supplyChannels, m_supplyFahrenheit);
    bool complete = true;
    QVector<QCPGraphData> points;
    for (int position = 0; position < m_supplyChannels.size(); ++position) {
        if (position >= chart->channelMaps.size()) {
            complete = false;
            break;
        }
        const QList<double> list = values.value(position);
        points.resize(list.size());
        for (int i = 0; i < list.size(); ++i)
            points[i] = QCPGraphData(timing.firstKey + i * step, list[i]);
        insertOrReplace(*chart->channelMaps[position], points);
    }
    // The supply road stops only once the next key lies beyond the limit.
    if (complete && !m_limitStopQueued && m_measuringTimeLimit != -1 && timing.nextKey > m_measuringTimeLimit) {
        m_limitStopQueued = true;
        QTimer::singleShot(0, this, [this] {
            if (m_limitStopQueued)
                on_stopButton();
        });
    }
}

void MainWindow::on_packetPowerReceived(PowerPacket& _packet)
{
    const quint8 code = _packet.descriptor();
    if (code == PowerCode::LogEnded) {
        if (m_powerPanel)
            m_powerPanel->enableButtons();
        on_stopPowerMeasurement(QString());
        return;
    }
    if (_packet.isTextReply()) {
        const PowerReply reply = parsePowerReply(_packet);
        if (reply.kind != PowerReply::Other) {
            if (m_powerPanel)
                m_powerPanel->setPowerState(reply.kind == PowerReply::On);
            return;
        }
        // Any other text refuses or breaks off the log: the run ends with what arrived,
        // complete and savable.
        const bool running = m_supplyRun && m_runChart;
        if (m_powerPanel)
            m_powerPanel->logFailed(reply.text);
        if (running) {
            finishRun(m_runChart);
            showError([said = reply.text] { return tr("The supply stopped logging: %1").arg(said); }, 0);
        }
        return;
    }
    switch (code) {
    case PowerCode::Settings: {
        PowerGetPacket settings(_packet);
        emit paketReceived(settings);
        PowerDataPacket request;
        sendSupplyReport(request);
        break;
    }
    case PowerCode::DeviceData: {
        PowerDataPacket data(_packet);
        emit paketDataReceived(data);
        break;
    }
    case PowerCode::SettingsWritten: {
        PowerGetPacket request;
        sendSupplyReport(request);
        break;
    }
    default:
        if (measuringActive && m_supplyRun) {
            MeasurePower measure(_packet);
            processPowerMeasurement(measure);
            if (m_runChart && m_runChart->plot)
                m_runChart->plot->replot(QCustomPlot::rpQueuedReplot);
        } else {
            sendSupplyText(PowerCommand::Stop);
        }
        break;
    }
}

void MainWindow::stopSupplyRun()
{
    sendSupplyText(PowerCommand::Stop);
    on_stopPowerMeasurement(QString());
}

void MainWindow::on_stopPowerMeasurement(QString)
{
    GLWidget* chart = m_runChart;
    if (!chart || !chart->plot || !measuringActive || !m_supplyRun)
        return;
    measuringActive = false;
    finishRun(chart);
}

void MainWindow::setPowerAxesFahrenheit(const QList<int>& channels, bool fahrenheit)
{
    if (!fahrenheit || !(channels.contains(4) || channels.contains(5)))
        return;
    GLWidget* chart = currentChart();
    if (!chart || !chart->plot)
        return;
    // Only the temperature axes change scale; the other channels keep their units.
    for (QCPAxis* axis : chart->plot->axisRect()->axes()) {
        auto* power = qobject_cast<AxisPower*>(axis);
        if (!power || !isTemperatureChannel(power->channel) || !channels.contains(power->channel))
            continue;
        QString label = power->label();
        if (!label.isEmpty())
            label.chop(1);
        power->setLabel(label + QLatin1Char('F'));
        power->fahrenheit = true;
        const ChannelInfo info(quint8(power->channel));
        const double lower = toFahrenheit(info.lower);
        const double upper = toFahrenheit(info.upper);
        power->setRangeMin(lower);
        power->setRangeMax(upper);
        power->setRange(lower, upper);
    }
}

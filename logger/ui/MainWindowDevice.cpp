// Device arrival and removal, the dispatch of every input report, and the status timer.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ChannelInfo.h"
#include "MarkerBar.h"
#include "NavigationBar.h"
#include "ReportBar.h"
#include "ControlPanel.h"
#include "DeviceControl.h"
#include "DeviceDescriptions.h"
#include "DeviceInfo.h"
#include "GLWidget.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "MarqueeLabel.h"
#include "MeasureAll.h"
#include "OverCurrent.h"
#include "PanelState.h"
#include "PopUp.h"
#include "PowerPackets.h"
#include "PowerPanel.h"
#include "Settings.h"
#include "SimpleRequests.h"
#include "StatusControl.h"
#include "StatusPanel.h"
#include "Updater.h"
#include "MessageBoxes.h"

#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <cstring>

namespace {
const QString measuringText = QStringLiteral("Measuring...");
} // namespace

void MainWindow::on_deviceConnected()
{
    const bool wasSupply = powerSupplyConnected;
    powerSupplyConnected = m_hid->serialPrefix() == QLatin1String("5002");
    power600Model = false;
    if (wasSupply != powerSupplyConnected)
        closeTabsOfOtherKind();
    if (powerSupplyConnected)
        setupPowerSupply();
    else
        setupAnalyzer();
    if (!firmwareUpdateActive)
        m_hid->send(DeviceInfo::instance());
    showMessage([] { return tr("Device connected"); }, 10000);
    // Through the automatic check, so that a user who turned it off is not asked for.
    m_updater->on_deviceConnected(m_hid->serial());
}

void MainWindow::on_bootloaderConnected()
{
    // During a flashing the update dialog tells what happens; otherwise an instrument left
    // in its bootloader sends nothing, and only this line says what to do.
    if (firmwareUpdateActive)
        return;
    showMessage(
        [] { return tr("The instrument is waiting in its bootloader for new firmware: load it under Settings → Update."); },
        0);
}

void MainWindow::closeTabsOfOtherKind()
{
    // Captures of the other kind do not belong next to the new device, but a recording
    // that was not saved is never dropped without asking.
    if (!unsavedCharts(0, ui->tabWidget->count() - 1).isEmpty()) {
        terminateMeasuring();
        // The extension and filter of the saves follow the kind of the captures.
        const bool newKind = powerSupplyConnected;
        powerSupplyConnected = !newKind;
        if (warningBox(this, tr("Save"), tr("Not all measurements are saved. Do you want to save them?"),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
            == QMessageBox::Yes)
            saveUnsavedTabs();
        powerSupplyConnected = newKind;
    }
    closeAllTabs();
    // Nothing is left to record into: the new device's channel table opens a fresh tab.
    m_newTab = true;
}

void MainWindow::setupAnalyzer()
{
    showTitle(WindowTitle::Analyzer);
    restoreAnalyzerPanels();
    m_controlPanel->show();
    m_statusPanel->show();
    // Each dock as the View menu says: a dock the user hid stays hidden.
    m_dockControl->setVisible(m_actionShowControl->isChecked());
    m_dockStatus->setVisible(m_actionShowStatus->isChecked());
    restoreFloatingDockSizes();
    m_banner->stop();
    m_valueLabel->show();
    m_popUp->show();
    m_controlPanel->setEnabled(true);
    m_controlPanel->setMeasureControlsEnabled(true);
    m_controlPanel->setControlsEnabled(true);
    m_statusPanel->setPanelEnabled(true);
    ui->navigationBar->enableControls();
    setToolBarEnabled(true, false);
    setAnalyzerItemsShown(true);
    // The markers come back as the user last left them, also after a restart.
    setMarkerBarShown(Settings().value(QStringLiteral("Main/markers_bar"), false).toBool());
    setReportBarShown(false);
    ui->navigationBar->show();
}

void MainWindow::on_deviceDisconnected()
{
    showTitle(WindowTitle::NoDevice);
    ChannelInfo::clearTable();
    m_controlPanel->setChannels();
    m_statusTimer->stop();
    // The run ends here: what arrived stays in its tab and its swap file, which is
    // completed (report block, overview) so that the capture can be saved.
    if (m_runChart) {
        measuringActive = false;
        finishRun(m_runChart);
    }
    measuringActive = false;
    setRunControlsEnabled(false);
    m_controlPanel->setControlsEnabled(false);
    m_controlPanel->setMeasureControlsEnabled(false);
    setToolBarEnabled(false, true);
    // What was recorded up to the removal can still be saved.
    m_actionSave->setEnabled(ui->tabWidget->count() > 0);
    showError([] { return tr("Device disconnected"); }, 0);
    emit disableMeasurement();
}

void MainWindow::on_enableMeasurement()
{
    m_controlPanel->setChannels();
    m_statusPanel->setPanelEnabled(true);
    m_controlPanel->setControlsEnabled(true);
    m_controlPanel->setMeasureControlsEnabled(true);
    ui->navigationBar->enableControls();
}

void MainWindow::on_packetReceived(quint8* _packet, int _length)
{
    quint8 bytes[64] = {};
    std::memcpy(bytes, _packet, size_t(qBound(0, _length, 64)));
    switch (bytes[0]) {
    case DeviceInfo::Descriptor:
        firstStatusPending = true;
        DeviceInfo::instance().setData(bytes, 64);
        if (!powerMode()) {
            ChannelInfo::clearTable();
            if (!firmwareUpdateActive) {
                ChannelsRequest request;
                m_hid->send(request);
            }
        }
        emit deviceInfoReceved();
        break;
    case DeviceControl::Descriptor: {
        const DeviceControl reply(bytes, 64);
        if (reply.errorCode() != 0) {
            abandonRefusedStart();
            const int code = reply.errorCode();
            showError([code] { return tr("FAILED to start measuring: ") + QString::number(code); }, 0);
        } else if (reply.command() == DeviceControl::CommandStop) {
            // The acknowledgement ends "Measuring...". It arrives after the run was
            // finished, so a failure of that work (the swap file's last write, its
            // report block) stays on show instead of vanishing at once.
            if (statusBar()->currentMessage() == measuringText)
                statusBar()->clearMessage();
        } else {
            showMessage(measuringText, 0);
        }
        break;
    }
    case ChannelInfo::Descriptor:
        dispatchChannelInfo(bytes);
        break;
    case MeasureAll::Descriptor:
        dispatchMeasureAll(bytes);
        break;
    case StatusControlResponse::Descriptor:
        dispatchStatusResponse(bytes);
        break;
    case PowerCode::ReportId: {
        PowerPacket packet(bytes, 64); // its header reads 07 40 whatever length was sent
        on_packetPowerReceived(packet);
        break;
    }
    default:
        break;
    }
}

void MainWindow::dispatchChannelInfo(const quint8* packet)
{
    if (powerMode())
        return;
    ChannelInfo(packet, 64).store();
    if (ChannelInfo::channelCount() != DeviceInfo::instance().channelCount())
        return;
    if (m_newTab) {
        addCaptureTab();
        if (GLWidget* chart = currentChart())
            chart->addChannels({});
    }
    emit enableMeasurement();
    m_statusTimer->start(1000);
}

void MainWindow::dispatchMeasureAll(const quint8* packet)
{
    if (!measuringActive)
        return;
    MeasureAll measure(packet, 64);
    processMeasurement(measure);
    m_statusPanel->update(measure);
    if (OverCurrent::instance()->isTripped())
        showOverCurrentWarning();
}

void MainWindow::dispatchStatusResponse(const quint8* packet)
{
    QCustomPlot* plot = currentPlot();
    if (!plot || plot->graphCount() <= 2)
        return;
    StatusControlResponse response(packet, 64);
    m_statusPanel->update(response);
    m_controlPanel->update(response);
    firstStatusPending = false;
}

void MainWindow::onStatusTimer()
{
    if (measuringActive) {
        QList<qreal> values;
        if (GLWidget* chart = m_runChart ? m_runChart.data() : currentChart()) {
            for (const ChannelMap& map : chart->channelMaps)
                values << (map->isEmpty() ? std::nan("") : (map->constEnd() - 1)->value);
        }
        emit refreshChannels(values);
        return;
    }
    m_controlPanel->sendStatusRequest();
}

void MainWindow::on_refeshChannels(QList<qreal>) {}

void MainWindow::on_requestStatus(StatusControlRequest& request)
{
    if (measuringActive || firmwareUpdateActive)
        return;
    m_hid->send(request);
}

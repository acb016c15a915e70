// The main window's side of the update checks: it creates the updater, shows its notices
// and tells it the firmware version each instrument reports about itself, against which
// the server's firmware answers are compared.

#include "MainWindow.h"

#include "DeviceInfo.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "PowerPackets.h"
#include "Settings.h"
#include "Updater.h"

namespace {
constexpr qint64 noticeIntervalMs = 86400000;
} // namespace

void MainWindow::createUpdater()
{
    m_updater = new Updater(this);
    connect(m_updater, &Updater::newSWAvailable, this, &MainWindow::on_newSWAvailable);
    connect(m_updater, &Updater::newFWAvailable, this, &MainWindow::on_newFWAvailable);
    connect(this, &MainWindow::enableMeasurement, m_updater,
            [this] { m_updater->on_deviceConnected(DeviceInfo::instance().serialNumber()); });
    connect(this, &MainWindow::deviceInfoReceved, m_updater, [this] {
        if (!powerMode())
            m_updater->setDeviceFirmwareVersion(m_hid->serial(), DeviceInfo::instance().versionText());
    });
    connect(this, &MainWindow::paketDataReceived, m_updater, [this](PowerDataPacket& packet) {
        m_updater->setDeviceFirmwareVersion(m_hid->serial(), packet.versionText());
    });
}

void MainWindow::announceUpdate(const QString& key, StatusText text)
{
    // At most one notice of each kind per day, however often the updater reports it. A
    // stored time still to come (a clock that ran ahead, an edited file) would keep every
    // notice away until then: it counts as none.
    Settings settings;
    const qint64 now = m_clock();
    const qint64 last = boundedValue(settings, key, 0, 0, now);
    if (now - last <= noticeIntervalMs)
        return;
    showError(std::move(text), 10000);
    settings.setValue(key, now);
}

void MainWindow::on_newSWAvailable(bool _available)
{
    if (_available)
        announceUpdate(QStringLiteral("Update/sw_notify_time"),
                       [] { return tr("A new software version is available. Go to Settings to update."); });
}

void MainWindow::on_newFWAvailable(bool _available)
{
    if (_available)
        announceUpdate(QStringLiteral("Update/fw_notify_time"),
                       [] { return tr("A new firmware version is available. Go to Settings to update."); });
}

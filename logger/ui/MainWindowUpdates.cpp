// The main window's side of the update checks: it creates the updater, shows its notices
// and tells it the firmware version each instrument reports about itself, against which
// the server's firmware answers are compared.

#include "MainWindow.h"

#include "DeviceInfo.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "PowerPackets.h"
#include "Updater.h"

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

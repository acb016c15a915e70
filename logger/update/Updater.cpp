#include "Updater.h"

#include "DeviceInfo.h"
#include "Downloader.h"
#include "HidDevice.h"
#include "Settings.h"
#include "UpdateRules.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QSettings>
#include <QTimer>

namespace {

constexpr qint64 checkIntervalSeconds = 86400;

QString checkKey(const QString& serial)
{
    return serial.isEmpty() ? QStringLiteral("software") : QStringLiteral("firmware_") + serial;
}

bool autoCheck(const char* key)
{
    Settings settings;
    return settings.value(QStringLiteral("Update/") + QLatin1String(key), true).toBool();
}

QString applicationVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("2.0.5") : version;
}

} // namespace

Updater::Updater(QObject* parent)
    : QObject(parent)
    , m_firmware(new Downloader)
    , m_software(new Downloader)
{
    connect(m_firmware, &Downloader::downloadInfoComplete, this, &Updater::on_downloadInfoComplete);
    connect(m_software, &Downloader::downloadInfoComplete, this, &Updater::on_downloadInfoComplete);
    if (autoCheck("auto-check-soft") && isCheckDue(QString()))
        QTimer::singleShot(startupDelayMs, this, &Updater::on_checkUpdatesSW);
}

Updater::~Updater()
{
    m_firmware->deleteLater();
    m_software->deleteLater();
}

bool Updater::isCheckDue(const QString& serial) const
{
    QSettings times;
    // A time still to come would stop the checks until then: it counts as none.
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 last =
        boundedValue(times, QStringLiteral("Update/") + checkKey(serial), 0, 0, now.toMSecsSinceEpoch());
    return QDateTime::fromMSecsSinceEpoch(last).secsTo(now) > checkIntervalSeconds;
}

void Updater::on_deviceConnected(QString _serialNumber)
{
    const QString serial = HidDevice::instance()->serial();
    if (autoCheck("auto-check-firm") && isCheckDue(serial.isEmpty() ? _serialNumber : serial))
        on_checkUpdatesFW(_serialNumber);
}

void Updater::on_checkUpdatesFW(QString)
{
    qDebug().noquote() << DeviceInfo::instance().toString();
    const QString serial = HidDevice::instance()->serial();
    const QUrl url = firmwareInfoUrl(updateServer(), serial);
    qDebug().noquote() << "Updater::on_checkUpdatesFW" << url.toString();
    if (m_firmware->downloadInfo(url) == 0 && serial != m_firmwareSerial) {
        m_firmwareSerial = serial;
        m_haveFirmwareAnswer = false;
    }
}

void Updater::on_checkUpdatesSW()
{
    m_software->downloadInfo(softwareInfoUrl(updateServer()));
}

void Updater::on_downloadInfoComplete()
{
    // The downloader that finished says which answer this is; checks of both kinds may
    // run at once and finish in either order.
    if (sender() == m_software)
        softwareAnswered();
    else if (sender() == m_firmware)
        firmwareAnswered();
}

void Updater::softwareAnswered()
{
    if (!m_software->error().isEmpty()) {
        // Nothing is known, so nothing is stored; the listeners still learn the check ended.
        emit newSWAvailable(false);
        return;
    }
    const QString version = m_software->version();
    Settings settings;
    settings.setValue(QStringLiteral("Update/sw-version"), version);
    const qint64 local = versionNumber(applicationVersion()).value_or(0);
    const qint64 server = versionNumber(version).value_or(local);
    const bool newer = local < server;
    settings.setValue(QStringLiteral("Update/has-new-sw"), newer);
    emit newSWAvailable(newer);
}

void Updater::firmwareAnswered()
{
    if (!m_firmware->error().isEmpty()) {
        m_haveFirmwareAnswer = false;
        emit newFWAvailable(false);
        return;
    }
    m_serverFirmware = m_firmware->version();
    Settings settings;
    settings.setValue(QStringLiteral("Update/fw-version"), m_serverFirmware);
    m_haveFirmwareAnswer = true;
    if (m_deviceSerial != m_firmwareSerial || m_deviceFirmware.isEmpty()) {
        // The instrument has not told its version yet: no news until it has.
        emit newFWAvailable(false);
        return;
    }
    compareFirmware();
}

void Updater::setDeviceFirmwareVersion(const QString& serial, const QString& version)
{
    m_deviceSerial = serial;
    m_deviceFirmware = version;
    // Every report counts: an instrument that comes back with new firmware reports again.
    if (m_haveFirmwareAnswer && serial == m_firmwareSerial)
        compareFirmware();
}

void Updater::compareFirmware()
{
    const auto server = versionNumber(m_serverFirmware);
    const auto device = firmwareVersionNumber(m_deviceFirmware);
    const bool newer = server && device && *device < *server;
    Settings settings;
    settings.setValue(QStringLiteral("Update/has-new-fw"), newer);
    emit newFWAvailable(newer);
}

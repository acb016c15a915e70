#include "HidDevice.h"

#include "HidReadAhead.h"

#include "LoggerState.h"
#include "OwnSignals.h"
#include "Packet.h"
#include "PowerPackets.h"
#include "WorkGuard.h"

#include <hidapi.h>

#include <QDebug>
#include <QThread>
#include <QTimer>

#include <array>

namespace {

HidDevice* s_instance = nullptr;

const QString analyzerPrefix = QStringLiteral("5001");
const QString supplyPrefix = QStringLiteral("5002");

// Serial numbers and error texts come as wchar_t strings (32-bit characters on Linux);
// the USB stack may not have one at all.
QString wideText(const wchar_t* text)
{
    return text ? QString::fromWCharArray(text) : QString();
}

} // namespace

HidDevice* HidDevice::instance(QObject* parent)
{
    if (!s_instance)
        s_instance = new HidDevice(parent);
    return s_instance;
}

HidDevice::HidDevice(QObject* parent)
    : QObject(parent),
      m_checkTimer(new QTimer(this)),
      m_readTimer(new QTimer(this)),
      m_sleeper([](int ms) { QThread::msleep(ulong(ms)); })
{
    hid_init();
    m_checkTimer->setInterval(checkIntervalMs);
    m_readTimer->setInterval(readIntervalMs);
    connect(m_checkTimer, &QTimer::timeout, this, &HidDevice::checkTimerTick);
    connect(m_readTimer, &QTimer::timeout, this, &HidDevice::hidRead);
    connect(&WorkInProgress::instance(), &WorkInProgress::ended, this, &HidDevice::resumeDeviceChanges);
    m_checkTimer->start();
    m_readTimer->start();
}

bool HidDevice::analyzerOpen() const
{
    return m_device && !m_bootMode && m_serialPrefix == analyzerPrefix;
}

HidDevice::~HidDevice()
{
    releaseEnumeration();
    m_checkTimer->stop();
    m_readTimer->stop();
    delete m_checkTimer;
    delete m_readTimer;
    disconnectOwnSignals(this, staticMetaObject);
    // The owner normally closes through stop() first; a handle left open is not leaked.
    close();
    if (s_instance == this)
        s_instance = nullptr;
}

bool HidDevice::open(quint16 vendor, quint16 product, const wchar_t* serial)
{
    if (m_device)
        return false;
    m_device = hid_open(vendor, product, serial);
    if (!m_device)
        return false;
    hid_set_nonblocking(m_device, 1);
    // The firmware flashing opens the device with polling stopped and reads the
    // bootloader's answers itself.
    if (m_readTimer->isActive())
        startReadAhead();
    return true;
}

void HidDevice::startReadAhead()
{
    if (m_readAheadWanted && m_device && !m_readAhead)
        m_readAhead = std::make_unique<HidReadAhead>(m_device);
}

void HidDevice::setReadAhead(bool on)
{
    m_readAheadWanted = on;
    // Switching off takes effect at the next hidRead, which hands out what was read
    // ahead first, so nothing is lost or reordered.
    if (on && m_readTimer->isActive())
        startReadAhead();
}

void HidDevice::close()
{
    if (!m_device)
        return;
    // The reading thread ends before the handle it reads goes.
    m_readAhead.reset();
    hid_close(m_device);
    m_device = nullptr;
    m_removalPending = false;
}

void HidDevice::releaseEnumeration()
{
    if (m_enumeration)
        hid_free_enumeration(m_enumeration);
    m_enumeration = nullptr;
}

int HidDevice::write(const quint8* report, int length)
{
    if (!m_device)
        return 0;
    return hid_write(m_device, report, size_t(length));
}

int HidDevice::write(const HidOutputReport& report)
{
    return write(report.data(), int(report.size()));
}

int HidDevice::send(Packet& packet)
{
    return write(powerMode() ? powerReport(packet.data()) : analyzerReport(packet.data()));
}

int HidDevice::sendReport(Packet& packet)
{
    return write(powerReport(packet.data()));
}

int HidDevice::sendText(const QString& text)
{
    if (text.size() > PowerCommand::maxLength) {
        qWarning() << "HidDevice::sendText: command longer than" << PowerCommand::maxLength
                   << "characters not sent:" << text;
        return 0;
    }
    const QByteArray report = powerTextReport(text);
    return report.isEmpty() ? 0 : write(reinterpret_cast<const quint8*>(report.constData()), int(report.size()));
}

QString hidErrorText(const wchar_t* error, const QString& fallback)
{
    const QString text = wideText(error).trimmed();
    return text.isEmpty() || text == QLatin1String("Success") ? fallback : text;
}

QString HidDevice::lastError(const QString& fallback) const
{
    return hidErrorText(m_device ? hid_error(m_device) : nullptr, fallback);
}

bool HidDevice::searchDevice(bool arrival, bool boot)
{
    releaseEnumeration();
    m_enumeration = boot ? hid_enumerate(vendorId, bootloaderProductId) : hid_enumerate(0, 0);

    if (!arrival) {
        for (const hid_device_info* d = m_enumeration; d; d = d->next)
            if (d->vendor_id == vendorId
                && (d->product_id == bootloaderProductId || d->product_id == instrumentProductId))
                return true;
        reportRemoval();
        return false;
    }

    if (m_device)
        return true;
    for (const hid_device_info* d = m_enumeration; d; d = d->next) {
        if (d->vendor_id != vendorId)
            continue;
        const QString serial = wideText(d->serial_number);
        const QString prefix = serial.left(4);
        if (d->product_id == instrumentProductId) {
            if (prefix != analyzerPrefix && prefix != supplyPrefix)
                continue;
            if (open(d->vendor_id, d->product_id, d->serial_number)) {
                m_serial = serial;
                m_serialPrefix = prefix;
                m_bootMode = false;
                emit deviceConnected();
            }
            return true;
        }
        if (d->product_id == bootloaderProductId) {
            if (open(d->vendor_id, d->product_id, d->serial_number)) {
                m_serial = serial;
                m_serialPrefix = prefix;
                m_bootMode = true;
                emit bootloaderConnected();
            }
            return true;
        }
    }
    return false;
}

void HidDevice::checkTimerTick()
{
    // An instrument of another kind closes every tab, and a removal ends the run: work
    // that lets events in while it uses a tab (a progress dialog's loop) finishes first.
    if (WorkInProgress::instance().active()) {
        m_checkDue = true;
        return;
    }
    searchDevice(!isOpen(), false);
}

void HidDevice::resumeDeviceChanges()
{
    if (WorkInProgress::instance().active())
        return;
    if (m_removalPending)
        reportRemoval();
    if (m_checkDue) {
        m_checkDue = false;
        checkTimerTick();
    }
}

void HidDevice::reportRemoval()
{
    // Held back while work runs that a device change could disturb, and while reports
    // are being handed out further up the stack (a receiver let events in): that hand-out
    // goes on with the reports after the one it is at and reports the removal at its end.
    if (WorkInProgress::instance().active() || !m_readMutex.tryLock()) {
        m_removalPending = true;
        return;
    }
    m_removalPending = false;
    // Every report read before the removal belongs to the run the removal ends: the
    // window gets them first, in order, whichever check noticed the removal.
    QString error;
    handOutReports(error);
    emit deviceDisconnected();
    close();
    m_readMutex.unlock();
}

void HidDevice::hidRead()
{
    if (!m_device || m_removalPending)
        return;
    // A receiver that runs a nested event loop brings this slot back from the read timer
    // while a report is still being handed out: that call returns at once, and the outer
    // one goes on draining when the receiver returns.
    if (!m_readMutex.tryLock())
        return;
    QString error;
    const bool readable = handOutReports(error);
    m_readMutex.unlock();
    if (!m_device)
        return; // closed by a receiver of the reports
    if (!readable) {
        // The handle is dead (the instrument was pulled, perhaps already plugged in
        // again): drop it so that the next check connects afresh.
        qDebug() << "HidDevice::hidRead: read failed, device removed:" << error;
        reportRemoval();
    } else if (m_removalPending) {
        reportRemoval();
    }
}

bool HidDevice::handOutReports(QString& error)
{
    if (m_readAhead) {
        // Switched off: the thread ends first, so that nothing it reads after this take
        // is dropped with it; the reports after them are read directly from now on.
        if (!m_readAheadWanted)
            m_readAhead->stop();
        HidReadAhead::Taken taken = m_readAhead->take();
        if (!m_readAheadWanted)
            m_readAhead.reset();
        for (HidReadAhead::Report& report : taken.reports) {
            if (!m_device)
                break;
            emit packetReceived(report.data(), HidFraming::packetBytes);
        }
        if (m_readAhead)
            m_readAhead->recycle(std::move(taken.reports));
        error = taken.error;
        return !taken.failed;
    }
    while (m_device) {
        std::array<quint8, HidFraming::packetBytes> report{};
        const int result = hid_read(m_device, report.data(), report.size());
        if (result == 0)
            break;
        if (result < 0) {
            error = lastError(QString());
            return false;
        }
        emit packetReceived(report.data(), HidFraming::packetBytes);
    }
    return true;
}

void HidDevice::stop()
{
    m_checkTimer->stop();
    m_readTimer->stop();
    close();
}

void HidDevice::terminateUpdate()
{
    m_terminate = true;
}

void HidDevice::restart()
{
    m_bootMode = false;
    close();
    m_checkTimer->start(checkIntervalMs);
    m_readTimer->start(readIntervalMs);
    searchDevice(true, false);
}

void HidDevice::setSleeper(Sleeper sleeper)
{
    m_sleeper = std::move(sleeper);
}

void HidDevice::sleep(int milliseconds)
{
    m_sleeper(milliseconds);
}

#include "moc_HidDevice.cpp"

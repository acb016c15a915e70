// Firmware flashing through the instruments' HID bootloader.

#include "HidDevice.h"

#include "SimpleRequests.h"

#include <hidapi.h>

#include <QCoreApplication>
#include <QDebug>
#include <QIODevice>
#include <QTimer>

namespace {

constexpr int closedPauseMs = 1000;
constexpr int searchTries = 10;
constexpr int searchPauseMs = 200;
constexpr int switchPauseMs = 5;
constexpr int bootloaderPollMs = 100;
// The bootloader shows up within a few seconds; a switch that never brings it must not
// leave the update waiting for ever.
constexpr int bootloaderPolls = 150;
constexpr int ackReadTimeoutMs = 60;
constexpr int ackEmptyPolls = 1000;
constexpr quint8 acknowledgement = 7;

void processEvents()
{
    QCoreApplication::processEvents();
}

} // namespace

bool HidDevice::updateFirmware(QIODevice* image)
{
    // An image with nothing to send is refused before the instrument is switched, so it
    // is not left waiting in its bootloader.
    if (!image || image->bytesAvailable() <= 0) {
        failUpdate(tr("Firmware file too short."));
        restart();
        return false;
    }

    m_readTimer->stop();
    m_checkTimer->stop();
    processEvents();
    close();
    processEvents();
    sleep(closedPauseMs);
    m_bootMode = false;

    if (!findInstrument()) {
        failUpdate(tr("The instrument was not found."));
        restart();
        return false;
    }
    if (!m_bootMode && !switchToBootloader())
        return false;

    processEvents();
    if (!sendImage(image))
        return false;

    emit updatePercentChanged(100);
    const bool completed = finishImage();
    restart();
    restart();
    return completed;
}

bool HidDevice::findInstrument()
{
    for (int i = 0; i < searchTries; ++i) {
        const bool found = searchDevice(true, false);
        sleep(searchPauseMs);
        if (found)
            break;
    }
    return isOpen();
}

bool HidDevice::switchToBootloader()
{
    m_terminate = false;
    // The instrument that is open decides the request and its framing, not the kind of a
    // log that happens to be loaded next to it.
    int written = 0;
    if (m_serialPrefix == QLatin1String("5002")) {
        BootModePowerPacket request;
        written = write(powerReport(request.data()));
    } else {
        BootModePacket request;
        written = write(analyzerReport(request.data()));
    }
    if (written <= 0) {
        failUpdate(lastError(tr("The instrument did not take the switch to its bootloader.")));
        restart();
        return false;
    }
    sleep(switchPauseMs);
    processEvents();
    close();
    processEvents();
    sleep(closedPauseMs);

    for (int poll = 0; !m_bootMode; ++poll) {
        if (poll == bootloaderPolls) {
            failUpdate(tr("The bootloader did not appear."));
            restart();
            return false;
        }
        sleep(bootloaderPollMs);
        searchDevice(true, true);
        processEvents();
        if (m_terminate) {
            // Polling goes on, so that the instrument is found again when it comes back.
            restart();
            return false;
        }
    }
    return true;
}

bool HidDevice::sendImage(QIODevice* image)
{
    const qint64 total = image->bytesAvailable();
    quint8 chunk[HidFraming::chunkBytes];
    qint64 sent = 0;
    for (qint64 k = 0; sent < total; ++k) {
        const qint64 n = image->read(reinterpret_cast<char*>(chunk), HidFraming::chunkBytes);
        if (n <= 0) {
            // The image ended or failed before the bytes it announced: finishing now would
            // start a partial firmware and report it as flashed.
            failUpdate(n < 0 ? tr("Reading the firmware file failed.") : tr("Firmware file too short."));
            restart();
            return false;
        }
        const quint8 command = k == 0 ? HidFraming::FirstChunk : HidFraming::NextChunk;
        if (write(bootloaderReport(command, chunk, int(n))) <= 0) {
            const QString text = lastError(tr("Writing to the bootloader failed."));
            failUpdate(text);
            qDebug() << text;
            restart();
            return false;
        }
        emit updatePercentChanged(int(sent * 100 / total));
        processEvents();
        if (k == 0 && !waitAck()) {
            qDebug() << "first read failed";
            restart();
            failUpdate(tr("Bootloader returns ERROR."));
            restart();
            return false;
        }
        sent += n;
    }
    return true;
}

bool HidDevice::finishImage()
{
    if (write(bootloaderReport(HidFraming::Finish, nullptr, 0)) <= 0 || !waitAck()) {
        failUpdate(lastError(tr("The bootloader did not confirm the image.")));
        return false;
    }
    write(bootloaderReport(HidFraming::StartApplication, nullptr, 0));
    emit updateCompleted();
    return true;
}

void HidDevice::failUpdate(const QString& text)
{
    emit updatePercentChanged(100);
    emit updateFailed(text);
}

bool HidDevice::waitAck()
{
    for (int empty = 0; empty < ackEmptyPolls;) {
        processEvents();
        if (!m_device)
            return false;
        std::array<quint8, HidFraming::packetBytes + 1> report{};
        const int result = hid_read_timeout(m_device, report.data(), report.size(), ackReadTimeoutMs);
        if (result < 0)
            return false; // the bootloader went away: no acknowledgement can come
        if (result == 0)
            ++empty;
        else
            return report[0] == acknowledgement;
    }
    return false;
}

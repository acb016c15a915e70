#pragma once

// The logger's one connection to an instrument on the USB bus: finds the analyzer, a
// supply or the bootloader by USB ids and serial-number prefix, notices arrival and
// removal every 2000 ms, drains input reports every 1 ms, writes output reports in the
// protocol's framings, and flashes firmware through the bootloader. It reaches the
// system only through hidapi.

#include "HidReports.h"

#include <QMutex>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class HidReadAhead;
class Packet;
class QIODevice;
class QTimer;
struct hid_device_;
struct hid_device_info;

// hidapi's last error text, or the fallback when it has none: hidapi answers with a null
// text, an empty one, or "Success" when nothing failed.
QString hidErrorText(const wchar_t* error, const QString& fallback);

class HidDevice : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 vendorId = 0x0483;
    static constexpr quint16 instrumentProductId = 0xA1DE;
    static constexpr quint16 bootloaderProductId = 0xA1DA;
    static constexpr int checkIntervalMs = 2000;
    static constexpr int readIntervalMs = 1;

    // The single instance, created with the given parent on first use.
    static HidDevice* instance(QObject* parent = nullptr);
    ~HidDevice() override;

    bool open(quint16 vendor, quint16 product, const wchar_t* serial);
    bool isOpen() const { return m_device != nullptr; }
    // The serial-number string of the device opened last, and its first four characters;
    // both stay after the device closes.
    QString serial() const { return m_serial; }
    QString serialPrefix() const { return m_serialPrefix; }
    // The open device is the analyzer itself (not a supply, not a bootloader).
    bool analyzerOpen() const;

    // A request in the analyzer framing, or in the power framing while a supply is
    // connected or its log loaded. Every write returns hidapi's result, 0 without a device.
    int send(Packet& packet);
    // A supply packet from its byte 0 (the report id).
    int sendReport(Packet& packet);
    // A supply text command; an empty one, or one longer than the report holds, is not sent.
    int sendText(const QString& text);

    // Polling again after a stop: closes the device and runs an arrival search.
    void restart();

    // While on, a thread of its own empties the device's report buffer as reports come
    // (a measurement stream fills it within a fraction of a second), and hidRead hands
    // them out in the same order. Applies to the open device and to every device opened
    // while polling runs.
    void setReadAhead(bool on);
    bool readAhead() const { return m_readAheadWanted; }

    bool updateFirmware(QIODevice* image);
    bool waitAck();

    // The pauses of the flashing procedure. Tests let simulated time pass instead.
    using Sleeper = std::function<void(int milliseconds)>;
    void setSleeper(Sleeper sleeper);

signals:
    void deviceConnected();
    void deviceDisconnected();
    // An instrument's bootloader was opened: the instrument itself is gone until it is
    // given firmware (a flashing broken off, or one under way).
    void bootloaderConnected();
    void packetReceived(quint8* _packet, int _length);
    void updatePercentChanged(int);
    void updateFailed(QString text);
    void updateCompleted();

public slots:
    // A removal it finds is reported after every report read before it (see
    // reportRemoval), and waits while work that a device change could disturb runs.
    bool searchDevice(bool arrival, bool boot = false);
    void terminateUpdate();
    void stop();
    // Waits while such work runs; the check comes as soon as it ends.
    void checkTimerTick();
    void hidRead();

private:
    explicit HidDevice(QObject* parent);

    // Emits packetReceived for every report read ahead and every one pending on the
    // device, in order; false when a read failed (the device is gone), with hidapi's
    // text in `error`. Called with the read mutex held.
    bool handOutReports(QString& error);
    // The device is gone: hands out what was read from it, then emits deviceDisconnected
    // and closes it, or marks the removal pending when that cannot be done now.
    void reportRemoval();
    // The device changes held back while work ran.
    void resumeDeviceChanges();

    void startReadAhead();
    int write(const quint8* report, int length);
    int write(const HidOutputReport& report);
    void close();
    void releaseEnumeration();
    void sleep(int milliseconds);
    // hidapi's last error text for the open device, or the fallback when it has none.
    QString lastError(const QString& fallback) const;
    bool findInstrument();
    bool switchToBootloader();
    bool sendImage(QIODevice* image);
    bool finishImage();
    void failUpdate(const QString& text);

    hid_device_* m_device = nullptr;
    hid_device_info* m_enumeration = nullptr;
    QTimer* m_checkTimer = nullptr;
    QTimer* m_readTimer = nullptr;
    QMutex m_readMutex;
    QString m_serial;
    QString m_serialPrefix;
    bool m_bootMode = false;
    bool m_terminate = false;
    Sleeper m_sleeper;
    bool m_readAheadWanted = false;
    std::unique_ptr<HidReadAhead> m_readAhead;
    // The device was found gone but the removal is not reported yet: reports are being
    // handed out further up the stack, or work that a device change could disturb runs.
    bool m_removalPending = false;
    // A check came while such work ran.
    bool m_checkDue = false;
};

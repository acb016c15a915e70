#pragma once

// Asks the update server for new software and firmware, remembers the answers in the
// settings and announces them. Software answers are compared with this program's
// version; firmware answers with the firmware version of the instrument they were asked
// for, once that instrument has told it.

#include <QObject>
#include <QString>

class Downloader;

class Updater : public QObject
{
    Q_OBJECT

public:
    static constexpr int startupDelayMs = 5000;

    explicit Updater(QObject* parent);
    ~Updater() override;

    Downloader* firmwareDownloader() const { return m_firmware; }
    Downloader* softwareDownloader() const { return m_software; }

    // True when the check time stored for this serial (the software's for an empty serial)
    // lies more than a day back. No check stores its time: an answer stored as "nothing
    // new" would otherwise stand for a day after the program or the firmware changed.
    bool isCheckDue(const QString& serial) const;

signals:
    void newSWAvailable(bool _available);
    void newFWAvailable(bool _available);

public slots:
    void on_checkUpdatesSW();
    // The serial of the connected instrument decides; the argument is kept for callers
    // that pass the number they show.
    void on_checkUpdatesFW(QString _serialNumber);
    void on_deviceConnected(QString _serialNumber);
    void on_downloadInfoComplete();
    // The firmware version an instrument reports about itself ("major.minor").
    void setDeviceFirmwareVersion(const QString& serial, const QString& version);

private:
    void softwareAnswered();
    void firmwareAnswered();
    void compareFirmware();

    Downloader* m_firmware = nullptr;
    Downloader* m_software = nullptr;
    // The instrument of the running or last firmware check, and the server's answer for it.
    QString m_firmwareSerial;
    QString m_serverFirmware;
    bool m_haveFirmwareAnswer = false;
    // The last firmware version an instrument reported, and whose it is.
    QString m_deviceSerial;
    QString m_deviceFirmware;
};

#pragma once

#include "Panel.h"

#include <QList>
#include <QString>

class PowerGetPacket;
class PowerDataPacket;
struct SwapFileHeader;

// The Control-dock panel of a connected supply. Minimal form: what the main window
// builds, connects and calls; the supply's controls are the panels' own later work.
class PowerPanel : public Panel
{
    Q_OBJECT
public:
    explicit PowerPanel(QWidget* parent);

    virtual void fillChannels();
    bool isFahrenheit() const { return false; }
    bool isCustomRate() const { return false; }
    QList<int> selectedChannels() const { return {}; }
    void setPowerState(bool on);
    void logFailed(const QString& reply);
    void enableButtons();
    void applyLogSettings(const SwapFileHeader& header);

    QString sampleRateText;     // decimal hertz of the last start
    QList<int> startedChannels; // channel numbers of the last start

signals:
    void startPowerLog(QString _cmd);
    void stopPowerLog(QString _cmd);
    void requestPowerStatus(QString _cmd);
    void paketReceived(PowerGetPacket& _pack);
    void paketDataReceived(PowerDataPacket& _pack);

public slots:
    void on_changeColorTheme(bool dark);
};

class Power600Panel : public PowerPanel
{
    Q_OBJECT
public:
    explicit Power600Panel(QWidget* parent);
    void fillChannels() override;
};

#pragma once

#include "Panel.h"

#include <QList>
#include <QPixmap>
#include <QString>

class PowerDataPacket;
class PowerGetPacket;
class QListWidgetItem;
class QTimer;
struct SwapFileHeader;

namespace Ui {
class PowerPanel;
}

// The Control-dock panel of a connected supply (or of an opened supply log): the output
// state LED and its poll, the temperature scale, the sample rate, up to five channels,
// and start and stop of the supply's own log. The panel never talks to the supply: each
// command is emitted as a complete text line that the main window sends.
class PowerPanel : public Panel
{
    Q_OBJECT
public:
    static constexpr int maxChannels = 5;
    static constexpr int pollIntervalMs = 2000;

    explicit PowerPanel(QWidget* parent);
    ~PowerPanel() override;

    // The channel list from channelTable (one checkable item per entry), then the rates.
    virtual void fillChannels();
    void fillSampleRates();

    // Rows of the checked channels, ascending; rows are the supply's channel numbers.
    QList<int> selectedChannels() const;
    bool isCustomRate() const;
    bool isFahrenheit() const;

    // The supply's answer to "POWER": the LED, and Start only while no log runs.
    void setPowerState(bool on);
    // A text reply other than the output state: the supply refused or broke off its log.
    void logFailed(const QString& reply);
    // The supply reported that its log ended.
    void enableButtons();
    // The run is over however it ended: the temperature scale may change again.
    void runFinished();
    // Shows an opened log's channels, rate and temperature scale.
    void applyLogSettings(const SwapFileHeader& header);

    Ui::PowerPanel* form() const { return ui; }
    QTimer* pollTimer() const { return m_pollTimer; }

    // The rate text and channel rows of the last started log.
    QString logRate;
    QList<int> logChannels;

signals:
    void startPowerLog(QString _cmd);
    void stopPowerLog(QString _cmd);
    void requestPowerStatus(QString _cmd);
    void paketReceived(PowerGetPacket& _pack);
    void paketDataReceived(PowerDataPacket& _pack);

public slots:
    void on_changeColorTheme(bool dark);
    void startLog();
    void stopLog();
    void pollPowerState();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void setRateMode(bool custom);
    void limitChannels(QListWidgetItem* item);
    QString currentRate();

    Ui::PowerPanel* ui;
    QPixmap m_green;
    QPixmap m_grey;
    QTimer* m_pollTimer;
};

// The panel of the second supply model; its channel table differs, its panel does not.
class Power600Panel : public PowerPanel
{
    Q_OBJECT
public:
    explicit Power600Panel(QWidget* parent);
    void fillChannels() override;
};

#pragma once

#include "Panel.h"

#include <QSet>

class DeviceControl;
class QListWidgetItem;
class StatusControlRequest;
class StatusControlResponse;

namespace Ui {
class ControlPanel;
}

// The analyzer's control dock: channels, sample rate, trigger delay and the load
// output's power configuration. Every button press becomes a request that the panel
// emits; the main window decides whether and when it is sent.
class ControlPanel : public Panel
{
    Q_OBJECT
public:
    static constexpr int sampleRateCount = 13;
    // Channel n sets bit n of the 16-bit mask; higher channel numbers have no bit.
    static constexpr int maskChannels = 16;

    explicit ControlPanel(QWidget* parent);
    ~ControlPanel() override;

    void loadSettings();
    void saveSettings();
    void setChannels();
    void fillSampleRates();
    void retranslate();
    void sendStatusRequest();

    void setStartEnabled(bool enable);
    void setMeasureControlsEnabled(bool enable);
    void enableStopButton();
    void setControlsEnabled(bool enable);
    bool isLoadPowerDisabled() const;

    quint16 sampleWord() const;
    quint16 channelMask() const;
    Ui::ControlPanel* form() const { return ui; }

    // The channel numbers a stored "channels" text selects (parts split at commas,
    // blanks trimmed, empty parts skipped, a part that is no number counting as 0).
    static QSet<int> parseChannelSelection(const QString& text);

signals:
    void startMeasurement(DeviceControl& control);
    void stopMeasurement(DeviceControl& control);
    void requestStatus(StatusControlRequest& request);
    void trigDelayChanged(int value);
    void terminateMeasuring();
    void resetClicked();

public slots:
    void update(StatusControlResponse& response);
    void on_requestStatus(uchar _errorStatus);
    void on_changeColorTheme(bool dark);
    void on_trigDelayChanged(int value);
    void on_startButton();
    void on_stopButton();
    void on_logButton();
    void on_trigButton();
    void on_applyButton();
    void on_powerSetButton();
    void on_toggleAlarm(bool _alarm);
    void on_resetButton();

protected:
    void changeEvent(QEvent* event) override;

private:
    bool oneChannelRate() const;
    void keepOneChannel();
    void keepChangedChannelOnly(QListWidgetItem* item);
    void onCustomRateChanged(int state);
    void emitStart(quint8 command, quint16 triggerDelay);
    void emitStatusRequest(quint8 control, quint16 voltage, quint16 syncDelay);
    void resetErrors();
    void showErrorDetails();
    void showBoxLater(bool alert, const QString& text);
    void setVinButtons(bool vbat, bool vusb);
    void updateRateLabel();

    Ui::ControlPanel* ui;
    int outputVoltage = 0;
    quint8 deviceStatus = 0;
    bool errorShown = false;
};

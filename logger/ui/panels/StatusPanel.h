#pragma once

#include "Panel.h"

class MeasureAll;
class StatusControlResponse;

// The analyzer's read-only status dock. This is the minimal form that the main window
// builds, wires and feeds; the indicators and readings are filled in by its own work.
class StatusPanel : public Panel
{
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent);

    void loadIndicatorIcons();
    void setChannelTexts(const QString& caption0, const QString& caption1, const QString& caption2,
                         const QString& value0, const QString& value1, const QString& value2);
    void setPanelEnabled(bool enable);
    void retranslate();

signals:
    void trigDelayChanged(int value);
    void startButton();
    void stopButton();
    void logButton();
    void trigButton();
    void toggleAlarm(bool alarm);

public slots:
    void update(MeasureAll& measure);
    void update(StatusControlResponse& response);
};

#pragma once

#include "Panel.h"

#include <QPixmap>

class MeasureAll;
class QLabel;
class StatusControlResponse;

namespace Ui {
class StatusPanel;
}

// The analyzer's read-only status dock: the digital pin states as indicator balls and the
// latest readings of the three analog channels and of the input voltage.
class StatusPanel : public Panel
{
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent);
    ~StatusPanel() override;

    void loadIndicatorIcons();
    void showIndicators();
    // Non-empty captions and values replace those of channels 0, 1 and 2.
    void setChannelTexts(const QString& caption0, const QString& caption1, const QString& caption2,
                         const QString& value0, const QString& value1, const QString& value2);
    void setPanelEnabled(bool enable);
    void retranslate();

    Ui::StatusPanel* form() const { return ui; }

signals:
    void terminateMeasuring();
    void requestStatus(uchar _errorStatus);
    void trigDelayChanged(int value);
    void startButton();
    void stopButton();
    void logButton();
    void trigButton();
    void errorIndicatorShown();
    void toggleAlarm(bool _alarm);

public slots:
    void update(MeasureAll& measure);
    void update(StatusControlResponse& response);

protected:
    void changeEvent(QEvent* event) override;

private:
    void setIndicator(QLabel* indicator, quint8 bit, bool red);

    Ui::StatusPanel* ui;
    QPixmap redIcon;
    QPixmap greyIcon;
    quint8 indicatorBits = 0;
    // The pin state the indicators show; pixmaps are set again only for bits that changed.
    quint8 shownBits = 0;
    bool indicatorsShown = false;
};

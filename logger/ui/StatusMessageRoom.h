#pragma once

#include <QObject>

class QStatusBar;
class QWidget;

// Keeps the status bar's message readable whole. The message is written left of the
// bar's permanent strip, whose readout would cut it: while a message stands, the gap
// after the readout shrinks, and where that is not enough the readout steps aside until
// the message goes. A message wider than the whole bar is also the bar's tool tip.
class StatusMessageRoom : public QObject
{
public:
    // `readout` lies in `strip`, the bar's permanent widget; its right margin is the gap.
    StatusMessageRoom(QStatusBar* bar, QWidget* strip, QWidget* readout, int gap);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();
    void setGap(int gap);
    int stripWidth(bool withReadout) const;

    QStatusBar* m_bar;
    QWidget* m_strip;
    QWidget* m_readout;
    int m_gap;
    bool m_fitting = false;
};

#pragma once

#include <QObject>
#include <QString>

class QSpacerItem;
class QStatusBar;
class QWidget;

// Keeps the status bar's message readable whole. The message is written left of the
// bar's permanent strip, whose readout would cut it: while a message stands, the gap
// after the readout shrinks, and where that is not enough the readout steps aside until
// the message goes. A message wider than the whole bar is also the bar's tool tip. The
// room is measured again when the readout or the strip asks for another width (the
// readout fills as the pointer moves). The gap is never part of the strip's minimum: in
// a narrow window it gives way by itself instead of widening the window.
class StatusMessageRoom : public QObject
{
public:
    // `readout` lies in `strip`, the bar's permanent widget; the gap is laid out at the
    // end of the readout's layout.
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
    QSpacerItem* m_space;
    int m_gap;
    // What the strip's items asked for at the last fit.
    int m_fittedWidth = -1;
    bool m_fitting = false;
};

// The status bar's style sheet: no frame around its items (the readout strip), and the
// message in `colour` when one is given. The message helpers change the colour only.
QString statusBarStyleSheet(const QString& colour = QString());

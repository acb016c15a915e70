#pragma once

#include "MarqueeMessage.h"

#include <QLabel>
#include <QList>
#include <QTimer>

// A label that scrolls a sequence of messages across its width, one after the other, in
// a loop. The messages come from a JSON document; each may carry its own colour, speed,
// pause after its pass and a link that a click reports. The label opens nothing itself.
class MarqueeLabel : public QLabel
{
    Q_OBJECT
public:
    static constexpr int tickMs = 25;

    explicit MarqueeLabel(QWidget* parent = nullptr);

    // Appends the messages of the document's "messages" array and starts again from the
    // first; false, with nothing changed, when the document is not valid JSON.
    bool load(const QByteArray& json);
    // Empties the list and stops scrolling; the label shows its last text standing still.
    void clear();
    void start();
    void stop();

    // The line shows its text a piece at a time as it scrolls: it asks for the room of a
    // few words, never for the whole text, which would widen the window it stands in.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    int position() const { return x; }
    int currentIndex() const { return current; }
    bool isPaused() const { return paused; }
    bool isScrolling() const { return timer.isActive(); }

    QList<MarqueeMessage> messages;

public slots:
    void setSpeed(int s);
    void setDirection(int d);
    int speed() const;

signals:
    void clicked(QString link);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void restart();
    void nextMessage();
    void startMessage();
    void measureText();
    void endPass();

    int x = 0;
    QTimer timer;
    // The pause after a pass; it belongs to the label so that it ends with it.
    QTimer pauseTimer;
    int m_speed = 1;
    int direction = 1;
    int textWidth = 0;
    int current = 0;
    bool paused = false;
};

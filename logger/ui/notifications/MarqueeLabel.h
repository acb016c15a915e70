#pragma once

#include <QLabel>

// The scrolling notification line of the status bar. Minimal form: it holds the
// banner text and its running state; the scrolling itself is its own later work.
class MarqueeLabel : public QLabel
{
    Q_OBJECT
public:
    explicit MarqueeLabel(QWidget* parent = nullptr);

    void loadMessages(const QByteArray& json);
    bool isRunning() const { return m_running; }

public slots:
    void start();
    void stop();

private:
    bool m_running = false;
};

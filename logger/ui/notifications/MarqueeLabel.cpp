#include "MarqueeLabel.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace {
constexpr int shownCharacters = 20;
} // namespace

MarqueeLabel::MarqueeLabel(QWidget* parent)
    : QLabel(parent)
{
    connect(&timer, &QTimer::timeout, this, [this] { repaint(); });
    pauseTimer.setSingleShot(true);
    connect(&pauseTimer, &QTimer::timeout, this, &MarqueeLabel::nextMessage);
}

bool MarqueeLabel::load(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        qDebug() << "MarqueeLabel::load()" << error.errorString() << error.offset;
        return false;
    }
    const QJsonArray list = document.object().value(QStringLiteral("messages")).toArray();
    for (const QJsonValue& item : list)
        messages.append(MarqueeMessage::fromJson(item.toObject()));
    restart();
    return true;
}

void MarqueeLabel::clear()
{
    messages.clear();
    timer.stop();
    pauseTimer.stop();
    paused = false;
    current = 0;
}

void MarqueeLabel::start()
{
    show();
    // Callers may start a line that already runs (every report of a tripped run does):
    // restarting the tick each time would keep it from ever firing.
    if (messages.isEmpty() || timer.isActive() || pauseTimer.isActive())
        return;
    if (paused)
        nextMessage(); // a stop cut the pause short
    else
        timer.start(tickMs);
}

void MarqueeLabel::stop()
{
    timer.stop();
    pauseTimer.stop();
    hide();
}

QSize MarqueeLabel::sizeHint() const
{
    return QSize(fontMetrics().averageCharWidth() * shownCharacters, QLabel::sizeHint().height());
}

QSize MarqueeLabel::minimumSizeHint() const
{
    return sizeHint();
}

void MarqueeLabel::setSpeed(int s)
{
    m_speed = s;
}

void MarqueeLabel::setDirection(int d)
{
    direction = d;
    x = direction == 1 ? width() : 0;
}

int MarqueeLabel::speed() const
{
    return m_speed;
}

void MarqueeLabel::restart()
{
    pauseTimer.stop();
    if (messages.isEmpty()) {
        timer.stop();
        return;
    }
    current = 0;
    startMessage();
}

void MarqueeLabel::nextMessage()
{
    ++current;
    if (current >= messages.size()) {
        timer.stop();
        restart();
        return;
    }
    startMessage();
}

void MarqueeLabel::startMessage()
{
    const MarqueeMessage& message = messages.at(current);
    setText(message.message);
    m_speed = message.speed;
    measureText();
    x = direction == 1 ? width() : 0;
    setCursor(message.link.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    timer.start(tickMs);
    paused = false;
}

void MarqueeLabel::measureText()
{
    textWidth = fontMetrics().horizontalAdvance(text());
}

void MarqueeLabel::endPass()
{
    paused = true;
    timer.stop();
    // Seconds from the document, held to what a timer can count.
    const qint64 pause = qint64(messages.at(current).timeoutAfter) * 1000;
    pauseTimer.start(int(std::clamp<qint64>(pause, 0, std::numeric_limits<int>::max())));
}

void MarqueeLabel::paintEvent(QPaintEvent* event)
{
    if (messages.isEmpty() || paused) {
        QLabel::paintEvent(event);
        return;
    }
    if (current >= messages.size())
        current = 0;
    QPainter painter(this);
    const QColor color = messages.at(current).textColor;
    if (color.isValid() && color.alpha() != 0)
        painter.setPen(color);
    if (direction == 1) {
        x -= m_speed;
        if (x <= -textWidth)
            endPass();
    } else {
        x += m_speed;
        if (x >= width())
            endPass();
    }
    painter.drawText(QRect(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}

void MarqueeLabel::resizeEvent(QResizeEvent* event)
{
    measureText();
    QLabel::resizeEvent(event);
}

void MarqueeLabel::mousePressEvent(QMouseEvent*)
{
    if (paused || messages.isEmpty() || current < 0 || current >= messages.size())
        return;
    const QString& link = messages.at(current).link;
    if (!link.isEmpty())
        emit clicked(link);
}

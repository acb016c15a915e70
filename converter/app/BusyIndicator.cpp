#include "BusyIndicator.h"

#include <QPainter>
#include <QTimerEvent>

CapsuleGeometry capsuleGeometry(int w)
{
    CapsuleGeometry g;
    g.outerRadius = int((w - 1) * 0.5);
    g.innerRadius = int((w - 1) * 0.5 * 0.38);
    g.capsuleHeight = g.outerRadius - g.innerRadius;
    g.capsuleWidth = w > 32 ? int(g.capsuleHeight * 0.23) : int(g.capsuleHeight * 0.35);
    g.capsuleRadius = g.capsuleWidth / 2;
    return g;
}

BusyIndicator::BusyIndicator(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
}

void BusyIndicator::startAnimation()
{
    m_angle = 0;
    if (m_timerId == -1)
        m_timerId = startTimer(m_delay, Qt::CoarseTimer);
}

void BusyIndicator::stopAnimation()
{
    if (m_timerId != -1)
        killTimer(m_timerId);
    m_timerId = -1;
    update();
}

void BusyIndicator::setAnimationDelay(int delay)
{
    const bool running = m_timerId != -1;
    if (running)
        killTimer(m_timerId);
    m_delay = delay;
    m_timerId = running ? startTimer(m_delay, Qt::CoarseTimer) : -1;
}

void BusyIndicator::setDisplayedWhenStopped(bool state)
{
    m_displayedWhenStopped = state;
    update();
}

void BusyIndicator::setColor(QColor color)
{
    m_color = color;
    update();
}

QSize BusyIndicator::sizeHint() const
{
    return QSize(20, 20);
}

int BusyIndicator::heightForWidth(int w) const
{
    return w;
}

void BusyIndicator::timerEvent(QTimerEvent*)
{
    m_angle = (m_angle + 30) % 360;
    update();
}

void BusyIndicator::paintEvent(QPaintEvent*)
{
    if (!m_displayedWhenStopped && !isAnimated())
        return;
    const int w = qMin(width(), height());
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const CapsuleGeometry g = capsuleGeometry(w);
    for (int i = 0; i < 12; ++i) {
        QColor color = m_color;
        color.setAlphaF(1.0f - i / 12.0f);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.save();
        p.translate(rect().center());
        p.rotate(m_angle - i * 30.0);
        p.drawRoundedRect(int(-g.capsuleWidth * 0.5), -g.outerRadius, g.capsuleWidth, g.capsuleHeight,
                          g.capsuleRadius, g.capsuleRadius, Qt::AbsoluteSize);
        p.restore();
    }
}

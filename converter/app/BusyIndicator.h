#pragma once

#include <QColor>
#include <QWidget>

// A spinning busy indicator: twelve capsules around a centre, the leading one opaque
// and each following one a twelfth more transparent, turning 30 degrees per step.
class BusyIndicator : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int delay READ animationDelay WRITE setAnimationDelay)
    Q_PROPERTY(bool displayedWhenStopped READ isDisplayedWhenStopped WRITE setDisplayedWhenStopped)
    Q_PROPERTY(QColor color READ color WRITE setColor)
public:
    explicit BusyIndicator(QWidget* parent = nullptr);

    int animationDelay() const { return m_delay; }
    bool isDisplayedWhenStopped() const { return m_displayedWhenStopped; }
    QColor color() const { return m_color; }
    bool isAnimated() const { return m_timerId != -1; }
    int angle() const { return m_angle; }

    QSize sizeHint() const override;
    int heightForWidth(int w) const override;

public slots:
    void startAnimation();
    void stopAnimation();
    void setAnimationDelay(int delay);
    void setDisplayedWhenStopped(bool state);
    void setColor(QColor color);

protected:
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_angle = 0;
    int m_timerId = -1;
    int m_delay = 40;
    bool m_displayedWhenStopped = false;
    QColor m_color = Qt::black;
};

// The capsule sizes for a square of side w.
struct CapsuleGeometry
{
    int outerRadius;
    int innerRadius;
    int capsuleHeight;
    int capsuleWidth;
    int capsuleRadius;
};
CapsuleGeometry capsuleGeometry(int w);

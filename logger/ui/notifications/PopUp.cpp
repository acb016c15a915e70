#include "PopUp.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

PopUp::PopUp(QWidget* parent)
    : QWidget(parent)
    , animation(this, "popupOpacity", this)
    , hideTimer(this)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);

    // Only the end of a fade-out closes the window: hide() does nothing above opacity 0.
    connect(&animation, &QAbstractAnimation::finished, this, &PopUp::hide);

    label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label.setStyleSheet(labelStyleSheet());
    layout.addWidget(&label);
    setLayout(&layout);

    connect(&hideTimer, &QTimer::timeout, this, &PopUp::hideAnimation);
}

void PopUp::setPopupOpacity(float opacity)
{
    popupOpacity = opacity;
    setWindowOpacity(opacity);
}

void PopUp::setTextColor(const QString& color)
{
    textColor = color;
    label.setStyleSheet(labelStyleSheet());
}

QString PopUp::labelStyleSheet() const
{
    return QStringLiteral("QLabel { color : ") + textColor
        + QStringLiteral(";margin-top: 6px;margin-bottom: 6px;margin-left: 10px;margin-right: 10px; }");
}

void PopUp::setPopupText(const QString& text)
{
    move(QCursor::pos() + QPoint(1, 1));
    label.setText(text);
    adjustSize();
    show();
}

QString PopUp::getPopupText() const
{
    return label.text();
}

void PopUp::fadeIn()
{
    setWindowOpacity(0.0);
    QWidget::show();
    animation.stop();
    animation.setDuration(fadeInMs);
    animation.setStartValue(0.0f);
    animation.setEndValue(1.0f);
    animation.start();
}

void PopUp::show()
{
    fadeIn();
    if (autoHide)
        hideTimer.start(displayTime);
}

void PopUp::hide()
{
    if (popupOpacity == 0.0f)
        QWidget::hide();
}

void PopUp::focusShow()
{
    QWidget::show();
}

void PopUp::focusHide()
{
    QWidget::hide();
}

void PopUp::hideAnimation()
{
    hideTimer.stop();
    animation.stop();
    animation.setDuration(fadeOutMs);
    animation.setStartValue(1.0f);
    animation.setEndValue(0.0f);
    animation.start();
}

void PopUp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area(rect().left() + 5, rect().top() + 5, width() - 10, height() - 10);
    painter.setBrush(backgroundColor);
    painter.setPen(borderColor);
    painter.drawRoundedRect(area, 5, 5);
}

void PopUp::mousePressEvent(QMouseEvent* event)
{
    pressPos = event->position().toPoint();
}

void PopUp::mouseMoveEvent(QMouseEvent* event)
{
    move(event->globalPosition().toPoint() - pressPos);
}

#include "ClickableLabel.h"

ClickableLabel::ClickableLabel(QWidget* parent)
    : QLabel(parent)
{
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent*)
{
    QString current = text();
    emit clicked(current);
}

void ClickableLabel::enterEvent(QEnterEvent* event)
{
    if (text().contains(QLatin1String("color='green'")))
        setCursor(Qt::PointingHandCursor);
    QLabel::enterEvent(event);
}

void ClickableLabel::leaveEvent(QEvent* event)
{
    setCursor(Qt::ArrowCursor);
    QLabel::leaveEvent(event);
}

#pragma once

#include <QColor>
#include <QJsonObject>
#include <QString>

// One message of the scrolling line, as read from its JSON object.
struct MarqueeMessage
{
    QString message;
    QString link;
    int timeoutAfter = 0;  // seconds of pause after the message's pass
    QColor textColor{Qt::transparent}; // transparent: the label's own text colour
    int speed = 1;         // pixels per tick

    static MarqueeMessage fromJson(const QJsonObject& object);
};

// A colour given as "rrggbb" or "#rrggbb" or a colour name; transparent when empty or
// not a colour.
QColor marqueeColor(const QString& text);

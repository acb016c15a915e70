#include "MarqueeMessage.h"

QColor marqueeColor(const QString& text)
{
    if (text.isEmpty())
        return Qt::transparent;
    const QColor color = QColor::fromString(text.startsWith(QLatin1Char('#')) ? text : QLatin1Char('#') + text);
    return color.isValid() ? color : QColor(Qt::transparent);
}

MarqueeMessage MarqueeMessage::fromJson(const QJsonObject& object)
{
    MarqueeMessage m;
    m.message = object.value(QStringLiteral("message")).toString();
    m.link = object.value(QStringLiteral("linkto")).toString();
    m.timeoutAfter = object.value(QStringLiteral("timeoutafter")).toInt(0);
    m.textColor = marqueeColor(object.value(QStringLiteral("textcolor")).toString());
    m.speed = object.value(QStringLiteral("speed")).toInt(1);
    return m;
}

#include "MarqueeLabel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

MarqueeLabel::MarqueeLabel(QWidget* parent)
    : QLabel(parent)
{
    hide();
}

void MarqueeLabel::loadMessages(const QByteArray& json)
{
    const QJsonArray messages = QJsonDocument::fromJson(json).object().value(QStringLiteral("messages")).toArray();
    setText(messages.isEmpty() ? QString() : messages.first().toObject().value(QStringLiteral("message")).toString().trimmed());
}

void MarqueeLabel::start()
{
    m_running = true;
    show();
}

void MarqueeLabel::stop()
{
    m_running = false;
    hide();
}

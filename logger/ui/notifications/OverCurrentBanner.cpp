#include "OverCurrentBanner.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QByteArray overCurrentBannerJson()
{
    const QString text = QCoreApplication::translate("MainWindow", "Attention! The current has exceeded 1A.");
    QJsonObject message;
    message.insert(QStringLiteral("message"), QStringLiteral("     %1     ").arg(text));
    message.insert(QStringLiteral("timeoutafter"), 0);
    message.insert(QStringLiteral("textcolor"), QStringLiteral("dddd00"));
    message.insert(QStringLiteral("speed"), 2);
    message.insert(QStringLiteral("enddate"), QStringLiteral("21211231"));
    QJsonObject root;
    root.insert(QStringLiteral("messages"), QJsonArray{message});
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

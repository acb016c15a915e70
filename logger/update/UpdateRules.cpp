#include "UpdateRules.h"

#include "Settings.h"

#include <QDebug>
#include <QDomDocument>
#include <QStringList>
#include <QUrlQuery>

namespace {

const QString defaultServer = QStringLiteral("https://update.korvanite.com");

// Larger parts, like negative ones, are no version a server or an instrument sends; they
// count as invalid, which also keeps the scaled sum far from overflowing.
constexpr qint64 largestPart = 999999999;

qint64 partValue(const QString& part)
{
    bool ok = false;
    const qint64 value = part.toLongLong(&ok, 10);
    return ok && value >= 0 && value <= largestPart ? value : 0;
}

qint64 scaled(const QStringList& parts)
{
    return partValue(parts.value(0)) * 1000000 + partValue(parts.value(1)) * 1000 + partValue(parts.value(2));
}

} // namespace

std::optional<qint64> versionNumber(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() < 3)
        return std::nullopt;
    return scaled(parts);
}

std::optional<qint64> firmwareVersionNumber(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() < 2)
        return std::nullopt;
    return scaled(parts);
}

UpdateModel updateModelForSerial(const QString& serial)
{
    const QString prefix = serial.left(4);
    if (prefix == QLatin1String("5001"))
        return {QStringLiteral("talvo"), QStringLiteral("0")};
    if (prefix == QLatin1String("5002"))
        return {QStringLiteral("hollowcrestpower"), QStringLiteral("1")};
    if (prefix == QLatin1String("5003"))
        return {QStringLiteral("hollowcrestpower600"), QStringLiteral("1")};
    return {QStringLiteral("other"), QStringLiteral("0")};
}

QUrl updateServer()
{
    const QByteArray fromEnvironment = qgetenv("TALVO_UPDATE_SERVER");
    if (!fromEnvironment.isEmpty())
        return QUrl(QString::fromUtf8(fromEnvironment), QUrl::TolerantMode);
    Settings settings;
    return QUrl(settings.value(QStringLiteral("Update/server"), defaultServer).toString(), QUrl::TolerantMode);
}

QUrl softwareInfoUrl(const QUrl& server)
{
    QUrl url(server);
    url.setPath(QStringLiteral("/getsoftware"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("model"), QStringLiteral("talvo"));
    query.addQueryItem(QStringLiteral("os"), QStringLiteral("win"));
    url.setQuery(query);
    return url;
}

QUrl firmwareInfoUrl(const QUrl& server, const QString& serial)
{
    const UpdateModel model = updateModelForSerial(serial);
    QUrl url(server);
    url.setPath(QStringLiteral("/getfirmware"));
    // The serial number comes from the device: every character is encoded, so it can
    // never add or change a query item.
    QUrlQuery query;
    const auto item = [&query](const QString& key, const QString& value) {
        query.addQueryItem(key, QString::fromLatin1(QUrl::toPercentEncoding(value)));
    };
    item(QStringLiteral("app"), QStringLiteral("talvo"));
    item(QStringLiteral("model"), model.model);
    item(QStringLiteral("revision"), model.revision);
    item(QStringLiteral("sn"), serial);
    item(QStringLiteral("os"), QStringLiteral("win"));
    url.setQuery(query);
    return url;
}

UpdateReply parseUpdateReply(const QByteArray& body)
{
    UpdateReply reply;
    QDomDocument document;
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(body, &message, &line, &column)) {
        reply.problem = QStringLiteral("Wrong XML content: %1[line %2 column %3]").arg(message).arg(line).arg(column);
        return reply;
    }
    bool found = false;
    for (QDomNode node = document.documentElement().firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement element = node.toElement();
        if (element.isNull())
            continue;
        qDebug().noquote() << "Downloader::parse TAG:" + element.tagName() + " TEXT:" + element.text();
        if (element.tagName() == QLatin1String("INFO"))
            reply.info = element.text();
        else if (element.tagName() == QLatin1String("VERSION"))
            reply.version = element.text();
        else if (element.tagName() == QLatin1String("LINK"))
            reply.link = element.text();
        else
            continue;
        found = true;
    }
    if (!found) {
        reply.problem = QStringLiteral("No update information in the reply");
        return reply;
    }
    reply.valid = true;
    return reply;
}

bool isDownloadLink(const QString& link)
{
    const QUrl url(link, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
           && !url.host().isEmpty();
}

bool looksLikeHtml(const QByteArray& body, const QByteArray& contentType)
{
    if (contentType.trimmed().toLower().startsWith("text/html"))
        return true;
    // Only the start counts: a firmware image may well carry a web page of its own.
    const QByteArray start = body.left(512).trimmed().toLower();
    return start.startsWith("<!doctype html") || start.startsWith("<html");
}

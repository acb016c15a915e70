#include "Downloader.h"

#include "UpdateRules.h"

#include <QDebug>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

const QLoggingCategory& downloaderCategory()
{
    static const QLoggingCategory category("downloader");
    return category;
}

} // namespace

Downloader::Downloader(QObject* parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_stallTimer(new QTimer(this))
{
    m_stallTimer->setSingleShot(true);
    m_stallTimer->setInterval(defaultTimeoutMs);
    connect(m_manager, &QNetworkAccessManager::finished, this, &Downloader::fileDownloaded);
    connect(m_stallTimer, &QTimer::timeout, this, &Downloader::timeout);
}

void Downloader::setTimeout(int milliseconds)
{
    m_stallTimer->setInterval(milliseconds);
}

int Downloader::downloadInfo(const QUrl& url)
{
    if (m_state == Running)
        return 1;
    start(url, true);
    return 0;
}

bool Downloader::hasFileLink() const
{
    return isDownloadLink(m_link);
}

void Downloader::downloadFile()
{
    if (m_state == Running)
        return;
    if (!hasFileLink()) {
        // Left to the network, an empty or garbled link reads "Protocol "" is unknown".
        fail(tr("The update server gave no firmware to download."));
        QTimer::singleShot(0, this, &Downloader::downloadFileComplete);
        return;
    }
    start(QUrl(m_link, QUrl::TolerantMode), false);
}

void Downloader::start(const QUrl& url, bool infoRequest)
{
    m_infoRequest = infoRequest;
    m_timedOut = false;
    m_bytesSeen = 0;
    m_state = Running;
    m_reply = m_manager->get(QNetworkRequest(url));
    if (!infoRequest)
        connect(m_reply, &QNetworkReply::downloadProgress, this, &Downloader::progress);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &Downloader::progressTmr);
    // A server that never answers at all times out too, not only one that stops midway.
    m_stallTimer->start();
}

void Downloader::progressTmr(qlonglong, qlonglong)
{
    m_bytesSeen = m_reply ? m_reply->bytesAvailable() : 0;
    m_stallTimer->start();
}

void Downloader::timeout()
{
    if (!m_reply)
        return;
    // The reply keeps what arrived until the download ends. Bytes that reached it since
    // the timer last started show a server that still answers, also where a busy machine
    // runs this timer before their progress signal.
    const qint64 received = m_reply->bytesAvailable();
    if (received > m_bytesSeen) {
        m_bytesSeen = received;
        m_stallTimer->start();
        return;
    }
    m_timedOut = true;
    m_reply->abort();
}

void Downloader::fileDownloaded(QNetworkReply* reply)
{
    reply->deleteLater();
    // Only the reply of the running request counts; one given up earlier is dropped.
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    m_state = Idle;
    m_stallTimer->stop();
    // An aborted reply is closed and has nothing left to read.
    m_data = reply->isOpen() ? reply->readAll() : QByteArray();

    if (m_timedOut)
        fail(tr("The update server stopped answering."));
    else if (reply->error() != QNetworkReply::NoError)
        fail(reply->errorString());
    else if (m_infoRequest)
        parse(m_data);
    else
        checkFile(reply);

    if (m_infoRequest)
        emit downloadInfoComplete();
    else
        emit downloadFileComplete();
}

void Downloader::fail(const QString& text)
{
    m_error = text;
    m_link.clear();
    m_info = text;
}

void Downloader::parse(const QByteArray& data)
{
    const UpdateReply reply = parseUpdateReply(data);
    if (!reply.valid) {
        qCWarning(downloaderCategory).noquote() << reply.problem;
        // An answer that carries no update information is a failed check, never an
        // answer that says "nothing new".
        fail(tr("The update server's answer could not be read."));
        m_version.clear();
        return;
    }
    m_error.clear();
    m_link = reply.link;
    m_version = reply.version;
    m_info = reply.info.isEmpty() ? tr("Version info:") : reply.info;
}

void Downloader::checkFile(QNetworkReply* reply)
{
    const QByteArray contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    bool announced = false;
    const qlonglong length = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&announced);
    if (looksLikeHtml(m_data, contentType))
        fail(tr("Server does not have firmware file."));
    else if (announced && m_data.size() < length)
        fail(tr("The firmware download is incomplete."));
    else
        m_error.clear();
}

void Downloader::reset()
{
    m_error.clear();
    m_info.clear();
    m_link.clear();
    m_data.clear();
}

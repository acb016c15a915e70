#pragma once

// One HTTP GET at a time against the update server: update-information requests, whose
// XML reply gives the INFO, VERSION and LINK texts, and the download of the file that the
// last LINK names. Every request ends, answered, failed or timed out, with its completion
// signal; error() then tells whether it failed.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

class Downloader : public QObject
{
    Q_OBJECT

public:
    static constexpr int defaultTimeoutMs = 30000;

    explicit Downloader(QObject* parent = nullptr);

    // 1 when a request is running (nothing is sent), 0 when the request went out.
    int downloadInfo(const QUrl& url);
    // GET of the stored link; nothing happens while a request runs. Without a link to
    // download from, the download fails at once (its completion still comes as a signal).
    void downloadFile();

    QString link() const { return m_link; }
    // The last answer named a file that can be downloaded.
    bool hasFileLink() const;
    QString info() const { return m_info; }
    QString version() const { return m_version; }
    QByteArray data() const { return m_data; }
    // Why the last request failed; empty when it succeeded.
    QString error() const { return m_error; }

    // Time without any progress after which a request is given up.
    void setTimeout(int milliseconds);

signals:
    void downloadFileComplete();
    void downloadInfoComplete();
    void progress(qlonglong dowload, qlonglong total);

public slots:
    void fileDownloaded(QNetworkReply* reply);
    void timeout();
    void progressTmr(qlonglong dowload, qlonglong total);
    void reset();

private:
    enum State { Running = 1, Idle = 2 };

    void start(const QUrl& url, bool infoRequest);
    void fail(const QString& text);
    void parse(const QByteArray& data);
    void checkFile(QNetworkReply* reply);

    int m_state = Idle;
    QNetworkAccessManager* m_manager = nullptr;
    QByteArray m_data;
    QNetworkReply* m_reply = nullptr;
    QString m_link;
    QString m_info;
    QString m_version;
    QString m_error;
    bool m_infoRequest = false;
    bool m_timedOut = false;
    qint64 m_bytesSeen = 0; // what the reply held when the stall timer last started
    QTimer* m_stallTimer = nullptr;
};

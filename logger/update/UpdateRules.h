#pragma once

// What the update server is asked and what its answers mean, free of any network or
// widget code: version numbers, the model of a serial number, the request addresses and
// the update-information reply.

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

// "a.b.c" as a × 1,000,000 + b × 1,000 + c; each part a base-10 number (an invalid part
// counts as 0). Texts of fewer than three parts have no number.
std::optional<qint64> versionNumber(const QString& text);

// An instrument's own firmware version, "major.minor" (or "a.b.c"), on the same scale as
// versionNumber: "1.05" is 1.5.0. Texts of fewer than two parts have no number.
std::optional<qint64> firmwareVersionNumber(const QString& text);

// Model and revision the update server knows an instrument by, from the first four
// characters of its serial number.
struct UpdateModel
{
    QString model;
    QString revision;
};
UpdateModel updateModelForSerial(const QString& serial);

// Base address of the update server: "Update"/"server" of the settings, overridden by
// the environment variable TALVO_UPDATE_SERVER (test runs and demos point it elsewhere).
QUrl updateServer();
QUrl softwareInfoUrl(const QUrl& server);
QUrl firmwareInfoUrl(const QUrl& server, const QString& serial);

// One update-information reply: the INFO, VERSION and LINK texts of its root element.
struct UpdateReply
{
    bool valid = false;   // well-formed XML carrying at least one of the three texts
    QString problem;      // why it is not valid (for the log)
    QString info;
    QString version;
    QString link;
};
UpdateReply parseUpdateReply(const QByteArray& body);

// A LINK the program can download from: an absolute http or https address with a host.
bool isDownloadLink(const QString& link);

// A body that is a web page (an error or a placeholder page) rather than a file.
bool looksLikeHtml(const QByteArray& body, const QByteArray& contentType = QByteArray());

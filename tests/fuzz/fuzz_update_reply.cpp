// The update server's reply and the version texts it carries. A reply is valid exactly
// when it names no problem, and a version number is never negative whatever digits the
// server sends.

#include "FuzzSupport.h"

#include "UpdateRules.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const QByteArray body(reinterpret_cast<const char*>(data), int(size));
    const UpdateReply reply = parseUpdateReply(body);
    FUZZ_CHECK(reply.valid == reply.problem.isEmpty());
    if (!reply.valid)
        FUZZ_CHECK(reply.info.isEmpty() && reply.version.isEmpty() && reply.link.isEmpty());
    looksLikeHtml(body);

    const QString text = QString::fromUtf8(body);
    for (const QString& version : {text, reply.version}) {
        if (const std::optional<qint64> number = versionNumber(version))
            FUZZ_CHECK(*number >= 0);
        if (const std::optional<qint64> number = firmwareVersionNumber(version))
            FUZZ_CHECK(*number >= 0);
    }
    firmwareInfoUrl(QUrl(QStringLiteral("http://localhost")), text.left(64));
    return 0;
}

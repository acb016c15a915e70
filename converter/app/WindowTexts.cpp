#include "WindowTexts.h"

#include "Languages.h"
#include "ReaderErrors.h"
#include "RowText.h"
#include "SwapFile.h"

#include <QCoreApplication>

namespace {
QString coloured(const char* color, const QString& text)
{
    return QStringLiteral("<font color='%1'>%2</font>").arg(QLatin1String(color), text);
}

QString listPart(const QString& heading, const QStringList& lines)
{
    if (lines.size() <= batchListLines)
        return heading + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
    // The last line the part has room for says how many are left out.
    const int listed = batchListLines - 1;
    const int more = int(lines.size()) - listed;
    return heading + QLatin1Char('\n') + lines.mid(0, listed).join(QLatin1Char('\n')) + QLatin1Char('\n')
           + QCoreApplication::translate("MainWindow", "… and %n more", nullptr, more);
}
} // namespace

QString statusLineText(const StatusMessage& message)
{
    switch (message.kind) {
    case StatusMessage::None:
        break;
    case StatusMessage::Output:
        return coloured("green", message.name);
    case StatusMessage::Failed: {
        // A log of a batch is named, with its reason when it has one (a cancel has none).
        QString detail = readerErrorText(message.code);
        if (!message.name.isEmpty())
            detail = detail.isEmpty() ? message.name : message.name + QStringLiteral(": ") + detail;
        return coloured("red", QCoreApplication::translate("MainWindow", "Oops! Something went wrong.")
                                   + QLatin1Char(' ') + detail);
    }
    case StatusMessage::Canceled:
        return coloured("blue", QCoreApplication::translate("MainWindow", "Canceled."));
    case StatusMessage::WrongName:
        return coloured("red", QCoreApplication::translate("MainWindow", "Wrong file name."));
    case StatusMessage::Refused:
        return coloured("red", QCoreApplication::translate("MainWindow", "This log cannot be read:")
                                   + QLatin1Char(' ') + readerErrorText(message.code));
    case StatusMessage::CutOff:
        return coloured("orange", QCoreApplication::translate("MainWindow", "This log was cut off: it holds %1 samples.")
                                      .arg(message.samples));
    }
    return QString();
}

QString summaryText(const LogSummary& summary, const QString& languageCode)
{
    if (!summary.valid)
        return QString();
    const SwapFileHeader& h = summary.header;
    QString text = QCoreApplication::translate("MainWindow", "File format version: ") + QString::number(h.version)
                   + QLatin1Char('\n');
    if (h.version > 1 && summary.creationTime != 0 && isRecordedClockTime(summary.creationTime))
        text += QCoreApplication::translate("MainWindow", "Start time: ")
                + utcTimeText(summary.creationTime, languageCode) + QLatin1Char('\n');
    text += QCoreApplication::translate("MainWindow", "Duration: ") + QString::number(summary.endTime, 'g', 6)
            + QCoreApplication::translate("MainWindow", " sec\n");
    text += QCoreApplication::translate("MainWindow", "Channels: ") + QString::number(h.channelCount)
            + QLatin1Char('\n');
    text += QCoreApplication::translate("MainWindow", "Sample rate: %1kHz\n")
                .arg(QString::number(10.0 / qint16(h.samplePeriod), 'f', 3));
    return text;
}

QString batchReportText(const QStringList& failed, const QStringList& cutOff)
{
    QStringList parts;
    if (!failed.isEmpty())
        parts << listPart(QCoreApplication::translate("MainWindow", "These logs were not converted:"), failed);
    if (!cutOff.isEmpty())
        parts << listPart(
            QCoreApplication::translate("MainWindow", "These logs were cut off; their samples were converted:"), cutOff);
    return parts.join(QStringLiteral("\n\n"));
}

#include "CaptureTitle.h"

#include "UnitFormat.h"

#include <QCoreApplication>

QString captureTitle(const SwapFileHeader& header, const QList<int>& channels, bool powerMode,
                     double endTime)
{
    if (header.channelMask == 0)
        return QString();
    QString channelText;
    for (const int channel : channels)
        channelText += QStringLiteral("#%1, ").arg(channel);

    QString text;
    if (powerMode) {
        // A period of 0 from a damaged header would divide by zero; it shows rate 0.
        const qint16 period = qint16(header.samplePeriod);
        const int rate = period != 0 ? int(1.0 / (period * 0.0001)) : 0;
        text = QCoreApplication::translate("GLWidget", "Channels: %1 Sample rate: %2 Hz")
                   .arg(channelText)
                   .arg(rate);
    } else {
        text = QCoreApplication::translate("GLWidget", "Channels: %1 Sample rate: %2%3")
                   .arg(channelText)
                   .arg(header.samplePeriod)
                   .arg(sampleRateText(header.samplePeriod));
    }
    if (endTime != 0)
        text += QCoreApplication::translate("GLWidget", ", Measurement time: %3")
                    .arg(formatTime(endTime, true, 3));
    return text;
}

QString wrapTitle(const QString& text, const QFontMetrics& metrics, int width)
{
    const QStringList words = text.split(QLatin1Char(' '));
    QStringList lines;
    QString line = words.first();
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString longer = line + QLatin1Char(' ') + words.at(i);
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            lines << line;
            line = words.at(i);
        } else {
            line = longer;
        }
    }
    lines << line;
    return lines.join(QLatin1Char('\n'));
}

#include "RecordLayout.h"

#include "SwapFileErrors.h"

#include <QStringList>

#include <algorithm>

namespace RecordLayout {

qint64 recordSize(int channelCount)
{
    return qint64(channelCount + 1) * qint64(sizeof(double));
}

qint64 estimatedIndex(double t, quint16 samplePeriod)
{
    const double index = t * 10000.0 / double(samplePeriod);
    if (!(index > 0.0))
        return 0;
    // Far beyond any file; keeps the conversion defined.
    if (index >= 9.0e15)
        return qint64(9.0e15);
    return qint64(index);
}

Stretch windowStretch(double centre, double width, double endTime)
{
    Stretch s;
    s.start = std::max(0.0, centre - width * 0.5);
    s.end = s.start + width;
    if (s.end > endTime) {
        s.end = endTime;
        s.start = std::max(0.0, endTime - width);
    }
    return s;
}

int headerProblem(const SwapFileHeader& header)
{
    if (LogHeaderRule::isNewerVersion(header))
        return SwapFileErrors::WrongVersion;
    return layoutProblem(header);
}

int layoutProblem(const SwapFileHeader& header)
{
    switch (LogHeaderRule::layoutOf(header)) {
    case LogHeaderRule::Layout::NoSamplePeriod:
        return SwapFileErrors::WrongVersion;
    case LogHeaderRule::Layout::ChannelsDisagree:
        return SwapFileErrors::WrongChannels;
    case LogHeaderRule::Layout::Sound:
        break;
    }
    return SwapFileErrors::None;
}

bool parseThresholds(const QString& text, double thresholds[3])
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return false;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const double value = parts.at(i).toDouble(&ok);
        // The comparisons are false for a NaN.
        if (ok && value >= minimumThreshold && value <= maximumThreshold)
            thresholds[i] = value;
    }
    return true;
}

} // namespace RecordLayout

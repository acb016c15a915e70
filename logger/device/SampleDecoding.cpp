#include "SampleDecoding.h"

#include "ChannelInfo.h"
#include "MeasureAll.h"
#include "PowerPackets.h"
#include "TemperatureScale.h"

#include <cmath>

namespace {
constexpr int reportEnd = Packet::bufferSize;
constexpr int sampleBytes = reportEnd - MeasureAll::samplesOffset; // 57

// Rows of rowWidth bytes that both the report claims and the report can hold.
int rowsThatFit(int claimedRows, int rowWidth)
{
    return rowWidth > 0 ? qMin(claimedRows, sampleBytes / rowWidth) : 0;
}
} // namespace

double analyzerSampleValue(quint8 first, quint8 second, const ChannelInfo& info)
{
    switch (info.dataType()) {
    case 0: {
        const double value = qint16(quint16(first << 8 | second));
        return value < -100.0 ? -100.0 : value;
    }
    case 1: {
        const quint16 word = quint16(first << 8 | second);
        const int range = word >> 14;
        const int mantissa = word & 0x3FFF;
        return info.baseNumber() * std::pow(10.0, info.minExponent() + range) * (mantissa / 16383.0) * 1000.0;
    }
    default:
        return qint16(quint16(second << 8 | first));
    }
}

double powerSampleValue(int channel, quint16 pattern, bool fahrenheit)
{
    switch (channel) {
    case 6:
        return pattern;
    case 4:
    case 5: {
        const double celsius = qint16(pattern);
        return fahrenheit ? toFahrenheit(celsius) : celsius;
    }
    case 3:
    case 9:
    case 11:
    case 13:
        return pattern / 100.0;
    default:
        return pattern / 10.0;
    }
}

int powerSampleWidth(int dataType)
{
    return dataType == 0 || dataType == 1 ? 2 : 1;
}

QList<double> MeasureAll::channelValues(int index, int count, const ChannelInfo& info) const
{
    QList<double> result;
    if (info.descriptor() == 0 || count <= 0 || index < 0 || index >= count)
        return result;
    const int rows = rowsThatFit(this->rows(), 2 * count);
    result.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        const int at = samplesOffset + 2 * (r * count + index);
        result.append(analyzerSampleValue(m_buffer[at], m_buffer[at + 1], info));
    }
    return result;
}

QMap<int, QList<double>> MeasureAll::values() const
{
    int selected[3];
    int count = 0;
    for (int channel = 0; channel < 3; ++channel) {
        if (channelMask() & (1 << channel))
            selected[count++] = channel;
    }
    QMap<int, QList<double>> result;
    for (int index = 0; index < count; ++index)
        result.insert(selected[index], channelValues(index, count, ChannelInfo(quint8(selected[index]))));
    return result;
}

QMap<int, QList<double>> MeasurePower::values(const QList<int>& channels, bool fahrenheit) const
{
    const int n = int(channels.size());
    QList<int> types(n, 0);
    int rowWidth = 0;
    for (int j = 0; j < n; ++j) {
        const int c = channels.at(j);
        // Numbers outside the table's key range have no description: type 0.
        types[j] = c >= 0 && c <= 0xFF && channelTable.contains(quint8(c)) ? channelTable.value(quint8(c)).dataType() : 0;
        rowWidth += powerSampleWidth(types[j]);
    }
    const int rows = rowsThatFit(this->rows(), rowWidth);

    QMap<int, QList<double>> result;
    for (int j = 0; j < n; ++j)
        result[j].reserve(rows);
    int at = MeasureAll::samplesOffset;
    for (int r = 0; r < rows; ++r) {
        for (int j = 0; j < n; ++j) {
            quint16 pattern = 0;
            switch (types[j]) {
            case 0:
                pattern = quint16(m_buffer[at] << 8 | m_buffer[at + 1]);
                break;
            case 2:
                pattern = quint16(qint16(qint8(m_buffer[at])));
                break;
            case 3:
                pattern = m_buffer[at];
                break;
            default:
                break;
            }
            result[j].append(powerSampleValue(channels.at(j), pattern, fahrenheit));
            at += powerSampleWidth(types[j]);
        }
    }
    return result;
}

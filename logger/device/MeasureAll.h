#pragma once

// The analyzer's measurement report, descriptor 5, streamed while measuring:
//   [1..3] number of the report's first sample, 24-bit big-endian  [4] status
//   [5] bits 0..2 channel mask (channels 0 to 2), bits 3..7 pin state
//   [6] sample rows  [7..63] 16-bit samples, row after row, one per selected channel in
//   ascending channel order

#include "Packet.h"

#include <QList>
#include <QMap>
#include <QMetaType>

class ChannelInfo;

class MeasureAll : public Packet
{
public:
    static constexpr quint8 Descriptor = 5;
    static constexpr int samplesOffset = 7;

    MeasureAll();
    MeasureAll(const void* data, int length);
    MeasureAll(const MeasureAll& other) = default;
    MeasureAll& operator=(const MeasureAll& other) = default;

    QString toString() const override;

    quint32 packetCounter() const { return bigEndian24(1); }
    quint8 status() const { return byteAt(4); }
    quint8 channelMask() const { return byteAt(5) & 0x07; }
    quint8 pinState() const { return byteAt(5) & 0xF8; }
    quint8 rows() const { return byteAt(6); }

    // Values per channel number, one per sample row that fits the report, in row order.
    QMap<int, QList<double>> values() const;
    // The values of the channel at position index among count selected channels, decoded
    // with info's data type; empty when info is not a channel description.
    QList<double> channelValues(int index, int count, const ChannelInfo& info) const;
};
Q_DECLARE_METATYPE(MeasureAll)

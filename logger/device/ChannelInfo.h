#pragma once

// One channel's description, descriptor 4:
//   [4] channel number (the table key)  [5] data type  [6] base number
//   [7] minimum exponent  [12..59] "unit,name," Latin-1, zero-padded
// plus the channel's value range and the decimals its value axis shows.

#include "Packet.h"

#include <QMap>

class ChannelInfo : public Packet
{
public:
    static constexpr quint8 Descriptor = 4;
    static constexpr int infoOffset = 12;
    static constexpr int infoLength = 48;
    static constexpr double defaultUpper = 10000000.0;

    // A zero report with descriptor 4, range 0..10000000 and precision 1.
    ChannelInfo();
    // A received reply: the report with the default range and precision.
    ChannelInfo(const void* data, int length);
    // A copy of the table's entry for channel; a default ChannelInfo (channel byte 0)
    // when the table has none.
    explicit ChannelInfo(quint8 channel);
    ChannelInfo(const ChannelInfo& other) = default;
    ChannelInfo& operator=(const ChannelInfo& other) = default;
    ~ChannelInfo() override;

    QString toString() const override;

    quint8 channel() const { return byteAt(4); }
    quint8 dataType() const { return byteAt(5); }
    quint8 baseNumber() const { return byteAt(6); }
    quint8 minExponent() const { return byteAt(7); }
    QString infoText() const { return textField(infoOffset, infoLength); }
    // The fields of the information text: "unit,name,".
    QString unit() const;
    QString name() const;

    // Inserts this description into channelTable under its channel byte, replacing any
    // entry with the same number.
    void store() const;
    static int channelCount();
    static void clearTable();

    double lower = 0.0;
    double upper = defaultUpper;
    int precision = 1;
};

using ChannelTable = QMap<quint8, ChannelInfo>;

// The connected or loaded instrument's channels by number, ascending. GUI thread only.
extern ChannelTable channelTable;

#pragma once

// The connected (or loaded) instrument's identity, descriptor 1:
//   [1] device id  [2] version byte  [3] channel count  [4..7] serial, big-endian
//   [8..63] information text, Latin-1, zero-padded
// The logger keeps one global instance; the request sends it unchanged and the reply is
// copied into it whole.

#include "Packet.h"

class DeviceInfo : public Packet
{
public:
    static constexpr quint8 Descriptor = 1;
    static constexpr int infoOffset = 8;
    static constexpr int infoLength = 56;

    DeviceInfo();
    DeviceInfo(const void* data, int length);
    DeviceInfo(const DeviceInfo& other) = default;
    DeviceInfo& operator=(const DeviceInfo& other) = default;

    QString toString() const override;

    // The global instance, created on first use. It lives until the program ends and is
    // only ever overwritten in place (resetInstance), so holders never see it go away.
    static DeviceInfo& instance();
    // Back to descriptor 1 with every other byte zero.
    static void resetInstance();

    quint8 deviceId() const { return byteAt(1); }
    quint8 version() const { return byteAt(2); }
    quint8 channelCount() const { return byteAt(3); }
    quint32 serial() const { return bigEndian32(4); }
    QString infoText() const { return textField(infoOffset, infoLength); }

    // Serial number in decimal, at least 9 digits, zero-padded.
    QString serialNumber() const;
    // "major.minor": version / 100 + 1, then version % 100 as two digits.
    QString versionText() const;
};

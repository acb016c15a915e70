#pragma once

// The analyzer's measurement request and its acknowledgement, descriptor 2:
//   [1] command  [3] error code (acknowledgement)  [4..5] channel mask, big-endian
//   [6..7] sample-rate word (period in 100 µs units), big-endian  [8] payload type
//   [9..10] trigger delay in ms, big-endian
// Each capture tab keeps a copy as its settings; the swap file's header is written from it.

#include "Packet.h"

#include <QMetaType>

class DeviceControl : public Packet
{
public:
    static constexpr quint8 Descriptor = 2;
    enum Command : quint8 {
        CommandLog = 0x08,
        CommandTrigDelayed = 0x10,
        CommandTrig = 0x20,
        CommandStop = 0x40,
        CommandStart = 0x80,
    };

    DeviceControl();
    DeviceControl(const void* data, int length);
    DeviceControl(const DeviceControl& other) = default;
    DeviceControl& operator=(const DeviceControl& other) = default;

    QString toString() const override;

    quint8 command() const { return byteAt(1); }
    void setCommand(quint8 command) { setByte(1, command); }
    quint8 errorCode() const { return byteAt(3); }
    quint16 channelMask() const { return bigEndian16(4); }
    void setChannelMask(quint16 mask) { setBigEndian16(4, mask); }
    quint16 sampleRate() const { return bigEndian16(6); }
    void setSampleRate(quint16 word) { setBigEndian16(6, word); }
    quint8 payloadType() const { return byteAt(8); }
    void setPayloadType(quint8 type) { setByte(8, type); }
    quint16 triggerDelay() const { return bigEndian16(9); }
    void setTriggerDelay(quint16 ms) { setBigEndian16(9, ms); }
};
Q_DECLARE_METATYPE(DeviceControl)

// The last start command of the running (or last) measurement: its sample-rate word dates
// the samples, and the stop command is a copy of it with command CommandStop.
extern DeviceControl measuringDeviceControl;

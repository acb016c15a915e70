#pragma once

// The analyzer's status and output-control request and its response, descriptor 6.
// Request:  [1] control bits  [3..4] output voltage in mV, big-endian  [5..6] sync delay
// Response: [1] control bits of the request answered  [2] bit 7 injected  [4] status
//           [5] pin state  [6..17] values #0..#2 and [18..21] Vin, float LITTLE-endian
//           [22..23] Vout, signed big-endian  [24] power output state

#include "Packet.h"

#include <QMetaType>

class StatusControlRequest : public Packet
{
public:
    static constexpr quint8 Descriptor = 6;

    StatusControlRequest();
    StatusControlRequest(const void* data, int length);
    StatusControlRequest(const StatusControlRequest& other) = default;
    StatusControlRequest& operator=(const StatusControlRequest& other) = default;

    QString toString() const override;
    virtual quint8 control() const;
    virtual quint16 voltage() const;

    void setControl(quint8 control) { setByte(1, control); }
    void setVoltage(quint16 millivolts) { setBigEndian16(3, millivolts); }
    quint16 syncDelay() const { return bigEndian16(5); }
    void setSyncDelay(quint16 ms) { setBigEndian16(5, ms); }
};
Q_DECLARE_METATYPE(StatusControlRequest)

class StatusControlResponse : public StatusControlRequest
{
public:
    // Descriptor 6, control 6, voltage 1800 mV.
    StatusControlResponse();
    StatusControlResponse(const void* data, int length);
    StatusControlResponse(const StatusControlResponse& other) = default;
    StatusControlResponse& operator=(const StatusControlResponse& other) = default;

    QString toString() const override;

    bool injected() const { return byteAt(2) & 0x80; }
    quint8 status() const { return byteAt(4); }
    quint8 pinState() const { return byteAt(5); }
    // Measured value #0, #1 or #2 (index 0..2).
    float value(int index) const;
    float vin() const;
    qint16 vout() const { return qint16(bigEndian16(22)); }
    quint8 powerOutputState() const { return byteAt(24); }

private:
    float littleEndianFloat(int offset) const;
};
Q_DECLARE_METATYPE(StatusControlResponse)

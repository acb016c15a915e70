#include "StatusControl.h"

#include <QtEndian>

StatusControlRequest::StatusControlRequest()
    : Packet(Descriptor)
{
}

StatusControlRequest::StatusControlRequest(const void* data, int length)
    : Packet(data, length)
{
}

quint8 StatusControlRequest::control() const
{
    return byteAt(1);
}

quint16 StatusControlRequest::voltage() const
{
    return bigEndian16(3);
}

QString StatusControlRequest::toString() const
{
    return QStringLiteral("Descriptor:0x%1\nControl: 0x%2 (%3)\nVoltage:%4\n\n")
        .arg(hexText(descriptor(), 2), hexText(control(), 2), binaryText(control()),
             QString::number(voltage()));
}

StatusControlResponse::StatusControlResponse()
{
    setControl(6);
    setVoltage(1800);
}

StatusControlResponse::StatusControlResponse(const void* data, int length)
    : StatusControlRequest(data, length)
{
}

float StatusControlResponse::littleEndianFloat(int offset) const
{
    return qFromLittleEndian<float>(m_buffer + offset);
}

float StatusControlResponse::value(int index) const
{
    return index >= 0 && index < 3 ? littleEndianFloat(6 + 4 * index) : 0.0f;
}

float StatusControlResponse::vin() const
{
    return littleEndianFloat(18);
}

QString StatusControlResponse::toString() const
{
    const auto fixed = [](double v, int decimals) { return QString::number(v, 'f', decimals); };
    return QStringLiteral("Descriptor:0x%1\ninjected:%14\nStatus: 0x%2 (%3)\nPin state: 0x%4 (%5)\n#0: %6\n#1: %7\n#2: %8\nVin: %9\nVout: %10\nPower output state: %11 (%12)\nrequest[1]: %13\n")
        .arg(hexText(descriptor(), 2), hexText(status(), 2), binaryText(status()), hexText(pinState(), 2),
             binaryText(pinState()), fixed(value(0), 8), fixed(value(1), 4), fixed(value(2), 4),
             fixed(vin(), 4))
        .arg(fixed(vout(), 4), hexText(powerOutputState(), 2), binaryText(powerOutputState()),
             binaryText(control()), QString::number(injected() ? 1 : 0));
}

#include "SupplyData.h"

#include "PowerPackets.h"

namespace SupplyData {

int usbPortByte(int port)
{
    static const int offsets[usbPortCount] = {Usb1Voltage, Usb2Voltage, Usb3Voltage, Usb4Voltage};
    return offsets[port];
}

double usbVoltage(const PowerDataPacket& packet, int port)
{
    return packet.byteAt(usbPortByte(port)) / 10.0;
}

QDateTime deviceClock(const PowerDataPacket& packet)
{
    return QDateTime::fromSecsSinceEpoch(packet.bigEndian32(DeviceClock)).toLocalTime();
}

} // namespace SupplyData

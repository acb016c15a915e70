#pragma once

// The layout of the supply's data report (code 0x0C): the bytes the status screen and the
// settings page read. Multi-byte values are big-endian.

#include <QDateTime>

class PowerDataPacket;

namespace SupplyData {

enum Byte {
    MainVoltage = 3,       // tenths of a volt
    MainCurrent = 4,       // 16 bits, tenths of an ampere
    Usb1Voltage = 6,       // tenths of a volt, followed by 16 bits of hundredths of an ampere
    TemperatureOutside = 9,
    TemperatureInside = 10,
    MainsVoltage = 11,     // 16 bits, volts
    MainsFrequency = 13,   // 16 bits, tenths of a hertz
    FanSpeed = 15,         // percent
    TotalPower = 16,       // 16 bits, watts
    TotalCurrent = 18,     // 16 bits, tenths of an ampere
    MaxPower = 20,         // 16 bits, watts
    MaxCurrent = 22,       // 16 bits, tenths of an ampere
    DeviceClock = 24,      // 32 bits, seconds since 1970
    Usb2Voltage = 40,
    Usb3Voltage = 43,
    Usb4Voltage = 46,
};

inline constexpr int usbPortCount = 4;

// The byte of a USB port's voltage (ports 0 to 3), followed by the port's current.
int usbPortByte(int port);
// Volts at a USB port (ports 0 to 3).
double usbVoltage(const PowerDataPacket& packet, int port);
// The supply's clock in the computer's local time.
QDateTime deviceClock(const PowerDataPacket& packet);

} // namespace SupplyData

#pragma once

// Requests with fixed content and the base text form.

#include "Packet.h"

// Asks the analyzer for its channel descriptions (one ChannelInfo reply per channel).
class ChannelsRequest : public Packet
{
public:
    static constexpr quint8 Descriptor = 4;
    ChannelsRequest()
        : Packet(Descriptor)
    {
    }
};

// Switches the analyzer to its bootloader.
class BootModePacket : public Packet
{
public:
    static constexpr quint8 Descriptor = 9;
    BootModePacket()
        : Packet(Descriptor)
    {
        setByte(1, 0xAB);
        setByte(2, 0x54);
    }
};

// Switches a supply to its bootloader: report id 1 and "RESET".
class BootModePowerPacket : public Packet
{
public:
    static constexpr quint8 ReportId = 1;
    BootModePowerPacket()
        : Packet(ReportId)
    {
        setTextField(1, 5, QStringLiteral("RESET"));
    }
};

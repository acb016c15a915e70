#include "DeviceControl.h"

DeviceControl measuringDeviceControl;

DeviceControl::DeviceControl()
    : Packet(Descriptor)
{
}

DeviceControl::DeviceControl(const void* data, int length)
    : Packet(data, length)
{
}

QString DeviceControl::toString() const
{
    return QStringLiteral("\nDescriptor:0x%1\nCommand: %2\nPayload type: %3\nSample rate: %4\nChannels: %5\nTrig Delay: %6\nError:%7\n")
        .arg(hexText(descriptor(), 2), QString::number(command()), QString::number(payloadType()),
             QString::number(sampleRate()), binaryText(channelMask()), QString::number(triggerDelay()),
             QString::number(errorCode()));
}

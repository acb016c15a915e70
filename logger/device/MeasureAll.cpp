#include "MeasureAll.h"

MeasureAll::MeasureAll()
    : Packet(Descriptor)
{
}

MeasureAll::MeasureAll(const void* data, int length)
    : Packet(data, length)
{
}

QString MeasureAll::toString() const
{
    return QStringLiteral("Index: %1\nStatus: %2 (%3)\nPin State: %4 (%5)\n")
        .arg(QString::number(packetCounter()), hexText(status(), 2), binaryText(status()),
             hexText(pinState(), 2), binaryText(pinState()));
}

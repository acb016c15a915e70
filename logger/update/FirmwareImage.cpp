#include "FirmwareImage.h"

#include <QtEndian>

namespace FirmwareImage {

std::optional<quint32> magicForSerial(const QString& serial)
{
    const QString prefix = serial.left(4);
    if (prefix == QLatin1String("5001"))
        return analyzerMagic;
    if (prefix == QLatin1String("5002"))
        return supplyMagic;
    if (prefix == QLatin1String("5003"))
        return supply600Magic;
    return std::nullopt;
}

Check check(const QByteArray& start, qint64 totalSize, quint32 expectedMagic)
{
    if (start.size() < 4 || qFromLittleEndian<quint32>(start.constData()) != expectedMagic)
        return Check::WrongMagic;
    if (totalSize <= headerBytes)
        return Check::TooShort;
    return Check::Good;
}

} // namespace FirmwareImage

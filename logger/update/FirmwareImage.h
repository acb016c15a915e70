#pragma once

// Firmware image files: a 512-byte header whose first 32-bit little-endian word names
// the kind of instrument, then the payload that is flashed.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace FirmwareImage {

constexpr int headerBytes = 512;
constexpr quint32 analyzerMagic = 0xA9BACBDC;
constexpr quint32 supplyMagic = 0x20230710;
constexpr quint32 supply600Magic = 0x20240104;

// The magic an image for the instrument with this serial number must carry: the
// connected instrument, or its bootloader, which reports the same serial. None for a
// serial of no known kind (or no instrument at all).
std::optional<quint32> magicForSerial(const QString& serial);

enum class Check {
    Good,
    TooShort,   // no payload after the header
    WrongMagic, // an image for another kind of instrument, or no image at all
};
// Checks the start of an image: at least the header and one payload byte, and the
// expected magic.
Check check(const QByteArray& start, qint64 totalSize, quint32 expectedMagic);

} // namespace FirmwareImage

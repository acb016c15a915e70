// The header check of a firmware image: the first byte chooses the instrument, the rest
// is the start of the file. An image is accepted only when it has a payload and carries
// the instrument's magic, little-endian, in its first word.

#include "FuzzSupport.h"

#include "FirmwareImage.h"

#include <QtEndian>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static const quint32 magics[] = {FirmwareImage::analyzerMagic, FirmwareImage::supplyMagic,
                                     FirmwareImage::supply600Magic, 0};
    const quint32 expected = magics[data[0] % 4];
    const QByteArray start(reinterpret_cast<const char*>(data + 1), int(size - 1));
    // The file may be longer than the part read of it, never shorter.
    for (qint64 total : {qint64(start.size()), qint64(start.size()) + data[0]}) {
        const FirmwareImage::Check result = FirmwareImage::check(start, total, expected);
        if (result == FirmwareImage::Check::Good) {
            FUZZ_CHECK(total > FirmwareImage::headerBytes);
            FUZZ_CHECK(start.size() >= 4);
            FUZZ_CHECK(qFromLittleEndian<quint32>(start.constData()) == expected);
        }
    }
    return 0;
}

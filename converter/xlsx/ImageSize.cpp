#include "ImageSize.h"

#include <cstring>
#include <set>

namespace Xlsx {

namespace {

bool ReadBytes(std::istream &in, unsigned char *buffer, std::streamsize count)
{
    in.read(reinterpret_cast<char *>(buffer), count);
    return in.gcount() == count;
}

uint32_t BigEndian16(const unsigned char *p)
{
    return uint32_t(p[0]) << 8 | p[1];
}

uint32_t BigEndian32(const unsigned char *p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// Start-of-frame markers carry the frame size; 0xC4 (Huffman tables), 0xC8 (reserved)
// and 0xCC (arithmetic conditioning) share the range but are not frames.
bool IsFrameMarker(unsigned char marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length field.
bool IsStandaloneMarker(unsigned char marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

struct TiffOrder
{
    bool littleEndian;
    uint32_t U16(const unsigned char *p) const
    {
        return littleEndian ? uint32_t(p[1]) << 8 | p[0] : BigEndian16(p);
    }
    uint32_t U32(const unsigned char *p) const
    {
        return littleEndian ? uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]
                            : BigEndian32(p);
    }
};

constexpr uint32_t kTiffShort = 3;
constexpr uint32_t kTiffLong = 4;
constexpr uint32_t kTiffImageWidth = 256;
constexpr uint32_t kTiffImageLength = 257;
// Real files hold a handful of directories; the bound keeps a hostile chain short.
constexpr size_t kMaxTiffDirectories = 1024;

enum class TiffSizeResult { Found, TooLarge, Missing, Broken };

// Reads one image file directory at the stream's position; on return next holds the
// offset of the following directory.
TiffSizeResult ReadTiffDirectory(std::istream &in, const TiffOrder &order, uint16_t &width,
                                 uint16_t &height, uint32_t &next)
{
    unsigned char countBytes[2];
    if (!ReadBytes(in, countBytes, 2))
        return TiffSizeResult::Broken;
    const uint32_t entries = order.U16(countBytes);
    bool haveWidth = false, haveHeight = false;
    uint32_t foundWidth = 0, foundHeight = 0;
    for (uint32_t i = 0; i < entries; ++i) {
        unsigned char entry[12];
        if (!ReadBytes(in, entry, 12))
            return TiffSizeResult::Broken;
        const uint32_t tag = order.U16(entry);
        if (tag != kTiffImageWidth && tag != kTiffImageLength)
            continue;
        const uint32_t type = order.U16(entry + 2);
        uint32_t value;
        if (type == kTiffShort)
            value = order.U16(entry + 8);
        else if (type == kTiffLong)
            value = order.U32(entry + 8);
        else
            continue;
        if (tag == kTiffImageWidth) {
            haveWidth = true;
            foundWidth = value;
        } else {
            haveHeight = true;
            foundHeight = value;
        }
    }
    if (haveWidth && haveHeight) {
        if (foundWidth > 0xFFFF || foundHeight > 0xFFFF)
            return TiffSizeResult::TooLarge;
        width = uint16_t(foundWidth);
        height = uint16_t(foundHeight);
        return TiffSizeResult::Found;
    }
    unsigned char nextBytes[4];
    if (!ReadBytes(in, nextBytes, 4))
        return TiffSizeResult::Broken;
    next = order.U32(nextBytes);
    return TiffSizeResult::Missing;
}

} // namespace

bool ReadGifSize(std::istream &in, uint16_t &width, uint16_t &height)
{
    unsigned char header[10];
    if (!ReadBytes(in, header, 10) || std::memcmp(header, "GIF", 3) != 0)
        return false;
    width = uint16_t(header[6] | header[7] << 8);
    height = uint16_t(header[8] | header[9] << 8);
    return true;
}

bool ReadJpegSize(std::istream &in, uint16_t &width, uint16_t &height)
{
    unsigned char start[2];
    if (!ReadBytes(in, start, 2) || start[0] != 0xFF || start[1] != 0xD8)
        return false;
    for (;;) {
        unsigned char marker[2];
        if (!ReadBytes(in, marker, 2) || marker[0] != 0xFF)
            return false;
        // Any number of 0xFF fill bytes may precede the marker code.
        while (marker[1] == 0xFF)
            if (!ReadBytes(in, marker + 1, 1))
                return false;
        if (IsStandaloneMarker(marker[1]))
            continue;
        // The frame header comes before the first scan; reaching a scan or the end of
        // the image means there is none.
        if (marker[1] == 0xDA || marker[1] == 0xD9)
            return false;
        unsigned char length[2];
        if (!ReadBytes(in, length, 2))
            return false;
        const uint32_t segmentLength = BigEndian16(length);
        if (segmentLength < 2)
            return false;
        if (IsFrameMarker(marker[1])) {
            unsigned char frame[5];
            if (!ReadBytes(in, frame, 5))
                return false;
            const uint32_t frameHeight = BigEndian16(frame + 1);
            const uint32_t frameWidth = BigEndian16(frame + 3);
            // A height of 0 is given later in the scan, which is not read here.
            if (frameHeight == 0 || frameWidth == 0)
                return false;
            width = uint16_t(frameWidth);
            height = uint16_t(frameHeight);
            return true;
        }
        if (!in.seekg(std::streamoff(segmentLength - 2), std::ios::cur))
            return false;
    }
}

bool ReadPngSize(std::istream &in, uint16_t &width, uint16_t &height)
{
    static const unsigned char signature[16] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A,
                                                0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52};
    unsigned char header[24];
    if (!ReadBytes(in, header, 24) || std::memcmp(header, signature, 16) != 0)
        return false;
    const uint32_t pngWidth = BigEndian32(header + 16);
    const uint32_t pngHeight = BigEndian32(header + 20);
    if (pngWidth > 0xFFFF || pngHeight > 0xFFFF)
        return false;
    width = uint16_t(pngWidth);
    height = uint16_t(pngHeight);
    return true;
}

bool ReadTiffSize(std::istream &in, uint16_t &width, uint16_t &height)
{
    const std::istream::pos_type start = in.tellg();
    if (start == std::istream::pos_type(-1))
        return false;
    unsigned char header[8];
    if (!ReadBytes(in, header, 8))
        return false;
    TiffOrder order{};
    if (std::memcmp(header, "II\x2A\x00", 4) == 0)
        order.littleEndian = true;
    else if (std::memcmp(header, "MM\x00\x2A", 4) == 0)
        order.littleEndian = false;
    else
        return false;

    std::set<uint32_t> visited;
    uint32_t offset = order.U32(header + 4);
    while (offset != 0 && visited.size() < kMaxTiffDirectories && visited.insert(offset).second) {
        in.clear();
        if (!in.seekg(start + std::streamoff(offset)))
            return false;
        uint32_t next = 0;
        switch (ReadTiffDirectory(in, order, width, height, next)) {
        case TiffSizeResult::Found:
            return true;
        case TiffSizeResult::Missing:
            offset = next;
            break;
        case TiffSizeResult::TooLarge:
        case TiffSizeResult::Broken:
            return false;
        }
    }
    return false;
}

const ImageTypeEntry ImageTypeTable[7] = {
    {".gif", ImageGif, ReadGifSize},
    {".jpg", ImageJpg, ReadJpegSize},
    {".jpeg", ImageJpeg, ReadJpegSize},
    {".png", ImagePng, ReadPngSize},
    {".tif", ImageTif, ReadTiffSize},
    {".tiff", ImageTiff, ReadTiffSize},
    {"", ImageNone, nullptr},
};

const ImageTypeEntry &FindImageType(const std::string &fileName)
{
    const ImageTypeEntry *entry = ImageTypeTable;
    for (; entry->reader != nullptr; ++entry) {
        const size_t length = std::strlen(entry->extension);
        if (fileName.size() <= length)
            continue;
        bool same = true;
        for (size_t i = 0; i < length && same; ++i) {
            char c = fileName[fileName.size() - length + i];
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
            same = c == entry->extension[i];
        }
        if (same)
            return *entry;
    }
    return *entry;
}

const char *ImageExtension(int32_t type)
{
    static const char *const extensions[] = {"gif", "jpg", "jpeg", "png", "tif", "tiff"};
    return type >= ImageGif && type <= ImageTiff ? extensions[type - 1] : nullptr;
}

const char *ImageContentType(int32_t type)
{
    static const char *const types[] = {"image/gif", "image/jpeg", "image/jpeg",
                                        "image/png", "image/tiff", "image/tiff"};
    return type >= ImageGif && type <= ImageTiff ? types[type - 1] : nullptr;
}

} // namespace Xlsx

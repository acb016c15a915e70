#pragma once

#include <cstdint>
#include <istream>
#include <string>

namespace Xlsx {

// Pixel size readers of the image formats a picture may have. Each reads from the
// stream's current position (the start of the image file), never past the end of
// its input, and sets width and height only when it returns true.
bool ReadGifSize(std::istream &in, uint16_t &width, uint16_t &height);
// Any start-of-frame segment counts (baseline, progressive, lossless, arithmetic).
bool ReadJpegSize(std::istream &in, uint16_t &width, uint16_t &height);
// False for sizes that do not fit 16 bits.
bool ReadPngSize(std::istream &in, uint16_t &width, uint16_t &height);
// Both sizes must stand in one image file directory; SHORT and LONG entries are
// decoded by their type. A cyclic or endless directory chain gives false.
bool ReadTiffSize(std::istream &in, uint16_t &width, uint16_t &height);

// Image types of the picture records; the value selects the content-types entry.
enum ImageType : int32_t {
    ImageNone = 0, ImageGif = 1, ImageJpg = 2, ImageJpeg = 3, ImagePng = 4, ImageTif = 5, ImageTiff = 6
};

using ImageSizeReader = bool (*)(std::istream &, uint16_t &, uint16_t &);

struct ImageTypeEntry
{
    const char *extension;      // with its dot; empty in the closing entry
    int32_t type;               // ImageType
    ImageSizeReader reader;     // null in the closing entry
};

// One entry per supported file extension, closed by an entry with an empty
// extension, type 0 and no reader.
extern const ImageTypeEntry ImageTypeTable[7];

// The table entry whose extension ends the file name (ASCII case ignored), or the
// closing entry when there is none.
const ImageTypeEntry &FindImageType(const std::string &fileName);

// Extension (without the dot) and content type of an image type; null for other values.
const char *ImageExtension(int32_t type);
const char *ImageContentType(int32_t type);

} // namespace Xlsx

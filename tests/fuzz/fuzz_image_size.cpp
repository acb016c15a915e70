// The picture size readers of the workbook writer. Each reads a stream holding exactly
// the file's bytes (an endless or cyclic structure must end the read, not hang it), and
// a reader that fails leaves the sizes as they were.

#include "FuzzSupport.h"

#include "ImageSize.h"

#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const Xlsx::ImageTypeEntry* entry = Xlsx::ImageTypeTable; entry->reader; ++entry) {
        std::istringstream in(bytes);
        uint16_t width = 0xBEEF;
        uint16_t height = 0xF00D;
        if (!entry->reader(in, width, height))
            FUZZ_CHECK(width == 0xBEEF && height == 0xF00D);
    }
    // The same bytes as a file name.
    const Xlsx::ImageTypeEntry& found = Xlsx::FindImageType(bytes);
    FUZZ_CHECK(found.reader != nullptr || found.type == 0);
    return 0;
}

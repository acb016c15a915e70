#include "Crc32.h"

#include <string.h>

namespace {

// Eight tables: table[k][b] is the CRC of byte b followed by k zero bytes, so eight
// input bytes are folded in with one lookup each.
struct CrcTables {
    uint32_t t[8][256];
    constexpr CrcTables() : t()
    {
        for (uint32_t b = 0; b < 256; ++b) {
            uint32_t c = b;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
            t[0][b] = c;
        }
        for (uint32_t b = 0; b < 256; ++b)
            for (int k = 1; k < 8; ++k)
                t[k][b] = (t[k - 1][b] >> 8) ^ t[0][t[k - 1][b] & 0xFF];
    }
};

constexpr CrcTables tables;

} // namespace

uint32_t Crc32Byte(uint32_t crc, unsigned char byte)
{
    return tables.t[0][(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

uint32_t Crc32(uint32_t crc, const void *data, size_t length)
{
    if (!data)
        return 0;
    const unsigned char *p = static_cast<const unsigned char *>(data);
    uint32_t c = ~crc;
    while (length >= 8) {
        uint32_t lo, hi;
        memcpy(&lo, p, 4);
        memcpy(&hi, p + 4, 4);
        lo ^= c;
        c = tables.t[7][lo & 0xFF] ^ tables.t[6][(lo >> 8) & 0xFF] ^ tables.t[5][(lo >> 16) & 0xFF]
            ^ tables.t[4][lo >> 24] ^ tables.t[3][hi & 0xFF] ^ tables.t[2][(hi >> 8) & 0xFF]
            ^ tables.t[1][(hi >> 16) & 0xFF] ^ tables.t[0][hi >> 24];
        p += 8;
        length -= 8;
    }
    while (length--)
        c = tables.t[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
    return ~c;
}

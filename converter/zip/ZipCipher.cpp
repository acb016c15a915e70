// Traditional PKWARE encryption of entry data.

#include "Crc32.h"
#include "ZipWriterState.h"

#include <stdlib.h>
#include <time.h>
#include <unistd.h>

namespace {

void updateKeys(uint32_t keys[3], unsigned char plain)
{
    keys[0] = Crc32Byte(keys[0], plain);
    keys[1] = (keys[1] + (keys[0] & 0xFF)) * 134775813u + 1;
    keys[2] = Crc32Byte(keys[2], (unsigned char)(keys[1] >> 24));
}

unsigned char streamByte(const uint32_t keys[3])
{
    const uint32_t t = (keys[2] & 0xFFFF) | 2;
    return (unsigned char)((t * (t ^ 1)) >> 8);
}

// The C library's generator is seeded once per process from the process id and the
// clock, so two archives written in one run get different header bytes.
void seedOnce()
{
    static bool seeded = false;
    if (seeded)
        return;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const unsigned ticks = (unsigned)(now.tv_sec * 1000 + now.tv_nsec / 1000000);
    srand((unsigned)getpid() ^ ticks);
    seeded = true;
}

} // namespace

void ZipCipherInit(uint32_t keys[3], const char *password)
{
    keys[0] = 305419896u;
    keys[1] = 591751049u;
    keys[2] = 878082192u;
    for (const char *p = password; *p; ++p)
        updateKeys(keys, (unsigned char)*p);
}

unsigned char ZipCipherEncode(uint32_t keys[3], unsigned char plain)
{
    const unsigned char coded = plain ^ streamByte(keys);
    updateKeys(keys, plain);
    return coded;
}

void ZipCipherMakeHeader(uint32_t keys[3], uint32_t dosDateTime, unsigned char header[ZipCipherHeaderSize])
{
    seedOnce();
    for (int i = 0; i < ZipCipherHeaderSize - 1; ++i)
        header[i] = (unsigned char)(rand() >> 7);
    // The last byte lets a reader check the password: bits 8-15 of the DOS time.
    header[ZipCipherHeaderSize - 1] = (unsigned char)(dosDateTime >> 8);
    for (int i = 0; i < ZipCipherHeaderSize; ++i)
        header[i] = ZipCipherEncode(keys, header[i]);
}

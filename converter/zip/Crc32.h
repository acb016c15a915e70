#pragma once

#include <stddef.h>
#include <stdint.h>

// CRC-32 of the ZIP format (reflected polynomial 0xEDB88320, start value all ones,
// final complement), continued from `crc`: Crc32(0, data, n) is the CRC of data, and
// Crc32(Crc32(0, a, n), b, m) the CRC of a followed by b. A null pointer gives 0.
uint32_t Crc32(uint32_t crc, const void *data, size_t length);

// One step of the table-driven CRC without the complements, as the cipher keys use it.
uint32_t Crc32Byte(uint32_t crc, unsigned char byte);

#pragma once

// Internal records of the archive writer, shared by its source files and the compressor.

#include "ZipWriter.h"

#include <stddef.h>
#include <stdint.h>

struct DeflateState;

enum {
    ZipBufferSize = 16384,
    ZipNameBufferSize = 260,  // entry name including its terminating NUL
    ZipLocalHeaderSize = 30,
    ZipLocalExtraSize = 17,
    ZipCentralHeaderSize = 46,
    ZipCentralExtraSize = 9,
    ZipEndRecordSize = 22,
    ZipDescriptorSize = 16,
    ZipCipherHeaderSize = 12,
    ZipMaxEntries = 65535,
};

const uint32_t ZipUnknownSize = 0xFFFFFFFFu;
const uint32_t ZipMemoryAttributes = 0x80000000u;
const uint32_t ZipFolderAttributes = 0x41C00010u;

// One central-directory record, heap-allocated per added entry.
struct ZipEntryRecord {
    uint16_t versionMadeBy;
    uint16_t versionNeeded;
    uint16_t flags;
    uint16_t method;
    uint32_t dosDateTime;
    uint32_t crc;
    uint32_t compressedSize;
    uint32_t uncompressedSize;
    uint16_t nameLength;
    uint16_t localExtraLength;
    uint16_t centralExtraLength;
    uint16_t commentLength;
    uint16_t diskNumber;
    uint16_t internalAttributes;
    uint16_t localFlags;
    uint32_t externalAttributes;
    uint32_t localHeaderOffset;
    char name[ZipNameBufferSize];
    unsigned char *centralExtra;  // heap copy, freed with the record
    ZipEntryRecord *next;
};

struct ZipWriterState {
    // target
    int targetFd;
    bool ownsTarget;
    char *targetPath;     // final name of an archive written by name
    char *temporaryPath;  // where it is written until CloseZip succeeds
    unsigned char *memory;
    bool ownsMemory;
    uint32_t memoryPosition;
    uint32_t memorySize;
    uint64_t base;      // target position at creation; added to every offset
    bool seekable;      // may the writer go back and rewrite a local header
    uint64_t written;   // bytes written since creation
    ZipResult sticky;
    bool ended;
    // every entry's times, when the caller gave one moment for all (ZipSetEntryTime)
    bool entryTimeSet;
    int64_t entryTime;

    // traditional encryption
    char *password;
    uint32_t keys[3];
    bool encrypting;
    unsigned char *scratch;
    size_t scratchSize;

    // source of the current entry
    int sourceFd;
    bool ownsSource;
    const unsigned char *sourceMemory;
    uint32_t sourcePosition;
    uint32_t sourceLength;
    uint32_t externalAttributes;
    uint32_t sourceSize;  // ZipUnknownSize when not known
    uint32_t dosDateTime;
    int64_t accessTime;
    int64_t modificationTime;
    int64_t creationTime;
    bool sourceSeekable;

    // counters of the current entry
    uint64_t bytesRead;
    uint32_t crc;
    uint64_t dataWritten;
    bool readFailed;

    // data of the current entry made ahead (ZipAddPrepared): copied instead of read
    const ZipPreparedEntry *prepared;
    // reports reads of a preparation and may stop it
    ZipPrepareProgress progress;
    void *progressContext;
    bool stopped;

    unsigned char buffer[ZipBufferSize];
    DeflateState *deflate;

    ZipEntryRecord *firstEntry;
    ZipEntryRecord *lastEntry;
    uint32_t entryCount;
};

// Low-level output (ZipOutput.cpp): writes n bytes to the target, through the cipher
// while encrypting, and advances the running offset by what was written. False on a
// short write; the sticky error is set where the target itself refuses.
bool ZipEmit(ZipWriterState *state, const void *data, uint32_t n);
// Rewrites n bytes at an archive offset without moving the end of the output.
bool ZipRewriteAt(ZipWriterState *state, uint64_t offset, const void *data, uint32_t n);

// Reads up to n bytes of the entry's source (ZipSource.cpp), updating its CRC-32 and
// byte count; 0 at the end or after a read error (readFailed is then set).
uint32_t ZipReadSource(ZipWriterState *state, unsigned char *into, uint32_t n);

// Entry methods: names of archives and compressed files are stored, all else deflated.
enum { ZipMethodStored = 0, ZipMethodDeflated = 8 };
uint16_t ZipMethodForName(const char *name);

// Writes the data of the entry whose source is open, stored or deflated, and leaves its
// CRC and byte counts in the state.
ZipResult ZipWriteData(ZipWriterState *state, uint16_t method);

// Traditional PKWARE cipher (ZipCipher.cpp).
void ZipCipherInit(uint32_t keys[3], const char *password);
unsigned char ZipCipherEncode(uint32_t keys[3], unsigned char plain);
void ZipCipherMakeHeader(uint32_t keys[3], uint32_t dosDateTime, unsigned char header[ZipCipherHeaderSize]);

// Little-endian field writers for the headers.
inline unsigned char *ZipPut16(unsigned char *p, uint32_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    return p + 2;
}

inline unsigned char *ZipPut32(unsigned char *p, uint32_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
    return p + 4;
}

// Sources of entries (ZipSource.cpp). Opening fills the source, attribute, size and
// time fields of the state; closing releases a file the writer opened itself.
ZipResult ZipOpenSource(ZipWriterState *state, const void *source, uint32_t length, int kind);
void ZipCloseSource(ZipWriterState *state);

// DOS date-time (date << 16 | time) of a moment in local time; years outside the
// format's 1980-2107 are clamped to its ends.
uint32_t ZipDosDateTime(int64_t unixSeconds);

// Refusals common to every entry point: null handle, foreign handle kind.
ZipResult ZipCheckHandle(ZipHandle handle);

// Writes the central directory and end record once; later adds are refused.
ZipResult ZipEndArchive(ZipWriterState *state);

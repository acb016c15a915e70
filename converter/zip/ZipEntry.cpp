// Adding one entry: name and method, local header, optional encryption header, data
// (stored or deflated), final sizes, and the record for the central directory.

#include "Deflate.h"
#include "ZipWriterState.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

const uint16_t MadeByVersion = 0x0B17;
const uint16_t NeededVersion = 20;
const uint16_t MethodStored = ZipMethodStored;
const uint16_t MethodDeflated = ZipMethodDeflated;
const uint16_t FlagEncrypted = 0x0001;
const uint16_t FlagDeflateMaximum = 0x0002;
const uint16_t FlagDescriptor = 0x0008;
const uint16_t ExtendedTimeTag = 0x5455;

ZipResult copyName(ZipEntryRecord *record, const char *name, bool folder)
{
    if (!name || !*name)
        return ZipErrorArgument;
    size_t n = strlen(name);
    const bool addSlash = folder && name[n - 1] != '/' && name[n - 1] != '\\';
    if (n + (addSlash ? 1 : 0) >= ZipNameBufferSize)
        return ZipErrorArgument;
    for (size_t i = 0; i < n; ++i)
        record->name[i] = name[i] == '\\' ? '/' : name[i];
    if (addSlash)
        record->name[n++] = '/';
    record->name[n] = '\0';
    record->nameLength = (uint16_t)n;
    return ZipOk;
}

// The 30 fixed bytes of the local header.
void buildLocalHeader(const ZipEntryRecord *r, unsigned char *h)
{
    unsigned char *p = h;
    p = ZipPut32(p, 0x04034B50);
    p = ZipPut16(p, r->versionNeeded);
    p = ZipPut16(p, r->localFlags);
    p = ZipPut16(p, r->method);
    p = ZipPut32(p, r->dosDateTime);
    p = ZipPut32(p, r->crc);
    p = ZipPut32(p, r->compressedSize);
    p = ZipPut32(p, r->uncompressedSize);
    p = ZipPut16(p, r->nameLength);
    ZipPut16(p, r->localExtraLength);
}

ZipResult writeLocalHeader(ZipWriterState *state, const ZipEntryRecord *r)
{
    unsigned char h[ZipLocalHeaderSize + ZipNameBufferSize + ZipLocalExtraSize];
    buildLocalHeader(r, h);
    unsigned char *p = h + ZipLocalHeaderSize;
    memcpy(p, r->name, r->nameLength);
    p += r->nameLength;
    p = ZipPut16(p, ExtendedTimeTag);
    p = ZipPut16(p, 13);
    *p++ = 7;  // modification, access and creation time follow
    p = ZipPut32(p, (uint32_t)state->modificationTime);
    p = ZipPut32(p, (uint32_t)state->accessTime);
    p = ZipPut32(p, (uint32_t)state->creationTime);
    return ZipEmit(state, h, (uint32_t)(p - h)) ? ZipOk : ZipErrorWrite;
}

ZipResult writeStoredData(ZipWriterState *state)
{
    for (;;) {
        const uint32_t n = ZipReadSource(state, state->buffer, ZipBufferSize);
        if (n == 0)
            return ZipOk;
        if (!ZipEmit(state, state->buffer, n))
            return ZipErrorWrite;
        state->dataWritten += n;
    }
}

// The data of a prepared entry, copied from the caller's file; its CRC and sizes were
// counted when it was made.
ZipResult copyPreparedData(ZipWriterState *state)
{
    const ZipPreparedEntry *prepared = state->prepared;
    uint64_t copied = 0;
    while (copied < prepared->compressedSize) {
        uint32_t n = ZipBufferSize;
        if (n > prepared->compressedSize - copied)
            n = (uint32_t)(prepared->compressedSize - copied);
        const ssize_t r = pread(state->sourceFd, state->buffer, n, (off_t)copied);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return ZipErrorFile;  // the prepared data is shorter than it was made
        if (!ZipEmit(state, state->buffer, (uint32_t)r))
            return ZipErrorWrite;
        copied += (uint64_t)r;
    }
    state->dataWritten = copied;
    state->crc = prepared->crc;
    state->bytesRead = prepared->uncompressedSize;
    return ZipOk;
}

ZipResult writeData(ZipWriterState *state, ZipEntryRecord *record, bool folder)
{
    if (folder)
        return ZipOk;
    if (state->prepared)
        return copyPreparedData(state);
    return ZipWriteData(state, record->method);
}

// Final CRC and sizes: into the rewritten local header on a seekable target, else into
// a data descriptor after the data.
ZipResult finishEntry(ZipWriterState *state, ZipEntryRecord *r, bool encrypted, uint64_t headerOffset)
{
    const uint64_t compressed = state->dataWritten + (encrypted ? ZipCipherHeaderSize : 0);
    if (state->bytesRead >= ZipUnknownSize || compressed >= ZipUnknownSize)
        return ZipErrorArgument;  // would need ZIP64
    const uint32_t announcedSize = r->uncompressedSize;
    r->crc = state->crc;
    r->compressedSize = (uint32_t)compressed;
    r->uncompressedSize = (uint32_t)state->bytesRead;
    if (state->seekable && !encrypted) {
        r->localFlags &= (uint16_t)~FlagDescriptor;
        r->flags = r->localFlags;
        unsigned char h[ZipLocalHeaderSize];
        buildLocalHeader(r, h);
        return ZipRewriteAt(state, headerOffset, h, sizeof h) ? ZipOk : ZipErrorWrite;
    }
    if (r->method == MethodStored && announcedSize != r->uncompressedSize)
        return ZipErrorDescriptor;
    unsigned char d[ZipDescriptorSize];
    unsigned char *p = d;
    p = ZipPut32(p, 0x08074B50);
    p = ZipPut32(p, r->crc);
    p = ZipPut32(p, r->compressedSize);
    ZipPut32(p, r->uncompressedSize);
    return ZipEmit(state, d, sizeof d) ? ZipOk : ZipErrorWrite;
}

ZipResult attachCentralExtra(ZipWriterState *state, ZipEntryRecord *r)
{
    r->centralExtra = static_cast<unsigned char *>(malloc(ZipCentralExtraSize));
    if (!r->centralExtra)
        return ZipErrorMapping;
    unsigned char *p = r->centralExtra;
    p = ZipPut16(p, ExtendedTimeTag);
    p = ZipPut16(p, 5);
    *p++ = 7;
    ZipPut32(p, (uint32_t)state->modificationTime);
    r->centralExtraLength = ZipCentralExtraSize;
    return ZipOk;
}

// Header, data and sizes of an entry whose source is open.
ZipResult writeEntry(ZipWriterState *state, ZipEntryRecord *r, bool folder)
{
    const bool encrypted = state->password && !folder;
    const uint64_t headerOffset = state->written;
    if (state->base + headerOffset >= ZipUnknownSize)
        return ZipErrorArgument;  // would need ZIP64
    r->versionMadeBy = MadeByVersion;
    r->versionNeeded = NeededVersion;
    r->method = folder ? MethodStored : ZipMethodForName(r->name);
    if (state->prepared && state->prepared->method != r->method)
        return ZipErrorArgument;  // prepared under a name of the other method
    r->localFlags = FlagDescriptor | (encrypted ? FlagEncrypted : 0)
                    | (r->method == MethodDeflated ? FlagDeflateMaximum : 0);
    r->flags = r->localFlags;
    if (state->entryTimeSet) {
        state->dosDateTime = ZipDosDateTime(state->entryTime);
        state->modificationTime = state->accessTime = state->creationTime = state->entryTime;
    }
    r->dosDateTime = state->dosDateTime;
    r->crc = 0;
    const bool storedKnown = r->method == MethodStored && state->sourceSize != ZipUnknownSize;
    r->compressedSize = storedKnown ? state->sourceSize + (encrypted ? ZipCipherHeaderSize : 0) : 0;
    r->uncompressedSize = state->sourceSize;
    r->localExtraLength = ZipLocalExtraSize;
    r->externalAttributes = state->externalAttributes;
    r->localHeaderOffset = (uint32_t)(state->base + headerOffset);
    ZipResult result = writeLocalHeader(state, r);
    if (result != ZipOk)
        return result;

    state->crc = 0;
    state->bytesRead = 0;
    state->dataWritten = 0;
    state->readFailed = false;
    if (encrypted) {
        ZipCipherInit(state->keys, state->password);
        unsigned char header[ZipCipherHeaderSize];
        ZipCipherMakeHeader(state->keys, state->dosDateTime, header);
        if (!ZipEmit(state, header, sizeof header))
            return ZipErrorWrite;
        state->encrypting = true;
    }
    result = writeData(state, r, folder);
    state->encrypting = false;
    if (result != ZipOk)
        return result;
    result = finishEntry(state, r, encrypted, headerOffset);
    if (result != ZipOk)
        return result;
    return attachCentralExtra(state, r);
}

// The source of a prepared entry: its data file, with the attributes and times recorded
// when the entry was made.
ZipResult openPrepared(ZipWriterState *state, const ZipPreparedEntry *prepared, int dataFd)
{
    state->sourceFd = -1;
    state->ownsSource = false;
    state->sourceMemory = nullptr;
    if (!prepared || dataFd < 0)
        return ZipErrorArgument;
    state->sourceFd = dataFd;
    state->externalAttributes = prepared->externalAttributes;
    state->sourceSize = prepared->sourceSize;
    state->dosDateTime = prepared->dosDateTime;
    state->accessTime = prepared->accessTime;
    state->modificationTime = prepared->modificationTime;
    state->creationTime = prepared->creationTime;
    state->sourceSeekable = true;
    state->prepared = prepared;
    return ZipOk;
}

ZipResult addEntry(ZipWriterState *state, const char *name, const void *source, uint32_t length, int kind,
                   const ZipPreparedEntry *prepared = nullptr)
{
    if (state->entryCount >= ZipMaxEntries)
        return ZipErrorArgument;  // would need ZIP64
    ZipEntryRecord *record = static_cast<ZipEntryRecord *>(calloc(1, sizeof(ZipEntryRecord)));
    if (!record)
        return ZipErrorMapping;
    const bool folder = kind == ZipKindFolder;
    ZipResult result = copyName(record, name, folder);
    if (result == ZipOk)
        result = prepared ? openPrepared(state, prepared, *static_cast<const int *>(source))
                          : ZipOpenSource(state, source, length, kind);
    if (result == ZipOk)
        result = writeEntry(state, record, folder);
    state->prepared = nullptr;
    ZipCloseSource(state);
    if (result != ZipOk) {
        free(record->centralExtra);
        free(record);
        return result;
    }
    if (state->lastEntry)
        state->lastEntry->next = record;
    else
        state->firstEntry = record;
    state->lastEntry = record;
    ++state->entryCount;
    return ZipOk;
}

} // namespace

ZipResult ZipAdd(ZipHandle handle, const char *entryName, const char *sourcePath)
{
    return AddZipEntry(handle, entryName, sourcePath, 0, ZipKindName);
}

namespace {

ZipResult addChecked(ZipHandle handle, const char *entryName, const void *source, uint32_t length, int kind,
                     const ZipPreparedEntry *prepared)
{
    ZipResult result = ZipCheckHandle(handle);
    if (result != ZipOk)
        return ZipLastResult = result;
    ZipWriterState *state = handle->state;
    if (state->sticky != ZipOk) {
        result = ZipErrorEarlierFailure;
    } else if (state->ended) {
        result = ZipErrorEnded;
    } else {
        result = addEntry(state, entryName, source, length, kind, prepared);
        // A failed entry leaves the archive incomplete: later adds are refused and
        // CloseZip reports it.
        if (result != ZipOk && state->sticky == ZipOk)
            state->sticky = result;
    }
    return ZipLastResult = result;
}

} // namespace

ZipResult AddZipEntry(ZipHandle handle, const char *entryName, const void *source, uint32_t length, int kind)
{
    return addChecked(handle, entryName, source, length, kind, nullptr);
}

ZipResult ZipAddPrepared(ZipHandle handle, const char *entryName, const ZipPreparedEntry *prepared, int dataFd)
{
    return addChecked(handle, entryName, &dataFd, 0, ZipKindHandle, prepared);
}

// Names that are archives or compressed already are stored as they are.
uint16_t ZipMethodForName(const char *name)
{
    static const char *const extensions[] = {".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz", ".Z"};
    const char *dot = strrchr(name, '.');
    if (!dot)
        return MethodDeflated;
    for (const char *extension : extensions)
        if (strcmp(dot, extension) == 0)
            return MethodStored;
    return MethodDeflated;
}

ZipResult ZipWriteData(ZipWriterState *state, uint16_t method)
{
    ZipResult result = ZipOk;
    if (method == MethodStored)
        result = writeStoredData(state);
    else if (DeflateEntry(state) != 0)
        result = ZipErrorWrite;
    if (state->stopped)
        return ZipErrorStopped;
    if (result == ZipOk && state->readFailed)
        result = ZipErrorFile;
    return result;
}

// Creating and closing archives: targets, the central directory and the end record.

#include "Deflate.h"
#include "ZipWriterState.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

ZipResult ZipLastResult = ZipOk;

namespace {

char *copyText(const char *text)
{
    const size_t n = strlen(text) + 1;
    char *copy = static_cast<char *>(malloc(n));
    if (copy)
        memcpy(copy, text, n);
    return copy;
}

// Longest part of the target's own name that a temporary name keeps: room is left for
// ".<process>-<counter>.tmp" within the longest name a folder entry may have.
const size_t TemporaryNameKept = NAME_MAX - 24;

// The archive is written to a new file beside the target (same folder, so the final
// rename cannot cross file systems) and renamed over the target by CloseZip.
ZipResult openNamedTarget(ZipWriterState *state, const char *path)
{
    // No name is a file that cannot be created, like any other bad name.
    if (!path || !*path)
        return ZipErrorFile;
    struct stat existing;
    const bool exists = stat(path, &existing) == 0;
    if (exists && (S_ISDIR(existing.st_mode) || access(path, W_OK) != 0))
        return ZipErrorFile;
    // A symbolic link keeps pointing where it did: the file it names is replaced.
    char *target = realpath(path, nullptr);
    if (!target && !(target = copyText(path)))
        return ZipErrorMapping;
    const size_t room = strlen(target) + 48;
    char *temporary = static_cast<char *>(malloc(room));
    if (!temporary) {
        free(target);
        return ZipErrorMapping;
    }
    // The suffix must not make a name the folder cannot hold: a target whose own name
    // is near the longest allowed lends the temporary file only the start of it.
    const char *slash = strrchr(target, '/');
    const size_t folderLength = slash ? (size_t)(slash + 1 - target) : 0;
    const size_t ownLength = strlen(target) - folderLength;
    const size_t keptLength = folderLength + (ownLength < TemporaryNameKept ? ownLength : TemporaryNameKept);
    static unsigned counter = 0;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        snprintf(temporary, room, "%.*s.%ld-%u.tmp", (int)keptLength, target, (long)getpid(), counter++);
        fd = open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        free(target);
        free(temporary);
        return ZipErrorFile;
    }
    if (exists)
        fchmod(fd, existing.st_mode & 07777);  // the replaced file keeps its permissions
    state->targetFd = fd;
    state->ownsTarget = true;
    state->targetPath = target;
    state->temporaryPath = temporary;
    state->seekable = true;
    return ZipOk;
}

ZipResult openTarget(ZipWriterState *state, void *target, uint32_t length, int kind)
{
    switch (kind) {
    case ZipKindHandle: {
        const int *fd = static_cast<const int *>(target);
        if (!fd || *fd < 0)
            return ZipErrorArgument;
        const int flags = fcntl(*fd, F_GETFL);
        if (flags < 0)
            return ZipErrorArgument;
        state->targetFd = *fd;
        const off_t at = lseek(*fd, 0, SEEK_CUR);
        // Appending descriptors ignore positions: their local headers cannot be
        // rewritten, so they are treated like pipes (sizes in data descriptors).
        state->seekable = at >= 0 && !(flags & O_APPEND);
        state->base = at >= 0 ? (uint64_t)at : 0;
        return ZipOk;
    }
    case ZipKindName:
        return openNamedTarget(state, static_cast<const char *>(target));
    case ZipKindMemory:
        if (length == 0)
            return ZipErrorMemorySize;
        if (target) {
            state->memory = static_cast<unsigned char *>(target);
        } else {
            state->memory = static_cast<unsigned char *>(calloc(length, 1));
            if (!state->memory)
                return ZipErrorMapping;
            state->ownsMemory = true;
        }
        state->memorySize = length;
        state->seekable = true;
        return ZipOk;
    default:
        return ZipErrorArgument;
    }
}

void releaseTarget(ZipWriterState *state)
{
    if (state->ownsMemory)
        free(state->memory);
    state->memory = nullptr;
    if (state->ownsTarget && state->targetFd >= 0)
        close(state->targetFd);
    state->targetFd = -1;
    if (state->temporaryPath)
        unlink(state->temporaryPath);
}

void freeState(ZipWriterState *state)
{
    ZipEntryRecord *record = state->firstEntry;
    while (record) {
        ZipEntryRecord *next = record->next;
        free(record->centralExtra);
        free(record);
        record = next;
    }
    DeflateFree(state->deflate);
    free(state->password);
    free(state->scratch);
    free(state->targetPath);
    free(state->temporaryPath);
    free(state);
}

// Central directory in the order the entries were added, then the end record.
ZipResult writeDirectory(ZipWriterState *state)
{
    const uint64_t directoryStart = state->written;
    bool ok = true;
    unsigned char header[ZipCentralHeaderSize + ZipNameBufferSize + ZipCentralExtraSize];
    for (ZipEntryRecord *r = state->firstEntry; r && ok; r = r->next) {
        unsigned char *p = header;
        p = ZipPut32(p, 0x02014B50);
        p = ZipPut16(p, r->versionMadeBy);
        p = ZipPut16(p, r->versionNeeded);
        p = ZipPut16(p, r->flags);
        p = ZipPut16(p, r->method);
        p = ZipPut32(p, r->dosDateTime);
        p = ZipPut32(p, r->crc);
        p = ZipPut32(p, r->compressedSize);
        p = ZipPut32(p, r->uncompressedSize);
        p = ZipPut16(p, r->nameLength);
        p = ZipPut16(p, r->centralExtraLength);
        p = ZipPut16(p, r->commentLength);
        p = ZipPut16(p, r->diskNumber);
        p = ZipPut16(p, r->internalAttributes);
        p = ZipPut32(p, r->externalAttributes);
        p = ZipPut32(p, r->localHeaderOffset);
        memcpy(p, r->name, r->nameLength);
        p += r->nameLength;
        memcpy(p, r->centralExtra, r->centralExtraLength);
        p += r->centralExtraLength;
        ok = ZipEmit(state, header, (uint32_t)(p - header));
    }
    if (!ok)
        return ZipErrorWrite;
    const uint64_t directoryOffset = state->base + directoryStart;
    if (directoryOffset + (state->written - directoryStart) > 0xFFFFFFFFu)
        return ZipErrorWrite;  // the end record could not point at the directory
    unsigned char end[ZipEndRecordSize];
    unsigned char *p = end;
    p = ZipPut32(p, 0x06054B50);
    p = ZipPut16(p, 0);
    p = ZipPut16(p, 0);
    p = ZipPut16(p, state->entryCount);
    p = ZipPut16(p, state->entryCount);
    p = ZipPut32(p, (uint32_t)(state->written - directoryStart));
    p = ZipPut32(p, (uint32_t)directoryOffset);
    ZipPut16(p, 0);
    return ZipEmit(state, end, sizeof end) ? ZipOk : ZipErrorWrite;
}

// Makes the file written by name the target; a failure leaves the old target as it was.
ZipResult commitNamedTarget(ZipWriterState *state)
{
    const bool synced = fsync(state->targetFd) == 0;
    const bool closed = close(state->targetFd) == 0;
    state->targetFd = -1;
    if (!synced || !closed)
        return ZipErrorWrite;
    if (rename(state->temporaryPath, state->targetPath) != 0)
        return ZipErrorFile;
    free(state->temporaryPath);
    state->temporaryPath = nullptr;
    return ZipOk;
}

ZipHandle fail(ZipResult result)
{
    ZipLastResult = result;
    return nullptr;
}

} // namespace

ZipResult ZipCheckHandle(ZipHandle handle)
{
    if (!handle)
        return ZipErrorArgument;
    if (handle->kind != ZipHandleKindWriter)
        return ZipErrorHandleKind;
    if (!handle->state)
        return ZipErrorArgument;
    return ZipOk;
}

ZipResult ZipEndArchive(ZipWriterState *state)
{
    if (state->ended)
        return ZipOk;
    state->ended = true;
    return writeDirectory(state);
}

ZipHandle CreateZip(const char *path, const char *password)
{
    return OpenZipTarget(const_cast<char *>(path), 0, ZipKindName, password);
}

ZipHandle OpenZipTarget(void *target, uint32_t length, int kind, const char *password)
{
    ZipWriterState *state = static_cast<ZipWriterState *>(calloc(1, sizeof(ZipWriterState)));
    if (!state)
        return fail(ZipErrorMapping);
    state->targetFd = -1;
    state->sourceFd = -1;
    ZipResult result = openTarget(state, target, length, kind);
    if (result == ZipOk && password && *password && !(state->password = copyText(password)))
        result = ZipErrorMapping;
    ZipHandle handle = nullptr;
    if (result == ZipOk && !(handle = static_cast<ZipHandle>(malloc(sizeof(ZipHandleRecord)))))
        result = ZipErrorMapping;
    if (result != ZipOk) {
        releaseTarget(state);
        freeState(state);
        return fail(result);
    }
    handle->kind = ZipHandleKindWriter;
    handle->state = state;
    ZipLastResult = ZipOk;
    return handle;
}

ZipResult ZipSetEntryTime(ZipHandle handle, int64_t unixSeconds)
{
    ZipResult result = ZipCheckHandle(handle);
    if (result != ZipOk)
        return ZipLastResult = result;
    handle->state->entryTimeSet = true;
    handle->state->entryTime = unixSeconds;
    return ZipLastResult = ZipOk;
}

ZipResult ZipAbort(ZipHandle handle, ZipResult reason)
{
    ZipResult result = ZipCheckHandle(handle);
    if (result != ZipOk)
        return ZipLastResult = result;
    ZipWriterState *state = handle->state;
    if (state->sticky == ZipOk)
        state->sticky = reason != ZipOk ? reason : ZipErrorArgument;
    return ZipLastResult = state->sticky;
}

ZipResult CloseZip(ZipHandle handle)
{
    ZipResult result = ZipCheckHandle(handle);
    if (result != ZipOk)
        return ZipLastResult = result;
    ZipWriterState *state = handle->state;
    const ZipResult earlier = state->sticky;
    result = ZipEndArchive(state);
    // An archive missing an entry the caller asked for is not a success either; a
    // directory that could not be written is a write failure, whatever the target said.
    if (earlier != ZipOk)
        result = earlier;
    if (result == ZipOk && state->temporaryPath)
        result = commitNamedTarget(state);
    releaseTarget(state);
    freeState(state);
    free(handle);
    return ZipLastResult = result;
}

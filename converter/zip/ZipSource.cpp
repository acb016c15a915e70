// Sources of archive entries: a file by name, an open file descriptor, a memory area or
// a folder; their attributes and times, and reading their data.

#include "Crc32.h"
#include "ZipWriterState.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

// Unix mode bits in the high half of the external attributes.
const uint32_t UnixRegularFile = 0100000;
const uint32_t UnixOwnerRead = 0400;
const uint32_t UnixOwnerWrite = 0200;
const uint32_t UnixOwnerExecute = 0100;
const uint32_t DosReadOnly = 0x01;

uint32_t readLe32(const unsigned char *p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

bool readFully(int fd, unsigned char *into, size_t n, off_t at)
{
    size_t done = 0;
    while (done < n) {
        const ssize_t r = pread(fd, into + done, n - done, at + (off_t)done);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        done += (size_t)r;
    }
    return true;
}

// A DOS/Windows program: "MZ", and the offset at byte 60 pointing, at least 52 bytes
// before the end, at a "MZ", "LE", "NE" or "PE" signature.
bool isDosExecutable(int fd, uint64_t size)
{
    unsigned char head[64];
    if (size <= 40 || size < sizeof head || !readFully(fd, head, sizeof head, 0))
        return false;
    if (head[0] != 0x4D || head[1] != 0x5A)
        return false;
    const uint32_t at = readLe32(head + 60);
    if ((uint64_t)at + 52 > size)
        return false;
    unsigned char sig[4];
    if (!readFully(fd, sig, sizeof sig, at))
        return false;
    const uint32_t v = readLe32(sig);
    return v == 0x5A4D || v == 0x454C || v == 0x454E || v == 0x4550;
}

uint32_t fileAttributes(int fd, const struct stat &info)
{
    const bool readOnly = !(info.st_mode & S_IWUSR);
    uint32_t unixMode = UnixRegularFile | UnixOwnerRead | (readOnly ? 0 : UnixOwnerWrite);
    if (isDosExecutable(fd, (uint64_t)info.st_size))
        unixMode |= UnixOwnerExecute;
    return unixMode << 16 | (readOnly ? DosReadOnly : 0);
}

int64_t birthTime(int fd, const struct stat &info)
{
#ifdef STATX_BTIME
    struct statx x;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &x) == 0 && (x.stx_mask & STATX_BTIME))
        return x.stx_btime.tv_sec;
#else
    (void)fd;
#endif
    return info.st_mtime;
}

void useCurrentTime(ZipWriterState *state)
{
    const int64_t now = (int64_t)time(nullptr);
    state->dosDateTime = ZipDosDateTime(now);
    state->accessTime = state->modificationTime = state->creationTime = now;
}

ZipResult openDescriptor(ZipWriterState *state, int fd, uint32_t length)
{
    state->sourceFd = fd;
    if (lseek(fd, 0, SEEK_CUR) < 0) {
        // A pipe or terminal: nothing is known but what the caller says.
        state->externalAttributes = ZipMemoryAttributes;
        state->sourceSize = length ? length : ZipUnknownSize;
        state->sourceSeekable = false;
        useCurrentTime(state);
        return ZipOk;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
        return ZipErrorFile;
    if ((uint64_t)info.st_size >= ZipUnknownSize)
        return ZipErrorArgument;  // beyond what an archive without ZIP64 can hold
    state->externalAttributes = fileAttributes(fd, info);
    state->sourceSize = (uint32_t)info.st_size;
    state->accessTime = info.st_atime;
    state->modificationTime = info.st_mtime;
    state->creationTime = birthTime(fd, info);
    state->dosDateTime = ZipDosDateTime(info.st_mtime);
    if (lseek(fd, 0, SEEK_SET) < 0)
        return ZipErrorFile;
    state->sourceSeekable = true;
    return ZipOk;
}

} // namespace

uint32_t ZipDosDateTime(int64_t unixSeconds)
{
    const time_t t = (time_t)unixSeconds;
    struct tm local;
    if (!localtime_r(&t, &local))
        return (1 << 21) | (1 << 16);
    const int year = local.tm_year + 1900;
    if (year < 1980)
        return (1 << 21) | (1 << 16);  // 1980-01-01 00:00:00
    if (year > 2107)
        return (127u << 25) | (12 << 21) | (31 << 16) | (23 << 11) | (59 << 5) | 29;
    const uint32_t date = (uint32_t)(year - 1980) << 9 | (uint32_t)(local.tm_mon + 1) << 5 | (uint32_t)local.tm_mday;
    const uint32_t clock = (uint32_t)local.tm_hour << 11 | (uint32_t)local.tm_min << 5 | (uint32_t)local.tm_sec / 2;
    return date << 16 | clock;
}

ZipResult ZipOpenSource(ZipWriterState *state, const void *source, uint32_t length, int kind)
{
    state->sourceFd = -1;
    state->ownsSource = false;
    state->sourceMemory = nullptr;
    state->sourcePosition = 0;
    state->sourceLength = 0;
    state->sourceSeekable = false;
    switch (kind) {
    case ZipKindName: {
        const char *path = static_cast<const char *>(source);
        if (!path || !*path)
            return ZipErrorArgument;
        const int fd = open(path, O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return ZipErrorFile;
        state->ownsSource = true;
        return openDescriptor(state, fd, 0);
    }
    case ZipKindHandle: {
        const int *fd = static_cast<const int *>(source);
        if (!fd || *fd < 0 || fcntl(*fd, F_GETFD) < 0)
            return ZipErrorArgument;
        return openDescriptor(state, *fd, length);
    }
    case ZipKindMemory:
        if (!source || length == 0)
            return ZipErrorArgument;
        state->sourceMemory = static_cast<const unsigned char *>(source);
        state->sourceLength = length;
        state->externalAttributes = ZipMemoryAttributes;
        state->sourceSize = length;
        useCurrentTime(state);
        return ZipOk;
    case ZipKindFolder:
        state->externalAttributes = ZipFolderAttributes;
        state->sourceSize = 0;
        useCurrentTime(state);
        return ZipOk;
    default:
        return ZipErrorArgument;
    }
}

void ZipCloseSource(ZipWriterState *state)
{
    if (state->ownsSource && state->sourceFd >= 0)
        close(state->sourceFd);
    state->sourceFd = -1;
    state->ownsSource = false;
    state->sourceMemory = nullptr;
}

uint32_t ZipReadSource(ZipWriterState *state, unsigned char *into, uint32_t n)
{
    // A source that never ends (a device, a file that keeps growing) stops where an
    // entry without ZIP64 must; the entry is then refused as too large.
    if (n > ZipUnknownSize - state->bytesRead)
        n = (uint32_t)(ZipUnknownSize - state->bytesRead);
    uint32_t got = 0;
    if (state->sourceMemory) {
        got = state->sourceLength - state->sourcePosition;
        if (got > n)
            got = n;
        memcpy(into, state->sourceMemory + state->sourcePosition, got);
        state->sourcePosition += got;
    } else if (state->sourceFd >= 0) {
        for (;;) {
            const ssize_t r = read(state->sourceFd, into, n);
            if (r < 0 && errno == EINTR)
                continue;
            if (r < 0)
                state->readFailed = true;  // fails the entry instead of truncating it
            got = r > 0 ? (uint32_t)r : 0;
            break;
        }
    }
    if (got) {
        state->crc = Crc32(state->crc, into, got);
        state->bytesRead += got;
        // A preparation whose caller gives up ends its input here; the entry then fails.
        if (state->progress && state->progress(state->progressContext, state->bytesRead) != 0) {
            state->stopped = true;
            return 0;
        }
    }
    return state->stopped ? 0 : got;
}

// Entries prepared ahead of their place in an archive, on any thread: the same data,
// CRC, sizes and times that adding the source directly would write.

#include "Deflate.h"
#include "ZipWriterState.h"

#include <stdlib.h>

ZipResult ZipPrepareEntry(const char *entryName, const char *sourcePath, int dataFd, ZipPrepareProgress progress,
                          void *context, ZipPreparedEntry *prepared)
{
    if (!entryName || !*entryName || !sourcePath || !*sourcePath || dataFd < 0 || !prepared)
        return ZipErrorArgument;
    // A writer state of its own, whose target is the caller's file: the compressor and
    // the source reader work on it exactly as on an archive's.
    ZipWriterState *state = static_cast<ZipWriterState *>(calloc(1, sizeof(ZipWriterState)));
    if (!state)
        return ZipErrorMapping;
    state->targetFd = dataFd;
    state->sourceFd = -1;
    state->progress = progress;
    state->progressContext = context;
    const uint16_t method = ZipMethodForName(entryName);
    ZipResult result = ZipOpenSource(state, sourcePath, 0, ZipKindName);
    if (result == ZipOk)
        result = ZipWriteData(state, method);
    ZipCloseSource(state);
    if (result == ZipOk && (state->bytesRead >= ZipUnknownSize || state->dataWritten >= ZipUnknownSize))
        result = ZipErrorArgument;  // would need ZIP64
    if (result == ZipOk) {
        prepared->method = method;
        prepared->crc = state->crc;
        prepared->compressedSize = (uint32_t)state->dataWritten;
        prepared->uncompressedSize = (uint32_t)state->bytesRead;
        prepared->sourceSize = state->sourceSize;
        prepared->externalAttributes = state->externalAttributes;
        prepared->dosDateTime = state->dosDateTime;
        prepared->accessTime = state->accessTime;
        prepared->modificationTime = state->modificationTime;
        prepared->creationTime = state->creationTime;
    }
    DeflateFree(state->deflate);
    free(state);
    return result;
}

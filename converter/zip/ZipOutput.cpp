// Low-level output of the archive writer: file descriptor or memory area, through the
// cipher while an encrypted entry's data is written.

#include "ZipWriterState.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

// Writes all n bytes unless the system refuses; returns the bytes it took.
uint32_t writeFd(int fd, const unsigned char *data, uint32_t n)
{
    uint32_t done = 0;
    while (done < n) {
        const ssize_t w = write(fd, data + done, n - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            break;
        done += (uint32_t)w;
    }
    return done;
}

uint32_t pwriteFd(int fd, const unsigned char *data, uint32_t n, off_t at)
{
    uint32_t done = 0;
    while (done < n) {
        const ssize_t w = pwrite(fd, data + done, n - done, at + (off_t)done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            break;
        done += (uint32_t)w;
    }
    return done;
}

const unsigned char *encipher(ZipWriterState *state, const void *data, uint32_t n)
{
    if (n > state->scratchSize) {
        const size_t size = (size_t)n * 2;
        unsigned char *grown = static_cast<unsigned char *>(realloc(state->scratch, size));
        if (!grown)
            return nullptr;
        state->scratch = grown;
        state->scratchSize = size;
    }
    const unsigned char *in = static_cast<const unsigned char *>(data);
    for (uint32_t i = 0; i < n; ++i)
        state->scratch[i] = ZipCipherEncode(state->keys, in[i]);
    return state->scratch;
}

uint32_t writeTarget(ZipWriterState *state, const void *data, uint32_t n)
{
    if (n == 0)
        return 0;
    const unsigned char *bytes = static_cast<const unsigned char *>(data);
    if (state->encrypting) {
        bytes = encipher(state, data, n);
        if (!bytes)
            return 0;
    }
    if (!state->memory)
        return writeFd(state->targetFd, bytes, n);
    // The area may be filled exactly to its size, never beyond it.
    if ((uint64_t)state->memoryPosition + n > state->memorySize) {
        state->sticky = ZipErrorMemorySize;
        return 0;
    }
    memcpy(state->memory + state->memoryPosition, bytes, n);
    state->memoryPosition += n;
    return n;
}

} // namespace

bool ZipEmit(ZipWriterState *state, const void *data, uint32_t n)
{
    const uint32_t w = writeTarget(state, data, n);
    state->written += w;
    return w == n;
}

bool ZipRewriteAt(ZipWriterState *state, uint64_t offset, const void *data, uint32_t n)
{
    const unsigned char *bytes = static_cast<const unsigned char *>(data);
    if (state->memory) {
        if (offset + n > state->memorySize) {
            state->sticky = ZipErrorMemorySize;
            return false;
        }
        memcpy(state->memory + offset, bytes, n);
        return true;
    }
    return pwriteFd(state->targetFd, bytes, n, (off_t)(state->base + offset)) == n;
}

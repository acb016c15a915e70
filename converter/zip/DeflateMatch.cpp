// The compressor's main loop: sliding window, lazy evaluation of matches, tallying
// literals and matches into blocks.

#include "Deflate.h"
#include "DeflateSearch.h"

#include <stdlib.h>
#include <string.h>

namespace {

inline uint32_t updateHash(uint32_t h, unsigned char c)
{
    return ((h << DeflateHashShift) ^ c) & DeflateHashMask;
}

void slideChain(uint16_t *links, uint32_t n)
{
    for (uint32_t i = 0; i < n; ++i)
        links[i] = links[i] >= DeflateDictionary ? (uint16_t)(links[i] - DeflateDictionary) : 0;
}

// Moves the upper half of the window down; chain entries that slide out become 0.
void slideWindow(DeflateState *s)
{
    memcpy(s->window, s->window + DeflateDictionary, DeflateDictionary);
    s->matchStart -= DeflateDictionary;
    s->strStart -= DeflateDictionary;
    s->blockStart -= DeflateDictionary;
    for (int k = 0; k < DeflateKeyCount; ++k)
        s->keyNext[k] -= DeflateDictionary;
    slideChain(s->head, DeflateHashSize);
    slideChain(s->prev, DeflateDictionary);
    for (int k = 0; k < DeflateKeyCount; ++k) {
        slideChain(s->keyHead[k], 1 << DeflateKeyHashBits);
        slideChain(s->keyPrev[k], DeflateDictionary);
    }
}

// Reads until the lookahead holds a longest match plus the next string, or input ends.
void fillWindow(DeflateState *s)
{
    do {
        uint32_t more = DeflateWindowSize - s->lookahead - s->strStart;
        if (s->strStart >= DeflateDictionary + DeflateMaxDistance) {
            slideWindow(s);
            more += DeflateDictionary;
        }
        if (more < 2) {
            DeflateFail(s, "more < 2");
            s->endOfInput = true;
            return;
        }
        const uint32_t n = ZipReadSource(s->writer, s->window + s->strStart + s->lookahead, more);
        if (n == 0)
            s->endOfInput = true;
        s->lookahead += n;
    } while (s->lookahead < DeflateMinLookahead && !s->endOfInput);
}

bool tallyCheck(DeflateState *s)
{
    if ((s->lastLiteral & 0xFFF) == 0) {
        // Every 4096 symbols: end the block early when it already compresses well, so
        // that the next part of the input gets codes of its own.
        uint64_t outLength = (uint64_t)s->lastLiteral * 8;
        const int64_t inLength = (int64_t)s->strStart - s->blockStart;
        for (int d = 0; d < DeflateDCodes; ++d)
            outLength += (uint64_t)s->dynDTree[d].freq * (5 + DeflateExtraDBits[d]);
        outLength >>= 3;
        if (s->lastDistance < s->lastLiteral / 2 && (int64_t)outLength < inLength / 2)
            return true;
    }
    return s->lastLiteral == DeflateSymbolBufferSize - 1 || s->lastDistance == DeflateSymbolBufferSize;
}

inline bool tallyLiteral(DeflateState *s, unsigned char c)
{
    s->distances[s->lastLiteral] = 0;
    s->literals[s->lastLiteral++] = c;
    ++s->dynLTree[c].freq;
    return tallyCheck(s);
}

inline bool tallyMatch(DeflateState *s, uint32_t dist, uint32_t lc)
{
    if (dist - 1 >= DeflateMaxDistance || lc > DeflateMaxMatch - DeflateMinMatch) {
        DeflateFail(s, "ct_tally: bad match");
        return false;
    }
    const uint32_t dcode = DeflateDistCode(s, dist - 1);
    if (dcode >= DeflateDCodes) {
        DeflateFail(s, "bad d_code");
        return false;
    }
    s->distances[s->lastLiteral] = (uint16_t)dist;
    s->literals[s->lastLiteral++] = (uint8_t)lc;
    ++s->lastDistance;
    ++s->dynLTree[s->lengthCode[lc] + DeflateLiterals + 1].freq;
    ++s->dynDTree[dcode].freq;
    return tallyCheck(s);
}

void flushBlock(DeflateState *s, bool last)
{
    const unsigned char *stored = s->blockStart >= 0 ? s->window + s->blockStart : nullptr;
    DeflateFlushBlock(s, stored, (uint32_t)((int64_t)s->strStart - s->blockStart), last);
    s->blockStart = (int32_t)s->strStart;
}

void startEntry(DeflateState *s)
{
    s->strStart = 0;
    s->blockStart = 0;
    s->matchStart = 0;
    s->matchAvailable = false;
    s->matchLength = s->prevLength = DeflateMinMatch - 1;
    s->endOfInput = false;
    memset(s->head, 0, sizeof s->head);
    memset(s->keyHead, 0, sizeof s->keyHead);
    memset(s->keyNext, 0, sizeof s->keyNext);
    s->lookahead = ZipReadSource(s->writer, s->window, DeflateWindowSize);
    if (s->lookahead == 0) {
        s->endOfInput = true;
        return;
    }
    if (s->lookahead < DeflateMinLookahead)
        fillWindow(s);
    s->insertHash = updateHash(s->window[0], s->window[1]);
}

// Lazy evaluation: a match found at one position is emitted only when the next position
// does not start a longer one.
void compress(DeflateState *s)
{
    const unsigned char *window = s->window;
    while (s->lookahead != 0) {
        uint32_t hashHead = 0;
        if (s->lookahead >= DeflateMinMatch) {
            s->insertHash = updateHash(s->insertHash, window[s->strStart + 2]);
            hashHead = DeflateInsertString(s, s->strStart, s->insertHash, s->lookahead);
        }
        s->prevLength = s->matchLength;
        s->prevMatch = s->matchStart;
        s->matchLength = DeflateMinMatch - 1;
        if (hashHead != 0 && s->prevLength < DeflateLazyLimit && s->strStart - hashHead <= DeflateMaxDistance) {
            s->matchLength = DeflateLongestMatch(s, hashHead);
            if (s->matchLength == DeflateMinMatch && s->strStart - s->matchStart > DeflateTooFar)
                s->matchLength = DeflateMinMatch - 1;
        }
        if (s->prevLength >= DeflateMinMatch && s->matchLength <= s->prevLength) {
            const uint32_t maxInsert = s->strStart + s->lookahead - DeflateMinMatch;
            const bool full = tallyMatch(s, s->strStart - 1 - s->prevMatch, s->prevLength - DeflateMinMatch);
            s->lookahead -= s->prevLength - 1;
            uint32_t strStart = s->strStart;
            uint32_t h = s->insertHash;
            for (uint32_t n = s->prevLength - 2; n != 0; --n) {
                if (++strStart <= maxInsert) {
                    h = updateHash(h, window[strStart + 2]);
                    DeflateInsertString(s, strStart, h, maxInsert + DeflateMinMatch - strStart);
                }
            }
            s->insertHash = h;
            s->strStart = strStart + 1;
            s->matchAvailable = false;
            s->matchLength = DeflateMinMatch - 1;
            if (full)
                flushBlock(s, false);
        } else if (s->matchAvailable) {
            if (tallyLiteral(s, window[s->strStart - 1]))
                flushBlock(s, false);
            ++s->strStart;
            --s->lookahead;
        } else {
            s->matchAvailable = true;
            ++s->strStart;
            --s->lookahead;
        }
        if (s->lookahead < DeflateMinLookahead && !s->endOfInput)
            fillWindow(s);
        if (s->error || s->writeFailed)
            return;
    }
    if (s->matchAvailable)
        tallyLiteral(s, window[s->strStart - 1]);
    flushBlock(s, true);
}

} // namespace

int DeflateEntry(ZipWriterState *state)
{
    if (!state->deflate) {
        state->deflate = static_cast<DeflateState *>(calloc(1, sizeof(DeflateState)));
        if (!state->deflate)
            return 1;
        state->deflate->writer = state;
    }
    DeflateState *s = state->deflate;
    if (!s->tablesReady && !DeflateInitTables(s))
        return 1;
    DeflateInitEntry(s);
    startEntry(s);
    compress(s);
    state->dataWritten = s->flushedBytes;
    return (s->error || s->writeFailed) ? 1 : 0;
}

void DeflateFree(DeflateState *deflate)
{
    free(deflate);
}

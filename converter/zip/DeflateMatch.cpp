// The compressor's match finder: sliding window, hash chains of three-byte strings,
// longest-match search and lazy evaluation, tallying literals and matches into blocks.
//
// Which match is chosen is fixed (chain order, chain limit, nearest of equal length);
// the search only gets there quickly: candidates are rejected on the four bytes that
// end the best match so far, and strings are compared eight bytes at a time.

#include "Deflate.h"
#include "DeflateState.h"

#include <stdlib.h>
#include <string.h>

namespace {

// The writer's one level: good length, lazy limit, nice length, chain limit.
const uint32_t GoodLength = 32;
const uint32_t LazyLimit = 128;
const uint32_t NiceLength = 258;
const uint32_t ChainLimit = 1024;

void fail(DeflateState *s, const char *message)
{
    if (!s->error)
        s->error = message;
}

inline uint32_t load32(const unsigned char *p)
{
    uint32_t v;
    memcpy(&v, p, 4);
    return v;
}

inline uint64_t load64(const unsigned char *p)
{
    uint64_t v;
    memcpy(&v, p, 8);
    return v;
}

inline uint32_t updateHash(uint32_t h, unsigned char c)
{
    return ((h << DeflateHashShift) ^ c) & DeflateHashMask;
}

// Moves the upper half of the window down; chain entries that slide out become 0.
void slideWindow(DeflateState *s)
{
    memcpy(s->window, s->window + DeflateDictionary, DeflateDictionary);
    s->matchStart -= DeflateDictionary;
    s->strStart -= DeflateDictionary;
    s->blockStart -= DeflateDictionary;
    for (uint32_t n = 0; n < DeflateHashSize; ++n)
        s->head[n] = s->head[n] >= DeflateDictionary ? (uint16_t)(s->head[n] - DeflateDictionary) : 0;
    for (uint32_t n = 0; n < DeflateDictionary; ++n)
        s->prev[n] = s->prev[n] >= DeflateDictionary ? (uint16_t)(s->prev[n] - DeflateDictionary) : 0;
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
            fail(s, "more < 2");
            s->endOfInput = true;
            return;
        }
        const uint32_t n = ZipReadSource(s->writer, s->window + s->strStart + s->lookahead, more);
        if (n == 0)
            s->endOfInput = true;
        s->lookahead += n;
    } while (s->lookahead < DeflateMinLookahead && !s->endOfInput);
}

// Longest match at strStart among the first `chain` entries of the hash chain starting
// at `candidate`, strictly longer than the previous match; the nearest of equal length
// wins and a match of `nice` bytes ends the search. The result is at most the lookahead.
uint32_t longestMatch(DeflateState *s, uint32_t candidate)
{
    uint32_t chain = ChainLimit;
    if (s->prevLength >= GoodLength)
        chain >>= 2;
    const uint32_t nice = NiceLength < s->lookahead ? NiceLength : s->lookahead;
    uint32_t best = s->prevLength;
    if (best >= nice)
        return nice;  // nothing can be longer than what is left
    const unsigned char *window = s->window;
    const uint16_t *prev = s->prev;
    const unsigned char *scan = window + s->strStart;
    const uint32_t limit = s->strStart > DeflateMaxDistance ? s->strStart - DeflateMaxDistance : 0;
    if (candidate >= s->strStart) {
        fail(s, "no future");
        return best;
    }
    // Until the input ends, the window is refilled and slid before this could happen.
    if (!s->endOfInput && s->strStart > DeflateWindowSize - DeflateMinLookahead) {
        fail(s, "insufficient lookahead");
        return best;
    }
    // A longer match must agree with the four bytes ending at `best` (with only two
    // bytes matched so far, with the first three).
    uint32_t endOffset = best >= 3 ? best - 3 : 0;
    uint32_t endMask = best >= 3 ? 0xFFFFFFFFu : 0x00FFFFFFu;
    uint32_t scanEnd = load32(scan + endOffset) & endMask;
    uint32_t matchStart = s->matchStart;
    do {
        const unsigned char *match = window + candidate;
        if ((load32(match + endOffset) & endMask) != scanEnd)
            continue;
        uint32_t len = 0;
        for (;;) {
            const uint64_t diff = load64(scan + len) ^ load64(match + len);
            if (diff) {
                len += (uint32_t)__builtin_ctzll(diff) >> 3;
                break;
            }
            len += 8;
            if (len >= nice)
                break;
        }
        if (len > best) {
            matchStart = candidate;
            if (len >= nice) {
                best = nice;
                break;
            }
            best = len;
            endOffset = best - 3;
            endMask = 0xFFFFFFFFu;
            scanEnd = load32(scan + endOffset);
        }
    } while ((candidate = prev[candidate & DeflateWindowMask]) > limit && --chain != 0);
    s->matchStart = matchStart;
    return best;
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
        fail(s, "ct_tally: bad match");
        return false;
    }
    const uint32_t dcode = DeflateDistCode(s, dist - 1);
    if (dcode >= DeflateDCodes) {
        fail(s, "bad d_code");
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
    unsigned char *window = s->window;
    uint16_t *head = s->head;
    uint16_t *prev = s->prev;
    while (s->lookahead != 0) {
        uint32_t hashHead = 0;
        if (s->lookahead >= DeflateMinMatch) {
            s->insertHash = updateHash(s->insertHash, window[s->strStart + 2]);
            hashHead = head[s->insertHash];
            prev[s->strStart & DeflateWindowMask] = (uint16_t)hashHead;
            head[s->insertHash] = (uint16_t)s->strStart;
        }
        s->prevLength = s->matchLength;
        s->prevMatch = s->matchStart;
        s->matchLength = DeflateMinMatch - 1;
        if (hashHead != 0 && s->prevLength < LazyLimit && s->strStart - hashHead <= DeflateMaxDistance) {
            s->matchLength = longestMatch(s, hashHead);
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
                    prev[strStart & DeflateWindowMask] = head[h];
                    head[h] = (uint16_t)strStart;
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

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

#include <utility>

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

// Hash of the first L bytes at p, for the key chains.
template <unsigned L>
inline uint32_t keyHash(const unsigned char *p)
{
    uint64_t a = load64(p);
    if (L < 8)
        a <<= 64 - 8 * L;
    uint64_t h = a * 0x9E3779B97F4A7C15ull;
    if (L > 8) {
        uint64_t b = load64(p + 8);
        if (L < 16)
            b <<= 128 - 8 * L;
        h ^= b * 0xC2B2AE3D27D4EB4Full;
    }
    return (uint32_t)(h >> (64 - DeflateKeyHashBits));
}

template <int K>
inline void insertKey(DeflateState *s, uint32_t p)
{
    const uint32_t h = keyHash<DeflateKeyLengths[K]>(s->window + p);
    s->keyPrev[K][p & DeflateWindowMask] = s->keyHead[K][h];
    s->keyHead[K][h] = (uint16_t)p;
}

template <int... K>
inline void insertKeys(DeflateState *s, uint32_t p, uint32_t available, std::integer_sequence<int, K...>)
{
    ((available >= DeflateKeyLengths[K] ? insertKey<K>(s, p) : void()), ...);
}

// Inserts the string at p (whose three-byte hash is h, with `available` bytes of input
// from p on) into its chain and the key chains; returns the previous head of its chain.
inline uint32_t insertString(DeflateState *s, uint32_t p, uint32_t h, uint32_t available)
{
    const uint32_t head = s->head[h];
    s->prev[p & DeflateWindowMask] = (uint16_t)head;
    s->head[h] = (uint16_t)p;
    s->chainRank[p & DeflateWindowMask] = ++s->chainCount[h];
    insertKeys(s, p, available, std::make_integer_sequence<int, DeflateKeyCount>());
    return head;
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

// Length of the common prefix of a and b, compared eight bytes at a time, at least
// `limit` when it reaches it.
inline uint32_t commonLength(const unsigned char *a, const unsigned char *b, uint32_t limit)
{
    uint32_t len = 0;
    for (;;) {
        const uint64_t diff = load64(a + len) ^ load64(b + len);
        if (diff)
            return len + ((uint32_t)__builtin_ctzll(diff) >> 3);
        len += 8;
        if (len >= limit)
            return len;
    }
}

// The key chain to search once `best` bytes are matched: the longest key of at most
// best + 1 bytes, or -1 while the three-byte chain is the only one that can help.
inline int keyFor(uint32_t best)
{
    int k = -1;
    for (int i = 0; i < DeflateKeyCount; ++i)
        if (DeflateKeyLengths[i] <= best + 1)
            k = i;
    return k;
}

struct Search {
    const unsigned char *window;
    const unsigned char *scan;
    uint32_t best;
    uint32_t matchStart;
    uint32_t nice;
    uint32_t endOffset;  // a longer match agrees with the four bytes ending at `best`
    uint32_t endMask;    // (with only two bytes matched so far, with the first three)
    uint32_t scanEnd;

    void setBest(uint32_t len, uint32_t candidate)
    {
        matchStart = candidate;
        best = len;
        endOffset = best >= 3 ? best - 3 : 0;
        endMask = best >= 3 ? 0xFFFFFFFFu : 0x00FFFFFFu;
        scanEnd = load32(scan + endOffset) & endMask;
    }

    // True when the candidate is longer than the best so far (then it becomes the best).
    bool tryCandidate(uint32_t candidate)
    {
        const unsigned char *match = window + candidate;
        if ((load32(match + endOffset) & endMask) != scanEnd)
            return false;
        const uint32_t len = commonLength(scan, match, nice);
        if (len <= best)
            return false;
        setBest(len < nice ? len : nice, candidate);
        return true;
    }
};

// Longest match at strStart among the first `chain` entries of the three-byte chain
// that starts at `hashHead`, strictly longer than the previous match; the nearest of
// equal length wins and a match of `nice` bytes ends the search. The result is at
// most the lookahead.
//
// The chain is walked only until `best` reaches the shortest key length less one. From
// there on every better candidate shares a longer string with strStart, so it is found
// on the key chain of that string, nearest first; its rank in the three-byte chain
// tells whether the walk would have reached it.
uint32_t longestMatch(DeflateState *s, uint32_t hashHead)
{
    const uint32_t chainLimit = s->prevLength >= GoodLength ? ChainLimit >> 2 : ChainLimit;
    Search q;
    q.nice = NiceLength < s->lookahead ? NiceLength : s->lookahead;
    if (s->prevLength >= q.nice)
        return q.nice;  // nothing can be longer than what is left
    if (hashHead >= s->strStart) {
        fail(s, "no future");
        return s->prevLength;
    }
    // Until the input ends, the window is refilled and slid before this could happen.
    if (!s->endOfInput && s->strStart > DeflateWindowSize - DeflateMinLookahead) {
        fail(s, "insufficient lookahead");
        return s->prevLength;
    }
    q.window = s->window;
    q.scan = s->window + s->strStart;
    q.setBest(s->prevLength, s->matchStart);
    const uint32_t limit = s->strStart > DeflateMaxDistance ? s->strStart - DeflateMaxDistance : 0;

    int key = keyFor(q.best);
    if (key < 0) {
        const uint16_t *prev = s->prev;
        uint32_t candidate = hashHead;
        uint32_t chain = chainLimit;
        do {
            if (q.tryCandidate(candidate)) {
                if (q.best >= q.nice)
                    break;
                if ((key = keyFor(q.best)) >= 0)
                    break;
            }
        } while ((candidate = prev[candidate & DeflateWindowMask]) > limit && --chain != 0);
    }
    const uint16_t headRank = s->chainRank[hashHead & DeflateWindowMask];
    const uint32_t first3 = load32(q.scan) & 0x00FFFFFFu;
    while (key >= 0 && q.best < q.nice) {
        const uint16_t *keyPrev = s->keyPrev[key];
        const int searching = key;
        for (uint32_t candidate = keyPrev[s->strStart & DeflateWindowMask]; candidate != 0;
             candidate = keyPrev[candidate & DeflateWindowMask]) {
            if (candidate < limit || (candidate == limit && candidate != hashHead))
                break;
            if ((load32(q.window + candidate) & 0x00FFFFFFu) != first3)
                continue;  // another string with the same hash
            if ((uint16_t)(headRank - s->chainRank[candidate & DeflateWindowMask]) >= chainLimit)
                break;  // the chain walk stops before this one, and before all older ones
            if (q.tryCandidate(candidate) && (q.best >= q.nice || (key = keyFor(q.best)) != searching))
                break;
        }
        if (key == searching)
            break;
    }
    s->matchStart = q.matchStart;
    return q.best;
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
    memset(s->keyHead, 0, sizeof s->keyHead);
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
            hashHead = insertString(s, s->strStart, s->insertHash, s->lookahead);
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
                    insertString(s, strStart, h, maxInsert + DeflateMinMatch - strStart);
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

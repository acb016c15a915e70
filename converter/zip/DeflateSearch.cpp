// Longest-match search over the three-byte chain and the key chains.

#include "DeflateSearch.h"

namespace {

// Length of the common prefix of a and b, compared eight bytes at a time, at least
// `limit` when it reaches it.
inline uint32_t commonLength(const unsigned char *a, const unsigned char *b, uint32_t limit)
{
    uint32_t len = 0;
    for (;;) {
        const uint64_t diff = DeflateLoad64(a + len) ^ DeflateLoad64(b + len);
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
        scanEnd = DeflateLoad32(scan + endOffset) & endMask;
    }

    // Length of the match with the candidate when it is longer than the best so far,
    // else 0. Most candidates are rejected on the four bytes that end the best match.
    uint32_t longer(uint32_t candidate) const
    {
        const unsigned char *match = window + candidate;
        if ((DeflateLoad32(match + endOffset) & endMask) != scanEnd)
            return 0;
        const uint32_t len = commonLength(scan, match, nice);
        if (len <= best)
            return 0;
        return len < nice ? len : nice;
    }

    // True when the candidate is longer than the best so far (then it becomes the best).
    bool tryCandidate(uint32_t candidate)
    {
        const uint32_t len = longer(candidate);
        if (len)
            setBest(len, candidate);
        return len != 0;
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
} // namespace

uint32_t DeflateLongestMatch(DeflateState *s, uint32_t hashHead)
{
    const uint32_t chainLimit = s->prevLength >= DeflateGoodLength ? DeflateChainLimit >> 2 : DeflateChainLimit;
    Search q;
    q.nice = DeflateNiceLength < s->lookahead ? DeflateNiceLength : s->lookahead;
    if (s->prevLength >= q.nice)
        return q.nice;  // nothing can be longer than what is left
    if (hashHead >= s->strStart) {
        DeflateFail(s, "no future");
        return s->prevLength;
    }
    // Until the input ends, the window is refilled and slid before this could happen.
    if (!s->endOfInput && s->strStart > DeflateWindowSize - DeflateMinLookahead) {
        DeflateFail(s, "insufficient lookahead");
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
    // The rank is looked at only for a longer match: it shares its first three bytes
    // with strStart, so it is on the same three-byte chain, and ranks only fall along a
    // key chain among such candidates, so the first one out of reach ends the search.
    const uint16_t headRank = s->chainRank[hashHead & DeflateWindowMask];
    while (key >= 0 && q.best < q.nice) {
        const uint16_t *keyPrev = s->keyPrev[key];
        const int searching = key;
        for (uint32_t candidate = keyPrev[s->strStart & DeflateWindowMask]; candidate != 0;
             candidate = keyPrev[candidate & DeflateWindowMask]) {
            if (candidate < limit || (candidate == limit && candidate != hashHead))
                break;
            const uint32_t len = q.longer(candidate);
            if (len == 0)
                continue;
            if ((uint16_t)(headRank - s->chainRank[candidate & DeflateWindowMask]) >= chainLimit)
                break;  // the chain walk stops before this one, and before all older ones
            q.setBest(len, candidate);
            if (q.best >= q.nice || (key = keyFor(q.best)) != searching)
                break;
        }
        if (key == searching)
            break;
    }
    s->matchStart = q.matchStart;
    return q.best;
}

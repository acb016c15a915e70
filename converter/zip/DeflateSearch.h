#pragma once

// String insertion and longest-match search of the compressor.
//
// Which match is chosen is fixed: the longest of the first entries of the three-byte
// hash chain (nearest of equal length, a nice length ends the search). The search only
// gets there quickly: candidates are rejected on the four bytes that end the best match
// so far, strings are compared eight bytes at a time, and longer matches are looked up
// on chains of longer strings ("key chains").

#include "DeflateState.h"

#include <string.h>

#include <utility>

// The writer's one level: good length, lazy limit, nice length, chain limit.
const uint32_t DeflateGoodLength = 32;
const uint32_t DeflateLazyLimit = 128;
const uint32_t DeflateNiceLength = 258;
const uint32_t DeflateChainLimit = 1024;

inline uint32_t DeflateLoad32(const unsigned char *p)
{
    uint32_t v;
    memcpy(&v, p, 4);
    return v;
}

inline uint64_t DeflateLoad64(const unsigned char *p)
{
    uint64_t v;
    memcpy(&v, p, 8);
    return v;
}

// Hash of the first L bytes at p, for the key chains. Keys longer than 16 bytes hash
// three words that cover them: candidates that share the key always share the hash.
template <unsigned L>
inline uint32_t DeflateKeyHash(const unsigned char *p)
{
    static_assert(L >= 4 && L <= 24, "keys of 4 to 24 bytes");
    uint64_t a = DeflateLoad64(p);
    if (L < 8)
        a <<= 64 - 8 * L;
    uint64_t h = a * 0x9E3779B97F4A7C15ull;
    if (L > 8 && L <= 16) {
        uint64_t b = DeflateLoad64(p + 8);
        if (L < 16)
            b <<= 128 - 8 * L;
        h ^= b * 0xC2B2AE3D27D4EB4Full;
    } else if (L > 16) {
        h ^= DeflateLoad64(p + 8) * 0xC2B2AE3D27D4EB4Full;
        h ^= DeflateLoad64(p + L - 8) * 0x165667B19E3779F9ull;
    }
    return (uint32_t)(h >> (64 - DeflateKeyHashBits));
}

// Key chain K takes every position whose first DeflateKeyLengths[K] bytes have been
// read, in order; a position read only in part waits for the rest of its key.
template <int K>
inline void DeflateInsertKey(DeflateState *s, uint32_t p, uint32_t available)
{
    constexpr uint32_t length = DeflateKeyLengths[K];
    if (available < length)
        return;
    for (uint32_t q = s->keyNext[K]; q <= p; ++q) {
        const uint32_t h = DeflateKeyHash<length>(s->window + q);
        s->keyPrev[K][q & DeflateWindowMask] = s->keyHead[K][h];
        s->keyHead[K][h] = (uint16_t)q;
    }
    s->keyNext[K] = p + 1;
}

// The common case: every key chain is complete up to p and p's longest key has been
// read, so each chain takes p alone and the keys share their loads.
template <int K>
inline void DeflateLinkKey(DeflateState *s, uint32_t p, uint32_t h)
{
    s->keyPrev[K][p & DeflateWindowMask] = s->keyHead[K][h];
    s->keyHead[K][h] = (uint16_t)p;
    s->keyNext[K] = p + 1;
}

template <int... K>
inline void DeflateInsertKeys(DeflateState *s, uint32_t p, uint32_t available,
                              std::integer_sequence<int, K...>)
{
    if (available >= DeflateKeyLengths[DeflateKeyCount - 1] && ((s->keyNext[K] == p) && ...)) {
        (DeflateLinkKey<K>(s, p, DeflateKeyHash<DeflateKeyLengths[K]>(s->window + p)), ...);
        return;
    }
    (DeflateInsertKey<K>(s, p, available), ...);
}

// Inserts the string at p (whose three-byte hash is h, with `available` bytes of input
// from p on) into its chain and the key chains; returns the previous head of its chain.
inline uint32_t DeflateInsertString(DeflateState *s, uint32_t p, uint32_t h, uint32_t available)
{
    const uint32_t head = s->head[h];
    s->prev[p & DeflateWindowMask] = (uint16_t)head;
    s->head[h] = (uint16_t)p;
    s->chainRank[p & DeflateWindowMask] = ++s->chainCount[h];
    DeflateInsertKeys(s, p, available, std::make_integer_sequence<int, DeflateKeyCount>());
    return head;
}

// Longest match at strStart, strictly longer than the previous match, starting from the
// chain head `hashHead`; sets matchStart when it finds one. At most the lookahead.
uint32_t DeflateLongestMatch(DeflateState *s, uint32_t hashHead);

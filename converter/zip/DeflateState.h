#pragma once

// The compressor's one state record, made once per archive, and the block coder that the
// match finder hands its symbols to.

#include "ZipWriterState.h"

#include <stdint.h>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "bit output assumes a little-endian host");

enum {
    DeflateWindowSize = 65536,         // twice the dictionary
    DeflateDictionary = 32768,
    DeflateWindowMask = DeflateDictionary - 1,
    DeflateWindowPadding = 272,        // lets comparisons read 8 bytes past any match end
    DeflateHashSize = 32768,
    DeflateHashMask = DeflateHashSize - 1,
    DeflateHashShift = 5,
    DeflateMinMatch = 3,
    DeflateMaxMatch = 258,
    DeflateMinLookahead = DeflateMaxMatch + DeflateMinMatch + 1,
    DeflateMaxDistance = DeflateDictionary - DeflateMinLookahead,
    DeflateTooFar = 4096,
    DeflateSymbolBufferSize = 32768,
    DeflateLiterals = 256,
    DeflateEndBlock = 256,
    DeflateLengthCodes = 29,
    DeflateLCodes = DeflateLiterals + 1 + DeflateLengthCodes,  // 286
    DeflateDCodes = 30,
    DeflateBlCodes = 19,
    DeflateHeapSize = 2 * DeflateLCodes + 1,
    DeflateMaxBits = 15,
    DeflateMaxBlBits = 7,
    DeflateRep3To6 = 16,          // bit-length codes: repeat the previous length 3-6 times,
    DeflateRepZero3To10 = 17,     // 3-10 zeros,
    DeflateRepZero11To138 = 18,   // 11-138 zeros
    DeflateKeyCount = 3,      // chains of longer strings that speed up the search
    DeflateKeyHashBits = 15,
};

// Lengths of the strings the key chains are hashed on, shortest first.
constexpr unsigned DeflateKeyLengths[DeflateKeyCount] = {8, 12, 20};

struct DeflateTreeNode {
    uint32_t freq;
    uint16_t code;  // bit-reversed, ready to send
    uint16_t len;
    uint16_t dad;
};

struct DeflateTreeDesc {
    DeflateTreeNode *dynTree;
    int maxCode;
    const DeflateTreeNode *staticTree;
    const uint8_t *extraBits;
    int extraBase;
    int elements;
    int maxLength;
};

struct DeflateState {
    ZipWriterState *writer;
    const char *error;

    // output: the writer's buffer, whole bytes; pending bits wait in bitBuffer
    unsigned char *out;
    uint32_t outCount;
    uint64_t flushedBytes;
    uint64_t bitBuffer;
    unsigned bitCount;
    bool writeFailed;

    // window and hash chains (positions fit 16 bits; 0 means none)
    unsigned char window[DeflateWindowSize + DeflateWindowPadding];
    uint16_t head[DeflateHashSize];
    uint16_t prev[DeflateDictionary];
    // Rank of each position within its three-byte chain (a running count per hash),
    // so that the chain limit can be applied to candidates found through key chains.
    uint16_t chainRank[DeflateDictionary];
    uint16_t chainCount[DeflateHashSize];
    uint16_t keyHead[DeflateKeyCount][1 << DeflateKeyHashBits];
    uint16_t keyPrev[DeflateKeyCount][DeflateDictionary];
    uint32_t keyNext[DeflateKeyCount];  // first position not yet in each key chain
    uint32_t strStart;
    int32_t blockStart;
    uint32_t lookahead;
    uint32_t matchStart;
    uint32_t matchLength;
    uint32_t prevLength;
    uint32_t prevMatch;
    bool matchAvailable;
    bool endOfInput;
    uint32_t insertHash;

    // symbols of the current block: distance 0 marks a literal
    uint8_t literals[DeflateSymbolBufferSize];
    uint16_t distances[DeflateSymbolBufferSize];
    uint32_t lastLiteral;
    uint32_t lastDistance;

    DeflateTreeNode dynLTree[DeflateHeapSize];
    DeflateTreeNode dynDTree[2 * DeflateDCodes + 1];
    DeflateTreeNode blTree[2 * DeflateBlCodes + 1];
    DeflateTreeNode staticLTree[DeflateLCodes + 2];
    DeflateTreeNode staticDTree[DeflateDCodes];
    DeflateTreeDesc lDesc;
    DeflateTreeDesc dDesc;
    DeflateTreeDesc blDesc;
    uint16_t blCount[DeflateMaxBits + 1];
    int heap[DeflateHeapSize];
    int heapLength;
    int heapMax;
    uint8_t depth[DeflateHeapSize];
    uint8_t lengthCode[256];
    uint8_t distCode[512];
    int baseLength[DeflateLengthCodes];
    int baseDist[DeflateDCodes];
    bool tablesReady;

    // accounting of the current block and the entry, in bits
    uint64_t optLength;
    uint64_t staticLength;
    uint64_t compressedLength;
};

extern const uint8_t DeflateExtraLBits[DeflateLengthCodes];
extern const uint8_t DeflateExtraDBits[DeflateDCodes];
extern const uint8_t DeflateBlOrder[DeflateBlCodes];

// Records the first failed internal check; the entry then fails.
inline void DeflateFail(DeflateState *s, const char *message)
{
    if (!s->error)
        s->error = message;
}

// Trees (DeflateHuffman.cpp).
bool DeflateInitTables(DeflateState *s);
// Code lengths and codes of a tree from its counts; adds the block's cost in bits with
// these codes (and with the fixed codes) to optLength and staticLength.
void DeflateBuildTree(DeflateState *s, DeflateTreeDesc *desc);
// Builds the bit-length tree; returns the index in DeflateBlOrder of the last code sent.
int DeflateBuildBlTree(DeflateState *s);

// Block output (DeflateBlocks.cpp).
void DeflateInitEntry(DeflateState *s);
void DeflateInitBlock(DeflateState *s);
// Sends the block of storedLength input bytes (still at `stored` in the window, or null
// when they have slid out) as a stored, fixed or dynamic block; the last one ends the
// stream and flushes the output.
void DeflateFlushBlock(DeflateState *s, const unsigned char *stored, uint32_t storedLength, bool last);
void DeflateFlushOutput(DeflateState *s);

inline uint32_t DeflateDistCode(const DeflateState *s, uint32_t dist)
{
    return dist < 256 ? s->distCode[dist] : s->distCode[256 + (dist >> 7)];
}

// Huffman trees of the compressor: code lengths from symbol counts, limited to 15 bits
// (7 for the bit-length codes) with the classic overflow repair, canonical codes sent
// bit-reversed, and the fixed tables of length and distance codes.

#include "DeflateState.h"

#include <string.h>

const uint8_t DeflateExtraLBits[DeflateLengthCodes] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint8_t DeflateExtraDBits[DeflateDCodes] = {0, 0, 0, 0, 1, 1, 2,  2,  3,  3,  4,  4,  5,  5,  6,
                                                  6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const uint8_t DeflateBlOrder[DeflateBlCodes] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

namespace {

const uint8_t extraBlBits[DeflateBlCodes] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};

uint16_t reverseBits(uint32_t code, int length)
{
    uint32_t r = 0;
    do {
        r |= code & 1;
        code >>= 1;
        r <<= 1;
    } while (--length > 0);
    return (uint16_t)(r >> 1);
}

bool smaller(const DeflateState *s, const DeflateTreeNode *tree, int n, int m)
{
    return tree[n].freq < tree[m].freq || (tree[n].freq == tree[m].freq && s->depth[n] <= s->depth[m]);
}

void heapDown(DeflateState *s, const DeflateTreeNode *tree, int k)
{
    const int v = s->heap[k];
    int j = k << 1;
    while (j <= s->heapLength) {
        if (j < s->heapLength && smaller(s, tree, s->heap[j + 1], s->heap[j]))
            ++j;
        if (smaller(s, tree, v, s->heap[j]))
            break;
        s->heap[k] = s->heap[j];
        k = j;
        j <<= 1;
    }
    s->heap[k] = v;
}

// Code lengths from the tree, limited to maxLength: leaves that would be too deep are
// moved up and the lengths above them repaired so the code stays complete.
void generateBitLengths(DeflateState *s, DeflateTreeDesc *desc)
{
    DeflateTreeNode *tree = desc->dynTree;
    const DeflateTreeNode *stree = desc->staticTree;
    memset(s->blCount, 0, sizeof s->blCount);
    tree[s->heap[s->heapMax]].len = 0;
    int overflow = 0;
    int h;
    for (h = s->heapMax + 1; h < DeflateHeapSize; ++h) {
        const int n = s->heap[h];
        int bits = tree[tree[n].dad].len + 1;
        if (bits > desc->maxLength) {
            bits = desc->maxLength;
            ++overflow;
        }
        tree[n].len = (uint16_t)bits;
        if (n > desc->maxCode)
            continue;  // not a leaf
        ++s->blCount[bits];
        const int extra = n >= desc->extraBase ? desc->extraBits[n - desc->extraBase] : 0;
        const uint64_t f = tree[n].freq;
        s->optLength += f * (uint64_t)(bits + extra);
        if (stree)
            s->staticLength += f * (uint64_t)(stree[n].len + extra);
    }
    if (overflow == 0)
        return;
    do {
        int bits = desc->maxLength - 1;
        while (s->blCount[bits] == 0)
            --bits;
        --s->blCount[bits];
        s->blCount[bits + 1] += 2;
        --s->blCount[desc->maxLength];
        overflow -= 2;
    } while (overflow > 0);
    for (int bits = desc->maxLength; bits != 0; --bits) {
        int n = s->blCount[bits];
        while (n != 0) {
            const int m = s->heap[--h];
            if (m > desc->maxCode)
                continue;
            if (tree[m].len != bits) {
                s->optLength += ((int64_t)bits - tree[m].len) * (int64_t)tree[m].freq;
                tree[m].len = (uint16_t)bits;
            }
            --n;
        }
    }
}

void generateCodes(DeflateState *s, DeflateTreeNode *tree, int maxCode, const uint16_t *blCount)
{
    uint16_t nextCode[DeflateMaxBits + 1];
    uint32_t code = 0;
    for (int bits = 1; bits <= DeflateMaxBits; ++bits) {
        code = (code + blCount[bits - 1]) << 1;
        nextCode[bits] = (uint16_t)code;
    }
    if (code + blCount[DeflateMaxBits] - 1 != (1u << DeflateMaxBits) - 1)
        DeflateFail(s, "inconsistent bit counts");
    for (int n = 0; n <= maxCode; ++n) {
        const int len = tree[n].len;
        if (len != 0)
            tree[n].code = reverseBits(nextCode[len]++, len);
    }
}

// Counts how the run-length coding of a tree's code lengths uses the bit-length codes.
void scanTree(DeflateState *s, DeflateTreeNode *tree, int maxCode)
{
    int prevLen = -1;
    int nextLen = tree[0].len;
    int count = 0;
    int maxCount = nextLen == 0 ? 138 : 7;
    int minCount = nextLen == 0 ? 3 : 4;
    tree[maxCode + 1].len = 0xFFFF;  // guard
    for (int n = 0; n <= maxCode; ++n) {
        const int curLen = nextLen;
        nextLen = tree[n + 1].len;
        if (++count < maxCount && curLen == nextLen)
            continue;
        if (count < minCount) {
            s->blTree[curLen].freq += count;
        } else if (curLen != 0) {
            if (curLen != prevLen)
                ++s->blTree[curLen].freq;
            ++s->blTree[DeflateRep3To6].freq;
        } else if (count <= 10) {
            ++s->blTree[DeflateRepZero3To10].freq;
        } else {
            ++s->blTree[DeflateRepZero11To138].freq;
        }
        count = 0;
        prevLen = curLen;
        if (nextLen == 0) {
            maxCount = 138;
            minCount = 3;
        } else if (curLen == nextLen) {
            maxCount = 6;
            minCount = 3;
        } else {
            maxCount = 7;
            minCount = 4;
        }
    }
}

} // namespace

void DeflateBuildTree(DeflateState *s, DeflateTreeDesc *desc)
{
    DeflateTreeNode *tree = desc->dynTree;
    const DeflateTreeNode *stree = desc->staticTree;
    const int elements = desc->elements;
    int maxCode = -1;
    s->heapLength = 0;
    s->heapMax = DeflateHeapSize;
    for (int n = 0; n < elements; ++n) {
        if (tree[n].freq != 0) {
            s->heap[++s->heapLength] = maxCode = n;
            s->depth[n] = 0;
        } else {
            tree[n].len = 0;
        }
    }
    // At least two codes, so that every code has a length of at least one bit.
    while (s->heapLength < 2) {
        const int node = s->heap[++s->heapLength] = maxCode < 2 ? ++maxCode : 0;
        tree[node].freq = 1;
        s->depth[node] = 0;
        --s->optLength;
        if (stree)
            s->staticLength -= stree[node].len;
    }
    desc->maxCode = maxCode;
    for (int n = s->heapLength / 2; n >= 1; --n)
        heapDown(s, tree, n);
    int node = elements;
    do {
        const int n = s->heap[1];
        s->heap[1] = s->heap[s->heapLength--];
        heapDown(s, tree, 1);
        const int m = s->heap[1];
        s->heap[--s->heapMax] = n;
        s->heap[--s->heapMax] = m;
        tree[node].freq = tree[n].freq + tree[m].freq;
        s->depth[node] = (uint8_t)((s->depth[n] >= s->depth[m] ? s->depth[n] : s->depth[m]) + 1);
        tree[n].dad = tree[m].dad = (uint16_t)node;
        s->heap[1] = node++;
        heapDown(s, tree, 1);
    } while (s->heapLength >= 2);
    s->heap[--s->heapMax] = s->heap[1];
    generateBitLengths(s, desc);
    generateCodes(s, tree, maxCode, s->blCount);
}

// Builds the bit-length tree and returns the index in blOrder of the last code sent.
int DeflateBuildBlTree(DeflateState *s)
{
    scanTree(s, s->dynLTree, s->lDesc.maxCode);
    scanTree(s, s->dynDTree, s->dDesc.maxCode);
    DeflateBuildTree(s, &s->blDesc);
    int maxBlIndex;
    for (maxBlIndex = DeflateBlCodes - 1; maxBlIndex >= 3; --maxBlIndex)
        if (s->blTree[DeflateBlOrder[maxBlIndex]].len != 0)
            break;
    s->optLength += 3 * ((uint64_t)maxBlIndex + 1) + 5 + 5 + 4;
    return maxBlIndex;
}

bool DeflateInitTables(DeflateState *s)
{
    int length = 0;
    int code;
    for (code = 0; code < DeflateLengthCodes - 1; ++code) {
        s->baseLength[code] = length;
        for (int n = 0; n < (1 << DeflateExtraLBits[code]); ++n)
            s->lengthCode[length++] = (uint8_t)code;
    }
    if (length != 256)
        DeflateFail(s, "ct_init: length != 256");
    // Length 258 has a code of its own without extra bits, overwriting the last entry
    // of code 27; its base makes the (empty) extra value 0.
    s->lengthCode[255] = (uint8_t)code;
    s->baseLength[code] = 255;
    int dist = 0;
    for (code = 0; code < 16; ++code) {
        s->baseDist[code] = dist;
        for (int n = 0; n < (1 << DeflateExtraDBits[code]); ++n)
            s->distCode[dist++] = (uint8_t)code;
    }
    if (dist != 256)
        DeflateFail(s, "ct_init: dist != 256");
    dist >>= 7;
    for (; code < DeflateDCodes; ++code) {
        s->baseDist[code] = dist << 7;
        for (int n = 0; n < (1 << (DeflateExtraDBits[code] - 7)); ++n)
            s->distCode[256 + dist++] = (uint8_t)code;
    }
    if (dist != 256)
        DeflateFail(s, "ct_init: 256+dist != 512");

    uint16_t count[DeflateMaxBits + 1] = {};
    for (int n = 0; n <= DeflateLCodes + 1; ++n) {
        const int len = n <= 143 ? 8 : n <= 255 ? 9 : n <= 279 ? 7 : 8;
        s->staticLTree[n].len = (uint16_t)len;
        ++count[len];
    }
    generateCodes(s, s->staticLTree, DeflateLCodes + 1, count);
    for (int n = 0; n < DeflateDCodes; ++n) {
        s->staticDTree[n].len = 5;
        s->staticDTree[n].code = reverseBits((uint32_t)n, 5);
    }
    s->lDesc = {s->dynLTree, 0, s->staticLTree, DeflateExtraLBits, DeflateLiterals + 1, DeflateLCodes, DeflateMaxBits};
    s->dDesc = {s->dynDTree, 0, s->staticDTree, DeflateExtraDBits, 0, DeflateDCodes, DeflateMaxBits};
    s->blDesc = {s->blTree, 0, nullptr, extraBlBits, 0, DeflateBlCodes, DeflateMaxBlBits};
    s->tablesReady = s->error == nullptr;
    return s->tablesReady;
}

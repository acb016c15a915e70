// Block output of the compressor: bits least significant first, and per block the
// cheapest of a stored, fixed-code or dynamic-code block.

#include "DeflateState.h"

#include <string.h>

namespace {

const int StoredBlock = 0;
const int StaticTrees = 1;
const int DynamicTrees = 2;
const uint32_t MaxStoredLength = 65535;

void putBytes(DeflateState *s)
{
    if (s->outCount > ZipBufferSize - 8)
        DeflateFlushOutput(s);
    memcpy(s->out + s->outCount, &s->bitBuffer, 8);
    s->outCount += s->bitCount >> 3;
    s->bitBuffer = (s->bitCount & ~7u) >= 64 ? 0 : s->bitBuffer >> (s->bitCount & ~7u);
    s->bitCount &= 7;
}

void sendBits(DeflateState *s, uint32_t value, unsigned length)
{
    if (length == 0 || length > 15) {
        DeflateFail(s, "invalid length");
        return;
    }
    s->bitBuffer |= (uint64_t)value << s->bitCount;
    s->bitCount += length;
    if (s->bitCount >= 32)
        putBytes(s);
}

// Pads the pending bits to a whole byte and puts them out.
void alignToByte(DeflateState *s)
{
    s->bitCount = (s->bitCount + 7) & ~7u;
    putBytes(s);
}

uint64_t bitsSent(const DeflateState *s)
{
    return (s->flushedBytes + s->outCount) * 8 + s->bitCount;
}

void sendCode(DeflateState *s, int c, const DeflateTreeNode *tree)
{
    sendBits(s, tree[c].code, tree[c].len);
}

void sendTree(DeflateState *s, const DeflateTreeNode *tree, int maxCode)
{
    int prevLen = -1;
    int nextLen = tree[0].len;
    int count = 0;
    int maxCount = nextLen == 0 ? 138 : 7;
    int minCount = nextLen == 0 ? 3 : 4;
    for (int n = 0; n <= maxCode; ++n) {
        const int curLen = nextLen;
        nextLen = tree[n + 1].len;
        if (++count < maxCount && curLen == nextLen)
            continue;
        if (count < minCount) {
            do
                sendCode(s, curLen, s->blTree);
            while (--count != 0);
        } else if (curLen != 0) {
            if (curLen != prevLen) {
                sendCode(s, curLen, s->blTree);
                --count;
            }
            if (count < 3 || count > 6)
                DeflateFail(s, " 3_6?");
            sendCode(s, DeflateRep3To6, s->blTree);
            sendBits(s, count - 3, 2);
        } else if (count <= 10) {
            sendCode(s, DeflateRepZero3To10, s->blTree);
            sendBits(s, count - 3, 3);
        } else {
            sendCode(s, DeflateRepZero11To138, s->blTree);
            sendBits(s, count - 11, 7);
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

void sendAllTrees(DeflateState *s, int lCodes, int dCodes, int blCodes)
{
    if (lCodes < 257 || dCodes < 1 || blCodes < 4)
        DeflateFail(s, "not enough codes");
    if (lCodes > DeflateLCodes || dCodes > DeflateDCodes || blCodes > DeflateBlCodes)
        DeflateFail(s, "too many codes");
    if (s->error)
        return;
    sendBits(s, lCodes - 257, 5);
    sendBits(s, dCodes - 1, 5);
    sendBits(s, blCodes - 4, 4);
    for (int rank = 0; rank < blCodes; ++rank) {
        // A length of 0 still takes its three bits.
        s->bitBuffer |= (uint64_t)s->blTree[DeflateBlOrder[rank]].len << s->bitCount;
        s->bitCount += 3;
        if (s->bitCount >= 32)
            putBytes(s);
    }
    sendTree(s, s->dynLTree, lCodes - 1);
    sendTree(s, s->dynDTree, dCodes - 1);
}

// The symbols of the block in the given codes. The hot loop keeps the bit buffer in
// registers and puts out whole bytes after every symbol (at most 48 bits each).
void compressBlock(DeflateState *s, const DeflateTreeNode *ltree, const DeflateTreeNode *dtree)
{
    putBytes(s);
    uint64_t bits = s->bitBuffer;
    unsigned count = s->bitCount;
    for (uint32_t i = 0; i < s->lastLiteral; ++i) {
        const uint32_t lc = s->literals[i];
        uint32_t dist = s->distances[i];
        if (dist == 0) {
            bits |= (uint64_t)ltree[lc].code << count;
            count += ltree[lc].len;
        } else {
            const uint32_t code = s->lengthCode[lc];
            bits |= (uint64_t)ltree[code + DeflateLiterals + 1].code << count;
            count += ltree[code + DeflateLiterals + 1].len;
            const unsigned lExtra = DeflateExtraLBits[code];
            bits |= (uint64_t)(lc - (uint32_t)s->baseLength[code]) << count;
            count += lExtra;
            --dist;
            const uint32_t dcode = DeflateDistCode(s, dist);
            bits |= (uint64_t)dtree[dcode].code << count;
            count += dtree[dcode].len;
            const unsigned dExtra = DeflateExtraDBits[dcode];
            bits |= (uint64_t)(dist - (uint32_t)s->baseDist[dcode]) << count;
            count += dExtra;
        }
        if (s->outCount > ZipBufferSize - 8) {
            s->bitBuffer = bits;
            s->bitCount = count;
            DeflateFlushOutput(s);
        }
        memcpy(s->out + s->outCount, &bits, 8);
        s->outCount += count >> 3;
        bits = (count & ~7u) >= 64 ? 0 : bits >> (count & ~7u);
        count &= 7;
    }
    s->bitBuffer = bits;
    s->bitCount = count;
    sendCode(s, DeflateEndBlock, ltree);
}

void sendStoredBlocks(DeflateState *s, const unsigned char *data, uint32_t length, bool last)
{
    // A block holds at most 65535 bytes; longer runs go out as several blocks.
    do {
        const uint32_t piece = length > MaxStoredLength ? MaxStoredLength : length;
        const bool final = last && piece == length;
        sendBits(s, (StoredBlock << 1) + (final ? 1 : 0), 3);
        s->compressedLength = (s->compressedLength + 3 + 7) & ~(uint64_t)7;
        s->compressedLength += ((uint64_t)piece + 4) << 3;
        alignToByte(s);
        if (s->outCount > ZipBufferSize - 4)
            DeflateFlushOutput(s);
        unsigned char header[4] = {(unsigned char)piece, (unsigned char)(piece >> 8),
                                   (unsigned char)~piece, (unsigned char)(~piece >> 8)};
        memcpy(s->out + s->outCount, header, 4);
        s->outCount += 4;
        DeflateFlushOutput(s);
        if (!ZipEmit(s->writer, data, piece))
            s->writeFailed = true;
        s->flushedBytes += piece;
        data += piece;
        length -= piece;
    } while (length > 0);
}

} // namespace

void DeflateInitEntry(DeflateState *s)
{
    s->error = nullptr;
    s->out = s->writer->buffer;
    s->outCount = 0;
    s->flushedBytes = 0;
    s->bitBuffer = 0;
    s->bitCount = 0;
    s->writeFailed = false;
    s->compressedLength = 0;
    DeflateInitBlock(s);
}

void DeflateInitBlock(DeflateState *s)
{
    for (int n = 0; n < DeflateLCodes; ++n)
        s->dynLTree[n].freq = 0;
    for (int n = 0; n < DeflateDCodes; ++n)
        s->dynDTree[n].freq = 0;
    for (int n = 0; n < DeflateBlCodes; ++n)
        s->blTree[n].freq = 0;
    s->dynLTree[DeflateEndBlock].freq = 1;
    s->optLength = s->staticLength = 0;
    s->lastLiteral = s->lastDistance = 0;
}

void DeflateFlushOutput(DeflateState *s)
{
    // A failed write still empties the buffer, so nothing is ever put past its end;
    // the entry fails when the compressor returns.
    if (s->outCount && !ZipEmit(s->writer, s->out, s->outCount))
        s->writeFailed = true;
    s->flushedBytes += s->outCount;
    s->outCount = 0;
}

void DeflateFlushBlock(DeflateState *s, const unsigned char *stored, uint32_t storedLength, bool last)
{
    DeflateBuildTree(s, &s->lDesc);
    DeflateBuildTree(s, &s->dDesc);
    const int maxBlIndex = DeflateBuildBlTree(s);
    uint64_t optBytes = (s->optLength + 3 + 7) >> 3;
    const uint64_t staticBytes = (s->staticLength + 3 + 7) >> 3;
    if (staticBytes <= optBytes)
        optBytes = staticBytes;
    if (stored && (uint64_t)storedLength + 4 <= optBytes) {
        sendStoredBlocks(s, stored, storedLength, last);
    } else if (staticBytes == optBytes) {
        sendBits(s, (StaticTrees << 1) + (last ? 1 : 0), 3);
        compressBlock(s, s->staticLTree, s->staticDTree);
        s->compressedLength += 3 + s->staticLength;
    } else {
        sendBits(s, (DynamicTrees << 1) + (last ? 1 : 0), 3);
        sendAllTrees(s, s->lDesc.maxCode + 1, s->dDesc.maxCode + 1, maxBlIndex + 1);
        compressBlock(s, s->dynLTree, s->dynDTree);
        s->compressedLength += 3 + s->optLength;
    }
    if (s->compressedLength != bitsSent(s))
        DeflateFail(s, "bad compressed size");
    DeflateInitBlock(s);
    if (last) {
        alignToByte(s);
        s->compressedLength += 7;
        DeflateFlushOutput(s);
    }
}

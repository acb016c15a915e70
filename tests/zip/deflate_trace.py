#!/usr/bin/python3
"""Block tracer for raw deflate streams, used by the archive writer's tests.

Usage: deflate_trace.py ARCHIVE ENTRY [--matches]
Decodes the named deflated entry's stream on its own and prints JSON:
{"blocks": [{"type": 0|1|2, "final": bool, "length": decoded bytes,
             "symbols": literals and matches before the end code (0 when stored)}],
 "trailing": bytes after the final block, "sha256": of the decoded data,
 "matches": [[length, distance], ...]   (with --matches)}
"""
import hashlib
import json
import struct
import sys
import zipfile

LENGTH_BASE = [3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59,
               67, 83, 99, 115, 131, 163, 195, 227, 258]
LENGTH_EXTRA = [0] * 8 + [1] * 4 + [2] * 4 + [3] * 4 + [4] * 4 + [5] * 4 + [0]
DIST_BASE = [1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513, 769,
             1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577]
DIST_EXTRA = [0, 0, 0, 0] + [n // 2 for n in range(2, 28)]
BL_ORDER = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15]


class Bits:
    def __init__(self, data):
        self.data, self.i, self.buf, self.cnt = data, 0, 0, 0

    def need(self, n):
        while self.cnt < n:
            byte = self.data[self.i] if self.i < len(self.data) else 0
            if self.i >= len(self.data) + 4:
                raise ValueError("stream ends early")
            self.buf |= byte << self.cnt
            self.i += 1
            self.cnt += 8

    def get(self, n):
        if n == 0:
            return 0
        self.need(n)
        v = self.buf & ((1 << n) - 1)
        self.buf >>= n
        self.cnt -= n
        return v

    def align(self):
        drop = self.cnt % 8
        self.get(drop)

    def bytes_used(self):
        return self.i - self.cnt // 8


def table(lengths):
    """Lookup table indexed by the next 15 bits (LSB first): (symbol, length)."""
    counts = [0] * 16
    for n in lengths:
        counts[n] += 1
    counts[0] = 0
    code, nxt = 0, [0] * 16
    for bits in range(1, 16):
        code = (code + counts[bits - 1]) << 1
        nxt[bits] = code
    t = [None] * (1 << 15)
    for sym, n in enumerate(lengths):
        if n == 0:
            continue
        c = nxt[n]
        nxt[n] += 1
        rev = int(format(c, "0%db" % n)[::-1], 2)
        for fill in range(0, 1 << 15, 1 << n):
            t[rev | fill] = (sym, n)
    return t


def decode(bits, t):
    bits.need(15)
    entry = t[bits.buf & 0x7FFF]
    if entry is None:
        raise ValueError("invalid code")
    bits.get(entry[1])
    return entry[0]


FIXED_L = table([8] * 144 + [9] * 112 + [7] * 24 + [8] * 8)
FIXED_D = table([5] * 30)


def dynamic_tables(bits):
    hlit, hdist, hclen = bits.get(5) + 257, bits.get(5) + 1, bits.get(4) + 4
    cl = [0] * 19
    for i in range(hclen):
        cl[BL_ORDER[i]] = bits.get(3)
    ct = table(cl)
    lengths = []
    while len(lengths) < hlit + hdist:
        sym = decode(bits, ct)
        if sym < 16:
            lengths.append(sym)
        elif sym == 16:
            lengths += [lengths[-1]] * (3 + bits.get(2))
        elif sym == 17:
            lengths += [0] * (3 + bits.get(3))
        else:
            lengths += [0] * (11 + bits.get(7))
    return table(lengths[:hlit]), table(lengths[hlit:])


def trace(raw, want_matches):
    bits, out, blocks, matches = Bits(raw), bytearray(), [], []
    final = False
    while not final:
        final = bool(bits.get(1))
        kind = bits.get(2)
        start = len(out)
        symbols = 0
        if kind == 0:
            bits.align()
            n, nn = bits.get(16), bits.get(16)
            if n != nn ^ 0xFFFF:
                raise ValueError("bad stored length")
            for _ in range(n):
                out.append(bits.get(8))
        elif kind in (1, 2):
            lt, dt = (FIXED_L, FIXED_D) if kind == 1 else dynamic_tables(bits)
            while True:
                sym = decode(bits, lt)
                symbols += sym != 256
                if sym < 256:
                    out.append(sym)
                    continue
                if sym == 256:
                    break
                length = LENGTH_BASE[sym - 257] + bits.get(LENGTH_EXTRA[sym - 257])
                dsym = decode(bits, dt)
                dist = DIST_BASE[dsym] + bits.get(DIST_EXTRA[dsym])
                if want_matches:
                    matches.append([length, dist])
                for _ in range(length):
                    out.append(out[-dist])
        else:
            raise ValueError("reserved block type")
        blocks.append({"type": kind, "final": final, "length": len(out) - start,
                       "symbols": symbols})
    return out, blocks, matches, len(raw) - bits.bytes_used()


def raw_stream(archive, name):
    with zipfile.ZipFile(archive) as z:
        info = z.getinfo(name)
    with open(archive, "rb") as f:
        f.seek(info.header_offset)
        head = f.read(30)
        n, m = struct.unpack("<HH", head[26:30])
        f.seek(info.header_offset + 30 + n + m)
        return f.read(info.compress_size)


def main():
    raw = raw_stream(sys.argv[1], sys.argv[2])
    out, blocks, matches, trailing = trace(raw, "--matches" in sys.argv)
    result = {"blocks": blocks, "trailing": trailing, "sha256": hashlib.sha256(out).hexdigest()}
    if "--matches" in sys.argv:
        result["matches"] = matches
    json.dump(result, sys.stdout)


if __name__ == "__main__":
    main()

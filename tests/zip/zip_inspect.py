#!/usr/bin/python3
"""Describes an archive as the standard library reads it, for the writer's tests.

Usage: zip_inspect.py ARCHIVE [PASSWORD]
Prints JSON: {"entries": [...], "end": {...}} where each entry has the name, flags,
method, CRC, sizes, attributes, DOS date-time, the SHA-256 of its data read through
zipfile (which checks the CRC), and for deflated entries whether the raw stream decodes
with zlib on its own ending exactly at the entry's end ("raw_ok") and the SHA-256 of
that raw stream ("raw_sha256").
"""
import hashlib
import json
import struct
import sys
import zipfile
import zlib


def raw_check(f, info):
    f.seek(info.header_offset)
    head = f.read(30)
    n, m = struct.unpack("<HH", head[26:30])
    f.seek(info.header_offset + 30 + n + m)
    raw = f.read(info.compress_size)
    d = zlib.decompressobj(-15)
    data = d.decompress(raw) + d.flush()
    ok = d.eof and d.unused_data == b"" and len(data) == info.file_size
    return ok, hashlib.sha256(raw).hexdigest()


def main():
    path = sys.argv[1]
    password = sys.argv[2].encode() if len(sys.argv) > 2 else None
    entries = []
    with zipfile.ZipFile(path) as z, open(path, "rb") as f:
        for info in z.infolist():
            data = z.read(info, pwd=password)
            entry = {
                "name": info.filename,
                "flags": info.flag_bits,
                "method": info.compress_type,
                "crc": info.CRC,
                "size": info.file_size,
                "compressed": info.compress_size,
                "external": info.external_attr,
                "internal": info.internal_attr,
                "created_version": (info.create_system << 8) | info.create_version,
                "extract_version": info.extract_version,
                "date_time": list(info.date_time),
                "extra": info.extra.hex(),
                "offset": info.header_offset,
                "sha256": hashlib.sha256(data).hexdigest(),
            }
            if info.compress_type == 8 and not info.flag_bits & 1:
                entry["raw_ok"], entry["raw_sha256"] = raw_check(f, info)
            f.seek(info.header_offset)
            local = f.read(30)
            entry["local_flags"] = struct.unpack("<H", local[6:8])[0]
            entry["local_extra_length"] = struct.unpack("<H", local[28:30])[0]
            entries.append(entry)
        f.seek(0, 2)
        size = f.tell()
        f.seek(size - 22)
        end = f.read(22)
    sig, disk, cd_disk, here, total, cd_size, cd_offset, comment = struct.unpack("<IHHHHIIH", end)
    json.dump({"entries": entries,
               "end": {"signature": sig, "entries_here": here, "entries_total": total,
                       "cd_size": cd_size, "cd_offset": cd_offset, "archive_size": size}},
              sys.stdout)


if __name__ == "__main__":
    main()

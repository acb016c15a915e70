#pragma once

// ZIP archive writer (no ZIP64): free functions over an opaque handle, integer
// result codes, a process-wide last result, no exceptions.
//
// Typical use, as the workbook writer does it:
//     ZipHandle zip = CreateZip("/path/book.xlsx", nullptr);
//     ZipAdd(zip, "xl/workbook.xml", "/tmp/parts/xl/workbook.xml");
//     CloseZip(zip);
//
// An archive written by file name goes to a temporary file beside the target and
// replaces the target only when CloseZip succeeds, so a failed save never destroys
// an existing good file.

#include <stdint.h>

typedef uint32_t ZipResult;

enum ZipResultCode : uint32_t {
    ZipOk = 0,
    ZipErrorFile = 0x200,              // a file could not be created, opened or read
    ZipErrorMapping = 0x300,           // the in-memory target could not be allocated
    ZipErrorWrite = 0x400,             // entry data, directory or end record not written
    ZipErrorArgument = 0x10000,        // null handle, bad kind, empty or too long name, ...
    ZipErrorMemorySize = 0x30000,      // in-memory target: zero size or full
    ZipErrorEarlierFailure = 0x40000,  // add refused after an earlier failure
    ZipErrorEnded = 0x50000,           // add refused: the archive has been ended
    ZipErrorHandleKind = 0x80000,      // not an archive-writer handle
    ZipErrorNoTarget = 0x1000000,      // nothing to write to or read from
    ZipErrorSeek = 0x2000000,          // the target cannot be positioned
    ZipErrorDescriptor = 0x4000000,    // data-descriptor mode: size differs from the header
};

// Kinds of targets (OpenZipTarget) and sources (AddZipEntry).
enum ZipIoKind : int {
    ZipKindHandle = 1,  // the address of an int holding an open file descriptor
    ZipKindName = 2,    // a NUL-terminated path
    ZipKindMemory = 3,  // a memory area and its length
    ZipKindFolder = 4,  // a folder entry, no source (AddZipEntry only)
};

enum { ZipHandleKindWriter = 2 };

struct ZipWriterState;

struct ZipHandleRecord {
    uint32_t kind;  // ZipHandleKindWriter
    ZipWriterState *state;
};
typedef ZipHandleRecord *ZipHandle;

// Result of the last CreateZip, OpenZipTarget, ZipAdd, AddZipEntry or CloseZip.
extern ZipResult ZipLastResult;

// Creates an archive file (replaced when it exists). A null or empty password writes
// unencrypted entries. Returns null on failure (see ZipLastResult).
ZipHandle CreateZip(const char *path, const char *password);

// General create. target: for ZipKindHandle the address of an int file descriptor
// (the archive starts at its current position; it stays the caller's), for ZipKindName
// a path, for ZipKindMemory a buffer of `length` bytes that receives the archive, or
// null for a scratch area of that size that is discarded at CloseZip.
ZipHandle OpenZipTarget(void *target, uint32_t length, int kind, const char *password);

// Adds the file at sourcePath as entry entryName ('\' becomes '/').
ZipResult ZipAdd(ZipHandle handle, const char *entryName, const char *sourcePath);

// General add. source: for ZipKindHandle the address of an int file descriptor (length:
// the size of an unseekable source when known, else 0), for ZipKindName a path, for
// ZipKindMemory the data and its length, for ZipKindFolder null.
ZipResult AddZipEntry(ZipHandle handle, const char *entryName, const void *source, uint32_t length,
                      int kind);

// Writes the central directory and end record, closes and frees everything; the handle
// is invalid afterwards. Nonzero when the archive is not complete: an earlier add failed
// (its code is returned) or the directory could not be written (ZipErrorWrite).
ZipResult CloseZip(ZipHandle handle);

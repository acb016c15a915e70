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
    ZipErrorStopped = 0x8000000,       // a preparation was stopped by its caller
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

// Entry data made ahead of its place in an archive: the source's bytes stored or deflated
// (as the entry name decides) into a file of the caller's, with the CRC, sizes, attributes
// and times that ZipAdd records for the same source. Adding it with ZipAddPrepared gives
// exactly the bytes ZipAdd would have written, so several entries can be compressed at
// the same time on other threads while the archive is written in its own order.
struct ZipPreparedEntry {
    uint16_t method;
    uint32_t crc;
    uint32_t compressedSize;      // bytes of data in the caller's file
    uint32_t uncompressedSize;    // bytes read from the source
    uint32_t sourceSize;          // size of the source when it was opened
    uint32_t externalAttributes;
    uint32_t dosDateTime;
    int64_t accessTime;
    int64_t modificationTime;
    int64_t creationTime;
};

// Called after each read of the source with the bytes read so far; a nonzero return stops
// the preparation, which then fails with ZipErrorStopped.
typedef int (*ZipPrepareProgress)(void *context, uint64_t bytesRead);

// Prepares the file at sourcePath as entry entryName, writing its data to dataFd from the
// descriptor's current position. Uses no handle and no process-wide state (ZipLastResult is
// left alone), so any number of threads may prepare entries at once. progress may be null.
ZipResult ZipPrepareEntry(const char *entryName, const char *sourcePath, int dataFd, ZipPrepareProgress progress,
                          void *context, ZipPreparedEntry *prepared);

// Adds a prepared entry: its headers as ZipAdd writes them, then prepared->compressedSize
// bytes of data read from dataFd at offset 0 (enciphered when the archive has a password).
// entryName must give the method the entry was prepared with.
ZipResult ZipAddPrepared(ZipHandle handle, const char *entryName, const ZipPreparedEntry *prepared, int dataFd);

// Gives every entry added from now on the moment unixSeconds as its DOS date-time and its
// modification, access and creation times, in place of its source's own times; an archive
// whose entries carry the moment of its making then has the same bytes whenever, and at
// whatever speed, it is written.
ZipResult ZipSetEntryTime(ZipHandle handle, int64_t unixSeconds);

// Marks the archive as failed for a reason outside the writer (an entry whose data could
// not be made): later adds are refused and CloseZip returns the reason and keeps the
// target as it was. An archive that failed already keeps its first failure.
ZipResult ZipAbort(ZipHandle handle, ZipResult reason);

// Writes the central directory and end record, closes and frees everything; the handle
// is invalid afterwards. Nonzero when the archive is not complete: an earlier add failed
// (its code is returned) or the directory could not be written (ZipErrorWrite).
ZipResult CloseZip(ZipHandle handle);

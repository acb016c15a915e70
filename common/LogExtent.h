#pragma once

// Where the records of a log end, and whether it ends in a sound report block. Both
// programs decide this with the same rule, so a log shows and converts the same records.
//
// A sound log is the header block, whole records and a report block that agrees with
// them. Any other log was cut off (a crash, a full disk, a partial copy): its records
// run to its last whole record, except for the bytes after them that cannot be
// samples: zero fill that a crash or an interrupted copy left, and a report block, whole
// or cut off while it was written. Those never become samples.

#include "LogRecord.h"

#include <QtGlobal>

#include <functional>

namespace LogExtent {

// Whole records between the header block and the report block; 0 for a file too short
// to hold any. A trailing partial record is not counted.
qint64 recordCount(qint64 fileSize, qint64 recordSize);

// Whole records after the header block of a file that ends without a report block; a
// trailing partial record is not counted.
qint64 recordCountWithoutReport(qint64 fileSize, qint64 recordSize);

// Whether a file of this size is the header block, whole records and a report block.
bool fitsReport(qint64 fileSize, qint64 recordSize);

// Copies `length` bytes of the file at `offset` into `out`; false when they cannot be
// read (the range is not inside the file, or the read fails).
using ByteReader = std::function<bool(qint64 offset, qint64 length, char* out)>;

struct Records
{
    qint64 count = 0;    // whole records, from the end of the header block on
    bool cutOff = false; // no sound report block follows them
};

// The records of a log of `fileSize` bytes whose header (one the reader accepted) is
// `header`: its channel count gives the records' size, its sample period their spacing
// and its device kind what the report block holds. Only the end of the file is read.
// A report block that cannot be read counts as missing.
Records findRecords(qint64 fileSize, const SwapFileHeader& header, const ByteReader& read);

} // namespace LogExtent

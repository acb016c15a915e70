#pragma once

// Read access to the data records of a swap file or log by mapping: every range is
// checked against the file's size before it is mapped (mapping past the end succeeds
// on some systems and the first read then kills the program), and records are copied
// out of the view one at a time.

#include "LogRecord.h"
#include "RecordLayout.h"

#include <QFile>

#include <algorithm>

class RecordFile
{
public:
    // Mapping error code (or None) of the last failed operation.
    int error() const { return m_error; }

    // Opens read-only; the records stay unknown until setRecordSize.
    bool open(const QString& fileName);
    // The records lie between the header block and the report block, or, withReport
    // false, run to the end of the file (its last partial record not counted).
    void setRecordSize(qint64 recordSize, bool withReport = true);
    // Takes only the first `count` records as records (never more than there are).
    void limitRecordCount(qint64 count) { m_recordCount = std::min(m_recordCount, count); }
    void close();

    qint64 fileSize() const { return m_fileSize; }
    qint64 recordSize() const { return m_recordSize; }
    qint64 recordCount() const { return m_recordCount; }

    // Copies `length` bytes at `offset` into `out`; false (error MappingError) when the
    // range is not inside the file or the map fails.
    bool readBytes(qint64 offset, qint64 length, char* out);

    // Time key of record `index` (0 <= index < recordCount()).
    bool keyAt(qint64 index, double* key);

    // First record whose key is not below t (lowerBound) or is above t (upperBound);
    // recordCount() when there is none. `hint` is where the caller expects it: the
    // search gallops out from there, so a log without gaps costs a few probes and a log
    // with gaps or a late first key still lands on the exact record.
    bool lowerBound(double t, qint64 hint, qint64* index);
    bool upperBound(double t, qint64 hint, qint64* index);

    // Walks records [first, last) in mapped windows of at most `windowBytes` (whole
    // records, at least one). visit(const char* records, qint64 count, qint64 firstIndex)
    // returns false to stop early; forEachWindow then returns true as well. False only
    // when a map fails.
    template <class Visit>
    bool forEachWindow(qint64 first, qint64 last, qint64 windowBytes, Visit&& visit);

private:
    template <class Before>
    bool partitionPoint(qint64 hint, Before&& before, qint64* index);
    uchar* mapRecords(qint64 first, qint64 count);

    QFile m_file;
    qint64 m_fileSize = 0;
    qint64 m_recordSize = 0;
    qint64 m_recordCount = 0;
    int m_error = 0;
};

template <class Visit>
bool RecordFile::forEachWindow(qint64 first, qint64 last, qint64 windowBytes, Visit&& visit)
{
    last = std::min(last, m_recordCount);
    const qint64 perWindow = std::max<qint64>(1, windowBytes / m_recordSize);
    for (qint64 at = first; at < last;) {
        const qint64 count = std::min(perWindow, last - at);
        uchar* view = mapRecords(at, count);
        if (!view)
            return false;
        const bool goOn = visit(reinterpret_cast<const char*>(view), count, at);
        m_file.unmap(view);
        if (!goOn)
            return true;
        at += count;
    }
    return true;
}

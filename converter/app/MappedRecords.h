#pragma once

#include "LogLayout.h"

#include <QFile>

// Bounds-checked mapping of part of a log. Mapping past the end of a file succeeds on
// some systems and reading it then crashes, so every request is checked against the
// file's size first; a refused or failed mapping gives null.
uchar* mapWithinFile(QFile& file, qint64 offset, qint64 size);

// Reads the time key of one record through a checked mapping.
bool readRecordKey(QFile& file, const LogLayout& layout, qint64 index, double& key);

// Walks the records [first, first + count) of an open log in order, through a window
// of mapped memory that moves along the file, so that memory use does not grow with the
// log. Each record is decoded into at most maxRecordValues doubles.
class MappedRecords
{
public:
    MappedRecords(QFile& file, const LogLayout& layout, qint64 first, qint64 count);
    ~MappedRecords();
    MappedRecords(const MappedRecords&) = delete;
    MappedRecords& operator=(const MappedRecords&) = delete;

    // Decodes the next record into `values` (key first); false at the end of the range
    // or when the window cannot be mapped (then failed() is true).
    bool next(double* values);
    bool failed() const { return m_failed; }

private:
    bool mapWindowAt(qint64 index);
    void unmap();

    QFile& m_file;
    LogLayout m_layout;
    qint64 m_next;
    qint64 m_end;
    qint64 m_windowFirst = 0;
    qint64 m_windowCount = 0;
    uchar* m_window = nullptr;
    bool m_failed = false;
};

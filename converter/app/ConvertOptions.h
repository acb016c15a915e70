#pragma once

#include <QString>
#include <QtGlobal>

// The conversion options of the main window: what the form shows, plus the facts of the
// opened log that the conversions need.
struct ConvertOptions
{
    QString path;               // start folder of the file and folder choosers
    bool xlsx = false;          // workbook (true) or CSV text (false)
    int sheetSize = 100;        // seconds of log per worksheet
    int maxSheets = 10;         // worksheets at most
    bool addCellNames = false;  // column-name row on the first worksheet
    char separator = ',';       // CSV field separator
    bool addHeader = false;     // CSV header line
    qint64 startSec = 0;        // start of the range, seconds from the start of the log
    qint64 convertLength = 100; // the Duration field, seconds
    bool relativeTime = true;   // time column as seconds (true) or as clock time (false)
    int version = 1;            // the log's header version
    quint8 channelCount = 3;
    quint8 channelMask = 1;
    qint16 samplePeriod = 1;    // 100 µs units
    qint64 duration = -1;       // seconds to convert from startSec; negative = to the end
    qint64 startTimeMs = 0;     // the log's creation time, ms since 1970-01-01 UTC
};

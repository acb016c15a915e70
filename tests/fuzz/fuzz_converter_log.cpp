// A log as the converter reads it: the summary, then CSV text (with clock times) and a
// workbook (with seconds) of the whole log. Every CSV line but the header is one
// record, so there are never more lines than the records the summary counts, none of
// them in a report block; a log the summary refuses produces no text at all.

#include "FuzzSupport.h"

#include "Book.h"
#include "SwapFile.h"

#include <QBuffer>

#include <algorithm>

namespace {
void convert(const uint8_t* data, size_t size);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    convert(data, size);
    Fuzz::flushDeferredDeletes();
    return 0;
}

namespace {
void convert(const uint8_t* data, size_t size)
{
    Fuzz::ensureApplication();
    static const QString path = Fuzz::scratchPath(QStringLiteral("log.talvo"));
    Fuzz::writeFile(path, data, size);
    const qint64 records = size > size_t(LogFormat::headerBlockSize)
        ? qint64(size - LogFormat::headerBlockSize) / 16 : 0;

    SwapFile reader;
    const LogSummary summary = reader.open(path);

    ConvertOptions options;
    options.addHeader = true;
    // Clock time for the text (a log without one falls back to seconds), seconds for
    // the workbook: both kinds of time column.
    options.relativeTime = false;
    options.version = summary.header.version;
    options.channelCount = summary.header.channelCount;
    options.channelMask = summary.header.channelMask;
    options.samplePeriod = qint16(summary.header.samplePeriod);
    options.startTimeMs = summary.creationTime;
    options.duration = -1;
    options.convertLength = 1000000;

    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    const bool converted = reader.toCsv(path, options, &csv);
    if (!summary.valid) {
        FUZZ_CHECK(!converted);
        FUZZ_CHECK(csv.data().isEmpty());
        return;
    }
    // No record is read from the bytes of a sound log's report block.
    const qint64 recordBytes = (qint64(summary.header.channelCount) + 1) * 8;
    const qint64 reportBytes = summary.cutOff ? 0 : LogFormat::reportSize;
    FUZZ_CHECK(LogFormat::headerBlockSize + summary.recordCount * recordBytes <= qint64(size) - reportBytes);
    if (converted)
        FUZZ_CHECK(csv.data().count('\n') <= std::min(records, summary.recordCount) + 1);

    // A workbook costs a thousand times a CSV text: one input in eight gets one, kept
    // small (a few sheets of a few seconds each).
    if (size % 8 != 0)
        return;
    options.xlsx = true;
    options.relativeTime = true;
    options.sheetSize = 2;
    options.maxSheets = 3;
    options.addCellNames = true;
    SwapFile bookReader;
    bookReader.open(path);
    Book book;
    bookReader.toXlsx(path, options, book.workbook());
}

} // namespace

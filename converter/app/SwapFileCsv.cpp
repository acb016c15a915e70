#include "SwapFile.h"

#include "CsvWriter.h"
#include "ReaderErrors.h"
#include "RowText.h"

bool SwapFile::toCsv(const QString& fileName, const ConvertOptions& options, QIODevice* out)
{
    RecordRange range;
    bool ok = beginConversion(fileName, options, range);
    if (ok) {
        CsvWriter writer(out, options.separator, clockBase(options.relativeTime, m_header.version, m_creationTime),
                         m_layout.samplePeriod, m_layout.channelCount);
        ok = !options.addHeader || writer.writeHeader(m_channels) || fail(WriteFailed);
        if (ok)
            ok = runRecords(range, [&](const double* values) {
                if (writer.writeRow(values))
                    return RowOutcome::Next;
                fail(WriteFailed);
                return RowOutcome::Failed;
            });
        if (ok && !writer.flush())
            ok = fail(WriteFailed);
    }
    endConversion();
    return ok;
}

#include "SwapFile.h"

#include "ReaderErrors.h"
#include "RowText.h"
#include "Workbook.h"

namespace {
// The most rows one worksheet can hold; a spreadsheet program refuses a workbook with more.
constexpr qint64 maxSheetRows = 1048576;

Xlsx::CWorksheet* addWorksheet(Xlsx::CWorkbook* workbook, const QString& title)
{
    return &workbook->NewWorksheet(Xlsx::CDualString(sheetTitle(title).toStdWString()));
}

void putText(Xlsx::CWorksheet& sheet, const QString& text, uint64_t style)
{
    sheet.PutCell(text.toStdString(), style);
}

void writeSheetHeader(Xlsx::CWorksheet& sheet, const QList<int>& channels)
{
    sheet.OpenRow(0);
    putText(sheet, SwapFile::tr("Time, sec"), 0);
    for (int n : channels) {
        if (n == 0)
            putText(sheet, QStringLiteral("#%1, %2A").arg(0).arg(QChar(0x03BC)), 0);
        else
            putText(sheet, QStringLiteral("#%1, mv").arg(n), 0);
    }
    sheet.CloseRow();
}
} // namespace

bool SwapFile::toXlsx(const QString& fileName, const ConvertOptions& options, Xlsx::CWorkbook* workbook)
{
    RecordRange range;
    bool ok = beginConversion(fileName, options, range);
    if (ok) {
        const qint64 startSec = options.startSec;
        const qint64 sheetSize = qMax(1, options.sheetSize);
        const QDateTime base = clockBase(options.relativeTime, m_header.version, m_creationTime);
        const int channelCount = m_layout.channelCount;
        Xlsx::CWorksheet* sheet = addWorksheet(workbook, sheetSpanTitle(startSec, sheetSize));
        qint64 rows = 0;
        if (options.addCellNames) {
            writeSheetHeader(*sheet, m_channels);
            ++rows;
        }
        SheetSpan span;
        int sheets = 1;
        const ClockTimeText clock(base, m_layout.samplePeriod);
        std::string timeCell;
        ok = runRecords(range, [&](const double* values) {
            // A span longer than a worksheet holds is refused rather than written into a
            // workbook that no spreadsheet program opens.
            if (rows == maxSheetRows) {
                fail(TooManyRows);
                return RowOutcome::Failed;
            }
            ++rows;
            const double key = values[0];
            sheet->OpenRow(0);
            if (base.isValid()) {
                timeCell.clear();
                clock.append(timeCell, key);
                sheet->PutCell(timeCell, 0);
            }
            else
                sheet->PutCell(key, 0);
            for (int c = 1; c <= channelCount; ++c)
                sheet->PutCell(values[c], 0);
            sheet->CloseRow();
            // The record that passes the span's end still belongs to it; the rows after
            // it go to the span of its key, which after a gap may lie several spans on.
            if (key > span.limit(startSec, sheetSize)) {
                if (sheets == options.maxSheets)
                    return RowOutcome::Stop;
                const SheetSplit split = splitAt(key, span, startSec, sheetSize);
                span = split.span;
                // The finished sheet is compressed while the next one fills.
                workbook->CompleteWorksheet(*sheet);
                sheet = addWorksheet(workbook, sheetSpanTitle(split.titleFrom, sheetSize));
                rows = 0;
                ++sheets;
            }
            return RowOutcome::Next;
        });
    }
    endConversion();
    return ok;
}

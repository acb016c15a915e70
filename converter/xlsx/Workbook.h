#pragma once

#include "ChartPart.h"
#include "ChartSheet.h"
#include "Comments.h"
#include "DeflatePool.h"
#include "Drawing.h"
#include "DualString.h"
#include "StyleTable.h"
#include "TempTree.h"
#include "Worksheet.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Xlsx {

class SaveLog;

using ProgressCallback = void (*)(double fraction);

// Title for a new sheet that no other sheet of the workbook carries (compared
// without regard to ASCII case): the wanted one, else it with " (2)", " (3)", ...
// appended, kept within 31 characters when the wanted title fits in them.
CDualString UniqueSheetTitle(const CDualString &wanted, const std::vector<CDualString> &taken);

// Root of the workbook writer: owns the worksheets, the shared strings, the styles
// and the temporary folder in which every package part is written as a file of
// its own; Save packs the part files into the target and removes the folder.
class CWorkbook
{
public:
    // An empty author falls back to the user's name from the environment, then to "Unknown".
    explicit CWorkbook(const CDualString &author = CDualString());
    virtual ~CWorkbook();
    CWorkbook(const CWorkbook &) = delete;
    CWorkbook &operator=(const CWorkbook &) = delete;

    // A new worksheet, owned by the workbook; an empty title gives "Sheet N".
    CWorksheet &NewWorksheet(const CDualString &title);
    // Called with the fraction of parts packed during Save; null switches it off.
    void SetProgressCallback(ProgressCallback callback) { m_progressCallback = callback; }
    // Writes the package to path. False when any part or the archive could not be
    // written completely, or the save was cancelled; the target is then removed. The
    // temporary parts are gone afterwards either way.
    bool Save(const std::string &path);

    // Threads that compress large parts: 0 (the default) follows the cores this process
    // may use; 1 compresses everything in turn on the calling thread. The package is the
    // same byte for byte whatever the number.
    void SetSaveWorkers(unsigned workers) { m_saveWorkers = workers; }
    unsigned SaveWorkers() const;
    // The moment the package carries, as seconds since 1970-01-01 UTC: its creation and
    // modification time and the date and time of every entry of the archive. Unset, each
    // Save takes the current time once as it starts.
    void SetSaveTime(int64_t unixSeconds) { m_saveTime = unixSeconds; }
    // Tells the workbook that the sheet takes no more rows, notes or drawing objects: its
    // part is closed now and, with several workers, compressed while the caller fills the
    // next sheets. Sheets with notes or drawing objects are finished by Save as before.
    void CompleteWorksheet(CWorksheet &sheet);
    // Makes the background compression and a running Save give up promptly; the Save then
    // returns false. Called on the workbook's own thread (the progress callback's).
    void CancelSave();

    // Notes, pictures, charts and chartsheets.
    // A note on a cell of the sheet (rows from 1); false for row 0 or a cell that has one.
    bool AddComment(CWorksheet &sheet, CComment comment);
    // The picture of an image file (gif, jpg, jpeg, png, tif, tiff), its data copied
    // into the package; null when the type is unknown or the size or data cannot be read.
    CPicture *AddPicture(const std::string &imagePath);
    // The drawing in which the sheet's charts and pictures are placed.
    CDrawing &DrawingOf(const CWorksheet &sheet);
    // A new chart, numbered in creation order, with its four axes set up: category
    // axis at the bottom, value axis at the left, secondary value axis at the right.
    CChartPart &NewChart();
    // A sheet that shows the chart over its whole area; it takes the next sheet number.
    CChartSheetPart &NewChartSheet(const CDualString &title, CChartPart &chart);

    // Part writers, in the order Save runs them.
    bool SaveCore();
    bool SaveApp();
    bool SaveContentTypes();
    bool SaveCalcChain();
    bool SaveTheme();
    bool SaveComments();
    bool SaveSharedStrings();
    bool SaveWorkbook();
    // After the worksheets: chartsheets, charts, then drawings.
    bool SaveChartsAndDrawings();
    bool SaveSheetComments(const std::vector<const CComment *> &comments);
    static void WriteComment(CXmlStream &xml, const CComment &comment);
    void WriteNoteShape(CXmlStream &xml, const CComment &comment);
    void WriteImageDefaults(CXmlStream &xml) const;

    const CDualString &Author() const { return m_author; }
    CStyleTable &Styles() { return m_styles; }
    const CTempTree &TempTree() const { return m_tempTree; }

private:
    bool SaveParts(SaveLog &log);
    bool PackParts(const std::string &path, SaveLog &log);
    bool SaveWorksheets();
    bool IsCompleted(const CWorksheet &sheet) const;
    // Queues the part for the workers when it is large enough to be worth a thread.
    void CompressAhead(const std::string &part);
    void ReportBytes(uint64_t done, uint64_t total);
    static void WaitTick(void *workbook);
    bool AnySheetHasFormulas() const;
    std::vector<CDualString> SheetTitles() const;
    const CWorksheet *WorksheetNumbered(uint64_t number) const;
    const CChartSheetPart *ChartSheetNumbered(uint64_t number) const;

    std::vector<std::unique_ptr<CWorksheet>> m_worksheets;
    std::vector<std::unique_ptr<CChartSheetPart>> m_chartsheets;
    std::vector<std::unique_ptr<CChartPart>> m_charts;
    std::vector<std::unique_ptr<CDrawing>> m_drawings;
    std::vector<std::unique_ptr<CPicture>> m_pictures;
    SharedStringTable m_sharedStrings;
    std::vector<CComment> m_comments;
    uint64_t commentShapeCount = 0;   // note shapes written so far, numbering them across saves
    CDualString m_author;
    uint64_t m_nextSheetId = 1;
    uint64_t m_activeSheet = 0;
    CStyleTable m_styles;
    CTempTree m_tempTree;
    ProgressCallback m_progressCallback = nullptr;

    unsigned m_saveWorkers = 0;
    std::optional<int64_t> m_saveTime;
    std::unique_ptr<CDeflatePool> m_pool;
    std::vector<std::pair<const CWorksheet *, bool>> m_completed;  // sheet, its part written
    std::atomic<bool> m_cancelled{false};
    // Progress of a save that compresses in the background: bytes of all parts, and the
    // fraction last reported, which never goes back.
    uint64_t m_packTotal = 0;
    uint64_t m_packDone = 0;
    double m_reported = 0;
};

} // namespace Xlsx

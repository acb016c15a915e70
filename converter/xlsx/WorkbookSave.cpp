#include "Workbook.h"

#include "ZipWriter.h"

#include <QElapsedTimer>
#include <QtDebug>

#include <algorithm>
#include <ctime>
#include <sys/stat.h>

namespace Xlsx {

namespace {

// Parts below this size are compressed in turn by the archive writer: handing them to a
// thread would cost more than it saves.
constexpr uint64_t kCompressAheadBytes = 64 * 1024;

uint64_t FileSize(const std::string &path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0 ? uint64_t(info.st_size) : 0;
}

std::string SheetPart(const CWorksheet &sheet)
{
    return "/xl/worksheets/sheet" + std::to_string(sheet.Id()) + ".xml";
}

} // namespace

// Debug lines of a save: each step's name and the milliseconds since the previous line.
class SaveLog
{
public:
    SaveLog()
    {
        qDebug() << "CWorkbook::Save start";
        m_clock.start();
    }
    void Step(const char *text) { qDebug() << text << m_clock.restart(); }
    void Step(const char *text, uint64_t count) { qDebug() << text << m_clock.restart() << count; }

private:
    QElapsedTimer m_clock;
};

unsigned CWorkbook::SaveWorkers() const
{
    return m_saveWorkers != 0 ? m_saveWorkers : AvailableCores();
}

void CWorkbook::CancelSave()
{
    m_cancelled = true;
    if (m_pool)
        m_pool->Stop();
}

bool CWorkbook::IsCompleted(const CWorksheet &sheet) const
{
    return std::any_of(m_completed.begin(), m_completed.end(),
                       [&sheet](const auto &completed) { return completed.first == &sheet; });
}

void CWorkbook::CompressAhead(const std::string &part)
{
    if (SaveWorkers() <= 1 || m_cancelled)
        return;
    const std::string source = m_tempTree.Root() + part;
    if (FileSize(source) < kCompressAheadBytes)
        return;
    if (!m_pool)
        m_pool = std::make_unique<CDeflatePool>(SaveWorkers());
    const std::string entryName = part.substr(1);
    if (!m_pool->Has(entryName))
        m_pool->Submit(entryName, source);
}

void CWorkbook::CompleteWorksheet(CWorksheet &sheet)
{
    // With one worker nothing is gained: the sheet is finished by Save as it always was.
    // Relationships of notes and drawings are parts of their own, registered when the
    // sheet is finished; finishing such a sheet early would change the package's order.
    if (SaveWorkers() <= 1 || IsCompleted(sheet) || sheet.DrawingNumber() != 0 || sheet.HasComments())
        return;
    const bool ours = std::any_of(m_worksheets.begin(), m_worksheets.end(),
                                  [&sheet](const auto &owned) { return owned.get() == &sheet; });
    if (!ours)
        return;
    const bool written = sheet.Save();
    m_completed.emplace_back(&sheet, written);
    if (written)
        CompressAhead(SheetPart(sheet));
}

bool CWorkbook::SaveWorksheets()
{
    for (const auto &sheet : m_worksheets) {
        const auto completed = std::find_if(m_completed.begin(), m_completed.end(),
                                            [&sheet](const auto &c) { return c.first == sheet.get(); });
        if (completed != m_completed.end()) {
            if (!completed->second)
                return false;
            continue;
        }
        if (!sheet->Save())
            return false;
        CompressAhead(SheetPart(*sheet));
    }
    return true;
}

bool CWorkbook::SaveParts(SaveLog &log)
{
    const bool parts = SaveCore() && SaveApp() && SaveContentTypes() && SaveTheme() && SaveComments()
        && SaveSharedStrings() && SaveStyles(m_styles, m_tempTree) && SaveWorkbook();
    if (!parts)
        return false;
    log.Step("CWorkbook::Save core");
    if (!SaveWorksheets())
        return false;
    log.Step("CWorkbook::Save m_worksheets");
    if (!SaveChartsAndDrawings())
        return false;
    // The shared strings of a workbook of clock times are as large as a sheet.
    for (const std::string &part : m_tempTree.Parts())
        CompressAhead(part);
    log.Step("CWorkbook::Save other");
    return true;
}

void CWorkbook::ReportBytes(uint64_t done, uint64_t total)
{
    // 1.0 is kept for the moment the last part is in the archive.
    const double fraction = total > 0 ? std::min(double(done) / double(total), 0.999) : 0.0;
    m_reported = std::max(m_reported, fraction);
    m_progressCallback(m_reported);
}

void CWorkbook::WaitTick(void *workbook)
{
    CWorkbook &book = *static_cast<CWorkbook *>(workbook);
    book.ReportBytes(book.m_packDone + book.m_pool->BytesRead(), book.m_packTotal);
}

bool CWorkbook::PackParts(const std::string &path, SaveLog &log)
{
    ZipHandle zip = CreateZip(path.c_str(), nullptr);
    log.Step("CWorkbook::Save CreateZip");
    if (zip == nullptr)
        return false;
    ZipSetEntryTime(zip, *m_saveTime);

    const std::vector<std::string> &parts = m_tempTree.Parts();
    const double total = double(parts.size());
    // While workers compress, progress follows the bytes compressed: the parts waited for
    // are large and few, so counting parts would stall and jump.
    const bool ahead = m_pool != nullptr;
    m_packTotal = 0;
    m_packDone = 0;
    m_reported = 0;
    if (ahead)
        for (const std::string &part : parts)
            m_packTotal += FileSize(m_tempTree.Root() + part);
    bool added = true;
    uint64_t done = 0;
    for (const std::string &part : parts) {
        const std::string entryName = part.substr(1);
        const std::string source = m_tempTree.Root() + part;
        ZipResult result = ZipErrorStopped;  // a cancelled save adds nothing more
        if (!m_cancelled) {
            if (ahead && m_pool->Has(entryName))
                result = m_pool->AddTo(zip, entryName, m_progressCallback ? &CWorkbook::WaitTick : nullptr, this);
            else if ((result = ZipAdd(zip, entryName.c_str(), source.c_str())) == ZipOk && ahead)
                m_packDone += FileSize(source);
        }
        if (result != ZipOk) {
            // A part that could not be made must not let the archive pass for complete.
            ZipAbort(zip, result);
            added = false;
            break;
        }
        ++done;
        if (m_progressCallback != nullptr) {
            if (!ahead)
                m_progressCallback(double(done) / total);
            else if (done == parts.size())
                m_progressCallback(1.0);
            else
                ReportBytes(m_packDone + m_pool->BytesRead(), m_packTotal);
            log.Step("CWorkbook::Save ZipAdd", done);
        }
    }
    log.Step("CWorkbook::Save ZipAdd");
    const bool closed = CloseZip(zip) == ZipOk;
    log.Step("CWorkbook::Save CloseZip");
    // The archive writer replaces the target only when the archive is complete, so a
    // failed save leaves whatever file was there before.
    return added && closed;
}

bool CWorkbook::Save(const std::string &path)
{
    SaveLog log;
    // One moment for the whole package, whatever the parts' files say and however long
    // the save takes.
    const bool timeGiven = m_saveTime.has_value();
    if (!timeGiven)
        m_saveTime = int64_t(std::time(nullptr));
    const bool saved = !m_cancelled && SaveParts(log) && PackParts(path, log);
    if (!timeGiven)
        m_saveTime.reset();
    // Workers stop and remove their scratch files before the parts go.
    m_pool.reset();
    for (const auto &sheet : m_worksheets)
        sheet->Abandon();
    // Every part is gone now, those of sheets completed early too: a second save fails.
    for (auto &completed : m_completed)
        completed.second = false;
    m_tempTree.RemoveAll();
    return saved && !m_cancelled;
}

} // namespace Xlsx

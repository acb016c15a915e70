#include "Workbook.h"

#include "ZipWriter.h"

#include <QElapsedTimer>
#include <QtDebug>

namespace Xlsx {

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

bool CWorkbook::SaveParts(SaveLog &log)
{
    const bool parts = SaveCore() && SaveApp() && SaveContentTypes() && SaveTheme() && SaveComments()
        && SaveSharedStrings() && SaveStyles(m_styles, m_tempTree) && SaveWorkbook();
    if (!parts)
        return false;
    log.Step("CWorkbook::Save core");
    for (const auto &sheet : m_worksheets)
        if (!sheet->Save())
            return false;
    log.Step("CWorkbook::Save m_worksheets");
    if (!SaveChartsAndDrawings())
        return false;
    log.Step("CWorkbook::Save other");
    return true;
}

bool CWorkbook::PackParts(const std::string &path, SaveLog &log)
{
    ZipHandle zip = CreateZip(path.c_str(), nullptr);
    log.Step("CWorkbook::Save CreateZip");
    if (zip == nullptr)
        return false;

    const std::vector<std::string> &parts = m_tempTree.Parts();
    const double total = double(parts.size());
    bool added = true;
    uint64_t done = 0;
    for (const std::string &part : parts) {
        const std::string entryName = part.substr(1);
        const std::string source = m_tempTree.Root() + part;
        if (ZipAdd(zip, entryName.c_str(), source.c_str()) != ZipOk) {
            added = false;
            break;
        }
        ++done;
        if (m_progressCallback != nullptr) {
            m_progressCallback(double(done) / total);
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
    const bool saved = SaveParts(log) && PackParts(path, log);
    for (const auto &sheet : m_worksheets)
        sheet->Abandon();
    m_tempTree.RemoveAll();
    return saved;
}

} // namespace Xlsx

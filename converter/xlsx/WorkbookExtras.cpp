#include "DrawingNamespaces.h"
#include "Workbook.h"
#include "XmlStream.h"

#include <fstream>
#include <iterator>

namespace Xlsx {

namespace {

// Axis ids of a new chart; they only need to differ within the chart.
constexpr uint32_t kXAxisId = 1;
constexpr uint32_t kYAxisId = 2;
constexpr uint32_t kSecondaryXAxisId = 3;
constexpr uint32_t kSecondaryYAxisId = 4;

bool WriteMedia(CTempTree &tree, const CPicture &picture)
{
    const std::string path = tree.RegisterPart("/xl/media/" + picture.mediaFileName);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(picture.data.data(), std::streamsize(picture.data.size()));
    out.close();
    return !path.empty() && out.good();
}

} // namespace

std::vector<CDualString> CWorkbook::SheetTitles() const
{
    std::vector<CDualString> titles;
    titles.reserve(m_worksheets.size() + m_chartsheets.size());
    for (const auto &sheet : m_worksheets)
        titles.push_back(sheet->GetTitle());
    for (const auto &sheet : m_chartsheets)
        titles.push_back(sheet->GetTitle());
    return titles;
}

const CWorksheet *CWorkbook::WorksheetNumbered(uint64_t number) const
{
    for (const auto &sheet : m_worksheets)
        if (sheet->Id() == number)
            return sheet.get();
    return nullptr;
}

const CChartSheetPart *CWorkbook::ChartSheetNumbered(uint64_t number) const
{
    for (const auto &sheet : m_chartsheets)
        if (sheet->Id() == number)
            return sheet.get();
    return nullptr;
}

CPicture *CWorkbook::AddPicture(const std::string &imagePath)
{
    const ImageTypeEntry &entry = FindImageType(imagePath);
    if (entry.reader == nullptr)
        return nullptr;
    std::ifstream in(imagePath, std::ios::binary);
    if (!in)
        return nullptr;
    auto picture = std::make_unique<CPicture>();
    if (!entry.reader(in, picture->width, picture->height))
        return nullptr;
    in.clear();
    if (!in.seekg(0))
        return nullptr;
    picture->data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad())
        return nullptr;
    picture->imageType = entry.type;
    picture->mediaFileName = "image" + std::to_string(m_pictures.size() + 1) + entry.extension;
    m_pictures.push_back(std::move(picture));
    return m_pictures.back().get();
}

CDrawing &CWorkbook::DrawingOf(const CWorksheet &sheet)
{
    return *sheet.m_drawing;
}

CChartPart &CWorkbook::NewChart()
{
    auto chart = std::make_unique<CChartPart>(m_charts.size() + 1, m_tempTree);
    chart->frameName = CDualString("Chart " + std::to_string(chart->number));
    chart->xAxis.id = kXAxisId;
    chart->xAxis.position = AxisBottom;
    chart->yAxis.id = kYAxisId;
    chart->yAxis.position = AxisLeft;
    chart->yAxis.valueAxis = true;
    chart->yAxis.gridlines = GridMajor;
    chart->secondaryXAxis.id = kSecondaryXAxisId;
    chart->secondaryXAxis.position = AxisDeleted;
    chart->secondaryYAxis.id = kSecondaryYAxisId;
    chart->secondaryYAxis.position = AxisRight;
    chart->secondaryYAxis.valueAxis = true;
    chart->secondaryYAxis.crossing = CrossMax;
    m_charts.push_back(std::move(chart));
    return *m_charts.back();
}

CChartSheetPart &CWorkbook::NewChartSheet(const CDualString &title, CChartPart &chart)
{
    m_drawings.push_back(std::make_unique<CDrawing>(m_drawings.size() + 1, m_tempTree));
    CDrawing &drawing = *m_drawings.back();
    CDrawingAnchor anchor;
    anchor.chart = &chart;
    anchor.kind = AnchorChartAbsolute;
    drawing.AddAnchor(anchor);

    const uint64_t number = m_nextSheetId++;
    const CDualString wanted = title.narrow.empty() ? CDualString("Chart " + std::to_string(number)) : title;
    m_chartsheets.push_back(
        std::make_unique<CChartSheetPart>(number, UniqueSheetTitle(wanted, SheetTitles()), drawing, m_tempTree));
    return *m_chartsheets.back();
}

bool CWorkbook::SaveChartsAndDrawings()
{
    for (const auto &sheet : m_chartsheets)
        if (!sheet->Save())
            return false;
    for (const auto &chart : m_charts)
        if (!chart->Save())
            return false;
    for (const auto &picture : m_pictures)
        if (!WriteMedia(m_tempTree, *picture))
            return false;
    for (const auto &drawing : m_drawings)
        if (!drawing->Save())
            return false;
    return true;
}

void CWorkbook::WriteImageDefaults(CXmlStream &xml) const
{
    for (int32_t type = ImageGif; type <= ImageTiff; ++type) {
        bool used = false;
        for (const auto &picture : m_pictures)
            used = used || picture->imageType == type;
        if (!used)
            continue;
        xml.BeginElement("Default");
        xml.AttributeRaw("Extension", ImageExtension(type));
        xml.AttributeRaw("ContentType", ImageContentType(type));
        xml.EndElement();
    }
}

} // namespace Xlsx

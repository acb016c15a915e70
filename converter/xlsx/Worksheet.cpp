#include "Worksheet.h"
#include "Drawing.h"
#include "Namespaces.h"
#include "TempTree.h"
#include "XmlStream.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace Xlsx {

namespace {

std::string PartNumber(const char *prefix, uint64_t id, const char *suffix)
{
    return prefix + std::to_string(id) + suffix;
}

// Room for a cell's own text: its start with a reference of 7 letters and 10 digits
// and a 20-digit style (49 bytes), the room a number needs, and the end tags.
constexpr size_t kCellTextSize = 128;
static_assert(kCellTextSize >= 49 + sizeof "><v>" + kNumberTextRoom + sizeof "</v></c>");

template <size_t N>
char *Put(char *at, const char (&text)[N])
{
    std::memcpy(at, text, N - 1);
    return at + N - 1;
}

// The column letters of a cell reference, in bijective base 26 (A..Z, AA..ZZ, AAA..).
char *PutColumn(char *at, uint32_t column)
{
    if (column < 26) {
        *at++ = char('A' + column);
        return at;
    }
    char letters[8];
    char *first = letters + sizeof letters;
    *--first = char('A' + column % 26);
    for (uint32_t q = column / 26; q != 0; q = (q - 1) / 26)
        *--first = char('A' + (q - 1) % 26);
    const size_t count = size_t(letters + sizeof letters - first);
    std::memcpy(at, first, count);
    return at + count;
}

} // namespace

std::vector<Relationship> SheetRelationships(uint64_t id, uint64_t drawingNumber, bool hasComments)
{
    std::vector<Relationship> relations;
    uint64_t next = 1;
    if (drawingNumber != 0)
        relations.push_back({"rId" + std::to_string(next++), Ns::kRelDrawing,
                             PartNumber("../drawings/drawing", drawingNumber, ".xml")});
    if (hasComments) {
        relations.push_back({"rId" + std::to_string(next++), Ns::kRelVmlDrawing,
                             PartNumber("../drawings/vmlDrawing", id, ".vml")});
        relations.push_back({"rId" + std::to_string(next++), Ns::kRelComments,
                             PartNumber("../comments", id, ".xml")});
    }
    return relations;
}

CWorksheet::CWorksheet(uint64_t id, CTempTree &tree, SharedStringTable &sharedStrings)
    : m_id(id), m_sharedStrings(&sharedStrings),
      m_title(PartNumber("Sheet ", id, "")), m_tempTree(tree)
{
    WriteHead(0, 0, {});
}

CWorksheet::~CWorksheet() = default;

void CWorksheet::WriteHead(uint32_t frozenColumns, uint32_t frozenRows,
                           const std::vector<ColumnWidth> &widths)
{
    m_ready = true;
    m_rowOpen = false;
    m_column = 0;
    m_row = 0;
    m_hasFormulas = false;
    m_formulaCells.clear();
    m_mergedCells.clear();
    m_orientation = 0;

    m_stream.reset();
    m_stream = std::make_unique<CXmlStream>(
        m_tempTree.RegisterPart(PartNumber("/xl/worksheets/sheet", m_id, ".xml")));
    if (!m_stream->IsOpen()) {
        m_ready = false;
        return;
    }
    CXmlStream &xml = *m_stream;
    xml.BeginElement("worksheet");
    xml.AttributeRaw("xmlns", Ns::kMain);
    xml.AttributeRaw("xmlns:r", Ns::kRelationships);
    xml.AttributeRaw("xmlns:mc", Ns::kMarkupCompat);
    xml.AttributeRaw("mc:Ignorable", "x14ac");
    xml.AttributeRaw("xmlns:x14ac", Ns::kX14ac);

    // No "dimension": the used range is known only once the last row is written, and
    // the head is already on disk by then. A declared range that is wrong makes
    // readers that trust it drop every cell outside it; without one they read the rows.
    xml.BeginElement("sheetViews");
    xml.BeginElement("sheetView");
    xml.AttributeRaw("tabSelected", "0");
    xml.AttributeRaw("workbookViewId", "0");
    if (frozenColumns != 0 || frozenRows != 0)
        WritePane(frozenColumns, frozenRows);
    xml.EndElement();
    xml.EndElement();

    xml.BeginElement("sheetFormatPr");
    xml.AttributeRaw("defaultRowHeight", "15");
    xml.AttributeRaw("x14ac:dyDescent", "0.25");
    xml.EndElement();

    // A width that is no number (or below zero) would make the part unreadable; its
    // column keeps the default width. A "cols" element needs at least one column.
    const auto usable = [](const ColumnWidth &column) {
        return std::isfinite(column.width) && column.width >= 0;
    };
    if (std::any_of(widths.begin(), widths.end(), usable)) {
        xml.BeginElement("cols");
        for (const ColumnWidth &column : widths) {
            if (!usable(column))
                continue;
            xml.BeginElement("col");
            xml.Attribute("min", uint64_t(column.first) + 1);
            xml.Attribute("max", uint64_t(column.last) + 1);
            xml.Attribute("width", double(column.width));
            xml.EndElement();
        }
        xml.EndElement();
    }
    xml.BeginElement("sheetData");
}

void CWorksheet::WritePane(uint32_t c, uint32_t r)
{
    CXmlStream &xml = *m_stream;
    const CCellPos topLeft{r + 1, c};
    const char *activePane = c > 0 && r > 0 ? "bottomRight" : (c > 0 ? "topRight" : "bottomLeft");
    xml.BeginElement("pane");
    if (c > 0)
        xml.Attribute("xSplit", c);
    if (r > 0)
        xml.Attribute("ySplit", r);
    xml.Attribute("topLeftCell", CellRefToText(topLeft));
    xml.AttributeRaw("activePane", activePane);
    xml.AttributeRaw("state", "frozen");
    xml.EndElement();
    if (c > 0 && r > 0) {
        Selection("topRight", CCellPos{r, c});
        Selection("bottomLeft", CCellPos{r + 1, c - 1});
        Selection("bottomRight", topLeft);
    } else {
        Selection(activePane, topLeft);
    }
}

void CWorksheet::Selection(const char *pane, const CCellPos &cell)
{
    const std::string ref = CellRefToText(cell);
    CXmlStream &xml = *m_stream;
    xml.BeginElement("selection");
    xml.AttributeRaw("pane", pane);
    xml.Attribute("activeCell", ref);
    xml.Attribute("sqref", ref);
    xml.EndElement();
}

void CWorksheet::OpenRow(double height)
{
    if (!m_ready)
        return;
    CloseRow();
    ++m_row;
    m_rowDigitCount = uint32_t(std::to_chars(m_rowDigits, m_rowDigits + sizeof m_rowDigits, m_row).ptr - m_rowDigits);
    CXmlStream &xml = *m_stream;
    xml.BeginElement("row");
    xml.Attribute("r", m_row);
    xml.AttributeRaw("x14ac:dyDescent", "0.25");
    if (height > 0 && std::isfinite(height)) {
        xml.Attribute("ht", height);
        xml.AttributeRaw("customHeight", "1");
    }
    m_column = 0;
    m_rowOpen = true;
}

void CWorksheet::CloseRow()
{
    if (m_rowOpen) {
        m_stream->EndElement();
        m_rowOpen = false;
    }
}

// A cell written without an open row would land in the sheet data itself, which
// no reader accepts; it opens a row of its own instead.
bool CWorksheet::BeginCell()
{
    if (!m_ready)
        return false;
    if (!m_rowOpen)
        OpenRow(0);
    m_stream->BeginContent();
    return true;
}

char *CWorksheet::CellStart(char *at, uint64_t style) const
{
    at = Put(at, "<c r=\"");
    at = PutColumn(at, m_column);
    std::memcpy(at, m_rowDigits, m_rowDigitCount);
    at += m_rowDigitCount;
    *at++ = '"';
    if (style != 0) {
        at = Put(at, " s=\"");
        at = std::to_chars(at, at + 20, style).ptr;
        *at++ = '"';
    }
    return at;
}

void CWorksheet::PutCell(double value, uint64_t style)
{
    if (!BeginCell())
        return;
    CXmlStream &xml = *m_stream;
    char *at = CellStart(xml.Reserve(kCellTextSize), style);
    if (std::isfinite(value)) {
        at = Put(at, "><v>");
        at += FormatNumber(value, at);
        at = Put(at, "</v></c>");
    } else {
        at = Put(at, "/>");
    }
    xml.Commit(at);
    ++m_column;
}

void CWorksheet::PutCell(const std::string &text, uint64_t style)
{
    if (text.empty() && style == 0) {
        ++m_column;
        return;
    }
    if (!BeginCell())
        return;
    CXmlStream &xml = *m_stream;
    if (text.empty()) {
        xml.Commit(Put(CellStart(xml.Reserve(kCellTextSize), style), "/>"));
    } else if (text[0] == '=') {
        char buffer[kCellRefBufferSize];
        m_formulaCells.emplace_back(CellRefToText(CCellPos{m_row, m_column}, buffer));
        m_hasFormulas = true;
        xml.Commit(Put(CellStart(xml.Reserve(kCellTextSize), style), "><f>"));
        xml.WriteEscaped(std::string_view(text).substr(1));
        xml.Raw("</f></c>");
    } else {
        const auto inserted = m_sharedStrings->emplace(text, m_sharedStrings->size());
        char *at = Put(CellStart(xml.Reserve(kCellTextSize), style), " t=\"s\"><v>");
        at = std::to_chars(at, at + 20, inserted.first->second).ptr;
        xml.Commit(Put(at, "</v></c>"));
    }
    ++m_column;
}

void CWorksheet::Abandon()
{
    m_stream.reset();
    m_ready = false;
    m_rowOpen = false;
}

void CWorksheet::MergeCells(const CCellSpan &span)
{
    m_mergedCells.push_back(CellRefToText(span.first) + ':' + CellRefToText(span.last));
}

bool CWorksheet::Save()
{
    if (!m_ready || !m_stream)
        return false;
    CloseRow();
    CXmlStream &xml = *m_stream;
    xml.EndElement(); // sheetData

    if (!m_mergedCells.empty()) {
        xml.BeginElement("mergeCells");
        xml.Attribute("count", uint64_t(m_mergedCells.size()));
        for (const std::string &range : m_mergedCells) {
            xml.BeginElement("mergeCell");
            xml.Attribute("ref", range);
            xml.EndElement();
        }
        xml.EndElement();
    }

    xml.BeginElement("pageMargins");
    xml.AttributeRaw("left", "0.7");
    xml.AttributeRaw("right", "0.7");
    xml.AttributeRaw("top", "0.75");
    xml.AttributeRaw("bottom", "0.75");
    xml.AttributeRaw("header", "0.3");
    xml.AttributeRaw("footer", "0.3");
    xml.EndElement();

    xml.BeginElement("pageSetup");
    xml.AttributeRaw("paperSize", "9");
    xml.AttributeRaw("orientation", m_orientation == 1 ? "landscape" : "portrait");
    xml.EndElement();

    const bool hasDrawing = DrawingNumber() != 0;
    const std::vector<Relationship> relations = SheetRelationships(m_id, DrawingNumber(), m_hasComments);
    if (hasDrawing) {
        xml.BeginElement("drawing");
        xml.Attribute("r:id", relations.front().id);
        xml.EndElement();
    }
    if (m_hasComments) {
        xml.BeginElement("legacyDrawing");
        xml.Attribute("r:id", relations[hasDrawing ? 1 : 0].id);
        xml.EndElement();
    }
    const bool written = xml.Close();
    m_stream.reset();
    m_ready = false;
    if (!written)
        return false;
    return relations.empty() || SaveRels();
}

uint64_t CWorksheet::DrawingNumber() const
{
    return m_drawing != nullptr && m_drawing->HasAnchors() ? m_drawing->Number() : 0;
}

bool CWorksheet::SaveRels()
{
    CXmlStream xml(m_tempTree.RegisterPart(PartNumber("/xl/worksheets/_rels/sheet", m_id, ".xml.rels")));
    xml.BeginElement("Relationships");
    xml.AttributeRaw("xmlns", Ns::kPackageRels);
    for (const Relationship &relation : SheetRelationships(m_id, DrawingNumber(), m_hasComments)) {
        xml.BeginElement("Relationship");
        xml.Attribute("Id", relation.id);
        xml.AttributeRaw("Type", relation.type);
        xml.Attribute("Target", relation.target);
        xml.EndElement();
    }
    return xml.Close();
}

} // namespace Xlsx
